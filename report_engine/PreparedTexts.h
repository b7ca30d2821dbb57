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
    struct TEntry {
        quint32 block;
        quint32 start;
        quint32 length;
    };
    quint32 slotOf(QStringView text) const;
    void growSlots();
    TEntry store(QStringView text);

    // Blocks are filled up to their reserved size and never moved, so a growing
    // report never copies what it already holds.
    static constexpr qsizetype BlockSize = 1 << 16;
    std::vector<QString> FBlocks;
    std::vector<TEntry> FEntries;
    std::vector<qint32> FSlots; // open addressing over FEntries, -1 when free
};
