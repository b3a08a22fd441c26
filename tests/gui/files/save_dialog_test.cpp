// The save dialog driven as a user does: the native file with its backup,
// attached files and archive, the GEDCOM export and the web site.
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

#include "app/settings.h"
#include "core/archive.h"
#include "core/file_io.h"
#include "core/tree_file/tree_file_reader.h"
#include "gui/common/radio_group.h"
#include "gui/files/save_dialog.h"
#include "gedcom/gedcom_import.h"
#include "gui_test_support.h"

using namespace kindrela;
using namespace kindrela::test;

class SaveDialogTest : public QObject {
  Q_OBJECT

  std::unique_ptr<QTemporaryDir> m_maison;
  std::unique_ptr<TApplication> m_app;
  QString m_dossier;  // where the current tree lives

  template <typename W>
  W* Controle(QWidget* f, const char* nom) {
    W* w = f->findChild<W*>(nom);
    [&] { QVERIFY2(w, nom); }();
    return w;
  }

  std::string Dans(const char* nom) { return DepuisQString(m_dossier + "/" + nom); }

  void Clique(QWidget* f, const char* bouton) {
    QTest::mouseClick(Controle<QPushButton>(f, bouton), Qt::LeftButton);
  }

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void init() {
    m_maison = std::make_unique<QTemporaryDir>();
    m_app = Application(*m_maison);
    m_dossier = m_maison->filePath("arbres");
    QDir().mkpath(m_dossier);
    Ecrit(m_dossier + "/photo.jpg", "jpeg");
    ArbreExemple(*m_app->bd, "photo.jpg|Jean petit");
    int s = m_app->bd->AjouteNouvelleSrc(2);
    m_app->bd->EcritChampSrc(s, 4, "perdue.jpg");
    m_app->bd->BaseModifiee = 1;
    m_app->fichierCourant = Dans("Famille.kdg");
  }

  void openingShowsTheTreeAndItsAttachedFiles() {
    TfmIOSauve dlg(*m_app, PageSauvegarde::Natif);
    dlg.Prepare();
    QCOMPARE(dlg.objectName(), QString("fmIOSauve"));
    QCOMPARE(dlg.windowTitle(), VersQString(m_app->traduction.Msg(600)));
    QCOMPARE(Controle<QTabWidget>(&dlg, "pcSauve")->currentWidget()->objectName(), QString("pVov"));
    QCOMPARE(Controle<QLineEdit>(&dlg, "E_Nom")->text(), QString("Famille"));
    QCOMPARE(Controle<QLineEdit>(&dlg, "E_Dossier")->text(), m_dossier + "/");
    QCOMPARE(Controle<QLineEdit>(&dlg, "E_Personnes")->text(), QString("3"));
    QCOMPARE(Controle<QLineEdit>(&dlg, "E_Unions")->text(), QString("1"));
    QCOMPARE(Controle<QLineEdit>(&dlg, "E_Donnees")->text(), QString("2"));
    QCOMPARE(Controle<QLineEdit>(&dlg, "E_Reference")->text(), QString("DUPONT Jean"));
    auto* liste = Controle<QListWidget>(&dlg, "lbFichiers");
    QCOMPARE(liste->count(), 2);
    QCOMPARE(liste->item(0)->text(), QString("photo.jpg"));
    QCOMPARE(liste->item(1)->text(), QString("(introuvable) perdue.jpg"));
    // "Inclure" follows "Compresser".
    auto* inclure = Controle<QCheckBox>(&dlg, "cbInclure");
    QVERIFY(!inclure->isEnabled());
    Controle<QCheckBox>(&dlg, "cbZippe")->setChecked(true);
    QVERIFY(inclure->isEnabled());
  }

  void nativeSaveWritesTheFileThenKeepsABackup() {
    TfmIOSauve dlg(*m_app, PageSauvegarde::Natif, EnteteArbre{2, "Look"});
    dlg.Prepare();
    Controle<QLineEdit>(&dlg, "E_Nom")->setText("Autre");
    dlg.show();
    Clique(&dlg, "bOk");
    QVERIFY(dlg.Sauve());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    const std::string fichier = Dans("Autre.kdg");
    QVERIFY(FichierExiste(fichier));
    QVERIFY(!FichierExiste(fichier + ".old"));
    QCOMPARE(m_app->fichierCourant, fichier);
    QCOMPARE(int(m_app->bd->BaseModifiee), 0);

    // Again through the entry point, Enter pressing "Enregistrer".
    m_app->bd->EcritNom(1, "DURAND");
    m_app->bd->BaseModifiee = 1;
    QTimer::singleShot(0, [] {
      if (QWidget* w = QApplication::activeModalWidget()) QTest::keyClick(w, Qt::Key_Return);
    });
    QVERIFY(DialogueSauvegarde(nullptr, *m_app, PageSauvegarde::Natif));
    QVERIFY(FichierExiste(fichier + ".old"));
    QCOMPARE(int(m_app->bd->BaseModifiee), 0);
    std::string avant, apres;
    QVERIFY(LitFichier(fichier + ".old", avant).ok());
    QVERIFY(LitFichier(fichier, apres).ok());
    QVERIFY(avant.find("DUPONT") != std::string::npos && avant.find("DURAND") == std::string::npos);
    QVERIFY(apres.find("DURAND") != std::string::npos);
  }

  void headerRecordsTheLookInUseAndTheReferenceByDefault() {
    m_app->apparence = "Bleu";
    m_app->bd->RefPers = 3;
    TfmIOSauve dlg(*m_app, PageSauvegarde::Natif);
    dlg.Prepare();
    dlg.show();
    Clique(&dlg, "bOk");
    QVERIFY(dlg.Sauve());
    std::string octets;
    QVERIFY(LitFichier(Dans("Famille.kdg"), octets).ok());
    TBD relu;
    ResultatLecture lecture;
    QVERIFY(LitBase(relu, octets, {}, lecture).ok());
    QCOMPARE(lecture.look, std::string("Bleu"));
    QCOMPARE(lecture.selecPers, 3);
  }

  void zipHoldsTheTreeAndItsAttachedFiles() {
    TfmIOSauve dlg(*m_app, PageSauvegarde::Natif);
    dlg.Prepare();
    Controle<QCheckBox>(&dlg, "cbZippe")->setChecked(true);
    Controle<QCheckBox>(&dlg, "cbInclure")->setChecked(true);
    dlg.show();
    Clique(&dlg, "bOk");
    QVERIFY(dlg.Sauve());
    std::vector<EntreeArchive> entrees;
    QVERIFY(ListeArchive(Dans("Famille.zip"), entrees).ok());
    QStringList noms;
    for (const auto& e : entrees) noms << VersQString(e.nom);
    noms.sort();
    QCOMPARE(noms, QStringList({"Famille.kdg", "photo.jpg"}));
    // The choice is kept for the next time.
    QVERIFY(m_app->reglages.Bool(kSectionSauve, "KdgZippe"));
  }

  void badNamesAreRefusedAndNothingIsWritten_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<int>("message");
    QTest::newRow("empty") << "   " << 605;
    QTest::newRow("folder in the name") << "sous/arbre" << 606;
    QTest::newRow("parent folder") << ".." << 606;
  }
  void badNamesAreRefusedAndNothingIsWritten() {
    QFETCH(QString, nom);
    QFETCH(int, message);
    TfmIOSauve dlg(*m_app, PageSauvegarde::Natif);
    dlg.Prepare();
    Controle<QLineEdit>(&dlg, "E_Nom")->setText(nom);
    dlg.show();
    Repondeur ok;
    Clique(&dlg, "bOk");
    QCOMPARE(ok.Nbre(), 1);
    QCOMPARE(ok.Texte(), VersQString(m_app->traduction.Msg(message)).replace("\r\n", "\n"));
    QVERIFY(!dlg.Sauve());
    QVERIFY(dlg.isVisible());
    QCOMPARE(QDir(m_dossier).entryList(QDir::Files), QStringList({"photo.jpg"}));
    QCOMPARE(int(m_app->bd->BaseModifiee), 1);
  }

  void gedcomExportWritesAFileThatReimports() {
    TfmIOSauve dlg(*m_app, PageSauvegarde::Gedcom);
    dlg.Prepare();
    QCOMPARE(dlg.windowTitle(), VersQString(m_app->traduction.Msg(602)));
    QCOMPARE(dlg.OptionsGedcom().jeu, JeuCaracteres::Ansel);  // the default
    QTest::mouseClick(Controle<QRadioButton>(&dlg, "rgJeuGed_3"), Qt::LeftButton);
    QCOMPARE(dlg.OptionsGedcom().jeu, JeuCaracteres::Utf8);
    Controle<QCheckBox>(&dlg, "cbAuteur")->setChecked(true);
    Controle<QLineEdit>(&dlg, "E_Identite")->setText(QString::fromUtf8("Zoé Auteur"));
    dlg.show();
    Clique(&dlg, "bOk");
    QVERIFY(dlg.Sauve());
    const std::string ged = Dans("Famille.ged");
    std::string texte;
    QVERIFY(LitFichier(ged, texte).ok());
    QVERIFY(texte.find("1 CHAR UTF-8") != std::string::npos);
    QVERIFY(texte.find("Zoé Auteur") != std::string::npos);
    // An export: the tree still belongs to its file and is still unsaved.
    QCOMPARE(m_app->fichierCourant, Dans("Famille.kdg"));
    QCOMPARE(int(m_app->bd->BaseModifiee), 1);
    QVERIFY(!m_app->reglages.Bool(kSectionSauve, "GedAnsel"));
    QVERIFY(m_app->reglages.Bool(kSectionSauve, "GedInfoAuteur"));

    TBD relu;
    TGedcomHeader entete;
    OptionsImport options;
    options.jeu = JeuCaracteres::Utf8;
    ResultatImport r = ImportGedcom(relu, m_app->tables, ged, options, entete);
    QVERIFY2(r.statut.ok(), r.statut.message().c_str());
    QCOMPARE(relu.NbreFichesUtilisees(), 3);
    QCOMPARE(relu.NbreUnionsValides(), 1);
    QCOMPARE(VersQString(relu.NomCourt(3)), QString::fromUtf8("MARTIN Zoé"));
    QCOMPARE(relu.Fiche(1).NumP, 2);
    QCOMPARE(relu.Fiche(1).NumM, 3);
  }

  // Clicks the button `bouton` of the first message box named `nom` that shows.
  static void RepondDans(QTimer& t, const char* nom, const char* bouton, QString* texte = nullptr) {
    QObject::connect(&t, &QTimer::timeout, [&t, nom, bouton, texte] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* boite = qobject_cast<QMessageBox*>(w);
        if (!boite || !boite->isVisible() || boite->objectName() != nom) continue;
        if (texte) *texte = boite->text();
        t.stop();
        boite->findChild<QAbstractButton*>(bouton)->click();
        return;
      }
    });
    t.start(10);
  }

  // Replacing the very GEDCOM file the tree was imported from loses what
  // the tree could not keep: the user is told so and offered the tree file.
  void savingOverTheImportedGedcomOffersTheTreeFileInstead() {
    m_app->fichierCourant = Dans("Famille.ged");
    const QByteArray original = "0 HEAD\r\n0 @R1@ REPO\r\n1 NAME Archives\r\n0 TRLR\r\n";
    Ecrit(VersQString(m_app->fichierCourant), original);
    TfmIOSauve dlg(*m_app, PageSauvegarde::Gedcom);
    dlg.Prepare();
    QTimer t;
    QString question;
    RepondDans(t, "fmRemplaceGedcom", "bNatif", &question);
    dlg.show();
    Clique(&dlg, "bOk");
    QVERIFY(question.contains("Famille.ged") && question.contains("Famille.kdg"));
    QVERIFY(dlg.Sauve());
    QFile ged(VersQString(Dans("Famille.ged")));
    QVERIFY(ged.open(QIODevice::ReadOnly));
    QCOMPARE(ged.readAll(), original);
    QVERIFY(FichierExiste(Dans("Famille.kdg")));
    QCOMPARE(m_app->fichierCourant, Dans("Famille.kdg"));
    QCOMPARE(int(m_app->bd->BaseModifiee), 0);
  }

  void gedcomWrittenOverTheCurrentFileCountsAsSaved() {
    m_app->fichierCourant = Dans("Famille.ged");
    Ecrit(VersQString(m_app->fichierCourant), "0 HEAD\r\n0 TRLR\r\n");
    TfmIOSauve dlg(*m_app, PageSauvegarde::Gedcom);
    dlg.Prepare();
    QCOMPARE(dlg.Cible(), m_app->fichierCourant);
    QTimer t;
    RepondDans(t, "fmRemplaceGedcom", "bRemplacer");  // the user insists
    dlg.show();
    Clique(&dlg, "bOk");
    QVERIFY(dlg.Sauve());
    QCOMPARE(int(m_app->bd->BaseModifiee), 0);
    QVERIFY(!FichierExiste(Dans("Famille.kdg")));
  }

  // Any other existing file is replaced only on Yes.
  void anotherExistingFileIsReplacedOnlyOnYes_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("fichier");
    QTest::newRow("tree file") << int(PageSauvegarde::Natif) << "Autre.kdg";
    QTest::newRow("GEDCOM export") << int(PageSauvegarde::Gedcom) << "Autre.ged";
  }
  void anotherExistingFileIsReplacedOnlyOnYes() {
    QFETCH(int, page);
    QFETCH(QString, fichier);
    const QString chemin = m_dossier + "/" + fichier;
    Ecrit(chemin, "ancien");
    TfmIOSauve dlg(*m_app, static_cast<PageSauvegarde>(page));
    dlg.Prepare();
    Controle<QLineEdit>(&dlg, "E_Nom")->setText("Autre");
    dlg.show();
    {
      Repondeur non(QMessageBox::No);
      Clique(&dlg, "bOk");
      QCOMPARE(non.Nbre(), 1);
      QVERIFY2(non.Texte().contains(chemin), qPrintable(non.Texte()));
    }
    QVERIFY(!dlg.Sauve());
    QVERIFY(dlg.isVisible());
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("ancien"));
    f.close();
    Repondeur oui(QMessageBox::Yes);
    Clique(&dlg, "bOk");
    QCOMPARE(oui.Nbre(), 1);
    QVERIFY(dlg.Sauve());
    QVERIFY(QFileInfo(chemin).size() > 6);
  }

  void webPageExportsTheSiteWithItsOptions() {
    TfmIOSauve dlg(*m_app, PageSauvegarde::Web);
    dlg.Prepare();
    QCOMPARE(dlg.windowTitle(), VersQString(m_app->traduction.Msg(601)));
    QVERIFY(Controle<QPushButton>(&dlg, "bOk")->isEnabled());
    auto* seules = Controle<QTabWidget>(&dlg, "pcSauve");
    QVERIFY(!seules->isTabEnabled(seules->indexOf(Controle<QWidget>(&dlg, "pVov"))));
    QCOMPARE(Controle<QLineEdit>(&dlg, "E_Dossier")->text(), VersQString(m_app->dossiers.exportHtml));
    // The options come from the settings: per letter, 25 cards per page.
    QCOMPARE(Controle<TRadioGroup>(&dlg, "rgListe")->itemIndex(), 2);
    QCOMPARE(Controle<QSpinBox>(&dlg, "seNbre")->value(), 25);
    const QString site = m_maison->filePath("site");
    Controle<QLineEdit>(&dlg, "E_Dossier")->setText(site);
    Controle<TRadioGroup>(&dlg, "rgListe")->setItemIndex(3);
    Controle<QSpinBox>(&dlg, "seNbre")->setValue(2);
    Controle<QCheckBox>(&dlg, "cbDyna")->setChecked(false);
    Controle<QCheckBox>(&dlg, "cbNavigateur")->setChecked(false);
    Controle<QLineEdit>(&dlg, "E_Titre")->setText("Les <Dupont>");
    Clique(&dlg, "bOk");
    QVERIFY(dlg.Sauve());
    QCOMPARE(dlg.Ecrit(), DepuisQString(site) + "/Famille.htm");
    for (const char* f : {"Famille.htm", "liste.htm", "liste1.htm", "page1.htm", "page2.htm", "style.css",
                          "patro.htm", "lieux.htm"})
      QVERIFY2(QFileInfo::exists(site + "/" + f), f);
    QVERIFY(!QFileInfo::exists(site + "/dyna.htm"));
    QFile principale(site + "/Famille.htm");
    QVERIFY(principale.open(QIODevice::ReadOnly));
    QVERIFY(principale.readAll().contains("<h1>Les &lt;Dupont&gt;</h1>"));
    // Kept for the next export.
    const TReglages& r = m_app->reglages;
    QVERIFY(r.Bool(kSectionSauve, "HtmlListe4"));
    QVERIFY(!r.Bool(kSectionSauve, "HtmlListe3"));
    QCOMPARE(r.Entier(kSectionSauve, "HtmlNbre"), 2);
    QVERIFY(!r.Bool(kSectionSauve, "HtmlDyna"));
    QCOMPARE(r.Texte(kSectionSauve, "HtmlTitre"), std::string("Les <Dupont>"));
    TfmIOSauve natif(*m_app, PageSauvegarde::Natif);
    auto* pages = Controle<QTabWidget>(&natif, "pcSauve");
    QVERIFY(!pages->isTabEnabled(pages->indexOf(Controle<QWidget>(&natif, "pHtml"))));
  }
};

QTEST_MAIN(SaveDialogTest)
#include "save_dialog_test.moc"
