// The event calendar on the example tree: the births of a span are marked
// on their days, the pointer names a day's persons, a click selects the one
// person or reports several, birthday mode keeps the living, the web page
// is written; from the main window, button 7 and its menu section.
#include <QComboBox>
#include <map>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolButton>

#include "core/ini_file.h"
#include "core/tree_file/tree_file_load.h"
#include "dates/dates.h"
#include "gui/analysis/report_window.h"
#include "gui/dates/event_calendar_window.h"
#include "gui/main/command_menu.h"
#include "gui/main/main_window.h"
#include "gui_test_support.h"

using namespace kindrela;

class EventCalendarWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir maison;
  std::unique_ptr<TApplication> app;
  std::string fichier;

  // The day of the year holding the most births of the tree, over all years.
  std::pair<int, int> JourLePlusCharge(int& nbre) {
    std::map<std::pair<int, int>, int> jours;
    const TBD& bd = *app->bd;
    for (int n = 1; n <= bd.NbreFiche(); ++n) {
      if (!bd.FicheUtilisee(n)) continue;
      const ElementsDate d = DateElements(bd.LitDateNaissance(n));
      if (d.qualificatif.empty() && d.jour > 0 && d.mois > 0) ++jours[{d.mois, d.jour}];
    }
    std::pair<int, int> meilleur{0, 0};
    nbre = 0;
    for (auto& [j, k] : jours)
      if (k > nbre) nbre = k, meilleur = j;
    return meilleur;
  }

 private slots:
  void init() {
    QStandardPaths::setTestModeEnabled(true);
    app = test::Application(maison);
    app->reglages.ChargeReglages(FichierIni(), app->traduction, app->dossiers.programme);
    fichier = app->dossiers.mesArbres + "Standard.kdg";
    QFile::remove(VersQString(fichier));
    QFile::copy(QString(KINDRELA_SOURCE_DIR) + "/data/modele/1/exemple/Standard.kdg", VersQString(fichier));
    ResultatChargement r;
    QVERIFY(ChargeFichierArbre(*app->bd, fichier, {}, r).ok());
    app->bd->BaseChargee = 1;
  }

  void birthsOfTheSpanOnTheirDays() {
    TfmCal cal(*app);
    auto* pour = cal.findChild<QComboBox*>("cbPour");
    auto* eve = cal.findChild<QComboBox*>("cbEve");
    auto* deb = cal.findChild<QSpinBox*>("seDeb");
    auto* fin = cal.findChild<QSpinBox*>("seFin");
    QVERIFY(pour && eve && deb && fin);
    QCOMPARE(pour->count(), 4);
    QCOMPARE(eve->itemText(0), VersQString(app->traduction.Msg(700)));
    const int naissance = eve->findText(VersQString(app->bd->NatNaissance));
    QVERIFY(naissance > 0);
    eve->setCurrentIndex(naissance);
    emit eve->activated(naissance);
    deb->setValue(0);
    fin->setValue(9999);
    cal.show();

    int nbre = 0;
    const auto [mois, jour] = JourLePlusCharge(nbre);
    QVERIFY(nbre >= 1);
    QCOMPARE(static_cast<int>(cal.Calendrier().Case(mois, jour).size()), nbre);
    cal.Survole(mois, jour);
    QVERIFY(cal.windowTitle().startsWith("Calendrier : "));
    cal.Survole(2, 31);
    QCOMPARE(cal.windowTitle(), QString("Calendrier"));

    // One person selects; several make the report.
    QSignalSpy personne(&cal, &TfmCal::PersonneChoisie);
    QSignalSpy liste(&cal, &TfmCal::ListeChoisie);
    cal.Clic(mois, jour);
    QCOMPARE(personne.count() + liste.count(), 1);
    if (nbre > 1) QCOMPARE(static_cast<int>(liste.first().at(0).value<std::vector<int32_t>>().size()), nbre);

    // A span of no year marks nothing.
    deb->setValue(3000);
    fin->setValue(3000);
    QVERIFY(cal.Calendrier().Case(mois, jour).empty());

    // Birthday mode: the living only, both selectors locked.
    deb->setValue(0);
    fin->setValue(9999);
    cal.findChild<QToolButton*>("sbAnniversaires")->click();
    QVERIFY(cal.Anniversaires());
    QVERIFY(!pour->isEnabled() && !eve->isEnabled());
    QCOMPARE(pour->currentIndex(), 1);
    for (int m = 1; m <= 12; ++m)
      for (int j = 1; j <= 31; ++j)
        for (int32_t p : cal.Calendrier().Case(m, j)) QVERIFY(app->bd->LitDateDeces(p).empty());

    // The web page.
    const std::string page = app->dossiers.exportHtml + "cal.htm";
    QDir().mkpath(VersQString(app->dossiers.exportHtml));
    QVERIFY(cal.CalendrierHtml(page));
    QFile f(VersQString(page));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().contains("Calendrier des anniversaires"));
  }

  void reportOriginNeedsAReport() {
    TfmCal cal(*app);
    auto* pour = cal.findChild<QComboBox*>("cbPour");
    test::Repondeur ok;
    pour->setCurrentIndex(2);
    emit pour->activated(2);
    QTRY_COMPARE(ok.Nbre(), 1);
    QCOMPARE(ok.Texte(), VersQString(app->traduction.Msg(701)));
  }

  void mainWindowButtonAndMenu() {
    TScaWin w(*app);
    w.Initialise();
    QVERIFY(w.ChargeFichier(fichier, true));
    w.show();
    auto* bouton = w.findChild<QToolButton*>("btn19");
    QVERIFY(bouton && bouton->isEnabled());
    bouton->click();
    QVERIFY(w.CalendrierVisible());
    auto* menu = w.findChild<TMenuCommandes*>();
    QVERIFY(menu->SectionVisible("Calendrier"));
    QVERIFY(menu->Commande(kCmdExporteCalendrier)->isEnabled());
    // The reminder without its file says how to make it.
    test::Repondeur ok;
    w.MenuClick(kCmdAnniversaire);
    QTRY_COMPARE(ok.Nbre(), 1);
    QVERIFY(ok.Texte().contains("anniversaires"));
    bouton->click();
    QVERIFY(!w.CalendrierVisible());
    QVERIFY(!menu->SectionVisible("Calendrier"));
  }
};

QTEST_MAIN(EventCalendarWindowTest)
#include "event_calendar_window_test.moc"
