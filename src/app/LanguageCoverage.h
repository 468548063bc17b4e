#pragma once
// Which captions a language file leaves untranslated: the program's windows are made
// in a temporary program folder holding that file as the Turkish one, the language
// walk runs in Turkish (and the translation editor shows its own captions), and
// every key met without a text is gathered.

#include <QString>
#include <QStringList>

namespace skerra {

struct LanguageCoverage {
    QStringList missingKeys;  // in key order, each once
    QString problem;          // the file could not be read; empty when it was
};

// Needs a QApplication. Leaves the program's folders and translation object as they
// were found (a missing translation object stays missing).
LanguageCoverage checkLanguageCoverage(const QString& turkishFile);

}  // namespace skerra
