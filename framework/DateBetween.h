#pragma once

#include <QFrame>

class QGroupBox;
class QLabel;
class QPushButton;
class TMaskEdit;

// A date range as a list window's search shows it: two read-only date boxes
// filled only through the shared date range dialog. An unfilled box reads
// "  .  .    ", which the filter controller leaves out of the search.
class TframeDateBetween : public QFrame {
    Q_OBJECT
public:
    // Placed inside `AParent`, which takes the size of the frame's group box.
    TframeDateBetween(QObject* AOwner, QWidget* AParent, const QString& title);

    QString GetDateFirst() const;
    QString GetDateLast() const;
    void ClearDate();
    void btnDateSelectClick();

    QGroupBox* gbDateSearch;
    QLabel* Label3;
    TMaskEdit* editDate1;
    QLabel* Label6;
    TMaskEdit* editDate2;
    QPushButton* btnDateSelect;

private:
    TMaskEdit* dateBox(const QString& name, int left);
};
