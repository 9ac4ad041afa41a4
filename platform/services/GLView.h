#pragma once

#include "platform/host/Dispatch.h"
#include "platform/services/Session.h"

namespace qor::services {

// QOREBCGLView.GLView: ItemLookup(class, search, filter, parameters) lets
// the user pick an item (class 4) of those passing filter, an SQL condition
// on t_ICItem, and answers a LookupResult. Parameters: "Search" seeds the
// search box (the search argument when absent), "BeShortNumber" shows and
// answers short numbers.
class GLView : public host::Dispatch {
public:
    explicit GLView(SessionPtr session);

private:
    QVariant ItemLookup(int cls, const QString& search, const QString& filter, const DictionaryPtr& parameters);

    SessionPtr session_;
};

}  // namespace qor::services
