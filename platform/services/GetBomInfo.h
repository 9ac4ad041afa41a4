#pragma once

#include "platform/host/Dispatch.h"
#include "platform/services/Session.h"

namespace qor::services {

// Z9BOM.GetBomInfo, the customer-BOM picker: GetBomList(parameters) lets the
// user pick one of the customer BOMs (ICBom t1 of type 3, with its item t2)
// passing the SQL conditions "Filter" and "Filter1", and answers a Dictionary
// "FInterID", "FBomNumber", "FItemID"; FInterID 0 when none was chosen.
class GetBomInfo : public host::Dispatch {
public:
    explicit GetBomInfo(SessionPtr session);

private:
    DictionaryPtr GetBomList(const Dictionary& parameters);

    SessionPtr session_;
};

}  // namespace qor::services
