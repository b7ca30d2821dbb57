#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TfrxReport;

// The progress window of an export or a print job: what is being done, page by
// page, and "Cancel", which stops the work at the next page.
class TfrxProgress : public QDialog {
    Q_OBJECT
public:
    TfrxProgress(TfrxReport& report, const QString& caption, QWidget* owner = nullptr);

    void SetMessage(const QString& text);

    QLabel* LMessage;
    QPushButton* CancelB;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TfrxReport& FReport;
};
