#include "db/SqlRewrite.h"

namespace qor::db {

namespace {
bool IsNameChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'$' || c == u'@' || c == u'#'; }

// Index just past the quoted part that starts at i with the quote open and
// ends with close; a doubled close stands for itself.
qsizetype SkipQuoted(const QString& sql, qsizetype i, QChar close) {
    const qsizetype n = sql.size();
    for (++i; i < n; ++i) {
        if (sql[i] != close) continue;
        if (i + 1 < n && sql[i + 1] == close) {
            ++i;
            continue;
        }
        return i + 1;
    }
    return n;
}

qsizetype SkipLineComment(const QString& sql, qsizetype i) {
    const qsizetype end = sql.indexOf(u'\n', i);
    return end < 0 ? sql.size() : end + 1;
}

qsizetype SkipBlockComment(const QString& sql, qsizetype i) {
    const qsizetype end = sql.indexOf(QStringLiteral("*/"), i + 2);
    return end < 0 ? sql.size() : end + 2;
}

// Whether the word at i is ISNULL used as a function: a whole word, not a
// qualified name, followed by "(" after optional white space.
bool IsIsNullCall(const QString& sql, qsizetype i) {
    static const QString word = QStringLiteral("ISNULL");
    const qsizetype n = sql.size();
    if (i + word.size() > n || QStringView(sql).mid(i, word.size()).compare(word, Qt::CaseInsensitive) != 0)
        return false;
    if (i > 0 && (IsNameChar(sql[i - 1]) || sql[i - 1] == u'.')) return false;
    qsizetype j = i + word.size();
    if (j < n && IsNameChar(sql[j])) return false;
    while (j < n && sql[j].isSpace()) ++j;
    return j < n && sql[j] == u'(';
}
}  // namespace

QString RewriteIsNullCalls(const QString& sql) {
    if (!sql.contains(QStringLiteral("isnull"), Qt::CaseInsensitive)) return sql;
    QString out = sql;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        const QChar next = i + 1 < n ? sql[i + 1] : QChar();
        if (c == u'\'')
            i = SkipQuoted(sql, i, u'\'');
        else if (c == u'"')
            i = SkipQuoted(sql, i, u'"');
        else if (c == u'[')
            i = SkipQuoted(sql, i, u']');
        else if (c == u'-' && next == u'-')
            i = SkipLineComment(sql, i);
        else if (c == u'/' && next == u'*')
            i = SkipBlockComment(sql, i);
        else if ((c == u'i' || c == u'I') && IsIsNullCall(sql, i)) {
            out.replace(i, 6, QStringLiteral("IFNULL"));
            i += 6;
        } else {
            ++i;
        }
    }
    return out;
}

}  // namespace qor::db
