#include "report_engine/export/common/CodePage.h"

#include <array>
#include <iconv.h>

namespace {
// The upper half of a code page as Unicode, read from the system's converter once.
std::array<char16_t, 128> upperHalf(const char* codePage) {
    std::array<char16_t, 128> table{};
    iconv_t converter = iconv_open("UTF-16LE", codePage);
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        char in = static_cast<char>(byte);
        char16_t out = u'?';
        char* inPointer = &in;
        char* outPointer = reinterpret_cast<char*>(&out);
        size_t inLeft = 1;
        size_t outLeft = sizeof out;
        if (converter == reinterpret_cast<iconv_t>(-1) ||
            iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) == static_cast<size_t>(-1))
            out = u'?';
        table[static_cast<size_t>(byte - 0x80)] = out;
    }
    if (converter != reinterpret_cast<iconv_t>(-1))
        iconv_close(converter);
    return table;
}

// Both directions as tables: a CSV export converts every character of every cell.
class TCodePage {
public:
    explicit TCodePage(const char* name) : FUpper(upperHalf(name)) {
        FBytes.fill('?');
        for (size_t c = 0; c < 0x80; ++c)
            FBytes[c] = static_cast<char>(c);
        for (size_t i = 0; i < FUpper.size(); ++i)
            if (FUpper[i] != u'?' && FUpper[i] >= 0x80)
                FBytes[FUpper[i]] = static_cast<char>(0x80 + i);
    }
    char byteOf(char16_t c) const { return FBytes[c]; }
    char16_t charOf(char byte) const {
        const auto b = static_cast<unsigned char>(byte);
        return b < 0x80 ? b : FUpper[b - 0x80];
    }

private:
    std::array<char16_t, 128> FUpper;
    std::array<char, 0x10000> FBytes;
};

const TCodePage& ansi() {
    static const TCodePage page("WINDOWS-1251");
    return page;
}

const TCodePage& oem() {
    static const TCodePage page("CP866");
    return page;
}
} // namespace

QByteArray frxToAnsi(QStringView text) {
    QByteArray bytes;
    frxAppendAnsi(bytes, text);
    return bytes;
}

// Written through a pointer into room made at once: an export converts every
// character of every cell, and appending them one by one cost more than the
// conversion.
void frxAppendAnsi(QByteArray& bytes, QStringView text) {
    const qsizetype start = bytes.size();
    bytes.resize(start + text.size());
    char* out = bytes.data() + start;
    const TCodePage& page = ansi();
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A character outside the basic plane is one unknown character, not two.
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            *out++ = '?';
            ++i;
            continue;
        }
        *out++ = page.byteOf(text[i].unicode());
    }
    bytes.truncate(out - bytes.constData());
}

void frxAnsiToOem(char* first, char* last) {
    const TCodePage& from = ansi();
    const TCodePage& to = oem();
    for (char* byte = first; byte != last; ++byte)
        *byte = to.byteOf(from.charOf(*byte));
}
