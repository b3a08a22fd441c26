// kindrela-cli: tree files from the command line. Each command lives in a
// file of its own (cmd_*.cpp); this file only dispatches.
#include <string>
#include <string_view>

#include "cli/cli_support.h"
#include "core/ansi_literal.h"
#include "core/identity.h"

namespace {

using namespace kindrela;
using namespace kindrela::cli;

struct EntreeCommande {
  std::string_view nom;
  Commande commande;
};

constexpr EntreeCommande kCommandes[] = {
    {"info", CmdInfo},     {"convert", CmdConvert}, {"number", CmdNumber}, {"expand", CmdExpand},
    {"import", CmdImport}, {"export", CmdExport},   {"check", CmdCheck},
    {"report", CmdReport}, {"stats", CmdStats},
    {"sources", CmdSources}, {"merge", CmdMerge}, {"find", CmdFind}, {"web", CmdWeb},
};

int Usage(std::FILE* f) {
  Ecrit(f,
        "Usage:\n"
        "  kindrela-cli info FICHIER             version et en-tête d'un arbre\n"
        "  kindrela-cli convert ENTREE SORTIE    réécrit un arbre de toute version\n"
        "                                        dans la version actuelle\n"
        "  kindrela-cli number FICHIER --root N --generations G [--spouses] [--by-family]\n"
        "                                        renumérote l'arbre (Sosa, d'Aboville)\n"
        "  kindrela-cli expand FICHIER PERSONNE MODÈLE\n"
        "                                        texte d'un modèle pour une personne\n"
        "  kindrela-cli import FICHIER.ged SORTIE.kdg [--charset JEU] [--capitalize] [--log]\n"
        "                                        importe un fichier GEDCOM\n"
        "  kindrela-cli export FICHIER.kdg SORTIE.ged [options]\n"
        "                                        exporte un arbre en GEDCOM\n"
        "  kindrela-cli check FICHIER            contrôle de cohérence et vérification\n"
        "  kindrela-cli report FICHIER --predefined N [--csv] [--generations G] [--places 0-3]\n"
        "               [--prefix LIEU] [--sign SIGNE]\n"
        "  kindrela-cli report FICHIER --kinship K [--root PERSONNE] [--generations G] [--sort] [--csv]\n"
        "                                        grille d'un rapport (titres en première ligne)\n"
        "  kindrela-cli stats FICHIER --stat N|NOM [--born-between A B] [--ages MIN MAX PAS]\n"
        "               [--years MIN MAX PAS]    colonnes d'une statistique : intitulé, tabulation, valeur\n"
        "  kindrela-cli sources FICHIER          une ligne par source : numéro, titre,\n"
        "                                        fichier, trouvé ou absent, citations\n"
        "  kindrela-cli merge FICHIER GARDÉE DOUBLON -o SORTIE\n"
        "                                        fusionne la fiche DOUBLON dans la fiche GARDÉE\n"
        "  kindrela-cli find FICHIER TEXTE       une ligne par personne dont le nom commence\n"
        "                                        par TEXTE : numéro, nom, prénoms, naissance\n"
        "  kindrela-cli web FICHIER DOSSIER [--list 0-3] [--per-list N] [--cards-per-page N]\n"
        "               [--table|--literary] [--picture-size PX] [--quality Q] [--original-pictures]\n"
        "               [--no-list] [--no-cards] [--no-index] [--no-dynamic] [--title T] [--name NOM]\n"
        "                                        le site Internet de l'arbre, comme la sauvegarde\n"
        "  kindrela-cli --version\n"
        "  kindrela-cli --help\n"_ansi);
  return f == stdout ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
  InstalleInterruption();
  std::string commande = argc > 1 ? argv[1] : "";
  if (commande == "--help" || commande == "-h") return Usage(stdout);
  if (commande == "--version") {
    Ecrit(stdout, std::string(kNomProduit) + " " + std::string(kVersionTexte) + "\n");
    return 0;
  }
  for (const auto& e : kCommandes) {
    if (e.nom != commande) continue;
    int code = e.commande(argc - 1, argv + 1);
    if (code == 2) {
      Erreur("arguments incorrects : " + commande);
      return Usage(stderr);
    }
    return code;
  }
  if (commande.empty()) Erreur("aucune commande.");
  else Erreur("commande inconnue : " + commande);
  return Usage(stderr);
}
