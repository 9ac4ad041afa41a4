#include "CommandLine.h"
#include "ListCommand.h"
#include "OutputCommand.h"
#include "RegisterCommand.h"
#include "Shell.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QFontDatabase>
#include <cstdio>

namespace {

QStringList ArgumentsOf(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i) args.append(QString::fromLocal8Bit(argv[i]));
    return args;
}

// Without a display the window is served over VNC, so a user of a headless
// server can still reach it with any VNC viewer.
void ChoosePlatform() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return;
    qputenv("QT_QPA_PLATFORM", "vnc:size=1280x800:port=5900");
    std::fprintf(stderr, "%s\n",
                 qUtf8Printable(QStringLiteral("没有图形显示。窗口通过 VNC 提供: 请用 VNC 查看器连接 127.0.0.1:5900。")));
}

// Windows and printed lists use WenQuanYi Micro Hei: it writes every Chinese
// text, and text extracted from a PDF printed with it is the text printed.
void UseReportFont() {
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPointSize(10);
    QApplication::setFont(font);
}

// Qt's own dialogs (print, page set-up, file choice) speak Chinese too.
void UseChineseQtTexts(QApplication& app) {
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace qor::app;
    const ParseResult parsed = ParseCommandLine(ArgumentsOf(argc, argv));
    if (!parsed.options) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(parsed.error));
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
    case Command::Shell:
        break;
    }
    ChoosePlatform();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qor-erp"));
    QApplication::setApplicationDisplayName(QStringLiteral("客户BOM批次对应表"));
    UseReportFont();
    UseChineseQtTexts(app);
    return RunShell(options);
}
