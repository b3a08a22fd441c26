// The options window against the installation data of the source tree.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "gui_test_support.h"

#include "core/ansi_literal.h"
#include "gui/analysis/options_window.h"
#include "app/folders.h"
#include "gui/main/application.h"
#include "core/database.h"
#include "gui/common/qt_text.h"

using namespace kindrela;

namespace {

// Answers the next message box with `bouton` and keeps its text in `texte`.
// Gives up after a few seconds so that a missing box fails the test.
void Repond(QMessageBox::StandardButton bouton, QString* texte = nullptr, int essais = 200) {
  QTimer::singleShot(10, [=] {
    auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!boite) {
      if (essais > 0) Repond(bouton, texte, essais - 1);
      return;
    }
    if (texte) *texte = boite->text();
    boite->button(bouton)->click();
  });
}

QString Cellule(QTableWidget* t, int r, int c) { return t->item(r, c) ? t->item(r, c)->text() : QString(); }

int LigneDe(QTableWidget* t, int colonne, const QString& texte) {
  for (int r = 0; r < t->rowCount(); ++r)
    if (Cellule(t, r, colonne) == texte) return r;
  return -1;
}

}  // namespace

class OptionsWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TApplication> Application(const QTemporaryDir& maison) {
    auto app = test::Application(maison);
    app->bd.reset();  // each test makes the database it needs
    [&] { QVERIFY(!app->tables.Grille(SorteTable::Evenements).empty()); }();
    return app;
  }

  template <typename T>
  static T* Controle(QWidget* w, const char* nom) {
    T* c = w->findChild<T*>(nom);
    if (!c) qFatal("control %s missing", nom);
    return c;
  }

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void thresholdsDefaultAndCloseStoreThem() {
    QTemporaryDir maison;
    auto app = Application(maison);
    app->reglages.SetEntier("gene\\Options", "AgeMarMin", 30);
    app->reglages.SetEntier("gene\\Options", "AgedecesMax", 120);
    TfmOptions fenetre(*app);
    QCOMPARE(fenetre.windowTitle(), QString("Options"));
    QCOMPARE(Controle<QSpinBox>(&fenetre, "seAgeMarMin")->value(), 30);
    QCOMPARE(Controle<QSpinBox>(&fenetre, "seAgeDecesMax")->value(), 120);
    QCOMPARE(Controle<QSpinBox>(&fenetre, "seEcartConjMax")->maximum(), 150);

    Controle<QPushButton>(&fenetre, "btDefautCoherence")->click();
    const char* noms[] = {"seAgeMarMin", "seAgeMarMax", "seAgeEnfMin",
                          "seAgeEnfMax", "seAgeDecesMax", "seEcartConjMax"};
    const int attendus[] = {15, 70, 15, 70, 95, 20};
    for (int i = 0; i < 6; ++i) QCOMPARE(Controle<QSpinBox>(&fenetre, noms[i])->value(), attendus[i]);
    // Nothing is stored before "&Fermer".
    QCOMPARE(app->reglages.Entier("gene\\Options", "AgeMarMin"), 30);

    Controle<QSpinBox>(&fenetre, "seEcartConjMax")->setValue(25);
    Controle<QPushButton>(&fenetre, "btFermer")->click();
    QCOMPARE(fenetre.result(), int(QDialog::Accepted));
    const char* cles[] = {"AgeMarMin", "AgeMarMax", "AgeEnfMin", "AgeEnfMax", "AgeDecesMax",
                          "EcartConjMax"};
    const int stockes[] = {15, 70, 15, 70, 95, 25};
    for (int i = 0; i < 6; ++i) QCOMPARE(app->reglages.Entier("gene\\Options", cles[i]), stockes[i]);
    QCOMPARE(app->reglages.DureeVieMax(), 95);
    SeuilsCoherence lus = SeuilsDepuisReglages(app->reglages);
    QCOMPARE(lus.ecartConjMax, 25);
  }

  void escapeLeavesTheSettingsAsTheyWere() {
    QTemporaryDir maison;
    auto app = Application(maison);
    TfmOptions fenetre(*app);
    Controle<QSpinBox>(&fenetre, "seAgeMarMin")->setValue(40);
    Controle<QCheckBox>(&fenetre, "cbNumerote")->setChecked(true);
    fenetre.reject();
    QCOMPARE(app->reglages.Entier("gene\\Options", "AgeMarMin"), 15);
    QCOMPARE(app->reglages.Bool("gene\\Options", "Numérote"_ansi), false);
  }

  void numberingAndGeneralOptionsAreStored() {
    QTemporaryDir maison;
    auto app = Application(maison);
    {
      TfmOptions sansMasque(*app);
      QVERIFY(!Controle<QCheckBox>(&sansMasque, "cbConseils")->isEnabled());
    }
    app->reglages.SetAstuceVisible(5, false);
    app->reglages.SetAstuceVisible(7, false);
    TfmOptions fenetre(*app);
    Controle<QCheckBox>(&fenetre, "cbConseils")->setChecked(true);
    QCOMPARE(Controle<QSpinBox>(&fenetre, "seNumeroteGen")->value(), 5);
    Controle<QCheckBox>(&fenetre, "cbNumerote")->setChecked(true);
    Controle<QSpinBox>(&fenetre, "seNumeroteGen")->setValue(8);
    Controle<QCheckBox>(&fenetre, "cbNumeroteFamille")->setChecked(true);
    Controle<QCheckBox>(&fenetre, "cbAfficheBulle")->setChecked(false);
    Controle<QSpinBox>(&fenetre, "seAvApMenu")->setValue(4);
    Controle<QPushButton>(&fenetre, "btFermer")->click();
    const TReglages& r = app->reglages;
    QVERIFY(r.Bool("gene\\Options", "Numérote"_ansi));
    QCOMPARE(r.Entier("gene\\Options", "NuméroteGen"_ansi), 8);
    QVERIFY(r.Bool("gene\\Options", "NuméroteFamille"_ansi));
    QVERIFY(!r.Bool("gene\\Options", "NuméroteConjoint"_ansi));
    QVERIFY(!r.Bool("gene", "AfficheBulle"));
    QCOMPARE(r.Entier("gene\\Options", "AvApMenu"), 4);
    QVERIFY(r.AstuceVisible(5) && r.AstuceVisible(7));
  }

  void pagesOpenByNumber() {
    QTemporaryDir maison;
    auto app = Application(maison);
    TfmOptions fenetre(*app);
    fenetre.AffichePage(kPageCoherence);
    QCOMPARE(fenetre.PageCourante(), int(kPageCoherence));
    // A page of a later step (the calendar's 41) falls back to the first.
    fenetre.AffichePage(41);
    QCOMPARE(fenetre.PageCourante(), int(kPageGenerale));
  }

  void editedGridChangesTheLookups() {
    QTemporaryDir maison;
    auto app = Application(maison);
    const QString naissance = VersQString(app->traduction.Msg(201));
    QCOMPARE(app->tables.TagEvenement(app->traduction.Msg(201)), std::string("BIRT"));
    TfmOptions fenetre(*app);
    auto* sgEve = Controle<QTableWidget>(&fenetre, "sgEve");
    int r = LigneDe(sgEve, 1, naissance);
    QVERIFY(r >= 0);
    sgEve->item(r, 2)->setText("_NAIS");
    sgEve->item(r, 0)->setText("n'importe quoi");  // not a category: back to "Individu"

    // A new row, filled in, and a new row left blank.
    fenetre.AjouteLigne(SorteTable::Evenements);
    int n = sgEve->rowCount() - 1;
    QCOMPARE(Cellule(sgEve, n, 0), VersQString(app->traduction.Msg(707)));
    sgEve->item(n, 1)->setText("Apprentissage");
    sgEve->item(n, 2)->setText("_APPR");
    fenetre.AjouteLigne(SorteTable::Evenements);
    const int lignesAvant = static_cast<int>(app->tables.Grille(SorteTable::Evenements).size());

    auto* sgChp = Controle<QTableWidget>(&fenetre, "sgChp");
    QVERIFY(sgChp->rowCount() > 0);
    sgChp->item(0, 1)->setText("Surnom");
    sgChp->item(0, 2)->setText("NICK");
    sgChp->item(0, 0)->setText("peut-etre");

    // Nothing changes before "&Fermer".
    QCOMPARE(app->tables.TagEvenement(app->traduction.Msg(201)), std::string("BIRT"));
    Controle<QPushButton>(&fenetre, "btFermer")->click();

    const TTablesTypes& t = app->tables;
    QCOMPARE(t.TagEvenement(app->traduction.Msg(201)), std::string("_NAIS"));
    QCOMPARE(t.EvenementDeTag("_NAIS"), app->traduction.Msg(201));
    QCOMPARE(t.EvenementDeTag("BIRT"), std::string());
    QCOMPARE(t.TagEvenement("Apprentissage"), std::string("_APPR"));
    QCOMPARE(t.Grille(SorteTable::Evenements)[r + 1][0], app->traduction.Msg(707));
    // The blank row is dropped: one row more than before, the title row kept.
    QCOMPARE(static_cast<int>(t.Grille(SorteTable::Evenements).size()), lignesAvant + 1);
    QCOMPARE(t.Grille(SorteTable::Evenements)[0][2], std::string("Balise GEDCOM"));
    QCOMPARE(t.ChampDeTag("NICK"), std::string("Surnom"));
    QCOMPARE(t.Grille(SorteTable::Champs)[1][0], app->traduction.MsgCle("NON"));
    // What the window stored is what the next run reads back.
    QDir().mkpath(VersQString(app->dossiers.paramUtilisateur));
    QVERIFY(t.EnregistreTout(CheminsTables(app->dossiers)).ok());
    TTablesTypes relues;
    QVERIFY(relues.ChargeTout(CheminsTables(app->dossiers), app->traduction).ok());
    QCOMPARE(relues.TagEvenement("Apprentissage"), std::string("_APPR"));
  }

  void column0OffersOnlyTheAllowedValues() {
    QTemporaryDir maison;
    auto app = Application(maison);
    TfmOptions fenetre(*app);
    fenetre.show();
    fenetre.AffichePage(kPageChamps);
    auto* sgChp = Controle<QTableWidget>(&fenetre, "sgChp");
    const int r = LigneDe(sgChp, 0, "NON");
    QVERIFY(r >= 0);
    const std::string champ = DepuisQString(Cellule(sgChp, r, 1));
    sgChp->editItem(sgChp->item(r, 0));
    auto* choix = sgChp->findChild<QComboBox*>();
    QVERIFY(choix);
    QCOMPARE(choix->count(), 2);
    QCOMPARE(choix->itemText(0), QString("NON"));
    QCOMPARE(choix->itemText(1), QString("OUI"));
    QCOMPARE(choix->currentText(), QString("NON"));
    choix->setCurrentIndex(1);
    // Closing while the cell is still being edited keeps the choice.
    Controle<QPushButton>(&fenetre, "btFermer")->click();
    QCOMPARE(app->tables.Grille(SorteTable::Champs)[r + 1][0], std::string("OUI"));
    QVERIFY(app->tables.ChampsParDefaut(app->traduction).find("t|" + champ + "||") != std::string::npos);

    // Source types are free text.
    TfmOptions autre(*app);
    autre.show();
    autre.AffichePage(kPageSources);
    auto* sgSrc = Controle<QTableWidget>(&autre, "sgSrc");
    sgSrc->editItem(sgSrc->item(0, 0));
    QVERIFY(!sgSrc->findChild<QComboBox*>());
  }

  void removedRowsAreGone() {
    QTemporaryDir maison;
    auto app = Application(maison);
    TfmOptions fenetre(*app);
    auto* sgSrc = Controle<QTableWidget>(&fenetre, "sgSrc");
    const int lignes = sgSrc->rowCount();
    QVERIFY(lignes >= 2);
    const std::string premiere = DepuisQString(Cellule(sgSrc, 0, 0));
    sgSrc->selectRow(0);
    fenetre.SupprimeLignes(SorteTable::Sources);
    QCOMPARE(sgSrc->rowCount(), lignes - 1);
    Controle<QPushButton>(&fenetre, "btFermer")->click();
    std::vector<std::string> sortes = app->tables.SortesSources();
    QCOMPARE(static_cast<int>(sortes.size()), lignes - 1);
    QVERIFY(std::find(sortes.begin(), sortes.end(), premiere) == sortes.end());
  }

  void gridDefaultReloadsTheDefaultRowsAfterYes() {
    QTemporaryDir maison;
    auto app = Application(maison);
    TfmOptions fenetre(*app);
    auto* sgEve = Controle<QTableWidget>(&fenetre, "sgEve");
    const int lignesDefaut = sgEve->rowCount();
    const QString premier = Cellule(sgEve, 0, 1);
    sgEve->item(0, 1)->setText("Change");
    while (sgEve->rowCount() > 2) sgEve->removeRow(2);

    // No: the grid stays as the user left it.
    QString question;
    Repond(QMessageBox::No, &question);
    Controle<QPushButton>(&fenetre, "btDefautEve")->click();
    QVERIFY(!question.isEmpty());
    QCOMPARE(sgEve->rowCount(), 2);

    Repond(QMessageBox::Yes);
    Controle<QPushButton>(&fenetre, "btDefautEve")->click();
    QCOMPARE(sgEve->rowCount(), lignesDefaut);
    QCOMPARE(Cellule(sgEve, 0, 1), premier);
  }

  void gridDefaultReportsAMissingDefaultFile() {
    QTemporaryDir maison;
    auto app = Application(maison);
    app->dossiers.grilles.defSrc = maison.path().toStdString() + "/absent/DefSrc.tra";
    TfmOptions fenetre(*app);
    auto* sgSrc = Controle<QTableWidget>(&fenetre, "sgSrc");
    const int lignes = sgSrc->rowCount();
    sgSrc->removeRow(0);
    QString erreur;
    Repond(QMessageBox::Yes);
    QTimer::singleShot(0, [&] { Repond(QMessageBox::Ok, &erreur); });
    fenetre.TableParDefaut(SorteTable::Sources);
    QVERIFY2(erreur.contains("DefSrc.tra"), qPrintable(erreur));
    QCOMPARE(sgSrc->rowCount(), lignes - 1);
  }

  void verificationRepairsADamagedTreeAndReports() {
    QTemporaryDir maison;
    auto app = Application(maison);
    app->bd = std::make_unique<TBD>();
    TBD& bd = *app->bd;
    int a = bd.NouvelleFiche();
    bd.EcritNom(a, "Martin");
    bd.EcritPrenoms(a, "Jean");
    int b = bd.NouvelleFiche();
    bd.EcritNom(b, "Dupont");
    bd.EcritPrenoms(b, "Luc");
    TEve eve;
    eve.Utilise = 1;
    eve.Nature = "Naissance";
    eve.DateEve = "1900";
    QVERIFY(bd.PlaceEve(1, eve));
    // Both persons list event 1.
    AjouteEntree(bd.FicheBrute(a).TabEve, 1);
    AjouteEntree(bd.FicheBrute(b).TabEve, 1);
    bd.BaseModifiee = 0;

    TfmOptions fenetre(*app);
    auto* rapport = Controle<QPlainTextEdit>(&fenetre, "mVerifie");
    QVERIFY(rapport->isReadOnly());

    // No: nothing repaired, nothing shown.
    Repond(QMessageBox::No);
    Controle<QPushButton>(&fenetre, "btVerifieBase")->click();
    QCOMPARE(rapport->toPlainText(), QString());
    QCOMPARE(bd.NbreEveFiche(b), 1);
    QCOMPARE(bd.LitEveFiche(b, 1, 1), std::string("Naissance"));

    QString question;
    Repond(QMessageBox::Yes, &question);
    Controle<QPushButton>(&fenetre, "btVerifieBase")->click();
    QVERIFY(question.startsWith("Attention !"));
    QString texte = rapport->toPlainText();
    QVERIFY2(texte.contains("Dupont Luc") && texte.contains("Martin Jean"), qPrintable(texte));
    QVERIFY(!texte.contains('\r'));
    QCOMPARE(bd.BaseModifiee, uint8_t(1));
    QCOMPARE(bd.NbreEveFiche(b), 1);
    QCOMPARE(bd.NbreEve(), 2);

    // A second run finds the tree sound.
    Repond(QMessageBox::Yes);
    Controle<QPushButton>(&fenetre, "btVerifieBase")->click();
    QCOMPARE(rapport->toPlainText(), VersQString(kAucunProblemeConstate));
  }

  void verificationNeedsADatabase() {
    QTemporaryDir maison;
    auto app = Application(maison);
    TfmOptions fenetre(*app);
    QVERIFY(!Controle<QPushButton>(&fenetre, "btVerifieBase")->isEnabled());
  }
};

QTEST_MAIN(OptionsWindowTest)
#include "options_window_test.moc"
