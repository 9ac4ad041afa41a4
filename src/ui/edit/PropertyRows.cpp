#include "src/ui/edit/PropertyRows.h"

#include "platform/base/Convert.h"
#include "platform/base/HostError.h"
#include "platform/controls/BgrColor.h"
#include "platform/controls/PropertyGrid.h"
#include "src/common/Rights.h"

namespace qor {

namespace {

constexpr int kValueCol = 2;
constexpr int kCaptionCol = 1;
constexpr int kTextMaxLength = 255;
constexpr int kIntegerMaximum = 2147483647;
constexpr uint32_t kLockedBackColor = 65535;

enum DataType { kDate = 0, kText = 1, kInteger = 3, kCheckBox = 5 };

bool IsName(const QString& name, const char* expected) {
    return name.compare(QLatin1String(expected), Qt::CaseInsensitive) == 0;
}

QString FieldText(const Recordset& record, const QString& field) { return record.Fields(field).Text(); }

}  // namespace

int PropertyRows::Count() const { return schema_ ? schema_->Count() : 0; }

void PropertyRows::SetSchema(VectorPtr schema) {
    schema_ = std::move(schema);
    columns_ = ReadColumns(schema_);
}

const ColumnDescriptor& PropertyRows::Column(int position) const {
    if (position < 1 || position > static_cast<int>(columns_.size())) throw HostError(QStringLiteral("下标越界"));
    const ColumnDescriptor& column = columns_[static_cast<size_t>(position - 1)];
    if (!column.source) throw HostError(QStringLiteral("列描述 %1 不是字典。").arg(position));
    return column;
}

QString PropertyRows::Name(int32_t row) const { return Column(row).name; }

qor::LookupClass PropertyRows::LookupClass(int32_t row) const {
    return static_cast<qor::LookupClass>(Column(row).lookUpCls);
}

void PropertyRows::InitGrid() {
    columns_ = ReadColumns(schema_);
    values_.assign(static_cast<size_t>(Count()), RowValue());
    grid_.SetMaxCols(2);
    grid_.SetMaxRows(Count());
    for (int i = 1; i <= Count(); ++i) {
        const bool visible = Column(i).visible;
        grid_.SetRowShown(i, visible);
        if (!visible) continue;
        grid_.SetCellText(kCaptionCol, i, Column(i).caption);
        grid_.SetStaticText(kCaptionCol, i);
        grid_.SetLocked(kCaptionCol, i, true);
        InitValueCell(i);
        if (IsName(Name(i), "FForBid")) {
            // The shared schema keeps this after the window has closed.
            const bool locked = !CheckRight(kTraceRightModule, kTraceRightDetail, kRightBan);
            Column(i).source->Set(QStringLiteral("FLocked"), locked ? 1 : 0);
            columns_[static_cast<size_t>(i - 1)].locked = locked;
        }
        if (Column(i).locked) {
            grid_.SetLocked(kValueCol, i, true);
            grid_.SetBackColor(kValueCol, i, controls::ColorFromBgr(kLockedBackColor));
        }
    }
}

void PropertyRows::InitValueCell(int position) {
    constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
    constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
    switch (Column(position).dataType) {
        case kDate:
            grid_.SetDateCell(kValueCol, position);
            break;
        case kText:
            grid_.SetTextCell(kValueCol, position, kTextMaxLength, kLeft);
            break;
        case kInteger:
            grid_.SetIntegerCell(kValueCol, position, 0, kIntegerMaximum, kRight);
            break;
        case kCheckBox:
            grid_.SetCheckBoxCell(kValueCol, position);
            break;
        default:
            grid_.SetDefaultCell(kValueCol, position);
            break;
    }
}

void PropertyRows::LoadNew(const RecordsetPtr& record) {
    if (!record) throw HostError(QStringLiteral("没有新增记录的物料。"));
    for (int i = 1; i <= Count(); ++i) {
        if (!Column(i).visible) continue;
        const QString name = Name(i);
        if (IsName(name, "FItemID")) {
            const QString number = FieldText(*record, QStringLiteral("FItemNumber"));
            grid_.SetCellText(kValueCol, i, number);
            grid_.SetLocked(kValueCol, i, true);
            RowValue& value = Row(i);
            value.Choose(FieldText(*record, QStringLiteral("FItemID")), FieldText(*record, QStringLiteral("FItemName")),
                         number);
            value.ChangeValue(number);
        } else if (IsName(name, "FItemName") || IsName(name, "FModel")) {
            grid_.SetCellText(kValueCol, i, FieldText(*record, name));
        }
    }
}

bool PropertyRows::LoadExisting(const RecordsetPtr& record) {
    if (!record || record->Eof() || record->Bof()) return false;
    for (int i = 1; i <= Count(); ++i) {
        if (!Column(i).visible) continue;
        const QString name = Name(i);
        RowValue& value = Row(i);
        auto show = [&](const char* idField, const char* nameField, const char* numberField, const char* shown) {
            const QString text = FieldText(*record, QLatin1String(shown));
            grid_.SetCellText(kValueCol, i, text);
            value.Choose(FieldText(*record, QLatin1String(idField)), FieldText(*record, QLatin1String(nameField)),
                         numberField ? FieldText(*record, QLatin1String(numberField)) : value.Number);
            value.ChangeValue(text);
        };
        if (IsName(name, "FItemID")) {
            show("FItemID", "FItemName", "FItemNumber", "FItemNumber");
        } else if (IsName(name, "FItemName") || IsName(name, "FModel")) {
            grid_.SetCellText(kValueCol, i, FieldText(*record, name));
        } else if (IsName(name, "FOrderBillNo")) {
            show("FOrderInterID", "FOrderBillNo", nullptr, "FOrderBillNo");
        } else if (IsName(name, "FCustBomNo")) {
            show("FCustBOMID", "FCustBomNo", nullptr, "FCustBomNo");
        } else if (IsName(name, "FBatchNo")) {
            show("FBatchNo", "FBatchNo", "FBatchNo", "FBatchNo");
        } else if (IsName(name, "FForBid")) {
            const bool banned = NullToZero(record->Fields(QStringLiteral("FForbid")).Value()) != 0;
            grid_.SetChecked(kValueCol, i, banned);
            value.ChangeValue(banned);
        }
    }
    return true;
}

void PropertyRows::ClearForNew() {
    for (int i = 1; i <= Count(); ++i) {
        if (!Column(i).visible) continue;
        const QString name = Name(i);
        if (IsName(name, "FItemID") || IsName(name, "FOrderBillNo") || IsName(name, "FCustBomNo") ||
            IsName(name, "FBatchNo")) {
            grid_.SetCellText(kValueCol, i, QString());
            RowValue& value = Row(i);
            value.Choose(QString(), QString(), QString());
            value.OldValue = QString();
            value.Value = QString();
        } else if (IsName(name, "FItemName") || IsName(name, "FModel")) {
            grid_.SetCellText(kValueCol, i, QString());
        } else if (IsName(name, "FForBid")) {
            grid_.SetChecked(kValueCol, i, false);
            Row(i).Value = false;
        }
    }
}

void PropertyRows::LockCells(bool lock) {
    for (int i = 1; i <= Count(); ++i)
        if (Column(i).visible && !Column(i).locked) grid_.SetLocked(kValueCol, i, lock);
}

int32_t PropertyRows::FindRow(const QString& name) const {
    try {
        const QString wanted = name.toUpper();
        for (int i = 1; i <= Count(); ++i)
            if (Name(i).toUpper() == wanted) return i;
    } catch (const std::exception&) {
    }
    return -1;
}

size_t PropertyRows::Index(int32_t row) const {
    if (row < 1 || row > static_cast<int32_t>(values_.size())) throw HostError(QStringLiteral("下标越界"));
    return static_cast<size_t>(row - 1);
}

RowValue& PropertyRows::Row(int32_t row) { return values_[Index(row)]; }

const RowValue& PropertyRows::Row(int32_t row) const { return values_[Index(row)]; }

QString PropertyRows::CellText(int32_t row) const { return grid_.CellText(kValueCol, row); }

void PropertyRows::SetCellText(int32_t row, const QString& text) { grid_.SetCellText(kValueCol, row, text); }

void PropertyRows::SetCellTextOf(const QString& name, const QString& text) {
    const int32_t row = FindRow(name);
    if (row > 0) SetCellText(row, text);
}

}  // namespace qor
