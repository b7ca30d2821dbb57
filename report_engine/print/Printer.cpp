#include "report_engine/print/Printer.h"

#include "report_engine/base/ReportError.h"

#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <cmath>
#include <cups/cups.h>

namespace {
int wholeMm(double points) {
    return static_cast<int>(std::lround(points * 25.4 / 72.0));
}

int paperNumber(const QPageSize& size, int index) {
    const int number = size.windowsId();
    // Sizes without a number of their own take one from the range of printer papers.
    return number > 0 && number < 256 ? number : 256 + index;
}

TfrxDuplexMode duplexMode(QPrinter::DuplexMode mode) {
    switch (mode) {
    case QPrinter::DuplexLongSide:
        return TfrxDuplexMode::dmVertical;
    case QPrinter::DuplexShortSide:
        return TfrxDuplexMode::dmHorizontal;
    case QPrinter::DuplexNone:
        return TfrxDuplexMode::dmSimplex;
    default:
        return TfrxDuplexMode::dmNone;
    }
}

const char* sidesOption(TfrxDuplexMode duplex) {
    switch (duplex) {
    case TfrxDuplexMode::dmVertical:
        return "two-sided-long-edge";
    case TfrxDuplexMode::dmHorizontal:
        return "two-sided-short-edge";
    case TfrxDuplexMode::dmSimplex:
        return "one-sided";
    default:
        return nullptr;
    }
}

// The print system's own record of a printer, freed on leaving the scope.
struct TCupsDest {
    explicit TCupsDest(const QString& name)
        : FDest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.toUtf8().constData(), nullptr)) {}
    ~TCupsDest() {
        if (FDest)
            cupsFreeDests(1, FDest);
    }
    TCupsDest(const TCupsDest&) = delete;
    TCupsDest& operator=(const TCupsDest&) = delete;
    cups_dest_t* FDest;
};
} // namespace

TfrxPrinter::TfrxPrinter(const QString& name, const QString& port) : TfrxCustomPrinter(name, port) {}

TfrxPrinter::~TfrxPrinter() {
    if (Printing)
        Abort();
}

void TfrxPrinter::Init() {
    if (Initialized)
        return;
    const QPrinterInfo info = QPrinterInfo::printerInfo(Name());
    if (info.isNull())
        return;
    const QList<QPageSize> sizes = info.supportedPageSizes();
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        const QSizeF mm = sizes[i].size(QPageSize::Millimeter);
        Papers.append({paperNumber(sizes[i], static_cast<int>(i)), sizes[i].name(), mm.width(), mm.height()});
    }
    const QPageSize defaultSize = info.defaultPageSize();
    const qsizetype defaultIndex = sizes.indexOf(defaultSize);
    if (defaultIndex >= 0)
        DefPaper = Papers[defaultIndex].Number;
    else if (!Papers.isEmpty())
        DefPaper = Papers.first().Number;
    DefDuplex = duplexMode(info.defaultDuplexMode());
    CanDuplex = info.supportedDuplexModes().contains(QPrinter::DuplexLongSide);
    readCapabilities();
    readGeometry(QPageLayout(defaultSize, QPageLayout::Portrait, QMarginsF()));
    Initialized = DPI.x() > 0 && DPI.y() > 0;
}

void TfrxPrinter::readGeometry(const QPageLayout& layout) {
    QPrinter device(QPrinterInfo::printerInfo(Name()), QPrinter::HighResolution);
    device.setPageOrientation(layout.orientation());
    device.setPageSize(layout.pageSize());
    const QPageLayout read = device.pageLayout();
    const QSizeF paper = read.fullRectPoints().size();
    const QMarginsF edges = read.minimumMargins();
    PaperWidth = wholeMm(paper.width());
    PaperHeight = wholeMm(paper.height());
    LeftMargin = wholeMm(edges.left());
    TopMargin = wholeMm(edges.top());
    RightMargin = wholeMm(edges.right());
    BottomMargin = wholeMm(edges.bottom());
}

// The resolution the printer prints at by default, and the paper sources it
// names (the printer's own choice always first).
void TfrxPrinter::readCapabilities() {
    Bins = {{frxAutoBin, QStringLiteral("Automatically select")}};
    TCupsDest dest(Name());
    if (!dest.FDest)
        return;
    cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest.FDest);
    if (!info)
        return;
    if (ipp_attribute_t* resolution =
            cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest.FDest, info, "printer-resolution")) {
        int y = 0;
        ipp_res_t units = IPP_RES_PER_INCH;
        const int x = ippGetResolution(resolution, 0, &y, &units);
        DPI = units == IPP_RES_PER_INCH ? QPoint(x, y) : QPoint(qRound(x * 2.54), qRound(y * 2.54));
    }
    if (ipp_attribute_t* sources = cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest.FDest, info, "media-source"))
        for (int i = 0; i < ippGetCount(sources); ++i) {
            const QString source = QString::fromUtf8(ippGetString(sources, i, nullptr));
            if (source != QLatin1String("auto"))
                Bins.append({256 + i, source});
        }
    cupsFreeDestInfo(info);
}

QPageLayout TfrxPrinter::pageLayout(int paperSize, double paperWidth, double paperHeight,
                                    TfrxOrientation orientation) const {
    const bool landscape = orientation == TfrxOrientation::poLandscape;
    const int index = PaperIndex(paperSize);
    // A paper the printer lacks is asked for by its size, given upright.
    const QSizeF upright = index >= 0  ? QSizeF(Papers[index].Width, Papers[index].Height)
                           : landscape ? QSizeF(paperHeight, paperWidth)
                                       : QSizeF(paperWidth, paperHeight);
    return QPageLayout(QPageSize(upright, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(),
                       QPageLayout::Millimeter);
}

void TfrxPrinter::SetPrintParams(int paperSize, double paperWidth, double paperHeight,
                                 TfrxOrientation orientation, int copies, TfrxDuplexMode duplex, int bin) {
    FLayout = pageLayout(paperSize, paperWidth, paperHeight, orientation);
    readGeometry(FLayout);
    FLayout.setMinimumMargins(QMarginsF());
    FLayout.setMargins(QMarginsF(LeftMargin, TopMargin, RightMargin, BottomMargin));
    // One job has one set of these: the first pages decide them.
    if (FPagesInDoc == 0) {
        FMedia = FLayout.pageSize().key();
        FCopies = copies;
        FDuplex = duplex;
        FBin = bin;
    }
}

void TfrxPrinter::BeginDoc() {
    if (FileName.isEmpty()) {
        QTemporaryFile file(QDir::temp().filePath(QStringLiteral("zelvora-print-XXXXXX.pdf")));
        file.setAutoRemove(false);
        if (!file.open())
            throw EfrxError(QStringLiteral("Cannot create a print file: %1").arg(file.errorString()));
        FDocumentFile = file.fileName();
    } else
        FDocumentFile = FileName;
    FDocument = std::make_unique<QPrinter>(QPrinter::HighResolution);
    FDocument->setOutputFormat(QPrinter::PdfFormat);
    FDocument->setOutputFileName(FDocumentFile);
    FDocument->setResolution(DPI.x());
    FDocument->setDocName(Title);
    FDocument->setCreator(QStringLiteral("Zelvora"));
    FDocument->setFullPage(false);
    FDocument->setPageLayout(FLayout);
    if (!FCanvas.begin(FDocument.get())) {
        QFile::remove(FDocumentFile);
        throw EfrxError(QStringLiteral("Cannot write %1").arg(FDocumentFile));
    }
    FPagesInDoc = 0;
    Printing = true;
}

void TfrxPrinter::BeginPage() {
    if (FPagesInDoc > 0) {
        FDocument->setPageLayout(FLayout);
        FDocument->newPage();
    }
    ++FPagesInDoc;
}

void TfrxPrinter::closeDocument() {
    FCanvas.end();
    FDocument.reset();
    FPagesInDoc = 0;
    Printing = false;
}

void TfrxPrinter::EndDoc() {
    closeDocument();
    if (FileName.isEmpty()) {
        const QString documentFile = FDocumentFile;
        submit(documentFile);
        QFile::remove(documentFile);
    }
}

void TfrxPrinter::Abort() {
    closeDocument();
    QFile::remove(FDocumentFile);
}

void TfrxPrinter::submit(const QString& documentFile) {
    cups_option_t* options = nullptr;
    int count = 0;
    const QByteArray copies = QByteArray::number(FCopies);
    count = cupsAddOption("copies", copies.constData(), count, &options);
    if (FCopies > 1)
        count = cupsAddOption("collate", "false", count, &options);
    if (const char* sides = sidesOption(FDuplex))
        count = cupsAddOption("sides", sides, count, &options);
    for (const TfrxBin& bin : Bins)
        if (bin.Number == FBin && FBin != frxAutoBin)
            count = cupsAddOption("media-source", bin.Name.toUtf8().constData(), count, &options);
    if (!FMedia.isEmpty())
        count = cupsAddOption("media", FMedia.toUtf8().constData(), count, &options);
    FJobId = cupsPrintFile2(CUPS_HTTP_DEFAULT, Name().toUtf8().constData(),
                            QFile::encodeName(documentFile).constData(), Title.toUtf8().constData(), count,
                            options);
    cupsFreeOptions(count, options);
    if (FJobId == 0)
        throw EfrxError(QStringLiteral("The job was not accepted by %1: %2")
                            .arg(Name(), QString::fromUtf8(cupsLastErrorString())));
}
