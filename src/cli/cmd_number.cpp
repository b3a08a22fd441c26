// number: rewrites the genealogical numbers of a tree file around a root
// person and saves the tree in place (the previous file kept as ".old").
#include <optional>
#include <string>
#include <string_view>

#include "chart/kinship.h"
#include "cli/cli_support.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/text.h"
#include "core/tree_file/tree_file_load.h"
#include "core/tree_file/tree_file_reader.h"
#include "core/tree_file/tree_file_writer.h"

namespace kindrela::cli {
namespace {

std::optional<int> Entier(const char* texte) {
  std::string_view s = texte;
  if (s.empty() || s.size() > 9) return std::nullopt;
  for (char c : s)
    if (c < '0' || c > '9') return std::nullopt;
  return std::stoi(std::string(s));
}

struct ArgumentsNumber {
  std::string fichier;
  int racine = 0;
  int generations = -1;
  bool conjoints = false;
  bool parFamille = false;
};

// False (after saying why) for anything but one file, --root N (N >= 1) and
// --generations G (G >= 0), plus the two optional flags.
bool LitArguments(int argc, char** argv, ArgumentsNumber& a) {
  for (int k = 1; k < argc; ++k) {
    std::string_view arg = argv[k];
    if (arg == "--root" || arg == "--generations") {
      if (k + 1 >= argc) {
        Erreur(std::string(arg) + " attend un nombre.");
        return false;
      }
      std::optional<int> n = Entier(argv[++k]);
      if (!n || (arg == "--root" && *n < 1)) {
        Erreur(std::string(arg) + " : nombre incorrect : " + Argument(argv[k]));
        return false;
      }
      (arg == "--root" ? a.racine : a.generations) = *n;
    } else if (arg == "--spouses") {
      a.conjoints = true;
    } else if (arg == "--by-family") {
      a.parFamille = true;
    } else if (!arg.empty() && arg[0] != '-' && a.fichier.empty()) {
      a.fichier = Argument(argv[k]);
    } else {
      Erreur("argument inattendu : " + Argument(argv[k]));
      return false;
    }
  }
  if (a.fichier.empty() || a.racine < 1 || a.generations < 0) {
    Erreur("il faut un fichier, --root et --generations.");
    return false;
  }
  return true;
}

}  // namespace

int CmdNumber(int argc, char** argv) {
  ArgumentsNumber a;
  if (!LitArguments(argc, argv, a)) return 2;

  TBD& bd = BaseDuProcessus();
  ResultatChargement r;
  if (int code = ChargeArbre(bd, a.fichier, r)) return code;
  if (!bd.FicheUtilisee(a.racine)) {
    Erreur(a.fichier + " : la personne " + std::to_string(a.racine) +
           " n'existe pas dans cet arbre.");
    return 1;
  }

  NumberTree(bd, a.racine, a.generations, a.conjoints, a.parFamille);
  int sosa = 0;
  int descendants = 0;
  for (int i = 1; i <= bd.NbreFiche(); ++i) {
    const Texte& n = bd.Fiche(i).Numero;
    if (n.empty() || !bd.FicheUtilisee(i)) continue;
    if (n.find('/') == std::string::npos) ++sosa;
    else ++descendants;
  }

  const Statut ecrit = EcritBase(bd, a.fichier, {r.selecPers, NomDeLook(r.lecture)}, Avancement());
  if (int code = CodeEcriture(ecrit, a.fichier)) return code;
  Ecrit(stdout, a.fichier + " : " + std::to_string(sosa) + " numéros Sosa, "_ansi +
                    std::to_string(descendants) + " numéros de descendants\n"_ansi);
  return 0;
}

}  // namespace kindrela::cli
