// The main window's record panes: the person record window and the family
// window, their buttons, their keys and what their edits ask of the chart.
#include <QGuiApplication>
#include <QScreen>
#include <QToolButton>

#include "chart/kinship.h"
#include "core/ansi_literal.h"
#include "core/journal.h"
#include "editing/adding.h"
#include "gui/analysis/map_window.h"
#include "gui/chart/chart_view.h"
#include "gui/editing/assisted_entry_list.h"
#include "gui/editing/family_window.h"
#include "gui/editing/record_window.h"
#include "gui/main/application.h"
#include "gui/main/command_menu.h"
#include "gui/analysis/map_window.h"
#include "gui/main/main_window.h"

namespace kindrela {
namespace {

// The main window's keyboard shortcuts act in these windows too.
constexpr const char* kProprieteRaccourcis = "raccourcisPrincipaux";

TRect Zone() {
  QScreen* ecran = QGuiApplication::primaryScreen();
  QRect z = ecran ? ecran->availableGeometry() : QRect(0, 0, 1024, 768);
  return TRect{z.left(), z.top(), z.width(), z.height()};
}

void Place(QWidget* w, const TReglages& reglages, const char* prefixe) {
  const TRect r = PositionFenetre(reglages, prefixe, TTaille{w->width(), w->height()}, Zone());
  if (r.width > 0 && r.height > 0) w->resize(r.width, r.height);
  w->move(r.left, r.top);
}

}  // namespace

void TScaWin::ConstruitFiches() {
  m_fiche = new TfmFiche(m_app, this);
  m_fiche->setProperty(kProprieteRaccourcis, true);
  m_fiche->SetApparence(&m_aff->Apparence());
  m_fiche->SetArbreVisible([this] { return ArbreVisible(); });
  TActionsSources sources;
  sources.edite = [this](int s) { EditeSource(s); };
  sources.choisit = [this](const std::string& titre) { return ChoisitSource(titre); };
  m_fiche->SetActionsSources(sources);
  TActionsPersonne personnes;
  personnes.ajoute = [this](ControleFiche controle, int p) {
    const SorteAjout sorte = controle == ControleFiche::Pere      ? SorteAjout::Pere
                             : controle == ControleFiche::Mere    ? SorteAjout::Mere
                             : controle == ControleFiche::Enfant  ? SorteAjout::Enfant
                             : controle == ControleFiche::Fratrie ? SorteAjout::Fratrie
                                                                  : SorteAjout::Conjoint;
    return AjoutePersonne(sorte, p);
  };
  personnes.recherche = [this](ControleFiche controle, int p) { return RechercheDepuisFiche(controle, p); };
  personnes.supprime = [this](ControleFiche controle, int p, int cible) {
    SupprimeDepuisFiche(controle, p, cible);
  };
  personnes.effaceLien = [this](ControleFiche controle, int p, int cible) {
    EffaceLienDepuisFiche(controle, p, cible);
  };
  m_fiche->SetActions(personnes);
  m_fiche->SetSaisieAssistee(&SaisieAssistee());
  connect(m_fiche, &TfmFiche::PersonneChoisie, this, [this](int n) { SetSelecPers(n); });
  connect(m_fiche, &TfmFiche::ReferenceChoisie, this, [this](int n) { ReferenceDepuisFiche(n); });
  connect(m_fiche, &TfmFiche::PersonneModifiee, this, [this](int n) { PersonneModifiee(n); });
  connect(m_fiche, &TfmFiche::ArbreModifie, this, [this] { Affiche(); });
  connect(m_fiche, &TfmFiche::Fermee, this, [this] { HideFiche(); });

  m_ficheArbre = new TfmFicheArbre(m_app, this);
  m_ficheArbre->setProperty(kProprieteRaccourcis, true);
  connect(m_ficheArbre, &TfmFicheArbre::PersonneChoisie, this, [this](int n) { SetSelecPers(n); });
  connect(m_ficheArbre, &TfmFicheArbre::Cachee, this, [this] { HideFicheArbre(); });
}

void TScaWin::PlaceFiches() {
  Place(m_fiche, m_app.reglages, "fiche");
  Place(m_ficheArbre, m_app.reglages, "FicheArbre");
}

void TScaWin::SauvePlaceFiches() {
  // Where the frame stands, and the size of the inside, as the windows are placed.
  m_app.reglages.SetRectFenetre(
      "fiche", TRect{m_fiche->x(), m_fiche->y(), m_fiche->width(), m_fiche->height()});
  m_app.reglages.SetRectFenetre("FicheArbre", TRect{m_ficheArbre->x(), m_ficheArbre->y(), 0, 0});
}

bool TScaWin::FicheVisible() const { return m_fiche && m_fiche->isVisible(); }
bool TScaWin::FicheArbreVisible() const { return m_ficheArbre && m_ficheArbre->isVisible(); }

void TScaWin::ShowFiche() {
  if (!m_app.bd->BaseChargee) return;
  m_fiche->Affiche(m_selecPers);
  m_fiche->show();
  m_fiche->raise();
  m_fiche->activateWindow();
  m_boutonsHaut[0]->setChecked(true);
  m_menu->MontreSection("Fiche", true);
}

void TScaWin::HideFiche() {
  if (m_fiche->isVisible()) m_fiche->hide();
  m_boutonsHaut[0]->setChecked(false);
  m_menu->MontreSection("Fiche", false);
}

void TScaWin::ShowFicheArbre() {
  if (!m_app.bd->BaseChargee) return;
  m_ficheArbre->Affiche(m_selecPers);
  m_ficheArbre->show();
  m_ficheArbre->raise();
  m_boutonsHaut[2]->setChecked(true);
}

void TScaWin::HideFicheArbre() {
  if (m_ficheArbre->isVisible()) m_ficheArbre->hide();
  m_boutonsHaut[2]->setChecked(false);
}

void TScaWin::RafraichitFiches() {
  if (FicheVisible()) m_fiche->Affiche(m_selecPers);
  if (FicheArbreVisible()) m_ficheArbre->Affiche(m_selecPers);
}

void TScaWin::OublieFiches() {
  m_fiche->Oublie();
  m_ficheArbre->Affiche(0);
}

void TScaWin::PersonneModifiee(int n) {
  if (ArbreVisible()) m_aff->RepaintPers(n);
  MetAJourBarreEtat();
  if (FicheArbreVisible()) m_ficheArbre->Affiche(m_selecPers);
  // A place typed for the person shown on the map appears there at once.
  if (n == m_selecPers && CarteVisible() && Carte().SuitLaSelection()) Carte().Affiche();
}

void TScaWin::ReferenceDepuisFiche(int n) {
  TBD& bd = *m_app.bd;
  if (!bd.FicheUtilisee(n)) return;
  {
    TEtapeJournal etape(bd, "référence : "_ansi + bd.NomCourt(n));
    bd.RefPers = n;
    const TReglages& r = m_app.reglages;
    if (r.Bool(kSectionOptions, "Numérote"_ansi)) {
      NumberTree(bd, bd.RefPers, r.Entier(kSectionOptions, "NuméroteGen"_ansi),
                 r.Bool(kSectionOptions, "NuméroteConjoint"_ansi),
                 r.Bool(kSectionOptions, "NuméroteFamille"_ansi));
      bd.BaseModifiee = 1;
    }
  }
  Affiche();
  // The record keeps its person.
  SetSelecPers(m_selecPers);
}

}  // namespace kindrela
