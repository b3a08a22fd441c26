#include "gui/editing/source_window.h"

#include <atomic>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QThread>
#include <QTimer>
#include <QEventLoop>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/file_io.h"
#include "core/text.h"
#include "gui/common/message_box.h"
#include "gui/common/qt_text.h"
#include "gui/editing/media_player.h"
#include "gui/editing/picture_loader.h"
#include "gui/editing/picture_viewer.h"
#include "gui/i18n/translate_window.h"
#include "gui/main/application.h"

namespace kindrela {
namespace {

// The side of the square a picture is first read into.
constexpr int kCoteApercu = 2048;

QString Q(std::string_view ansi) { return VersQString(ansi); }

// A tip shown once, unless the user asked not to see it again.
void MontreConseil(QWidget* parent, TApplication& app, int numero) {
  if (!app.reglages.AstuceVisible(numero)) return;
  QMessageBox boite(QMessageBox::Information, TitreApplication(),
                    Q(app.traduction.MsgCle("tips" + std::to_string(numero))), QMessageBox::Ok, parent);
  boite.setObjectName("fmConseil");
  auto* jamais = new QCheckBox(Q("Ne plus afficher ce conseil"), &boite);
  jamais->setObjectName("cbJamais");
  boite.setCheckBox(jamais);
  boite.exec();
  if (jamais->isChecked()) app.reglages.SetAstuceVisible(numero, false);
}

}  // namespace

// ---------------------------------------------------------------------------

TImageLegendes::TImageLegendes(QWidget* parent) : QWidget(parent) {
  setObjectName("iPhoto");
  setCursor(Qt::PointingHandCursor);
}

void TImageLegendes::SetImage(const QImage& image, QSize originale) {
  m_image = image;
  m_originale = originale.isValid() ? originale : image.size();
  SetZoom(m_zoom);
}

void TImageLegendes::SetZoom(int zoom) {
  m_zoom = zoom;
  setFixedSize(std::max(1, ZoomLongueur(m_originale.width(), zoom)),
               std::max(1, ZoomLongueur(m_originale.height(), zoom)));
  update();
}

void TImageLegendes::SetLegendes(const std::vector<TZone>* legendes, int selection, bool visibles) {
  m_legendes = legendes;
  m_selection = selection;
  m_visibles = visibles;
  update();
}

QPoint TImageLegendes::VersImage(const QPoint& e) const {
  return QPoint(ZoomInverse(e.x(), m_zoom), ZoomInverse(e.y(), m_zoom));
}

void TImageLegendes::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (!m_image.isNull()) {
    p.setRenderHint(QPainter::SmoothPixmapTransform, m_zoom < 100);
    p.drawImage(rect(), m_image);
  }
  if (!m_legendes || !m_visibles) return;
  const QFontMetrics fm = p.fontMetrics();
  int n = 0;
  for (const TZone& z : *m_legendes) {
    ++n;
    const QString texte = VersQString(z.texte);
    const int l = fm.horizontalAdvance(texte) + 2;
    const int h = fm.height();
    const QPoint c(ZoomLongueur(z.x, m_zoom), ZoomLongueur(z.y, m_zoom));
    const QRect r(c.x() - l / 2, c.y() - h / 2, l, h);
    p.fillRect(r, n == m_selection ? QColor(255, 0, 0) : QColor(255, 255, 0));
    p.setPen(Qt::black);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.drawText(r, Qt::AlignCenter, texte);
  }
}

void TImageLegendes::mousePressEvent(QMouseEvent* e) {
  emit Clic(e->button(), e->position().toPoint());
  e->accept();
}

// ---------------------------------------------------------------------------

TfmSource::TfmSource(TApplication& app, Actions actions, QWidget* parent)
    : QDialog(parent), m_app(app), m_actions(std::move(actions)) {
  setObjectName("fmSource");
  setModal(true);
  auto* colonne = new QVBoxLayout(this);

  auto* barre = new QHBoxLayout;
  auto bouton = [&](const char* nom, const char* texte, const char* bulle) {
    auto* b = new QPushButton(Q(texte), this);
    b->setObjectName(nom);
    b->setToolTip(Q(bulle));
    b->setAutoDefault(false);
    barre->addWidget(b);
    return b;
  };
  auto* fichier = bouton("bFichier", "Fi&chier...", "Choisir le fichier lié à la source"_ansi);
  m_scanner = bouton("bScanner", "&Scanner...", "Recherche des scanners..."_ansi);
  m_scanner->setEnabled(false);
  m_photo = bouton("bPhoto", "&Photo de l'arbre",
                   "Utiliser cette image comme photo de la personne dans l'arbre");
  m_montreImage = new QToolButton(this);
  m_montreImage->setObjectName("sbImage");
  m_montreImage->setText("<<");
  m_montreImage->setCheckable(true);
  m_montreImage->setChecked(true);
  m_montreImage->setToolTip(Q("Afficher ou cacher l'image"));
  barre->addWidget(m_montreImage);
  m_montreTexte = new QToolButton(this);
  m_montreTexte->setObjectName("sbTexte");
  m_montreTexte->setText(">>");
  m_montreTexte->setCheckable(true);
  m_montreTexte->setChecked(true);
  m_montreTexte->setToolTip(Q("Afficher ou cacher le texte"));
  barre->addWidget(m_montreTexte);
  m_voirLegendes = new QToolButton(this);
  m_voirLegendes->setObjectName("sbLegendes");
  m_voirLegendes->setText(Q("Voir les légendes"_ansi));
  m_voirLegendes->setCheckable(true);
  m_voirLegendes->setChecked(true);
  barre->addWidget(m_voirLegendes);
  m_zoomTexte = new QLabel(this);
  m_zoomTexte->setObjectName("lZoom");
  barre->addWidget(m_zoomTexte);
  barre->addStretch(1);
  m_fermer = bouton("bFermer", "&Fermer", "");
  colonne->addLayout(barre);

  auto* corps = new QHBoxLayout;
  // The picture panel: the picture, its legends, or the player.
  m_panneauImage = new QWidget(this);
  m_panneauImage->setObjectName("pImage");
  auto* ci = new QVBoxLayout(m_panneauImage);
  ci->setContentsMargins(0, 0, 0, 0);
  m_defile = new QScrollArea(m_panneauImage);
  m_defile->setObjectName("sbPhoto");
  m_defile->setAlignment(Qt::AlignCenter);
  m_defile->setMinimumSize(240, 200);
  m_image = new TImageLegendes(m_defile);
  m_defile->setWidget(m_image);
  ci->addWidget(m_defile, 1);
  m_lecteur = new TLecteurMedia(m_panneauImage);
  m_lecteur->setVisible(false);
  ci->addWidget(m_lecteur, 1);
  m_message = new QLabel(m_panneauImage);
  m_message->setObjectName("lMessage");
  m_message->setWordWrap(true);
  m_message->setStyleSheet("color: rgb(160,0,0);");
  ci->addWidget(m_message);
  m_panneauLegendes = new QWidget(m_panneauImage);
  m_panneauLegendes->setObjectName("pLegendes");
  auto* cl = new QVBoxLayout(m_panneauLegendes);
  cl->setContentsMargins(0, 0, 0, 0);
  cl->addWidget(new QLabel(Q("Légendes de l'image:"_ansi), m_panneauLegendes));
  m_zones = new QListWidget(m_panneauLegendes);
  m_zones->setObjectName("lbZone");
  m_zones->setMaximumHeight(110);
  m_zones->setContextMenuPolicy(Qt::CustomContextMenu);
  cl->addWidget(m_zones);
  m_noteMedia = new QLabel(m_panneauLegendes);
  m_noteMedia->setObjectName("lNoteMedia");
  m_noteMedia->setWordWrap(true);
  cl->addWidget(m_noteMedia);
  m_noteVersTexte = new QPushButton(Q("Mettre cette note dans le texte de la source"), m_panneauLegendes);
  m_noteVersTexte->setObjectName("bNoteVersTexte");
  m_noteVersTexte->setAutoDefault(false);
  cl->addWidget(m_noteVersTexte);
  ci->addWidget(m_panneauLegendes);
  corps->addWidget(m_panneauImage, 3);

  m_panneauTexte = new QWidget(this);
  m_panneauTexte->setObjectName("pTexte");
  auto* ct = new QVBoxLayout(m_panneauTexte);
  ct->setContentsMargins(0, 0, 0, 0);
  ct->addWidget(new QLabel(Q("Nom de la source:"), m_panneauTexte));
  m_nature = new QLineEdit(m_panneauTexte);
  m_nature->setObjectName("eNature");
  ct->addWidget(m_nature);
  ct->addWidget(new QLabel(Q("Type de source:"), m_panneauTexte));
  m_sorte = new QComboBox(m_panneauTexte);
  m_sorte->setObjectName("cbSorte");
  m_sorte->setEditable(true);
  m_sorte->setInsertPolicy(QComboBox::NoInsert);
  ct->addWidget(m_sorte);
  ct->addWidget(new QLabel(Q("Note libre ou transcription de l'acte:"), m_panneauTexte));
  m_note = new QPlainTextEdit(m_panneauTexte);
  m_note->setObjectName("reNote");
  m_note->setContextMenuPolicy(Qt::CustomContextMenu);
  ct->addWidget(m_note, 2);
  ct->addWidget(new QLabel(Q("Individus concernés:"_ansi), m_panneauTexte));
  m_personnes = new QListWidget(m_panneauTexte);
  m_personnes->setObjectName("lbPers");
  ct->addWidget(m_personnes, 1);
  corps->addWidget(m_panneauTexte, 2);
  colonne->addLayout(corps, 1);

  connect(fichier, &QPushButton::clicked, this, [this] {
    const QString depart = VersQString(m_fichierResolu.empty() ? DossierDe(m_app.fichierCourant)
                                                               : m_fichierResolu);
    const QString choisi = QFileDialog::getOpenFileName(
        this, Q("Fichier de la source"), depart,
        Q("Tout fichier (*);;Image (bmp,jpg,jpeg,gif) (*.gif *.jpg *.jpeg *.bmp *.png);;"
          "Son (wav) (*.wav);;Vidéo (avi) (*.avi)"_ansi));
    ChoisitFichier(DepuisQString(choisi));
  });
  connect(m_photo, &QPushButton::clicked, this, [this] { PhotoArbre(); });
  connect(m_scanner, &QPushButton::clicked, this, [this] { Scanne(); });
  connect(m_fermer, &QPushButton::clicked, this, [this] { accept(); });
  connect(m_montreImage, &QToolButton::toggled, this, [this] { DisposePanneaux(); });
  connect(m_montreTexte, &QToolButton::toggled, this, [this] { DisposePanneaux(); });
  connect(m_voirLegendes, &QToolButton::toggled, this, [this] { RemplitLegendes(); });
  connect(m_nature, &QLineEdit::textChanged, this, [this] { MetAJourFermer(); });
  connect(m_image, &TImageLegendes::Clic, this, &TfmSource::ClicImage);
  connect(m_zones, &QListWidget::currentRowChanged, this, [this](int r) {
    m_selection = r >= 0 && r < static_cast<int>(m_media.legendes.size()) ? r + 1 : 0;
    m_image->SetLegendes(&m_media.legendes, m_selection, m_voirLegendes->isChecked());
  });
  connect(m_zones, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    if (m_zones->row(item) != m_zones->count() - 1) return;
    MontreConseil(this, m_app, 5);
    PlacementLegende();
  });
  connect(m_zones, &QListWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    QMenu menu(this);
    menu.setObjectName("pmZone");
    QAction* nouvelle = menu.addAction(Q("Nouvelle légende..."_ansi));
    nouvelle->setEnabled(m_media.note.empty());
    QAction* supprime = menu.addAction(Q("Supprimer la légende"_ansi));
    supprime->setEnabled(m_selection > 0);
    QAction* choisi = menu.exec(m_zones->viewport()->mapToGlobal(pos));
    if (choisi == nouvelle) PlacementLegende();
    else if (choisi == supprime) SupprimeLegende();
  });
  connect(m_noteVersTexte, &QPushButton::clicked, this, [this] {
    // The note joins the source's text; the picture can then take legends.
    QString texte = m_note->toPlainText();
    if (!texte.isEmpty()) texte += "\n";
    m_note->setPlainText(texte + VersQString(m_media.note));
    m_media.note.clear();
    RemplitLegendes();
  });
  connect(m_personnes, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int n = item->data(Qt::UserRole).toInt();
    if (n > 0 && m_actions.selectionnePersonne) m_actions.selectionnePersonne(n);
  });
  connect(m_personnes, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    if (m_personnes->row(item) != m_personnes->count() - 1 || !m_actions.choisitPersonne) return;
    LiePersonne(m_actions.choisitPersonne());
  });
  connect(m_note, &QPlainTextEdit::customContextMenuRequested, this, [this] {
    if (m_actions.editeTexte) m_actions.editeTexte(m_note->toPlainText());
  });
  connect(m_sorte->lineEdit(), &QLineEdit::editingFinished, this, [this] {
    const QString t = m_sorte->currentText().trimmed();
    if (!t.isEmpty() && m_sorte->findText(t) < 0) m_sorte->addItem(t);
  });
  TraduitFenetre(this, m_app.traduction);
  resize(820, 560);

  // Looking for scanners may take seconds (network scanners): off the
  // window's thread, the button following when it is done.
  auto* resultat = new TRechercheScanners;
  m_recherche = QThread::create([resultat] { *resultat = RechercheScanners(); });
  connect(m_recherche, &QThread::finished, this, [this, resultat] {
    ScannersTrouves(*resultat);
    delete resultat;
  });
  m_recherche->start(QThread::LowPriority);
}

TfmSource::~TfmSource() {
  if (m_recherche) {
    m_recherche->wait();
    delete m_recherche;
  }
}

void TfmSource::ScannersTrouves(const TRechercheScanners& r) {
  m_scannersCherches = true;
  m_scanners = r.scanners;
  m_scanner->setEnabled(!m_scanners.empty());
  if (m_scanners.empty()) {
    m_scanner->setToolTip(Q("Acquisition impossible : "_ansi) + r.raison);
    return;
  }
  QStringList noms;
  for (const TScanner& s : m_scanners) noms << (s.description.isEmpty() ? s.nom : s.description);
  m_scanner->setToolTip(Q("Acquérir une image du scanner : "_ansi) + noms.join(", "));
}

void TfmSource::Scanne() {
  if (m_scanners.empty()) return;
  TScanner choisi = m_scanners.front();
  if (m_scanners.size() > 1) {
    QStringList noms;
    for (const TScanner& s : m_scanners) noms << s.description + " (" + s.nom + ")";
    bool ok = false;
    const QString c = QInputDialog::getItem(this, Q("Scanner"), Q("Scanner à utiliser :"_ansi), noms, 0,
                                            false, &ok);
    if (!ok || noms.indexOf(c) < 0) return;
    choisi = m_scanners[static_cast<size_t>(noms.indexOf(c))];
  }
  QProgressDialog progres(Q("Acquisition de l'image..."), Q("Arrêter"_ansi), 0, 1000, this);
  progres.setObjectName("fmProgresScanner");
  progres.setWindowModality(Qt::WindowModal);
  progres.setMinimumDuration(0);
  progres.setValue(0);
  std::atomic<int> fait{0};
  std::atomic<bool> arret{false};
  QImage image;
  QString erreur;
  const QString nom = choisi.nom;
  QThread* scan = QThread::create([&] {
    image = AcquiertImage(nom, [&](double f) {
      fait = static_cast<int>(f * 1000);
      return !arret.load();
    }, erreur);
  });
  QEventLoop attente;
  connect(scan, &QThread::finished, &attente, &QEventLoop::quit);
  connect(&progres, &QProgressDialog::canceled, this, [&] { arret = true; });
  QTimer suivi;
  connect(&suivi, &QTimer::timeout, this, [&] {
    if (!arret) progres.setValue(std::min(999, fait.load()));
  });
  suivi.start(50);
  scan->start();
  attente.exec();
  scan->wait();
  delete scan;
  suivi.stop();
  progres.reset();
  if (image.isNull()) {
    if (!arret) BoiteMessage(Q("Aucune image n'a été acquise : "_ansi) + erreur, kErreur, 0, this);
    return;
  }
  std::string dossier = DossierDe(m_app.fichierCourant.empty() ? m_app.dossiers.mesArbres + "x"
                                                               : m_app.fichierCourant);
  std::string propose = Trim(DepuisQString(m_nature->text()));
  for (char& c : propose)
    if (c == '/' || c == '\\' || c == ':') c = '-';
  QString filtre;
  const QString chemin = QFileDialog::getSaveFileName(this, Q("Enregistrer l'image acquise"),
                                                      VersQString(dossier + propose),
                                                      "BMP (*.bmp *.BMP);;JPG (*.jpg *.jpeg *.JPG)", &filtre);
  if (chemin.isEmpty()) return;
  EnregistreScan(image, DepuisQString(chemin), filtre.startsWith("JPG"));
}

bool TfmSource::EnregistreScan(const QImage& image, std::string chemin, bool jpeg) {
  const std::string sorte = SorteFichier(chemin);
  if (jpeg && sorte != "JPG" && sorte != "JPE") chemin += ".jpg";
  if (!jpeg && sorte != "BMP") chemin += ".bmp";
  if (!image.save(VersQString(chemin), jpeg ? "JPG" : "BMP", jpeg ? 90 : -1)) {
    BoiteMessage(Q("L'image ne peut pas être enregistrée dans "_ansi) + VersQString(chemin), kErreur, 0, this);
    return false;
  }
  ChoisitFichier(chemin);
  return true;
}

TDossiersMedia TfmSource::Dossiers() const {
  return TDossiersMedia{m_app.dossiers.modele, m_app.dossiers.programme, m_app.fichierCourant};
}

void TfmSource::Edite(int s) {
  if (s < 1 || s > m_app.bd->NbreSrc()) return;
  Charge(s);
  exec();
}

void TfmSource::Charge(int s) {
  const TBD& bd = *m_app.bd;
  m_source = s;
  const TSrc& src = bd.Src(s);
  m_mediaLu = src.SrcMedia;
  m_media = LitMedia(src.SrcMedia);
  m_selection = 0;
  m_placement = false;
  m_image->setCursor(Qt::PointingHandCursor);
  m_sorte->clear();
  for (const std::string& sorte : SortesDeSource(m_app.tables.Grille(SorteTable::Sources)))
    m_sorte->addItem(VersQString(sorte));
  m_nature->setText(VersQString(src.SrcTitre.empty() ? m_app.traduction.Msg(540) : src.SrcTitre.str()));
  m_sorte->setCurrentText(VersQString(src.SrcAbrege));
  m_note->setPlainText(VersQString(src.SrcTexte));
  RemplitPersonnes();
  ChargeFichier();
  MetAJourFermer();
}

void TfmSource::ChargeFichier() {
  m_imageReduite = false;
  m_lecteur->Arrete();
  m_lecteur->setVisible(false);
  m_message->clear();
  m_fichierResolu = ResoutMedia(m_media.fichier, Dossiers());
  if (!m_fichierResolu.empty())
    m_media.fichier = NomMediaStocke(m_fichierResolu, m_app.fichierCourant);
  const GenreMedia genre = GenreDe(m_fichierResolu.empty() ? m_media.fichier : m_fichierResolu);
  bool image = false;
  m_photo->setEnabled(false);
  if (!m_media.fichier.empty() && m_fichierResolu.empty()) {
    // Not found: nothing is shown, and the name is kept as it is stored.
    m_image->SetImage(ImageAbsente(QSize(200, 150), Q("Fichier introuvable")).toImage(), {});
    m_message->setText(Q("Fichier introuvable : ") + VersQString(m_media.fichier));
    image = genre == GenreMedia::Image;
    m_zoom = 100;
  } else if (genre == GenreMedia::Image) {
    // A camera picture opens reduced, which reads many times faster; the
    // full picture is read when the zoom first needs it.
    const TImageChargee c = ChargeImage(VersQString(m_fichierResolu), QSize(kCoteApercu, kCoteApercu));
    image = true;
    if (c.Ok()) {
      m_image->SetImage(c.image, c.tailleOriginale);
      m_imageReduite = c.image.width() < c.tailleOriginale.width();
      m_zoom = ZoomInitial(c.tailleOriginale.width());
      m_photo->setEnabled(true);
    } else {
      m_image->SetImage(ImageAbsente(QSize(200, 150), Q("Image illisible")).toImage(), {});
      m_zoom = 100;
      m_message->setText(Q("Image illisible : ") + VersQString(m_fichierResolu) + " (" + c.erreur + ")");
    }
  } else if (genre == GenreMedia::Lecteur) {
    m_lecteur->setVisible(true);
    m_lecteur->Ouvre(VersQString(m_fichierResolu));
  } else if (genre == GenreMedia::Autre) {
    m_message->setText(Q("Ce fichier n'est ni une image, ni un son, ni une vidéo : "_ansi) +
                       VersQString(m_fichierResolu));
  }
  m_defile->setVisible(image);
  m_panneauLegendes->setVisible(image);
  m_image->SetZoom(m_zoom);
  MontreZoom();
  RemplitLegendes();
  std::string titre = m_app.traduction.Msg(544);
  if (!m_media.fichier.empty()) titre += " (" + m_media.fichier + ")";
  setWindowTitle(VersQString(titre));
  DisposePanneaux();
}

bool TfmSource::ImageMontree() const { return m_defile->isVisibleTo(this); }

QSize TfmSource::TailleLue() const { return m_image->Image().size(); }

QString TfmSource::Message() const { return m_message->text(); }

void TfmSource::MontreZoom() {
  std::string t = m_app.traduction.Msg(543);
  if (size_t p = t.find("%s"); p != std::string::npos) t.replace(p, 2, std::to_string(m_zoom));
  else t += " " + std::to_string(m_zoom);
  m_zoomTexte->setText(VersQString(t));
}

void TfmSource::RemplitLegendes() {
  const int selection = m_selection;
  m_zones->blockSignals(true);
  m_zones->clear();
  for (const TZone& z : m_media.legendes) m_zones->addItem(VersQString(z.texte));
  if (m_media.note.empty()) m_zones->addItem(VersQString(m_app.traduction.Msg(100)));
  m_zones->blockSignals(false);
  m_selection = selection <= static_cast<int>(m_media.legendes.size()) ? selection : 0;
  if (m_selection > 0) m_zones->setCurrentRow(m_selection - 1);
  // A note kept after the file name stands where legends would be.
  m_noteMedia->setVisible(!m_media.note.empty());
  m_noteVersTexte->setVisible(!m_media.note.empty());
  m_noteMedia->setText(Q("Note du fichier : ") + VersQString(m_media.note));
  m_image->SetLegendes(&m_media.legendes, m_selection, m_voirLegendes->isChecked());
}

void TfmSource::RemplitPersonnes() {
  m_personnes->clear();
  const TBD& bd = *m_app.bd;
  for (int n : PersonnesDeSource(bd, m_source)) {
    auto* item = new QListWidgetItem(VersQString(bd.NomCourt(n)), m_personnes);
    item->setData(Qt::UserRole, n);
  }
  m_personnes->addItem(VersQString(m_app.traduction.Msg(539)));
}

void TfmSource::ClicImage(Qt::MouseButton bouton, QPoint ecran) {
  if (m_placement) {
    if (bouton != Qt::LeftButton) return;
    m_placement = false;
    m_image->setCursor(Qt::PointingHandCursor);
    bool ok = false;
    const QString texte = QInputDialog::getText(this, VersQString(m_app.traduction.Msg(541)),
                                                VersQString(m_app.traduction.Msg(542)),
                                                QLineEdit::Normal, QString(), &ok);
    if (ok) PoseLegende(m_image->VersImage(ecran), DepuisQString(texte.trimmed()));
    return;
  }
  if (bouton == Qt::LeftButton) Zoom(true);
  else if (bouton == Qt::RightButton) Zoom(false);
}

void TfmSource::Zoom(bool plus) {
  m_zoom = plus ? ZoomPlus(m_zoom) : ZoomMoins(m_zoom);
  if (m_imageReduite && ZoomLongueur(m_image->TailleOriginale().width(), m_zoom) > m_image->Image().width()) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const TImageChargee c = ChargeImage(VersQString(m_fichierResolu));
    QApplication::restoreOverrideCursor();
    if (c.Ok()) m_image->SetImage(c.image, c.tailleOriginale);
    m_imageReduite = false;
  }
  m_image->SetZoom(m_zoom);
  MontreZoom();
}

void TfmSource::PlacementLegende() {
  if (!m_media.note.empty()) return;
  m_placement = true;
  m_image->setCursor(Qt::CrossCursor);
}

void TfmSource::PoseLegende(QPoint p, const std::string& texte) {
  if (texte.empty() || !m_media.note.empty() ||
      m_media.legendes.size() >= static_cast<size_t>(kLegendesMax))
    return;
  m_media.legendes.push_back(TZone{p.x(), p.y(), texte});
  m_selection = static_cast<int>(m_media.legendes.size());
  RemplitLegendes();
}

void TfmSource::SupprimeLegende() {
  if (m_selection < 1 || m_selection > static_cast<int>(m_media.legendes.size())) return;
  m_media.legendes.erase(m_media.legendes.begin() + (m_selection - 1));
  m_selection = 0;
  RemplitLegendes();
}

void TfmSource::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Delete && m_zones->hasFocus()) {
    SupprimeLegende();
    return;
  }
  QDialog::keyPressEvent(e);
}

void TfmSource::ChoisitFichier(const std::string& chemin) {
  m_media.fichier = chemin.empty() ? std::string() : NomMediaStocke(chemin, m_app.fichierCourant);
  m_media.legendes.clear();
  m_selection = 0;
  ChargeFichier();
}

void TfmSource::PhotoArbre() {
  if (!m_fichierResolu.empty() && PeutEtrePhotoArbre(m_fichierResolu)) {
    m_sorte->setCurrentText(VersQString(kPhotoArbre));
    return;
  }
  MontreConseil(this, m_app, 6);
}

void TfmSource::LiePersonne(int n) {
  TBD& bd = *m_app.bd;
  if (!bd.FicheUtilisee(n) || m_source <= 0) return;
  if (!bd.AjouteSrc(n, m_source)) return;
  bd.BaseModifiee = 1;
  auto* item = new QListWidgetItem(VersQString(bd.NomCourt(n)));
  item->setData(Qt::UserRole, n);
  m_personnes->insertItem(m_personnes->count() - 1, item);
}

void TfmSource::MetAJourFermer() { m_fermer->setEnabled(!m_nature->text().trimmed().isEmpty()); }

void TfmSource::DisposePanneaux() {
  const bool image = m_montreImage->isChecked();
  const bool texte = m_montreTexte->isChecked() || !image;
  m_panneauImage->setVisible(image);
  m_panneauTexte->setVisible(texte);
}

void TfmSource::Stocke() {
  TBD& bd = *m_app.bd;
  if (m_source < 1 || m_source > bd.NbreSrc()) return;
  auto ecrit = [&](int f, const std::string& valeur) {
    if (bd.LitChampSrc(m_source, f) == valeur) return;
    bd.EcritChampSrc(m_source, f, valeur);
    bd.BaseModifiee = 1;
  };
  ecrit(1, Trim(DepuisQString(m_nature->text())));
  ecrit(3, Trim(DepuisQString(m_sorte->currentText())));
  ecrit(2, TexteMemo(DepuisQString(m_note->toPlainText())));
  // Unchanged media keep the very bytes they were read from.
  if (!(LitMedia(m_mediaLu) == m_media)) ecrit(4, EcritMedia(m_media));
}

void TfmSource::closeEvent(QCloseEvent* e) {
  if (m_nature->text().trimmed().isEmpty()) {
    e->ignore();
    return;
  }
  QDialog::closeEvent(e);
}

void TfmSource::done(int r) {
  // The window cannot close without a name; every way out stores the fields.
  if (m_nature->text().trimmed().isEmpty()) return;
  m_lecteur->Arrete();
  Stocke();
  QDialog::done(r);
}

}  // namespace kindrela
