// The report window and its options on a small tree.
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

#include "gui_test_support.h"

#include "core/file_io.h"
#include "gui/analysis/report_options.h"
#include "gui/analysis/report_window.h"

using namespace kindrela;

namespace {

class ReportWindowTest : public QObject {
  Q_OBJECT
 private:
  QTemporaryDir m_maison;
  std::unique_ptr<TApplication> m_app;
  std::unique_ptr<TfmRapport> m_rapport;
  std::unique_ptr<TfmRapportCritere> m_critere;
  int m_selec = 1;
  QStringList m_ouverts;
  bool m_ouvreurPresent = true;

  QString Cellule(int ligne, int colonne) {
    QAbstractItemModel* m = m_rapport->Grille()->model();
    return m->data(m->index(ligne, colonne)).toString();
  }
  int Lignes() { return m_rapport->Grille()->model()->rowCount(); }

 private slots:
  void init() {
    m_app = test::Application(m_maison);
    test::ArbreExemple(*m_app->bd);
    (void)LitFichier(m_app->dossiers.fichierStyleCss, m_app->styleCss);
    // The shipped report folder, in a copy that saving must leave alone.
    const QString rapport = m_maison.path() + "/rapport/";
    QDir().mkpath(rapport);
    for (const QFileInfo& f : QDir(VersQString(m_app->dossiers.rapport)).entryInfoList(QDir::Files))
      QFile::copy(f.absoluteFilePath(), rapport + f.fileName());
    m_app->dossiers.rapport = DepuisQString(rapport);
    m_rapport = std::make_unique<TfmRapport>(*m_app);
    m_rapport->SetOuvreur([this](const QString& chemin) {
      m_ouverts << chemin;
      return m_ouvreurPresent;
    });
    m_critere = std::make_unique<TfmRapportCritere>(
        *m_app, *m_rapport, [this] { return m_selec; }, [] { return TR(1); });
  }
  void cleanup() {
    m_critere.reset();
    m_rapport.reset();
    m_app.reset();
  }

  void predefinedReportFillsTheGridWithItsCaption() {
    QVERIFY(m_rapport->LancePredefini(2, TOptionsPredefini{}));
    QCOMPARE(Lignes(), 1);
    QCOMPARE(Cellule(0, 0), QString("DUPONT Pierre"));
    QCOMPARE(m_rapport->Grille()->model()->headerData(2, Qt::Horizontal).toString(), QString("Femme"));
    QCOMPARE(m_rapport->windowTitle(), QString("Liste des unions (1 unions)"));
    QVERIFY(!m_app->rapport.Liste());
    // Rows coloured from the style sheet: one in two.
    const QColor pair = m_rapport->Grille()->model()->data(m_rapport->Grille()->model()->index(0, 0), Qt::BackgroundRole).value<QColor>();
    int r = 0, g = 0, b = 0;
    QVERIFY(LitCouleurCss(ProprieteCss(m_app->styleCss, ".rowPair", "background-color"), r, g, b));
    QCOMPARE(pair, QColor(r, g, b));
    // The statistics' columns become a two-column report.
    m_rapport->CopieStatistique("Age", {"0+", "10+"}, {3, 4});
    QCOMPARE(Lignes(), 2);
    QCOMPARE(Cellule(1, 1), QString("4"));
    QCOMPARE(m_rapport->windowTitle(), QString("Age"));
  }

  void aListIsShownWithTheModelAndSortedByATitle() {
    QVERIFY(m_rapport->ChargeModele({}));
    QVERIFY(m_rapport->MontreListe(AllPersons(*m_app->bd), "Toutes les personnes"));
    QCOMPARE(Lignes(), 3);
    QCOMPARE(m_rapport->windowTitle(), QString("Toutes les personnes (3 personnes)"));
    // Column 1 holds the given names: Jean, Pierre, Zoé.
    m_rapport->TrieColonne(1);
    QCOMPARE(Cellule(0, 1), QString("Jean"));
    m_rapport->TrieColonne(1);
    QCOMPARE(Cellule(0, 1), VersQString("Zoé"_ansi));
    QVERIFY(m_rapport->Grille()->horizontalHeader()->isSortIndicatorShown());
    QCOMPARE(m_rapport->Grille()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    // The selected person's row is selected.
    m_rapport->SetSelecPers(2);
    QCOMPARE(m_rapport->Grille()->currentIndex().row(), m_app->rapport.grille.LigneDe(2));
    // A click on a row selects its person.
    QSignalSpy choisie(m_rapport.get(), &TfmRapport::PersonneChoisie);
    m_rapport->show();
    QTableView* vue = m_rapport->Grille();
    QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, vue->visualRect(vue->model()->index(0, 0)).center());
    QCOMPARE(choisie.count(), 1);
    QCOMPARE(choisie.at(0).at(0).toInt(), m_app->rapport.grille.Personne(0));
  }

  void theWebPageExportTakesTheNextFreeName() {
    QVERIFY(m_rapport->LancePredefini(7, TOptionsPredefini{}));
    m_rapport->ExporteNavigateur();
    m_rapport->ExporteNavigateur();
    std::string page;
    QVERIFY(LitFichier(m_app->dossiers.exportHtml + "rapport2.htm", page).ok());
    // The site's grid page: its templates, its foot, its style sheet beside.
    QVERIFY(page.find("<div class=\"rapport\">") != std::string::npos);
    QVERIFY(page.find("\">Paris</td>") != std::string::npos);
    QVERIFY(page.find("Page créée par"_ansi) != std::string::npos);
    QVERIFY(FichierExiste(m_app->dossiers.exportHtml + "style.css"));
    QCOMPARE(m_ouverts.size(), 2);
    QVERIFY(m_ouverts.back().endsWith("rapport2.htm"));
    // No program for spreadsheets: the window says where the file is.
    m_ouvreurPresent = false;
    test::Repondeur ok;
    m_rapport->ExporteTableur();
    QTRY_COMPARE(ok.Nbre(), 1);
    QVERIFY(ok.Texte().contains("rapport1.csv"));
    QVERIFY(FichierExiste(m_app->dossiers.exportHtml + "rapport1.csv"));
  }

  void kinshipPanelBuildsTheList() {
    m_critere->MontrePanneau(TfmRapportCritere::kCritere);
    auto* liste = m_critere->findChild<QListWidget*>("lbAfficher");
    QVERIFY(liste);
    liste->setCurrentRow(3);  // the parents: built at once
    QCOMPARE(Lignes(), 2);
    QCOMPARE(m_app->rapport.Titre(), std::string("Les parents de DUPONT Jean"));
    QVERIFY(!m_critere->findChild<QWidget*>("seGen")->isVisible());
    liste->setCurrentRow(1);
    QVERIFY(m_critere->findChild<QWidget*>("seGen")->isVisible());
  }

  void predefinedPanelRunsOnAClick() {
    m_critere->MontrePanneau(TfmRapportCritere::kPredefinis);
    auto* liste = m_critere->findChild<QListWidget*>("lbDef");
    liste->setCurrentRow(7);
    QVERIFY(m_critere->findChild<QWidget*>("cbLieux")->isVisible());
    QVERIFY(!m_critere->findChild<QWidget*>("seCons")->isVisible());
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, liste->visualItemRect(liste->item(7)).center());
    QCOMPARE(Lignes(), 1);
    QCOMPARE(Cellule(0, 0), QString("Paris"));
  }

  void columnTypesAreTypedByTheirFirstLetter() {
    m_critere->MontrePanneau(TfmRapportCritere::kColonnes);
    auto* grille = m_critere->findChild<QTableWidget*>("sgCol");
    QVERIFY(grille->rowCount() >= 2);
    grille->setFocus();
    grille->setCurrentCell(0, 2);
    QTest::keyClick(grille, Qt::Key_N);
    QCOMPARE(grille->item(0, 2)->text(), QString("Nombre"));
    test::Repondeur ok;
    QTest::keyClick(grille, Qt::Key_X);
    QCOMPARE(grille->item(0, 2)->text(), QString());
    QTRY_COMPARE(ok.Nbre(), 1);
    QVERIFY(ok.Texte().contains("\"t\""));
    // Saved, read back, listed.
    QVERIFY(m_critere->SauveModele("essai", true));
    QVERIFY(m_rapport->ChargeModele("essai"));
    QCOMPARE(m_rapport->Modele().colonnes.front().type, std::string());
    // Into the user's folder, listed with the shipped models.
    QVERIFY(!FichierExiste(m_app->dossiers.rapport + "essai.kdr"));
    QVERIFY(FichierExiste(m_app->dossiers.rapportUtilisateur + "essai.kdr"));
    const std::vector<std::string> noms =
        ListeModeles(m_app->dossiers.rapportUtilisateur, m_app->dossiers.rapport, ".kdr");
    QVERIFY(std::find(noms.begin(), noms.end(), "essai") != noms.end());
    QVERIFY(std::find(noms.begin(), noms.end(), "standard") != noms.end());
  }

  void advancedSearchEvaluatesAsItIsTyped() {
    m_critere->MontrePanneau(TfmRapportCritere::kAvance);
    m_critere->findChild<QLineEdit*>("echp1")->setText("<nom>");
    m_critere->findChild<QComboBox*>("cbsign1")->setCurrentIndex(0);
    QVERIFY(m_critere->findChild<QWidget*>("cbetou1")->isVisibleTo(m_critere.get()));
    QVERIFY(!m_critere->findChild<QWidget*>("echp2")->isVisibleTo(m_critere.get()));
    m_critere->findChild<QLineEdit*>("ecomp1")->setText("MARTIN");
    QCOMPARE(Lignes(), 1);
    QCOMPARE(m_app->rapport.PersonnesDesLignes().Vecteur(), std::vector<int>{3});
    m_critere->findChild<QComboBox*>("cbetou1")->setCurrentIndex(2);  // OU
    QVERIFY(m_critere->findChild<QWidget*>("echp2")->isVisibleTo(m_critere.get()));
    m_critere->findChild<QComboBox*>("cbsign2")->setCurrentIndex(0);
    m_critere->findChild<QLineEdit*>("ecomp2")->setText("Jean");
    m_critere->findChild<QLineEdit*>("echp2")->setText("<prénoms>");
    QCOMPARE(Lignes(), 2);
    QCOMPARE(m_app->rapport.legende, "Rapport personnalisé (2 personnes)"_ansi);
  }
};

}  // namespace

QTEST_MAIN(ReportWindowTest)
#include "report_window_test.moc"
