// The main window's web views: the chart page (command 207), the source
// page, the ancestry page, the list of pages the site links, and the
// built-in browser turning a card link into the selected person.
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QUrl>

#include "analysis/report_grid.h"
#include "analysis/report_html.h"
#include "analysis/web_page.h"
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

size_t Compte(const std::string& texte, const std::string& motif) {
  size_t n = 0;
  for (size_t i = texte.find(motif); i != std::string::npos; i = texte.find(motif, i + 1)) ++n;
  return n;
}

bool Liste(const std::vector<std::string>& fichiers, const std::string& chemin) {
  return std::find(fichiers.begin(), fichiers.end(), chemin) != fichiers.end();
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
    // Ctrl pressed or released over the link says what a click now does.
    QWidget* vue = web.findChild<QWidget*>("WebBrowser");
    emit qobject_cast<QTextBrowser*>(vue)->highlighted(lien);
    QTest::keyPress(vue, Qt::Key_Control, Qt::ControlModifier);
    QCOMPARE(web.TexteEtat(), VersQString(FormateMsg(app->traduction.Msg(2134), {nom})));
    QTest::keyRelease(vue, Qt::Key_Control);
    QCOMPARE(web.TexteEtat(), VersQString(FormateMsg(app->traduction.Msg(2135), {nom})));
    QVERIFY(web.Suit(lien, false));
    QCOMPARE(w.SelecPers(), 3);
    // No such person: an ordinary link, followed in the browser.
    QCOMPARE(web.PersonneDuLienUrl(QUrl("page9.htm#fiche1")), 0);
    QVERIFY(!web.Suit(QUrl("page9.htm#fiche1"), false));
    QCOMPARE(w.SelecPers(), 3);

    // With Ctrl the card opens in a page of its own; the selection stays.
    app->bd->EcritNom(2, "DURAND");
    app->bd->EcritPrenoms(2, "Paul");
    QVERIFY(web.Suit(QUrl("page1.htm#fiche2"), true));
    const std::string webfiche = app->dossiers.exportHtml + "webfiche.htm";
    QCOMPARE(web.PageCourante().toLocalFile(), VersQString(webfiche));
    QCOMPARE(w.SelecPers(), 3);
    const std::string carte = Lit(webfiche);
    QVERIFY(carte.find("<title>" + app->traduction.Msg(557) + " DURAND Paul.</title>") != std::string::npos);
    // The table form, as the options have it by default.
    QVERIFY(carte.find("<div class=\"fichetableau\">") != std::string::npos);
    QVERIFY(Liste(app->fichiersWeb, webfiche));
  }

  void recordExportWritesTheSitesCardsForThePageOrTheWordProcessor() {
    QTemporaryDir maison;
    auto app = test::Application(maison);
    TScaWin w(*app);
    w.Initialise();
    w.sbNouveauClick();
    TBD& bd = *app->bd;
    app->reglages.SetBool(kSectionOptions, "WebBrowser", false);
    app->reglages.SetEntier(kSectionSauve, "HtmlNbre", 2);
    app->reglages.SetEntier(kSectionOptions, "FicheForme", 0);
    std::vector<std::string> ouverts;
    bool programme = true;
    w.SetOuvreurExterne([&](const QString& chemin) {
      ouverts.push_back(DepuisQString(chemin));
      return programme;
    });
    const std::string dossier = app->dossiers.exportHtml;
    const int r = w.SelecPers();
    bd.EcritNom(r, "<b>\"DUPONT\"</b>");
    bd.EcritPrenoms(r, "Jean");
    const int pere = bd.Fiche(r).NumP;
    QVERIFY(pere > 0);

    // The chooser's entry `entree`, with the enabled entries checked.
    auto choisit = [&](int entree, bool rapport) {
      test::QuandVisible("fmChoixExport", [entree, rapport](QWidget* d) {
        for (int e : {1, 2, 6}) QVERIFY(d->findChild<QRadioButton*>(QString("rbExport%1").arg(e))->isEnabled());
        for (int e : {3, 4}) QCOMPARE(d->findChild<QRadioButton*>(QString("rbExport%1").arg(e))->isEnabled(), rapport);
        d->findChild<QRadioButton*>(QString("rbExport%1").arg(entree))->setChecked(true);
        d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
      });
      w.MenuClick(kCmdExporteFiche);
    };
    struct Cas {
      int entree;
      const char* fichier;
      bool page;    // a web page, listed for the site; else a document
      size_t cartes;
    };
    const std::string fiche = dossier + "fiche" + std::to_string(r) + ".htm";
    for (const Cas& c : {Cas{1, "", true, 1}, Cas{2, "", false, 1}, Cas{3, "fiches1.htm", true, 2},
                         Cas{4, "fiches1.doc", false, 2}, Cas{3, "fiches2.htm", true, 2}}) {
      const bool rapport = c.entree >= 3;
      if (rapport && !app->rapport.Liste()) {
        TR liste;
        liste.Add(r);
        liste.Add(pere);
        app->rapport.ChangeListe(liste, "Famille");
      }
      choisit(c.entree, rapport);
      const std::string chemin = rapport ? dossier + c.fichier : c.page ? fiche : ChangeExtension(fiche, ".doc");
      QCOMPARE(ouverts.back(), chemin);
      QCOMPARE(Liste(app->fichiersWeb, chemin), c.page);
      const std::string page = Lit(chemin);
      // The site's card writer, its frame and its links to the cards.
      QCOMPARE(Compte(page, "<div class=\"fichelitteraire\">"), c.cartes);
      QCOMPARE(Compte(page, "<p><div class=\"fichelitteraire\">"), rapport ? c.cartes : 0);
      QVERIFY(page.find("<a href=\"" + LienFiche(pere, 2) + "\">") != std::string::npos);
      QVERIFY(page.find("Page créée par"_ansi) != std::string::npos);
      QVERIFY(page.find("&lt;b&gt;&quot;DUPONT&quot;&lt;/b&gt; Jean") != std::string::npos);
      QVERIFY(page.find("<b>\"DUPONT") == std::string::npos);
      if (!rapport)
        QVERIFY(page.find("<title>" + app->traduction.Msg(557) + " &lt;b&gt;&quot;DUPONT&quot;&lt;/b&gt; Jean.</title>") !=
                std::string::npos);
    }
    QVERIFY(FichierExiste(dossier + "style.css"));

    // No program for documents: the user is told where the file is.
    programme = false;
    {
      test::Repondeur ok;
      QCOMPARE(w.FichesWeb(false, true), ChangeExtension(fiche, ".doc"));
      QTRY_COMPARE(ok.Nbre(), 1);
      QVERIFY(ok.Texte().contains(VersQString(ChangeExtension(fiche, ".doc"))));
    }
    // Without the templates nothing is written, and the user is told.
    QVERIFY(QFile::remove(VersQString(fiche)));
    app->dossiers.exportHtmlDefaut = DepuisQString(maison.path()) + "/absent/";
    test::Repondeur ok;
    QVERIFY(w.FichesWeb(false, false).empty());
    QTRY_COMPARE(ok.Nbre(), 1);
    QVERIFY(ok.Texte().contains("header.txt"));
    QVERIFY(!FichierExiste(fiche));
  }
};

QTEST_MAIN(MainWindowWebTest)
#include "main_window_web_test.moc"
