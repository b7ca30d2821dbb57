#include "report_engine/run/BandSplit.h"

#include "report_engine/base/ReportUnits.h"
#include "report_engine/model/Bands.h"
#include "report_engine/model/MemoView.h"
#include "report_engine/prepared/PreviewPages.h"
#include "report_engine/run/Engine.h"
#include "report_engine/run/RunContext.h"

#include <algorithm>

namespace {
// The number of whole lines of a text object that fit into the given height.
int linesFitting(const TfrxCustomMemoView& memo, int available, double height) {
    int lines = 0;
    while (lines < available && frxPosLessOrEqual(memo.HeightForLines(lines + 1), height))
        ++lines;
    return lines;
}
} // namespace

TfrxBandSplit::TfrxBandSplit(TfrxEngine& engine, TfrxRunContext& context, TfrxBand& band)
    : FEngine(engine), FContext(context), FBand(band) {
    for (const auto& child : band.Objects()) {
        if (!child->Visible)
            continue;
        TPiece piece{child.get(), nullptr, {}, child->Top, child->Height, false};
        auto* memo = child->asMemo();
        if (memo && memo->StretchMode != TfrxStretchMode::smDontStretch) {
            piece.FMemo = memo;
            piece.FLines = memo->WrappedLines();
        }
        FPieces.push_back(piece);
    }
}

void TfrxBandSplit::Draw() {
    bool morePending = !FPieces.empty();
    while (morePending && !FContext.terminated()) {
        const double free = FEngine.FreeSpace();
        double bottom = 0;
        bool placed = placePart(free, bottom);
        morePending = pending();
        if (!placed && !frxPosLess(0, FEngine.CurY)) {
            // Not even one line fits on an empty page: show the first piece clipped so the run ends.
            TPiece& first =
                *std::find_if(FPieces.begin(), FPieces.end(), [](const TPiece& p) { return !p.FDone; });
            first.FObject->Visible = true;
            first.FObject->Top = 0;
            first.FObject->Height = free;
            first.FDone = placed = true;
            bottom = free;
            morePending = pending();
        }
        if (placed) {
            FBand.Left = FEngine.CurX;
            FBand.Top = FEngine.CurY;
            FBand.Height = bottom;
            FContext.PreviewPages().AddObject(FBand);
            FEngine.CurY += bottom;
        }
        if (morePending)
            FEngine.NewPage();
    }
    for (TPiece& piece : FPieces)
        piece.FObject->Visible = true;
}

bool TfrxBandSplit::placePart(double free, double& bottom) {
    bool placed = false;
    for (TPiece& piece : FPieces) {
        piece.FObject->Visible = false;
        if (piece.FDone)
            continue;
        if (frxPosLessOrEqual(piece.FTop + piece.FHeight, free)) {
            placeWhole(piece, bottom);
            placed = true;
            continue;
        }
        if (placeLines(piece, free, bottom))
            placed = true;
        // What does not fit starts at the top of the next part.
        piece.FTop = std::max(0.0, piece.FTop - free);
    }
    return placed;
}

void TfrxBandSplit::placeWhole(TPiece& piece, double& bottom) {
    piece.FObject->Visible = true;
    piece.FObject->Top = piece.FTop;
    piece.FObject->Height = piece.FHeight;
    if (piece.FMemo)
        piece.FMemo->Text = piece.FLines.join(QStringLiteral("\r\n"));
    bottom = std::max(bottom, piece.FTop + piece.FHeight);
    piece.FDone = true;
}

bool TfrxBandSplit::placeLines(TPiece& piece, double free, double& bottom) {
    const int fit = piece.FMemo && frxPosLess(piece.FTop, free)
                        ? linesFitting(*piece.FMemo, static_cast<int>(piece.FLines.size()), free - piece.FTop)
                        : 0;
    if (fit == 0)
        return false;
    piece.FObject->Visible = true;
    piece.FObject->Top = piece.FTop;
    piece.FObject->Height = free - piece.FTop;
    piece.FMemo->Text = piece.FLines.mid(0, fit).join(QStringLiteral("\r\n"));
    piece.FLines = piece.FLines.mid(fit);
    piece.FHeight = piece.FMemo->HeightForLines(static_cast<int>(piece.FLines.size()));
    piece.FDone = piece.FLines.isEmpty();
    bottom = free;
    return true;
}

bool TfrxBandSplit::pending() const {
    return std::any_of(FPieces.begin(), FPieces.end(), [](const TPiece& piece) { return !piece.FDone; });
}
