#include "platform/base/Variant.h"

namespace qor {

namespace {

// The type ids are fixed when this library loads, from its own descriptions
// of the types. A component library built with copies of the descriptions
// then reuses these ids and never registers its copies, which would be gone
// once the library is unloaded.
[[maybe_unused]] const int kRegisteredTypes =
    qRegisterMetaType<VectorPtr>() + qRegisterMetaType<DictionaryPtr>() + qRegisterMetaType<RecordsetPtr>();

}  // namespace

}  // namespace qor
