#include "base/Variant.h"
#include "component/ColumnSchema.h"

#include <gtest/gtest.h>

using namespace qor;

namespace {

DictionaryPtr DescriptorAt(const VectorPtr& schema, int i) { return schema->Item(i).value<DictionaryPtr>(); }

const QStringList kAttributes = {"FName",       "FCaption",  "FLookUpCls", "FReturnType", "FColWidth",
                                 "FColVisible", "FDataType", "FLocked",    "FNeedSave",   "FMustInput"};

}  // namespace

TEST(BuildColumnSchema, AppendsTheSevenDescriptorsInDisplayOrder) {
    struct Expected {
        const char* name;
        const char* caption;
        QList<int> numbers;  // FLookUpCls .. FMustInput
    };
    const Expected expected[] = {
        {"FItemID", "物料代码", {4, 1, 1000, 1, 1, 0, 1, 1}},
        {"FItemName", "物料名称", {0, 2, 1500, 1, 1, 1, 0, 0}},
        {"FModel", "规格型号", {0, 2, 1500, 1, 1, 1, 0, 0}},
        {"FOrderBillNo", "销售订单编号", {81, 0, 1500, 1, 1, 0, 1, 0}},
        {"FCustBomNo", "客户BOM编号", {-101, 2, 1500, 1, 1, 0, 1, 1}},
        {"FBatchNo", "批号", {18, 2, 1500, 1, 1, 0, 1, 1}},
        {"FForBid", "禁用", {0, 2, 500, 1, 5, 0, 1, 0}},
    };
    VectorPtr schema;
    BuildColumnSchema(schema);
    ASSERT_TRUE(schema);
    ASSERT_EQ(schema->Count(), 7);
    for (int i = 1; i <= 7; ++i) {
        SCOPED_TRACE(i);
        const auto d = DescriptorAt(schema, i);
        const Expected& e = expected[i - 1];
        QStringList keys = kAttributes;
        if (i == 1) keys.append(QStringLiteral("FSelBills"));
        EXPECT_EQ(d->Keys(), keys);
        EXPECT_EQ(d->Item(QStringLiteral("FName")), QString::fromUtf8(e.name));
        EXPECT_EQ(d->Item(QStringLiteral("FCaption")), QString::fromUtf8(e.caption));
        for (int k = 0; k < e.numbers.size(); ++k) {
            const QVariant value = d->Item(kAttributes[k + 2]);
            EXPECT_EQ(value.typeId(), QMetaType::Short) << qPrintable(kAttributes[k + 2]);
            EXPECT_EQ(value.toInt(), e.numbers[k]) << qPrintable(kAttributes[k + 2]);
        }
    }
    EXPECT_EQ(DescriptorAt(schema, 1)->Item(QStringLiteral("FSelBills")), QVariant::fromValue<int16_t>(0));
    EXPECT_EQ(DescriptorAt(schema, 2)->GetValue(QStringLiteral("FSelBills"), QStringLiteral("d")), "d");
}

TEST(BuildColumnSchema, DescriptorKeysMatchWithoutRegardToCase) {
    VectorPtr schema = Vector::New();
    BuildColumnSchema(schema);
    const auto d = DescriptorAt(schema, 5);
    EXPECT_EQ(d->Item(QStringLiteral("FLookupcls")), d->Item(QStringLiteral("FLookUpCls")));
    EXPECT_EQ(d->Item(QStringLiteral("FLOOKUPCLS")).toInt(), -101);
    EXPECT_EQ(DescriptorAt(schema, 7)->Item(QStringLiteral("fforbid")).isValid(), false);
    EXPECT_EQ(DescriptorAt(schema, 7)->GetValue(QStringLiteral("fname"), QString()), "FForBid");
}

TEST(BuildColumnSchema, AppendsAfterWhatTheSchemaAlreadyHolds) {
    VectorPtr schema = Vector::New();
    schema->Add(QStringLiteral("kept"));
    const Vector* original = schema.get();
    BuildColumnSchema(schema);
    BuildColumnSchema(schema);
    EXPECT_EQ(schema.get(), original);
    ASSERT_EQ(schema->Count(), 15);
    EXPECT_EQ(schema->Item(1), "kept");
    EXPECT_EQ(DescriptorAt(schema, 9)->Item(QStringLiteral("FName")), "FItemID");
    EXPECT_NE(DescriptorAt(schema, 2), DescriptorAt(schema, 9));
}
