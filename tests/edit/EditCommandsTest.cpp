#include "EditHost.h"
#include "base/RecordsetBuilder.h"
#include "component/ColumnSchema.h"
#include "controls/KeyedTreeView.h"
#include "controls/LedgerGrid.h"
#include "controls/PropertyGrid.h"
#include "host/TraceRights.h"
#include "support/ModalDriver.h"
#include "support/QtPrinters.h"
#include "ui/edit/frmProperty.h"
#include "ui/list/EditCommands.h"
#include "ui/list/frmBatchTrace.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QTemporaryDir>
#include <QTest>

using namespace qor;

namespace {

RecordsetPtr Rows(const QStringList& fields, const QList<QVariantList>& rows) {
    RecordsetBuilder b;
    for (const QString& f : fields) b.AddField(f);
    for (const QVariantList& row : rows) b.AddRow(row);
    return b.Finish();
}

RecordsetPtr Answer(const QString& sql) {
    if (sql.contains("FROM t_Item t1"))
        return Rows({"FItemID", "FName", "FNumber", "FParentID"}, {{11, "外壳", "01", 0}});
    if (sql.startsWith(" SELECT Distinct t1.FItemID"))
        return Rows({"FItemID", "FName", "FNumber", "FParentID", "FDetail"}, {{1024, "电机外壳", "01.01.001", 11, 1}});
    if (sql.startsWith("SELECT v1.FItemID")) return test::TraceRecords(3);
    if (sql.startsWith("Select FItemID,")) return test::ItemRecord();
    return nullptr;
}

// The list window on item 1024 with the edit commands installed; what the
// edit window showed when it opened is kept in shown.
class EditCommands : public ::testing::Test {
protected:
    void SetUp() override {
        fakes.host.SetQueryHandler(Answer);
        BuildColumnSchema(schema);
        list.SetSettingsPath(dir.filePath("VUZOvuvir.INI"));
        list.SetVectCol(schema);
        list.Load();
        list.Tree()->SelectNode("KD1024");
        Q_EMIT list.Tree()->NodeClick("KD1024");
    }
    // Runs the command; act is done on the edit window once it is shown,
    // which is then closed by its Exit button.
    void Run(const char* menu, const std::function<void(frmProperty&)>& act = {}) {
        test::WhenModalShown([this, act](QWidget* modal) {
            auto* edit = qobject_cast<frmProperty*>(modal);
            ASSERT_NE(edit, nullptr);
            status = edit->Status();
            shown.clear();
            for (int row = 1; row <= 7; ++row) shown.append(edit->Grid()->CellText(2, row));
            if (act) act(*edit);
            edit->Tool("Exit")->trigger();
        });
        list.RunMenu(menu);
    }
    int ListLoads() const {
        int n = 0;
        for (const QString& s : fakes.host.Statements()) n += s.startsWith("SELECT v1.FItemID") ? 1 : 0;
        return n;
    }

    QTemporaryDir dir;
    test::EditHost fakes;
    VectorPtr schema;
    frmBatchTrace list;
    QStringList shown;
    int status = -1;
};

}  // namespace

TEST(EditCommandsSql, TheNewRecordsItemStatement) {
    EXPECT_EQ(ItemRecordSql(1024, false),
              "Select FItemID,FNumber AS FItemNumber,FName AS FItemName,FModel From t_ICItem Where FItemID=1024");
    EXPECT_EQ(ItemRecordSql(7, true),
              "Select FItemID,  FShortNumber AS FItemNumber,FName AS FItemName,FModel From t_ICItem Where FItemID=7");
}

TEST_F(EditCommands, NewOpensOnTheItemAndReloadsOnlyAfterASave) {
    const int loads = ListLoads();
    Run("mnuEditNew");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(shown, (QStringList{"01.01.001", "电机外壳", "220V", "", "", "", "0"}));
    EXPECT_TRUE(fakes.host.Statements().contains(ItemRecordSql(1024, false)));
    EXPECT_EQ(ListLoads(), loads) << "closed without saving";

    Run("mnuEditNew", [](frmProperty& edit) {
        edit.ResolveInput(2, 5, "BOM1");
        edit.ResolveInput(2, 6, "N1");
        edit.Tool("Save")->trigger();
    });
    ASSERT_EQ(fakes.requests.size(), 1u);
    EXPECT_EQ(ListLoads(), loads + 1);

    fakes.host.SetRights(0x7FFFFFFF & ~kRightNew);
    list.RunMenu("mnuEditNew");
    EXPECT_EQ(fakes.host.messages.Texts().last(), "当前用户没有新增权限！请与系统管理员联系！");
}

TEST_F(EditCommands, ModifyOpensTheCurrentRowForChangeOrOnlyForViewing) {
    list.Ldg()->SetCurrentRow(3);
    Run("mnuEditModify");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(shown[5], "B2");

    fakes.host.SetRights(0x7FFFFFFF & ~kRightModify);
    list.Ldg()->SetCurrentRow(4);
    Run("mnuEditModify", [](frmProperty& edit) { edit.Tool("Pr")->trigger(); });
    EXPECT_EQ(status, 2);
    EXPECT_EQ(shown[5], "B3");
    EXPECT_EQ(fakes.host.messages.Texts(), QStringList{"当前用户没有修改权限！请与系统管理员联系！"});
    EXPECT_EQ(list.Ldg()->CurrentRow(), 3) << "the list's selection follows the record shown";
}

TEST_F(EditCommands, ModifyWithoutViewRightOrRecordOpensNothing) {
    fakes.host.SetRights(0x7FFFFFFF & ~kRightView);
    list.Ldg()->SetCurrentRow(2);
    list.RunMenu("mnuEditModify");
    EXPECT_EQ(fakes.host.messages.Texts(), QStringList{"当前用户没有查看权限！请与系统管理员联系！"});
    EXPECT_EQ(fakes.host.glData->CallsOf("AccessCheck").back().args.value(2), QVariant(kRightView));

    fakes.host.SetRights(0x7FFFFFFF);
    list.Ldg()->SetCurrentRow(1);
    list.RunMenu("mnuEditModify");
    EXPECT_EQ(fakes.host.messages.Texts().size(), 1);
    EXPECT_EQ(list.findChild<frmProperty*>(), nullptr);
}
