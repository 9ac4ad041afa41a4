#include "component/RowWriter.h"

#include <QTemporaryFile>
#include <gtest/gtest.h>

using namespace qor;

namespace {
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

TEST(RowWriter, WritesCellsAsTsvKeepingEmptyOnesAndLeavingHiddenColumnsOut) {
    EXPECT_EQ(Written(RowWriter::Format::Tsv, {false, true, false, false},
                      {"物料代码|物料名称|批号|禁用|", "1.01|电机|B1||", "1.02|控制板|B\t2|Y|"}),
              "物料代码\t批号\t禁用\n1.01\tB1\t\n1.02\tB 2\tY\n");
}

TEST(RowWriter, QuotesCsvCellsThatNeedIt) {
    EXPECT_EQ(Written(RowWriter::Format::Csv, {}, {"a,b|say \"hi\"|plain|"}),
              "\"a,b\",\"say \"\"hi\"\"\",plain\r\n");
}
