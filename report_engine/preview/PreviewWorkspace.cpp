#include "report_engine/preview/PreviewWorkspace.h"

#include "report_engine/prepared/PageDrawing.h"
#include "report_engine/prepared/PreviewPages.h"
#include "report_engine/preview/Preview.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

TfrxPreviewWorkspace::TfrxPreviewWorkspace(TfrxPreview& preview)
    : QAbstractScrollArea(&preview), FPreview(preview) {
    setObjectName(QStringLiteral("Workspace"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    horizontalScrollBar()->setSingleStep(SmallChange);
    verticalScrollBar()->setSingleStep(SmallChange);
    horizontalScrollBar()->setPageStep(LargeChange);
    verticalScrollBar()->setPageStep(LargeChange);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
}

QPoint TfrxPreviewWorkspace::Offset() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void TfrxPreviewWorkspace::SetPosition(int x, int y) {
    horizontalScrollBar()->setValue(x);
    verticalScrollBar()->setValue(y);
}

void TfrxPreviewWorkspace::ScrollBy(int dx, int dy) {
    SetPosition(Offset().x() + dx, Offset().y() + dy);
}

void TfrxPreviewWorkspace::UpdateScrollBars() {
    int width = 0;
    for (int i = 0; i < PageList.Count(); ++i)
        width = std::max(width, PageList[i].OffsetX + PageList[i].Width);
    const QSize area(width + 10, PageList.Bottom() + 10);
    horizontalScrollBar()->setRange(0, std::max(0, area.width() - viewport()->width()));
    verticalScrollBar()->setRange(0, std::max(0, area.height() - viewport()->height()));
}

void TfrxPreviewWorkspace::ScrollToPage(int index) {
    if (index < 0 || index >= PageList.Count())
        return;
    DisableUpdate = true;
    verticalScrollBar()->setValue(PageList[index].OffsetY - 10);
    DisableUpdate = false;
}

void TfrxPreviewWorkspace::ShowRect(const QRect& rect) {
    const QRect view(Offset(), viewport()->size());
    const QRect wanted = rect.adjusted(-20, -20, 20, 20);
    int x = view.x();
    int y = view.y();
    if (wanted.right() > view.right())
        x += wanted.right() - view.right();
    if (wanted.left() < x)
        x = wanted.left();
    if (wanted.bottom() > view.bottom())
        y += wanted.bottom() - view.bottom();
    if (wanted.top() < y)
        y = wanted.top();
    SetPosition(x, y);
}

int TfrxPreviewWorkspace::TopPage() const {
    return PageList.FindPage(Offset().y());
}

void TfrxPreviewWorkspace::scrollContentsBy(int, int dy) {
    viewport()->update();
    if (dy != 0 && !DisableUpdate && PageList.Count() > 0)
        FPreview.setPageNo(TopPage() + 1, true);
}

void TfrxPreviewWorkspace::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

// Only pages near the top one are considered, so a report of thousands of pages
// paints as fast as one of three.
void TfrxPreviewWorkspace::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), BackColor);
    const QPoint offset = Offset();
    const QRect view(offset, viewport()->size());
    if (PageList.Count() == 0) {
        // Without pages an empty sheet stands where the first page will be.
        const int width = static_cast<int>(std::lround(794 * Zoom));
        const int height = static_cast<int>(std::lround(1123 * Zoom));
        const QRect sheet((viewport()->width() - width) / 2, static_cast<int>(std::lround(10 * Zoom)), width,
                          height);
        painter.setPen(FrameColor);
        painter.setBrush(Qt::white);
        painter.drawRect(sheet);
        return;
    }
    const int top = TopPage();
    const int first = std::max(0, top - 60);
    const int last = std::min(PageList.Count() - 1, top + 340);
    const int current = FPreview.PageNo() - 1;
    for (int i = first; i <= last; ++i) {
        const QRect bounds = PageList.GetPageBounds(i).translated(-offset);
        if (i == current) {
            painter.setPen(QPen(ActiveFrameColor, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(bounds).adjusted(-1.5, -1.5, 0.5, 0.5));
        }
        if (bounds.intersects(viewport()->rect()))
            paintPage(painter, i, bounds);
    }
}

void TfrxPreviewWorkspace::paintPage(QPainter& painter, int index, const QRect& bounds) {
    painter.setPen(FrameColor);
    painter.setBrush(Qt::white);
    painter.drawRect(bounds.adjusted(0, 0, -1, -1));
    if (!PreviewPages)
        return;
    frxDrawPage(*PreviewPages, index, painter, Zoom, Zoom, bounds.left(), bounds.top());
    if (index != LastFoundPage)
        return;
    // The hit shows inverted, as if marked with the mouse.
    const QRectF hit(bounds.left() + FoundRect.left() * Zoom, bounds.top() + FoundRect.top() * Zoom,
                     FoundRect.width() * Zoom, FoundRect.height() * Zoom);
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(hit, Qt::white);
    painter.restore();
}

bool TfrxPreviewWorkspace::ignoresMouse() const {
    return Locked || PageList.Count() == 0;
}

void TfrxPreviewWorkspace::mousePressEvent(QMouseEvent* event) {
    if (ignoresMouse())
        return;
    if (event->button() == Qt::LeftButton) {
        Down = true;
        LastPoint = event->position().toPoint();
    }
}

// The page follows the pointer while the button is held.
void TfrxPreviewWorkspace::mouseMoveEvent(QMouseEvent* event) {
    if (ignoresMouse() || !Down)
        return;
    const QPoint point = event->position().toPoint();
    ScrollBy(LastPoint.x() - point.x(), LastPoint.y() - point.y());
    LastPoint = point;
}

void TfrxPreviewWorkspace::mouseReleaseEvent(QMouseEvent* event) {
    if (ignoresMouse())
        return;
    if (FPreview.OnClick)
        FPreview.OnClick();
    Down = false;
    const QPoint point = event->position().toPoint() + Offset();
    FPreview.setPageNo(PageList.FindPage(point.y(), point.x()) + 1, true);
}

void TfrxPreviewWorkspace::keyPressEvent(QKeyEvent* event) {
    FPreview.keyPressed(event);
}
