// The main window's chart: the chart area, its looks, its two pop-up menus,
// the setting buttons with their two mouse buttons, print preview,
// printing and export.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "gui/main/application.h"
#include "core/ansi_literal.h"
#include "core/journal.h"
#include "gui/main/command_menu.h"
#include "gui/main/main_window.h"
#include "gui/common/message_box.h"
#include "chart/looks.h"
#include "gui/chart/chart_print.h"
#include "gui/chart/chart_view.h"
#include "gui/chart/image_dialog.h"
#include "gui/chart/look_dialogs.h"
#include "core/file_io.h"
#include "gui/common/qt_text.h"

namespace kindrela {
namespace {

// The user's own look: the chart settings last chosen.
constexpr char kLookPerso[] = "perso";

// The chart setting buttons: a left click opens the setting's dialog, a
// right click changes the value by one step.
struct BoutonReglage {
  const char* nom;
  const char* texte;
};
constexpr BoutonReglage kBoutonsReglage[] = {
    {"SB_Zoom", "Zoom"},           {"SB_Generation", "Génération"_ansi},
    {"SB_Largeur", "Largeur"},     {"SB_Ecart", "Ecart"},
    {"SB_ZoomPage", "Zoom page"},  {"SB_CroisePage", "Croise page"},
};

// The upper part of a setting button raises its value (y 0..23), the
// lower part lowers it.
constexpr int kHautBouton = 23;

int Borne(int valeur, int pas, bool augmente, int plafond, int plancher) {
  if (augmente) return valeur <= plafond ? valeur + pas : valeur;
  return valeur > plancher ? valeur - pas : valeur;
}

}  // namespace

void TScaWin::ConstruitArbre() {
  auto* centre = new QWidget(this);
  centre->setObjectName("Centre");
  auto* pile = new QVBoxLayout(centre);
  pile->setContentsMargins(0, 0, 0, 0);
  m_arbre = new QWidget(centre);
  m_arbre->setObjectName("Arbre");
  auto* colonne = new QVBoxLayout(m_arbre);
  colonne->setContentsMargins(0, 0, 0, 0);
  m_aff = new TAffArbre(m_app, m_arbre);
  colonne->addWidget(m_aff->Vue());
  pile->addWidget(m_arbre, 1);
  // While the chart is hidden its place says so and offers it back, rather
  // than an empty area the user cannot make sense of.
  m_arbreMasque = new QWidget(centre);
  m_arbreMasque->setObjectName("ArbreMasque");
  auto* masque = new QVBoxLayout(m_arbreMasque);
  masque->addStretch(1);
  auto* texte = new QLabel(VersQString(m_app.traduction.MsgCle("arbre_masque")), m_arbreMasque);
  texte->setObjectName("lArbreMasque");
  texte->setAlignment(Qt::AlignCenter);
  texte->setWordWrap(true);
  masque->addWidget(texte);
  auto* remontre = new QPushButton(VersQString(m_app.traduction.MsgCle("arbre_afficher")), m_arbreMasque);
  remontre->setObjectName("bAfficheArbre");
  connect(remontre, &QPushButton::clicked, this, [this] { ShowArbre(); });
  masque->addWidget(remontre, 0, Qt::AlignHCenter);
  masque->addStretch(2);
  m_arbreMasque->setVisible(false);
  pile->addWidget(m_arbreMasque, 1);
  setCentralWidget(centre);
  connect(m_aff, &TAffArbre::PersonneCliquee, this, [this](int n) { SetSelecPers(n); });
  connect(m_aff, &TAffArbre::PersonneReference, this, [this](int n) { ChangeReference(n, true); });
  connect(m_aff, &TAffArbre::MenuBoite, this, [this](int, const QPoint& g) { MenuBoite(g); });
  connect(m_aff, &TAffArbre::MenuFond, this, [this](const QPoint& g) { MenuFond(g); });
  connect(m_aff, &TAffArbre::Construit, this, [this] { TitreFenetre(); });
}

void TScaWin::ConstruitBarreArbre() {
  addToolBarBreak();
  m_barreArbre = addToolBar("Arbre");
  m_barreArbre->setObjectName("tbArbre");
  m_barreArbre->setMovable(false);
  for (const BoutonReglage& b : kBoutonsReglage) {
    auto* bouton = new QToolButton(this);
    bouton->setObjectName(b.nom);
    bouton->setText(VersQString(b.texte));
    bouton->setToolTip(VersQString(std::string(b.texte) +
                                   " : clic gauche pour régler, clic droit en haut pour "
                                   "augmenter, en bas pour diminuer"_ansi));
    bouton->setMinimumHeight(2 * kHautBouton);
    // The right button steps the setting: it must not also open the
    // toolbar's own menu.
    bouton->setContextMenuPolicy(Qt::PreventContextMenu);
    bouton->installEventFilter(this);
    const QString nom = b.nom;
    connect(bouton, &QToolButton::clicked, this, [this, nom] { ReglageDialogue(nom); });
    m_barreArbre->addWidget(bouton);
  }
  auto* apercu = new QToolButton(this);
  apercu->setObjectName("SB_Apercu");
  apercu->setText(VersQString("Aperçu"_ansi));
  apercu->setToolTip(VersQString("Afficher les pages imprimées sur l'arbre"_ansi));
  apercu->setCheckable(true);
  connect(apercu, &QToolButton::toggled, this, [this](bool actif) { ApercuImpression(actif); });
  m_barreArbre->addWidget(apercu);
  m_barreArbre->setVisible(false);
}

// Shown as far as the window is concerned: before the window itself is on
// screen the chart is built all the same, so it is ready when it shows.
bool TScaWin::ArbreVisible() const { return m_arbre && !m_arbre->isHidden(); }

void TScaWin::ShowArbre() {
  m_arbreMasque->setVisible(false);
  m_arbre->setVisible(true);
  m_barreArbre->setVisible(m_app.bd->BaseChargee != 0);
  m_menu->MontreSection("Arbre", m_app.bd->BaseChargee != 0);
  m_menu->MontreSection("Imprimer", m_app.bd->BaseChargee != 0);
  Affiche();
}

void TScaWin::HideArbre() {
  HideCellule();
  m_arbre->setVisible(false);
  m_arbreMasque->setVisible(m_app.bd->BaseChargee != 0);
  m_barreArbre->setVisible(false);
  m_menu->MontreSection("Arbre", false);
  m_menu->MontreSection("Imprimer", false);
}

void TScaWin::Affiche() {
  if (!ArbreVisible()) return;
  m_aff->Affiche();
  m_aff->AfficheSelecPers(m_selecPers);
}

std::string TScaWin::DossierLooksUtilisateur() const {
  return m_app.dossiers.paramUtilisateur + "arbre/";
}

void TScaWin::ChargeLook(const std::string& nom) {
  const TDossiers& d = m_app.dossiers;
  std::string chemin = d.fichierApparenceDefaut;
  // The user's own looks first, then those the program comes with.
  for (const std::string& dossier : {DossierLooksUtilisateur(), d.arbre}) {
    if (!nom.empty() && FichierExiste(dossier + nom + ".kda")) {
      chemin = dossier + nom + ".kda";
      break;
    }
  }
  TDossiersImages images{d.modele, d.programme, d.imageArbre, m_app.fichierCourant};
  LoadLook(chemin, images, m_aff->Apparence());
  m_app.apparence = m_aff->Apparence().Nom;
  RelitCellule();
}

void TScaWin::ChargeLookNouvelArbre(bool perso) {
  const TDossiers& d = m_app.dossiers;
  const std::string fichier =
      perso ? LookNouvelArbre(DossierLooksUtilisateur(), LookNouvelArbre(d.arbre, d.fichierApparenceDefaut))
            : d.fichierApparenceDefaut;
  ChargeLook(NomDe(ChangeExtension(fichier, "")));
}

void TScaWin::GardeReglagesArbre() {
  TReglages& r = m_app.reglages;
  r.SetBool(kSectionGene, "AfficheConjoint", m_aff->AfficheConjoint);
  r.SetBool(kSectionGene, "AfficheFratrie", m_aff->AfficheFratrie);
  // The settings of the two halves are a look: they become the user's own
  // look, which the tree then names, so that they come back with the tree
  // and with every new tree.
  const TDossiers& d = m_app.dossiers;
  const std::string dossier = DossierLooksUtilisateur();
  QDir().mkpath(VersQString(dossier));
  TApparence& a = m_aff->Apparence();
  const TDossiersImages images{d.modele, d.programme, d.imageArbre, m_app.fichierCourant};
  if (Statut s = SaveLook(dossier + kLookPerso + ".kda", a, images); !s) {
    BoiteMessage(VersQString(s.message()), kErreur, 0, this);
    return;
  }
  const bool autre = a.Nom != kLookPerso;
  a.Nom = kLookPerso;
  m_app.apparence = a.Nom;
  // The tree file records the look it is shown with.
  if (autre && m_app.bd->BaseChargee) m_app.bd->BaseModifiee = 1;
}

void TScaWin::ChangeReference(int n, bool toujoursReconstruire) {
  TBD& bd = *m_app.bd;
  if (!bd.FicheUtilisee(n)) return;
  {
    TEtapeJournal etape(bd, "référence : "_ansi + bd.NomCourt(n));
    bd.RefPers = n;
    const TReglages& r = m_app.reglages;
    if (r.Bool(kSectionOptions, "Numérote"_ansi)) {
      NumberTree(bd, bd.RefPers, r.Entier(kSectionOptions, "NuméroteGen"_ansi),
                 r.Bool(kSectionOptions, "NuméroteConjoint"_ansi),
                 r.Bool(kSectionOptions, "NuméroteFamille"_ansi));
      bd.BaseModifiee = 1;
    }
  }
  if (toujoursReconstruire && !ArbreVisible()) ShowArbre();
  else Affiche();
  SetSelecPers(n);
}

void TScaWin::DeploieBranche() {
  TBD& bd = *m_app.bd;
  if (!bd.FicheUtilisee(m_selecPers)) return;
  bd.EcritReplie(m_selecPers, bd.LitReplie(m_selecPers) ? 0 : 1);
  Affiche();
}

void TScaWin::MenuBoite(const QPoint& global) {
  QMenu menu(this);
  menu.setObjectName("PM_ArbreBoite");
  auto ajoute = [&](const char* nom, const char* texte, auto action, bool actif = true) {
    QAction* a = menu.addAction(VersQString(texte));
    a->setObjectName(nom);
    a->setEnabled(actif);
    connect(a, &QAction::triggered, this, action);
    return a;
  };
  menu.setDefaultAction(ajoute("psFiche", "Afficher la fiche", [this] { ShowFiche(); }));
  ajoute("psRecherche", "Rechercher une fiche...", [this] { MenuClick(kCmdRechercheFiche); });
  ajoute("psReference", "Référence de l'arbre (De Cujus)"_ansi,
         [this] { ChangeReference(m_selecPers, true); });
  ajoute("psDeployer", "Déployer/réduire la branche"_ansi, [this] { DeploieBranche(); });
  ajoute("psAjouter", "Ajouter...", [this] { MenuClick(kCmdAjouteFiche); });
  ajoute("psSupprimer", "Supprimer...", [this] { MenuClick(kCmdSupprimeFiche); },
         m_app.bd->NbreFiche() > 1);
  ajoute("psFusion", "Fusionner...", [this] { MenuClick(kCmdFusion); }, m_app.bd->NbreFiche() > 1);
  menu.exec(global);
}

void TScaWin::MenuFond(const QPoint& global) {
  QMenu menu(this);
  menu.setObjectName("PM_Arbre");
  auto ajoute = [&](const char* nom, const char* texte, auto action, bool actif = true) {
    QAction* a = menu.addAction(VersQString(texte));
    a->setObjectName(nom);
    a->setEnabled(actif);
    connect(a, &QAction::triggered, this, action);
  };
  ajoute("psApparence", "Modifier l'apparence", [this] { MenuClick(kCmdApparence); });
  ajoute("psForme", "Forme de l'arbre", [this] { MenuClick(kCmdFormeArbre); });
  ajoute("psCentrale", "Choisir la personne centrale", [this] { MenuClick(kCmdPersonneCentrale); });
  ajoute("psZoom", "Zoom", [this] { MenuClick(kCmdZoom); });
  ajoute("psGeneration", "Nombre de générations visibles"_ansi, [this] { MenuClick(kCmdGenerations); });
  ajoute("psLargeur", "Largeur des cellules", [this] { MenuClick(kCmdLargeur); });
  ajoute("psEcart", "Ecart entre les cellules", [this] { MenuClick(kCmdEcart); });
  ajoute("psImage", "Enregistrer comme image...", [this] { EnregistreImage(); });
  ajoute("psPdf", "Exporter en PDF...", [this] { ExportePdf(false); });
  menu.exec(global);
}

void TScaWin::ReglageDialogue(const QString& bouton) {
  const TTraduction& t = m_app.traduction;
  TApparence& a = m_aff->Apparence();
  TActionsArbre actions{[this] { Affiche(); }, [this] { m_aff->RePositionne(); },
                        [this] { m_aff->CalculZoomAuto(); m_aff->RePositionne(); },
                        [this] { m_aff->DecaleZero(); }};
  bool ok = false;
  if (bouton == "SB_Zoom") {
    bool zoomAuto = m_app.reglages.Bool(kSectionGene, "ZoomAuto");
    ok = EditeZoom(this, t, a.Aff[0], a.Aff[1], zoomAuto, actions);
    if (ok) m_app.reglages.SetBool(kSectionGene, "ZoomAuto", zoomAuto);
  } else if (bouton == "SB_Generation") {
    ok = EditeGeneration(this, t, a.Aff[0], a.Aff[1]);
  } else if (bouton == "SB_Largeur") {
    ok = EditeLargeur(this, t, a.Aff[0], a.Aff[1], actions);
  } else if (bouton == "SB_Ecart") {
    ok = EditeEcart(this, t, a.Aff[0], a.Aff[1], actions);
  } else if (bouton == "SB_ZoomPage" || bouton == "SB_CroisePage") {
    ParametreImpression();
    return;
  } else if (bouton == "SB_Forme") {
    TDrapeauxArbre drapeaux{m_aff->AfficheConjoint, m_aff->AfficheFratrie};
    ok = EditeApparence(this, t, a.Aff[0], a.Aff[1], drapeaux, actions);
    if (ok) {
      m_aff->AfficheConjoint = drapeaux.afficheConjoint;
      m_aff->AfficheFratrie = drapeaux.afficheFratrie;
    }
  }
  if (!ok) return;
  GardeReglagesArbre();
  Affiche();
}

void TScaWin::ReglageRapide(const QString& bouton, bool haut) {
  TApparence& a = m_aff->Apparence();
  T1Aff& h1 = a.Aff[0];
  T1Aff& h2 = a.Aff[1];
  TReglages& r = m_app.reglages;
  if (bouton == "SB_Zoom") {
    h1.Zoom = Borne(h1.Zoom, 10, haut, 1000, 10);
    h2.Zoom = Borne(h2.Zoom, 10, haut, 1000, 10);
    GardeReglagesArbre();
    m_aff->RePositionne();
    return;
  }
  if (bouton == "SB_Generation") {
    h1.NbreGen = Borne(h1.NbreGen, 1, haut, 1000, 1);
    h2.NbreGen = Borne(h2.NbreGen, 1, haut, 1000, 1);
  } else if (bouton == "SB_Largeur") {
    h1.Large = Borne(h1.Large, 10, haut, 200, 10);
    h2.Large = Borne(h2.Large, 10, haut, 200, 10);
  } else if (bouton == "SB_Ecart") {
    for (T1Aff* h : {&h1, &h2}) {
      h->EcartHorz = Borne(h->EcartHorz, 10, haut, 200, 9);
      h->EcartVert = Borne(h->EcartVert, 10, haut, 200, 9);
    }
  } else if (bouton == "SB_ZoomPage") {
    r.SetEntier(kSectionGene, "PrintZoom", Borne(r.Entier(kSectionGene, "PrintZoom"), 100, haut, 1 << 20, 100));
    m_aff->RePositionne();
    return;
  } else if (bouton == "SB_CroisePage") {
    const int c = r.Entier(kSectionGene, "PrintCroise");
    r.SetEntier(kSectionGene, "PrintCroise", haut ? (c < 45 ? c + 5 : c) : (c > 4 ? c - 5 : c));
    m_aff->RePositionne();
    return;
  }
  GardeReglagesArbre();
  Affiche();
}

void TScaWin::ApercuImpression(bool actif) {
  m_aff->SetGrille(actif);
  if (auto* b = findChild<QToolButton*>("SB_Apercu")) {
    const QSignalBlocker bloque(b);
    b->setChecked(actif);
  }
}

void TScaWin::ParametreImpression() {
  TReglages& r = m_app.reglages;
  TReglagesPage page;
  page.printZoom = r.Entier(kSectionGene, "PrintZoom");
  page.printCroise = r.Entier(kSectionGene, "PrintCroise");
  page.printMargeH = r.Entier(kSectionGene, "PrintMargeH");
  page.printMargeG = r.Entier(kSectionGene, "PrintMargeG");
  page.printZoomAuto = r.Bool(kSectionGene, "Print ZoomAuto");
  auto applique = [this](const TReglagesPage& p) {
    TReglages& r = m_app.reglages;
    r.SetEntier(kSectionGene, "PrintZoom", p.printZoom);
    r.SetEntier(kSectionGene, "PrintCroise", p.printCroise);
    r.SetEntier(kSectionGene, "PrintMargeH", p.printMargeH);
    r.SetEntier(kSectionGene, "PrintMargeG", p.printMargeG);
    r.SetBool(kSectionGene, "Print ZoomAuto", p.printZoomAuto);
    m_aff->RePositionne();
  };
  TActionsArbre actions{[this] { Affiche(); }, [this] { m_aff->RePositionne(); },
                        [this] { m_aff->CalculZoomAuto(); m_aff->RePositionne(); },
                        [this] { m_aff->DecaleZero(); }};
  if (EditeZoomPage(this, m_app.traduction, page, m_aff->Grille(), applique, actions)) applique(page);
}

void TScaWin::EnregistreImage() {
  const QString filtres = VersQString(
      "Image JPEG (*.jpg)|Image PNG (*.png)|Image vectorielle SVG (*.svg)").split('|').join(";;");
  const QString choisi = QFileDialog::getSaveFileName(
      this, VersQString(m_app.traduction.MsgCle("image_titre")),
      VersQString(m_app.dossiers.mesArbres + "arbre.jpg"), filtres);
  if (choisi.isEmpty()) return;
  int dpi = kDpiEcran;
  // A picture made of pixels is written at a resolution made for reading
  // or printing it; the vector one needs none.
  if (!choisi.endsWith(".svg", Qt::CaseInsensitive)) {
    TReglages& r = m_app.reglages;
    TfmImage dialogue(m_app.traduction, r.Entier(kSectionGene, "ImageDpi"),
                      [this](int d) { return m_aff->TailleImagePour(d); }, m_aff->DpiMaxImage(),
                      this);
    if (dialogue.exec() != QDialog::Accepted) return;
    if (dialogue.PdfMural()) {
      ExportePdf(true, QFileInfo(choisi).dir().filePath(QFileInfo(choisi).completeBaseName() + ".pdf"));
      return;
    }
    dpi = dialogue.Dpi();
    r.SetEntier(kSectionGene, "ImageDpi", dpi);
  }
  if (Statut s = m_aff->ExporteImage(DepuisQString(choisi), TAffArbre::ZoneImage::Arbre, dpi); !s)
    BoiteMessage(VersQString(s.message()), kErreur, 0, this);
  else
    SauvegardeFaite(DepuisQString(choisi));
}

void TScaWin::ExportePdf(bool murale, const QString& propose) {
  const QString choisi = QFileDialog::getSaveFileName(
      this, VersQString(murale ? "Exporter l'arbre en une seule page PDF" : "Exporter l'arbre en PDF"),
      propose.isEmpty() ? VersQString(m_app.dossiers.mesArbres + "arbre.pdf") : propose,
      "PDF (*.pdf)");
  if (choisi.isEmpty()) return;
  const auto forme = murale ? TAffArbre::FormePdf::Murale : TAffArbre::FormePdf::Grille;
  if (Statut s = m_aff->ExportePdf(DepuisQString(choisi), forme); !s)
    BoiteMessage(VersQString(s.message()), kErreur, 0, this);
  else
    SauvegardeFaite(DepuisQString(choisi));
}

void TScaWin::ConfigureImprimante() {
  if (!ImprimanteDisponible()) return;
  QPrinter imprimante;
  QPageSetupDialog dialogue(&imprimante, this);
  if (dialogue.exec() != QDialog::Accepted) return;
  m_aff->SetMiseEnPage(MiseEnPageDe(imprimante));
  m_aff->RePositionne();
}

void TScaWin::ImprimeArbre() {
  if (!m_aff->Grille()) ApercuImpression(true);
  m_aff->Imprime(this);
}

}  // namespace kindrela
