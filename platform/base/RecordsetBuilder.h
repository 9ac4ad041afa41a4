#pragma once

#include "platform/base/Recordset.h"

#include <QVariantList>
#include <string_view>

namespace qor {

// Builds a recordset column by column, row by row. A column starts with the
// type it is declared with and widens when a value does not fit it:
// Integer -> Double -> Text. Database back ends append straight from their C
// APIs; code and tests build disconnected recordsets with AddRow.
class RecordsetBuilder {
public:
    int AddField(const QString& name, FieldType type = FieldType::Integer);
    int FieldCount() const { return static_cast<int>(data_->columns.size()); }
    void Reserve(size_t rows);

    // Append one value to a column; every column must receive one value per row.
    void AppendNull(int column);
    void AppendInt(int column, int64_t value);
    void AppendDouble(int column, double value);
    void AppendText(int column, std::string_view utf8);
    void AppendText(int column, const QString& text);
    void AppendValue(int column, const QVariant& value);
    // Closes the current row; throws HostError when a column missed a value.
    void EndRow();

    void AddRow(const QVariantList& values);

    RecordsetPtr Finish();

private:
    void WidenTo(RecordsetColumn& c, FieldType type);
    void MarkNull(RecordsetColumn& c, bool isNull);
    size_t Filled(const RecordsetColumn& c) const;

    std::shared_ptr<RecordsetData> data_ = std::make_shared<RecordsetData>();
};

}  // namespace qor
