#pragma once

#include <QString>
#include <stdexcept>

// Errors raised inside the report engine; a run catches them into the report's error list.
class EfrxError : public std::runtime_error {
public:
    explicit EfrxError(const QString& message)
        : std::runtime_error(message.toStdString()), FMessage(message) {}
    const QString& message() const { return FMessage; }

private:
    QString FMessage;
};
