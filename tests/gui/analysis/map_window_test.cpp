// The map window on the example tree and the shipped map of France: the
// departments of the tree's places are filled, a click on one makes the
// report of its persons, the sea selects nothing, a white area without zone
// asks for a new zone while the zone editor shows, "&Sauver" writes a copy;
// the online map lists the places and writes its page.
#include <QComboBox>
#include <set>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>

#include "analysis/maps.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "core/tree_file/tree_file_load.h"
#include "gui/analysis/map_window.h"
#include "gui_test_support.h"

using namespace kindrela;

class MapWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir maison;
  std::unique_ptr<TApplication> app;

  // The zones the tree's event places name, as the core finds them.
  std::set<int> ZonesAttendues(const std::vector<TZoneCarte>& zones) {
    std::set<int> attendues;
    const TBD& bd = *app->bd;
    for (int e = 1; e <= bd.NbreEve(); ++e)
      if (bd.EveUtilise(e))
        for (int z : ZonesDuLieu(zones, bd.Eve(e).Lieu)) attendues.insert(z);
    return attendues;
  }

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    app = test::Application(maison);
    app->reglages.ChargeReglages(FichierIni(), app->traduction, app->dossiers.programme);
    // The installation's maps, in a copy that saving must leave alone.
    const QString cartes = maison.path() + "/carte/";
    QDir().mkpath(cartes);
    for (const QString& f : QDir(VersQString(app->dossiers.carte)).entryList(QDir::Files))
      QFile::copy(VersQString(app->dossiers.carte) + f, cartes + f);
    app->dossiers.carte = DepuisQString(cartes);
    const std::string fichier = app->dossiers.mesArbres + "Standard.kdg";
    QFile::copy(QString(KINDRELA_SOURCE_DIR) + "/data/modele/1/exemple/Standard.kdg", VersQString(fichier));
    ResultatChargement r;
    QVERIFY(ChargeFichierArbre(*app->bd, fichier, {}, r).ok());
    app->bd->BaseChargee = 1;
  }

  void departmentsOfThePlacesAreFilled() {
    TfmCarte carte(*app, [this] { return app->bd->RefPers; });
    carte.show();
    QCOMPARE(carte.NomCarte(), std::string("France"));
    QVERIFY(carte.Zones().size() >= 96);
    QCOMPARE(carte.Image().Largeur(), carte.ImagePropre().Largeur());
    auto* pour = carte.findChild<QComboBox*>("cbPour");
    pour->setCurrentIndex(2);
    emit pour->activated(2);
    QVERIFY(carte.Population().Count() > 10);

    const std::set<int> attendues = ZonesAttendues(carte.Zones());
    QVERIFY(!attendues.empty());
    for (size_t z = 0; z < carte.Zones().size(); ++z) {
      const TZoneCarte& zone = carte.Zones()[z];
      const bool rempli = carte.Image().Pixel(zone.x, zone.y) == kCouleurEvenement;
      QVERIFY2(rempli == (attendues.count(static_cast<int>(z)) > 0), zone.nom.c_str());
    }

    // The map as a web page of the site's look, listing the filled departments.
    const TZoneCarte zone = carte.Zones()[static_cast<size_t>(*attendues.begin())];
    std::string page;
    QVERIFY(LitFichier(carte.ExportePage(), page).ok());
    QVERIFY(page.find("<li>" + zone.nom + "</li>") != std::string::npos);
    QVERIFY(page.find("Page créée par"_ansi) != std::string::npos);
    QVERIFY(FichierExiste(app->dossiers.exportHtml + "style.css"));

    // A filled department: its persons become the report.
    QSignalSpy rapport(&carte, &TfmCarte::RapportZone);
    carte.Clic(zone.x, zone.y);
    QCOMPARE(rapport.count(), 1);
    QVERIFY(rapport.first().at(0).value<TR>().Count() > 0);
    QVERIFY(QString::fromStdString(rapport.first().at(1).value<std::string>()).startsWith("Carte - Tout le monde"));
    // The sea in the top-left corner: nothing.
    QVERIFY(carte.Image().Pixel(2, 2) != kBlanc);
    carte.Clic(2, 2);
    QCOMPARE(rapport.count(), 1);
    QCOMPARE(carte.ClicCourant().Zone(), 0);
  }

  void zoneEditorAddsAndSaves() {
    TfmCarte carte(*app, [this] { return app->bd->RefPers; });
    carte.show();
    // A department without events and without zone: its area is white and nameless.
    const std::set<int> attendues = ZonesAttendues(carte.Zones());
    size_t libre = 0;
    while (attendues.count(static_cast<int>(libre))) ++libre;
    const TZoneCarte oubliee = carte.Zones()[libre];
    carte.Zones().erase(carte.Zones().begin() + static_cast<long>(libre));
    const size_t avant = carte.Zones().size();

    // The editor hidden: a click there opens nothing.
    carte.Clic(oubliee.x, oubliee.y);
    QCOMPARE(carte.Zones().size(), avant);
    carte.Editeur().show();
    QTimer::singleShot(0, [] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() != "fmCarteNouvelleZone" || !w->isVisible()) continue;
        w->findChild<QLineEdit*>("eNom")->setText("Nouvelle");
        w->findChild<QLineEdit*>("eLieu")->setText("F99");
        w->findChild<QPushButton*>("bOk")->click();
      }
    });
    carte.Clic(oubliee.x, oubliee.y);
    QCOMPARE(carte.Zones().size(), avant + 1);
    QCOMPARE(carte.Zones().back(), (TZoneCarte{"Nouvelle", "F99", oubliee.x, oubliee.y}));
    QCOMPARE(carte.Editeur().findChild<QTreeWidget*>("lvCarte")->topLevelItemCount(), static_cast<int>(avant + 1));

    carte.Editeur().findChild<QLineEdit*>("eFile")->setText("Copie");
    carte.Editeur().findChild<QPushButton*>("sbSauve")->click();
    // Into the user's folder: the installation is read-only.
    QVERIFY(!QFile::exists(VersQString(app->dossiers.carte + "Copie.kdc")));
    const std::vector<TZoneCarte> relues = LitZones(FichierIni(app->dossiers.carteUtilisateur + "Copie.kdc"));
    QCOMPARE(relues.size(), avant + 1);
    QVERIFY(QImage(VersQString(app->dossiers.carteUtilisateur + "Copie.bmp")).size() ==
            QSize(carte.ImagePropre().Largeur(), carte.ImagePropre().Hauteur()));
    QVERIFY(carte.ListeCartes().contains("Copie"));
  }

  void onlineMapListsThePlaces() {
    TfmCarte carte(*app, [this] { return app->bd->RefPers; });
    carte.show();
    carte.Charge(std::string(kCarteEnLigne));
    QVERIFY(carte.EnLigne());
    auto* pour = carte.findChild<QComboBox*>("cbPour");
    pour->setCurrentIndex(2);
    emit pour->activated(2);
    QVERIFY(carte.findChild<QListWidget*>("lbLieux")->count() > 0);
    QString ouvert;
    carte.SetOuvreur([&](const QString& chemin) {
      ouvert = chemin;
      return true;
    });
    carte.OuvreEnLigne();
    QFile page(ouvert);
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QByteArray texte = page.readAll();
    QVERIFY(texte.contains("plotclear();\nplotadd('"));
    QVERIFY(QFileInfo::exists(QFileInfo(ouvert).absolutePath() + "/leaflet.js"));
  }
};

QTEST_MAIN(MapWindowTest)
#include "map_window_test.moc"
