#pragma once

#include "platform/base/Dictionary.h"
#include "platform/base/Recordset.h"

#include <QStringList>

namespace qor::services {

// Every field of one row (0-based) of rows, keyed by field name.
DictionaryPtr RowDictionary(const Recordset& rows, int row);

// A recordset holding one row (0-based) of rows with the named fields only.
RecordsetPtr RowRecordset(const Recordset& rows, int row, const QStringList& fields);

}  // namespace qor::services
