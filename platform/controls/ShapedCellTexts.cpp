#include "platform/controls/ShapedCellTexts.h"

#include <QPainter>
#include <QTextLayout>
#include <algorithm>

namespace qor::controls {

namespace {
// Enough for the distinct texts of a column over many pages; beyond it
// the column starts again.
constexpr qsizetype kMostShapedTexts = 10000;
}  // namespace

ShapedCellTexts::ShapedCellTexts(const QFont& font, QPaintDevice* device)
    : font_(font), device_(device), metrics_(font, device) {}

const ShapedCellTexts::Shaped& ShapedCellTexts::ShapedFor(const QString& text, double width) {
    auto column = std::find_if(shaped_.begin(), shaped_.end(), [width](const auto& c) { return c.first == width; });
    if (column == shaped_.end()) column = shaped_.insert(shaped_.end(), {width, {}});
    QHash<QString, Shaped>& texts = column->second;
    if (const auto found = texts.constFind(text); found != texts.cend()) return *found;
    if (texts.size() >= kMostShapedTexts) texts.clear();
    QTextLayout layout(metrics_.elidedText(text, Qt::ElideRight, width), font_, device_);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) line.setPosition(QPointF(0, 0));
    layout.endLayout();
    Shaped shaped;
    // The line is laid out, and so has its height, once the layout ends.
    if (line.isValid()) shaped.height = line.height();
    shaped.runs = layout.glyphRuns();
    return *texts.insert(text, std::move(shaped));
}

void ShapedCellTexts::Add(const QRectF& rect, const QString& text) {
    if (text.isEmpty()) return;
    const Shaped& shaped = ShapedFor(text, std::max(rect.width(), 0.0));
    const QPointF origin(rect.left(), rect.top() + (rect.height() - shaped.height) / 2);
    for (const QGlyphRun& run : shaped.runs) {
        const QRawFont font = run.rawFont();
        auto pending =
            std::find_if(pending_.begin(), pending_.end(), [&font](const Pending& p) { return p.font == font; });
        if (pending == pending_.end()) pending = pending_.insert(pending_.end(), {font, {}, {}});
        pending->glyphs += run.glyphIndexes();
        for (const QPointF& position : run.positions()) pending->positions.append(origin + position);
    }
}

void ShapedCellTexts::Draw(QPainter& painter) {
    for (Pending& pending : pending_) {
        if (pending.glyphs.isEmpty()) continue;
        QGlyphRun run;
        run.setRawFont(pending.font);
        run.setGlyphIndexes(pending.glyphs);
        run.setPositions(pending.positions);
        painter.drawGlyphRun(QPointF(0, 0), run);
        pending.glyphs.clear();
        pending.positions.clear();
    }
}

}  // namespace qor::controls
