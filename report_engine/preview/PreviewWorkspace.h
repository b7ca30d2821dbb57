#pragma once

#include "report_engine/preview/PageList.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QPoint>
#include <QRectF>

class TfrxPreview;
class TfrxPreviewPages;

// The scrolled area of the preview: the pages on a grey ground, each in a thin
// frame, the current one in an orange frame, the last search hit inverted.
class TfrxPreviewWorkspace : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TfrxPreviewWorkspace(TfrxPreview& preview);

    TfrxPageList PageList;
    double Zoom = 1.0;
    TfrxPreviewPages* PreviewPages = nullptr;
    int SmallChange = 8;
    int LargeChange = 300;
    QColor BackColor{128, 128, 128};
    QColor FrameColor{96, 96, 96};
    QColor ActiveFrameColor{255, 199, 60};
    bool Locked = false;
    bool Down = false;
    QPoint LastPoint;
    // The page and the rectangle (report units) of the last search hit.
    int LastFoundPage = -1;
    QRectF FoundRect;
    bool DisableUpdate = false;

    QPoint Offset() const;
    void SetPosition(int x, int y);
    void ScrollBy(int dx, int dy);
    // Scroll ranges from the laid-out pages.
    void UpdateScrollBars();
    // Scrolls so the page's top stands 10 pixels below the top edge.
    void ScrollToPage(int index);
    // Scrolls, when needed, until the rectangle (scrolled-area pixels) lies inside
    // with a 20-pixel margin.
    void ShowRect(const QRect& rect);
    // The page at the top of the view.
    int TopPage() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool ignoresMouse() const;
    void paintPage(QPainter& painter, int index, const QRect& bounds);

    TfrxPreview& FPreview;
};
