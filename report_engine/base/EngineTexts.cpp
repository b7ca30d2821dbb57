#include "report_engine/base/EngineTexts.h"

#include <cstring>
#include <iterator>

namespace {
struct TText {
    const char* Name;
    const char* Text;
};

const TText Texts[] = {
    {"clZRPfiles", "Prepared Report"},
    {"clSaving", "Saving file..."},
    {"clLoading", "Loading file..."},
    {"clCancel", "Cancel"},
    {"clFindText", "Find Text"},
    {"clTextToFind", "Text to find:"},
    {"clSearchOptions", "Search options"},
    {"clCaseSensitive", "Case sensitive"},
    {"clFromBeginning", "Search from beginning"},
    {"clOk", "OK"},
    {"clStrNotFound", "Text not found"},
    {"clNoPrinters", "No printers installed on your system"},
    {"clProgress", "Progress"},
    {"clPageOf", "Exporting page %d"},
    {"clPrinting", "Printing page %d"},
    {"clInvalidPrinter", "Printer selected is not valid"},
    {"clNoSplit", "Splitting big pages is not supported. Choose another print mode."},
};
} // namespace

QString frxGet(const char* name) {
    for (const TText& text : Texts)
        if (std::strcmp(text.Name, name) == 0)
            return QString::fromLatin1(text.Text);
    return QString::fromLatin1(name);
}
