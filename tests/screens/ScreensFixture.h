#pragma once

#include "data/DataSet.h"
#include "tests/support/ModuleNames.h"
#include "tests/support/TempDatabase.h"
#include "tests/support/TestDialogService.h"

#include <QStringList>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// A small office in a fresh database, its reference books filled, with the
// data modules open, and the user's hands: clicks, typing and choices reach the
// windows as events, as they do in the program, so a handler that leaves an
// error to the application's catch-all fails the test. Every box and window the
// dialog service is asked to show is recorded.
class ScreensFixture : public ::testing::Test, public TModuleNames {
public:
    void SetUp() override;
    // Rows put in before the modules open, beside the reference books.
    virtual void addRows() {}

    // Runs `action` as an event of the application, the way a click or a key
    // arrives, so that an error a handler fails to show reaches the catch-all.
    static void asUser(const std::function<void()>& action);
    // Clicks the button, tool button or menu item of that name in `window`.
    static void click(QWidget& window, const QString& name);
    // Selects the whole text of the box and types `text` over it (an empty text
    // deletes it).
    static void type(QWidget& window, const QString& name, const QString& text);
    // Chooses the one row whose shown text in a lookup box starts with `text`
    // (the whole text will do), as a user picks it from the list.
    static void choose(QWidget& window, const QString& name, const QString& text);
    template <class T> static T* find(QWidget& window, const QString& name) {
        T* child = window.findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name.toStdString();
        return child;
    }

    // The texts of the boxes shown so far, in order; of one kind only when given.
    QStringList shown() const;
    QStringList shown(TMsgKind kind) const;
    // The texts of every box but the questions, in order.
    QStringList told() const;
    int count(const QString& table);
    // The field's texts over the visible rows, in order.
    static QStringList column(const TDataSet* ds, const QString& field);
    static void locate(TDataSet* ds, int id);

    TTempDatabase db;
    std::unique_ptr<TDataModules> modules;
    TTestDialogService dialogs;
};
