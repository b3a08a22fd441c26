// check: the consistency check of every person, then the verification of
// the record links, on a tree loaded in memory. The file is never written:
// repairs made by the verification are reported, not saved.
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "analysis/consistency.h"
#include "app/folders.h"
#include "cli/cli_support.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/file_io.h"
#include "core/tree_file/tree_file_load.h"
#include "i18n/event_words.h"
#include "i18n/translation.h"

namespace kindrela::cli {
namespace {

// A report's CR LF line ends as the terminal's, each line indented.
std::string Indente(const std::string& texte) {
  std::string out;
  bool debut = true;
  for (char c : texte) {
    if (c == '\r') continue;
    if (debut && c != '\n') out += "  ";
    out += c;
    debut = c == '\n';
  }
  if (!out.empty() && out.back() != '\n') out += '\n';
  return out;
}

}  // namespace

int CmdCheck(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string chemin = Argument(argv[1]);

  Installation inst;
  if (Statut s = ChargeInstallation(inst); !s) {
    Erreur(s.message());
    return 1;
  }

  TBD& bd = BaseDuProcessus();
  MotsEvenements(inst.traduction, bd);
  ResultatChargement r;
  if (int code = ChargeArbre(bd, chemin, r)) return code;

  const RapportCoherence rapport = ControleCoherenceArbre(
      bd, inst.traduction, SeuilsCoherence::SiAbsents(), Avancement());
  if (rapport.annule) {
    Erreur("interrompu.");
    return 130;
  }
  std::string sortie;
  for (const ProblemesPersonne& p : rapport.personnes)
    sortie += std::to_string(p.personne) + " " + bd.NomCourt(p.personne) + "\n" + Indente(p.texte);
  sortie += "Contrôle de cohérence : "_ansi + std::to_string(rapport.personnes.size()) +
            " personne(s) sur " + std::to_string(rapport.nbreControlees) +
            " avec des problèmes.\n"_ansi;
  Ecrit(stdout, sortie);

  // The verification asks before repairing; here the answer is always yes,
  // since the repairs stay in memory.
  const std::string verification = bd.VerifieBase([](const std::string&) { return true; });
  Ecrit(stdout, "Vérification de la base :\n"_ansi + Indente(verification));
  return 0;
}

}  // namespace kindrela::cli
