#include "gui/analysis/options_record_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/settings.h"
#include "core/ansi_literal.h"
#include "gui/common/qt_text.h"

namespace kindrela {
namespace {

QString Q(std::string_view ansi) { return VersQString(ansi); }

QCheckBox* Case(const char* nom, std::string_view texte, bool coche, QWidget* parent) {
  auto* c = new QCheckBox(Q(texte), parent);
  c->setObjectName(nom);
  c->setChecked(coche);
  return c;
}

QSpinBox* Nombre(const char* nom, int valeur, QWidget* parent) {
  auto* s = new QSpinBox(parent);
  s->setObjectName(nom);
  s->setRange(1, 999);
  s->setValue(valeur);
  s->setMaximumWidth(s->fontMetrics().horizontalAdvance("0000") + 48);
  return s;
}

QLabel* Etiquette(const char* nom, std::string_view texte, QWidget* parent) {
  auto* l = new QLabel(Q(texte), parent);
  l->setObjectName(nom);
  return l;
}

QLineEdit* Modele(const char* nom, const std::string& valeur, QWidget* parent) {
  auto* e = new QLineEdit(Q(valeur), parent);
  e->setObjectName(nom);
  e->setToolTip(Q("Texte avec balises, comme dans les cellules de l'arbre : <nom>, <prénom>, <dn>..."_ansi));
  return e;
}

}  // namespace

TPageOptionsFiche::TPageOptionsFiche(const TReglages& r, QWidget* parent) : QWidget(parent) {
  setObjectName("tsFiche");
  const std::string_view O = kSectionOptions;

  auto* noms = new QGroupBox(Q("Saisie des noms et des lieux"), this);
  noms->setObjectName("gbNoms");
  m_nomMaj = Case("cbNomMaj", "Mettre les noms en majuscule", r.Bool(O, "NomMaj"), noms);
  m_preMaj = Case("cbPreMaj", "Mettre les prénoms avec la première lettre en majuscule"_ansi,
                  r.Bool(O, "PreMaj"), noms);
  m_lokaro = Case("cbLokaro", "Utiliser le logiciel \"Lokaro\" pour la saisie des lieux ",
                  r.Bool(O, "Lokaro") && r.LokaroDisponible(), noms);
  m_lokaro->setEnabled(r.LokaroDisponible());
  if (!r.LokaroDisponible())
    m_lokaro->setToolTip(Q("Le logiciel \"Lokaro\" n'est pas installé."_ansi));
  auto* vn = new QVBoxLayout(noms);
  vn->addWidget(m_nomMaj);
  vn->addWidget(m_preMaj);
  vn->addWidget(m_lokaro);

  auto* aide = new QGroupBox(Q("Saisie assistée"_ansi), this);
  aide->setObjectName("gbSaisie");
  m_saisieNom = Case("cbSaisieNom", "Saisie assistée pour les noms, prénoms et lieux"_ansi,
                     r.Bool(O, "SaisieNom"), aide);
  m_saisieNomNbre = Nombre("seSaisieNom", r.Entier(O, "SaisieNomNbre"), aide);
  m_saisieLieu = new QComboBox(aide);
  m_saisieLieu->setObjectName("cbSaisieLieu");
  for (std::string_view partie :
       {"Le lieu complet", "Le pays", "La région"_ansi, "Le code postal", "La commune", "Le lieu-dit"})
    m_saisieLieu->addItem(Q(partie));
  const int partie = r.Entier(O, "SaisieLieu");
  m_saisieLieu->setCurrentIndex(partie >= 0 && partie < m_saisieLieu->count() ? partie : 0);
  m_saisieChp = Case("cbSaisieChp", "Saisie assistée pour les champs"_ansi, r.Bool(O, "SaisieChp"), aide);
  m_saisieChpNbre = Nombre("seSaisieChp", r.Entier(O, "SaisieChpNbre"), aide);
  auto* fa = new QFormLayout(aide);
  fa->addRow(m_saisieNom);
  fa->addRow(Etiquette("lSaisieNomNbre", "Nombre de propositions", aide), m_saisieNomNbre);
  fa->addRow(Etiquette("lSaisieLieu", "Partie du lieu proposée"_ansi, aide), m_saisieLieu);
  fa->addRow(m_saisieChp);
  fa->addRow(Etiquette("lSaisieChpNbre", "Nombre de propositions", aide), m_saisieChpNbre);

  auto* textes = new QGroupBox(Q("Textes de la fiche"), this);
  textes->setObjectName("gbTextesFiche");
  m_ficheTitre = Modele("eFicheTitre", r.Texte(O, "FicheTitre"), textes);
  m_fiche1 = Modele("eFiche1", r.Texte(O, "Fiche1"), textes);
  m_fiche2 = Modele("eFiche2", r.Texte(O, "Fiche2"), textes);
  auto* ft = new QFormLayout(textes);
  ft->addRow(Etiquette("lFicheTitre", "Titre de la fenêtre"_ansi, textes), m_ficheTitre);
  ft->addRow(Etiquette("lFiche1", "Parents et conjoints", textes), m_fiche1);
  ft->addRow(Etiquette("lFiche2", "Frères, soeurs et enfants"_ansi, textes), m_fiche2);

  auto* ajout = new QGroupBox(Q("Ajout de personnes"), this);
  ajout->setObjectName("gbAjout");
  m_ajoutePers = Case("cbAjoutePers",
                      "Afficher la fenêtre de saisie de l'identité à l'ajout de personnes"_ansi,
                      r.Bool(O, "AjoutePers"), ajout);
  m_lienAuto = Case("cbLienAuto", "Créer les liens automatiquement sans poser de question losque"_ansi,
                    r.Bool(O, "LienAuto"), ajout);
  m_ajouteEve = Case("cbAjouteEve", "Evaluer automatiquement la date de naissance à la création"_ansi,
                     r.Bool(O, "AjouteEve"), ajout);
  auto* va = new QVBoxLayout(ajout);
  va->addWidget(m_ajoutePers);
  va->addWidget(m_lienAuto);
  va->addWidget(m_ajouteEve);

  auto* v = new QVBoxLayout(this);
  v->addWidget(noms);
  v->addWidget(aide);
  v->addWidget(textes);
  v->addWidget(ajout);
  v->addStretch(1);
}

void TPageOptionsFiche::Applique(TReglages& r) const {
  const std::string_view O = kSectionOptions;
  r.SetBool(O, "NomMaj", m_nomMaj->isChecked());
  r.SetBool(O, "PreMaj", m_preMaj->isChecked());
  if (m_lokaro->isEnabled()) r.SetBool(O, "Lokaro", m_lokaro->isChecked());
  r.SetBool(O, "SaisieNom", m_saisieNom->isChecked());
  r.SetEntier(O, "SaisieNomNbre", m_saisieNomNbre->value());
  r.SetEntier(O, "SaisieLieu", m_saisieLieu->currentIndex());
  r.SetBool(O, "SaisieChp", m_saisieChp->isChecked());
  r.SetEntier(O, "SaisieChpNbre", m_saisieChpNbre->value());
  r.SetTexte(O, "FicheTitre", DepuisQString(m_ficheTitre->text()));
  r.SetTexte(O, "Fiche1", DepuisQString(m_fiche1->text()));
  r.SetTexte(O, "Fiche2", DepuisQString(m_fiche2->text()));
  r.SetBool(O, "AjoutePers", m_ajoutePers->isChecked());
  r.SetBool(O, "LienAuto", m_lienAuto->isChecked());
  r.SetBool(O, "AjouteEve", m_ajouteEve->isChecked());
}

}  // namespace kindrela
