#include "tests/services/CompanyFixture.h"
#include "tests/services/SaveClient.h"

#include "platform/db/DbError.h"
#include "src/host/ProgIds.h"

#include <gmock/gmock.h>
#include <functional>
#include <tuple>

namespace qor::test {
namespace {

using ::testing::HasSubstr;

constexpr qint64 kAllRights = kBan | kDelete | kNew | kModify;

const QString kTraces = QStringLiteral(
    "SELECT FItemID, FBatchNo, FCustBomID, FOrderInterID, FOrderEntryID, FForbid FROM ICOrderBatchTrace ");
const QString kAllTraces = kTraces + QStringLiteral("ORDER BY FTraceID");

// A real database on which trouble meets each write of a trace record
// (INSERT or UPDATE) just before it runs: another user's work, or a failure
// the trouble throws instead.
class TroubledWriteDatabase : public db::Database {
public:
    using Trouble = std::function<void(db::Database& inner, const QString& sql, const QVariantList& params)>;
    using CommitTrouble = std::function<void(db::Database& inner)>;
    TroubledWriteDatabase(db::DatabasePtr inner, Trouble trouble, CommitTrouble commitTrouble = {})
        : inner_(std::move(inner)), trouble_(std::move(trouble)), commitTrouble_(std::move(commitTrouble)) {}

    qint64 Execute(const QString& sql, const QVariantList& params = {}) override {
        if (sql.startsWith(QLatin1String("INSERT INTO ICOrderBatchTrace")) ||
            sql.startsWith(QLatin1String("UPDATE ICOrderBatchTrace")))
            trouble_(*inner_, sql, params);
        return inner_->Execute(sql, params);
    }
    QString Backend() const override { return inner_->Backend(); }
    QString ConnectionText() const override { return inner_->ConnectionText(); }
    const db::Dialect& SqlDialect() const override { return inner_->SqlDialect(); }
    // On a server the write is one call of its save function.
    RecordsetPtr Query(const QString& sql, const QVariantList& params = {}) override {
        if (sql.startsWith(QLatin1String("SELECT qor_save_trace"))) trouble_(*inner_, sql, params);
        return inner_->Query(sql, params);
    }
    void ExecuteScript(const QString& sql) override { inner_->ExecuteScript(sql); }
    qint64 LastInsertId() override { return inner_->LastInsertId(); }
    bool TableExists(const QString& name) override { return inner_->TableExists(name); }
    void Begin() override { inner_->Begin(); }
    void Commit() override { commitTrouble_ ? commitTrouble_(*inner_) : inner_->Commit(); }
    void Rollback() override { inner_->Rollback(); }
    bool InTransaction() const override { return inner_->InTransaction(); }
    bool IsReadOnly() const override { return inner_->IsReadOnly(); }
    void SetBulkLoad(bool on) override { inner_->SetBulkLoad(on); }

private:
    db::DatabasePtr inner_;
    Trouble trouble_;
    CommitTrouble commitTrouble_;
};

// The database fails the first `times` writes with the failure.
TroubledWriteDatabase::Trouble Failing(db::DbFailure failure, int times) {
    return [failure, times](db::Database&, const QString& sql, const QVariantList&) mutable {
        if (times-- > 0) throw db::DbError("与数据库服务器的连接出了问题", sql, failure);
    };
}

// Items 101 and 102 may carry traces (ERP class 7), item 201 may not. BOM
// 301 belongs to item 101, 302 to item 102. Order 401 has line 1 of item 101
// and line 2 of item 102; order 402 only a line of item 102.
class SaveDataTest : public CompanyFixture {
protected:
    void SetUp() override {
        CompanyFixture::SetUp();
        if (IsSkipped()) return;
        database_->ExecuteScript(QStringLiteral(
            "INSERT INTO t_ICItem (FItemID, FNumber, FName, FErpClsID) VALUES "
            "(101, '1.01.001', '控制板', 7), (102, '1.01.002', '电源板', 7), (201, '2.01.001', '螺钉', 1);"
            "INSERT INTO ICBom (FInterID, FBOMNumber, FItemID, FBomType) VALUES "
            "(301, 'BOM-101', 101, 3), (302, 'BOM-102', 102, 3);"
            "INSERT INTO SEOrder (FInterID, FBillNo, FDate) VALUES "
            "(401, 'SEORD000401', '2024-03-01'), (402, 'SEORD000402', '2024-03-02');"
            "INSERT INTO SEOrderEntry (FInterID, FEntryID, FItemID, FBomInterID) VALUES "
            "(401, 1, 101, 301), (401, 2, 102, 302), (402, 1, 102, 302);"));
    }

    int AddTrace(int item, const QString& batch, int bom = 0, int order = 0, int entry = 0, int forbid = 0) {
        Exec(QStringLiteral("INSERT INTO ICOrderBatchTrace "
                            "(FItemID, FBatchNo, FCustBomID, FOrderInterID, FOrderEntryID, FForbid) "
                            "VALUES (?, ?, ?, ?, ?, ?)"),
             {item, batch, bom, order, entry, forbid});
        return static_cast<int>(database_->LastInsertId());
    }

    SaveAnswer Save(const char* operation, int traceId, const std::optional<SaveFields>& fields = std::nullopt) {
        return SaveTrace(*Create(host::progid::kSaveData), kUserId, QString::fromLatin1(operation), traceId, fields);
    }

    // The save's code, and a message containing the given text.
    static void ExpectAnswer(const SaveAnswer& answer, int code, const char* message) {
        EXPECT_EQ(answer.code, code);
        EXPECT_THAT(answer.message.toStdString(), HasSubstr(message));
    }

    QString Trace(int traceId) { return Rows(kTraces + QStringLiteral("WHERE FTraceID = ?"), {traceId}); }

    void Trouble(TroubledWriteDatabase::Trouble trouble) {
        UseDatabase(std::make_shared<TroubledWriteDatabase>(database_, std::move(trouble)));
    }
};

QOR_INSTANTIATE_FOR_BACKENDS(SaveDataTest);

// Ids may come as text or numbers, the flag in any form the list sends. An
// update leaves the columns it does not send as they are, but a cleared order
// takes its line along.
TEST_P(SaveDataTest, WritesMapTheRequestOntoTheTable) {
    GrantTraceRights(kNew | kModify);
    const SaveFields inserts[] = {
        {{"FItemID", 101}, {"FOrderBillNo", 401}, {"FCustBomNo", 301}, {"FBatchNo", "B0"}, {"EntryID", 1}},
        {{"fitemid", "101"}, {"FOrderBillNo", " 401 "}, {"FCustBomNo", "301"}, {"FBatchNo", "B1"}, {"FFORBID", "TRUE"}},
        {{"FItemID", 102.0}, {"FModel", ""}, {"FOrderBillNo", ""}, {"FBatchNo", "B2"}, {"FForBid", true}},
    };
    for (const SaveFields& fields : inserts) ExpectAnswer(Save("INS", 0, fields), 1, "保存成功！");
    EXPECT_EQ(Rows(kAllTraces), "101|B0|301|401|1|0\n101|B1|301|401|0|1\n102|B2|0|0|0|1");

    const int id = AddTrace(101, "B3", 301, 401, 1);
    EXPECT_EQ(Save("UPT", id, SaveFields{{"FBatchNo", "B4"}}).code, 1);
    EXPECT_EQ(Trace(id), "101|B4|301|401|1|0");
    EXPECT_EQ(Save("UPT", id, SaveFields{{"FOrderBillNo", 0}}).code, 1);
    EXPECT_EQ(Trace(id), "101|B4|301|0|0|0");
}

TEST_P(SaveDataTest, RefusedRequestsWriteNothing) {
    GrantTraceRights(kAllRights);
    const int existing = AddTrace(101, "B1", 301, 401, 1);
    const int other = AddTrace(101, "B2");
    const int gone = other + 100;
    const std::vector<std::tuple<const char*, int, std::optional<SaveFields>, const char*>> cases{
        {"INS", 0, SaveFields{{"FItemID", 201}, {"FBatchNo", "B9"}}, "ERP 属性为 7"},
        {"INS", 0, SaveFields{{"FItemID", 999}, {"FBatchNo", "B9"}}, "物料不存在"},
        {"INS", 0, SaveFields{{"FItemID", 101}}, "必须录入批号！"},
        {"INS", 0, SaveFields{{"FItemID", 101}, {"FBatchNo", QString(QChar(0xFEFF)) + "AB"}}, "控制字符"},
        {"INS", 0, SaveFields{{"FItemID", 101}, {"FBatchNo", "B9"}, {"FCustBomNo", 302}},
         "BOM-102 不是物料 1.01.001 的BOM"},
        {"INS", 0, SaveFields{{"FItemID", 101}, {"FBatchNo", "B9"}, {"FCustBomNo", 399}}, "客户BOM不存在"},
        {"INS", 0, SaveFields{{"FItemID", 101}, {"FBatchNo", "B9"}, {"FOrderBillNo", 402}},
         "SEORD000402 中没有物料 1.01.001"},
        {"INS", 0, SaveFields{{"FItemID", 101}, {"FBatchNo", "B9"}, {"FOrderBillNo", 401}, {"EntryID", 2}},
         "第 2 行分录的物料不是 1.01.001"},
        {"INS", 0, SaveFields{{"FItemID", 101}, {"FBatchNo", "B9"}, {"FOrderBillNo", 401}, {"EntryID", 7}},
         "没有第 7 行分录"},
        {"INS", 0, SaveFields{{"FItemID", 101}, {"FBatchNo", "B9"}, {"FOrderBillNo", "SEORD000401"}},
         "内码“SEORD000401”不正确"},
        {"INS", 0, std::nullopt, "缺少字段值"},
        {"UPT", gone, SaveFields{{"FBatchNo", "B9"}}, "当前记录不存在"},
        {"UPT", existing, SaveFields{{"FCustBomNo", 302}}, "不是物料 1.01.001"},
        {"UPT", existing, SaveFields{{"FItemID", 102}}, "BOM-101 不是物料 1.01.002"},
        {"UPT", existing, SaveFields{{"FBatchNo", ""}}, "必须录入批号！"},
        {"UPT", other, SaveFields{{"FBatchNo", " B1 "}}, "已有对应记录"},
        {"DEL", gone, std::nullopt, "当前记录不存在"},
        {"MOD", existing, SaveFields{{"FBatchNo", "B9"}}, "不支持的保存操作“MOD”"},
    };
    for (const auto& c : cases) {
        const auto& [operation, traceId, fields, reason] = c;
        SCOPED_TRACE(::testing::Message() << "case " << &c - cases.data() << ": " << reason);
        const QString before = Rows(kAllTraces);
        ExpectAnswer(Save(operation, traceId, fields), 0, reason);
        EXPECT_EQ(Rows(kAllTraces), before);
    }
}

// Each operation is refused without its own right and allowed with that right alone.
TEST_P(SaveDataTest, EachOperationNeedsItsOwnRight) {
    const int open = AddTrace(101, "B1", 301, 401, 1);
    const int banned = AddTrace(102, "B2", 302, 401, 2, 1);
    const std::vector<std::tuple<qint64, const char*, int, std::optional<SaveFields>, const char*>> cases{
        {kNew, "INS", 0, SaveFields{{"FItemID", 101}, {"FBatchNo", "B3"}}, "新增"},
        {kModify, "UPT", open, SaveFields{{"FBatchNo", "B4"}}, "修改"},
        {kBan, "UPT", open, SaveFields{{"FForBid", 1}}, "禁用"},
        {kBan, "UPT", banned, SaveFields{{"FForBid", 0}}, "反禁用"},
        {kDelete, "DEL", banned, std::nullopt, "删除"},
    };
    for (const auto& [right, operation, traceId, fields, refusal] : cases) {
        SCOPED_TRACE(refusal);
        GrantTraceRights(kAllRights & ~right);
        const QString before = Rows(kAllTraces);
        const SaveAnswer refused = Save(operation, traceId, fields);
        EXPECT_EQ(refused.code, 0);
        EXPECT_EQ(refused.message,
                  QStringLiteral("当前用户没有%1权限！请与系统管理员联系！").arg(QString::fromUtf8(refusal)));
        EXPECT_EQ(Rows(kAllTraces), before);

        GrantTraceRights(right);
        EXPECT_EQ(Save(operation, traceId, fields).code, 1);
        EXPECT_NE(Rows(kAllTraces), before);
    }
    EXPECT_EQ(Rows(kAllTraces), "101|B4|301|401|1|1\n101|B3|0|0|0|0");
}

// Another user's work met at the write: a conflict is tried again; an item
// and batch taken or a record deleted meanwhile is answered.
TEST_P(SaveDataTest, WritesThatMeetOtherUsersAreTriedAgainOrAnswered) {
    GrantTraceRights(kAllRights);
    const SaveFields insert{{"FItemID", 101}, {"FBatchNo", "B1"}};

    if (GetParam() == TestBackend::Sqlite) {
        // A lock still held after SQLite's wait for it belongs to another program.
        Trouble(Failing(db::DbFailure::Conflict, 1));
        ExpectAnswer(Save("INS", 0, insert), 0, "公司数据库正被其他程序使用");
    } else {
        Trouble(Failing(db::DbFailure::Conflict, 2));
        EXPECT_EQ(Save("INS", 0, insert).code, 1);  // the third try gets through
        Exec("DELETE FROM ICOrderBatchTrace");
        Trouble(Failing(db::DbFailure::Conflict, 3));
        ExpectAnswer(Save("INS", 0, insert), 0, "其他用户正在同时修改相同的记录");
    }
    EXPECT_EQ(Count("ICOrderBatchTrace"), 0);

    Trouble([raced = false](db::Database& inner, const QString& sql, const QVariantList& params) mutable {
        if (std::exchange(raced, true)) return;
        inner.Commit();
        inner.Execute(sql, params);
        inner.Begin();
    });
    ExpectAnswer(Save("INS", 0, insert), 0, "已有对应记录");
    EXPECT_EQ(Count("ICOrderBatchTrace"), 1);

    const int id = AddTrace(101, "B2");
    Trouble([](db::Database& inner, const QString&, const QVariantList&) {
        inner.Execute("DELETE FROM ICOrderBatchTrace");
    });
    ExpectAnswer(Save("UPT", id, SaveFields{{"FBatchNo", "B3"}}), 0, "当前记录不存在，可能已被其他用户删除！");
    EXPECT_EQ(Trace(id), "101|B2|0|0|0|0");  // the deletion was this fake's, rolled back with it
}

// A save whose answer to COMMIT was lost looks, over a new connection,
// whether it landed, and says so.
TEST_P(SaveDataTest, ASaveCutOffDuringCommitSaysWhetherItLanded) {
    GrantTraceRights(kAllRights);
    const std::tuple<bool, const char*, int, const char*> cases[] = {{true, "B-landed", 1, "保存成功！"},
                                                                     {false, "B-lost", 0, "本次保存没有完成"}};
    for (const auto& [committed, batch, code, message] : cases) {
        SCOPED_TRACE(batch);
        UseDatabase(std::make_shared<TroubledWriteDatabase>(
            database_, [](db::Database&, const QString&, const QVariantList&) {},
            [committed = committed](db::Database& inner) {
                committed ? inner.Commit() : inner.Rollback();
                throw db::DbError("与数据库服务器的连接已经断开", {}, db::DbFailure::ConnectionLost);
            }));
        ExpectAnswer(Save("INS", 0, SaveFields{{"FItemID", 101}, {"FBatchNo", batch}}), code, message);
    }
    EXPECT_EQ(Rows("SELECT FBatchNo FROM ICOrderBatchTrace"), "B-landed");
}

}  // namespace
}  // namespace qor::test
