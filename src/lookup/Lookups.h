#pragma once

#include "platform/base/Dictionary.h"
#include "platform/base/Recordset.h"

#include <QString>
#include <QVariantList>
#include <cstdint>
#include <vector>

namespace qor {

// The look-up class of a column ("FLookUpCls"). A schema may name other
// classes; they have no picker and no code search.
enum class LookupClass : int32_t { None = 0, Item = 4, Batch = 18, SalesOrder = 81, CustomerBom = -101 };

// Opens the picker of look-up class cls with the search text and the SQL
// condition filter, and copies the choice into result ("FItemID", "FName",
// "FNumber", and "FEntryID" for sales-order lines). 1 when a choice was
// copied (or nothing had to be picked), -1 when none was made or it failed.
int32_t RunLookup(LookupClass cls, const QString& search, const QString& filter, const DictionaryPtr& result,
                  int16_t dataType);

// The customer-BOM picker: 1 when a BOM was chosen, 0 otherwise.
int32_t BomLookup(const DictionaryPtr& result, const QString& filter);

// The code search behind a typed code: the host's item detail of class cls
// for text, with the access test for item classes. Answers the recordset, the
// placeholder recordset when the user may not use the item, or nullptr.
RecordsetPtr GetItemDetailRs(int16_t cls, const QString& text, int32_t userId, const QString& extra);

// A record a code search found: its id and name, and the item it belongs to.
struct FoundCode {
    QString code;
    int32_t id = 0;
    QString name;
    int32_t ownerId = 0;
};

// GetItemDetailRs for many codes of items (Item) or customer BOMs
// (CustomerBom) at once, a few hundred to a host call, with the same access
// test: the records found. Codes found nowhere, or items the user may not
// use, have none. Throws when the host fails.
std::vector<FoundCode> FindCodes(LookupClass cls, const QStringList& codes, int32_t userId, const QString& extra);

// An empty disconnected recordset with one 32-bit field "TemInterID".
RecordsetPtr PlaceholderRecordset();

// Whether value equals one of values (compared in order).
bool InList(const QVariant& value, const QVariantList& values);

}  // namespace qor
