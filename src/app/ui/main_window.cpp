#include "app/ui/main_window.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStatusBar>

#include "core/identity.h"
#include "app/ui/application.h"
#include "app/ui/startup.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "core/ui/qt_text.h"

namespace kindrela {
namespace {

TRect ZoneDeTravail() {
  QScreen* ecran = QGuiApplication::primaryScreen();
  QRect z = ecran ? ecran->availableGeometry() : QRect(0, 0, 1024, 768);
  return TRect{z.left(), z.top(), z.width(), z.height()};
}

QString Chemin(const std::string& ansi) { return VersQString(ansi); }

}  // namespace

TScaWin::TScaWin(TApplication& app, QWidget* parent) : QMainWindow(parent), m_app(app) {
  setObjectName("ScaWin");
  auto* barre = statusBar();
  barre->setObjectName("sb");
  // The event-kind words follow the interface language.
  m_app.bd = std::make_unique<TBD>();
  TBD& bd = *m_app.bd;
  const TTraduction& t = m_app.traduction;
  bd.NatProfession = t.Msg(200);
  bd.NatNaissance = t.Msg(201);
  bd.NatBapteme = t.Msg(202);
  bd.NatDeces = t.Msg(203);
  bd.NatSepulture = t.Msg(204);
  bd.NatMariage = t.Msg(205);
  bd.NatDivorce = t.Msg(206);
  PrepareDossiersUtilisateur();
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

void TScaWin::Initialise() {
  m_app.fetes.Charge(m_app.dossiers.fichierTableFetes);
  FichierIni ini(m_app.dossiers.fichierReglages);
  m_app.reglages.ChargeReglages(ini, m_app.traduction, m_app.dossiers.programme);
  TRect r = RectFenetrePrincipale(m_app.reglages, ZoneDeTravail());
  setGeometry(r.left, r.top, r.width, r.height);
  LitFeuilleDeStyle();
  TitreFenetre();
}

void TScaWin::LitFeuilleDeStyle() {
  const std::string& chemin = m_app.dossiers.fichierStyleCss;
  if (!LitFichier(chemin, m_app.styleCss).ok()) MessageDemarrage("Not found : " + Chemin(chemin));
}

void TScaWin::TitreFenetre() {
  std::string titre = std::string(kNomProduit) + " " + std::string(kVersionTexte) + " -";
  if (!m_app.fichierCourant.empty()) titre += " " + NomDe(m_app.fichierCourant);
  setWindowTitle(VersQString(titre));
}

void TScaWin::SauveReglages() {
  QRect g = normalGeometry().isValid() ? normalGeometry() : geometry();
  m_app.reglages.SetRectFenetre("kindr", TRect{g.left(), g.top(), g.width(), g.height()});
  if (!m_app.fichierCourant.empty())
    m_app.reglages.SetTexte("gene", "OldFileName", m_app.fichierCourant);
  FichierIni ini(m_app.dossiers.fichierReglages);
  m_app.reglages.SauveReglages(ini);
  QDir().mkpath(Chemin(m_app.dossiers.paramUtilisateur));
  if (Statut s = ini.Enregistre(); !s.ok()) MessageDemarrage(VersQString(s.message()));
}

void TScaWin::closeEvent(QCloseEvent* event) {
  SauveReglages();
  event->accept();
}

}  // namespace kindrela
