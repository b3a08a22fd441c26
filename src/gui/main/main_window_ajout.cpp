// The main window's additions and deletions: the add dialog (command 105),
// the deletion dialog (command 106), and the record window's person menu
// entries that add, delete one person or erase one link.
#include <QMessageBox>
#include <QPushButton>

#include "core/ansi_literal.h"
#include "core/database.h"
#include "editing/adding.h"
#include "editing/deletion.h"
#include "editing/record.h"
#include "gui/analysis/report_window.h"
#include "gui/common/message_box.h"
#include "gui/common/qt_text.h"
#include "gui/editing/adding_dialogs.h"
#include "gui/editing/assisted_entry_list.h"
#include "gui/editing/deletion_dialog.h"
#include "gui/editing/record_window.h"
#include "gui/main/application.h"
#include "gui/main/command_menu.h"
#include "gui/main/main_window.h"

namespace kindrela {

TfmSupprime* TScaWin::Suppression() const { return m_supprime; }

int TScaWin::AjoutePersonne(SorteAjout sorte, int p) {
  TBD& bd = *m_app.bd;
  const TReglages& r = m_app.reglages;
  ContexteAjout ctx{bd, m_app.traduction,
                    OptionsAjout{r.Bool(kSectionOptions, "AjouteEve"), r.Entier(kSectionOptions, "Generation"),
                                 r.Bool(kSectionOptions, "LienAuto")},
                    [this](const std::string& question) {
                      return BoiteMessage(VersQString(question), kQuestion, kBoutonOui | kBoutonNon,
                                          ParentDialogues()) == kResultatOui;
                    }};
  const std::string nomP = bd.NomCourt(p);
  auto identite = [&](int n) {
    // The new person's box is on the chart before its names are typed.
    Affiche();
    if (r.Bool(kSectionOptions, "AjoutePers")) {
      TfmAjoutePers dialogue(m_app, n, m_app.traduction.Msg(MessageIdentite(sorte)) + " " + nomP,
                             SexeAuChoix(sorte), ParentDialogues());
      connect(&dialogue, &TfmAjoutePers::PersonneModifiee, this, [this](int k) { PersonneModifiee(k); });
      dialogue.SetSaisieAssistee(&SaisieAssistee());
      dialogue.exec();
      if (!dialogue.Selectionner()) return;
    }
    SetSelecPers(n);
    if (!FicheVisible()) ShowFiche();
    m_fiche->MontreNouvelle(m_app.traduction.Msg(MessageFiche(sorte)) + " " + nomP, NomCopie(sorte));
  };
  const int n = Ajoute(ctx, sorte, p, identite);
  if (n != 0) {
    Affiche();
    MetAJourBarreEtat();
  }
  return n;
}

void TScaWin::AjouteFiche() {
  TBD& bd = *m_app.bd;
  if (!bd.BaseChargee) return;
  TfmAjoute dialogue(m_app, m_selecPers, ParentDialogues());
  if (dialogue.exec() != QDialog::Accepted) return;
  if (const std::optional<SorteAjout> sorte = dialogue.Choix(); sorte && bd.FicheUtilisee(m_selecPers)) {
    if (FicheVisible()) m_fiche->Valide();
    bd.EcritChamp(m_selecPers, 22, DateDuJour());
    AjoutePersonne(*sorte, m_selecPers);
    return;
  }
  const int n = AjouteNouvelle(bd);
  if (n == 0) return;
  SetSelecPers(n);
  if (!FicheVisible()) ShowFiche();
  m_fiche->MontreNouvelle(m_app.traduction.Msg(301), false);
  Affiche();
}

void TScaWin::SupprimeFiches() {
  QPushButton* bouton = m_menu->Commande(kCmdSupprimeFiche);
  if (m_supprime) {
    // Only one at a time: the open one comes forward.
    if (bouton) bouton->setChecked(true);
    m_supprime->raise();
    m_supprime->activateWindow();
    return;
  }
  if (!m_app.bd->BaseChargee || !m_app.bd->FicheUtilisee(m_selecPers)) {
    if (bouton) bouton->setChecked(false);
    return;
  }
  TfmSupprime::Actions actions;
  actions.selection = [this] { return m_selecPers; };
  actions.avant = [this] {
    if (FicheVisible()) m_fiche->Valide();
  };
  actions.apres = [this](int s) { ApresSuppression(s); };
  actions.montreListe = [this](TR liste, const std::string& titre) {
    if (!RapportVisible()) MontreRapport(true);
    Rapport().MontreListe(std::move(liste), titre);
    Rapport().setWindowTitle(VersQString(titre));
  };
  m_supprime = new TfmSupprime(m_app, m_selecPers, std::move(actions), this);
  m_supprime->setAttribute(Qt::WA_DeleteOnClose);
  m_supprime->setWindowFlag(Qt::Window);
  connect(m_supprime, &QObject::destroyed, this, [this] {
    if (QPushButton* b = m_menu->Commande(kCmdSupprimeFiche)) b->setChecked(false);
  });
  if (bouton) {
    bouton->setCheckable(true);
    bouton->setChecked(true);
  }
  m_supprime->show();
}

void TScaWin::ApresSuppression(int selection) {
  TBD& bd = *m_app.bd;
  if (FicheVisible() && !bd.FicheUtilisee(m_fiche->Personne())) m_fiche->Oublie();
  m_historique.Nettoie(bd, m_app.reglages.Entier(kSectionOptions, "AvApMenu"));
  if (bd.FicheUtilisee(selection)) SetSelecPers(selection);
  else {
    m_selecPers = 0;
    RafraichitFiches();
  }
  MetAJourHistoriques();
  MetAJourBarreEtat();
  Affiche();
  // The report forgets the persons that went.
  if (RapportVisible() && m_app.rapport.Liste()) {
    const TR* ancienne = m_app.rapport.Liste();
    TR liste(std::max(ancienne->Count(), 1));
    for (int p : *ancienne)
      if (bd.FicheUtilisee(p)) liste.Add(p);
    Rapport().MontreListe(std::move(liste), m_app.rapport.Titre());
  }
}

void TScaWin::SupprimeDepuisFiche(ControleFiche controle, int personne, int cible) {
  TBD& bd = *m_app.bd;
  const TTraduction& t = m_app.traduction;
  if (bd.NbreFichesUtilisees() <= 1) {
    BoiteMessage(VersQString(t.Msg(2210)), kAttention, 0, ParentDialogues());
    return;
  }
  if (!bd.FicheUtilisee(cible)) return;
  if (controle == ControleFiche::Nom || controle == ControleFiche::Prenoms) {
    // The selection leaves the person first, and stays moved if the answer is no.
    const int ailleurs = SelectionAvantSuppression(bd, personne);
    if (ailleurs != m_selecPers) SetSelecPers(ailleurs);
    if (!bd.FicheUtilisee(cible)) return;  // went as a person without names
  }
  QMessageBox avertissement(QMessageBox::Warning, "Avertissement",
                            VersQString(DevelopperRetours(Remplit(t.Msg(536), {bd.NomCourt(cible)}))),
                            QMessageBox::Ok | QMessageBox::Cancel, ParentDialogues());
  if (avertissement.exec() != QMessageBox::Ok) return;
  if (FicheVisible()) m_fiche->Valide();
  ApresSuppression(SupprimePersonne(bd, cible, m_selecPers));
}

void TScaWin::EffaceLienDepuisFiche(ControleFiche controle, int personne, int cible) {
  EffaceLienFiche(*m_app.bd, controle, personne, cible);
}

}  // namespace kindrela
