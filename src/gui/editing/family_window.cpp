#include "gui/editing/family_window.h"

#include <QGridLayout>
#include <QHideEvent>
#include <QGroupBox>
#include <QListWidget>
#include <QVBoxLayout>

#include "chart/templates.h"
#include "core/ansi_literal.h"
#include "dates/dates.h"
#include "editing/record.h"
#include "gui/common/qt_text.h"
#include "gui/i18n/translate_window.h"
#include "gui/main/application.h"

namespace kindrela {
namespace {

QString Q(std::string_view ansi) { return VersQString(ansi); }

QGroupBox* Cadre(const char* nom, std::string_view titre, QListWidget* liste, QWidget* parent) {
  auto* cadre = new QGroupBox(Q(titre), parent);
  cadre->setObjectName(nom);
  auto* v = new QVBoxLayout(cadre);
  v->setContentsMargins(4, 4, 4, 4);
  v->addWidget(liste);
  return cadre;
}

}  // namespace

TfmFicheArbre::TfmFicheArbre(TApplication& app, QWidget* parent) : QWidget(parent), m_app(app) {
  setObjectName("fmFicheArbre");
  setWindowTitle("Fiche sous forme d'arbre");
  setWindowFlag(Qt::Tool, parent != nullptr);
  m_pere = Liste("lbPere");
  m_mere = Liste("lbMere");
  m_reference = Liste("lbReference");
  m_fratrieListe = Liste("lbFratrie");
  m_conjointsListe = Liste("lbConjoints");
  m_parentsConjointListe = Liste("lbParentsConjoint");
  m_enfantsListe = Liste("lbEnfants");

  // Parents above, the person with its siblings and spouses in the middle, children below.
  auto* g = new QGridLayout(this);
  g->addWidget(Cadre("gbPere", "Père"_ansi, m_pere, this), 0, 0);
  g->addWidget(Cadre("gbMere", "Mère"_ansi, m_mere, this), 0, 1);
  g->addWidget(Cadre("gbParentsConjoint", "Parents du conjoint", m_parentsConjointListe, this), 0, 2);
  g->addWidget(Cadre("gbFratrie", "Fratrie", m_fratrieListe, this), 1, 0);
  g->addWidget(Cadre("gbReference", "Référence"_ansi, m_reference, this), 1, 1);
  g->addWidget(Cadre("gbConjoints", "Conjoints", m_conjointsListe, this), 1, 2);
  g->addWidget(Cadre("gbEnfants", "Enfants", m_enfantsListe, this), 2, 0, 1, 3);
  for (int c = 0; c < 3; ++c) g->setColumnStretch(c, 1);
  g->setRowStretch(0, 3);
  g->setRowStretch(1, 3);
  g->setRowStretch(2, 2);

  auto selectionne = [this](const TR& personnes, QListWidget* liste) {
    const int ligne = liste->currentRow();
    if (ligne >= 0 && ligne < personnes.Count()) emit PersonneChoisie(personnes.Get(ligne + 1));
  };
  connect(m_fratrieListe, &QListWidget::itemDoubleClicked, this,
          [this, selectionne] { selectionne(m_fratrie, m_fratrieListe); });
  connect(m_enfantsListe, &QListWidget::itemDoubleClicked, this,
          [this, selectionne] { selectionne(m_enfants, m_enfantsListe); });
  connect(m_conjointsListe, &QListWidget::itemClicked, this,
          [this, selectionne] { selectionne(m_conjoints, m_conjointsListe); });
  connect(m_conjointsListe, &QListWidget::currentRowChanged, this, [this] { ParentsDuConjoint(); });
  connect(m_parentsConjointListe, &QListWidget::itemDoubleClicked, this, [this] {
    const int ligne = m_parentsConjointListe->currentRow();
    if (ligne >= 0 && ligne < 2 && m_parentsConjoint[ligne] > 0)
      emit PersonneChoisie(m_parentsConjoint[ligne]);
  });
  // The parents' lists lead to them as well.
  for (auto [liste, pere] : {std::pair{m_pere, true}, std::pair{m_mere, false}}) {
    connect(liste, &QListWidget::itemDoubleClicked, this, [this, pere] {
      const int p = pere ? m_app.bd->LitPere(m_personne) : m_app.bd->LitMere(m_personne);
      if (p > 0) emit PersonneChoisie(p);
    });
  }
  TraduitFenetre(this, app.traduction);
  resize(720, 480);
}

QListWidget* TfmFicheArbre::Liste(const char* nom) {
  auto* l = new QListWidget(this);
  l->setObjectName(nom);
  l->setWordWrap(true);
  return l;
}

void TfmFicheArbre::Resume(QListWidget* liste, int p) {
  liste->clear();
  for (const std::string& ligne : ResumePersonne(*m_app.bd, p, m_app.traduction, m_app.ini.formatDate))
    liste->addItem(Q(ligne));
}

void TfmFicheArbre::Affiche(int n) {
  const TBD& bd = *m_app.bd;
  m_personne = bd.FicheUtilisee(n) ? n : 0;
  TContexteModele ctx{bd, m_app.mots};
  ctx.formatDate = m_app.ini.formatDate;
  ctx.fetes = &m_app.fetes;
  ctx.traduction = &m_app.traduction;
  const std::string& fiche1 = m_app.reglages.Texte(kSectionOptions, "Fiche1");
  const std::string& fiche2 = m_app.reglages.Texte(kSectionOptions, "Fiche2");
  auto texte = [&](int p, const std::string& modele) {
    std::string t = ExpandTemplate(ctx, p, modele);
    return t.empty() ? bd.NomCourt(p) : t;
  };
  Resume(m_pere, bd.LitPere(m_personne));
  Resume(m_mere, bd.LitMere(m_personne));
  Resume(m_reference, m_personne);
  m_fratrie = FratrieTriee(bd, m_personne);
  m_enfants = EnfantsTries(bd, m_personne);
  m_conjoints = TR(TRR::kCapaciteCourte);
  for (QListWidget* l : {m_fratrieListe, m_enfantsListe, m_conjointsListe}) l->clear();
  for (int p : m_fratrie) m_fratrieListe->addItem(Q(texte(p, fiche2)));
  for (int p : m_enfants) m_enfantsListe->addItem(Q(texte(p, fiche2)));
  for (int u : UnionsOf(bd, m_personne)) {
    const int conjoint = ConjointDansUnion(bd, u, m_personne);
    if (conjoint <= 0) continue;
    m_conjoints.Add(conjoint);
    std::string ligne = texte(conjoint, fiche1);
    const std::string mariage = bd.LitEveUnionNature(u, bd.NatMariage, 2);
    if (!mariage.empty()) ligne += " " + DateAffichee(mariage, m_app.ini.formatDate);
    m_conjointsListe->addItem(Q(ligne));
  }
  m_conjointsListe->setCurrentRow(m_conjoints.Count() > 0 ? 0 : -1);
  ParentsDuConjoint();
  setWindowTitle(Q("Fiche sous forme d'arbre"_ansi) +
                 (m_personne ? " - " + Q(bd.NomCourt(m_personne)) : QString()));
}

void TfmFicheArbre::ParentsDuConjoint() {
  const TBD& bd = *m_app.bd;
  m_parentsConjointListe->clear();
  const int ligne = m_conjointsListe->currentRow();
  const int conjoint = ligne >= 0 && ligne < m_conjoints.Count() ? m_conjoints.Get(ligne + 1) : 0;
  m_parentsConjoint[0] = bd.LitPere(conjoint);
  m_parentsConjoint[1] = bd.LitMere(conjoint);
  for (int p : m_parentsConjoint)
    m_parentsConjointListe->addItem(p > 0 ? Q(bd.LitNom(p) + " " + bd.LitPrenoms(p)) : QString("-"));
}

void TfmFicheArbre::hideEvent(QHideEvent* evenement) {
  QWidget::hideEvent(evenement);
  // Minimising the main window hides it too; only a real close releases the button.
  if (!evenement->spontaneous()) emit Cachee();
}

}  // namespace kindrela
