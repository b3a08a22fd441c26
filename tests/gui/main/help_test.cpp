// F1 and "Afficher l'aide" open the manual's page of the window in front,
// through the page opener a test puts in place of the system browser.
#include <QFile>
#include <QPushButton>
#include <QUrl>
#include <QtTest>

#include "gui/editing/record_window.h"
#include "gui/main/command_menu.h"
#include "gui/main/help.h"
#include "gui/main/main_window.h"
#include "gui_test_support.h"

using namespace kindrela;
using kindrela::test::Application;

class HelpTest : public QObject {
  Q_OBJECT

  QList<QUrl> m_ouvertes;

  // The file F1 opened last, relative to the installation data.
  QString DernierePage() const {
    if (m_ouvertes.isEmpty()) return {};
    const QString fichier = m_ouvertes.last().toLocalFile();
    if (!QFile::exists(fichier)) return "missing: " + fichier;
    return fichier.section("/modele/", 1);
  }

  std::string CopieExemple(const TApplication& app) {
    const std::string cible = app.dossiers.mesArbres + "Standard.kdg";
    QFile::copy(QString(KINDRELA_SOURCE_DIR) + "/data/modele/1/exemple/Standard.kdg", VersQString(cible));
    return cible;
  }

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    FixeOuvreurAide([this](const QUrl& page) { m_ouvertes << page; });
  }
  void cleanupTestCase() { FixeOuvreurAide({}); }
  void init() { m_ouvertes.clear(); }

  void f1OpensThePageOfTheControlWithFocus() {
    QTemporaryDir maison;
    auto app = Application(maison);
    TScaWin w(*app);
    w.Initialise();
    QVERIFY(w.ChargeFichier(CopieExemple(*app), true));
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));

    QWidget* page = w.findChild<QWidget*>("Page");
    QVERIFY(page);
    page->setFocus();
    QTest::keyClick(page, Qt::Key_F1);
    QCOMPARE(m_ouvertes.size(), 1);
    QCOMPARE(DernierePage(), QString("1/aide/arbre.html"));

    // The main window's own controls lead to the table of contents, with a
    // tree or without one.
    w.Reset();
    QWidget* bouton = w.findChild<QWidget*>("sbNouveau");
    bouton->setFocus();
    QTest::keyClick(bouton, Qt::Key_F1);
    QCOMPARE(m_ouvertes.size(), 2);
    QCOMPARE(DernierePage(), QString("1/aide/index.html"));
  }

  void f1InTheRecordOpensTheRecordsPage() {
    QTemporaryDir maison;
    auto app = Application(maison);
    TScaWin w(*app);
    w.Initialise();
    QVERIFY(w.ChargeFichier(CopieExemple(*app), true));
    w.show();
    w.ShowFiche();
    TfmFiche* fiche = w.Fiche();
    QVERIFY(fiche && fiche->isVisible());
    QApplication::setActiveWindow(fiche->window());
    QVERIFY(QTest::qWaitForWindowActive(fiche->window()));
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : fiche, Qt::Key_F1);
    QCOMPARE(m_ouvertes.size(), 1);
    QCOMPARE(DernierePage(), QString("1/aide/fiche.html"));
  }

  void commandAfficherLAideIsOnAndOpensTheManual() {
    QTemporaryDir maison;
    auto app = Application(maison);
    TScaWin w(*app);
    w.Initialise();
    auto* menu = w.findChild<TMenuCommandes*>();
    QVERIFY(menu);
    QPushButton* commande = menu->Commande(kCmdAide);
    QVERIFY(commande);
    QVERIFY(commande->isEnabled());
    commande->click();
    QCOMPARE(m_ouvertes.size(), 1);
    QVERIFY2(DernierePage().startsWith("1/aide/"), qPrintable(DernierePage()));
  }

  // A shortcut slot set to no key leaves F1 to the focused control.
  void noHelpKeyWhenItsSlotIsEmptied() {
    QTemporaryDir maison;
    auto app = Application(maison);
    TScaWin w(*app);
    w.Initialise();
    app->reglages.SetRaccourci(0, 0);
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F1);
    QVERIFY(m_ouvertes.isEmpty());
  }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
