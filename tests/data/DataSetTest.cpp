#include "DataSetFixture.h"

#include "data/Exception.h"
#include "data/Query.h"

#include <QFile>
#include <QSignalSpy>
#include <functional>

namespace {

using Events = QStringList;

// Records the events a dataset raises, in order.
void listen(TDataSet& ds, Events& events) {
    ds.AfterOpen = [&](TDataSet*) { events << QStringLiteral("AfterOpen"); };
    ds.BeforeClose = [&](TDataSet*) { events << QStringLiteral("BeforeClose"); };
    ds.AfterInsert = [&](TDataSet*) { events << QStringLiteral("AfterInsert"); };
    ds.AfterPost = [&](TDataSet*) { events << QStringLiteral("AfterPost"); };
    ds.AfterDelete = [&](TDataSet*) { events << QStringLiteral("AfterDelete"); };
}

TEST_F(DataSetFixture, OpenReadsRowsAndCloseDropsThem) {
    Events events;
    listen(staff, events);
    staff.Open();
    EXPECT_EQ(staff.RecordCount(), 4);
    EXPECT_EQ(staff.RecNo(), 1);
    staff.Close();
    EXPECT_EQ(staff.RecordCount(), 0);
    EXPECT_EQ(staff.RecNo(), -1);
    EXPECT_EQ(events, Events({"AfterOpen", "BeforeClose"}));
}

TEST_F(DataSetFixture, StateMachineWithEventsAndModified) {
    Events events;
    staff.Open();
    listen(staff, events);
    staff.Append();
    EXPECT_EQ(staff.State(), TDataSetState::Insert);
    EXPECT_EQ(staff.RecNo(), -1);
    EXPECT_FALSE(staff.Modified());
    staff.FieldByName(QStringLiteral("fam"))->SetAsString(QStringLiteral("Новиков"));
    EXPECT_TRUE(staff.Modified());
    staff.Post();
    EXPECT_EQ(staff.State(), TDataSetState::Browse);
    EXPECT_FALSE(staff.Modified());
    EXPECT_EQ(staff.RecordCount(), 5);
    EXPECT_EQ(staff.FieldByName(QStringLiteral("id"))->AsInteger(), 5)
        << "the new row gets the database's id";
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT fam FROM tblSotrudnik WHERE id = 5")).toString(),
              QStringLiteral("Новиков"));

    staff.Edit();
    staff.FieldByName(QStringLiteral("stage"))->SetAsInteger(7);
    staff.Cancel();
    EXPECT_EQ(staff.FieldByName(QStringLiteral("stage"))->AsInteger(), 0);
    EXPECT_TRUE(db.Scalar(QStringLiteral("SELECT stage FROM tblSotrudnik WHERE id = 5")).isNull());

    staff.Edit();
    staff.FieldByName(QStringLiteral("stage"))->SetAsInteger(7);
    staff.Post();
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT stage FROM tblSotrudnik WHERE id = 5")).toInt(), 7);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT count(*) FROM tblSotrudnik")).toInt(), 5)
        << "updated, not added";

    staff.Delete();
    EXPECT_EQ(staff.RecordCount(), 4);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT count(*) FROM tblSotrudnik WHERE id = 5")).toInt(), 0);
    EXPECT_EQ(events, Events({"AfterInsert", "AfterPost", "AfterPost", "AfterDelete"}));
}

TEST_F(DataSetFixture, AfterInsertSettingAFieldCountsAsModified) {
    air.Open();
    air.AfterInsert = [](TDataSet* ds) { ds->FieldByName(QStringLiteral("isActive"))->SetAsBoolean(true); };
    air.Append();
    EXPECT_TRUE(air.Modified());
    EXPECT_EQ(air.FieldByName(QStringLiteral("isActive"))->DisplayText(), QStringLiteral("Да"));
}

TEST_F(DataSetFixture, CancelInBrowseDoesNothingAndCancelledInsertAddsNothing) {
    staff.Open();
    staff.Cancel();
    EXPECT_EQ(staff.State(), TDataSetState::Browse);
    staff.Append();
    staff.FieldByName(QStringLiteral("fam"))->SetAsString(QStringLiteral("Лишний"));
    staff.Cancel();
    EXPECT_EQ(staff.RecordCount(), 4);
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT count(*) FROM tblSotrudnik")).toInt(), 4);
}

TEST_F(DataSetFixture, RefusedPostKeepsTheEditState) {
    staff.Open();
    db.Exec({QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON tblSotrudnik "
                            "BEGIN SELECT RAISE(ABORT, 'no more staff'); END")});
    staff.Append();
    staff.FieldByName(QStringLiteral("fam"))->SetAsString(QStringLiteral("Отказ"));
    try {
        staff.Post();
        FAIL() << "the post should be refused";
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("no more staff"))) << e.what();
    }
    EXPECT_EQ(staff.State(), TDataSetState::Insert);
    EXPECT_TRUE(staff.Modified());
    EXPECT_EQ(staff.FieldByName(QStringLiteral("fam"))->AsString(), QStringLiteral("Отказ"));
    EXPECT_EQ(staff.RecordCount(), 4);
}

// A record being added or edited is left only by Post or Cancel: moving,
// sorting, filtering or deleting meanwhile is refused and changes nothing, so
// no record is written without its window's checks or swapped for another.
TEST_F(DataSetFixture, RecordBeingEditedCannotBeLeftButByPostOrCancel) {
    const struct {
        const char* Name;
        std::function<void(TDataSet&)> Operation;
    } operations[] = {
        {"First", [](TDataSet& ds) { ds.First(); }},
        {"Next", [](TDataSet& ds) { ds.Next(); }},
        {"Prior", [](TDataSet& ds) { ds.Prior(); }},
        {"SetRecNo", [](TDataSet& ds) { ds.SetRecNo(1); }},
        {"GotoBookmark", [](TDataSet& ds) { ds.GotoBookmark(0); }},
        {"SetSort", [](TDataSet& ds) { ds.SetSort(QStringLiteral("fam DESC")); }},
        {"SetFiltered", [](TDataSet& ds) { ds.SetFiltered(true); }},
        {"Append", [](TDataSet& ds) { ds.Append(); }},
        {"Delete", [](TDataSet& ds) { ds.Delete(); }},
    };
    staff.Open();
    staff.SetFilter(QStringLiteral("fam LIKE '%ов%'"));
    for (const auto& operation : operations) {
        for (const bool inserting : {true, false}) {
            SCOPED_TRACE(std::string(operation.Name) + (inserting ? " while inserting" : " while editing"));
            staff.SetRecNo(2);
            const int id = staff.FieldByName(QStringLiteral("id"))->AsInteger();
            if (inserting)
                staff.Append();
            else
                staff.Edit();
            staff.FieldByName(QStringLiteral("fam"))->SetAsString(QStringLiteral("Новый"));
            EXPECT_THROW(operation.Operation(staff), EDatabaseError);
            EXPECT_EQ(staff.State(), inserting ? TDataSetState::Insert : TDataSetState::Edit);
            EXPECT_EQ(staff.FieldByName(QStringLiteral("fam"))->AsString(), QStringLiteral("Новый"));
            staff.Cancel();
            EXPECT_EQ(staff.FieldByName(QStringLiteral("id"))->AsInteger(), id);
            EXPECT_EQ(db.Scalar(QStringLiteral("SELECT count(*) FROM tblSotrudnik")).toInt(), 4);
            EXPECT_EQ(
                db.Scalar(QStringLiteral("SELECT count(*) FROM tblSotrudnik WHERE fam = 'Новый'")).toInt(),
                0);
        }
    }
}

TEST_F(DataSetFixture, CalculatedFieldFollowsEveryChangeAndIsCutToSize) {
    staff.Open();
    TField* fio = staff.FieldByName(QStringLiteral("c_fio"));
    EXPECT_EQ(fio->AsString(), QStringLiteral("Петров Иван"));
    staff.Edit();
    staff.FieldByName(QStringLiteral("names"))->SetAsString(QStringLiteral("Ио"));
    EXPECT_EQ(fio->AsString(), QStringLiteral("Петров Ио"));
    staff.FieldByName(QStringLiteral("fam"))->SetAsString(QStringLiteral("Преображенский"));
    EXPECT_EQ(fio->AsString(), QStringLiteral("Преображенск")) << "cut to the field's 12 characters";
    staff.Cancel();
    EXPECT_EQ(fio->AsString(), QStringLiteral("Петров Иван"));
}

TEST_F(DataSetFixture, LookupFollowsTheLookedUpDataset) {
    staff.Open();
    air.Open();
    TField* commander = air.FieldByName(QStringLiteral("sotrudnik.c_fio"));
    EXPECT_EQ(commander->AsString(), QStringLiteral("Петров Иван"));
    staff.Edit();
    staff.FieldByName(QStringLiteral("names"))->SetAsString(QStringLiteral("Илья"));
    staff.Post();
    EXPECT_EQ(commander->AsString(), QStringLiteral("Петров Илья"));
    staff.Delete();
    EXPECT_EQ(commander->AsString(), QString()) << "no row matches any more";
    air.Last();
    EXPECT_TRUE(commander->IsNull()) << "a key without a row shows nothing";
    staff.Close();
    air.First();
    EXPECT_EQ(commander->AsString(), QString()) << "a closed lookup dataset shows nothing";
}

// Found values are kept by key: a changed key, keys that share a place in that
// store (1 and 17 among 16 places) and an edit of the referring row all read anew.
TEST_F(DataSetFixture, LookupByKeyFollowsTheKeyItself) {
    db.Exec({QStringLiteral("INSERT INTO tblSotrudnik (id, fam, names) VALUES (17, 'Зуев', 'Лев')")});
    staff.Open();
    air.Open();
    air.SetSort(QStringLiteral("id"));
    TField* commander = air.FieldByName(QStringLiteral("sotrudnik.c_fio"));
    TField* key = air.FieldByName(QStringLiteral("sotrudnik_id"));
    EXPECT_EQ(commander->AsString(), QStringLiteral("Петров Иван"));
    air.Edit();
    key->SetAsInteger(17);
    EXPECT_EQ(commander->AsString(), QStringLiteral("Зуев Лев")) << "the edited key, before posting";
    air.Post();
    air.Edit();
    key->SetAsInteger(2);
    air.Cancel();
    EXPECT_EQ(commander->AsString(), QStringLiteral("Зуев Лев")) << "a cancelled edit leaves the stored key";
    air.Next();
    air.Edit();
    key->SetAsInteger(1);
    air.Post();
    EXPECT_EQ(column(air, QStringLiteral("sotrudnik.c_fio")),
              QStringList({QStringLiteral("Зуев Лев"), QStringLiteral("Петров Иван"), QString()}));
}

// Walking the rows in order reads the lookups of the rows ahead before they are
// reached, here through the key index of a table of more than 65,536 rows, for a
// calculated and a stored field: each row still shows its own values, to the
// last row, also for a key that names no row and for no key at all.
TEST_F(DataSetFixture, WalkingRowsShowsEachRowsOwnLookupsIntoABigTable) {
    db.Exec(
        {QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 5 UNION ALL SELECT i + 1 FROM n WHERE i < 70000) "
                        "INSERT INTO tblSotrudnik (id, fam, names) SELECT i, i, 'Ян' FROM n"),
         QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
                        "INSERT INTO tblAir (sotrudnik_id, bortNum) SELECT CASE WHEN i % 50 = 0 THEN NULL "
                        "WHEN i % 70 = 0 THEN 99999999 ELSE i * 7919 % 70000 + 1 END, i FROM n")});
    air.AddLookupField(QStringLiteral("sotrudnik.fam"), TFieldType::String, 30,
                       QStringLiteral("sotrudnik_id"), &staff, QStringLiteral("id"), QStringLiteral("fam"));
    staff.Open();
    air.Open();
    air.SetSort(QStringLiteral("id"));
    const TField* key = air.FieldByName(QStringLiteral("sotrudnik_id"));
    const TField* fio = air.FieldByName(QStringLiteral("sotrudnik.c_fio"));
    const TField* fam = air.FieldByName(QStringLiteral("sotrudnik.fam"));
    int rows = 0;
    // What the database says for the row's key: nothing for a key naming no row or none.
    const auto expected = [&](const char* column) {
        return db
            .Scalar(QStringLiteral("SELECT (SELECT %1 FROM tblSotrudnik WHERE id = %2)")
                        .arg(QLatin1String(column), key->IsNull() ? QStringLiteral("NULL") : key->AsString()))
            .toString();
    };
    for (air.First(); !air.Eof(); air.Next(), ++rows) {
        SCOPED_TRACE(key->AsString().toStdString());
        EXPECT_EQ(fam->AsString(), expected("fam"));
        EXPECT_EQ(fio->AsString(), expected("substr(fam || ' ' || names, 1, 12)"));
    }
    EXPECT_EQ(rows, 303);
}

// Moves made while the controls are disabled are announced once, where the
// dataset then stands, when the last of nested disables is given back; none
// when it did not move.
TEST_F(DataSetFixture, MovesWithControlsDisabledAreAnnouncedOnceAtTheEnd) {
    staff.Open();
    QSignalSpy moves(&staff, &TDataSet::currentChanged);
    int scrolls = 0;
    staff.AfterScroll = [&](TDataSet*) { ++scrolls; };
    staff.DisableControls();
    staff.EnableControls();
    EXPECT_EQ(moves.count(), 0);
    staff.DisableControls();
    staff.DisableControls();
    staff.Next();
    staff.Next();
    staff.EnableControls();
    EXPECT_EQ(moves.count(), 0) << "one disable is still in force";
    staff.Next();
    staff.EnableControls();
    EXPECT_EQ(moves.count(), 1);
    EXPECT_EQ(scrolls, 3) << "the dataset's own handler still runs at every move";
    EXPECT_EQ(staff.RecNo(), 4);
    staff.EnableControls();
    staff.Prior();
    EXPECT_EQ(moves.count(), 2) << "more enables than disables change nothing";
}

TEST_F(DataSetFixture, NavigationAndBookmarks) {
    staff.Open();
    staff.SetSort(QStringLiteral("fam"));
    QStringList seen;
    for (staff.First(); !staff.Eof(); staff.Next()) {
        seen << staff.FieldByName(QStringLiteral("fam"))->AsString();
    }
    EXPECT_EQ(seen.join(QLatin1Char(',')), QStringLiteral("Абрамов,ёлкин,Петров,Яковлев"));
    staff.SetRecNo(3);
    const TBookmark mark = staff.GetBookmark();
    staff.SetSort(QStringLiteral("fam DESC"));
    EXPECT_EQ(staff.RecNo(), 1) << "a new order starts at its first row";
    EXPECT_EQ(staff.FieldByName(QStringLiteral("fam"))->AsString(), QStringLiteral("Яковлев"));
    staff.GotoBookmark(mark);
    EXPECT_EQ(staff.RecNo(), 2);
    staff.Prior();
    staff.Prior();
    EXPECT_TRUE(staff.Bof());
    EXPECT_EQ(staff.RecNo(), 1);
}

TEST_F(DataSetFixture, TypedReadsAndDisplayTexts) {
    air.Open();
    air.SetSort(QStringLiteral("id"));
    EXPECT_EQ(air.FieldByName(QStringLiteral("isActive"))->AsString(), QStringLiteral("Да"));
    EXPECT_EQ(air.FieldByName(QStringLiteral("date_create"))->DisplayText(), QStringLiteral("01.05.2010"));
    EXPECT_EQ(air.FieldByName(QStringLiteral("seats"))->AsFloat(), 210.0);
    air.Last();
    EXPECT_EQ(air.FieldByName(QStringLiteral("date_create"))->AsString(), QString());
    EXPECT_FALSE(air.FieldByName(QStringLiteral("isActive"))->IsNull());
    air.Edit();
    air.FieldByName(QStringLiteral("date_create"))->SetAsString(QStringLiteral("02.03.2019"));
    air.FieldByName(QStringLiteral("bortNum"))->SetAsString(QStringLiteral("RA-1234567890123456"));
    air.Post();
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT date_create FROM tblAir WHERE id = 3")).toString(),
              QStringLiteral("2019-03-02 00:00:00"));
    EXPECT_EQ(db.Scalar(QStringLiteral("SELECT bortNum FROM tblAir WHERE id = 3")).toString(),
              QStringLiteral("RA-123456789012"))
        << "text is kept within its size";
    EXPECT_THROW(air.FieldByName(QStringLiteral("nosuch")), EDatabaseError);
    EXPECT_EQ(air.FindField(QStringLiteral("nosuch")), nullptr);
}

TEST_F(DataSetFixture, WritesOutsideEditStateAndToComputedFieldsAreRefused) {
    air.Open();
    EXPECT_THROW(air.FieldByName(QStringLiteral("seats"))->SetAsInteger(1), EDatabaseError);
    air.Edit();
    EXPECT_THROW(air.FieldByName(QStringLiteral("sotrudnik.c_fio"))->SetAsString(QStringLiteral("x")),
                 EDatabaseError);
    EXPECT_THROW(air.FieldByName(QStringLiteral("seats"))->SetAsString(QStringLiteral("много")),
                 EDatabaseError);
}

TEST_F(DataSetFixture, MissingColumnCannotBeOpened) {
    TTable broken(QStringLiteral("tblAir"));
    broken.setObjectName(QStringLiteral("tblAir"));
    broken.Connection = &db.connection();
    broken.AddDataField(QStringLiteral("wings"), TFieldType::Integer);
    try {
        broken.Open();
        FAIL() << "opened without the column";
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("wings"))) << e.what();
    }
    EXPECT_FALSE(broken.Active());
}

TEST_F(DataSetFixture, IncompatibleTypeCannotBeOpened) {
    db.Exec({QStringLiteral("UPDATE tblSotrudnik SET stage = 'долго' WHERE id = 1")});
    EXPECT_THROW(staff.Open(), EDatabaseError);
    EXPECT_FALSE(staff.Active());
}

TEST_F(DataSetFixture, ReadOnlyDatabaseRefusesChanges) {
    QFile::setPermissions(db.Path(), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    TConnection readOnly(db.Path());
    readOnly.Open();
    staff.Connection = &readOnly;
    staff.Open();
    EXPECT_FALSE(staff.CanModify());
    EXPECT_THROW(staff.Append(), EDatabaseError);
    EXPECT_THROW(staff.Edit(), EDatabaseError);
    EXPECT_THROW(staff.Delete(), EDatabaseError);
    EXPECT_EQ(staff.RecordCount(), 4);
}

TEST_F(DataSetFixture, StaticCursorSeesOtherWritesOnlyAfterReopening) {
    staff.Open();
    db.Exec({QStringLiteral("INSERT INTO tblSotrudnik (fam) VALUES ('Другой')")});
    EXPECT_EQ(staff.RecordCount(), 4);
    staff.Close();
    staff.Open();
    EXPECT_EQ(staff.RecordCount(), 5);
}

TEST_F(DataSetFixture, QueryWithParameter) {
    TQuery query(QStringLiteral("SELECT balance FROM leavings WHERE flight_id = :flight_id"));
    query.Connection = &db.connection();
    query.AddDataField(QStringLiteral("balance"), TFieldType::Float);
    db.Exec({QStringLiteral("INSERT INTO tblFlight (air_id, route_id, isActive) VALUES (1, 1, 1)"),
             QStringLiteral("INSERT INTO tblOrders (flight_id, counts) VALUES (1, 2)")});
    query.ParamByName(QStringLiteral("flight_id")) = 1;
    query.Open();
    EXPECT_EQ(query.FieldByName(QStringLiteral("balance"))->AsFloat(), 208.0);
    EXPECT_FALSE(query.CanModify());
    query.Close();
    query.ParamByName(QStringLiteral("flight_id")) = 2;
    query.Open();
    EXPECT_TRUE(query.IsEmpty());
}

TEST_F(DataSetFixture, SignalsTellControlsWhatChanged) {
    staff.Open();
    QSignalSpy rows(&staff, &TDataSet::rowsChanged);
    QSignalSpy current(&staff, &TDataSet::currentChanged);
    QSignalSpy record(&staff, &TDataSet::recordChanged);
    staff.Next();
    EXPECT_EQ(current.count(), 1);
    staff.Edit();
    staff.FieldByName(QStringLiteral("fam"))->SetAsString(QStringLiteral("Z"));
    EXPECT_EQ(record.count(), 1);
    staff.Post();
    staff.SetSort(QStringLiteral("fam"));
    EXPECT_EQ(rows.count(), 1);
}

} // namespace

// Texts are converted from the engine's UTF-8 by the dataset itself: letters of
// every width, characters outside the basic plane and the empty text read back as stored.
TEST_F(DataSetFixture, TextsOfAnyAlphabetReadBackAsStored) {
    const QString names[] = {QStringLiteral("Ёлкин-Щукин"), QStringLiteral("O'Neil 😀 ß"), QString()};
    db.Exec({QStringLiteral("DELETE FROM tblSotrudnik"),
             QStringLiteral("INSERT INTO tblSotrudnik (id, fam, names) VALUES (1, 'Ёлкин-Щукин', ''), "
                            "(2, 'O''Neil 😀 ß', ''), (3, '', '')")});
    staff.Open();
    staff.SetSort(QStringLiteral("id"));
    for (const QString& name : names) {
        EXPECT_EQ(staff.FieldByName(QStringLiteral("fam"))->AsString(), name);
        EXPECT_FALSE(staff.FieldByName(QStringLiteral("fam"))->IsNull());
        staff.Next();
    }
}
