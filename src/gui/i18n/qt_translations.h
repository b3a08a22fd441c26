// Qt's own texts (file dialogs, standard buttons, context menus of text
// fields) in the interface language, from the translations Qt ships.
#pragma once

class QCoreApplication;

namespace kindrela {

class TTraduction;

// Installs on `appli` Qt's translation for the language the translation
// file names under the key "langue_qt" ("fr", "en", ...) in the interface
// language's column. True when one was found in Qt's translation folder;
// false leaves Qt's English texts (and for "en" there is nothing to load).
bool ChargeTraductionsQt(QCoreApplication& appli, const TTraduction& traduction);

}  // namespace kindrela
