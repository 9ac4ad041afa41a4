#pragma once

#include <QString>

namespace qor {

// The list window's view options in the settings file "VUZOvuvir.INI" beside
// the component library: section = the window's name, keys
// "mnuShowStatus" and "mnuShowToolBar", 1 shown, 0 hidden.
class ViewSettings {
public:
    ViewSettings(QString path, QString section);

    // Missing keys read as 1.
    bool Read(const QString& key) const;
    void Write(const QString& key, bool on) const;
    const QString& Path() const { return path_; }

private:
    QString path_;
    QString section_;
};

}  // namespace qor
