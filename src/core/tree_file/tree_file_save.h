// Saving the tree as a native file with its attached media: what the save
// dialog shows on opening and what its "Enregistrer" button does.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/database.h"
#include "core/status.h"
#include "core/tree_file/tree_file_writer.h"

namespace kindrela {

// The save dialog's fields on opening.
struct InfoSauvegarde {
  std::string nom;       // the current file's name without folder or extension
  std::string dossier;   // its folder, ending with "/" (empty when none)
  int personnes = 0;     // "Personnes": persons in use
  int unions = 0;        // "Unions": valid unions
  int donnees = 0;       // "Données": NbreSrc
  std::string reference; // "Référence (De cujus)": short name of RefPers
  std::vector<std::string> fichiersRattaches;
};
// Not const: counting the valid unions frees those that lost a partner.
InfoSauvegarde InfoSauve(TBD& bd, const std::string& fichierCourant);

// The attached-file list: the media file of every source 1..NbreSrc that
// has one, prefixed with "(introuvable) " when neither the file nor
// `dossierCourant` + the file exists.
std::vector<std::string> ListeFichiersRattaches(const TBD& bd, const std::string& dossierCourant);

// The file of a source's media (before its first "|"), found as it is when
// it has a folder, otherwise in `dossier`.
std::string CheminMedia(std::string_view media, const std::string& dossier);

struct OptionsSauvegarde {
  std::string dossier;         // target folder
  std::string nom;             // file name without extension
  std::string fichierCourant;  // the tree's current file (empty for a new tree)
  bool deplace = false;        // cbDeplace: move the attached files into the target folder
  bool zippe = false;          // cbZippe: also make target + name + ".zip"
  bool inclure = false;        // cbInclure: put the attached files in the archive too
  EnteteArbre entete;
  Progression progression;
  // Asked before writing a tree the file would cut (EcritBase).
  ConfirmeCoupures confirmeCoupures;
  // Problems that do not stop the save (a file that cannot be moved, the
  // archive or the note file that cannot be written); each is also listed
  // in the result.
  std::function<void(const std::string& message)> signale;
};

struct ResultatSauvegarde {
  std::string fichierCourant;  // target + name + ".kdg"
  std::string archive;         // the archive made, empty when none
  std::vector<std::string> fichiersRattaches;  // the list refreshed for the new folder
  std::vector<std::string> avertissements;
};

// Moves (when asked) and re-bases the media links for the target folder,
// writes the tree (EcritBase, with its backup), makes the archive when
// asked, copies the tree's ".txt" note file beside the new file, and clears
// BaseModifiee. The error of a failed write is returned and the tree is
// then not marked saved; a moved file is never written over another file.
Statut SauveNatif(TBD& bd, const OptionsSauvegarde& options, ResultatSauvegarde& resultat);

}  // namespace kindrela
