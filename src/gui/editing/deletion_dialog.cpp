#include "gui/editing/deletion_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/ansi_literal.h"
#include "core/database.h"
#include "gui/common/qt_text.h"
#include "gui/i18n/translate_window.h"
#include "gui/main/application.h"

namespace kindrela {
namespace {

QString Q(std::string_view ansi) { return VersQString(ansi); }

// The persons of the report that are persons of the tree.
TR PersonnesRapport(const TApplication& app) {
  const TR lignes = app.rapport.PersonnesDesLignes();
  TR liste(std::max(lignes.Count(), 1));
  for (int p : lignes)
    if (app.bd->FicheUtilisee(p)) liste.Add(p);
  return liste;
}

}  // namespace

TfmSupprime::TfmSupprime(TApplication& app, int p, Actions actions, QWidget* parent)
    : QDialog(parent), m_app(app), m_personne(p), m_actions(std::move(actions)) {
  setObjectName("fmSupprime");
  setWindowTitle("Supprimer une ou plusieurs fiche(s)");
  setModal(false);

  auto caseACocher = [this](const char* nom, std::string_view texte) {
    auto* c = new QCheckBox(Q(texte), this);
    c->setObjectName(nom);
    connect(c, &QCheckBox::toggled, this, [this] { Change(); });
    return c;
  };
  auto nombre = [this](const char* nom, int valeur) {
    auto* s = new QSpinBox(this);
    s->setObjectName(nom);
    s->setRange(1, 999);
    s->setValue(valeur);
    connect(s, &QSpinBox::valueChanged, this, [this] { Change(); });
    return s;
  };
  auto ligne = [](std::initializer_list<QWidget*> widgets) {
    auto* h = new QHBoxLayout;
    for (QWidget* w : widgets) h->addWidget(w);
    h->addStretch();
    return h;
  };
  auto etiquette = [this](std::string_view texte) { return new QLabel(Q(texte), this); };

  L_Nom = new QLabel(Q(app.bd->NomCourt(p)), this);
  L_Nom->setObjectName("L_Nom");
  CB_Pers = caseACocher("CB_Pers", "Juste cette personne");
  CB_Pere = caseACocher("CB_Pere", "Son père"_ansi);
  CB_Mere = caseACocher("CB_Mere", "Sa mère"_ansi);
  CB_Conj = caseACocher("CB_Conj", "Ses conjoints");
  CB_Fatrie = caseACocher("CB_Fatrie", "Sa fratrie");
  CB_Enfant = caseACocher("CB_Enfant", "Ses enfants");
  CB_Asc = caseACocher("CB_Asc", "Son ascendance sur");
  eAscGen = nombre("eAscGen", 1);
  cbAscFratrie = caseACocher("cbAscFratrie", "La fratrie de son ascendance");
  cbAscFratrieDes = caseACocher("cbAscFratrieDes", "La descendance de la fratrie de son ascendance");
  cbAscConj = caseACocher("cbAscConj", "Les conjoints de toutes ces personnes");
  cbAscConjAsc = caseACocher("cbAscConjAsc", "L'ascendance des conjoints sur");
  eAscConjAsc = nombre("eAscConjAsc", 1);
  CB_Des = caseACocher("CB_Des", "Sa descendance sur");
  eDesGen = nombre("eDesGen", 1);
  cbDesConj = caseACocher("cbDesConj", "Les conjoints de la descendance");
  cbDesConjAsc = caseACocher("cbDesConjAsc", "L'ascendance des conjoints sur");
  eDesConjAsc = nombre("eDesConjAsc", 1);
  cbAge = caseACocher("cbAge", "Les personnes de moins de");
  eAge = nombre("eAge", 100);
  const int nbreRapport = PersonnesRapport(app).Count();
  cbRapport = caseACocher("cbRapport", "Les personnes listées dans le rapport ("_ansi +
                                           std::to_string(nbreRapport) + " pers.)");
  rbSupprimer = new QRadioButton("Supprimer", this);
  rbSupprimer->setObjectName("rbSupprimer");
  rbConserver = new QRadioButton("Conserver seulement", this);
  rbConserver->setObjectName("rbConserver");
  rbSupprimer->setChecked(true);
  connect(rbSupprimer, &QRadioButton::toggled, this, [this] { Change(); });
  cbCalculer = caseACocher("cbCalculer", "Calculer le nombre de fiche");
  sbListe = new QPushButton(Q(LibelleCompte(0)), this);
  sbListe->setObjectName("sbListe");
  connect(sbListe, &QPushButton::clicked, this, [this] { AfficheListe(); });
  B_Ok = new QPushButton("&OK", this);
  B_Ok->setObjectName("B_Ok");
  B_Annuler = new QPushButton("&Annuler", this);
  B_Annuler->setObjectName("B_Annuler");
  connect(B_Ok, &QPushButton::clicked, this, [this] { Supprime(); });
  connect(B_Annuler, &QPushButton::clicked, this, &QDialog::close);

  m_ecrit = true;
  CB_Pers->setChecked(true);
  cbCalculer->setChecked(true);
  m_ecrit = false;

  auto* colonne = new QVBoxLayout(this);
  colonne->addWidget(L_Nom);
  for (QWidget* w : {CB_Pers, CB_Pere, CB_Mere, CB_Conj, CB_Fatrie, CB_Enfant}) colonne->addWidget(w);
  colonne->addLayout(ligne({CB_Asc, eAscGen, etiquette("génération(s)"_ansi)}));
  auto* retrait = [&] {
    auto* v = new QVBoxLayout;
    v->setContentsMargins(24, 0, 0, 0);
    return v;
  }();
  retrait->addWidget(cbAscFratrie);
  retrait->addWidget(cbAscFratrieDes);
  retrait->addWidget(cbAscConj);
  retrait->addLayout(ligne({cbAscConjAsc, eAscConjAsc, etiquette("gén."_ansi)}));
  colonne->addLayout(retrait);
  colonne->addLayout(ligne({CB_Des, eDesGen, etiquette("génération(s)"_ansi)}));
  auto* retraitDes = new QVBoxLayout;
  retraitDes->setContentsMargins(24, 0, 0, 0);
  retraitDes->addWidget(cbDesConj);
  retraitDes->addLayout(ligne({cbDesConjAsc, eDesConjAsc, etiquette("gén."_ansi)}));
  colonne->addLayout(retraitDes);
  colonne->addLayout(ligne({cbAge, eAge, etiquette("ans")}));
  colonne->addWidget(cbRapport);
  colonne->addLayout(ligne({rbSupprimer, rbConserver}));
  colonne->addLayout(ligne({cbCalculer, sbListe}));
  auto* bas = new QHBoxLayout;
  bas->addStretch();
  bas->addWidget(B_Ok);
  bas->addWidget(B_Annuler);
  colonne->addLayout(bas);
  TraduitFenetre(this, app.traduction);
  Compte();
}

CriteresSuppression TfmSupprime::Criteres() const {
  CriteresSuppression c;
  c.personne = CB_Pers->isChecked();
  c.pere = CB_Pere->isChecked();
  c.mere = CB_Mere->isChecked();
  c.conjoints = CB_Conj->isChecked();
  c.fratrie = CB_Fatrie->isChecked();
  c.enfants = CB_Enfant->isChecked();
  c.ascendance = CB_Asc->isChecked();
  c.ascGen = eAscGen->value();
  c.ascFratrie = cbAscFratrie->isChecked();
  c.ascFratrieDes = cbAscFratrieDes->isChecked();
  c.ascConj = cbAscConj->isChecked();
  c.ascConjAsc = cbAscConjAsc->isChecked();
  c.ascConjAscGen = eAscConjAsc->value();
  c.descendance = CB_Des->isChecked();
  c.desGen = eDesGen->value();
  c.desConj = cbDesConj->isChecked();
  c.desConjAsc = cbDesConjAsc->isChecked();
  c.desConjAscGen = eDesConjAsc->value();
  c.age = cbAge->isChecked();
  c.ageMax = eAge->value();
  c.rapport = cbRapport->isChecked();
  c.conserver = rbConserver->isChecked();
  return c;
}

void TfmSupprime::Change() {
  // The enabling rules hold even while nothing is counted.
  if (!m_ecrit) Compte();
}

void TfmSupprime::Compte() {
  CriteresSuppression c = Criteres();
  const TR rapport = PersonnesRapport(m_app);
  const ActivationsSuppression a = AppliqueActivations(*m_app.bd, m_personne, rapport.Count(), c);
  m_ecrit = true;
  auto regle = [](QCheckBox* b, bool actif, bool coche) {
    b->setEnabled(actif);
    b->setChecked(coche);
  };
  regle(CB_Pere, a.pere, c.pere);
  regle(CB_Mere, a.mere, c.mere);
  regle(CB_Conj, a.conjoints, c.conjoints);
  regle(CB_Fatrie, a.fratrie, c.fratrie);
  regle(CB_Enfant, a.enfants, c.enfants);
  regle(cbAscFratrie, a.ascFratrie, c.ascFratrie);
  regle(cbAscFratrieDes, a.ascFratrieDes, c.ascFratrieDes);
  regle(cbAscConj, a.ascConj, c.ascConj);
  regle(cbAscConjAsc, a.ascConjAsc, c.ascConjAsc);
  regle(cbDesConj, a.desConj, c.desConj);
  regle(cbDesConjAsc, a.desConjAsc, c.desConjAsc);
  regle(cbRapport, a.rapport, c.rapport);
  m_ecrit = false;
  if (!cbCalculer->isChecked()) {
    m_marques.clear();
    CompteListe();
    return;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  m_marques = SelectionSuppression(*m_app.bd, m_personne, c, rapport);
  QApplication::restoreOverrideCursor();
  CompteListe();
}

void TfmSupprime::CompteListe() {
  const int n = cbCalculer->isChecked() && !m_marques.empty()
                    ? NbreASupprimer(*m_app.bd, m_marques, rbConserver->isChecked())
                    : 0;
  sbListe->setText(Q(LibelleCompte(n)));
  sbListe->setEnabled(n > 0);
}

void TfmSupprime::AfficheListe() {
  if (m_marques.empty() || !m_actions.montreListe) return;
  m_actions.montreListe(ListeASupprimer(*m_app.bd, m_marques, rbConserver->isChecked()),
                        DepuisQString(sbListe->text()));
}

void TfmSupprime::Supprime() {
  if (!cbCalculer->isChecked()) cbCalculer->setChecked(true);  // counts through Change
  if (m_marques.empty()) Compte();
  if (m_actions.avant) m_actions.avant();
  TBD& bd = *m_app.bd;
  const int avant = m_actions.selection ? m_actions.selection() : m_personne;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const int s = SupprimeSelection(bd, m_marques, rbConserver->isChecked(), avant);
  QApplication::restoreOverrideCursor();
  if (m_actions.apres) m_actions.apres(s);
  close();
}

}  // namespace kindrela
