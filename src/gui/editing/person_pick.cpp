#include "gui/editing/person_pick.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/text.h"
#include "gui/common/qt_text.h"

namespace kindrela {
namespace {
// A list longer than this answers a keystroke slowly; the filter narrows it.
constexpr int kLignesMax = 500;
}  // namespace

TChoixPersonne::TChoixPersonne(const TBD& bd, const QString& titre, QWidget* parent)
    : QDialog(parent), m_bd(bd) {
  setObjectName("fmChoixPersonne");
  setWindowTitle(titre);
  auto* c = new QVBoxLayout(this);
  m_filtre = new QLineEdit(this);
  m_filtre->setObjectName("eFiltre");
  m_filtre->setPlaceholderText(VersQString("Nom ou prénom..."_ansi));
  c->addWidget(m_filtre);
  m_liste = new QListWidget(this);
  m_liste->setObjectName("lbPersonnes");
  c->addWidget(m_liste, 1);
  auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  c->addWidget(boutons);
  connect(m_filtre, &QLineEdit::textChanged, this, &TChoixPersonne::Filtre);
  connect(m_liste, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  resize(360, 420);
  Filtre(QString());
}

void TChoixPersonne::Filtre(const QString& texte) {
  m_liste->clear();
  const std::string cherche = MajusculesAnsi(DepuisQString(texte.trimmed()));
  for (int n = m_bd.FicheSuivante(0); n != 0 && m_liste->count() < kLignesMax; n = m_bd.FicheSuivante(n)) {
    const std::string nom = m_bd.LitNom(n) + " " + m_bd.LitPrenoms(n);
    if (!cherche.empty() && MajusculesAnsi(nom).find(cherche) == std::string::npos) continue;
    auto* item = new QListWidgetItem(VersQString(nom + "  (" + std::to_string(n) + ")"), m_liste);
    item->setData(Qt::UserRole, n);
  }
  if (m_liste->count() > 0) m_liste->setCurrentRow(0);
}

int TChoixPersonne::Personne() const {
  QListWidgetItem* item = m_liste->currentItem();
  return item ? item->data(Qt::UserRole).toInt() : 0;
}

int ChoisitPersonne(QWidget* parent, const TBD& bd, const QString& titre) {
  TChoixPersonne d(bd, titre, parent);
  return d.exec() == QDialog::Accepted ? d.Personne() : 0;
}

}  // namespace kindrela
