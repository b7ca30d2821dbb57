#pragma once

#include <QStringList>
#include <vector>

class TfrxEngine;
class TfrxRunContext;
class TfrxBand;
class TfrxComponent;
class TfrxCustomMemoView;

// Places a band taller than a whole page: the rows of one record continue over
// as many pages as they need, cut between whole text lines.
class TfrxBandSplit {
public:
    TfrxBandSplit(TfrxEngine& engine, TfrxRunContext& context, TfrxBand& band);
    void Draw();

private:
    struct TPiece {
        TfrxComponent* FObject = nullptr;
        TfrxCustomMemoView* FMemo = nullptr; // set when the object can be cut between lines
        QStringList FLines;
        double FTop = 0;
        double FHeight = 0;
        bool FDone = false;
    };
    // Shows what fits into the free space of this page; false when nothing did.
    // bottom becomes the height the part takes.
    bool placePart(double free, double& bottom);
    static void placeWhole(TPiece& piece, double& bottom);
    // The lines of a text object that fit below its top; false when none does.
    static bool placeLines(TPiece& piece, double free, double& bottom);
    bool pending() const;

    TfrxEngine& FEngine;
    TfrxRunContext& FContext;
    TfrxBand& FBand;
    std::vector<TPiece> FPieces;
};
