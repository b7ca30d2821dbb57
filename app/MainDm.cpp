#include "app/MainDm.h"

#include "app/Terminate.h"
#include "data/Exception.h"
#include "ui/DialogService.h"
#include "ui/ShowingErrors.h"

#include <exception>

Tdm* dm = nullptr;

Tdm::Tdm(const QString& fileName) : connect(fileName) {}

// A server's database that nobody has set up yet holds none of the program's
// tables; that is said once, as a failed opening, rather than as an error for
// every table. A file never opens empty: files are made with their tables.
void Tdm::openConnection() {
    connect.Open();
    if (connect.IsServer() && connect.Engine().describe().isEmpty()) {
        const QString name = connect.DisplayName();
        connect.Close();
        throw EDatabaseError(
            QStringLiteral("В базе данных нет таблиц программы (создайте их: zelvora-db init %1)").arg(name));
    }
}

bool Tdm::load() {
    try {
        openConnection();
    } catch (const std::exception& error) {
        showException(error);
    }
    return DataModuleCreate();
}

bool Tdm::DataModuleCreate() {
    try {
        if (!connect.Connected())
            openConnection();
        return true;
    } catch (const std::exception&) {
        dialogs().information(nullptr, QStringLiteral("Ошибка открытия базы данных!"),
                              QStringLiteral("Сообщение"));
        terminateProcess(0);
        return false;
    }
}
