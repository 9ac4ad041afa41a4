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

// PostgreSQL numbers its parameters: each "?" outside literals, quoted names
// and comments becomes $1, $2, ... in order.
QString NumberPlaceholders(const QString& sql);

// PostgreSQL sorts the result of a UNION (INTERSECT, EXCEPT) only by its
// output columns, so "... UNION SELECT t1.FNumber ... ORDER BY t1.FNumber" is
// refused there. This drops the table qualifier of every qualified name in
// the top-level ORDER BY that follows the last top-level set operation
// ("ORDER BY t1.FNumber" -> "ORDER BY FNumber"), which names the same output
// column as long as the first branch selects that column under its own name
// or an alias of it. Subqueries in parentheses, literals, quoted names and
// comments are not touched; text without such an ORDER BY comes back
// unchanged.
QString RewriteUnionOrderBy(const QString& sql);

}  // namespace qor::db
