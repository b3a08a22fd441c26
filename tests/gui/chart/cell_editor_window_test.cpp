// The cell editor driven on the example tree from the main window: every
// tab writes into the chart's look, a saved look reloads key for key with
// its thumbnail, the look list, and the tag editor's live expansion.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>

#include "chart/cell_editor.h"
#include "core/file_io.h"
#include "gui/chart/cell_editor_window.h"
#include "gui/chart/chart_view.h"
#include "gui/chart/tag_editor.h"
#include "gui/common/radio_group.h"
#include "gui/main/main_window.h"
#include "gui_test_support.h"

using namespace kindrela;
using kindrela::test::Application;
using kindrela::test::Repondeur;

class CellEditorWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir m_maison;
  std::unique_ptr<TApplication> m_app;
  std::unique_ptr<TScaWin> m_w;
  TfmCellule* m_c = nullptr;

  template <typename T>
  T* Ctrl(const char* nom) {
    T* t = m_c->findChild<T*>(nom);
    if (!t) qFatal("no control %s", nom);
    return t;
  }
  TApparence& Chart() { return m_w->Arbre().Apparence(); }
  // Clicks item n of a group of choices, as a user does.
  void Choisit(const char* groupe, int n) {
    QList<QRadioButton*> boutons = Ctrl<TRadioGroup>(groupe)->findChildren<QRadioButton*>();
    QVERIFY(n < boutons.size());
    boutons[n]->click();
  }

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    m_app = Application(m_maison);
    // Looks are saved into a copy of the look folder, never into the sources.
    const QString looks = m_maison.path() + "/arbre/";
    QDir().mkpath(looks);
    for (const QString& f : QDir(VersQString(m_app->dossiers.arbre)).entryList({"*.kda"}, QDir::Files))
      QFile::copy(VersQString(m_app->dossiers.arbre) + f, looks + f);
    m_app->dossiers.arbre = DepuisQString(looks);
    m_app->dossiers.fichierApparenceDefaut = DepuisQString(looks + "Standard.kda");
    m_w = std::make_unique<TScaWin>(*m_app);
    m_w->Initialise();
    const std::string arbre = m_app->dossiers.mesArbres + "Standard.kdg";
    QFile::copy(QString(KINDRELA_SOURCE_DIR) + "/data/modele/1/exemple/Standard.kdg", VersQString(arbre));
    QVERIFY(m_w->ChargeFichier(arbre, true));
    m_w->MenuClick(kCmdApparence);
    m_c = m_w->Cellule();
    QVERIFY(m_c && m_c->isVisible());
  }

  void backgroundMenuOpensAndCommandTogglesTheEditor() {
    m_w->MenuClick(kCmdApparence);
    QVERIFY(!m_c->isVisible());
    // "Modifier l'apparence" of the chart's background menu shows it again.
    bool choisi = false;
    QTimer cherche;
    connect(&cherche, &QTimer::timeout, this, [&] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* menu = qobject_cast<QMenu*>(w);
        if (!menu || menu->objectName() != "PM_Arbre" || !menu->isVisible() || choisi) continue;
        choisi = true;
        if (auto* a = menu->findChild<QAction*>("psApparence")) a->trigger();
        menu->close();
      }
    });
    cherche.start(10);
    emit m_w->Arbre().MenuFond(m_w->mapToGlobal(QPoint(200, 200)));
    cherche.stop();
    QVERIFY(choisi);
    QVERIFY(m_c->isVisible());
    QCOMPARE(Ctrl<QComboBox>("cbPour")->currentIndex(), 0);
    QCOMPARE(Ctrl<QLineEdit>("eFile")->text(), QString("Standard"));
  }

  void typedTextReachesTheChartWhenAnotherLineIsSelected() {
    auto* lignes = Ctrl<QListWidget>("LB");
    QCOMPARE(lignes->count(), Chart().Aff[0].LigneNbre);
    lignes->setCurrentRow(0);
    auto* e = Ctrl<QLineEdit>("E");
    e->selectAll();
    QTest::keyClicks(e, "<nom>!");
    QVERIFY(m_c->TextePendant());
    QCOMPARE(lignes->item(0)->text(), QString("<nom>!"));
    QVERIFY(Chart().Aff[0].Lignes[0].Modele != "<nom>!");  // pending until applied
    Ctrl<QToolButton>("sbAjoute")->click();                // applies at once with cbApp
    QCOMPARE(Chart().Aff[0].Lignes[1].Modele, std::string("<nom>!"));
    QCOMPARE(Chart().Aff[0].Lignes[0], TLigne::Nouvelle());
    QCOMPARE(Chart().Aff[1].Lignes[1].Modele, std::string("<nom>!"));  // "tout l'arbre"
    Ctrl<QToolButton>("sbSupprime")->click();
    QCOMPARE(Chart().Aff[0].Lignes[0].Modele, std::string("<nom>!"));
  }

  void boldAndAlignmentGoToTheChart() {
    Ctrl<QListWidget>("LB")->setCurrentRow(0);
    const bool gras = Chart().Aff[0].Lignes[0].FontStyle & kStyleGras;
    Ctrl<QToolButton>("sbGras")->click();
    Ctrl<QToolButton>("sbDroite")->click();
    QCOMPARE(bool(Chart().Aff[0].Lignes[0].FontStyle & kStyleGras), !gras);
    if (gras) Ctrl<QToolButton>("sbGras")->click();
    QCOMPARE(Chart().Aff[0].Lignes[0].Align, std::uint8_t(kAlignDroite));
    QVERIFY(Ctrl<QListWidget>("LB")->item(0)->font().bold());
  }

  void styleTabKeepsEachHalfsArrangement() {
    Chart().Aff[0].Style = kAscHorizontal;
    Chart().Aff[1].Style = kDescVertical;
    Ctrl<QSpinBox>("seLargeur")->setValue(173);
    Ctrl<QSpinBox>("seGeneration")->setValue(4);
    QCOMPARE(Chart().Aff[0].Large, 173);
    QCOMPARE(Chart().Aff[1].Large, 173);
    QCOMPARE(Chart().Aff[0].NbreGen, 4);
    QCOMPARE(Chart().Aff[0].Style, std::uint8_t(kAscHorizontal));
    QCOMPARE(Chart().Aff[1].Style, std::uint8_t(kDescVertical));
    QVERIFY(!m_w->Arbre().Boites().empty());
    QCOMPARE(m_w->Arbre().Donnees().boites.front().moitie > 0, true);
  }

  void descendantsOnlyChangeHalfTwo() {
    Ctrl<QComboBox>("cbPour")->setCurrentIndex(kPourDescendance);
    Ctrl<QSpinBox>("seLargeur")->setValue(90);
    QCOMPARE(Chart().Aff[1].Large, 90);
    QCOMPARE(Chart().Aff[0].Large, 173);
    Ctrl<QComboBox>("cbPour")->setCurrentIndex(kPourTout);
    QCOMPARE(Ctrl<QSpinBox>("seLargeur")->value(), 173);
  }

  void sexTabShowsTheFillControlsAndStoresTheLook() {
    m_c->findChild<QTabWidget*>("PageControl")->setCurrentIndex(1);
    Ctrl<QComboBox>("cbSexe")->setCurrentIndex(1);  // women
    Choisit("rgFond", kFondTexture);
    QCOMPARE(Chart().Aff[0].F.Fond, kFondTexture);
    QCOMPARE(Ctrl<QAbstractButton>("bChoix")->text(), QString("Texture..."));
    QVERIFY(Ctrl<QLabel>("iTexture")->isVisibleTo(m_c));
    QVERIFY(!Ctrl<QLineEdit>("eTexture")->isVisibleTo(m_c));
    Choisit("rgFond", kFondTextureCalculee);
    QVERIFY(Ctrl<QLineEdit>("eTexture")->isVisibleTo(m_c));
    auto* texte = Ctrl<QLineEdit>("eTexture");
    texte->setText("<nom>.png");
    emit texte->editingFinished();
    QCOMPARE(Chart().Aff[0].F.Texture, std::string("<nom>.png"));
    Ctrl<QCheckBox>("cbCadre")->setChecked(false);
    QVERIFY(!Ctrl<QCheckBox>("cbOmbre")->isEnabled());
    QVERIFY(!Chart().Aff[0].F.Cadre);
    QVERIFY(Chart().Aff[0].H.Cadre);  // the men's look is left as it was
    Ctrl<QCheckBox>("cbCadre")->setChecked(true);
    Choisit("rgFond", kFondCouleur);
  }

  void equalMarginsAndTheMarginAid() {
    Ctrl<QCheckBox>("cbMargesIdentiques")->setChecked(true);
    Ctrl<QSpinBox>("seMargeBas")->setValue(7);
    for (int v : {Chart().Aff[0].MargeHaut, Chart().Aff[0].MargeBas, Chart().Aff[0].MargeDroite,
                  Chart().Aff[0].MargeGauche})
      QCOMPARE(v, 7);
    Ctrl<QCheckBox>("cbMargesIdentiques")->setChecked(false);
    Ctrl<QCheckBox>("cbAideMarges")->setChecked(true);
    QVERIFY(m_w->Arbre().Contexte().aideMarges);
  }

  void linksTabShowsTexturesOnlyForTextureMode() {
    Choisit("rgRelier", kRelierTexture);
    QVERIFY(!Ctrl<QWidget>("pTextures")->isHidden());
    QCOMPARE(Chart().Aff[0].Relier, std::uint8_t(kRelierTexture));
    Choisit("rgRelier", kRelierDroit);
    QVERIFY(Ctrl<QWidget>("pTextures")->isHidden());
    Ctrl<QSpinBox>("seEpaisseur")->setValue(3);
    QCOMPARE(Chart().Aff[1].RelierLarge, 3);
  }

  void savedLookReloadsKeyForKeyWithItsThumbnail() {
    const TDossiers& d = m_app->dossiers;
    const TDossiersImages images{d.modele, d.programme, d.imageArbre, m_app->fichierCourant};
    Ctrl<QLineEdit>("eFile")->setText("Essai");
    Ctrl<QAbstractButton>("sbSauve")->click();
    // Into the user's folder: the installation's may be read-only.
    const std::string utilisateur = d.paramUtilisateur + "arbre/";
    const std::string fichier = utilisateur + "Essai.kda";
    QVERIFY(FichierExiste(fichier));
    QVERIFY(FichierExiste(utilisateur + "Essai.png"));
    QVERIFY(!FichierExiste(d.arbre + "Essai.kda"));
    QImage vignette(VersQString(utilisateur + "Essai.png"));
    QCOMPARE(vignette.width(), Chart().Aff[0].Large);

    std::string ecrit;
    QVERIFY(LitFichier(fichier, ecrit).ok());
    QCOMPARE(ecrit, TexteLook(Chart(), images));
    TApparence relu;
    QVERIFY(LoadLook(fichier, images, relu));
    QCOMPARE(TexteLook(relu, images), ecrit);
    // Every value the file holds: the chart's own sizes are computed at
    // each build, lines past the count are not part of the look.
    auto Tenu = [](T1Aff a) {
      a.EcartH = a.EcartV = a.Hauteur = 0;
      for (size_t i = static_cast<size_t>(a.LigneNbre); i < a.Lignes.size(); ++i) a.Lignes[i] = TLigne{};
      return a;
    };
    QVERIFY(Tenu(relu.Aff[0]) == Tenu(Chart().Aff[0]));
    QVERIFY(Tenu(relu.Aff[1]) == Tenu(Chart().Aff[1]));
    QVERIFY(relu.ColorEcran == Chart().ColorEcran);
    QCOMPARE(relu.TextEcran, Chart().TextEcran);
    QCOMPARE(relu.Aff[0].Lignes[0].Modele, std::string("<nom>!"));

    // The list shows it with its thumbnail; a look without one by name.
    auto* liste = Ctrl<QListWidget>("lbFileList");
    QListWidgetItem* essai = nullptr;
    QListWidgetItem* sansVignette = nullptr;
    for (int i = 0; i < liste->count(); ++i) {
      if (liste->item(i)->text() == "essai") essai = liste->item(i);
      if (liste->item(i)->text() == "couleurs") sansVignette = liste->item(i);
    }
    QVERIFY(essai && sansVignette);
    QVERIFY(!essai->data(Qt::DecorationRole).value<QPixmap>().isNull());
    QVERIFY(sansVignette->data(Qt::DecorationRole).value<QPixmap>().isNull());

    // Saving again asks first; "no" leaves the file alone.
    Ctrl<QSpinBox>("seEcartHorz")->setValue(55);
    {
      Repondeur non(QMessageBox::No);
      QVERIFY(!m_c->Enregistre("Essai"));
      QCOMPARE(non.Nbre(), 1);
    }
    std::string apres;
    QVERIFY(LitFichier(fichier, apres).ok());
    QCOMPARE(apres, ecrit);
    {
      Repondeur oui(QMessageBox::Yes);
      QVERIFY(m_c->Enregistre("Essai"));
    }
    QVERIFY(LoadLook(fichier, images, relu));
    QCOMPARE(relu.Aff[0].EcartHorz, 55);
    // A name of the installation's looks is asked about too.
    {
      Repondeur non(QMessageBox::No);
      QVERIFY(!m_c->Enregistre("couleurs"));
      QCOMPARE(non.Nbre(), 1);
    }
    QVERIFY(!FichierExiste(utilisateur + "couleurs.kda"));
  }

  void choosingALookMakesItTheWorkingLook() {
    auto* combo = Ctrl<QComboBox>("CB_FileList");
    const int i = combo->findText("couleurs");
    QVERIFY(i >= 0);
    TApparence couleurs;
    const TDossiers& d = m_app->dossiers;
    LoadLook(d.arbre + "Couleurs.kda", TDossiersImages{d.modele, d.programme, d.imageArbre, {}}, couleurs);
    m_c->ChoisitLook("couleurs");
    QCOMPARE(m_c->Travail().H, couleurs.Aff[0].H);
    QCOMPARE(Chart().Aff[0].H, couleurs.Aff[0].H);
    QCOMPARE(Ctrl<QLineEdit>("eFile")->text(), QString("couleurs"));
  }

  void tagEditorBuildsTagsAndShowsTheExpansion() {
    TBD& bd = *m_app->bd;
    int enfant = 0;
    for (int n = bd.FicheSuivante(0); n; n = bd.FicheSuivante(n))
      if (bd.LitPere(n) > 0) { enfant = n; break; }
    QVERIFY(enfant > 0);
    TfmEdite editeur(*m_app, enfant, "");
    editeur.findChild<QComboBox*>("cbQui")->setCurrentIndex(1);    // the father
    editeur.findChild<QComboBox*>("cbChamp")->setCurrentIndex(1);  // the surname
    editeur.findChild<QAbstractButton*>("bAjouter")->click();
    QCOMPARE(editeur.Texte(), VersQString("<père><nom> "_ansi));
    QCOMPARE(editeur.findChild<QLabel*>("lApercu")->text().trimmed(),
             VersQString(bd.LitNom(bd.LitPere(enfant))));
    editeur.findChild<QAbstractButton*>("bEfface")->click();
    QVERIFY(editeur.Texte().isEmpty());
  }

  void okAppliesPendingTextAndHides() {
    Ctrl<QCheckBox>("cbApp")->setChecked(false);
    Ctrl<QListWidget>("LB")->setCurrentRow(0);
    auto* e = Ctrl<QLineEdit>("E");
    e->selectAll();
    QTest::keyClicks(e, "<pre>");
    Ctrl<QAbstractButton>("bOk")->click();
    QVERIFY(!m_c->isVisible());
    QVERIFY(!m_w->Arbre().Contexte().aideMarges);
    QCOMPARE(Chart().Aff[0].Lignes[0].Modele, std::string("<pre>"));
  }

  void cleanupTestCase() {
    m_w.reset();
    m_app.reset();
  }
};

QTEST_MAIN(CellEditorWindowTest)
#include "cell_editor_window_test.moc"
