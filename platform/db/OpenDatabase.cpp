#include "platform/db/OpenDatabase.h"

#include "platform/base/FileFailure.h"
#include "platform/base/KeptFiles.h"
#include "platform/db/DbError.h"
#include "platform/db/Migrations.h"
#include "platform/db/PostgresDatabase.h"
#include "platform/db/SqliteDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace qor::db {

namespace {
const QByteArray kSqliteHeader("SQLite format 3\0", 16);

[[noreturn]] void Refuse(const QString& description) { throw DbError(description); }

QString ReadOnlyText(const QString& path) {
    return QStringLiteral(
               "公司数据库文件 %1 是只读的。客户端要写入公司数据库，请去掉文件的只读属性，或让当前用户可以写入它。")
        .arg(path);
}

// Everything that can be learnt about an existing file without opening it as
// a database.
void CheckExistingFile(const QString& path, OpenMode mode) {
    const QFileInfo info(path);
    if (!info.exists()) Refuse(QStringLiteral("公司数据库文件 %1 不存在。").arg(path));
    if (info.isDir()) Refuse(QStringLiteral("%1 是文件夹，不是公司数据库文件。").arg(path));
    // A FIFO or a device would make the open below wait or read forever.
    if (!info.isFile()) Refuse(QStringLiteral("%1 不是普通文件，不是公司数据库文件。").arg(path));
    QFile file(path);
    if (!info.isReadable() || !file.open(QIODevice::ReadOnly))
        Refuse(QStringLiteral("无法读取公司数据库文件 %1：当前用户没有读取它的权限。").arg(path));
    if (info.size() == 0) Refuse(QStringLiteral("文件 %1 是空的，不是公司数据库。").arg(path));
    if (file.read(kSqliteHeader.size()) != kSqliteHeader)
        Refuse(QStringLiteral("文件 %1 不是公司数据库，或者已经损坏。").arg(path));
    if (mode == OpenMode::ReadOnly) return;
    if (!info.isWritable()) Refuse(ReadOnlyText(path));
    if (!QFileInfo(info.absolutePath()).isWritable())
        Refuse(QStringLiteral(
                   "公司数据库文件所在的文件夹 %1 不可写。客户端要在其中写入日志文件，请让当前用户可以写入该文件夹。")
                   .arg(QDir::toNativeSeparators(info.absolutePath())));
}

// Refuses a database that is not a company database or whose version this
// program cannot read (newer, or one that records no version); name is the
// database as the user knows it. An older version is taken on by the
// migrations when the database is opened for writing.
void CheckSchemaVersion(Database& db, const QString& name) {
    std::optional<int> version;
    try {
        version = SchemaVersion(db);
    } catch (const DbError& e) {
        if (e.Failure() == DbFailure::Conflict)
            Refuse(QStringLiteral("公司数据库 %1 正被其他程序使用。请等它用完后再试。").arg(name));
        Refuse(QStringLiteral("%1 不是公司数据库，或者已经损坏（%2）。").arg(name, e.Description()));
    }
    if (!version) Refuse(QStringLiteral("%1 不是本系统的公司数据库：其中没有公司数据库的结构。").arg(name));
    const int latest = LatestSchemaVersion();
    if (*version > latest)
        Refuse(QStringLiteral(
                   "公司数据库 %1 的版本是 %2，本程序只能打开版本 %3 及以前的公司数据库。请用新版本的客户端打开它。")
                   .arg(name)
                   .arg(*version)
                   .arg(latest));
    if (*version < 1)
        Refuse(QStringLiteral("公司数据库 %1 的版本是 %2，本程序需要版本 %3。请先升级公司数据库。")
                   .arg(name)
                   .arg(*version)
                   .arg(latest));
}

DatabasePtr OpenExisting(const QString& path, OpenMode mode) {
    CheckExistingFile(path, mode);
    if (mode == OpenMode::ReadOnly) {
        // A file nobody may write, or in a folder nobody may write, is a
        // snapshot: SQLite reads it without its lock and journal files.
        const QFileInfo info(path);
        const bool immutable = !info.isWritable() || !QFileInfo(info.absolutePath()).isWritable();
        const auto db = SqliteDatabase::OpenReadOnly(path, immutable);
        CheckSchemaVersion(*db, QStringLiteral("文件 ") + path);
        return db;
    }
    const auto db = SqliteDatabase::Open(path, false);
    if (db->IsReadOnly()) Refuse(ReadOnlyText(path));
    CheckSchemaVersion(*db, QStringLiteral("文件 ") + path);
    db->UseWriteAheadLog();
    MigrateDatabase(*db);
    return db;
}

bool HoldsData(Database& db) {
    return db.Query(QStringLiteral("SELECT 1 FROM t_User UNION ALL SELECT 1 FROM t_Item LIMIT 1"))->RecordCount() > 0;
}

// A company database on a server: creating one makes the server's database
// when it is missing and fills an empty one; it never touches a database
// that already holds a company. A user's own login reads and writes through
// the rights the server grants, so only the owner takes on migrations.
DatabasePtr OpenOnServer(const QString& url, OpenMode mode, const ServerLogin& login) {
    // The server would take its default database, and a company would be made in it.
    if (UrlDatabase(url).isEmpty())
        Refuse(QStringLiteral("服务器地址 %1 中没有数据库名称：请在地址末尾写上公司数据库的名称，"
                              "例如 postgresql://server:5432/erp。")
                   .arg(UrlWithoutPassword(url)));
    if (mode == OpenMode::Create) PostgresDatabase::CreateDatabaseIfMissing(url);
    const auto db = PostgresDatabase::Open(url, login);
    const QString name = QStringLiteral("服务器上的数据库 ") + db->ConnectionText();
    if (!login.role.isEmpty() && mode == OpenMode::Existing && SchemaVersion(*db).value_or(0) < LatestSchemaVersion())
        Refuse(QStringLiteral("%1 中的公司数据库需要升级到版本 %2，请它的所有者先用本程序打开一次。")
                   .arg(name)
                   .arg(LatestSchemaVersion()));
    if (mode == OpenMode::Create) {
        if (SchemaVersion(*db).value_or(0) > 0 && HoldsData(*db))
            Refuse(QStringLiteral("%1 中已经有公司数据库。新建公司数据库不会覆盖已有的数据，请换一个数据库名称。")
                       .arg(name));
    } else {
        CheckSchemaVersion(*db, name);
    }
    if (mode == OpenMode::ReadOnly) return db;
    try {
        MigrateDatabase(*db);
    } catch (const HostError& e) {
        throw DbError(QStringLiteral("无法在%1中建立公司数据库的结构：%2").arg(name, e.Description()));
    }
    return db;
}

DatabasePtr CreateNew(const QString& path) {
    const QFileInfo info(path);
    if (info.exists())
        Refuse(QStringLiteral("文件 %1 已经存在。新建公司数据库不会覆盖已有的文件，请换一个文件名。").arg(path));
    if (!QFileInfo(info.absolutePath()).isDir())
        Refuse(QStringLiteral("文件夹 %1 不存在，无法在其中新建公司数据库。")
                   .arg(QDir::toNativeSeparators(info.absolutePath())));
    // Creating the empty file first, exclusively, keeps a file that appears
    // meanwhile from being taken over; SQLite treats an empty file as a new database.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        Refuse(QStringLiteral("无法新建公司数据库文件：%1").arg(FileFailure(path, errno)));
    file.close();
    try {
        const auto db = SqliteDatabase::Open(path, false);
        db->UseWriteAheadLog();
        MigrateDatabase(*db);
        return db;
    } catch (const HostError& e) {
        RemoveDatabaseFiles(path);
        throw DbError(QStringLiteral("无法新建公司数据库 %1：%2").arg(path, e.Description()));
    }
}
}  // namespace

void RemoveDatabaseFiles(const QString& path) {
    for (const char* suffix : kCompanyFileSuffixes) QFile::remove(path + QLatin1String(suffix));
}

void KeepCompanyFiles(const QString& path) {
    // SQLite puts the journal beside the file a link leads to.
    const QString canonical = QFileInfo(path).canonicalFilePath();
    const QString company = canonical.isEmpty() ? path : canonical;
    for (const char* suffix : kCompanyFileSuffixes)
        KeepFile(company + QLatin1String(suffix), QStringLiteral("账套文件"));
}

bool IsServerConnection(const QString& connectionText) {
    const QString text = connectionText.trimmed();
    return text.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
           text.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

DatabasePtr OpenDatabase(const QString& connectionText, OpenMode mode, const ServerLogin& login) {
    const QString text = connectionText.trimmed();
    if (text.isEmpty()) Refuse(QStringLiteral("没有指定公司数据库。"));
    if (IsServerConnection(text)) return OpenOnServer(text, mode, login);
    KeepCompanyFiles(text);
    return mode == OpenMode::Create ? CreateNew(text) : OpenExisting(text, mode);
}

}  // namespace qor::db
