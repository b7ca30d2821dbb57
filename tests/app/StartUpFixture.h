#pragma once

#include "app/StartUp.h"
#include "app/Terminate.h"
#include "data/Schema.h"
#include "tests/support/TestDialogService.h"

#include <QApplication>
#include <QList>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

// The program started on a database file of its own, with the screen replaced
// by the test dialog service and the ending of the process only recorded.
class StartUpFixture : public ::testing::Test {
protected:
    void SetUp() override {
        FPreviousTerminate = setTerminateFunction([this](int exitCode) { FExitCodes.append(exitCode); });
    }

    void TearDown() override {
        FStartUp.reset();
        qApp->setStyleSheet({});
        setTerminateFunction(std::move(FPreviousTerminate));
    }

    // Windows are looked up by name, as the user meets them, so the tests
    // hold whichever class each window has.
    static QWidget* window(const QString& name) {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == name)
                return widget;
        return nullptr;
    }

    QString databaseFile() const { return FDir.filePath(QStringLiteral("db.sqlite")); }

    bool startWithDatabase() {
        TSchema::CreateDatabase(databaseFile());
        return start();
    }

    // Starts on the database file, or on the database named.
    bool start(const QString& database = {}) {
        FStartUp = std::make_unique<TStartUp>(database.isEmpty() ? databaseFile() : database);
        return FStartUp->start(*qApp);
    }

    QTemporaryDir FDir;
    TTestDialogService FDialogs;
    QList<int> FExitCodes;
    std::unique_ptr<TStartUp> FStartUp;

private:
    TTerminateFunction FPreviousTerminate;
};
