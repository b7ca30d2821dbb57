#pragma once

#include <QString>
#include <exception>
#include <string>

// The one exception family of the program: every error carries only a message,
// and the place that catches it decides how to show it.
class Exception : public std::exception {
public:
    explicit Exception(QString message) : FMessage(std::move(message)), FUtf8(FMessage.toStdString()) {}
    const QString& Message() const { return FMessage; }
    const char* what() const noexcept override { return FUtf8.c_str(); }

private:
    QString FMessage;
    std::string FUtf8;
};

// Raised by the dataset facility and the connection: engine errors, missing
// fields, bad filter or sort texts, writes refused.
class EDatabaseError : public Exception {
public:
    using Exception::Exception;
};
