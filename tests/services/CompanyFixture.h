#pragma once

#include "platform/db/Database.h"
#include "platform/host/ComponentFactory.h"
#include "platform/services/RegisterHostComponents.h"
#include "platform/services/Session.h"
#include "tests/support/QueryResults.h"
#include "tests/support/ScratchCompany.h"

#include <gtest/gtest.h>
#include <memory>

namespace qor::test {

// The rights the save component asks of the batch trace function.
inline constexpr qint64 kBan = 0x8000;
inline constexpr qint64 kDelete = 0x10000;
inline constexpr qint64 kNew = 0x20000;
inline constexpr qint64 kModify = 0x400000;

// A new, empty company database for each test, on the back end the test is
// instantiated for, and the host components registered for a session of
// user 16. Tests seed only the rows they need. Derived fixtures return from
// SetUp when IsSkipped() (no PostgreSQL server for the test run).
class CompanyFixture : public ::testing::TestWithParam<TestBackend> {
protected:
    static constexpr int kUserId = 16;

    void SetUp() override {
        QOR_SKIP_UNAVAILABLE(GetParam());
        place_ = std::make_unique<ScratchCompany>(GetParam());
        database_ = place_->Create();
        UseDatabase(database_);
    }

    // Registers the components for a session on this database instead (for
    // tests that wrap the database).
    void UseDatabase(db::DatabasePtr database) {
        services::RegisterHostComponents(std::make_shared<services::Session>(
            services::Session{std::move(database), kUserId, QStringLiteral("王工"), QStringLiteral("WS-07")}));
    }
    host::ObjectPtr Create(const char* progId) const {
        return host::ComponentFactory::Create(QString::fromLatin1(progId));
    }

    void Exec(const QString& sql, const QVariantList& params = {}) const { database_->Execute(sql, params); }
    qint64 Count(const QString& table, const QString& where = {}, const QVariantList& params = {}) const {
        const QString filter = where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where;
        return Scalar(*database_, QStringLiteral("SELECT COUNT(*) FROM ") + table + filter, params).toLongLong();
    }
    // The rows as lines of "a|b|c".
    QString Rows(const QString& sql, const QVariantList& params = {}) const {
        return test::Rows(*database_, sql, params).join(u'\n');
    }

    // The batch trace rights (module 1099, detail 20) of the session's user.
    void GrantTraceRights(qint64 mask) const {
        Exec(QStringLiteral("DELETE FROM t_UserRight WHERE FUserID = ? AND FModule = 1099 AND FDetail = 20"),
             {kUserId});
        Exec(QStringLiteral("INSERT INTO t_UserRight (FUserID, FModule, FDetail, FMask) VALUES (?, 1099, 20, ?)"),
             {kUserId, mask});
    }

    std::unique_ptr<ScratchCompany> place_;
    db::DatabasePtr database_;
};

}  // namespace qor::test
