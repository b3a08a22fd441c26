// GEDCOM import throughput: a synthetic file of N persons (default 100000,
// about 35 MB: three events each, notes, sources, families with children)
// is written to a temporary file and imported, from the file and from
// memory, in each character set that changes the reading.
//
// usage: gedcom_import_bench [N]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>
#include <utility>

#include "analysis/type_tables.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/text.h"
#include "core/tree_file/tree_file_writer.h"
#include "gedcom/gedcom_import.h"

namespace {

using namespace kindrela;
using Horloge = std::chrono::steady_clock;

double Secondes(Horloge::time_point debut) {
  return std::chrono::duration<double>(Horloge::now() - debut).count();
}

// A small deterministic generator, so that every run reads the same file.
struct Alea {
  uint32_t etat = 20080106;
  uint32_t operator()(uint32_t n) {
    etat = etat * 1664525u + 1013904223u;
    return (etat >> 8) % n;
  }
};

const char* const kNoms[] = {"MARTIN", "BERNARD", "DUBOIS", "THOMAS", "ROBERT", "RICHARD",
                             "PETIT",  "DURAND",  "LEROY",  "MOREAU", "SIMON",  "LAURENT"};
const char* const kPrenoms[] = {"Jean", "Marie",   "Pierre", "Jeanne", "Louis",
                                "Anne", "François"_ansi, "Catherine", "Joseph", "Marguerite"};
const char* const kLieux[] = {"Brest, Finistère, Bretagne, France"_ansi, "Quimper, Finistère, Bretagne, France"_ansi,
                              "Lyon, Rhône, Rhône-Alpes, France"_ansi, "Paris, Paris, Île-de-France, France"_ansi};
const char* const kMois[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

std::string Date(Alea& a, int annee) {
  return std::to_string(1 + a(28)) + " " + kMois[a(12)] + " " + std::to_string(annee);
}

// Persons in generations of couples: person 2k-1 is a man, 2k a woman, and
// each couple k has the two persons 2k + N/2 - 1 and 2k + N/2 as children.
std::string GenereGedcom(int nbre, int& familles) {
  Alea a;
  std::string g;
  g.reserve(static_cast<size_t>(nbre) * 380);
  g += "0 HEAD\r\n1 SOUR BENCH\r\n2 VERS 1.0\r\n1 GEDC\r\n2 VERS 5.5\r\n1 CHAR ANSI\r\n";
  for (int i = 1; i <= 40; ++i)
    g += "0 @S" + std::to_string(i) + "@ SOUR\r\n1 TITL Registre paroissial " + std::to_string(i) +
         "\r\n1 TEXT Actes de baptêmes, mariages et sépultures\r\n"_ansi;
  for (int i = 1; i <= nbre; ++i) {
    const int annee = 1700 + (i * 200) / nbre;
    const char* lieu = kLieux[a(4)];
    g += "0 @I" + std::to_string(i) + "@ INDI\r\n";
    g += std::string("1 NAME ") + kPrenoms[a(10)] + " " + kPrenoms[a(10)] + " /" + kNoms[a(12)] + "/\r\n";
    g += i % 2 ? "1 SEX M\r\n" : "1 SEX F\r\n";
    g += "1 BIRT\r\n2 DATE " + Date(a, annee) + "\r\n2 PLAC " + lieu + "\r\n";
    g += "1 BAPM\r\n2 DATE " + Date(a, annee) + "\r\n2 SOUR @S" +
         std::to_string(1 + a(40)) + "@\r\n";
    g += "1 DEAT\r\n2 DATE ABT " + std::to_string(annee + 40 + a(40)) + "\r\n2 PLAC " + lieu +
         "\r\n2 NOTE Décédé à son domicile\r\n3 CONC  en présence de ses enfants.\r\n"_ansi;
    g += "1 OCCU Laboureur\r\n1 SOUR @S" + std::to_string(1 + a(40)) + "@\r\n";
    g += "1 CHAN\r\n2 DATE 12 MAR 2008\r\n";
  }
  familles = 0;
  for (int k = 1; 2 * k <= nbre / 2; ++k) {
    ++familles;
    g += "0 @F" + std::to_string(k) + "@ FAM\r\n1 HUSB @I" + std::to_string(2 * k - 1) + "@\r\n1 WIFE @I" +
         std::to_string(2 * k) + "@\r\n1 CHIL @I" + std::to_string(2 * k - 1 + nbre / 2) +
         "@\r\n1 CHIL @I" + std::to_string(2 * k + nbre / 2) + "@\r\n";
  }
  g += "0 TRLR\r\n";
  return g;
}

void Mesure(const char* titre, const TTablesTypes& types, const std::string& contenu,
            const std::string& chemin, JeuCaracteres jeu, bool depuisFichier) {
  TBD bd;
  TGedcomHeader entete;
  OptionsImport options;
  options.jeu = jeu;
  auto debut = Horloge::now();
  const std::clock_t cpu = std::clock();
  ResultatImport r = depuisFichier ? ImportGedcom(bd, types, chemin, options, entete)
                                   : ImportGedcomTexte(bd, types, contenu, chemin, options, entete);
  const double s = Secondes(debut);
  const double cpuS = static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
  std::printf("%-20s %6.3f s (cpu %5.3f s)  %5.1f MB/s  persons %d  unions %d  events %d  sources %d%s\n", titre, s, cpuS,
              static_cast<double>(contenu.size()) / 1e6 / s, r.personnes.Stockes(), r.unions.Stockes(),
              r.evenements.Stockes(), r.sources.Stockes(), r.Termine() ? "" : "  (NOT FINISHED)");
}

// What a user waits for: the file read, imported and saved as a tree file.
void MesureImportEtSauve(const TTablesTypes& types, const std::string& chemin) {
  TBD bd;
  bd.Vide();
  TGedcomHeader entete;
  OptionsImport options;
  auto debut = Horloge::now();
  const std::clock_t cpu = std::clock();
  ResultatImport r = ImportGedcom(bd, types, chemin, options, entete);
  const double import = Secondes(debut);
  const std::string arbre = chemin + ".kdg";
  const auto debutSauve = Horloge::now();
  Statut s = EcritBase(bd, arbre, {bd.FicheSuivante(0), {}});
  const double sauve = Secondes(debutSauve);
  std::printf("%-20s %6.3f s (cpu %5.3f s)  import %.3f s + save %.3f s%s\n", "import + save",
              Secondes(debut), static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC, import, sauve,
              r.Termine() && s ? "" : "  (FAILED)");
  std::remove(arbre.c_str());
  std::remove((arbre + ".old").c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const int nbre = argc > 1 ? std::atoi(argv[1]) : 100000;
  int familles = 0;
  auto debut = Horloge::now();
  const std::string contenu = GenereGedcom(nbre, familles);
  std::printf("generated %d persons, %d families, %.1f MB in %.3f s\n", nbre, familles,
              static_cast<double>(contenu.size()) / 1e6, Secondes(debut));
  const std::string chemin = "/tmp/kindrela_gedcom_import_bench.ged";
  std::ofstream(chemin, std::ios::binary) << contenu;

  TTablesTypes types;  // no extra kinds: other tags keep their names
  MesureImportEtSauve(types, chemin);
  Mesure("Windows, from file", types, contenu, chemin, JeuCaracteres::Windows, true);
  Mesure("Windows, in memory", types, contenu, chemin, JeuCaracteres::Windows, false);
  Mesure("ANSEL, in memory", types, contenu, chemin, JeuCaracteres::Ansel, false);
  Mesure("DOS, in memory", types, contenu, chemin, JeuCaracteres::Dos, false);
  const std::string utf8 = AnsiVersUtf8(contenu);
  Mesure("UTF-8, in memory", types, utf8, chemin, JeuCaracteres::Utf8, false);
  // The same file with names in alphabets Windows-1252 lacks, kept as references.
  std::string autres = utf8;
  for (const auto& [francais, etranger] : {std::pair<std::string, std::string>{"MARTIN", "WAŁĘSA"},
                                           {"BERNARD", "ИВАНОВА"}, {"DUBOIS", "NGUYỄN"},
                                           {"Marie", "Łucja"}, {"Pierre", "Γιώργος"}, {"Jean", "小龍"}}) {
    std::string fait;
    fait.reserve(autres.size() + autres.size() / 8);
    size_t debut = 0;
    for (size_t p; (p = autres.find(francais, debut)) != std::string::npos; debut = p + francais.size())
      fait.append(autres, debut, p - debut).append(etranger);
    autres = fait.append(autres, debut, std::string::npos);
  }
  Mesure("UTF-8, other letters", types, autres, chemin, JeuCaracteres::Utf8, false);
  if (!std::getenv("KINDRELA_GARDE_GED")) std::remove(chemin.c_str());
  return 0;
}
