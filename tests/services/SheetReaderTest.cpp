#include "platform/base/HostError.h"
#include "platform/services/SheetReader.h"
#include "platform/services/XlsxSheetWriter.h"

#include <gtest/gtest.h>
#include <zip.h>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <tuple>

namespace qor::services {
namespace {

// "row: a|b|c" per row read.
QStringList Shown(const std::vector<SheetRow>& rows) {
    QStringList shown;
    for (const SheetRow& row : rows) shown << QStringLiteral("%1: %2").arg(row.number).arg(row.cells.join(u'|'));
    return shown;
}

class SheetReaderTest : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes) const {
        const QString path = dir_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    // A workbook of the given parts, written with libzip.
    QString Workbook(const QString& name, const std::vector<std::pair<const char*, QByteArray>>& parts) const {
        const QString path = dir_.filePath(name);
        int error = 0;
        zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        for (const auto& [part, bytes] : parts) {
            auto* copy = new QByteArray(bytes);
            zip_source_t* source =
                zip_source_buffer(zip, copy->constData(), static_cast<zip_uint64_t>(copy->size()), 0);
            zip_file_add(zip, part, source, ZIP_FL_OVERWRITE);
            kept_.emplace_back(copy);
        }
        EXPECT_EQ(zip_close(zip), 0);
        return path;
    }

    QTemporaryDir dir_;
    mutable std::vector<std::unique_ptr<QByteArray>> kept_;
};

const QByteArray kWorkbook =
    "<workbook xmlns:r=\"r\"><sheets><sheet name=\"说明\" r:id=\"rId1\"/><sheet name=\"计划\" r:id=\"rId2\"/>"
    "</sheets></workbook>";
const QByteArray kRelations =
    "<Relationships><Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" Target=\"/xl/worksheets/sheet2.xml\"/></Relationships>";

TEST_F(SheetReaderTest, CsvIsReadInEitherEncodingAndSeparatorWithQuotedFields) {
    const QByteArray utf8 = "物料代码,批号\r\n\"01,02\",\"B\"\"1\nx\"\r\n\r\n01.03,B2\n";
    QStringEncoder gb18030("GB18030");
    const QByteArray gb = gb18030(QStringLiteral("物料代码\t批号\n01\t批号甲\n"));
    const std::tuple<const char*, QByteArray, QStringList> cases[] = {
        {"plain.csv", utf8, {"1: 物料代码|批号", "2: 01,02|B\"1\nx", "5: 01.03|B2"}},
        {"bom.csv", "\xEF\xBB\xBF" + utf8, {"1: 物料代码|批号", "2: 01,02|B\"1\nx", "5: 01.03|B2"}},
        {"gb.csv", gb, {"1: 物料代码|批号", "2: 01|批号甲"}},
    };
    for (const auto& [name, bytes, rows] : cases)
        EXPECT_EQ(Shown(ReadSheet(Write(name, bytes), QString(), 100)), rows) << name;
}

// Shared, rich, inline and formula texts, numbers and booleans, sparse
// columns; the named sheet or the first.
TEST_F(SheetReaderTest, XlsxCellsAreReadAsTheWorkbookShowsThem) {
    const QByteArray shared =
        "<sst><si><t>物料代码</t></si><si><r><t>批</t></r><r><t>号</t></r>"
        "<rPh><t>pi hao</t></rPh></si></sst>";
    const QByteArray plan =
        "<worksheet><sheetData><row r=\"2\"><c r=\"A2\" t=\"s\"><v>0</v></c><c r=\"C2\" t=\"s\"><v>1</v></c></row>"
        "<row r=\"3\"><c r=\"A3\" t=\"inlineStr\"><is><t>01.01</t></is></c><c r=\"B3\"><v>20260325</v></c>"
        "<c r=\"C3\" t=\"str\"><f>A3&amp;\"-1\"</f><v>01.01-1</v></c><c r=\"D3\" t=\"b\"><v>1</v></c></row>"
        "<row r=\"4\"><c r=\"A4\" t=\"inlineStr\"><is><t> </t></is></c></row></sheetData></worksheet>";
    const QString path = Workbook("plan.xlsx", {{"xl/workbook.xml", kWorkbook},
                                                {"xl/_rels/workbook.xml.rels", kRelations},
                                                {"xl/sharedStrings.xml", shared},
                                                {"xl/worksheets/sheet1.xml", "<worksheet><sheetData/></worksheet>"},
                                                {"xl/worksheets/sheet2.xml", plan}});
    EXPECT_EQ(Shown(ReadSheet(path, QStringLiteral("计划"), 100)),
              QStringList({"2: 物料代码||批号", "3: 01.01|20260325|01.01-1|1"}));
    EXPECT_TRUE(ReadSheet(path, QString(), 100).empty());

    // Past a sheet's rows the export goes on on a numbered sheet, under the same title and captions.
    const QString long_ = dir_.filePath("long.xlsx");
    XlsxSheetWriter split(long_, 4);
    split.Begin(QStringLiteral("客户BOM批次对应表"), {QStringLiteral("批号")});
    for (const char* batch : {"B1", "B2", "B3"}) split.AddRow({QString::fromLatin1(batch)});
    split.Finish();
    EXPECT_EQ(Shown(ReadSheet(long_, QStringLiteral("客户BOM批次对应表"), 100)),
              QStringList({"1: 客户BOM批次对应表", "2: 批号", "3: B1", "4: B2"}));
    EXPECT_EQ(Shown(ReadSheet(long_, QStringLiteral("客户BOM批次对应表 (2)"), 100)),
              QStringList({"1: 客户BOM批次对应表", "2: 批号", "3: B3"}));
}

TEST_F(SheetReaderTest, FilesThatCannotBeReadAreRefusedByName) {
    const QString workbook = Workbook("ok.xlsx", {{"xl/workbook.xml", kWorkbook},
                                                  {"xl/_rels/workbook.xml.rels", kRelations},
                                                  {"xl/worksheets/sheet1.xml", "<worksheet><sheetData>"}});
    const std::tuple<QString, QString, const char*> cases[] = {
        {dir_.filePath("missing.csv"), {}, "不存在"},
        {Write("empty.csv", {}), {}, "是空的"},
        {Write("report.pdf", "%PDF-1.4"), {}, "只能引入 .csv 或 .xlsx 文件"},
        {Write("fake.xlsx", "物料代码,批号\n"), {}, "不是 XLSX 工作簿"},
        {workbook, {}, "已经损坏"},
        {workbook, QStringLiteral("库存"), "没有名为“库存”的工作表（有：说明、计划）"},
        {Write("rows.csv", QByteArray("a\n").repeated(101)), {}, "超过 100 行"},
        {Write("open.csv", "物料代码,批号\n1.01,\"B1\n1.02,B2\n"), {}, "第 2 行的引号没有结束"},
    };
    for (const auto& [path, sheet, reason] : cases) {
        QString refusal = QStringLiteral("read");
        try {
            ReadSheet(path, sheet, 100);
        } catch (const HostError& e) {
            refusal = e.Description();
        }
        EXPECT_TRUE(refusal.contains(QString::fromUtf8(reason))) << path.toStdString() << ": " << refusal.toStdString();
    }
}

}  // namespace
}  // namespace qor::services
