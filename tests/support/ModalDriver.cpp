#include "tests/support/ModalDriver.h"

#include <QApplication>
#include <QTimer>
#include <memory>

namespace qor::test {

namespace {
// Gives up after five seconds, so that a dialog that never opens leaves no timer running.
void Poll(std::shared_ptr<std::function<void(QWidget*)>> action, int attempts) {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible()) return (*action)(modal);
    if (attempts < 500) QTimer::singleShot(10, [action, attempts] { Poll(action, attempts + 1); });
}
}  // namespace

void WhenModalShown(std::function<void(QWidget* modal)> action) {
    auto shared = std::make_shared<std::function<void(QWidget*)>>(std::move(action));
    QTimer::singleShot(0, [shared] { Poll(shared, 0); });
}

}  // namespace qor::test
