#include "src/ui/list/ViewSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace qor {

ViewSettings::ViewSettings(QString path, QString section) : path_(std::move(path)), section_(std::move(section)) {}

bool ViewSettings::Read(const QString& key) const {
    QSettings ini(path_, QSettings::IniFormat);
    return ini.value(section_ + u'/' + key, 1).toInt() != 0;
}

void ViewSettings::Write(const QString& key, bool on) const {
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSettings ini(path_, QSettings::IniFormat);
    ini.setValue(section_ + u'/' + key, on ? 1 : 0);
    ini.sync();
}

}  // namespace qor
