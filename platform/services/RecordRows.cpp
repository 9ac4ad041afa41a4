#include "platform/services/RecordRows.h"

#include "platform/base/HostError.h"
#include "platform/base/RecordsetBuilder.h"

namespace qor::services {

DictionaryPtr RowDictionary(const Recordset& rows, int row) {
    auto fields = Dictionary::New();
    for (int f = 0; f < rows.FieldCount(); ++f)
        fields->Set(rows.Column(f).name, rows.ValueAt(f, static_cast<size_t>(row)));
    return fields;
}

RecordsetPtr RowRecordset(const Recordset& rows, int row, const QStringList& fields) {
    RecordsetBuilder builder;
    QVariantList values;
    for (const QString& name : fields) {
        const int field = rows.FieldIndex(name);
        if (field < 0) throw HostError(QStringLiteral("查询结果中没有字段 %1").arg(name));
        builder.AddField(rows.Column(field).name, rows.Column(field).type);
        values.append(rows.ValueAt(field, static_cast<size_t>(row)));
    }
    builder.AddRow(values);
    return builder.Finish();
}

}  // namespace qor::services
