#pragma once

#include "report_engine/print/Printers.h"

#include <QPainter>
#include <QPicture>
#include <QStringList>
#include <memory>
#include <vector>

// A printer that keeps a log of what a print asked of it and draws into a picture.
class TRecordingPrinter : public TfrxCustomPrinter {
public:
    explicit TRecordingPrinter(const QString& name, bool valid = true) : TfrxCustomPrinter(name, "rec:/") {
        FValid = valid;
    }
    void Init() override {
        if (!FValid)
            return;
        DPI = QPoint(600, 600);
        Papers = {{9, "A4", 210, 297}, {11, "A5", 148, 210}};
        DefPaper = 9;
        PaperWidth = 210;
        PaperHeight = 297;
        Initialized = true;
    }
    void SetPrintParams(int paper, double width, double height, TfrxOrientation orientation, int copies,
                        TfrxDuplexMode duplex, int bin) override {
        FLog << QStringLiteral("params %1 %2x%3 %4 copies=%5 duplex=%6 bin=%7")
                    .arg(paper)
                    .arg(width)
                    .arg(height)
                    .arg(orientation == TfrxOrientation::poLandscape ? "landscape" : "portrait")
                    .arg(copies)
                    .arg(static_cast<int>(duplex))
                    .arg(bin);
    }
    void BeginDoc() override {
        FLog << QStringLiteral("begin \"%1\" %2").arg(Title, FileName);
        FCanvas.begin(&FPicture);
        Printing = true;
    }
    void BeginPage() override { FLog << "page"; }
    void EndPage() override {}
    void EndDoc() override {
        FCanvas.end();
        Printing = false;
        FLog << "end";
    }
    void Abort() override {
        FCanvas.end();
        Printing = false;
        FLog << "abort";
    }
    QPainter* Canvas() override { return &FCanvas; }

    QStringList FLog;
    QPicture FPicture;
    QPainter FCanvas;
    bool FValid = true;
};

// The process's printers replaced by recording ones, the first the default.
inline std::vector<TRecordingPrinter*> installRecordingPrinters(const QStringList& names) {
    std::vector<std::unique_ptr<TfrxCustomPrinter>> printers;
    std::vector<TRecordingPrinter*> recording;
    for (const QString& name : names) {
        auto printer = std::make_unique<TRecordingPrinter>(name);
        recording.push_back(printer.get());
        printers.push_back(std::move(printer));
    }
    frxInstallPrinters(TfrxPrinters(std::move(printers), 0));
    return recording;
}
