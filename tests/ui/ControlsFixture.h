#pragma once

#include "data/DataSet.h"
#include "data/DataSource.h"
#include "data/Table.h"
#include "tests/support/StaffAirTables.h"
#include "tests/support/TempDatabase.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>

// Types text the way a keyboard does, letters outside ASCII included (the test
// library's key clicks know only ASCII).
inline void typeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

// Employees, their airliners and one flight in a fresh database, declared the way
// the data modules declare them, each with a data source the controls bind to.
class ControlsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        db.Exec(
            {QStringLiteral("INSERT INTO tblSotrudnik (fam, names, subname, stage) VALUES "
                            "('Петров', 'Иван', 'Ильич', 12), ('Абрамов', 'Олег', 'Ан', 3), "
                            "('Яковлев', 'Пётр', 'Ан', 20)"),
             QStringLiteral(
                 "INSERT INTO tblAir (sotrudnik_id, bortNum, model, date_create, isActive, seats) VALUES "
                 "(1, 'RA-1', 'Ту-204', '2019-03-12 00:00:00', 1, 210), "
                 "(3, 'RA-2', 'Ил-96', NULL, 0, 300), "
                 "(NULL, 'RA-3', 'Ан-24', NULL, NULL, 48)"),
             QStringLiteral("INSERT INTO tblFlight (air_id, route_id, dateStart, timeStart, isActive) VALUES "
                            "(1, 1, '2019-03-15 00:00:00', '1899-12-30 09:30:00', 1)")});
        declareStaff(staff, db.connection(), 90);
        declareAir(air, staff, db.connection());
        flight.Connection = &db.connection();
        flight.AddDataField(QStringLiteral("id"), TFieldType::AutoInc);
        TField* time = flight.AddDataField(QStringLiteral("timeStart"), TFieldType::DateTime);
        time->DisplayFormat = QStringLiteral("HH:NN");
        time->EditMask = QStringLiteral("!90:00;1;_");
        staff.Open();
        air.Open();
        flight.Open();
    }

    TField* airField(const char* name) const { return air.FieldByName(QString::fromUtf8(name)); }

    TTempDatabase db;
    TTable staff{QStringLiteral("tblSotrudnik")};
    TTable air{QStringLiteral("tblAir")};
    TTable flight{QStringLiteral("tblFlight")};
    TDataSource staffSource{&staff};
    TDataSource airSource{&air};
    TDataSource flightSource{&flight};
};
