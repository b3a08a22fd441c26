// The calendar converter: each view follows the one edited; OK gives the
// Gregorian date, Cancel the date it was opened on.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "gui/dates/calendar_converter.h"

using namespace kindrela;

class CalendarConverterTest : public QObject {
  Q_OBJECT

 private slots:
  void viewsFollowTheOneEdited() {
    TfmCalConv d("22/9/1792");
    auto* greg = d.findChild<QLineEdit*>("eGreg");
    auto* jul = d.findChild<QLineEdit*>("eJul");
    auto* jour = d.findChild<QComboBox*>("cbRepJ");
    auto* mois = d.findChild<QComboBox*>("cbRepM");
    auto* annee = d.findChild<QComboBox*>("cbRepA");
    QCOMPARE(jul->text(), QString("2375839.50"));
    QCOMPARE(jour->currentText(), QString("1"));
    QCOMPARE(mois->currentIndex(), 0);
    QCOMPARE(annee->currentText(), QString("1"));
    QCOMPARE(d.findChild<QLabel*>("lSem")->text(), QString("samedi"));
    // Year II chosen: the other views follow.
    annee->setCurrentIndex(1);
    emit annee->activated(1);
    QCOMPARE(greg->text(), QString("22/9/1793"));
    QCOMPARE(d.Gregorien(), std::string("22/9/1793"));
    // Typed outside the Republic: its selectors show nothing.
    greg->setText("1/1/1900");
    QCOMPARE(annee->currentIndex(), -1);
    QVERIFY(!jul->text().isEmpty());
    // A Julian day typed and left.
    d.show();
    jul->setFocus();
    QTRY_VERIFY(jul->hasFocus());
    jul->setText("2375839.5");
    greg->setFocus();
    QTRY_COMPARE(greg->text(), QString("22/9/1792"));
  }

  void cancelGivesTheDateBack() {
    QTimer::singleShot(0, [] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() != "fmCalConv") continue;
        w->findChild<QLineEdit*>("eGreg")->setText("1/1/1800");
        w->findChild<QPushButton*>("btAnnuler")->click();
      }
    });
    QCOMPARE(ConvertirCalendrier(nullptr, "5/3/1900"), std::string("5/3/1900"));
    QTimer::singleShot(0, [] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() != "fmCalConv") continue;
        w->findChild<QLineEdit*>("eGreg")->setText("1/1/1800");
        w->findChild<QPushButton*>("btOk")->click();
      }
    });
    QCOMPARE(ConvertirCalendrier(nullptr, "5/3/1900"), std::string("1/1/1800"));
  }
};

QTEST_MAIN(CalendarConverterTest)
#include "calendar_converter_test.moc"
