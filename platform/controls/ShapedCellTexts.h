#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QString>
#include <QVector>
#include <utility>
#include <vector>

class QPaintDevice;
class QPainter;
class QRectF;

namespace qor::controls {

// The texts of a printed table's cells, laid out once and drawn again as
// glyphs. A list repeats its item codes, names and batches page after page,
// and laying a text out (shaping it) costs far more than drawing its glyphs.
// The glyphs of a page are drawn together, a run per font, since every run
// drawn costs the PDF writer as much as many glyphs.
class ShapedCellTexts {
public:
    ShapedCellTexts(const QFont& font, QPaintDevice* device);

    // Adds text in rect as QPainter::drawText with Qt::AlignLeft |
    // Qt::AlignVCenter would draw it, elided at the right to fit its width.
    void Add(const QRectF& rect, const QString& text);
    // Draws what was added since the last call.
    void Draw(QPainter& painter);

private:
    struct Shaped {
        QList<QGlyphRun> runs;
        double height = 0;
    };
    struct Pending {
        QRawFont font;
        QVector<quint32> glyphs;
        QVector<QPointF> positions;
    };
    const Shaped& ShapedFor(const QString& text, double width);

    QFont font_;
    QPaintDevice* device_;
    QFontMetricsF metrics_;
    // Per width of a column, its texts as shaped; a list has a few widths.
    std::vector<std::pair<double, QHash<QString, Shaped>>> shaped_;
    std::vector<Pending> pending_;
};

}  // namespace qor::controls
