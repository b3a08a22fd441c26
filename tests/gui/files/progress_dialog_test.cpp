// The progress window bound to the core's progress callback.
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "gui/files/progress_dialog.h"
#include "i18n/translation.h"

using namespace kindrela;

class ProgressDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void quickWorkShowsNothing() {
    TProgression p(nullptr, "Travail", {}, 60000);
    Progression rappel = p.Rappel();
    for (int i = 0; i <= 1000; i += 100) QVERIFY(rappel(i, 1000));
    QVERIFY(!p.Visible());
  }

  void showsAfterTheDelayWithTheBarScaledToItsTotal() {
    TProgression p(nullptr, "Travail", "fichier.ged", 0);
    const long long total = 10'000'000'000LL;  // more than an int holds
    QVERIFY(p.Avance(total / 4, total));
    QVERIFY(p.Visible());
    QProgressDialog* d = p.Dialogue();
    QVERIFY(d->maximum() > 0);
    QCOMPARE(d->value(), d->maximum() / 4);
    QCOMPARE(d->labelText(), QString("fichier.ged"));
    p.Termine();
    QVERIFY(!p.Visible());
  }

  // A window left behind comes up by itself a few seconds later and stands
  // over the next dialog, whose buttons then do nothing.
  void noProgressWindowOutlivesTheWork() {
    QWidget fenetre;
    TProgression p(&fenetre, "Travail", {}, 0);
    for (QTimer* t : p.Dialogue()->findChildren<QTimer*>()) QVERIFY(!t->isActive());
    QVERIFY(p.Avance(0, 10));
    QVERIFY(p.Avance(10, 10));
    p.Termine();
    QVERIFY(fenetre.findChildren<QProgressDialog*>().isEmpty());
    QVERIFY(!p.Visible());
    QVERIFY(p.Avance(10, 10));  // a late call does no harm
  }

  void updatesAreThrottledButTheEndIsAlwaysShown() {
    TProgression p(nullptr, "Travail", {}, 0);
    QVERIFY(p.Avance(1, 100));
    QCOMPARE(p.Dialogue()->value(), 1);
    QVERIFY(p.Avance(50, 100));   // too soon after the last refresh
    QCOMPARE(p.Dialogue()->value(), 1);
    QVERIFY(p.Avance(100, 100));  // the end
    QCOMPARE(p.Dialogue()->value(), 100);
  }

  void cancelButtonStopsTheWork() {
    TProgression p(nullptr, "Travail", {}, 0);
    Progression rappel = p.Rappel();
    QVERIFY(rappel(1, 10));
    auto* annuler = p.Dialogue()->findChild<QPushButton*>("bAnnule");
    QVERIFY(annuler);
    QCOMPARE(annuler->text(), QString("Annuler"));
    QTest::mouseClick(annuler, Qt::LeftButton);
    QVERIFY(p.Annule());
    QVERIFY(!rappel(2, 10));
    QVERIFY(!rappel(10, 10));
  }

  void cancelButtonFollowsTheInterfaceLanguage() {
    TTraduction t;
    t.ChargeTexte("fmProgression.bAnnule.Caption;Annuler;Cancel\r\n");
    t.Langue = 2;
    TProgression p(nullptr, "Work", {}, 0, &t);
    QCOMPARE(p.Dialogue()->findChild<QPushButton*>("bAnnule")->text(), QString("Cancel"));
  }

  void escapeStopsTheWork() {
    TProgression p(nullptr, "Travail", {}, 0);
    QVERIFY(p.Avance(1, 10));
    p.Dialogue()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(p.Dialogue()));
    QTest::keyClick(p.Dialogue(), Qt::Key_Return);  // Enter does not stop it
    QVERIFY(p.Avance(2, 10));
    QTest::keyClick(p.Dialogue(), Qt::Key_Escape);
    QVERIFY(!p.Avance(3, 10));
  }
};

QTEST_MAIN(ProgressDialogTest)
#include "progress_dialog_test.moc"
