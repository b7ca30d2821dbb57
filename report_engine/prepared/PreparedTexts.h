#pragma once

#include <QString>
#include <QStringView>
#include <vector>

// The texts of all prepared objects, each distinct text kept once. A long report
// shows the same flight, client, ticket type and price on many rows; keeping
// every copy would make the texts most of its memory and of its saved file.
class TfrxPreparedTexts {
public:
    // The number of the text, the same for every equal text.
    int add(QStringView text);
    QStringView text(int id) const;
    int count() const { return static_cast<int>(FEntries.size()); }
    void clear();

private:
    // The hash travels with the number, so a search rarely looks at a text that
    // is not the one sought, and growing never hashes a text again.
    struct TSlot {
        quint32 hash;
        qint32 id;
    };
    quint32 slotOf(QStringView text, quint32 hash) const;
    void growSlots();
    quint32 store(QStringView text);
    QStringView textAt(quint32 place) const;

    // Each text is stored as its length (two units) and its characters, at a
    // place given as block << 16 | position: a million texts cost four bytes
    // each to find, not a pointer and a length. Blocks are filled up to their
    // reserved size and never moved, so a growing report never copies what it
    // already holds; a text longer than a block gets a block of its own.
    static constexpr qsizetype BlockSize = 1 << 16;
    static constexpr qsizetype LengthUnits = 2;
    static constexpr size_t MaxBlocks = 0xFFFF;
    std::vector<QString> FBlocks;
    std::vector<quint32> FEntries;
    // Open addressing over FEntries, id -1 when free. Probing walks neighbouring
    // slots, eight to a cache line, so the table is kept up to three quarters full.
    std::vector<TSlot> FSlots;
};
