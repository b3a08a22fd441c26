#include "gui/analysis/options_calendar_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/settings.h"
#include "core/ansi_literal.h"
#include "dates/event_calendar.h"
#include "gui/common/message_box.h"
#include "gui/common/qt_text.h"
#include "gui/dates/reminder_window.h"
#include "gui/main/application.h"

namespace kindrela {
namespace {

QString Q(std::string_view ansi) { return VersQString(ansi); }

QCheckBox* Case(const char* nom, std::string_view texte, bool coche, QWidget* parent) {
  auto* c = new QCheckBox(Q(texte), parent);
  c->setObjectName(nom);
  c->setChecked(coche);
  return c;
}

QPushButton* Bouton(const char* nom, std::string_view texte, QWidget* parent) {
  auto* b = new QPushButton(Q(texte), parent);
  b->setObjectName(nom);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

TPageOptionsCalendrier::TPageOptionsCalendrier(const TReglages& r, QWidget* parent) : QWidget(parent) {
  setObjectName("tsCalendrier");
  m_weekEnd = Case("cbCalWE", "Indiquer les week-end avec une couleur différente"_ansi,
                   r.Bool(kSectionOptions, "CalWE"), this);
  m_parties = new QComboBox(this);
  m_parties->setObjectName("cbCalNbre");
  for (const char* e : {"1 partie", "2 parties", "3 parties", "4 parties", "6 parties", "12 parties"})
    m_parties->addItem(Q(e));
  m_parties->setCurrentIndex(std::clamp(r.Entier(kSectionOptions, "CalNbre"), 0, m_parties->count() - 1));
  auto* f = new QFormLayout;
  auto* l = new QLabel(Q("Découper le calendrier de la page Web en"_ansi), this);
  l->setObjectName("lCalNbre");
  f->addRow(l, m_parties);
  auto* v = new QVBoxLayout(this);
  v->addWidget(m_weekEnd);
  v->addLayout(f);
  v->addStretch(1);
}

void TPageOptionsCalendrier::Applique(TReglages& r) const {
  r.SetBool(kSectionOptions, "CalWE", m_weekEnd->isChecked());
  r.SetEntier(kSectionOptions, "CalNbre", m_parties->currentIndex());
}

TPageOptionsAnniversaires::TPageOptionsAnniversaires(TApplication& app, QWidget* parent)
    : QWidget(parent), m_app(app) {
  setObjectName("tsAnniversaires");
  const TReglages& r = app.reglages;
  const std::string_view O = kSectionOptions;
  m_anni = Case("cbAFanni", "Afficher les anniversaires à souhaiter"_ansi, r.Bool(O, "AFAnni"), this);
  m_fete = Case("cbAFfete", "Afficher les fêtes à souhaiter"_ansi, r.Bool(O, "AFFete"), this);
  m_jour = Case("cbAFJour", "Afficher les événements des "_ansi, r.Bool(O, "AFJour"), this);
  m_nbreJour = new QSpinBox(this);
  m_nbreJour->setObjectName("seAFNbreJour");
  m_nbreJour->setRange(1, 365);
  m_nbreJour->setValue(std::clamp(r.Entier(O, "AFNbreJour"), 1, 365));
  m_nbreJour->setEnabled(m_jour->isChecked());
  connect(m_jour, &QCheckBox::toggled, m_nbreJour, &QWidget::setEnabled);
  auto* jours = new QLabel(Q("prochains jours"), this);
  jours->setObjectName("lAFJours");
  m_demarre = Case("cbAFDemarre", "Afficher les anniversaires et fêtes au démarrage de Windows"_ansi,
                   r.Bool(O, "AFDemarre"), this);
  m_demarre->setToolTip(Q("Au début de chaque session, le rappel s'affiche seul, sans ouvrir l'arbre."_ansi));

  auto* fichier = new QGroupBox(Q("Créer le fichier des anniversaires et des fêtes"_ansi), this);
  fichier->setObjectName("gbAFFichier");
  auto* tous = Bouton("bAFTous", "Tout le monde", fichier);
  auto* rapport = Bouton("bAFRapport", "Selon rapport", fichier);
  const bool arbre = app.bd && app.bd->BaseChargee;
  tous->setEnabled(arbre);
  rapport->setEnabled(arbre);
  connect(tous, &QPushButton::clicked, this, &TPageOptionsAnniversaires::ToutLeMonde);
  connect(rapport, &QPushButton::clicked, this, &TPageOptionsAnniversaires::SelonRapport);
  auto* b = new QHBoxLayout(fichier);
  b->addWidget(tous);
  b->addWidget(rapport);
  b->addStretch(1);

  auto* ligne = new QHBoxLayout;
  ligne->addWidget(m_jour);
  ligne->addWidget(m_nbreJour);
  ligne->addWidget(jours);
  ligne->addStretch(1);
  auto* v = new QVBoxLayout(this);
  v->addWidget(m_anni);
  v->addWidget(m_fete);
  v->addLayout(ligne);
  v->addWidget(m_demarre);
  v->addWidget(fichier);
  v->addStretch(1);
}

TOptionsRappels TPageOptionsAnniversaires::Options() const {
  TOptionsRappels o;
  o.anniversaires = m_anni->isChecked();
  o.fetes = m_fete->isChecked();
  o.joursSuivants = m_jour->isChecked();
  o.nbreJour = m_nbreJour->value();
  return o;
}

void TPageOptionsAnniversaires::Applique(TReglages& r) const {
  const std::string_view O = kSectionOptions;
  r.SetBool(O, "AFAnni", m_anni->isChecked());
  r.SetBool(O, "AFFete", m_fete->isChecked());
  r.SetBool(O, "AFJour", m_jour->isChecked());
  r.SetEntier(O, "AFNbreJour", m_nbreJour->value());
  r.SetBool(O, "AFDemarre", m_demarre->isChecked());
  if (!FixeDemarrageRappels(m_demarre->isChecked(), m_app))
    BoiteMessage(Q(m_app.traduction.MsgCle("rappel_demarrage")) + "\n" + FichierDemarrageRappels(), kErreur, 0,
                 const_cast<TPageOptionsAnniversaires*>(this));
}

void TPageOptionsAnniversaires::Sauve(std::span<const int32_t> personnes) {
  Statut s = SauverRappels(m_app.dossiers.fichierAnniFete, *m_app.bd, personnes, Options(), m_app.fetes);
  if (!s.ok()) {
    BoiteMessage(Q(s.message()), kErreur, 0, this);
    return;
  }
  BoiteMessage(Q("Le fichier est sauvegardé."_ansi), kInformation, 0, this);
}

void TPageOptionsAnniversaires::ToutLeMonde() {
  if (!m_app.bd) return;
  const TBD& bd = *m_app.bd;
  std::vector<int32_t> tous;
  for (int n = 1; n <= bd.NbreFiche(); ++n)
    if (bd.FicheUtilisee(n)) tous.push_back(n);
  Sauve(tous);
}

void TPageOptionsAnniversaires::SelonRapport() {
  if (!m_app.bd) return;
  const TR rapport = m_app.rapport.PersonnesDesLignes();
  if (rapport.Count() == 0) {
    BoiteMessage(Q("Il n'y a aucune personne dans le rapport. Pour en créer un, cliquez sur le bouton "
                   "\"Rapport\"."_ansi),
                 kInformation, 0, this);
    return;
  }
  Sauve(std::span<const int32_t>(rapport.begin(), rapport.end()));
}

}  // namespace kindrela
