#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QTime>

// Date-times are stored as "YYYY-MM-DD HH:MM:SS" (the time may be left out);
// reading that by hand is many times faster than a general date parser, and a
// table may hold millions. False when the text is not one.
bool parseStoredDateTime(QByteArrayView text, QDate* date, QTime* time);
