// The main window's navigation: first/previous/next/last person, the
// reference person and the keyboard shortcut slots.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollArea>

#include "gui/main/application.h"
#include "gui/main/help.h"
#include "gui/main/main_window.h"
#include "gui/chart/chart_view.h"
#include "gui/analysis/options_window.h"

namespace kindrela {
namespace {

// Windows virtual-key codes, the unit of the stored shortcuts.
constexpr int kVkShift = 8192, kVkCtrl = 16384, kVkAlt = 32768;
constexpr int kVkNumpad0 = 96, kVkMultiply = 106, kVkAdd = 107, kVkSubtract = 109,
              kVkDecimal = 110, kVkDivide = 111, kVkF1 = 112;

// The order in which the slots are tried.
constexpr int kOrdreRaccourcis[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 14, 11, 12, 9, 10, 13};

int CodeVirtuel(int cle, bool pave) {
  if (pave) {
    if (cle >= Qt::Key_0 && cle <= Qt::Key_9) return kVkNumpad0 + (cle - Qt::Key_0);
    // Without Num Lock the keypad sends the navigation keys.
    switch (cle) {
      case Qt::Key_Insert: return kVkNumpad0;
      case Qt::Key_End: return kVkNumpad0 + 1;
      case Qt::Key_Down: return kVkNumpad0 + 2;
      case Qt::Key_PageDown: return kVkNumpad0 + 3;
      case Qt::Key_Left: return kVkNumpad0 + 4;
      case Qt::Key_Clear: return kVkNumpad0 + 5;
      case Qt::Key_Right: return kVkNumpad0 + 6;
      case Qt::Key_Home: return kVkNumpad0 + 7;
      case Qt::Key_Up: return kVkNumpad0 + 8;
      case Qt::Key_PageUp: return kVkNumpad0 + 9;
      case Qt::Key_Asterisk: return kVkMultiply;
      case Qt::Key_Plus: return kVkAdd;
      case Qt::Key_Minus: return kVkSubtract;
      case Qt::Key_Period: case Qt::Key_Comma: case Qt::Key_Delete: return kVkDecimal;
      case Qt::Key_Slash: return kVkDivide;
      case Qt::Key_Enter: return 13;
      default: break;
    }
  }
  if (cle >= Qt::Key_F1 && cle <= Qt::Key_F24) return kVkF1 + (cle - Qt::Key_F1);
  if (cle >= Qt::Key_A && cle <= Qt::Key_Z) return 'A' + (cle - Qt::Key_A);
  if (cle >= Qt::Key_0 && cle <= Qt::Key_9) return '0' + (cle - Qt::Key_0);
  switch (cle) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: return 0;
  }
}

}  // namespace

int TScaWin::CodeTouche(const QKeyEvent* event) {
  const Qt::KeyboardModifiers m = event->modifiers();
  const int vk = CodeVirtuel(event->key(), m.testFlag(Qt::KeypadModifier));
  if (vk == 0) return 0;
  return vk + (m.testFlag(Qt::ShiftModifier) ? kVkShift : 0) +
         (m.testFlag(Qt::ControlModifier) ? kVkCtrl : 0) + (m.testFlag(Qt::AltModifier) ? kVkAlt : 0);
}

void TScaWin::NavigationPremier() { SetSelecPers(m_app.bd->FicheSuivante(0)); }
void TScaWin::NavigationPrecedent() { SetSelecPers(m_app.bd->FichePrecedente(m_selecPers)); }
void TScaWin::NavigationSuivant() { SetSelecPers(m_app.bd->FicheSuivante(m_selecPers)); }
void TScaWin::NavigationDernier() { SetSelecPers(m_app.bd->FichePrecedente(m_app.bd->NbreFiche() + 1)); }

void TScaWin::Reference() { ChangeReference(m_selecPers, false); }

bool TScaWin::ActionRaccourci(int slot) {
  TBD& bd = *m_app.bd;
  const int p = m_selecPers;
  switch (slot) {
    case 1:  // the record
      if (FicheVisible()) HideFiche();
      else ShowFiche();
      return true;
    case 2:  // the family
      if (FicheArbreVisible()) HideFicheArbre();
      else ShowFicheArbre();
      return true;
    case 3:  // the chart
      if (ArbreVisible()) HideArbre();
      else ShowArbre();
      return true;
    case 4:  // print preview, with the chart shown
      if (!ArbreVisible()) return false;
      ApercuImpression(!m_aff->Grille());
      return true;
    case 5:
      MontreRapport(!RapportVisible());
      return true;
    case 6:
      AfficheOptions(this, m_app, 0);
      return true;
    case 7:
      if (bd.LitPere(p) <= 0) return false;
      SetSelecPers(bd.LitPere(p));
      return true;
    case 8:
      if (bd.LitMere(p) <= 0) return false;
      SetSelecPers(bd.LitMere(p));
      return true;
    case 9:
    case 10:
      SetSelecPers(PersonneVoisine(bd, p, Parente::Conjoint, slot == 10));
      return true;
    case 11:
    case 12:
      SetSelecPers(PersonneVoisine(bd, p, Parente::FrereSoeur, slot == 12));
      return true;
    case 13: {
      // The child whose box is on the chart, else the eldest.
      TR enfants = ChildrenOf(bd, p);
      TriParPrenomEtNaissance(bd, enfants);
      const int visible = ArbreVisible() ? m_aff->QuiEcran(enfants) : 0;
      SetSelecPers(visible != 0 ? visible : enfants.Get(1));
      return true;
    }
    case 14:
      Reference();
      return true;
    default:
      // Help (slot 0) is handled before the tree is checked.
      return false;
  }
}

bool TScaWin::eventFilter(QObject* objet, QEvent* event) {
  // A right click on a chart setting button changes its value by one step.
  if (event->type() == QEvent::MouseButtonPress && objet->objectName().startsWith("SB_")) {
    auto* souris = static_cast<QMouseEvent*>(event);
    if (souris->button() == Qt::RightButton && m_app.bd && m_app.bd->BaseChargee) {
      ReglageRapide(objet->objectName(), souris->position().y() <= 23);
      return true;
    }
  }
  // Help (the first slot) acts in every window of the program, with or
  // without a tree: the page of the window in front.
  if (event->type() == QEvent::KeyPress) {
    auto* w = qobject_cast<QWidget*>(objet);
    const int aide = m_app.reglages.Raccourci(0);
    if (aide != 0 && w && w->window()->isActiveWindow() &&
        CodeTouche(static_cast<QKeyEvent*>(event)) == aide) {
      AfficheAide(m_app, w->window());
      return true;
    }
  }
  // The other shortcuts act wherever the focus is in this window or in the
  // record panes, before the focused control sees the key, and only while
  // a tree is open.
  if (event->type() == QEvent::KeyPress && m_app.bd && m_app.bd->BaseChargee) {
    auto* w = qobject_cast<QWidget*>(objet);
    QWidget* fenetre = w ? w->window() : nullptr;
    if (fenetre && fenetre->isActiveWindow() &&
        (fenetre == this || fenetre->property("raccourcisPrincipaux").toBool())) {
      const int code = CodeTouche(static_cast<QKeyEvent*>(event));
      if (code != 0) {
        for (int slot : kOrdreRaccourcis) {
          if (m_app.reglages.Raccourci(slot) == code && ActionRaccourci(slot)) return true;
        }
      }
      // The tree's undo, before a field's own: every keystroke is already
      // in the tree, and the field's edit is one step of its journal.
      if (const int sens = ToucheAnnulation(static_cast<QKeyEvent*>(event)); sens != 0) {
        if (sens < 0) Annule();
        else Retablit();
        return true;
      }
    }
  }
  return QMainWindow::eventFilter(objet, event);
}

}  // namespace kindrela
