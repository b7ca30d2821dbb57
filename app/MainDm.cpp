#include "app/MainDm.h"

#include "app/Terminate.h"
#include "ui/DialogService.h"

#include <exception>

Tdm* dm = nullptr;

Tdm::Tdm(const QString& fileName) : connect(fileName) {}

bool Tdm::load() {
    try {
        connect.Open();
    } catch (const std::exception& error) {
        dialogs().showError(QString::fromUtf8(error.what()));
    }
    return DataModuleCreate();
}

bool Tdm::DataModuleCreate() {
    try {
        if (!connect.Connected())
            connect.Open();
        return true;
    } catch (const std::exception&) {
        dialogs().information(nullptr, QStringLiteral("Ошибка открытия базы данных!"),
                              QStringLiteral("Сообщение"));
        terminateProcess(0);
        return false;
    }
}
