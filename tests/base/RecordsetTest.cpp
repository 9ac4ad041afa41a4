#include "base/HostError.h"
#include "base/RecordsetBuilder.h"

#include <gtest/gtest.h>

using namespace qor;

namespace {
RecordsetPtr FiveRecords() {
    RecordsetBuilder b;
    b.AddField(QStringLiteral("FTraceID"));
    b.AddField(QStringLiteral("FBatchNo"), FieldType::Text);
    for (int i = 1; i <= 5; ++i) b.AddRow({i, QStringLiteral("B%1").arg(i)});
    return b.Finish();
}
}  // namespace

TEST(Recordset, CursorWalksAndMovesFromFirstOrCurrent) {
    RecordsetBuilder empty;
    empty.AddField(QStringLiteral("TemInterID"));
    auto none = empty.Finish();
    EXPECT_TRUE(none->Eof() && none->Bof());
    EXPECT_EQ(none->AbsolutePosition(), kPosUnknown);
    EXPECT_THROW(none->MoveNext(), HostError);

    auto rs = FiveRecords();
    EXPECT_EQ(rs->AbsolutePosition(), 1);
    rs->MoveLast();
    EXPECT_EQ(rs->Fields(QStringLiteral("fbatchno")).Text(), "B5");
    rs->MoveNext();
    EXPECT_TRUE(rs->Eof());
    EXPECT_EQ(rs->AbsolutePosition(), kPosEOF);
    EXPECT_THROW(rs->MoveNext(), HostError);

    rs->Move(3, MoveFrom::First);
    EXPECT_EQ(rs->Fields(QStringLiteral("FTraceID")).Value().toInt(), 4);
    rs->Move(-2);
    EXPECT_EQ(rs->AbsolutePosition(), 2);
    rs->Move(10);
    EXPECT_TRUE(rs->Eof());
    rs->Move(-10, MoveFrom::First);
    EXPECT_TRUE(rs->Bof());
    EXPECT_FALSE(rs->Eof());
    rs->MoveNext();
    EXPECT_EQ(rs->AbsolutePosition(), 1);
    rs->MovePrevious();
    EXPECT_THROW(rs->MovePrevious(), HostError);
    rs->SetAbsolutePosition(5);
    EXPECT_EQ(rs->Fields(1).Text(), "B5");
    EXPECT_THROW(rs->Fields(QStringLiteral("NoSuchField")), HostError);
}

// Widening by the values read is checked on real queries in the database tests.
TEST(RecordsetBuilder, WidensIntegersToTextAndRefusesAnIncompleteRow) {
    RecordsetBuilder b;
    const int mixed = b.AddField(QStringLiteral("Mixed"));
    const int number = b.AddField(QStringLiteral("Number"));
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
    b.AddField(QStringLiteral("V"), FieldType::Text);
    for (int i = 0; i < 200; ++i) b.AddRow({i % 3 == 0 ? QVariant() : QVariant(QString::number(i))});
    auto rs = b.Finish();
    for (int i = 0; i < 200; ++i) ASSERT_EQ(rs->Column(0).IsNull(static_cast<size_t>(i)), i % 3 == 0) << i;
    EXPECT_EQ(rs->TextAt(0, 199), "199");
}
