#pragma once

#include "report_engine/base/CustomPreview.h"
#include "report_engine/preview/PreviewSearch.h"

#include <QElapsedTimer>
#include <QFrame>
#include <functional>
#include <vector>

class QLabel;
class QPushButton;
class TfrxPreviewWorkspace;

enum class TfrxZoomMode { zmDefault, zmWholePage, zmPageWidth };

// The preview control: shows the prepared pages of its report, follows a run page
// by page, and lets the user scroll, search, print, save and load with the keyboard.
class TfrxPreview : public QFrame, public TfrxCustomPreview {
    Q_OBJECT
public:
    explicit TfrxPreview(QWidget* owner = nullptr);
    ~TfrxPreview() override;

    // called by the report
    void Init(TfrxReport* report, TfrxPreviewPages* pages) override;
    void InternalOnProgressStart() override;
    void InternalOnProgress(int progress) override;
    void InternalOnProgressStop() override;
    void Lock() override;
    void Unlock() override;
    int PageNo() const override { return FPageNo; }

    // navigation and layout
    void SetPageNo(int pageNo) { setPageNo(pageNo, false); }
    void First() { SetPageNo(1); }
    void Next() { SetPageNo(FPageNo + 1); }
    void Prior() { SetPageNo(FPageNo - 1); }
    void Last() { SetPageNo(pageCount()); }
    double Zoom() const { return FZoom; }
    void SetZoom(double zoom);
    TfrxZoomMode ZoomMode() const { return FZoomMode; }
    void SetZoomMode(TfrxZoomMode mode);
    void UpdatePages();
    void Clear();

    // the keyboard commands
    void Print();
    void SaveToFile();
    void LoadFromFile();
    void Find();
    void FindNext();
    bool FindText(const QString& searchString, bool fromTop, bool isCaseSensitive);

    // How many pages a run produces between two repaints (5, 20 or 50).
    int Tick() const { return FTick; }
    bool Running() const { return FRunning; }
    bool Locked() const { return FLocked; }
    bool Initialized() const { return FInitialized; }
    TfrxReport* Report() const { return FReport; }
    TfrxPreviewPages* PreviewPages() const { return FPages; }
    TfrxPreviewWorkspace* Workspace() const { return FWorkspace; }
    int pageCount() const;

    bool OutlineVisible = false;
    int OutlineWidth = 120;
    bool ThumbnailVisible = false;
    bool UseReportHints = true;
    std::function<void(int)> OnPageChanged;
    std::function<void()> OnClick;

    // Sets the current page; from the scroll position it does not scroll back.
    void setPageNo(int pageNo, bool fromScrolling);
    // False for a key the preview has no use for, which then goes on to its window.
    bool keyDown(int key, Qt::KeyboardModifiers modifiers);
    // A key pressed on the preview or its workspace, through keyDown; one it has no
    // use for is ignored, so it goes on to the window.
    void keyPressed(QKeyEvent* event);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool buttonAllowed(const char* button) const;
    void showMessage(const QString& text);
    void appendPage(int index);
    void pageChanged();
    int workspaceWidth() const;
    // Scrolls to a hit and marks it; false when there is none.
    bool showHit(const std::optional<TfrxPreviewSearch::THit>& hit);

    TfrxReport* FReport = nullptr;
    TfrxPreviewPages* FPages = nullptr;
    TfrxPreviewWorkspace* FWorkspace;
    QFrame* FMessagePanel;
    QLabel* FMessageLabel;
    QPushButton* FCancelButton;
    double FZoom = 1.0;
    TfrxZoomMode FZoomMode = TfrxZoomMode::zmDefault;
    int FPageNo = 1;
    int FTick = 50;
    bool FRunning = false;
    bool FLocked = false;
    bool FInitialized = false;
    bool FRefreshing = false;
    bool FAllowF3 = false;
    QElapsedTimer FFirstPageTime;
    TfrxPreviewSearch FSearch;
};
