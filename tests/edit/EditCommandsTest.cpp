#include "platform/controls/LedgerGrid.h"
#include "platform/controls/PropertyGrid.h"
#include "src/host/TraceRights.h"
#include "src/ui/edit/frmProperty.h"
#include "src/ui/list/EditCommands.h"
#include "tests/edit/EditHost.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>
#include <QAction>
#include <optional>

using namespace qor;

namespace {

// The list window on item 1024 (three records) with the edit commands
// installed; what the edit window showed when it opened is kept in shown.
class EditCommands : public ::testing::Test {
protected:
    void SetUp() override {
        list.records = 3;
        list.Open();
        list.ShowItem();
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
        list.window->RunMenu(menu);
    }
    QStringList Messages() const { return fakes.host.messages.Texts(); }

    test::EditHost fakes;
    test::ListScene list{fakes.host};
    QStringList shown;
    std::optional<EditStatus> status;  // empty until the edit window opens
};

}  // namespace

TEST(EditCommandsSql, TheNewRecordsItemStatement) {
    EXPECT_EQ(ItemRecordSql(1024, false),
              "Select FItemID,FNumber AS FItemNumber,FName AS FItemName,FModel From t_ICItem Where FItemID=1024");
    EXPECT_EQ(ItemRecordSql(7, true),
              "Select FItemID,  FShortNumber AS FItemNumber,FName AS FItemName,FModel From t_ICItem Where FItemID=7");
}

TEST_F(EditCommands, NewOpensOnTheItemAndReloadsOnlyAfterASave) {
    const auto loads = list.ListStatements().size();
    Run("mnuEditNew");
    EXPECT_EQ(status, EditStatus::New);
    EXPECT_EQ(shown, (QStringList{"01.01.001", "电机外壳", "220V", "", "", "", "0"}));
    EXPECT_EQ(list.ListStatements().size(), loads) << "closed without saving";

    Run("mnuEditNew", [](frmProperty& edit) {
        edit.ResolveInput(2, 5, "BOM1");
        edit.ResolveInput(2, 6, "N1");
        edit.Tool("Save")->trigger();
    });
    ASSERT_EQ(fakes.requests.size(), 1u);
    EXPECT_EQ(list.ListStatements().size(), loads + 1);

    fakes.host.SetRights(0x7FFFFFFF & ~kRightNew);
    list.window->RunMenu("mnuEditNew");
    EXPECT_EQ(Messages().last(), "当前用户没有新增权限！请与系统管理员联系！");
}

TEST_F(EditCommands, ModifyOpensTheCurrentRowForChangeOrOnlyForViewingAndNothingWithoutTheViewRight) {
    list.window->Ldg()->SetCurrentRow(3);
    Run("mnuEditModify");
    EXPECT_EQ(status, EditStatus::Modify);
    EXPECT_EQ(shown[5], "B2");

    fakes.host.SetRights(0x7FFFFFFF & ~kRightModify);
    list.window->Ldg()->SetCurrentRow(4);
    Run("mnuEditModify");
    EXPECT_EQ(status, EditStatus::View);
    EXPECT_EQ(shown[5], "B3");
    EXPECT_EQ(Messages(), QStringList{"当前用户没有修改权限！请与系统管理员联系！"});

    fakes.host.SetRights(0x7FFFFFFF & ~kRightView);
    list.window->Ldg()->SetCurrentRow(2);
    list.window->RunMenu("mnuEditModify");
    EXPECT_EQ(Messages().mid(1), QStringList{"当前用户没有查看权限！请与系统管理员联系！"});
}
