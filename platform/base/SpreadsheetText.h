#pragma once

#include <QString>

namespace qor {

// A CSV cell as a spreadsheet program may open it: text it would run as a
// formula (starting with =, +, -, @, a tab or a carriage return) gets a
// leading apostrophe, which the program shows as text and an import strips.
QString NeutralisedCell(const QString& cell);

// The cell as it was before NeutralisedCell.
QString WithoutNeutraliser(const QString& cell);

}  // namespace qor
