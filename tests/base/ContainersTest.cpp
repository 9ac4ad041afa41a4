#include "platform/base/HostError.h"
#include "platform/base/RecordsetBuilder.h"
#include "platform/base/Vector.h"

#include <gtest/gtest.h>

using namespace qor;

TEST(Vector, IsOneBasedAndRefusesPositionsOutside) {
    Vector v;
    v.Add("a");
    v.Add(7);
    EXPECT_EQ(v.Count(), 2);
    EXPECT_EQ(v.Item(2).toInt(), 7);
    EXPECT_THROW(v.Item(0), HostError);
    EXPECT_THROW(v.Item(3), HostError);
}

TEST(Recordset, CursorMovesFromFirstOrCurrentAndRefusesToMoveOnBeyondEitherEnd) {
    RecordsetBuilder empty;
    empty.AddField("TemInterID");
    auto none = empty.Finish();
    EXPECT_TRUE(none->Eof() && none->Bof());
    EXPECT_THROW(none->MoveNext(), HostError);

    RecordsetBuilder five;
    five.AddField("FTraceID");
    five.AddField("FBatchNo", FieldType::Text);
    for (int i = 1; i <= 5; ++i) five.AddRow({i, QStringLiteral("B%1").arg(i)});
    auto rs = five.Finish();
    rs->Move(3, MoveFrom::First);
    EXPECT_EQ(rs->Fields("fbatchno").Text(), "B4");
    rs->Move(10);
    EXPECT_THROW(rs->MoveNext(), HostError);
    rs->Move(-10, MoveFrom::First);
    EXPECT_THROW(rs->MovePrevious(), HostError);
    EXPECT_THROW(rs->Fields("NoSuchField"), HostError);
}

// Widening by the values read is checked on real queries in the database tests.
TEST(RecordsetBuilder, WidensIntegersToTextAndRefusesAnIncompleteRow) {
    RecordsetBuilder b;
    const int mixed = b.AddField("Mixed");
    const int number = b.AddField("Number");
    b.AddRow({12, 1});
    b.AppendText(mixed, QStringLiteral("客户BOM"));
    EXPECT_THROW(b.EndRow(), HostError);
    b.AppendNull(number);
    b.EndRow();
    auto rs = b.Finish();
    EXPECT_EQ(rs->Column(mixed).type, FieldType::Text);
    EXPECT_EQ(rs->TextAt(mixed, 0), "12");
    EXPECT_EQ(rs->TextAt(mixed, 1), "客户BOM");
    EXPECT_FALSE(rs->ValueAt(number, 1).isValid());
}

TEST(RecordsetBuilder, NullBitmapCrossesWordBoundaries) {
    RecordsetBuilder b;
    b.AddField("V", FieldType::Text);
    for (int i = 0; i < 200; ++i) b.AddRow({i % 3 == 0 ? QVariant() : QVariant(QString::number(i))});
    auto rs = b.Finish();
    for (int i = 0; i < 200; ++i) ASSERT_EQ(rs->Column(0).IsNull(static_cast<size_t>(i)), i % 3 == 0) << i;
    EXPECT_EQ(rs->TextAt(0, 199), "199");
}
