// The archive window on zips made by the program's own archive code.
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include "core/archive.h"
#include "core/file_io.h"
#include "gui/files/archive_dialog.h"
#include "gui_test_support.h"

using namespace kindrela;
using namespace kindrela::test;

class ArchiveDialogTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QTemporaryDir> m_maison;
  std::unique_ptr<TApplication> m_app;
  QString m_source;  // the files packed
  QString m_recu;    // where the zip lies

  template <typename W>
  W* Controle(QWidget* f, const char* nom) {
    W* w = f->findChild<W*>(nom);
    [&] { QVERIFY2(w, nom); }();
    return w;
  }

  // A zip in m_recu of the files `noms` (made in m_source with their own name as content).
  std::string Zip(const char* nom, const QStringList& noms) {
    std::vector<std::string> fichiers;
    for (const QString& n : noms) {
      Ecrit(m_source + "/" + n, n.toUtf8());
      fichiers.push_back(DepuisQString(m_source + "/" + n));
    }
    std::string zip = DepuisQString(m_recu + "/" + nom);
    Statut s = CreeArchive(zip, fichiers);
    [&] { QVERIFY2(s.ok(), s.message().c_str()); }();
    return zip;
  }

  QStringList Extraits() const {
    QStringList l = QDir(m_recu).entryList(QDir::Files);
    l.removeAll("envoi.zip");
    l.removeAll("photos.zip");
    return l;
  }

  QByteArray Contenu(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void init() {
    m_maison = std::make_unique<QTemporaryDir>();
    m_app = Application(*m_maison);
    m_source = m_maison->filePath("source");
    m_recu = m_maison->filePath("recu");
    QDir().mkpath(m_source);
    QDir().mkpath(m_recu);
  }

  void listsTheEntriesAndExtractsTheSelectedTreeAlone() {
    std::string zip = Zip("envoi.zip", {"photo.jpg", "Famille.kdg", "Famille.ged"});
    TfmArchive fenetre(*m_app, zip);
    std::string erreur;
    QVERIFY(fenetre.Prepare(erreur));
    QCOMPARE(fenetre.objectName(), QString("fmArchive"));
    QCOMPARE(fenetre.windowTitle(), QString("Contenu de l'archive"));
    QCOMPARE(fenetre.Dossier(), DepuisQString(m_recu + "/"));
    auto* liste = Controle<QTreeWidget>(&fenetre, "lvArchive");
    QCOMPARE(liste->topLevelItemCount(), 3);
    QCOMPARE(liste->topLevelItem(0)->text(0), QString("photo.jpg"));
    // The first tree is ready to open; a picture cannot be opened alone.
    QCOMPARE(liste->currentItem()->text(0), QString("Famille.kdg"));
    auto* extraire = Controle<QPushButton>(&fenetre, "bExtraire");
    QVERIFY(extraire->isEnabled());
    liste->setCurrentItem(liste->topLevelItem(0));
    QVERIFY(!extraire->isEnabled());
    liste->setCurrentItem(liste->topLevelItem(2));
    fenetre.show();
    QTest::mouseClick(extraire, Qt::LeftButton);
    QCOMPARE(fenetre.result(), int(QDialog::Accepted));
    QCOMPARE(fenetre.AOuvrir(), DepuisQString(m_recu + "/Famille.ged"));
    QCOMPARE(Extraits(), QStringList({"Famille.ged"}));
    QCOMPARE(Contenu(m_recu + "/Famille.ged"), QByteArray("Famille.ged"));
  }

  void extractAllOpensTheSelectedTreeOrTheFirstOne() {
    std::string zip = Zip("envoi.zip", {"photo.jpg", "Famille.kdg", "Autre.kdg"});
    TfmArchive fenetre(*m_app, zip);
    std::string erreur;
    QVERIFY(fenetre.Prepare(erreur));
    auto* liste = Controle<QTreeWidget>(&fenetre, "lvArchive");
    liste->setCurrentItem(liste->topLevelItem(0));  // the picture: the first tree opens
    fenetre.show();
    QTest::mouseClick(Controle<QPushButton>(&fenetre, "bToutExtraire"), Qt::LeftButton);
    QCOMPARE(fenetre.AOuvrir(), DepuisQString(m_recu + "/Famille.kdg"));
    QCOMPARE(Extraits(), QStringList({"Autre.kdg", "Famille.kdg", "photo.jpg"}));

    TfmArchive seconde(*m_app, zip);
    QVERIFY(seconde.Prepare(erreur));
    auto* l2 = Controle<QTreeWidget>(&seconde, "lvArchive");
    l2->setCurrentItem(l2->topLevelItem(2));
    seconde.show();
    Repondeur oui(QMessageBox::Yes);  // the files are there from the first time
    QTest::mouseClick(Controle<QPushButton>(&seconde, "bToutExtraire"), Qt::LeftButton);
    QCOMPARE(oui.Nbre(), 1);
    QCOMPARE(seconde.AOuvrir(), DepuisQString(m_recu + "/Autre.kdg"));
  }

  void existingFileIsReplacedOnlyWhenTheUserAgrees() {
    std::string zip = Zip("envoi.zip", {"Famille.kdg"});
    Ecrit(m_recu + "/Famille.kdg", "plus recent");
    {
      TfmArchive fenetre(*m_app, zip);
      std::string erreur;
      QVERIFY(fenetre.Prepare(erreur));
      fenetre.show();
      Repondeur non(QMessageBox::No);
      QTest::mouseClick(Controle<QPushButton>(&fenetre, "bExtraire"), Qt::LeftButton);
      QCOMPARE(non.Nbre(), 1);
      QVERIFY2(non.Texte().contains("Famille.kdg"), qPrintable(non.Texte()));
      QVERIFY(fenetre.isVisible());
      QVERIFY(fenetre.AOuvrir().empty());
      QCOMPARE(Contenu(m_recu + "/Famille.kdg"), QByteArray("plus recent"));
    }
    TfmArchive fenetre(*m_app, zip);
    std::string erreur;
    QVERIFY(fenetre.Prepare(erreur));
    fenetre.show();
    Repondeur oui(QMessageBox::Yes);
    QTest::mouseClick(Controle<QPushButton>(&fenetre, "bExtraire"), Qt::LeftButton);
    QCOMPARE(oui.Nbre(), 1);
    QCOMPARE(Contenu(m_recu + "/Famille.kdg"), QByteArray("Famille.kdg"));
  }

  void archiveWithoutTreeOpensNothing() {
    std::string zip = Zip("photos.zip", {"a.jpg", "b.jpg"});
    QTimer::singleShot(0, [] {
      if (QWidget* w = QApplication::activeModalWidget())
        QTest::mouseClick(w->findChild<QPushButton*>("bToutExtraire"), Qt::LeftButton);
    });
    Repondeur ok;
    QCOMPARE(DialogueArchive(nullptr, *m_app, zip), std::string());
    QCOMPARE(ok.Nbre(), 1);
    QCOMPARE(ok.Texte(), VersQString(m_app->traduction.Msg(651)));
    QCOMPARE(Extraits(), QStringList({"a.jpg", "b.jpg"}));
  }

  void unreadableArchiveIsReportedWithoutTheWindow() {
    Ecrit(m_recu + "/abime.zip", "pas un zip");
    Repondeur ok;
    QCOMPARE(DialogueArchive(nullptr, *m_app, DepuisQString(m_recu + "/abime.zip")), std::string());
    QCOMPARE(ok.Nbre(), 1);
    QVERIFY2(ok.Texte().contains("abime.zip"), qPrintable(ok.Texte()));
  }

  void extractionFolderFallsBackToTheTreesFolder() {
    std::string zip = DepuisQString(m_maison->filePath("nulle/part/Envoi.zip"));
    QCOMPARE(DossierExtraction(*m_app, zip), m_app->dossiers.mesArbres + "Envoi/");
    QCOMPARE(DossierExtraction(*m_app, DepuisQString(m_recu + "/x.zip")), DepuisQString(m_recu + "/"));
  }
};

QTEST_MAIN(ArchiveDialogTest)
#include "archive_dialog_test.moc"
