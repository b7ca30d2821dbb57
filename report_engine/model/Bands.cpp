#include "report_engine/model/Bands.h"

void TfrxBand::BeforePrint() {
    FSavedLeft = Left;
    FSavedTop = Top;
    FSavedHeight = Height;
}

void TfrxBand::AfterPrint() {
    Left = FSavedLeft;
    Top = FSavedTop;
    Height = FSavedHeight;
}

void TfrxBand::writeProperties(TfrxPropertyList& list) const {
    TfrxComponent::writeProperties(list);
    list.append({QStringLiteral("Stretched"), frxProp::fromBool(Stretched)});
    list.append({QStringLiteral("StartNewPage"), frxProp::fromBool(StartNewPage)});
    list.append({QStringLiteral("AllowSplit"), frxProp::fromBool(AllowSplit)});
    list.append({QStringLiteral("PrintChildIfInvisible"), frxProp::fromBool(PrintChildIfInvisible)});
    list.append({QStringLiteral("FillType"), FillType});
}

bool TfrxBand::readProperty(const QString& name, const QString& value) {
    if (name == QLatin1String("Stretched"))
        Stretched = frxProp::toBool(value);
    else if (name == QLatin1String("StartNewPage"))
        StartNewPage = frxProp::toBool(value);
    else if (name == QLatin1String("AllowSplit"))
        AllowSplit = frxProp::toBool(value);
    else if (name == QLatin1String("PrintChildIfInvisible"))
        PrintChildIfInvisible = frxProp::toBool(value);
    else if (name == QLatin1String("FillType"))
        FillType = value;
    else
        return TfrxComponent::readProperty(name, value);
    return true;
}

void TfrxPageHeader::writeProperties(TfrxPropertyList& list) const {
    TfrxBand::writeProperties(list);
    list.append({QStringLiteral("PrintOnFirstPage"), frxProp::fromBool(PrintOnFirstPage)});
}

bool TfrxPageHeader::readProperty(const QString& name, const QString& value) {
    if (name != QLatin1String("PrintOnFirstPage"))
        return TfrxBand::readProperty(name, value);
    PrintOnFirstPage = frxProp::toBool(value);
    return true;
}

void TfrxPageFooter::writeProperties(TfrxPropertyList& list) const {
    TfrxBand::writeProperties(list);
    list.append({QStringLiteral("PrintOnFirstPage"), frxProp::fromBool(PrintOnFirstPage)});
    list.append({QStringLiteral("PrintOnLastPage"), frxProp::fromBool(PrintOnLastPage)});
}

bool TfrxPageFooter::readProperty(const QString& name, const QString& value) {
    if (name == QLatin1String("PrintOnFirstPage"))
        PrintOnFirstPage = frxProp::toBool(value);
    else if (name == QLatin1String("PrintOnLastPage"))
        PrintOnLastPage = frxProp::toBool(value);
    else
        return TfrxBand::readProperty(name, value);
    return true;
}

void TfrxHeader::writeProperties(TfrxPropertyList& list) const {
    TfrxBand::writeProperties(list);
    list.append({QStringLiteral("ReprintOnNewPage"), frxProp::fromBool(ReprintOnNewPage)});
}

bool TfrxHeader::readProperty(const QString& name, const QString& value) {
    if (name != QLatin1String("ReprintOnNewPage"))
        return TfrxBand::readProperty(name, value);
    ReprintOnNewPage = frxProp::toBool(value);
    return true;
}

void TfrxMasterData::writeProperties(TfrxPropertyList& list) const {
    TfrxBand::writeProperties(list);
    list.append({QStringLiteral("DataSetName"), DataSetName});
    list.append({QStringLiteral("RowCount"), QString::number(RowCount)});
    list.append({QStringLiteral("Filter"), Filter});
    list.append({QStringLiteral("FooterAfterEach"), frxProp::fromBool(FooterAfterEach)});
    list.append({QStringLiteral("KeepHeader"), frxProp::fromBool(KeepHeader)});
    list.append({QStringLiteral("KeepFooter"), frxProp::fromBool(KeepFooter)});
    list.append({QStringLiteral("KeepTogether"), frxProp::fromBool(KeepTogether)});
    list.append({QStringLiteral("PrintIfDetailEmpty"), frxProp::fromBool(PrintIfDetailEmpty)});
}

bool TfrxMasterData::readProperty(const QString& name, const QString& value) {
    if (name == QLatin1String("DataSetName") || name == QLatin1String("DataSet"))
        DataSetName = value;
    else if (name == QLatin1String("RowCount"))
        RowCount = frxProp::toInt(value);
    else if (name == QLatin1String("Filter"))
        Filter = value;
    else if (name == QLatin1String("FooterAfterEach"))
        FooterAfterEach = frxProp::toBool(value);
    else if (name == QLatin1String("KeepHeader"))
        KeepHeader = frxProp::toBool(value);
    else if (name == QLatin1String("KeepFooter"))
        KeepFooter = frxProp::toBool(value);
    else if (name == QLatin1String("KeepTogether"))
        KeepTogether = frxProp::toBool(value);
    else if (name == QLatin1String("PrintIfDetailEmpty"))
        PrintIfDetailEmpty = frxProp::toBool(value);
    else
        return TfrxBand::readProperty(name, value);
    return true;
}
