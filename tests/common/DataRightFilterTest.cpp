#include "base/HostError.h"
#include "base/Variant.h"
#include "common/DataRightFilter.h"
#include "host/ProgIds.h"
#include "support/FakeObject.h"

#include <gtest/gtest.h>

using namespace qor;
using qor::test::FakeObjectPtr;
using qor::test::RegisterFake;

namespace {

struct Tables {
    VectorPtr names = Vector::New();
    VectorPtr descriptors = Vector::New();

    Tables& Add(const QString& table, const QString& aliasKey = QString(), const QString& alias = QString()) {
        auto d = Dictionary::New();
        d->Set(QStringLiteral("DataTable"), table);
        if (!aliasKey.isEmpty()) d->Set(aliasKey, alias);
        names->Add(table);
        descriptors->Add(QVariant::fromValue(d));
        return *this;
    }
};

// ItemInfo answering GetDataRight by right kind.
FakeObjectPtr ItemInfo(QList<int> kindsInForce) {
    auto itemInfo = RegisterFake(QString::fromLatin1(host::progid::kItemInfo));
    itemInfo->On(QStringLiteral("GetDataRight"), [kindsInForce](QVariantList& args) {
        return QVariant(kindsInForce.contains(args.value(2).toInt()) ? 1 : 0);
    });
    return itemInfo;
}

}  // namespace

TEST(AddDataRightFilter, ItemTableAloneLeavesTheWhereTextYetNeedsItemInfo) {
    Tables tables;
    tables.Add(QStringLiteral("t_ICItem"), QStringLiteral("DataTableAs"), QStringLiteral("t1"));
    QString where = QStringLiteral(" and t1.FItemID=5");
    EXPECT_FALSE(AddDataRightFilter(QStringLiteral("p"), 16, tables.names, tables.descriptors, where));

    int created = 0;
    auto itemInfo = std::make_shared<test::FakeObject>(QString::fromLatin1(host::progid::kItemInfo));
    host::ComponentFactory::Register(QString::fromLatin1(host::progid::kItemInfo), [&created, itemInfo] {
        ++created;
        return itemInfo;
    });
    EXPECT_TRUE(AddDataRightFilter(QStringLiteral("p"), 16, tables.names, tables.descriptors, where));
    EXPECT_EQ(where, " and t1.FItemID=5");
    EXPECT_EQ(created, 1);
    EXPECT_TRUE(itemInfo->Calls().empty());
}

TEST(AddDataRightFilter, JoinsTheConditionsOfRestrictedTablesWithAnd) {
    auto itemInfo = ItemInfo({2, 4});
    Tables tables;
    tables.Add(QStringLiteral("T_SUPPLIER"), QStringLiteral("DataTableAs"), QStringLiteral("s"))
        .Add(QStringLiteral("t_stock"), QStringLiteral("DataTableAs"), QStringLiteral("k"));
    QString where;
    EXPECT_TRUE(AddDataRightFilter(QStringLiteral("p"), 5, tables.names, tables.descriptors, where));
    EXPECT_EQ(where, " CharIndex('5',s.FRightUserID)>0  And  CharIndex('5',k.FRightUserID)>0 ");
    const auto calls = itemInfo->CallsOf(QStringLiteral("GetDataRight"));
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].args, QVariantList({QStringLiteral("p"), 5, 2}));
    EXPECT_EQ(calls[1].args, QVariantList({QStringLiteral("p"), 5, 4}));
}

TEST(AddDataRightFilter, TakesTheBillAliasOrKeepsThePreviousOneAndSkipsRightsNotInForce) {
    ItemInfo({1, 4});
    Tables tables;
    tables.Add(QStringLiteral("t_ICItem"), QStringLiteral("BillTableAs"), QStringLiteral("b"))
        .Add(QStringLiteral("t_Organization"))
        .Add(QStringLiteral("t_supplier"), QStringLiteral("DataTableAs"), QStringLiteral("s"))
        .Add(QStringLiteral("t_stock"));
    QString where = QStringLiteral("t1.FForbid=0");
    EXPECT_TRUE(AddDataRightFilter(QStringLiteral("p"), 16, tables.names, tables.descriptors, where));
    EXPECT_EQ(where, "t1.FForbid=0 And  CharIndex('16',b.FRightUserID)>0  And  CharIndex('16',s.FRightUserID)>0 ");
}
