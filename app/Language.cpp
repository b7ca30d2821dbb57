#include "app/Language.h"

#include "data/FormatSettings.h"

#include <QApplication>
#include <QLibraryInfo>

TLanguage::~TLanguage() {
    if (FInstalled)
        QLocale::setDefault(FSavedDefault);
}

void TLanguage::install(QApplication& application) {
    FSavedDefault = QLocale();
    FInstalled = true;
    const QLocale locale = ProgramLocale();
    QLocale::setDefault(locale);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QString qtTexts = QStringLiteral("qtbase");
    const QString separator = QStringLiteral("_");
    if (FQtTexts.load(locale, qtTexts, separator, folder) ||
        FQtTexts.load(QLocale(QLocale::Russian, QLocale::Russia), qtTexts, separator, folder))
        application.installTranslator(&FQtTexts);
}
