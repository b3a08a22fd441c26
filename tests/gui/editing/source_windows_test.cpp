// The source windows driven on the example tree: a new source with a
// picture attached to a person, seen in the gallery, saved and reloaded;
// legends and zoom; missing and damaged files; the chooser and the viewer.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <cstdio>
#include <cstdlib>

#include "core/file_io.h"
#include "core/tree_file/tree_file_load.h"
#include "core/tree_file/tree_file_writer.h"
#include "editing/sources.h"
#include "gui/editing/person_pick.h"
#include "gui/editing/picture_loader.h"
#include "gui/editing/picture_viewer.h"
#include "gui/editing/record_window.h"
#include "gui/editing/scanner.h"
#include "gui/editing/source_gallery.h"
#include "gui/editing/source_search.h"
#include "gui/editing/source_window.h"
#include "gui/main/main_window.h"
#include "gui_test_support.h"

using namespace kindrela;
using kindrela::test::Application;

namespace {

// Acts once on the first visible top-level window named `nom`.
class Pilote : public QObject {
 public:
  Pilote(const char* nom, std::function<void(QWidget*)> action) : m_nom(nom), m_action(std::move(action)) {
    m_minuterie.setInterval(10);
    connect(&m_minuterie, &QTimer::timeout, this, [this] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (m_fait || w->objectName() != m_nom || !w->isVisible()) continue;
        m_fait = true;
        m_action(w);
      }
    });
    m_minuterie.start();
  }
  bool Fait() const { return m_fait; }

 private:
  QString m_nom;
  std::function<void(QWidget*)> m_action;
  QTimer m_minuterie;
  bool m_fait = false;
};

void Image(const QString& chemin, int l, int h, const char* format = "JPG") {
  QImage image(l, h, QImage::Format_RGB32);
  image.fill(QColor(90, 140, 200));
  QVERIFY(image.save(chemin, format));
}

}  // namespace

class SourceWindowsTest : public QObject {
  Q_OBJECT

  QTemporaryDir m_maison;
  QTemporaryDir m_sane;
  std::unique_ptr<TApplication> m_app;
  std::unique_ptr<TScaWin> m_w;
  std::string m_arbre;
  QString m_dossier;

  TBD& Bd() { return *m_app->bd; }

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    // SANE reads its folder once per process: its test scanner only, so
    // that no real device is probed.
    test::Ecrit(m_sane.path() + "/dll.conf", "test\n");
    qputenv("SANE_CONFIG_DIR", m_sane.path().toLocal8Bit());
    m_app = Application(m_maison);
    m_w = std::make_unique<TScaWin>(*m_app);
    m_w->Initialise();
    m_arbre = m_app->dossiers.mesArbres + "Standard.kdg";
    QFile::copy(QString(KINDRELA_SOURCE_DIR) + "/data/modele/1/exemple/Standard.kdg", VersQString(m_arbre));
    QVERIFY(m_w->ChargeFichier(m_arbre, true));
    m_dossier = VersQString(m_app->dossiers.mesArbres);
    Image(m_dossier + "portrait.jpg", 1000, 600);
    test::Ecrit(m_dossier + "abime.jpg", QByteArray("\xFF\xD8\xFF\xE0 pas une image"));
  }

  void newSourceWithAPictureAttachedSeenInTheGallerySavedAndReloaded() {
    TBD& bd = Bd();
    const int avant = bd.NbreSrc();
    const int personne = m_w->SelecPers();
    QVERIFY(personne > 0);
    Pilote choix("fmChoixPersonne", [&](QWidget* w) {
      auto* d = static_cast<TChoixPersonne*>(w);
      d->findChild<QLineEdit*>("eFiltre")->setText(VersQString(bd.LitPrenoms(personne)));
      auto* liste = d->findChild<QListWidget*>("lbPersonnes");
      for (int i = 0; i < liste->count(); ++i)
        if (liste->item(i)->data(Qt::UserRole).toInt() == personne) liste->setCurrentRow(i);
      d->accept();
    });
    auto remplit = [&](TfmSource* e) {
      QCOMPARE(e->findChild<QLineEdit*>("eNature")->text(), VersQString(m_app->traduction.Msg(540)));
      e->ChoisitFichier(DepuisQString(m_dossier + "portrait.jpg"));
      QVERIFY(e->ImageMontree());
      QCOMPARE(e->ZoomCourant(), -469);
      QVERIFY(e->windowTitle().contains("portrait.jpg"));
      e->Zoom(true);
      QCOMPARE(e->ZoomCourant(), -300);
      e->PoseLegende(QPoint(120, 45), "Jean");
      auto* nature = e->findChild<QLineEdit*>("eNature");
      nature->selectAll();
      QTest::keyClicks(nature, "Portrait de famille");
      e->findChild<QComboBox*>("cbSorte")->setCurrentText(VersQString(kPhotoArbre));
      auto* pers = e->findChild<QListWidget*>("lbPers");
      QCOMPARE(pers->count(), 1);
      emit pers->itemDoubleClicked(pers->item(0));  // the last entry: find a person
      QCOMPARE(pers->count(), 2);
    };
    Pilote editeur("fmSource", [&](QWidget* w) {
      auto* e = static_cast<TfmSource*>(w);
      remplit(e);
      if (e->findChild<QLineEdit*>("eNature")->text().isEmpty())
        e->findChild<QLineEdit*>("eNature")->setText("?");
      e->findChild<QAbstractButton*>("bFermer")->click();
    });
    m_w->MenuClick(kCmdAjouteSource);
    QVERIFY(editeur.Fait());
    QVERIFY(choix.Fait());
    int s = 0;
    for (int k = 1; k <= bd.NbreSrc(); ++k)
      if (bd.SrcUtilisee(k) && bd.LitChampSrc(k, 1) == "Portrait de famille") s = k;
    QVERIFY(s > 0);
    QVERIFY(bd.NbreSrc() >= avant);
    QCOMPARE(bd.LitChampSrc(s, 1), std::string("Portrait de famille"));
    QCOMPARE(bd.LitChampSrc(s, 4), std::string("portrait.jpg|120|45|Jean"));
    QCOMPARE(PersonnesDeSource(bd, s), std::vector<int>{personne});
    QVERIFY(bd.BaseModifiee);

    // The gallery shows it with its picture.
    m_w->MenuClick(kCmdAlbum);
    auto* album = m_w->findChild<TfmSourceVue*>("fmSourceVue");
    QVERIFY(album && album->isVisible());
    QTRY_VERIFY(album->ImagesChargees());
    QWidget* tuile = album->Tuile(s);
    QVERIFY(tuile);
    bool image = false;
    for (QLabel* l : tuile->findChildren<QLabel*>()) image |= !l->pixmap().isNull();
    QVERIFY(image);
    album->close();

    // Saved and read back: the same tree.
    std::string avantOctets, apresOctets;
    QVERIFY(OctetsBase(bd, EnteteArbre{}, {}, avantOctets).ok());
    QVERIFY(EcritBase(bd, m_arbre, EnteteArbre{}).ok());
    TBD relu;
    ResultatChargement r;
    QVERIFY(ChargeFichierArbre(relu, m_arbre, {}, r).ok());
    QVERIFY(OctetsBase(relu, EnteteArbre{}, {}, apresOctets).ok());
    QCOMPARE(apresOctets, avantOctets);
    QCOMPARE(relu.LitChampSrc(s, 4), std::string("portrait.jpg|120|45|Jean"));
    QCOMPARE(PersonnesDeSource(relu, s), std::vector<int>{personne});
  }

  void missingFileAndGedcomNoteAreKeptAsTheyWere() {
    TBD& bd = Bd();
    const int s = bd.NouvelleSrc();
    bd.EcritChampSrc(s, 1, "Acte");
    bd.EcritChampSrc(s, 4, "C:\\Perdu\\ACTE.JPG|registre 3, page 12");
    TfmSource& e = m_w->EditeurSource();
    e.Charge(s);
    QVERIFY(e.Message().contains("introuvable"));
    QCOMPARE(e.Media().note, std::string("registre 3, page 12"));
    e.Stocke();
    QCOMPARE(bd.LitChampSrc(s, 4), std::string("C:\\Perdu\\ACTE.JPG|registre 3, page 12"));
    // A note found where legends would be moves into the text on request.
    e.findChild<QAbstractButton*>("bNoteVersTexte")->click();
    e.Stocke();
    QCOMPARE(bd.LitChampSrc(s, 4), std::string("C:\\Perdu\\ACTE.JPG"));
    QCOMPARE(bd.LitChampSrc(s, 2), std::string("registre 3, page 12"));
  }

  void damagedPictureShowsAMessageAndCancellingTheFileDropsIt() {
    TBD& bd = Bd();
    const int s = bd.NouvelleSrc();
    bd.EcritChampSrc(s, 1, "Abîmée"_ansi);
    bd.EcritChampSrc(s, 4, "abime.jpg|1|2|x");
    TfmSource& e = m_w->EditeurSource();
    e.Charge(s);
    QVERIFY(e.Message().contains("illisible"));
    QVERIFY(!e.findChild<QAbstractButton*>("bPhoto")->isEnabled());
    QCOMPARE(e.Media().legendes.size(), size_t(1));
    e.ChoisitFichier("");
    e.Stocke();
    QCOMPARE(bd.LitChampSrc(s, 4), std::string());
    // A ".jpeg" file is a picture too.
    Image(m_dossier + "scan.jpeg", 300, 200);
    e.ChoisitFichier(DepuisQString(m_dossier + "scan.jpeg"));
    QVERIFY(e.ImageMontree());
    QVERIFY(e.Message().isEmpty());
    QCOMPARE(e.ZoomCourant(), -(300 * 100 / 213));
    e.Stocke();
    QCOMPARE(bd.LitChampSrc(s, 4), std::string("scan.jpeg"));
  }

  // "&Photo de l'arbre" on a file that cannot be a photo shows tip 6 once
  // the user has not asked to stop seeing it.
  void photoOfTheTreeTipIsShownUntilTheUserStopsIt() {
    TBD& bd = Bd();
    test::Ecrit(m_dossier + "lettre.txt", "texte");
    const int s = bd.NouvelleSrc();
    bd.EcritChampSrc(s, 1, "Lettre");
    bd.EcritChampSrc(s, 4, "lettre.txt");
    TfmSource& e = m_w->EditeurSource();
    e.Charge(s);
    m_app->reglages.SetAstuceVisible(6, true);
    {
      test::Repondeur ok(QMessageBox::Ok);
      e.PhotoArbre();
      QCOMPARE(ok.Nbre(), 1);
      QVERIFY(ok.Texte().contains("BMP, JPG ou PNG"));
    }
    m_app->reglages.SetAstuceVisible(6, false);
    QVERIFY(m_app->reglages.AstuceVisible(5));
    {
      test::Repondeur ok(QMessageBox::Ok);
      e.PhotoArbre();
      QCOMPARE(ok.Nbre(), 0);
    }
    QVERIFY(e.findChild<QComboBox*>("cbSorte")->currentText() != VersQString(kPhotoArbre));
  }

  void chooserListsByKindAndKeepsSourcesAfterALinkIsRemoved() {
    TBD& bd = Bd();
    TfmSourceRech& choix = m_w->ChoixSource();
    int photo = 0;
    for (int s : SourcesEnUsage(bd, kPhotoArbre)) photo = s;
    QVERIFY(photo > 0);
    const int personne = PersonnesDeSource(bd, photo).front();
    bd.RetireSrc(personne, photo);
    Pilote p("fmSourceRech", [&](QWidget* w) {
      auto* sorte = w->findChild<QComboBox*>("cbSorte");
      const int i = sorte->findText(VersQString(kPhotoArbre));
      if (i >= 0) sorte->setCurrentIndex(i);
      auto* lb = w->findChild<QListWidget*>("lb");
      QVERIFY(lb->count() >= 1);
      QVERIFY(!w->findChild<QLabel*>("iPhoto")->pixmap().isNull());
      lb->setCurrentRow(lb->count() - 1);
      static_cast<QDialog*>(w)->accept();
    });
    QCOMPARE(choix.Choisit("Choisir"), photo);
    QVERIFY(p.Fait());
  }

  void viewerFitsThePictureIn640By480() {
    TfmVoirImage* v = MontreImage(m_dossier + "portrait.jpg");
    QVERIFY(v);
    QVERIFY(v->windowTitle().startsWith(VersQString("Aperçu ("_ansi)));
    QVERIFY(v->width() <= 640 && v->height() <= 480);
    QCOMPARE(v->width(), 640);
    QVERIFY(!MontreImage(m_dossier + "absent.jpg"));
    v->close();
  }

  void largePicturesAreDecodedAtTheSizeShown() {
    Image(m_dossier + "grande.jpg", 6000, 4000);
    TImageChargee c = ChargeImage(m_dossier + "grande.jpg", QSize(100, 100));
    QVERIFY(c.Ok());
    QCOMPARE(c.tailleOriginale, QSize(6000, 4000));
    QVERIFY(c.image.width() <= 100 && c.image.height() <= 100);
    // The editor opens it reduced and reads it in full when zoomed in that far.
    TBD& bd = Bd();
    const int s = bd.NouvelleSrc();
    bd.EcritChampSrc(s, 1, "Grande");
    bd.EcritChampSrc(s, 4, "grande.jpg");
    TfmSource& e = m_w->EditeurSource();
    e.Charge(s);
    QVERIFY(e.Message().isEmpty());
    QCOMPARE(e.ZoomCourant(), -(6000 * 100 / 213));
    QVERIFY(e.TailleLue().width() <= 2048);
    while (e.ZoomCourant() < 100) e.Zoom(true);
    QCOMPARE(e.TailleLue(), QSize(6000, 4000));
    TImageChargee abime = ChargeImage(m_dossier + "abime.jpg", QSize(100, 100));
    QVERIFY(!abime.Ok());
    QVERIFY(!abime.erreur.isEmpty());
  }

  // SANE's own test scanner stands for a real one: a page is acquired,
  // saved beside the tree and becomes the source's file.
  void scannerThroughSane() {
    TfmSource& e = m_w->EditeurSource();
    QTRY_VERIFY(e.ScannersCherches());
    auto* bouton = e.findChild<QAbstractButton*>("bScanner");
    QVERIFY(bouton->isEnabled());  // SANE's test scanner was found at the start

    test::Ecrit(m_sane.path() + "/dll.conf", "");
    const TRechercheScanners aucun = RechercheScanners();
    QVERIFY(aucun.scanners.empty());
    QVERIFY(!aucun.raison.isEmpty());
    e.ScannersTrouves(aucun);
    QVERIFY(!bouton->isEnabled());
    QVERIFY(bouton->toolTip().contains(aucun.raison));

    test::Ecrit(m_sane.path() + "/dll.conf", "test\n");
    const TRechercheScanners test = RechercheScanners();
    QVERIFY2(!test.scanners.empty(), qPrintable(test.raison));
    QCOMPARE(test.scanners.front().nom, QString("test:0"));
    e.ScannersTrouves(test);
    QVERIFY(bouton->isEnabled());

    QString erreur;
    double fait = 0;
    const QImage page = AcquiertImage("test:0", [&](double f) { fait = f; return true; }, erreur);
    QVERIFY2(!page.isNull(), qPrintable(erreur));
    QVERIFY(page.width() > 100 && page.height() > 100);
    QCOMPARE(fait, 1.0);
    QVERIFY(AcquiertImage("test:0", [](double) { return false; }, erreur).isNull());
    QVERIFY(!erreur.isEmpty());
    QVERIFY(AcquiertImage("absent:0", {}, erreur).isNull());
    QVERIFY(!erreur.isEmpty());

    TBD& bd = Bd();
    const int s = bd.NouvelleSrc();
    bd.EcritChampSrc(s, 1, "Registre");
    bd.EcritChampSrc(s, 4, "portrait.jpg|10|10|Jean");
    e.Charge(s);
    QVERIFY(e.EnregistreScan(page, DepuisQString(m_dossier + "registre"), true));
    QVERIFY(QFileInfo::exists(m_dossier + "registre.jpg"));
    QCOMPARE(e.Media().fichier, std::string("registre.jpg"));
    QVERIFY(e.Media().legendes.empty());
    QVERIFY(e.ImageMontree());
    QVERIFY(e.EnregistreScan(page, DepuisQString(m_dossier + "registre.bmp"), false));
    QCOMPARE(QImage(m_dossier + "registre.bmp").size(), page.size());
    e.Stocke();
    QCOMPARE(bd.LitChampSrc(s, 4), std::string("registre.bmp"));
    {
      test::Repondeur ok(QMessageBox::Ok);
      QVERIFY(!e.EnregistreScan(page, "/dossier/absent/registre", false));
      QCOMPARE(ok.Nbre(), 1);
    }
  }

  void recordWindowSourcesTab() {
    TBD& bd = Bd();
    int portrait = 0;
    for (int k : SourcesEnUsage(bd, kPhotoArbre)) portrait = k;
    QVERIFY(portrait > 0);
    m_w->ShowFiche();
    TfmFiche* fiche = m_w->Fiche();
    QVERIFY(fiche && fiche->isVisible());
    const int n = fiche->Personne();
    QVERIFY(n > 0);
    auto* liste = fiche->findChild<QListWidget*>("lbDonnee");
    const int avant = bd.NbreSrcFiche(n);
    QCOMPARE(liste->count(), avant + 1);

    // "Sélectionner la source dans la liste...": the chooser, then the link.
    Pilote choix("fmSourceRech", [&](QWidget* w) {
      QVERIFY(w->windowTitle().startsWith(VersQString(m_app->traduction.Msg(124))));
      auto* lb = w->findChild<QListWidget*>("lb");
      for (int i = 0; i < lb->count(); ++i)
        if (lb->item(i)->data(Qt::UserRole).toInt() == portrait) lb->setCurrentRow(i);
      static_cast<QDialog*>(w)->accept();
    });
    std::unique_ptr<QMenu> menu(fiche->CreeMenuDonnee());
    QVERIFY(!menu->findChild<QAction*>("psRetireSource")->isEnabled() || avant > 0);
    menu->findChild<QAction*>("psChoisitSource")->trigger();
    QVERIFY(choix.Fait());
    QCOMPARE(bd.NbreSrcFiche(n), avant + 1);
    QCOMPARE(liste->count(), avant + 2);
    liste->setCurrentRow(avant);
    QCOMPARE(fiche->SourceALaLigne(avant), portrait);
    QVERIFY(!fiche->findChild<QLabel*>("iPhoto")->pixmap().isNull());
    // Once its tab is laid out the picture fills its frame, and follows it.
    auto* onglets = fiche->findChild<QTabWidget*>();
    onglets->setCurrentWidget(fiche->findChild<QWidget*>("TS_Donnee"));
    auto* photo = fiche->findChild<QLabel*>("iPhoto");
    fiche->resize(fiche->width() + 150, fiche->height() + 150);
    QTRY_VERIFY(photo->pixmap().width() == photo->contentsRect().width() ||
                photo->pixmap().height() == photo->contentsRect().height());
    QVERIFY(photo->pixmap().width() > 160);

    // Unlinking keeps the source.
    fiche->RetireLienSource();
    QCOMPARE(bd.NbreSrcFiche(n), avant);
    QVERIFY(bd.SrcUtilisee(portrait));

    // Double-click on the placeholder creates a source and opens the editor.
    Pilote editeur("fmSource", [&](QWidget* w) {
      auto* nature = w->findChild<QLineEdit*>("eNature");
      nature->setText("Carte postale");
      w->findChild<QAbstractButton*>("bFermer")->click();
    });
    emit liste->itemDoubleClicked(liste->item(liste->count() - 1));
    QVERIFY(editeur.Fait());
    QCOMPARE(bd.NbreSrcFiche(n), avant + 1);
    QCOMPARE(bd.LitSrcFiche(n, avant + 1, 1), std::string("Carte postale"));
    QCOMPARE(liste->item(avant)->text(), QString("Carte postale"));
    m_w->HideFiche();
  }

  void cleanupTestCase() {
    m_w.reset();
    m_app.reset();
  }
};

// Qt Multimedia's GStreamer back end leaves its device threads running at
// exit, and once in a while libp11-kit's exit handler then waits forever on
// a locale lock one of them holds, after every test has passed. The result
// is known once qExec returns: leave without running the exit handlers.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setAttribute(Qt::AA_Use96Dpi, true);
  QTEST_SET_MAIN_SOURCE_PATH
  SourceWindowsTest test;
  const int resultat = QTest::qExec(&test, argc, argv);
  std::fflush(nullptr);
  std::_Exit(resultat);
}

#include "source_windows_test.moc"
