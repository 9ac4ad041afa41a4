#include "platform/services/UserProfile.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "platform/base/Variant.h"
#include "platform/host/HostProgIds.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace qor::services {

UserProfile::UserProfile(SessionPtr session)
    : Dispatch(QString::fromLatin1(host::progid::kUserProfile)), session_(std::move(session)) {
    Method(QStringLiteral("Load"), [this](QVariantList& args) {
        Load(host::ArgText(args, 0), host::ArgText(args, 1));
        return QVariant();
    });
    Method(QStringLiteral("Save"), [this](QVariantList& args) {
        Save(host::ArgText(args, 0), host::ArgText(args, 1));
        return QVariant();
    });
    Property(
        QStringLiteral("Dictionary"), [this] { return QVariant::fromValue(values_); },
        [this](const QVariant& value) {
            auto dictionary = value.value<DictionaryPtr>();
            if (!dictionary) throw HostError(QStringLiteral("Dictionary 属性只能设为 Dictionary"));
            values_ = std::move(dictionary);
        });
}

void UserProfile::Load(const QString& application, const QString& section) {
    auto rs = session_->database->Query(QStringLiteral("SELECT FKey, FValue FROM t_UserProfile "
                                                       "WHERE FUserID = ? AND FApplication = ? AND FSection = ? "
                                                       "ORDER BY FKey"),
                                        {session_->userId, application, section});
    auto values = Dictionary::New();
    for (int row = 0; row < rs->RecordCount(); ++row) values->Set(rs->TextAt(0, row), rs->ValueAt(1, row));
    values_ = std::move(values);
}

void UserProfile::Save(const QString& application, const QString& section) {
    db::Database& database = *session_->database;
    // A server keeps each user's settings to that user: they are written by
    // its function, for the session's own user.
    if (database.SqlDialect().Kind() == db::BackendKind::PostgreSql) {
        QJsonObject values;
        for (int i = 0; i < values_->Count(); ++i) {
            const QVariant& value = values_->ValueAt(i);
            values.insert(values_->KeyAt(i), IsNull(value) ? QJsonValue() : QJsonValue(ToText(value)));
        }
        database.Query(QStringLiteral("SELECT qor_save_profile(?, ?, ?, CAST(? AS jsonb))"),
                       {session_->userId, application, section,
                        QString::fromUtf8(QJsonDocument(values).toJson(QJsonDocument::Compact))});
        return;
    }
    db::Transaction transaction(database);
    database.Execute(
        QStringLiteral("DELETE FROM t_UserProfile WHERE FUserID = ? AND FApplication = ? AND FSection = ?"),
        {session_->userId, application, section});
    for (int i = 0; i < values_->Count(); ++i) {
        const QVariant& value = values_->ValueAt(i);
        database.Execute(QStringLiteral("INSERT INTO t_UserProfile (FUserID, FApplication, FSection, FKey, FValue) "
                                        "VALUES (?, ?, ?, ?, ?)"),
                         {session_->userId, application, section, values_->KeyAt(i),
                          IsNull(value) ? QVariant() : QVariant(ToText(value))});
    }
    transaction.Commit();
}

}  // namespace qor::services
