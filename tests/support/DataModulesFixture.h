#pragma once

#include "data/DataSet.h"
#include "data/Exception.h"
#include "tests/support/ModuleNames.h"
#include "tests/support/TempDatabase.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

// A small office: a few rows in every table, put in out of order so the
// default sorts show, and the eight data modules made and opened as the
// program does. It runs on either engine: the behaviour of the modules is the
// same on a file and on a server.
class DataModulesFixture : public ::testing::Test, public TModuleNames {
protected:
    explicit DataModulesFixture(TEngineKind engine = TEngineKind::File) : db(engine) {}

    void SetUp() override {
        db.Exec({
            QStringLiteral("INSERT INTO tblSotrudnik (id, fam, names, subname, stage) VALUES "
                           "(1, 'Петров', 'Пётр', 'Петрович', 12), (2, 'Аксенов', 'Иван', NULL, 3)"),
            QStringLiteral(
                "INSERT INTO tblCard (id, names, percent) VALUES "
                "(1, 'Эконом', '0'), (2, 'Бизнес', '50'), (3, 'Комфорт', '12,5'), (4, 'Акция', '-5'), "
                "(5, 'Ошибка', 'abc'), (6, 'Пусто', NULL), (7, 'Десять', '10'), (8, 'Бесконечно', 'inf'), "
                "(9, 'Огромно', '1e300')"),
            QStringLiteral("INSERT INTO tblRoute (id, airStart, airTarget, price, times) VALUES "
                           "(7, 'Москва', 'Сочи', 4500.5, 150), (1, 'Казань', 'Омск', 1234.567, 90), "
                           "(2, 'Анапа', 'Сочи', 4500, 60), (3, 'Уфа', 'Пермь', NULL, NULL)"),
            QStringLiteral(
                "INSERT INTO tblAir (id, sotrudnik_id, bortNum, model, date_create, lifetime, isActive, "
                "seats) VALUES (2, 2, 'RA-96005', 'Ил-96', '2015-01-20 00:00:00', 25, '0', 300), "
                "(1, 1, 'RA-64001', 'Ту-204', '2010-05-01 00:00:00', 20, '1', 210)"),
            QStringLiteral(
                "INSERT INTO tblClients (id, fam, names, subname, phones) VALUES "
                "(1, 'Сидоров', 'Сидор', 'Сидорович', '+79001234567'), (2, 'Белов', 'Олег', '', '')"),
            QStringLiteral(
                "INSERT INTO tblFlight (id, air_id, route_id, dateStart, timeStart, isActive) VALUES "
                "(12, 1, 7, '2019-12-25 00:00:00', '1899-12-30 09:30:00', '1'), "
                "(3, 1, 2, '2019-01-10 08:15:00', NULL, '0'), "
                "(4, 2, 999, '2019-06-01 00:00:00', '1899-12-30 18:05:00', '1')"),
            QStringLiteral("INSERT INTO tblOrders (id, flight_id, clients_id, card_id, mesto, counts) VALUES "
                           "(5, 3, 1, 7, '1A', 2), (2, 12, 2, 2, '2B', 1)"),
        });
    }

    // The eight modules as the program makes them. A table that cannot be
    // opened is left closed and the others open, as at start-up.
    void createModules() {
        modules = std::make_unique<TDataModules>(db.connection());
        openErrors = modules->openAll();
        nameModules(*modules);
    }

    // The texts of one field over the visible rows, in order.
    static QStringList column(const TDataSet* ds, const QString& name) {
        QStringList texts;
        const TField* field = ds->FieldByName(name);
        for (int row = 0; row < ds->RecordCount(); ++row) {
            texts << ds->displayTextAt(row, field);
        }
        return texts;
    }

    // Makes the row whose `id` (or other key) is `key` current.
    static void locate(TDataSet* ds, int key, const QString& keyName = QStringLiteral("id")) {
        for (ds->First(); !ds->Eof(); ds->Next()) {
            if (ds->FieldByName(keyName)->AsInteger() == key) {
                return;
            }
        }
        FAIL() << "no row " << key << " in " << ds->objectName().toStdString();
    }

    static QString text(const TDataSet* ds, const QString& name) { return ds->FieldByName(name)->AsString(); }

    TTempDatabase db;
    QStringList openErrors;
    std::unique_ptr<TDataModules> modules;
};
