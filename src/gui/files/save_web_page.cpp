#include "gui/files/save_web_page.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/ansi_literal.h"
#include "gui/common/qt_text.h"
#include "gui/common/radio_group.h"

namespace kindrela {

namespace {

QString T(const char* ansi) { return VersQString(ansi); }

QCheckBox* Case(QWidget* parent, const char* nom, const char* texte) {
  auto* c = new QCheckBox(T(texte), parent);
  c->setObjectName(nom);
  return c;
}

QSpinBox* Nombre(QWidget* parent, const char* nom, int min, int max) {
  auto* s = new QSpinBox(parent);
  s->setObjectName(nom);
  s->setRange(min, max);
  return s;
}

}  // namespace

TPageSauveWeb::TPageSauveWeb(QWidget* parent) : QWidget(parent) {
  setObjectName("pHtmlOptions");
  auto* exterieur = new QVBoxLayout(this);
  exterieur->setContentsMargins(0, 0, 0, 0);
  auto* defile = new QScrollArea(this);
  defile->setWidgetResizable(true);
  defile->setFrameShape(QFrame::NoFrame);
  auto* contenu = new QWidget(defile);
  defile->setWidget(contenu);
  exterieur->addWidget(defile);
  auto* colonnes = new QHBoxLayout(contenu);
  auto* gauche = new QVBoxLayout;
  auto* droite = new QVBoxLayout;
  colonnes->addLayout(gauche, 1);
  colonnes->addLayout(droite, 1);

  // The main page.
  auto* principal = new QGroupBox(T("Page principale"), contenu);
  principal->setObjectName("gbPrincipale");
  auto* fp = new QFormLayout(principal);
  m_titre = new QLineEdit(principal);
  m_titre->setObjectName("E_Titre");
  m_texteLibre = new QPlainTextEdit(principal);
  m_texteLibre->setObjectName("M_TexteLibre");
  m_texteLibre->setTabChangesFocus(true);
  m_texteLibre->setMaximumHeight(60);
  fp->addRow(T("Titre"), m_titre);
  fp->addRow(T("Texte libre"), m_texteLibre);
  gauche->addWidget(principal);

  // Lists.
  m_liste = Case(contenu, "cbListe", "Enregistrer la liste des personnes.");
  gauche->addWidget(m_liste);
  m_modeListe = new TRadioGroup(contenu);
  m_modeListe->setObjectName("rgListe");
  m_modeListe->setItems({T("Toutes les personnes sur la même page"_ansi), T("Nombre de personne par page"),
                         T("Une page par lettre (A, B, C,...)"), T("Une page par patronyme")});
  gauche->addWidget(m_modeListe);
  auto* ligne = new QHBoxLayout;
  m_parListe = Nombre(contenu, "seListe2val", 5, 250);
  ligne->addWidget(new QLabel(T("Nombre de personne par page"), contenu));
  ligne->addWidget(m_parListe);
  gauche->addLayout(ligne);
  m_listeAccueil = Case(contenu, "cbListeLienAccueil", "Mettre un lien vers la page principale");
  gauche->addWidget(m_listeAccueil);

  // Cards.
  m_fiches = Case(contenu, "cbFiche", "Enregistrer la fiche de toutes les personnes.");
  gauche->addWidget(m_fiches);
  ligne = new QHBoxLayout;
  m_parPage = Nombre(contenu, "seNbre", 0, 9999);
  ligne->addWidget(new QLabel(T("Nombre de fiches par page (0 si tout sur la même page)"_ansi), contenu));
  ligne->addWidget(m_parPage);
  gauche->addLayout(ligne);
  m_ficheAccueil = Case(contenu, "cbFicheLienAccueil", "Mettre un lien vers la page principale");
  gauche->addWidget(m_ficheAccueil);
  m_patro = Case(contenu, "cbPatro", "Patronymes et lieux où ils apparaissent"_ansi);
  m_lieux = Case(contenu, "cbLieux", "Lieux et patronymes qui y apparaissent");
  m_dyna = Case(contenu, "cbDyna", "Créer une page de navigation dynamique avec un moteur de recherche."_ansi);
  for (QCheckBox* c : {m_patro, m_lieux, m_dyna}) gauche->addWidget(c);
  m_fichiersLies = Case(contenu, "cbFichier", "Mettre un lien vers les fichiers suivants :");
  gauche->addWidget(m_fichiersLies);
  m_fichiers = new QListWidget(contenu);
  m_fichiers->setObjectName("lbFichiersWeb");
  m_fichiers->setMaximumHeight(70);
  gauche->addWidget(m_fichiers);
  ligne = new QHBoxLayout;
  m_ajoute = new QPushButton(T("Ajouter..."), contenu);
  m_ajoute->setObjectName("bAjouteFichier");
  m_ajoute->setAutoDefault(false);
  m_retire = new QPushButton(T("Retirer"), contenu);
  m_retire->setObjectName("bRetireFichier");
  m_retire->setAutoDefault(false);
  ligne->addWidget(m_ajoute);
  ligne->addWidget(m_retire);
  ligne->addStretch(1);
  gauche->addLayout(ligne);
  m_navigateur = Case(contenu, "cbNavigateur",
                      "Lancer le navigateur internet après la sauvegarde pour visualiser le résultat."_ansi);
  gauche->addWidget(m_navigateur);
  gauche->addStretch(1);

  // The card options.
  auto* fiche = new QGroupBox(T("Fiches"), contenu);
  fiche->setObjectName("gbFiches");
  auto* lf = new QVBoxLayout(fiche);
  m_liens = Case(fiche, "cbWebLiens", "Mettre des liens entre les noms et les fiches.");
  m_prenoms = Case(fiche, "cbWebPrenoms", "Indiquer tous les prénoms (non coché : Seulement le principal)"_ansi);
  lf->addWidget(m_liens);
  lf->addWidget(m_prenoms);
  m_forme = new TRadioGroup(fiche);
  m_forme->setObjectName("rgFicheWeb");
  m_forme->setTitle(T("Forme des fiches"));
  m_forme->setItems({T("Littéraire"_ansi), T("Tableau")});
  lf->addWidget(m_forme);
  const struct {
    const char* nom;
    const char* texte;
    bool TOptionsWeb::*champ;
  } sections[] = {
      {"cbWebParents", "Les parents", &TOptionsWeb::ficheParents},
      {"cbWebFratrie", "Les frères et soeurs"_ansi, &TOptionsWeb::ficheFratrie},
      {"cbWebEnfants", "Les enfants", &TOptionsWeb::ficheEnfants},
      {"cbWebUnions", "Les unions", &TOptionsWeb::ficheUnions},
      {"cbWebEveUnions", "Les événements des unions"_ansi, &TOptionsWeb::ficheEveUnions},
      {"cbWebChamps", "Les champs personnels", &TOptionsWeb::ficheChamps},
      {"cbWebEve", "Les événements"_ansi, &TOptionsWeb::ficheEvenements},
      {"cbWebEveCalc", "Les événements calculés"_ansi, &TOptionsWeb::ficheCalcules},
      {"cbWebNotes", "Les notes", &TOptionsWeb::ficheNotes},
      {"cbWebSources", "Les sources", &TOptionsWeb::ficheSources},
      {"cbSrcSorte", "Visualiser le type de source", &TOptionsWeb::srcSorte},
      {"cbSrcNote", "Visualiser les notes", &TOptionsWeb::srcNote},
      {"cbSrcFichier", "Visualiser les images", &TOptionsWeb::images},
      {"cbSrcFichierLien", "Mettre un lien vers l'image à la taille originale"_ansi, &TOptionsWeb::imageOriginale},
  };
  auto* grille = new QGridLayout;
  int n = 0;
  for (const auto& s : sections) {
    QCheckBox* c = Case(fiche, s.nom, s.texte);
    m_sections.push_back({c, s.champ});
    grille->addWidget(c, n / 2, n % 2);
    ++n;
  }
  lf->addLayout(grille);
  auto* fi = new QFormLayout;
  m_taille = Nombre(fiche, "seImageTaille", 16, 4000);
  m_taille->setSuffix(T(" px"));
  m_qualite = Nombre(fiche, "seImageQualite", 1, 100);
  m_qualite->setSuffix(T(" %"));
  fi->addRow(T("Taille maximale des images"), m_taille);
  fi->addRow(T("Qualité JPEG"_ansi), m_qualite);
  m_auteur = new QLineEdit(fiche);
  m_auteur->setObjectName("E_Auteur");
  m_auteurLien = new QLineEdit(fiche);
  m_auteurLien->setObjectName("E_AuteurLien");
  fi->addRow(T("Auteur"), m_auteur);
  fi->addRow(T("Adresse électronique"_ansi), m_auteurLien);
  lf->addLayout(fi);
  droite->addWidget(fiche);
  droite->addStretch(1);

  connect(m_liste, &QCheckBox::toggled, this, &TPageSauveWeb::Suit);
  connect(m_fiches, &QCheckBox::toggled, this, &TPageSauveWeb::Suit);
  connect(m_fichiersLies, &QCheckBox::toggled, this, &TPageSauveWeb::Suit);
  connect(m_modeListe, &TRadioGroup::itemIndexChanged, this, &TPageSauveWeb::Suit);
  connect(m_ajoute, &QPushButton::clicked, this, [this] {
    const QStringList choisis = QFileDialog::getOpenFileNames(this, T("Pages"), QString(), T("HTML (*.htm *.html)"));
    for (const QString& f : choisis) m_fichiers->addItem(f);
  });
  connect(m_retire, &QPushButton::clicked, this, [this] { delete m_fichiers->currentItem(); });
}

void TPageSauveWeb::Suit() {
  const bool liste = m_liste->isChecked();
  m_modeListe->setEnabled(liste);
  m_parListe->setEnabled(liste && m_modeListe->itemIndex() == 1);
  m_listeAccueil->setEnabled(liste);
  m_parPage->setEnabled(m_fiches->isChecked());
  m_ficheAccueil->setEnabled(m_fiches->isChecked());
  for (QWidget* w : std::initializer_list<QWidget*>{m_fichiers, m_ajoute, m_retire})
    w->setEnabled(m_fichiersLies->isChecked());
}

void TPageSauveWeb::Charge(const TOptionsWeb& o, const std::vector<std::string>& fichiers) {
  m_titre->setText(VersQString(o.titre));
  QStringList libre;
  for (const std::string& l : o.texteLibre) libre << VersQString(l);
  m_texteLibre->setPlainText(libre.join('\n'));
  m_liste->setChecked(o.liste);
  m_modeListe->setItemIndex(o.modeListe >= 0 && o.modeListe <= 3 ? o.modeListe : 2);
  m_parListe->setValue(o.personnesParListe);
  m_listeAccueil->setChecked(o.listeLienAccueil);
  m_fiches->setChecked(o.fiches);
  m_parPage->setValue(o.fichesParPage);
  m_ficheAccueil->setChecked(o.ficheLienAccueil);
  m_patro->setChecked(o.patronymes);
  m_lieux->setChecked(o.lieux);
  m_dyna->setChecked(o.dyna);
  m_fichiersLies->setChecked(o.fichiersLies);
  m_fichiers->clear();
  for (const std::string& f : fichiers) m_fichiers->addItem(VersQString(f));
  m_navigateur->setChecked(o.navigateur);
  m_liens->setChecked(o.liensFiches);
  m_prenoms->setChecked(o.tousPrenoms);
  m_forme->setItemIndex(o.formeFiche == 0 ? 0 : 1);
  for (const Section& s : m_sections) s.boite->setChecked(o.*s.champ);
  m_taille->setValue(o.imageTaille);
  m_qualite->setValue(o.imageQualite);
  m_auteur->setText(VersQString(o.auteur));
  m_auteurLien->setText(VersQString(o.auteurLien));
  Suit();
}

TOptionsWeb TPageSauveWeb::Options(const TOptionsWeb& base) const {
  TOptionsWeb o = base;
  o.titre = DepuisQString(m_titre->text());
  o.texteLibre.clear();
  const QString libre = m_texteLibre->toPlainText();
  if (!libre.isEmpty())
    for (const QString& l : libre.split('\n')) o.texteLibre.push_back(DepuisQString(l));
  o.liste = m_liste->isChecked();
  o.modeListe = m_modeListe->itemIndex() < 0 ? 2 : m_modeListe->itemIndex();
  o.personnesParListe = m_parListe->value();
  o.listeLienAccueil = m_listeAccueil->isChecked();
  o.fiches = m_fiches->isChecked();
  o.fichesParPage = m_parPage->value();
  o.ficheLienAccueil = m_ficheAccueil->isChecked();
  o.patronymes = m_patro->isChecked();
  o.lieux = m_lieux->isChecked();
  o.dyna = m_dyna->isChecked();
  o.fichiersLies = m_fichiersLies->isChecked();
  o.fichiersSupplementaires.clear();
  if (o.fichiersLies)
    for (int i = 0; i < m_fichiers->count(); ++i)
      o.fichiersSupplementaires.push_back(DepuisQString(m_fichiers->item(i)->text()));
  o.navigateur = m_navigateur->isChecked();
  o.liensFiches = m_liens->isChecked();
  o.tousPrenoms = m_prenoms->isChecked();
  o.formeFiche = m_forme->itemIndex() == 0 ? 0 : 1;
  for (const Section& s : m_sections) o.*s.champ = s.boite->isChecked();
  o.imageTaille = m_taille->value();
  o.imageQualite = m_qualite->value();
  o.auteur = DepuisQString(m_auteur->text());
  o.auteurLien = DepuisQString(m_auteurLien->text());
  return o;
}

}  // namespace kindrela
