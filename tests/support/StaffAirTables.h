#pragma once

#include "data/DataSet.h"
#include "data/Table.h"

// Employees and the airliners they command, declared as the data modules
// declare them: the airliners show their commander's name through a lookup,
// the employees their name through a calculated field of `fioSize` characters.
inline void declareStaff(TTable& staff, TConnection& connection, int fioSize) {
    staff.Connection = &connection;
    staff.AddDataField(QStringLiteral("id"), TFieldType::AutoInc);
    staff.AddDataField(QStringLiteral("fam"), TFieldType::String, 30);
    staff.AddDataField(QStringLiteral("names"), TFieldType::String, 30);
    staff.AddDataField(QStringLiteral("subname"), TFieldType::String, 30);
    staff.AddCalcField(QStringLiteral("c_fio"), TFieldType::String, fioSize);
    staff.AddDataField(QStringLiteral("stage"), TFieldType::Integer);
    staff.OnCalcFields = [](TDataSet* ds) {
        ds->FieldByName(QStringLiteral("c_fio"))
            ->SetAsString(ds->FieldByName(QStringLiteral("fam"))->AsString() + QLatin1Char(' ') +
                          ds->FieldByName(QStringLiteral("names"))->AsString());
    };
}

inline void declareAir(TTable& air, TTable& staff, TConnection& connection) {
    air.Connection = &connection;
    air.AddDataField(QStringLiteral("id"), TFieldType::AutoInc);
    air.AddDataField(QStringLiteral("sotrudnik_id"), TFieldType::Integer);
    air.AddLookupField(QStringLiteral("sotrudnik.c_fio"), TFieldType::String, 90,
                       QStringLiteral("sotrudnik_id"), &staff, QStringLiteral("id"), QStringLiteral("c_fio"));
    air.AddDataField(QStringLiteral("bortNum"), TFieldType::String, 15);
    air.AddDataField(QStringLiteral("model"), TFieldType::String, 25);
    air.AddDataField(QStringLiteral("date_create"), TFieldType::DateTime)->EditMask =
        QStringLiteral("!99/99/0000;1;_");
    air.AddDataField(QStringLiteral("isActive"), TFieldType::Boolean)->DisplayValues =
        QStringLiteral("Да;Нет");
    air.AddDataField(QStringLiteral("seats"), TFieldType::Integer);
}
