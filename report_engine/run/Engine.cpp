#include "report_engine/run/Engine.h"

#include "report_engine/base/CustomPreview.h"
#include "report_engine/base/EngineUi.h"
#include "report_engine/base/ReportUnits.h"
#include "report_engine/model/MemoView.h"
#include "report_engine/model/Page.h"
#include "report_engine/prepared/PreviewPages.h"
#include "report_engine/run/BandSplit.h"
#include "report_engine/run/DataSet.h"
#include "report_engine/run/RunContext.h"
#include "report_engine/run/ShiftTree.h"

#include <QDateTime>
#include <QMap>

void TfrxEngine::processMessages() {
    if (!FContext.engineOptions().EnableThreadSafe && FContext.ui())
        FContext.ui()->processMessages();
}

bool TfrxEngine::Run() {
    FPrevFooterHeight = 0;
    FContext.PreviewPages().Initialize();
    const QDateTime now = QDateTime::currentDateTime();
    StartDate = now.date();
    StartTime = now.time();
    Running = true;
    struct TStop {
        TfrxEngine& FEngine;
        ~TStop() {
            for (const TfrxDataSetItem& item : FEngine.FContext.dataSets())
                if (item.DataSet)
                    item.DataSet->Finalize();
            FEngine.Running = false;
        }
    } stop{*this};
    FSubBands.clear();
    bool treeOk = true;
    for (const auto& page : FContext.Pages())
        if (auto* reportPage = dynamic_cast<TfrxReportPage*>(page.get()))
            treeOk = prepareBandTree(*reportPage) && treeOk;
    if (!treeOk)
        return false;
    for (const TfrxDataSetItem& item : FContext.dataSets())
        item.DataSet->Initialize();
    for (const auto& page : FContext.Pages())
        if (auto* reportPage = dynamic_cast<TfrxReportPage*>(page.get()))
            FContext.PreviewPages().AddSourcePage(*reportPage);
    FinalPass = !FContext.engineOptions().DoublePass;
    TotalPages = 0;
    FContext.PreviewPages().BeginPass();
    runPages();
    FContext.PreviewPages().Finish();
    return true;
}

bool TfrxEngine::prepareBandTree(TfrxReportPage& page) {
    // Bands are ordered by their design position; two at the same position keep the first.
    QMap<QString, TfrxBand*> sorted;
    for (const auto& child : page.Objects()) {
        auto* band = dynamic_cast<TfrxBand*>(child.get());
        if (band && band->BandNumber() >= bnHeader && band->BandNumber() <= bnGroupFooter) {
            const QString key = QString::asprintf("%9.2f", band->Top);
            if (!sorted.contains(key))
                sorted.insert(key, band);
        }
    }
    const QList<TfrxBand*> bands = sorted.values();
    QList<TfrxBand*> connected;
    bool ok = true;
    for (qsizetype i = 0; i < bands.size(); ++i) {
        auto* data = dynamic_cast<TfrxMasterData*>(bands[i]);
        if (!data)
            continue;
        data->Header = nullptr;
        data->Footer = nullptr;
        if (i > 0 && bands[i - 1]->BandNumber() == bnHeader)
            connected << (data->Header = bands[i - 1]);
        if (i + 1 < bands.size() && bands[i + 1]->BandNumber() == bnFooter)
            connected << (data->Footer = bands[i + 1]);
        if (data->DataSet && &page == FContext.reportPage()) {
            FSubBands.push_back(data);
            connected << data;
        }
    }
    for (TfrxBand* band : bands) {
        if (connected.contains(band))
            continue;
        const bool headerOrFooter = band->BandNumber() == bnHeader || band->BandNumber() == bnFooter;
        FContext.addError((headerOrFooter ? QStringLiteral("Unconnected header/footer ")
                                          : QStringLiteral("Incorrect band position: ")) +
                          band->Name);
        ok = false;
    }
    return ok;
}

void TfrxEngine::runPages() {
    for (const auto& page : FContext.Pages()) {
        auto* reportPage = dynamic_cast<TfrxReportPage*>(page.get());
        if (!reportPage || !reportPage->Visible)
            continue;
        for (int copy = 0; copy < reportPage->PageCount && !FContext.terminated(); ++copy)
            ShowPage(*reportPage);
        if (FContext.terminated())
            break;
    }
}

void TfrxEngine::ShowPage(TfrxReportPage& page) {
    FPage = &page;
    InitPage();
    ShowBandTree();
    FIsLastPage = true;
    EndPage();
    FIsLastPage = false;
}

void TfrxEngine::InitPage() {
    FHeaderList.clear();
    TfrxBand* title = FPage->FindBand(bnReportTitle);
    TfrxBand* pageHeader = FPage->FindBand(bnPageHeader);
    if (FPage->TitleBeforeHeader)
        FHeaderList = {{title}, {pageHeader}};
    else
        FHeaderList = {{pageHeader}, {title}};
    // The footer is looked up once per page: free space is asked for every row.
    FPageFooter = static_cast<TfrxPageFooter*>(FPage->FindBand(bnPageFooter));
    PageHeight = FPage->PrintableHeight();
    PageWidth = FPage->PrintableWidth();
    CurX = 0;
    CurY = 0;
    FIsFirstPage = true;
    FIsLastPage = false;
    AddPage();
    std::erase_if(FHeaderList, [title](const THeaderItem& item) { return item.FBand == title; });
}

void TfrxEngine::AddPage() {
    FPrevFooterHeight = 0;
    FContext.PreviewPages().AddPage(*FPage);
    if (FContext.ui())
        FContext.ui()->progress(FContext.PreviewPages().GetCount());
    if (FContext.preview())
        FContext.preview()->InternalOnProgress(FContext.PreviewPages().GetCount() - 1);
    processMessages();
    CurY = 0;
    for (THeaderItem& item : FHeaderList) {
        if (!item.FBand)
            continue;
        auto* pageHeader = dynamic_cast<TfrxPageHeader*>(item.FBand);
        if (pageHeader && FIsFirstPage && !pageHeader->PrintOnFirstPage)
            continue;
        const TLineCounters counters = FCounters.value(item.FBand);
        CurLine = counters.FLineN;
        CurLineThrough = counters.FLineThrough;
        FCallFromAddPage = true;
        ShowBand(item.FBand);
        FCallFromAddPage = false;
        // The report title is output once, on the first page.
        if (item.FBand->BandNumber() == bnReportTitle)
            item.FBand = nullptr;
    }
}

void TfrxEngine::ShowBandTree() {
    for (TfrxMasterData* band : FSubBands)
        if (band->DataSet)
            runDataBand(*band);
}

void TfrxEngine::runDataBand(TfrxMasterData& band) {
    processMessages();
    TfrxDataSet& dataSet = *band.DataSet;
    dataSet.First();
    TLineCounters& counters = FCounters[&band];
    counters = {1, 1};
    bool shown = false;
    while (!dataSet.Eof()) {
        const bool accepted = band.Filter.trimmed().isEmpty() || FContext.Calc(band.Filter).toBool();
        if (accepted) {
            if (!shown && band.Header) {
                if (auto* header = dynamic_cast<TfrxHeader*>(band.Header); header && header->ReprintOnNewPage)
                    FHeaderList.push_back({header});
                ShowBand(band.Header);
            }
            shown = true;
            CurLine = counters.FLineN;
            CurLineThrough = counters.FLineThrough;
            ShowBand(&band);
            ++counters.FLineN;
            ++counters.FLineThrough;
        }
        dataSet.Next();
        if ((band.RowCount != 0 && band.RowCount < counters.FLineN) || FContext.terminated())
            break;
        processMessages();
    }
    if (shown) {
        ShowBand(band.Footer);
        std::erase_if(FHeaderList, [&band](const THeaderItem& item) { return item.FBand == band.Header; });
    }
}

void TfrxEngine::ShowBand(TfrxBand* band) {
    if (band)
        DoShow(*band);
}

double TfrxEngine::FooterHeight() const {
    if (FPrevFooterHeight != 0)
        return FPrevFooterHeight;
    return FPageFooter ? FPageFooter->Height : 0;
}

double TfrxEngine::FreeSpace() const {
    return PageHeight - FooterHeight() - CurY;
}

void TfrxEngine::DoShow(TfrxBand& band) {
    Stretch(band);
    struct TRestore {
        TfrxEngine& FEngine;
        TfrxBand& FBand;
        ~TRestore() { FEngine.UnStretch(FBand); }
    } restore{*this, band};
    if (!band.Visible)
        return;
    // A band exactly as tall as the free space still fits.
    if (frxPosLess(FreeSpace(), band.Height)) {
        if (frxPosLess(PageHeight - FooterHeight(), band.Height)) {
            const auto* data = dynamic_cast<TfrxMasterData*>(&band);
            if (data && FCounters.value(data).FLineThrough > 1)
                NewPage();
            TfrxBandSplit(*this, FContext, band).Draw();
            return;
        }
        NewPage();
    }
    band.Left = CurX;
    band.Top = CurY;
    if (!FCallFromAddPage || !FContext.PreviewPages().BandExists(band))
        FContext.PreviewPages().AddObject(band);
    CurY += band.Height;
}

void TfrxEngine::Stretch(TfrxBand& band) {
    band.BeforePrint();
    for (const auto& child : band.Objects()) {
        auto* memo = child->asMemo();
        if (!memo)
            continue;
        memo->BeforePrint();
        if (band.Visible && memo->Visible)
            memo->GetData(FContext);
    }
    FContext.PreviewPages().prefetchTexts(band);
    std::vector<std::pair<TfrxComponent*, double>> grown;
    for (const auto& child : band.Objects()) {
        auto* memo = child->asMemo();
        if (!memo || !memo->Visible || memo->StretchMode == TfrxStretchMode::smDontStretch)
            continue;
        const double height = memo->CalcHeight();
        if (frxPosLess(memo->Height, height)) {
            grown.emplace_back(memo, height - memo->Height);
            memo->Height = height;
        }
    }
    if (!grown.empty())
        frxShiftObjects(band, grown);
    double bottom = 0;
    for (const auto& child : band.Objects())
        bottom = std::max(bottom, child->Top + child->Height);
    if (band.Stretched)
        band.Height = bottom;
    for (const auto& child : band.Objects()) {
        auto* memo = child->asMemo();
        if (memo && memo->StretchMode == TfrxStretchMode::smMaxHeight)
            memo->Height = bottom - memo->Top;
    }
}

void TfrxEngine::UnStretch(TfrxBand& band) {
    for (const auto& child : band.Objects())
        if (auto* memo = child->asMemo())
            memo->AfterPrint();
    band.AfterPrint();
}

void TfrxEngine::NewPage() {
    EndPage();
    AddPage();
}

void TfrxEngine::EndPage() {
    TfrxPageFooter* footer = FPageFooter;
    if (footer) {
        CurY = PageHeight - footer->Height;
        FPrevFooterHeight = FIsLastPage && footer->PrintOnLastPage ? footer->Height : 0;
        Stretch(*footer);
        if (footer->Visible) {
            footer->Left = 0;
            footer->Top = CurY;
            const bool dropped =
                (FIsFirstPage && !footer->PrintOnFirstPage) || (FIsLastPage && !footer->PrintOnLastPage);
            if (!dropped && !FContext.PreviewPages().BandExists(*footer)) {
                FContext.PreviewPages().AddObject(*footer);
                CurY += footer->Height;
            }
        }
        UnStretch(*footer);
    }
    FIsFirstPage = false;
}
