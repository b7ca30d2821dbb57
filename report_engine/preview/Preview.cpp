#include "report_engine/preview/Preview.h"

#include "report_engine/base/EngineTexts.h"
#include "report_engine/base/EngineUi.h"
#include "report_engine/base/ReportError.h"
#include "report_engine/model/Report.h"
#include "report_engine/prepared/PreviewPages.h"
#include "report_engine/prepared/ZrpFile.h"
#include "report_engine/preview/PreviewWorkspace.h"
#include "report_engine/preview/SearchDialog.h"
#include "report_engine/run/Engine.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {
QString reportOption(const TfrxReport* report, const QString& name) {
    if (report)
        for (const auto& [key, value] : report->Options)
            if (key == name)
                return value;
    return {};
}
} // namespace

TfrxPreview::TfrxPreview(QWidget* owner) : QFrame(owner) {
    setObjectName(QStringLiteral("frxPreview"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    FWorkspace = new TfrxPreviewWorkspace(*this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(frameWidth(), frameWidth(), frameWidth(), frameWidth());
    layout->addWidget(FWorkspace);
    FMessagePanel = new QFrame(this);
    FMessagePanel->setObjectName(QStringLiteral("MessagePanel"));
    FMessagePanel->setFrameShape(QFrame::Panel);
    FMessagePanel->setAutoFillBackground(true);
    FMessagePanel->resize(260, 75);
    FMessageLabel = new QLabel(FMessagePanel);
    FMessageLabel->setObjectName(QStringLiteral("MessageL"));
    FMessageLabel->setAlignment(Qt::AlignCenter);
    FMessageLabel->setGeometry(0, 12, 260, 20);
    FCancelButton = new QPushButton(frxGet("clCancel"), FMessagePanel);
    FCancelButton->setObjectName(QStringLiteral("CancelB"));
    FCancelButton->setGeometry(92, 40, 75, 25);
    connect(FCancelButton, &QPushButton::clicked, this, [this] {
        if (FReport)
            FReport->Terminated = true;
    });
    FMessagePanel->hide();
    setFocusProxy(FWorkspace);
}

TfrxPreview::~TfrxPreview() = default;

int TfrxPreview::pageCount() const {
    return FPages ? FPages->GetCount() : 0;
}

bool TfrxPreview::buttonAllowed(const char* button) const {
    const QString buttons = reportOption(FReport, QStringLiteral("PreviewOptions.Buttons"));
    return buttons.isEmpty() || buttons.split(QLatin1Char(',')).contains(QLatin1String(button));
}

void TfrxPreview::Init(TfrxReport* report, TfrxPreviewPages* pages) {
    FReport = report;
    FPages = pages;
    FWorkspace->PreviewPages = pages;
    FAllowF3 = false;
    FWorkspace->LastFoundPage = -1;
    FSearch.Reset();
    if (!FInitialized) {
        const QString mode = reportOption(report, QStringLiteral("PreviewOptions.ZoomMode"));
        const QString zoom = reportOption(report, QStringLiteral("PreviewOptions.Zoom"));
        if (mode == QLatin1String("zmWholePage"))
            FZoomMode = TfrxZoomMode::zmWholePage;
        else if (mode == QLatin1String("zmPageWidth"))
            FZoomMode = TfrxZoomMode::zmPageWidth;
        else if (!zoom.isEmpty())
            FZoom = std::max(0.25, frxProp::toFloat(zoom));
        FInitialized = true;
    }
    UpdatePages();
    First();
}

void TfrxPreview::Clear() {
    if (FRunning)
        return;
    Lock();
    if (FPages)
        FPages->Clear();
    FLocked = false;
    FWorkspace->Locked = false;
    FMessagePanel->hide();
    FWorkspace->PageList.Clear();
    FSearch.ForgetRecording();
    FPageNo = 1;
    FWorkspace->SetPosition(0, 0);
    FWorkspace->horizontalScrollBar()->setRange(0, 0);
    FWorkspace->verticalScrollBar()->setRange(0, 0);
    FWorkspace->viewport()->update();
}

void TfrxPreview::InternalOnProgressStart() {
    Clear();
    FRunning = true;
}

void TfrxPreview::appendPage(int index) {
    const QSizeF size = FPages->GetPageSize(index);
    FWorkspace->PageList.AddPage(static_cast<int>(std::lround(size.width() * FZoom)),
                                 static_cast<int>(std::lround(size.height() * FZoom)));
    FWorkspace->PageList.CalcBounds(workspaceWidth());
}

// Only the first pages are laid out as they come, and the view is refreshed every
// Tick pages, so following a long run costs the run next to nothing.
void TfrxPreview::InternalOnProgress(int progress) {
    const bool finalPass = !FReport || FReport->Engine().FinalPass;
    if (finalPass && progress < 50 && FPages && progress < FPages->GetCount())
        appendPage(progress);
    if (progress == 0) {
        setPageNo(1, false);
        if (finalPass)
            UpdatePages();
        FFirstPageTime.start();
    } else if (progress == 1) {
        const qint64 elapsed = FFirstPageTime.elapsed();
        FTick = elapsed <= 4 ? 50 : elapsed > 9 ? 5 : 20;
        setPageNo(1, false);
        UpdatePages();
    } else if (progress % FTick == 0) {
        pageChanged();
        FWorkspace->UpdateScrollBars();
        FWorkspace->viewport()->update();
    }
}

void TfrxPreview::InternalOnProgressStop() {
    FRunning = false;
    pageChanged();
    FWorkspace->UpdateScrollBars();
    UpdatePages();
}

void TfrxPreview::Lock() {
    FLocked = true;
    FWorkspace->Locked = true;
}

void TfrxPreview::Unlock() {
    FLocked = false;
    FWorkspace->Locked = false;
    FMessagePanel->hide();
    UpdatePages();
}

int TfrxPreview::workspaceWidth() const {
    return FWorkspace->width() - style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 26;
}

void TfrxPreview::UpdatePages() {
    FAllowF3 = false;
    if (FLocked || pageCount() == 0) {
        FWorkspace->viewport()->update();
        return;
    }
    const int width = workspaceWidth();
    const QSizeF page = FPages->GetPageSize(std::clamp(FPageNo - 1, 0, pageCount() - 1));
    if (FZoomMode == TfrxZoomMode::zmWholePage) {
        const QRect client = contentsRect();
        FZoom = page.height() / client.height() >= page.width() / client.width()
                    ? (FWorkspace->height() - 26) / page.height()
                    : width / page.width();
    } else if (FZoomMode == TfrxZoomMode::zmPageWidth) {
        FZoom = width / page.width();
    }
    FWorkspace->Zoom = FZoom;
    FWorkspace->PageList.Clear();
    for (int i = 0; i < pageCount(); ++i) {
        const QSizeF size = FPages->GetPageSize(i);
        FWorkspace->PageList.AddPage(static_cast<int>(std::lround(size.width() * FZoom)),
                                     static_cast<int>(std::lround(size.height() * FZoom)));
    }
    FWorkspace->PageList.CalcBounds(width);
    FWorkspace->UpdateScrollBars();
    if (FZoomMode == TfrxZoomMode::zmWholePage)
        FWorkspace->ScrollToPage(FPageNo - 1);
    FWorkspace->viewport()->update();
}

void TfrxPreview::SetZoom(double zoom) {
    FZoom = std::max(0.25, zoom);
    FZoomMode = TfrxZoomMode::zmDefault;
    UpdatePages();
}

void TfrxPreview::SetZoomMode(TfrxZoomMode mode) {
    FZoomMode = mode;
    UpdatePages();
}

void TfrxPreview::pageChanged() {
    if (OnPageChanged)
        OnPageChanged(FPageNo);
}

void TfrxPreview::setPageNo(int pageNo, bool fromScrolling) {
    pageNo = std::clamp(pageNo, 1, std::max(1, pageCount()));
    if (pageNo != FPageNo) {
        FPageNo = pageNo;
        FWorkspace->viewport()->update();
    }
    if (!fromScrolling)
        FWorkspace->ScrollToPage(FPageNo - 1);
    pageChanged();
}

void TfrxPreview::keyPressEvent(QKeyEvent* event) {
    keyPressed(event);
}

void TfrxPreview::keyPressed(QKeyEvent* event) {
    bool used = true;
    TfrxEngineUi* ui = FReport ? FReport->ui() : TfrxEngineUi::installed();
    TfrxEngineUi::runHandler(ui, [&] { used = keyDown(event->key(), event->modifiers()); });
    if (!used)
        event->ignore();
}

bool TfrxPreview::keyDown(int key, Qt::KeyboardModifiers modifiers) {
    const bool control = modifiers & Qt::ControlModifier;
    switch (key) {
    case Qt::Key_Up:
        FWorkspace->ScrollBy(0, -FWorkspace->SmallChange);
        break;
    case Qt::Key_Down:
        FWorkspace->ScrollBy(0, FWorkspace->SmallChange);
        break;
    case Qt::Key_Left:
        FWorkspace->ScrollBy(-FWorkspace->SmallChange, 0);
        break;
    case Qt::Key_Right:
        FWorkspace->ScrollBy(FWorkspace->SmallChange, 0);
        break;
    case Qt::Key_PageUp:
        control ? Prior() : FWorkspace->ScrollBy(0, -FWorkspace->LargeChange);
        break;
    case Qt::Key_PageDown:
        control ? Next() : FWorkspace->ScrollBy(0, FWorkspace->LargeChange);
        break;
    case Qt::Key_Home:
        First();
        break;
    case Qt::Key_End:
        Last();
        break;
    case Qt::Key_F3:
        if (buttonAllowed("pbFind") && FAllowF3)
            FindNext();
        break;
    case Qt::Key_F:
        if (control && buttonAllowed("pbFind"))
            Find();
        break;
    case Qt::Key_P:
        if (control && buttonAllowed("pbPrint"))
            Print();
        break;
    case Qt::Key_S:
        if (control && buttonAllowed("pbSave"))
            SaveToFile();
        break;
    case Qt::Key_O:
        if (control && buttonAllowed("pbLoad"))
            LoadFromFile();
        break;
    default:
        return false;
    }
    return true;
}

void TfrxPreview::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    FMessagePanel->move((width() - FMessagePanel->width()) / 2, (height() - FMessagePanel->height()) / 3);
    UpdatePages();
}

void TfrxPreview::showMessage(const QString& text) {
    FMessageLabel->setText(text);
    FMessagePanel->show();
    FMessagePanel->raise();
    FMessagePanel->repaint();
}

void TfrxPreview::Print() {
    if (FRunning || !FReport)
        return;
    // Printing locks the control; it is unlocked however printing ends.
    const auto unlock = qScopeGuard([this] { Unlock(); });
    FReport->PreviewPages().CurPreviewPage = PageNo();
    FReport->Print();
}

namespace {
QString zrpFilter() {
    return frxGet("clZRPfiles") + QStringLiteral(" (*.zrp)");
}
} // namespace

void TfrxPreview::SaveToFile() {
    if (FRunning || !FReport || !FReport->ui())
        return;
    QString fileName = FReport->ui()->fileDialog(true, zrpFilter());
    if (fileName.isEmpty())
        return;
    const QFileInfo info(fileName);
    if (info.suffix().compare(QLatin1String("zrp"), Qt::CaseInsensitive) != 0)
        fileName = (info.suffix().isEmpty() ? fileName : fileName.chopped(info.suffix().size() + 1)) +
                   QStringLiteral(".zrp");
    Lock();
    showMessage(frxGet("clSaving"));
    try {
        frxZrp::saveToFile(*FPages, fileName);
    } catch (const EfrxError& error) {
        FReport->ui()->showError(QStringLiteral("Error"), error.message());
    }
    Unlock();
}

// A file that cannot be read leaves the pages shown before as they were.
void TfrxPreview::LoadFromFile() {
    if (FRunning || !FReport || !FReport->ui())
        return;
    const QString fileName = FReport->ui()->fileDialog(false, zrpFilter());
    if (fileName.isEmpty())
        return;
    Lock();
    showMessage(frxGet("clLoading"));
    try {
        FReport->replacePreviewPages(frxZrp::loadFromFile(fileName));
    } catch (const EfrxError& error) {
        FReport->ui()->showError(QStringLiteral("Error"), error.message());
    }
    Unlock();
    First();
}

bool TfrxPreview::showHit(const std::optional<TfrxPreviewSearch::THit>& hit) {
    if (!hit)
        return false;
    FWorkspace->LastFoundPage = hit->Page;
    FWorkspace->FoundRect = hit->Bounds;
    const QRect pageBounds = FWorkspace->PageList.GetPageBounds(hit->Page);
    const double zoom = FWorkspace->Zoom;
    const QRectF& bounds = hit->Bounds;
    FWorkspace->ShowRect(QRect(pageBounds.left() + static_cast<int>(std::lround(bounds.left() * zoom)),
                               pageBounds.top() + static_cast<int>(std::lround(bounds.top() * zoom)),
                               static_cast<int>(std::lround(bounds.width() * zoom)),
                               static_cast<int>(std::lround(bounds.height() * zoom))));
    setPageNo(hit->Page + 1, true);
    FWorkspace->viewport()->update();
    return true;
}

bool TfrxPreview::FindText(const QString& searchString, bool fromTop, bool isCaseSensitive) {
    FSearch.Start(searchString, isCaseSensitive);
    FWorkspace->LastFoundPage = -1;
    FAllowF3 = true;
    return FPages && showHit(FSearch.FindNext(*FPages, fromTop ? 0 : FPageNo - 1));
}

void TfrxPreview::Find() {
    if (!FReport || !FReport->ui())
        return;
    TfrxSearchDialog dialog(this);
    dialog.TextE->setText(TfrxPreviewSearch::lastText());
    dialog.CaseCB->setChecked(TfrxPreviewSearch::lastCaseSensitive());
    if (FReport->ui()->showModal(dialog) != QDialog::Accepted)
        return;
    if (!FindText(dialog.TextE->text(), dialog.TopCB->isChecked(), dialog.CaseCB->isChecked()))
        FReport->ui()->showMessage(frxGet("clStrNotFound"));
}

void TfrxPreview::FindNext() {
    const bool found = FPages && showHit(FSearch.FindNext(*FPages, FPageNo - 1));
    if (!found && FReport && FReport->ui())
        FReport->ui()->showMessage(frxGet("clStrNotFound"));
}
