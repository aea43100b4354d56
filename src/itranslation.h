#ifndef ITRANSLATION_H
#define ITRANSLATION_H

#include <QString>

// Loads the user-interface translation of a language id from
// "<resources>/Lang/<id>.qm" and installs it in the application.
class ITranslation
{
public:
    static QString qmFilePath(const QString& langid);
    // False (and a log line) when the file is missing or unreadable; the program then
    // runs with its source texts. A translation loaded before is replaced; the one in
    // use already is kept. Qt's own
    // translation of the language is installed too where the system has it, so the
    // reasons Qt gives for a failed file operation read in the user's language.
    static bool install(const QString& langid);
};

#endif
