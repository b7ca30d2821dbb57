#include "app/EntryPoint.h"

#include "app/InstalledFiles.h"
#include "app/MainDm.h"
#include "app/Terminate.h"
#include "data/Exception.h"
#include "resources/ProgramInfo.h"
#include "screens/Air.h"
#include "screens/Card.h"
#include "screens/Clients.h"
#include "screens/Flight.h"
#include "screens/Orders.h"
#include "screens/Route.h"
#include "screens/Sotrudnik.h"
#include "ui/DialogService.h"
#include "ui/ShowingErrors.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

TfrmEntry* frmEntry = nullptr;

namespace {

const QSize ClientSize(969, 615);
const QSize ButtonSize(339, 110);
// The grid of buttons sits in the middle of the client area.
const int ColumnLeft[] = {115, 515};
const int RowTop[] = {102, 252, 402};

QFont tahoma(int pixelSize) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace

QPixmap readBitmap(const QString& fileName) {
    QImageReader reader(fileName, "bmp");
    const QImage image = reader.read();
    if (image.isNull())
        throw Exception(
            QStringLiteral("Не удалось загрузить рисунок \"%1\": %2").arg(fileName, reader.errorString()));
    return QPixmap::fromImage(image);
}

TfrmEntry::TfrmEntry(QWidget* owner) : TForm(owner) {
    setObjectName(QStringLiteral("frmEntry"));
    setWindowTitle(QStringLiteral("Авиакасса"));
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setFont(tahoma(11));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildMenu();
    layout->setMenuBar(MainMenu1);

    auto* client = new QWidget(this);
    client->setMinimumSize(ClientSize);
    layout->addWidget(client);
    imgLogo = new QLabel(client);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setScaledContents(true);
    imgLogo->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    auto* clientLayout = new QGridLayout(client);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->addWidget(imgLogo);
    buildButtons(client);
    client->resize(ClientSize);
    resize(ClientSize.width(), ClientSize.height() + MainMenu1->sizeHint().height());
}

void TfrmEntry::buildMenu() {
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    mnuTovars = MainMenu1->addMenu(QStringLiteral("Справочники"));
    mnuTovars->setObjectName(QStringLiteral("mnuTovars"));
    mnuRoute = mnuTovars->addAction(QStringLiteral("Маршруты"), this,
                                    showingErrors(this, &TfrmEntry::mnuRouteClick));
    mnuSotrudnik = mnuTovars->addAction(QStringLiteral("Сотрудники"), this,
                                        showingErrors(this, &TfrmEntry::mnuSotrudnikClick));
    mnuClient = mnuTovars->addAction(QStringLiteral("Клиенты"), this,
                                     showingErrors(this, &TfrmEntry::mnuClientClick));
    mnuCard = mnuTovars->addAction(QStringLiteral("Типы билетов"), this,
                                   showingErrors(this, &TfrmEntry::mnuCardClick));
    mnuHelp = MainMenu1->addMenu(QStringLiteral("Помощь"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuAbout = mnuHelp->addAction(QStringLiteral("О программе..."), this,
                                  showingErrors(this, &TfrmEntry::mnuAboutClick));
    mnuClose = MainMenu1->addAction(QStringLiteral("Закрыть"), this, &TfrmEntry::mnuCloseClick);
    mnuRoute->setObjectName(QStringLiteral("mnuRoute"));
    mnuSotrudnik->setObjectName(QStringLiteral("mnuSotrudnik"));
    mnuClient->setObjectName(QStringLiteral("mnuClient"));
    mnuCard->setObjectName(QStringLiteral("mnuCard"));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
    mnuClose->setObjectName(QStringLiteral("mnuClose"));
}

void TfrmEntry::buildButtons(QWidget* client) {
    // Made in the keyboard's tab order; the grid places them.
    btnClients = addButton(client, "btnClients", QStringLiteral("Клиенты"), 1, 1);
    btnPrihod = addButton(client, "btnPrihod", QStringLiteral("Управление рейсами"), 0, 2);
    btnOrders = addButton(client, "btnOrders", QStringLiteral("Продажа билетов"), 1, 2);
    btnRoute = addButton(client, "btnRoute", QStringLiteral("Маршруты"), 0, 0);
    btnSotrudnik = addButton(client, "btnSotrudnik", QStringLiteral("Сотрудники"), 0, 1);
    btnAir = addButton(client, "btnAir", QStringLiteral("Авиалайнеры"), 1, 0);
    connect(btnClients, &QPushButton::clicked, this, showingErrors(this, &TfrmEntry::mnuClientClick));
    connect(btnPrihod, &QPushButton::clicked, this, showingErrors(this, &TfrmEntry::btnPrihodClick));
    connect(btnOrders, &QPushButton::clicked, this, showingErrors(this, &TfrmEntry::btnOrdersClick));
    connect(btnRoute, &QPushButton::clicked, this, showingErrors(this, &TfrmEntry::mnuRouteClick));
    connect(btnSotrudnik, &QPushButton::clicked, this, showingErrors(this, &TfrmEntry::mnuSotrudnikClick));
    connect(btnAir, &QPushButton::clicked, this, showingErrors(this, &TfrmEntry::btnAirClick));
}

QPushButton* TfrmEntry::addButton(QWidget* client, const char* name, const QString& caption, int column,
                                  int row) {
    auto* button = new QPushButton(caption, client);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(tahoma(15));
    button->setGeometry(QRect(QPoint(ColumnLeft[column], RowTop[row]), ButtonSize));
    return button;
}

void TfrmEntry::loadBackGround() {
    imgLogo->setPixmap(readBitmap(backgroundFile(QCoreApplication::applicationDirPath())));
}

void TfrmEntry::FormShow() {
    loadBackGround();
}

// The process ends without tearing anything down, but the database is closed
// first: the day's changes move from the write-ahead log into the file, so
// the file alone, copied or backed up, holds them all.
void TfrmEntry::FormClose() {
    if (dm)
        dm->connect.Close();
    terminateProcess(0);
}

void TfrmEntry::mnuRouteClick() {
    frmRoute->ShowModal();
}

void TfrmEntry::btnAirClick() {
    frmAir->ShowModal();
}

void TfrmEntry::mnuSotrudnikClick() {
    frmSotrudnik->ShowModal();
}

void TfrmEntry::mnuClientClick() {
    frmClients->ShowModal();
}

void TfrmEntry::btnPrihodClick() {
    frmFlight->ShowModal();
}

void TfrmEntry::btnOrdersClick() {
    frmOrders->ShowModal();
}

void TfrmEntry::mnuCardClick() {
    frmCard->ShowModal();
}

// Desks may work on different databases (a file, or a shared server), so the
// box also says, after the version, which one this desk has open.
void TfrmEntry::mnuAboutClick() {
    QString text = windowTitle() + QStringLiteral("\nВерсия ") + QLatin1String(ZelvoraVersion);
    if (dm && dm->connect.Connected())
        text += QStringLiteral("\n\nБаза данных: ") + dm->connect.DisplayName();
    dialogs().information(this, text, QStringLiteral("О программе..."));
}

void TfrmEntry::mnuCloseClick() {
    close();
}
