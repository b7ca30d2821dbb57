#pragma once

#include <QRectF>
#include <QString>

// A line of text that drawing a page put on the canvas, and where: what the
// preview searches, as a recording of the page's text output.
struct TfrxTextRun {
    QString Text;
    QRectF Bounds;
};
