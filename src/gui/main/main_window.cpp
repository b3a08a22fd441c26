#include "gui/main/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QMenu>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QThread>
#include <QWindow>
#include <QTimer>
#include <QToolButton>

#include "core/ansi_literal.h"
#include "core/journal.h"
#include "gui/analysis/map_window.h"
#include "gui/analysis/options_window.h"
#include "gui/main/application.h"
#include "gui/main/command_menu.h"
#include "gui/common/message_box.h"
#include "gui/main/startup.h"
#include "gui/chart/chart_print.h"
#include "gui/chart/chart_view.h"
#include "gui/analysis/web_window.h"
#include "gui/editing/record_window.h"
#include "gui/editing/merge_dialog.h"
#include "core/file_io.h"
#include "core/identity.h"
#include "core/ini_file.h"
#include "gui/common/qt_text.h"
#include "i18n/event_words.h"
#include "gui/i18n/translate_window.h"

namespace kindrela {
namespace {

// The work area of the screen that holds `point` (the primary one when
// none does).
TRect ZoneDeTravail(QPoint point = {}) {
  QScreen* ecran = QGuiApplication::screenAt(point);
  if (!ecran) ecran = QGuiApplication::primaryScreen();
  QRect z = ecran ? ecran->availableGeometry() : QRect(0, 0, 1024, 768);
  return TRect{z.left(), z.top(), z.width(), z.height()};
}

// The frame the window manager adds: the real one once the window is
// framed, else the style's title bar and a thin border.
TMargesCadre MargesCadre(const QWidget& w) {
  const QRect cadre = w.frameGeometry(), interieur = w.geometry();
  if (cadre != interieur)
    return {interieur.left() - cadre.left(), interieur.top() - cadre.top(),
            cadre.right() - interieur.right(), cadre.bottom() - interieur.bottom()};
  const int titre = w.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &w);
  return {4, std::max(titre, 24), 4, 4};
}

QString Chemin(const std::string& ansi) { return VersQString(ansi); }

// A button of the top bar with the skin's three pictures: at rest, under
// the mouse, pressed.
QIcon IconeSkin(const std::string& dossierSkin, const std::string& cle) {
  QIcon icone;
  const QString base = Chemin(dossierSkin + cle);
  icone.addFile(base + ".png", {}, QIcon::Normal, QIcon::Off);
  icone.addFile(base + "1.png", {}, QIcon::Active, QIcon::Off);
  icone.addFile(base + "2.png", {}, QIcon::Normal, QIcon::On);
  icone.addFile(base + "2.png", {}, QIcon::Active, QIcon::On);
  return icone;
}

}  // namespace

TScaWin::TScaWin(TApplication& app, QWidget* parent) : QMainWindow(parent), m_app(app) {
  setObjectName("ScaWin");
  // The event-kind words follow the interface language.
  m_app.bd = std::make_unique<TBD>();
  TBD& bd = *m_app.bd;
  const TTraduction& t = m_app.traduction;
  MotsEvenements(t, bd);
  m_app.mots.RetranslateTags(t);

  auto* barre = statusBar();
  barre->setObjectName("sb");
  for (size_t i = 0; i < m_panneaux.size(); ++i) {
    m_panneaux[i] = new QLabel(this);
    m_panneaux[i]->setObjectName(QString("sbPanneau%1").arg(i));
    if (i < 2) barre->addWidget(m_panneaux[i]);
    else barre->addWidget(m_panneaux[i], 1);
  }

  ConstruitArbre();

  PrepareDossiersUtilisateur();
  ConstruitBarres();
  ConstruitBarreArbre();
  ConstruitMenu();
  ConstruitRapports();
  ConstruitCalendrier();
  ConstruitCarte();
  ConstruitWeb();
  qApp->installEventFilter(this);
  ConstruitFiches();
  TraduitFenetre(this, t);
}

void TScaWin::ConstruitBarres() {
  const TTraduction& t = m_app.traduction;
  auto* fichier = addToolBar("Fichier");
  fichier->setObjectName("tbFichier");
  fichier->setMovable(false);
  // `texte` is Windows-1252; buttons without a caption show their hint.
  auto bouton = [&](const char* nom, const char* texte, QStyle::StandardPixmap image, auto action,
                    const char* bulle = nullptr) {
    auto* b = new QToolButton(this);
    b->setObjectName(nom);
    b->setText(VersQString(texte));
    b->setToolTip(VersQString(bulle ? bulle : texte));
    b->setIcon(style()->standardIcon(image));
    b->setToolButtonStyle(bulle ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextUnderIcon);
    connect(b, &QToolButton::clicked, this, action);
    fichier->addWidget(b);
    return b;
  };
  bouton("sbNouveau", "Nouveau", QStyle::SP_FileIcon, [this] { sbNouveauClick(); });
  bouton("sbCharge", "Ouvrir", QStyle::SP_DialogOpenButton, [this] { sbChargeClick(); });
  m_avecArbre.push_back(
      bouton("sbSauve", "Sauver", QStyle::SP_DialogSaveButton, [this] { sbSauveClick(0); }));
  fichier->addSeparator();
  m_avecArbre.push_back(bouton("SB_DepPremier", "Première"_ansi, QStyle::SP_MediaSkipBackward,
                               [this] { NavigationPremier(); }, "Première fiche"_ansi));
  m_avecArbre.push_back(bouton("SB_DepPrecedent", "Précédente"_ansi, QStyle::SP_MediaSeekBackward,
                               [this] { NavigationPrecedent(); }, "Fiche précédente"_ansi));
  m_avecArbre.push_back(bouton("SB_DepSuivant", "Suivante", QStyle::SP_MediaSeekForward,
                               [this] { NavigationSuivant(); }, "Fiche suivante"));
  m_avecArbre.push_back(bouton("SB_DepDernier", "Dernière"_ansi, QStyle::SP_MediaSkipForward,
                               [this] { NavigationDernier(); }, "Dernière fiche"_ansi));
  fichier->addSeparator();
  // The two history buttons: a click goes one step, the arrow lists the persons.
  for (auto [nom, texte, sortie] : {std::tuple{"psAv", "Précédente"_ansi, &m_precedente},
                                    std::tuple{"psAp", "Suivante", &m_suivante}}) {
    auto* b = new QToolButton(this);
    b->setObjectName(nom);
    b->setText(VersQString(texte));
    b->setToolTip(VersQString(std::string("Personnes vues : ") + texte));
    b->setPopupMode(QToolButton::MenuButtonPopup);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    const bool avant = std::string_view(nom) == "psAv";
    b->setIcon(style()->standardIcon(avant ? QStyle::SP_ArrowBack : QStyle::SP_ArrowForward));
    auto* menu = new QMenu(b);
    menu->setObjectName(QString(nom) + "Menu");
    b->setMenu(menu);
    connect(b, &QToolButton::clicked, this, [this, avant] {
      VaDansHistorique(avant ? m_historique.Recule() : m_historique.Avance());
    });
    connect(menu, &QMenu::aboutToShow, this, [this, menu, avant] {
      m_historique.Nettoie(*m_app.bd, m_app.reglages.Entier(kSectionOptions, "AvApMenu"));
      menu->clear();
      const auto& liste = avant ? m_historique.Precedente() : m_historique.Suivante();
      for (size_t i = 0; i < liste.size(); ++i) {
        QAction* a = menu->addAction(VersQString(liste[i].legende));
        const int index = static_cast<int>(i);
        connect(a, &QAction::triggered, this, [this, index, avant] {
          VaDansHistorique(avant ? m_historique.ReculeA(index) : m_historique.AvanceA(index));
        });
      }
    });
    b->setEnabled(false);
    fichier->addWidget(b);
    *sortie = b;
  }
  m_avecArbre.push_back(bouton("SB_Reference", "Référence"_ansi, QStyle::SP_DialogApplyButton,
                               [this] { Reference(); }));

  // The seven pane buttons of the skin's top bar.
  auto* haut = addToolBar("Panneaux");
  haut->setObjectName("tbPanneaux");
  haut->setMovable(false);
  FichierIni skin(m_app.dossiers.skin + "skin.txt");
  const int taille = skin.LitEntier("Barre", "TailleImage", 32);
  haut->setIconSize(QSize(taille, taille));
  const char* cles[7] = {"btn13", "btn15", "btn14", "btn16", "btn17", "btn18", "btn19"};
  for (int i = 0; i < 7; ++i) {
    auto* b = new QToolButton(this);
    b->setObjectName(cles[i]);
    b->setText(VersQString(t.MsgCle(cles[i])));
    b->setIcon(IconeSkin(m_app.dossiers.skin, cles[i]));
    b->setCheckable(true);
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setMinimumWidth(skin.LitEntier("Barre", "LargeurBouton", 76));
    const int numero = i + 1;
    connect(b, &QToolButton::clicked, this, [this, numero] { BoutonClick(numero); });
    haut->addWidget(b);
    m_boutonsHaut[static_cast<size_t>(i)] = b;
  }
}

void TScaWin::ConstruitMenu() {
  m_menu = new TMenuCommandes(m_app.dossiers.skin, this);
  struct Entree {
    const char* section;  // starts a section when not null
    int numero;
    const char* texte;
  };
  // Designer captions; the translation file's window entries translate them.
  const Entree entrees[] = {
      {"Fichier", 0, "Fichier"},
      {nullptr, kCmdNouvelle, "Nouvelle généalogie"_ansi},
      {nullptr, kCmdOuvre, "Ouvrir une généalogie"_ansi},
      {nullptr, kCmdSauve, "Sauver cette généalogie"_ansi},
      {nullptr, kCmdExporteGedcom, "Exporter au format GEDCOM"},
      {nullptr, kCmdExporteWeb, "Exporter sur Internet"},
      {nullptr, kCmdNotes, "Notes sur cette généalogie"_ansi},
      {nullptr, kCmdAssistant, "Assistant"},
      {nullptr, kCmdPatronymes, "Comparer les patronymes"},
      {nullptr, kCmdOptions, "Options générales"_ansi},
      {nullptr, kCmdImprimante, "Paramètres de l'imprimante"_ansi},
      {nullptr, kCmdAPropos, "A propos du logiciel"},
      {nullptr, kCmdAide, "Afficher l'aide"},
      {"Edition", 0, "Edition"},
      {nullptr, kCmdAnnule, "Annuler"},
      {nullptr, kCmdRetablit, "Rétablir"_ansi},
      {"Fiche", 0, "Fiche"},
      {nullptr, kCmdRechercheFiche, "Rechercher une fiche"},
      {nullptr, kCmdRechercheSosa, "Rechercher numéro Sosa"_ansi},
      {nullptr, kCmdAjouteFiche, "Ajouter une nouvelle fiche"},
      {nullptr, kCmdSupprimeFiche, "Supprimer cette fiche"},
      {nullptr, kCmdRemplace, "Remplacer des fiches"},
      {nullptr, kCmdExporteFiche, "Exporter cette fiche"},
      {nullptr, kCmdFusion, "Fusionner deux fiches"},
      {"Arbre", 0, "Arbre"},
      {nullptr, kCmdApparence, "Modifier l'apparence"},
      {nullptr, kCmdPersonneCentrale, "Choisir la personne centrale"},
      {nullptr, kCmdZoom, "Zoom"},
      {nullptr, kCmdGenerations, "Nombre de générations visibles"_ansi},
      {nullptr, kCmdLargeur, "Largeur des cellules"},
      {nullptr, kCmdEcart, "Ecart entre les cellules"},
      {nullptr, kCmdFormeArbre, "Forme de l'arbre"},
      {nullptr, kCmdArbreWeb, "Exporter en une page Web"},
      {"Source", 0, "Sources"},
      {nullptr, kCmdRechercheSource, "Rechercher une source"},
      {nullptr, kCmdSupprimeSource, "Supprimer une source"},
      {nullptr, kCmdAjouteSource, "Ajouter une nouvelle source"},
      {nullptr, kCmdAlbum, "Album photo des sources"},
      {nullptr, kCmdExporteSources, "Exporter les sources"},
      {"Imprimer", 0, "Imprimer"},
      {nullptr, kCmdParametrageImpression, "Paramétrage de l'impression"_ansi},
      {nullptr, kCmdImprimeArbre, "Imprimer l'arbre"},
      {nullptr, kCmdPdfPages, "Exporter en PDF (pages)"},
      {nullptr, kCmdPdfMural, "Exporter en PDF (une seule page)"},
      {nullptr, kCmdImage, "Enregistrer comme image..."},
      {"Rapport", 0, "Rapport"},
      {nullptr, kCmdCritereRapport, "Critère du rapport"_ansi},
      {nullptr, kCmdRapportPredefini, "Afficher un rapport prédéfini"_ansi},
      {nullptr, kCmdColonnesRapport, "Editer les colonnes à afficher"_ansi},
      {nullptr, kCmdRechercheAvancee, "Recherche avancée"_ansi},
      {nullptr, kCmdRapportWeb, "Rapport web"},
      {nullptr, kCmdExporteRapport, "Exporter le rapport"},
      {"Statistique", 0, "Statistique"},
      {nullptr, kCmdStatRapport, "Transformer en rapport"},
      {nullptr, kCmdExporteStat, "Exporter les statistiques"},
      {nullptr, kCmdImprimeGraphique, "Imprimer le graphique"},
      {nullptr, kCmdPdfGraphique, "Exporter le graphique en PDF"},
      {"Carte", 0, "Carte"},
      {nullptr, kCmdNouvelleCarte, "Nouvelle carte"},
      {nullptr, kCmdModifieCarte, "Modifier la carte"},
      {nullptr, kCmdExporteCarte, "Exporter la carte"},
      {nullptr, kCmdImprimeCarte, "Imprimer la carte"},
      {"Calendrier", 0, "Calendrier"},
      {nullptr, kCmdAnniversaire, "Prochain anniversaire et fête"_ansi},
      {nullptr, kCmdExporteCalendrier, "Exporter le calendrier"},
      {nullptr, kCmdOptionsCalendrier, "Options du calendrier"},
      {nullptr, kCmdConversionCalendrier, "Convertion de calendrier"},
  };
  for (const Entree& e : entrees) {
    if (e.section) m_menu->AjouteSection(e.section, VersQString(e.texte));
    else m_menu->AjouteCommande(e.numero, VersQString(e.texte));
  }
  m_menu->FinSections();
  connect(m_menu, &TMenuCommandes::CommandeChoisie, this, &TScaWin::MenuClick);
  // The Edit commands name the step they act on: they follow the journal.
  auto* annulation = new QTimer(this);
  connect(annulation, &QTimer::timeout, this, [this] { MetAJourAnnulation(); });
  annulation->start(250);
  auto* dock = new QDockWidget(this);
  dock->setObjectName("dockMenu");
  dock->setTitleBarWidget(new QWidget(dock));
  dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
  auto* defile = new QScrollArea(dock);
  defile->setWidgetResizable(true);
  defile->setFrameShape(QFrame::NoFrame);
  defile->setWidget(m_menu);
  defile->setFixedWidth(m_menu->width() + 2);
  dock->setWidget(defile);
  addDockWidget(Qt::LeftDockWidgetArea, dock);
}

void TScaWin::PrepareDossiersUtilisateur() {
  const TDossiers& d = m_app.dossiers;
  for (const std::string* dossier : {&d.documents, &d.mesArbres, &d.paramUtilisateur, &d.exportHtml})
    QDir().mkpath(Chemin(*dossier));
  QDir exemples(Chemin(d.exemple));
  const QStringList filtres{"*.kdg", "*.jpg", "*.bmp", "*.KDG", "*.JPG", "*.BMP"};
  for (const QFileInfo& f : exemples.entryInfoList(filtres, QDir::Files)) {
    QString cible = Chemin(d.mesArbres) + f.fileName();
    if (!QFileInfo::exists(cible)) QFile::copy(f.absoluteFilePath(), cible);
  }
}

void TScaWin::Initialise(const QStringList& arguments) {
  m_arguments = arguments;
  m_app.fetes.Charge(m_app.dossiers.fichierTableFetes);
  FichierIni ini(m_app.dossiers.fichierReglages);
  m_app.reglages.ChargeReglages(ini, m_app.traduction, m_app.dossiers.programme);
  m_app.bd->Journal().FixeLimite(LimiteJournal(m_app.reglages));
  m_aff->AfficheConjoint = m_app.reglages.Bool(kSectionGene, "AfficheConjoint");
  m_aff->AfficheFratrie = m_app.reglages.Bool(kSectionGene, "AfficheFratrie");
  // A table that cannot be read stays empty; the options window shows it.
  (void)m_app.tables.ChargeTout(CheminsTables(m_app.dossiers), m_app.traduction);
  const TRect sauve = m_app.reglages.RectFenetre("kindr");
  const TRect zone = ZoneDeTravail(QPoint(sauve.left, sauve.top));
  TRect r = RectFenetrePrincipale(m_app.reglages, zone);
  // Its inside and its frame within the work area, title bar included, so
  // that it can be moved and closed with the mouse; never placed, it takes
  // the whole work area as a maximised window does.
  r = InterieurAccessible(r, zone, MargesCadre(*this));
  setGeometry(r.left, r.top, r.width, r.height);
  if (sauve.left == kFenetreJamaisPlacee) setWindowState(windowState() | Qt::WindowMaximized);
  PlaceFiches();
  LitFeuilleDeStyle();
  Reset();
  TitreFenetre();
}

void TScaWin::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (m_premierAffichage) {
    m_premierAffichage = false;
    // Once the window has its final size, so that the chart fits it.
    QTimer::singleShot(0, this, [this] { FormShow(); });
  }
}

void TScaWin::FormShow() {
  OuvreFichierDemarrage();
  if (qEnvironmentVariableIsSet("KINDRELA_CHRONO")) MarqueAffichage();
}

void TScaWin::MarqueAffichage() {
  // The first tree counts as shown once the window is on the screen and
  // painted; the splash screen may run this before the message loop starts,
  // when there is no loop yet to leave.
  auto* attente = new QTimer(this);
  connect(attente, &QTimer::timeout, this, [this, attente, marque = false]() mutable {
    if (!marque) {
      if (!windowHandle() || !windowHandle()->isExposed()) return;
      repaint();
      MarqueDemarrage(m_app.bd->BaseChargee && ArbreVisible() ? "arbre affiche" : "fenetre affichee");
      marque = true;
      if (!QuitteApresAffichage()) {
        attente->deleteLater();
        return;
      }
    }
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
  });
  attente->start(5);
}

void TScaWin::OuvreFichierDemarrage() {
  if (!m_arguments.isEmpty()) {
    // A file named on the command line (its words joined by spaces) opens
    // over the window: a GEDCOM file through the load dialog, a tree at once.
    const std::string fichier = DepuisQString(m_arguments.join(' '));
    if (FichierExiste(fichier)) ChargeFichier(fichier, true);
    return;
  }
  if (m_app.bd->BaseChargee) return;
  const std::string ancien = m_app.reglages.Texte(kSectionGene, "OldFileName");
  const std::string exemple = m_app.dossiers.mesArbres + m_app.traduction.Msg(2206) + ".kdg";
  std::string fichier;
  if (!ancien.empty() && FichierExiste(ancien)) fichier = ancien;
  else if (FichierExiste(exemple)) fichier = exemple;
  if (fichier.empty()) sbNouveauClick();
  else ChargeFichier(fichier, true);
}

void TScaWin::LitFeuilleDeStyle() {
  const std::string& chemin = m_app.dossiers.fichierStyleCss;
  if (!LitFichier(chemin, m_app.styleCss).ok()) MessageDemarrage("Not found : " + Chemin(chemin));
}

void TScaWin::TitreFenetre() {
  std::string titre = std::string(kNomProduit) + " " + std::string(kVersionTexte) + " -";
  if (m_app.bd && m_app.bd->BaseChargee && !m_app.fichierCourant.empty())
    titre += " " + NomDe(m_app.fichierCourant);
  setWindowTitle(VersQString(titre));
}

void TScaWin::SetSelecPers(int n) {
  TBD& bd = *m_app.bd;
  if (!bd.FicheUtilisee(n)) return;
  const int ancien = m_selecPers;
  if (ancien != n && bd.FicheUtilisee(ancien) && bd.LitNom(ancien).empty() &&
      bd.LitPrenoms(ancien).empty() &&
      BoiteMessage(VersQString(m_app.traduction.Msg(500)), kQuestion, kBoutonOui | kBoutonNon, this) ==
          kResultatOui) {
    bd.SupprimeFiche(ancien);
    bd.BaseModifiee = 1;
    if (bd.RefPers == ancien) bd.RefPers = n;
    Affiche();
  }
  // What the record holds is converted before it moves on.
  if (FicheVisible()) m_fiche->Valide();
  m_selecPers = n;
  m_historique.Selectionne(bd, n, m_app.reglages.Entier(kSectionOptions, "AvApMenu"));
  MetAJourHistoriques();
  MetAJourBarreEtat();
  RafraichitFiches();
  if (ArbreVisible()) m_aff->AfficheSelecPers(n);
  SelectionRapports(n);
  if (CarteVisible() && Carte().SuitLaSelection()) Carte().Affiche();
}

void TScaWin::VaDansHistorique(int n) {
  if (n != 0) SetSelecPers(n);
  MetAJourHistoriques();
}

void TScaWin::MetAJourHistoriques() {
  m_precedente->setEnabled(m_historique.PrecedenteActive());
  m_suivante->setEnabled(m_historique.SuivanteActive());
}

void TScaWin::MetAJourBarreEtat() {
  const TBD& bd = *m_app.bd;
  const TTraduction& t = m_app.traduction;
  m_panneaux[0]->setText(VersQString(t.Msg(1161) + " " + bd.NomCourt(bd.RefPers)));
  m_panneaux[1]->setText(VersQString(t.Msg(1160) + " " + bd.NomCourt(m_selecPers)));
}

void TScaWin::Reset() {
  TBD& bd = *m_app.bd;
  if (m_fusion) m_fusion->close();  // its persons belong to the tree that goes
  HideArbre();
  HideFiche();
  HideFicheArbre();
  OublieFiches();
  VideRapports();
  MontreCalendrier(false);
  HideCarte();
  if (m_web) m_web->hide();
  m_app.fichiersWeb.clear();
  m_historique.Vide();
  MetAJourHistoriques();
  bd.Vide();
  bd.BaseChargee = 0;
  m_app.fichierCourant = FichierSansNom();
  m_selecPers = 0;
  ChargeLookNouvelArbre(true);
  Enable();
  MetAJourBarreEtat();
}

void TScaWin::Enable() {
  TBD& bd = *m_app.bd;
  bd.BaseModifiee = 0;
  const bool ouvert = bd.BaseChargee != 0;
  for (QWidget* w : m_avecArbre) w->setEnabled(ouvert);
  for (QToolButton* b : m_boutonsHaut) b->setEnabled(false);  // their panes come later
  m_boutonsHaut[0]->setEnabled(ouvert);  // the record
  m_boutonsHaut[2]->setEnabled(ouvert);  // the family
  EnableRapports(ouvert);
  EnableCalendrier(ouvert);
  EnableCarte(ouvert);
  m_menu->MontreSection("Fiche", ouvert && FicheVisible());
  m_arbreMasque->setVisible(ouvert && !ArbreVisible());
  m_boutonsHaut[1]->setEnabled(ouvert);  // the sources
  BasculeSources(ouvert && m_boutonsHaut[1]->isChecked());
  m_menu->MontreSection("Arbre", ouvert && ArbreVisible());
  m_menu->MontreSection("Imprimer", ouvert && ArbreVisible());
  m_barreArbre->setVisible(ouvert && ArbreVisible());
  // Commands whose windows exist; the others stay disabled until they do.
  const int disponibles[] = {kCmdNouvelle, kCmdOuvre, kCmdAPropos, kCmdPatronymes, kCmdOptions,
                             kCmdAssistant, kCmdAide};
  const int avecArbre[] = {kCmdSauve, kCmdExporteGedcom, kCmdNotes, kCmdRechercheSosa, kCmdZoom,
                           kCmdGenerations, kCmdLargeur, kCmdEcart, kCmdFormeArbre,
                           kCmdParametrageImpression, kCmdPdfPages, kCmdPdfMural, kCmdImage,
                           kCmdCritereRapport, kCmdRapportPredefini, kCmdColonnesRapport,
                           kCmdRechercheAvancee, kCmdRapportWeb, kCmdExporteRapport, kCmdStatRapport,
                           kCmdExporteStat, kCmdPdfGraphique,
                           kCmdApparence, kCmdRechercheSource, kCmdSupprimeSource,
                           kCmdAjouteSource, kCmdAlbum, kCmdAjouteFiche, kCmdSupprimeFiche, kCmdFusion,
                           kCmdExporteWeb, kCmdRechercheFiche, kCmdRemplace, kCmdPersonneCentrale,
                           kCmdExporteFiche, kCmdArbreWeb, kCmdExporteSources};
  for (int numero : disponibles) m_menu->ActiveCommande(numero, true);
  for (int numero : avecArbre) m_menu->ActiveCommande(numero, ouvert);
  // Printing needs a printer; the PDF export does not.
  const bool imprimante = ImprimanteDisponible();
  m_menu->ActiveCommande(kCmdImprimeArbre, ouvert && imprimante);
  m_menu->ActiveCommande(kCmdImprimante, imprimante);
  m_menu->ActiveCommande(kCmdImprimeGraphique, ouvert && imprimante);
  MetAJourAnnulation();
}

std::string TScaWin::FichierSansNom() const {
  return m_app.dossiers.mesArbres + m_app.traduction.Msg(504);
}

void TScaWin::SauveReglages() {
  QRect g = normalGeometry().isValid() ? normalGeometry() : geometry();
  // A maximised window comes back maximised: the work area of that day.
  m_app.reglages.SetRectFenetre("kindr", isMaximized() ? TRect{kFenetreJamaisPlacee, 0, 0, 0}
                                                       : TRect{g.left(), g.top(), g.width(), g.height()});
  SauvePlaceFiches();
  if (!m_app.fichierCourant.empty() && m_app.bd->BaseChargee)
    m_app.reglages.SetTexte("gene", "OldFileName", m_app.fichierCourant);
  SauveFenetresRapports();
  SauveFenetreCalendrier();
  SauveFenetreCarte();
  FichierIni ini(m_app.dossiers.fichierReglages);
  m_app.reglages.SauveReglages(ini);
  QDir().mkpath(Chemin(m_app.dossiers.paramUtilisateur));
  if (Statut s = ini.Enregistre(); !s.ok()) MessageDemarrage(VersQString(s.message()));
  if (Statut s = m_app.tables.EnregistreTout(CheminsTables(m_app.dossiers)); !s.ok())
    MessageDemarrage(VersQString(s.message()));
  const std::string& css = m_app.dossiers.fichierStyleCss;
  if (!FichierExiste(css)) MessageDemarrage("Not found : " + Chemin(css));
  else if (!m_app.styleCss.empty()) (void)EcritFichierAtomique(css, m_app.styleCss);
}

void TScaWin::closeEvent(QCloseEvent* event) {
  TBD& bd = *m_app.bd;
  if (bd.BaseChargee && bd.BaseModifiee && !DemandeSauvegarde()) {
    event->ignore();
    return;
  }
  SauveReglages();
  event->accept();
}

}  // namespace kindrela
