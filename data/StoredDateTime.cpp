#include "data/StoredDateTime.h"

bool parseStoredDateTime(QByteArrayView text, QDate* date, QTime* time) {
    const auto digits = [&](int from, int count, int* value) {
        *value = 0;
        for (int i = from; i < from + count; ++i) {
            if (i >= text.size() || text[i] < '0' || text[i] > '9') {
                return false;
            }
            *value = *value * 10 + (text[i] - '0');
        }
        return true;
    };
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, sec = 0;
    const bool dateOk = text.size() >= 10 && digits(0, 4, &y) && text[4] == '-' && digits(5, 2, &mo) &&
                        text[7] == '-' && digits(8, 2, &d);
    if (!dateOk) {
        return false;
    }
    if (text.size() >= 19 && !(digits(11, 2, &h) && digits(14, 2, &mi) && digits(17, 2, &sec))) {
        return false;
    }
    *date = QDate(y, mo, d);
    *time = QTime(h, mi, sec);
    return date->isValid() && time->isValid();
}
