#include "platform/base/HostError.h"
#include "src/common/ShortNumberSwitch.h"
#include "src/component/COrderBatchTrace.h"
#include "src/component/RowWriter.h"
#include "src/host/ProgIds.h"
#include "tests/support/FakeObject.h"

#include <gtest/gtest.h>
#include <cstdio>

using namespace qor;
using qor::test::RegisterFake;

namespace {

// The system profile as the host publishes it under "IC"; a key not in
// values, or one without a value, cannot be read.
void SystemProfile(const QHash<QString, QVariant>& values) {
    RegisterFake(host::progid::kShareProps)->Returns("GetProperty", "UserID=16;");
    RegisterFake(host::progid::kSysInfo)->On("GetSysValue", [values](QVariantList& args) {
        if (args.value(1) != "IC" || !values.contains(args.value(2).toString())) throw HostError("没有该系统参数");
        return values.value(args.value(2).toString());
    });
}

QString Written(RowWriter::Format format, std::vector<bool> hidden, const std::vector<QStringList>& rows) {
    std::FILE* f = std::tmpfile();
    {
        RowWriter writer(f, format, std::move(hidden));
        for (const QStringList& row : rows) writer.WriteCells(row);
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

// Tsv keeps empty cells and leaves hidden columns out; Csv quotes what needs
// it; a "|" inside a cell stays there.
TEST(RowWriter, WritesCellsAsTsvOrCsv) {
    EXPECT_EQ(
        Written(
            RowWriter::Format::Tsv, {false, true, false, false},
            {{"物料代码", "物料名称", "批号", "禁用"}, {"1.01", "电机", "B1", ""}, {"1.02", "控制板", "B\t2", "Y"}}),
        "物料代码\t批号\t禁用\n1.01\tB1\t\n1.02\tB 2\tY\n");
    EXPECT_EQ(Written(RowWriter::Format::Csv, {}, {{"a,b", "say \"hi\"", "DN50|PN16"}}),
              "\"a,b\",\"say \"\"hi\"\"\",DN50|PN16\r\n");
}
