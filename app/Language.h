#pragma once

#include <QLocale>
#include <QTranslator>

class QApplication;

// The language of what the window system draws for the program: the standard
// buttons of message boxes, the file dialogs, the calendar of a date picker.
// The program's own texts are Russian; these follow the user's language as the
// system's own would, and are Russian where the system names no language or
// Qt has no translation for it.
class TLanguage {
public:
    TLanguage() = default;
    // Puts back the default locale that was in force before install.
    ~TLanguage();
    TLanguage(const TLanguage&) = delete;
    TLanguage& operator=(const TLanguage&) = delete;

    // Before any window is made: windows take the default locale when they are made.
    void install(QApplication& application);

private:
    QTranslator FQtTexts;
    QLocale FSavedDefault;
    bool FInstalled = false;
};
