// Shared by the window tests: a run's state
// over the source tree's installation data with the user's folders in a
// temporary folder, a small tree, and an answerer for message boxes.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>
#include <string>

#include "app/folders.h"
#include "core/ansi_literal.h"
#include "gui/main/application.h"
#include "gui/common/qt_text.h"

namespace kindrela::test {

inline std::unique_ptr<TApplication> Application(const QTemporaryDir& maison) {
  auto app = std::make_unique<TApplication>();
  std::string programme = std::string(KINDRELA_SOURCE_DIR) + "/data/";
  app->traduction.ChargeTraduction(kCheminTraduction, programme);
  if (!ChargeIniProgramme(programme, app->ini).ok()) qWarning("famora.ini unreadable");
  AppliqueIniProgramme(app->ini, app->traduction);
  app->mots.RetranslateTags(app->traduction);
  TDossiersSysteme systeme;
  systeme.programme = programme;
  systeme.personal = maison.path().toStdString() + "/Documents/";
  systeme.appData = maison.path().toStdString() + "/config/";
  systeme.maison = maison.path().toStdString() + "/";
  Statut s = InitDossiers(systeme, app->ini.langue, app->ini.skin, app->traduction, app->dossiers);
  if (!s.ok()) qWarning("%s", s.message().c_str());
  app->bd = std::make_unique<TBD>();
  (void)app->tables.ChargeTout(app->dossiers.grilles, app->traduction);
  QDir().mkpath(VersQString(app->dossiers.mesArbres));
  return app;
}

// The shipped example tree copied into the user's trees folder; its path.
inline std::string CopieExemple(const TApplication& app) {
  const std::string cible = app.dossiers.mesArbres + "Standard.kdg";
  QFile::copy(QString(KINDRELA_SOURCE_DIR) + "/data/modele/1/exemple/Standard.kdg", VersQString(cible));
  return cible;
}

// DUPONT Jean (1) son of DUPONT Pierre (2) and MARTIN Zoé (3), who are a
// couple; Jean is born in Paris and has a source with a picture.
inline void ArbreExemple(TBD& bd, const std::string& media = {}) {
  int jean = bd.NouvelleFiche();
  int pierre = bd.NouvelleFiche();
  int zoe = bd.NouvelleFiche();
  bd.EcritNom(jean, "DUPONT");
  bd.EcritPrenoms(jean, "Jean");
  bd.EcritNom(pierre, "DUPONT");
  bd.EcritPrenoms(pierre, "Pierre");
  bd.EcritNom(zoe, "MARTIN");
  bd.EcritPrenoms(zoe, "Zoé"_ansi);
  bd.EcritChamp(zoe, 1, "F");
  bd.EcritChamp(jean, 4, "2");
  bd.EcritChamp(jean, 5, "3");
  bd.CreeUnion(pierre, zoe);
  int e = bd.AjouteEveFiche(jean);
  bd.EcritChampEve(e, 1, bd.NatNaissance);
  bd.EcritChampEve(e, 2, "5/3/1900");
  bd.EcritChampEve(e, 4, "Paris");
  if (!media.empty()) {
    int s = bd.AjouteNouvelleSrc(jean);
    bd.EcritChampSrc(s, 1, "Portrait");
    bd.EcritChampSrc(s, 4, media);
  }
  bd.RefPers = jean;
  bd.BaseChargee = 1;
}

inline void Ecrit(const QString& chemin, const QByteArray& octets) {
  QFile f(chemin);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(octets);
}

// Runs `action` on the top-level window named `nom` as soon as it shows
// (a modal dialog opened by the code under test).
inline void QuandVisible(const char* nom, std::function<void(QWidget*)> action) {
  auto* minuterie = new QTimer;
  minuterie->setInterval(10);
  QObject::connect(minuterie, &QTimer::timeout, [minuterie, nom, action] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->objectName() != nom || !w->isVisible()) continue;
      minuterie->stop();
      minuterie->deleteLater();
      action(w);
      return;
    }
  });
  minuterie->start();
}

// Answers the next message box with `bouton` as soon as it shows, and
// keeps its text. Lives as long as the test needs it.
class Repondeur : public QObject {
 public:
  explicit Repondeur(QMessageBox::StandardButton bouton = QMessageBox::Ok) : m_bouton(bouton) {
    m_minuterie.setInterval(10);
    QObject::connect(&m_minuterie, &QTimer::timeout, this, [this] { Regarde(); });
    m_minuterie.start();
  }
  int Nbre() const { return m_nbre; }
  const QString& Texte() const { return m_texte; }

 private:
  void Regarde() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* boite = qobject_cast<QMessageBox*>(w);
      if (!boite || !boite->isVisible()) continue;
      QAbstractButton* b = boite->button(m_bouton);
      if (!b) continue;
      m_texte = boite->text();
      ++m_nbre;
      b->click();
      return;
    }
  }
  QMessageBox::StandardButton m_bouton;
  QTimer m_minuterie;
  int m_nbre = 0;
  QString m_texte;
};

}  // namespace kindrela::test
