#pragma once

#include "report_engine/model/Component.h"

class TfrxDataSet;
class TfrxBand;

// The fixed numbering of band classes, used to order and classify bands.
enum TfrxBandNumber {
    bnReportTitle = 0,
    bnReportSummary = 1,
    bnPageHeader = 2,
    bnPageFooter = 3,
    bnHeader = 4,
    bnFooter = 5,
    bnMasterData = 6,
    bnGroupFooter = 13
};

class TfrxReportComponent : public TfrxComponent {};

class TfrxBand : public TfrxReportComponent {
public:
    virtual int BandNumber() const = 0;
    void writeProperties(TfrxPropertyList& list) const override;
    bool readProperty(const QString& name, const QString& value) override;

    // Save and restore the geometry a run changes while the band is output.
    void BeforePrint();
    void AfterPrint();

    bool Stretched = false;
    bool StartNewPage = false;
    bool AllowSplit = false;
    bool PrintChildIfInvisible = false;
    QString FillType = QStringLiteral("ftBrush");

private:
    double FSavedLeft = 0;
    double FSavedTop = 0;
    double FSavedHeight = 0;
};

class TfrxReportTitle : public TfrxBand {
public:
    QString ClassName() const override { return QStringLiteral("TfrxReportTitle"); }
    std::unique_ptr<TfrxComponent> cloneAlone() const override {
        return std::make_unique<TfrxReportTitle>(*this);
    }
    int BandNumber() const override { return bnReportTitle; }
};

class TfrxPageHeader : public TfrxBand {
public:
    QString ClassName() const override { return QStringLiteral("TfrxPageHeader"); }
    std::unique_ptr<TfrxComponent> cloneAlone() const override {
        return std::make_unique<TfrxPageHeader>(*this);
    }
    int BandNumber() const override { return bnPageHeader; }
    void writeProperties(TfrxPropertyList& list) const override;
    bool readProperty(const QString& name, const QString& value) override;

    bool PrintOnFirstPage = true;
};

class TfrxPageFooter : public TfrxBand {
public:
    QString ClassName() const override { return QStringLiteral("TfrxPageFooter"); }
    std::unique_ptr<TfrxComponent> cloneAlone() const override {
        return std::make_unique<TfrxPageFooter>(*this);
    }
    int BandNumber() const override { return bnPageFooter; }
    void writeProperties(TfrxPropertyList& list) const override;
    bool readProperty(const QString& name, const QString& value) override;

    bool PrintOnFirstPage = true;
    bool PrintOnLastPage = true;
};

class TfrxHeader : public TfrxBand {
public:
    QString ClassName() const override { return QStringLiteral("TfrxHeader"); }
    std::unique_ptr<TfrxComponent> cloneAlone() const override { return std::make_unique<TfrxHeader>(*this); }
    int BandNumber() const override { return bnHeader; }
    void writeProperties(TfrxPropertyList& list) const override;
    bool readProperty(const QString& name, const QString& value) override;

    bool ReprintOnNewPage = false;
};

class TfrxFooter : public TfrxBand {
public:
    QString ClassName() const override { return QStringLiteral("TfrxFooter"); }
    std::unique_ptr<TfrxComponent> cloneAlone() const override { return std::make_unique<TfrxFooter>(*this); }
    int BandNumber() const override { return bnFooter; }
};

// A band output once per record of its dataset.
class TfrxMasterData : public TfrxBand {
public:
    QString ClassName() const override { return QStringLiteral("TfrxMasterData"); }
    std::unique_ptr<TfrxComponent> cloneAlone() const override {
        return std::make_unique<TfrxMasterData>(*this);
    }
    int BandNumber() const override { return bnMasterData; }
    void writeProperties(TfrxPropertyList& list) const override;
    bool readProperty(const QString& name, const QString& value) override;

    QString DataSetName;
    TfrxDataSet* DataSet = nullptr;
    int RowCount = 0;
    QString Filter;
    bool FooterAfterEach = false;
    bool KeepHeader = false;
    bool KeepFooter = false;
    bool KeepTogether = false;
    bool PrintIfDetailEmpty = false;
    // Connected while the band tree is built.
    TfrxBand* Header = nullptr;
    TfrxBand* Footer = nullptr;
};
