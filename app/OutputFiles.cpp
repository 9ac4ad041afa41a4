#include "app/OutputFiles.h"

#include "app/Shell.h"
#include "platform/db/OpenDatabase.h"

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <utility>
#include <vector>

namespace qor::app {

namespace {

QString OutputOf(const ShellOptions& options) {
    switch (options.command) {
        case Command::Export:
        case Command::Print:
            return options.out;
        case Command::Import:
            return options.report;
        default:
            return {};
    }
}

// The files the command reads or keeps, with what the refusal calls them.
std::vector<std::pair<QString, QString>> KeptFiles(const ShellOptions& options) {
    std::vector<std::pair<QString, QString>> kept;
    const QString company = options.database.isEmpty() ? DefaultDemoDatabase() : options.database;
    if (!db::IsServerConnection(company))
        for (const char* suffix : {"", "-wal", "-shm", "-journal"})
            kept.emplace_back(company + QLatin1String(suffix), QStringLiteral("账套文件"));
    kept.emplace_back(options.in, QStringLiteral("要引入的文件"));
    kept.emplace_back(options.traceFile, QStringLiteral("跟踪文件"));
    kept.emplace_back(options.passwordFile, QStringLiteral("密码文件"));
    return kept;
}

bool SameFile(const struct stat& a, const QString& path) {
    struct stat b {};
    return !path.isEmpty() && stat(QFile::encodeName(path).constData(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

}  // namespace

std::optional<QString> OutputRefusal(const ShellOptions& options) {
    const QString output = OutputOf(options);
    struct stat target {};
    if (output.isEmpty() || stat(QFile::encodeName(output).constData(), &target) != 0) return std::nullopt;
    const QString shown = QDir::toNativeSeparators(output);
    if (!S_ISREG(target.st_mode)) return QStringLiteral("%1 不是普通文件，不能用作输出文件。").arg(shown);
    for (const auto& [path, what] : KeptFiles(options))
        if (SameFile(target, path))
            return QStringLiteral("%1 就是%2，不能用作输出文件；它没有被改动。").arg(shown, what);
    return std::nullopt;
}

}  // namespace qor::app
