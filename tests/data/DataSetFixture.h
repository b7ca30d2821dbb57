#pragma once

#include "data/DataSet.h"
#include "data/Table.h"
#include "tests/support/StaffAirTables.h"
#include "tests/support/TempDatabase.h"

#include <QStringList>
#include <gtest/gtest.h>

// Employees and the airliners they command, with a name field of 12
// characters, short enough to show calculated values being cut to size. The
// rows are the same on a file and on a server, so suites whose behaviour does
// not depend on the engine can run on both.
class DataSetFixture : public ::testing::Test {
protected:
    explicit DataSetFixture(TEngineKind engine = TEngineKind::File) : db(engine) {}

    void SetUp() override {
        db.Exec({QStringLiteral("INSERT INTO tblSotrudnik (fam, names, subname, stage) VALUES "
                                "('Петров', 'Иван', 'Ильич', 12), ('Абрамов', 'Олег', '', 3), "
                                "('Яковлев', 'Пётр', 'Ан', 20), ('ёлкин', 'Ян', NULL, NULL)"),
                 QStringLiteral(
                     "INSERT INTO tblAir (sotrudnik_id, bortNum, model, date_create, isActive, seats) VALUES "
                     "(1, 'RA-1', 'Ту-204', '2010-05-01 00:00:00', '1', 210), "
                     "(2, 'RA-2', 'Ил-96', '2015-01-20 00:00:00', '0', 300), "
                     "(9, 'RA-3', 'Ан-24', NULL, '1', 48)")});
        declareStaff(staff, db.connection(), 12);
        declareAir(air, staff, db.connection());
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
