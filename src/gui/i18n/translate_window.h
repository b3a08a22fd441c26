// Applies the translation file's window entries to a Qt window, finding
// controls by their object names.
#pragma once

class QWidget;

namespace kindrela {

class TTraduction;

// Sets the captions, hints and item lists of `form` and of the controls it
// owns from the entries whose key starts with the form's object name (the
// part before its first "_", so a second instance shares the entries of the
// first). A line that does not fit its control is skipped. Does nothing when
// `trad.Langue` is not positive.
void TraduitFenetre(QWidget* form, const TTraduction& trad);

}  // namespace kindrela
