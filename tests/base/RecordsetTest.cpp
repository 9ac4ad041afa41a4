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

TEST(Recordset, EmptyRecordsetIsAtBothEnds) {
    RecordsetBuilder b;
    b.AddField(QStringLiteral("TemInterID"));
    auto rs = b.Finish();
    EXPECT_EQ(rs->RecordCount(), 0);
    EXPECT_TRUE(rs->Eof());
    EXPECT_TRUE(rs->Bof());
    EXPECT_EQ(rs->AbsolutePosition(), kPosUnknown);
    EXPECT_THROW(rs->Fields(QStringLiteral("teminterid")).Value(), HostError);
    EXPECT_THROW(rs->MoveNext(), HostError);
}

TEST(Recordset, CursorWalksAndMovesFromFirstOrCurrent) {
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

TEST(Recordset, ClonesShareDataButNotPosition) {
    auto rs = FiveRecords();
    rs->MoveLast();
    auto clone = rs->Clone();
    EXPECT_EQ(clone->AbsolutePosition(), 1);
    clone->Move(2, MoveFrom::First);
    EXPECT_EQ(rs->AbsolutePosition(), 5);
    EXPECT_EQ(clone->Fields(QStringLiteral("FBatchNo")).Text(), "B3");
    EXPECT_EQ(clone->MemoryBytes(), rs->MemoryBytes());
}

TEST(RecordsetBuilder, WidensColumnsAndKeepsNulls) {
    RecordsetBuilder b;
    const int mixed = b.AddField(QStringLiteral("Mixed"));
    const int number = b.AddField(QStringLiteral("Number"));
    b.AppendInt(mixed, 12);
    b.AppendInt(number, 1);
    b.EndRow();
    b.AppendNull(mixed);
    b.AppendDouble(number, 2.5);
    b.EndRow();
    b.AppendText(mixed, QStringLiteral("客户BOM"));
    b.AppendNull(number);
    b.EndRow();
    b.AppendNull(mixed);
    EXPECT_THROW(b.EndRow(), HostError);
    b.AppendInt(number, 4);
    b.EndRow();
    auto rs = b.Finish();

    ASSERT_EQ(rs->RecordCount(), 4);
    EXPECT_EQ(rs->Column(mixed).type, FieldType::Text);
    EXPECT_EQ(rs->Column(number).type, FieldType::Double);
    EXPECT_EQ(rs->ValueAt(mixed, 0).toString(), "12");
    EXPECT_FALSE(rs->ValueAt(mixed, 1).isValid());
    EXPECT_EQ(rs->TextAt(mixed, 1), QString());
    EXPECT_EQ(rs->TextAt(mixed, 2), "客户BOM");
    EXPECT_DOUBLE_EQ(rs->ValueAt(number, 1).toDouble(), 2.5);
    EXPECT_FALSE(rs->ValueAt(number, 2).isValid());
    EXPECT_EQ(rs->TextAt(number, 3), "4");
}

TEST(RecordsetBuilder, NullBitmapCrossesWordBoundaries) {
    RecordsetBuilder b;
    b.AddField(QStringLiteral("V"), FieldType::Text);
    for (int i = 0; i < 200; ++i) b.AddRow({i % 3 == 0 ? QVariant() : QVariant(QString::number(i))});
    auto rs = b.Finish();
    for (int i = 0; i < 200; ++i) ASSERT_EQ(rs->Column(0).IsNull(static_cast<size_t>(i)), i % 3 == 0) << i;
    EXPECT_EQ(rs->TextAt(0, 199), "199");
}
