#pragma once

// Lets the shared containers travel inside QVariant, as arguments and results
// of host component calls.
#include "base/Dictionary.h"
#include "base/Recordset.h"
#include "base/Vector.h"

#include <QMetaType>

Q_DECLARE_METATYPE(qor::VectorPtr)
Q_DECLARE_METATYPE(qor::DictionaryPtr)
Q_DECLARE_METATYPE(qor::RecordsetPtr)
