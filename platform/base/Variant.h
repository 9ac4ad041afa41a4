#pragma once

// Lets the shared containers travel inside QVariant, as arguments and results
// of host component calls.
#include "platform/base/Dictionary.h"
#include "platform/base/Recordset.h"
#include "platform/base/Vector.h"

#include <QMetaType>

Q_DECLARE_METATYPE(qor::VectorPtr)
Q_DECLARE_METATYPE(qor::DictionaryPtr)
Q_DECLARE_METATYPE(qor::RecordsetPtr)
