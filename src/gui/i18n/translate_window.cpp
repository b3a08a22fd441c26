#include "gui/i18n/translate_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QWidget>

#include "core/text.h"
#include "gui/common/qt_text.h"
#include "gui/common/radio_group.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

bool PoseTexte(QObject* o, const QString& texte) {
  if (auto* b = qobject_cast<QAbstractButton*>(o)) { b->setText(texte); return true; }
  if (auto* l = qobject_cast<QLabel*>(o)) { l->setText(texte); return true; }
  if (auto* g = qobject_cast<QGroupBox*>(o)) { g->setTitle(texte); return true; }
  if (auto* a = qobject_cast<QAction*>(o)) { a->setText(texte); return true; }
  if (auto* m = qobject_cast<QMenu*>(o)) { m->setTitle(texte); return true; }
  if (auto* w = qobject_cast<QWidget*>(o)) {
    // A page of a tab control shows its caption on the tab.
    if (auto* pile = w->parentWidget()) {
      if (auto* onglets = qobject_cast<QTabWidget*>(pile->parentWidget())) {
        int i = onglets->indexOf(w);
        if (i >= 0) { onglets->setTabText(i, texte); return true; }
      }
    }
    if (w->isWindow()) { w->setWindowTitle(texte); return true; }
  }
  return false;
}

bool PoseBulle(QObject* o, const QString& texte) {
  if (auto* a = qobject_cast<QAction*>(o)) { a->setToolTip(texte); return true; }
  if (auto* m = qobject_cast<QMenu*>(o)) { m->menuAction()->setToolTip(texte); return true; }
  if (auto* w = qobject_cast<QWidget*>(o)) { w->setToolTip(texte); return true; }
  return false;
}

// Item n of a list: the list is first padded with empty items up to n, then
// item n is replaced, or appended when the list holds exactly n items.
template <typename Compte, typename Ajoute, typename Remplace>
void PoseElement(int n, Compte compte, Ajoute ajoute, Remplace remplace, const QString& texte) {
  while (compte() < n) ajoute(QString());
  if (compte() == n)
    ajoute(texte);
  else
    remplace(n, texte);
}

bool PoseListe(QObject* o, char sorte, int n, const QString& texte) {
  if (n < 0) return false;
  switch (sorte) {
    case 'C':
      if (auto* c = qobject_cast<QComboBox*>(o)) {
        PoseElement(n, [c] { return c->count(); }, [c](const QString& t) { c->addItem(t); },
                    [c](int i, const QString& t) { c->setItemText(i, t); }, texte);
        return true;
      }
      return false;
    case 'L':
      if (auto* l = qobject_cast<QListWidget*>(o)) {
        PoseElement(n, [l] { return l->count(); }, [l](const QString& t) { l->addItem(t); },
                    [l](int i, const QString& t) { l->item(i)->setText(t); }, texte);
        return true;
      }
      return false;
    case 'M': {
      auto lignes = [o]() -> QStringList {
        if (auto* p = qobject_cast<QPlainTextEdit*>(o)) return p->toPlainText().split('\n');
        if (auto* t = qobject_cast<QTextEdit*>(o)) return t->toPlainText().split('\n');
        return {};
      };
      auto pose = [o](const QStringList& l) {
        if (auto* p = qobject_cast<QPlainTextEdit*>(o)) p->setPlainText(l.join('\n'));
        else if (auto* t = qobject_cast<QTextEdit*>(o)) t->setPlainText(l.join('\n'));
      };
      if (!qobject_cast<QPlainTextEdit*>(o) && !qobject_cast<QTextEdit*>(o)) return false;
      QStringList l = lignes();
      if (l.size() == 1 && l[0].isEmpty()) l.clear();
      PoseElement(n, [&l] { return static_cast<int>(l.size()); },
                  [&l](const QString& t) { l.append(t); },
                  [&l](int i, const QString& t) { l[i] = t; }, texte);
      pose(l);
      return true;
    }
    case 'R':
      if (auto* r = qobject_cast<TRadioGroup*>(o)) {
        PoseElement(n, [r] { return r->count(); }, [r](const QString& t) { r->setItem(r->count(), t); },
                    [r](int i, const QString& t) { r->setItem(i, t); }, texte);
        return true;
      }
      return false;
    case 'T':
      if (auto* t = qobject_cast<QTabWidget*>(o)) {
        PoseElement(n, [t] { return t->count(); },
                    [t](const QString& s) { t->addTab(new QWidget(t), s); },
                    [t](int i, const QString& s) { t->setTabText(i, s); }, texte);
        return true;
      }
      if (auto* b = qobject_cast<QTabBar*>(o)) {
        PoseElement(n, [b] { return b->count(); }, [b](const QString& s) { b->addTab(s); },
                    [b](int i, const QString& s) { b->setTabText(i, s); }, texte);
        return true;
      }
      return false;
  }
  return false;
}

void Applique(QObject* o, const std::string& propriete, const QString& texte) {
  if (propriete == "Caption") PoseTexte(o, texte);
  else if (propriete == "Hint") PoseBulle(o, texte);
  else if (propriete == "MCaption") PoseTexte(o, texte);
  else if (propriete == "MHint") PoseBulle(o, texte);
  else if (propriete == "JMLCaption") PoseTexte(o, texte);
  else if (propriete == "JMLHint") PoseBulle(o, texte);
  else if (propriete.size() >= 2 && propriete[1] == ' ' &&
           std::string("CLMRT").find(propriete[0]) != std::string::npos)
    PoseListe(o, propriete[0], TexteVersEntier(propriete.substr(2), 0), texte);
}

}  // namespace

void TraduitFenetre(QWidget* form, const TTraduction& trad) {
  if (!form || trad.Langue <= 0) return;
  for (const auto& e : trad.EntreesFenetre(form->objectName().toStdString())) {
    QString texte = VersQString(e.texte);
    if (e.composant == "Caption") {
      form->setWindowTitle(texte);
      continue;
    }
    if (e.composant == "Hint") {
      form->setToolTip(texte);
      continue;
    }
    if (e.propriete.empty()) continue;
    QObject* o = form->findChild<QObject*>(QString::fromStdString(e.composant));
    if (!o) continue;
    Applique(o, e.propriete, texte);
  }
}

}  // namespace kindrela
