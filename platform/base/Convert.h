#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>

// Value conversions with one definition each. Database nulls travel as an
// invalid QVariant until one of these turns them into text or a number.
namespace qor {

bool IsNull(const QVariant& v);

// Reads the number at the start of the text: "10.5abc" gives 10.5, "abc" 0,
// " -3e2x" -300. Reading stops at the first character that cannot continue it.
double LeadingNumber(const QString& text);

// Number conversion of a value: numbers as they are, booleans as -1 / 0, text
// when it is a number as a whole (blanks around it allowed). Throws HostError
// on null or on text that is not a number.
double ToDouble(const QVariant& v);

// Integer conversions that round halves to even and throw HostError on
// overflow, null and non-numbers.
int16_t ToInt16(const QVariant& v);
int32_t ToInt32(const QVariant& v);

// Truthiness of a flag: booleans as they are, numbers (and numeric text) when
// not 0, the texts "True" / "False" in any letter case. Throws HostError otherwise.
bool ToBool(const QVariant& v);

// ToBool for a value that may hold anything: false where ToBool fails.
bool IsTrueFlag(const QVariant& v);

// Text of a value: numbers without superfluous digits, booleans as
// "True" / "False". Throws HostError on null.
QString ToText(const QVariant& v);

// Null-tolerant readers: null gives the empty text or 0.
QString NullToEmpty(const QVariant& v);
double NullToZero(const QVariant& v);

}  // namespace qor
