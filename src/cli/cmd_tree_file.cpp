// info and convert: the native tree file.
#include "cli/cli_support.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/identity.h"
#include "core/tree_file/tree_file_load.h"
#include "core/tree_file/tree_file_writer.h"

namespace kindrela::cli {

int CmdInfo(int argc, char** argv) {
  if (argc != 2) return 2;
  const std::string chemin = Argument(argv[1]);
  TBD& bd = BaseDuProcessus();
  InfoChargement info = InfoFichierArbre(bd, chemin);
  if (info.page != PageChargement::Kindrela) {
    Erreur(chemin + " : fichier illisible ou qui n'est pas un arbre généalogique reconnu."_ansi);
    return 1;
  }
  Ecrit(stdout, "Fichier : " + chemin + "\n" +
                    "Version du fichier : " + std::to_string(info.version) + "\n" +
                    "Version du programme : " + info.versionProgramme + "\n" +
                    "Nombre de personnes : " + info.nbrePersonnes + "\n" +
                    "Créé le : "_ansi + info.creeLe + "\n" +
                    "Modifé le : "_ansi + info.modifieLe + "\n");
  return 0;
}

int CmdConvert(int argc, char** argv) {
  if (argc != 3) return 2;
  const std::string entree = Argument(argv[1]);
  const std::string sortie = Argument(argv[2]);
  TBD& bd = BaseDuProcessus();
  ResultatChargement r;
  if (int code = ChargeArbre(bd, entree, r)) return code;
  if (r.lecture.lieuxAConvertir)
    Erreur(entree + " : les lieux de cette ancienne version sont gardés tels quels."_ansi);
  // What the file cannot hold is said; the rest is written.
  for (const std::string& coupure : ValeursCoupees(bd)) Erreur(sortie + " : " + coupure);
  const Statut ecrit = EcritBase(bd, sortie, {r.selecPers, NomDeLook(r.lecture)}, Avancement());
  if (int code = CodeEcriture(ecrit, sortie)) return code;
  Ecrit(stdout, sortie + " : " + std::to_string(bd.NbreFichesUtilisees()) + " personnes, version " +
                    std::string(kMotProduit) + " " + std::string(kVersionTexte) + "\n");
  return 0;
}

}  // namespace kindrela::cli
