#include "gui/editing/replace_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/ansi_literal.h"
#include "core/database.h"
#include "gui/common/qt_text.h"
#include "gui/i18n/translate_window.h"
#include "gui/main/application.h"

namespace kindrela {
namespace {
QString Q(std::string_view ansi) { return VersQString(ansi); }
}  // namespace

TfmRemp::TfmRemp(TApplication& app, Actions actions, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_app(app), m_actions(std::move(actions)) {
  setObjectName("fmRemp");
  setWindowTitle(Q("Rechercher et remplacer"));

  lb = new QListWidget(this);
  lb->setObjectName("lb");
  for (int i = 0; i < kNbreDonneesRemp; ++i) lb->addItem(Q(LibelleDonnee(static_cast<DonneeRemp>(i))));
  cb = new QComboBox(this);
  cb->setObjectName("cb");
  e1 = new QLineEdit(this);
  e1->setObjectName("e1");
  e2 = new QLineEdit(this);
  e2->setObjectName("e2");
  sb = new QPushButton("=", this);
  sb->setObjectName("sb");
  sb->setToolTip(Q("Recopier le texte recherché"_ansi));

  auto* changements = new QGroupBox(Q("Modification"), this);
  changements->setObjectName("gbModif");
  rb3 = new QRadioButton(Q("Rechercher et remplacer"), changements);
  rb3->setObjectName("rb3");
  rb2 = new QRadioButton(Q("Tout mettre en majuscule"), changements);
  rb2->setObjectName("rb2");
  rb1 = new QRadioButton(Q("Tout mettre en minuscule"), changements);
  rb1->setObjectName("rb1");
  rb4 = new QRadioButton(Q("Première lettre en majuscule"_ansi), changements);
  rb4->setObjectName("rb4");
  auto* vc = new QVBoxLayout(changements);
  for (QRadioButton* r : {rb3, rb2, rb1, rb4}) vc->addWidget(r);

  cbVoir = new QCheckBox(Q("Voir la liste et actualiser son contenu"), this);
  cbVoir->setObjectName("cbVoir");
  bOk = new QPushButton(Q("&Remplacer"), this);
  bOk->setObjectName("bOk");
  auto* bFermer = new QPushButton(Q("&Fermer"), this);
  bFermer->setObjectName("bFermer");

  auto* textes = new QFormLayout;
  auto* lCherche = new QHBoxLayout;
  lCherche->addWidget(e1, 1);
  lCherche->addWidget(sb);
  textes->addRow(Q("Rechercher"), lCherche);
  textes->addRow(Q("Remplacer par"), e2);
  auto* gauche = new QVBoxLayout;
  auto* lDonnee = new QLabel(Q("Donnée à modifier:"_ansi), this);
  lDonnee->setObjectName("lDonnee");
  gauche->addWidget(lDonnee);
  gauche->addWidget(lb, 1);
  gauche->addWidget(cb);
  auto* droite = new QVBoxLayout;
  droite->addWidget(changements);
  droite->addLayout(textes);
  droite->addWidget(cbVoir);
  droite->addStretch();
  auto* boutons = new QHBoxLayout;
  boutons->addStretch();
  boutons->addWidget(bOk);
  boutons->addWidget(bFermer);
  droite->addLayout(boutons);
  auto* h = new QHBoxLayout(this);
  h->addLayout(gauche, 1);
  h->addLayout(droite, 1);
  resize(520, 300);

  connect(lb, &QListWidget::currentRowChanged, this, [this] {
    // Another kind of data: the texts of the last one mean nothing here.
    e1->clear();
    e2->clear();
    MetAJour();
    if (cbVoir->isChecked()) Liste();
  });
  connect(cb, &QComboBox::currentIndexChanged, this, [this] {
    MetAJour();
    if (cbVoir->isChecked() && lb->currentRow() == static_cast<int>(DonneeRemp::ContenuChamp)) Liste();
  });
  for (QLineEdit* e : {e1, e2}) connect(e, &QLineEdit::textChanged, this, [this] { MetAJour(); });
  for (QRadioButton* r : {rb1, rb2, rb3, rb4}) connect(r, &QRadioButton::toggled, this, [this] { MetAJour(); });
  connect(sb, &QPushButton::clicked, this, [this] { e2->setText(e1->text()); });
  connect(cbVoir, &QCheckBox::toggled, this, [this](bool voir) {
    if (voir) Liste();
  });
  connect(bOk, &QPushButton::clicked, this, [this] { Remplace(); });
  connect(bFermer, &QPushButton::clicked, this, &QWidget::close);
  TraduitFenetre(this, app.traduction);
}

void TfmRemp::Montre() {
  lb->blockSignals(true);
  lb->setCurrentRow(-1);
  lb->clearSelection();
  lb->blockSignals(false);
  cb->clear();
  for (const std::string& nom : m_app.tables.NomsChamps()) cb->addItem(VersQString(nom));
  if (cb->count() > 0) cb->setCurrentIndex(0);
  e1->clear();
  e2->clear();
  MetAJour();
  show();
  raise();
  activateWindow();
}

bool TfmRemp::Choix(DonneeRemp& d, ChangementRemp& c) const {
  const int ligne = lb->currentRow();
  const bool donnee = ligne >= 0 && ligne < kNbreDonneesRemp;
  d = donnee ? static_cast<DonneeRemp>(ligne) : DonneeRemp::Nom;
  c = rb2->isChecked() ? ChangementRemp::Majuscules
      : rb1->isChecked() ? ChangementRemp::Minuscules
      : rb4->isChecked() ? ChangementRemp::PremiereMajuscule
                         : ChangementRemp::Remplace;
  const bool changement = rb1->isChecked() || rb2->isChecked() || rb3->isChecked() || rb4->isChecked();
  return RemplacementPermis(donnee, d, DepuisQString(cb->currentText()), changement, c,
                            DepuisQString(e1->text()), DepuisQString(e2->text()));
}

void TfmRemp::MetAJour() {
  DonneeRemp d;
  ChangementRemp c;
  bOk->setEnabled(Choix(d, c));
  cb->setEnabled(lb->currentRow() == static_cast<int>(DonneeRemp::ContenuChamp));
}

int TfmRemp::Remplace() {
  DonneeRemp d;
  ChangementRemp c;
  if (!Choix(d, c)) return 0;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const int n = kindrela::Remplace(*m_app.bd, d, DepuisQString(cb->currentText()), c, DepuisQString(e1->text()),
                                   DepuisQString(e2->text()));
  QApplication::restoreOverrideCursor();
  if (cbVoir->isChecked()) Liste();
  if (m_actions.apres) m_actions.apres();
  return n;
}

void TfmRemp::Liste() {
  const int ligne = lb->currentRow();
  if (ligne < 0 || ligne >= kNbreDonneesRemp || !m_actions.montreListe) return;
  const auto d = static_cast<DonneeRemp>(ligne);
  if (d == DonneeRemp::ContenuChamp && cb->currentText().isEmpty()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const ListageRemp l = Listage(*m_app.bd, d, DepuisQString(cb->currentText()), m_app.ini.formatDate);
  QApplication::restoreOverrideCursor();
  m_actions.montreListe(l);
}

}  // namespace kindrela
