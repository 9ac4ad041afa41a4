#pragma once

#include "db/Database.h"
#include "host/Object.h"
#include "services/Session.h"
#include "support/ScratchCompany.h"

#include <gtest/gtest.h>
#include <memory>

namespace qor::test {

// A new, empty company database for each test, on the back end the test is
// instantiated for, and the host components registered for a session of
// user 16. Tests seed only the rows they need. Derived fixtures return from
// SetUp when IsSkipped() (no PostgreSQL server for the test run).
class CompanyFixture : public ::testing::TestWithParam<TestBackend> {
protected:
    static constexpr int kUserId = 16;

    void SetUp() override;

    // Registers the components for a session on this database instead (for
    // tests that wrap the database).
    void UseDatabase(db::DatabasePtr database);
    host::ObjectPtr Create(const char* progId) const;

    void Exec(const QString& sql, const QVariantList& params = {}) const;
    qint64 Count(const QString& table, const QString& where = {}, const QVariantList& params = {}) const;
    // The rows as lines of "a|b|c|", for comparing a table before and after a call.
    QString Rows(const QString& sql, const QVariantList& params = {}) const;

    // The batch trace rights (module 1099, detail 20) of the session's user.
    void GrantTraceRights(qint64 mask) const;

    std::unique_ptr<ScratchCompany> place_;
    db::DatabasePtr database_;
    services::SessionPtr session_;
};

}  // namespace qor::test
