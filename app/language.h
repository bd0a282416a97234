#pragma once

#include <QString>

class QLocale;
class QTranslator;

// The catalogue file (appended to the application folder, leading "//"
// included) and the language code the service and the reports expect.
struct LanguageChoice
{
    QString fileName;
    QString code;
};

LanguageChoice languageChoiceFor(const QLocale &locale);

// Loads the catalogue matching the default locale into translator, records
// its code for currentLanguage() and returns the code. A missing catalogue is
// not an error: the Chinese source texts then show.
QString selectLanguage(QTranslator *translator);

// The folder the catalogue file names are appended to: the application folder
// while it holds "language", otherwise an installed package's data folder.
QString languageBaseFolder(const QString &applicationDir);

// The code chosen by selectLanguage(), empty before it ran.
QString currentLanguage();
