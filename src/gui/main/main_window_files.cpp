// The main window's tree life cycle: new tree, load, save, close question,
// the tree's notes and the new-tree assistant.
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QPlainTextEdit>
#include <QLabel>
#include <QScrollArea>
#include <QTime>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/main/application.h"
#include "gui/main/assistant_dialog.h"
#include "gui/main/help.h"
#include "gui/main/main_window.h"
#include "gui/chart/chart_view.h"
#include "gui/main/command_menu.h"
#include "gui/common/message_box.h"
#include "core/file_io.h"
#include "core/identity.h"
#include "core/text.h"
#include "core/tree_file/tree_file_writer.h"
#include "gui/files/archive_dialog.h"
#include "gui/files/load_dialog.h"
#include "gui/files/progress_dialog.h"
#include "gui/common/qt_text.h"
#include "gui/files/save_dialog.h"
#include "gui/files/save_questions.h"
#include "gui/analysis/options_window.h"
#include "gui/gedcom/surname_window.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

// A filter of the translation file ("Text|*.a#*.b|...", "#" between the
// patterns of one entry) as Qt's file dialogs read it.
QString FiltreQt(const std::string& message) {
  std::vector<std::string> parties = Decoupe(message, '|');
  QStringList filtres;
  for (size_t i = 0; i + 1 < parties.size(); i += 2) {
    QString description = VersQString(parties[i]);
    QString motifs = VersQString(parties[i + 1]).replace('#', ' ').replace(';', ' ');
    filtres << description + " (" + motifs + ")";
  }
  return filtres.join(";;");
}

bool ExtensionEst(const std::string& chemin, const char* extension) {
  return EgalSansCasse(ExtensionDe(chemin), extension);
}

}  // namespace

bool TScaWin::SauveImmediatement() {
  TBD& bd = *m_app.bd;
  TProgression progression(this, TitreApplication(), VersQString(NomDe(m_app.fichierCourant)));
  Statut s = EcritBase(bd, m_app.fichierCourant, {m_selecPers, m_app.apparence},
                       progression.Rappel(), QuestionCoupures(this, m_app.traduction));
  progression.Termine();
  if (s.annule()) return false;
  if (!s) {
    BoiteMessage(VersQString(s.message()), kErreur, 0, this);
    return false;
  }
  bd.BaseModifiee = 0;
  SauvegardeFaite(m_app.fichierCourant);
  return true;
}

void TScaWin::SauvegardeFaite(const std::string& fichier) {
  if (fichier.empty()) return;
  const QString heure = QTime::currentTime().toString("HH:mm");
  m_panneaux[2]->setText(VersQString(Remplit(m_app.traduction.MsgCle("sauve_faite"),
                                             {NomDe(fichier), DepuisQString(heure)})));
}

bool TScaWin::Sauvegarde(PageSauvegarde page) {
  std::string ecrit;
  const bool sauve = DialogueSauvegarde(this, m_app, page, {m_selecPers, m_app.apparence}, &ecrit);
  TitreFenetre();
  if (sauve) SauvegardeFaite(ecrit);
  return sauve;
}

bool TScaWin::DemandeSauvegarde() {
  TBD& bd = *m_app.bd;
  std::string question = m_app.traduction.Msg(509);
  if (size_t p = question.find("%s"); p != std::string::npos)
    question.replace(p, 2, NomDe(m_app.fichierCourant));
  const int r = BoiteMessage(VersQString(question), kQuestion, kOuiNonAnnuler, this);
  if (r == kResultatNon) return true;
  if (r != kResultatOui) return false;
  const bool sansNom = EgalSansCasse(NomDe(m_app.fichierCourant), m_app.traduction.Msg(504));
  if (ExtensionEst(m_app.fichierCourant, ".ged")) {
    Sauvegarde(PageSauvegarde::Gedcom);
    return bd.BaseModifiee == 0;
  }
  if (!sansNom) return SauveImmediatement();
  Sauvegarde(PageSauvegarde::Natif);
  // Only a real save lets the work go on.
  return bd.BaseModifiee == 0;
}

void TScaWin::sbNouveauClick() {
  TBD& bd = *m_app.bd;
  if (bd.BaseChargee && bd.BaseModifiee && !DemandeSauvegarde()) return;
  Reset();
  const TTraduction& t = m_app.traduction;
  if (!CreeNouvelArbre(bd, {t.Msg(2250), t.Msg(2251), t.Msg(2252)})) {
    Reset();
    return;
  }
  bd.BaseChargee = 1;
  m_app.fichierCourant = FichierSansNom();
  ChargeLookNouvelArbre(false);
  Enable();
  SetSelecPers(1);
  ShowArbre();
  TitreFenetre();
}

void TScaWin::sbChargeClick() {
  TBD& bd = *m_app.bd;
  if (bd.BaseChargee && bd.BaseModifiee) {
    const int r = BoiteMessage(VersQString(m_app.traduction.Msg(507)), kQuestion, kOuiNonAnnuler, this);
    if (r == kResultatAnnuler) return;
    if (r == kResultatOui) {
      sbSauveClick(0);
      if (bd.BaseModifiee) return;  // not saved: keep the tree
    }
  }
  const std::string ancien = m_app.reglages.Texte(kSectionGene, "OldFileName");
  const std::string depart = !ancien.empty() && FichierExiste(ancien) ? ancien : FichierSansNom();
  const QString choisi = QFileDialog::getOpenFileName(
      this, QString(), VersQString(depart), FiltreQt(m_app.traduction.Msg(502)));
  if (choisi.isEmpty()) return;
  ChargeFichier(DepuisQString(choisi));
}

bool TScaWin::ChargeFichier(const std::string& fichier, bool direct) {
  std::string chemin = fichier;
  if (ExtensionEst(chemin, ".zip")) {
    chemin = DialogueArchive(this, m_app, chemin);
    if (chemin.empty()) return m_app.bd->BaseChargee != 0;
  }
  int selection = m_selecPers;
  std::string look;
  const bool charge = direct ? ChargementDirect(this, m_app, chemin, selection, &look)
                             : DialogueChargement(this, m_app, chemin, selection, &look);
  if (!m_app.bd->BaseChargee) {
    Reset();
    return false;
  }
  if (charge) {
    ChargeLook(look);
    m_app.reglages.SetTexte("gene", "OldFileName", m_app.fichierCourant);
    ApresChargement(selection);
  } else {
    // The tree from before is back in memory: the chart and the status bar
    // show it again as it is.
    Affiche();
    MetAJourBarreEtat();
  }
  return true;
}

void TScaWin::ApresChargement(int selection) {
  TBD& bd = *m_app.bd;
  TitreFenetre();
  if (bd.RefPers < 1 || bd.RefPers > bd.NbreFiche() || !bd.FicheUtilisee(bd.RefPers))
    bd.RefPers = bd.FicheSuivante(0);
  if (selection <= 0 || selection > bd.NbreFiche() || !bd.FicheUtilisee(selection))
    selection = bd.FicheSuivante(0);
  m_historique.Vide();
  // The records shown belonged to the tree that was replaced.
  OublieFiches();
  m_selecPers = 0;
  const uint8_t modifiee = bd.BaseModifiee;
  Enable();
  // A GEDCOM import or a merge leaves changes that are not in a tree file yet.
  bd.BaseModifiee = modifiee;
  SetSelecPers(selection);
  ShowArbre();
  // The arrow keys walk the chart at once.
  m_aff->Vue()->setFocus();
}

void TScaWin::sbSauveClick(int page) {
  TBD& bd = *m_app.bd;
  if (!bd.BaseChargee) {
    BoiteMessage(VersQString(m_app.traduction.Msg(508)), kInformation, 0, this);
    return;
  }
  const PageSauvegarde pages[] = {PageSauvegarde::Natif, PageSauvegarde::Gedcom, PageSauvegarde::Web};
  Sauvegarde(pages[page >= 0 && page <= 2 ? page : 0]);
}

void TScaWin::NotesGenealogie() {
  if (m_app.fichierCourant.size() < 4) return;
  const std::string chemin = m_app.fichierCourant.substr(0, m_app.fichierCourant.size() - 4) + ".txt";
  std::string texte;
  if (FichierExiste(chemin) && !LitFichier(chemin, texte).ok()) texte.clear();
  QDialog dialogue(this);
  dialogue.setObjectName("fmNotes");
  dialogue.setWindowTitle(VersQString(NomDe(chemin)));
  auto* edition = new QPlainTextEdit(&dialogue);
  edition->setObjectName("mNotes");
  edition->setPlainText(VersQString(texte));
  auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialogue);
  connect(boutons, &QDialogButtonBox::accepted, &dialogue, &QDialog::accept);
  connect(boutons, &QDialogButtonBox::rejected, &dialogue, &QDialog::reject);
  auto* colonne = new QVBoxLayout(&dialogue);
  colonne->addWidget(edition);
  colonne->addWidget(boutons);
  dialogue.resize(560, 420);
  if (dialogue.exec() != QDialog::Accepted) return;
  std::string nouveau = DepuisQString(edition->toPlainText());
  // Windows line ends, as the file has always been written.
  std::string crlf;
  for (char c : nouveau) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  if (Statut s = EcritFichierAtomique(chemin, crlf); !s.ok())
    BoiteMessage(VersQString(s.message()), kErreur, 0, this);
}

void TScaWin::AssistantWizard() {
  TBD& bd = *m_app.bd;
  std::array<TPersonneAssistant, 7> personnes;
  if (!DialogueAssistant(this, m_app.traduction, personnes)) return;
  // The assistant replaces the tree: unsaved work is offered for saving first.
  if (bd.BaseChargee && bd.BaseModifiee && !DemandeSauvegarde()) return;
  Reset();
  const int moi = CreeArbreAssistant(bd, personnes);
  m_app.fichierCourant = m_app.dossiers.mesArbres + m_app.traduction.MsgCle("wizard.kdg");
  bd.BaseChargee = 1;
  ChargeLookNouvelArbre(false);
  Enable();
  bd.BaseModifiee = 1;
  if (moi != 0) SetSelecPers(moi);
  ShowArbre();
  TitreFenetre();
}

void TScaWin::RechercheSosaClick() {
  const TTraduction& t = m_app.traduction;
  bool ok = false;
  const QString reponse = QInputDialog::getText(this, VersQString(t.Msg(522)), VersQString(t.Msg(523)),
                                                QLineEdit::Normal, {}, &ok);
  if (!ok) return;
  const int n = RechercheSosa(*m_app.bd, DepuisQString(reponse), m_selecPers);
  if (n == 0) BoiteMessage(VersQString(t.Msg(524)), kInformation, 0, this);
  else SetSelecPers(n);
}

void TScaWin::APropos() {
  BoiteMessage(VersQString(std::string(kNomProduit) + " " + std::string(kVersionTexte)), kInformation,
               0, this);
}

void TScaWin::MenuClick(int numero) {
  switch (numero) {
    case kCmdNouvelle: sbNouveauClick(); break;
    case kCmdOuvre: sbChargeClick(); break;
    case kCmdSauve: sbSauveClick(0); break;
    case kCmdExporteGedcom: sbSauveClick(1); break;
    case kCmdExporteWeb: sbSauveClick(2); break;
    case kCmdNotes: NotesGenealogie(); break;
    case kCmdAssistant: AssistantWizard(); break;
    case kCmdPatronymes: AfficheComparaisonPatronymes(this, m_app); break;
    case kCmdOptions: AfficheOptions(this, m_app, 0); break;
    case kCmdAPropos: APropos(); break;
    case kCmdAide: AfficheAide(m_app, this); break;
    case kCmdRechercheSosa: RechercheSosaClick(); break;
    case kCmdZoom: ReglageDialogue("SB_Zoom"); break;
    case kCmdGenerations: ReglageDialogue("SB_Generation"); break;
    case kCmdLargeur: ReglageDialogue("SB_Largeur"); break;
    case kCmdEcart: ReglageDialogue("SB_Ecart"); break;
    case kCmdFormeArbre: ReglageDialogue("SB_Forme"); break;
    case kCmdParametrageImpression: ParametreImpression(); break;
    case kCmdImprimeArbre: ImprimeArbre(); break;
    case kCmdPdfPages: ExportePdf(false); break;
    case kCmdPdfMural: ExportePdf(true); break;
    case kCmdImage: EnregistreImage(); break;
    case kCmdImprimante: ConfigureImprimante(); break;
    case kCmdApparence: BasculeCellule(); break;
    case kCmdAjouteFiche: AjouteFiche(); break;
    case kCmdSupprimeFiche: SupprimeFiches(); break;
    case kCmdFusion: FusionFiches(); break;
    case kCmdAnnule: Annule(); break;
    case kCmdRetablit: Retablit(); break;
    case kCmdRechercheSource:
    case kCmdSupprimeSource:
    case kCmdAjouteSource:
    case kCmdAlbum: CommandeSource(numero); break;
    case kCmdArbreWeb: (void)ArbreWeb(); break;
    case kCmdExporteSources: ExporteSources(); break;
    case kCmdExporteFiche: ExporteFiche(); break;
    default:
      // The command's window comes with its own step.
      if (!CommandeRapport(numero) && !CommandeCalendrier(numero) && !CommandeRecherche(numero))
        (void)CommandeCarte(numero);
      break;
  }
}

void TScaWin::BoutonClick(int numero) {
  if (numero == 1) {
    if (FicheVisible()) HideFiche();
    else ShowFiche();
    return;
  }
  if (numero == 3) {
    if (FicheArbreVisible()) HideFicheArbre();
    else ShowFicheArbre();
    return;
  }
  if (numero == 5 && m_app.bd->BaseChargee) return MontreRapport(m_boutonsHaut[4]->isChecked());
  if (numero == 6 && m_app.bd->BaseChargee) return MontreStat(m_boutonsHaut[5]->isChecked());
  if (numero == 4 && m_app.bd->BaseChargee) {
    if (CarteVisible()) HideCarte();
    else ShowCarte();
    return;
  }
  if (numero == 7 && m_app.bd->BaseChargee) return MontreCalendrier(m_boutonsHaut[6]->isChecked());
  if (numero == 2) {
    BasculeSources(!m_menu->SectionVisible("Source"));
    return;
  }
  // The other panes come with their own steps; their buttons stay released until then.
  if (numero >= 1 && numero <= 7) m_boutonsHaut[static_cast<size_t>(numero - 1)]->setChecked(false);
}

}  // namespace kindrela
