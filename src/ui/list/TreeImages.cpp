#include "src/ui/list/TreeImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace qor {

namespace {

QPixmap Canvas() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QIcon Folder(bool open) {
    QPixmap pixmap = Canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0x9a, 0x6b, 0x10));
    p.setBrush(QColor(0xe8, 0xb8, 0x4a));
    p.drawRect(QRectF(1.5, 3.5, 6, 2));  // tab
    if (open) {
        p.drawRect(QRectF(1.5, 5.5, 12, 8));
        p.setBrush(QColor(0xf8, 0xd8, 0x78));
        QPainterPath flap;
        flap.moveTo(3.5, 8.5);
        flap.lineTo(15.5, 8.5);
        flap.lineTo(13.5, 13.5);
        flap.lineTo(1.5, 13.5);
        flap.closeSubpath();
        p.drawPath(flap);
    } else {
        p.drawRect(QRectF(1.5, 5.5, 13, 8));
    }
    return QIcon(pixmap);
}

QIcon Item() {
    QPixmap pixmap = Canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0x2f, 0x5f, 0x9f));
    p.setBrush(QColor(0xb8, 0xd4, 0xf4));
    QPainterPath box;  // a small box seen from the front corner
    box.moveTo(8, 1.5);
    box.lineTo(14.5, 4.5);
    box.lineTo(14.5, 11.5);
    box.lineTo(8, 14.5);
    box.lineTo(1.5, 11.5);
    box.lineTo(1.5, 4.5);
    box.closeSubpath();
    p.drawPath(box);
    p.drawLine(QPointF(1.5, 4.5), QPointF(8, 7.5));
    p.drawLine(QPointF(14.5, 4.5), QPointF(8, 7.5));
    p.drawLine(QPointF(8, 7.5), QPointF(8, 14.5));
    return QIcon(pixmap);
}

}  // namespace

std::vector<QIcon> TreeImages() { return {Folder(false), Folder(true), Item()}; }

}  // namespace qor
