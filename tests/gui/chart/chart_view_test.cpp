// The chart on screen, on paper and in files: painted pixels, mouse
// signals, the questions the main window asks, the PDF and picture exports.
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QToolTip>
#include <QWheelEvent>
#include <QtTest>

#include "gui/chart/chart_print.h"
#include "gui/chart/chart_view.h"
#include "gui/chart/image_dialog.h"
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include "core/tree_file/tree_file_load.h"
#include "gui_test_support.h"

using namespace kindrela;

namespace {

constexpr TCouleur kVert = Rgb(10, 200, 30);
constexpr TCouleur kRose = Rgb(250, 120, 200);
constexpr TCouleur kBleuLien = Rgb(0, 0, 200);

QRgb Qrgb(TCouleur c) { return qRgb(c.r, c.g, c.b); }

// A plain look: one line, coloured faces without shadow or rounded corners,
// straight links, the vertical fan for the ancestors.
void LookSimple(TApparence& a) {
  for (T1Aff& m : a.Aff) {
    m.Relier = kRelierDroit;
    m.RelierColor = kBleuLien;
    m.RelierLarge = 4;
    m.Large = 100;
    m.Zoom = 100;
    m.LigneNbre = 1;
    m.H.Fond = kFondCouleur;
    m.H.Color = kVert;
    m.F.Fond = kFondCouleur;
    m.F.Color = kRose;
    m.F.Arrondis = false;
    m.H.Ombre = m.F.Ombre = false;
  }
  a.Aff[0].Style = kAscVertical;
  a.Aff[1].Style = kStyleAucun;
  a.ColorEcran = Rgb(255, 255, 255);
}

// Every box and link painted at zoom 100, the chart's own coordinates.
QImage Rendu(TAffArbre& arbre) {
  RectArbre e = arbre.Etendue();
  QImage image(std::max(1, e.Right + 20), std::max(1, e.Bottom + 20), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  arbre.Page()->scene()->render(&p, QRectF(0, 0, image.width(), image.height()),
                                QRectF(0, 0, image.width(), image.height()));
  return image;
}

int NbrePagesPdf(const QString& chemin) {
  QFile f(chemin);
  if (!f.open(QIODevice::ReadOnly)) return -1;
  const QByteArray octets = f.readAll();
  int n = 0;
  for (qsizetype i = octets.indexOf("/Type /Page"); i >= 0;
       i = octets.indexOf("/Type /Page", i + 1))
    if (octets.mid(i + 11, 1) != "s") ++n;  // not "/Type /Pages"
  return n;
}

}  // namespace

class ChartViewTest : public QObject {
  Q_OBJECT

  QTemporaryDir m_maison;
  std::unique_ptr<TApplication> m_app;
  std::unique_ptr<TAffArbre> m_arbre;
  int m_jean = 1, m_pierre = 2, m_zoe = 3;

  TBD& Bd() { return *m_app->bd; }
  // The box index of a person, -1 when it has none.
  int Boite(int personne) { return IndexBoitePersonne(m_arbre->Donnees(), personne); }
  QRect RectBoite(int personne) {
    const TApparence& a = m_arbre->Apparence();
    RectArbre r = RectEcran(m_arbre->Donnees().boites[size_t(Boite(personne))], a.Aff[0], a.Aff[1]);
    return QRect(r.Left, r.Top, r.Largeur(), r.Hauteur());
  }
  // A full ancestry of `generations` above person 1 (2^(g+1) - 1 persons).
  void Ascendance(int generations) {
    Bd().Vide();
    int premier = Bd().NouvelleFiche();
    std::vector<int> niveau{premier};
    for (int g = 0; g < generations; ++g) {
      std::vector<int> suivant;
      for (int c : niveau) {
        int p = Bd().NouvelleFiche(), m = Bd().NouvelleFiche();
        Bd().EcritNom(p, "NOM" + std::to_string(p));
        Bd().EcritNom(m, "NOM" + std::to_string(m));
        Bd().EcritSexe(m, 1);
        Bd().EcritPere(c, p);
        Bd().EcritMere(c, m);
        suivant.push_back(p);
        suivant.push_back(m);
      }
      niveau = suivant;
    }
    Bd().RefPers = premier;
    Bd().BaseChargee = 1;
    m_arbre->Apparence().Aff[0].NbreGen = generations;
  }

 private slots:
  void init() {
    m_app = test::Application(m_maison);
    m_app->mots.RetranslateTags(m_app->traduction);
    m_app->reglages.SetBool(kSectionGene, "ZoomAuto", false);
    m_app->reglages.SetBool(kSectionGene, "Print ZoomAuto", false);
    test::ArbreExemple(Bd());
    m_arbre = std::make_unique<TAffArbre>(*m_app);
    LookSimple(m_arbre->Apparence());
    m_arbre->Page()->resize(800, 600);
  }
  void cleanup() {
    m_arbre.reset();
    m_app.reset();
  }

  void paintsFacesFramesAndLinks() {
    m_arbre->Affiche();
    QCOMPARE(m_arbre->Donnees().boites.size(), size_t(3));
    QImage image = Rendu(*m_arbre);
    QRect pere = RectBoite(m_pierre), mere = RectBoite(m_zoe), jean = RectBoite(m_jean);
    // Filled faces in the colour of each sex, frames in black.
    QCOMPARE(image.pixel(pere.right() - 3, pere.center().y()), Qrgb(kVert));
    QCOMPARE(image.pixel(mere.right() - 3, mere.center().y()), Qrgb(kRose));
    QCOMPARE(image.pixel(pere.left(), pere.center().y()), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(pere.right(), pere.bottom()), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(pere.right() + 1, pere.center().y()), qRgb(255, 255, 255));
    // The father's link reaches down to the child's left edge.
    const LienArbre& l = m_arbre->Donnees().liens.front();
    std::vector<PointArbre> trace = TraceLien(l, false);
    QVERIFY(trace.size() == 2);
    QPoint milieu((trace[0].x + trace[1].x) / 2, (trace[0].y + trace[1].y) / 2);
    QCOMPARE(image.pixel(milieu), Qrgb(kBleuLien));
    // Selecting a person turns its frame red.
    m_arbre->AfficheSelecPers(m_jean);
    image = Rendu(*m_arbre);
    QCOMPARE(image.pixel(jean.left(), jean.center().y()), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(pere.left(), pere.center().y()), qRgb(0, 0, 0));
    // A collapsed branch is framed in blue.
    Bd().EcritReplie(m_pierre, 1);
    image = Rendu(*m_arbre);
    QCOMPARE(image.pixel(pere.left(), pere.center().y()), qRgb(0, 0, 255));
  }

  void shadowDrawsTheFaceOneUnitUpAndLeft() {
    for (T1Aff& m : m_arbre->Apparence().Aff) m.H.Ombre = true;
    m_arbre->Affiche();
    QImage image = Rendu(*m_arbre);
    QRect pere = RectBoite(m_pierre);
    // The face's frame ends one unit before the box's right and bottom
    // edges; the shadow fills the last column and row.
    QCOMPARE(image.pixel(pere.right() - 1, pere.center().y()), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(pere.right(), pere.center().y()), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(pere.right() - 2, pere.center().y()), Qrgb(kVert));
    QCOMPARE(image.pixel(pere.right(), pere.top()), qRgb(255, 255, 255));
  }

  void marginAidOutlinesTheBoxTheMarginsAndTheLines() {
    T1Aff& m = m_arbre->Apparence().Aff[0];
    m.MargeGauche = 10;  // 10 units of a 100-unit box
    m.MargeHaut = 20;
    m.LigneNbre = 2;
    m_arbre->Affiche();
    m_arbre->SetAideMarges(true);
    QImage image = Rendu(*m_arbre);
    QRect pere = RectBoite(m_pierre);
    QCOMPARE(image.pixel(pere.left(), pere.center().y()), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(pere.left() + 10, pere.bottom() - 1), qRgb(0, 128, 0));
    // Two lines: blue where the first ends and the second begins.
    const int haut = pere.top() + 20 * pere.height() / 100;
    const int ligne = HauteurLigneArbre(m_arbre->Cache(), m.Lignes[0]);
    QCOMPARE(image.pixel(pere.right() - 3, haut + ligne), qRgb(0, 0, 255));
    m_arbre->SetAideMarges(false);
    image = Rendu(*m_arbre);
    QCOMPARE(image.pixel(pere.left(), pere.center().y()), qRgb(0, 0, 0));
  }

  void texturesFillTheFaceAndAMissingOneLeavesItEmpty() {
    T1Aff& m = m_arbre->Apparence().Aff[0];
    m.H.Fond = kFondTexture;
    m.H.Texture = "marbre.png";
    m.H.Stretch = true;
    m.F.Fond = kFondTexture;
    m.F.Texture = "introuvable.png";
    m_arbre->Affiche();
    QImage image = Rendu(*m_arbre);
    QRect pere = RectBoite(m_pierre), mere = RectBoite(m_zoe);
    QImage texture(QString::fromStdString(m_app->dossiers.imageArbre + "marbre.png"));
    QVERIFY(!texture.isNull());
    QVERIFY(image.pixel(pere.center()) != qRgb(255, 255, 255));
    QCOMPARE(image.pixel(mere.center().x(), mere.top() + 3), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(mere.left(), mere.center().y()), qRgb(0, 0, 0));
  }

  void computedTexturesComeFromEachPersonsTemplate() {
    T1Aff& m = m_arbre->Apparence().Aff[0];
    m.H.Fond = kFondTextureCalculee;
    m.H.Texture = "<nom>.png";
    m.H.Stretch = true;
    Bd().EcritNom(m_pierre, "marbre");  // names the shipped texture
    m_arbre->Affiche();
    QImage image = Rendu(*m_arbre);
    QRect pere = RectBoite(m_pierre), jean = RectBoite(m_jean);
    QVERIFY(image.pixel(pere.right() - 3, pere.bottom() - 2) != qRgb(255, 255, 255));
    QCOMPARE(image.pixel(jean.right() - 3, jean.bottom() - 2), qRgb(255, 255, 255));
  }

  void textureLinksAreStretchedWithCyanTransparent() {
    QTemporaryDir dossier;
    QImage lien(8, 8, QImage::Format_RGB32);
    lien.fill(qRgb(0, 255, 255));
    for (int y = 0; y < 8; ++y) lien.setPixel(3, y, qRgb(200, 0, 0));
    lien.setPixel(4, 0, qRgb(200, 0, 0));
    QString chemin = dossier.filePath("lien.png");
    QVERIFY(lien.save(chemin));
    for (T1Aff& m : m_arbre->Apparence().Aff) {
      m.Relier = kRelierTexture;
      for (int k = 1; k <= 9; ++k) m.RelierTexture[size_t(k)] = chemin.toStdString();
    }
    m_arbre->Affiche();
    QImage image = Rendu(*m_arbre);
    const LienArbre& l = m_arbre->Donnees().liens.front();
    QRect r(l.gauche, l.haut, l.largeur, l.hauteur);
    QVERIFY(r.width() >= 16);
    // The red column lands at 3/8 of the width; the cyan is not painted.
    const int x = r.left() + r.width() * 7 / 16;
    QVERIFY(qRed(image.pixel(x, r.center().y())) > 150);
    QCOMPARE(image.pixel(r.left() + 1, r.center().y()), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(r.right() - 1, r.center().y()), qRgb(255, 255, 255));
  }

  void uncertainParentsAreDotted() {
    Bd().EcritCertP(m_jean, 2);
    for (T1Aff& m : m_arbre->Apparence().Aff) m.RelierLarge = 1;  // thinnest pen
    m_arbre->Affiche();
    QImage image = Rendu(*m_arbre);
    int pleins[2] = {0, 0}, total[2] = {0, 0};
    for (const LienArbre& l : m_arbre->Donnees().liens) {
      int k = l.loin == m_pierre ? 0 : 1;
      std::vector<PointArbre> t = TraceLien(l, false);
      QPoint a(t[0].x, t[0].y), b(t[1].x, t[1].y);
      const int pas = std::max(std::abs(b.x() - a.x()), std::abs(b.y() - a.y()));
      for (int i = 2; i < pas - 2; ++i) {
        QPoint q(a.x() + (b.x() - a.x()) * i / pas, a.y() + (b.y() - a.y()) * i / pas);
        ++total[k];
        if (image.pixel(q) != qRgb(255, 255, 255)) ++pleins[k];
      }
    }
    QVERIFY(total[0] > 10 && total[1] > 10);
    QVERIFY2(pleins[0] < total[0] * 3 / 4, "the uncertain father's link is not dotted");
    QVERIFY2(pleins[1] > total[1] * 9 / 10, "the mother's link should be solid");
  }

  // A child's two parent links, as thick lines at zoom 200: above the
  // child they are one line, not two with a gap between them.
  void parentLinksAreOneLineAtEveryZoom() {
    for (T1Aff& m : m_arbre->Apparence().Aff) {
      m.Relier = kRelierBrise;
      m.RelierLarge = 2;
      m.Style = kAscCompactVertical;
      m.EcartVert = 300;  // a long stem above the child, past its marks
    }
    for (int zoom : {100, 200, 60}) {
      for (T1Aff& m : m_arbre->Apparence().Aff) m.Zoom = zoom;
      m_arbre->Affiche();
      QImage image = Rendu(*m_arbre);
      QRect jean = RectBoite(m_jean);
      // The row just above the child's box, across its width.
      const int y = jean.top() - DebordMarques(zoom) - 1;
      int traits = 0;
      bool dans = false;
      for (int x = jean.left(); x <= jean.right(); ++x) {
        const bool lien = image.pixel(x, y) == Qrgb(kBleuLien);
        if (lien && !dans) ++traits;
        dans = lien;
      }
      QVERIFY2(traits == 1, qPrintable(QStringLiteral("zoom %1: %2 lines").arg(zoom).arg(traits)));
    }
  }

  void longLinesShrinkToFitTheBox() {
    T1Aff& m = m_arbre->Apparence().Aff[0];
    m.Lignes[0].Modele = "<nom> <nom> <nom> <nom> <nom> <nom>";
    m.Lignes[0].FontHauteur = 14;
    m.Lignes[0].FontCouleur = Rgb(200, 0, 0);
    m.H.Fond = m.F.Fond = kFondAucun;
    m.H.Cadre = m.F.Cadre = false;
    m_arbre->Affiche();
    QImage image = Rendu(*m_arbre);
    QRect pere = RectBoite(m_pierre);
    // Text is drawn, and nothing of it spills past the box's right edge.
    int dedans = 0;
    for (int y = pere.top(); y <= pere.bottom(); ++y) {
      for (int x = pere.left(); x <= pere.right(); ++x)
        if (qRed(image.pixel(x, y)) - qGreen(image.pixel(x, y)) > 40) ++dedans;
      for (int x = pere.right() + 1; x < pere.right() + 15; ++x)
        QVERIFY(qGreen(image.pixel(x, y)) > 200 || qBlue(image.pixel(x, y)) > 150);
    }
    QVERIFY(dedans > 20);
  }

  // A centred name too long for the box is made smaller, not cut at its
  // first letter.
  void centredLinesStartInsideTheBox() {
    T1Aff& m = m_arbre->Apparence().Aff[0];
    m.Lignes[0].Modele = "Astrid Shermanna Augusta <nom>";
    m.Lignes[0].Align = kAlignCentre;
    m.Lignes[0].FontCouleur = Rgb(200, 0, 0);
    m_arbre->Affiche();
    QImage image = Rendu(*m_arbre);
    QRect pere = RectBoite(m_pierre);
    int texte = 0;
    for (int y = pere.top(); y <= pere.bottom(); ++y) {
      for (int x = pere.left(); x <= pere.right(); ++x) {
        const bool rouge = qRed(image.pixel(x, y)) - qGreen(image.pixel(x, y)) > 40;
        if (!rouge) continue;
        ++texte;
        QVERIFY2(x > pere.left() + 1 && x < pere.right() - 1, "text cut at the box's edge");
      }
    }
    QVERIFY(texte > 10);
  }

  // The reference person keeps a mark when the selection is elsewhere; a
  // collapsed branch shows a tab where its branch would go on.
  void referenceAndCollapsedBranchesAreMarked() {
    m_arbre->Affiche();
    m_arbre->AfficheSelecPers(m_pierre);
    Bd().EcritReplie(m_zoe, 1);
    QImage image = Rendu(*m_arbre);
    QRect jean = RectBoite(m_jean), mere = RectBoite(m_zoe), pere = RectBoite(m_pierre);
    auto marque = [&](int x0, int x1, int y) {
      for (int x = x0; x <= x1; ++x)
        if (image.pixel(x, y) != qRgb(255, 255, 255)) return true;
      return false;
    };
    QVERIFY2(marque(jean.left() - 7, jean.left() - 2, jean.center().y()), "no outline around the reference");
    QVERIFY(!marque(pere.right() + 2, pere.right() + 7, pere.center().y()));
    // The fan puts parents above: the tab sits on the top edge.
    const QRgb tab = image.pixel(mere.center().x() - 3, mere.top() + 2);
    QVERIFY2(qBlue(tab) > 200 && qRed(tab) < 80 && qGreen(tab) < 80, "no tab on the collapsed box");
    QVERIFY(qBlue(image.pixel(pere.center().x() - 3, pere.top() + 2)) < 100);
  }

  void clicksEmitTheMainWindowsSignals() {
    m_arbre->Affiche();
    m_arbre->Page()->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_arbre->Page()));
    QSignalSpy selection(m_arbre.get(), &TAffArbre::PersonneCliquee);
    QSignalSpy reference(m_arbre.get(), &TAffArbre::PersonneReference);
    QSignalSpy menuBoite(m_arbre.get(), &TAffArbre::MenuBoite);
    QSignalSpy menuFond(m_arbre.get(), &TAffArbre::MenuFond);
    QWidget* vue = m_arbre->Page()->viewport();
    QPoint centre = m_arbre->Page()->mapFromScene(RectBoite(m_zoe).center());
    QTest::mouseClick(vue, Qt::LeftButton, {}, centre);
    QCOMPARE(selection.count(), 1);
    QCOMPARE(selection.takeFirst().at(0).toInt(), m_zoe);
    QTest::mouseDClick(vue, Qt::LeftButton, {}, centre);
    QCOMPARE(reference.count(), 1);
    QCOMPARE(reference.takeFirst().at(0).toInt(), m_zoe);
    QTest::mouseClick(vue, Qt::RightButton, {}, centre);
    QCOMPARE(menuBoite.count(), 1);
    QCOMPARE(menuBoite.takeFirst().at(0).toInt(), m_zoe);
    QCOMPARE(menuFond.count(), 0);
    // The background: its menu, and the zoom clicks.
    QPoint fond = m_arbre->Page()->mapFromScene(QPoint(790, 590));
    selection.clear();
    QTest::mouseClick(vue, Qt::RightButton, {}, fond);
    QCOMPARE(menuFond.count(), 1);
    QTest::mouseClick(vue, Qt::LeftButton, Qt::ShiftModifier, fond);
    QCOMPARE(m_arbre->Apparence().Aff[0].Zoom, 110);
    QCOMPARE(m_arbre->Apparence().Aff[1].Zoom, 110);
    QTest::mouseClick(vue, Qt::LeftButton, Qt::ControlModifier, fond);
    QTest::mouseClick(vue, Qt::LeftButton, Qt::ControlModifier, fond);
    QCOMPARE(m_arbre->Apparence().Aff[0].Zoom, 90);
    QTest::mouseClick(vue, Qt::LeftButton, {}, fond);
    QCOMPARE(m_arbre->Apparence().Aff[0].Zoom, 90);
    QCOMPARE(selection.count(), 0);
    // The boxes moved with the zoom.
    QCOMPARE(m_arbre->Boites()[size_t(Boite(m_zoe))]->pos().toPoint(),
             RectBoite(m_zoe).topLeft());
  }

  // The keyboard and the wheel on the chart; the bubble of a box.
  void arrowsMoveTheSelectionCtrlWheelZoomsAndBoxesTellWhoTheyAre() {
    m_arbre->Affiche();
    m_arbre->Page()->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_arbre->Page()));
    QSignalSpy selection(m_arbre.get(), &TAffArbre::PersonneCliquee);
    auto touche = [&](Qt::Key cle) {
      selection.clear();
      QTest::keyClick(m_arbre->Page(), cle);
      return selection.isEmpty() ? 0 : selection.takeFirst().at(0).toInt();
    };
    // Jean below, his father above to the left, his mother above to the right.
    m_arbre->AfficheSelecPers(m_jean);
    const int haut = touche(Qt::Key_Up);
    QVERIFY(haut == m_pierre || haut == m_zoe);
    m_arbre->AfficheSelecPers(m_pierre);
    QCOMPARE(touche(Qt::Key_Right), m_zoe);
    QCOMPARE(touche(Qt::Key_Left), 0);
    m_arbre->AfficheSelecPers(m_zoe);
    QCOMPARE(touche(Qt::Key_Left), m_pierre);
    QCOMPARE(touche(Qt::Key_Down), m_jean);
    QCOMPARE(touche(Qt::Key_Up), 0);

    QWidget* vue = m_arbre->Page()->viewport();
    auto molette = [&](Qt::KeyboardModifiers m) {
      QWheelEvent e(QPointF(50, 50), vue->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, 120),
                    Qt::NoButton, m, Qt::NoScrollPhase, false);
      QApplication::sendEvent(vue, &e);
    };
    molette(Qt::ControlModifier);
    QCOMPARE(m_arbre->Apparence().Aff[0].Zoom, 110);
    QCOMPARE(m_arbre->Apparence().Aff[1].Zoom, 110);
    molette(Qt::NoModifier);
    QCOMPARE(m_arbre->Apparence().Aff[0].Zoom, 110);

    const QPoint centre = m_arbre->Page()->mapFromScene(RectBoite(m_jean).center());
    QHelpEvent bulle(QEvent::ToolTip, centre, vue->mapToGlobal(centre));
    QApplication::sendEvent(vue, &bulle);
    QTRY_COMPARE(QToolTip::text(), QString("DUPONT Jean\nNaissance : 5/3/1900, Paris"));
  }

  void zoomStepsKeepTheZoomUsable_data() {
    QTest::addColumn<int>("avant");
    QTest::addColumn<int>("pas");
    QTest::addColumn<int>("apres");
    QTest::newRow("raised") << 100 << 10 << 110;
    QTest::newRow("raised at the limit") << 1000 << 10 << 1010;
    QTest::newRow("not raised past it") << 1001 << 10 << 1001;
    QTest::newRow("lowered") << 100 << -10 << 90;
    QTest::newRow("never down to zero") << 10 << -10 << 1;
    QTest::newRow("not lowered below ten") << 9 << -10 << 9;
  }
  void zoomStepsKeepTheZoomUsable() {
    QFETCH(int, avant);
    QFETCH(int, pas);
    QFETCH(int, apres);
    m_arbre->Affiche();
    for (T1Aff& m : m_arbre->Apparence().Aff) m.Zoom = avant;
    m_arbre->ChangeZoom(pas);
    QCOMPARE(m_arbre->Apparence().Aff[0].Zoom, apres);
    QCOMPARE(m_arbre->Apparence().Aff[1].Zoom, apres);
    QVERIFY(m_arbre->Etendue().Right > 0);
  }

  void answersWhichPersonsAreOnScreen() {
    const TR vide;
    m_arbre->Affiche();
    QCOMPARE(m_arbre->QuiEcran(vide), 0);
    int etranger = Bd().NouvelleFiche();
    TR liste;
    liste.Add(etranger);
    QCOMPARE(m_arbre->QuiEcran(liste), 0);
    liste.Add(m_zoe);
    liste.Add(m_pierre);
    // The box made first wins, whatever the list's order.
    int premier = m_arbre->Donnees().boites.front().personne;
    QVERIFY(premier == m_pierre || premier == m_zoe);
    QCOMPARE(m_arbre->QuiEcran(liste), premier);
    TR ecran = m_arbre->ListeEcran();
    QCOMPARE(ecran.Count(), 3);
    QCOMPARE(ecran.Get(3), m_jean);  // the reference person's box comes last
    QVERIFY(m_arbre->GetBoiteRefPers());
    QCOMPARE(m_arbre->GetBoiteRefPers()->Personne(), m_jean);
    // An edit shows after RepaintPers.
    Bd().EcritNom(m_zoe, "DURAND");
    m_arbre->RepaintPers(m_zoe);
    QCOMPARE(m_arbre->Lignes(Boite(m_zoe)).at(0).substr(0, 6), std::string("DURAND"));
  }

  void hiddenChartIsNotRebuilt() {
    m_arbre->Page()->hide();
    m_arbre->Affiche();
    QCOMPARE(m_arbre->Donnees().boites.size(), size_t(0));
    m_arbre->Page()->show();
    m_arbre->Affiche();
    QCOMPARE(m_arbre->Donnees().boites.size(), size_t(3));
  }

  void automaticZoomFitsTheView() {
    m_app->reglages.SetBool(kSectionGene, "ZoomAuto", true);
    m_arbre->Page()->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_arbre->Page()));
    // Small enough to fit: the whole chart, with a margin on every side.
    Ascendance(3);
    m_arbre->Affiche();
    QSize vue = m_arbre->Page()->viewport()->size();
    RectArbre e = m_arbre->Etendue();
    QVERIFY(m_arbre->Apparence().Aff[0].Zoom < 100);
    QVERIFY(e.Right + 2 * kMargeVue <= vue.width());
    QVERIFY(e.Bottom + 2 * kMargeVue <= vue.height());
    QPoint coin = m_arbre->Page()->mapFromScene(QPointF(e.Left, e.Top));
    QVERIFY2(coin.y() >= kMargeVue && coin.x() >= kMargeVue, "the top row keeps a margin");
    // Too large: it scrolls at a readable zoom rather than becoming a strip,
    // and the reference person is in sight.
    Ascendance(9);
    m_arbre->Affiche();
    const TApparence& a = m_arbre->Apparence();
    QCOMPARE(a.Aff[0].Zoom, ZoomLisible(m_arbre->Donnees(), a.Aff[0], a.Aff[1]));
    QVERIFY(a.Aff[0].Zoom >= 50);
    QRectF visible = m_arbre->Page()->mapToScene(m_arbre->Page()->viewport()->rect()).boundingRect();
    QVERIFY(visible.contains(m_arbre->GetBoiteRefPers()->sceneBoundingRect()));
  }

  void pdfOfALargeChartHasTheGridsPages() {
    Ascendance(7);  // 255 boxes
    m_app->reglages.SetEntier(kSectionGene, "PrintZoom", 300);
    m_arbre->Affiche();
    GrillePages grille = m_arbre->CalculeGrille();
    QVERIFY2(grille.NbrePages() > 3, qPrintable(QString::number(grille.NbrePages())));
    QTemporaryDir dossier;
    QString pdf = dossier.filePath("arbre.pdf");
    QVERIFY(m_arbre->ExportePdf(pdf.toStdString(), TAffArbre::FormePdf::Grille).ok());
    QCOMPARE(NbrePagesPdf(pdf), grille.NbrePages());
    QString murale = dossier.filePath("murale.pdf");
    QVERIFY(m_arbre->ExportePdf(murale.toStdString(), TAffArbre::FormePdf::Murale).ok());
    QCOMPARE(NbrePagesPdf(murale), 1);
    // The automatic print zoom puts the chart on one page.
    m_app->reglages.SetBool(kSectionGene, "Print ZoomAuto", true);
    QCOMPARE(m_arbre->CalculeGrille().NbrePages(), 1);
    QVERIFY(m_app->reglages.Entier(kSectionGene, "PrintZoom") < 300);
  }

  void printingARangeOfPagesPrintsThoseTimesTheCopies() {
    Ascendance(7);
    m_app->reglages.SetEntier(kSectionGene, "PrintZoom", 300);
    m_arbre->Affiche();
    QTemporaryDir dossier;
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setPageLayout(m_arbre->MiseEnPage().layout);
    const int nbre = GrillePour(*m_arbre, MiseEnPageDe(imprimante)).NbrePages();
    QVERIFY(nbre >= 4);
    QString chemin = dossier.filePath("plage.pdf");
    imprimante.setOutputFileName(chemin);
    QVERIFY(ImprimePages(imprimante, *m_arbre, 2, 3, 2));
    QCOMPARE(NbrePagesPdf(chemin), 4);
    // A range reaching past the grid stops at its last page.
    chemin = dossier.filePath("fin.pdf");
    imprimante.setOutputFileName(chemin);
    QVERIFY(ImprimePages(imprimante, *m_arbre, nbre - 1, nbre + 5, 1));
    QCOMPARE(NbrePagesPdf(chemin), 2);
  }

  void pagePaintsTheBoxesThatFallOnIt() {
    Ascendance(3);
    m_app->reglages.SetEntier(kSectionGene, "PrintZoom", 100);
    m_arbre->Affiche();
    GrillePages grille = m_arbre->CalculeGrille();
    QCOMPARE(grille.NbrePages(), 1);
    QSize taille = m_arbre->MiseEnPage().TaillePixels();
    QImage page(taille, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
      QPainter p(&page);
      PeintPage(p, *m_arbre, grille, 1);
    }
    const TApparence& a = m_arbre->Apparence();
    RectArbre r = RectImpression(m_arbre->Donnees().boites[0].x, m_arbre->Donnees().boites[0].y,
                                 a.Aff[0].Large, a.Aff[0].Hauteur, 100, 100,
                                 grille.GetPrintCoord(1));
    QCOMPARE(page.pixel(r.Left, (r.Top + r.Bottom) / 2), qRgb(0, 0, 0));
    QCOMPARE(page.pixel((r.Left + r.Right) / 2, r.Top + 3), Qrgb(kVert));
  }

  void imageExportsLoadBack() {
    m_arbre->Affiche();
    QTemporaryDir dossier;
    RectArbre e = m_arbre->Etendue();
    for (const char* nom : {"arbre.jpg", "arbre.png"}) {
      QString chemin = dossier.filePath(nom);
      // At 96 dpi the picture is the chart at zoom 100, dot for dot.
      QVERIFY(m_arbre->ExporteImage(chemin.toStdString(), TAffArbre::ZoneImage::Arbre, 96).ok());
      QImage image(chemin);
      QVERIFY2(!image.isNull(), nom);
      QCOMPARE(image.width(), e.Largeur() + 20);
      QCOMPARE(qRound(image.dotsPerMeterX() * 0.0254), 96);
      QVERIFY(image.pixel(RectBoite(m_pierre).center() - QPoint(e.Left - 10, e.Top - 10)) !=
              qRgb(255, 255, 255));
    }
    // At the default 150 dpi it is painted at zoom 156, and says so.
    QString fin = dossier.filePath("fin.png");
    m_arbre->AfficheSelecPers(m_pierre);
    QVERIFY(m_arbre->ExporteImage(fin.toStdString()).ok());
    QImage image(fin);
    QCOMPARE(image.width(), m_arbre->TailleImagePour(150).largeur);
    QVERIFY(std::abs(image.width() - (e.Largeur() * 156 / 100 + 30)) <= 2);
    QCOMPARE(qRound(image.dotsPerMeterX() * 0.0254), 150);
    // The selection is not part of the picture: the frame stays black.
    const RectArbre p156 = RectEcran(m_arbre->Donnees().boites[size_t(Boite(m_pierre))],
                                     [&] { T1Aff m = m_arbre->Apparence().Aff[0]; m.Zoom = 156; return m; }(),
                                     [&] { T1Aff m = m_arbre->Apparence().Aff[1]; m.Zoom = 156; return m; }());
    const RectArbre e156 = GetRect(m_arbre->Donnees(), [&] { T1Aff m = m_arbre->Apparence().Aff[0]; m.Zoom = 156; return m; }(),
                                   [&] { T1Aff m = m_arbre->Apparence().Aff[1]; m.Zoom = 156; return m; }());
    const QPoint gauche(p156.Left - e156.Left + 15, (p156.Top + p156.Bottom) / 2 - e156.Top + 15);
    QCOMPARE(image.pixel(gauche), qRgb(0, 0, 0));
    m_arbre->AfficheSelecPers(0);
    QString svg = dossier.filePath("arbre.svg");
    QVERIFY(m_arbre->ExporteImage(svg.toStdString()).ok());
    QSvgRenderer rendu(svg);
    QVERIFY(rendu.isValid());
    QCOMPARE(rendu.viewBox().width(), e.Largeur() + 20);
    QVERIFY(!m_arbre->ExporteImage(dossier.filePath("absent/x.png").toStdString()).ok());
    // Only what the view shows, at the view's size.
    m_arbre->Page()->resize(300, 200);
    m_arbre->Page()->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_arbre->Page()));
    QString visible = dossier.filePath("visible.png");
    QVERIFY(m_arbre->ExporteImage(visible.toStdString(), TAffArbre::ZoneImage::Visible).ok());
    QCOMPARE(QImage(visible).size(), m_arbre->Page()->viewport()->size());
  }

  // The resolution asked before a picture: its size as the value changes;
  // too large, no "OK" but the PDF wall chart.
  void imageDialogSaysWhenThePictureIsTooLarge() {
    auto taille = [](int dpi) {
      TailleImage t;
      t.largeur = dpi * 200;
      t.hauteur = dpi;
      t.tropGrande = dpi > 160;
      return t;
    };
    TfmImage f(m_app->traduction, 150, taille, 160);
    auto* dpi = f.findChild<QSpinBox*>("seDpi");
    auto* info = f.findChild<QLabel*>("lTaille");
    auto* ok = f.findChild<QPushButton*>("bOk");
    auto* pdf = f.findChild<QPushButton*>("bPdfMural");
    QVERIFY(dpi && info && ok && pdf);
    QCOMPARE(dpi->value(), 150);
    QVERIFY(info->text().contains("30 000"));
    QVERIFY(ok->isEnabled());
    QVERIFY(pdf->isHidden());
    dpi->setValue(300);
    QVERIFY(!ok->isEnabled());
    QVERIFY(!pdf->isHidden());
    QVERIFY(info->text().contains("160"));  // the highest resolution that fits
    QVERIFY(info->text().contains("PDF"));
    pdf->click();
    QCOMPARE(f.result(), int(QDialog::Accepted));
    QVERIFY(f.PdfMural());
    // A chart too large for a picture writes nothing and says so.
    Ascendance(2);
    m_arbre->Affiche();
    for (T1Aff& m : m_arbre->Apparence().Aff) m.Large = 30000;
    QTemporaryDir dossier;
    Statut st = m_arbre->ExporteImage(dossier.filePath("grand.png").toStdString());
    QVERIFY(!st.ok());
    QVERIFY(!QFile::exists(dossier.filePath("grand.png")));
    QVERIFY(!st.message().empty());
  }

  void pageGridIsDrawnInPrintPreview() {
    m_app->reglages.SetEntier(kSectionGene, "PrintZoom", 100);
    m_arbre->Affiche();
    m_arbre->Page()->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_arbre->Page()));
    m_arbre->SetGrille(true);
    QImage vue = m_arbre->Page()->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // The first page's left edge is the chart's x = 0.
    const QPoint bord = m_arbre->Page()->mapFromScene(QPointF(0, 300));
    QCOMPARE(vue.pixel(bord), qRgb(0, 0, 255));
    m_arbre->SetGrille(false);
    vue = m_arbre->Page()->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(vue.pixel(bord), qRgb(255, 255, 255));
  }

  // The example tree in every arrangement, with the look it ships with.
  // KINDRELA_CAPTURES names a folder to keep the pictures in.
  void exampleTreeInEveryArrangement() {
    std::string exemple = std::string(KINDRELA_SOURCE_DIR) + "/data/modele/1/exemple/Standard.kdg";
    ResultatChargement resultat;
    QVERIFY(ChargeFichierArbre(Bd(), exemple, {}, resultat).ok());
    TDossiersImages dossiers{m_app->dossiers.modele, m_app->dossiers.programme,
                             m_app->dossiers.imageArbre, exemple};
    QVERIFY(LoadLook(m_app->dossiers.arbre + "Standard.kda", dossiers, m_arbre->Apparence()));
    const QString captures = qEnvironmentVariable("KINDRELA_CAPTURES");
    const std::pair<int, int> formes[] = {{1, 1}, {2, 2}, {3, 3}, {4, 2}, {5, 1},
                                          {1, 3}, {3, 1}, {2, 0}};
    for (auto [asc, desc] : formes) {
      m_arbre->Apparence().Aff[0].Style = static_cast<uint8_t>(asc);
      m_arbre->Apparence().Aff[1].Style = static_cast<uint8_t>(desc);
      m_arbre->Apparence().Aff[0].NbreGen = 4;
      m_arbre->AfficheConjoint = desc != 0;
      m_arbre->Affiche();
      QVERIFY(m_arbre->Donnees().boites.size() > 5);
      RectArbre e = m_arbre->Etendue();
      QVERIFY(e.Left >= 0 && e.Top >= 0);
      QImage image = Rendu(*m_arbre);
      QVERIFY(image.width() > 100);
      if (!captures.isEmpty())
        image.save(QStringLiteral("%1/asc%2_desc%3.png").arg(captures).arg(asc).arg(desc));
    }
    // The other shipped looks, and print preview, as the window shows them.
    m_arbre->Page()->resize(1000, 700);
    m_arbre->Page()->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_arbre->Page()));
    m_app->reglages.SetEntier(kSectionGene, "PrintZoom", 200);
    for (const char* look : {"Textures", "Parchemin", "Couleurs", "Arrondis", "Evenements", "Horizontal"}) {
      QVERIFY(LoadLook(m_app->dossiers.arbre + look + ".kda", dossiers, m_arbre->Apparence()));
      m_arbre->Affiche();
      m_arbre->SetGrille(std::string(look) == "Couleurs");
      QImage vue = m_arbre->Page()->viewport()->grab().toImage();
      QVERIFY(!vue.isNull());
      if (!captures.isEmpty()) vue.save(QStringLiteral("%1/look_%2.png").arg(captures, look));
    }
  }
};

QTEST_MAIN(ChartViewTest)
#include "chart_view_test.moc"
