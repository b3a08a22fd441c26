// The surname comparison tool on small GEDCOM files written by the test.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/folders.h"
#include "core/ansi_literal.h"
#include "gui/main/application.h"
#include "gui/gedcom/surname_window.h"

using namespace kindrela;

namespace {

// Answers the next message box with OK and keeps its text.
void RepondOk(QString* texte, int essais = 200) {
  QTimer::singleShot(10, [=] {
    auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!boite) {
      if (essais > 0) RepondOk(texte, essais - 1);
      return;
    }
    *texte = boite->text();
    boite->button(QMessageBox::Ok)->click();
  });
}

QString Ecrit(const QTemporaryDir& dossier, const char* nom, const QByteArray& contenu) {
  QString chemin = dossier.filePath(nom);
  QFile f(chemin);
  if (!f.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(chemin));
  f.write(contenu);
  return chemin;
}

// Windows line ends, as most GEDCOM files have them.
const QByteArray kPremier =
    "0 HEAD\r\n1 CHAR ANSI\r\n"
    "0 @I1@ INDI\r\n1 NAME Jean /MASSON/\r\n"
    "0 @I2@ INDI\r\n1 NAME Pierre /DUPONT/\r\n"
    "0 @I3@ INDI\r\n1 NAME Paul /DUPONT/\r\n"
    "0 @I4@ INDI\r\n1 NAME Luc /Barrault/\r\n"
    "0 TRLR\r\n";
// Line feeds only.
const QByteArray kSecond =
    "0 HEAD\n1 CHAR ANSI\n"
    "0 @I1@ INDI\n1 NAME Anne /MASON/\n"
    "0 @I2@ INDI\n1 NAME Marie /dupont/\n"
    "0 @I3@ INDI\n1 NAME Louis /BARAULT/\n"
    "0 @I4@ INDI\n1 NAME Jules /LEROY/\n"
    "0 TRLR\n";

}  // namespace

class SurnameWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir m_dossier;
  TApplication m_app;

 private slots:
  void initTestCase() {
    std::string programme = std::string(KINDRELA_SOURCE_DIR) + "/data/";
    m_app.traduction.ChargeTraduction(kCheminTraduction, programme);
    m_app.dossiers.mesArbres = m_dossier.path().toStdString() + "/";
  }

  void readsBothFilesAndComparesExactlyAndPhonetically() {
    TfmGedPatro fenetre(m_app);
    QCOMPARE(fenetre.objectName(), QString("fmGedPatro"));
    QCOMPARE(fenetre.windowTitle(),
             QString::fromUtf8("Recherche de patronyme commun à deux fichiers GEDCOM"));
    QVERIFY(fenetre.ImporteGedcom(0, Ecrit(m_dossier, "un.ged", kPremier)));
    QVERIFY(fenetre.ImporteGedcom(1, Ecrit(m_dossier, "deux.ged", kSecond)));
    QCOMPARE(fenetre.Lignes(0), QStringList({"Barrault (1) BARAULT", "DUPONT (2) DUPONT",
                                             "MASSON (1) MASON"}));
    QCOMPARE(fenetre.TexteBouton(0), QString("3 patronymes differents"));
    QCOMPARE(fenetre.TexteBouton(1), QString("4 patronymes differents"));

    fenetre.Compare(ModeComparaison::Exact);
    QCOMPARE(fenetre.Resultat(), QStringList({"DUPONT"}));
    QCOMPARE(fenetre.TexteComparaison(), QString("1 patronymes communs"));

    fenetre.SetPhonetique(true);
    fenetre.Compare(ModeComparaison::Phonetique);
    QCOMPARE(fenetre.Resultat(),
             QStringList({"Barrault , BARAULT", "DUPONT , dupont", "MASSON , MASON"}));
    QCOMPARE(fenetre.TexteComparaison(), QString("3 patronymes communs"));

    fenetre.VideListe(1);
    QCOMPARE(fenetre.TexteBouton(1), QString("0 patronymes differents"));
    fenetre.Compare(ModeComparaison::Exact);
    QCOMPARE(fenetre.Resultat(), QStringList());
    QCOMPARE(fenetre.TexteComparaison(), QString("Aucun patronyme commun"));
  }

  void thePhoneticToggleOrdersTheSidesByKey() {
    TfmGedPatro fenetre(m_app);
    fenetre.AjoutePatronyme(0, "matt");
    fenetre.AjoutePatronyme(0, "MATA");
    // By surname MATA comes first; by key "MAT" sorts before "MATA".
    QCOMPARE(fenetre.Lignes(0), QStringList({"MATA (1) MATA", "MATT (1) MAT"}));
    fenetre.SetPhonetique(true);
    QCOMPARE(fenetre.Lignes(0), QStringList({"MATT (1) MAT", "MATA (1) MATA"}));
  }

  void addedSurnamesAreUpperCasedAndCounted() {
    TfmGedPatro fenetre(m_app);
    fenetre.AjoutePatronyme(1, QString::fromUtf8("  Hélène "));
    fenetre.AjoutePatronyme(1, QString::fromUtf8("hélène"));
    fenetre.AjoutePatronyme(1, "   ");
    QCOMPARE(fenetre.Lignes(1), QStringList({QString::fromUtf8("HÉLÈNE (2) HÉLÈNE")}));
    QCOMPARE(fenetre.Liste(1).Taille(), 1);
  }

  void aFileThatIsNotGedcomLeavesTheSideAsItWas() {
    TfmGedPatro fenetre(m_app);
    fenetre.AjoutePatronyme(0, "MARTIN");
    QString message;
    RepondOk(&message);
    QVERIFY(!fenetre.ImporteGedcom(0, Ecrit(m_dossier, "faux.ged", "Bonjour\r\n1 NAME A /B/\r\n")));
    QVERIFY2(message.contains("Ce n'est pas un fichier GEDCOM.\nBonjour"), qPrintable(message));
    QCOMPARE(fenetre.Lignes(0), QStringList({"MARTIN (1) MARTIN"}));

    RepondOk(&message);
    QVERIFY(!fenetre.ChargeListe(0, m_dossier.filePath("absent.txt")));
    QVERIFY2(message.startsWith("Fichier incorrect"), qPrintable(message));
    QCOMPARE(fenetre.Lignes(0), QStringList({"MARTIN (1) MARTIN"}));
  }

  void aSavedListReloadsWithItsCounts() {
    TfmGedPatro fenetre(m_app);
    QVERIFY(fenetre.ImporteGedcom(0, Ecrit(m_dossier, "liste.ged", kPremier)));
    fenetre.AjoutePatronyme(0, QString::fromUtf8("Émile"));
    const QString chemin = m_dossier.filePath("liste.txt");
    QVERIFY(fenetre.SauveListe(0, chemin));
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QByteArray contenu = f.readAll();
    QVERIFY(contenu.startsWith("Barrault (1) BARAULT\r\nDUPONT (2) DUPONT\r\n"));
    QVERIFY(contenu.contains("ÉMILE (1) ÉMILE\r\n"_ansi));  // Windows-1252 on disk

    QVERIFY(fenetre.ChargeListe(1, chemin));
    QCOMPARE(fenetre.Lignes(1), fenetre.Lignes(0));
    QCOMPARE(fenetre.TexteBouton(1), QString("4 patronymes differents"));
    fenetre.Compare(ModeComparaison::Exact);
    QCOMPARE(fenetre.Resultat().size(), 4);
    const QString resultat = m_dossier.filePath("communs.txt");
    QVERIFY(fenetre.SauveResultat(resultat));
    QFile r(resultat);
    QVERIFY(r.open(QIODevice::ReadOnly));
    QList<QByteArray> communs = r.readAll().split('\n');
    std::sort(communs.begin(), communs.end());
    QCOMPARE(communs, QList<QByteArray>({"", "Barrault\r", "DUPONT\r", "MASSON\r", "ÉMILE\r"_ansi}));
  }

  void escapeStopsAReadingAndKeepsTheSide() {
    QByteArray grand = "0 HEAD\n";
    for (int i = 0; i < 40000; ++i) {
      QByteArray n = QByteArray::number(i);
      grand += "0 @I" + n + "@ INDI\n1 NAME A /N" + n + "/\n";
    }
    const QString chemin = Ecrit(m_dossier, "grand.ged", grand);
    TfmGedPatro fenetre(m_app);
    fenetre.show();
    fenetre.AjoutePatronyme(0, "MARTIN");
    bool pendant = false;
    // Escape (reject) arrives while the file is being read.
    QTimer::singleShot(0, &fenetre, [&] {
      pendant = fenetre.LectureEnCours();
      fenetre.reject();
    });
    QVERIFY(!fenetre.ImporteGedcom(0, chemin));
    QVERIFY(pendant);
    QVERIFY(fenetre.isVisible());  // the window stays open
    QVERIFY(!fenetre.LectureEnCours());
    QCOMPARE(fenetre.Lignes(0), QStringList({"MARTIN (1) MARTIN"}));
    QCOMPARE(fenetre.findChild<QProgressBar*>("pbLecture")->value(), 0);
    // The next reading goes to its end.
    QVERIFY(fenetre.ImporteGedcom(0, chemin));
    QCOMPARE(fenetre.Liste(0).Taille(), 40000);
    fenetre.reject();
    QVERIFY(!fenetre.isVisible());
  }

  void theEnglishInterfaceTranslatesTheWindow() {
    TApplication app;
    app.traduction.ChargeTraduction(kCheminTraduction, std::string(KINDRELA_SOURCE_DIR) + "/data/");
    app.traduction.Langue = 2;
    TfmGedPatro fenetre(app);
    QCOMPARE(fenetre.windowTitle(), QString("Surnames common to two GEDCOM files"));
    QCOMPARE(fenetre.findChild<QAction*>("psImporter2")->text(), QString("Import a GEDCOM file"));
  }
};

QTEST_MAIN(SurnameWindowTest)
#include "surname_window_test.moc"
