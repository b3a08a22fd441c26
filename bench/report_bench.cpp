// Reports and statistics on a large tree: every predefined report, filling
// the grid from the whole tree with the default column model, sorting the
// grid on each kind of column, and every statistic over every person.
//
// usage: report_bench [N]   (default 100000 persons)
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "analysis/report_model.h"
#include "analysis/report_predefined.h"
#include "analysis/statistics.h"
#include "chart/template_words.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/ini_file.h"
#include "core/text.h"
#include "i18n/event_words.h"
#include "i18n/translation.h"
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

// The build tree links the installation data beside the executables.
std::string DossierModele() {
  char chemin[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", chemin, sizeof chemin - 1);
  if (n <= 0) return "modele/";
  std::string exe(chemin, static_cast<size_t>(n));
  return exe.substr(0, exe.rfind('/') + 1) + "modele/";
}

}  // namespace

int main(int argc, char** argv) {
  const int nbre = argc > 1 ? std::atoi(argv[1]) : 100000;
  TTraduction t;
  if (!t.ChargeTraduction(DossierModele() + "famora.tra")) {
    std::fprintf(stderr, "famora.tra not found beside the executable\n");
    return 1;
  }
  TBD bd;
  MotsEvenements(t, bd);
  bench::OptionsGeneration options;
  options.personnes = nbre;
  bench::GenereArbre(bd, options);
  std::printf("%d persons, %d unions, %d events\n", bd.NbreFichesUtilisees(), bd.NbreUnion(), bd.NbreEve());

  TMotsBalises mots;
  mots.RetranslateTags(t);
  TContexteModele ctx{bd, mots, "j/m/a", nullptr, &t};
  double pire = 0;
  for (int r = 0; r < kNbrePredefinis; ++r) {
    TOptionsPredefini o;
    o.signe = "Lion";
    TGrilleRapport g;
    TResultatPredefini res;
    const double s = Chrono([&] { res = RapportPredefini(ctx, t, r, o, g, {}); });
    pire = std::max(pire, s);
    std::printf("  predefined %2d %-55s %7.3f s  %7d rows\n", r,
                AnsiVersUtf8(kRapportsPredefinis[static_cast<size_t>(r)]).c_str(), s, g.NbreLignes());
  }
  std::printf("  slowest predefined report: %.3f s\n", pire);

  FichierIni ini(DossierModele() + "1/rapport/Standard.kdr");
  TModeleColonnes modele;
  LitModeleColonnes(ini, modele, t.Msg(2005));
  TGrilleRapport g;
  const TR tous = AllPersons(bd);
  std::printf("  fill the grid, every person, %zu columns: %.3f s\n", modele.colonnes.size(),
              Chrono([&] { (void)RemplitGrille(ctx, t, modele, tous, g); }));
  for (int c : {0, 2}) {
    std::printf("  sort the grid on column %d (%s): %.3f s\n", c, c == 2 ? "date" : "text",
                Chrono([&] { g.Trie(c, true, "j/m/a"); }));
  }
  std::printf("  kinship selection, all persons sorted: %.3f s\n",
              Chrono([&] { (void)SelectionParente(bd, 0, 1, 1, true); }));

  pire = 0;
  for (int s = 0; s < kNbreEntreesStat; ++s) {
    if (EstSeparateurStat(s)) continue;
    TStatistique st;
    const double d = Chrono([&] { st = CalculeStatistique(bd, t, s, tous, kFenetreAgesDefaut, kFenetreAnneesDefaut, 0); });
    pire = std::max(pire, d);
    long long somme = 0;
    for (long long v : st.valY) somme += v;
    std::printf("  stat %2d %-50s %7.3f s  (sum %lld)\n", s,
                AnsiVersUtf8(kStatistiques[static_cast<size_t>(s)]).c_str(), d, somme);
  }
  std::printf("  slowest statistic: %.3f s\n", pire);
  return 0;
}
