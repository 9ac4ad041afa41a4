#include "CompanyFixture.h"

#include "host/ComponentFactory.h"
#include "services/RegisterHostComponents.h"

namespace qor::test {

void CompanyFixture::SetUp() {
    QOR_SKIP_UNAVAILABLE(GetParam());
    place_ = std::make_unique<ScratchCompany>(GetParam());
    database_ = place_->Create();
    UseDatabase(database_);
}

void CompanyFixture::UseDatabase(db::DatabasePtr database) {
    session_ = std::make_shared<services::Session>();
    session_->database = std::move(database);
    session_->userId = kUserId;
    session_->userName = QStringLiteral("王工");
    session_->machineName = QStringLiteral("WS-07");
    services::RegisterHostComponents(session_);
}

host::ObjectPtr CompanyFixture::Create(const char* progId) const {
    return host::ComponentFactory::Create(QString::fromLatin1(progId));
}

void CompanyFixture::Exec(const QString& sql, const QVariantList& params) const { database_->Execute(sql, params); }

qint64 CompanyFixture::Count(const QString& table, const QString& where, const QVariantList& params) const {
    QString sql = QStringLiteral("SELECT COUNT(*) FROM ") + table;
    if (!where.isEmpty()) sql += QStringLiteral(" WHERE ") + where;
    return database_->Query(sql, params)->Fields(0).Value().toLongLong();
}

QString CompanyFixture::Rows(const QString& sql, const QVariantList& params) const {
    auto rs = database_->Query(sql, params);
    QStringList lines;
    for (; !rs->Eof(); rs->MoveNext()) {
        QString line;
        for (int i = 0; i < rs->FieldCount(); ++i) line += rs->Fields(i).Text() + u'|';
        lines.append(line);
    }
    return lines.join(u'\n');
}

void CompanyFixture::GrantTraceRights(qint64 mask) const {
    Exec(QStringLiteral("DELETE FROM t_UserRight WHERE FUserID = ? AND FModule = 1099 AND FDetail = 20"), {kUserId});
    Exec(QStringLiteral("INSERT INTO t_UserRight (FUserID, FModule, FDetail, FMask) VALUES (?, 1099, 20, ?)"),
         {kUserId, mask});
}

}  // namespace qor::test
