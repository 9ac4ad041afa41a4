#include "src/ui/list/LedgerExport.h"

#include "platform/base/Convert.h"
#include "platform/controls/LedgerGrid.h"
#include "platform/host/ComponentFactory.h"
#include "src/common/Messages.h"
#include "src/host/ProgIds.h"
#include "src/ui/list/ExportEvents.h"

#include <functional>

namespace qor {

namespace {

constexpr int kHeaderRows = 1;
constexpr int kColumnSize = 255;

}  // namespace

int32_t ExportLedger(controls::LedgerGrid& grid, const QString& fileName, bool raw) {
    host::ObjectPtr Export;
    int32_t result = -1;
    // Each step on the component runs on its own: a failure skips that step only.
    auto step = [&Export](const std::function<void(host::Object&)>& action) {
        if (!Export) return;
        try {
            action(*Export);
        } catch (const std::exception&) {
        }
    };

    try {
        Export = host::ComponentFactory::Create(QString::fromLatin1(host::progid::kListExport));
    } catch (const std::exception&) {
    }
    step([&grid](host::Object& e) {
        e.Put(QStringLiteral("EventSink"), QVariant::fromValue<host::ObjectPtr>(std::make_shared<ExportEvents>(grid)));
    });

    int visible = 0;
    for (int c = 1; c <= grid.Cols(); ++c)
        if (!grid.ColHidden(c)) ++visible;
    step([visible](host::Object& e) { e.Put(QStringLiteral("Cols"), visible); });

    int k = 0;
    for (int c = 1; c <= grid.Cols(); ++c) {
        if (grid.ColHidden(c)) continue;
        ++k;
        step([&grid, k, c](host::Object& e) { e.Call(QStringLiteral("SetColCaption"), {k, grid.CellText(1, c)}); });
        step([k](host::Object& e) { e.Call(QStringLiteral("SetColSize"), {k, kColumnSize}); });
    }

    step([&grid](host::Object& e) { e.Put(QStringLiteral("Rows"), grid.Rows() - kHeaderRows); });
    if (!fileName.isEmpty()) step([&fileName](host::Object& e) { e.Put(QStringLiteral("FileName"), fileName); });
    // Only a machine reader asks for CSV cells as they are; the window never does.
    if (raw) step([](host::Object& e) { e.Put(QStringLiteral("Raw"), true); });
    step([&result](host::Object& e) {
        result = ToInt32(e.Call(QStringLiteral("Export"), {Translate(QStringLiteral("客户BOM批次对应表"))}));
    });
    Export.reset();
    return result;
}

}  // namespace qor
