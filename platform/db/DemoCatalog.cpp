#include "platform/db/DemoCatalog.h"

#include "platform/db/DemoNames.h"
#include "platform/db/RowAppender.h"

#include <algorithm>
#include <cmath>

namespace qor::db {

namespace {
struct Group {
    int id = 0;
    int parentId = 0;
    int level = 1;
    QString number;
    QString name;
    int family = 0;
};

int Digits(int n) { return static_cast<int>(QString::number(n).size()); }

QString Padded(int n, int width) { return QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0')); }

// The count-th name of a list, with a number appended once the list is used up.
QString NameAt(const QStringList& names, int count) {
    const QString& name = names[count % names.size()];
    return count < names.size() ? name : name + QString::number(count / names.size() + 1);
}

int CeilDiv(int a, int b) { return (a + b - 1) / b; }

// A balanced tree of count groups: a few top groups, families below them and
// variants of the families below those; items hang under the third level.
// A group's short number is its full number: in short-number mode the tree
// lists each group that holds items under both numbers, and only identical
// rows merge into one node; the same text also sorts every group after its
// parent in both modes.
std::vector<Group> PlanGroups(int count) {
    const int top = std::clamp(static_cast<int>(std::lround(std::cbrt(count))), 1, count - 2);
    int perTop = 1;
    while (top + top * perTop + top * perTop * perTop < count) ++perTop;
    const int remaining = count - top;
    const int second = std::clamp(top * perTop, 1, remaining / 2);
    const int third = remaining - second;
    const int topWidth = std::max(2, Digits(top));
    const int secondWidth = std::max(2, Digits(CeilDiv(second, top)));
    const int thirdWidth = std::max(3, Digits(CeilDiv(third, second)));
    const auto& families = ProductFamilies();
    const auto familyCount = static_cast<int>(families.size());

    std::vector<Group> groups;
    groups.reserve(static_cast<size_t>(count));
    for (int i = 0; i < top; ++i) {
        groups.push_back({i + 1, 0, 1, Padded(i + 1, topWidth), NameAt(TopGroupNames(), i), 0});
    }
    for (int j = 0; j < second; ++j) {
        const Group& parent = groups[static_cast<size_t>(j % top)];
        const int ordinal = j / top;
        const int family = (ordinal + parent.id * 7) % familyCount;
        const QString name = ordinal < familyCount ? families[static_cast<size_t>(family)].name
                                                   : families[static_cast<size_t>(family)].name +
                                                         QString::number(ordinal / familyCount + 1);
        const QString number = parent.number + u'.' + Padded(ordinal + 1, secondWidth);
        groups.push_back({top + j + 1, parent.id, 2, number, name, family});
    }
    for (int m = 0; m < third; ++m) {
        const Group& parent = groups[static_cast<size_t>(top + m % second)];
        const int ordinal = m / second;
        const QString number = parent.number + u'.' + Padded(ordinal + 1, thirdWidth);
        groups.push_back({top + second + m + 1, parent.id, 3, number, NameAt(FamilyVariants(), ordinal) + parent.name,
                          parent.family});
    }
    return groups;
}

// Seven in ten items are made to order; the rest are bought, subcontracted
// or phantom items.
int ErpClassOf(int itemIndex) {
    switch (itemIndex % 10) {
        case 7:
            return 1;
        case 8:
            return 2;
        case 9:
            return 3;
        default:
            return 7;
    }
}
}  // namespace

DemoCatalog WriteDemoCatalog(Database& db, const DemoOptions& options, DemoRandom& random) {
    RowAppender itemRows(db, QStringLiteral("t_Item"),
                         {QStringLiteral("FItemID"), QStringLiteral("FItemClassID"), QStringLiteral("FNumber"),
                          QStringLiteral("FShortNumber"), QStringLiteral("FName"), QStringLiteral("FParentID"),
                          QStringLiteral("FLevel"), QStringLiteral("FDetail")});
    RowAppender materialRows(
        db, QStringLiteral("t_ICItem"),
        {QStringLiteral("FItemID"), QStringLiteral("FNumber"), QStringLiteral("FShortNumber"), QStringLiteral("FName"),
         QStringLiteral("FModel"), QStringLiteral("FErpClsID"), QStringLiteral("FParentID"), QStringLiteral("FUnit")});

    const std::vector<Group> groups = PlanGroups(options.groups);
    std::vector<const Group*> itemGroups;
    for (const Group& g : groups) {
        itemRows.Add({g.id, 4, g.number, g.number, g.name, g.parentId, g.level, 0});
        if (g.level == 3) itemGroups.push_back(&g);
    }

    DemoCatalog catalog;
    const int shortWidth = std::max(4, Digits(options.items));
    const int firstItemId = options.groups + 1;
    for (int i = 0; i < options.items; ++i) {
        const Group& group = *random.Pick(itemGroups);
        const ProductFamily& family = ProductFamilies()[static_cast<size_t>(group.family)];
        const int id = firstItemId + i;
        const QString shortNumber = Padded(i + 1, shortWidth);
        const QString number = group.number + u'.' + shortNumber;
        const QString& name = random.Pick(family.parts);
        const int erpClass = ErpClassOf(i);
        itemRows.Add({id, 4, number, shortNumber, name, group.id, 4, 1});
        materialRows.Add({id, number, shortNumber, name, random.Pick(family.models), erpClass, group.id, family.unit});
        if (erpClass == 7)
            catalog.madeToOrderItems.push_back(id);
        else if (erpClass == 2)
            catalog.subcontractedItems.push_back(id);
    }
    itemRows.Flush();
    materialRows.Flush();
    return catalog;
}

}  // namespace qor::db
