#include "platform/base/Convert.h"
#include "platform/base/Variant.h"
#include "platform/services/ListExport.h"
#include "platform/services/SheetReader.h"
#include "platform/services/ZipArchive.h"
#include "tests/support/FakeObject.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cerrno>
#include <csignal>

namespace qor::test {
namespace {

using services::ListExport;
using Presentation = services::MessageDialog::Presentation;

// The rows of the first sheet as "row: a|b|c", read back as an import reads them.
QStringList XlsxRows(const QString& path) {
    QStringList rows;
    for (const services::SheetRow& row : services::ReadSheet(path, QString(), 100))
        rows << QStringLiteral("%1: %2").arg(row.number).arg(row.cells.join(u'|'));
    return rows;
}

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// An export set up as the list window sets it up: three columns, the rows
// answered by a sink that fills row n with texts naming row and column.
class ListExportTest : public ::testing::Test {
protected:
    void Describe(host::Object& exporter, int rows) {
        exporter.Put("Cols", 3);
        const QStringList captions{"物料代码", "批号", "禁用"};
        for (int k = 1; k <= 3; ++k) {
            exporter.Call("SetColCaption", {k, captions[k - 1]});
            exporter.Call("SetColSize", {k, 255});
        }
        exporter.Put("Rows", rows);
        exporter.Put("EventSink", QVariant::fromValue<host::ObjectPtr>(sink));
    }
    int Run(host::Object& exporter, const QString& file) {
        if (!file.isEmpty()) exporter.Put("FileName", file);
        return ToInt32(exporter.Call("Export", {"客户BOM批次对应表"}));
    }
    static QStringList Row(int n) {
        return {QString::fromLatin1(n == 2 ? "=1.%1" : "1.%1").arg(n), QStringLiteral("批%1,\"甲\"").arg(n),
                n % 2 ? "Y" : ""};
    }
    QStringList Leftovers() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    void SetUp() override {
        sink->On("Export_LoadData", [this](QVariantList& args) {
            const int n = ToInt32(args.value(0));
            const VectorPtr cells = args.value(1).value<VectorPtr>();
            const QStringList texts = Row(n);
            for (int k = 1; k <= cells->Count(); ++k) cells->SetItem(k, texts.value(k - 1));
            if (onRow) onRow(n);
            return QVariant();
        });
    }

    QTemporaryDir dir;
    ScriptedMessages messages;
    FakeObjectPtr sink = std::make_shared<FakeObject>("frmBatchTrace.Export");
    std::function<void(int)> onRow;
};

// A workbook has the title, the captions and every row in order; a CSV file
// is UTF-8 with a byte-order mark and quotes where needed.
TEST_F(ListExportTest, EachFormatHoldsTheCaptionsAndEveryRowInOrder) {
    ListExport exporter(Presentation::Console);
    Describe(exporter, 4);
    const QString path = dir.filePath("list.xlsx");
    ASSERT_EQ(Run(exporter, path), ListExport::kWritten);

    // An empty cell is no cell; a formula's text is only text in a workbook.
    const QStringList expected{"1: 客户BOM批次对应表", "2: 物料代码|批号|禁用", "3: 1.1|批1,\"甲\"|Y",
                               "4: =1.2|批2,\"甲\"",   "5: 1.3|批3,\"甲\"|Y",   "6: 1.4|批4,\"甲\""};
    EXPECT_EQ(XlsxRows(path), expected);
    const QString sheet = QString::fromUtf8(services::ZipArchive(path).Read("xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(sheet.contains("ySplit=\"2\"")) << "title and captions stay in view";
    EXPECT_EQ(Leftovers(), QStringList{"list.xlsx"});
    EXPECT_TRUE(messages.Shown().empty());

    ListExport empty(Presentation::Console);
    Describe(empty, 0);
    ASSERT_EQ(Run(empty, dir.filePath("empty.xlsx")), ListExport::kWritten);
    EXPECT_EQ(XlsxRows(dir.filePath("empty.xlsx")), expected.mid(0, 2)) << "title and captions only";

    exporter.Put("Rows", 2);
    exporter.Call("SetColSize", {2, 3});
    ASSERT_EQ(Run(exporter, dir.filePath("list.CSV")), ListExport::kWritten);
    // Text a spreadsheet would run as a formula is neutralised, unless raw.
    const QString rows = QStringLiteral("物料代码,批号,禁用\r\n1.1,\"批1,\",Y\r\n%1=1.2,\"批2,\",\r\n");
    EXPECT_EQ(Bytes(dir.filePath("list.CSV")), QByteArray("\xEF\xBB\xBF") + rows.arg("'").toUtf8());
    exporter.Put("Raw", true);
    ASSERT_EQ(Run(exporter, dir.filePath("raw.csv")), ListExport::kWritten);
    EXPECT_EQ(Bytes(dir.filePath("raw.csv")), QByteArray("\xEF\xBB\xBF") + rows.arg("").toUtf8());
}

// A full disk keeps the earlier file and leaves no part of the new one.
TEST_F(ListExportTest, FailuresAreToldAndLeaveNoFile) {
    ListExport wrongType(Presentation::Console);
    Describe(wrongType, 2);
    EXPECT_EQ(Run(wrongType, dir.filePath("list.txt")), ListExport::kFailed);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_TRUE(messages.Texts()[0].contains("只能引出为 Excel 工作簿(.xlsx)或 CSV 文件(.csv)"));
    EXPECT_TRUE(Leftovers().isEmpty());
    // A file size limit fails the writes the way a full disk does.
    for (const char* name : {"full.csv", "full.xlsx"}) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile earlier(path);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
        earlier.close();

        ListExport exporter(Presentation::Console);
        Describe(exporter, 20000);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit small{16 * 1024, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
        const int result = Run(exporter, path);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);

        EXPECT_EQ(result, ListExport::kFailed);
        ASSERT_FALSE(messages.Shown().empty());
        EXPECT_TRUE(messages.Texts().last().startsWith("引出失败：")) << messages.Texts().last().toStdString();
        EXPECT_EQ(Bytes(path), "earlier");
        EXPECT_EQ(Leftovers().size(), 1) << Leftovers().join(u' ').toStdString();
        QFile::remove(path);
    }
}

TEST_F(ListExportTest, CancellingTheProgressLeavesNoFile) {
    ListExport exporter(Presentation::Window);
    Describe(exporter, 5 * ListExport::kProgressFrom);
    onRow = [](int n) {
        if (n != 2000) return;
        QProgressDialog* progress = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("exportProgress")) progress = qobject_cast<QProgressDialog*>(w);
        ASSERT_TRUE(progress);
        progress->cancel();
    };
    EXPECT_EQ(Run(exporter, dir.filePath("long.xlsx")), ListExport::kCancelled);
    EXPECT_LT(sink->Calls().size(), 2100u);
    EXPECT_TRUE(Leftovers().isEmpty());
    EXPECT_TRUE(messages.Shown().empty());
}

// Then it tells where the file went.
TEST_F(ListExportTest, TheSaveDialogChoosesFileAndFormat) {
    ListExport exporter(Presentation::Window);
    Describe(exporter, 3);
    const QString target = dir.filePath("清单");
    QString told;
    QTimer::singleShot(0, [&target, &told] {
        QTimer::singleShot(0, [&told] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_TRUE(box);
            told = box->text();
            box->defaultButton()->click();
        });
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->selectedNameFilter(), "Excel 工作簿 (*.xlsx)");
        dialog->selectNameFilter("CSV UTF-8 逗号分隔 (*.csv)");
        Q_EMIT dialog->filterSelected(dialog->selectedNameFilter());
        dialog->selectFile(target);
        static_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_EQ(Run(exporter, QString()), ListExport::kWritten);
    EXPECT_TRUE(QFile::exists(target + ".csv"));
    EXPECT_EQ(told, "已引出 3 行到\n" + QDir::toNativeSeparators(target + ".csv"));

    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(Run(exporter, QString()), ListExport::kCancelled);
}

}  // namespace
}  // namespace qor::test
