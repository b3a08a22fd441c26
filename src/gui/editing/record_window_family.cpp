// The record window's family: the parents, siblings and children, their
// double clicks, and the person menu of the names and family controls.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <functional>

#include "chart/templates.h"
#include "core/ansi_literal.h"
#include "dates/dates.h"
#include "gui/common/qt_text.h"
#include "gui/editing/record_window.h"
#include "gui/main/application.h"

namespace kindrela {
namespace {

QString Q(std::string_view ansi) { return VersQString(ansi); }

// Why an entry of the person menu may be unavailable.
constexpr std::string_view kPasDisponible =
    "Indisponible dans cette version : la recherche de personnes n'est pas encore construite."_ansi;

}  // namespace

void TfmFiche::ListeFamille() {
  const TBD& bd = *m_app.bd;
  const TContexteModele ctx = Contexte();
  const std::string& fiche1 = m_app.reglages.Texte(kSectionOptions, "Fiche1");
  const std::string& fiche2 = m_app.reglages.Texte(kSectionOptions, "Fiche2");
  auto texte = [&](int p, const std::string& modele) {
    std::string t = ExpandTemplate(ctx, p, modele);
    return Q(t.empty() ? bd.NomCourt(p) : t);
  };
  const int pere = bd.LitPere(m_personne);
  const int mere = bd.LitMere(m_personne);
  E_Pere->setText(pere > 0 ? texte(pere, fiche1) : Q(kEntreeCreer));
  E_Mere->setText(mere > 0 ? texte(mere, fiche1) : Q(kEntreeCreer));
  E_Pere->setCursorPosition(0);
  E_Mere->setCursorPosition(0);
  MontreNiveau(pStaP, bd.LitCertP(m_personne));
  MontreNiveau(pStaM, bd.LitCertM(m_personne));
  m_fratrie = FratrieTriee(bd, m_personne);
  m_enfants = EnfantsTries(bd, m_personne);
  for (auto [liste, personnes] : {std::pair{LB_Fatrie, &m_fratrie}, std::pair{LB_Enfant, &m_enfants}}) {
    liste->clear();
    for (int p : *personnes) liste->addItem(texte(p, fiche2));
    auto* creer = new QListWidgetItem(Q(kEntreeCreer), liste);
    if (!m_actions.ajoute) creer->setToolTip(Q(kPasDisponible));
    liste->setCurrentRow(0);
  }
}

int TfmFiche::PersonneDuControle(ControleFiche controle) const {
  const TBD& bd = *m_app.bd;
  auto entree = [](const QListWidget* liste, const TR& personnes) {
    const int ligne = liste->currentRow();
    return ligne >= 0 && ligne < personnes.Count() ? personnes.Get(ligne + 1) : 0;
  };
  switch (controle) {
    case ControleFiche::Nom:
    case ControleFiche::Prenoms: return m_personne;
    case ControleFiche::Pere: return bd.LitPere(m_personne);
    case ControleFiche::Mere: return bd.LitMere(m_personne);
    case ControleFiche::Fratrie: return entree(LB_Fatrie, m_fratrie);
    case ControleFiche::Enfant: return entree(LB_Enfant, m_enfants);
    case ControleFiche::Union: {
      const int u = UnionChoisie();
      return u != 0 ? ConjointDansUnion(bd, u, m_personne) : 0;
    }
  }
  return 0;
}

void TfmFiche::DoubleClicParent(bool pere) {
  if (m_personne == 0) return;
  const int parent = PersonneDuControle(pere ? ControleFiche::Pere : ControleFiche::Mere);
  if (parent > 0) emit PersonneChoisie(parent);
  else Ajoute(pere ? ControleFiche::Pere : ControleFiche::Mere);
}

void TfmFiche::DoubleClicListe(ControleFiche controle) {
  if (m_personne == 0) return;
  const int p = PersonneDuControle(controle);
  if (p > 0) emit PersonneChoisie(p);
  else if (controle != ControleFiche::Union || UnionChoisie() == 0) Ajoute(controle);
}

void TfmFiche::Ajoute(ControleFiche controle) {
  if (!m_actions.ajoute || m_personne == 0) return;
  if (controle == ControleFiche::Nom || controle == ControleFiche::Prenoms) {
    emit ArbreModifie();
    return;
  }
  m_app.bd->EcritChamp(m_personne, 22, DateDuJour());
  m_actions.ajoute(controle, m_personne);
  ApresLien();
}

void TfmFiche::Recherche(ControleFiche controle) {
  if (!m_actions.recherche) return;
  const int trouve = m_actions.recherche(controle, m_personne);
  if (controle == ControleFiche::Nom || controle == ControleFiche::Prenoms) {
    if (trouve > 0 && trouve != m_personne) emit PersonneChoisie(trouve);
    return;
  }
  ApresLien();
}

void TfmFiche::Reference(ControleFiche controle) {
  const int p = PersonneDuControle(controle);
  if (p > 0) emit ReferenceChoisie(p);
}

void TfmFiche::ApresLien() {
  Affiche(m_personne);
  emit ArbreModifie();
}

QMenu* TfmFiche::CreeMenuPersonne(ControleFiche controle) {
  const TBD& bd = *m_app.bd;
  EtatMenuPersonne etat;
  etat.controle = controle;
  etat.personneAffichee = m_personne != 0;
  etat.arbreVisible = m_arbreVisible && m_arbreVisible();
  etat.nbreFiches = bd.NbreFiche();
  etat.capaciteFiches = bd.Capacites().fiches;
  etat.parentConnu = (controle == ControleFiche::Pere || controle == ControleFiche::Mere) &&
                     PersonneDuControle(controle) > 0;
  etat.entreeReelle = PersonneDuControle(controle) > 0;
  const auto visibles = EntreesVisibles(etat);

  auto* menu = new QMenu(this);
  menu->setObjectName("PM_AjouteSupprime");
  menu->setToolTipsVisible(true);
  struct Entree {
    EntreeMenuPersonne numero;
    const char* nom;
    std::string_view texte;
    bool disponible;
    std::function<void()> action;
  };
  const Entree entrees[] = {
      {kMenuSelectionner, "psSelectionner", "Sélectionner"_ansi, true,
       [this, controle] {
         if (controle == ControleFiche::Pere || controle == ControleFiche::Mere)
           DoubleClicParent(controle == ControleFiche::Pere);
         else DoubleClicListe(controle);
       }},
      {kMenuReference, "psReference", "Référence de l'arbre (De Cujus)"_ansi, true,
       [this, controle] { Reference(controle); }},
      {kMenuCreer, "psCreer", "Créer la personne"_ansi, static_cast<bool>(m_actions.ajoute),
       [this, controle] { Ajoute(controle); }},
      {kMenuRechercher, "psRechercher", "Rechercher dans la liste...",
       static_cast<bool>(m_actions.recherche), [this, controle] { Recherche(controle); }},
      {kMenuSupprimer, "psSupprimer", "Supprimer la personne", static_cast<bool>(m_actions.supprime),
       [this, controle] {
         m_actions.supprime(controle, m_personne, PersonneDuControle(controle));
         ApresLien();
       }},
      {kMenuEffacerLien, "psEffacerLien", "Effacer le lien", static_cast<bool>(m_actions.effaceLien),
       [this, controle] {
         const int cible = controle == ControleFiche::Union ? UnionChoisie() : PersonneDuControle(controle);
         m_actions.effaceLien(controle, m_personne, cible);
         ApresLien();
       }},
  };
  for (const Entree& e : entrees) {
    QAction* a = menu->addAction(Q(e.texte));
    a->setObjectName(e.nom);
    a->setVisible(visibles[e.numero]);
    a->setEnabled(e.disponible);
    if (!e.disponible) a->setToolTip(Q(kPasDisponible));
    connect(a, &QAction::triggered, this, e.action);
  }
  return menu;
}

void TfmFiche::MenuPersonne(ControleFiche controle, const QPoint& global) {
  if (m_personne == 0) return;
  QMenu* menu = CreeMenuPersonne(controle);
  // The names keep their editing commands below the person's.
  QLineEdit* edit = controle == ControleFiche::Nom      ? E_Nom
                    : controle == ControleFiche::Prenoms ? E_Pre
                                                         : nullptr;
  QMenu* standard = edit ? edit->createStandardContextMenu() : nullptr;
  if (standard) {
    menu->addSeparator();
    for (QAction* a : standard->actions()) menu->addAction(a);
  }
  menu->exec(global);
  delete standard;
  delete menu;
}

}  // namespace kindrela
