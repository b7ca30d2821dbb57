#pragma once

#include "report_engine/model/Bands.h"

class TfrxDataSet;

enum TfrxFrameType { ftLeft = 1, ftRight = 2, ftTop = 4, ftBottom = 8 };

struct TfrxFrame {
    int Typ = 0;
    double Width = 1;
    QRgb Color = 0xff000000;
    QString Style = QStringLiteral("fsSolid");
    bool DropShadow = false;
    double ShadowWidth = 4;
};

enum class TfrxStretchMode { smDontStretch, smActualHeight, smMaxHeight };

// An object on a band: its frame and the dataset field it may show.
class TfrxView : public TfrxReportComponent {
public:
    void writeProperties(TfrxPropertyList& list) const override;
    bool readProperty(const QString& name, const QString& value) override;

    TfrxFrame Frame;
    QString DataSetName;
    QString DataField;
    TfrxDataSet* DataSet = nullptr;
};

class TfrxStretcheable : public TfrxView {
public:
    virtual double CalcHeight() = 0;
    void writeProperties(TfrxPropertyList& list) const override;
    bool readProperty(const QString& name, const QString& value) override;

    TfrxStretchMode StretchMode = TfrxStretchMode::smDontStretch;
};
