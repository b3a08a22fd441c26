// The main window's commands driven as a user does: new tree, opening a
// tree file and a GEDCOM file, navigation by keyboard and history, the
// assistant, and the save question on close.
#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <functional>

#include "gui/main/main_window.h"
#include "core/ansi_literal.h"
#include "gui/chart/chart_view.h"
#include "core/file_io.h"
#include "core/tree_file/tree_file_load.h"
#include "gui_test_support.h"

using namespace kindrela;
using kindrela::test::Application;
using kindrela::test::Repondeur;

namespace {

// Acts once on the first visible top-level window named `nom` (a modal
// dialog the command under test opens).
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

void Clique(QWidget* fenetre, const char* bouton) {
  auto* b = fenetre->findChild<QAbstractButton*>(bouton);
  QVERIFY2(b, bouton);
  b->click();
}

// The example tree a newcomer opens first, copied into the user's trees.
std::string CopieExemple(const TApplication& app) {
  const std::string cible = app.dossiers.mesArbres + "Standard.kdg";
  QFile::copy(QString(KINDRELA_SOURCE_DIR) + "/data/modele/1/exemple/Standard.kdg", VersQString(cible));
  return cible;
}

}  // namespace

class MainWindowCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void newTreeThenYesOnCloseSavesThroughTheDialog() {
    QTemporaryDir maison;
    auto app = Application(maison);
    TScaWin w(*app);
    w.Initialise();
    w.sbNouveauClick();
    TBD& bd = *app->bd;
    QCOMPARE(bd.NbreFichesUtilisees(), 3);
    QCOMPARE(w.SelecPers(), 1);
    QVERIFY(w.windowTitle().endsWith(" - sans nom.kdg"));
    bd.EcritNom(1, "NOUVEAU");
    bd.BaseModifiee = 1;

    Repondeur oui(QMessageBox::Yes);
    Pilote sauve("fmIOSauve", [](QWidget* d) {
      d->findChild<QLineEdit*>("E_Nom")->setText("Famille");
      Clique(d, "bOk");
    });
    QVERIFY(w.close());
    QVERIFY(sauve.Fait());
    QCOMPARE(oui.Nbre(), 1);
    const std::string fichier = app->dossiers.mesArbres + "Famille.kdg";
    QVERIFY(FichierExiste(fichier));
    TBD relu;
    ResultatChargement r;
    QVERIFY(ChargeFichierArbre(relu, fichier, {}, r).ok());
    QCOMPARE(relu.LitNom(1), std::string("NOUVEAU"));
    QCOMPARE(relu.LitPere(1), 2);
  }

  void cancelledSaveKeepsTheWindowOpen() {
    QTemporaryDir maison;
    auto app = Application(maison);
    TScaWin w(*app);
    w.Initialise();
    w.sbNouveauClick();
    app->bd->BaseModifiee = 1;
    {
      Repondeur oui(QMessageBox::Yes);
      Pilote annule("fmIOSauve", [](QWidget* d) { Clique(d, "bAnnule"); });
      QVERIFY(!w.close());
      QVERIFY(annule.Fait());
      QVERIFY(app->bd->BaseChargee);
    }
    // Cancel on the question itself keeps it open too; No closes.
    {
      Repondeur annuler(QMessageBox::Cancel);
      QVERIFY(!w.close());
    }
    Repondeur non(QMessageBox::No);
    QVERIFY(w.close());
  }

  void openedTreeIsNavigatedByKeyboardAndHistory() {
    QTemporaryDir maison;
    auto app = Application(maison);
    const std::string fichier = CopieExemple(*app);
    TScaWin w(*app);
    w.Initialise();
    QVERIFY(w.ChargeFichier(fichier, true));
    TBD& bd = *app->bd;
    QVERIFY(w.windowTitle().endsWith(" - Standard.kdg"));
    QCOMPARE(w.SelecPers(), bd.RefPers);
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));

    const int moi = w.SelecPers();
    const int pere = bd.LitPere(moi);
    QVERIFY(pere > 0);
    QTest::keyClick(&w, Qt::Key_7, Qt::ControlModifier | Qt::KeypadModifier);
    QCOMPARE(w.SelecPers(), pere);
    QTest::keyClick(&w, Qt::Key_9, Qt::ControlModifier | Qt::KeypadModifier);
    QCOMPARE(w.SelecPers(), bd.LitMere(pere));
    // A child of the father's mother: back down the line (her eldest).
    QTest::keyClick(&w, Qt::Key_2, Qt::ControlModifier | Qt::KeypadModifier);
    QCOMPARE(bd.LitMere(w.SelecPers()), bd.LitMere(pere));
    // Without Num Lock the keypad sends arrows: Ctrl+keypad 0 makes the reference.
    QTest::keyClick(&w, Qt::Key_Insert, Qt::ControlModifier | Qt::KeypadModifier);
    QCOMPARE(bd.RefPers, w.SelecPers());

    // The history lists the persons seen, the newest first.
    const auto& avant = w.Historique().Precedente();
    QVERIFY(avant.size() >= 3);
    QCOMPARE(avant.front().personne, w.SelecPers());
    auto* psAv = w.findChild<QToolButton*>("psAv");
    QVERIFY(psAv->isEnabled());
    QMenu* menu = psAv->menu();
    emit menu->aboutToShow();
    QCOMPARE(menu->actions().size(), static_cast<int>(avant.size()));
    menu->actions().last()->trigger();
    QCOMPARE(w.SelecPers(), moi);

    w.NavigationPremier();
    QCOMPARE(w.SelecPers(), bd.FicheSuivante(0));
    w.NavigationSuivant();
    QCOMPARE(w.SelecPers(), bd.FicheSuivante(bd.FicheSuivante(0)));
    w.NavigationDernier();
    QCOMPARE(w.SelecPers(), bd.FichePrecedente(bd.NbreFiche() + 1));
    // Shortcuts do nothing without a tree.
    w.Reset();
    QTest::keyClick(&w, Qt::Key_7, Qt::ControlModifier | Qt::KeypadModifier);
    QCOMPARE(w.SelecPers(), 0);
  }

  void fileNamedOnTheCommandLineOpensWhenTheWindowShows() {
    QTemporaryDir maison;
    auto app = Application(maison);
    const std::string fichier = CopieExemple(*app);
    TScaWin w(*app);
    w.Initialise({VersQString(fichier)});
    QVERIFY(!app->bd->BaseChargee);
    w.show();
    QTRY_VERIFY(app->bd->BaseChargee);
    QCOMPARE(app->fichierCourant, fichier);
    QVERIFY(w.windowTitle().endsWith(" - Standard.kdg"));
  }

  void gedcomFileGoesThroughTheLoadDialog() {
    QTemporaryDir maison;
    auto app = Application(maison);
    const QString ged = VersQString(app->dossiers.mesArbres) + "famille.ged";
    test::Ecrit(ged, QByteArray("\xEF\xBB\xBF"
                                "0 HEAD\r\n1 CHAR UTF-8\r\n0 @I1@ INDI\r\n1 NAME Jean /DUPONT/\r\n1 SEX M\r\n"
                                "1 BIRT\r\n2 DATE 5 MAR 1900\r\n0 @I2@ INDI\r\n1 NAME Zoé /MARTIN/\r\n"
                                "1 SEX F\r\n0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n0 TRLR\r\n"));
    TScaWin w(*app);
    w.Initialise();
    Pilote charge("fmIOCharge", [](QWidget* d) { Clique(d, "bCharge"); });
    QVERIFY(w.ChargeFichier(DepuisQString(ged)));
    QVERIFY(charge.Fait());
    TBD& bd = *app->bd;
    QCOMPARE(bd.NbreFichesUtilisees(), 2);
    QCOMPARE(bd.LitPrenoms(2), std::string("Zoé"_ansi));
    QCOMPARE(bd.LitDateNaissance(1), std::string("5/3/1900"));
    QCOMPARE(bd.NbreUnionsValides(), 1);
    QVERIFY(w.windowTitle().endsWith(" - famille.ged"));
    QVERIFY(w.SelecPers() > 0);
  }

  // Closing a tree imported from GEDCOM never writes over that file
  // unasked: the user keeps the original and the tree goes to a tree file.
  void closingAnImportedGedcomOffersTheTreeFileAndSaysItSaved() {
    QTemporaryDir maison;
    auto app = Application(maison);
    const QString ged = VersQString(app->dossiers.mesArbres) + "famille.ged";
    const QByteArray original = "0 HEAD\r\n1 CHAR UTF-8\r\n0 @I1@ INDI\r\n1 NAME Jean /DUPONT/\r\n"
                                "0 @R1@ REPO\r\n1 NAME Archives\r\n0 TRLR\r\n";
    test::Ecrit(ged, original);
    TScaWin w(*app);
    w.Initialise();
    {
      Pilote charge("fmIOCharge", [](QWidget* d) { Clique(d, "bCharge"); });
      QVERIFY(w.ChargeFichier(DepuisQString(ged)));
    }
    QVERIFY(app->bd->BaseModifiee);
    Repondeur oui(QMessageBox::Yes);
    Pilote sauve("fmIOSauve", [](QWidget* d) { Clique(d, "bOk"); });
    Pilote natif("fmRemplaceGedcom", [](QWidget* d) { Clique(d, "bNatif"); });
    QVERIFY(w.close());
    QVERIFY(natif.Fait());
    QFile f(ged);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), original);
    const std::string kdg = app->dossiers.mesArbres + "famille.kdg";
    QVERIFY(FichierExiste(kdg));
    QCOMPARE(app->fichierCourant, kdg);
    auto* etat = w.findChild<QLabel*>("sbPanneau2");
    QVERIFY2(etat->text().contains("famille.kdg"), qPrintable(etat->text()));
  }

  // A damaged file says why and leaves the open tree, its chart and its
  // status bar as they were.
  void damagedFileLeavesTheOpenTreeAndSaysWhy_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QByteArray>("contenu");
    QByteArray hasard;
    for (int i = 0; i < 3000; ++i) hasard.append(static_cast<char>((i * 131 + 7) % 253));
    QTest::newRow("random kdg") << "abime.kdg" << hasard;
    QTest::newRow("empty kdg") << "vide.kdg" << QByteArray("");
    QTest::newRow("random ged") << "abime.ged" << hasard;
  }
  void damagedFileLeavesTheOpenTreeAndSaysWhy() {
    QFETCH(QString, nom);
    QFETCH(QByteArray, contenu);
    QTemporaryDir maison;
    auto app = Application(maison);
    const std::string fichier = CopieExemple(*app);
    TScaWin w(*app);
    w.Initialise();
    QVERIFY(w.ChargeFichier(fichier, true));
    const int personnes = app->bd->NbreFichesUtilisees();
    const QString etat = w.findChild<QLabel*>("sbPanneau1")->text();
    const QString abime = VersQString(app->dossiers.mesArbres) + nom;
    test::Ecrit(abime, contenu);
    Repondeur ok;
    Pilote dialogue("fmIOCharge", [](QWidget* d) { Clique(d, "bCharge"); });
    QVERIFY(w.ChargeFichier(DepuisQString(abime)));
    QVERIFY(!dialogue.Fait());
    QCOMPARE(ok.Nbre(), 1);
    QVERIFY2(ok.Texte().contains(nom), qPrintable(ok.Texte()));
    QCOMPARE(app->bd->NbreFichesUtilisees(), personnes);
    QCOMPARE(app->fichierCourant, fichier);
    QCOMPARE(w.findChild<QLabel*>("sbPanneau1")->text(), etat);
    QVERIFY(w.Arbre().GetBoiteRefPers() != nullptr);
  }

  void assistantMakesTheFamilyTyped() {
    QTemporaryDir maison;
    auto app = Application(maison);
    TScaWin w(*app);
    w.Initialise();
    int avertissements = 0;
    Pilote assistant("fmAssistant", [&avertissements](QWidget* d) {
      auto remplit = [d](const char* nom, const char* texte) {
        d->findChild<QLineEdit*>(nom)->setText(QString::fromUtf8(texte));
      };
      remplit("eNom1", "DURAND");
      remplit("ePre1", "Pauline");
      // Without the user's sex the assistant asks for it and stays open.
      {
        Repondeur ok;
        d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        avertissements = ok.Nbre();
      }
      QVERIFY(d->isVisible());
      d->findChild<QComboBox*>("cbSexe1")->setCurrentIndex(1);  // "Femme"
      remplit("eDateN1", "12 3 1950");
      remplit("eNom2", "DURAND");
      remplit("ePre2", "Louis");
      remplit("eNom3", "MARTIN");
      remplit("ePre3", "Hélène");
      d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    w.MenuClick(kCmdAssistant);
    QVERIFY(assistant.Fait());
    QCOMPARE(avertissements, 1);
    TBD& bd = *app->bd;
    QCOMPARE(bd.LitSexe(1), 1);
    QCOMPARE(bd.NbreFichesUtilisees(), 3);
    QCOMPARE(w.SelecPers(), 1);
    QCOMPARE(bd.RefPers, 1);
    QCOMPARE(bd.LitDateNaissance(1), std::string("12/3/1950"));
    QCOMPARE(bd.LitPrenoms(3), std::string("Hélène"_ansi));
    QCOMPARE(bd.LitMere(1), 3);
    QVERIFY(bd.BaseModifiee);
    QVERIFY(app->fichierCourant.rfind(app->dossiers.mesArbres, 0) == 0);
  }

  void chartFollowsTheTreeAndItsSettingButtons() {
    QTemporaryDir maison;
    auto app = Application(maison);
    const std::string fichier = CopieExemple(*app);
    TScaWin w(*app);
    w.Initialise();
    QVERIFY(w.ChargeFichier(fichier, true));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    TBD& bd = *app->bd;
    TAffArbre& arbre = w.Arbre();
    QVERIFY(arbre.GetBoiteRefPers() != nullptr);
    const TR ecran = arbre.ListeEcran();
    QVERIFY(ecran.Count() > 3);

    // A click on a box selects its person; a double click makes it the reference.
    const int pere = bd.LitPere(bd.RefPers);
    arbre.ClicBoite(pere, Qt::LeftButton, QPoint());
    QCOMPARE(w.SelecPers(), pere);
    arbre.DoubleClicBoite(pere);
    QCOMPARE(bd.RefPers, pere);
    QCOMPARE(arbre.GetBoiteRefPers()->Personne(), pere);

    // Right click on the upper part of "Génération" adds a generation; on the lower part removes one.
    auto* generation = w.findChild<QToolButton*>("SB_Generation");
    QVERIFY(generation && generation->isVisible());
    const int avant = arbre.Apparence().Moitie(1).NbreGen;
    QTest::mouseClick(generation, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(arbre.Apparence().Moitie(1).NbreGen, avant + 1);
    QTest::mouseClick(generation, Qt::RightButton, {}, QPoint(5, generation->height() - 2));
    QCOMPARE(arbre.Apparence().Moitie(1).NbreGen, avant);
    auto* zoom = w.findChild<QToolButton*>("SB_Zoom");
    const int zoomAvant = arbre.Apparence().Moitie(1).Zoom;
    QTest::mouseClick(zoom, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(arbre.Apparence().Moitie(1).Zoom, zoomAvant + 10);

    // Collapsing the branch of the selected person rebuilds with fewer boxes.
    const int boites = arbre.ListeEcran().Count();
    w.SetSelecPers(bd.LitPere(pere));
    bd.EcritReplie(bd.LitPere(pere), 1);
    w.Affiche();
    QVERIFY(arbre.ListeEcran().Count() < boites);

    // A picture of the chart.
    const std::string image = app->dossiers.mesArbres + "arbre.png";
    QVERIFY(arbre.ExporteImage(image).ok());
    QVERIFY(!QImage(VersQString(image)).isNull());
  }

  // The history buttons work as a browser's: a click goes one step, and
  // "Suivante" comes back to where the user was.
  void historyButtonsStepBackAndForward() {
    QTemporaryDir maison;
    auto app = Application(maison);
    TScaWin w(*app);
    w.Initialise();
    QVERIFY(w.ChargeFichier(CopieExemple(*app), true));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    TBD& bd = *app->bd;
    const int moi = w.SelecPers(), pere = bd.LitPere(moi), grandPere = bd.LitPere(pere);
    w.SetSelecPers(pere);
    w.SetSelecPers(grandPere);
    auto* psAv = w.findChild<QToolButton*>("psAv");
    auto* psAp = w.findChild<QToolButton*>("psAp");
    QVERIFY(psAv->isEnabled());
    QVERIFY(!psAp->isEnabled());
    QTest::mouseClick(psAv, Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(w.SelecPers(), pere);
    QTest::mouseClick(psAv, Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(w.SelecPers(), moi);
    QVERIFY(!psAv->isEnabled());
    QVERIFY(psAp->isEnabled());
    QTest::mouseClick(psAp, Qt::LeftButton, {}, QPoint(4, 4));
    QCOMPARE(w.SelecPers(), pere);
    // Its list goes straight to the person chosen.
    QMenu* menu = psAp->menu();
    emit menu->aboutToShow();
    QCOMPARE(menu->actions().size(), 1);
    menu->actions().first()->trigger();
    QCOMPARE(w.SelecPers(), grandPere);
    QVERIFY(!psAp->isEnabled());
  }

  // A right click on a setting button steps the setting and opens no menu.
  void rightClickOnASettingButtonOpensNoMenu() {
    QTemporaryDir maison;
    auto app = Application(maison);
    TScaWin w(*app);
    w.Initialise();
    QVERIFY(w.ChargeFichier(CopieExemple(*app), true));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    int menus = 0;
    QTimer espion;
    connect(&espion, &QTimer::timeout, [&] {
      for (QWidget* m : QApplication::topLevelWidgets())
        if (qobject_cast<QMenu*>(m) && m->isVisible()) {
          ++menus;
          m->close();
        }
    });
    espion.start(5);
    auto* largeur = w.findChild<QToolButton*>("SB_Largeur");
    const int avant = w.Arbre().Apparence().Moitie(1).Large;
    // Through the window, as the window system sends it: the press is then
    // followed by the context menu event.
    QTest::mouseClick(w.windowHandle(), Qt::RightButton, {}, largeur->mapTo(&w, QPoint(5, 5)));
    QCOMPARE(w.Arbre().Apparence().Moitie(1).Large, avant + 10);
    QCOMPARE(menus, 0);
  }

  // Hiding the chart leaves its place saying so, with the way back.
  void hiddenChartCanBeBroughtBack() {
    QTemporaryDir maison;
    auto app = Application(maison);
    TScaWin w(*app);
    w.Initialise();
    QVERIFY(w.ChargeFichier(CopieExemple(*app), true));
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto* remontre = w.findChild<QPushButton*>("bAfficheArbre");
    QVERIFY(remontre && !remontre->isVisible());
    QTest::keyClick(&w, Qt::Key_F5);
    QVERIFY(!w.ArbreVisible());
    QVERIFY(remontre->isVisible());
    QTest::keyClick(&w, Qt::Key_F5);
    QVERIFY(w.ArbreVisible());
    QVERIFY(!remontre->isVisible());
    QTest::keyClick(&w, Qt::Key_F5);
    QTest::mouseClick(remontre, Qt::LeftButton);
    QVERIFY(w.ArbreVisible());
    QVERIFY(w.Arbre().GetBoiteRefPers() != nullptr);
  }

  // The chart's settings are the user's look, which the saved tree names:
  // they come back at the next start with the tree.
  void chartSettingsComeBackAtTheNextStart() {
    QTemporaryDir maison;
    int generations = 0, largeur = 0;
    std::string fichier;
    {
      auto app = Application(maison);
      fichier = CopieExemple(*app);
      TScaWin w(*app);
      w.Initialise();
      QVERIFY(w.ChargeFichier(fichier, true));
      w.show();
      QVERIFY(QTest::qWaitForWindowExposed(&w));
      TAffArbre& arbre = w.Arbre();
      QTest::mouseClick(w.findChild<QToolButton*>("SB_Generation"), Qt::RightButton, {}, QPoint(5, 5));
      QTest::mouseClick(w.findChild<QToolButton*>("SB_Largeur"), Qt::RightButton, {}, QPoint(5, 5));
      generations = arbre.Apparence().Moitie(1).NbreGen;
      largeur = arbre.Apparence().Moitie(2).Large;
      Pilote forme("fmApparence", [](QWidget* d) {
        d->findChild<QAbstractButton*>("cbConjoint")->click();
        Clique(d, "btOk");
      });
      w.MenuClick(kCmdFormeArbre);
      QVERIFY(forme.Fait());
      QVERIFY(arbre.AfficheConjoint);
      QCOMPARE(app->apparence, std::string("perso"));
      // The tree now names another look: closing offers to save it.
      Repondeur oui(QMessageBox::Yes);
      QVERIFY(w.close());
      QCOMPARE(oui.Nbre(), 1);
    }
    auto app = Application(maison);
    TScaWin w(*app);
    w.Initialise();
    QVERIFY(w.Arbre().AfficheConjoint);
    QVERIFY(w.ChargeFichier(fichier, true));
    QCOMPARE(w.Arbre().Apparence().Moitie(1).NbreGen, generations);
    QCOMPARE(w.Arbre().Apparence().Moitie(2).Large, largeur);
    QVERIFY(!app->bd->BaseModifiee);
  }

  void emptyPersonIsOfferedForDeletionWhenLeft() {
    QTemporaryDir maison;
    auto app = Application(maison);
    TScaWin w(*app);
    w.Initialise();
    w.sbNouveauClick();
    TBD& bd = *app->bd;
    const int vide = bd.NouvelleFiche();
    w.SetSelecPers(vide);
    {
      Repondeur non(QMessageBox::No);
      w.SetSelecPers(1);
      QCOMPARE(non.Nbre(), 1);
      QVERIFY(bd.FicheUtilisee(vide));
    }
    w.SetSelecPers(vide);
    Repondeur oui(QMessageBox::Yes);
    w.SetSelecPers(2);
    QVERIFY(!bd.FicheUtilisee(vide));
    QCOMPARE(w.SelecPers(), 2);
  }
};

QTEST_MAIN(MainWindowCommandsTest)
#include "main_window_commands_test.moc"
