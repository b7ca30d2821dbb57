#pragma once

#include "ui/Form.h"

#include <QDate>
#include <functional>

class QDateEdit;
class QLabel;
class QPushButton;

// Today's date; tests put a fixed day in its place.
using TTodayFunc = std::function<QDate()>;

// The one date range dialog of the program, shared by every date range frame.
// Each showing offers the first day of this month to tomorrow afresh; the range
// is handed out only when the user confirms it, so cancelling never passes on
// an earlier choice.
class TfrmDateSelect : public TForm {
    Q_OBJECT
public:
    explicit TfrmDateSelect(QWidget* owner = nullptr, TTodayFunc today = &QDate::currentDate);

    // The chosen dates as short date texts; empty unless the dialog was left with "Ок".
    QString getDateStart() const { return FDateStart; }
    QString getDateEnd() const { return FDateEnd; }
    // Whether the dialog was left with "Сброс".
    bool isReset() const { return FReset; }

    QLabel* Label2;
    QDateEdit* dateStart;
    QLabel* Label1;
    QLabel* Label3;
    QDateEdit* dateEnd;
    QPushButton* btnOk;
    QPushButton* btnReset;
    QPushButton* btnClose;

protected:
    void FormShow() override;

private:
    void btnOkClick();
    void btnResetClick();
    void btnCloseClick();
    QDateEdit* dateBox(const QString& name, int left);

    TTodayFunc FToday;
    bool FReset = false;
    QString FDateStart;
    QString FDateEnd;
};

extern TfrmDateSelect* frmDateSelect;
