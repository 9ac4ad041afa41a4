#include "base/Convert.h"
#include "base/RecordsetBuilder.h"
#include "base/Variant.h"
#include "component/ColumnSchema.h"
#include "controls/KeyedTreeView.h"
#include "controls/LedgerGrid.h"
#include "controls/LedgerPrint.h"
#include "host/ProgIds.h"
#include "host/TraceRights.h"
#include "support/FakeHost.h"
#include "support/ModalDriver.h"
#include "ui/list/ListMenus.h"
#include "ui/list/PrintHeaders.h"
#include "ui/list/frmBatchTrace.h"

#include <gtest/gtest.h>
#include <QAbstractPrintDialog>
#include <QPageSetupDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

using namespace qor;

namespace {

RecordsetPtr Groups() {
    RecordsetBuilder b;
    for (const char* f : {"FItemID", "FName", "FNumber", "FParentID"}) b.AddField(QString::fromLatin1(f));
    b.AddRow({10, "电机", "01", 0});
    return b.Finish();
}

RecordsetPtr Items() {
    RecordsetBuilder b;
    for (const char* f : {"FItemID", "FName", "FNumber", "FParentID", "FDetail"}) b.AddField(QString::fromLatin1(f));
    b.AddRow({1024, "电机外壳", "01.001", 10, 1});
    return b.Finish();
}

RecordsetPtr Traces(int count) {
    RecordsetBuilder b;
    for (const char* f : {"FItemID", "FBatchNo", "FCustBOMID", "FOrderInterID", "FForbid", "FItemNumber", "FItemName",
                          "FModel", "FOrderBillNo", "FCustBomNo", "FTraceID"})
        b.AddField(QString::fromLatin1(f));
    for (int i = 1; i <= count; ++i)
        b.AddRow({1024, QStringLiteral("B%1").arg(i), 7, 3, i % 2, "01.001", "电机外壳", QStringLiteral("型%1").arg(i),
                  "SO1", "BOM1", 100 + i});
    return b.Finish();
}

RecordsetPtr Answer(const QString& sql) {
    if (sql.contains("FROM t_Item t1")) return Groups();
    if (sql.startsWith(" SELECT Distinct t1.FItemID")) return Items();
    if (sql.startsWith("SELECT v1.FItemID")) return Traces(5);
    return nullptr;
}

// Acts on the next dialog the command under test opens.
void OnNextDialog(std::function<void(QDialog*)> action) {
    test::WhenModalShown([action](QWidget* modal) { action(qobject_cast<QDialog*>(modal)); });
}

class OutputCommands : public ::testing::Test {
protected:
    void SetUp() override {
        host.SetQueryHandler(Answer);
        BuildColumnSchema(schema);
        // The model column is not shown: it must leave no gap in the export.
        schema->Item(3).value<DictionaryPtr>()->Set(QStringLiteral("FColVisible"), 0);
        window = std::make_unique<frmBatchTrace>();
        window->SetSettingsPath(dir.filePath("VUZOvuvir.INI"));
        window->SetVectCol(schema);
        window->Load();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void SelectItem() {
        window->Tree()->SelectNode("KD1024");
        Q_EMIT window->Tree()->NodeClick("KD1024");
        QCoreApplication::processEvents();
        ASSERT_EQ(window->Ldg()->Rows(), 6);
    }
    // An export component that asks for every row as the real one does and
    // keeps what the window answered.
    test::FakeObjectPtr RegisterExport() {
        auto exporter = test::RegisterFake(QString::fromLatin1(host::progid::kListExport));
        auto* raw = exporter.get();
        exporter->On(QStringLiteral("Export"), [this, raw](QVariantList&) {
            const auto sink = raw->Property(QStringLiteral("EventSink")).value<host::ObjectPtr>();
            const int rows = ToInt32(raw->Property(QStringLiteral("Rows")));
            for (int n = 1; n <= rows; ++n) {
                auto cells = Vector::New();
                for (int k = ToInt32(raw->Property(QStringLiteral("Cols"))); k > 0; --k) cells->Add(QString());
                QVariantList args{n, QVariant::fromValue(cells)};
                sink->CallRef(QStringLiteral("Export_LoadData"), args);
                QStringList texts;
                for (int k = 1; k <= cells->Count(); ++k) texts.append(NullToEmpty(cells->Item(k)));
                exported.append(texts);
            }
            return QVariant(1);
        });
        exporter->On(QStringLiteral("SetColCaption"), [](QVariantList&) { return QVariant(); });
        exporter->On(QStringLiteral("SetColSize"), [](QVariantList&) { return QVariant(); });
        return exporter;
    }
    static QString Describe(const test::RecordedCall& call) {
        QStringList args;
        for (const QVariant& a : call.args)
            args.append(a.canConvert<host::ObjectPtr>() && a.value<host::ObjectPtr>() ? "sink" : NullToEmpty(a));
        return call.member + u'(' + args.join(u',') + u')';
    }
    controls::LedgerPrint& Printer() { return window->Ldg()->Printer(); }

    QTemporaryDir dir;
    test::FakeHost host;
    VectorPtr schema;
    std::unique_ptr<frmBatchTrace> window;
    QList<QStringList> exported;
};

}  // namespace

TEST_F(OutputCommands, ExportDescribesTheVisibleColumnsThenAnswersEachRowWithTheGridTexts) {
    SelectItem();
    auto exporter = RegisterExport();
    window->RunMenu("mnuExport");

    QStringList calls;
    for (const auto& call : exporter->Calls()) calls.append(Describe(call));
    EXPECT_EQ(calls, (QStringList{"EventSink(sink)", "Cols(6)", "SetColCaption(1,物料代码)", "SetColSize(1,255)",
                                  "SetColCaption(2,物料名称)", "SetColSize(2,255)", "SetColCaption(3,销售订单编号)",
                                  "SetColSize(3,255)", "SetColCaption(4,客户BOM编号)", "SetColSize(4,255)",
                                  "SetColCaption(5,批号)", "SetColSize(5,255)", "SetColCaption(6,禁用)",
                                  "SetColSize(6,255)", "Rows(5)", "Export(客户BOM批次对应表)"}));
    ASSERT_EQ(exported.size(), 5);
    for (int n = 1; n <= 5; ++n) {
        QStringList grid;
        for (int c : {1, 2, 4, 5, 6, 7}) grid.append(window->Ldg()->CellText(n + 1, c));
        EXPECT_EQ(exported[n - 1], grid) << n;
    }
    EXPECT_EQ(exported[0], (QStringList{"01.001", "电机外壳", "SO1", "BOM1", "B1", "Y"}));
    EXPECT_TRUE(host.messages.Shown().empty());
}

TEST_F(OutputCommands, ExportOfAnEmptyListSendsTheCaptionsAndNoRows) {
    auto exporter = RegisterExport();
    window->RunMenu("mnuExport");
    EXPECT_EQ(ToInt32(exporter->Property("Rows")), 0);
    EXPECT_EQ(exporter->CallsOf("SetColCaption").size(), 6u);
    EXPECT_TRUE(exported.isEmpty());
}

TEST_F(OutputCommands, ExportNeedsTheExportRightAndSaysNothingWithoutAComponent) {
    SelectItem();
    auto exporter = RegisterExport();
    host.SetRights(0x7FFFFFFF & ~kRightExport);
    window->RunMenu("mnuExport");
    EXPECT_EQ(host.messages.Texts(), QStringList{"当前用户没有引出权限，请与系统管理员联系！"});
    EXPECT_TRUE(exporter->Calls().empty());

    host.SetRights(kRightExport);
    host::ComponentFactory::Unregister(QString::fromLatin1(host::progid::kListExport));
    window->RunMenu("mnuExport");
    EXPECT_EQ(host.messages.Shown().size(), 1u);
}

TEST_F(OutputCommands, PrintAndPreviewNeedThePrintRightPageSetUpDoesNot) {
    SelectItem();
    host.SetRights(0x7FFFFFFF & ~kRightPrint);
    QStringList opened;
    auto record = [&opened](QDialog* dialog) {
        opened.append(QString::fromLatin1(dialog->metaObject()->className()));
        dialog->reject();
    };
    OnNextDialog(record);
    window->RunMenu("mnuPrint");
    window->Menus()->ToolClick("preview");
    EXPECT_EQ(host.messages.Texts(), (QStringList{"当前用户没有打印权限！请与系统管理员联系！",
                                                  "当前用户没有打印权限！请与系统管理员联系！"}));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(Printer().Header(1).Text().isEmpty());  // nothing prepared

    window->RunMenu("mnuPrintSetup");
    EXPECT_EQ(opened, QStringList{"QPageSetupDialog"});
}

TEST_F(OutputCommands, PreviewShowsThePagesWithTheHeadersSetAfreshEachTime) {
    SelectItem();
    int pages = 0;
    auto preview = [&pages](QDialog* dialog) {
        ASSERT_TRUE(qobject_cast<QPrintPreviewDialog*>(dialog));
        auto* widget = dialog->findChild<QPrintPreviewWidget*>();
        widget->updatePreview();
        pages = widget->pageCount();
        dialog->reject();
    };
    OnNextDialog(preview);
    window->Menus()->ToolClick("Preview");
    EXPECT_EQ(pages, 1);

    const QString today = QStringLiteral("打印日期:") + PrintDateText(QDate::currentDate());
    EXPECT_EQ(Printer().Header(1).Text(), "客户BOM批次对应表");
    EXPECT_EQ(Printer().Header(1).Font().Size(), 18);
    EXPECT_TRUE(Printer().Header(1).Font().Bold());
    EXPECT_EQ(Printer().Header(2).Text(), " ");
    EXPECT_EQ(Printer().Header(3).Text(), today);
    EXPECT_EQ(Printer().Header(3).Font().Size(), 9);
    EXPECT_EQ(Printer().Footer(1).Text(), " ");
    EXPECT_EQ(Printer().Footer(2).Text(), "第 &[页] 页        |共 &[总页] 页");
    EXPECT_EQ(Printer().TableGap(), 0);
    for (int i = 0; i < controls::LedgerPrint::kLineCount; ++i) {
        EXPECT_EQ(Printer().Header(i).Font().Name(), "WenQuanYi Micro Hei") << i;
        EXPECT_EQ(Printer().Footer(i).Font().Charset(), 134) << i;
    }

    Printer().Header(1).SetText("改过的标题");
    Printer().Header(1).Font().SetSize(30);
    OnNextDialog([](QDialog* dialog) {
        EXPECT_TRUE(qobject_cast<QAbstractPrintDialog*>(dialog));
        dialog->reject();
    });
    window->RunMenu("mnuPrint");
    EXPECT_EQ(Printer().Header(1).Text(), "客户BOM批次对应表");
    EXPECT_EQ(Printer().Header(1).Font().Size(), 18);
}

TEST_F(OutputCommands, FontSettingsWithoutNamesGiveSongTiInGb2312) {
    host.frmResLoader->On("GetZ9FontProps", [](QVariantList&) { return QVariant::fromValue(Dictionary::New()); });
    SetupPrintHeaders(Printer(), QDate(2024, 3, 7));
    for (int i = 0; i < controls::LedgerPrint::kLineCount; ++i) {
        EXPECT_EQ(Printer().Header(i).Font().Name(), "宋体") << i;
        EXPECT_EQ(Printer().Footer(i).Font().Charset(), 134) << i;
    }
    EXPECT_EQ(Printer().Header(3).Text(), "打印日期:2024-3-7");
}

TEST(PrintDate, HasNoLeadingZerosInMonthAndDay) {
    EXPECT_EQ(PrintDateText(QDate(2024, 3, 7)), "2024-3-7");
    EXPECT_EQ(PrintDateText(QDate(2024, 12, 25)), "2024-12-25");
    EXPECT_EQ(PrintDateText(QDate(2025, 1, 10)), "2025-1-10");
}
