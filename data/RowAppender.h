#pragma once

#include <QVariantList>

// Appends rows to one table through one prepared statement.
class TRowAppender {
public:
    virtual ~TRowAppender() = default;
    // Returns the key the database gave the new row. Throws EDatabaseError.
    virtual qint64 append(const QVariantList& values) = 0;
};
