#pragma once

#include "data/FormatSettings.h"

// The program's own regional settings for the length of a test, whatever the
// machine running it uses: decimal comma, dates as dd.MM.yyyy.
class TRussianSettings {
public:
    TRussianSettings() : FSaved(FormatSettings()) { FormatSettings() = TFormatSettings::Russian(); }
    ~TRussianSettings() { FormatSettings() = FSaved; }
    TRussianSettings(const TRussianSettings&) = delete;
    TRussianSettings& operator=(const TRussianSettings&) = delete;

private:
    TFormatSettings FSaved;
};
