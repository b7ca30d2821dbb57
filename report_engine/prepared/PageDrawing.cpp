// The one drawing of prepared pages, shared by the preview, printing and the
// text search, over the same finished page and text layout as the exports.
#include "report_engine/prepared/PageDrawing.h"

#include "report_engine/base/ReportUnits.h"
#include "report_engine/model/Bands.h"
#include "report_engine/model/MemoView.h"
#include "report_engine/prepared/PreviewPages.h"
#include "report_engine/text/FontEngine.h"
#include "report_engine/text/TextLayout.h"

#include <QFontDatabase>
#include <QGlyphRun>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QRawFont>
#include <cmath>

namespace {
// The face of a file as the font database knows it, by family and style. The PDF
// documents of printing embed such a face; one loaded from its file alone has no
// name there and would be written as outlines, glyph by glyph, many times larger.
QRawFont namedFace(const QString& file) {
    const QRawFont loaded(file, 12, QFont::PreferNoHinting);
    const QByteArray head = loaded.fontTable("head");
    for (const QString& family :
         QFontDatabase::applicationFontFamilies(QFontDatabase::addApplicationFont(file)))
        for (const QString& style : QFontDatabase::styles(family)) {
            QFont font = QFontDatabase::font(family, style, 12);
            font.setHintingPreference(QFont::PreferNoHinting);
            const QRawFont named = QRawFont::fromFont(font);
            if (named.fontTable("head") == head)
                return named;
        }
    return loaded;
}

// Loading a face for drawing reads its file, so faces are kept per file and size.
QRawFont rawFont(const QString& file, double pixelSize) {
    static QHash<QString, QRawFont> faces;
    static QHash<QString, QRawFont> fonts;
    const QString key = file + QLatin1Char('|') + QString::number(pixelSize, 'f', 3);
    auto found = fonts.constFind(key);
    if (found == fonts.constEnd()) {
        auto face = faces.constFind(file);
        if (face == faces.constEnd())
            face = faces.insert(file, namedFace(file));
        QRawFont font = *face;
        font.setPixelSize(pixelSize);
        found = fonts.insert(key, font);
    }
    return *found;
}

// Report units to device pixels for one page.
struct TPageScale {
    double ScaleX, ScaleY, OffsetX, OffsetY;
    QPointF point(double x, double y) const { return {OffsetX + x * ScaleX, OffsetY + y * ScaleY}; }
    QRectF rect(double x, double y, double width, double height) const {
        return {point(x, y), QSizeF(width * ScaleX, height * ScaleY)};
    }
};

void drawFrame(QPainter& canvas, const TfrxCustomMemoView& memo, const TPageScale& scale) {
    for (const TfrxFrameLine& side : frxFrameLines(memo)) {
        canvas.setPen(
            QPen(QColor::fromRgb(side.Colour), side.Width * scale.ScaleY, Qt::SolidLine, Qt::FlatCap));
        canvas.drawLine(scale.point(side.X1, side.Y1), scale.point(side.X2, side.Y2));
    }
}

void drawRule(QPainter& canvas, const TfrxTextBlock& block, const TfrxPlacedLine& line, double depth,
              const TPageScale& scale) {
    const double y = line.Y + depth * block.PixelsPerEm();
    canvas.setPen(QPen(QColor::fromRgb(block.Colour),
                       TfrxTextBlock::RuleThickness * block.PixelsPerEm() * scale.ScaleY, Qt::SolidLine,
                       Qt::FlatCap));
    canvas.drawLine(scale.point(line.X, y), scale.point(line.X + line.Width, y));
}

// Glyph by glyph as the PDF file places them: each advance, the character
// spacing after every glyph, and a justified line's spare width after its spaces.
void drawLine(QPainter& canvas, const TfrxTextBlock& block, const TfrxPlacedLine& line, const QRawFont& font,
              const TPageScale& scale) {
    const TfrxGlyphRun& run = line.Run;
    QVector<QPointF> positions;
    positions.reserve(run.Glyphs.size());
    double x = line.X;
    const double spaceExtra = run.Spaces > 0 ? line.Spare / run.Spaces : 0;
    for (qsizetype i = 0; i < run.Glyphs.size(); ++i) {
        positions.push_back(scale.point(x, line.Y));
        x += block.RunWidth(run.Advances[i]) + block.CharSpacing;
        if (spaceExtra != 0 && run.OnePerCharacter && line.Text[i] == QLatin1Char(' '))
            x += spaceExtra;
    }
    QGlyphRun glyphs;
    glyphs.setRawFont(font);
    glyphs.setGlyphIndexes(QVector<quint32>(run.Glyphs.begin(), run.Glyphs.end()));
    glyphs.setPositions(positions);
    canvas.setPen(QColor::fromRgb(block.Colour));
    canvas.drawGlyphRun(QPointF(0, 0), glyphs);
}

void drawText(QPainter& canvas, const TfrxCustomMemoView& memo, const TPageScale& scale,
              std::vector<TfrxTextRun>* texts) {
    const TfrxTextBlock block = frxLayoutText(memo);
    if (block.Lines.empty())
        return;
    const QRawFont font =
        rawFont(TfrxFontEngine::instance().faceFile(block.Font), block.PixelsPerEm() * scale.ScaleY);
    for (const TfrxPlacedLine& line : block.Lines) {
        drawLine(canvas, block, line, font, scale);
        if (block.Font.Underline)
            drawRule(canvas, block, line, TfrxTextBlock::UnderlineDepth, scale);
        if (block.Font.StrikeOut)
            drawRule(canvas, block, line, -TfrxTextBlock::StrikeOutHeight, scale);
        if (texts) {
            // The face's ascent and descent, near enough for marking a hit.
            const double em = block.PixelsPerEm();
            texts->push_back({line.Text, scale.rect(line.X, line.Y - 0.905 * em, line.Width, 1.117 * em)});
        }
    }
}

void drawObject(QPainter& canvas, const TfrxCustomMemoView& memo, const TPageScale& scale,
                std::vector<TfrxTextRun>* texts) {
    canvas.save();
    if (memo.Clipped) {
        const double frame = memo.Frame.Width;
        canvas.setClipRect(scale.rect(memo.AbsLeft() - frame, memo.AbsTop() - frame, memo.Width + 2 * frame,
                                      memo.Height + 2 * frame),
                           Qt::IntersectClip);
    }
    drawFrame(canvas, memo, scale);
    drawText(canvas, memo, scale, texts);
    canvas.restore();
}
} // namespace

void frxDrawPage(const TfrxPreviewPages& pages, int index, QPainter& canvas, double scaleX, double scaleY,
                 double offsetX, double offsetY, std::vector<TfrxTextRun>* texts) {
    const std::unique_ptr<TfrxReportPage> page = pages.FinishedPage(index);
    if (!page)
        return;
    const TPageScale scale{scaleX, scaleY, offsetX, offsetY};
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing);
    // A recording has no edges of its own, so everything on the sheet goes into it.
    const int device = canvas.device()->devType();
    QRectF visible = device == QInternal::Picture ? QRectF(-1e9, -1e9, 2e9, 2e9) : QRectF(canvas.window());
    if (device != QInternal::Printer) {
        const QPointF topLeft(std::round(offsetX), std::round(offsetY));
        const QPointF bottomRight(std::round(page->PaperWidth() * fr01cm * scaleX + offsetX) - 1,
                                  std::round(page->PaperHeight() * fr01cm * scaleY + offsetY) - 1);
        visible = visible.intersected(QRectF(topLeft, bottomRight));
        canvas.setClipRect(visible, Qt::IntersectClip);
    }
    for (const auto& band : page->Objects())
        for (const auto& object : band->Objects()) {
            const TfrxCustomMemoView* memo = object->asMemo();
            if (!memo)
                continue;
            // Objects are drawn only where they may show, with room for frames and overhangs.
            const QRectF bounds = scale.rect(memo->AbsLeft(), memo->AbsTop(), memo->Width, memo->Height)
                                      .adjusted(-20, -20, 20, 20);
            if (bounds.intersects(visible))
                drawObject(canvas, *memo, scale, texts);
        }
    canvas.restore();
}
