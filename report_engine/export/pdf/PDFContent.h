#pragma once

#include <QByteArrayView>
#include <string>
#include <utility>

// Text of a PDF file as it is written: operators, names and numbers appended
// straight to one buffer, each number formatted in place. A report page holds
// thousands of numbers, so no operand gets a text of its own on the way.
class TfrxPDFContent {
public:
    TfrxPDFContent& operator<<(QByteArrayView text) {
        FBytes.append(text.data(), static_cast<size_t>(text.size()));
        return *this;
    }
    TfrxPDFContent& operator<<(char c) {
        FBytes.push_back(c);
        return *this;
    }
    // Fixed point with two decimals, as every coordinate and size of the file.
    TfrxPDFContent& number(double value);
    TfrxPDFContent& integer(long long value);
    // Four upper-case hexadecimal digits, as glyph and character codes are written.
    TfrxPDFContent& hex4(unsigned value);

    const std::string& bytes() const { return FBytes; }
    // Hands over what was written and starts again (keeping no room).
    std::string take() { return std::exchange(FBytes, {}); }
    // Starts again, keeping the room for the next page.
    void clear() { FBytes.clear(); }
    void reserve(qsizetype size) { FBytes.reserve(static_cast<size_t>(size)); }
    qsizetype size() const { return static_cast<qsizetype>(FBytes.size()); }

private:
    std::string FBytes;
};
