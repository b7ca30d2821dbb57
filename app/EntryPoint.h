#pragma once

#include "ui/Form.h"

#include <QPixmap>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;

// The main window: six large buttons and a menu that open the list windows
// modally. Closing it by any means ends the process at once.
class TfrmEntry : public TForm {
    Q_OBJECT
public:
    explicit TfrmEntry(QWidget* owner = nullptr);

    // Loads Data/background.bmp (see backgroundFile) into imgLogo; throws
    // Exception when the file is missing or is no readable bitmap.
    void loadBackGround();

    QMenuBar* MainMenu1;
    QMenu* mnuTovars;
    QAction* mnuRoute;
    QAction* mnuSotrudnik;
    QAction* mnuClient;
    QAction* mnuCard;
    QMenu* mnuHelp;
    QAction* mnuAbout;
    QAction* mnuClose;
    QLabel* imgLogo;
    QPushButton* btnClients;
    QPushButton* btnPrihod;
    QPushButton* btnOrders;
    QPushButton* btnRoute;
    QPushButton* btnSotrudnik;
    QPushButton* btnAir;

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void buildMenu();
    void buildButtons(QWidget* client);
    QPushButton* addButton(QWidget* client, const char* name, const QString& caption, int column, int row);

    void mnuRouteClick();
    void btnAirClick();
    void mnuSotrudnikClick();
    void mnuClientClick();
    void btnPrihodClick();
    void btnOrdersClick();
    void mnuCardClick();
    void mnuAboutClick();
    void mnuCloseClick();
};

// Reads a Windows bitmap; throws Exception with the reason when it cannot.
QPixmap readBitmap(const QString& fileName);

extern TfrmEntry* frmEntry;
