#pragma once

#include "report_engine/model/Page.h"
#include "report_engine/model/PrintOptions.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

class QPainter;

// A paper a printer takes: its number (9 is A4; 256 and above are sizes of the
// printer's own) and its size in millimetres.
struct TfrxPaper {
    int Number = 0;
    QString Name;
    double Width = 0;
    double Height = 0;
};

// A paper source of a printer; bin 7 is whichever the printer chooses.
struct TfrxBin {
    int Number = 0;
    QString Name;
};

constexpr int frxAutoBin = 7;

// A printer as the engine prints on it: what it can do, read once when it is
// first selected, and the operations of one job.
class TfrxCustomPrinter {
public:
    TfrxCustomPrinter(const QString& name, const QString& port) : FName(name), FPort(port) {}
    virtual ~TfrxCustomPrinter() = default;

    // Reads the resolution, the paper and its unprintable edges, the papers and bins
    // and the defaults; once. Initialized stays false when the printer cannot tell.
    virtual void Init() = 0;
    // Prepares the device for the pages that follow: paper (number and size in mm),
    // orientation, copies the device makes of each page, duplex and bin.
    virtual void SetPrintParams(int paperSize, double paperWidth, double paperHeight,
                                TfrxOrientation orientation, int copies, TfrxDuplexMode duplex, int bin) = 0;
    virtual void BeginDoc() = 0;
    virtual void BeginPage() = 0;
    virtual void EndPage() = 0;
    // Ends the job and hands it to the printer (or writes FileName). Failing to
    // hand it over raises an error.
    virtual void EndDoc() = 0;
    // Drops the job: nothing reaches the printer.
    virtual void Abort() = 0;
    // Where pages are drawn while a job is open: device pixels at DPI, the origin
    // at the corner of the printable area.
    virtual QPainter* Canvas() = 0;

    int PaperIndex(int paper) const;
    int PaperNameToNumber(const QString& name) const;
    QStringList paperNames() const;

    const QString& Name() const { return FName; }
    const QString& Port() const { return FPort; }
    QPoint DPI;
    int PaperWidth = 0; // the default paper and the unprintable edges, whole mm
    int PaperHeight = 0;
    int LeftMargin = 0;
    int TopMargin = 0;
    int RightMargin = 0;
    int BottomMargin = 0;
    QList<TfrxPaper> Papers;
    QList<TfrxBin> Bins;
    int DefPaper = 0;
    int DefBin = frxAutoBin;
    TfrxDuplexMode DefDuplex = TfrxDuplexMode::dmNone;
    TfrxOrientation DefOrientation = TfrxOrientation::poPortrait;
    bool CanDuplex = false;
    QString Title;    // of the next job
    QString FileName; // the next job goes to this file instead of the printer
    bool Initialized = false;
    bool Printing = false;

private:
    QString FName;
    QString FPort;
};
