#pragma once

#include <QtGlobal>
#include <vector>

class TfrxPreparedTexts;

// The number each prepared text has in the file being written, -1 until it is
// written. Stored texts are found by their place among the stored ones; plain
// numbers, which are not stored and may be a million sale numbers, in a table of
// their own that costs eight bytes a slot.
class TZrpTextNumbers {
public:
    int& of(const TfrxPreparedTexts& texts, int id);

private:
    struct TSlot {
        qint32 id; // 0 when free: a plain number's id is never 0
        qint32 number;
    };
    TSlot& numberSlot(int id);
    void growNumbers();

    std::vector<int> FStored;
    std::vector<TSlot> FNumbers;
    size_t FNumberCount = 0;
};
