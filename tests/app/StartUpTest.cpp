#include "StartUpFixture.h"

#include "app/EntryPoint.h"
#include "app/MainDm.h"
#include "app/ResourceIcon.h"
#include "data/CardDm.h"
#include "data/DataModules.h"
#include "data/DataSet.h"
#include "data/OrdersDm.h"
#include "data/SotrudnikDm.h"
#include "framework/DateSelect.h"
#include "tests/support/PgServer.h"
#include "ui/ApplicationTitle.h"

#include <QFile>
#include <QLabel>
#include <QSqlQuery>
#include <QUrl>

TEST(StartUpOrder, CreatesTheLongLivedObjectsInTheirFixedOrder) {
    const QStringList expected{
        "frmEntry",      "dm",         "dmSotrudnik", "dmCard",     "frmCard",         "frmSotrudnik",
        "frmDateSelect", "dmRoute",    "frmRoute",    "frmFRRoute", "frmResourceIcon", "dmAir",
        "dmClients",     "frmClients", "frmAir",      "dmFlight",   "frmFlight",       "frmFRFlight",
        "dmLeavings",    "dmOrders",   "frmOrders",   "frmFROrders"};
    EXPECT_EQ(TStartUp::creationOrder(), expected);
}

class StartUp : public StartUpFixture {
protected:
    // The failed opening: the engine's error, then the program's message, and
    // the process ends with code 0 before anything after `dm` exists.
    void expectFailedOpening() {
        ASSERT_EQ(FDialogs.messages().size(), 2);
        const TMessageBox& engine = FDialogs.messages()[0];
        EXPECT_EQ(engine.Kind, TMsgKind::Error);
        EXPECT_EQ(engine.Icon, TMsgIcon::Stop);
        EXPECT_EQ(engine.Title, applicationTitle());
        EXPECT_FALSE(engine.Text.isEmpty());
        EXPECT_NE(engine.Text, QStringLiteral("Ошибка открытия базы данных!"));
        const TMessageBox& failure = FDialogs.messages()[1];
        EXPECT_EQ(failure.Kind, TMsgKind::Information);
        EXPECT_EQ(failure.Owner, nullptr);
        EXPECT_EQ(failure.Text, QStringLiteral("Ошибка открытия базы данных!"));
        EXPECT_EQ(failure.Title, QStringLiteral("Сообщение"));
        EXPECT_EQ(failure.Icon, TMsgIcon::Information);
        EXPECT_EQ(failure.Buttons, TMsgButtons(TMsgButton::Ok));

        EXPECT_EQ(FExitCodes, QList<int>{0});
        ASSERT_NE(frmEntry, nullptr);
        EXPECT_FALSE(frmEntry->isVisible());
        EXPECT_EQ(FStartUp->modules(), nullptr);
        for (const QString& later : TStartUp::creationOrder().mid(2))
            EXPECT_EQ(window(later), nullptr) << later.toStdString();
    }
};

TEST_F(StartUp, WithoutADatabaseFileShowsTheEngineErrorThenTheMessageAndEndsWithCodeZero) {
    EXPECT_FALSE(start());
    expectFailedOpening();
    EXPECT_FALSE(QFile::exists(databaseFile()));
}

// No server listens on the socket folder named: the desk is told as for a
// missing file, with the connection's own words first.
TEST_F(StartUp, WithTheServerUnreachableShowsTheEngineErrorThenTheMessageAndEndsWithCodeZero) {
    const QString folder = FDir.filePath(QStringLiteral("no-server"));
    EXPECT_FALSE(start(QStringLiteral("postgresql://desk@%1/office")
                           .arg(QString::fromLatin1(QUrl::toPercentEncoding(folder)))));
    expectFailedOpening();
    EXPECT_TRUE(FDialogs.messages()[0].Text.contains(folder)) << FDialogs.messages()[0].Text.toStdString();
}

// A server's database that nobody has set up: one clear error, not one for
// every table, and the failed opening.
TEST_F(StartUp, WithTheServersDatabaseEmptySaysSoAndEndsWithCodeZero) {
    TPgServer* server = TPgServer::Instance();
    ASSERT_NE(server, nullptr) << TPgServer::StartError().toStdString();
    EXPECT_FALSE(start(server->CreateDatabase()));
    expectFailedOpening();
    EXPECT_TRUE(FDialogs.messages()[0].Text.startsWith(QStringLiteral("В базе данных нет таблиц программы")))
        << FDialogs.messages()[0].Text.toStdString();
}

TEST_F(StartUp, WithADatabaseOpensItAndShowsTheMainWindowAfterOneErrorForTheMissingBackground) {
    ASSERT_TRUE(startWithDatabase());

    ASSERT_NE(dm, nullptr);
    EXPECT_TRUE(dm->connect.Connected());
    const TDataModules* modules = FStartUp->modules();
    ASSERT_NE(modules, nullptr);
    EXPECT_TRUE(modules->dmSotrudnik->tbl->Active());
    EXPECT_TRUE(modules->dmOrders->tbl->Active());
    EXPECT_TRUE(frmEntry->isVisible());
    EXPECT_TRUE(FExitCodes.isEmpty());
    // No picture beside the test program: one error box, the window opens anyway.
    ASSERT_EQ(FDialogs.messages().size(), 1);
    EXPECT_EQ(FDialogs.messages()[0].Kind, TMsgKind::Error);
    EXPECT_TRUE(FDialogs.messages()[0].Text.contains(QStringLiteral("Data/background.bmp")));
    EXPECT_TRUE(frmEntry->imgLogo->pixmap().isNull());
    EXPECT_FALSE(qApp->styleSheet().isEmpty());
}

TEST_F(StartUp, MakesEveryWindowHiddenWithItsCaption) {
    ASSERT_TRUE(startWithDatabase());
    const struct {
        const char* Name;
        const char* Caption;
    } windows[] = {
        {"frmCard", "Справочник типов билетов"},
        {"frmSotrudnik", "Сотрудники"},
        {"frmDateSelect", "Выбор диапазона дат"},
        {"frmRoute", "Маршруты"},
        {"frmFRRoute", "Предварительный просмотр"},
        {"frmResourceIcon", "Контейнер иконок"},
        {"frmClients", "Клиенты"},
        {"frmAir", "Авиалайнеры"},
        {"frmFlight", "Рейсы"},
        {"frmFRFlight", "Предварительный просмотр"},
        {"frmOrders", "Продажи билетов"},
        {"frmFROrders", "Предварительный просмотр"},
    };
    for (const auto& w : windows) {
        const QWidget* form = window(QString::fromLatin1(w.Name));
        ASSERT_NE(form, nullptr) << w.Name;
        EXPECT_EQ(form->windowTitle(), QString::fromUtf8(w.Caption)) << w.Name;
        EXPECT_FALSE(form->isVisible()) << w.Name;
    }
}

TEST_F(StartUp, ATableThatCannotBeOpenedIsReportedAndStartUpGoesOn) {
    TSchema::CreateDatabase(databaseFile());
    {
        TConnection connection(databaseFile());
        connection.Open();
        ASSERT_TRUE(QSqlQuery(connection.Database()).exec(QStringLiteral("DROP TABLE tblCard")));
    }
    ASSERT_TRUE(start());

    ASSERT_FALSE(FDialogs.messages().isEmpty());
    EXPECT_EQ(FDialogs.messages()[0].Kind, TMsgKind::Error);
    EXPECT_TRUE(FDialogs.messages()[0].Text.contains(QStringLiteral("tblCard")))
        << FDialogs.messages()[0].Text.toStdString();
    const TDataModules* modules = FStartUp->modules();
    ASSERT_NE(modules, nullptr);
    EXPECT_FALSE(modules->dmCard->tbl->Active());
    EXPECT_TRUE(modules->dmSotrudnik->tbl->Active());
    EXPECT_NE(window(QStringLiteral("frmFROrders")), nullptr);
    EXPECT_TRUE(frmEntry->isVisible());
    EXPECT_TRUE(FExitCodes.isEmpty());
}

TEST_F(StartUp, ReleasingTheObjectsClearsTheirInstances) {
    ASSERT_TRUE(startWithDatabase());
    FStartUp.reset();
    EXPECT_EQ(frmEntry, nullptr);
    EXPECT_EQ(dm, nullptr);
    EXPECT_EQ(frmResourceIcon, nullptr);
    EXPECT_EQ(window(QStringLiteral("frmRoute")), nullptr);
}
