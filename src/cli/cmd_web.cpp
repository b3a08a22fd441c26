// web: the web site of a tree, as the save dialog's web page writes it,
// with the options kept in the settings' defaults unless given here.
#include <string>
#include <vector>

#include "app/settings.h"
#include "app/web_export.h"
#include "chart/looks.h"
#include "cli/cli_support.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "core/text.h"
#include "i18n/event_words.h"

namespace kindrela::cli {

int CmdWeb(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string chemin = Argument(argv[1]);
  std::string dossier = Argument(argv[2]);
  if (!dossier.empty() && dossier.back() != '/') dossier += '/';
  Installation inst;
  if (Statut s = ChargeInstallation(inst); !s) {
    Erreur(s.message());
    return 1;
  }
  TReglages reglages;
  reglages.ChargeReglages(FichierIni{}, inst.traduction, inst.programme);
  TOptionsWeb o = OptionsWeb(reglages, inst.ini.formatDate);
  o.navigateur = false;
  o.pagePrincipale = ChangeExtension(NomDe(chemin), "");
  for (int i = 3; i < argc; ++i) {
    const std::string a = argv[i];
    auto nombre = [&](int& v, int min, int max) {
      if (i + 1 >= argc || !EstEntier(argv[i + 1])) return false;
      v = TexteVersEntier(argv[++i]);
      return v >= min && v <= max;
    };
    if (a == "--list") { if (!nombre(o.modeListe, 0, 3)) return 2; }
    else if (a == "--per-list") { if (!nombre(o.personnesParListe, 5, 250)) return 2; }
    else if (a == "--cards-per-page") { if (!nombre(o.fichesParPage, 0, 9999)) return 2; }
    else if (a == "--picture-size") { if (!nombre(o.imageTaille, 16, 4000)) return 2; }
    else if (a == "--quality") { if (!nombre(o.imageQualite, 1, 100)) return 2; }
    else if (a == "--table") o.formeFiche = 1;
    else if (a == "--literary") o.formeFiche = 0;
    else if (a == "--original-pictures") o.imageOriginale = true;
    else if (a == "--no-list") o.liste = false;
    else if (a == "--no-cards") o.fiches = false;
    else if (a == "--no-index") o.patronymes = o.lieux = false;
    else if (a == "--no-dynamic") o.dyna = false;
    else if (a == "--title" && i + 1 < argc) o.titre = Argument(argv[++i]);
    else if (a == "--name" && i + 1 < argc) o.pagePrincipale = Argument(argv[++i]);
    else return 2;
  }
  if (o.pagePrincipale.empty() || o.pagePrincipale != NomFichierSur(o.pagePrincipale)) {
    Erreur("nom de page principale incorrect : " + o.pagePrincipale);
    return 2;
  }
  TBD& bd = BaseDuProcessus();
  MotsEvenements(inst.traduction, bd);
  ResultatChargement r;
  if (int code = ChargeArbre(bd, chemin, r)) return code;
  const std::string modele = inst.programme + "modele/";
  const TDossiersImages images{modele, inst.programme, modele + "0/ImageArbre/", chemin};
  const std::string principale = dossier + o.pagePrincipale + ".htm";
  std::vector<std::string> fichiers;
  Statut s = ExporteSiteWeb(bd, inst.traduction, o, modele + std::to_string(inst.ini.langue) + "/ExportHtml/Defaut/",
                            images, principale, Avancement(), &fichiers);
  if (int code = CodeEcriture(s, principale)) return code;
  Ecrit(stdout, principale + "\n" + std::to_string(fichiers.size()) + " fichiers\n");
  return 0;
}

}  // namespace kindrela::cli
