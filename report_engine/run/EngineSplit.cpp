// Placing a band taller than a whole page: the rows of one record continue over
// as many pages as they need, cut between whole text lines.
#include "report_engine/run/Engine.h"

#include "report_engine/base/ReportUnits.h"
#include "report_engine/model/Bands.h"
#include "report_engine/model/MemoView.h"
#include "report_engine/model/Report.h"
#include "report_engine/prepared/PreviewPages.h"

#include <QStringList>

namespace {
struct TPiece {
    TfrxComponent* FObject = nullptr;
    TfrxCustomMemoView* FMemo = nullptr; // set when the object can be cut between lines
    QStringList FLines;
    double FTop = 0;
    double FHeight = 0;
    bool FDone = false;
};

// The number of whole lines of a text object that fit into the given height.
int linesFitting(const TfrxCustomMemoView& memo, int available, double height) {
    int lines = 0;
    while (lines < available && frxPosLessOrEqual(memo.HeightForLines(lines + 1), height))
        ++lines;
    return lines;
}
} // namespace

void TfrxEngine::DrawSplit(TfrxBand& band) {
    std::vector<TPiece> pieces;
    for (const auto& child : band.Objects()) {
        if (!child->Visible)
            continue;
        TPiece piece{child.get(), nullptr, {}, child->Top, child->Height, false};
        auto* memo = child->asMemo();
        if (memo && memo->StretchMode != TfrxStretchMode::smDontStretch) {
            piece.FMemo = memo;
            piece.FLines = memo->WrappedLines();
        }
        pieces.push_back(piece);
    }
    bool pending = !pieces.empty();
    while (pending && !FReport.Terminated) {
        const double free = FreeSpace();
        double bottom = 0;
        bool placed = false;
        for (TPiece& piece : pieces) {
            piece.FObject->Visible = false;
            if (piece.FDone)
                continue;
            if (frxPosLessOrEqual(piece.FTop + piece.FHeight, free)) {
                piece.FObject->Visible = true;
                piece.FObject->Top = piece.FTop;
                piece.FObject->Height = piece.FHeight;
                if (piece.FMemo)
                    piece.FMemo->Text = piece.FLines.join(QStringLiteral("\r\n"));
                bottom = std::max(bottom, piece.FTop + piece.FHeight);
                piece.FDone = placed = true;
                continue;
            }
            const int fit =
                piece.FMemo && frxPosLess(piece.FTop, free)
                    ? linesFitting(*piece.FMemo, static_cast<int>(piece.FLines.size()), free - piece.FTop)
                    : 0;
            if (fit > 0) {
                piece.FObject->Visible = true;
                piece.FObject->Top = piece.FTop;
                piece.FObject->Height = free - piece.FTop;
                piece.FMemo->Text = piece.FLines.mid(0, fit).join(QStringLiteral("\r\n"));
                piece.FLines = piece.FLines.mid(fit);
                piece.FHeight = piece.FMemo->HeightForLines(static_cast<int>(piece.FLines.size()));
                piece.FDone = piece.FLines.isEmpty();
                bottom = free;
                placed = true;
            }
            // What does not fit starts at the top of the next part.
            piece.FTop = std::max(0.0, piece.FTop - free);
        }
        pending = std::any_of(pieces.begin(), pieces.end(), [](const TPiece& piece) { return !piece.FDone; });
        if (!placed && !frxPosLess(0, CurY)) {
            // Not even one line fits on an empty page: show the first piece clipped so the run ends.
            TPiece& first =
                *std::find_if(pieces.begin(), pieces.end(), [](const TPiece& p) { return !p.FDone; });
            first.FObject->Visible = true;
            first.FObject->Top = 0;
            first.FObject->Height = free;
            first.FDone = placed = true;
            bottom = free;
            pending =
                std::any_of(pieces.begin(), pieces.end(), [](const TPiece& piece) { return !piece.FDone; });
        }
        if (placed) {
            band.Left = CurX;
            band.Top = CurY;
            band.Height = bottom;
            FReport.PreviewPages().AddObject(band);
            CurY += bottom;
        }
        if (pending)
            NewPage();
    }
    for (TPiece& piece : pieces)
        piece.FObject->Visible = true;
}
