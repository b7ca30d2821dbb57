#pragma once

#include <QString>

enum class TfrxPrintMode { pmDefault, pmSplit, pmJoin, pmScale };
enum class TfrxPrintPages { ppAll, ppOdd, ppEven };
// In the order of the print dialog's choices: the driver's default, long edge,
// short edge, one-sided.
enum class TfrxDuplexMode { dmNone, dmVertical, dmHorizontal, dmSimplex };

// How the next print goes. A print may change them through its dialog; they are
// put back afterwards, so each print starts from the report's own settings.
struct TfrxPrintOptions {
    int Copies = 1;
    bool Collate = true;
    QString PageNumbers; // "1,3,5-12"; empty: all pages
    QString Printer = QStringLiteral("Default");
    TfrxPrintMode PrintMode = TfrxPrintMode::pmDefault;
    int PrintOnSheet = 0; // paper number of the sheet for the modes that rearrange pages
    TfrxPrintPages PrintPages = TfrxPrintPages::ppAll;
    bool Reverse = false;
    bool ShowDialog = true;
    int SplicingLine = 3;
    TfrxDuplexMode Duplex = TfrxDuplexMode::dmNone;
    QString PrnOutFileName;
    int PagesOnSheet = 0; // pages joined on one sheet; 0 lets the page sizes decide

    // One "PrintOptions.<Name>" setting of a template, by its short name; false
    // when there is no such option.
    bool takeSetting(const QString& name, const QString& value);
};
