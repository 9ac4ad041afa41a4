#include "src/data/ItemDataRights.h"

#include "src/common/DataRightFilter.h"
#include "src/common/LoginContext.h"
#include "src/common/PropsString.h"

#include <QVariant>

namespace qor {

DataRightFragments ItemDataRights(const QString& billTableAs) {
    DataRightFragments fragments;
    try {
        auto tables = Vector::New();
        tables->Add(QStringLiteral("t_ICItem"));
        auto table = Dictionary::New();
        table->Set(QStringLiteral("DataTable"), QStringLiteral("t_ICItem"));
        table->Set(QStringLiteral("DataTableAs"), QStringLiteral("te2"));
        table->Set(QStringLiteral("DataCol"), QStringLiteral("FItemID"));
        table->Set(QStringLiteral("BillTableAs"), billTableAs);
        table->Set(QStringLiteral("BillCol"), QStringLiteral("FItemID"));
        auto descriptors = Vector::New();
        descriptors->Add(QVariant::fromValue(table));
        // The service's answer is not used: whatever it appended stands.
        AddDataRightFilter(SharedPropsString(), CurrentUserID(), tables, descriptors, fragments.condition);
    } catch (const std::exception&) {
    }
    return fragments;
}

}  // namespace qor
