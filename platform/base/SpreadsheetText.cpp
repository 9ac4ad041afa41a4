#include "platform/base/SpreadsheetText.h"

namespace qor {

namespace {

bool StartsAFormula(QChar c) { return c == u'=' || c == u'+' || c == u'-' || c == u'@' || c == u'\t' || c == u'\r'; }

}  // namespace

QString NeutralisedCell(const QString& cell) {
    return !cell.isEmpty() && StartsAFormula(cell.front()) ? u'\'' + cell : cell;
}

QString WithoutNeutraliser(const QString& cell) {
    return cell.size() > 1 && cell.front() == u'\'' && StartsAFormula(cell[1]) ? cell.mid(1) : cell;
}

}  // namespace qor
