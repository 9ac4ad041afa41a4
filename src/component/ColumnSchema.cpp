#include "src/component/ColumnSchema.h"

#include "platform/base/Variant.h"
#include "src/common/Messages.h"

#include <cstdint>
#include <iterator>

namespace qor {

namespace {

// Lookup classes of the edit window's lookups.
constexpr int16_t kNoLookup = 0;
constexpr int16_t kItemLookup = 4;
constexpr int16_t kSalesOrderLookup = 81;
constexpr int16_t kCustomerBomLookup = -101;
constexpr int16_t kBatchNoLookup = 18;

// Kinds of value.
constexpr int16_t kText = 1;
constexpr int16_t kFlag = 5;

struct TraceColumn {
    const char* name;
    const char* caption;  // UTF-8
    int16_t lookUpCls;
    int16_t returnType;
    int16_t colWidth;
    int16_t colVisible;
    int16_t dataType;
    int16_t locked;
    int16_t needSave;
    int16_t mustInput;
};

constexpr TraceColumn kTraceColumns[] = {
    {"FItemID", "物料代码", kItemLookup, 1, 1000, 1, kText, 0, 1, 1},
    {"FItemName", "物料名称", kNoLookup, 2, 1500, 1, kText, 1, 0, 0},
    {"FModel", "规格型号", kNoLookup, 2, 1500, 1, kText, 1, 0, 0},
    {"FOrderBillNo", "销售订单编号", kSalesOrderLookup, 0, 1500, 1, kText, 0, 1, 0},
    {"FCustBomNo", "客户BOM编号", kCustomerBomLookup, 2, 1500, 1, kText, 0, 1, 1},
    {"FBatchNo", "批号", kBatchNoLookup, 2, 1500, 1, kText, 0, 1, 1},
    {"FForBid", "禁用", kNoLookup, 2, 500, 1, kFlag, 0, 1, 0},
};

// FSelBills of the first descriptor, the only one that carries it.
constexpr int16_t kFirstSelBills = 0;

QVariant Int16(int16_t value) { return QVariant::fromValue(value); }

DictionaryPtr Descriptor(const TraceColumn& column) {
    auto d = Dictionary::New();
    d->Set(QStringLiteral("FName"), QString::fromLatin1(column.name));
    d->Set(QStringLiteral("FCaption"), Translate(QString::fromUtf8(column.caption)));
    d->Set(QStringLiteral("FLookUpCls"), Int16(column.lookUpCls));
    d->Set(QStringLiteral("FReturnType"), Int16(column.returnType));
    d->Set(QStringLiteral("FColWidth"), Int16(column.colWidth));
    d->Set(QStringLiteral("FColVisible"), Int16(column.colVisible));
    d->Set(QStringLiteral("FDataType"), Int16(column.dataType));
    d->Set(QStringLiteral("FLocked"), Int16(column.locked));
    d->Set(QStringLiteral("FNeedSave"), Int16(column.needSave));
    d->Set(QStringLiteral("FMustInput"), Int16(column.mustInput));
    return d;
}

}  // namespace

void BuildColumnSchema(VectorPtr& vectCol) {
    if (!vectCol) vectCol = Vector::New();
    for (size_t i = 0; i < std::size(kTraceColumns); ++i) {
        DictionaryPtr descriptor = Descriptor(kTraceColumns[i]);
        if (i == 0) descriptor->Set(QStringLiteral("FSelBills"), Int16(kFirstSelBills));
        vectCol->Add(QVariant::fromValue(descriptor));
    }
}

}  // namespace qor
