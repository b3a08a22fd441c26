// The chart on screen at a few thousand boxes: the build (layout, box texts,
// items), the repaint of a view's worth of chart, the repaint of the whole
// chart, and a zoom change (repositioning every item). Runs on the offscreen
// platform unless QT_QPA_PLATFORM says otherwise.
//
// usage: chart_view_bench [children per person] [generations]
//        (defaults 4 and 6: 5461 descendant boxes, plus 63 ancestors)
#include <QApplication>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "gui/main/application.h"
#include "core/ansi_literal.h"
#include "gui/chart/chart_view.h"

namespace {

using namespace kindrela;
using Horloge = std::chrono::steady_clock;

template <typename F>
double Millis(F&& f) {
  auto debut = Horloge::now();
  f();
  return std::chrono::duration<double, std::milli>(Horloge::now() - debut).count();
}

// A reference person with `enfants` children per person over `generations`
// generations below it, and a full ancestry of 5 generations above.
void FabriqueArbre(TBD& bd, int enfants, int generations) {
  int ref = bd.NouvelleFiche();
  bd.EcritNom(ref, "REFERENCE");
  bd.EcritPrenoms(ref, "Jean Pierre");
  bd.EcritDateNaissance(ref, "12/3/1901");
  std::vector<int> niveau{ref};
  for (int g = 0; g < 5; ++g) {
    std::vector<int> suivant;
    for (int c : niveau) {
      int p = bd.NouvelleFiche(), m = bd.NouvelleFiche();
      bd.EcritNom(p, "ANCETRE");
      bd.EcritPrenoms(p, "Louis");
      bd.EcritNom(m, "AIEULE");
      bd.EcritPrenoms(m, "Marie");
      bd.EcritSexe(m, 1);
      bd.EcritPere(c, p);
      bd.EcritMere(c, m);
      suivant.push_back(p);
      suivant.push_back(m);
    }
    niveau = suivant;
  }
  niveau = {ref};
  for (int g = 0; g < generations; ++g) {
    std::vector<int> suivant;
    for (int parent : niveau) {
      for (int k = 0; k < enfants; ++k) {
        int e = bd.NouvelleFiche();
        bd.EcritNom(e, "DESCENDANT");
        bd.EcritPrenoms(e, "Enfant " + std::to_string(k + 1));
        bd.EcritSexe(e, k % 2);
        bd.EcritDateNaissance(e, std::to_string(1 + k) + "/1/" + std::to_string(1925 + 25 * g));
        bd.EcritPere(e, parent);
        suivant.push_back(e);
      }
    }
    niveau = suivant;
  }
  bd.RefPers = ref;
  bd.BaseChargee = 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  const int enfants = argc > 1 ? std::atoi(argv[1]) : 4;
  const int generations = argc > 2 ? std::atoi(argv[2]) : 6;

  TApplication app;
  app.bd = std::make_unique<TBD>();
  FabriqueArbre(*app.bd, enfants, generations);
  app.reglages.SetBool(kSectionGene, "ZoomAuto", true);

  TAffArbre arbre(app);
  TApparence& a = arbre.Apparence();
  for (T1Aff& m : a.Aff) {
    m.LigneNbre = 3;
    m.Lignes[0].Modele = "<nom>";
    m.Lignes[0].FontStyle = kStyleGras;
    m.Lignes[1].Modele = "<prénoms>"_ansi;
    m.Lignes[2].Modele = "<dn>";
    m.H.Fond = m.F.Fond = kFondCouleur;
    m.H.Ombre = m.F.Ombre = true;
    m.NbreGen = generations;
  }
  a.Aff[0].Style = kAscCompactVertical;
  a.Aff[0].NbreGen = 5;
  a.Aff[1].Style = kDescVertical;
  arbre.Page()->resize(1280, 800);
  arbre.Page()->show();

  double construction = Millis([&] { arbre.Affiche(); });
  std::printf("boxes %zu, links %zu, zoom %d%%\n", arbre.Donnees().boites.size(),
              arbre.Donnees().liens.size(), a.Aff[0].Zoom);
  std::printf("  build (layout, texts, items, automatic zoom) %8.1f ms\n", construction);

  QImage vue(arbre.Page()->viewport()->size(), QImage::Format_RGB32);
  double repeint = 0;
  const int tours = 10;
  for (int i = 0; i < tours; ++i)
    repeint += Millis([&] {
      QPainter p(&vue);
      arbre.Page()->viewport()->render(&p);
    });
  std::printf("  repaint of the view (1280 x 800)             %8.1f ms\n", repeint / tours);

  // The whole chart at zoom 100 around the reference person's box: a
  // screenful of full-size boxes.
  for (T1Aff& m : a.Aff) m.Zoom = 100;
  double zoom = Millis([&] { arbre.RePositionne(); });
  std::printf("  zoom change (every item repositioned)        %8.1f ms\n", zoom);
  if (TBoite* b = arbre.GetBoiteRefPers()) arbre.Page()->centerOn(b);
  double repeint100 = 0;
  for (int i = 0; i < tours; ++i)
    repeint100 += Millis([&] {
      QPainter p(&vue);
      arbre.Page()->viewport()->render(&p);
    });
  std::printf("  repaint of the view at zoom 100              %8.1f ms\n", repeint100 / tours);

  for (T1Aff& m : a.Aff) m.Zoom = 10;
  arbre.RePositionne();
  // Every box painted once, tile by tile through one view-sized picture.
  const QRectF scene = arbre.Page()->scene()->sceneRect();
  QImage tuile(2048, std::max(1, int(scene.height())), QImage::Format_RGB32);
  double entier = Millis([&] {
    for (qreal x = 0; x < scene.width(); x += tuile.width()) {
      tuile.fill(Qt::white);
      QPainter p(&tuile);
      QRectF source(x, 0, tuile.width(), scene.height());
      arbre.Page()->scene()->render(&p, QRectF(QPointF(0, 0), source.size()), source);
    }
  });
  std::printf("  repaint of every box at zoom 10 (%.0fx%.0f) %8.1f ms\n", scene.width(),
              scene.height(), entier);
  double rebuild = Millis([&] { arbre.Affiche(); });
  std::printf("  second build                                 %8.1f ms\n", rebuild);
  return 0;
}
