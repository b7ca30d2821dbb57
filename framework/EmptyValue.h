#pragma once

#include "data/Exception.h"

// A required value is missing or not valid; the text is what the user is told.
class EmptyValueException : public Exception {
public:
    explicit EmptyValueException(const QString& Messages) : Exception(Messages) {}
};
