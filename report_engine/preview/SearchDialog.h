#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// "Find Text": the text to find and whether case matters and the search starts
// at the first page.
class TfrxSearchDialog : public QDialog {
    Q_OBJECT
public:
    explicit TfrxSearchDialog(QWidget* owner = nullptr);

    QLineEdit* TextE;
    QCheckBox* CaseCB;
    QCheckBox* TopCB;
    QPushButton* OkB;
    QPushButton* CancelB;
};
