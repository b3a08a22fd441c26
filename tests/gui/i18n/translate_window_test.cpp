// Window translation on a real widget tree.
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QTranslator>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "gui/common/radio_group.h"
#include "core/ansi_literal.h"
#include "i18n/translation.h"
#include "gui/i18n/translate_window.h"
#include "gui/i18n/qt_translations.h"

using namespace kindrela;

class TranslateWindowTest : public QObject {
  Q_OBJECT

  // A window shaped like the box editor: a combo of two sexes, a list, a
  // memo, a radio group, tabs, a menu action and a button.
  QDialog* Fenetre(const QString& nom) {
    auto* f = new QDialog;
    f->setObjectName(nom);
    f->setWindowTitle("designer");
    auto* cb = new QComboBox(f);
    cb->setObjectName("cbSexe");
    cb->addItems({"Les hommes", "Les femmes"});
    auto* court = new QComboBox(f);
    court->setObjectName("cbCourt");
    court->addItem("seul");
    auto* liste = new QListWidget(f);
    liste->setObjectName("lbListe");
    auto* memo = new QPlainTextEdit(f);
    memo->setObjectName("mMemo");
    memo->setPlainText("un\ndeux");
    auto* rg = new TRadioGroup(f);
    rg->setObjectName("rgFiche");
    rg->setItems({"A", "B"});
    auto* onglets = new QTabWidget(f);
    onglets->setObjectName("pcOnglets");
    auto* page = new QWidget;
    page->setObjectName("tsPage");
    onglets->addTab(page, "page");
    auto* bouton = new QPushButton("designer", f);
    bouton->setObjectName("bOk");
    auto* menu = new QMenu(f);
    auto* action = menu->addAction("designer");
    action->setObjectName("MI_Ouvrir");
    action->setParent(f);
    auto* label = new QLabel(f);
    label->setObjectName("lTitre");
    return f;
  }

  TTraduction Traduction(int langue, bool debug = false) {
    TTraduction t;
    t.ChargeTexte(
        "fmCellule.Caption;Cellule;Cell\r\n"
        "fmCellule.Hint;Aide;Help\r\n"
        "fmCellule.cbSexe.C 1;Femmes;Women\r\n"
        "fmCellule.cbCourt.C 1;ajout;added\r\n"
        "fmCellule.cbCourt.C 4;loin;far\r\n"
        "fmCellule.lbListe.L 0;premier;first\r\n"
        "fmCellule.mMemo.M 1;DEUX;TWO\r\n"
        "fmCellule.rgFiche.R x;zero;zero\r\n"
        "fmCellule.rgFiche.R 2;C;C\r\n"
        "fmCellule.pcOnglets.T 1;Second;Second\r\n"
        "fmCellule.tsPage.Caption;Page un;Page one\r\n"
        "fmCellule.bOk.Caption;Valider;Confirm\r\n"
        "fmCellule.bOk.Hint;Valide la saisie;Confirms\r\n"
        "fmCellule.MI_Ouvrir.MCaption;Ouvrir;Open\r\n"
        "fmCellule.lTitre.Caption;;only english\r\n"
        "fmCellule.lTitre.C 0;mauvais;wrong kind\r\n"
        "fmCellule.absent.Caption;rien;nothing\r\n"
        "fmCellule.bOk;court;short\r\n"
        "fmAutre.bOk.Caption;autre;other\r\n");
    t.Langue = langue;
    t.DebugTrad = debug;
    return t;
  }

 private slots:
  void translatesEveryKindOfControl() {
    std::unique_ptr<QDialog> f(Fenetre("fmCellule"));
    TraduitFenetre(f.get(), Traduction(1));
    QCOMPARE(f->windowTitle(), QString("Cellule"));
    QCOMPARE(f->toolTip(), QString("Aide"));
    auto* cb = f->findChild<QComboBox*>("cbSexe");
    QCOMPARE(cb->itemText(0), QString("Les hommes"));
    QCOMPARE(cb->itemText(1), QString("Femmes"));
    auto* court = f->findChild<QComboBox*>("cbCourt");
    QCOMPARE(court->count(), 5);
    QCOMPARE(court->itemText(1), QString("ajout"));
    QCOMPARE(court->itemText(3), QString());
    QCOMPARE(court->itemText(4), QString("loin"));
    QCOMPARE(f->findChild<QListWidget*>("lbListe")->item(0)->text(), QString("premier"));
    QCOMPARE(f->findChild<QPlainTextEdit*>("mMemo")->toPlainText(), QString("un\nDEUX"));
    auto* rg = f->findChild<TRadioGroup*>("rgFiche");
    QCOMPARE(rg->items(), QStringList({"zero", "B", "C"}));
    auto* onglets = f->findChild<QTabWidget*>("pcOnglets");
    QCOMPARE(onglets->count(), 2);
    QCOMPARE(onglets->tabText(0), QString("Page un"));
    QCOMPARE(onglets->tabText(1), QString("Second"));
    auto* ok = f->findChild<QPushButton*>("bOk");
    QCOMPARE(ok->text(), QString("Valider"));
    QCOMPARE(ok->toolTip(), QString("Valide la saisie"));
    QCOMPARE(f->findChild<QAction*>("MI_Ouvrir")->text(), QString("Ouvrir"));
    QCOMPARE(f->findChild<QLabel*>("lTitre")->text(), QString());
  }

  void secondInstanceUsesTheFirstOnesEntries() {
    std::unique_ptr<QDialog> f(Fenetre("fmCellule_1"));
    TraduitFenetre(f.get(), Traduction(2));
    QCOMPARE(f->windowTitle(), QString("Cell"));
    QCOMPARE(f->findChild<QPushButton*>("bOk")->text(), QString("Confirm"));
  }

  void debugMarksMissingTexts() {
    std::unique_ptr<QDialog> f(Fenetre("fmCellule"));
    TraduitFenetre(f.get(), Traduction(3, true));
    QCOMPARE(f->windowTitle(), QString("#Cellule"));
    QCOMPARE(f->findChild<QLabel*>("lTitre")->text(), QString("#"));
  }

  void otherWindowsAndNoLanguageChangeNothing() {
    std::unique_ptr<QDialog> f(Fenetre("fmAutreFenetre"));
    TraduitFenetre(f.get(), Traduction(1));
    QCOMPARE(f->windowTitle(), QString("designer"));
    std::unique_ptr<QDialog> g(Fenetre("fmCellule"));
    TraduitFenetre(g.get(), Traduction(0));
    QCOMPARE(g->windowTitle(), QString("designer"));
  }

  void accentedTextsArriveAsUnicode() {
    TTraduction t;
    t.ChargeTexte("fmCellule.Caption;Propriétés €;x\r\n"_ansi);
    std::unique_ptr<QDialog> f(Fenetre("fmCellule"));
    TraduitFenetre(f.get(), t);
    QCOMPARE(f->windowTitle(), QString::fromUtf8("Propriétés €"));
  }

  // Qt's own buttons and dialogs speak the interface language, not English.
  void qtOwnTextsFollowTheInterfaceLanguage() {
    TTraduction t;
    t.ChargeTexte("langue_qt;fr;en\r\n");
    QVERIFY(ChargeTraductionsQt(*QCoreApplication::instance(), t));
    {
      QMessageBox boite;
      boite.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      QCOMPARE(boite.button(QMessageBox::Yes)->text().remove('&'), QString("Oui"));
      QCOMPARE(boite.button(QMessageBox::No)->text().remove('&'), QString("Non"));
      QCOMPARE(boite.button(QMessageBox::Cancel)->text().remove('&'), QString("Annuler"));
    }
    for (QTranslator* q : QCoreApplication::instance()->findChildren<QTranslator*>()) {
      QCoreApplication::removeTranslator(q);
      delete q;
    }
    QLocale::setDefault(QLocale::c());
    TTraduction sans;
    sans.ChargeTexte("autre;x;y\r\n");
    QVERIFY(!ChargeTraductionsQt(*QCoreApplication::instance(), sans));
  }
};

QTEST_MAIN(TranslateWindowTest)
#include "translate_window_test.moc"
