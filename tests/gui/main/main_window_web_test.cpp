// The main window's web views: the chart page (command 207), the source
// page, the ancestry page, the list of pages the site links, and the
// built-in browser turning a card link into the selected person.
#include <QUrl>

#include "analysis/report_grid.h"
#include "analysis/web_views.h"
#include "app/settings.h"
#include "core/database.h"
#include "core/file_io.h"
#include "gui/analysis/web_window.h"
#include "gui/main/main_window.h"
#include "gui_test_support.h"

using namespace kindrela;

namespace {

std::string Lit(const std::string& chemin) {
  std::string texte;
  (void)LitFichier(chemin, texte);
  return texte;
}

}  // namespace

class MainWindowWebTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void pagesAreWrittenListedAndShownOutside() {
    QTemporaryDir maison;
    auto app = test::Application(maison);
    TScaWin w(*app);
    w.Initialise();
    w.sbNouveauClick();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    TBD& bd = *app->bd;
    const int s = bd.AjouteNouvelleSrc(1);
    bd.EcritChampSrc(s, 1, "Registre <paroissial>");
    app->reglages.SetBool(kSectionOptions, "WebBrowser", false);
    std::vector<std::string> ouverts;
    w.SetOuvreurExterne([&](const QString& chemin) {
      ouverts.push_back(DepuisQString(chemin));
      return true;
    });
    const std::string dossier = app->dossiers.exportHtml;

    w.MenuClick(kCmdArbreWeb);
    const std::string arbre = dossier + "arbre1.htm";
    QVERIFY(FichierExiste(arbre));
    QVERIFY(FichierExiste(dossier + "arbre1.jpg"));
    QVERIFY(Lit(arbre).find("<img src=\"arbre1.jpg\">") != std::string::npos);

    QCOMPARE(w.SourcesWeb(false), dossier + "source1.htm");
    QVERIFY(Lit(dossier + "source1.htm").find("<b>Registre &lt;paroissial&gt;</b>") != std::string::npos);
    // The report has no list yet: nothing to write for its persons.
    QVERIFY(w.SourcesWeb(true).empty());
    QCOMPARE(w.SourcesWeb(false), dossier + "source2.htm");

    TOptionsAscendance o;
    o.generations = 2;
    QCOMPARE(w.AscendanceWeb(o), dossier + "rapport1.htm");
    QVERIFY(Lit(dossier + "rapport1.htm").find("Il y a 3 personnes.") != std::string::npos);

    const std::vector<std::string> pages{arbre, dossier + "source1.htm", dossier + "source2.htm",
                                         dossier + "rapport1.htm"};
    QCOMPARE(ouverts, pages);
    QCOMPARE(app->fichiersWeb, pages);
    // A new tree starts a new list.
    w.Reset();
    QVERIFY(app->fichiersWeb.empty());
  }

  void builtInBrowserSelectsThePersonOfACardLink() {
    QTemporaryDir maison;
    auto app = test::Application(maison);
    TScaWin w(*app);
    w.Initialise();
    w.sbNouveauClick();
    app->reglages.SetBool(kSectionOptions, "WebBrowser", true);
    app->reglages.SetEntier(kSectionSauve, "HtmlNbre", 2);
    bool externe = false;
    w.SetOuvreurExterne([&](const QString&) { return externe = true; });
    const std::string page = w.SourcesWeb(false);
    QVERIFY(!page.empty());
    QVERIFY(!externe);
    TfmWeb& web = w.Web();
    QVERIFY(web.isVisible());
    QCOMPARE(web.PageCourante().toLocalFile(), VersQString(page));
    QCOMPARE(web.TexteEtat(), VersQString(page));

    // Two cards a page: the first card of page 2 is person 3.
    const QUrl lien("page2.htm#fiche1");
    web.Survole(lien, false);
    const std::string nom = app->bd->NomCourt(3);
    QCOMPARE(web.TexteEtat(), VersQString(FormateMsg(app->traduction.Msg(2135), {nom})));
    web.Survole(lien, true);
    QCOMPARE(web.TexteEtat(), VersQString(FormateMsg(app->traduction.Msg(2134), {nom})));
    QVERIFY(web.Suit(lien, false));
    QCOMPARE(w.SelecPers(), 3);
    // No such person: an ordinary link, followed in the browser.
    QCOMPARE(web.PersonneDuLienUrl(QUrl("page9.htm#fiche1")), 0);
    QVERIFY(!web.Suit(QUrl("page9.htm#fiche1"), false));
    QCOMPARE(w.SelecPers(), 3);

  }
};

QTEST_MAIN(MainWindowWebTest)
#include "main_window_web_test.moc"
