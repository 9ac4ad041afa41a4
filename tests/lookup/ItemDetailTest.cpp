#include "base/HostError.h"
#include "base/RecordsetBuilder.h"
#include "base/Variant.h"
#include "common/ShortNumberSwitch.h"
#include "host/ProgIds.h"
#include "lookup/Lookups.h"
#include "support/FakeHost.h"

#include <gtest/gtest.h>

using namespace qor;

namespace {

RecordsetPtr Items(int count) {
    RecordsetBuilder b;
    for (const char* f : {"FItemID", "FName", "FNumber"}) b.AddField(QString::fromLatin1(f));
    for (int i = 0; i < count; ++i) b.AddRow({1024 + i, "电机外壳", "01.01.001"});
    return b.Finish();
}

bool IsPlaceholder(const RecordsetPtr& rs) {
    return rs && rs->Eof() && rs->FieldNames() == QStringList{"TemInterID"} &&
           rs->Fields(0).Type() == FieldType::Integer;
}

// The code search answers `answer`; GLData lets the user use an item when mayUse.
class ItemDetail : public ::testing::Test {
protected:
    void SetUp() override {
        getData->On("GetItemDetail",
                    [this](QVariantList&) { return answer ? QVariant::fromValue(answer) : QVariant(); });
        host.glData->On("GetItem", [this](QVariantList&) {
            return mayUse ? QVariant::fromValue(host::ObjectPtr(std::make_shared<test::FakeObject>("Item")))
                          : QVariant();
        });
    }
    void TearDown() override { SetUseShortNumber(false); }
    size_t AccessTests() const { return host.glData->CallsOf("GetItem").size(); }

    test::FakeHost host;
    test::FakeObjectPtr getData = test::RegisterFake(QString::fromLatin1(host::progid::kGetData));
    RecordsetPtr answer = Items(1);
    bool mayUse = true;
};

TEST_F(ItemDetail, AnItemIsTheAnswerOnlyWhenTheUserMayUseIt) {
    SetUseShortNumber(true);
    EXPECT_EQ(GetItemDetailRs(4, "01.01.001", 16, " FErpClsID=7 "), answer);
    EXPECT_EQ(getData->CallsOf("GetItemDetail")[0].args.mid(1),
              (QVariantList{true, "01.01.001", 4, 16, " FErpClsID=7 "}));
    EXPECT_EQ(host.glData->CallsOf("GetItem")[0].args, (QVariantList{4, 1024, QVariant(), QVariant(), true}));

    mayUse = false;
    answer = nullptr;
    EXPECT_TRUE(IsPlaceholder(GetItemDetailRs(4, "x", 16, ""))) << "no answer at all";
    answer = Items(0);
    EXPECT_EQ(GetItemDetailRs(4, "nothing", 16, ""), answer) << "nothing found: no access test";
    EXPECT_EQ(AccessTests(), 1u);
}

TEST_F(ItemDetail, OnlyBaseDataClassesAreAccessTested) {
    mayUse = false;
    for (int16_t cls : {7, 18, -101, 999, 10000}) EXPECT_EQ(GetItemDetailRs(cls, "x", 16, ""), answer) << cls;
    answer = nullptr;
    EXPECT_EQ(GetItemDetailRs(7, "x", 16, ""), nullptr) << "class 7 answers what the search answered";
    EXPECT_EQ(AccessTests(), 0u);

    answer = Items(1);
    for (int16_t cls : {1, 2, 3, 5, 8, 9, 10, 1000, 9999})
        EXPECT_TRUE(IsPlaceholder(GetItemDetailRs(cls, "x", 16, ""))) << cls;
    EXPECT_EQ(AccessTests(), 9u);
}

TEST_F(ItemDetail, AFailingSearchIsReportedAndAnswersWhatItHad) {
    host::ComponentFactory::Unregister(QString::fromLatin1(host::progid::kGetData));
    EXPECT_EQ(GetItemDetailRs(4, "x", 16, ""), nullptr);
    ASSERT_EQ(host.messages.Texts().size(), 1);
    EXPECT_TRUE(host.messages.Texts()[0].startsWith("数据读取错误。"));

    host::ComponentFactory::Register(QString::fromLatin1(host::progid::kGetData), [this] { return getData; });
    host.glData->On("GetItem", [](QVariantList&) -> QVariant { throw HostError("GLData 不可用"); });
    EXPECT_EQ(GetItemDetailRs(4, "x", 16, ""), answer) << "the answer obtained before the failure";
    EXPECT_TRUE(host.messages.Texts().last().endsWith("GLData 不可用"));
}

}  // namespace
