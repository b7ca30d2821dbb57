#pragma once

#include <QtGlobal>

// Every change to any dataset moves this stamp on. A value worked out from
// datasets (a calculated field, a looked-up value) is kept only while the stamp
// stands still, since it may read other datasets through lookups and would
// otherwise go stale when one of them changes.
class TChangeStamp {
public:
    static quint64 current() { return FValue; }
    static void touch() { ++FValue; }

private:
    inline static quint64 FValue = 1;
};
