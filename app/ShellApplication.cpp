#include "app/ShellApplication.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace qor::app {

void UseReportFont() {
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPointSize(10);
    QApplication::setFont(font);
}

void SetUpShellApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("qor-erp"));
    // Dates and sizes in Qt's own dialogs (the file dialogs) read as the rest of the window.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    UseReportFont();
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

}  // namespace qor::app
