// The load command: what the load dialog shows of a file before loading it
// (BaseCharge), and the loading itself (BaseChargeCont).
#pragma once

#include <functional>
#include <string>

#include "core/database.h"
#include "core/status.h"
#include "core/tree_file/tree_file_reader.h"

namespace kindrela {

enum class PageChargement {
  Aucune,    // not a tree the dialog handles: it is not shown
  Kindrela,  // a tree file of a known version
  Gedcom,    // a GEDCOM file: the import fills its page
};

// The information fields of the load dialog.
struct InfoChargement {
  PageChargement page = PageChargement::Aucune;
  std::string fichier;            // E_FileName
  int version = 0;                // VersionBase code
  std::string versionProgramme;   // E_Ver, "Version du programme"
  std::string nbrePersonnes;      // E_Nbre, "Nombre de personnes"
  std::string creeLe;             // E_Cree, "Créé le"
  std::string modifieLe;          // E_Modif
  bool fusionPossible = false;    // cbFusion is shown: version 98 while a tree is open
  // With page Aucune, what to tell the user: the file, and why it cannot be
  // loaded (missing, unreadable, empty, not a tree, another kind of file).
  std::string raison;
};

// Fills the dialog's fields for `chemin` by its extension (".kdg", ".ged",
// compared without regard to case). A ".kdg" of no known version, or any
// other extension, gives page Aucune with its reason; a ".ged" that cannot
// be read too (whether it is GEDCOM at all is for the GEDCOM code to say).
InfoChargement BaseCharge(const TBD& bd, const std::string& chemin);
// The tree-file part of it, whatever the extension: page Aucune, with its
// reason, when the file cannot be read or is not a tree.
InfoChargement InfoFichierArbre(const TBD& bd, const std::string& chemin);

// Runs the GEDCOM import on the database (bound by the caller to the
// character set and options chosen in the dialog).
using ImporteurGedcom = std::function<Statut(TBD& bd, const std::string& chemin)>;

struct OptionsChargement {
  bool fusion = false;     // cbFusion: merge a version-98 file into the tree in memory
  bool concatene = false;  // GEDCOM page: append to the tree in memory
  ImporteurGedcom importGedcom;
  int selecPers = 0;       // the selection before loading, kept by a merge
  Progression progression;
};

struct ResultatChargement {
  ResultatLecture lecture;
  int selecPers = 0;            // the person to select, valid or 0 for an empty tree
  std::string fichierCourant;   // the new current file name
  bool reinitialise = false;    // no tree is open afterwards: the main window resets
};

// Loads `chemin` by its extension: a tree file empties the database (unless
// it is a merge), then the reader of its version runs; a GEDCOM file goes to
// `importGedcom`. Afterwards the reference person and the selection are
// valid person numbers. A file that cannot be read, or is not a tree of a
// known version, gives an error and changes nothing.
Statut BaseChargeCont(TBD& bd, const std::string& chemin, const OptionsChargement& options,
                      ResultatChargement& resultat);
// The tree-file part of it, whatever the extension.
Statut ChargeFichierArbre(TBD& bd, const std::string& chemin, const OptionsChargement& options,
                          ResultatChargement& resultat);

}  // namespace kindrela
