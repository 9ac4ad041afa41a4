#include "src/common/DataRightFilter.h"

#include "platform/base/Convert.h"
#include "src/common/HostValues.h"
#include "src/common/KeptInstances.h"
#include "src/host/ProgIds.h"

#include <algorithm>
#include <array>

namespace qor {

namespace {

struct RestrictedTable {
    QLatin1String name;
    int32_t rightKind;
    bool inForce = false;
};

RestrictedTable* FindRestricted(std::array<RestrictedTable, 3>& tables, const QString& name) {
    for (auto& table : tables)
        if (name.compare(table.name, Qt::CaseInsensitive) == 0) return &table;
    return nullptr;
}

QString Entry(const Dictionary& descriptor, const QString& key) { return NullToEmpty(descriptor.Item(key)); }

DictionaryPtr DescriptorAt(const VectorPtr& descriptors, int i) {
    auto descriptor = AsDictionary(descriptors->Item(i));
    return descriptor ? descriptor : Dictionary::New();
}

}  // namespace

bool AddDataRightFilter(const QString& props, int32_t userId, const VectorPtr& tableNames, const VectorPtr& descriptors,
                        QString& where) {
    const QString dataTable = QStringLiteral("DataTable");
    std::array<RestrictedTable, 3> tables{
        {{QLatin1String("t_organization"), 1}, {QLatin1String("t_supplier"), 2}, {QLatin1String("t_stock"), 4}}};
    if (!tableNames || !descriptors) return false;
    try {
        const int count = tableNames->Count();
        {
            auto itemInfo = CreateComponent(QString::fromLatin1(host::progid::kItemInfo));
            for (int i = 1; i <= count; ++i) {
                if (auto* table = FindRestricted(tables, Entry(*DescriptorAt(descriptors, i), dataTable)))
                    table->inForce =
                        ToBool(itemInfo->Call(QStringLiteral("GetDataRight"), {props, userId, table->rightKind}));
            }
        }
        if (std::none_of(tables.begin(), tables.end(), [](const RestrictedTable& t) { return t.inForce; })) return true;

        QString alias;
        for (int i = 1; i <= count; ++i) {
            const DictionaryPtr descriptor = DescriptorAt(descriptors, i);
            if (descriptor->Exists(QStringLiteral("DataTableAs")))
                alias = Entry(*descriptor, QStringLiteral("DataTableAs"));
            else if (descriptor->Exists(QStringLiteral("BillTableAs")))
                alias = Entry(*descriptor, QStringLiteral("BillTableAs"));
            const RestrictedTable* table = FindRestricted(tables, Entry(*descriptor, dataTable));
            if (!table || !table->inForce) continue;
            if (!where.trimmed().isEmpty()) where += QStringLiteral(" And ");
            where += QStringLiteral(" CharIndex('%1',%2.FRightUserID)>0 ").arg(QString::number(userId), alias);
        }
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace qor
