#include "base/Variant.h"
#include "component/ColumnSchema.h"

#include <gtest/gtest.h>

using namespace qor;

TEST(BuildColumnSchema, AppendsTheSevenDescriptorsAfterWhatTheSchemaHolds) {
    VectorPtr schema = Vector::New();
    schema->Add(QStringLiteral("kept"));
    BuildColumnSchema(schema);
    ASSERT_EQ(schema->Count(), 8);
    QStringList names;
    for (int i = 2; i <= 8; ++i) names.append(schema->Item(i).value<DictionaryPtr>()->Item("FName").toString());
    EXPECT_EQ(names,
              (QStringList{"FItemID", "FItemName", "FModel", "FOrderBillNo", "FCustBomNo", "FBatchNo", "FForBid"}));

    const auto item = schema->Item(2).value<DictionaryPtr>();
    const auto bom = schema->Item(6).value<DictionaryPtr>();
    EXPECT_EQ(item->Item("FSelBills"), QVariant::fromValue<int16_t>(0));
    EXPECT_EQ(bom->GetValue("FSelBills", "d"), "d") << "only the item column has FSelBills";
    EXPECT_EQ(bom->Item("FLOOKUPCLS"), QVariant::fromValue<int16_t>(-101)) << "numbers are 16-bit for the host";
}
