#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qor {

enum class FieldType { Integer, Double, Text };

// One column of a query result: typed values, texts in one UTF-8 arena, a
// null bitmap. Immutable once the recordset is built.
struct RecordsetColumn {
    QString name;
    FieldType type = FieldType::Integer;
    std::vector<int64_t> ints;
    std::vector<double> doubles;
    std::string arena;
    std::vector<uint32_t> ends;   // end offset of text i in arena; text i starts at ends[i-1]
    std::vector<uint64_t> nulls;  // bit i set: row i is null

    bool IsNull(size_t row) const { return (nulls[row >> 6] >> (row & 63)) & 1u; }
    std::string_view TextView(size_t row) const {
        const uint32_t begin = row == 0 ? 0 : ends[row - 1];
        return std::string_view(arena).substr(begin, ends[row] - begin);
    }
    size_t ValueBytes() const;
};

struct RecordsetData {
    std::vector<RecordsetColumn> columns;
    size_t rowCount = 0;
};

class Recordset;
using RecordsetPtr = std::shared_ptr<Recordset>;

// Where Move(n, from) counts from.
enum class MoveFrom { Current = 0, First = 1, Last = 2 };

// Position codes of AbsolutePosition outside the records.
inline constexpr int kPosUnknown = -1;
inline constexpr int kPosBOF = -2;
inline constexpr int kPosEOF = -3;

// One field of the current record.
class Field {
public:
    Field(const Recordset* rs, int column) : rs_(rs), column_(column) {}
    QString Name() const;
    FieldType Type() const;
    // Throws HostError when the recordset is at BOF or EOF.
    QVariant Value() const;
    bool IsNull() const;
    // Null gives the empty text.
    QString Text() const;

private:
    const Recordset* rs_;
    int column_;
};

// A query result with a cursor: exact RecordCount, BOF/EOF, the Move family,
// AbsolutePosition and case-insensitive Fields(name). Clones share the data
// and own their own position. Every positioning is O(1).
class Recordset {
public:
    explicit Recordset(std::shared_ptr<const RecordsetData> data);

    int RecordCount() const { return static_cast<int>(data_->rowCount); }
    int FieldCount() const { return static_cast<int>(data_->columns.size()); }
    bool Eof() const { return pos_ >= static_cast<int64_t>(data_->rowCount); }
    bool Bof() const { return pos_ < 0 || data_->rowCount == 0; }

    void MoveFirst();
    void MoveLast();
    // Throws HostError when already at EOF.
    void MoveNext();
    // Throws HostError when already at BOF.
    void MovePrevious();
    // Moves n records from the current, the first or the last record. Moving
    // past either end leaves the cursor at EOF or BOF.
    void Move(int64_t n, MoveFrom from = MoveFrom::Current);

    // 1-based position of the current record, or kPosBOF / kPosEOF /
    // kPosUnknown (empty recordset).
    int AbsolutePosition() const;
    void SetAbsolutePosition(int position);

    // Throws HostError when no field has that name (compared without case).
    Field Fields(const QString& name) const;
    Field Fields(int index) const;
    int FieldIndex(const QString& name) const;  // -1 when absent
    QStringList FieldNames() const;

    RecordsetPtr Clone() const;
    void Close() {}

    // Direct access for hot paths; row is 0-based, no cursor involved.
    const RecordsetColumn& Column(int index) const { return data_->columns[static_cast<size_t>(index)]; }
    int64_t CurrentRow() const { return pos_; }
    QVariant ValueAt(int column, size_t row) const;
    QString TextAt(int column, size_t row) const;
    // Appends the value's text in UTF-8 (null appends nothing).
    void AppendUtf8(int column, size_t row, std::string& out) const;

    // Bytes held for values and their bookkeeping (arena, offsets, numbers, null bits).
    size_t MemoryBytes() const;

private:
    friend class Field;
    void RequireRecord() const;

    std::shared_ptr<const RecordsetData> data_;
    int64_t pos_ = 0;
};

}  // namespace qor
