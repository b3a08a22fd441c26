// stats: one statistic of a tree for scripts, one line per column of the
// graph (its label, a tab, its value); the summary goes to stderr.
#include <string>

#include "analysis/statistics.h"
#include "cli/cli_support.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/text.h"
#include "i18n/event_words.h"

namespace kindrela::cli {
namespace {

// A statistic by number, or by its name (without regard to case; a part of
// the name is enough when only one statistic holds it). -1 when none.
int TrouveStatistique(const std::string& texte) {
  if (EstEntier(texte)) {
    const int n = TexteVersEntier(texte);
    return n >= 0 && n < kNbreEntreesStat && !EstSeparateurStat(n) ? n : -1;
  }
  const std::string cherche = MinusculesAnsi(texte);
  int trouve = -1;
  for (int i = 0; i < kNbreEntreesStat; ++i) {
    if (EstSeparateurStat(i)) continue;
    const std::string nom = MinusculesAnsi(kStatistiques[static_cast<size_t>(i)]);
    if (nom == cherche) return i;
    if (nom.find(cherche) != std::string::npos) {
      if (trouve >= 0) return -1;
      trouve = i;
    }
  }
  return trouve;
}

}  // namespace

int CmdStats(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string chemin = Argument(argv[1]);
  int entree = -1;
  bool nesEntre = false;
  int debut = 0, fin = 0;
  TFenetre ages = kFenetreAgesDefaut, annees = kFenetreAnneesDefaut;
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
    auto fenetre = [&](TFenetre& f) {
      if (i + 3 >= argc) return false;
      f = CorrigeFenetre(argv[i + 1], argv[i + 2], argv[i + 3]);
      i += 3;
      return true;
    };
    if (a == "--stat" && i + 1 < argc) {
      entree = TrouveStatistique(Argument(argv[++i]));
      if (entree < 0) {
        Erreur("statistique inconnue : " + Argument(argv[i]));
        return 2;
      }
    } else if (a == "--born-between" && i + 2 < argc && EstEntier(argv[i + 1]) && EstEntier(argv[i + 2])) {
      nesEntre = true;
      debut = TexteVersEntier(argv[++i]);
      fin = std::max(debut, TexteVersEntier(argv[++i]));
    } else if (a == "--ages") {
      if (!fenetre(ages)) return 2;
    } else if (a == "--years") {
      if (!fenetre(annees)) return 2;
    } else {
      return 2;
    }
  }
  if (entree < 0) return 2;

  Installation inst;
  if (Statut s = ChargeInstallation(inst); !s) {
    Erreur(s.message());
    return 1;
  }
  TBD& bd = BaseDuProcessus();
  MotsEvenements(inst.traduction, bd);
  ResultatChargement r;
  if (int code = ChargeArbre(bd, chemin, r)) return code;

  const TR population = nesEntre ? PopulationNesEntre(bd, debut, fin) : AllPersons(bd);
  const TStatistique s =
      CalculeStatistique(bd, inst.traduction, entree, population, ages, annees, -1, Avancement());
  if (s.annule) {
    Erreur("interrompu.");
    return 130;
  }
  std::string out;
  for (size_t c = 0; c < s.valX.size(); ++c) out += s.valX[c] + "\t" + std::to_string(s.valY[c]) + "\n";
  Ecrit(stdout, out);
  std::string resume = std::string(kStatistiques[static_cast<size_t>(entree)]) + " (" +
                       std::to_string(population.Count()) + " personnes)\n";
  for (const std::string& l : s.commentaire) resume += l + "\n";
  Ecrit(stderr, resume);
  return 0;
}

}  // namespace kindrela::cli
