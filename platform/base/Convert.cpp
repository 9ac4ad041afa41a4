#include "platform/base/Convert.h"

#include "platform/base/HostError.h"

#include <cmath>
#include <limits>

namespace qor {

namespace {

HostError TypeMismatch() { return HostError(QStringLiteral("类型不匹配")); }
HostError InvalidNull() { return HostError(QStringLiteral("无效使用 Null")); }
HostError Overflow() { return HostError(QStringLiteral("溢出")); }

bool IsNumericType(const QVariant& v) {
    switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::UChar:
            return true;
        default:
            return false;
    }
}

// Parses text that must be a number as a whole.
bool ParseWholeNumber(const QString& text, double* out) {
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    if (ok) *out = d;
    return ok;
}

template <typename Int>
Int ToInteger(const QVariant& v) {
    const double d = ToDouble(v);
    if (std::isnan(d)) throw Overflow();
    const double rounded = std::nearbyint(d);  // default rounding mode: halves to even
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        throw Overflow();
    return static_cast<Int>(rounded);
}

}  // namespace

bool IsNull(const QVariant& v) { return !v.isValid() || v.isNull(); }

double LeadingNumber(const QString& text) {
    const int n = static_cast<int>(text.size());
    int i = 0;
    while (i < n && (text[i] == u' ' || text[i] == u'\t')) ++i;
    const int start = i;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
    int digits = 0;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) ++i, ++digits;
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && text[i].unicode() < 128 && text[i].isDigit()) ++i, ++digits;
    }
    if (digits == 0) return 0.0;
    int end = i;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        int j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-')) ++j;
        const int expStart = j;
        while (j < n && text[j].unicode() < 128 && text[j].isDigit()) ++j;
        if (j > expStart) end = j;
    }
    return text.mid(start, end - start).toDouble();
}

double ToDouble(const QVariant& v) {
    if (IsNull(v)) throw InvalidNull();
    if (v.typeId() == QMetaType::Bool) return v.toBool() ? -1.0 : 0.0;
    if (IsNumericType(v)) return v.toDouble();
    if (v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray) {
        double d = 0;
        if (ParseWholeNumber(v.toString(), &d)) return d;
    }
    throw TypeMismatch();
}

int16_t ToInt16(const QVariant& v) { return ToInteger<int16_t>(v); }
int32_t ToInt32(const QVariant& v) { return ToInteger<int32_t>(v); }

bool ToBool(const QVariant& v) {
    if (IsNull(v)) throw InvalidNull();
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    if (IsNumericType(v)) return v.toDouble() != 0.0;
    if (v.typeId() == QMetaType::QString) {
        const QString t = v.toString().trimmed();
        if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
        if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
        double d = 0;
        if (ParseWholeNumber(t, &d)) return d != 0.0;
    }
    throw TypeMismatch();
}

bool IsTrueFlag(const QVariant& v) {
    try {
        return ToBool(v);
    } catch (const std::exception&) {
        return false;
    }
}

QString ToText(const QVariant& v) {
    if (IsNull(v)) throw InvalidNull();
    switch (v.typeId()) {
        case QMetaType::Bool:
            return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        case QMetaType::Double:
        case QMetaType::Float:
            return QString::number(v.toDouble(), 'g', 15);
        default:
            if (!v.canConvert<QString>()) throw TypeMismatch();
            return v.toString();
    }
}

QString NullToEmpty(const QVariant& v) { return IsNull(v) ? QString() : ToText(v); }

double NullToZero(const QVariant& v) { return IsNull(v) ? 0.0 : ToDouble(v); }

}  // namespace qor
