// import: a GEDCOM file read into a new tree file.
//
//   import FICHIER.ged SORTIE.kdg [--charset DOS|Windows|ANSEL|UTF-8]
//          [--capitalize] [--log]
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "analysis/type_tables.h"
#include "app/folders.h"
#include "cli/cli_support.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/file_io.h"
#include "core/tree_file/tree_file_writer.h"
#include "gedcom/gedcom_import.h"
#include "gedcom/gedcom_lines.h"
#include "i18n/translation.h"

namespace kindrela::cli {
namespace {

std::string Compte(const char* nom, const CompteImport& c) {
  std::string texte = std::string(nom) + " : " + std::to_string(c.Stockes());
  if (c.nonStockes > 0) texte += " (" + std::to_string(c.nonStockes) + " non enregistrés)"_ansi;
  return texte;
}

}  // namespace

int CmdImport(int argc, char** argv) {
  std::string entree, sortie;
  OptionsImport options;
  bool jeuDonne = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--charset") {
      if (i + 1 >= argc) return 2;
      const std::string nom = Argument(argv[++i]);
      if (!JeuDepuisNom(nom, options.jeu)) {
        Erreur("jeu de caractères inconnu : "_ansi + nom + " (DOS, Windows, ANSEL ou UTF-8)");
        return 2;
      }
      jeuDonne = true;
    } else if (a == "--capitalize") {
      options.majuscules = true;
    } else if (a == "--log") {
      options.journal = true;
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
  if (entree.empty() || sortie.empty()) return 2;
  if (!FichierExiste(entree)) {
    Erreur(entree + " : fichier introuvable.");
    return 1;
  }
  if (!jeuDonne) options.jeu = JeuPreselectionneFichier(entree);

  Installation inst;
  TTablesTypes tables;
  Statut installee = ChargeInstallation(inst);
  if (Statut s = installee.ok() ? ChargeTablesInstallees(inst, tables) : installee; !s)
    Erreur(s.message() + " : les balises inconnues deviennent des événements de leur nom."_ansi);
  if (inst.traduction.Charge()) options.traduction = &inst.traduction;
  options.progression = Avancement();

  TBD& bd = BaseDuProcessus();
  bd.Vide();  // a new tree: its creation date is today
  TGedcomHeader entete;
  ResultatImport r = ImportGedcom(bd, tables, entree, options, entete);
  for (const auto& a : r.avertissements) Erreur(entree + " : " + a);
  if (int code = CodeEcriture(r.statut, sortie)) return code;
  if (bd.RefPers == 0) bd.RefPers = bd.FicheSuivante(0);
  bd.BaseChargee = 1;
  const Statut ecrit = EcritBase(bd, sortie, {bd.RefPers, {}}, Avancement());
  if (int code = CodeEcriture(ecrit, sortie)) return code;
  Ecrit(stdout, entree + " (" + NomJeu(options.jeu) + ") -> " + sortie + "\n" +
                    Compte("Personnes", r.personnes) + "\n" + Compte("Unions", r.unions) + "\n" +
                    Compte("Événements"_ansi, r.evenements) + "\n" +
                    Compte("Sources", r.sources) + "\n" +
                    "Notes liées : "_ansi + std::to_string(r.notesLiees) +
                    (r.notesIntrouvables > 0
                         ? " (" + std::to_string(r.notesIntrouvables) + " introuvables)"
                         : std::string()) +
                    "\n" + "Lignes lues : " + std::to_string(r.lignesLues) + "\n");
  if (!r.journal.empty()) Ecrit(stdout, "Journal : " + r.journal + "\n");
  return 0;
}

}  // namespace kindrela::cli
