// TfmRapport, the report window: a stay-on-top tool window holding the
// sortable grid `sgRapport` of the shared report (TApplication::rapport),
// coloured from the web style sheet, with its exports (text, web page,
// spreadsheet). What is in the grid is decided by the core
// (analysis/report_*.h); this window binds it to the screen.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "analysis/report_model.h"
#include "analysis/report_predefined.h"

class QLabel;
class QProgressBar;
class QTableView;
class QStackedLayout;

namespace kindrela {

struct TApplication;
class TModeleGrilleRapport;

class TfmRapport : public QWidget {
  Q_OBJECT
 public:
  TfmRapport(TApplication& app, QWidget* parent = nullptr);
  ~TfmRapport() override;

  // The main window's selected person (the row shown selected).
  void SetSelecPers(int n);

  // The column model in use and its name (`eFile` of the options).
  TModeleColonnes& Modele() { return m_modele; }
  const std::string& NomModele() const { return m_nomModele; }
  // Loads model `nom` from the report model folder (empty: the default
  // model); a file that cannot be read gives an empty model. Returns false then.
  bool ChargeModele(const std::string& nom);
  // Row formatting, 0..2 ("cobLigne").
  int MiseEnForme() const { return m_miseEnForme; }
  void SetMiseEnForme(int v);

  bool Occupe() const;
  // Before a predefined report or a listing: caption message 570, the list
  // dropped, the rows' persons cleared, no sorted column.
  void InitRapport();
  // After: the titles fixed, the grid shown when it has rows, the width fitted.
  void FinRapport();

  // Replaces the report list and fills the grid from it with the column
  // model (the deletion, the statistics and the record window call it).
  // Refused (false) while a report is being built or when cancelled.
  bool MontreListe(TR liste, const std::string& titre);
  // Fills the grid again from the current list.
  bool RemplitListe();
  // Predefined report `numero`; false when refused or cancelled.
  bool LancePredefini(int numero, const TOptionsPredefini& options);
  // The statistics' columns as two columns (label, value), captioned `titre`.
  void CopieStatistique(const std::string& titre, const std::vector<std::string>& valX,
                        const std::vector<long long>& valY);
  // A plain table of `colonnes` holding `lignes` in their order (no person
  // on any row), captioned `titre`. Refused (false) while a report is built.
  bool CopieTableau(const std::string& titre, std::vector<TColonneRapport> colonnes,
                    const std::vector<std::vector<std::string>>& lignes);
  // The grid changed behind the window's back (after the core filled it).
  void Rafraichit();

  // The exports of the main window's report menu.
  void ExporteTexte();      // save dialog with the three separators
  void ExporteNavigateur(); // the grid page, opened in the browser
  void ExporteTableur();    // the grid as a spreadsheet file, opened in its program

  // How an exported file is opened: by default with the desktop's program
  // for its kind; true when one was started. Tests put their own.
  using Ouvreur = std::function<bool(const QString& chemin)>;
  void SetOuvreur(Ouvreur o) { m_ouvreur = std::move(o); }
  const Ouvreur& OuvreurFichiers() const { return m_ouvreur; }

  // Clicking a title: sorts (tests call it directly).
  void TrieColonne(int colonne);
  QTableView* Grille() const { return m_grille; }

 signals:
  // A row carrying a person was clicked.
  void PersonneChoisie(int personne);
  // The window was hidden by its user.
  void Cache();

 protected:
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* objet, QEvent* event) override;

 private:
  void MetAJourVue();
  void SelectionneLigne();
  void Legende(const std::string& texte);
  bool OuvreFichier(const std::string& chemin);

  TApplication& m_app;
  Ouvreur m_ouvreur;
  TModeleColonnes m_modele;
  std::string m_nomModele;
  int m_miseEnForme = 1;
  int m_selecPers = 0;
  TModeleGrilleRapport* m_modeleVue = nullptr;
  QTableView* m_grille = nullptr;
  QLabel* m_vide = nullptr;
  QProgressBar* m_barre = nullptr;
  QStackedLayout* m_pile = nullptr;
};

}  // namespace kindrela
