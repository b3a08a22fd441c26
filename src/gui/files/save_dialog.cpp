#include "gui/files/save_dialog.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QUrl>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cassert>

#include "app/settings.h"
#include "app/web_export.h"
#include "chart/looks.h"
#include "core/ansi_literal.h"
#include "gui/main/application.h"
#include "gui/common/message_box.h"
#include "core/archive.h"
#include "core/file_io.h"
#include "core/tree_file/tree_file_save.h"
#include "gui/files/progress_dialog.h"
#include "gui/common/qt_text.h"
#include "gui/common/radio_group.h"
#include "gui/i18n/translate_window.h"
#include "i18n/translation.h"
#include "gui/files/save_questions.h"
#include "gui/files/save_web_page.h"

namespace kindrela {
namespace {

constexpr int kMsgCaptionNatif = 600;
constexpr int kMsgCaptionWeb = 601;
constexpr int kMsgCaptionGedcom = 602;
constexpr int kMsgNomVide = 605;
constexpr int kMsgNomInvalide = 606;
constexpr int kMsgAvertissementsSauvegarde = 607;
constexpr int kMsgRemplacer = 609;
constexpr std::size_t kMaxAvertissements = 15;

// The character sets of the GEDCOM page, in the order of its radio group.
constexpr JeuCaracteres kJeuxGedcom[] = {JeuCaracteres::Ansel, JeuCaracteres::Dos,
                                         JeuCaracteres::Windows, JeuCaracteres::Utf8};

QString T(const char* ansi) { return VersQString(ansi); }

QCheckBox* Case(QWidget* parent, const char* nom, const char* texte) {
  auto* c = new QCheckBox(T(texte), parent);
  c->setObjectName(nom);
  return c;
}

QLineEdit* ChampLecture(QWidget* parent, const char* nom) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(nom);
  e->setReadOnly(true);
  return e;
}

QLabel* Etiquette(QWidget* parent, const char* nom, const char* texte) {
  auto* l = new QLabel(T(texte), parent);
  l->setObjectName(nom);
  return l;
}

std::string AvecSlash(std::string dossier) {
  if (!dossier.empty() && dossier.back() != '/') dossier += '/';
  return dossier;
}

// A message of the translation file as a message box shows it.
QString TexteMessage(const std::string& ansi) { return VersQString(ansi).replace("\r\n", "\n"); }

bool MemeFichier(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  QFileInfo fa(VersQString(a)), fb(VersQString(b));
  if (fa.exists() && fb.exists()) return fa.canonicalFilePath() == fb.canonicalFilePath();
  return fa.absoluteFilePath() == fb.absoluteFilePath();
}

}  // namespace

TfmIOSauve::TfmIOSauve(TApplication& app, PageSauvegarde page, const EnteteArbre& entete,
                       QWidget* parent)
    : QDialog(parent), m_app(app), m_entete(entete) {
  assert(m_app.bd && "the save dialog works on the application's database");
  setObjectName("fmIOSauve");
  setWindowTitle(T("Sauvegarde"));
  setModal(true);

  auto* principal = new QVBoxLayout(this);
  auto* haut = new QGridLayout;
  m_nom = new QLineEdit(this);
  m_nom->setObjectName("E_Nom");
  m_dossier = new QLineEdit(this);
  m_dossier->setObjectName("E_Dossier");
  m_parcourir = new QPushButton(T("..."), this);
  m_parcourir->setObjectName("bDossier");
  m_parcourir->setAutoDefault(false);
  haut->addWidget(Etiquette(this, "L_Nom", "Nom du fichier"), 0, 0);
  haut->addWidget(m_nom, 0, 1, 1, 2);
  haut->addWidget(Etiquette(this, "L_Dossier", "Dossier"), 1, 0);
  haut->addWidget(m_dossier, 1, 1);
  haut->addWidget(m_parcourir, 1, 2);
  principal->addLayout(haut);
  connect(m_parcourir, &QPushButton::clicked, this, &TfmIOSauve::ChoisitDossier);

  m_pages = new QTabWidget(this);
  m_pages->setObjectName("pcSauve");
  m_pageNatif = new QWidget;
  m_pageNatif->setObjectName("pVov");
  m_pageGedcom = new QWidget;
  m_pageGedcom->setObjectName("pGedcom");
  m_pageWeb = new QWidget;
  m_pageWeb->setObjectName("pHtml");
  ConstruitPageNatif(m_pageNatif);
  ConstruitPageGedcom(m_pageGedcom);
  ConstruitPageWeb(m_pageWeb);
  m_pages->addTab(m_pageNatif, T("Kindrela"));
  m_pages->addTab(m_pageGedcom, T("GEDCOM"));
  m_pages->addTab(m_pageWeb, T("Internet"));
  principal->addWidget(m_pages, 1);

  auto* boutons = new QDialogButtonBox(this);
  m_ok = new QPushButton(T("Enregistrer"), this);
  m_ok->setObjectName("bOk");
  m_ok->setDefault(true);
  m_annuler = new QPushButton(T("Annuler"), this);
  m_annuler->setObjectName("bAnnule");
  boutons->addButton(m_ok, QDialogButtonBox::AcceptRole);
  boutons->addButton(m_annuler, QDialogButtonBox::RejectRole);
  principal->addWidget(boutons);
  connect(m_ok, &QPushButton::clicked, this, &TfmIOSauve::Enregistrer);
  connect(m_annuler, &QPushButton::clicked, this, &TfmIOSauve::reject);
  connect(m_pages, &QTabWidget::currentChanged, this, [this] { Legende(); });

  TraduitFenetre(this, m_app.traduction);
  ChoisitPage(page);
}

void TfmIOSauve::ConstruitPageNatif(QWidget* page) {
  auto* l = new QVBoxLayout(page);
  auto* cadre = new QGroupBox(T("Contenu de l'arbre"), page);
  cadre->setObjectName("gbContenu");
  auto* f = new QFormLayout(cadre);
  m_personnes = ChampLecture(cadre, "E_Personnes");
  m_unions = ChampLecture(cadre, "E_Unions");
  m_donnees = ChampLecture(cadre, "E_Donnees");
  m_reference = ChampLecture(cadre, "E_Reference");
  f->addRow(Etiquette(cadre, "L_Personnes", "Personnes"), m_personnes);
  f->addRow(Etiquette(cadre, "L_Unions", "Unions"), m_unions);
  f->addRow(Etiquette(cadre, "L_Donnees", "Données"_ansi), m_donnees);
  f->addRow(Etiquette(cadre, "L_Reference", "Référence (De cujus)"_ansi), m_reference);
  l->addWidget(cadre);
  l->addWidget(Etiquette(page, "L_Fichiers",
                         "Liste des fichiers rattachés à cet arbre généalogique:"_ansi));
  m_fichiers = new QListWidget(page);
  m_fichiers->setObjectName("lbFichiers");
  m_fichiers->setMinimumHeight(80);
  l->addWidget(m_fichiers, 1);
  m_deplace = Case(page, "cbDeplace",
                   "Déplacer les fichiers rattachés dans le même dossier (photos, son, vidéo,...)"_ansi);
  m_zippe = Case(page, "cbZippe", "Compresser la sauvegarde en un fichier ZIP");
  m_inclure = Case(page, "cbInclure", "Inclure les fichiers rattachés dans le fichier ZIP"_ansi);
  for (QCheckBox* c : {m_deplace, m_zippe, m_inclure}) l->addWidget(c);
  auto suitZip = [this] { m_inclure->setEnabled(m_zippe->isChecked()); };
  connect(m_zippe, &QCheckBox::toggled, this, suitZip);
  suitZip();
}

void TfmIOSauve::ConstruitPageGedcom(QWidget* page) {
  auto* l = new QHBoxLayout(page);
  auto* gauche = new QVBoxLayout;
  m_liens = Case(page, "cbLiens", "Exporter les liens familiaux (unions et liens de parenté)"_ansi);
  m_champs = Case(page, "cbChamps", "Exporter les champs");
  m_evenements = Case(page, "cbEvenements", "Exporter les événements"_ansi);
  m_notesEve = Case(page, "cbNotesEve", "Exporter les notes des événements"_ansi);
  m_notes = Case(page, "cbNotes", "Exporter les notes individuelles");
  m_sources = Case(page, "cbSources", "Exporter les sources");
  m_centAns = Case(page, "cbCentAns",
                   "Ne pas exporter les informations sur les personnes de moins de cent ans");
  for (QCheckBox* c : {m_liens, m_champs, m_evenements, m_notesEve, m_notes, m_sources, m_centAns})
    gauche->addWidget(c);
  m_auteur = Case(page, "cbAuteur", "Exporter les informations sur l'auteur");
  gauche->addWidget(m_auteur);
  auto* auteur = new QFormLayout;
  m_identite = new QLineEdit(page);
  m_identite->setObjectName("E_Identite");
  m_adresse = new QPlainTextEdit(page);
  m_adresse->setObjectName("M_Adresse");
  m_adresse->setTabChangesFocus(true);
  m_adresse->setMaximumHeight(70);
  auteur->addRow(Etiquette(page, "L_Identite", "Identité"_ansi), m_identite);
  auteur->addRow(Etiquette(page, "L_Adresse", "Adresse et note libre"), m_adresse);
  gauche->addLayout(auteur);
  gauche->addStretch(1);
  l->addLayout(gauche, 1);

  auto* droite = new QVBoxLayout;
  m_jeu = new TRadioGroup(page);
  m_jeu->setObjectName("rgJeuGed");
  m_jeu->setTitle(T("Jeu de caractères"_ansi));
  QStringList noms;
  for (JeuCaracteres j : kJeuxGedcom) noms << T(NomJeu(j));
  m_jeu->setItems(noms);
  m_jeu->setItemIndex(0);
  droite->addWidget(m_jeu);
  m_zippeGed = Case(page, "cbZippeGed", "Compresser la sauvegarde en un fichier ZIP");
  droite->addWidget(m_zippeGed);
  droite->addStretch(1);
  l->addLayout(droite);
  auto suitAuteur = [this] {
    m_identite->setEnabled(m_auteur->isChecked());
    m_adresse->setEnabled(m_auteur->isChecked());
  };
  connect(m_auteur, &QCheckBox::toggled, this, suitAuteur);
  suitAuteur();
}

void TfmIOSauve::ConstruitPageWeb(QWidget* page) {
  auto* l = new QVBoxLayout(page);
  l->setContentsMargins(0, 0, 0, 0);
  m_web = new TPageSauveWeb(page);
  l->addWidget(m_web);
}

PageSauvegarde TfmIOSauve::Page() const {
  QWidget* p = m_pages->currentWidget();
  if (p == m_pageGedcom) return PageSauvegarde::Gedcom;
  if (p == m_pageWeb) return PageSauvegarde::Web;
  return PageSauvegarde::Natif;
}

void TfmIOSauve::ChoisitPage(PageSauvegarde page) {
  QWidget* p = page == PageSauvegarde::Gedcom ? m_pageGedcom
               : page == PageSauvegarde::Web  ? m_pageWeb
                                              : m_pageNatif;
  // The web page stands alone: its folder is another one.
  m_pages->setTabEnabled(m_pages->indexOf(m_pageWeb), page == PageSauvegarde::Web);
  m_pages->setTabEnabled(m_pages->indexOf(m_pageNatif), page != PageSauvegarde::Web);
  m_pages->setTabEnabled(m_pages->indexOf(m_pageGedcom), page != PageSauvegarde::Web);
  m_pages->setCurrentWidget(p);
  Legende();
}

void TfmIOSauve::Legende() {
  const PageSauvegarde page = Page();
  const int msg = page == PageSauvegarde::Gedcom ? kMsgCaptionGedcom
                  : page == PageSauvegarde::Web  ? kMsgCaptionWeb
                                                 : kMsgCaptionNatif;
  setWindowTitle(VersQString(m_app.traduction.Msg(msg)));
  m_ok->setEnabled(!m_enCours);
}

void TfmIOSauve::Prepare() {
  TBD& bd = *m_app.bd;
  m_sauve = false;
  m_ecrit.clear();
  InfoSauvegarde info = InfoSauve(bd, m_app.fichierCourant);
  std::string dossier = info.dossier.empty() ? m_app.dossiers.mesArbres : info.dossier;
  if (Page() == PageSauvegarde::Web) dossier = m_app.dossiers.exportHtml;
  m_nom->setText(VersQString(info.nom));
  m_dossier->setText(VersQString(dossier));
  m_personnes->setText(QString::number(info.personnes));
  m_unions->setText(QString::number(info.unions));
  m_donnees->setText(QString::number(info.donnees));
  m_reference->setText(VersQString(info.reference));
  m_fichiers->clear();
  for (const auto& f : info.fichiersRattaches) m_fichiers->addItem(VersQString(f));

  const TReglages& r = m_app.reglages;
  m_deplace->setChecked(r.Bool(kSectionSauve, "KdgDeplace"));
  m_zippe->setChecked(r.Bool(kSectionSauve, "KdgZippe"));
  m_inclure->setChecked(r.Bool(kSectionSauve, "KdgInclure"));
  m_liens->setChecked(r.Bool(kSectionSauve, "GedLien"));
  m_champs->setChecked(r.Bool(kSectionSauve, "GedChp"));
  m_notesEve->setChecked(r.Bool(kSectionSauve, "GedEveNote"));
  m_evenements->setChecked(r.Bool(kSectionSauve, "GedEve"));
  m_notes->setChecked(r.Bool(kSectionSauve, "GedNote"));
  m_sources->setChecked(r.Bool(kSectionSauve, "GedSrc"));
  m_centAns->setChecked(r.Bool(kSectionSauve, "GedPasInfosCent"));
  m_auteur->setChecked(r.Bool(kSectionSauve, "GedInfoAuteur"));
  m_zippeGed->setChecked(r.Bool(kSectionSauve, "GedZippeGed"));
  m_identite->setText(VersQString(r.Texte(kSectionSauve, "GedInfoIdentite")));
  QStringList adresse;
  for (const auto& ligne : r.Lignes(kSectionSauve, "GedInfoAdresse")) adresse << VersQString(ligne);
  m_adresse->setPlainText(adresse.join('\n'));
  int jeu = r.Bool(kSectionSauve, "GedAnsel") ? 0
            : r.Bool(kSectionSauve, "GedDos") ? 1
            : r.Bool(kSectionSauve, "GedWin") ? 2
                                              : 3;
  m_jeu->setItemIndex(jeu);
  m_web->Charge(OptionsWeb(r, m_app.ini.formatDate), m_app.fichiersWeb);
  m_ok->setFocus();
  Legende();
}

OptionsExportGedcom TfmIOSauve::OptionsGedcom() const {
  OptionsExportGedcom o;
  int n = m_jeu->itemIndex();
  o.jeu = n >= 0 && n < static_cast<int>(std::size(kJeuxGedcom)) ? kJeuxGedcom[n] : JeuCaracteres::Ansel;
  o.liensFamiliaux = m_liens->isChecked();
  o.champs = m_champs->isChecked();
  o.notesEvenements = m_notesEve->isChecked();
  o.sources = m_sources->isChecked();
  o.sansMoinsDeCentAns = m_centAns->isChecked();
  o.auteur = m_auteur->isChecked();
  o.identite = DepuisQString(m_identite->text());
  QString adresse = m_adresse->toPlainText();
  adresse.replace('\n', "\r\n");
  o.adresse = DepuisQString(adresse);
  o.notesIndividuelles = m_notes->isChecked();
  o.evenements = m_evenements->isChecked();
  return o;
}

std::string TfmIOSauve::Cible() const {
  const char* extension = Page() == PageSauvegarde::Gedcom ? ".ged"
                          : Page() == PageSauvegarde::Web  ? ".htm"
                                                           : ".kdg";
  return AvecSlash(DepuisQString(m_dossier->text())) + DepuisQString(m_nom->text()) + extension;
}

void TfmIOSauve::ChoisitDossier() {
  QString choisi = QFileDialog::getExistingDirectory(this, m_pages->tabText(m_pages->currentIndex()),
                                                     m_dossier->text());
  if (!choisi.isEmpty()) m_dossier->setText(VersQString(AvecSlash(DepuisQString(choisi))));
}

bool TfmIOSauve::NomValide() {
  const QString nom = m_nom->text().trimmed();
  int msg = 0;
  if (nom.isEmpty()) msg = kMsgNomVide;
  else if (nom.contains('/') || nom.contains('\\') || nom == "." || nom == "..") msg = kMsgNomInvalide;
  if (msg == 0) return true;
  BoiteMessage(VersQString(m_app.traduction.Msg(msg)), kAttention, 0, this);
  m_nom->setFocus();
  return false;
}

TfmIOSauve::Remplacement TfmIOSauve::ConfirmeRemplacement() {
  const std::string cible = Cible();
  if (!FichierExiste(cible)) return Remplacement::Oui;
  const bool courant = MemeFichier(cible, m_app.fichierCourant);
  // Saving the tree into its own tree file is the plain save; the previous
  // file is kept as the backup.
  if (courant && Page() == PageSauvegarde::Natif) return Remplacement::Oui;
  const TTraduction& t = m_app.traduction;
  if (courant && Page() == PageSauvegarde::Gedcom) {
    // The file the tree was imported from holds what the tree cannot: an
    // export over it loses that for good.
    const std::string kdg = ChangeExtension(cible, ".kdg");
    QMessageBox boite(this);
    boite.setObjectName("fmRemplaceGedcom");
    boite.setWindowTitle(TitreApplication());
    boite.setIcon(QMessageBox::Warning);
    boite.setText(TexteMessage(Remplit(t.MsgCle("sauve_gedcom_origine"), {NomDe(cible), NomDe(kdg)})));
    QPushButton* natif = boite.addButton(TexteMessage(t.MsgCle("sauve_gedcom_natif")), QMessageBox::AcceptRole);
    natif->setObjectName("bNatif");
    QPushButton* remplace =
        boite.addButton(TexteMessage(t.MsgCle("sauve_gedcom_remplacer")), QMessageBox::DestructiveRole);
    remplace->setObjectName("bRemplacer");
    QPushButton* annule = boite.addButton(QMessageBox::Cancel);
    annule->setObjectName("bAnnule");
    boite.setDefaultButton(natif);
    boite.setEscapeButton(annule);
    boite.exec();
    if (boite.clickedButton() == remplace) return Remplacement::Oui;
    if (boite.clickedButton() != natif) return Remplacement::Non;
    ChoisitPage(PageSauvegarde::Natif);
    return ConfirmeRemplacement();
  }
  const std::string question = Remplit(t.Msg(kMsgRemplacer), {cible});
  return BoiteMessage(TexteMessage(question), kQuestion, kBoutonOui | kBoutonNon, this) == kResultatOui
             ? Remplacement::Oui
             : Remplacement::Non;
}

void TfmIOSauve::Enregistrer() {
  if (m_enCours) return;
  m_nom->setText(m_nom->text().trimmed());
  if (!NomValide()) return;
  if (ConfirmeRemplacement() != Remplacement::Oui) return;
  m_enCours = true;
  m_ok->setEnabled(false);
  m_annuler->setEnabled(false);
  const std::string cible = Cible();
  const bool ok = Page() == PageSauvegarde::Gedcom ? EnregistreGedcom()
                  : Page() == PageSauvegarde::Web  ? EnregistreWeb()
                                                   : EnregistreNatif();
  m_enCours = false;
  m_annuler->setEnabled(true);
  Legende();
  if (!ok) return;
  m_sauve = true;
  m_ecrit = cible;
  GardeOptions();
  accept();
}

bool TfmIOSauve::EnregistreNatif() {
  TBD& bd = *m_app.bd;
  OptionsSauvegarde o;
  o.dossier = DepuisQString(m_dossier->text());
  o.nom = DepuisQString(m_nom->text());
  o.fichierCourant = m_app.fichierCourant;
  o.deplace = m_deplace->isChecked();
  o.zippe = m_zippe->isChecked();
  o.inclure = o.zippe && m_inclure->isChecked();
  o.entete = m_entete;
  if (o.entete.selecPers <= 0) o.entete.selecPers = bd.RefPers;
  if (o.entete.look.empty()) o.entete.look = m_app.apparence;
  TProgression progression(this, windowTitle(), VersQString(o.nom + ".kdg"),
                           TProgression::kDelaiParDefaut, &m_app.traduction);
  o.progression = progression.Rappel();
  o.confirmeCoupures = QuestionCoupures(this, m_app.traduction);
  ResultatSauvegarde r;
  Statut s = SauveNatif(bd, o, r);
  progression.Termine();
  if (!s) {
    if (!s.annule()) BoiteMessage(VersQString(s.message()), kErreur, 0, this);
    return false;
  }
  m_app.fichierCourant = r.fichierCourant;
  bd.BaseModifiee = 0;
  m_fichiers->clear();
  for (const auto& f : r.fichiersRattaches) m_fichiers->addItem(VersQString(f));
  Signale(r.avertissements);
  return true;
}

bool TfmIOSauve::EnregistreGedcom() {
  TBD& bd = *m_app.bd;
  const std::string chemin = Cible();
  TProgression progression(this, windowTitle(), VersQString(NomDe(chemin)),
                           TProgression::kDelaiParDefaut, &m_app.traduction);
  const OptionsExportGedcom options = OptionsGedcom();
  BilanEncodage bilan;
  Statut s = ExportGedcom(bd, m_app.tables, chemin, options, progression.Rappel(), &bilan);
  progression.Termine();
  if (!s) {
    if (!s.annule()) BoiteMessage(VersQString(s.message()), kErreur, 0, this);
    return false;
  }
  std::vector<std::string> avertissements;
  if (std::string m = MessageLettresApprochees(bilan, options.jeu); !m.empty())
    avertissements.push_back(m);
  if (m_zippeGed->isChecked()) {
    const std::string archive = ChangeExtension(chemin, ".zip");
    if (Statut z = CreeArchive(archive, {chemin}); !z) avertissements.push_back(z.message());
  }
  // Written over the file the tree came from: the tree is saved.
  if (MemeFichier(chemin, m_app.fichierCourant)) bd.BaseModifiee = 0;
  Signale(avertissements);
  return true;
}

TOptionsWeb TfmIOSauve::OptionsWebChoisies() const {
  TOptionsWeb base = OptionsWeb(m_app.reglages, m_app.ini.formatDate);
  base.pagePrincipale = DepuisQString(m_nom->text());
  return m_web->Options(base);
}

bool TfmIOSauve::EnregistreWeb() {
  const TBD& bd = *m_app.bd;
  const std::string chemin = Cible();
  const TOptionsWeb options = OptionsWebChoisies();
  const TDossiers& d = m_app.dossiers;
  const TDossiersImages images{d.modele, d.programme, d.imageArbre, m_app.fichierCourant};
  TProgression progression(this, windowTitle(), VersQString(NomDe(chemin)), TProgression::kDelaiParDefaut,
                           &m_app.traduction);
  Statut s = ExporteSiteWeb(bd, m_app.traduction, options, d.exportHtmlDefaut, images, chemin,
                            progression.Rappel());
  progression.Termine();
  if (!s) {
    if (!s.annule()) BoiteMessage(VersQString(s.message()), kErreur, 0, this);
    return false;
  }
  if (options.navigateur) {
    if (m_app.voirSite) m_app.voirSite(chemin);
    else QDesktopServices::openUrl(QUrl::fromLocalFile(VersQString(chemin)));
  }
  return true;
}

void TfmIOSauve::GardeOptions() {
  TReglages& r = m_app.reglages;
  if (Page() == PageSauvegarde::Web) {
    const TOptionsWeb o = OptionsWebChoisies();
    EcritOptionsWeb(r, o);
    m_app.fichiersWeb = o.fichiersSupplementaires;
    return;
  }
  if (Page() == PageSauvegarde::Natif) {
    r.SetBool(kSectionSauve, "KdgDeplace", m_deplace->isChecked());
    r.SetBool(kSectionSauve, "KdgZippe", m_zippe->isChecked());
    r.SetBool(kSectionSauve, "KdgInclure", m_inclure->isChecked());
    return;
  }
  r.SetBool(kSectionSauve, "GedLien", m_liens->isChecked());
  r.SetBool(kSectionSauve, "GedChp", m_champs->isChecked());
  r.SetBool(kSectionSauve, "GedEveNote", m_notesEve->isChecked());
  r.SetBool(kSectionSauve, "GedEve", m_evenements->isChecked());
  r.SetBool(kSectionSauve, "GedNote", m_notes->isChecked());
  r.SetBool(kSectionSauve, "GedSrc", m_sources->isChecked());
  r.SetBool(kSectionSauve, "GedPasInfosCent", m_centAns->isChecked());
  r.SetBool(kSectionSauve, "GedInfoAuteur", m_auteur->isChecked());
  r.SetBool(kSectionSauve, "GedZippeGed", m_zippeGed->isChecked());
  const JeuCaracteres jeu = OptionsGedcom().jeu;
  r.SetBool(kSectionSauve, "GedAnsel", jeu == JeuCaracteres::Ansel);
  r.SetBool(kSectionSauve, "GedDos", jeu == JeuCaracteres::Dos);
  r.SetBool(kSectionSauve, "GedWin", jeu == JeuCaracteres::Windows);
  r.SetTexte(kSectionSauve, "GedInfoIdentite", DepuisQString(m_identite->text()));
  std::vector<std::string> lignes;
  for (const QString& l : m_adresse->toPlainText().split('\n')) lignes.push_back(DepuisQString(l));
  if (lignes.size() == 1 && lignes[0].empty()) lignes.clear();
  r.SetLignes(kSectionSauve, "GedInfoAdresse", std::move(lignes));
}

void TfmIOSauve::Signale(const std::vector<std::string>& avertissements) {
  if (avertissements.empty()) return;
  std::string texte = m_app.traduction.Msg(kMsgAvertissementsSauvegarde);
  for (std::size_t i = 0; i < avertissements.size() && i < kMaxAvertissements; ++i)
    texte += "\n" + avertissements[i];
  if (avertissements.size() > kMaxAvertissements) texte += "\n...";
  QString q = VersQString(texte);
  q.replace("\r\n", "\n");
  BoiteMessage(q, kAttention, 0, this);
}

void TfmIOSauve::reject() {
  if (m_enCours) return;
  QDialog::reject();
}

bool DialogueSauvegarde(QWidget* parent, TApplication& app, PageSauvegarde page,
                        const EnteteArbre& entete, std::string* ecrit) {
  TfmIOSauve dialogue(app, page, entete, parent);
  dialogue.Prepare();
  dialogue.exec();
  if (ecrit) *ecrit = dialogue.Ecrit();
  return dialogue.Sauve();
}

}  // namespace kindrela
