#pragma once

#include "data/DataSet.h"
#include "data/DataSource.h"
#include "support/TempDatabase.h"

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
        declareStaff();
        declareAir();
        flight.Connection = &db.connection();
        flight.AddDataField(QStringLiteral("id"), TFieldType::AutoInc);
        TField* time = flight.AddDataField(QStringLiteral("timeStart"), TFieldType::DateTime);
        time->DisplayFormat = QStringLiteral("HH:NN");
        time->EditMask = QStringLiteral("!90:00;1;_");
        staff.Open();
        air.Open();
        flight.Open();
    }

    void declareStaff() {
        staff.Connection = &db.connection();
        staff.AddDataField(QStringLiteral("id"), TFieldType::AutoInc);
        staff.AddDataField(QStringLiteral("fam"), TFieldType::String, 30);
        staff.AddDataField(QStringLiteral("names"), TFieldType::String, 30);
        staff.AddDataField(QStringLiteral("subname"), TFieldType::String, 30);
        staff.AddCalcField(QStringLiteral("c_fio"), TFieldType::String, 90);
        staff.AddDataField(QStringLiteral("stage"), TFieldType::Integer);
        staff.OnCalcFields = [](TDataSet* ds) {
            ds->FieldByName(QStringLiteral("c_fio"))
                ->SetAsString(ds->FieldByName(QStringLiteral("fam"))->AsString() + QLatin1Char(' ') +
                              ds->FieldByName(QStringLiteral("names"))->AsString());
        };
    }

    void declareAir() {
        air.Connection = &db.connection();
        air.AddDataField(QStringLiteral("id"), TFieldType::AutoInc);
        air.AddDataField(QStringLiteral("sotrudnik_id"), TFieldType::Integer);
        air.AddLookupField(QStringLiteral("sotrudnik.c_fio"), TFieldType::String, 90,
                           QStringLiteral("sotrudnik_id"), &staff, QStringLiteral("id"),
                           QStringLiteral("c_fio"));
        air.AddDataField(QStringLiteral("bortNum"), TFieldType::String, 15);
        air.AddDataField(QStringLiteral("model"), TFieldType::String, 25);
        air.AddDataField(QStringLiteral("date_create"), TFieldType::DateTime)->EditMask =
            QStringLiteral("!99/99/0000;1;_");
        air.AddDataField(QStringLiteral("isActive"), TFieldType::Boolean)->DisplayValues =
            QStringLiteral("Да;Нет");
        air.AddDataField(QStringLiteral("seats"), TFieldType::Integer);
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
