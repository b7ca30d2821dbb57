#pragma once

#include "report_engine/print/CustomPrinter.h"

#include <QPageLayout>
#include <QPainter>
#include <memory>

class QPrinter;

// A printer of the print system. A job is drawn into a PDF document at the
// printer's resolution and paper, then handed to the print system as one job
// (or written to FileName instead); a job dropped half-way never reaches it.
class TfrxPrinter : public TfrxCustomPrinter {
public:
    TfrxPrinter(const QString& name, const QString& port);
    ~TfrxPrinter() override;

    void Init() override;
    void SetPrintParams(int paperSize, double paperWidth, double paperHeight, TfrxOrientation orientation,
                        int copies, TfrxDuplexMode duplex, int bin) override;
    void BeginDoc() override;
    void BeginPage() override;
    void EndPage() override {}
    void EndDoc() override;
    void Abort() override;
    QPainter* Canvas() override { return &FCanvas; }

    // The number the print system gave the last job handed to it; 0 before any.
    int JobId() const { return FJobId; }

private:
    // Reads the paper's size and the unprintable edges for that paper, as the
    // printer reports them.
    void readGeometry(const QPageLayout& layout);
    QPageLayout pageLayout(int paperSize, double paperWidth, double paperHeight,
                           TfrxOrientation orientation) const;
    void readCapabilities();
    void submit(const QString& documentFile);
    void closeDocument();

    std::unique_ptr<QPrinter> FDocument;
    QPainter FCanvas;
    QString FDocumentFile;
    QPageLayout FLayout;
    QString FMedia;
    int FCopies = 1;
    TfrxDuplexMode FDuplex = TfrxDuplexMode::dmNone;
    int FBin = frxAutoBin;
    int FPagesInDoc = 0;
    int FJobId = 0;
};
