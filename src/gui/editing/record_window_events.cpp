// The record window's events and unions: the lists, the shown event, what
// typing writes, the date exit steps, the certainty levels and the right
// mouse button on dates, places and notes.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTabWidget>

#include "core/database.h"
#include "dates/dates.h"
#include "dates/places.h"
#include "editing/record_dates.h"
#include "gui/common/qt_text.h"
#include "gui/dates/calendar_converter.h"
#include "gui/dates/place_picker.h"
#include "gui/editing/record_dialogs.h"
#include "gui/editing/record_window.h"
#include "gui/main/application.h"

namespace kindrela {
namespace {

QString Q(std::string_view ansi) { return VersQString(ansi); }

// The list's rows: one per event of the owner (its kind), then the placeholder.
void RempliListe(QListWidget* liste, const std::vector<std::string>& natures, int ligne) {
  const QSignalBlocker bloque(liste);
  liste->clear();
  for (const std::string& n : natures) liste->addItem(Q(n));
  liste->addItem(Q(kEntreeCreer));
  liste->setCurrentRow(ligne >= 0 && ligne < liste->count() ? ligne : 0);
}

std::vector<std::string> NaturesFiche(const TBD& bd, int n) {
  std::vector<std::string> natures;
  for (int k = 1; k <= bd.NbreEveFiche(n); ++k) natures.push_back(bd.LitEveFiche(n, k, 1));
  return natures;
}

std::vector<std::string> NaturesUnion(const TBD& bd, int u) {
  std::vector<std::string> natures;
  for (int k = 1; k <= bd.NbreEveUnion(u); ++k) natures.push_back(bd.LitEveUnion(u, k, 1));
  return natures;
}

// Position of event e in a packed list, 0 when it is not there.
int PositionDans(std::string_view tab, int e) {
  for (int k = 1; k <= NbreEntrees(tab); ++k)
    if (LitEntree(tab, k) == e) return k;
  return 0;
}

}  // namespace

int TfmFiche::EveALaLigne(int ligne) const {
  const TBD& bd = *m_app.bd;
  if (m_personne == 0 || ligne < 0 || ligne >= bd.NbreEveFiche(m_personne)) return 0;
  return LitEntree(bd.Fiche(m_personne).TabEve, ligne + 1);
}

int TfmFiche::UnionChoisie() const {
  const int ligne = LB_Union->currentRow();
  return ligne >= 0 && ligne < m_unions.Count() ? m_unions.Get(ligne + 1) : 0;
}

int TfmFiche::EveUnionALaLigne(int ligne) const {
  const TBD& bd = *m_app.bd;
  const int u = UnionChoisie();
  if (u == 0 || ligne < 0 || ligne >= bd.NbreEveUnion(u)) return 0;
  return LitEntree(bd.Union(u).TabEve, ligne + 1);
}

// ---------------------------------------------------------------------------
// Person events

void TfmFiche::ListeEve() {
  RempliListe(lbEve, NaturesFiche(*m_app.bd, m_personne), 0);
  m_eveAffiche = -1;
  ChoixEve();
}

bool TfmFiche::RetireEveCree() {
  const int e = m_eveCree;
  m_eveCree = 0;
  if (e == 0 || !RetireEveVideFiche(*m_app.bd, m_personne, e)) return false;
  m_app.bd->BaseModifiee = 1;
  return true;
}

void TfmFiche::ChoixEve() {
  const TBD& bd = *m_app.bd;
  int e = EveALaLigne(lbEve->currentRow());
  if (m_eveCree != 0 && m_eveCree != e && RetireEveCree()) {
    // The list lost the unfilled event; the entry chosen stays chosen.
    const int position = e == 0 ? 0 : PositionDans(bd.Fiche(m_personne).TabEve, e);
    RempliListe(lbEve, NaturesFiche(bd, m_personne), position == 0 ? lbEve->count() : position - 1);
    if (e == 0) lbEve->setCurrentRow(lbEve->count() - 1);
    ActualiseOnglet();
    e = EveALaLigne(lbEve->currentRow());
  }
  if (e == 0) {
    pEve->hide();
    m_eveAffiche = -1;
    return;
  }
  MontreEve(lbEve->currentRow() + 1);
  if (!m_affichage && m_onglets->currentWidget() == m_pageEvenement) eveDate->setFocus();
}

void TfmFiche::MontreEve(int k) {
  const TBD& bd = *m_app.bd;
  const bool ancien = m_affichage;
  m_affichage = true;
  m_eveAffiche = k;
  MontreNiveau(pEveSta, NiveauDeTexte(bd.LitEveFiche(m_personne, k, 6)));
  eveDate->setText(Q(DateAffichee(bd.LitEveFiche(m_personne, k, 2), Format())));
  eveTime->setText(Q(bd.LitEveFiche(m_personne, k, 3)));
  eveLieu->setText(Q(bd.LitEveFiche(m_personne, k, 4)));
  eveNote->setPlainText(Q(NoteAffichee(bd.LitEveFiche(m_personne, k, 5))));
  for (QLineEdit* e : {eveDate, eveTime, eveLieu}) e->setCursorPosition(0);
  eveDateExit();
  m_affichage = ancien;
  pEve->show();
}

void TfmFiche::NouvelEve() {
  if (m_personne == 0) return;
  const std::string nature = ChoisitNatureEve(this, m_app, m_app.traduction.Msg(707));
  Reactive();
  if (nature.empty()) return;
  const EveAssure a = AssureEveFiche(*m_app.bd, m_personne, nature);
  if (a.position == 0) return;
  if (a.cree) {
    m_eveCree = a.numero;
    FicheMAJ();
  }
  m_onglets->setCurrentWidget(m_pageEvenement);
  RempliListe(lbEve, NaturesFiche(*m_app.bd, m_personne), a.position - 1);
  ChoixEve();
  ActualiseOnglet();
  eveDate->setFocus();
}

void TfmFiche::RaccourciEve(int message) {
  if (m_personne == 0) return;
  TBD& bd = *m_app.bd;
  const std::string nature = m_app.traduction.Msg(message);
  if (message == 205) {
    const int u = UnionChoisie();
    if (u == 0) return;
    const EveAssure a = AssureEveUnion(bd, u, nature);
    if (a.position == 0) return;
    if (a.cree) {
      m_eveUnionCree = a.numero;
      m_unionEveCree = u;
      FicheMAJ();
    }
    m_onglets->setCurrentWidget(m_pageUnion);
    RempliListe(lbUnionEve, NaturesUnion(bd, u), a.position - 1);
    ChoixEveUnion();
    eveUnionDate->setFocus();
    return;
  }
  const EveAssure a = AssureEveFiche(bd, m_personne, nature);
  if (a.position == 0) return;
  if (a.cree) {
    m_eveCree = a.numero;
    FicheMAJ();
  }
  m_onglets->setCurrentWidget(m_pageEvenement);
  RempliListe(lbEve, NaturesFiche(bd, m_personne), a.position - 1);
  ChoixEve();
  ActualiseOnglet();
  eveDate->setFocus();
}

void TfmFiche::ChangeEve(QWidget* emetteur) {
  if (m_affichage || m_personne == 0) return;
  TBD& bd = *m_app.bd;
  auto* lieu = emetteur == eveLieu || emetteur == eveUnionLieu ? static_cast<QLineEdit*>(emetteur)
                                                               : nullptr;
  if (lieu) {
    // Two digits typed alone name a French department.
    if (auto code = LieuDepuisDepartement(DepuisQString(lieu->text()))) {
      const QSignalBlocker bloque(lieu);
      lieu->setText(Q(*code));
      lieu->setCursorPosition(static_cast<int>(lieu->text().size()));
      EtapeCarte();
    }
  } else {
    FermeSaisie();
  }
  const bool deLaPersonne =
      emetteur == eveDate || emetteur == eveTime || emetteur == eveLieu || emetteur == eveNote;
  bool plusCourt = false;
  if (deLaPersonne && m_eveAffiche >= 1) {
    SaisieEve s{DepuisQString(eveDate->text()), DepuisQString(eveTime->text()),
                DepuisQString(eveLieu->text()), DepuisQString(eveNote->toPlainText())};
    plusCourt = EcritSaisieEveFiche(bd, m_personne, m_eveAffiche, s, Format());
  }
  const int u = UnionChoisie();
  if (!deLaPersonne && u != 0 && m_eveUnionAffiche >= 1) {
    SaisieEve s{DepuisQString(eveUnionDate->text()), DepuisQString(eveUnionTime->text()),
                DepuisQString(eveUnionLieu->text()), DepuisQString(eveUnionNote->toPlainText())};
    plusCourt = EcritSaisieEveUnion(bd, u, m_eveUnionAffiche, s, Format());
  }
  if (plusCourt) FermeSaisie();
  if (lieu && Option("SaisieNom")) OffreSaisie(lieu, false);
  FicheMAJ();
}

void TfmFiche::eveDateExit() {
  const TBD& bd = *m_app.bd;
  if (m_personne == 0 || m_eveAffiche < 1 || m_eveAffiche > bd.NbreEveFiche(m_personne)) return;
  const std::string nature = bd.LitEveFiche(m_personne, m_eveAffiche, 1);
  const DateSortie s = SortieDateEve(bd, m_personne, nature, DepuisQString(eveDate->text()), Format());
  if (s.reconnue) {
    const QString affichee = Q(DateAffichee(s.date, Format()));
    if (affichee != eveDate->text()) eveDate->setText(affichee);
    lJour->setText(Q(LigneJour(bd, m_personne, nature, s.date, m_app.traduction)));
  } else {
    lJour->setText(Q("Date non reconnue : le texte est gardé tel qu'il a été tapé."_ansi));
  }
  CtrlCoherence();
  const int stocke = NiveauDeTexte(bd.LitEveFiche(m_personne, m_eveAffiche, 6));
  m_niveauPropose = NiveauPropose(s.date, stocke, m_app.traduction);
  MontreNiveau(pEveSta, m_niveauPropose);
  // Showing an event writes nothing: only a date the user left marks the record.
  if (m_niveauPropose != stocke && !m_affichage) FicheMAJ();
}

void TfmFiche::sbEveStaClick() {
  TBD& bd = *m_app.bd;
  if (m_personne == 0 || m_eveAffiche < 1) return;
  const int niveau = NiveauSuivant(m_niveauPropose);
  bd.EcritEveFiche(m_personne, m_eveAffiche, 6, std::to_string(niveau));
  m_niveauPropose = niveau;
  MontreNiveau(pEveSta, niveau);
  FicheMAJ();
}

void TfmFiche::sbStaClick(bool pere) {
  TBD& bd = *m_app.bd;
  if (m_personne == 0) return;
  const int niveau = NiveauSuivant(pere ? bd.LitCertP(m_personne) : bd.LitCertM(m_personne));
  if (pere) bd.EcritCertP(m_personne, niveau);
  else bd.EcritCertM(m_personne, niveau);
  MontreNiveau(pere ? pStaP : pStaM, niveau);
  FicheMAJ();
  emit ArbreModifie();
}

// ---------------------------------------------------------------------------
// Unions

void TfmFiche::ListeUnion() {
  const TBD& bd = *m_app.bd;
  m_unions = UnionsOf(bd, m_personne);
  const TContexteModele ctx = Contexte();
  const std::string& modele = m_app.reglages.Texte(kSectionOptions, "Fiche1");
  {
    const QSignalBlocker bloque(LB_Union);
    LB_Union->clear();
    for (int u : m_unions) {
      const int conjoint = ConjointDansUnion(bd, u, m_personne);
      std::string texte = conjoint > 0 ? ExpandTemplate(ctx, conjoint, modele) : std::string("?");
      LB_Union->addItem(Q(texte.empty() ? bd.NomCourt(conjoint) : texte));
    }
    LB_Union->addItem(Q(kEntreeCreer));
    LB_Union->setCurrentRow(0);
  }
  ChoixUnion();
}

void TfmFiche::ChoixUnion() {
  const int u = UnionChoisie();
  if (m_unionEveCree != 0 && m_unionEveCree != u) RetireEveUnionCree();
  pUnionEve->setVisible(u != 0);
  m_eveUnionAffiche = -1;
  if (u != 0) ListeUnionEve();
}

void TfmFiche::ListeUnionEve() {
  const int u = UnionChoisie();
  if (u == 0) return;
  RempliListe(lbUnionEve, NaturesUnion(*m_app.bd, u), 0);
  m_eveUnionAffiche = -1;
  ChoixEveUnion();
}

bool TfmFiche::RetireEveUnionCree() {
  const int e = m_eveUnionCree;
  const int u = m_unionEveCree;
  m_eveUnionCree = 0;
  m_unionEveCree = 0;
  if (e == 0 || !RetireEveVideUnion(*m_app.bd, u, e)) return false;
  m_app.bd->BaseModifiee = 1;
  return true;
}

void TfmFiche::ChoixEveUnion() {
  const TBD& bd = *m_app.bd;
  const int u = UnionChoisie();
  int e = EveUnionALaLigne(lbUnionEve->currentRow());
  if (m_eveUnionCree != 0 && m_eveUnionCree != e && RetireEveUnionCree()) {
    const int position = e == 0 ? 0 : PositionDans(bd.Union(u).TabEve, e);
    RempliListe(lbUnionEve, NaturesUnion(bd, u),
                position == 0 ? lbUnionEve->count() : position - 1);
    if (e == 0) lbUnionEve->setCurrentRow(lbUnionEve->count() - 1);
    e = EveUnionALaLigne(lbUnionEve->currentRow());
  }
  if (e == 0) {
    pEveUnion->hide();
    m_eveUnionAffiche = -1;
    return;
  }
  MontreEveUnion(lbUnionEve->currentRow() + 1);
}

void TfmFiche::MontreEveUnion(int k) {
  const TBD& bd = *m_app.bd;
  const int u = UnionChoisie();
  const bool ancien = m_affichage;
  m_affichage = true;
  m_eveUnionAffiche = k;
  MontreNiveau(pEveUnionSta, NiveauDeTexte(bd.LitEveUnion(u, k, 6)));
  eveUnionDate->setText(Q(DateAffichee(bd.LitEveUnion(u, k, 2), Format())));
  eveUnionTime->setText(Q(bd.LitEveUnion(u, k, 3)));
  eveUnionLieu->setText(Q(bd.LitEveUnion(u, k, 4)));
  eveUnionNote->setPlainText(Q(NoteAffichee(bd.LitEveUnion(u, k, 5))));
  for (QLineEdit* e : {eveUnionDate, eveUnionTime, eveUnionLieu}) e->setCursorPosition(0);
  eveUnionDateExit();
  m_affichage = ancien;
  pEveUnion->show();
}

void TfmFiche::NouvelEveUnion() {
  const int u = UnionChoisie();
  if (m_personne == 0 || u == 0) return;
  const std::string nature = ChoisitNatureEve(this, m_app, m_app.traduction.Msg(708));
  Reactive();
  if (nature.empty()) return;
  const EveAssure a = AssureEveUnion(*m_app.bd, u, nature);
  if (a.position == 0) return;
  if (a.cree) {
    m_eveUnionCree = a.numero;
    m_unionEveCree = u;
    FicheMAJ();
  }
  RempliListe(lbUnionEve, NaturesUnion(*m_app.bd, u), a.position - 1);
  ChoixEveUnion();
  eveUnionDate->setFocus();
}

void TfmFiche::eveUnionDateExit() {
  const TBD& bd = *m_app.bd;
  const int u = UnionChoisie();
  if (m_personne == 0 || u == 0 || m_eveUnionAffiche < 1 || m_eveUnionAffiche > bd.NbreEveUnion(u))
    return;
  const DateSortie s = SortieDateEveUnion(bd, m_personne, DepuisQString(eveUnionDate->text()), Format());
  if (s.reconnue) {
    const QString affichee = Q(DateAffichee(s.date, Format()));
    if (affichee != eveUnionDate->text()) eveUnionDate->setText(affichee);
    eveUnionDate->setToolTip(Q("Clic droit : conversion de calendrier"));
  } else {
    eveUnionDate->setToolTip(Q("Date non reconnue : le texte est gardé tel qu'il a été tapé."_ansi));
  }
  CtrlCoherence();
}

void TfmFiche::sbEveUnionStaClick() {
  TBD& bd = *m_app.bd;
  const int u = UnionChoisie();
  if (m_personne == 0 || u == 0 || m_eveUnionAffiche < 1) return;
  const int niveau = NiveauSuivant(NiveauDeTexte(bd.LitEveUnion(u, m_eveUnionAffiche, 6)));
  bd.EcritEveUnion(u, m_eveUnionAffiche, 6, std::to_string(niveau));
  MontreNiveau(pEveUnionSta, niveau);
  FicheMAJ();
}

// ---------------------------------------------------------------------------
// The right mouse button

void TfmFiche::MenuDate(QLineEdit* edit) {
  if (m_personne == 0 || !edit->isEnabled()) return;
  const std::string date =
      ConvertirCalendrier(this, DateInterne(DepuisQString(edit->text()), Format()));
  Reactive();
  const QString affichee = Q(DateAffichee(date, Format()));
  if (affichee != edit->text()) edit->setText(affichee);
  if (edit == eveDate) eveDateExit();
  else eveUnionDateExit();
}

void TfmFiche::MenuLieu(QLineEdit* edit) {
  if (m_personne == 0) return;
  const TReglages& r = m_app.reglages;
  if (Option("Lokaro") && r.LokaroDisponible()) {
    // The postcode program fills the field itself, through its window handle.
    QProcess::startDetached(Q(r.CheminLokaro()), {QString::number(edit->winId())});
  } else {
    const std::string lieu =
        ChoixLieu(this, m_app.dossiers.lieu, DepuisQString(edit->text()), m_app.traduction);
    Reactive();
    if (Q(lieu) != edit->text()) edit->setText(Q(lieu));
  }
  EtapeCarte();
}

void TfmFiche::EtapeCarte() {
  // The map window, when it exists, follows the places of the selection.
  FermeSaisie();
}

void TfmFiche::MenuNote(QWidget* memo) {
  auto* edit = static_cast<QPlainTextEdit*>(memo);
  if (m_personne == 0 || edit->isReadOnly()) return;
  QString texte = edit->toPlainText();
  const bool ok = EditeTexte(this, texte);
  Reactive();
  if (ok && texte != edit->toPlainText()) edit->setPlainText(texte);
}

}  // namespace kindrela
