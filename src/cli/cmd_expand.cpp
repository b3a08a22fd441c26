// expand: the text of a box template for one person of a tree file, with
// the tag words, date format and name days of the installation (the
// built-in French words when no translation file is found).
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "app/folders.h"
#include "chart/template_words.h"
#include "chart/templates.h"
#include "cli/cli_support.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/file_io.h"
#include "core/text.h"
#include "core/tree_file/tree_file_load.h"
#include "dates/dates.h"
#include "i18n/event_words.h"
#include "i18n/translation.h"

namespace kindrela::cli {
namespace {

}  // namespace

int CmdExpand(int argc, char** argv) {
  if (argc != 4) return 2;
  const std::string chemin = Argument(argv[1]);
  const int personne = TexteVersEntier(argv[2], 0);
  const std::string modele = Argument(argv[3]);
  if (personne <= 0) {
    Erreur(std::string("numéro de personne incorrect : "_ansi) + Argument(argv[2]));
    return 2;
  }

  Installation inst;
  const bool trouvee = ChargeInstallation(inst).ok();
  TTableFetes fetes;
  if (trouvee) fetes.Charge(inst.programme + "modele/defaut.kd");
  if (!trouvee)
    Erreur("fichier de traduction introuvable : mots des balises intégrés utilisés."_ansi);

  TBD& bd = BaseDuProcessus();
  if (trouvee) MotsEvenements(inst.traduction, bd);
  ResultatChargement r;
  if (int code = ChargeArbre(bd, chemin, r)) return code;
  if (!bd.FicheUtilisee(personne)) {
    Erreur(chemin + " : aucune personne n'a le numéro "_ansi + std::to_string(personne) + ".");
    return 1;
  }

  TMotsBalises mots;
  mots.RetranslateTags(inst.traduction);
  TContexteModele ctx{bd, mots, inst.ini.formatDate, &fetes, trouvee ? &inst.traduction : nullptr};
  Ecrit(stdout, ExpandTemplate(ctx, personne, modele) + "\n");
  return 0;
}

}  // namespace kindrela::cli
