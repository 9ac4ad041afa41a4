#include "db/DbError.h"
#include "db/Migrations.h"
#include "support/ScratchCompany.h"

#include <gtest/gtest.h>

using namespace qor;
using namespace qor::db;
using qor::test::ScratchCompany;

namespace {
class MigrationsTest : public ::testing::TestWithParam<qor::test::TestBackend> {
protected:
    void SetUp() override {
        QOR_SKIP_UNAVAILABLE(GetParam());
        place_ = std::make_unique<ScratchCompany>(GetParam());
        db_ = place_->Connect();
    }

    std::unique_ptr<ScratchCompany> place_;
    DatabasePtr db_;
};
}  // namespace

QOR_INSTANTIATE_FOR_BACKENDS(MigrationsTest);

TEST_P(MigrationsTest, CreatesTheCompanySchemaOnceAndRecordsItsVersion) {
    EXPECT_FALSE(SchemaVersion(*db_).has_value());
    EXPECT_EQ(MigrateDatabase(*db_), LatestSchemaVersion());
    EXPECT_EQ(SchemaVersion(*db_), LatestSchemaVersion());

    EXPECT_EQ(MigrateDatabase(*db_), 0);
    EXPECT_EQ(db_->Query(QStringLiteral("SELECT COUNT(*) FROM t_SchemaVersion"))->Fields(0).Value().toInt(),
              LatestSchemaVersion());
}

TEST_P(MigrationsTest, RunsOnlyThePendingMigrations) {
    const std::vector<Migration> first{{1, QStringLiteral("CREATE TABLE a (FID {AUTOID});")}};
    std::vector<Migration> both = first;
    both.push_back({2, QStringLiteral("CREATE TABLE b (FID INTEGER); INSERT INTO b VALUES (7);")});

    EXPECT_EQ(MigrateDatabase(*db_, first), 1);
    EXPECT_EQ(SchemaVersion(*db_), 1);
    EXPECT_EQ(MigrateDatabase(*db_, both), 1);
    EXPECT_EQ(SchemaVersion(*db_), 2);
    EXPECT_EQ(db_->Query(QStringLiteral("SELECT FID FROM b"))->Fields(0).Value().toInt(), 7);
    EXPECT_EQ(MigrateDatabase(*db_, both), 0);
}

TEST_P(MigrationsTest, AFailingMigrationLeavesNoTraceOfItself) {
    const std::vector<Migration> broken{{1, QStringLiteral("CREATE TABLE a (FID INTEGER); CREATE TABLE b (")}};
    EXPECT_THROW(MigrateDatabase(*db_, broken), DbError);
    EXPECT_FALSE(db_->TableExists(QStringLiteral("a")));
    EXPECT_EQ(SchemaVersion(*db_), 0);
}

TEST_P(MigrationsTest, AutoNumbersAreNeverHandedOutTwice) {
    MigrateDatabase(*db_);
    const QString insert = QStringLiteral("INSERT INTO ICBom (FBOMNumber, FItemID, FBomType) VALUES (?, 1, 3)");
    db_->Execute(insert, {QStringLiteral("BOM-1")});
    const qint64 deleted = db_->LastInsertId();
    db_->Execute(QStringLiteral("DELETE FROM ICBom WHERE FInterID = ?"), {deleted});
    db_->Execute(insert, {QStringLiteral("BOM-2")});
    EXPECT_GT(db_->LastInsertId(), deleted);
}
