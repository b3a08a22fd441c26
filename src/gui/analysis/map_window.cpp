#include "gui/analysis/map_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <random>

#include "analysis/report_html.h"
#include "app/settings.h"
#include "app/web_export.h"
#include "core/ansi_literal.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "gui/common/message_box.h"
#include "gui/common/qt_text.h"
#include "gui/dates/place_picker.h"
#include "gui/i18n/translate_window.h"
#include "gui/main/application.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

QString Q(std::string_view ansi) { return VersQString(ansi); }

constexpr std::string_view kSectionCarte = "Carte";
// The width of a map without picture.
constexpr int kLargeurSansImage = 310;

TImageCarte DepuisQImage(const QImage& source) {
  const QImage im = source.convertToFormat(QImage::Format_RGB32);
  TImageCarte carte(im.width(), im.height());
  for (int y = 0; y < im.height(); ++y) {
    const auto* ligne = reinterpret_cast<const QRgb*>(im.constScanLine(y));
    for (int x = 0; x < im.width(); ++x) carte.SetPixel(x, y, ligne[x] & 0xFFFFFFu);
  }
  return carte;
}

QImage VersQImage(const TImageCarte& carte) {
  QImage im(carte.Largeur(), carte.Hauteur(), QImage::Format_RGB32);
  for (int y = 0; y < carte.Hauteur(); ++y) {
    auto* ligne = reinterpret_cast<QRgb*>(im.scanLine(y));
    for (int x = 0; x < carte.Largeur(); ++x) ligne[x] = 0xFF000000u | carte.Pixel(x, y);
  }
  return im;
}

QLineEdit* Edit(const char* nom, QWidget* parent) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(nom);
  return e;
}

QPushButton* Bouton(const char* nom, std::string_view texte, QWidget* parent) {
  auto* b = new QPushButton(Q(texte), parent);
  b->setObjectName(nom);
  b->setAutoDefault(false);
  return b;
}

// The map list, read again each time it drops down.
class TListeCartes : public QComboBox {
 public:
  TListeCartes(std::function<QStringList()> liste, QWidget* parent) : QComboBox(parent), m_liste(std::move(liste)) {}
  void Relit() {
    const QString courante = currentText();
    blockSignals(true);
    clear();
    addItems(m_liste());
    setCurrentIndex(findText(courante));
    blockSignals(false);
  }
  void showPopup() override {
    Relit();
    QComboBox::showPopup();
  }

 private:
  std::function<QStringList()> m_liste;
};

}  // namespace

// The picture of the map, clicked and pointed at.
class TVueCarte : public QWidget {
 public:
  TVueCarte(TfmCarte& carte, QWidget* parent) : QWidget(parent), m_carte(carte) {
    setObjectName("iCarte");
    setMouseTracking(true);
  }
  void Recharge() {
    m_qimage = VersQImage(m_carte.Image());
    setFixedSize(std::max(m_qimage.width(), 1), std::max(m_qimage.height(), 1));
    update();
  }
  const QImage& Affichee() const { return m_qimage; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    if (m_qimage.isNull()) {
      p.drawText(rect(), Qt::AlignCenter, Q("pas d'image"));
      return;
    }
    p.drawImage(0, 0, m_qimage);
  }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) m_carte.Clic(e->position().toPoint().x(), e->position().toPoint().y());
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    const QPoint p = e->position().toPoint();
    const bool main = m_carte.Image().Pixel(p.x(), p.y()) == kCouleurEvenement;
    setCursor(main ? Qt::PointingHandCursor : Qt::ArrowCursor);
  }

 private:
  TfmCarte& m_carte;
  QImage m_qimage;
};

// ---------------------------------------------------------------------------

TfmCarte::TfmCarte(TApplication& app, std::function<int()> selecPers, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_app(app), m_selecPers(std::move(selecPers)) {
  setObjectName("fmCarte");
  setProperty("raccourcisPrincipaux", true);
  m_ouvreur = [](const QString& chemin) { return QDesktopServices::openUrl(QUrl::fromLocalFile(chemin)); };
  m_cartes = new TListeCartes([this] { return ListeCartes(); }, this);
  m_cartes->setObjectName("CB_FileList");
  m_cartes->setMinimumContentsLength(14);
  connect(m_cartes, &QComboBox::activated, this, [this] { Charge(DepuisQString(m_cartes->currentText())); });
  m_pour = new QComboBox(this);
  m_pour->setObjectName("cbPour");
  for (const char* e : {"Sélection"_ansi, "Référence"_ansi, "Tout le monde", "Selon rapport"}) m_pour->addItem(Q(e));
  connect(m_pour, &QComboBox::activated, this, [this](int i) { ChoisitPopulation(i); });
  m_evenement = new QComboBox(this);
  m_evenement->setObjectName("cbEvenement");
  connect(m_evenement, &QComboBox::activated, this, [this] { AfficheTout(); });

  m_vue = new TVueCarte(*this, this);
  auto* enLigne = new QWidget(this);
  enLigne->setObjectName("pEnLigne");
  m_lieux = new QListWidget(enLigne);
  m_lieux->setObjectName("lbLieux");
  auto* ouvre = Bouton("bEnLigne", "Afficher la carte en ligne", enLigne);
  connect(ouvre, &QPushButton::clicked, this, [this] { OuvreEnLigne(); });
  auto* vl = new QVBoxLayout(enLigne);
  vl->setContentsMargins(0, 0, 0, 0);
  auto* aide = new QLabel(Q("Les lieux ci-dessous sont placés sur une carte OpenStreetMap, dans le navigateur."_ansi),
                          enLigne);
  aide->setObjectName("lEnLigne");
  aide->setWordWrap(true);
  vl->addWidget(aide);
  vl->addWidget(m_lieux, 1);
  vl->addWidget(ouvre);
  m_pile = new QStackedWidget(this);
  m_pile->addWidget(m_vue);
  m_pile->addWidget(enLigne);

  auto* haut = new QHBoxLayout;
  haut->addWidget(m_cartes);
  auto* lPour = new QLabel(Q("Pour"), this);
  lPour->setObjectName("lPour");
  haut->addWidget(lPour);
  haut->addWidget(m_pour);
  haut->addWidget(m_evenement);
  haut->addStretch(1);
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(2, 2, 2, 2);
  v->addLayout(haut);
  v->addWidget(m_pile, 1);

  m_editeur = new TfmCartePerso(app, *this, this);
  TraduitFenetre(this, app.traduction);
  setWindowTitle(Q(app.traduction.MsgCle("fmCarte.Caption")));
}

QStringList TfmCarte::ListeCartes() const {
  QStringList cartes;
  for (const std::string* dossier : {&m_app.dossiers.carteUtilisateur, &m_app.dossiers.carte}) {
    for (const QFileInfo& f : QDir(Q(*dossier)).entryInfoList({"*.kdc", "*.KDC"}, QDir::Files, QDir::Name))
      cartes << f.completeBaseName();
  }
  cartes.removeDuplicates();
  cartes.sort(Qt::CaseInsensitive);
  return cartes;
}

void TfmCarte::RempliEvenements() {
  m_evenement->clear();
  m_evenement->addItem(Q(m_app.traduction.MsgCle("fmSourceRech.cbSorte.C 0")));
  for (const std::string& n : m_app.tables.Natures(m_app.traduction.Msg(707))) m_evenement->addItem(Q(n));
  m_evenement->setCurrentIndex(0);
}

void TfmCarte::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!m_premierAffichage) return;
  m_premierAffichage = false;
  static_cast<TListeCartes*>(m_cartes)->Relit();
  std::string nom = m_app.reglages.Texte(kSectionCarte, "Nom");
  // The picture map of the language first, when nothing was chosen yet.
  if (nom.empty() || m_cartes->findText(Q(nom)) < 0) {
    const int france = m_cartes->findText("France");
    nom = m_cartes->count() == 0 ? std::string() : DepuisQString(m_cartes->itemText(france >= 0 ? france : 0));
  }
  RempliEvenements();
  m_pour->setCurrentIndex(0);
  Charge(nom);
}

void TfmCarte::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  m_population = TR(0);
  if (!event->spontaneous()) {
    m_editeur->hide();
    emit Cache();
  }
}

std::string TfmCarte::CheminImage() const {
  const std::string chemin = FichierUtilisateurOuInstalle(m_app.dossiers.carteUtilisateur, m_app.dossiers.carte, m_nom + ".bmp");
  return !m_enLigne && FichierExiste(chemin) ? chemin : std::string();
}

void TfmCarte::Charge(const std::string& nom) {
  m_clic.EffaceClick(m_image);
  m_nom = nom;
  m_cartes->setCurrentIndex(m_cartes->findText(Q(nom)));
  if (!nom.empty()) m_app.reglages.SetTexte(kSectionCarte, "Nom", nom);
  m_enLigne = nom == kCarteEnLigne;
  m_pile->setCurrentIndex(m_enLigne ? 1 : 0);
  m_zones.clear();
  m_propre = TImageCarte();
  if (!m_enLigne) {
    m_zones = LitZones(FichierIni(FichierUtilisateurOuInstalle(m_app.dossiers.carteUtilisateur, m_app.dossiers.carte,
                                                               nom + ".kdc")));
    QImage image;
    if (!CheminImage().empty()) image.load(Q(CheminImage()));
    m_propre = image.isNull() ? TImageCarte(kLargeurSansImage, 1) : DepuisQImage(image);
  }
  m_image = m_propre;
  m_editeur->Remplit();
  Ajuste();
  if (isVisible()) Affiche();
}

void TfmCarte::Ajuste() {
  if (m_enLigne) {
    layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    setMinimumSize(300, 200);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (width() < 400) resize(480, 420);
  } else {
    m_vue->Recharge();
    // The picture's size: the window follows it and cannot be resized.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
  }
}

void TfmCarte::ChoisitPopulation(int index) {
  m_pour->setItemText(3, Q("Selon rapport"));
  if (index == static_cast<int>(PopulationCarte::SelonRapport)) {
    const TR rapport = m_app.rapport.PersonnesDesLignes();
    if (rapport.Count() == 0) {
      BoiteMessage(Q("Il n'y a aucune personne dans le rapport. Vous ne pouvez pas afficher de carte d'une liste "
                     "vide. Pour créer un rapport, cliquez sur le bouton \"Rapport\"."_ansi),
                   kInformation, 0, this);
      index = static_cast<int>(PopulationCarte::Selection);
    } else {
      m_pour->setItemText(3, Q("Selon " + std::to_string(rapport.Count()) + " pers."));
    }
  }
  m_pour->setCurrentIndex(index);
  const TR rapport = index == static_cast<int>(PopulationCarte::SelonRapport) ? m_app.rapport.PersonnesDesLignes() : TR(0);
  m_population = PersonnesCarte(*m_app.bd, static_cast<PopulationCarte>(index), m_selecPers(), rapport);
  AfficheTout();
}

bool TfmCarte::SuitLaSelection() const { return m_pour->currentIndex() <= 0; }

void TfmCarte::Affiche() { ChoisitPopulation(std::max(m_pour->currentIndex(), 0)); }

std::string TfmCarte::NatureChoisie() const {
  return m_evenement->currentIndex() <= 0 ? std::string() : DepuisQString(m_evenement->currentText());
}

void TfmCarte::AfficheTout() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  if (m_enLigne) {
    m_marqueurs = MarqueursEnLigne(*m_app.bd, m_population, NatureChoisie());
    m_lieux->clear();
    for (const TMarqueur& m : m_marqueurs) {
      QString texte = Q(m.texte);
      texte.replace("<br/><font size=\"-1\">", " : ").remove("</font>");
      m_lieux->addItem(texte);
    }
  } else {
    m_image = m_propre;
    m_clic.Oublie();
    (void)kindrela::AfficheTout(*m_app.bd, m_population, NatureChoisie(), m_zones, m_image, 0,
                                [](int, int) { QApplication::processEvents(); return true; });
    m_vue->Recharge();
  }
  QApplication::restoreOverrideCursor();
  Legende();
}

void TfmCarte::Repeint() { m_vue->Recharge(); }

void TfmCarte::Clic(int x, int y) {
  if (m_enLigne) return;
  m_clic.EffaceClick(m_image);
  const int zone = m_clic.AfficheClick(m_image, x, y, m_zones);
  m_vue->Recharge();
  if (m_clic.AvaitEvenements() && zone > 0) {
    RapportDeZone(zone);
  } else if (zone == 0 && m_clic.SansZone(m_image) && m_editeur->isVisible()) {
    NouvelleZone(x, y);
  }
  Legende();
}

void TfmCarte::Legende() {
  const QString lieu = m_editeur->LieuZone();
  setWindowTitle(!lieu.isEmpty() ? m_editeur->NomZone() + " " + lieu
                                 : Q(m_app.traduction.MsgCle("fmCarte.Caption")));
}

void TfmCarte::RapportDeZone(int zone) {
  m_image = m_propre;
  m_clic.Oublie();
  const TResultatCarte r = kindrela::AfficheTout(*m_app.bd, m_population, NatureChoisie(), m_zones, m_image, zone);
  m_vue->Recharge();
  const std::string titre = Remplit(m_app.traduction.MsgCle("CarteRapport"),
                                    {DepuisQString(m_pour->currentText()), DepuisQString(m_evenement->currentText()),
                                     std::to_string(r.collectes.Count())});
  emit RapportZone(r.collectes, titre);
}

void TfmCarte::NouvelleZone(int x, int y) {
  TfmCarteNouvelleZone dialogue(m_app, this);
  if (dialogue.exec() != QDialog::Accepted) return;
  m_zones.push_back({dialogue.Nom(), dialogue.Lieu(), x, y});
  m_editeur->Remplit();
}

void TfmCarte::AfficheDefini() {
  m_clic.EffaceClick(m_image);
  for (const TZoneCarte& z : m_zones)
    if (m_image.Pixel(z.x, z.y) != kNoir) m_image.Remplit(z.x, z.y, kCouleurEvenement);
  m_vue->Recharge();
}

void TfmCarte::AfficheAucun() {
  m_clic.Oublie();
  m_image = m_propre;
  m_vue->Recharge();
}

bool TfmCarte::SauveCarte(const std::string& nom) {
  AfficheAucun();
  FichierIni ini;
  EcritZones(m_zones, ini);
  // Into the user's folder, where it hides an installed map of the same name.
  QDir().mkpath(Q(m_app.dossiers.carteUtilisateur));
  Statut s = ini.EnregistreSous(m_app.dossiers.carteUtilisateur + nom + ".kdc");
  if (s.ok() && m_propre.Largeur() > 0 && m_propre.Hauteur() > 1 &&
      !VersQImage(m_propre).save(Q(m_app.dossiers.carteUtilisateur + nom + ".bmp"), "BMP"))
    s = Statut::Erreur(m_app.dossiers.carteUtilisateur + nom + ".bmp");
  if (!s.ok()) {
    BoiteMessage(Q(FormateMsg(m_app.traduction.MsgCle("carte_ecriture"), {s.message()})), kErreur, 0, this);
    return false;
  }
  m_nom = nom;
  static_cast<TListeCartes*>(m_cartes)->Relit();
  m_cartes->setCurrentIndex(m_cartes->findText(Q(nom)));
  return true;
}

bool TfmCarte::CreeCarte(const std::string& nom, const QString& image) {
  QImage picture(image);
  FichierIni ini;
  EcritZones({}, ini);
  QDir().mkpath(Q(m_app.dossiers.carteUtilisateur));
  Statut s = ini.EnregistreSous(m_app.dossiers.carteUtilisateur + nom + ".kdc");
  if (s.ok() && !picture.save(Q(m_app.dossiers.carteUtilisateur + nom + ".bmp"), "BMP"))
    s = Statut::Erreur(m_app.dossiers.carteUtilisateur + nom + ".bmp");
  if (!s.ok()) {
    BoiteMessage(Q(FormateMsg(m_app.traduction.MsgCle("carte_ecriture"), {s.message()})), kErreur, 0, this);
    return false;
  }
  static_cast<TListeCartes*>(m_cartes)->Relit();
  Charge(nom);
  return true;
}

QString EcritCarteEnLigne(TApplication& app, const std::vector<TMarqueur>& marqueurs, QWidget* parent) {
  // The page and its script library beside it, in the web export folder.
  const QString source = Q(app.dossiers.modele + "0/CarteEnLigne/");
  const QString cible = Q(app.dossiers.exportHtml + "CarteEnLigne/");
  QDir().mkpath(cible + "images");
  for (const QString& f : {QString("leaflet.js"), QString("leaflet.css"), QString("images/marker-icon.png"),
                           QString("images/marker-icon-2x.png"), QString("images/marker-shadow.png"),
                           QString("images/layers.png"), QString("images/layers-2x.png")})
    if (!QFileInfo::exists(cible + f)) QFile::copy(source + f, cible + f);
  QFile modele(source + "gene_maps.html");
  if (!modele.open(QIODevice::ReadOnly)) {
    BoiteMessage(Q(FormateMsg(app.traduction.MsgCle("carte_en_ligne"), {DepuisQString(modele.fileName())})), kErreur,
                 0, parent);
    return {};
  }
  QString page = QString::fromUtf8(modele.readAll());
  page.replace("<!--MARQUEURS-->", Q(ScriptMarqueurs(marqueurs)));
  const QString chemin = cible + "carte.htm";
  if (Statut s = EcritFichierAtomique(DepuisQString(chemin), std::string(page.toUtf8().constData())); !s.ok()) {
    BoiteMessage(Q(FormateMsg(app.traduction.MsgCle("carte_en_ligne"), {s.message()})), kErreur, 0, parent);
    return {};
  }
  return chemin;
}

bool MontreCarteLieu(TApplication& app, const std::string& lieu, int personne, const TfmCarte::Ouvreur& ouvreur,
                     QWidget* parent) {
  std::vector<TMarqueur> marqueurs;
  if (!lieu.empty() && personne > 0) marqueurs.push_back(MarqueurFiche(*app.bd, lieu, personne));
  const QString chemin = EcritCarteEnLigne(app, marqueurs, parent);
  if (chemin.isEmpty()) return false;
  return ouvreur ? ouvreur(chemin) : QDesktopServices::openUrl(QUrl::fromLocalFile(chemin));
}

void TfmCarte::OuvreEnLigne() {
  const QString chemin = EcritCarteEnLigne(m_app, m_marqueurs, this);
  if (!chemin.isEmpty() && m_ouvreur) m_ouvreur(chemin);
}

QImage TfmCarte::ImageAffichee() const { return m_vue->Affichee(); }

std::string TfmCarte::ExportePage() {
  QDir().mkpath(Q(m_app.dossiers.exportHtml));
  std::mt19937 alea(std::random_device{}());
  const std::string base = "carte" + std::to_string(std::uniform_int_distribution<int>(0, 999)(alea));
  const std::string chemin = m_app.dossiers.exportHtml + base + ".htm";
  std::unique_ptr<TVuesWeb> vues;
  if (Statut s = OuvreVuesWeb(*m_app.bd, m_app.traduction, m_app.reglages, m_app.ini.formatDate, m_app.dossiers,
                              m_app.fichierCourant, vues);
      !s) {
    BoiteMessage(Q(FormateMsg(m_app.traduction.MsgCle("modeles_web_absents"), {s.message()})), kErreur, 0, this);
    return {};
  }
  std::vector<std::string> lignes;
  std::string image;
  if (m_enLigne) {
    for (const TMarqueur& m : m_marqueurs) lignes.push_back(m.texte);
  } else {
    image = base + ".png";
    ImageAffichee().save(Q(m_app.dossiers.exportHtml + image), "PNG");
    // The zones filled, in list order.
    for (const TZoneCarte& z : m_zones)
      if (m_image.Pixel(z.x, z.y) == kCouleurEvenement) lignes.push_back(EchappeHtml(z.nom));
  }
  const std::string titre =
      m_nom + " - " + DepuisQString(m_pour->currentText()) + ", " + DepuisQString(m_evenement->currentText());
  const std::string page = PageCarte(vues->Gabarit(), titre, image, m_nom, lignes);
  if (Statut s = vues->Ecrit(chemin, page); !s.ok()) {
    BoiteMessage(Q(FormateMsg(m_app.traduction.MsgCle("carte_ecriture"), {s.message()})), kErreur, 0, this);
    return {};
  }
  if (m_ouvreur) m_ouvreur(Q(chemin));
  return chemin;
}

// ---------------------------------------------------------------------------

TfmCartePerso::TfmCartePerso(TApplication& app, TfmCarte& carte, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_app(app), m_carte(carte) {
  setObjectName("fmCartePerso");
  setWindowTitle(Q("Personalisation de la carte affichée"_ansi));
  m_liste = new QTreeWidget(this);
  m_liste->setObjectName("lvCarte");
  m_liste->setHeaderLabels({"Nom", "Lieu", "PtsX", "PtsY"});
  m_liste->setRootIsDecorated(false);
  m_liste->header()->setStretchLastSection(false);
  connect(m_liste, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (item && !m_remplissage) ChoisitZone(m_liste->indexOfTopLevelItem(item));
  });
  m_nom = Edit("eNom", this);
  m_nom->setPlaceholderText(Q("Entrez ici le nom complet de la zone."));
  m_lieu = Edit("eLieu", this);
  m_x = Edit("ePtsX", this);
  m_y = Edit("ePtsY", this);
  m_x->hide();
  m_y->hide();
  m_bmp = Edit("eBmp", this);
  m_bmp->setReadOnly(true);
  m_fichier = Edit("eFile", this);
  connect(m_nom, &QLineEdit::textEdited, this, [this] { EditionZone(); });
  connect(m_lieu, &QLineEdit::textEdited, this, [this] { EditionZone(); });
  auto* tout = Bouton("bAfficheTout", "Affiche défini"_ansi, this);
  auto* aucun = Bouton("bAfficheAucun", "Affiche aucun", this);
  auto* sauve = Bouton("sbSauve", "&Sauver", this);
  auto* ferme = Bouton("bFermer", "&Fermer", this);
  connect(tout, &QPushButton::clicked, this, [this] { m_carte.AfficheDefini(); });
  connect(aucun, &QPushButton::clicked, this, [this] { m_carte.AfficheAucun(); });
  connect(sauve, &QPushButton::clicked, this, [this] { Sauve(); });
  connect(ferme, &QPushButton::clicked, this, &QWidget::close);

  auto* f = new QFormLayout;
  f->addRow(Q("Nom"), m_nom);
  f->addRow(Q("Lieu"), m_lieu);
  f->addRow(Q("Fichier image"), m_bmp);
  f->addRow(Q("Nom de la carte"), m_fichier);
  auto* boutons = new QHBoxLayout;
  for (QPushButton* b : {tout, aucun, sauve, ferme}) boutons->addWidget(b);
  auto* v = new QVBoxLayout(this);
  v->addWidget(m_liste, 1);
  v->addLayout(f);
  v->addLayout(boutons);
  TraduitFenetre(this, app.traduction);
  resize(460, 480);
}

void TfmCartePerso::Remplit() {
  m_remplissage = true;
  m_liste->clear();
  for (const TZoneCarte& z : m_carte.Zones())
    m_liste->addTopLevelItem(
        new QTreeWidgetItem({Q(z.nom), Q(z.lieu), QString::number(z.x), QString::number(z.y)}));
  for (int c = 0; c < 4; ++c) m_liste->resizeColumnToContents(c);
  m_zone = -1;
  m_nom->clear();
  m_lieu->clear();
  m_fichier->setText(Q(m_carte.NomCarte()));
  const std::string image = m_carte.CheminImage();
  m_bmp->setText(image.empty() ? Q("pas d'image") : Q(image));
  m_remplissage = false;
}

void TfmCartePerso::ChoisitZone(int index) {
  if (index < 0 || index >= static_cast<int>(m_carte.Zones().size())) return;
  const TZoneCarte& z = m_carte.Zones()[static_cast<size_t>(index)];
  m_remplissage = true;
  m_zone = index;
  m_nom->setText(Q(z.nom));
  m_lieu->setText(Q(z.lieu));
  m_x->setText(QString::number(z.x));
  m_y->setText(QString::number(z.y));
  m_remplissage = false;
  m_carte.ClicCourant().EffaceClick(m_carte.Image());
  m_carte.Clic(z.x, z.y);
}

void TfmCartePerso::EditionZone() {
  if (m_remplissage || m_zone < 0 || m_zone >= static_cast<int>(m_carte.Zones().size())) return;
  TZoneCarte& z = m_carte.Zones()[static_cast<size_t>(m_zone)];
  z.nom = DepuisQString(m_nom->text());
  z.lieu = DepuisQString(m_lieu->text());
  if (QTreeWidgetItem* item = m_liste->topLevelItem(m_zone)) {
    item->setText(0, m_nom->text());
    item->setText(1, m_lieu->text());
  }
}

bool TfmCartePerso::Sauve() {
  const std::string nom = DepuisQString(m_fichier->text().trimmed());
  if (nom.empty()) {
    BoiteMessage(Q("Vous devez donner un nom à la carte."_ansi), kInformation, 0, this);
    return false;
  }
  return m_carte.SauveCarte(nom);
}

QString TfmCartePerso::NomZone() const { return m_nom->text(); }
QString TfmCartePerso::LieuZone() const { return m_lieu->text(); }

void TfmCartePerso::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!event->spontaneous()) emit Cache();
}

// ---------------------------------------------------------------------------

TfmCarteNouvelleZone::TfmCarteNouvelleZone(const TApplication& app, QWidget* parent) : QDialog(parent), m_app(app) {
  setObjectName("fmCarteNouvelleZone");
  setWindowTitle(Q("Ajout d'une nouvelle zone"));
  m_nom = Edit("eNom", this);
  m_lieu = Edit("eLieu", this);
  auto* liste = Bouton("bListeLieux", "Liste des lieux", this);
  connect(liste, &QPushButton::clicked, this, [this] {
    const std::string lieu = ChoixLieu(this, m_app.dossiers.lieu, DepuisQString(m_lieu->text()), m_app.traduction);
    if (lieu.empty()) return;
    m_nom->setText(Q(lieu));
    m_lieu->setText(Q(lieu));
  });
  auto* ok = Bouton("bOk", "&Ok", this);
  ok->setDefault(true);
  auto* annule = Bouton("bAnnuler", "&Annuler", this);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(annule, &QPushButton::clicked, this, &QDialog::reject);
  auto* f = new QFormLayout;
  f->addRow(Q("Nom de la zone:"), m_nom);
  f->addRow(Q("Le lieu doit commencer par:"), m_lieu);
  auto* b = new QHBoxLayout;
  b->addWidget(liste);
  b->addStretch(1);
  b->addWidget(ok);
  b->addWidget(annule);
  auto* v = new QVBoxLayout(this);
  v->addLayout(f);
  v->addLayout(b);
  TraduitFenetre(this, app.traduction);
}

std::string TfmCarteNouvelleZone::Nom() const { return DepuisQString(m_nom->text().trimmed()); }
std::string TfmCarteNouvelleZone::Lieu() const { return DepuisQString(m_lieu->text().trimmed()); }

void TfmCarteNouvelleZone::accept() {
  if (Nom().empty() || Lieu().empty()) {
    BoiteMessage(Q("Vous n'avez pas indiqué le nom ou le lieu"_ansi), kInformation, 0, this);
    return;
  }
  QDialog::accept();
}

TfmCarteNouvelle::TfmCarteNouvelle(TfmCarte& carte, QWidget* parent) : QDialog(parent), m_carte(carte) {
  setObjectName("fmCarteNouvelle");
  setWindowTitle(Q("Création d'une nouvelle carte"_ansi));
  m_bmp = Edit("eBmp", this);
  m_nom = Edit("eNom", this);
  auto* charge = Bouton("sbCharge", "...", this);
  connect(charge, &QPushButton::clicked, this, [this] {
    const QString f = QFileDialog::getOpenFileName(this, windowTitle(), {}, Q("Carte (*.bmp)"));
    if (!f.isEmpty() && QFileInfo::exists(f)) m_bmp->setText(f);
  });
  auto* cree = Bouton("bCree", "&Créer la carte"_ansi, this);
  cree->setDefault(true);
  auto* annule = Bouton("bAnnuler", "&Annuler", this);
  connect(cree, &QPushButton::clicked, this, &QDialog::accept);
  connect(annule, &QPushButton::clicked, this, &QDialog::reject);
  auto* ligne = new QHBoxLayout;
  ligne->addWidget(m_bmp, 1);
  ligne->addWidget(charge);
  auto* f = new QFormLayout;
  f->addRow(Q("Fichier image"), ligne);
  f->addRow(Q("Nom de la carte"), m_nom);
  auto* b = new QHBoxLayout;
  b->addStretch(1);
  b->addWidget(cree);
  b->addWidget(annule);
  auto* v = new QVBoxLayout(this);
  v->addLayout(f);
  v->addLayout(b);
  resize(460, 120);
}

void TfmCarteNouvelle::accept() {
  const std::string nom = DepuisQString(m_nom->text().trimmed());
  if (nom.empty()) {
    BoiteMessage(Q("Vous devez donner un nom à la carte."_ansi), kInformation, 0, this);
    return;
  }
  if (m_bmp->text().isEmpty() || !QFileInfo::exists(m_bmp->text()) || QImage(m_bmp->text()).isNull()) {
    BoiteMessage(Q("Le fichier image est introuvable."), kInformation, 0, this);
    return;
  }
  if (m_carte.CreeCarte(nom, m_bmp->text())) QDialog::accept();
}

}  // namespace kindrela
