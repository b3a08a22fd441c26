#include "gui/dates/reminder_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPainterPath>
#include <QRegion>
#include <QScrollArea>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "core/ansi_literal.h"
#include "core/clock.h"
#include "core/file_io.h"
#include "core/identity.h"
#include "core/ini_file.h"
#include "dates/dates.h"
#include "gui/common/qt_text.h"
#include "gui/main/application.h"

namespace kindrela {
namespace {
constexpr int kLargeur = 280, kHauteur = 180, kRayon = 24;
}  // namespace

TfmAnniFete::TfmAnniFete(const std::vector<TLigneRappel>& lignes, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName("fmAnniFete");
  setWindowTitle(VersQString("Anniversaires et fêtes à souhaiter"_ansi));
  setFixedSize(kLargeur, kHauteur);
  auto* defile = new QScrollArea(this);
  defile->setObjectName("sbAnniFete");
  defile->setFrameShape(QFrame::NoFrame);
  defile->setWidgetResizable(true);
  defile->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* contenu = new QWidget(defile);
  contenu->setObjectName("pAnniFete");
  auto* colonne = new QVBoxLayout(contenu);
  // Clear of the rounded corners.
  colonne->setContentsMargins(10, kRayon / 2, 10, kRayon / 2);
  colonne->setSpacing(1);
  int i = 0;
  for (const TLigneRappel& l : lignes) {
    auto* label = new QLabel(VersQString(l.texte), contenu);
    label->setObjectName(QString("lLigne%1").arg(i++));
    QFont f = label->font();
    f.setPixelSize(l.hauteur);
    f.setBold(l.gras);
    label->setFont(f);
    label->setAlignment(Qt::AlignHCenter);
    label->setWordWrap(true);
    label->installEventFilter(this);
    colonne->addWidget(label);
  }
  colonne->addStretch(1);
  contenu->installEventFilter(this);
  defile->viewport()->installEventFilter(this);
  defile->setWidget(contenu);
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(0, 0, 0, 0);
  v->addWidget(defile);
}

QStringList TfmAnniFete::Textes() const {
  QStringList textes;
  for (int i = 0;; ++i) {
    auto* l = findChild<QLabel*>(QString("lLigne%1").arg(i));
    if (!l) break;
    textes << l->text();
  }
  return textes;
}

void TfmAnniFete::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  QPainterPath bord;
  bord.addRoundedRect(rect(), kRayon, kRayon);
  setMask(QRegion(bord.toFillPolygon().toPolygon()));
}

void TfmAnniFete::keyPressEvent(QKeyEvent*) { accept(); }
void TfmAnniFete::mousePressEvent(QMouseEvent*) { accept(); }

bool TfmAnniFete::eventFilter(QObject* objet, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    accept();
    return true;
  }
  return QDialog::eventFilter(objet, event);
}

bool RappelsExistent(const TApplication& app) { return FichierExiste(app.dossiers.fichierAnniFete); }

bool AfficherRappels(QWidget* owner, const TApplication& app) {
  if (!RappelsExistent(app)) return false;
  const FichierIni ini(app.dossiers.fichierAnniFete);
  TTableFetes fetes;
  (void)fetes.Charge(app.dossiers.fichierFete);  // no name days when it is missing
  TfmAnniFete fenetre(LignesRappels(LitRappels(ini), fetes, Aujourdhui()), owner);
  fenetre.exec();
  return true;
}

QString FichierDemarrageRappels() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         "/autostart/kindrela-anniv.desktop";
}

bool FixeDemarrageRappels(bool actif, const TApplication&) {
  const QString chemin = FichierDemarrageRappels();
  if (!actif) return !QFileInfo::exists(chemin) || QFile::remove(chemin);
  QDir().mkpath(QFileInfo(chemin).absolutePath());
  const std::string entree = EntreeDemarrage(DepuisQString(QCoreApplication::applicationFilePath()),
                                             std::string(kTitreApplication));
  return EcritFichierAtomique(DepuisQString(chemin), entree).ok();
}

}  // namespace kindrela
