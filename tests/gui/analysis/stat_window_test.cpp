// The bar graph painted on an offscreen picture, and the statistics window
// on a small tree.
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QtTest>

#include "gui_test_support.h"

#include "core/file_io.h"

#include "gui/analysis/bar_graph_widget.h"
#include "gui/analysis/report_window.h"
#include "gui/analysis/stat_window.h"

using namespace kindrela;

namespace {

QImage Peint(const TGraphe& g, int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::gray);
  QPainter p(&image);
  PeintGraphe(p, g, image.rect());
  return image;
}

QColor Pixel(const QImage& i, int x, int y) { return QColor(i.pixel(x, y)); }

class StatWindowTest : public QObject {
  Q_OBJECT
 private:
  QTemporaryDir m_maison;
  std::unique_ptr<TApplication> m_app;
  std::unique_ptr<TfmRapport> m_rapport;
  std::unique_ptr<TfmStat> m_stat;

 private slots:
  void init() {
    m_app = test::Application(m_maison);
    test::ArbreExemple(*m_app->bd);
    m_rapport = std::make_unique<TfmRapport>(*m_app);
    m_rapport->SetOuvreur([](const QString&) { return true; });
    m_stat = std::make_unique<TfmStat>(*m_app, *m_rapport);
  }
  void cleanup() {
    m_stat.reset();
    m_rapport.reset();
    m_app.reset();
  }

  void barsScaleAndLabelsArePainted() {
    TGraphe g;
    g.valX = {"a", "b", "c", "d"};
    g.valY = {"10", "0", "x", "40"};
    g.margeX = 42;
    const QImage i = Peint(g, 243, 220);
    const TDessinGraphe d = DessineGraphe(g, 0, 0, 243, 220);
    // Background, the two bars in the palette colours with a black outline,
    // the axes, an empty column.
    QCOMPARE(Pixel(i, 2, 2), QColor(Qt::white));
    const TRectangle b0 = d.barres[0].rect, b3 = d.barres[1].rect;
    QCOMPARE(Pixel(i, (b0.left + b0.right) / 2, (b0.top + b0.bottom) / 2), QColor(0, 0, 255));
    QCOMPARE(Pixel(i, (b3.left + b3.right) / 2, (b3.top + b3.bottom) / 2), QColor(0, 255, 255));
    QCOMPARE(Pixel(i, b0.left, (b0.top + b0.bottom) / 2), QColor(Qt::black));
    QCOMPARE(Pixel(i, b0.right - 1, b0.top), QColor(Qt::black));
    QCOMPARE(Pixel(i, b0.right, b0.top + 5), QColor(Qt::white));
    QCOMPARE(Pixel(i, d.axeX, 10), QColor(Qt::black));
    QCOMPARE(Pixel(i, 230, d.base), QColor(Qt::black));
    QCOMPARE(Pixel(i, 52 + 75, d.base - 5), QColor(Qt::white));
    // The tick of 5 and some text left of the axis.
    QCOMPARE(Pixel(i, d.axeX - 4, d.graduations[0].y), QColor(Qt::black));
    bool texte = false;
    for (int x = 0; x < d.axeX - 10; ++x)
      for (int y = d.graduations[0].y - 5; y <= d.graduations[0].y + 5; ++y) texte |= Pixel(i, x, y) != QColor(Qt::white);
    QVERIFY(texte);
    // Labels under the bars.
    bool etiquette = false;
    for (int x = b0.left; x < b0.right; ++x)
      for (int y = d.base + 2; y < 220; ++y) etiquette |= Pixel(i, x, y) != QColor(Qt::white);
    QVERIFY(etiquette);
  }

  void allZeroValuesPaintOnlyTheBackground() {
    TGraphe g;
    g.valY = {"0", "0", "0"};
    g.color = Rgb(10, 20, 30);
    const QImage i = Peint(g, 150, 150);
    for (int y = 0; y < 150; y += 7)
      for (int x = 0; x < 150; x += 7) QCOMPARE(Pixel(i, x, y), QColor(10, 20, 30));
  }

  void theControlReportsTheBarUnderThePointer() {
    TwexaGraph graphe;
    graphe.resize(192, 150);
    graphe.SetValX({"a", "b", "c"});
    graphe.SetValY({"3", "0", "6"});
    graphe.SetMargeX(41);
    QVERIFY(!graphe.SetColLarge(120));
    QSignalSpy clic(&graphe, &TwexaGraph::OnMouseColonneClick);
    QSignalSpy survol(&graphe, &TwexaGraph::OnMouseMove);
    graphe.show();
    QTest::mouseClick(&graphe, Qt::LeftButton, {}, QPoint(160, 100));
    QCOMPARE(clic.count(), 1);
    QCOMPARE(clic.at(0).at(0).toInt(), 2);
    QCOMPARE(clic.at(0).at(1).toLongLong(), 6LL);
    QTest::mouseClick(&graphe, Qt::LeftButton, {}, QPoint(100, 100));
    QCOMPARE(clic.count(), 1);
    QTest::mouseMove(&graphe, QPoint(60, 120));
    QTRY_VERIFY(!survol.isEmpty());
    QCOMPARE(survol.last().at(0).toInt(), 0);
  }

  void statisticsOfTheTreeAndABarIntoTheReport() {
    m_stat->show();
    QCOMPARE(m_stat->Statistique(), 7);  // age at death, the first shown
    m_stat->ChoisitStatistique(0);
    QCOMPARE(m_stat->Resultat().valY, (std::vector<long long>{2, 1}));
    QVERIFY(!m_stat->findChild<QWidget*>("pPas")->isVisible());
    m_stat->ClicColonne(0);
    QCOMPARE(m_app->rapport.PersonnesDesLignes().Vecteur(), (std::vector<int>{1, 2}));
    QCOMPARE(m_rapport->windowTitle(), VersQString("Répartion homme / femme : Hommes (2)=2"_ansi));
    // The report as the population.
    m_stat->ChoisitPopulation(TfmStat::kRapport);
    QCOMPARE(m_stat->PopulationCourante().Count(), 2);
    QCOMPARE(m_stat->Resultat().valY, (std::vector<long long>{2, 0}));
    QVERIFY(m_stat->findChild<QComboBox*>("cbPour")->currentText().contains("2"));
    // Copied into the report as labels and values.
    m_stat->VersRapport();
    QCOMPARE(m_app->rapport.grille.NbreLignes(), 2);
    QCOMPARE(m_app->rapport.grille.Colonnes()[0].titre, m_app->traduction.Msg(859));
    QCOMPARE(m_app->rapport.grille.Cellule(0, 1), std::string("2"));
    // The graph as a web page of the site's look.
    QStringList ouverts;
    m_rapport->SetOuvreur([&](const QString& chemin) {
      ouverts << chemin;
      return true;
    });
    m_stat->Exporte();
    QCOMPARE(ouverts.size(), 1);
    std::string page;
    QVERIFY(LitFichier(DepuisQString(ouverts[0]), page).ok());
    QVERIFY(page.find("Page créée par"_ansi) != std::string::npos);
    QVERIFY(page.find(".png\" alt=\"\">") != std::string::npos);
  }

  void emptyReportFallsBackToEverybody() {
    m_stat->show();
    test::Repondeur ok;
    m_stat->ChoisitPopulation(TfmStat::kRapport);
    QTRY_COMPARE(ok.Nbre(), 1);
    QCOMPARE(ok.Texte(), VersQString(m_app->traduction.Msg(701)));
    QCOMPARE(m_stat->PopulationCourante().Count(), 3);
    QCOMPARE(m_stat->findChild<QComboBox*>("cbPour")->currentIndex(), 0);
  }

  void windowEditsAreCorrected() {
    m_stat->show();
    m_stat->ChoisitStatistique(13);
    QVERIFY(m_stat->findChild<QWidget*>("pPas")->isVisible());
    m_stat->SaisitFenetre("2000", "1950", "0");
    QCOMPARE(m_stat->findChild<QLineEdit*>("eMax")->text(), QString("2001"));
    QCOMPARE(m_stat->findChild<QLineEdit*>("ePas")->text(), QString("1"));
    QCOMPARE(m_stat->Resultat().valX.size(), size_t{1});
    // Kept in the settings when the window hides.
    m_stat->hide();
    QCOMPARE(m_app->reglages.Entier(kSectionStat, "AnneeMax"), 2001);
  }

  void thePrintedPageHoldsTheGraph() {
    m_stat->show();
    m_stat->ChoisitStatistique(0);
    QImage page(800, 600, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
      QPainter p(&page);
      m_stat->PeintPage(p, page.rect());
    }
    // The men's bar, in the bar colour of the style sheet or the palette.
    int couleurs = 0;
    for (int y = 0; y < 600; y += 3)
      for (int x = 0; x < 800; x += 3) couleurs += QColor(page.pixel(x, y)).saturation() > 100;
    QVERIFY(couleurs > 500);
    // The same page as a PDF file.
    const QString pdf = m_maison.path() + "/stat.pdf";
    QVERIFY(m_stat->EcritPdf(pdf));
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.read(5) == "%PDF-");
    QVERIFY(f.size() > 1000);
    QVERIFY(!m_stat->EcritPdf(m_maison.path() + "/absent/stat.pdf"));
  }
};

}  // namespace

QTEST_MAIN(StatWindowTest)
#include "stat_window_test.moc"
