#pragma once

#include <QDate>
#include <QHash>
#include <QTime>
#include <vector>

class TfrxRunContext;
class TfrxReportPage;
class TfrxBand;
class TfrxMasterData;
class TfrxCustomMemoView;
class TfrxPageFooter;

// Carries out one run of a report: walks the dataset record by record, sizes every
// band before placing it, starts new pages above the page footer and hands every
// output band to the prepared pages.
class TfrxEngine {
public:
    explicit TfrxEngine(TfrxRunContext& context) : FContext(context) {}

    bool Run();
    void ShowBand(TfrxBand* band);
    void NewPage();
    void EndPage();
    double FreeSpace() const;
    double FooterHeight() const;

    double CurX = 0;
    double CurY = 0;
    double PageWidth = 0;
    double PageHeight = 0;
    int CurLine = 0;
    int CurLineThrough = 0;
    QDate StartDate;
    QTime StartTime;
    int TotalPages = 0;
    bool FinalPass = true;
    bool Running = false;

private:
    struct THeaderItem {
        TfrxBand* FBand = nullptr;
    };
    struct TLineCounters {
        int FLineN = 0;
        int FLineThrough = 0;
    };
    bool prepareBandTree(TfrxReportPage& page);
    void runPages();
    void ShowPage(TfrxReportPage& page);
    void InitPage();
    void AddPage();
    void ShowBandTree();
    void runDataBand(TfrxMasterData& band);
    void DoShow(TfrxBand& band);
    void Stretch(TfrxBand& band);
    void UnStretch(TfrxBand& band);
    void processMessages();

    TfrxRunContext& FContext;
    TfrxReportPage* FPage = nullptr;
    TfrxPageFooter* FPageFooter = nullptr;
    std::vector<TfrxMasterData*> FSubBands;
    std::vector<THeaderItem> FHeaderList;
    QHash<const TfrxBand*, TLineCounters> FCounters;
    bool FIsFirstPage = false;
    bool FIsLastPage = false;
    bool FCallFromAddPage = false;
    double FPrevFooterHeight = 0;
};
