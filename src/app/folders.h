// The first steps of the start: the installation checks, the program-wide
// initialisation file, and every folder and data file path of the run.
// Folder strings always end with "/". A failed check yields the exact text
// to show the user before the process stops.
#pragma once

#include <string>

#include "core/ini_file.h"
#include "analysis/type_tables.h"
#include "core/status.h"
#include "i18n/translation.h"

namespace kindrela {

// Both relative to the program folder; also the texts of the halt messages.
inline constexpr char kCheminTraduction[] = "modele/famora.tra";
inline constexpr char kCheminIniProgramme[] = "modele/famora.ini";

// Before the translation is loaded: an error whose message is
// "Not Found : modele/famora.tra" when the file is missing.
// `dossierProgramme` is the folder that holds "modele" (with or without
// its final "/").
Statut ControleTraduction(const std::string& dossierProgramme);

// Values of the program-wide initialisation file, fixed for the whole run.
struct TIniProgramme {
  bool debugTrad = false;
  int langue = 1;                  // language number L
  std::string formatDate = "j/m/a";  // display date format of language L
  std::string skin = "defaut";     // skin folder name S
};

// Reads [Defaut] "debugtrad", "langue", "date_format " + L and "skin" from
// an open file; missing or unreadable values take the defaults above.
TIniProgramme LitIniProgramme(const FichierIni& ini);

// The start's third step: an error whose message is
// "Not Found : modele/famora.ini" when the file is missing; otherwise
// `valeurs` receives what LitIniProgramme reads from it.
Statut ChargeIniProgramme(const std::string& dossierProgramme, TIniProgramme& valeurs);

// Puts the language number and the debugging flag into the translation.
void AppliqueIniProgramme(const TIniProgramme& valeurs, TTraduction& traduction);

// Where the user's folders are. Empty `personal` / `appData` mean unknown:
// the folders then go under `maison` (or "/" when that is empty too).
struct TDossiersSysteme {
  std::string programme;  // the program folder, where "modele" and "skins" lie
  std::string personal;   // the user's documents folder
  std::string appData;    // the user's configuration folder
  std::string maison;     // the user's home folder
};

// The three grids of the options window (the type tables) are read from the
// user's files ("Eve.tra", ...) and, when those cannot be loaded, from the
// language's default files ("DefEve.tra", ...); they are written back to the
// user's files only.
using TFichiersGrilles = CheminsTablesTypes;

struct TDossiers {
  // Installation (L = language number, S = skin).
  std::string programme;         // ends with "/"
  std::string modele;            // programme + "modele/"
  std::string fichierTraduction;   // modele + "famora.tra"
  std::string fichierIniProgramme; // modele + "famora.ini"
  std::string fichierTableFetes;   // modele + "defaut.kd" (name-day table)
  std::string langue;            // modele + L + "/"
  std::string imageArbre;        // modele + "0/ImageArbre/", shared by all languages
  std::string arbre;             // chart looks: langue + "arbre/"
  std::string carte;             // langue + "carte/"
  std::string lieu;              // langue + "lieu/"
  std::string rapport;           // report models: langue + "rapport/"
  std::string skin;              // programme + "skins/" + S + "/"
  std::string exemple;           // langue + "exemple/"
  std::string param;             // langue + "param/"
  std::string modeleArtistique;  // langue + "ModeleArtistique/", or "" when missing
  std::string imageArtistique;   // modele + "0/ImageArtistique/", or "" when missing
  std::string exportHtmlDefaut;  // web export template: langue + "ExportHtml/Defaut/"
  std::string fichierStyleCss;   // exportHtmlDefaut + "style.css"
  std::string fichierFete;       // langue + "Fete.kd" (path only, may be missing)

  // Default chart look and report model, both named by message 2206.
  std::string apparenceDefaut;          // message 2206
  std::string fichierApparenceDefaut;   // arbre + message 2206 + ".kda"
  std::string fichierRapportDefaut;     // rapport + message 2206 + ".kdr"

  // Per-user folders (T = the application title).
  std::string documents;         // personal + T + "/"
  std::string paramUtilisateur;  // appData + maker + "/" + T + "/" + "folder_param_user" + "/"
  std::string mesArbres;         // documents + "folder_ma_famora" + "/"
  std::string exportHtml;        // documents + "folder_export_html" + "/"
  std::string fichierReglages;   // paramUtilisateur + "gene.ini"
  std::string fichierAnniFete;   // paramUtilisateur + "AnniFete.kd"
  // What the user adds beside the installed report models and maps: the
  // installation is read-only once installed.
  std::string rapportUtilisateur;  // paramUtilisateur + "rapport/"
  std::string carteUtilisateur;    // paramUtilisateur + "carte/"
  TFichiersGrilles grilles;
};

// Computes every folder for language `langue` and skin `skin`, then checks,
// in this order, and stops at the first failure with the text to show:
//   "MLS : folder_ma_famora" / "MLS : folder_export_html" when the
//   translation has no text for that key;
//   the path of the first missing installation folder among langue,
//   imageArbre, arbre (then the default look file), carte, lieu, rapport
//   (then the default report model), skin, exemple, param, exportHtmlDefaut.
// The per-user folders are only computed, never created or checked.
// `dossiers` is filled in every case; after a failure it names an
// incomplete installation and must not be used.
// A file the user may have made beside the installed ones (a report model,
// a map): the user's folder's when it is there, else the installation's.
std::string FichierUtilisateurOuInstalle(const std::string& dossierUtilisateur,
                                         const std::string& dossierInstalle, const std::string& nom);

Statut InitDossiers(const TDossiersSysteme& systeme, int langue, const std::string& skin,
                    const TTraduction& traduction, TDossiers& dossiers);

}  // namespace kindrela
