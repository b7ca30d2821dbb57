#pragma once

#include <QString>
#include <QStringView>
#include <span>
#include <vector>

// The texts of all prepared objects, each distinct text kept once. A long report
// shows the same flight, client, ticket type and price on many rows; keeping
// every copy would make the texts most of its memory and of its saved file.
class TfrxPreparedTexts {
public:
    // The number of the text, the same for every equal text.
    int add(QStringView text);
    QString text(int id) const;
    // Asks the processor to bring in where the texts are kept (`entries`) or the
    // texts themselves, ahead of reading them: see TfrxFinishedPages::page.
    void prefetchEntry(int id) const;
    void prefetchText(int id) const;
    // Asks the processor to bring in, ahead of adding these texts, where each
    // would be found: all their slots at once, then, once those have arrived,
    // the stored texts they name (see TfrxPreviewPages::prefetchTexts).
    void prefetchSlots(std::span<const QStringView> texts) const;
    void prefetchStored() const;
    // How many texts are stored; a plain number is not (see add).
    int count() const { return static_cast<int>(FEntries.size()); }
    // Where a stored text is among the `count` stored ones, or -1 for a plain number.
    static int storedIndex(int id) { return id & NumberTag ? -1 : id >> 1; }
    void clear();

private:
    // A sale number is on every row of the sales report and is seldom seen twice: a
    // million of them, stored and indexed, were a third of a long report's memory.
    // A text that is a plain decimal number (digits only, no leading zero, at most
    // nine of them) is therefore its own number, tagged in the lowest bit, and is
    // neither stored nor indexed; a stored text's number is its entry, shifted.
    static constexpr int NumberTag = 1;
    static constexpr qsizetype MaxNumberDigits = 9;
    static bool plainNumber(QStringView text, int* value);

    // The hash travels with the place of the text, so a search rarely looks at
    // a text that is not the one sought, growing never hashes a text again, and
    // a search goes from the slot straight to the text, which holds its entry:
    // in a long report the slots, the entries and the texts are each beyond the
    // processor's caches, and every step between them is a wait on memory.
    struct TSlot {
        quint32 hash;
        quint32 place;
    };
    static constexpr quint32 FreeSlot = 0xFFFFFFFF;
    quint32 slotOf(QStringView text, quint32 hash) const;
    void growSlots();
    quint32 store(QStringView text, quint32 entry);
    const char16_t* storedAt(quint32 place) const;
    QStringView textAt(quint32 place) const;
    qint32 entryAt(quint32 place) const;

    // Each text is stored as its length (two units), its entry (two units) and
    // its characters, at a place given as block << 16 | position: a million
    // texts cost four bytes each to find, not a pointer and a length. Blocks are
    // filled up to their reserved size and never moved, so a growing report
    // never copies what it already holds; a text longer than a block gets a
    // block of its own.
    static constexpr qsizetype BlockSize = 1 << 16;
    static constexpr qsizetype HeaderUnits = 4;
    static constexpr size_t MaxBlocks = 0xFFFF;
    std::vector<QString> FBlocks;
    std::vector<quint32> FEntries;
    // Open addressing over the stored texts, place FreeSlot when free (no text
    // starts at the last unit of a block: its header alone would not fit).
    // Probing walks neighbouring slots, eight to a cache line, so the table is
    // kept up to three quarters full.
    std::vector<TSlot> FSlots;
    mutable std::vector<quint32> FPrefetchedHashes; // kept between calls, not to allocate each time
};
