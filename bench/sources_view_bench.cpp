// Sources on a large tree and pictures of any size: the citation count of
// every source and the audit of the command line (one pass over the tree),
// the persons of one source (what the editor shows), a keystroke in the
// person chooser, and reading a large photograph in full and reduced to a
// gallery tile. Runs on the offscreen platform unless QT_QPA_PLATFORM says
// otherwise.
//
// usage: sources_view_bench [persons] [picture.jpg]
//        (defaults 100000 and a generated 6000 x 4000 JPEG)
#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "core/database.h"
#include "editing/sources.h"
#include "gui/editing/person_pick.h"
#include "gui/editing/picture_loader.h"
#include "support/tree_generator.h"

namespace {

using namespace kindrela;
using Horloge = std::chrono::steady_clock;

template <typename F>
double Millis(F&& f) {
  auto debut = Horloge::now();
  f();
  return std::chrono::duration<double, std::milli>(Horloge::now() - debut).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const int personnes = argc > 1 ? std::atoi(argv[1]) : 100000;
  TBD bd;
  bench::OptionsGeneration o;
  o.personnes = personnes;
  const bench::BilanGeneration b = bench::GenereArbre(bd, o);
  std::printf("tree: %d persons, %d sources\n", b.personnes, b.sources);

  std::vector<int> citations;
  std::printf("citations of every source: %.1f ms\n", Millis([&] { citations = CitationsParSource(bd); }));
  int plus = 1;
  for (size_t s = 1; s < citations.size(); ++s)
    if (citations[s] > citations[static_cast<size_t>(plus)]) plus = static_cast<int>(s);
  std::vector<TLigneAudit> audit;
  std::printf("audit (kindrela-cli sources): %.1f ms for %zu lines\n",
              Millis([&] { audit = AuditSources(bd, TDossiersMedia{}); }), audit.size());
  std::vector<int> pers;
  std::printf("persons of the most cited source (%d): %.1f ms\n", plus,
              Millis([&] { pers = PersonnesDeSource(bd, plus); }));

  TChoixPersonne choix(bd, "bench");
  std::printf("person chooser, opening: %.1f ms\n", Millis([&] { choix.Filtre(QString()); }));
  std::printf("person chooser, one keystroke (\"DU\"): %.1f ms\n", Millis([&] { choix.Filtre("DU"); }));
  std::printf("person chooser, a rare name (\"ZZZ\"): %.1f ms\n", Millis([&] { choix.Filtre("ZZZ"); }));

  QTemporaryDir dossier;
  QString photo = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
  if (photo.isEmpty()) {
    photo = dossier.path() + "/grande.jpg";
    QImage image(6000, 4000, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x % 256, y % 256, (x ^ y) % 256));
    image.save(photo, "JPG", 85);
  }
  TImageChargee c;
  std::printf("picture in full: %.1f ms", Millis([&] { c = ChargeImage(photo); }));
  std::printf(" (%d x %d, decoded %d x %d)\n", c.tailleOriginale.width(), c.tailleOriginale.height(),
              c.image.width(), c.image.height());
  std::printf("picture for the editor window (800 x 600): %.1f ms\n",
              Millis([&] { c = ChargeImage(photo, QSize(800, 600)); }));
  std::printf("picture for a gallery tile (100 x 100): %.1f ms\n",
              Millis([&] { c = ChargeImage(photo, QSize(96, 78)); }));
  TCacheVignettes cache;
  cache.Vignette(photo, QSize(96, 78));
  std::printf("the same tile from the cache: %.3f ms\n", Millis([&] { cache.Vignette(photo, QSize(96, 78)); }));
  return 0;
}
