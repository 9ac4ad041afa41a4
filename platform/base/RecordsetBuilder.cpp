#include "platform/base/RecordsetBuilder.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"

#include <limits>

namespace qor {

namespace {
void AppendArena(RecordsetColumn& c, std::string_view text) {
    if (c.arena.size() + text.size() > std::numeric_limits<uint32_t>::max())
        throw HostError(QStringLiteral("查询结果的文本超过 4 GB"));
    c.arena.append(text.data(), text.size());
    c.ends.push_back(static_cast<uint32_t>(c.arena.size()));
}

std::string NumberText(const RecordsetColumn& c, size_t row) {
    if (c.type == FieldType::Integer) return std::to_string(c.ints[row]);
    return QString::number(c.doubles[row], 'g', 15).toStdString();
}
}  // namespace

int RecordsetBuilder::AddField(const QString& name, FieldType type) {
    RecordsetColumn c;
    c.name = name;
    c.type = type;
    data_->columns.push_back(std::move(c));
    return static_cast<int>(data_->columns.size()) - 1;
}

void RecordsetBuilder::Reserve(size_t rows) {
    for (auto& c : data_->columns) {
        if (c.type == FieldType::Integer)
            c.ints.reserve(rows);
        else if (c.type == FieldType::Double)
            c.doubles.reserve(rows);
        else
            c.ends.reserve(rows);
        c.nulls.reserve(rows / 64 + 1);
    }
}

size_t RecordsetBuilder::Filled(const RecordsetColumn& c) const {
    switch (c.type) {
        case FieldType::Integer:
            return c.ints.size();
        case FieldType::Double:
            return c.doubles.size();
        case FieldType::Text:
            return c.ends.size();
    }
    return 0;
}

void RecordsetBuilder::MarkNull(RecordsetColumn& c, bool isNull) {
    const size_t row = Filled(c) - 1;
    if ((row >> 6) >= c.nulls.size()) c.nulls.push_back(0);
    if (isNull) c.nulls[row >> 6] |= uint64_t{1} << (row & 63);
}

void RecordsetBuilder::WidenTo(RecordsetColumn& c, FieldType type) {
    if (c.type == type || c.type == FieldType::Text) return;
    if (type == FieldType::Double && c.type == FieldType::Integer) {
        c.doubles.reserve(c.ints.capacity());
        for (int64_t v : c.ints) c.doubles.push_back(static_cast<double>(v));
        c.ints = {};
    } else if (type == FieldType::Text) {
        const size_t n = Filled(c);
        c.ends.reserve(n);
        for (size_t row = 0; row < n; ++row) AppendArena(c, c.IsNull(row) ? std::string() : NumberText(c, row));
        c.ints = {};
        c.doubles = {};
    } else {
        return;  // Double never narrows back to Integer
    }
    c.type = type;
}

void RecordsetBuilder::AppendNull(int column) {
    RecordsetColumn& c = data_->columns[static_cast<size_t>(column)];
    switch (c.type) {
        case FieldType::Integer:
            c.ints.push_back(0);
            break;
        case FieldType::Double:
            c.doubles.push_back(0);
            break;
        case FieldType::Text:
            c.ends.push_back(static_cast<uint32_t>(c.arena.size()));
            break;
    }
    MarkNull(c, true);
}

void RecordsetBuilder::AppendInt(int column, int64_t value) {
    RecordsetColumn& c = data_->columns[static_cast<size_t>(column)];
    switch (c.type) {
        case FieldType::Integer:
            c.ints.push_back(value);
            break;
        case FieldType::Double:
            c.doubles.push_back(static_cast<double>(value));
            break;
        case FieldType::Text:
            AppendArena(c, std::to_string(value));
            break;
    }
    MarkNull(c, false);
}

void RecordsetBuilder::AppendDouble(int column, double value) {
    RecordsetColumn& c = data_->columns[static_cast<size_t>(column)];
    WidenTo(c, FieldType::Double);
    if (c.type == FieldType::Double)
        c.doubles.push_back(value);
    else
        AppendArena(c, QString::number(value, 'g', 15).toStdString());
    MarkNull(c, false);
}

void RecordsetBuilder::AppendText(int column, std::string_view utf8) {
    RecordsetColumn& c = data_->columns[static_cast<size_t>(column)];
    WidenTo(c, FieldType::Text);
    AppendArena(c, utf8);
    MarkNull(c, false);
}

void RecordsetBuilder::AppendText(int column, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    AppendText(column, std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

void RecordsetBuilder::AppendValue(int column, const QVariant& value) {
    if (IsNull(value)) return AppendNull(column);
    switch (value.typeId()) {
        case QMetaType::Bool:
            return AppendInt(column, value.toBool() ? 1 : 0);
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
            return AppendInt(column, value.toLongLong());
        case QMetaType::Double:
        case QMetaType::Float:
            return AppendDouble(column, value.toDouble());
        default:
            return AppendText(column, value.toString());
    }
}

void RecordsetBuilder::EndRow() {
    const size_t row = data_->rowCount;
    for (const auto& c : data_->columns)
        if (Filled(c) != row + 1) throw HostError(QStringLiteral("记录 %1 的字段 %2 缺少值").arg(row + 1).arg(c.name));
    data_->rowCount = row + 1;
}

void RecordsetBuilder::AddRow(const QVariantList& values) {
    if (values.size() != FieldCount())
        throw HostError(QStringLiteral("记录的值个数 %1 与字段数 %2 不符").arg(values.size()).arg(FieldCount()));
    for (int i = 0; i < FieldCount(); ++i) AppendValue(i, values[i]);
    EndRow();
}

RecordsetPtr RecordsetBuilder::Finish() {
    auto rs = std::make_shared<Recordset>(std::move(data_));
    data_ = std::make_shared<RecordsetData>();
    return rs;
}

}  // namespace qor
