#include "tests/support/TempDatabase.h"

#include "data/Connection.h"
#include "data/Exception.h"
#include "data/Schema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QStringList checkFile(const QString& path) {
    TConnection connection(path);
    connection.Open();
    return TSchema::Check(connection.Engine());
}

bool anyLineContains(const QStringList& lines, const QString& text) {
    return std::any_of(lines.begin(), lines.end(), [&](const QString& line) { return line.contains(text); });
}

} // namespace

TEST(SchemaTest, NewDatabaseFitsTheProgram) {
    TTempDatabase file;
    EXPECT_EQ(checkFile(file.Path()), QStringList());
}

TEST(SchemaTest, CreatingRefusesAnExistingFile) {
    TTempDatabase file;
    const QString other = file.FilePath(QStringLiteral("kept.sqlite"));
    QFile existing(other);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep me");
    existing.close();
    EXPECT_THROW(TSchema::CreateDatabase(other), EDatabaseError);
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("keep me"));
}

// The new file is built beside its name and takes it only when complete: while
// it is being filled nothing is at the name, a failure leaves nothing behind,
// and a file that takes the name meanwhile is never replaced.
TEST(SchemaTest, NewFileTakesItsNameOnlyWhenComplete) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("db.sqlite"));
    const auto files = [&] { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); };

    EXPECT_THROW(TSchema::CreateDatabase(path,
                                         [&](TConnection&) {
                                             EXPECT_FALSE(QFile::exists(path));
                                             // the file being made, with its journal while it is filled
                                             ASSERT_FALSE(files().isEmpty());
                                             for (const QString& file : files())
                                                 EXPECT_TRUE(file.startsWith(QStringLiteral(".db.sqlite.")))
                                                     << file.toStdString();
                                             throw EDatabaseError(QStringLiteral("filling failed"));
                                         }),
                 EDatabaseError);
    EXPECT_EQ(files(), QStringList());

    EXPECT_THROW(TSchema::CreateDatabase(path,
                                         [&](TConnection&) {
                                             QFile other(path);
                                             ASSERT_TRUE(other.open(QIODevice::WriteOnly));
                                             other.write("someone else's");
                                         }),
                 EDatabaseError);
    QFile other(path);
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    EXPECT_EQ(other.readAll(), QByteArray("someone else's"));
    EXPECT_EQ(files(), QStringList{QStringLiteral("db.sqlite")});
    other.remove();

    TSchema::CreateDatabase(path, [](TConnection& connection) {
        connection.Engine().execute(
            {QStringLiteral("INSERT INTO tblCard (names, percent) VALUES ('Эконом', '0')")});
    });
    EXPECT_EQ(files(), QStringList{QStringLiteral("db.sqlite")});
    EXPECT_EQ(checkFile(path), QStringList());
    TConnection connection(path, TOpenMode::ReadOnly);
    connection.Open();
    QSqlQuery query(connection.Database());
    ASSERT_TRUE(query.exec(QStringLiteral("SELECT names FROM tblCard")) && query.next());
    EXPECT_EQ(query.value(0).toString(), QStringLiteral("Эконом"));
}

struct TDamage {
    const char* Name;
    QStringList Statements;
    QStringList ExpectedLines; // each must appear in some difference line
};

class SchemaDamageTest : public ::testing::TestWithParam<TDamage> {};

TEST_P(SchemaDamageTest, CheckReportsEveryDifference) {
    TTempDatabase file;
    file.Exec(GetParam().Statements);
    const QStringList differences = checkFile(file.Path());
    for (const QString& expected : GetParam().ExpectedLines)
        EXPECT_TRUE(anyLineContains(differences, expected))
            << expected.toStdString() << " not in: " << differences.join(u'|').toStdString();
    EXPECT_EQ(differences.size(), GetParam().ExpectedLines.size()) << differences.join(u'|').toStdString();
}

const QString CardWith = QStringLiteral("CREATE TABLE tblCard (%1)");

INSTANTIATE_TEST_SUITE_P(
    Damages, SchemaDamageTest,
    ::testing::Values(
        TDamage{"MissingColumn",
                {"ALTER TABLE tblClients DROP COLUMN passport_num"},
                {"tblClients: column passport_num is missing"}},
        TDamage{"MissingView", {"DROP VIEW leavings"}, {"view leavings is missing"}},
        TDamage{"MissingTableBreaksTheView",
                {"DROP TABLE tblRoute"},
                {"table tblRoute is missing", "view leavings cannot be read"}},
        TDamage{"OtherType",
                {"DROP TABLE tblCard",
                 CardWith.arg("id INTEGER PRIMARY KEY AUTOINCREMENT, names VARCHAR(25), percent REAL")},
                {"tblCard: column percent has type REAL, expected VARCHAR(255)"}},
        TDamage{
            "OtherTextSize",
            {"DROP TABLE tblCard",
             CardWith.arg("id INTEGER PRIMARY KEY AUTOINCREMENT, names VARCHAR(20), percent VARCHAR(255)")},
            {"tblCard: column names has type VARCHAR(20), expected VARCHAR(25)"}},
        TDamage{"KeyNotPrimary",
                {"DROP TABLE tblCard", CardWith.arg("id INTEGER, names VARCHAR(25), percent VARCHAR(255)")},
                {"tblCard: column id is not the primary key"}},
        TDamage{
            "OtherOrder",
            {"DROP TABLE tblCard",
             CardWith.arg("id INTEGER PRIMARY KEY AUTOINCREMENT, percent VARCHAR(255), names VARCHAR(25)")},
            {"tblCard: columns are in the order id, percent, names; expected id, names, percent"}},
        TDamage{"ExtraColumn",
                {"ALTER TABLE tblAir ADD COLUMN color VARCHAR(10)"},
                {"tblAir: unexpected column color"}},
        TDamage{"TableInPlaceOfView",
                {"DROP VIEW leavings", "CREATE TABLE leavings (flight_id INTEGER)"},
                {"leavings is a table, expected a view"}},
        TDamage{"ViewWithoutItsColumns",
                {"DROP VIEW leavings",
                 "CREATE VIEW leavings AS SELECT id AS flight_id, air_id, isActive FROM tblFlight"},
                {"leavings: column dateStart is missing", "leavings: column tblFlight.isActive is missing",
                 "leavings: column tblAir.isActive is missing", "leavings: column balance is missing",
                 "leavings: unexpected column isActive", "leavings: column timeStart is missing",
                 "leavings: column airStart is missing", "leavings: column airTarget is missing",
                 "leavings: column price is missing", "leavings: column times is missing",
                 "leavings: column bortNum is missing", "leavings: column model is missing",
                 "leavings: column date_create is missing", "leavings: column lifetime is missing",
                 "leavings: column seats is missing", "leavings: column expenditure is missing"}}),
    [](const ::testing::TestParamInfo<TDamage>& info) { return std::string(info.param.Name); });

// One airliner with ten seats; flights with and without sales, one sold out and
// one whose airliner has gone.
class LeavingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        File.Exec({"INSERT INTO tblAir (id, seats, isActive) VALUES (1, 10, 1)",
                   "INSERT INTO tblRoute (id, airStart, airTarget, price, times) VALUES (1, 'Москва', "
                   "'Сочи', 9800, 150)",
                   "INSERT INTO tblFlight (id, air_id, route_id, isActive) VALUES (1, 1, 1, 1)",
                   "INSERT INTO tblFlight (id, air_id, route_id, isActive) VALUES (2, 1, 1, 1)",
                   "INSERT INTO tblFlight (id, air_id, route_id, isActive) VALUES (3, 1, 1, 0)",
                   "INSERT INTO tblFlight (id, air_id, route_id, isActive) VALUES (4, 99, 1, 1)",
                   "INSERT INTO tblOrders (flight_id, clients_id, card_id, mesto, counts) VALUES (2, 1, 1, "
                   "'1A', 3)",
                   "INSERT INTO tblOrders (flight_id, clients_id, card_id, mesto, counts) VALUES (2, 1, 1, "
                   "'2A', 2)",
                   "INSERT INTO tblOrders (flight_id, clients_id, card_id, mesto, counts) VALUES (3, 1, 1, "
                   "'1A', 10)"});
        Connection.Open();
    }

    QVariant balance(int flight) {
        QSqlQuery query(Connection.Database());
        query.prepare(QStringLiteral("SELECT balance FROM leavings WHERE flight_id = :flight_id"));
        query.bindValue(QStringLiteral(":flight_id"), flight);
        EXPECT_TRUE(query.exec()) << query.lastError().text().toStdString();
        return query.next() ? query.value(0) : QVariant();
    }

    TTempDatabase File;
    TConnection Connection{File.Path()};
};

TEST_F(LeavingsTest, FlightWithoutSalesKeepsAllSeats) {
    const QVariant value = balance(1);
    EXPECT_EQ(value.metaType().id(), QMetaType::Double);
    EXPECT_EQ(value.toDouble(), 10.0);
}

TEST_F(LeavingsTest, SalesTakeAsManySeatsAsTheirCounts) {
    EXPECT_EQ(balance(2).toDouble(), 5.0);
    EXPECT_EQ(balance(3).toDouble(), 0.0);
}

TEST_F(LeavingsTest, FlightWhoseAirlinerIsGoneHasNoSeats) {
    EXPECT_EQ(balance(4).toDouble(), 0.0);
}

TEST_F(LeavingsTest, GivesOneRowPerFlightUnderTheProgramsNames) {
    QSqlQuery query(Connection.Database());
    ASSERT_TRUE(query.exec(QStringLiteral("SELECT * FROM leavings ORDER BY flight_id")));
    QStringList names;
    for (int i = 0; i < query.record().count(); ++i)
        names << query.record().fieldName(i);
    EXPECT_EQ(names.join(u','),
              QStringLiteral("flight_id,air_id,dateStart,timeStart,tblFlight.isActive,airStart,"
                             "airTarget,price,times,bortNum,model,date_create,lifetime,"
                             "tblAir.isActive,seats,expenditure,balance"));
    QStringList rows;
    while (query.next())
        rows << QStringLiteral("%1:%2:%3:%4")
                    .arg(query.value(QStringLiteral("flight_id")).toInt())
                    .arg(query.value(QStringLiteral("tblFlight.isActive")).toInt())
                    .arg(query.value(QStringLiteral("expenditure")).toDouble())
                    .arg(query.value(QStringLiteral("balance")).toDouble());
    EXPECT_EQ(rows, QStringList({"1:1:0:10", "2:1:5:5", "3:0:10:0", "4:1:0:0"}));
}
