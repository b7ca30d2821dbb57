#include "reports/PrintPictures.h"

#include <QPainter>

namespace {
QPixmap canvas(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A sheet with its number in the corner that the sheets in front leave free.
void sheet(QPainter& painter, QPoint at, const QString& number) {
    const QRect rect(at, QSize(16, 20));
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(rect);
    painter.drawText(rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, number);
}
} // namespace

namespace frxPrintPictures {
QPixmap printer() {
    QPixmap pixmap = canvas(16, 16);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(4, 1, 8, 5); // the sheet going in
    painter.setBrush(Qt::lightGray);
    painter.drawRect(1, 6, 14, 6); // the body
    painter.setBrush(Qt::white);
    painter.drawRect(3, 11, 10, 4); // the sheet coming out
    painter.fillRect(11, 8, 2, 2, Qt::darkGreen);
    return pixmap;
}

QPixmap collate(bool collated) {
    // The stacks from their back sheet to the front one.
    const QList<QList<int>> stacks =
        collated ? QList<QList<int>>{{3, 2, 1}, {3, 2, 1}} : QList<QList<int>>{{1, 1}, {2, 2}, {3, 3}};
    QPixmap pixmap = canvas(100, 27);
    QPainter painter(&pixmap);
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    const int stackWidth = 100 / static_cast<int>(stacks.size());
    for (qsizetype stack = 0; stack < stacks.size(); ++stack)
        for (qsizetype layer = 0; layer < stacks[stack].size(); ++layer)
            sheet(painter,
                  QPoint(static_cast<int>(stack * stackWidth + layer * 10), static_cast<int>(layer * 3)),
                  QString::number(stacks[stack][layer]));
    return pixmap;
}

QPixmap printMode(TfrxPrintMode mode) {
    QPixmap pixmap = canvas(32, 24);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    switch (mode) {
    case TfrxPrintMode::pmDefault:
        painter.drawRect(9, 1, 14, 20);
        break;
    case TfrxPrintMode::pmSplit:
        painter.drawRect(1, 1, 14, 20);
        painter.drawRect(16, 1, 14, 20);
        painter.setPen(Qt::DashLine);
        painter.drawLine(15, 0, 15, 22);
        break;
    case TfrxPrintMode::pmJoin:
        painter.drawRect(1, 3, 29, 18);
        painter.drawRect(4, 5, 10, 14);
        painter.drawRect(17, 5, 10, 14);
        break;
    case TfrxPrintMode::pmScale:
        painter.drawRect(9, 1, 14, 20);
        painter.drawRect(12, 5, 8, 11);
        break;
    }
    return pixmap;
}
} // namespace frxPrintPictures
