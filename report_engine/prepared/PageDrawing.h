#pragma once

#include <QRectF>
#include <QString>
#include <vector>

class QPainter;
class TfrxPreviewPages;

// A line of text that drawing a page put on the canvas, and where: what the
// preview searches, as a recording of the page's text output.
struct TfrxTextRun {
    QString Text;
    QRectF Bounds;
};

// Draws a prepared page onto the canvas, report units times the scale, its top
// left corner at the offset (device pixels). Off a printer the drawing stays on
// the sheet. The lines of text drawn are added to `texts` when given.
void frxDrawPage(const TfrxPreviewPages& pages, int index, QPainter& canvas, double scaleX, double scaleY,
                 double offsetX, double offsetY, std::vector<TfrxTextRun>* texts = nullptr);
