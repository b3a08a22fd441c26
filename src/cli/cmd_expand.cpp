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
#include "core/database.h"
#include "core/file_io.h"
#include "core/text.h"
#include "core/tree_file/tree_file_load.h"
#include "dates/dates.h"
#include "i18n/translation.h"

namespace kindrela::cli {
namespace {

std::string AvecSlash(std::string dossier) {
  if (!dossier.empty() && dossier.back() != '/') dossier += '/';
  return dossier;
}

// The folder that holds "modele": $KINDRELA_DOSSIER when set, else the
// executable's folder or its "../share/kindrela" when "modele" is there.
std::string DossierProgramme() {
  if (const char* force = std::getenv("KINDRELA_DOSSIER"); force && *force)
    return AvecSlash(Argument(force));
  char exe[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (n <= 0) return {};
  const std::string dossier = DossierDe(Argument(std::string(exe, static_cast<size_t>(n)).c_str()));
  for (const std::string& candidat : {dossier, dossier + "../share/kindrela/"})
    if (DossierExiste(candidat + "modele")) return candidat;
  return dossier;
}

// What the expansion reads from the installation.
struct Installation {
  TTraduction traduction;
  TTableFetes fetes;
  TIniProgramme ini;
  bool trouvee = false;
};

void ChargeInstallation(Installation& inst) {
  const std::string programme = DossierProgramme();
  if (!ControleTraduction(programme).ok() ||
      !inst.traduction.ChargeTraduction(kCheminTraduction, programme))
    return;
  inst.trouvee = true;
  if (ChargeIniProgramme(programme, inst.ini).ok()) AppliqueIniProgramme(inst.ini, inst.traduction);
  inst.fetes.Charge(programme + "modele/defaut.kd");
}

}  // namespace

int CmdExpand(int argc, char** argv) {
  if (argc != 4) return 2;
  const std::string chemin = Argument(argv[1]);
  const int personne = TexteVersEntier(argv[2], 0);
  const std::string modele = Argument(argv[3]);
  if (personne <= 0) {
    Erreur(std::string("num\xE9ro de personne incorrect : ") + Argument(argv[2]));
    return 2;
  }

  Installation inst;
  ChargeInstallation(inst);
  if (!inst.trouvee)
    Erreur("fichier de traduction introuvable : mots des balises int\xE9gr\xE9s utilis\xE9s.");

  TBD bd;
  if (inst.trouvee) {
    const TTraduction& t = inst.traduction;
    bd.NatProfession = t.Msg(200);
    bd.NatNaissance = t.Msg(201);
    bd.NatBapteme = t.Msg(202);
    bd.NatDeces = t.Msg(203);
    bd.NatSepulture = t.Msg(204);
    bd.NatMariage = t.Msg(205);
    bd.NatDivorce = t.Msg(206);
  }
  OptionsChargement options;
  options.progression = Avancement();
  ResultatChargement r;
  Statut s = ChargeFichierArbre(bd, chemin, options, r);
  for (const auto& a : r.lecture.avertissements) Erreur(chemin + " : " + a);
  if (s.annule()) {
    Erreur("interrompu.");
    return 130;
  }
  if (!s) {
    Erreur(s.message());
    return 1;
  }
  if (!bd.FicheUtilisee(personne)) {
    Erreur(chemin + " : aucune personne n'a le num\xE9ro " + std::to_string(personne) + ".");
    return 1;
  }

  TMotsBalises mots;
  mots.RetranslateTags(inst.traduction);
  TContexteModele ctx{bd, mots, inst.ini.formatDate, &inst.fetes,
                      inst.trouvee ? &inst.traduction : nullptr};
  Ecrit(stdout, ExpandTemplate(ctx, personne, modele) + "\n");
  return 0;
}

}  // namespace kindrela::cli
