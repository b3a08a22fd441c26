// The main window's Edit commands: undo and redo of the tree's journal,
// their captions naming the step, and the windows following the tree.
#include <QKeyEvent>
#include <QPushButton>

#include "core/ansi_literal.h"
#include "core/journal.h"
#include "gui/common/qt_text.h"
#include "gui/editing/family_window.h"
#include "gui/editing/record_window.h"
#include "gui/main/application.h"
#include "gui/main/command_menu.h"
#include "gui/main/main_window.h"

namespace kindrela {

int TScaWin::ToucheAnnulation(const QKeyEvent* event) {
  const Qt::KeyboardModifiers m = event->modifiers() & ~Qt::KeypadModifier;
  if (event->key() == Qt::Key_Z && m == Qt::ControlModifier) return -1;
  if ((event->key() == Qt::Key_Y && m == Qt::ControlModifier) ||
      (event->key() == Qt::Key_Z && m == (Qt::ControlModifier | Qt::ShiftModifier)))
    return 1;
  return 0;
}

void TScaWin::Annule() {
  TBD& bd = *m_app.bd;
  if (!bd.BaseChargee || !bd.Journal().Annule()) return;
  ApresAnnulation();
}

void TScaWin::Retablit() {
  TBD& bd = *m_app.bd;
  if (!bd.BaseChargee || !bd.Journal().Retablit()) return;
  ApresAnnulation();
}

void TScaWin::ApresAnnulation() {
  TBD& bd = *m_app.bd;
  int selection = m_selecPers;
  if (!bd.FicheUtilisee(selection)) selection = bd.FicheUtilisee(bd.RefPers) ? bd.RefPers : bd.FicheSuivante(0);
  // The record shows the tree as it is now before anything reads its
  // controls back (leaving a person commits what the record holds).
  if (FicheVisible()) {
    if (bd.FicheUtilisee(selection)) m_fiche->Affiche(selection);
    else m_fiche->Oublie();
  }
  ApresSuppression(selection);
  RafraichitFiches();
  // The album shows the sources as they are now (an undone source is gone).
  RafraichitAlbum();
  TitreFenetre();
  MetAJourAnnulation();
}

void TScaWin::MetAJourAnnulation() {
  const TBD& bd = *m_app.bd;
  const TJournal& journal = bd.Journal();
  const bool ouvert = bd.BaseChargee != 0;
  const std::string annule = journal.NomAnnulation();
  const std::string retablit = journal.NomRetablissement();
  const QString texteAnnule =
      VersQString(annule.empty() ? std::string("Annuler") : "Annuler : " + annule);
  const QString texteRetablit = VersQString(
      retablit.empty() ? std::string("Rétablir"_ansi) : "Rétablir : "_ansi + retablit);
  QPushButton* a = m_menu->Commande(kCmdAnnule);
  QPushButton* r = m_menu->Commande(kCmdRetablit);
  if (a->text() != texteAnnule) a->setText(texteAnnule);
  if (r->text() != texteRetablit) r->setText(texteRetablit);
  m_menu->ActiveCommande(kCmdAnnule, ouvert && journal.PeutAnnuler());
  m_menu->ActiveCommande(kCmdRetablit, ouvert && journal.PeutRetablir());
}

}  // namespace kindrela
