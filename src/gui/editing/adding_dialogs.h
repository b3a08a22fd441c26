// The dialogs of adding persons: the new person's identity
// (`TfmAjoutePers`, opened during an addition when the option asks for it)
// and "Ajouter une nouvelle fiche" (`TfmAjoute`), the menu's entry point
// that chooses what to add to the selected person.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "editing/adding.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kindrela {

struct TApplication;
class TSaisieAssistee;

// The identity of new person `n`: its surname, given names and (for a
// child or a sibling) its sex, each change stored at once.
class TfmAjoutePers : public QDialog {
  Q_OBJECT
 public:
  TfmAjoutePers(TApplication& app, int n, const std::string& titre, bool sexeAuChoix,
                QWidget* parent = nullptr);
  // "Sélectionner cette personne maintenant", read when the dialog closes.
  bool Selectionner() const;
  // The list offering the names of the tree while they are typed; none
  // when null. Must outlive the dialog.
  void SetSaisieAssistee(TSaisieAssistee* saisie) { m_saisie = saisie; }

 signals:
  // The new person was written: its box is repainted.
  void PersonneModifiee(int n);

 private:
  void Change();
  void MontreSexe();
  void Offre(QLineEdit* edit, bool toutes);
  bool eventFilter(QObject* objet, QEvent* evenement) override;
  void done(int resultat) override;
  TApplication& m_app;
  TSaisieAssistee* m_saisie = nullptr;
  int m_personne;
  QLineEdit* E_Nom = nullptr;
  QLineEdit* E_Pre = nullptr;
  QPushButton* sbSexe = nullptr;
  QCheckBox* cbSelec = nullptr;
};

// "Ajouter une nouvelle fiche": what to add to person `selection` (0: none,
// then only an unlinked person can be made).
class TfmAjoute : public QDialog {
  Q_OBJECT
 public:
  TfmAjoute(TApplication& app, int selection, QWidget* parent = nullptr);
  // The relative chosen; empty for "Une nouvelle personne".
  std::optional<SorteAjout> Choix() const;

 private:
  QLabel* L_Nom = nullptr;
  QRadioButton* RB_Nouvelle = nullptr;
  QRadioButton* RB_Pere = nullptr;
  QRadioButton* RB_Mere = nullptr;
  QRadioButton* RB_Enfant = nullptr;
  QRadioButton* RB_Conj = nullptr;
  QRadioButton* RB_Fatrie = nullptr;
};

}  // namespace kindrela
