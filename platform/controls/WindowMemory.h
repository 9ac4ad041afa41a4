#pragma once

#include <QRect>
#include <QString>
#include <QVariant>

class QWidget;

namespace qor::controls {

// The default place of a window: fraction of the available screen area, at
// least minimum, centred in it and never larger than it.
QRect CentredPlacement(const QRect& available, double fraction, const QSize& minimum);

// Remembers where a top-level window was, its maximised state and a few
// values of the window's own (a splitter, column widths), in a group of an
// INI file.
class WindowMemory {
public:
    WindowMemory(QString file, QString group);

    // Puts the window where it was last when that still lies on its screen
    // and returns true; otherwise leaves it where it is and returns false.
    bool Restore(QWidget& window) const;
    void Save(const QWidget& window) const;

    QVariant Value(const QString& key) const;
    void SetValue(const QString& key, const QVariant& value) const;

private:
    QString file_;
    QString group_;
};

}  // namespace qor::controls
