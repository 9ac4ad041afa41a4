#pragma once

#include "platform/base/Dictionary.h"
#include "platform/host/Dispatch.h"

namespace qor::services {

// An item handed to the module (the choice of an item picker, the answer of
// GetItem): properties ID, Number and Name, and Properties, the Dictionary
// of its fields ("FItemID", "FNumber", "FName", ...).
class ItemRecord : public host::Dispatch {
public:
    explicit ItemRecord(DictionaryPtr fields);

private:
    DictionaryPtr fields_;
};

}  // namespace qor::services
