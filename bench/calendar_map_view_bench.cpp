// The event calendar of a year, the reminder of everybody and the map of
// every place, on a generated tree of N persons whose places are coded
// French places (department numbers 01..95).
//
// usage: calendar_map_view_bench [N]   (default 100000), with QT_QPA_PLATFORM=offscreen
#include <QGuiApplication>
#include <QImage>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "analysis/maps.h"
#include "core/database.h"
#include "core/ini_file.h"
#include "dates/anniversaries.h"
#include "dates/dates.h"
#include "dates/event_calendar.h"
#include "support/tree_generator.h"

namespace {

using Horloge = std::chrono::steady_clock;

double Ms(Horloge::time_point debut) {
  return std::chrono::duration<double, std::milli>(Horloge::now() - debut).count();
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  using namespace kindrela;
  const int personnes = argc > 1 ? std::atoi(argv[1]) : 100000;
  TBD bd;
  bench::OptionsGeneration options;
  options.personnes = personnes;
  const auto bilan = bench::GenereArbre(bd, options);
  for (int e = 1; e <= bd.NbreEve(); ++e) {
    if (!bd.EveUtilise(e)) continue;
    const int d = e % 95 + 1;
    bd.EcritChampEve(e, 4, std::string("FRA,,F") + (d < 10 ? "0" : "") + std::to_string(d) + "," +
                               std::to_string(100 + e % 900) + " Commune " + std::to_string(e % 3000));
  }
  std::printf("%d persons, %d events\n", bilan.personnes, bilan.evenements);

  TReglagesCalendrier r;
  r.debut = 1000;
  r.fin = 2100;
  auto debut = Horloge::now();
  TCalendrier cal = RemplirCalendrier(bd, r);
  size_t marques = 0;
  for (int m = 1; m <= 12; ++m)
    for (int j = 1; j <= 31; ++j) marques += cal.Case(m, j).size();
  std::printf("calendar, every event of 1000..2100: %.1f ms (%zu marks)\n", Ms(debut), marques);
  r.anniversaires = true;
  debut = Horloge::now();
  cal = RemplirCalendrier(bd, r);
  std::printf("calendar, birthdays of the living: %.1f ms\n", Ms(debut));

  TTableFetes fetes;
  (void)fetes.Charge(std::string(KINDRELA_SOURCE_DIR) + "/data/modele/defaut.kd");
  std::vector<int32_t> tous;
  for (int n = 1; n <= bd.NbreFiche(); ++n)
    if (bd.FicheUtilisee(n)) tous.push_back(n);
  debut = Horloge::now();
  const TRappels rappels = ConstruitRappels(bd, tous, TOptionsRappels{}, fetes);
  FichierIni ini;
  EcritRappels(rappels, ini);
  std::printf("reminder of everybody: %.1f ms (%zu bytes)\n", Ms(debut), ini.Texte().size());
  debut = Horloge::now();
  const auto lignes = LignesRappels(LitRappels(ini), fetes, Jour{2026, 12, 9});
  std::printf("reminder window lines: %.1f ms (%zu lines)\n", Ms(debut), lignes.size());

  const std::string carte = std::string(KINDRELA_SOURCE_DIR) + "/data/modele/1/carte/France";
  const std::vector<TZoneCarte> zones = LitZones(FichierIni(carte + ".kdc"));
  QImage image(QString::fromStdString(carte + ".bmp"));
  image = image.convertToFormat(QImage::Format_RGB32);
  TImageCarte propre(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) propre.SetPixel(x, y, image.pixel(x, y) & 0xFFFFFFu);
  const TR population = AllPersons(bd);
  debut = Horloge::now();
  TImageCarte im = propre;
  TResultatCarte res = AfficheTout(bd, population, "", zones, im, 0);
  std::printf("map of every place (%zu zones, %dx%d): %.1f ms\n", zones.size(), im.Largeur(), im.Hauteur(), Ms(debut));
  debut = Horloge::now();
  im = propre;
  res = AfficheTout(bd, population, "", zones, im, 75);
  std::printf("zone report of zone 75: %.1f ms (%d entries)\n", Ms(debut), res.collectes.Count());
  debut = Horloge::now();
  const auto marqueurs = MarqueursEnLigne(bd, population, "");
  std::printf("online markers: %.1f ms (%zu)\n", Ms(debut), marqueurs.size());
  return 0;
}
