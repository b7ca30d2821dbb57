// Sells seats on one flight from a process of its own, the way a second
// office on the same database (a file or a server) would, through the
// program's sales and seat-balance modules.
//
//   sale_worker DATABASE FLIGHT ATTEMPTS
//
// Opens DATABASE, prints "ready" and waits for a line on its input, so that a
// test can start every worker at once. Then tries ATTEMPTS sales and prints one line for
// each: "sold ID", "refused TEXT" or "error TEXT". Exit code 0 when every
// attempt was sold or refused, 1 otherwise, 2 for bad arguments or a file
// that cannot be opened.
#include "data/Connection.h"
#include "data/DataSet.h"
#include "data/LeavingsDm.h"
#include "data/OrdersDm.h"
#include "data/SoldOut.h"

#include <QCoreApplication>
#include <QTextStream>
#include <iostream>
#include <string>

namespace {

// One attempt, reported as its output line. Anything the sales table refuses,
// from the first step to the write (a read-only file refuses the new record
// itself), is an answer of this attempt, never the end of the worker.
QString sellOne(TdmOrders& orders, int flightId, int attempt) {
    TDataSet* tbl = orders.tbl;
    try {
        tbl->Append();
        tbl->FieldByName(QStringLiteral("flight_id"))->SetAsInteger(flightId);
        tbl->FieldByName(QStringLiteral("clients_id"))->SetAsInteger(1);
        tbl->FieldByName(QStringLiteral("card_id"))->SetAsInteger(1);
        tbl->FieldByName(QStringLiteral("mesto"))->SetAsString(QString::number(attempt));
        tbl->Post();
        return QStringLiteral("sold %1").arg(tbl->FieldByName(QStringLiteral("id"))->AsInteger());
    } catch (const ESoldOut& e) {
        tbl->Cancel();
        return QStringLiteral("refused ") + e.Message();
    } catch (const Exception& e) {
        tbl->Cancel();
        return QStringLiteral("error ") + e.Message();
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool flightOk = false;
    bool attemptsOk = false;
    const int flightId = args.value(2).toInt(&flightOk);
    const int attempts = args.value(3).toInt(&attemptsOk);
    QTextStream out(stdout);
    if (args.size() != 4 || !flightOk || !attemptsOk) {
        QTextStream(stderr) << "usage: sale_worker DATABASE FLIGHT ATTEMPTS\n";
        return 2;
    }
    TConnection connection(args[1]);
    // Lookups do not enter the sale's check, so the sales module is given none.
    TdmLeavings leavings(&connection);
    TdmOrders orders(&connection, nullptr, nullptr, nullptr, &leavings);
    try {
        connection.Open();
        leavings.DataModuleCreate(&leavings);
        orders.DataModuleCreate(&orders);
    } catch (const Exception& e) {
        QTextStream(stderr) << e.Message() << '\n';
        return 2;
    }
    out << "ready" << Qt::endl;
    std::string go;
    std::getline(std::cin, go);
    bool allAnswered = true;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        const QString line = sellOne(orders, flightId, attempt);
        allAnswered = allAnswered && !line.startsWith(QStringLiteral("error"));
        out << line << Qt::endl;
    }
    return allAnswered ? 0 : 1;
}
