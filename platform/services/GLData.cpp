#include "platform/services/GLData.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "platform/base/Variant.h"
#include "platform/host/HostProgIds.h"
#include "platform/services/ItemRecord.h"
#include "platform/services/RecordRows.h"
#include "platform/services/SqlConditions.h"
#include "platform/services/UserRights.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>

namespace qor::services {

GLData::GLData(SessionPtr session)
    : Dispatch(QString::fromLatin1(host::progid::kGLData)), session_(std::move(session)) {
    Method(QStringLiteral("AccessCheck"), [this](QVariantList& args) {
        const auto mask = static_cast<qint64>(ToDouble(host::Arg(args, 2)));
        return HoldsRight(*session_->database, session_->userId, host::ArgInt(args, 0), host::ArgInt(args, 1), mask);
    });
    Method(QStringLiteral("WriteLog"), [this](QVariantList& args) {
        WriteLog(host::ArgText(args, 0), host::ArgInt(args, 1), host::ArgText(args, 2));
        return QVariant();
    });
    Method(QStringLiteral("WriteLogs"), [this](QVariantList& args) {
        WriteLogs(host::ArgText(args, 0), host::ArgInt(args, 1), host::ArgVector(args, 2));
        return QVariant();
    });
    Method(QStringLiteral("GetItem"),
           [this](QVariantList& args) { return GetItem(host::ArgInt(args, 0), host::ArgInt(args, 1)); });
    Method(QStringLiteral("GetItems"), [this](QVariantList& args) {
        return QVariant::fromValue(GetItems(host::ArgInt(args, 0), host::ArgVector(args, 1)));
    });
}

namespace {
// A user may use the items of every class unless a data-right row of kind
// -class bars them from it.
const QString kUsableItems = QStringLiteral(
    "SELECT FItemID, FNumber, FName FROM t_Item WHERE FItemClassID = ? "
    "AND NOT EXISTS (SELECT 1 FROM t_UserDataRight WHERE FUserID = ? AND FRightKind = ? AND FEnabled <> 0)");
}  // namespace

QVariant GLData::GetItem(int cls, int itemId) {
    auto item = session_->database->Query(kUsableItems + QStringLiteral(" AND FItemID = ?"),
                                          {cls, session_->userId, -cls, itemId});
    if (item->RecordCount() == 0) return {};
    return QVariant::fromValue(host::ObjectPtr(std::make_shared<ItemRecord>(RowDictionary(*item, 0))));
}

RecordsetPtr GLData::GetItems(int cls, const VectorPtr& itemIds) {
    const int count = itemIds ? itemIds->Count() : 0;
    if (count > kMostItemsAtOnce) throw HostError(QStringLiteral("一次最多读取 %1 个项目。").arg(kMostItemsAtOnce));
    QVariantList params{cls, session_->userId, -cls};
    for (int i = 1; i <= count; ++i) params << ToInt32(itemIds->Item(i));
    return session_->database->Query(kUsableItems + QStringLiteral(" AND FItemID") + InMarks(count), params);
}

void GLData::WriteLog(const QString& code, int kind, const QString& text) { WriteEntries(code, kind, {text}); }

void GLData::WriteLogs(const QString& code, int kind, const VectorPtr& texts) {
    QStringList entries;
    for (int i = 1; texts && i <= texts->Count(); ++i) entries << NullToEmpty(texts->Item(i));
    WriteEntries(code, kind, entries);
}

// On a server the entries go through the server's function, which writes
// them for the session's own user; a file takes them a few hundred to a
// statement.
void GLData::WriteEntries(const QString& code, int kind, const QStringList& texts) {
    if (texts.isEmpty()) return;
    db::Database& database = *session_->database;
    const QString time = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (database.SqlDialect().Kind() == db::BackendKind::PostgreSql) {
        database.Query(
            QStringLiteral("SELECT qor_write_logs(?, ?, ?, ?, CAST(? AS jsonb), ?, ?)"),
            {session_->userId, session_->userName, code, kind,
             QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(texts)).toJson(QJsonDocument::Compact)), time,
             session_->machineName});
        return;
    }
    constexpr qsizetype kEntriesPerStatement = 200;
    for (qsizetype from = 0; from < texts.size(); from += kEntriesPerStatement) {
        QStringList rows;
        QVariantList params;
        for (const QString& text : texts.mid(from, kEntriesPerStatement)) {
            rows << QStringLiteral("(?, ?, ?, ?, ?, ?, ?)");
            params << session_->userId << session_->userName << code << kind << text << time << session_->machineName;
        }
        database.Execute(
            QStringLiteral("INSERT INTO t_Log (FUserID, FUserName, FCode, FKind, FText, FTime, FMachine) VALUES ") +
                rows.join(u','),
            params);
    }
}

}  // namespace qor::services
