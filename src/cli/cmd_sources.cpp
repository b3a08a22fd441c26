// sources: one line per source in use, so that a script can find the
// pictures a tree lost: record number, title, media file as stored, whether
// that file is found (beside the tree, in the installation...) and the
// number of persons citing the source, separated by tabs.
#include <string>

#include "cli/cli_support.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "editing/sources.h"
#include "i18n/event_words.h"

namespace kindrela::cli {

int CmdSources(int argc, char** argv) {
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
  TDossiersMedia dossiers{inst.programme + "modele/", inst.programme, chemin};
  std::string sortie;
  for (const TLigneAudit& l : AuditSources(bd, dossiers)) {
    // A tab or line break inside a title would split the line for a script.
    std::string titre = l.titre;
    for (char& c : titre)
      if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    sortie += std::to_string(l.source) + "\t" + titre + "\t" + l.fichier + "\t" +
              (l.fichier.empty() ? std::string("sans fichier") : l.trouve ? "trouvé"_ansi : "absent") +
              "\t" + std::to_string(l.citations) + "\n";
  }
  Ecrit(stdout, sortie);
  return 0;
}

}  // namespace kindrela::cli
