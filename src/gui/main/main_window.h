// The main window: owns the run's state through TApplication, drives the
// tree's life cycle (new, load, save, close), keeps the selected person and
// its history, and dispatches the commands of its buttons, left menu and
// keyboard shortcuts.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_commands.h"

class QLabel;
class QToolBar;
class QToolButton;
class QKeyEvent;

namespace kindrela {

struct TApplication;
enum class PageSauvegarde;
class TMenuCommandes;
class TAffArbre;
class TfmFiche;
class TfmFicheArbre;
class TfmRapport;
class TfmRapportCritere;
class TfmStat;
class TfmCellule;
class TfmCal;
class TfmCarte;
class TFenetresSources;
class TfmSource;
class TfmSourceRech;
class TfmSupprime;
class TFusion;
class TfmRechFiche;
class TfmListe;
class TfmRemp;
enum class ModeRecherche : int;
class TfmWeb;
class TVuesWeb;
struct TOptionsAscendance;
enum class SorteAjout;
enum class ControleFiche;

// Numbers of the left menu's commands.
enum Commande : int {
  kCmdRechercheFiche = 103, kCmdRechercheSosa = 104, kCmdAjouteFiche = 105,
  kCmdSupprimeFiche = 106, kCmdRemplace = 107, kCmdExporteFiche = 108, kCmdFusion = 109,
  kCmdApparence = 201, kCmdPersonneCentrale = 202, kCmdZoom = 203, kCmdGenerations = 204,
  kCmdLargeur = 205, kCmdEcart = 206, kCmdArbreWeb = 207, kCmdFormeArbre = 209,
  kCmdRechercheSource = 301, kCmdSupprimeSource = 302, kCmdAjouteSource = 303,
  kCmdAlbum = 304, kCmdExporteSources = 305,
  kCmdNouvelleCarte = 401, kCmdModifieCarte = 402, kCmdExporteCarte = 403, kCmdImprimeCarte = 404,
  kCmdCritereRapport = 501, kCmdRapportPredefini = 502, kCmdColonnesRapport = 503,
  kCmdRechercheAvancee = 504, kCmdExporteRapport = 505, kCmdRapportWeb = 506,
  kCmdStatRapport = 601, kCmdExporteStat = 602, kCmdImprimeGraphique = 603, kCmdPdfGraphique = 604,
  kCmdParametrageImpression = 701, kCmdImprimeArbre = 702, kCmdPdfPages = 703, kCmdPdfMural = 704,
  kCmdImage = 705,
  kCmdAnniversaire = 802, kCmdExporteCalendrier = 803, kCmdOptionsCalendrier = 804,
  kCmdConversionCalendrier = 805,
  kCmdNouvelle = 1001, kCmdOuvre = 1002, kCmdImprimante = 1003, kCmdAPropos = 1004,
  kCmdAide = 1005, kCmdOptions = 1006, kCmdNotes = 1007, kCmdAssistant = 1008,
  kCmdPatronymes = 1009, kCmdSauve = 1010, kCmdExporteGedcom = 1011, kCmdExporteWeb = 1012,
  kCmdAnnule = 1013, kCmdRetablit = 1014,
};

class TScaWin : public QMainWindow {
  Q_OBJECT
 public:
  explicit TScaWin(TApplication& app, QWidget* parent = nullptr);

  // Run once by the start after every window exists: reads the per-user
  // settings and places the window. The file named on the command line
  // (`arguments`) opens when the window first shows.
  void Initialise(const QStringList& arguments = {});
  // Refreshes the caption from the identity and the current file.
  void TitreFenetre();

  // Selects person n (nothing unless n is in use): offers to delete a
  // previously selected person left without names, records the history,
  // refreshes the status bar and the chart.
  void SetSelecPers(int n);
  int SelecPers() const { return m_selecPers; }
  // Empties the database and returns to the no-tree state.
  void Reset();
  // Shows the commands that fit the current state; clears BaseModifiee.
  void Enable();
  // Rebuilds the chart around the reference person (when it is shown).
  void Affiche();
  void ShowArbre();
  void HideArbre();
  bool ArbreVisible() const;
  TAffArbre& Arbre() { return *m_aff; }
  // The person record window (F2, button 1) and the family window (F4,
  // button 3): shown over the main window, following the selected person.
  void ShowFiche();
  void HideFiche();
  bool FicheVisible() const;
  void ShowFicheArbre();
  void HideFicheArbre();
  bool FicheArbreVisible() const;
  TfmFiche* Fiche() const { return m_fiche; }
  TfmFicheArbre* FicheArbre() const { return m_ficheArbre; }
  // The cell editor (command 201), created when first shown.
  void ShowCellule();
  void HideCellule();
  void BasculeCellule();
  TfmCellule* Cellule() const { return m_cellule; }
  // Sources (main_window_sources.cpp): the editor on source s, the chooser
  // with a caption (the chosen source or 0), commands 301 to 304.
  void EditeSource(int s);
  int ChoisitSource(const std::string& titre);
  // The source album, when shown, rebuilt from the tree.
  void RafraichitAlbum();
  void CommandeSource(int numero);
  TfmSource& EditeurSource();
  TfmSourceRech& ChoixSource();

  // The commands, by their number (left menu, buttons and tests).
  void MenuClick(int numero);
  // Top buttons 1..7: record, sources, family, map, report, statistics, calendar.
  void BoutonClick(int numero);
  void sbNouveauClick();
  void sbChargeClick();
  // Loads `chemin` (a .kdg, .ged or .zip): the load command after its file
  // dialog. `direct` loads a tree file at once, without the load dialog (a
  // GEDCOM file always shows it), as the start does. True when a tree is
  // open afterwards.
  bool ChargeFichier(const std::string& chemin, bool direct = false);
  void sbSauveClick(int page = 0);
  void NavigationPremier();
  void NavigationPrecedent();
  void NavigationSuivant();
  void NavigationDernier();
  void Reference();  // the selected person becomes the reference
  // Edit: undoes (redoes) the last step of the tree's journal, then the
  // selection, the record, the chart and the report follow. Ctrl+Z, Ctrl+Y
  // and Ctrl+Shift+Z here and in the record panes.
  void Annule();
  void Retablit();
  // The Edit commands' captions and states, from the journal.
  void MetAJourAnnulation();
  // Runs the shortcut slot's action when its condition holds; true when it acted.
  bool ActionRaccourci(int slot);
  // The shortcut value of a key press (virtual key code + 8192 Shift,
  // 16384 Ctrl, 32768 Alt), 0 for a key that has none.
  static int CodeTouche(const QKeyEvent* event);

  // The report and statistics panes (main_window_reports.cpp).
  void MontreRapport(bool visible);
  void MontreStat(bool visible);
  bool RapportVisible() const;
  TfmRapport& Rapport();
  TfmStat& Stat() { return *m_stat; }
  // The event calendar pane (main_window_calendar.cpp), button 7.
  void MontreCalendrier(bool visible);
  bool CalendrierVisible() const;
  TfmCal& Calendrier();
  // The map pane (main_window_map.cpp), button 4, and its zone editor.
  void ShowCarte();
  void HideCarte();
  bool CarteVisible() const;
  void ShowCarteDef();
  void HideCarteDef();
  TfmCarte& Carte();

  // Adding and deleting persons (main_window_ajout.cpp). AjoutePersonne
  // adds the relative `sorte` of p with its identity step and questions and
  // returns it (0: none made). Command 105 opens "Ajouter une nouvelle
  // fiche"; command 106 the deletion dialog, one at a time.
  int AjoutePersonne(SorteAjout sorte, int p);
  void AjouteFiche();
  void SupprimeFiches();
  TfmSupprime* Suppression() const;
  // Command 109: the merge dialog "Fusion" (main_window_fusion.cpp), one at a time.
  void FusionFiches();
  TFusion* Fusion() const;
  // The record window's "Supprimer la personne" and "Effacer le lien".
  void SupprimeDepuisFiche(ControleFiche controle, int personne, int cible);
  void EffaceLienDepuisFiche(ControleFiche controle, int personne, int cible);

  // Searching (main_window_recherche.cpp): commands 103, 107 and 202, the
  // person search of A in `mode` (the person found, 0: none; a linking
  // mode also makes the link), the assisted-entry list, search and replace.
  bool CommandeRecherche(int numero);
  int RecherchePersonne(ModeRecherche mode, int a);
  TfmRechFiche& RechFiche();
  TfmListe& SaisieAssistee();
  TfmRemp* Remplacement() const { return m_remp; }
  // Web views (main_window_web.cpp). ViewSite shows a page in the built-in
  // browser, or in the system's when the options say so; MontrePageWeb
  // first lists it among the pages the web site links.
  void ViewSite(const std::string& chemin);
  void MontrePageWeb(const std::string& chemin);
  TfmWeb& Web();
  // How a page reaches the system's browser (tests replace it).
  using OuvreurExterne = std::function<bool(const QString& chemin)>;
  void SetOuvreurExterne(OuvreurExterne ouvreur);
  // The pages, written into the web export folder and shown; each returns
  // the page's path, empty when nothing was written. ArbreWeb: the chart
  // page of the reference (command 207, the chart shown). SourcesWeb: the
  // sources of every person or of the report's persons. AscendanceWeb:
  // the ancestry of the selected person.
  std::string ArbreWeb();
  std::string SourcesWeb(bool rapport);
  std::string AscendanceWeb(const TOptionsAscendance& options);
  // Command 108: the selected person's card ("fiche" + its number) or the
  // cards of the report's persons ("fiches" + the first free number) as a
  // web page, listed for the site and shown; with `document`, the same
  // page as a ".doc" for the system's program for documents.
  std::string FichesWeb(bool rapport, bool document);
  // The one-card page "webfiche.htm" of person r, shown (a card link
  // followed with Ctrl in the built-in browser).
  std::string FicheWeb(int r);

  const THistorique& Historique() const { return m_historique; }
  TApplication& Application() { return m_app; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* objet, QEvent* event) override;

 private:
  void ConstruitBarres();
  void ConstruitMenu();
  void PrepareDossiersUtilisateur();
  void LitFeuilleDeStyle();
  void SauveReglages();
  void FormShow();
  void OuvreFichierDemarrage();
  // With $KINDRELA_CHRONO: the time the first tree is on the screen.
  void MarqueAffichage();
  // Asks message 509 and saves on Yes. False when the user cancelled or
  // the save did not happen: the caller must stop.
  bool DemandeSauvegarde();
  // Writes the tree to the current file at once, under a progress dialog.
  bool SauveImmediatement();
  // The save dialog on `page`; true once it wrote a file.
  bool Sauvegarde(PageSauvegarde page);
  // Says in the status bar that `fichier` was written.
  void SauvegardeFaite(const std::string& fichier);
  void ApresChargement(int selection);
  // Selects the person a step in the history led to (0: none).
  void VaDansHistorique(int n);
  void MetAJourHistoriques();
  void MetAJourBarreEtat();
  void NotesGenealogie();
  void AssistantWizard();
  void APropos();
  void RechercheSosaClick();
  std::string FichierSansNom() const;
  // The chart (main_window_chart.cpp).
  void ConstruitArbre();
  void ConstruitBarreArbre();
  void MenuBoite(const QPoint& global);
  void MenuFond(const QPoint& global);
  // The look named `nom` of the look folder (the default one when empty or missing).
  void ChargeLook(const std::string& nom);
  // "perso" when the user saved one (a reset), else the default look.
  void ChargeLookNouvelArbre(bool perso);
  // Where the user's own looks are written (the installation's may be read-only).
  std::string DossierLooksUtilisateur() const;
  // After a change of the chart's settings: they become the user's look
  // "perso", which the tree names from then on; the two flags of the chart
  // go to the per-user settings.
  void GardeReglagesArbre();
  void ChangeReference(int n, bool toujoursReconstruire);
  void RelitCellule();  // the chart's look changed: the cell editor, when shown, follows
  void DeploieBranche();
  // Right click on a chart setting's button: up on its upper part, down on the lower.
  void ReglageRapide(const QString& bouton, bool augmente);
  void ReglageDialogue(const QString& bouton);
  void ApercuImpression(bool actif);
  void EnregistreImage();
  // `propose`: the file name the save dialog starts with (empty: the default).
  void ExportePdf(bool murale, const QString& propose = QString());
  void ParametreImpression();
  void ImprimeArbre();
  void ConfigureImprimante();
  // The record panes (main_window_fiche.cpp).
  void ConstruitFiches();
  void PlaceFiches();
  void SauvePlaceFiches();
  void RafraichitFiches();
  void OublieFiches();
  void PersonneModifiee(int n);
  void ReferenceDepuisFiche(int n);
  // The report and statistics panes (main_window_reports.cpp).
  void ConstruitRapports();
  void MontreCritere(int panneau);
  void ExporteRapport();
  bool CommandeRapport(int numero);
  void SelectionRapports(int n);
  void VideRapports();
  void EnableRapports(bool ouvert);
  void SauveFenetresRapports();
  void PlaceFenetre(QWidget* w, const char* prefixe);
  // The calendar pane (main_window_calendar.cpp).
  void ConstruitCalendrier();
  bool CommandeCalendrier(int numero);
  void ExporteCalendrier();
  void EnableCalendrier(bool ouvert);
  void SauveFenetreCalendrier();
  // The map pane (main_window_map.cpp).
  void ConstruitCarte();
  bool CommandeCarte(int numero);
  void EnableCarte(bool ouvert);
  void SauveFenetreCarte();
  void NouvelleCarte();
  void ImprimeCarte();

  TApplication& m_app;
  int m_selecPers = 0;
  THistorique m_historique;
  bool m_premierAffichage = true;
  QStringList m_arguments;
  // Shown parts of the window.
  TMenuCommandes* m_menu = nullptr;
  QWidget* m_arbre = nullptr;  // the chart area
  QWidget* m_arbreMasque = nullptr;  // in its place while it is hidden
  TAffArbre* m_aff = nullptr;
  TfmFiche* m_fiche = nullptr;
  TfmFicheArbre* m_ficheArbre = nullptr;
  QToolBar* m_barreArbre = nullptr;
  std::array<QLabel*, 3> m_panneaux{};
  std::array<QToolButton*, 7> m_boutonsHaut{};
  QToolButton* m_precedente = nullptr;
  QToolButton* m_suivante = nullptr;
  std::vector<QWidget*> m_avecArbre;  // controls active only while a tree is open
  TfmRapport* m_rapport = nullptr;
  TfmRapportCritere* m_critere = nullptr;
  TfmStat* m_stat = nullptr;
  bool m_premierRapport = true, m_premiereStat = true, m_premierCritere = true;
  TfmCal* m_cal = nullptr;
  bool m_premierCal = true;
  TfmCarte* m_carte = nullptr;
  bool m_premiereCarte = true;
  TfmCellule* m_cellule = nullptr;
  QPointer<TfmSupprime> m_supprime;
  QPointer<TFusion> m_fusion;
  // After persons went: the selection, the windows and the chart follow.
  void ApresSuppression(int selection);
  // Web views (main_window_web.cpp).
  struct TEntreeExport {
    int numero;
    std::string texte;
    bool active;
    std::string raison;  // why it is disabled, as its hint
  };
  void ConstruitWeb();
  // The export chooser: the chosen entry's number, 0 when cancelled.
  int ChoixExport(const QString& titre, const std::vector<TEntreeExport>& entrees);
  void ExporteSources();
  void ExporteFiche();
  // The site's page writer with the options and templates of the moment;
  // null (the user told why) when the templates cannot be read.
  std::unique_ptr<TVuesWeb> VuesWeb();
  // Writes the page and the style sheet beside it; false (said) on failure.
  bool EcritPage(const TVuesWeb& vues, const std::string& chemin, const std::string& page);
  // Hands a file to the system's program for it; says so when there is none.
  void OuvreDocument(const std::string& chemin);
  TfmWeb* m_web = nullptr;
  OuvreurExterne m_externe;
  TFenetresSources* m_sources = nullptr;
  TFenetresSources& Sources();
  // Top button 2: the "Source" section of the left menu.
  void BasculeSources(bool visible);
  QWidget* ParentDialogues();
  int RechercheDepuisFiche(ControleFiche controle, int p);
  void ChoisitReference();
  void Remplace();
  TfmRechFiche* m_rechFiche = nullptr;
  TfmListe* m_saisie = nullptr;
  TfmRemp* m_remp = nullptr;
  // After an undo or a redo: every window follows the tree.
  void ApresAnnulation();
  // The key of an undo or redo shortcut: -1 undo, 1 redo, 0 neither.
  static int ToucheAnnulation(const QKeyEvent* event);
};

}  // namespace kindrela
