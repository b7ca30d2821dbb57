#include "report_engine/model/Page.h"

#include "report_engine/base/ReportError.h"
#include "report_engine/base/ReportUnits.h"
#include "report_engine/model/Bands.h"

#include <utility>

namespace {
// The only paper the program's reports use; other numbers keep the given size.
bool lookupPaper(int size, double& width, double& height) {
    if (size != 9)
        return false;
    width = 210;
    height = 297;
    return true;
}
} // namespace

TfrxReportPage::TfrxReportPage() {
    updateSize();
}

void TfrxReportPage::updateSize() {
    Width = frxRound(FPaperWidth * fr01cm);
    Height = frxRound(FPaperHeight * fr01cm);
}

void TfrxReportPage::SetPaperSize(int size) {
    FPaperSize = size;
    double width = 0;
    double height = 0;
    if (size < 256 && lookupPaper(size, width, height)) {
        if (FOrientation == TfrxOrientation::poLandscape)
            std::swap(width, height);
        FPaperWidth = width;
        FPaperHeight = height;
    }
    updateSize();
}

void TfrxReportPage::SetPaperWidth(double mm) {
    FPaperWidth = mm;
    updateSize();
}

void TfrxReportPage::SetPaperHeight(double mm) {
    FPaperHeight = mm;
    updateSize();
}

void TfrxReportPage::SetOrientation(TfrxOrientation orientation) {
    if (orientation == FOrientation)
        return;
    FOrientation = orientation;
    std::swap(FPaperWidth, FPaperHeight);
    // The margins turn with the paper.
    const double left = LeftMargin, right = RightMargin, top = TopMargin, bottom = BottomMargin;
    if (orientation == TfrxOrientation::poLandscape) {
        LeftMargin = top;
        RightMargin = bottom;
        TopMargin = right;
        BottomMargin = left;
    } else {
        TopMargin = left;
        BottomMargin = right;
        RightMargin = top;
        LeftMargin = bottom;
    }
    updateSize();
}

double TfrxReportPage::PrintableWidth() const {
    return (FPaperWidth - LeftMargin - RightMargin) * fr01cm;
}

double TfrxReportPage::PrintableHeight() const {
    return (FPaperHeight - TopMargin - BottomMargin) * fr01cm;
}

TfrxBand* TfrxReportPage::FindBand(int bandNumber) const {
    for (const auto& child : Objects())
        if (auto* band = dynamic_cast<TfrxBand*>(child.get()); band && band->BandNumber() == bandNumber)
            return band;
    return nullptr;
}

void TfrxReportPage::writeProperties(TfrxPropertyList& list) const {
    TfrxComponent::writeProperties(list);
    list.append({QStringLiteral("PaperSize"), QString::number(FPaperSize)});
    list.append({QStringLiteral("Orientation"), FOrientation == TfrxOrientation::poLandscape
                                                    ? QStringLiteral("poLandscape")
                                                    : QStringLiteral("poPortrait")});
    list.append({QStringLiteral("PaperWidth"), frxProp::fromFloat(FPaperWidth)});
    list.append({QStringLiteral("PaperHeight"), frxProp::fromFloat(FPaperHeight)});
    list.append({QStringLiteral("LeftMargin"), frxProp::fromFloat(LeftMargin)});
    list.append({QStringLiteral("RightMargin"), frxProp::fromFloat(RightMargin)});
    list.append({QStringLiteral("TopMargin"), frxProp::fromFloat(TopMargin)});
    list.append({QStringLiteral("BottomMargin"), frxProp::fromFloat(BottomMargin)});
    list.append({QStringLiteral("TitleBeforeHeader"), frxProp::fromBool(TitleBeforeHeader)});
    list.append({QStringLiteral("PrintIfEmpty"), frxProp::fromBool(PrintIfEmpty)});
    list.append({QStringLiteral("PageCount"), QString::number(PageCount)});
    list.append({QStringLiteral("DataSetName"), DataSetName});
    list.append({QStringLiteral("VGuides"), VGuides});
    list.append({QStringLiteral("HGuides"), HGuides});
}

bool TfrxReportPage::readProperty(const QString& name, const QString& value) {
    if (name == QLatin1String("PaperSize"))
        SetPaperSize(frxProp::toInt(value));
    else if (name == QLatin1String("Orientation")) {
        if (value != QLatin1String("poLandscape") && value != QLatin1String("poPortrait"))
            throw EfrxError(QStringLiteral("Unknown orientation \"%1\"").arg(value));
        SetOrientation(value == QLatin1String("poLandscape") ? TfrxOrientation::poLandscape
                                                             : TfrxOrientation::poPortrait);
    } else if (name == QLatin1String("PaperWidth"))
        SetPaperWidth(frxProp::toFloat(value));
    else if (name == QLatin1String("PaperHeight"))
        SetPaperHeight(frxProp::toFloat(value));
    else if (name == QLatin1String("LeftMargin"))
        LeftMargin = frxProp::toFloat(value);
    else if (name == QLatin1String("RightMargin"))
        RightMargin = frxProp::toFloat(value);
    else if (name == QLatin1String("TopMargin"))
        TopMargin = frxProp::toFloat(value);
    else if (name == QLatin1String("BottomMargin"))
        BottomMargin = frxProp::toFloat(value);
    else if (name == QLatin1String("TitleBeforeHeader"))
        TitleBeforeHeader = frxProp::toBool(value);
    else if (name == QLatin1String("PrintIfEmpty"))
        PrintIfEmpty = frxProp::toBool(value);
    else if (name == QLatin1String("PageCount"))
        PageCount = frxProp::toInt(value);
    else if (name == QLatin1String("DataSetName"))
        DataSetName = value;
    else if (name == QLatin1String("VGuides"))
        VGuides = value;
    else if (name == QLatin1String("HGuides"))
        HGuides = value;
    else
        return TfrxComponent::readProperty(name, value);
    return true;
}
