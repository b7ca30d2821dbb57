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
    // A text's characters stay where they were first stored (see FBlocks).
    struct TEntry {
        const char16_t* data;
        qsizetype length;
    };
    // The hash travels with the number, so a search rarely looks at a text that
    // is not the one sought, and growing never hashes a text again.
    struct TSlot {
        quint32 hash;
        qint32 id;
    };
    quint32 slotOf(QStringView text, quint32 hash) const;
    void growSlots();
    TEntry store(QStringView text);

    // Blocks are filled up to their reserved size and never moved, so a growing
    // report never copies what it already holds.
    static constexpr qsizetype BlockSize = 1 << 16;
    std::vector<QString> FBlocks;
    std::vector<TEntry> FEntries;
    std::vector<TSlot> FSlots; // open addressing over FEntries, id -1 when free
};
