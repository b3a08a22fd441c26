#include "gui/editing/assisted_entry_list.h"

#include <QEvent>
#include <algorithm>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/ansi_literal.h"
#include "editing/assisted_entry.h"
#include "gui/common/qt_text.h"
#include "gui/main/application.h"

namespace kindrela {

TfmListe::TfmListe(TApplication& app, std::function<int()> selection, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus),
      m_app(app),
      m_selection(std::move(selection)) {
  setObjectName("fmListe");
  setWindowTitle(VersQString("Aide à la saisie (F3 pour tout afficher)"_ansi));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  m_titre = new QLabel(this);
  m_titre->setObjectName("lTitre");
  m_liste = new QListWidget(this);
  m_liste->setObjectName("lbListe");
  m_liste->setFocusPolicy(Qt::NoFocus);
  m_liste->setUniformItemSizes(true);
  auto* c = new QVBoxLayout(this);
  c->setContentsMargins(1, 1, 1, 1);
  c->setSpacing(0);
  c->addWidget(m_titre);
  c->addWidget(m_liste);
  connect(m_liste, &QListWidget::itemClicked, this, [this] { Copie(); });
  resize(260, 180);
}

bool TfmListe::Visible() const { return isVisible(); }

void TfmListe::Ferme() {
  if (isVisible()) hide();
}

void TfmListe::Offre(QLineEdit* edit, Sorte sorte, const std::string& libelle, bool toutes) {
  if (m_copie || !edit) return;
  const TReglages& r = m_app.reglages;
  const bool champ = sorte == Sorte::Champ;
  const int limite = r.Entier(kSectionOptions, champ ? "SaisieChpNbre" : "SaisieNomNbre");
  const bool memeEdit = edit == m_edit;
  const DemandeSaisie d = PrepareSaisie(DepuisQString(edit->text()), limite, isVisible() && memeEdit, toutes);
  const TBD& bd = *m_app.bd;
  std::vector<std::string> valeurs;
  switch (sorte) {
    case Sorte::Noms: valeurs = PropositionsNoms(bd, CodeChampNom(edit->objectName().toStdString()), d); break;
    case Sorte::Lieux: valeurs = PropositionsLieux(bd, r.Entier(kSectionOptions, "SaisieLieu"), d); break;
    case Sorte::Champ: valeurs = PropositionsChamp(bd, libelle, m_selection ? m_selection() : 0, d); break;
  }
  m_edit = edit;
  if (valeurs.empty()) {
    Ferme();
    return;
  }
  const QString titre = VersQString(Remplit(m_app.traduction.Msg(642), {std::to_string(valeurs.size())}));
  setWindowTitle(titre);
  m_titre->setText(titre);
  m_liste->clear();
  for (const std::string& v : valeurs) m_liste->addItem(VersQString(v));
  m_liste->setCurrentRow(0);
  // Just below the edit, left edges aligned.
  move(edit->mapToGlobal(QPoint(0, edit->height())));
  resize(std::max(edit->width(), 200), height());
  show();
  raise();
}

bool TfmListe::Touche(QLineEdit* edit, QKeyEvent* touche) {
  if (!isVisible() || edit != m_edit) return false;
  switch (touche->key()) {
    case Qt::Key_Up:
      m_liste->setCurrentRow(std::max(m_liste->currentRow() - 1, 0));
      return true;
    case Qt::Key_Down:
      m_liste->setCurrentRow(std::min(m_liste->currentRow() + 1, m_liste->count() - 1));
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: Copie(); return true;
    case Qt::Key_Tab:
    case Qt::Key_Escape: Ferme(); return true;
    default: return false;
  }
}

void TfmListe::Copie() {
  QListWidgetItem* item = m_liste->currentItem();
  if (item && m_edit) {
    m_copie = true;
    m_edit->setText(item->text());
    m_copie = false;
  }
  Ferme();
}

bool TfmListe::event(QEvent* e) {
  if (e->type() == QEvent::WindowDeactivate) Ferme();
  return QWidget::event(e);
}

}  // namespace kindrela
