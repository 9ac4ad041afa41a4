#include "CompanyFixture.h"
#include "ForwardingDatabase.h"

#include "base/Convert.h"
#include "base/Variant.h"
#include "db/DbError.h"
#include "host/ProgIds.h"

#include <gmock/gmock.h>

namespace qor::test {
namespace {

using ::testing::HasSubstr;

constexpr qint64 kBan = 0x8000;
constexpr qint64 kDelete = 0x10000;
constexpr qint64 kNew = 0x20000;
constexpr qint64 kModify = 0x400000;
constexpr qint64 kAllRights = kBan | kDelete | kNew | kModify;

const QString kAllTraces = QStringLiteral(
    "SELECT FItemID, FBatchNo, FCustBomID, FOrderInterID, FOrderEntryID, FForbid FROM ICOrderBatchTrace ORDER BY "
    "FTraceID");

struct Answer {
    int code;
    QString message;
};

using Fields = std::vector<std::pair<QString, QVariant>>;

// Another user stores the same item and batch between the checks and the
// write. Transactions are left out, so the other user's row stays when the
// write that follows it fails.
class RivalInsertDatabase : public ForwardingDatabase {
public:
    using ForwardingDatabase::ForwardingDatabase;
    void Begin() override {}
    void Commit() override {}
    void Rollback() override {}
    qint64 Execute(const QString& sql, const QVariantList& params = {}) override {
        if (!rivalDone_ && sql.startsWith(QLatin1String("INSERT INTO ICOrderBatchTrace"))) {
            rivalDone_ = true;
            inner_->Execute(sql, params);
        }
        return inner_->Execute(sql, params);
    }

private:
    bool rivalDone_ = false;
};

// The write of a trace record (INSERT, UPDATE or DELETE) meets trouble: the
// database fails it the first `failures` times with the given failure, or
// another user deletes the record just before it runs.
class TroubledWriteDatabase : public ForwardingDatabase {
public:
    TroubledWriteDatabase(db::DatabasePtr inner, db::DbFailure failure, int failures, bool deleteFirst = false)
        : ForwardingDatabase(std::move(inner)), failure_(failure), failures_(failures), deleteFirst_(deleteFirst) {}
    qint64 Execute(const QString& sql, const QVariantList& params = {}) override {
        const bool write = sql.startsWith(QLatin1String("INSERT INTO ICOrderBatchTrace")) ||
                           sql.startsWith(QLatin1String("UPDATE ICOrderBatchTrace"));
        if (write && deleteFirst_) inner_->Execute(QStringLiteral("DELETE FROM ICOrderBatchTrace"));
        if (write && failures_ > 0) {
            --failures_;
            throw db::DbError(QStringLiteral("与数据库服务器的连接出了问题"), sql, failure_);
        }
        return inner_->Execute(sql, params);
    }
private:
    db::DbFailure failure_;
    int failures_;
    bool deleteFirst_;
};

// Items 101 and 102 may carry traces (ERP class 7), item 201 may not. BOM
// 301 belongs to item 101, 302 to item 102. Order 401 has line 1 of item 101
// and line 2 of item 102; order 402 only a line of item 102.
class SaveDataTest : public CompanyFixture {
protected:
    void SetUp() override {
        CompanyFixture::SetUp();
        if (IsSkipped()) return;
        Exec(QStringLiteral(
            "INSERT INTO t_ICItem (FItemID, FNumber, FName, FErpClsID) VALUES "
            "(101, '1.01.001', '控制板', 7), (102, '1.01.002', '电源板', 7), (201, '2.01.001', '螺钉', 1)"));
        Exec(
            QStringLiteral("INSERT INTO ICBom (FInterID, FBOMNumber, FItemID, FBomType) VALUES "
                           "(301, 'BOM-101', 101, 3), (302, 'BOM-102', 102, 3)"));
        Exec(
            QStringLiteral("INSERT INTO SEOrder (FInterID, FBillNo, FDate) VALUES "
                           "(401, 'SEORD000401', '2024-03-01'), (402, 'SEORD000402', '2024-03-02')"));
        Exec(
            QStringLiteral("INSERT INTO SEOrderEntry (FInterID, FEntryID, FItemID, FBomInterID) VALUES "
                           "(401, 1, 101, 301), (401, 2, 102, 302), (402, 1, 102, 302)"));
    }

    int AddTrace(int item, const QString& batch, int bom, int order, int entry, int forbid) {
        Exec(QStringLiteral("INSERT INTO ICOrderBatchTrace "
                            "(FItemID, FBatchNo, FCustBomID, FOrderInterID, FOrderEntryID, FForbid) "
                            "VALUES (?, ?, ?, ?, ?, ?)"),
             {item, batch, bom, order, entry, forbid});
        return static_cast<int>(database_->LastInsertId());
    }

    Answer Save(const QString& operation, int traceId, const std::optional<Fields>& fields = std::nullopt) {
        auto data = Vector::New();
        data->Add(operation);
        data->Add(traceId);
        if (fields) {
            auto dictionary = Dictionary::New();
            for (const auto& [key, value] : *fields) dictionary->Set(key, value);
            data->Add(QVariant::fromValue(dictionary));
        }
        QVariantList args{QStringLiteral("UserID=16;UserName=王工"), QVariant::fromValue(data), QString()};
        const QVariant result = Create(host::progid::kSaveData)->CallRef(QStringLiteral("SaveBatchTraceData"), args);
        return {ToInt32(result), args[2].toString()};
    }

    QString Trace(int traceId) {
        return Rows(QStringLiteral("SELECT FItemID, FBatchNo, FCustBomID, FOrderInterID, FOrderEntryID, FForbid "
                                   "FROM ICOrderBatchTrace WHERE FTraceID = ?"),
                    {traceId});
    }
};

QOR_INSTANTIATE_FOR_BACKENDS(SaveDataTest);

// Ids may come as text or numbers, the flag in any form the list sends.
TEST_P(SaveDataTest, InsertMapsTheRequestOntoTheTable) {
    GrantTraceRights(kNew);
    const Answer answer = Save("INS", 0,
                               Fields{{"FItemID", 101},
                                      {"FItemName", "控制板"},
                                      {"FModel", ""},
                                      {"FOrderBillNo", 401},
                                      {"FCustBomNo", 301},
                                      {"FBatchNo", "B240301"},
                                      {"FForBid", 0},
                                      {"EntryID", 1}});
    EXPECT_EQ(answer.code, 1);
    EXPECT_EQ(answer.message, QStringLiteral("保存成功！"));
    EXPECT_EQ(Save("INS", 0,
                   Fields{{"fitemid", "101"},
                          {"FOrderBillNo", " 401 "},
                          {"FCustBomNo", "301"},
                          {"FBatchNo", "B1"},
                          {"FFORBID", "TRUE"}})
                  .code,
              1);
    EXPECT_EQ(
        Save("INS", 0, Fields{{"FItemID", 102.0}, {"FOrderBillNo", ""}, {"FBatchNo", "B2"}, {"FForBid", true}}).code,
        1);
    EXPECT_EQ(Rows(kAllTraces), QStringLiteral("101|B240301|301|401|1|0|\n101|B1|301|401|0|1|\n102|B2|0|0|0|1|"));
}

TEST_P(SaveDataTest, RefusedRequestsWriteNothing) {
    GrantTraceRights(kAllRights);
    const int existing = AddTrace(101, QStringLiteral("B1"), 301, 401, 1, 0);
    const int gone = existing + 100;
    struct Case {
        const char* what;
        const char* operation;
        int traceId;
        std::optional<Fields> fields;
        const char* reason;
    };
    const std::vector<Case> cases{
        {"item of another ERP class", "INS", 0, Fields{{"FItemID", 201}, {"FBatchNo", "B9"}}, "ERP 属性为 7"},
        {"unknown item", "INS", 0, Fields{{"FItemID", 999}, {"FBatchNo", "B9"}}, "物料不存在"},
        {"no item", "INS", 0, Fields{{"FBatchNo", "B9"}}, "必须录入物料！"},
        {"blank batch", "INS", 0, Fields{{"FItemID", 101}, {"FBatchNo", "  "}}, "必须录入批号！"},
        {"no batch", "INS", 0, Fields{{"FItemID", 101}}, "必须录入批号！"},
        {"BOM of another item", "INS", 0, Fields{{"FItemID", 101}, {"FBatchNo", "B9"}, {"FCustBomNo", 302}},
         "BOM-102 不是物料 1.01.001 的BOM"},
        {"unknown BOM", "INS", 0, Fields{{"FItemID", 101}, {"FBatchNo", "B9"}, {"FCustBomNo", 399}}, "客户BOM不存在"},
        {"order without a line of the item", "INS", 0,
         Fields{{"FItemID", 101}, {"FBatchNo", "B9"}, {"FOrderBillNo", 402}}, "SEORD000402 中没有物料 1.01.001"},
        {"order line of another item", "INS", 0,
         Fields{{"FItemID", 101}, {"FBatchNo", "B9"}, {"FOrderBillNo", 401}, {"EntryID", 2}},
         "第 2 行分录的物料不是 1.01.001"},
        {"order line that does not exist", "INS", 0,
         Fields{{"FItemID", 101}, {"FBatchNo", "B9"}, {"FOrderBillNo", 401}, {"EntryID", 7}}, "没有第 7 行分录"},
        {"order number instead of its id", "INS", 0,
         Fields{{"FItemID", 101}, {"FBatchNo", "B9"}, {"FOrderBillNo", "SEORD000401"}}, "内码“SEORD000401”不正确"},
        {"same item and batch", "INS", 0, Fields{{"FItemID", 101}, {"FBatchNo", "B1"}}, "已有对应记录"},
        {"insert without fields", "INS", 0, std::nullopt, "缺少字段值"},
        {"update of a record that is gone", "UPT", gone, Fields{{"FBatchNo", "B9"}}, "当前记录不存在"},
        {"update to a BOM of another item", "UPT", existing, Fields{{"FCustBomNo", 302}}, "不是物料 1.01.001"},
        {"update to another item keeping the BOM", "UPT", existing, Fields{{"FItemID", 102}},
         "BOM-101 不是物料 1.01.002"},
        {"update to an empty batch", "UPT", existing, Fields{{"FBatchNo", ""}}, "必须录入批号！"},
        {"delete of a record that is gone", "DEL", gone, std::nullopt, "当前记录不存在"},
        {"unknown operation", "MOD", existing, Fields{{"FBatchNo", "B9"}}, "不支持的保存操作“MOD”"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString before = Rows(kAllTraces);
        const Answer answer = Save(QString::fromUtf8(c.operation), c.traceId, c.fields);
        EXPECT_NE(answer.code, 1);
        EXPECT_THAT(answer.message.toStdString(), HasSubstr(c.reason));
        EXPECT_EQ(Rows(kAllTraces), before);
    }
}

TEST_P(SaveDataTest, UpdateLeavesColumnsNotSentAsTheyAre) {
    GrantTraceRights(kModify);
    const int id = AddTrace(101, QStringLiteral("B1"), 301, 401, 1, 0);

    EXPECT_EQ(Save("UPT", id, Fields{{"FBatchNo", "B2"}}).code, 1);
    EXPECT_EQ(Trace(id), QStringLiteral("101|B2|301|401|1|0|"));

    EXPECT_EQ(Save("UPT", id, Fields{{"FOrderBillNo", 0}}).code, 1);
    EXPECT_EQ(Trace(id), QStringLiteral("101|B2|301|0|0|0|"));
}

// Each operation is refused without its own right and allowed with that right alone.
TEST_P(SaveDataTest, EachOperationNeedsItsOwnRight) {
    const int open = AddTrace(101, QStringLiteral("B1"), 301, 401, 1, 0);
    const int banned = AddTrace(102, QStringLiteral("B2"), 302, 401, 2, 1);
    struct Case {
        const char* what;
        qint64 right;
        const char* operation;
        int traceId;
        std::optional<Fields> fields;
        const char* refusal;
    };
    const std::vector<Case> cases{
        {"insert", kNew, "INS", 0, Fields{{"FItemID", 101}, {"FBatchNo", "B3"}}, "新增"},
        {"change", kModify, "UPT", open, Fields{{"FBatchNo", "B4"}}, "修改"},
        {"ban", kBan, "UPT", open, Fields{{"FForBid", 1}}, "禁用"},
        {"unban", kBan, "UPT", banned, Fields{{"FForBid", 0}}, "反禁用"},
        {"delete", kDelete, "DEL", banned, std::nullopt, "删除"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        GrantTraceRights(kAllRights & ~c.right);
        const QString before = Rows(kAllTraces);
        const Answer refused = Save(QString::fromUtf8(c.operation), c.traceId, c.fields);
        EXPECT_NE(refused.code, 1);
        EXPECT_EQ(refused.message,
                  QStringLiteral("当前用户没有%1权限！请与系统管理员联系！").arg(QString::fromUtf8(c.refusal)));
        EXPECT_EQ(Rows(kAllTraces), before);

        GrantTraceRights(c.right);
        EXPECT_EQ(Save(QString::fromUtf8(c.operation), c.traceId, c.fields).code, 1);
        EXPECT_NE(Rows(kAllTraces), before);
    }
    EXPECT_EQ(Rows(kAllTraces), QStringLiteral("101|B4|301|401|1|1|\n101|B3|0|0|0|0|"));
}

TEST_P(SaveDataTest, ItemAndBatchTakenByAnotherRecordGetOneAnswer) {
    GrantTraceRights(kAllRights);
    AddTrace(101, QStringLiteral("B1"), 0, 0, 0, 0);
    const int other = AddTrace(101, QStringLiteral("B2"), 0, 0, 0, 0);

    const Answer onInsert = Save("INS", 0, Fields{{"FItemID", 101}, {"FBatchNo", "B1"}});
    EXPECT_NE(onInsert.code, 1);
    const Answer onUpdate = Save("UPT", other, Fields{{"FBatchNo", " B1 "}});
    EXPECT_NE(onUpdate.code, 1);
    EXPECT_EQ(onUpdate.message, onInsert.message);
    EXPECT_EQ(Trace(other), QStringLiteral("101|B2|0|0|0|0|"));

    Exec(QStringLiteral("DELETE FROM ICOrderBatchTrace"));
    UseDatabase(std::make_shared<RivalInsertDatabase>(database_));
    const Answer raced = Save("INS", 0, Fields{{"FItemID", 101}, {"FBatchNo", "B1"}});
    EXPECT_NE(raced.code, 1);
    EXPECT_EQ(raced.message, onInsert.message);
    EXPECT_EQ(Count(QStringLiteral("ICOrderBatchTrace")), 1);
}

}  // namespace
}  // namespace qor::test

namespace qor::test {
namespace {

TEST_P(SaveDataTest, WritesThatMeetOtherUsersOrALostServerAreAnsweredOrTriedAgain) {
    GrantTraceRights(kAllRights);
    const Fields insert{{"FItemID", 101}, {"FBatchNo", "B1"}};

    UseDatabase(std::make_shared<TroubledWriteDatabase>(database_, db::DbFailure::Conflict, 2));
    EXPECT_EQ(Save("INS", 0, insert).code, 1);  // the third try gets through
    EXPECT_EQ(Count(QStringLiteral("ICOrderBatchTrace")), 1);
    Exec(QStringLiteral("DELETE FROM ICOrderBatchTrace"));

    UseDatabase(std::make_shared<TroubledWriteDatabase>(database_, db::DbFailure::Conflict, 3));
    Answer answer = Save("INS", 0, insert);
    EXPECT_EQ(answer.code, 0);
    EXPECT_THAT(answer.message.toStdString(), HasSubstr("其他用户正在同时修改相同的记录"));

    UseDatabase(std::make_shared<TroubledWriteDatabase>(database_, db::DbFailure::ConnectionLost, 1));
    answer = Save("INS", 0, insert);
    EXPECT_EQ(answer.code, 0);
    EXPECT_EQ(answer.message, QStringLiteral("与数据库服务器的连接出了问题"));
    EXPECT_EQ(Count(QStringLiteral("ICOrderBatchTrace")), 0);

    const int id = AddTrace(101, QStringLiteral("B1"), 0, 0, 0, 0);
    UseDatabase(std::make_shared<TroubledWriteDatabase>(database_, db::DbFailure::Other, 0, true));
    answer = Save("UPT", id, Fields{{"FBatchNo", "B2"}});
    EXPECT_EQ(answer.code, 0);
    EXPECT_EQ(answer.message, QStringLiteral("当前记录不存在，可能已被其他用户删除！"));
    EXPECT_EQ(Trace(id), QStringLiteral("101|B1|0|0|0|0|"));  // the deletion was this fake's, rolled back with it
}

}  // namespace
}  // namespace qor::test
