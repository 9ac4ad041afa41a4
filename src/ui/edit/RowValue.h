#pragma once

#include <QString>
#include <QVariant>

namespace qor {

// What the value cell of one edit-grid row stands for: the chosen record's
// identifier, code and name, and the value the cell shows.
struct RowValue {
    QString ID;
    QString Number;
    QString Name;
    QVariant Value;
    QVariant OldValue;  // Value before its last change; kept for the record only
    // Sales-order row only: the order line chosen in the list, consumed by the
    // next resolution of the typed bill number.
    QString EntryFilter;

    void ChangeValue(const QVariant& value) {
        OldValue = Value;
        Value = value;
    }
    // ID, Number and Name together, as a look-up or a resolution fills them.
    void Choose(const QString& id, const QString& name, const QString& number) {
        ID = id;
        Name = name;
        Number = number;
    }
};

}  // namespace qor
