#include "platform/base/HostError.h"
#include "platform/base/Variant.h"
#include "platform/controls/LedgerGrid.h"
#include "src/common/ShortNumberSwitch.h"
#include "src/component/COrderBatchTrace.h"
#include "src/component/ColumnSchema.h"
#include "src/component/RowWriter.h"
#include "src/host/ProgIds.h"
#include "src/ui/list/frmBatchTrace.h"
#include "tests/support/FakeHost.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QTimer>
#include <cstdio>

using namespace qor;
using qor::test::RegisterFake;

namespace {

// The system profile as the host publishes it under "IC"; a key not in
// values, or one without a value, cannot be read.
void SystemProfile(const QHash<QString, QVariant>& values) {
    RegisterFake(QString::fromLatin1(host::progid::kShareProps))->Returns("GetProperty", "UserID=16;");
    RegisterFake(QString::fromLatin1(host::progid::kSysInfo))->On("GetSysValue", [values](QVariantList& args) {
        if (args.value(1) != "IC" || !values.contains(args.value(2).toString())) throw HostError("没有该系统参数");
        return values.value(args.value(2).toString());
    });
}

QString Written(RowWriter::Format format, std::vector<bool> hidden, const QStringList& rows) {
    std::FILE* f = std::tmpfile();
    {
        RowWriter writer(f, format, std::move(hidden));
        for (const QString& row : rows) writer.WriteRow(row);
    }
    std::rewind(f);
    QByteArray bytes;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, static_cast<qsizetype>(n));
    std::fclose(f);
    return QString::fromUtf8(bytes);
}

}  // namespace

TEST(COrderBatchTrace, TheFeatureIsOnForATrimmedOneAndShortNumbersForAnyNumberOne) {
    struct Case {
        QVariant value;  // invalid: the profile cannot be read
        bool traceOn;
        bool shortOn;
    };
    const Case cases[] = {{" 1 ", true, true}, {1, true, true},    {"01", false, true},   {"0", false, false},
                          {"2", false, false}, {"", false, false}, {"yes", false, false}, {QVariant(), true, false}};
    for (const auto& [value, traceOn, shortOn] : cases) {
        SystemProfile({{"UseOrderBatchTrace", value}, {"UseShortNumber", value}});
        SetUseShortNumber(!shortOn);
        COrderBatchTrace trace;
        EXPECT_EQ(trace.IsUseOrderBatchTrace(), traceOn) << value.toString().toStdString();
        EXPECT_EQ(UseShortNumber(), shortOn) << "set on creation: " << value.toString().toStdString();
    }
}

TEST(BuildColumnSchema, AppendsAfterWhatTheSchemaHoldsWithNumbersSizedForTheHost) {
    VectorPtr schema = Vector::New();
    schema->Add(QStringLiteral("kept"));
    BuildColumnSchema(schema);
    ASSERT_EQ(schema->Count(), 8);
    EXPECT_EQ(schema->Item(1), "kept");
    const auto bom = schema->Item(6).value<DictionaryPtr>();
    EXPECT_EQ(schema->Item(2).value<DictionaryPtr>()->Item("FSelBills"), QVariant::fromValue<int16_t>(0));
    EXPECT_EQ(bom->GetValue("FSelBills", "d"), "d") << "only the item column has FSelBills";
    EXPECT_EQ(bom->Item("FLOOKUPCLS"), QVariant::fromValue<int16_t>(-101)) << "numbers are 16-bit for the host";
}

TEST(COrderBatchTrace, ShowOpensAFreshModalListWindowFromTheCurrentSchemaEachTime) {
    test::FakeHost host;
    COrderBatchTrace trace;
    VectorPtr replacement;
    BuildColumnSchema(replacement);
    replacement->Item(1).value<DictionaryPtr>()->Set("FCaption", "代码");
    trace.SetVectCol(replacement);

    QList<frmBatchTrace*> seen;
    for (int visit = 0; visit < 2; ++visit) {
        QTimer::singleShot(0, [&seen] {
            auto* window = qobject_cast<frmBatchTrace*>(QApplication::activeModalWidget());
            ASSERT_NE(window, nullptr);
            seen.append(window);
            EXPECT_EQ(window->windowTitle(), "客户BOM批次对应表");
            EXPECT_EQ(window->Ldg()->CellText(1, 1), "代码");
            EXPECT_EQ(window->Ldg()->Rows(), 1);
            window->reject();
        });
        EXPECT_EQ(trace.Show(), 0);
    }
    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(RowWriter, WritesCellsAsTsvKeepingEmptyOnesAndLeavingHiddenColumnsOut) {
    EXPECT_EQ(Written(RowWriter::Format::Tsv, {false, true, false, false},
                      {"物料代码|物料名称|批号|禁用|", "1.01|电机|B1||", "1.02|控制板|B\t2|Y|"}),
              "物料代码\t批号\t禁用\n1.01\tB1\t\n1.02\tB 2\tY\n");
}

TEST(RowWriter, QuotesCsvCellsThatNeedIt) {
    EXPECT_EQ(Written(RowWriter::Format::Csv, {}, {"a,b|say \"hi\"|plain|"}), "\"a,b\",\"say \"\"hi\"\"\",plain\r\n");
}
