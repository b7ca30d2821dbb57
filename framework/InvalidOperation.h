#pragma once

#include "data/Exception.h"

// The chosen operation cannot be carried out; the text is what the user is told.
class InvalidOperationException : public Exception {
public:
    explicit InvalidOperationException(const QString& Messages) : Exception(Messages) {}
};
