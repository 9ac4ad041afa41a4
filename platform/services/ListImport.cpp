#include "platform/services/ListImport.h"

#include "platform/base/RecordsetBuilder.h"
#include "platform/host/HostProgIds.h"
#include "platform/services/SheetReader.h"

namespace qor::services {

namespace {

// FRow and the cells C1, C2, ... as text; a row shorter than the longest
// has empty cells.
RecordsetPtr AsRecordset(const std::vector<SheetRow>& rows) {
    qsizetype columns = 0;
    for (const SheetRow& row : rows) columns = std::max(columns, row.cells.size());
    RecordsetBuilder builder;
    builder.AddField(QStringLiteral("FRow"));
    for (qsizetype c = 1; c <= columns; ++c) builder.AddField(QStringLiteral("C%1").arg(c), FieldType::Text);
    builder.Reserve(rows.size());
    for (const SheetRow& row : rows) {
        builder.AppendInt(0, row.number);
        for (qsizetype c = 0; c < columns; ++c)
            builder.AppendText(static_cast<int>(c + 1), c < row.cells.size() ? row.cells[c] : QString());
        builder.EndRow();
    }
    return builder.Finish();
}

}  // namespace

ListImport::ListImport() : Dispatch(QString::fromLatin1(host::progid::kListImport)) {
    Method(QStringLiteral("ReadSheet"), [](QVariantList& args) {
        return QVariant::fromValue(
            AsRecordset(ReadSheet(host::ArgText(args, 0), host::ArgText(args, 1), host::ArgInt(args, 2))));
    });
}

}  // namespace qor::services
