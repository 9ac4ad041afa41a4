#include "platform/db/DemoCompany.h"
#include "platform/db/Migrations.h"
#include "platform/db/OpenDatabase.h"
#include "platform/db/UserAccounts.h"
#include "tests/support/QueryResults.h"
#include "tests/support/ScratchCompany.h"

#include <gtest/gtest.h>
#include <QProcess>
#include <QUrl>

namespace qor::test {
namespace {

// The demo company on the test server, and its users connecting with psql
// as their own login roles, never through the client.
class ServerRightsTest : public ::testing::Test {
protected:
    void SetUp() override {
        QOR_SKIP_UNAVAILABLE(TestBackend::PostgreSql);
        place_ = std::make_unique<ScratchCompany>(TestBackend::PostgreSql);
        db_ = place_->Create();
        db::CreateDemoCompany(*db_);
        const QStringList trace = Rows(*db_,
                                       "SELECT FTraceID, FItemID, FCustBomID FROM ICOrderBatchTrace WHERE FForbid = 0 "
                                       "AND FCustBomID IN (SELECT FInterID FROM ICBom) ORDER BY FTraceID LIMIT 1")
                                      .first()
                                      .split(u'|');
        traceId_ = trace[0].toInt();
        item_ = trace[1];
        bom_ = trace[2];
    }

    // What psql prints for the statements, each run on its own, as the user, errors included.
    QString AsUser(const QString& user, const QString& sql, const QString& password = "demo") const {
        QUrl url(place_->ConnectionText());
        url.setUserName(db::CompanyRole(place_->ConnectionText(), user));
        QProcess psql;
        auto environment = QProcessEnvironment::systemEnvironment();
        environment.insert("PGPASSWORD", password);
        environment.insert("PGOPTIONS", "-c standard_conforming_strings=on");
        psql.setProcessEnvironment(environment);
        psql.setProcessChannelMode(QProcess::MergedChannels);
        QStringList arguments{"-X", "-At"};
        for (const QString& statement : sql.split("; ")) arguments << "-c" << statement;
        psql.start("psql", arguments << url.toString(QUrl::FullyEncoded));
        EXPECT_TRUE(psql.waitForFinished(30000));
        return QString::fromUtf8(psql.readAll()).trimmed();
    }

    // Every table's content, as the owner sees it.
    QStringList Content() const {
        QStringList content;
        for (const QString& table : Tables())
            content << Rows(*db_, QStringLiteral("SELECT md5(COALESCE(string_agg(t::text, ',' ORDER BY t::text), '')) "
                                                 "FROM %1 t")
                                      .arg(table));
        return content;
    }

    QStringList Tables() const {
        return Rows(*db_, "SELECT tablename FROM pg_tables WHERE schemaname = current_schema() ORDER BY 1");
    }

    QString SaveCall(const QString& op, int traceId, int sent, const QString& batch = {}, int forbid = 0) const {
        return QStringLiteral("SELECT qor_save_trace(1, '%1', %2, %3, %4, '%5', %6, 0, 0, %7)")
            .arg(op, QString::number(traceId), QString::number(sent), item_, batch, bom_, QString::number(forbid));
    }

    std::unique_ptr<ScratchCompany> place_;
    db::DatabasePtr db_;
    int traceId_ = 0;
    QString item_, bom_;
};

TEST_F(ServerRightsTest, NoUserWritesAnyTableDirectly) {
    const QStringList tables = Tables();
    const QStringList before = Content();
    for (const char* user : {"viewer", "clerk", "administrator"}) {
        EXPECT_TRUE(AsUser(user, "GRANT ALL ON t_UserRight, t_User TO PUBLIC").contains("no privileges were granted"));
        for (const QString& table : tables) {
            const QString firstColumn = Rows(*db_,
                                             "SELECT column_name FROM information_schema.columns WHERE table_schema = "
                                             "current_schema() AND table_name = ? ORDER BY ordinal_position LIMIT 1",
                                             {table})
                                            .first();
            const QString answer = AsUser(user, QStringLiteral("INSERT INTO %1 DEFAULT VALUES; UPDATE %1 SET %2 = %2; "
                                                               "DELETE FROM %1")
                                                    .arg(table, firstColumn));
            EXPECT_EQ(answer.count("permission denied"), 3)
                << user << " " << table.toStdString() << ": " << answer.toStdString();
        }
        EXPECT_TRUE(AsUser(user, "SELECT FPasswordHash FROM t_User").contains("permission denied"));
    }
    EXPECT_EQ(Content(), before);
}

// The functions ask the rights of the user the login role is, whatever user
// the call names, and refuse with the client's messages.
TEST_F(ServerRightsTest, WritesThroughTheFunctionsTakeTheCallersRights) {
    struct Case {
        const char* user;
        QString call;
        QString answer;  // empty: written
    };
    const std::vector<Case> cases{
        {"clerk", SaveCall("DEL", traceId_, 0), "当前用户没有删除权限！请与系统管理员联系！"},
        {"clerk", SaveCall("UPT", traceId_, 32, {}, 1), "当前用户没有禁用权限！请与系统管理员联系！"},
        {"clerk", SaveCall("del", traceId_, 2, "ANY"), "无法识别的保存操作“del”！"},
        {"clerk", SaveCall("UPT", traceId_, 2, "B\u2066X"), "批号中不能有控制字符！"},
        {"viewer", SaveCall("INS", 0, 63, "PSQL-1"), "当前用户没有新增权限！请与系统管理员联系！"},
        {"viewer", "SELECT qor_save_profile(1, 'a', 's', '{\"k\": \"v\"}')", {}},
        {"clerk", SaveCall("INS", 0, 63, "PSQL-2"), {}},
        {"administrator", SaveCall("DEL", traceId_, 0), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call.toStdString());
        const QStringList before = Content();
        EXPECT_EQ(AsUser(c.user, c.call).toStdString(), c.answer.toStdString()) << c.user;
        EXPECT_EQ(Content() == before, !c.answer.isEmpty()) << c.user;
    }
    EXPECT_EQ(Rows(*db_, "SELECT FBatchNo FROM ICOrderBatchTrace WHERE FBatchNo LIKE 'PSQL-%'"), QStringList{"PSQL-2"});
    EXPECT_EQ(Rows(*db_,
                   "SELECT u.FName FROM t_UserProfile p JOIN t_User u ON u.FUserID = p.FUserID "
                   "WHERE p.FApplication = 'a'"),
              QStringList{"viewer"})
        << "a user's settings are the user's own, whatever user the call names";
    EXPECT_TRUE(AsUser("clerk", "SELECT qor_write_logs(1, 'x', 'K', 1, '[\"a\"]', 't', 'm')").isEmpty());
    EXPECT_EQ(Rows(*db_, "SELECT FUserName FROM t_Log WHERE FCode = 'K'"), QStringList{"clerk"});
}

TEST_F(ServerRightsTest, TheTraceRecordsAreSeenOnlyWithTheViewRight) {
    const QString all = Scalar(*db_, "SELECT COUNT(*) FROM ICOrderBatchTrace").toString();
    EXPECT_EQ(AsUser("viewer", "SELECT COUNT(*) FROM ICOrderBatchTrace"), all);
    db::ChangeTraceRights(*db_, "viewer", 0x200000, false);
    EXPECT_EQ(AsUser("viewer", "SELECT COUNT(*) FROM ICOrderBatchTrace"), "0");
    EXPECT_EQ(AsUser("clerk", "SELECT COUNT(*) FROM ICOrderBatchTrace"), all);
    EXPECT_TRUE(AsUser("viewer", "SELECT 1", "wrong").contains("password authentication failed"));
}

// A company made before the server enforced the rights takes them on at
// its owner's next opening: its users become login roles, nothing is lost.
TEST(ServerRightsMigrationTest, AnOlderServerCompanyTakesOnTheRolesWithNothingLost) {
    QOR_SKIP_UNAVAILABLE(TestBackend::PostgreSql);
    ScratchCompany place(TestBackend::PostgreSql);
    const auto old = place.Connect();
    const std::vector<db::Migration> all = db::CompanyMigrations();
    db::MigrateDatabase(*old, {all.begin(), all.begin() + 3});
    old->Execute("INSERT INTO t_User (FName, FDescription, FSalt, FPasswordHash) VALUES ('老用户', '', '', 'x')");
    old->Execute(
        "INSERT INTO ICOrderBatchTrace (FItemID, FBatchNo, FCustBomID, FOrderInterID, FOrderEntryID, FForbid) "
        "VALUES (1, 'OLD-1', 0, 0, 0, 0)");
    const QStringList before = Rows(*old, "SELECT * FROM ICOrderBatchTrace");

    const auto upgraded = place.Open();
    EXPECT_EQ(db::SchemaVersion(*upgraded), db::LatestSchemaVersion());
    EXPECT_EQ(Rows(*upgraded, "SELECT * FROM ICOrderBatchTrace"), before);
    EXPECT_EQ(Rows(*upgraded, "SELECT r.rolcanlogin FROM t_User u JOIN pg_roles r ON r.rolname = u.FRole"),
              QStringList{"1"});
}

}  // namespace
}  // namespace qor::test
