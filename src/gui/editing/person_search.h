// "Recherche d'une fiche" (`TfmRechFiche`): picks one person from a list
// filtered by a surname prefix, to select it or to link it to person A.
// What the lists hold and which line is chosen come from TRechercheFiche;
// this window binds them to the screen. Created once and shown modally per
// search; the lists stay between searches when the core says so.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "editing/search.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QProgressBar;
class QPushButton;
class QStackedWidget;

namespace kindrela {

struct TApplication;
class TRadioGroup;
class TModeleLignesRecherche;

class TfmRechFiche : public QDialog {
  Q_OBJECT
 public:
  // Browsing with cbSelec shows each candidate in the main window; without
  // these the box is hidden.
  struct Navigation {
    std::function<int()> selection;           // the selected person
    std::function<void(int)> selectionne;     // make n the selected person
    std::function<int()> onglet;              // the record window's tab
    std::function<void(int)> montreOnglet;    // bring a tab of the record window up
  };

  TfmRechFiche(TApplication& app, Navigation navigation = {}, QWidget* parent = nullptr);
  ~TfmRechFiche() override;

  // Shows the dialog modally for A (`a`, ignored in mode 0), starting on
  // person `depart`; the candidate on OK, 0 on cancel. Links nothing.
  int Recherche(ModeRecherche mode, int a, int depart);

  const TRechercheFiche& Etat() const { return *m_etat; }

 private:
  void Ouvre();
  void Construit(bool force);
  void MontreListes();
  void ChangePrefixe(const QString& texte);
  void ChoixNom(int ligne);
  void ChoixPersonne(int ligne);
  void CandidatChange();
  void Navigue(bool actif);
  void Restaure();
  void MetAJourOk();

  TApplication& m_app;
  Navigation m_navigation;
  std::unique_ptr<TRechercheFiche> m_etat;
  int m_selectionDepart = 0;
  int m_ongletDepart = 0;
  int m_candidatMontre = 0;
  bool m_navigue = false;  // a candidate was shown in the main window during this search
  bool m_ecrit = false;  // controls being set: their signals do nothing

  QGroupBox* m_groupe = nullptr;
  QLineEdit* eCommence = nullptr;
  TRadioGroup* RG_Forme = nullptr;
  QCheckBox* cbTous = nullptr;
  QCheckBox* cbRefresh = nullptr;
  QCheckBox* cbSelec = nullptr;
  QLabel* lNom = nullptr;
  QListView* LB_Nom = nullptr;
  QListView* LB_Pre = nullptr;
  QListView* LB_NomPre = nullptr;
  QStackedWidget* m_formes = nullptr;
  QProgressBar* m_barre = nullptr;
  QPushButton* bOk = nullptr;
  TModeleLignesRecherche* m_noms = nullptr;
  TModeleLignesRecherche* m_pre = nullptr;  // the persons, for LB_Pre and LB_NomPre
};

}  // namespace kindrela
