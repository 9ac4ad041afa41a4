#include "tests/support/ScratchCompany.h"

#include "platform/db/OpenDatabase.h"
#include "platform/db/PostgresDatabase.h"
#include "platform/db/SqliteDatabase.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QUrl>
#include <atomic>

namespace qor::test {

namespace {
QString NewSchemaName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("qor_test_%1_%2_%3")
        .arg(QCoreApplication::applicationPid())
        .arg(++counter)
        .arg(QRandomGenerator::global()->bounded(1000000));
}

// The server URL with the schema first on the search path, so that the
// migrations create the tables there and every statement finds them.
QString UrlWithSchema(const QString& url, const QString& schema) {
    return url + (url.contains(u'?') ? u'&' : u'?') + QStringLiteral("options=-csearch_path%3D") + schema;
}
}  // namespace

ScratchCompany::ScratchCompany(TestBackend backend) : backend_(backend) {
    if (backend_ == TestBackend::Sqlite) {
        connectionText_ = dir_.filePath(QStringLiteral("company.db"));
        return;
    }
    schema_ = NewSchemaName();
    db::PostgresDatabase::Open(TestServerUrl())->Execute(QStringLiteral("CREATE SCHEMA ") + schema_);
    connectionText_ = UrlWithSchema(TestServerUrl(), schema_);
}

ScratchCompany::~ScratchCompany() {
    if (schema_.isEmpty()) return;
    try {
        db::PostgresDatabase::Open(TestServerUrl())
            ->Execute(QStringLiteral("DROP SCHEMA ") + schema_ + QStringLiteral(" CASCADE"));
    } catch (const std::exception&) {
        // The throwaway cluster goes with the test run; a schema left behind harms no other test.
    }
}

QString ScratchCompany::UserConnectionText() const {
    if (backend_ == TestBackend::Sqlite) return connectionText_;
    QUrl url(connectionText_);
    url.setUserName(QString());
    return url.toString(QUrl::FullyEncoded);
}

db::DatabasePtr ScratchCompany::Create() const { return db::OpenDatabase(connectionText_, db::OpenMode::Create); }

db::DatabasePtr ScratchCompany::Open() const { return db::OpenDatabase(connectionText_, db::OpenMode::Existing); }

db::DatabasePtr ScratchCompany::Connect() const {
    if (backend_ == TestBackend::Sqlite) return db::SqliteDatabase::Open(connectionText_, true);
    return db::PostgresDatabase::Open(connectionText_);
}

}  // namespace qor::test
