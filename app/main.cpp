#include "app/CommandLine.h"
#include "app/ListCommand.h"
#include "app/OutputCommand.h"
#include "app/RegisterCommand.h"
#include "app/Shell.h"
#include "app/ShellApplication.h"
#include "app/UserCommand.h"
#include "platform/base/VisibleText.h"

#include <sys/stat.h>
#include <unistd.h>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <cerrno>
#include <cstdio>

namespace {

QStringList ArgumentsOf(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) args.append(QString::fromLocal8Bit(argv[i]));
    return args;
}

// Whether the window has somewhere to show: a display, or a platform the
// caller chose.
bool HasDisplay() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// Run from cron or su, a command has no XDG_RUNTIME_DIR and Qt would warn
// about it on standard error: a private folder of the user's stands in.
void ProvideRuntimeFolder() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
    const QByteArray folder = QDir::tempPath().toLocal8Bit() + "/qor-erp-runtime-" + QByteArray::number(getuid());
    if (mkdir(folder.constData(), 0700) != 0 && errno != EEXIST) return;
    struct stat info {};
    if (lstat(folder.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid() ||
        (info.st_mode & 077) != 0)
        return;
    qputenv("XDG_RUNTIME_DIR", folder);
}

// Whether the caller chose a window system that shows nothing.
bool ShowsNothing(const QByteArray& platforms) {
    return platforms.contains("offscreen") || platforms.contains("minimal");
}

// The window system the caller chose, else Qt's own choice (Wayland in a
// Wayland session, then X), with the offscreen platform last: a display
// that does not answer (a DISPLAY left over from an ended session) then ends
// in the shell's message rather than in Qt's abort. Qt's warnings about the
// failed tries are kept quiet until the application stands.
void UseOffscreenWhenNoDisplayAnswers(const QByteArray& chosen) {
    const bool wayland =
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == QByteArrayLiteral("wayland");
    QByteArray platforms = chosen.isEmpty() ? QByteArray() : chosen + ';';
    if (chosen.isEmpty() && wayland) platforms += QByteArrayLiteral("wayland;");
    if (chosen.isEmpty() && !qEnvironmentVariableIsEmpty("DISPLAY")) platforms += QByteArrayLiteral("xcb;");
    qputenv("QT_QPA_PLATFORM", platforms + QByteArrayLiteral("offscreen"));
    QLoggingCategory::setFilterRules(QStringLiteral("qt.qpa.*=false"));
}

}  // namespace

int main(int argc, char** argv) {
    ProvideRuntimeFolder();
    using namespace qor::app;
    const ParseResult parsed = ParseCommandLine(ArgumentsOf(argc, argv));
    if (!parsed.options) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(qor::WithVisibleControls(parsed.error)));
        return kExitUsage;
    }
    const ShellOptions& options = *parsed.options;
    switch (options.command) {
        case Command::Help:
            std::printf("%s", qUtf8Printable(UsageText()));
            return kExitOk;
        case Command::CreateDemo: {
            QCoreApplication app(argc, argv);
            return RunCreateDemo(options);
        }
        case Command::Register:
        case Command::Unregister: {
            QCoreApplication app(argc, argv);
            return RunRegister(options);
        }
        case Command::List:
        case Command::Export:
        case Command::Print: {
            // The list is built as the window builds it, but no window is shown.
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
            QApplication app(argc, argv);
            UseReportFont();
            if (options.command == Command::Export) return RunExport(options);
            if (options.command == Command::Print) return RunPrint(options);
            return RunList(options);
        }
        case Command::Find: {
            QCoreApplication app(argc, argv);
            return RunFind(options);
        }
        case Command::Import: {
            QCoreApplication app(argc, argv);
            return RunImport(options);
        }
        case Command::User: {
            QCoreApplication app(argc, argv);
            return RunUser(options);
        }
        case Command::Shell:
            break;
    }
    const auto noDisplay = [] {
        std::fprintf(
            stderr, "%s\n",
            qUtf8Printable(QStringLiteral("没有图形显示，无法打开窗口。请在图形界面中运行，或用 ssh -X 登录后运行；"
                                          "在源代码目录中 make run 会只为本机提供 VNC。")));
        return kExitRefused;
    };
    if (!HasDisplay()) return noDisplay();
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    const bool showsNothing = ShowsNothing(chosen);
    if (!showsNothing) UseOffscreenWhenNoDisplayAnswers(chosen);
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QString());
    // Programs the window starts choose their own window system again.
    if (chosen.isEmpty())
        qunsetenv("QT_QPA_PLATFORM");
    else
        qputenv("QT_QPA_PLATFORM", chosen);
    if (!showsNothing && QGuiApplication::platformName() == QLatin1String("offscreen")) return noDisplay();
    SetUpShellApplication(app);
    return RunShell(options);
}
