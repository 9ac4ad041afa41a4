#include "src/ui/list/ExportEvents.h"

#include "platform/base/HostError.h"
#include "platform/base/Variant.h"
#include "platform/controls/LedgerGrid.h"

namespace qor {

namespace {

// The grid's header rows: row 1 holds the captions.
constexpr int kHeaderRows = 1;

}  // namespace

ExportEvents::ExportEvents(controls::LedgerGrid& grid) : Dispatch(QStringLiteral("frmBatchTrace.Export")), grid_(grid) {
    Method(QStringLiteral("Export_LoadData"), [this](QVariantList& args) {
        Export_LoadData(host::ArgInt(args, 0), *host::ArgVector(args, 1));
        return QVariant();
    });
}

void ExportEvents::Export_LoadData(int32_t nRow, Vector& ColData) const {
    const QStringList texts = RowTexts(nRow);
    for (qsizetype k = 0; k < texts.size(); ++k) ColData.SetItem(static_cast<int>(k + 1), texts[k]);
}

QStringList ExportEvents::RowTexts(int row) const {
    QStringList texts;
    for (int c = 1; c <= grid_.Cols(); ++c)
        if (!grid_.ColHidden(c)) texts.append(grid_.CellText(kHeaderRows + row, c));
    return texts;
}

}  // namespace qor
