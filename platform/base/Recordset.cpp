#include "platform/base/Recordset.h"

#include "platform/base/HostError.h"

#include <algorithm>
#include <charconv>

namespace qor {

size_t RecordsetColumn::ValueBytes() const {
    return ints.size() * sizeof(int64_t) + doubles.size() * sizeof(double) + arena.size() +
           ends.size() * sizeof(uint32_t) + nulls.size() * sizeof(uint64_t);
}

QString Field::Name() const { return rs_->Column(column_).name; }
FieldType Field::Type() const { return rs_->Column(column_).type; }

QVariant Field::Value() const {
    rs_->RequireRecord();
    return rs_->ValueAt(column_, static_cast<size_t>(rs_->pos_));
}

bool Field::IsNull() const {
    rs_->RequireRecord();
    return rs_->Column(column_).IsNull(static_cast<size_t>(rs_->pos_));
}

QString Field::Text() const {
    rs_->RequireRecord();
    return rs_->TextAt(column_, static_cast<size_t>(rs_->pos_));
}

Recordset::Recordset(std::shared_ptr<const RecordsetData> data) : data_(std::move(data)) {}

void Recordset::RequireRecord() const {
    if (Bof() || Eof())
        throw HostError(
            QStringLiteral("BOF 或 EOF 中有一个是“真”，或者当前记录已被删除，所需的操作要求一个当前的记录。"));
}

void Recordset::MoveFirst() { pos_ = 0; }

void Recordset::MoveLast() { pos_ = data_->rowCount == 0 ? 0 : static_cast<int64_t>(data_->rowCount) - 1; }

void Recordset::MoveNext() {
    if (Eof()) RequireRecord();
    ++pos_;
}

void Recordset::MovePrevious() {
    if (pos_ < 0) RequireRecord();
    --pos_;
}

void Recordset::Move(int64_t n, MoveFrom from) {
    const auto count = static_cast<int64_t>(data_->rowCount);
    int64_t base = pos_;
    if (from == MoveFrom::First)
        base = 0;
    else if (from == MoveFrom::Last)
        base = count - 1;
    pos_ = std::clamp<int64_t>(base + n, -1, count);
}

int Recordset::AbsolutePosition() const {
    if (data_->rowCount == 0) return kPosUnknown;
    if (pos_ < 0) return kPosBOF;
    if (Eof()) return kPosEOF;
    return static_cast<int>(pos_ + 1);
}

void Recordset::SetAbsolutePosition(int position) {
    if (position < 1 || position > RecordCount()) throw HostError(QStringLiteral("记录位置 %1 超出范围").arg(position));
    pos_ = position - 1;
}

int Recordset::FieldIndex(const QString& name) const {
    const auto& cols = data_->columns;
    for (size_t i = 0; i < cols.size(); ++i)
        if (cols[i].name.compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    return -1;
}

Field Recordset::Fields(const QString& name) const {
    const int i = FieldIndex(name);
    if (i < 0) throw HostError(QStringLiteral("在对应所需名称或序数的集合中，未找到项目: %1").arg(name));
    return Field(this, i);
}

Field Recordset::Fields(int index) const {
    if (index < 0 || index >= FieldCount())
        throw HostError(QStringLiteral("在对应所需名称或序数的集合中，未找到项目: %1").arg(index));
    return Field(this, index);
}

QStringList Recordset::FieldNames() const {
    QStringList names;
    for (const auto& c : data_->columns) names.append(c.name);
    return names;
}

RecordsetPtr Recordset::Clone() const {
    return std::make_shared<Recordset>(data_);  // a clone starts on the first record
}

QVariant Recordset::ValueAt(int column, size_t row) const {
    const RecordsetColumn& c = Column(column);
    if (c.IsNull(row)) return {};
    switch (c.type) {
        case FieldType::Integer: {
            const int64_t v = c.ints[row];
            if (v >= INT32_MIN && v <= INT32_MAX) return QVariant(static_cast<int>(v));
            return QVariant(static_cast<qlonglong>(v));
        }
        case FieldType::Double:
            return QVariant(c.doubles[row]);
        case FieldType::Text: {
            const std::string_view t = c.TextView(row);
            return QVariant(QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size())));
        }
    }
    return {};
}

QString Recordset::TextAt(int column, size_t row) const {
    const RecordsetColumn& c = Column(column);
    if (c.IsNull(row)) return {};
    switch (c.type) {
        case FieldType::Integer:
            return QString::number(c.ints[row]);
        case FieldType::Double:
            return QString::number(c.doubles[row], 'g', 15);
        case FieldType::Text: {
            const std::string_view t = c.TextView(row);
            return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
        }
    }
    return {};
}

void Recordset::AppendUtf8(int column, size_t row, std::string& out) const {
    const RecordsetColumn& c = Column(column);
    if (c.IsNull(row)) return;
    switch (c.type) {
        case FieldType::Integer: {
            char digits[24];
            const auto end = std::to_chars(digits, digits + sizeof digits, c.ints[row]).ptr;
            out.append(digits, static_cast<size_t>(end - digits));
            return;
        }
        case FieldType::Double:
            out += QString::number(c.doubles[row], 'g', 15).toStdString();
            return;
        case FieldType::Text:
            out += c.TextView(row);
            return;
    }
}

size_t Recordset::MemoryBytes() const {
    size_t bytes = 0;
    for (const auto& c : data_->columns) bytes += c.ValueBytes();
    return bytes;
}

}  // namespace qor
