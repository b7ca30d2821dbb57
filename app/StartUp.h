#pragma once

#include "app/Language.h"
#include "reports/ReportScreen.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QApplication;
class TDataModules;
class TForm;

// The program's start-up: the language of the window system's own texts and
// the style, then the long-lived windows and data modules one after the other
// in a fixed order (each needs those before it), then the main window and the
// message loop. Nothing is created afterwards.
class TStartUp {
public:
    explicit TStartUp(QString databaseFile = QStringLiteral("db.sqlite"));
    // Only reached when the message loop returns, or in tests: the process
    // normally ends by terminating, without releasing anything.
    ~TStartUp();
    TStartUp(const TStartUp&) = delete;
    TStartUp& operator=(const TStartUp&) = delete;

    // Everything up to the message loop, the main window shown. False when the
    // program ended during creation (the database could not be opened).
    bool start(QApplication& application);
    // start, then the message loop.
    int run(QApplication& application);

    // The global instances in the order of their creation.
    static QStringList creationOrder();

    // The operations of the creation steps.
    template <class T, class... TArgs> bool create(T*& instance, TArgs&&... args);
    bool createMainDm();
    // Opens the tables of the next data module in their order.
    bool openModule();

    // The data modules, once the database is open.
    TDataModules* modules() const { return FModules.get(); }

private:
    bool createObjects();
    template <class T> void remember(T*& instance);
    void bindImages(TForm& form) const;

    QString FDatabaseFile;
    std::unique_ptr<TDataModules> FModules;
    std::vector<std::function<void()>> FReleases;
    TLanguage FLanguage;
    TReportScreen FReportScreen;
};
