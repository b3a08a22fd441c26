// GEDCOM export of a large tree: the whole text generated in each character
// set, then written to a file. Timed at N/10, N/2 and N persons; the time per
// person should stay flat.
//
// usage: gedcom_export_bench [N]   (default 100000)
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "analysis/type_tables.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "gedcom/gedcom_charsets.h"
#include "gedcom/gedcom_export.h"
#include "i18n/translation.h"
#include "support/tree_generator.h"

namespace {

using namespace kindrela;
using Horloge = std::chrono::steady_clock;

double Secondes(Horloge::time_point debut) {
  return std::chrono::duration<double>(Horloge::now() - debut).count();
}

// Processor time: steadier than the wall clock on a busy machine.
double SecondesCpu(std::clock_t debut) {
  return static_cast<double>(std::clock() - debut) / CLOCKS_PER_SEC;
}

// The usual event kinds and a few custom fields with their tags.
TTablesTypes Tables() {
  TTablesTypes tables;
  TTraduction traduction;
  tables.ChargeTexte(SorteTable::Evenements,
                     "Pour;Evénement;Balise;\r\nIndividu;Naissance;BIRT;\r\n"
                     "Individu;Baptême;BAPM;\r\nIndividu;Décès;DEAT;\r\n"
                     "Individu;Sépulture;BURI;\r\nUnion;Mariage;MARR;\r\n"
                     "Union;Divorce;DIV;\r\n"_ansi,
                     traduction);
  tables.ChargeTexte(SorteTable::Champs,
                     "Défaut;Champ;Balise;\r\nOUI;Profession;OCCU;\r\nNON;Titre;TITL;\r\n"_ansi,
                     traduction);
  return tables;
}

void Mesure(int personnes) {
  TBD bd;
  bench::OptionsGeneration generation;
  generation.personnes = personnes;
  const auto bilan = bench::GenereArbre(bd, generation);
  const TTablesTypes tables = Tables();
  std::printf("%7d persons %6d unions %7d events %5d sources\n", bilan.personnes, bilan.unions,
              bilan.evenements, bilan.sources);
  for (JeuCaracteres jeu : {JeuCaracteres::Ansel, JeuCaracteres::Dos, JeuCaracteres::Windows,
                            JeuCaracteres::Utf8}) {
    OptionsExportGedcom options;
    options.jeu = jeu;
    std::string texte;
    long long appels = 0;
    const auto debut = Horloge::now();
    const std::clock_t debutCpu = std::clock();
    const bool fini = GenereGedcom(bd, tables, options, texte, [&](long long, long long) {
      ++appels;
      return true;
    });
    const double temps = Secondes(debut);
    const double tempsCpu = SecondesCpu(debutCpu);
    long long lignes = 0;
    for (char c : texte) lignes += c == '\n';
    // Reading it back: every line decoded as the import does.
    const auto debutLecture = Horloge::now();
    std::string ligne;
    long long remplaces = 0;
    for (size_t i = 0; i < texte.size();) {
      size_t fin = texte.find("\r\n", i);
      if (fin == std::string::npos) fin = texte.size();
      int r = 0;
      DecodeLigneDans(std::string_view(texte).substr(i, fin - i), jeu, ligne, &r);
      remplaces += r;
      i = fin + 2;
    }
    const double lecture = Secondes(debutLecture);
    std::printf("  %-7s generate %.3f s (cpu %.3f s, %.0f ns/person): %.1f MB, %lld lines, %lld progress calls%s;"
                " decode every line %.3f s (%lld replaced)\n",
                NomJeu(jeu), temps, tempsCpu, 1e9 * tempsCpu / bilan.personnes, texte.size() / 1e6, lignes,
                appels, fini ? "" : " STOPPED", lecture, remplaces);
  }
  const std::string chemin = "/tmp/gedcom_export_bench.ged";
  const auto debut = Horloge::now();
  const std::clock_t debutCpu = std::clock();
  Statut s = ExportGedcom(bd, tables, chemin, OptionsExportGedcom());
  std::printf("  ANSEL   generate + write %s: %.3f s (cpu %.3f s) %s\n", chemin.c_str(),
              Secondes(debut), SecondesCpu(debutCpu), s ? "" : s.message().c_str());
  std::remove(chemin.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const int n = argc > 1 ? std::atoi(argv[1]) : 100000;
  for (int taille : {n / 10, n / 2, n}) Mesure(taille);
  return 0;
}
