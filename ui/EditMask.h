#pragma once

#include <QString>
#include <vector>

// An edit mask: "pattern;save literals;blank". In the pattern "9" is an optional
// digit, "0" a required digit, "/" the user's date separator, ":" the user's time
// separator, "!" moves the blanks of optional positions left empty to the front
// of their section, and every other character is a literal shown as it stands.
//
// The mask is stateless: the box keeps its edit text (one character per position,
// literals in place, a space in an empty position) and asks the mask what a key,
// a stored value or a read turns it into. That keeps the rules testable on plain
// strings.
class TEditMask {
public:
    TEditMask() = default; // no mask: every text passes unchanged
    explicit TEditMask(const QString& mask);

    struct TKeyResult {
        QString text;
        int cursor = 0;
        bool accepted = false;
    };

    bool IsMasked() const { return !FSlots.empty(); }
    int Length() const { return int(FSlots.size()); }
    bool IsLiteral(int pos) const { return FSlots[size_t(pos)].kind == TSlot::Literal; }
    QChar BlankChar() const { return FBlank; }
    bool SaveLiterals() const { return FSaveLiterals; }
    bool LeadingBlanks() const { return FLeadingBlanks; }

    // Edit texts.
    QString EmptyText() const;
    QString FromStored(const QString& stored) const;
    // What the box shows: empty positions as the blank character while the user
    // types, as spaces otherwise.
    QString Display(const QString& edit, bool showBlanks) const;
    // What is stored: with the literals when the mask says so, empty positions as spaces.
    QString Stored(const QString& edit) const;
    bool IsEmpty(const QString& edit) const;
    bool IsFilled(const QString& edit) const;

    // Keys. `pos` is the cursor in the edit text; a refused key leaves both as they were.
    TKeyResult TypeKey(const QString& edit, int pos, QChar key) const;
    TKeyResult Backspace(const QString& edit, int pos) const;
    TKeyResult DeleteKey(const QString& edit, int pos) const;
    QString ClearRange(const QString& edit, int from, int to) const;
    // The first input position at or after `pos`; Length() when there is none.
    int NextInputPos(int pos) const;

private:
    struct TSlot {
        enum Kind { Literal, OptionalDigit, RequiredDigit } kind;
        QChar literal;
    };

    void parsePattern(const QString& pattern);
    QString fitted(const QString& edit) const;
    QString alignedSection(QString piece, int length) const;
    int sectionStart(int pos) const;
    bool sectionFilled(const QString& edit, int literalPos) const;
    bool allOptional(int from, int to) const;
    TKeyResult closeSection(const QString& edit, int pos, int literalPos) const;

    std::vector<TSlot> FSlots;
    QChar FBlank = QLatin1Char('_');
    bool FSaveLiterals = true;
    bool FLeadingBlanks = false;
};
