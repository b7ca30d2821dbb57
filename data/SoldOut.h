#pragma once

#include "data/Exception.h"

// A sale refused because its flight has no seat left; the text is what the
// cashier is told, the same as for a flight found full before saving.
class ESoldOut : public Exception {
public:
    ESoldOut() : Exception(QStringLiteral("На данный рейс нет билетов!")) {}
};
