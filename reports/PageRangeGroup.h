#pragma once

#include <QGroupBox>

class QLineEdit;
class QRadioButton;
class TfrxCustomExportFilter;

// The page choice of the export and print dialogs: all pages, the page shown, or
// a list such as 1,3,5-12. A list left from before is shown chosen again.
class TfrxPageRangeGroup : public QGroupBox {
public:
    TfrxPageRangeGroup(const QString& caption, const QString& pageNumbers);
    explicit TfrxPageRangeGroup(const TfrxCustomExportFilter& filter);
    void store(TfrxCustomExportFilter& filter) const;

    bool currentPage() const;
    // The list typed under "Pages:" when that is chosen; empty otherwise.
    QString pageNumbers() const;

private:
    QRadioButton* AllRB;
    QRadioButton* CurPageRB;
    QRadioButton* PageNumbersRB;
    QLineEdit* PageNumbersE;
};
