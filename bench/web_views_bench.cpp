// The single-view web pages on a large tree: the source page of every
// person and of a report of every tenth person, and the ancestry page of
// the youngest person in its three modes over 99 generations; the record
// cards of one person and of that report, in both card forms, through the
// site's writer.
//
// usage: web_views_bench [N]   (default 100000 persons)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "analysis/report_html.h"
#include "analysis/web_views.h"
#include "app/web_export.h"
#include "i18n/translation.h"
#include "core/database.h"
#include "support/tree_generator.h"

namespace {

using namespace kindrela;
using Horloge = std::chrono::steady_clock;

template <typename F>
double Chrono(F&& f) {
  auto debut = Horloge::now();
  f();
  return std::chrono::duration<double>(Horloge::now() - debut).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int nbre = argc > 1 ? std::atoi(argv[1]) : 100000;
  TBD bd;
  bench::OptionsGeneration options;
  options.personnes = nbre;
  const bench::BilanGeneration bilan = bench::GenereArbre(bd, options);
  TGabaritPage g;
  g.entete = [](std::string_view t) { return "<html><title>" + EchappeHtml(t) + "</title>"; };
  g.pied = [] { return std::string("</html>"); };
  g.nomPersonne = [&bd](int r) { return bd.LitNom(r) + " " + bd.LitPrenoms(r); };
  g.adresseFiche = [](int r) { return "page" + std::to_string((r - 1) / 25 + 1) + ".htm#fiche" + std::to_string((r - 1) % 25 + 1); };
  g.lienPersonne = [&g](int r) { return "<a href=\"" + g.adresseFiche(r) + "\">" + EchappeHtml(g.nomPersonne(r)) + "</a>"; };
  const TMotsPageSources mots{"Sources", "Toutes les sources", "Sources du rapport :"};
  auto image = [](const std::string&) { return std::string(); };
  size_t taille = 0;
  const double tout = Chrono([&] { taille = PageSources(bd, g, {}, mots, nullptr, {}, image).size(); });
  std::printf("persons %d, sources %d\n", bilan.personnes, bilan.sources);
  std::printf("source page, every person: %.3f s (%zu bytes)\n", tout, taille);
  std::vector<int> rapport;
  for (int r = 1; r <= bd.NbreFiche(); r += 10)
    if (bd.FicheUtilisee(r)) rapport.push_back(r);
  const double partiel = Chrono([&] { taille = PageSources(bd, g, {}, mots, &rapport, "Rapport", image).size(); });
  std::printf("source page, %zu report persons: %.3f s (%zu bytes)\n", rapport.size(), partiel, taille);
  int jeune = bd.FichePrecedente(bd.NbreFiche() + 1);
  for (ModeAscendance mode : {ModeAscendance::ParGeneration, ModeAscendance::AvecAbsents, ModeAscendance::Manquants}) {
    TOptionsAscendance o;
    o.generations = 99;
    o.mode = mode;
    o.fratrie = true;
    o.conjoints = true;
    const double s = Chrono([&] { taille = PageAscendance(bd, g, jeune, o).size(); });
    std::printf("ancestry page, mode %d, 99 generations: %.3f s (%zu bytes)\n", static_cast<int>(mode), s, taille);
  }
  TTraduction t;
  const std::string modele = std::string(KINDRELA_SOURCE_DIR) + "/data/modele/";
  if (!t.ChargeTraduction(modele + "famora.tra")) {
    std::fprintf(stderr, "famora.tra not found\n");
    return 1;
  }
  for (int forme : {0, 1}) {
    TOptionsWeb o;
    o.formeFiche = forme;
    std::unique_ptr<TVuesWeb> vues;
    if (Statut s = TVuesWeb::Ouvre(bd, t, o, modele + "1/ExportHtml/Defaut/", {}, vues); !s) {
      std::fprintf(stderr, "%s\n", s.message().c_str());
      return 1;
    }
    const double une = Chrono([&] { taille = vues->PageFiche(jeune, "Fiche de", "/nonexistent/").size(); });
    std::printf("record page, form %d: %.6f s (%zu bytes)\n", forme, une, taille);
    const double cartes = Chrono([&] { taille = vues->PageFichesRapport(rapport, "Rapport", "/nonexistent/").size(); });
    std::printf("record cards of %zu report persons, form %d: %.3f s (%zu bytes)\n", rapport.size(), forme, cartes,
                taille);
  }
  return 0;
}
