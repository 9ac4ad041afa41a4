#include "platform/base/Convert.h"
#include "platform/base/Variant.h"
#include "platform/controls/LedgerGrid.h"
#include "platform/controls/LedgerPrint.h"
#include "src/host/ProgIds.h"
#include "src/host/TraceRights.h"
#include "src/ui/list/ListMenus.h"
#include "src/ui/list/PrintHeaders.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/QtPrinters.h"
#include "tests/ui/ListScene.h"

#include <gtest/gtest.h>
#include <QAbstractPrintDialog>
#include <QPrintPreviewWidget>

using namespace qor;

namespace {

// The list window with the model column hidden, which must leave no gap in
// the export.
class OutputCommands : public ::testing::Test {
protected:
    void SetUp() override {
        list.schema->Item(3).value<DictionaryPtr>()->Set("FColVisible", 0);
        list.Open();
    }
    // An export component that asks for every row as the real one does and
    // keeps what the window answered.
    test::FakeObjectPtr RegisterExport() {
        auto exporter = test::RegisterFake(host::progid::kListExport);
        auto* raw = exporter.get();
        exporter->On("Export", [this, raw](QVariantList&) {
            const auto sink = raw->Property("EventSink").value<host::ObjectPtr>();
            for (int n = 1; n <= ToInt32(raw->Property("Rows")); ++n) {
                auto cells = Vector::New();
                for (int k = ToInt32(raw->Property("Cols")); k > 0; --k) cells->Add(QString());
                QVariantList args{n, QVariant::fromValue(cells)};
                sink->CallRef("Export_LoadData", args);
                QStringList texts;
                for (int k = 1; k <= cells->Count(); ++k) texts.append(NullToEmpty(cells->Item(k)));
                exported.append(texts);
            }
            return QVariant(1);
        });
        exporter->Returns("SetColCaption", {}).Returns("SetColSize", {});
        return exporter;
    }
    QStringList CallsOf(const test::FakeObjectPtr& exporter) const {
        QStringList out;
        for (const auto& call : exporter->Calls()) {
            QStringList args;
            for (const QVariant& a : call.args) args.append(a.value<host::ObjectPtr>() ? "sink" : NullToEmpty(a));
            out.append(call.member + u'(' + args.join(u',') + u')');
        }
        return out;
    }
    controls::LedgerPrint& Printer() { return list.window->Ldg()->Printer(); }
    frmBatchTrace& window() const { return *list.window; }

    test::FakeHost host;
    test::ListScene list{host};
    QList<QStringList> exported;
};

// Acts on the next dialog the command under test opens.
void OnNextDialog(std::function<void(QDialog*)> action) {
    test::WhenModalShown([action](QWidget* modal) { action(qobject_cast<QDialog*>(modal)); });
}

}  // namespace

TEST_F(OutputCommands, ExportDescribesTheVisibleColumnsAnswersEachRowWithTheGridTextsAndNeedsTheRight) {
    list.ShowItem();
    auto exporter = RegisterExport();
    window().RunMenu("mnuExport");
    EXPECT_EQ(CallsOf(exporter),
              (QStringList{"EventSink(sink)", "Cols(6)", "SetColCaption(1,物料代码)", "SetColSize(1,255)",
                           "SetColCaption(2,物料名称)", "SetColSize(2,255)", "SetColCaption(3,销售订单编号)",
                           "SetColSize(3,255)", "SetColCaption(4,客户BOM编号)", "SetColSize(4,255)",
                           "SetColCaption(5,批号)", "SetColSize(5,255)", "SetColCaption(6,禁用)", "SetColSize(6,255)",
                           "Rows(5)", "Export(客户BOM批次对应表)"}));
    ASSERT_EQ(exported.size(), 5);
    EXPECT_EQ(exported[1], (QStringList{"01.01.001", "电机外壳", "SO1", "BOM1", "B2", "Y"}));
    EXPECT_TRUE(host.messages.Shown().empty());

    exporter = RegisterExport();
    host.SetRights(0x7FFFFFFF & ~kRightExport);
    window().RunMenu("mnuExport");
    EXPECT_EQ(host.messages.Texts(), QStringList{"当前用户没有引出权限，请与系统管理员联系！"});
    EXPECT_TRUE(exporter->Calls().empty());
    host.SetRights(kRightExport);
    host::ComponentFactory::Unregister(host::progid::kListExport);
    window().RunMenu("mnuExport");
    EXPECT_EQ(host.messages.Shown().size(), 1u) << "no export component: nothing said";
}

TEST_F(OutputCommands, PrintAndPreviewNeedThePrintRightAndSetTheHeadersAfreshEachTime) {
    list.ShowItem();
    host.SetRights(0x7FFFFFFF & ~kRightPrint);
    QStringList opened;
    OnNextDialog([&opened](QDialog* dialog) {
        opened.append(QString::fromLatin1(dialog->metaObject()->className()));
        dialog->reject();
    });
    window().RunMenu("mnuPrint");
    window().Menus()->ToolClick("preview");
    EXPECT_EQ(host.messages.Texts(), QStringList(2, "当前用户没有打印权限！请与系统管理员联系！"));
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(Printer().Header(1).Text().isEmpty());  // nothing prepared

    window().RunMenu("mnuPrintSetup");
    EXPECT_EQ(opened, QStringList{"QPageSetupDialog"});

    host.SetRights(0x7FFFFFFF);
    int pages = 0;
    OnNextDialog([&pages](QDialog* dialog) {
        auto* widget = dialog->findChild<QPrintPreviewWidget*>();
        ASSERT_TRUE(widget);
        widget->updatePreview();
        pages = widget->pageCount();
        dialog->reject();
    });
    window().Menus()->ToolClick("Preview");
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(Printer().Footer(2).Text(), "第 &[页] 页        |共 &[总页] 页");
    EXPECT_EQ(Printer().Footer(9).Font().Name(), "WenQuanYi Micro Hei");  // the language's report font

    Printer().Header(1).SetText("改过的标题");
    Printer().Header(1).Font().SetSize(30);
    OnNextDialog([](QDialog* dialog) {
        EXPECT_TRUE(qobject_cast<QAbstractPrintDialog*>(dialog));
        dialog->reject();
    });
    window().RunMenu("mnuPrint");
    EXPECT_EQ(Printer().Header(1).Text(), "客户BOM批次对应表");
    EXPECT_EQ(Printer().Header(1).Font().Size(), 18);
}

TEST_F(OutputCommands, FontSettingsWithoutNamesGiveSongTiInGb2312AndTheDateHasNoLeadingZeros) {
    host.frmResLoader->On("GetZ9FontProps", [](QVariantList&) { return QVariant::fromValue(Dictionary::New()); });
    SetupPrintHeaders(Printer(), QDate(2024, 3, 7));
    for (int i = 0; i < controls::LedgerPrint::kLineCount; ++i) {
        EXPECT_EQ(Printer().Header(i).Font().Name(), "宋体") << i;
        EXPECT_EQ(Printer().Footer(i).Font().Charset(), 134) << i;
    }
    EXPECT_EQ(Printer().Header(3).Text(), "打印日期:2024-3-7");
    EXPECT_EQ(PrintDateText(QDate(2025, 12, 25)), "2025-12-25");
}
