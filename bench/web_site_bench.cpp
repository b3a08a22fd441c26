// The web site export of a large tree: every list layout, both card forms,
// the indexes and the dynamic page, written into a temporary folder.
//
// usage: web_site_bench [N]   (default 100000 persons)
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/web_site.h"
#include "core/database.h"
#include "i18n/event_words.h"
#include "i18n/translation.h"
#include "support/tree_generator.h"

namespace {

using namespace kindrela;
using Horloge = std::chrono::steady_clock;

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
  bench::OptionsGeneration og;
  og.personnes = nbre;
  const bench::BilanGeneration bilan = bench::GenereArbre(bd, og);
  bd.RefPers = bd.FicheSuivante(0);
  TContexteSite c;
  c.traduction = &t;
  if (Statut s = ChargeModelesWeb(DossierModele() + "1/ExportHtml/Defaut/", c.modeles); !s) {
    std::fprintf(stderr, "%s\n", s.message().c_str());
    return 1;
  }
  const std::filesystem::path dossier = std::filesystem::temp_directory_path() / "kindrela_web_site_bench";
  std::printf("tree: %d persons, %d unions, %d events, %d sources\n", bilan.personnes, bilan.unions,
              bilan.evenements, bilan.sources);
  struct Cas {
    const char* nom;
    int modeListe, forme;
  } cas[] = {{"one list page, literary cards", 0, 0},
             {"25 per list page, table cards", 1, 1},
             {"per letter, literary cards", 2, 0},
             {"per surname, table cards", 3, 1}};
  for (const Cas& k : cas) {
    std::filesystem::remove_all(dossier);
    TOptionsWeb o;
    o.titre = "Bench";
    o.modeListe = k.modeListe;
    o.formeFiche = k.forme;
    std::vector<std::string> fichiers;
    const auto debut = Horloge::now();
    const std::clock_t processeur = std::clock();
    Statut s = ExportSite(bd, o, c, (dossier / "index.htm").string(), &fichiers);
    const double duree = std::chrono::duration<double>(Horloge::now() - debut).count();
    const double cpu = static_cast<double>(std::clock() - processeur) / CLOCKS_PER_SEC;
    if (!s) {
      std::fprintf(stderr, "%s\n", s.message().c_str());
      return 1;
    }
    // The processor time tells the export's own cost on a busy machine.
    std::printf("%-32s %6.2f s (processor %5.2f s)  %zu files\n", k.nom, duree, cpu, fichiers.size());
  }
  std::filesystem::remove_all(dossier);
  return 0;
}
