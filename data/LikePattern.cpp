#include "data/LikePattern.h"

#include "data/RowFilter.h"

TLikePattern::TLikePattern(QStringView folded) {
    FPieces.emplace_back();
    for (qsizetype i = 0; i < folded.size(); ++i) {
        QChar c = folded[i];
        bool any = false;
        if (c == QLatin1Char('\\') && i + 1 < folded.size()) {
            c = folded[++i];
        } else if (c == QLatin1Char('%')) {
            FHasPercent = true;
            FPieces.emplace_back();
            continue;
        } else if (c == QLatin1Char('_')) {
            any = true;
        }
        TPiece& piece = FPieces.back();
        piece.chars += c;
        piece.any.push_back(any);
        piece.hasAny = piece.hasAny || any;
    }
    for (TPiece& piece : FPieces) {
        if (piece.hasAny) {
            prepareWithAny(piece);
        } else {
            prepareExact(piece);
        }
    }
}

bool TLikePattern::matches(QStringView text) const {
    const TPiece& first = FPieces.front();
    const qsizetype n = text.size();
    if (!FHasPercent) {
        return n == first.chars.size() && matchesAt(text, 0, first);
    }
    const TPiece& last = FPieces.back();
    if (first.chars.size() + last.chars.size() > n || !matchesAt(text, 0, first) ||
        !matchesAt(text, n - last.chars.size(), last)) {
        return false;
    }
    qsizetype from = first.chars.size();
    const qsizetype to = n - last.chars.size();
    for (size_t i = 1; i + 1 < FPieces.size(); ++i) {
        const TPiece& piece = FPieces[i];
        const qsizetype at =
            piece.hasAny ? findWithAny(text, from, to, piece) : findExact(text, from, to, piece);
        if (at < 0) {
            return false;
        }
        from = at + piece.chars.size();
    }
    return true;
}

bool TLikePattern::matchesAt(QStringView text, qsizetype at, const TPiece& piece) {
    for (qsizetype j = 0; j < piece.chars.size(); ++j) {
        if (!piece.any[size_t(j)] && foldChar(text[at + j]) != piece.chars[j]) {
            return false;
        }
    }
    return true;
}

// How far the search falls back within the piece after a mismatch: the
// longest proper prefix of the piece that ends where the mismatch came.
void TLikePattern::prepareExact(TPiece& piece) {
    const qsizetype m = piece.chars.size();
    piece.failure.assign(size_t(m), 0);
    qsizetype k = 0;
    for (qsizetype j = 1; j < m; ++j) {
        while (k > 0 && piece.chars[j] != piece.chars[k]) {
            k = piece.failure[size_t(k - 1)];
        }
        if (piece.chars[j] == piece.chars[k]) {
            ++k;
        }
        piece.failure[size_t(j)] = k;
    }
}

// The first place in [from, to) where the piece lies whole; each character
// of the text is read once.
qsizetype TLikePattern::findExact(QStringView text, qsizetype from, qsizetype to, const TPiece& piece) {
    const qsizetype m = piece.chars.size();
    if (m == 0) {
        return from;
    }
    qsizetype k = 0;
    for (qsizetype t = from; t < to; ++t) {
        const QChar c = foldChar(text[t]);
        while (k > 0 && piece.chars[k] != c) {
            k = piece.failure[size_t(k - 1)];
        }
        if (piece.chars[k] == c) {
            ++k;
        }
        if (k == m) {
            return t - m + 1;
        }
    }
    return -1;
}

// For each character of the piece, the positions it may stand at, one bit a
// position; "_" positions take every character. A character the piece does
// not name fits only the "_" positions.
void TLikePattern::prepareWithAny(TPiece& piece) {
    const qsizetype m = piece.chars.size();
    piece.words = size_t((m + 63) / 64);
    std::vector<quint64> anyRow(piece.words, 0);
    for (qsizetype j = 0; j < m; ++j) {
        if (piece.any[size_t(j)]) {
            anyRow[size_t(j / 64)] |= quint64(1) << (j % 64);
        }
    }
    piece.masks = anyRow;
    for (qsizetype j = 0; j < m; ++j) {
        if (piece.any[size_t(j)] || piece.rowOf.contains(piece.chars[j].unicode())) {
            continue;
        }
        const size_t row = piece.masks.size();
        piece.rowOf.insert(piece.chars[j].unicode(), row);
        piece.masks.insert(piece.masks.end(), anyRow.begin(), anyRow.end());
        for (qsizetype i = j; i < m; ++i) {
            if (!piece.any[size_t(i)] && piece.chars[i] == piece.chars[j]) {
                piece.masks[row + size_t(i / 64)] |= quint64(1) << (i % 64);
            }
        }
    }
}

// Every place the piece could still be matching is tracked at once, one bit
// each, and moved on by one character with a shift: the time is the text's
// length times the piece's length in 64-position words.
qsizetype TLikePattern::findWithAny(QStringView text, qsizetype from, qsizetype to, const TPiece& piece) {
    const qsizetype m = piece.chars.size();
    std::vector<quint64> state(piece.words, 0);
    const size_t lastWord = piece.words - 1;
    const quint64 lastBit = quint64(1) << ((m - 1) % 64);
    for (qsizetype t = from; t < to; ++t) {
        const quint64* mask = piece.masks.data() + piece.rowOf.value(foldChar(text[t]).unicode(), 0);
        quint64 carry = 1;
        for (size_t w = 0; w < piece.words; ++w) {
            const quint64 next = (state[w] << 1) | carry;
            carry = state[w] >> 63;
            state[w] = next & mask[w];
        }
        if (state[lastWord] & lastBit) {
            return t - m + 1;
        }
    }
    return -1;
}
