#include "common/DataRightFilter.h"
#include "host/ProgIds.h"
#include "support/FakeObject.h"

#include <gtest/gtest.h>
#include <array>

using namespace qor;

namespace {

// The tables of a query, each {name, alias key, alias}.
struct Tables {
    Tables(std::initializer_list<std::array<const char*, 3>> tables) {
        for (const auto& [name, aliasKey, alias] : tables) {
            auto d = Dictionary::New();
            d->Set("DataTable", name);
            if (*aliasKey) d->Set(aliasKey, alias);
            names->Add(name);
            descriptors->Add(QVariant::fromValue(d));
        }
    }
    bool Filter(int userId, QString& where) const { return AddDataRightFilter("p", userId, names, descriptors, where); }
    VectorPtr names = Vector::New();
    VectorPtr descriptors = Vector::New();
};

// ItemInfo with the data rights of these kinds in force.
test::FakeObjectPtr ItemInfo(QList<int> kindsInForce) {
    auto itemInfo = test::RegisterFake(QString::fromLatin1(host::progid::kItemInfo));
    itemInfo->On("GetDataRight", [kindsInForce](QVariantList& args) {
        return QVariant(kindsInForce.contains(args.value(2).toInt()) ? 1 : 0);
    });
    return itemInfo;
}

}  // namespace

TEST(AddDataRightFilter, ItemTableAloneLeavesTheWhereTextYetNeedsItemInfo) {
    const Tables tables{{"t_ICItem", "DataTableAs", "t1"}};
    QString where = " and t1.FItemID=5";
    EXPECT_FALSE(tables.Filter(16, where));
    auto itemInfo = ItemInfo({1});
    EXPECT_TRUE(tables.Filter(16, where));
    EXPECT_EQ(where, " and t1.FItemID=5");
    EXPECT_TRUE(itemInfo->Calls().empty());
}

TEST(AddDataRightFilter, JoinsTheConditionsOfRestrictedTablesWithAnd) {
    auto itemInfo = ItemInfo({2, 4});
    QString where;
    EXPECT_TRUE(Tables({{"T_SUPPLIER", "DataTableAs", "s"}, {"t_stock", "DataTableAs", "k"}}).Filter(5, where));
    EXPECT_EQ(where, " CharIndex('5',s.FRightUserID)>0  And  CharIndex('5',k.FRightUserID)>0 ");
    const auto calls = itemInfo->CallsOf("GetDataRight");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].args, QVariantList({"p", 5, 4}));
}

TEST(AddDataRightFilter, TakesTheBillAliasOrKeepsThePreviousOneAndSkipsRightsNotInForce) {
    ItemInfo({1, 4});
    const Tables tables{{"t_ICItem", "BillTableAs", "b"},
                        {"t_Organization", "", ""},
                        {"t_supplier", "DataTableAs", "s"},
                        {"t_stock", "", ""}};
    QString where = "t1.FForbid=0";
    EXPECT_TRUE(tables.Filter(16, where));
    EXPECT_EQ(where, "t1.FForbid=0 And  CharIndex('16',b.FRightUserID)>0  And  CharIndex('16',s.FRightUserID)>0 ");
}
