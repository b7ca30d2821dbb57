#include "ui/EditMask.h"

#include "data/FormatSettings.h"

#include <QStringList>
#include <algorithm>

namespace {

const QChar Empty = QLatin1Char(' ');

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

TEditMask::TEditMask(const QString& mask) {
    const QStringList sections = mask.split(QLatin1Char(';'));
    parsePattern(sections.value(0));
    if (sections.size() > 1 && !sections[1].isEmpty()) {
        FSaveLiterals = sections[1] != QLatin1String("0");
    }
    if (sections.size() > 2 && !sections[2].isEmpty()) {
        FBlank = sections[2].at(0);
    }
}

void TEditMask::parsePattern(const QString& pattern) {
    const TFormatSettings& fs = FormatSettings();
    for (QChar c : pattern) {
        if (c == QLatin1Char('!')) {
            FLeadingBlanks = true;
        } else if (c == QLatin1Char('9')) {
            FSlots.push_back({TSlot::OptionalDigit, {}});
        } else if (c == QLatin1Char('0')) {
            FSlots.push_back({TSlot::RequiredDigit, {}});
        } else if (c == QLatin1Char('/')) {
            FSlots.push_back({TSlot::Literal, fs.DateSeparator});
        } else if (c == QLatin1Char(':')) {
            FSlots.push_back({TSlot::Literal, fs.TimeSeparator});
        } else {
            FSlots.push_back({TSlot::Literal, c});
        }
    }
}

QString TEditMask::EmptyText() const {
    QString text;
    text.reserve(Length());
    for (const TSlot& slot : FSlots) {
        text += slot.kind == TSlot::Literal ? slot.literal : Empty;
    }
    return text;
}

// A stored text is read section by section: each run of input positions takes the
// text up to the literal that ends it (or, when the text lacks that literal, as
// many characters as the run is long), so "9:30" fills an hour of two positions.
QString TEditMask::FromStored(const QString& stored) const {
    if (!IsMasked()) {
        return stored;
    }
    QString result = EmptyText();
    qsizetype in = 0;
    int pos = 0;
    while (pos < Length()) {
        if (IsLiteral(pos)) {
            if (in < stored.size() && stored[in] == FSlots[size_t(pos)].literal) {
                ++in;
            }
            ++pos;
            continue;
        }
        int end = pos;
        while (end < Length() && !IsLiteral(end)) {
            ++end;
        }
        QString piece;
        const qsizetype found = end < Length() ? stored.indexOf(FSlots[size_t(end)].literal, in) : -1;
        if (end == Length()) {
            piece = stored.mid(in);
        } else if (found >= 0) {
            piece = stored.mid(in, found - in);
        } else {
            piece = stored.mid(in, end - pos);
        }
        in += piece.size();
        result.replace(pos, end - pos, alignedSection(piece, end - pos));
        pos = end;
    }
    return result;
}

QString TEditMask::alignedSection(QString piece, int length) const {
    piece = piece.trimmed().left(length);
    for (QChar& c : piece) {
        if (!isDigit(c)) {
            c = Empty;
        }
    }
    return FLeadingBlanks ? piece.rightJustified(length, Empty) : piece.leftJustified(length, Empty);
}

QString TEditMask::Display(const QString& input, bool showBlanks) const {
    const QString edit = fitted(input);
    if (!IsMasked() || !showBlanks) {
        return edit;
    }
    QString text = edit;
    for (int pos = 0; pos < Length(); ++pos) {
        if (!IsLiteral(pos) && text[pos] == Empty) {
            text[pos] = FBlank;
        }
    }
    return text;
}

QString TEditMask::Stored(const QString& input) const {
    const QString edit = fitted(input);
    if (!IsMasked() || FSaveLiterals) {
        return edit;
    }
    QString text;
    for (int pos = 0; pos < Length(); ++pos) {
        if (!IsLiteral(pos)) {
            text += edit[pos];
        }
    }
    while (FLeadingBlanks && text.startsWith(Empty)) {
        text.remove(0, 1);
    }
    while (!FLeadingBlanks && text.endsWith(Empty)) {
        text.chop(1);
    }
    return text;
}

bool TEditMask::IsEmpty(const QString& input) const {
    const QString edit = fitted(input);
    for (int pos = 0; pos < Length(); ++pos) {
        if (!IsLiteral(pos) && edit[pos] != Empty) {
            return false;
        }
    }
    return true;
}

bool TEditMask::IsFilled(const QString& input) const {
    const QString edit = fitted(input);
    for (int pos = 0; pos < Length(); ++pos) {
        if (FSlots[size_t(pos)].kind == TSlot::RequiredDigit && edit[pos] == Empty) {
            return false;
        }
    }
    return true;
}

// An edit text of another length (a caller's own text) is laid out in the mask
// first, so no position is ever read or written past its end.
QString TEditMask::fitted(const QString& edit) const {
    return edit.size() == Length() ? edit : FromStored(edit);
}

int TEditMask::NextInputPos(int pos) const {
    while (pos < Length() && IsLiteral(pos)) {
        ++pos;
    }
    return pos;
}

// Positions are fixed, so a digit overwrites its position and the cursor jumps
// over the literals after it. Typing the separator that ends a section leaves the
// rest of the section empty, which only optional positions may be.
TEditMask::TKeyResult TEditMask::TypeKey(const QString& input, int pos, QChar key) const {
    const QString edit = fitted(input);
    const TKeyResult refused{edit, pos, false};
    if (isDigit(key)) {
        const int p = NextInputPos(pos);
        if (p >= Length()) {
            return refused;
        }
        QString text = edit;
        text[p] = key;
        return {text, NextInputPos(p + 1), true};
    }
    if (pos > 0 && IsLiteral(pos - 1) && FSlots[size_t(pos - 1)].literal == key &&
        sectionFilled(edit, pos - 1)) {
        // The cursor already jumped over this separator when the section filled up.
        return {edit, pos, true};
    }
    int literal = pos;
    while (literal < Length() && !IsLiteral(literal)) {
        ++literal;
    }
    if (literal < Length() && FSlots[size_t(literal)].literal == key) {
        return closeSection(edit, pos, literal);
    }
    return refused;
}

TEditMask::TKeyResult TEditMask::closeSection(const QString& edit, int pos, int literalPos) const {
    const int start = sectionStart(literalPos);
    const int unfilled = literalPos - pos;
    QString text = edit;
    if (FLeadingBlanks) {
        if (!allOptional(start, start + unfilled)) {
            return {edit, pos, false};
        }
        const QString typed = edit.mid(start, pos - start);
        text.replace(start, literalPos - start, QString(unfilled, Empty) + typed);
    } else {
        if (!allOptional(pos, literalPos)) {
            return {edit, pos, false};
        }
        text = ClearRange(edit, pos, literalPos);
    }
    return {text, NextInputPos(literalPos + 1), true};
}

bool TEditMask::sectionFilled(const QString& edit, int literalPos) const {
    for (int pos = sectionStart(literalPos); pos < literalPos; ++pos) {
        if (edit[pos] == Empty) {
            return false;
        }
    }
    return true;
}

int TEditMask::sectionStart(int pos) const {
    while (pos > 0 && !IsLiteral(pos - 1)) {
        --pos;
    }
    return pos;
}

bool TEditMask::allOptional(int from, int to) const {
    for (int pos = from; pos < to; ++pos) {
        if (FSlots[size_t(pos)].kind == TSlot::RequiredDigit) {
            return false;
        }
    }
    return true;
}

TEditMask::TKeyResult TEditMask::Backspace(const QString& input, int pos) const {
    const QString edit = fitted(input);
    int p = pos - 1;
    while (p >= 0 && IsLiteral(p)) {
        --p;
    }
    if (p < 0) {
        return {edit, pos, false};
    }
    QString text = edit;
    text[p] = Empty;
    return {text, p, true};
}

TEditMask::TKeyResult TEditMask::DeleteKey(const QString& input, int pos) const {
    const QString edit = fitted(input);
    const int p = NextInputPos(pos);
    if (p >= Length()) {
        return {edit, pos, false};
    }
    QString text = edit;
    text[p] = Empty;
    return {text, pos, true};
}

QString TEditMask::ClearRange(const QString& input, int from, int to) const {
    const QString edit = fitted(input);
    QString text = edit;
    for (int pos = std::max(from, 0); pos < std::min(to, Length()); ++pos) {
        if (!IsLiteral(pos)) {
            text[pos] = Empty;
        }
    }
    return text;
}
