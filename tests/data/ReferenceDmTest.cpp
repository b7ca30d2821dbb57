#include "tests/support/DataModulesFixture.h"

#include "data/DataSource.h"
#include "data/DbCalcField.h"

namespace {

struct TDescriptionCase {
    const char* module;
    int id;
    const char* field;
    QString expected;
};

} // namespace

class ReferenceDmTest : public DataModulesFixture, public ::testing::WithParamInterface<TEngineKind> {
protected:
    ReferenceDmTest() : DataModulesFixture(GetParam()) {}

    void SetUp() override {
        DataModulesFixture::SetUp();
        createModules();
        ASSERT_TRUE(openErrors.isEmpty()) << openErrors.join(QLatin1Char('\n')).toStdString();
    }

    TDataSet* table(const QString& module) const {
        for (QObject* dm :
             std::initializer_list<QObject*>{sotrudnik, card, route, air, clients, flight, orders}) {
            if (dm->objectName() == module) {
                return dm->findChild<TDataSet*>(QStringLiteral("tbl"));
            }
        }
        return nullptr;
    }
};

TEST_P(ReferenceDmTest, ModulesExposeTblAndDsByName) {
    EXPECT_EQ(route->objectName(), QStringLiteral("dmRoute"));
    EXPECT_EQ(route->tbl->objectName(), QStringLiteral("tbl"));
    EXPECT_EQ(route->ds->DataSet(), route->tbl);
    EXPECT_EQ(route->tbl->Connection, &db.connection());
    EXPECT_EQ(table(QStringLiteral("dmOrders")), orders->tbl);
}

TEST_P(ReferenceDmTest, DescriptionsReadEveryFieldAsText) {
    const TDescriptionCase cases[] = {
        {"dmRoute", 7, "airToString", QStringLiteral("Маршрут №7 | Москва -> Сочи | 4500,5RUR | 150 мин.")},
        {"dmRoute", 1, "airToString", QStringLiteral("Маршрут №1 | Казань -> Омск | 1234,57RUR | 90 мин.")},
        {"dmRoute", 2, "airToString", QStringLiteral("Маршрут №2 | Анапа -> Сочи | 4500RUR | 60 мин.")},
        {"dmRoute", 3, "airToString", QStringLiteral("Маршрут №3 | Уфа -> Пермь | 0RUR |  мин.")},
        {"dmCard", 2, "fullname", QStringLiteral("Бизнес (50%)")},
        {"dmCard", 3, "fullname", QStringLiteral("Комфорт (12,5%)")},
        {"dmCard", 6, "fullname", QStringLiteral("Пусто (%)")},
        {"dmAir", 1, "ToString",
         QStringLiteral("Бортовой №RA-64001 | Модель: Ту-204 Готовность Да | Мест: 210")},
        {"dmAir", 2, "ToString",
         QStringLiteral("Бортовой №RA-96005 | Модель: Ил-96 Готовность Нет | Мест: 300")},
        {"dmAir", 2, "sotrudnik.c_fio", QStringLiteral("Аксенов Иван ")},
        {"dmSotrudnik", 1, "c_fio", QStringLiteral("Петров Пётр Петрович")},
        {"dmSotrudnik", 2, "c_fio", QStringLiteral("Аксенов Иван ")},
        {"dmClients", 1, "c_fio", QStringLiteral("Сидоров Сидор Сидорович")},
        {"dmClients", 2, "c_fio", QStringLiteral("Белов Олег ")},
        {"dmFlight", 12, "ToString",
         QStringLiteral("Рейс №12 | Маршрут №7 | Москва -> Сочи | 4500,5RUR | 150 мин. | 25.12.2019 09:30")},
        {"dmFlight", 3, "ToString",
         QStringLiteral(
             "Рейс №3 | Маршрут №2 | Анапа -> Сочи | 4500RUR | 60 мин. | 10.01.2019 8:15:00 00:00")},
        {"dmFlight", 4, "ToString", QStringLiteral("Рейс №4 |  | 01.06.2019 18:05")},
        {"dmFlight", 12, "air.ToString",
         QStringLiteral("Бортовой №RA-64001 | Модель: Ту-204 Готовность Да | Мест: 210")},
        {"dmOrders", 2, "flight.ToString",
         QStringLiteral("Рейс №12 | Маршрут №7 | Москва -> Сочи | 4500,5RUR | 150 мин. | 25.12.2019 09:30")},
        {"dmOrders", 5, "clients.c_fio", QStringLiteral("Сидоров Сидор Сидорович")},
        {"dmOrders", 5, "cards.names", QStringLiteral("Десять")},
    };
    for (const TDescriptionCase& c : cases) {
        SCOPED_TRACE(std::string(c.module) + " " + std::to_string(c.id) + " " + c.field);
        TDataSet* ds = table(QLatin1String(c.module));
        locate(ds, c.id);
        EXPECT_EQ(text(ds, QLatin1String(c.field)), c.expected);
    }
}

// A table is closed before the tables it looks up, so that nothing reads a
// table already gone.
TEST_P(ReferenceDmTest, ModulesCloseTheirTablesInTheReverseOfTheirOrder) {
    QStringList closed;
    for (QObject* module :
         std::initializer_list<QObject*>{sotrudnik, card, route, air, clients, flight, leavings, orders})
        module->findChild<TDataSet*>(QStringLiteral("tbl"))->BeforeClose = [&closed, module](TDataSet*) {
            closed << module->objectName();
        };
    modules.reset();
    EXPECT_EQ(closed, QStringList({"dmOrders", "dmLeavings", "dmFlight", "dmClients", "dmAir", "dmRoute",
                                   "dmCard", "dmSotrudnik"}));
}

TEST_P(ReferenceDmTest, FareKeepsItsDigitsWhileTheDescriptionRoundsThem) {
    locate(route->tbl, 1);
    EXPECT_DOUBLE_EQ(route->tbl->FieldByName(QStringLiteral("price"))->AsFloat(), 1234.567);
    EXPECT_EQ(text(route->tbl, QStringLiteral("price")), QStringLiteral("1234,567"));
}

TEST_P(ReferenceDmTest, DefaultSortsAfterOpen) {
    EXPECT_EQ(column(sotrudnik->tbl, QStringLiteral("fam")), QStringList({"Аксенов", "Петров"}));
    EXPECT_EQ(column(clients->tbl, QStringLiteral("fam")), QStringList({"Белов", "Сидоров"}));
    EXPECT_EQ(column(route->tbl, QStringLiteral("airStart")),
              QStringList({"Анапа", "Казань", "Москва", "Уфа"}));
    EXPECT_EQ(column(card->tbl, QStringLiteral("names")),
              QStringList({"Акция", "Бесконечно", "Бизнес", "Десять", "Комфорт", "Огромно", "Ошибка", "Пусто",
                           "Эконом"}));
    EXPECT_EQ(column(air->tbl, QStringLiteral("id")), QStringList({"1", "2"}));
    EXPECT_EQ(column(flight->tbl, QStringLiteral("id")), QStringList({"3", "4", "12"}));
    EXPECT_EQ(column(orders->tbl, QStringLiteral("id")), QStringList({"2", "5"}));
    EXPECT_EQ(column(leavings->tbl, QStringLiteral("flight_id")), QStringList({"3", "4", "12"}));
}

TEST_P(ReferenceDmTest, SortIsPutBackOnEveryOpening) {
    route->tbl->SetSort(QStringLiteral("[id] DESC"));
    route->initTable(false);
    route->initTable(true);
    EXPECT_EQ(route->tbl->Sort(), QStringLiteral("[airStart]"));
    EXPECT_EQ(column(route->tbl, QStringLiteral("id")), QStringList({"2", "1", "7", "3"}));
}

// Only the modules that fill defaults into a new record count it as changed
// before anything is typed.
TEST_P(ReferenceDmTest, ModifiedRightAfterAppend) {
    const std::pair<QString, bool> cases[] = {
        {QStringLiteral("dmSotrudnik"), false}, {QStringLiteral("dmRoute"), false},
        {QStringLiteral("dmClients"), false},   {QStringLiteral("dmCard"), false},
        {QStringLiteral("dmAir"), true},        {QStringLiteral("dmFlight"), true},
        {QStringLiteral("dmOrders"), true},
    };
    for (const auto& [module, modified] : cases) {
        SCOPED_TRACE(module.toStdString());
        TDataSet* ds = table(module);
        ds->Append();
        EXPECT_EQ(ds->Modified(), modified);
        ds->Cancel();
    }
}

TEST_P(ReferenceDmTest, NewRecordsDescribeThemselvesBeforeAnythingIsTyped) {
    air->tbl->Append();
    EXPECT_EQ(text(air->tbl, QStringLiteral("ToString")),
              QStringLiteral("Бортовой № | Модель:  Готовность Да | Мест: "));
    EXPECT_EQ(air->tbl->FieldByName(QStringLiteral("isActive"))->DisplayText(), QStringLiteral("Да"));
    route->tbl->Append();
    EXPECT_TRUE(text(route->tbl, QStringLiteral("airToString")).startsWith(QStringLiteral("Маршрут № | ")));
    route->tbl->FieldByName(QStringLiteral("airStart"))->SetAsString(QStringLiteral("Тверь"));
    route->tbl->FieldByName(QStringLiteral("price"))->SetAsFloat(99.999);
    EXPECT_EQ(text(route->tbl, QStringLiteral("airToString")),
              QStringLiteral("Маршрут № | Тверь ->  | 100RUR |  мин."));
}

TEST_P(ReferenceDmTest, NewFlightLeavesTodayOpenWithoutATime) {
    flight->tbl->Append();
    const TField* dateStart = flight->tbl->FieldByName(QStringLiteral("dateStart"));
    EXPECT_EQ(dateStart->AsDateTime(), QDateTime(QDate::currentDate(), QTime(0, 0)));
    EXPECT_TRUE(flight->tbl->FieldByName(QStringLiteral("timeStart"))->IsNull());
    EXPECT_EQ(flight->tbl->FieldByName(QStringLiteral("isActive"))->DisplayText(), QStringLiteral("Да"));
    EXPECT_TRUE(text(flight->tbl, QStringLiteral("ToString"))
                    .endsWith(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")) +
                              QStringLiteral(" 00:00")));
}

TEST_P(ReferenceDmTest, NewSaleCountsOneTicket) {
    orders->tbl->Append();
    EXPECT_EQ(orders->tbl->FieldByName(QStringLiteral("counts"))->AsInteger(), 1);
}

TEST_P(ReferenceDmTest, DisplaySettingsOfTheFields) {
    locate(flight->tbl, 12);
    const TField* timeStart = flight->tbl->FieldByName(QStringLiteral("timeStart"));
    EXPECT_EQ(timeStart->DisplayText(), QStringLiteral("09:30"));
    EXPECT_EQ(timeStart->EditMask, QStringLiteral("!90:00;1;_"));
    EXPECT_EQ(air->tbl->FieldByName(QStringLiteral("date_create"))->EditMask,
              QStringLiteral("!99/99/0000;1;_"));
    EXPECT_TRUE(air->tbl->FieldByName(QStringLiteral("id"))->ReadOnly);
}

// A file written by another program may hold texts longer than the program
// declares (the server refuses them); every description still stays within
// its field.
class FileReferenceDmTest : public ReferenceDmTest {};

TEST_P(FileReferenceDmTest, DescriptionsAreCutToTheirFieldSize) {
    const QString longName(300, QLatin1Char('x'));
    db.Exec({QStringLiteral("UPDATE tblRoute SET airStart = '%1' WHERE id = 7").arg(longName),
             QStringLiteral("UPDATE tblAir SET model = '%1' WHERE id = 1").arg(longName)});
    route->initTable(false);
    route->initTable(true);
    air->initTable(false);
    air->initTable(true);
    locate(route->tbl, 7);
    const QString routeText = text(route->tbl, QStringLiteral("airToString"));
    EXPECT_EQ(routeText, (QStringLiteral("Маршрут №7 | ") + longName).left(250));
    locate(air->tbl, 1);
    EXPECT_EQ(text(air->tbl, QStringLiteral("ToString")),
              (QStringLiteral("Бортовой №RA-64001 | Модель: ") + longName).left(250));
    locate(flight->tbl, 12);
    EXPECT_EQ(text(flight->tbl, QStringLiteral("route.ToString")), routeText.left(200));
    EXPECT_EQ(text(flight->tbl, QStringLiteral("ToString")),
              QStringLiteral("Рейс №12 | ") + routeText.left(200) + QStringLiteral(" | 25.12.2019 09:30"));
}

TEST_P(ReferenceDmTest, LookupsFollowTheLookedUpTable) {
    locate(route->tbl, 7);
    route->tbl->Edit();
    route->tbl->FieldByName(QStringLiteral("airStart"))->SetAsString(QStringLiteral("Внуково"));
    route->tbl->Post();
    const QString expected =
        QStringLiteral("Рейс №12 | Маршрут №7 | Внуково -> Сочи | 4500,5RUR | 150 мин. | 25.12.2019 09:30");
    locate(flight->tbl, 12);
    EXPECT_EQ(text(flight->tbl, QStringLiteral("ToString")), expected);
    locate(orders->tbl, 2);
    EXPECT_EQ(text(orders->tbl, QStringLiteral("flight.ToString")), expected);
}

// A ticket-type table without its markup column cannot be opened: start-up
// goes on, the module stays closed, and everything over it fails with the
// data layer's error or shows nothing.
class OpenFailureDmTest : public DataModulesFixture {
protected:
    void SetUp() override {
        DataModulesFixture::SetUp();
        db.Exec(
            {QStringLiteral("DROP TABLE tblCard"),
             QStringLiteral("CREATE TABLE tblCard (id INTEGER PRIMARY KEY AUTOINCREMENT, names VARCHAR(25))"),
             QStringLiteral("INSERT INTO tblCard (id, names) VALUES (7, 'Десять')")});
        createModules();
    }
};

TEST_F(OpenFailureDmTest, ModuleIsLeftClosedAndStartUpGoesOn) {
    ASSERT_EQ(openErrors.size(), 1);
    EXPECT_TRUE(openErrors[0].startsWith(QStringLiteral("dmCard: ")));
    EXPECT_TRUE(openErrors[0].contains(QStringLiteral("percent")));
    EXPECT_FALSE(card->tbl->Active());
    EXPECT_TRUE(orders->tbl->Active());

    EXPECT_EQ(card->tbl->RecordCount(), 0);
    EXPECT_THROW(card->tbl->Append(), EDatabaseError);
    EXPECT_THROW(card->tbl->SetSort(QStringLiteral("names")), EDatabaseError);
    EXPECT_THROW(card->initTable(true), EDatabaseError);
    EXPECT_FALSE(card->tbl->Active());

    locate(orders->tbl, 5); // sold with ticket type 7 on flight 3 (fare 4500)
    EXPECT_EQ(text(orders->tbl, QStringLiteral("cards.names")), QString());
    EXPECT_EQ(orders->tbl->FieldByName(QStringLiteral("itogo"))->AsFloat(), 4500);
}

TEST_P(ReferenceDmTest, FullNameNeedsTheNameFields) {
    const TDbCalcField people(clients->tbl);
    locate(clients->tbl, 1);
    EXPECT_EQ(people.getStringValue(QStringLiteral("passport_num")), QString());
    EXPECT_EQ(people.GetFio(), QStringLiteral("Сидоров Сидор Сидорович"));
    const TDbCalcField routes(route->tbl);
    EXPECT_THROW(routes.GetFio(), EDatabaseError);
}

INSTANTIATE_TEST_SUITE_P(Engines, ReferenceDmTest, BothEngines, ::testing::PrintToStringParamName());
INSTANTIATE_TEST_SUITE_P(File, FileReferenceDmTest, ::testing::Values(TEngineKind::File),
                         ::testing::PrintToStringParamName());
