#include "platform/base/HostError.h"
#include "platform/base/RecordsetBuilder.h"
#include "src/common/DataRightFilter.h"
#include "src/common/Rights.h"
#include "src/host/ProgIds.h"
#include "tests/support/FakeObject.h"

#include <gtest/gtest.h>
#include <array>

using namespace qor;
using qor::test::FakeObjectPtr;
using qor::test::RegisterFake;

namespace {

void ListInfo(const QString& logic) {
    RegisterFake(host::progid::kShareProps)->Returns("GetProperty", "UserID=16;");
    RecordsetBuilder builder;
    builder.AddField("FLogicStr", FieldType::Text);
    builder.AddRow({logic});
    RegisterFake(host::progid::kSysInfo)->Returns("GetListInfo", QVariant::fromValue(builder.Finish()));
}

// A GLData that grants exactly the rights in granted, each as {module, detail, mask}.
FakeObjectPtr Rights(std::vector<QVariantList> granted) {
    auto glData = RegisterFake(host::progid::kGLData);
    glData->On("AccessCheck", [granted](QVariantList& args) {
        return QVariant(std::find(granted.begin(), granted.end(), args) != granted.end());
    });
    return glData;
}

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
FakeObjectPtr ItemInfo(QList<int> kindsInForce) {
    auto itemInfo = RegisterFake(host::progid::kItemInfo);
    itemInfo->On("GetDataRight", [kindsInForce](QVariantList& args) {
        return QVariant(kindsInForce.contains(args.value(2).toInt()) ? 1 : 0);
    });
    return itemInfo;
}

}  // namespace

TEST(CheckListRight, ChecksTheListsModuleWithItsOddCases) {
    using Checks = std::vector<QVariantList>;
    // {list logic, rights granted, rights asked for, allowed}
    const std::tuple<QString, Checks, Checks, bool> cases[] = {
        {"|FModule:1004|FModelDetail:3|", {{1003, 3, kRightView}}, {{1003, 3, kRightView}}, true},
        {"|FModelDetail:7|", {}, {{0, 7, kRightView}}, false},
        {"|FModule:1015|FModelDetail:10|", {{0, 10, kRightView}}, {{1015, 10, kRightView}, {0, 10, kRightView}}, true},
    };
    for (const auto& [logic, granted, asked, allowed] : cases) {
        SCOPED_TRACE(logic.toStdString());
        host::ComponentFactory::Clear();  // GLData is kept until then
        test::ScriptedMessages messages;
        ListInfo(logic);
        auto glData = Rights(granted);
        EXPECT_EQ(CheckListRight(32), allowed);
        Checks checked;
        for (const auto& call : glData->CallsOf("AccessCheck")) checked.push_back(call.args);
        EXPECT_EQ(checked, asked);
        EXPECT_EQ(messages.Texts(), allowed ? QStringList() : QStringList{"没有权限,请与系统管理员联系"});
    }
}

// A right that cannot be checked is refused; the list's right tells why.
TEST(CheckRight, AMissingOrFailingComponentIsARefusal) {
    test::ScriptedMessages messages;
    EXPECT_FALSE(CheckRight(kTraceRightModule, kTraceRightDetail, kRightNew));
    Rights({})->On("AccessCheck", [](QVariantList&) -> QVariant { throw HostError("x"); });
    EXPECT_FALSE(CheckRight(kTraceRightModule, kTraceRightDetail, kRightNew));

    Rights({{0, 0, kRightView}});
    EXPECT_FALSE(CheckListRight(32));
    ListInfo("|FModule:1004|");
    host::ComponentFactory::Unregister(host::progid::kGLData);
    EXPECT_FALSE(CheckListRight(32));
    EXPECT_EQ(messages.Texts(), QStringList(2, "数据读取错误，无法检测序时薄权限。"));
}

// A table without an alias of its own takes the one given last.
TEST(AddDataRightFilter, NeedsItemInfoAndAddsTheConditionsOfTheRestrictedTablesInForce) {
    const Tables item{{"t_ICItem", "DataTableAs", "t1"}};
    QString where = " and t1.FItemID=5";
    EXPECT_FALSE(item.Filter(16, where));
    ItemInfo({1});
    EXPECT_TRUE(item.Filter(16, where));
    EXPECT_EQ(where, " and t1.FItemID=5");

    auto itemInfo = ItemInfo({2, 4});
    where.clear();
    EXPECT_TRUE(Tables({{"T_SUPPLIER", "DataTableAs", "s"}, {"t_stock", "DataTableAs", "k"}}).Filter(5, where));
    EXPECT_EQ(where, " CharIndex('5',s.FRightUserID)>0  And  CharIndex('5',k.FRightUserID)>0 ");
    EXPECT_EQ(itemInfo->CallsOf("GetDataRight")[1].args, QVariantList({"p", 5, 4}));

    ItemInfo({1, 4});
    where = "t1.FForbid=0";
    EXPECT_TRUE(Tables({{"t_ICItem", "BillTableAs", "b"},
                        {"t_Organization", "", ""},
                        {"t_supplier", "DataTableAs", "s"},
                        {"t_stock", "", ""}})
                    .Filter(16, where));
    EXPECT_EQ(where, "t1.FForbid=0 And  CharIndex('16',b.FRightUserID)>0  And  CharIndex('16',s.FRightUserID)>0 ");
}
