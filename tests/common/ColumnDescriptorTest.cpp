#include "src/common/ColumnDescriptor.h"

#include <gtest/gtest.h>

using namespace qor;

// The list takes a column whose FColVisible is exactly 1; the edit window, a
// save and a ban take any true value.
TEST(ColumnDescriptor, VisibilityIsReadAsTheListAndTheEditWindowReadIt) {
    const std::tuple<QVariant, bool, bool> cases[] = {
        {1, true, true},           {QVariant::fromValue<int16_t>(1), true, true},
        {"1", true, true},         {0, false, false},
        {2, false, true},          {-1, false, true},
        {"True", false, true},     {"abc", false, false},
        {QVariant(), false, false}};
    for (const auto& [value, listed, visible] : cases) {
        auto d = Dictionary::New();
        d->Set(QStringLiteral("FColVisible"), value);
        const ColumnDescriptor column = ReadColumn(QVariant::fromValue(d));
        EXPECT_EQ(column.listed, listed) << value.toString().toStdString();
        EXPECT_EQ(column.visible, visible) << value.toString().toStdString();
    }
    const ColumnDescriptor missing = ReadColumn(QVariant::fromValue(Dictionary::New()));
    EXPECT_FALSE(missing.listed || missing.visible);
    EXPECT_EQ(missing.dataType, -1);
    EXPECT_FALSE(ReadColumn(QStringLiteral("no descriptor")).source);
}
