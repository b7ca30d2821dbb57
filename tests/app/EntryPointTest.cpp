#include "StartUpFixture.h"

#include "app/EntryPoint.h"
#include "data/Exception.h"
#include "resources/ProgramInfo.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <functional>

namespace {

// The main window as the user finds it after start-up, the missing
// background's error box already recorded and cleared.
class MainWindow : public StartUpFixture {
protected:
    void SetUp() override {
        StartUpFixture::SetUp();
        ASSERT_TRUE(startWithDatabase());
        FDialogs.clear();
    }
};

QStringList menuItems(const QMenu* menu) {
    QStringList items;
    for (const QAction* action : menu->actions())
        items << action->objectName() + QLatin1Char('=') + action->text();
    return items;
}

} // namespace

TEST_F(MainWindow, HasItsCaptionClientAreaAndFont) {
    EXPECT_EQ(frmEntry->windowTitle(), QStringLiteral("Авиакасса"));
    EXPECT_EQ(frmEntry->imgLogo->size(), QSize(969, 615));
    EXPECT_EQ(frmEntry->font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(frmEntry->font().pixelSize(), 11);
}

TEST_F(MainWindow, SetsOutSixButtonsInTwoColumnsAndThreeRows) {
    const struct {
        QPushButton* Button;
        const char* Caption;
        int Column;
        int Row;
    } buttons[] = {
        {frmEntry->btnRoute, "Маршруты", 0, 0},
        {frmEntry->btnAir, "Авиалайнеры", 1, 0},
        {frmEntry->btnSotrudnik, "Сотрудники", 0, 1},
        {frmEntry->btnClients, "Клиенты", 1, 1},
        {frmEntry->btnPrihod, "Управление рейсами", 0, 2},
        {frmEntry->btnOrders, "Продажа билетов", 1, 2},
    };
    QList<int> columns;
    QList<int> rows;
    for (const auto& b : buttons) {
        columns << b.Button->x();
        rows << b.Button->y();
    }
    std::sort(columns.begin(), columns.end());
    columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    ASSERT_EQ(columns.size(), 2);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_GE(columns[1], columns[0] + 339);
    EXPECT_GE(rows[1], rows[0] + 110);
    EXPECT_GE(rows[2], rows[1] + 110);
    for (const auto& b : buttons) {
        EXPECT_EQ(b.Button->text(), QString::fromUtf8(b.Caption));
        EXPECT_EQ(b.Button->size(), QSize(339, 110)) << b.Caption;
        EXPECT_EQ(b.Button->font().pixelSize(), 15) << b.Caption;
        EXPECT_TRUE(b.Button->isVisible()) << b.Caption;
        EXPECT_EQ(columns.indexOf(b.Button->x()), b.Column) << b.Caption;
        EXPECT_EQ(rows.indexOf(b.Button->y()), b.Row) << b.Caption;
        EXPECT_TRUE(frmEntry->imgLogo->geometry().contains(b.Button->geometry())) << b.Caption;
    }
}

TEST_F(MainWindow, TabsThroughTheButtonsInItsOwnOrder) {
    const QStringList expected{"btnClients", "btnPrihod", "btnOrders", "btnRoute", "btnSotrudnik", "btnAir"};
    QStringList order;
    QWidget* widget = frmEntry->btnClients;
    do {
        if (qobject_cast<QPushButton*>(widget))
            order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != frmEntry->btnClients);
    EXPECT_EQ(order, expected);
}

TEST_F(MainWindow, HasItsMenuWithCloseAsATopLevelItem) {
    QStringList bar;
    for (const QAction* action : frmEntry->MainMenu1->actions())
        bar << action->text();
    EXPECT_EQ(bar, (QStringList{"Справочники", "Помощь", "Закрыть"}));
    EXPECT_EQ(menuItems(frmEntry->mnuTovars), (QStringList{"mnuRoute=Маршруты", "mnuSotrudnik=Сотрудники",
                                                           "mnuClient=Клиенты", "mnuCard=Типы билетов"}));
    EXPECT_EQ(menuItems(frmEntry->mnuHelp), QStringList{"mnuAbout=О программе..."});
    EXPECT_EQ(frmEntry->mnuClose->menu(), nullptr);
    EXPECT_EQ(frmEntry->MainMenu1->actions().last(), frmEntry->mnuClose);
}

// The caption, the version, then which database this desk has open.
TEST_F(MainWindow, AboutShowsTheCaptionTheVersionAndTheOpenDatabase) {
    frmEntry->mnuAbout->trigger();
    ASSERT_EQ(FDialogs.messages().size(), 1);
    const TMessageBox& about = FDialogs.messages()[0];
    EXPECT_EQ(about.Kind, TMsgKind::Information);
    EXPECT_EQ(about.Owner, frmEntry);
    EXPECT_EQ(about.Text, QStringLiteral("Авиакасса\nВерсия ") + QLatin1String(ZelvoraVersion) +
                              QStringLiteral("\n\nБаза данных: ") +
                              QFileInfo(databaseFile()).absoluteFilePath());
    EXPECT_EQ(about.Title, QStringLiteral("О программе..."));
    EXPECT_EQ(about.Icon, TMsgIcon::Information);
    EXPECT_EQ(about.Buttons, TMsgButtons(TMsgButton::Ok));
}

TEST_F(MainWindow, OpensEachListWindowModallyFromItsButtonOrMenuItem) {
    const struct {
        std::function<void()> Open;
        const char* Window;
    } ways[] = {
        {[] { QTest::mouseClick(frmEntry->btnRoute, Qt::LeftButton); }, "frmRoute"},
        {[] { frmEntry->mnuRoute->trigger(); }, "frmRoute"},
        {[] { QTest::mouseClick(frmEntry->btnAir, Qt::LeftButton); }, "frmAir"},
        {[] { QTest::mouseClick(frmEntry->btnSotrudnik, Qt::LeftButton); }, "frmSotrudnik"},
        {[] { frmEntry->mnuSotrudnik->trigger(); }, "frmSotrudnik"},
        {[] { QTest::mouseClick(frmEntry->btnClients, Qt::LeftButton); }, "frmClients"},
        {[] { frmEntry->mnuClient->trigger(); }, "frmClients"},
        {[] { QTest::mouseClick(frmEntry->btnPrihod, Qt::LeftButton); }, "frmFlight"},
        {[] { QTest::mouseClick(frmEntry->btnOrders, Qt::LeftButton); }, "frmOrders"},
        {[] { frmEntry->mnuCard->trigger(); }, "frmCard"},
    };
    for (const auto& way : ways) {
        FDialogs.clear();
        way.Open();
        ASSERT_EQ(FDialogs.modals().size(), 1) << way.Window;
        EXPECT_EQ(FDialogs.modals()[0].Name, QString::fromLatin1(way.Window));
    }
    EXPECT_TRUE(FDialogs.messages().isEmpty());
    EXPECT_TRUE(frmEntry->isVisible());
}

TEST_F(MainWindow, AListWindowKeepsItsStateBetweenShowings) {
    QList<QDialog*> shown;
    FDialogs.onModal(QStringLiteral("frmRoute"), [&shown](QDialog& window) {
        if (shown.isEmpty())
            window.setProperty("search", QStringLiteral("Москва"));
        shown << &window;
    });
    frmEntry->btnRoute->click();
    frmEntry->btnRoute->click();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0], shown[1]);
    EXPECT_EQ(shown[1], window(QStringLiteral("frmRoute")));
    EXPECT_EQ(shown[1]->property("search").toString(), QStringLiteral("Москва"));
}

TEST_F(MainWindow, ClosingByAnyMeansEndsTheProcessWithCodeZero) {
    const std::function<void()> closings[] = {
        [] { frmEntry->mnuClose->trigger(); },
        [] { frmEntry->close(); },
        [] {
            QCloseEvent closeBox;
            QApplication::sendEvent(frmEntry, &closeBox);
        },
    };
    for (const auto& closing : closings) {
        FExitCodes.clear();
        frmEntry->show();
        closing();
        EXPECT_EQ(FExitCodes, QList<int>{0});
        EXPECT_FALSE(frmEntry->isVisible());
    }
}

TEST(Background, ABitmapIsReadAndAnythingElseRaisesAnErrorNamingTheFile) {
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("background.bmp"));
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(QColor(0x8e, 0x5c, 0xc4));
    ASSERT_TRUE(image.save(good, "BMP"));
    EXPECT_EQ(readBitmap(good).size(), QSize(40, 30));

    const QString garbage = dir.filePath(QStringLiteral("garbage.bmp"));
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a bitmap at all");
    file.close();
    for (const QString& bad : {garbage, dir.filePath(QStringLiteral("missing.bmp"))}) {
        try {
            readBitmap(bad);
            ADD_FAILURE() << bad.toStdString();
        } catch (const Exception& error) {
            EXPECT_TRUE(error.Message().contains(bad)) << error.what();
        }
    }
}
