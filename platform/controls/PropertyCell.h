#pragma once

#include <QColor>
#include <QString>

namespace qor::controls {

// The kinds of value a property grid cell holds.
enum class CellKind { Default, StaticText, Text, Integer, Date, CheckBox };

// One cell of the property grid: its kind with its limits, its value and its
// look. A check box keeps its state in checked; every other kind its text
// (an integer in decimal, a date as yyyy-MM-dd).
struct PropertyCell {
    CellKind kind = CellKind::Default;
    QString text;
    bool checked = false;
    bool locked = false;
    int maxLength = 0;  // text cells; 0 means no limit
    int minimum = 0;    // integer cells
    int maximum = 0;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QColor backColor;  // invalid: the grid's own background
};

}  // namespace qor::controls
