#pragma once

#include <QString>

namespace qor::db {

// SQLite reads ISNULL as the postfix operator "x ISNULL", so the T-SQL
// function ISNULL(a, b) does not parse there. This turns every call of it
// into IFNULL(a, b), which means the same:
// - the word is matched in any letter case (T-SQL keywords have none) and only
//   as a whole word, so t.ISNULL( or MyISNULL( are left alone;
// - blanks, tabs and line ends may stand between the word and "(" and are kept;
// - nothing inside a '...' literal (with '' escapes), a "..." or [...] quoted
//   name, a -- comment or a /* */ comment is touched;
// - a postfix "x ISNULL" without a following "(" stays as it is.
// Text without such a call comes back unchanged.
QString RewriteIsNullCalls(const QString& sql);

}  // namespace qor::db
