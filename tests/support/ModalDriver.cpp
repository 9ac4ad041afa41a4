#include "tests/support/ModalDriver.h"

#include <QApplication>
#include <QTimer>
#include <memory>

namespace qor::test {

namespace {
constexpr int kPollMilliseconds = 10;
constexpr int kPollLimit = 500;

void Poll(std::shared_ptr<std::function<void(QWidget*)>> action, int attempts) {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible()) {
        (*action)(modal);
        return;
    }
    if (attempts < kPollLimit)
        QTimer::singleShot(kPollMilliseconds, [action, attempts] { Poll(action, attempts + 1); });
}
}  // namespace

void WhenModalShown(std::function<void(QWidget* modal)> action) {
    auto shared = std::make_shared<std::function<void(QWidget*)>>(std::move(action));
    QTimer::singleShot(0, [shared] { Poll(shared, 0); });
}

}  // namespace qor::test
