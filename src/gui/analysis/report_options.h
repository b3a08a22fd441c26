// TfmRapportCritere, the report options: one panel per source of rows,
// shown on the panel of the main window's button pressed: the kinship
// selection (pAff), the column model (pCol), the advanced search
// (pAvance), the predefined reports (pDef) and the web reports (pWeb).
#pragma once

#include <QDialog>
#include <functional>

#include "analysis/report_model.h"
#include "analysis/report_predefined.h"
#include "analysis/web_views.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTableWidget;
class QToolButton;

namespace kindrela {

struct TApplication;
class TfmRapport;

class TfmRapportCritere : public QDialog {
  Q_OBJECT
 public:
  enum Panneau { kCritere = 0, kColonnes = 1, kAvance = 2, kPredefinis = 3, kWeb = 4 };

  // `selecPers` gives the main window's selected person, `ecran` the
  // persons drawn on the chart; both must outlive the window.
  TfmRapportCritere(TApplication& app, TfmRapport& rapport, std::function<int()> selecPers,
                    std::function<TR()> ecran, QWidget* parent = nullptr);

  void MontrePanneau(Panneau p);
  Panneau PanneauCourant() const;
  // The selected person's name in the kinship panel.
  void SetSelecPers(int n);

  // What each panel does (its "Ok" without closing; the tests call them).
  bool ConstruitSelection();
  void AppliqueColonnes();
  bool EvalueAvance();
  bool LancePredefini();
  // The model shown in the column grid, as the grid holds it.
  TModeleColonnes ModeleAffiche() const;
  void AfficheModele(const TModeleColonnes& m);
  // The advanced search as the panel shows it, and back.
  TRechercheAvancee RechercheAffichee() const;
  void AfficheRecherche(const TRechercheAvancee& r);
  TOptionsPredefini OptionsPredefini() const;
  // The web panel's choices; the complement expands in the tree shown.
  TOptionsAscendance OptionsAscendance() const;
  // What "Afficher" of the web panel does with them (the main window
  // writes and shows the page).
  void SetAscendance(std::function<void(const TOptionsAscendance&)> action) { m_ascendance = std::move(action); }

  // Saves the model under `nom` (asks before replacing an existing file
  // unless `sansQuestion`). False when not saved.
  bool SauveModele(const std::string& nom, bool sansQuestion = false);
  bool SauveRecherche(const std::string& nom, bool sansQuestion = false);
  bool ChargeRecherche(const std::string& nom);

 signals:
  void Cache();

 protected:
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* objet, QEvent* event) override;

 private:
  QWidget* PanneauCritere();
  QWidget* PanneauColonnes();
  QWidget* PanneauAvance();
  QWidget* PanneauPredefinis();
  QWidget* PanneauWeb();
  void Ok();
  void VisibiliteCritere();
  void VisibiliteAvance();
  void VisibilitePredefini();
  void ColonnesChangees();
  void AvanceChange();
  void RemplitListeModeles(QComboBox* box, const char* extension);
  // A template typed through the tag editor's stand-in.
  bool EditeModele(QString& texte);
  bool ConfirmeRemplacement(const std::string& chemin);

  TApplication& m_app;
  TfmRapport& m_rapport;
  std::function<int()> m_selecPers;
  std::function<TR()> m_ecran;
  std::function<void(const TOptionsAscendance&)> m_ascendance;
  bool m_charge = false;  // controls being filled: no automatic action
  QStackedWidget* m_pile = nullptr;
  // pAff
  QListWidget* lbAfficher = nullptr;
  QSpinBox* seGen = nullptr;
  QLabel* lGen = nullptr;
  QLabel* lPersonne = nullptr;
  QCheckBox* cbTrie = nullptr;
  QCheckBox* cbAppliquer = nullptr;
  // pCol
  QComboBox* CB_FileList = nullptr;
  QLineEdit* eFile = nullptr;
  QTableWidget* sgCol = nullptr;
  QCheckBox* cbAppCol = nullptr;
  QComboBox* cobLigne = nullptr;
  // pAvance
  QComboBox* cbSource = nullptr;
  QLineEdit* echp[3] = {};
  QToolButton* aide[3] = {};
  QComboBox* cbsign[3] = {};
  QLineEdit* ecomp[3] = {};
  QComboBox* cbetou[2] = {};
  QLineEdit* eTitre = nullptr;
  QComboBox* CB_FileListP = nullptr;
  QLineEdit* eFileP = nullptr;
  QCheckBox* cbAppAvance = nullptr;
  QCheckBox* cbTrtCol = nullptr;
  // pDef
  QListWidget* lbDef = nullptr;
  QSpinBox* seCons = nullptr;
  QComboBox* cbLieux = nullptr;
  QRadioButton* rbEclair1 = nullptr;
  QRadioButton* rbEclair2 = nullptr;
  QLineEdit* eEclair = nullptr;
  QComboBox* cbZodiaque = nullptr;
  QCheckBox* cbAppDef = nullptr;
  QWidget* pCons = nullptr;
  QWidget* pLieux = nullptr;
  QWidget* pEclair = nullptr;
  QWidget* pZodiaque = nullptr;
  // pWeb
  QSpinBox* seWebGen = nullptr;
  QCheckBox* cbWebFratrie = nullptr;
  QCheckBox* cbWebConjoints = nullptr;
  QCheckBox* cbWebComp = nullptr;
  QLineEdit* eWebComp = nullptr;
  QListWidget* lbWeb = nullptr;
};

}  // namespace kindrela
