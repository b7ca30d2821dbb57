#include "CopyData.h"
#include "DemoData.h"
#include "GeneratedData.h"
#include "TableWriter.h"

#include "data/Connection.h"
#include "data/Exception.h"
#include "data/Schema.h"
#include "resources/ProgramInfo.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include <functional>

namespace {

const char* const HelpText = R"(Usage: zelvora-db COMMAND DATABASE [OPTIONS]

Sets up the ticket office's database: a file (db.sqlite in the program's
current directory), or a PostgreSQL database that several desks share, named
by its URI, postgresql://user@host:port/dbname (libpq's environment variables
and password file apply). Wherever FILE stands below, such a URI may stand.

Commands:
  init FILE                      create a new, empty database
  demo FILE                      create a database with demo data: 20 routes,
                                 15 employees, 10 airliners, 200 clients,
                                 4 ticket types, 60 flights over three months
                                 around today and 500 sales
  generate FILE --sales N [--seed S]
                                 create a large synthetic database for
                                 benchmarks; routes, clients and flights grow
                                 with N; the same seed (default 1) gives the
                                 same file
  check FILE                     compare the tables, columns, types and the
                                 view leavings with what the program needs;
                                 print every difference
  copy SOURCE TARGET             copy every row of SOURCE into a new TARGET
                                 (a file into a server's empty database, or
                                 back), ids kept, in one transaction
  --help                         show this text
  --version                      show the version

init, demo, generate and copy never overwrite: they refuse a file that exists
or a server database that already holds tables. They build a new file under a
temporary name in the same folder and give it its name only when it is
complete; on a server everything is one transaction. check only reads and
changes nothing.

The view leavings gives one row per flight. Its expenditure adds up the counts
of the flight's sales (a sale of three tickets takes three seats), and its
balance is the airliner's seats less the expenditure; a flight without sales
keeps all its seats.

Exit status: 0 on success; 1 on any error or difference, with one line on
standard error saying why.
)";

// Bad input is the user's to mend, so it ends the command with a message rather
// than a crash or a half-made file.
class EUsage : public Exception {
public:
    using Exception::Exception;
};

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

QString argument(const QStringList& args, int index) {
    if (index >= args.size() || args[index].startsWith(u'-'))
        throw EUsage(QStringLiteral("FILE is missing; see zelvora-db --help"));
    return args[index];
}

void expectCount(const QStringList& args, int count) {
    if (args.size() > count)
        throw EUsage(QStringLiteral("unexpected argument '%1'; see zelvora-db --help").arg(args[count]));
}

qint64 numberOption(const QStringList& args, const QString& name, qint64 low, qint64 high, qint64 fallback) {
    const qsizetype at = args.indexOf(name);
    if (at < 0)
        return fallback;
    bool ok = false;
    const qint64 value = at + 1 < args.size() ? args[at + 1].toLongLong(&ok) : 0;
    if (!ok || value < low || value > high)
        throw EUsage(QStringLiteral("%1 needs a whole number from %2 to %3").arg(name).arg(low).arg(high));
    return value;
}

// Creates the database from the schema and fills it in one transaction;
// whatever goes wrong, no half-filled database stays behind.
void createFilled(const QString& name, const std::function<void(TDatabaseEngine&)>& fill) {
    TSchema::CreateDatabase(name, [&](TConnection& connection) { fill(connection.Engine()); });
}

int init(const QStringList& args) {
    expectCount(args, 2);
    const QString file = argument(args, 1);
    TSchema::CreateDatabase(file);
    out() << "Created an empty database: " << file << Qt::endl;
    return 0;
}

int demo(const QStringList& args) {
    expectCount(args, 2);
    const QString file = argument(args, 1);
    createFilled(file, [](TDatabaseEngine& db) { fillDemoData(db, QDate::currentDate()); });
    out() << "Created a demo database: " << file << Qt::endl;
    return 0;
}

int generate(const QStringList& args) {
    const QString file = argument(args, 1);
    if (args.indexOf(QStringLiteral("--sales")) < 0)
        throw EUsage(QStringLiteral("generate needs --sales N; see zelvora-db --help"));
    for (int i = 2; i < args.size(); i += 2)
        if (args[i] != QStringLiteral("--sales") && args[i] != QStringLiteral("--seed"))
            throw EUsage(QStringLiteral("unknown option '%1'; see zelvora-db --help").arg(args[i]));
    const TGeneratedSize size =
        TGeneratedSize::ForSales(numberOption(args, QStringLiteral("--sales"), 1, 100000000, 0));
    const auto seed = quint32(numberOption(args, QStringLiteral("--seed"), 0, 4294967295LL, 1));
    QElapsedTimer timer;
    timer.start();
    createFilled(file, [&](TDatabaseEngine& db) { fillGeneratedData(db, size, seed); });
    // The name goes outside the pattern: a URI's escapes ("%2F") would read as places to fill.
    out() << "Created " << file
          << QStringLiteral(
                 ": %1 sales, %2 flights, %3 clients, %4 routes, %5 airliners, %6 employees in %7 s")
                 .arg(size.Sales)
                 .arg(size.Flights)
                 .arg(size.Clients)
                 .arg(size.Routes)
                 .arg(size.Airliners)
                 .arg(size.Employees)
                 .arg(double(timer.elapsed()) / 1000.0, 0, 'f', 1)
          << Qt::endl;
    return 0;
}

int check(const QStringList& args) {
    expectCount(args, 2);
    const QString file = argument(args, 1);
    TConnection connection(file, TOpenMode::ReadOnly);
    connection.Open();
    const QStringList differences = TSchema::Check(connection.Engine());
    for (const QString& line : differences)
        out() << line << Qt::endl;
    if (!differences.isEmpty())
        throw Exception(QStringLiteral("%1 differs from the schema the program needs in %2 place(s)")
                            .arg(file, QString::number(differences.size())));
    out() << file << ": the database is as the program needs it" << Qt::endl;
    return 0;
}

int copy(const QStringList& args) {
    expectCount(args, 3);
    const QString source = argument(args, 1);
    const QString target = argument(args, 2);
    const qint64 rows = copyDatabase(source, target);
    out() << QStringLiteral("Copied %1 rows from %2 to %3").arg(rows).arg(source, target) << Qt::endl;
    return 0;
}

int run(const QStringList& args) {
    if (args.isEmpty())
        throw EUsage(QStringLiteral("a command is missing; see zelvora-db --help"));
    const QString& command = args[0];
    if (command == QStringLiteral("--help") || command == QStringLiteral("-h") ||
        command == QStringLiteral("help")) {
        out() << HelpText;
        return 0;
    }
    if (command == QStringLiteral("--version")) {
        out() << "zelvora-db " << ZelvoraVersion << Qt::endl;
        return 0;
    }
    const QList<QPair<QString, std::function<int(const QStringList&)>>> commands = {
        {QStringLiteral("init"), init},         {QStringLiteral("demo"), demo},
        {QStringLiteral("generate"), generate}, {QStringLiteral("check"), check},
        {QStringLiteral("copy"), copy},
    };
    for (const auto& [name, action] : commands)
        if (command == name)
            return action(args);
    throw EUsage(QStringLiteral("unknown command '%1'; see zelvora-db --help").arg(command));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        return run(app.arguments().mid(1));
    } catch (const Exception& error) {
        out().flush();
        QTextStream(stderr) << "zelvora-db: " << error.Message() << Qt::endl;
    } catch (const std::exception& error) {
        out().flush();
        QTextStream(stderr) << "zelvora-db: " << error.what() << Qt::endl;
    }
    return 1;
}
