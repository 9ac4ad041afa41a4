#include "platform/services/HelpBrowser.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace qor::services {

void ShowHelpPage(const QUrl& page) {
    static QPointer<QDialog> window;
    if (!window) {
        window = new QDialog(QApplication::activeWindow(), Qt::Window);
        window->setObjectName(QStringLiteral("helpBrowser"));
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowTitle(QStringLiteral("客户BOM批次对应表 帮助"));
        auto* browser = new QTextBrowser(window);
        browser->setObjectName(QStringLiteral("helpText"));
        browser->setOpenExternalLinks(true);
        auto* layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(browser);
        window->resize(720, 560);
    }
    auto* browser = window->findChild<QTextBrowser*>();
    browser->setSource(page);
    if (!page.fragment().isEmpty()) browser->scrollToAnchor(page.fragment());
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace qor::services
