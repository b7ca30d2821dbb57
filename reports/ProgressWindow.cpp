#include "reports/ProgressWindow.h"

#include "report_engine/base/EngineTexts.h"
#include "report_engine/model/Report.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

TfrxProgress::TfrxProgress(TfrxReport& report, const QString& caption, QWidget* owner)
    : QDialog(owner), FReport(report) {
    setObjectName(QStringLiteral("TfrxProgress"));
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(258, 90);
    LMessage = new QLabel(this);
    LMessage->setObjectName(QStringLiteral("LMessage"));
    LMessage->setAlignment(Qt::AlignCenter);
    LMessage->setGeometry(8, 14, 242, 20);
    CancelB = new QPushButton(frxGet("clCancel"), this);
    CancelB->setObjectName(QStringLiteral("CancelB"));
    CancelB->setGeometry(91, 50, 75, 25);
    connect(CancelB, &QPushButton::clicked, this, [this] { FReport.Terminated = true; });
}

void TfrxProgress::SetMessage(const QString& text) {
    LMessage->setText(text);
    // Work goes on between two pages only: the text must show now.
    LMessage->repaint();
}

// Closing the window by its frame cancels the work as "Cancel" does.
void TfrxProgress::closeEvent(QCloseEvent* event) {
    FReport.Terminated = true;
    event->ignore();
}
