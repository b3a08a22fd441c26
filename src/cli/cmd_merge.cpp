// merge: merges a duplicate person into the person to keep and writes the
// tree to another file. A refused merge writes nothing.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_support.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/tree_file/tree_file_load.h"
#include "core/tree_file/tree_file_reader.h"
#include "core/tree_file/tree_file_writer.h"
#include "editing/merge.h"

namespace kindrela::cli {
namespace {

std::optional<int> Numero(std::string_view s) {
  if (s.empty() || s.size() > 9) return std::nullopt;
  for (char c : s)
    if (c < '0' || c > '9') return std::nullopt;
  return std::stoi(std::string(s));
}

}  // namespace

int CmdMerge(int argc, char** argv) {
  std::vector<std::string_view> positions;
  std::string sortie;
  for (int k = 1; k < argc; ++k) {
    const std::string_view arg = argv[k];
    if (arg == "-o" || arg == "--output") {
      if (k + 1 >= argc || !sortie.empty()) return 2;
      sortie = Argument(argv[++k]);
    } else if (!arg.empty() && arg[0] != '-') {
      positions.push_back(arg);
    } else {
      Erreur("argument inattendu : " + Argument(argv[k]));
      return 2;
    }
  }
  if (positions.size() != 3 || sortie.empty()) return 2;
  const std::optional<int> garde = Numero(positions[1]), double_ = Numero(positions[2]);
  if (!garde || !double_) {
    Erreur("les personnes sont des numéros de fiche."_ansi);
    return 2;
  }
  const std::string entree = Argument(std::string(positions[0]).c_str());

  TBD& bd = BaseDuProcessus();
  ResultatChargement r;
  if (int code = ChargeArbre(bd, entree, r)) return code;
  const ResultatFusion fusion = FusionPersonnes(bd, *garde, *double_);
  if (!fusion.ok()) {
    Erreur(fusion.message);
    return 1;
  }
  // What the file cannot hold (a joined name too long) is said; the rest is written.
  for (const std::string& coupure : ValeursCoupees(bd)) Erreur(sortie + " : " + coupure);
  const Statut ecrit = EcritBase(bd, sortie, {*garde, NomDeLook(r.lecture)}, Avancement());
  if (int code = CodeEcriture(ecrit, sortie)) return code;
  Ecrit(stdout, sortie + " : " + fusion.message + " (" + std::to_string(*double_) + " dans " +
                    std::to_string(*garde) + ", " + bd.NomCourt(*garde) + ")\n");
  return 0;
}

}  // namespace kindrela::cli
