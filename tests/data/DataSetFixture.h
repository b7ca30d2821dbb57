#pragma once

#include "data/DataSet.h"
#include "support/TempDatabase.h"

#include <QStringList>
#include <gtest/gtest.h>

// Employees and the airliners they command, declared the way the program
// declares them: the airliners show their commander's name through a lookup and
// a description through a calculated field.
class DataSetFixture : public ::testing::Test {
protected:
    void SetUp() override {
        db.Exec({QStringLiteral("INSERT INTO tblSotrudnik (fam, names, subname, stage) VALUES "
                                "('Петров', 'Иван', 'Ильич', 12), ('Абрамов', 'Олег', '', 3), "
                                "('Яковлев', 'Пётр', 'Ан', 20), ('ёлкин', 'Ян', NULL, NULL)"),
                 QStringLiteral(
                     "INSERT INTO tblAir (sotrudnik_id, bortNum, model, date_create, isActive, seats) VALUES "
                     "(1, 'RA-1', 'Ту-204', '2010-05-01 00:00:00', 1, 210), "
                     "(2, 'RA-2', 'Ил-96', '2015-01-20 00:00:00', 0, 300), "
                     "(9, 'RA-3', 'Ан-24', NULL, 1, 48)")});
        staff.Connection = &db.connection();
        staff.setObjectName(QStringLiteral("tblSotrudnik"));
        staff.AddDataField(QStringLiteral("id"), TFieldType::AutoInc);
        staff.AddDataField(QStringLiteral("fam"), TFieldType::String, 30);
        staff.AddDataField(QStringLiteral("names"), TFieldType::String, 30);
        staff.AddDataField(QStringLiteral("subname"), TFieldType::String, 30);
        staff.AddCalcField(QStringLiteral("c_fio"), TFieldType::String, 12);
        staff.AddDataField(QStringLiteral("stage"), TFieldType::Integer);
        staff.OnCalcFields = [](TDataSet* ds) {
            ds->FieldByName(QStringLiteral("c_fio"))
                ->SetAsString(ds->FieldByName(QStringLiteral("fam"))->AsString() + QLatin1Char(' ') +
                              ds->FieldByName(QStringLiteral("names"))->AsString());
        };
        air.Connection = &db.connection();
        air.AddDataField(QStringLiteral("id"), TFieldType::AutoInc);
        air.AddDataField(QStringLiteral("sotrudnik_id"), TFieldType::Integer);
        air.AddLookupField(QStringLiteral("sotrudnik.c_fio"), TFieldType::String, 90,
                           QStringLiteral("sotrudnik_id"), &staff, QStringLiteral("id"),
                           QStringLiteral("c_fio"));
        air.AddDataField(QStringLiteral("bortNum"), TFieldType::String, 15);
        air.AddDataField(QStringLiteral("model"), TFieldType::String, 25);
        air.AddDataField(QStringLiteral("date_create"), TFieldType::DateTime);
        air.AddDataField(QStringLiteral("isActive"), TFieldType::Boolean)->DisplayValues =
            QStringLiteral("Да;Нет");
        air.AddDataField(QStringLiteral("seats"), TFieldType::Integer);
    }

    // The texts of one field over the visible rows, in order.
    static QStringList column(const TDataSet& ds, const QString& name) {
        QStringList texts;
        const TField* field = ds.FieldByName(name);
        for (int row = 0; row < ds.RecordCount(); ++row) {
            texts << ds.displayTextAt(row, field);
        }
        return texts;
    }

    TTempDatabase db;
    TTable staff{QStringLiteral("tblSotrudnik")};
    TTable air{QStringLiteral("tblAir")};
};
