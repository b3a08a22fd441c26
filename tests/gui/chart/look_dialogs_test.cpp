// The chart settings dialogs: enabling rules of the arrangement window,
// what "Ok", "Annuler" and live application do to the records.
#include "gui/chart/look_dialogs.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QtTest>

#include "chart/looks.h"
#include "i18n/translation.h"

using namespace kindrela;

namespace {

// Counts the calls of each chart action.
struct Compteurs {
  int reconstruit = 0, repositionne = 0, zoomAuto = 0, decaleZero = 0;
  TActionsArbre Actions(T1Aff* aff1 = nullptr, T1Aff* aff2 = nullptr) {
    TActionsArbre a;
    a.reconstruit = [this] { ++reconstruit; };
    a.repositionne = [this] { ++repositionne; };
    a.zoomAuto = [this, aff1, aff2] {
      ++zoomAuto;
      if (aff1) aff1->Zoom = 37;
      if (aff2) aff2->Zoom = 37;
    };
    a.decaleZero = [this] { ++decaleZero; };
    return a;
  }
};

// "E" enabled, "-" disabled, in the order: ancestor 1..5, descendant 1..3,
// last spouse, siblings.
QString Actifs(const TFenetreApparence& f) {
  QString s;
  for (int i = 1; i <= 5; ++i) s += f.BoutonAsc(i)->isEnabled() ? 'E' : '-';
  s += ' ';
  for (int i = 1; i <= 3; ++i) s += f.BoutonDesc(i)->isEnabled() ? 'E' : '-';
  s += ' ';
  s += f.CaseConjoint()->isEnabled() ? 'E' : '-';
  s += f.CaseFratrie()->isEnabled() ? 'E' : '-';
  return s;
}

}  // namespace

class LookDialogsTest : public QObject {
  Q_OBJECT
  TTraduction m_trad;

 private slots:
  void initTestCase() {
    QVERIFY(m_trad.ChargeTraduction(std::string(KINDRELA_SOURCE_DIR) + "/data/modele/famora.tra"));
  }

  void ReglesDActivation_data() {
    QTest::addColumn<int>("asc");
    QTest::addColumn<int>("desc");
    QTest::addColumn<QString>("actifs");
    QTest::newRow("rien") << 0 << 0 << "EEEEE EEE --";
    QTest::newRow("asc vertical") << int(kAscVertical) << 0 << "EEEEE EE- --";
    QTest::newRow("asc compact vertical") << int(kAscCompactVertical) << 0 << "EEEEE EE- --";
    QTest::newRow("asc compact horizontal") << int(kAscCompactHorizontal) << 0 << "EEEEE E-E --";
    QTest::newRow("asc groupe") << int(kAscGroupe) << 0 << "EEEEE E-E --";
    QTest::newRow("asc horizontal") << int(kAscHorizontal) << 0 << "EEEEE E-E --";
    QTest::newRow("desc groupe") << 0 << int(kDescGroupe) << "EEEEE EEE E-";
    QTest::newRow("desc vertical") << 0 << int(kDescVertical) << "-E-E- EEE EE";
    QTest::newRow("desc horizontal") << 0 << int(kDescHorizontal) << "E-E-E EEE EE";
    QTest::newRow("vertical + vertical")
        << int(kAscVertical) << int(kDescVertical) << "-E-E- EE- EE";
    QTest::newRow("horizontal + horizontal")
        << int(kAscHorizontal) << int(kDescHorizontal) << "E-E-E E-E EE";
  }
  void ReglesDActivation() {
    QFETCH(int, asc);
    QFETCH(int, desc);
    QFETCH(QString, actifs);
    T1Aff a1, a2;
    a1.Style = static_cast<std::uint8_t>(asc);
    a2.Style = static_cast<std::uint8_t>(desc);
    TDrapeauxArbre drapeaux;
    TFenetreApparence f(m_trad, a1, a2, drapeaux, {});
    QCOMPARE(Actifs(f), actifs);
  }

  // Clicks store at once and rebuild; the rules follow each click; pressing
  // the pressed button empties its group.
  void ClicsDeLArrangement() {
    T1Aff a1, a2;
    a1.Style = kAscGroupe;
    a2.Style = 0;
    TDrapeauxArbre drapeaux;
    Compteurs c;
    TFenetreApparence f(m_trad, a1, a2, drapeaux, c.Actions());
    f.BoutonDesc(kDescHorizontal)->click();
    QCOMPARE(int(a2.Style), int(kDescHorizontal));
    QCOMPARE(c.reconstruit, 1);
    QCOMPARE(Actifs(f), QString("E-E-E E-E EE"));
    f.BoutonAsc(kAscHorizontal)->click();
    QCOMPARE(int(a1.Style), int(kAscHorizontal));
    QVERIFY(!f.BoutonAsc(kAscGroupe)->isChecked());
    f.CaseFratrie()->click();
    QVERIFY(drapeaux.afficheFratrie);
    QVERIFY(!drapeaux.afficheConjoint);
    f.BoutonDesc(kDescHorizontal)->click();
    QCOMPARE(int(a2.Style), 0);
    QCOMPARE(Actifs(f), QString("EEEEE E-E --"));
    QCOMPARE(c.reconstruit, 4);
    f.accept();
    QCOMPARE(int(a1.Style), int(kAscHorizontal));
    QCOMPARE(int(a2.Style), 0);
    QVERIFY(drapeaux.afficheFratrie);
    QCOMPARE(c.reconstruit, 4);
  }

  void AnnulerRendLArrangement() {
    T1Aff a1, a2;
    a1.Style = kAscCompactVertical;
    a2.Style = kDescVertical;
    TDrapeauxArbre drapeaux{true, false};
    Compteurs c;
    {
      TFenetreApparence f(m_trad, a1, a2, drapeaux, c.Actions());
      f.reject();  // nothing clicked: nothing to redo
    }
    QCOMPARE(c.reconstruit, 0);
    TFenetreApparence f(m_trad, a1, a2, drapeaux, c.Actions());
    f.BoutonAsc(kAscVertical)->click();
    f.CaseConjoint()->click();
    QCOMPARE(int(a1.Style), int(kAscVertical));
    QVERIFY(!drapeaux.afficheConjoint);
    f.reject();
    QCOMPARE(int(a1.Style), int(kAscCompactVertical));
    QCOMPARE(int(a2.Style), int(kDescVertical));
    QVERIFY(drapeaux.afficheConjoint);
    QCOMPARE(c.reconstruit, 3);  // two clicks, then the chart as it was
  }

  void Ecarts() {
    T1Aff a1, a2;
    a1.EcartHorz = 10;
    a1.EcartVert = 20;
    a2.EcartHorz = 30;
    a2.EcartVert = 40;
    Compteurs c;
    {  // descendants only, on "Ok"
      TFenetreEcart f(m_trad, a1, a2, c.Actions());
      QCOMPARE(f.SpinHorz()->value(), 10);  // both halves: half 1 shown
      f.Choix(1)->click();
      QCOMPARE(f.SpinHorz()->value(), 30);
      QCOMPARE(f.SpinVert()->value(), 40);
      f.BarreHorz()->setValue(250);
      QCOMPARE(f.SpinHorz()->value(), 250);
      f.SpinVert()->setValue(400);  // beyond 300
      QCOMPARE(f.BarreVert()->value(), 300);
      QCOMPARE(c.reconstruit, 0);
      f.accept();
    }
    QCOMPARE(a2.EcartHorz, 250);
    QCOMPARE(a2.EcartVert, 300);
    QCOMPARE(a1.EcartHorz, 10);
    QCOMPARE(c.reconstruit, 1);
    {  // both halves, live, then cancelled
      TFenetreEcart f(m_trad, a1, a2, c.Actions());
      f.CaseDirect()->setChecked(true);
      f.SpinHorz()->setValue(99);
      QCOMPARE(a1.EcartHorz, 99);
      QCOMPARE(a2.EcartHorz, 99);
      QCOMPARE(c.reconstruit, 2);
      f.reject();
    }
    QCOMPARE(a1.EcartHorz, 10);
    QCOMPARE(a2.EcartHorz, 250);
    QCOMPARE(c.reconstruit, 3);
  }

  void Largeur() {
    T1Aff a1, a2;
    a2.Large = 140;
    Compteurs c;
    {
      TFenetreLargeur f(m_trad, a1, a2, c.Actions());
      QCOMPARE(f.SpinLarge(2)->value(), 140);
      f.SpinLarge(1)->setValue(0);  // kept within 1..1000
      f.BarreLarge(2)->setValue(700);
      f.reject();
    }
    QCOMPARE(a1.Large, 100);
    QCOMPARE(a2.Large, 140);
    QCOMPARE(c.reconstruit, 0);
    TFenetreLargeur f(m_trad, a1, a2, c.Actions());
    f.SpinLarge(1)->setValue(0);
    f.BarreLarge(2)->setValue(700);
    f.accept();
    QCOMPARE(a1.Large, 1);
    QCOMPARE(a2.Large, 700);
    QCOMPARE(c.reconstruit, 1);
  }

  void Generations() {
    T1Aff a1, a2;
    {
      TFenetreGeneration f(m_trad, a1, a2);
      f.SpinGen(1)->setValue(12);
      f.reject();
    }
    QCOMPARE(a1.NbreGen, 3);
    TFenetreGeneration f(m_trad, a1, a2);
    f.SpinGen(1)->setValue(12);
    f.SpinGen(2)->setValue(5000);
    f.accept();
    QCOMPARE(a1.NbreGen, 12);
    QCOMPARE(a2.NbreGen, 999);
  }

  void Zoom() {
    T1Aff a1, a2;
    a1.Zoom = a2.Zoom = 80;
    bool zoomAuto = false;
    Compteurs c;
    {  // automatic zoom, then cancelled: everything back
      TFenetreZoom f(m_trad, a1, a2, zoomAuto, c.Actions(&a1, &a2));
      f.CaseAuto()->click();
      QVERIFY(zoomAuto);
      QCOMPARE(c.zoomAuto, 1);
      QCOMPARE(f.SpinZoom()->value(), 37);
      QVERIFY(!f.SpinZoom()->isEnabled());
      f.reject();
    }
    QVERIFY(!zoomAuto);
    QCOMPARE(a1.Zoom, 80);
    QCOMPARE(a2.Zoom, 80);
    zoomAuto = true;
    {  // "100%" leaves the automatic zoom
      TFenetreZoom f(m_trad, a1, a2, zoomAuto, c.Actions(&a1, &a2));
      QVERIFY(!f.SpinZoom()->isEnabled());
      f.Bouton100()->click();
      QVERIFY(!zoomAuto);
      QVERIFY(f.SpinZoom()->isEnabled());
      f.accept();
    }
    QCOMPARE(a1.Zoom, 100);
    QCOMPARE(a2.Zoom, 100);
    {  // live: both halves follow, repositioned (no rebuild)
      const int avant = c.repositionne;
      TFenetreZoom f(m_trad, a1, a2, zoomAuto, c.Actions(&a1, &a2));
      f.CaseDirect()->setChecked(true);
      f.BarreZoom()->setValue(250);
      QCOMPARE(a2.Zoom, 250);
      QCOMPARE(c.repositionne, avant + 1);
      f.accept();
    }
    QCOMPARE(c.reconstruit, 0);
  }

  void PageImprimee() {
    TReglagesPage r;
    r.printZoom = 250;
    r.printCroise = 12;
    r.printZoomAuto = false;
    Compteurs c;
    std::vector<TReglagesPage> appliques;
    auto applique = [&](const TReglagesPage& p) { appliques.push_back(p); };
    {  // the page grid hidden: nothing live even when asked
      TFenetreZoomPage f(m_trad, r, false, applique, c.Actions());
      QCOMPARE(f.SpinZoom()->value(), 25);
      f.CaseDirect()->setChecked(true);
      f.SpinZoom()->setValue(40);
      QVERIFY(appliques.empty());
      f.reject();
    }
    QCOMPARE(r.printZoom, 250);
    QCOMPARE(c.decaleZero, 0);
    {
      TFenetreZoomPage f(m_trad, r, true, applique, c.Actions());
      f.CaseDirect()->setChecked(true);
      f.SpinMarge()->setValue(15);
      QCOMPARE(int(appliques.size()), 1);
      QCOMPARE(appliques.back().printMargeG, 15);
      f.CaseMemePage()->click();  // one page: no overlap
      QCOMPARE(f.SpinCroise()->value(), 0);
      f.Methode(2)->click();
      f.SpinZoom()->setValue(40);
      f.accept();
    }
    QCOMPARE(r.printZoom, 400);
    QCOMPARE(r.printCroise, 0);
    QCOMPARE(r.printMargeH, 15);
    QCOMPARE(r.printMargeG, 15);
    QVERIFY(r.printZoomAuto);
    QCOMPARE(r.methode, 2);
    QCOMPARE(c.decaleZero, 1);
    QCOMPARE(appliques.back(), r);
    {  // live changes undone on "Annuler"
      const TReglagesPage avant = r;
      TFenetreZoomPage f(m_trad, r, true, applique, c.Actions());
      f.CaseDirect()->setChecked(true);
      f.SpinZoom()->setValue(7);
      QCOMPARE(r.printZoom, 70);
      f.reject();
      QCOMPARE(r, avant);
      QCOMPARE(appliques.back(), avant);
    }
  }

  // The window entries of the translation file reach the controls.
  void Traduction() {
    TTraduction anglais;
    QVERIFY(anglais.ChargeTraduction(std::string(KINDRELA_SOURCE_DIR) + "/data/modele/famora.tra"));
    anglais.Langue = 2;
    T1Aff a1, a2;
    TDrapeauxArbre drapeaux;
    TFenetreApparence f(anglais, a1, a2, drapeaux, {});
    QCOMPARE(f.CaseFratrie()->text(), QString("Siblings"));
    TReglagesPage r;
    TFenetreZoomPage p(anglais, r, false, {}, {});
    QVERIFY(!p.windowTitle().contains("croisement"));
  }
};

QTEST_MAIN(LookDialogsTest)
#include "look_dialogs_test.moc"
