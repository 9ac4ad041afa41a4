#pragma once

#include "platform/base/Variant.h"
#include "platform/host/Object.h"

#include <QString>
#include <exception>

namespace qor {

// Answers of host calls read as the kind of object the caller expects. Nothing
// (an empty value) reads as a null pointer; a value of any other kind is a
// type mismatch and throws HostError.
RecordsetPtr AsRecordset(const QVariant& value);
DictionaryPtr AsDictionary(const QVariant& value);
VectorPtr AsVector(const QVariant& value);
host::ObjectPtr AsObject(const QVariant& value);

// The text to show for a caught error: the description of a HostError, the
// message of any other exception.
QString ErrorDescription(const std::exception& error);

}  // namespace qor
