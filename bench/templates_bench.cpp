// Box templates over a whole tree: the lines of a chart box (names, dates,
// places, navigation to parents, spouses and children, event summary)
// expanded for every person, then a list of every person filtered on an
// expanded template. Timed at N/10, N/2 and N persons; the time per person
// should stay flat.
//
// usage: templates_bench [N]   (default 100000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "chart/kinship.h"
#include "chart/templates.h"
#include "core/database.h"
#include "support/tree_generator.h"

namespace {

using Horloge = std::chrono::steady_clock;

double Secondes(Horloge::time_point debut) {
  return std::chrono::duration<double>(Horloge::now() - debut).count();
}

// Lines a chart box typically shows, in the built-in and file words.
const char* const kLignes[] = {
    "<nom> <pr\xE9nom>",
    "(<eve:Naissance,ann\xE9" "e>-<eve:D\xE9" "c\xE8s,ann\xE9" "e>)",
    "<eve:Naissance,date> <eve:Naissance,commune> <eve:Naissance,cp>",
    "<h>fils de <p><pr\xE9nom> et de <individu><m><pr\xE9nom>",
    "<conjoint 1><nom> <individu><union><eve:Mariage,date>",
    "<i-enfant 1><pr\xE9nom>",
    "<r\xE9sum\xE9> <\xE2ge> <dn jj/mm/aaaa>",
};

void Mesure(int personnes) {
  kindrela::TBD bd;
  kindrela::bench::OptionsGeneration options;
  options.personnes = personnes;
  const auto bilan = kindrela::bench::GenereArbre(bd, options);

  kindrela::TMotsBalises mots;
  // The words that exist only in the translation file, as it spells them.
  mots.DefinitMot(kindrela::kMotOuvertureEvenement, "<eve:");
  mots.DefinitMot(kindrela::kMotChampLieu + 4, "commune");
  mots.DefinitMot(kindrela::kMotChampCodePostal, "cp");
  mots.DefinitMot(kindrela::kMotRetourPersonne, "<individu>");
  mots.DefinitMot(kindrela::kMotResume, "<r\xE9sum\xE9>");
  mots.DefinitMot(kindrela::kMotAge, "<\xE2ge>");
  mots.DefinitMot(kindrela::kMotMotifDate, "<dn");
  mots.DefinitMot(kindrela::kMotMotifJour, "jj");
  mots.DefinitMot(kindrela::kMotMotifMois, "mm");
  mots.DefinitMot(kindrela::kMotMotifAnnee, "aaaa");
  const kindrela::TContexteModele ctx{bd, mots};

  size_t octets = 0;
  auto debut = Horloge::now();
  for (int p = 1; p <= bd.NbreFiche(); ++p) {
    if (!bd.FicheUtilisee(p)) continue;
    for (const char* ligne : kLignes) octets += kindrela::ExpandTemplate(ctx, p, ligne).size();
  }
  const double expansion = Secondes(debut);

  const kindrela::TR tous = kindrela::AllPersons(bd);
  debut = Horloge::now();
  const kindrela::TR gardes =
      kindrela::FilterList(ctx, tous, "<nom>", "<p><nom>", 1);  // not the father's surname
  const double filtre = Secondes(debut);

  std::printf("%7d persons: %zu lines in %.3f s (%.0f ns/line, %zu bytes), filter %.3f s "
              "(%d of %d kept)\n",
              bilan.personnes, static_cast<size_t>(tous.Count()) * std::size(kLignes), expansion,
              1e9 * expansion / (static_cast<double>(tous.Count()) * std::size(kLignes)), octets,
              filtre, gardes.Count(), tous.Count());
}

}  // namespace

int main(int argc, char** argv) {
  const int n = argc > 1 ? std::atoi(argv[1]) : 100000;
  for (int taille : {n / 10, n / 2, n}) Mesure(taille);
  return 0;
}
