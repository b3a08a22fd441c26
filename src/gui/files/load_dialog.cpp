#include "gui/files/load_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <cassert>

#include "core/ansi_literal.h"
#include "gui/main/application.h"
#include "gui/common/message_box.h"
#include "core/file_io.h"
#include "core/text.h"
#include "core/tree_file/tree_file_reader.h"
#include "core/tree_file/tree_file_writer.h"
#include "gui/files/progress_dialog.h"
#include "gui/common/qt_text.h"
#include "gui/common/radio_group.h"
#include "gui/dates/place_convert.h"
#include "gedcom/gedcom_lines.h"
#include "gui/i18n/translate_window.h"

namespace kindrela {
namespace {

constexpr int kMsgAvertissementsChargement = 604;
// A long list of problems is cut: the log file holds the rest.
constexpr std::size_t kMaxAvertissements = 15;

QString T(const char* ansi) { return VersQString(ansi); }

QLineEdit* ChampLecture(QWidget* parent, const char* nom) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(nom);
  e->setReadOnly(true);
  return e;
}

QCheckBox* Case(QWidget* parent, const char* nom, const char* texte) {
  auto* c = new QCheckBox(T(texte), parent);
  c->setObjectName(nom);
  return c;
}

}  // namespace

TfmIOCharge::TfmIOCharge(TApplication& app, QWidget* parent) : QDialog(parent), m_app(app) {
  assert(m_app.bd && "the load dialog works on the application's database");
  setObjectName("fmIOCharge");
  setWindowTitle(T("Chargement"));
  setModal(true);
  setMinimumWidth(520);

  auto* principal = new QVBoxLayout(this);
  auto* ligneFichier = new QFormLayout;
  m_fichier = ChampLecture(this, "E_FileName");
  auto* lFichier = new QLabel(T("Fichier :"), this);
  lFichier->setObjectName("L_FileName");
  ligneFichier->addRow(lFichier, m_fichier);
  principal->addLayout(ligneFichier);

  m_pages = new QStackedWidget(this);
  m_pages->setObjectName("pcCharge");
  m_pageKindrela = new QWidget;
  m_pageKindrela->setObjectName("pKindrela");
  m_pageGedcom = new QWidget;
  m_pageGedcom->setObjectName("pGedcom");
  ConstruitPageKindrela(m_pageKindrela);
  ConstruitPageGedcom(m_pageGedcom);
  m_pages->addWidget(m_pageKindrela);
  m_pages->addWidget(m_pageGedcom);
  principal->addWidget(m_pages, 1);

  auto* boutons = new QDialogButtonBox(this);
  m_charger = new QPushButton(T("&Charger"), this);
  m_charger->setObjectName("bCharge");
  m_charger->setDefault(true);
  m_annuler = new QPushButton(T("&Annuler"), this);
  m_annuler->setObjectName("bAnnule");
  boutons->addButton(m_charger, QDialogButtonBox::AcceptRole);
  boutons->addButton(m_annuler, QDialogButtonBox::RejectRole);
  principal->addWidget(boutons);
  connect(m_charger, &QPushButton::clicked, this, &TfmIOCharge::Charger);
  connect(m_annuler, &QPushButton::clicked, this, &TfmIOCharge::reject);

  TraduitFenetre(this, m_app.traduction);
}

void TfmIOCharge::ConstruitPageKindrela(QWidget* page) {
  auto* l = new QVBoxLayout(page);
  l->setContentsMargins(0, 0, 0, 0);
  auto* cadre = new QGroupBox(T("Informations sur l'arbre"), page);
  cadre->setObjectName("gbInfo");
  auto* f = new QFormLayout(cadre);
  m_version = ChampLecture(cadre, "E_Ver");
  m_nbre = ChampLecture(cadre, "E_Nbre");
  m_cree = ChampLecture(cadre, "E_Cree");
  m_modif = ChampLecture(cadre, "E_Modif");
  struct Ligne { const char* nom; const char* texte; QLineEdit* champ; };
  for (const Ligne& ligne : {Ligne{"L_Ver", "Version du programme", m_version},
                             Ligne{"L_Nbre", "Nombre de personnes", m_nbre},
                             Ligne{"L_Cree", "Créé le"_ansi, m_cree},
                             Ligne{"L_Modif", "Modifé le"_ansi, m_modif}}) {
    auto* label = new QLabel(T(ligne.texte), cadre);
    label->setObjectName(ligne.nom);
    f->addRow(label, ligne.champ);
  }
  l->addWidget(cadre);
  m_fusion = Case(page, "cbFusion", "Fusionner avec le fichier actuel.");
  l->addWidget(m_fusion);
  l->addStretch(1);
}

void TfmIOCharge::ConstruitPageGedcom(QWidget* page) {
  auto* l = new QVBoxLayout(page);
  l->setContentsMargins(0, 0, 0, 0);
  auto* cadre = new QGroupBox(T("Entête du fichier GEDCOM"_ansi), page);
  cadre->setObjectName("gbEntete");
  auto* f = new QFormLayout(cadre);
  m_source = ChampLecture(cadre, "E_Source");
  m_versionSource = ChampLecture(cadre, "E_VersionSource");
  m_date = ChampLecture(cadre, "E_Date");
  m_societe = ChampLecture(cadre, "E_Societe");
  m_versionGedcom = ChampLecture(cadre, "E_VersionGedcom");
  m_jeuEntete = ChampLecture(cadre, "E_Jeu");
  m_langue = ChampLecture(cadre, "E_Langue");
  m_note = new QPlainTextEdit(cadre);
  m_note->setObjectName("M_Note");
  m_note->setReadOnly(true);
  m_note->setTabChangesFocus(true);
  m_note->setMaximumHeight(70);
  struct Ligne { const char* nom; const char* texte; QWidget* champ; };
  for (const Ligne& ligne : {Ligne{"L_Source", "Source", m_source},
                             Ligne{"L_VersionSource", "Version", m_versionSource},
                             Ligne{"L_Date", "Date", m_date},
                             Ligne{"L_Societe", "Société"_ansi, m_societe},
                             Ligne{"L_VersionGedcom", "Version GEDCOM", m_versionGedcom},
                             Ligne{"L_Jeu", "Jeu de caractères"_ansi, m_jeuEntete},
                             Ligne{"L_Langue", "Langue", m_langue},
                             Ligne{"L_Note", "Note", m_note}}) {
    auto* label = new QLabel(T(ligne.texte), cadre);
    label->setObjectName(ligne.nom);
    f->addRow(label, ligne.champ);
  }
  l->addWidget(cadre);

  auto* bas = new QHBoxLayout;
  m_jeu = new TRadioGroup(page);
  m_jeu->setObjectName("rgJeu");
  m_jeu->setTitle(T("Jeu de caractères"_ansi));
  // Item n is the JeuCaracteres of value n.
  m_jeu->setItems({T(NomJeu(JeuCaracteres::Dos)), T(NomJeu(JeuCaracteres::Windows)),
                   T(NomJeu(JeuCaracteres::Ansel)), T(NomJeu(JeuCaracteres::Utf8))});
  bas->addWidget(m_jeu);
  auto* options = new QVBoxLayout;
  m_concatene = Case(page, "cbConcatene",
                     "Concaténer avec le fichier actuel (les doublons ne sont pas fusionnés)"_ansi);
  m_majuscules = Case(page, "cbMajuscule",
                      "Mettre les noms et la première lettre des prénoms en majuscule."_ansi);
  m_journal = Case(page, "cbLog",
                   "Créer un fichier \"kindrela.log\" pour rechercher un problème à l'import."_ansi);
  m_lieux = Case(page, "cbConvLieux",
                 "Afficher la fenêtre de convertion des lieux après le chargement"_ansi);
  for (QCheckBox* c : {m_concatene, m_majuscules, m_journal, m_lieux}) options->addWidget(c);
  options->addStretch(1);
  bas->addLayout(options, 1);
  l->addLayout(bas);
  connect(m_jeu, &TRadioGroup::itemIndexChanged, this, [this] { LitEntete(); });
}

JeuCaracteres TfmIOCharge::Jeu() const {
  int n = m_jeu->itemIndex();
  return n >= 0 && n <= static_cast<int>(JeuCaracteres::Utf8) ? static_cast<JeuCaracteres>(n)
                                                               : JeuCaracteres::Windows;
}

void TfmIOCharge::ChoisitJeu(JeuCaracteres jeu) {
  m_jeu->setItemIndex(static_cast<int>(jeu));
  LitEntete();
}

bool TfmIOCharge::Prepare(const std::string& chemin, int selecPers) {
  m_selecPers = selecPers;
  m_charge = false;
  m_look.clear();
  m_info = BaseCharge(*m_app.bd, chemin);
  m_fichier->setText(VersQString(chemin));
  for (QLineEdit* e : {m_version, m_nbre, m_cree, m_modif}) e->clear();
  m_entete = ApercuGedcom();
  AfficheEntete();
  switch (m_info.page) {
    case PageChargement::Aucune:
      return false;
    case PageChargement::Kindrela:
      m_pages->setCurrentWidget(m_pageKindrela);
      m_version->setText(VersQString(m_info.versionProgramme));
      m_nbre->setText(VersQString(m_info.nbrePersonnes));
      m_cree->setText(VersQString(m_info.creeLe));
      m_modif->setText(VersQString(m_info.modifieLe));
      m_fusion->setChecked(false);
      m_fusion->setVisible(m_info.fusionPossible);
      break;
    case PageChargement::Gedcom: {
      if (!CommenceCommeGedcom(LitDebutFichier(chemin, 4096))) {
        m_info.page = PageChargement::Aucune;
        m_info.raison = "Le fichier " + chemin +
                        " n'est pas un fichier GEDCOM : il ne commence pas par l'en-tête « 0 HEAD »."_ansi;
        return false;
      }
      m_pages->setCurrentWidget(m_pageGedcom);
      // Appending to nothing would only be an ordinary import.
      m_concatene->setEnabled(m_app.bd->BaseChargee != 0);
      if (!m_concatene->isEnabled()) m_concatene->setChecked(false);
      ChoisitJeu(JeuPreselectionneFichier(chemin));
      break;
    }
  }
  // The window fits the page shown, not the larger of the two.
  for (QWidget* page : {m_pageKindrela, m_pageGedcom})
    page->setSizePolicy(page == m_pages->currentWidget() ? QSizePolicy::Preferred : QSizePolicy::Ignored,
                        page == m_pages->currentWidget() ? QSizePolicy::Preferred : QSizePolicy::Ignored);
  m_charger->setEnabled(true);
  m_annuler->setEnabled(true);
  m_charger->setFocus();
  adjustSize();
  return true;
}

void TfmIOCharge::LitEntete() {
  if (m_info.page != PageChargement::Gedcom) return;
  m_entete = LitApercuGedcom(*m_app.bd, m_app.tables, m_info.fichier, Jeu());
  AfficheEntete();
}

void TfmIOCharge::AfficheEntete() {
  m_source->setText(VersQString(m_entete.source));
  m_versionSource->setText(VersQString(m_entete.version));
  m_date->setText(VersQString(m_entete.date));
  m_societe->setText(VersQString(m_entete.societe));
  m_versionGedcom->setText(VersQString(m_entete.versionGedcom));
  m_jeuEntete->setText(VersQString(m_entete.jeu));
  m_langue->setText(VersQString(m_entete.langue));
  QString note = VersQString(m_entete.note);
  note.replace("\r\n", "\n");
  m_note->setPlainText(note);
}

void TfmIOCharge::Charger() {
  if (m_enCours || m_info.page == PageChargement::Aucune) return;
  m_enCours = true;
  m_charger->setEnabled(false);
  m_annuler->setEnabled(false);
  TBD& bd = *m_app.bd;
  const bool gedcom = m_info.page == PageChargement::Gedcom;

  OptionsChargement options;
  options.fusion = !gedcom && !m_fusion->isHidden() && m_fusion->isChecked();
  options.concatene = gedcom && m_concatene->isEnabled() && m_concatene->isChecked();
  options.selecPers = m_selecPers;

  // A load that fails or is stopped half-way must leave the user's tree as
  // it was, whether the file was to replace it or to be added to it: keep
  // it to put it back then.
  const uint8_t modifieeAvant = bd.BaseModifiee;
  std::string avant;
  if (bd.BaseChargee && !OctetsBase(bd, EnteteArbre{m_selecPers, {}}, {}, avant)) avant.clear();

  TProgression progression(this, windowTitle(), VersQString(NomDe(m_info.fichier)), m_delaiProgression,
                           &m_app.traduction);
  options.progression = progression.Rappel();
  std::vector<std::string> avertissements;
  if (gedcom) {
    options.importGedcom = [&](TBD& base, const std::string& chemin) {
      ParametresImportGedcom p;
      p.jeu = Jeu();
      p.majuscules = m_majuscules->isChecked();
      p.journal = m_journal->isChecked();
      p.progression = progression.Rappel();
      p.etiquette = [&progression](const std::string& texte) { progression.Texte(VersQString(texte)); };
      p.traduction = &m_app.traduction;
      return ImporteGedcomPourChargement(base, m_app.tables, chemin, p, avertissements);
    };
  }

  ResultatChargement resultat;
  Statut s = BaseChargeCont(bd, m_info.fichier, options, resultat);
  progression.Termine();
  for (const auto& a : resultat.lecture.avertissements) avertissements.push_back(a);
  m_enCours = false;

  if (!s) {
    if (!avant.empty()) Restaure(avant, modifieeAvant);
    if (!s.annule()) BoiteMessage(VersQString(s.message()), kErreur, 0, this);
    QDialog::reject();
    return;
  }
  Signale(avertissements);
  const bool convertir = gedcom ? m_lieux->isChecked() : resultat.lecture.lieuxAConvertir;
  const bool converti = convertir && ConversionLieux(this, bd, m_app.traduction);
  // What is in memory now differs from every tree file on disk after an
  // import, a merge or a conversion; a plain load matches its file.
  bd.BaseModifiee = gedcom || options.fusion || options.concatene || converti ? 1 : 0;
  m_charge = true;
  m_selecPers = resultat.selecPers;
  m_look = gedcom ? std::string() : NomDeLook(resultat.lecture);
  m_app.fichierCourant = resultat.fichierCourant;
  accept();
}

void TfmIOCharge::Restaure(const std::string& octets, uint8_t modifiee) {
  TBD& bd = *m_app.bd;
  bd.Vide();
  ResultatLecture lecture;
  if (LitBase(bd, octets, {}, lecture)) {
    bd.BaseChargee = 1;
    bd.BaseModifiee = modifiee;
  }
}

void TfmIOCharge::Signale(const std::vector<std::string>& avertissements) {
  if (avertissements.empty()) return;
  std::string texte = m_app.traduction.Msg(kMsgAvertissementsChargement);
  for (std::size_t i = 0; i < avertissements.size() && i < kMaxAvertissements; ++i)
    texte += "\r\n" + avertissements[i];
  if (avertissements.size() > kMaxAvertissements) texte += "\r\n...";
  QString q = VersQString(texte);
  q.replace("\r\n", "\n");
  BoiteMessage(q, kAttention, 0, this);
}

void TfmIOCharge::reject() {
  // The work under way finishes or is stopped from the progress window.
  if (m_enCours) return;
  QDialog::reject();
}

bool DialogueChargement(QWidget* parent, TApplication& app, const std::string& chemin, int& selecPers,
                        std::string* look) {
  TfmIOCharge dialogue(app, parent);
  if (!dialogue.Prepare(chemin, selecPers)) {
    BoiteMessage(VersQString(dialogue.Raison()), kErreur, 0, parent);
    return false;
  }
  dialogue.exec();
  if (!dialogue.Charge()) return false;
  selecPers = dialogue.SelecPers();
  if (look) *look = dialogue.Look();
  return true;
}

bool ChargementDirect(QWidget* parent, TApplication& app, const std::string& chemin, int& selecPers,
                      std::string* look) {
  if (EgalSansCasse(ExtensionDe(chemin), ".ged"))
    return DialogueChargement(parent, app, chemin, selecPers, look);
  TfmIOCharge dialogue(app, parent);
  if (!dialogue.Prepare(chemin, selecPers)) {
    BoiteMessage(VersQString(dialogue.Raison()), kErreur, 0, parent);
    return false;
  }
  dialogue.Charger();
  if (!dialogue.Charge()) return false;
  selecPers = dialogue.SelecPers();
  if (look) *look = dialogue.Look();
  return true;
}

}  // namespace kindrela
