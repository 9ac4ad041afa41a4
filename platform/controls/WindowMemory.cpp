#include "platform/controls/WindowMemory.h"

#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>

namespace qor::controls {

namespace {
const QString kGeometry = QStringLiteral("Geometry");
}  // namespace

QRect CentredPlacement(const QRect& available, double fraction, const QSize& minimum) {
    const int width = std::min(available.width(), std::max(minimum.width(), int(available.width() * fraction)));
    const int height = std::min(available.height(), std::max(minimum.height(), int(available.height() * fraction)));
    return {available.x() + (available.width() - width) / 2, available.y() + (available.height() - height) / 2, width,
            height};
}

WindowMemory::WindowMemory(QString file, QString group) : file_(std::move(file)), group_(std::move(group)) {}

bool WindowMemory::Restore(QWidget& window) const {
    const QByteArray saved = Value(kGeometry).toByteArray();
    if (saved.isEmpty()) return false;
    const QRect before = window.geometry();
    if (!window.restoreGeometry(saved)) return false;
    const QScreen* screen = window.screen();
    if (window.isMaximized() || !screen || screen->availableGeometry().contains(window.frameGeometry())) return true;
    // Saved on a larger screen or at another scale: the default place instead.
    window.setGeometry(before);
    return false;
}

void WindowMemory::Save(const QWidget& window) const { SetValue(kGeometry, window.saveGeometry()); }

QVariant WindowMemory::Value(const QString& key) const {
    QSettings ini(file_, QSettings::IniFormat);
    return ini.value(group_ + u'/' + key);
}

void WindowMemory::SetValue(const QString& key, const QVariant& value) const {
    QDir().mkpath(QFileInfo(file_).absolutePath());
    QSettings ini(file_, QSettings::IniFormat);
    ini.setValue(group_ + u'/' + key, value);
}

}  // namespace qor::controls
