#pragma once

#include <QString>
#include <QVariant>
#include <cstdint>

// The login context the host publishes per process through its ShareProps
// component: the property string, the user's id and name.
namespace qor {

// GetProperty(process id, key) of a new ShareProps instance. An object comes
// back as an object, anything else as its plain value. Errors reach the caller.
QVariant GetSharedProperty(const QString& key);

// The host property string and the user's name; errors reach the caller.
QString GetPropsString();
QString GetUserName();

// The same readers that never fail: "" and 0 when the property cannot be read.
QString SharedPropsString();
int32_t SharedUserID();

// Parses the host property string again and answers its "UserID" item; ""
// on any failure.
QString GetUserID();

// A plain reader of one item of the host property string: the text from the
// "=" after the key (the "=" included) up to the next ";", without trimming
// or brace handling. "LANGUAGE" always answers "chs". Never fails: "" instead.
QString GetPropValue(const QString& key);

}  // namespace qor
