#include "src/common/SqlQuote.h"

namespace qor {

QString SqlQuote(const QString& text, bool addQuotes, bool trim) {
    QString quoted = trim ? text.trimmed() : text;
    quoted.replace(u'\'', QStringLiteral("''"));
    return addQuotes ? u'\'' + quoted + u'\'' : quoted;
}

}  // namespace qor
