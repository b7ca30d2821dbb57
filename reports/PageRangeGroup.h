#pragma once

#include <QGroupBox>

class QLineEdit;
class QRadioButton;
class TfrxCustomExportFilter;

// The page choice of the export dialogs: all pages, the page shown, or a list such
// as 1,3,5-12. A list left from an earlier export is shown chosen again.
class TfrxPageRangeGroup : public QGroupBox {
public:
    explicit TfrxPageRangeGroup(const TfrxCustomExportFilter& filter);
    void store(TfrxCustomExportFilter& filter) const;

private:
    QRadioButton* AllRB;
    QRadioButton* CurPageRB;
    QRadioButton* PageNumbersRB;
    QLineEdit* PageNumbersE;
};
