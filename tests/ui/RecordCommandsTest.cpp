#include "platform/controls/LedgerGrid.h"
#include "src/host/ProgIds.h"
#include "src/ui/list/RecordCommands.h"
#include "tests/ui/ListScene.h"

#include <gtest/gtest.h>

using namespace qor;

namespace {

QString Describe(const DictionaryPtr& map) {
    QStringList parts;
    for (const QString& key : map->Keys()) parts.append(key + u'=' + map->Item(key).toString());
    return parts.join(u';');
}

// The list of item 1024 with record 1 current; the save component answers
// saveAnswer and saveMessage.
class RecordCommands : public ::testing::Test {
protected:
    void SetUp() override {
        saver->On("SaveBatchTraceData", [this](QVariantList& args) {
            args[2] = saveMessage;
            return QVariant(saveAnswer);
        });
        list.Open();
        list.ShowItem();
        window().Ldg()->SetCurrentRow(2);
    }
    frmBatchTrace& window() const { return *list.window; }
    QStringList Shown() const { return host.messages.Texts(); }

    test::FakeHost host;
    test::ListScene list{host};
    test::FakeObjectPtr saver = test::RegisterFake(host::progid::kSaveData);
    QString saveMessage;
    int saveAnswer = 1;
};

}  // namespace

TEST_F(RecordCommands, DeleteAsksThenChecksTheRightThenSavesAndLogsAndAFailureKeepsTheList) {
    const auto loads = list.ListStatements().size();
    const auto rightChecks = host.glData->CallsOf("AccessCheck").size();
    host.messages.Answer(2);
    window().RunMenu("mnuEditDelete");
    EXPECT_EQ(host.glData->CallsOf("AccessCheck").size(), rightChecks) << "the question comes first";
    EXPECT_EQ(Shown(), QStringList{"是否删除当前记录？"});

    host.SetRights(0x200000 | 0x20000 | 0x400000);  // clerk: no delete right
    host.messages.Answer(1);
    window().RunMenu("mnuEditDelete");
    EXPECT_EQ(Shown().last(), "当前用户没有删除权限！请与系统管理员联系！");

    host.SetRights(0x7FFFFFFF);
    saveAnswer = 0;
    saveMessage = "记录不存在。";
    host.messages.Answer(1);
    window().RunMenu("mnuEditDelete");
    EXPECT_EQ(Shown().last(), "删除失败！记录不存在。");
    EXPECT_EQ(host.glData->CallsOf("WriteLog").at(0).args[2], "删除物料: 电机外壳 客户BOM批次对应信息失败！");
    EXPECT_EQ(list.ListStatements().size(), loads);

    saveAnswer = 1;
    saveMessage = "删除成功！";
    host.messages.Answer(1);
    window().RunMenu("mnuEditDelete");
    EXPECT_EQ(Shown().mid(5), (QStringList{"是否删除当前记录？", "删除成功！"}));
    EXPECT_EQ(host.glData->CallsOf("WriteLog").at(1).args,
              (QVariantList{"K810022", 3, "删除物料: 电机外壳 客户BOM批次对应信息成功！"}));
}

// Ban sends the visible columns with internal ids; a hidden column and empty
// texts are left out, a zero is kept.
TEST_F(RecordCommands, BanSendsTheVisibleColumnsWithInternalIds) {
    host.messages.Answer(1);
    const auto loads = list.ListStatements().size();
    window().RunMenu("mnuEditBan");
    const VectorPtr request = saver->CallsOf("SaveBatchTraceData").back().args[1].value<VectorPtr>();
    EXPECT_EQ(Describe(request->Item(3).value<DictionaryPtr>()),
              "FItemID=1024;FOrderBillNo=3;FCustBomNo=7;FBatchNo=B1;FForBid=1");
    EXPECT_EQ(request->Item(1).toString() + request->Item(2).toString(), "UPT101");
    EXPECT_TRUE(host.glData->CallsOf("WriteLog").empty());
    EXPECT_EQ(list.ListStatements().size(), loads + 1);

    RecordsetPtr record = test::Rows({"FItemID", "FBatchNo", "FCustBOMID", "FOrderInterID", "FForbid", "FTraceID"},
                                     {{1024, "", QVariant(), QVariant(), 0, 102}});
    list.schema->Item(7).value<DictionaryPtr>()->Set("FColVisible", 0);
    EXPECT_EQ(Describe(BanRecordMap(list.schema, *record, false)), "FItemID=1024;FOrderBillNo=0;FCustBomNo=0");
}

TEST_F(RecordCommands, BanAndUnbanTellTheStateAfterTheQuestionAndTheRight) {
    host.messages.Answer(1);
    window().RunMenu("mnuEditUnBan");
    EXPECT_EQ(Shown(), (QStringList{"是否反禁用当前记录？", "当前记录没有被禁用！"}));

    window().Ldg()->SetCurrentRow(3);  // record 2 is banned
    host.messages.Answer(1);
    EXPECT_EQ(BanData(window(), true), -1);
    EXPECT_EQ(Shown().mid(2), (QStringList{"是否禁用当前记录？", "当前记录已经被禁用！"}));
    EXPECT_TRUE(saver->CallsOf("SaveBatchTraceData").empty());

    host.SetRights(0x200000);
    host.messages.Answer(1);
    window().RunMenu("mnuEditUnBan");
    EXPECT_EQ(Shown().last(), "当前用户没有反禁用权限！请与系统管理员联系！");

    host.SetRights(0x7FFFFFFF);
    saveAnswer = 0;
    saveMessage = "记录已被删除。";
    host.messages.Answer(1);
    const auto loads = list.ListStatements().size();
    EXPECT_EQ(BanData(window(), false), -1);
    EXPECT_EQ(Shown().last(), "保存失败！记录已被删除。");
    EXPECT_EQ(list.ListStatements().size(), loads);
}
