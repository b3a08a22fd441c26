// The person record window "Fiche": shows the selected person and writes
// every edit straight into the database as it is typed. Tabs: identity
// (names, sex, numbering, custom fields), events, family, unions with
// their events, note, sources, and the consistency check's findings.
//
// The window decides nothing itself: what a keystroke writes comes from
// the editing library; it binds the controls to it and tells the main
// window through its signals what to repaint or select.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

#include "chart/kinship.h"
#include "chart/templates.h"
#include "editing/record.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QTabWidget;
class QToolButton;

namespace kindrela {

struct TApplication;
struct TApparence;
class TChamp;
class TLecteurMedia;

// The assisted-entry list that drops below an edit and offers the values
// already used in the tree. Provided by the search window; the record
// window works without one.
class TSaisieAssistee {
 public:
  enum class Sorte { Noms, Lieux, Champ };
  virtual ~TSaisieAssistee() = default;
  virtual bool Visible() const = 0;
  virtual void Ferme() = 0;
  // Offers the values of `sorte` (for a custom field, those of `libelle`)
  // starting with the edit's text; `toutes` (F3) offers every value.
  virtual void Offre(QLineEdit* edit, Sorte sorte, const std::string& libelle, bool toutes) = 0;
  // A key pressed in `edit` while the list is visible (Tab, Escape, Enter,
  // Up, Down); true when the list used it.
  virtual bool Touche(QLineEdit* edit, QKeyEvent* touche) = 0;
};

// The person operations of the person menu and of the family controls,
// provided by the windows that add, search and delete persons. An empty
// function leaves its entries disabled.
struct TActionsPersonne {
  // Creates the father, mother, child, sibling or spouse of `personne`
  // (for the controle Pere, Mere, Enfant, Fratrie, Union); returns the new
  // person, 0 when none was made.
  std::function<int(ControleFiche controle, int personne)> ajoute;
  // The person search: from Nom/Prenoms it returns the person found (0:
  // none); from the family controls it links the person found to
  // `personne` as that relative and returns it.
  std::function<int(ControleFiche controle, int personne)> recherche;
  // Deletes person `cible` (the shown one, a parent, the selected child,
  // sibling or spouse).
  std::function<void(ControleFiche controle, int personne, int cible)> supprime;
  // Erases the link between `personne` and `cible` (for Union, `cible` is
  // the union).
  std::function<void(ControleFiche controle, int personne, int cible)> effaceLien;
};

// The source windows the sources tab opens, provided by the main window.
// An empty function leaves its entries disabled.
struct TActionsSources {
  std::function<void(int source)> edite;                  // the source editor, modal
  std::function<int(const std::string& titre)> choisit;  // the source chooser; 0 when cancelled
};

class TfmFiche : public QWidget {
  Q_OBJECT
 public:
  // `app` must outlive the window.
  explicit TfmFiche(TApplication& app, QWidget* parent = nullptr);
  ~TfmFiche() override;

  // The chart look whose men's and women's box colours the sex panel
  // takes; defaults when null. Must outlive the window.
  void SetApparence(const TApparence* apparence) { m_apparence = apparence; }
  void SetSaisieAssistee(TSaisieAssistee* saisie) { m_saisie = saisie; }
  void SetActions(TActionsPersonne actions) { m_actions = std::move(actions); }
  void SetActionsSources(TActionsSources actions) { m_actionsSources = std::move(actions); }
  // Whether the chart is shown (the person menu's "Référence" needs it).
  void SetArbreVisible(std::function<bool()> visible) { m_arbreVisible = std::move(visible); }
  // How the map button opens the online map page (the system browser by default).
  void SetOuvreurCarte(std::function<bool(const QString& chemin)> o) { m_ouvreurCarte = std::move(o); }

  // Shows person n (the main window's selected person) and refreshes every tab.
  void Affiche(int n);
  int Personne() const { return m_personne; }
  // The tab shown (0 the identity), and bringing tab k up.
  int Onglet() const;
  void MontreOnglet(int k);
  // Forgets the person shown, without writing anything: the database is
  // about to be emptied or replaced.
  void Oublie();
  // After an addition: the identity tab of the person shown (the new one),
  // `titre` as caption while it stays shown, the cursor in the given names
  // (`prenoms`) or the surname.
  void MontreNouvelle(const std::string& titre, bool prenoms);
  // Runs the exit steps of the names and of the date being edited, so that
  // the selection can move on with everything typed converted.
  void Valide();
  // After every write: the tree is modified, the person stamped, the
  // creation line rebuilt and the person's box repainted.
  void FicheMAJ();
  void ActualiseOnglet();
  void CtrlCoherence();
  void ListeEve();
  void ListeUnion();
  void ListeUnionEve();
  void ListeDonnee();

  // Ctrl+N, B, D, S: the person's birth, baptism, death or burial event
  // made sure of and shown; Ctrl+M: the selected union's marriage.
  void RaccourciEve(int message);
  // Double-click on the placeholder of an events list: asks the kind.
  void NouvelEve();
  void NouvelEveUnion();
  // The person menu for the control named `controle`, at `global`.
  void MenuPersonne(ControleFiche controle, const QPoint& global);
  // The menu as it would open for `controle` (entries enabled or not);
  // the caller owns it.
  QMenu* CreeMenuPersonne(ControleFiche controle);

  QWidget* PageDonnee() const { return m_pageDonnee; }
  // The sources tab (record_window_sources.cpp): the entry shown (picture
  // or player) and the pop-up menu's entries.
  void MontreDonnee(int ligne);
  void CreeSource();
  void SelectionneSource();
  void RetireLienSource();
  void ModifieSource();
  QMenu* CreeMenuDonnee();
  // The source of entry `ligne` of lbDonnee, 0 for the placeholder.
  int SourceALaLigne(int ligne) const;

 signals:
  // Make n the selected person (the main window then shows it here).
  void PersonneChoisie(int n);
  // Make n the reference person of the tree.
  void ReferenceChoisie(int n);
  // Person n was written: repaint its box.
  void PersonneModifiee(int n);
  // Links or link levels changed: lay the chart out again.
  void ArbreModifie();
  // The user closed the window.
  void Fermee();

 protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override;
  void showEvent(QShowEvent* evenement) override;
  void closeEvent(QCloseEvent* evenement) override;
  void hideEvent(QHideEvent* evenement) override;

 private:
  // Construction (record_window.cpp).
  QWidget* PageIdentite();
  QWidget* PageEvenement();
  QWidget* PageFamille();
  QWidget* PageUnion();
  QWidget* PageNote();
  QWidget* PageDonnee();
  void ApresSource();
  void ClicPhoto(Qt::MouseButton bouton);
  QWidget* PageErreur();
  void Surveille(QWidget* w);
  bool ToucheFiche(QObject* objet, QKeyEvent* touche);
  // The undo journal's step for what the control `w` is about to change:
  // typing in one field is one step; each click on a button is one.
  void NommeChamp(QWidget* w, bool clic);
  bool ToucheEdit(QLineEdit* edit, QKeyEvent* touche);
  void FermeSaisie();
  void OffreSaisie(QLineEdit* edit, bool toutes);

  // Identity (record_window.cpp).
  void ChangeNomPre(QLineEdit* emetteur);
  void SortieNomPre(QLineEdit* edit);
  void Titre();
  void MontreSexe();
  void sbSexeClick();
  void ChangeNote();
  void ChangeChamp(const QString& libelle);
  void AjouteChamp();
  void SortieDateChamp(QLineEdit* edit);

  // Events and unions (record_window_events.cpp).
  void ChoixEve();
  void ChoixUnion();
  void ChoixEveUnion();
  void MontreEve(int position);
  void MontreEveUnion(int position);
  void ChangeEve(QWidget* emetteur);
  void eveDateExit();
  void eveUnionDateExit();
  void sbEveStaClick();
  void sbEveUnionStaClick();
  void sbStaClick(bool pere);
  // Remove the event created here when it is still empty; true when it went.
  bool RetireEveCree();
  bool RetireEveUnionCree();
  void MenuDate(QLineEdit* edit);
  void MenuLieu(QLineEdit* edit);
  void EtapeCarte();
  void MenuNote(QWidget* memo);
  int UnionChoisie() const;
  int EveALaLigne(int ligne) const;
  int EveUnionALaLigne(int ligne) const;

  // Family and the person menu (record_window_family.cpp).
  void ListeFamille();
  void DoubleClicParent(bool pere);
  void DoubleClicListe(ControleFiche controle);
  int PersonneDuControle(ControleFiche controle) const;
  void Ajoute(ControleFiche controle);
  void Recherche(ControleFiche controle);
  void Reference(ControleFiche controle);
  void ApresLien();

  // Takes the activation back after one of its dialogs closed.
  void Reactive();
  std::string Format() const;
  bool Option(const char* cle) const;
  TContexteModele Contexte() const;
  void MontreNiveau(QLabel* panneau, int niveau);

  TApplication& m_app;
  const TApparence* m_apparence = nullptr;
  TSaisieAssistee* m_saisie = nullptr;
  TActionsPersonne m_actions;
  TActionsSources m_actionsSources;
  std::function<bool()> m_arbreVisible;
  std::function<bool(const QString& chemin)> m_ouvreurCarte;

  // The state of the window (the record itself lives in the database).
  int m_personne = 0;
  bool m_affichage = false;  // the controls are being filled: change handlers do nothing
  int m_clics = 0;  // tells the steps of successive clicks apart
  TR m_fratrie{0};
  TR m_enfants{0};
  TR m_unions{0};
  int m_eveAffiche = -1;       // position of the person event shown, -1 none
  int m_eveUnionAffiche = -1;  // position of the union event shown, -1 none
  int m_niveauPropose = 0;
  std::string m_titreNouvelle;  // the caption of a person just added
  int m_personneNouvelle = 0;
  // The event this window created and that has not been filled yet: it
  // goes when the user moves on without typing anything into it.
  int m_eveCree = 0;
  int m_eveUnionCree = 0;
  int m_unionEveCree = 0;  // the union owning m_eveUnionCree

  QTabWidget* m_onglets = nullptr;
  QWidget* m_pageIdentite = nullptr;
  QWidget* m_pageEvenement = nullptr;
  QWidget* m_pageFamille = nullptr;
  QWidget* m_pageUnion = nullptr;
  QWidget* m_pageNote = nullptr;
  QWidget* m_pageDonnee = nullptr;
  QWidget* m_pageErreur = nullptr;
  QWidget* m_pagePhoto = nullptr;

  QLineEdit* E_Nom = nullptr;
  QLineEdit* E_Pre = nullptr;
  QLabel* pSexe = nullptr;
  QToolButton* sbSexe = nullptr;
  QLabel* lSosa = nullptr;
  QLabel* L_Date = nullptr;
  TChamp* PChp = nullptr;

  QListWidget* lbEve = nullptr;
  QWidget* pEve = nullptr;  // the detail panel of the person event
  QLineEdit* eveDate = nullptr;
  QLineEdit* eveTime = nullptr;
  QLineEdit* eveLieu = nullptr;
  QPlainTextEdit* eveNote = nullptr;
  QLabel* pEveSta = nullptr;
  QToolButton* sbEveSta = nullptr;
  QToolButton* iMaps = nullptr;
  QLabel* lJour = nullptr;

  QLineEdit* E_Pere = nullptr;
  QLineEdit* E_Mere = nullptr;
  QLabel* pStaP = nullptr;
  QLabel* pStaM = nullptr;
  QToolButton* sbStaP = nullptr;
  QToolButton* sbStaM = nullptr;
  QListWidget* LB_Fatrie = nullptr;
  QListWidget* LB_Enfant = nullptr;

  QListWidget* LB_Union = nullptr;
  QWidget* pUnionEve = nullptr;  // the union event panel
  QListWidget* lbUnionEve = nullptr;
  QWidget* pEveUnion = nullptr;  // its detail part
  QLineEdit* eveUnionDate = nullptr;
  QLineEdit* eveUnionTime = nullptr;
  QLineEdit* eveUnionLieu = nullptr;
  QPlainTextEdit* eveUnionNote = nullptr;
  QLabel* pEveUnionSta = nullptr;
  QToolButton* sbEveUnionSta = nullptr;

  QPlainTextEdit* M_Note = nullptr;
  QListWidget* lbDonnee = nullptr;
  QLabel* iPhoto = nullptr;
  TLecteurMedia* mpDonnee = nullptr;
  QString m_photo;  // the picture shown in iPhoto, empty when none
  QPlainTextEdit* mInfo = nullptr;
};

}  // namespace kindrela
