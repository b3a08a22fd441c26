#include "gui/dates/calendar_converter.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dates/calendar_converter.h"
#include "gui/common/qt_text.h"

namespace kindrela {
namespace {

// Sets a selector to `valeur` (1-based), or to nothing for 0.
void Choisit(QComboBox* c, int valeur) {
  c->setCurrentIndex(valeur >= 1 && valeur <= c->count() ? valeur - 1 : -1);
}

}  // namespace

TfmCalConv::TfmCalConv(const std::string& date, QWidget* parent) : QDialog(parent) {
  setObjectName("fmCalConv");
  setWindowTitle("Calendrier");
  m_greg = new QLineEdit(this);
  m_greg->setObjectName("eGreg");
  m_jul = new QLineEdit(this);
  m_jul->setObjectName("eJul");
  m_repJ = new QComboBox(this);
  m_repJ->setObjectName("cbRepJ");
  for (int j = 1; j <= 30; ++j) m_repJ->addItem(QString::number(j));
  m_repM = new QComboBox(this);
  m_repM->setObjectName("cbRepM");
  for (std::string_view mois : NomsMoisRepublicains) m_repM->addItem(VersQString(mois));
  m_repM->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  m_repA = new QComboBox(this);
  m_repA->setObjectName("cbRepA");
  for (int a = 1; a <= kAnneesRepublicainesConvertisseur; ++a) m_repA->addItem(QString::number(a));
  m_sem = new QLabel(this);
  m_sem->setObjectName("lSem");
  m_sem->setMinimumWidth(m_sem->fontMetrics().averageCharWidth() * 12);

  auto* republicain = new QHBoxLayout;
  republicain->addWidget(m_repJ);
  republicain->addWidget(m_repM, 1);
  republicain->addWidget(m_repA);
  auto* gregorien = new QHBoxLayout;
  gregorien->addWidget(m_greg, 1);
  gregorien->addWidget(m_sem);
  auto* f = new QFormLayout;
  f->addRow(VersQString("Grégorien"_ansi), gregorien);
  f->addRow("Jour julien", m_jul);
  f->addRow(VersQString("Républicain"_ansi), republicain);
  auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  boutons->button(QDialogButtonBox::Ok)->setObjectName("btOk");
  boutons->button(QDialogButtonBox::Ok)->setText("&OK");
  boutons->button(QDialogButtonBox::Cancel)->setObjectName("btAnnuler");
  boutons->button(QDialogButtonBox::Cancel)->setText("&Annuler");
  connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* colonne = new QVBoxLayout(this);
  colonne->addLayout(f);
  colonne->addWidget(boutons);

  m_greg->setText(VersQString(date));
  connect(m_greg, &QLineEdit::textChanged, this, [this] { DepuisGregorien(); });
  m_greg->installEventFilter(this);
  m_jul->installEventFilter(this);
  for (QComboBox* c : {m_repJ, m_repM, m_repA})
    connect(c, &QComboBox::activated, this, [this] { DepuisRepublicain(); });
  DepuisGregorien();
}

std::string TfmCalConv::Gregorien() const { return DepuisQString(m_greg->text()); }

bool TfmCalConv::eventFilter(QObject* objet, QEvent* evenement) {
  const bool entre = evenement->type() == QEvent::FocusIn;
  const bool sort = evenement->type() == QEvent::FocusOut;
  if ((entre || sort) && objet == m_greg) DepuisGregorien();
  if ((entre || sort) && objet == m_jul) DepuisJulien();
  return QDialog::eventFilter(objet, evenement);
}

void TfmCalConv::Montre(const VuesCalendrier& v, bool gregorien, bool julien) {
  if (gregorien) m_greg->setText(VersQString(v.gregorien));
  if (julien) m_jul->setText(VersQString(v.julien).trimmed());
  m_sem->setText(VersQString(v.jourSemaine));
  Choisit(m_repJ, v.republicain.jour);
  Choisit(m_repM, v.republicain.mois);
  Choisit(m_repA, v.republicain.annee <= kAnneesRepublicainesConvertisseur ? v.republicain.annee : 0);
}

void TfmCalConv::DepuisGregorien() {
  if (m_calcul) return;
  m_calcul = true;
  Montre(VuesDepuisGregorien(Gregorien()), false, true);
  m_calcul = false;
}

void TfmCalConv::DepuisJulien() {
  if (m_calcul) return;
  m_calcul = true;
  if (auto v = VuesDepuisJulien(DepuisQString(m_jul->text()))) Montre(*v, true, true);
  m_calcul = false;
}

void TfmCalConv::DepuisRepublicain() {
  if (m_calcul) return;
  m_calcul = true;
  if (auto v = VuesDepuisRepublicain(m_repJ->currentIndex() + 1, m_repM->currentIndex() + 1,
                                     m_repA->currentIndex() + 1))
    Montre(*v, true, true);
  m_calcul = false;
}

std::string ConvertirCalendrier(QWidget* owner, const std::string& date) {
  TfmCalConv dialogue(date, owner);
  if (dialogue.exec() != QDialog::Accepted) return date;
  return dialogue.Gregorien();
}

}  // namespace kindrela
