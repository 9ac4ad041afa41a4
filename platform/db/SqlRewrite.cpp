#include "platform/db/SqlRewrite.h"

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

// When a literal, a quoted name or a comment starts at i, the index just past
// it; otherwise i.
qsizetype SkipNonCode(const QString& sql, qsizetype i) {
    const QChar c = sql[i];
    const QChar next = i + 1 < sql.size() ? sql[i + 1] : QChar();
    if (c == u'\'') return SkipQuoted(sql, i, u'\'');
    if (c == u'"') return SkipQuoted(sql, i, u'"');
    if (c == u'[') return SkipQuoted(sql, i, u']');
    if (c == u'-' && next == u'-') return SkipLineComment(sql, i);
    if (c == u'/' && next == u'*') return SkipBlockComment(sql, i);
    return i;
}

bool IsWordStart(QChar c) { return c.isLetter() || c == u'_'; }

// Index just past the name or number that starts at i.
qsizetype SkipWord(const QString& sql, qsizetype i) {
    while (i < sql.size() && IsNameChar(sql[i])) ++i;
    return i;
}

bool IsWord(QStringView word, const char* keyword) {
    return word.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
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

// Index of the first letter of the top-level ORDER BY that follows the last
// top-level UNION, INTERSECT or EXCEPT, or -1 when there is none.
qsizetype OrderByAfterSetOperation(const QString& sql) {
    const qsizetype n = sql.size();
    int depth = 0;
    bool setOperation = false;
    qsizetype orderBy = -1;
    qsizetype i = 0;
    while (i < n) {
        const qsizetype skipped = SkipNonCode(sql, i);
        if (skipped != i) {
            i = skipped;
            continue;
        }
        const QChar c = sql[i];
        if (c == u'(') ++depth;
        if (c == u')') --depth;
        if (!IsWordStart(c) || (i > 0 && (IsNameChar(sql[i - 1]) || sql[i - 1] == u'.'))) {
            ++i;
            continue;
        }
        const qsizetype end = SkipWord(sql, i);
        const QStringView word = QStringView(sql).mid(i, end - i);
        if (depth == 0 && (IsWord(word, "UNION") || IsWord(word, "INTERSECT") || IsWord(word, "EXCEPT"))) {
            setOperation = true;
            orderBy = -1;
        } else if (depth == 0 && setOperation && IsWord(word, "ORDER")) {
            qsizetype j = end;
            while (j < n && sql[j].isSpace()) ++j;
            const qsizetype byEnd = SkipWord(sql, j);
            if (IsWord(QStringView(sql).mid(j, byEnd - j), "BY")) orderBy = i;
        }
        i = end;
    }
    return orderBy;
}
}  // namespace

QString RewriteIsNullCalls(const QString& sql) {
    if (!sql.contains(QStringLiteral("isnull"), Qt::CaseInsensitive)) return sql;
    QString out = sql;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype skipped = SkipNonCode(sql, i);
        if (skipped != i) {
            i = skipped;
        } else if ((sql[i] == u'i' || sql[i] == u'I') && IsIsNullCall(sql, i)) {
            out.replace(i, 6, QStringLiteral("IFNULL"));
            i += 6;
        } else {
            ++i;
        }
    }
    return out;
}

QString NumberPlaceholders(const QString& sql) {
    if (!sql.contains(u'?')) return sql;
    QString out;
    out.reserve(sql.size() + 16);
    int number = 0;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype skipped = SkipNonCode(sql, i);
        if (skipped != i) {
            out += QStringView(sql).mid(i, skipped - i);
            i = skipped;
        } else if (sql[i] == u'?') {
            out += u'$' + QString::number(++number);
            ++i;
        } else {
            out += sql[i++];
        }
    }
    return out;
}

QString RewriteUnionOrderBy(const QString& sql) {
    const qsizetype orderBy = OrderByAfterSetOperation(sql);
    if (orderBy < 0) return sql;
    QString out = sql.left(orderBy);
    const qsizetype n = sql.size();
    qsizetype i = orderBy;
    while (i < n) {
        const qsizetype skipped = SkipNonCode(sql, i);
        if (skipped != i) {
            out += QStringView(sql).mid(i, skipped - i);
            i = skipped;
            continue;
        }
        if (!IsWordStart(sql[i]) || IsNameChar(sql[i - 1])) {
            out += sql[i++];
            continue;
        }
        const qsizetype end = SkipWord(sql, i);
        if (end + 1 < n && sql[end] == u'.' && IsWordStart(sql[end + 1])) {
            i = end + 1;  // the qualifier goes; the column name follows
            continue;
        }
        out += QStringView(sql).mid(i, end - i);
        i = end;
    }
    return out;
}

}  // namespace qor::db
