#include "app/DatabaseChoice.h"

#include <QProcessEnvironment>

QString chosenDatabase(const QStringList& arguments) {
    const QString option = QStringLiteral("--db");
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == option && i + 1 < arguments.size())
            return arguments[i + 1];
        if (arguments[i].startsWith(option + QLatin1Char('=')))
            return arguments[i].mid(option.size() + 1);
    }
    const QString fromEnvironment =
        QProcessEnvironment::systemEnvironment().value(QStringLiteral("ZELVORA_DB"));
    return fromEnvironment.isEmpty() ? QStringLiteral("db.sqlite") : fromEnvironment;
}
