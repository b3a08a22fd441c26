// find: the name search of the person search window for scripts: every
// person whose surname starts with TEXT (without regard to case), sorted by
// surname and given names, one line each: record number, surname, given
// names and birth date, separated by tabs.
#include <string>

#include "cli/cli_support.h"
#include "core/database.h"
#include "dates/dates.h"
#include "editing/search.h"
#include "i18n/event_words.h"

namespace kindrela::cli {
namespace {

// A tab or line break inside a name would split the line for a script.
std::string SurUneLigne(std::string s) {
  for (char& c : s)
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  return s;
}

}  // namespace

int CmdFind(int argc, char** argv) {
  if (argc != 3) return 2;
  const std::string chemin = Argument(argv[1]);
  const std::string texte = Argument(argv[2]);
  Installation inst;
  if (Statut s = ChargeInstallation(inst); !s) {
    Erreur(s.message());
    return 1;
  }
  TBD& bd = BaseDuProcessus();
  MotsEvenements(inst.traduction, bd);
  ResultatChargement r;
  if (int code = ChargeArbre(bd, chemin, r)) return code;
  TRechercheFiche recherche(bd, inst.ini.formatDate);
  recherche.Commence(ModeRecherche::Selection, 0, 0, {});
  recherche.SetForme(FormeListe::Unique);
  recherche.SetPrefixe(texte);
  if (!recherche.Reconstruit(Avancement())) return 130;
  std::string sortie;
  for (int p : recherche.Personnes()) {
    sortie += std::to_string(p) + "\t" + SurUneLigne(bd.LitNom(p)) + "\t" + SurUneLigne(bd.LitPrenoms(p)) + "\t" +
              DateAffichee(bd.LitDateNaissance(p), inst.ini.formatDate) + "\n";
  }
  Ecrit(stdout, sortie);
  return 0;
}

}  // namespace kindrela::cli
