#pragma once

#include <QString>

// Date checks for the edit windows' form checks.
class TValidatorDate {
public:
    // True for a date, or a date and a time, in the user's date format that is
    // written out in full (at least ten characters, as "01.03.2019"); a
    // half-filled date box is not a date. Shows nothing.
    static bool IsValidDate(const QString& datetext);

    TValidatorDate() = delete;
};
