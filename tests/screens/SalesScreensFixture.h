#pragma once

#include "ScreensFixture.h"
#include "tests/support/RussianSettings.h"
#include "ui/Form.h"

#include <memory>
#include <ostream>

// Texts in failure messages as text rather than as code units.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// The reference books of ScreensFixture, plus flights, the seat balance and
// sales. Airliner 3 has a single seat, and flight 4 on it is sold out; the
// reference windows that "Найти" buttons show are stand-ins with their names.
//
//   flight 1: airliner 1, route 1, 05.12.2019, open    sale 1
//   flight 2: airliner 2, route 2, 20.12.2019, closed
//   flight 3: airliner 1, route 5, 10.01.2020, open
//   flight 4: airliner 3, route 1, 15.12.2019, open    sale 2 (its one seat)
class SalesScreensFixture : public ScreensFixture {
public:
    void SetUp() override {
        ScreensFixture::SetUp();
        airList = standIn("frmAir");
        routeList = standIn("frmRoute");
        clientsList = standIn("frmClients");
    }

    void addRows() override {
        db.Exec({
            QStringLiteral("INSERT INTO tblAir (id, sotrudnik_id, bortNum, model, isActive, seats) "
                           "VALUES (3, 3, 'RA-02801', 'Ан-2', 1, 1)"),
            QStringLiteral(
                "INSERT INTO tblFlight (id, air_id, route_id, dateStart, timeStart, isActive) VALUES "
                "(1, 1, 1, '2019-12-05 00:00:00', '1899-12-30 09:30:00', 1), "
                "(2, 2, 2, '2019-12-20 00:00:00', '1899-12-30 18:05:00', 0), "
                "(3, 1, 5, '2020-01-10 00:00:00', NULL, 1), "
                "(4, 3, 1, '2019-12-15 00:00:00', '1899-12-30 07:00:00', 1)"),
            QStringLiteral("INSERT INTO tblOrders (id, flight_id, clients_id, card_id, mesto, counts) VALUES "
                           "(1, 1, 1, 1, '1A', 1), (2, 4, 2, 2, '1', 1)"),
        });
    }

    // The text a row of a reference book shows in a chooser.
    static QString textOf(TDataSet* ds, int id, const QString& field) {
        locate(ds, id);
        return ds->FieldByName(field)->AsString();
    }

    static std::unique_ptr<TForm> standIn(const char* name) {
        auto window = std::make_unique<TForm>();
        window->setObjectName(QString::fromLatin1(name));
        return window;
    }

    TRussianSettings russian;
    std::unique_ptr<TForm> airList;
    std::unique_ptr<TForm> routeList;
    std::unique_ptr<TForm> clientsList;
};
