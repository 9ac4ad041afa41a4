#include "base/RecordsetBuilder.h"
#include "component/ColumnSchema.h"
#include "controls/KeyedTreeView.h"
#include "controls/LedgerGrid.h"
#include "host/ProgIds.h"
#include "support/FakeHost.h"
#include "ui/list/RecordCommands.h"
#include "ui/list/frmBatchTrace.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace qor;

namespace {

RecordsetPtr Traces(bool firstBanned) {
    RecordsetBuilder b;
    for (const char* f : {"FItemID", "FBatchNo", "FCustBOMID", "FOrderInterID", "FForbid", "FItemNumber", "FItemName",
                          "FModel", "FOrderBillNo", "FCustBomNo", "FTraceID"})
        b.AddField(QString::fromLatin1(f));
    b.AddRow({1024, "B1", 7, 3, firstBanned ? 1 : 0, "01.001", "电机外壳", "220V", "SO1", "BOM1", 501});
    b.AddRow({1024, "", QVariant(), QVariant(), 0, "01.001", "电机外壳", "220V", "", "", 502});
    return b.Finish();
}

RecordsetPtr Tree(const QString& sql) {
    RecordsetBuilder b;
    if (sql.contains("FROM t_Item t1")) {
        for (const char* f : {"FItemID", "FName", "FNumber", "FParentID"}) b.AddField(QString::fromLatin1(f));
        b.AddRow({11, "外壳", "01", 0});
    } else {
        for (const char* f : {"FItemID", "FName", "FNumber", "FParentID", "FDetail"}) b.AddField(QString::fromLatin1(f));
        b.AddRow({1024, "电机外壳", "01.001", 11, 1});
    }
    return b.Finish();
}

class RecordCommands : public ::testing::Test {
protected:
    void SetUp() override {
        host.SetQueryHandler([this](const QString& sql) {
            return sql.startsWith("SELECT v1.FItemID") ? Traces(firstBanned) : Tree(sql);
        });
        saver = test::RegisterFake(QString::fromLatin1(host::progid::kSaveData));
        saver->On("SaveBatchTraceData", [this](QVariantList& args) {
            args[2] = saveMessage;
            return QVariant(saveAnswer);
        });
        BuildColumnSchema(schema);
        window.SetSettingsPath(dir.filePath("VUZOvuvir.INI"));
        window.SetVectCol(schema);
        window.Load();
        window.Tree()->SelectNode("KD1024");
        Q_EMIT window.Tree()->NodeClick("KD1024");
        window.Ldg()->SetCurrentRow(2);
    }
    int ListLoads() const {
        return static_cast<int>(std::count_if(host.Statements().begin(), host.Statements().end(),
                                              [](const QString& s) { return s.startsWith("SELECT v1.FItemID"); }));
    }
    QVariantList SavedRequest(size_t i = 0) const {
        const VectorPtr v = saver->CallsOf("SaveBatchTraceData").at(i).args[1].value<VectorPtr>();
        QVariantList out;
        for (int k = 1; k <= v->Count(); ++k) out.append(v->Item(k));
        return out;
    }
    bool RightAsked(int mask) const {
        for (const auto& c : host.glData->CallsOf("AccessCheck"))
            if (c.args[2].toInt() == mask) return true;
        return false;
    }

    QTemporaryDir dir;
    test::FakeHost host;
    test::FakeObjectPtr saver;
    QString saveMessage = "删除成功！";
    int saveAnswer = 1;
    bool firstBanned = false;
    VectorPtr schema;
    frmBatchTrace window;
};

}  // namespace

TEST_F(RecordCommands, DeleteAsksThenChecksTheRightThenSavesLogsAndReloads) {
    host.messages.Answer(1);
    const int loads = ListLoads();
    window.RunMenu("mnuEditDelete");
    ASSERT_EQ(saver->CallsOf("SaveBatchTraceData").size(), 1u);
    EXPECT_EQ(SavedRequest(), (QVariantList{"DEL", 501}));
    EXPECT_EQ(host.messages.Texts(), (QStringList{"是否删除当前记录？", "删除成功！"}));
    ASSERT_EQ(host.glData->CallsOf("WriteLog").size(), 1u);
    EXPECT_EQ(host.glData->CallsOf("WriteLog")[0].args,
              (QVariantList{"K810022", 3, "删除物料: 电机外壳 客户BOM批次对应信息成功！"}));
    EXPECT_EQ(ListLoads(), loads + 1);
}

TEST_F(RecordCommands, DeleteDeclinedOrRefusedOrFailedDoesNotReload) {
    const int loads = ListLoads();
    host.messages.Answer(2);
    window.RunMenu("mnuEditDelete");
    EXPECT_FALSE(RightAsked(0x10000));
    EXPECT_EQ(host.messages.Texts(), QStringList{"是否删除当前记录？"});

    host.SetRights(0x200000 | 0x20000 | 0x400000);  // clerk: no delete right
    host.messages.Answer(1);
    window.RunMenu("mnuEditDelete");
    EXPECT_EQ(host.messages.Texts().last(), "当前用户没有删除权限！请与系统管理员联系！");

    host.SetRights(0x7FFFFFFF);
    saveAnswer = 0;
    saveMessage = "记录不存在。";
    host.messages.Answer(1);
    window.RunMenu("mnuEditDelete");
    EXPECT_EQ(host.messages.Texts().last(), "删除失败！记录不存在。");
    EXPECT_EQ(host.glData->CallsOf("WriteLog").at(0).args[2], "删除物料: 电机外壳 客户BOM批次对应信息失败！");
    EXPECT_EQ(ListLoads(), loads);

    window.Ldg()->SetCurrentRow(1);
    const size_t shown = host.messages.Shown().size();
    EXPECT_EQ(DeleteData(window), -1);
    EXPECT_EQ(host.messages.Shown().size(), shown);  // header row: nothing asked
}

TEST_F(RecordCommands, BanSendsTheVisibleColumnsWithInternalIds) {
    host.messages.Answer(1);
    const int loads = ListLoads();
    window.RunMenu("mnuEditBan");
    ASSERT_EQ(saver->CallsOf("SaveBatchTraceData").size(), 1u);
    const QVariantList request = SavedRequest();
    EXPECT_EQ(request[0], "UPT");
    EXPECT_EQ(request[1], 501);
    const DictionaryPtr map = request[2].value<DictionaryPtr>();
    EXPECT_EQ(map->Keys(), (QStringList{"FItemID", "FOrderBillNo", "FCustBomNo", "FBatchNo", "FForBid"}));
    EXPECT_EQ(map->Item("FOrderBillNo"), 3);
    EXPECT_EQ(map->Item("FCustBomNo"), 7);
    EXPECT_EQ(map->Item("FForBid"), 1);
    EXPECT_EQ(host.messages.Texts(), QStringList{"是否禁用当前记录？"});
    EXPECT_TRUE(host.glData->CallsOf("WriteLog").empty());
    EXPECT_EQ(ListLoads(), loads + 1);
}

TEST_F(RecordCommands, BanRecordMapSkipsHiddenColumnsAndEmptyTextsButKeepsZero) {
    RecordsetPtr record = Traces(false);
    record->MoveLast();  // no batch, no order, no BOM
    schema->Item(7).value<DictionaryPtr>()->Set("FColVisible", 0);
    const DictionaryPtr map = BanRecordMap(schema, *record, false);
    EXPECT_EQ(map->Keys(), (QStringList{"FItemID", "FOrderBillNo", "FCustBomNo"}));
    EXPECT_EQ(map->Item("FOrderBillNo"), 0);
    EXPECT_EQ(map->Item("FCustBomNo"), 0);
}

TEST_F(RecordCommands, BanAndUnbanTellTheStateTheRightAndARefusal) {
    host.messages.Answer(1);
    window.RunMenu("mnuEditUnBan");
    EXPECT_EQ(host.messages.Texts(), (QStringList{"是否反禁用当前记录？", "当前记录没有被禁用！"}));
    EXPECT_TRUE(saver->CallsOf("SaveBatchTraceData").empty());

    host.SetRights(0x200000);
    host.messages.Answer(1);
    window.RunMenu("mnuEditUnBan");
    EXPECT_EQ(host.messages.Texts().last(), "当前用户没有反禁用权限！请与系统管理员联系！");

    host.SetRights(0x7FFFFFFF);
    saveAnswer = 0;
    saveMessage = "记录已被删除。";
    host.messages.Answer(1);
    const int loads = ListLoads();
    EXPECT_EQ(BanData(window, true), -1);
    EXPECT_EQ(host.messages.Texts().last(), "保存失败！记录已被删除。");
    EXPECT_EQ(ListLoads(), loads);
}

TEST(BanOfABannedRecord, IsToldAfterTheQuestionAndTheRight) {
    QTemporaryDir dir;
    test::FakeHost host;
    host.SetQueryHandler([](const QString& sql) { return sql.startsWith("SELECT v1.FItemID") ? Traces(true) : Tree(sql); });
    VectorPtr schema;
    BuildColumnSchema(schema);
    frmBatchTrace window;
    window.SetSettingsPath(dir.filePath("VUZOvuvir.INI"));
    window.SetVectCol(schema);
    window.Load();
    window.Tree()->SelectNode("KD1024");
    Q_EMIT window.Tree()->NodeClick("KD1024");
    window.Ldg()->SetCurrentRow(2);
    EXPECT_EQ(window.Ldg()->CellText(2, 7), "Y");
    host.messages.Answer(1);
    EXPECT_EQ(BanData(window, true), -1);
    EXPECT_EQ(host.messages.Texts(), (QStringList{"是否禁用当前记录？", "当前记录已经被禁用！"}));
}
