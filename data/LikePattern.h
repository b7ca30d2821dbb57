#pragma once

#include <QHash>
#include <QString>
#include <QStringView>
#include <vector>

// A LIKE pattern, read once and matched against many texts: "%" stands for
// any run of characters, "_" for one, and "\" makes the character after it
// stand for itself, so a user's "50%" is searched for as "50\%". The pattern
// is given case folded; texts are folded as they are read.
//
// The pattern is split at its "%" into pieces. The first piece must start the
// text and the last one end it; each piece between is taken at its first place
// after the one before, which is where LIKE would find it too. A piece is
// sought with a method whose time grows with the text plus the piece, never
// their product: a long search text against a long stored text stays quick.
class TLikePattern {
public:
    explicit TLikePattern(QStringView folded);

    bool matches(QStringView text) const;

private:
    // One piece between "%": characters, with any-character positions where
    // the pattern has "_".
    struct TPiece {
        QString chars;
        std::vector<bool> any;
        bool hasAny = false;
        std::vector<qsizetype> failure; // without "_": where a mismatch falls back to
        size_t words = 0;               // with "_": the position bits of each character,
        std::vector<quint64> masks;     // `words` words a row, the "_" positions' row first
        QHash<char16_t, size_t> rowOf;
    };

    static bool matchesAt(QStringView text, qsizetype at, const TPiece& piece);
    static void prepareExact(TPiece& piece);
    static qsizetype findExact(QStringView text, qsizetype from, qsizetype to, const TPiece& piece);
    static void prepareWithAny(TPiece& piece);
    static qsizetype findWithAny(QStringView text, qsizetype from, qsizetype to, const TPiece& piece);

    std::vector<TPiece> FPieces;
    bool FHasPercent = false;
};
