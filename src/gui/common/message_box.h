// The message box of every window.
#pragma once

#include <QString>

class QWidget;

namespace kindrela {

// Kinds of icon.
enum TypeMessage { kAttention = 0, kErreur = 1, kInformation = 2, kQuestion = 3 };
// Buttons, combined as a set.
enum : int {
  kBoutonOui = 1, kBoutonNon = 2, kBoutonAnnuler = 8, kBoutonAbandon = 16,
  kBoutonReessayer = 32, kBoutonIgnorer = 64,
  kOuiNonAnnuler = kBoutonOui | kBoutonNon | kBoutonAnnuler,
};
// Results.
enum : int {
  kResultatOk = 1, kResultatAnnuler = 2, kResultatAbandon = 3, kResultatReessayer = 4,
  kResultatIgnorer = 5, kResultatOui = 6, kResultatNon = 7,
};

// The caption of every message box. (Not Qt's application display name,
// which would be appended to every window title.)
QString TitreApplication();

// Shows `texte` with the application title as caption. `boutons` 11 (Yes,
// No, Cancel) shows no icon; 0 shows OK alone. Returns the result code of
// the button pressed (Cancel when the box is closed otherwise).
int BoiteMessage(const QString& texte, int type, int boutons, QWidget* parent = nullptr);

}  // namespace kindrela
