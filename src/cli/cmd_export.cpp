// export: a tree file written as a GEDCOM file.
//
//   export FICHIER.kdg SORTIE.ged [--charset ANSEL|DOS|Windows|UTF-8]
//          [--no-links] [--no-fields] [--no-event-notes] [--no-sources]
//          [--no-notes] [--no-events] [--hide-recent]
//          [--author IDENTITE [--address ADRESSE]]
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "analysis/type_tables.h"
#include "app/folders.h"
#include "cli/cli_support.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/file_io.h"
#include "core/tree_file/tree_file_load.h"
#include "gedcom/gedcom_export.h"
#include "i18n/translation.h"

namespace kindrela::cli {
namespace {

// A multi-line argument: the shell's line feeds become CR LF.
std::string LignesWindows(const std::string& texte) {
  std::string res;
  for (char c : texte) {
    if (c == '\r') continue;
    if (c == '\n') res += '\r';
    res += c;
  }
  return res;
}

}  // namespace

int CmdExport(int argc, char** argv) {
  std::string entree, sortie;
  OptionsExportGedcom options;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto valeur = [&](std::string& cible) {
      if (i + 1 >= argc) return false;
      cible = Argument(argv[++i]);
      return true;
    };
    if (a == "--charset") {
      std::string nom;
      if (!valeur(nom)) return 2;
      if (!JeuDepuisNom(nom, options.jeu)) {
        Erreur("jeu de caractères inconnu : "_ansi + nom + " (ANSEL, DOS, Windows ou UTF-8)");
        return 2;
      }
    } else if (a == "--no-links") {
      options.liensFamiliaux = false;
    } else if (a == "--no-fields") {
      options.champs = false;
    } else if (a == "--no-event-notes") {
      options.notesEvenements = false;
    } else if (a == "--no-sources") {
      options.sources = false;
    } else if (a == "--no-notes") {
      options.notesIndividuelles = false;
    } else if (a == "--no-events") {
      options.evenements = false;
    } else if (a == "--hide-recent") {
      options.sansMoinsDeCentAns = true;
    } else if (a == "--author") {
      options.auteur = true;
      if (!valeur(options.identite)) return 2;
    } else if (a == "--address") {
      if (!valeur(options.adresse)) return 2;
      options.adresse = LignesWindows(options.adresse);
    } else if (a.size() > 1 && a[0] == '-') {
      Erreur("option inconnue : " + Argument(a.c_str()));
      return 2;
    } else if (entree.empty()) {
      entree = Argument(a.c_str());
    } else if (sortie.empty()) {
      sortie = Argument(a.c_str());
    } else {
      return 2;
    }
  }
  if (sortie.empty()) return 2;
  if (!options.adresse.empty() && !options.auteur) {
    Erreur("--address va avec --author.");
    return 2;
  }

  TTablesTypes tables;
  Installation inst;
  Statut installee = ChargeInstallation(inst);
  if (Statut s = installee.ok() ? ChargeTablesInstallees(inst, tables) : installee; !s) {
    Erreur(s.message());
    return 1;
  }
  TBD& bd = BaseDuProcessus();
  ResultatChargement r;
  if (int code = ChargeArbre(bd, entree, r)) return code;
  BilanEncodage bilan;
  const Statut ecrit = ExportGedcom(bd, tables, sortie, options, Avancement(), &bilan);
  if (int code = CodeEcriture(ecrit, sortie)) return code;
  if (std::string m = MessageLettresApprochees(bilan, options.jeu); !m.empty()) Erreur(m);
  Ecrit(stdout, sortie + " : " + std::to_string(bd.NbreFichesUtilisees()) + " personnes, " +
                    std::to_string(bd.NbreUnionsValides()) + " unions, jeu " +
                    NomJeu(options.jeu) + "\n");
  return 0;
}

}  // namespace kindrela::cli
