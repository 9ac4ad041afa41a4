#include "src/ui/find/SearchFields.h"

#include "src/common/Messages.h"
#include "src/common/SqlQuote.h"

namespace qor {

std::vector<SearchField> InitialSearchFields() {
    auto field = [](const char* name, const char* caption, LookupClass cls, int32_t kind, const char* alias) {
        SearchField f;
        f.fieldName = QString::fromLatin1(name);
        f.fieldCaption = Translate(QString::fromUtf8(caption));
        f.lookupClass = cls;
        f.returnKind = kind;
        f.tableAlias = QString::fromLatin1(alias);
        return f;
    };
    return {field("FNumber", "物料代码", LookupClass::Item, 1, "t1"),
            field("FName", "物料名称", LookupClass::Item, 2, "t1"),
            field("FModel", "规格型号", LookupClass::None, 0, "t1"),
            field("FBillNo", "销售订单号", LookupClass::None, 0, "v2"),
            field("FBOMNumber", "客户BOM号", LookupClass::CustomerBom, 2, "t2"),
            field("FBatchNo", "批号", LookupClass::None, 2, "v1")};
}

const QStringList& FilterComparisons() {
    static const QStringList items{Translate(QStringLiteral("(无)")),  Translate(QStringLiteral("等于")),
                                   Translate(QStringLiteral("不等")),  Translate(QStringLiteral("小于")),
                                   Translate(QStringLiteral("大于")),  Translate(QStringLiteral("包含")),
                                   Translate(QStringLiteral("不包含"))};
    return items;
}

const QStringList& SortOrders() {
    static const QStringList items{Translate(QStringLiteral("(无)")), Translate(QStringLiteral("升序")),
                                   Translate(QStringLiteral("降序"))};
    return items;
}

QString BuildSortList(const std::vector<SearchField>& fields) {
    const QStringList& orders = SortOrders();
    QString list;
    for (const SearchField& f : fields) {
        const QString trimmed = f.entry.trimmed();
        if (trimmed.isEmpty() || trimmed == orders[0] || f.inUse != 1) continue;
        list += u',' + f.tableAlias + u'.' + f.fieldName;
        if (f.entry == orders[1])
            list += QStringLiteral(" ASC");
        else if (f.entry == orders[2])
            list += QStringLiteral(" DESC");
    }
    return list.mid(1);
}

QString ColumnSortList(const QString& columnName, bool descending) {
    static const std::pair<const char*, const char*> kFieldOfColumn[] = {
        {"FItemID", "FNumber"},      {"FItemName", "FName"},       {"FModel", "FModel"},
        {"FOrderBillNo", "FBillNo"}, {"FCustBomNo", "FBOMNumber"}, {"FBatchNo", "FBatchNo"},
    };
    std::vector<SearchField> fields = InitialSearchFields();
    for (const auto& [column, field] : kFieldOfColumn) {
        if (columnName.compare(QLatin1String(column), Qt::CaseInsensitive) != 0) continue;
        for (SearchField& f : fields)
            if (f.fieldName == QLatin1String(field)) f.entry = SortOrders()[descending ? 2 : 1];
        return BuildSortList(fields);
    }
    return QString();
}

QString BuildFilterFragment(const std::vector<SearchField>& fields, const QStringList& comparisons) {
    const QStringList& items = FilterComparisons();
    QString fragment;
    for (size_t i = 0; i < fields.size(); ++i) {
        const SearchField& f = fields[i];
        const QString comparison =
            i < static_cast<size_t>(comparisons.size()) ? comparisons[static_cast<qsizetype>(i)] : QString();
        if (f.entry.trimmed().isEmpty() || comparison.trimmed().isEmpty() || comparison == items[0]) continue;
        if (f.inUse != 1) continue;
        const QString value = SqlQuote(f.entry, false, false);
        fragment += QStringLiteral(" AND ") + f.tableAlias + u'.' + f.fieldName;
        if (comparison == items[1])
            fragment += QStringLiteral(" ='") + value + u'\'';
        else if (comparison == items[2])
            fragment += QStringLiteral(" <>'") + value + u'\'';
        else if (comparison == items[3])
            fragment += QStringLiteral(" <'") + value + u'\'';
        else if (comparison == items[4])
            fragment += QStringLiteral(" >'") + value + u'\'';
        else if (comparison == items[5])
            fragment += QStringLiteral(" LIKE '%") + value + QStringLiteral("%'");
        else if (comparison == items[6])
            fragment += QStringLiteral(" NOT LIKE '%") + value + QStringLiteral("%'");
    }
    return fragment;
}

}  // namespace qor
