#include "app/PasswordSource.h"

#include "platform/base/FileFailure.h"

#include <termios.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>

namespace qor::app {

namespace {

std::optional<QString> FromFile(const QString& path, QString* error) {
    const QFileInfo info(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (!info.isFile()) {
        *error = QStringLiteral("密码文件 %1 不存在或不是普通文件。").arg(shown);
        return std::nullopt;
    }
    const auto others =
        QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    if (info.permissions() & others) {
        *error = QStringLiteral("密码文件 %1 其他用户也能读写。请用 chmod 600 %1 让只有自己能读它。").arg(shown);
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("无法读取密码文件：%1").arg(FileReadFailure(file.fileName(), errno));
        return std::nullopt;
    }
    QString password = QString::fromUtf8(file.readLine());
    while (password.endsWith(u'\n') || password.endsWith(u'\r')) password.chop(1);
    return password;
}

// Asks on the terminal with echo off; nothing when standard input is not one.
std::optional<QString> FromTerminal() {
    if (!isatty(STDIN_FILENO)) return std::nullopt;
    std::fprintf(stderr, "%s", qUtf8Printable(QStringLiteral("密码: ")));
    std::fflush(stderr);
    termios saved{};
    const bool quiet = tcgetattr(STDIN_FILENO, &saved) == 0;
    if (quiet) {
        termios silent = saved;
        silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    }
    char line[1024] = {};
    const bool read = std::fgets(line, sizeof line, stdin) != nullptr;
    if (quiet) tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    std::fprintf(stderr, "\n");
    if (!read) return std::nullopt;
    QString password = QString::fromLocal8Bit(line);
    while (password.endsWith(u'\n') || password.endsWith(u'\r')) password.chop(1);
    return password;
}

}  // namespace

std::optional<QString> HeadlessPassword(const ShellOptions& options, QString* error) {
    if (options.passwordGiven) return options.password;
    if (!options.passwordFile.isEmpty()) return FromFile(options.passwordFile, error);
    if (qEnvironmentVariableIsSet("QOR_PASSWORD")) return qEnvironmentVariable("QOR_PASSWORD");
    if (std::optional<QString> typed = FromTerminal()) return typed;
    *error =
        QStringLiteral("没有给出密码：请用 --password-file 文件、环境变量 QOR_PASSWORD，或在终端上运行以输入密码。");
    return std::nullopt;
}

}  // namespace qor::app
