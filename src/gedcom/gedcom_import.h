// GEDCOM import: appends the persons, unions, events and sources of a
// GEDCOM file to the database, or reads only its header for the load
// dialog's preview.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/database.h"
#include "core/status.h"
#include "gedcom/gedcom_charsets.h"

namespace kindrela {

class TTablesTypes;
class TTraduction;

// The header of a GEDCOM file, as the load dialog shows it.
struct TGedcomHeader {
  std::string Source;         // "1 SOUR" value: the program that wrote the file
  std::string Version;        // "2 VERS" under SOUR
  std::string Produit;        // "2 NAME" under SOUR
  std::string Societe;        // "2 CORP" under SOUR
  std::string Date;           // "1 DATE", as written
  std::string VersionGedcom;  // "2 VERS" under "1 GEDC"
  std::string Jeu;            // "1 CHAR"
  std::string Langue;         // "1 LANG"
  std::string Note;           // "1 NOTE" text, then the submitter's name and address
};

struct OptionsImport {
  JeuCaracteres jeu = JeuCaracteres::Windows;
  bool majuscules = false;  // surnames upper-cased, given names capitalised word by word
  bool journal = false;     // write "kindrela.log" beside the GEDCOM file
  bool enteteSeul = false;  // fill the header and stop; the database is not touched
  // Called every so many records with (bytes read, file size); false stops
  // the import (the Escape key of the window, Ctrl-C of the command line).
  Progression progression;
  // The status line: "Appuyez sur Echap pour abandonner." at the start, then
  // the counts of persons and unions at each progress point. May be empty.
  std::function<void(const std::string&)> etiquette;
  // The texts of the log that the translation file holds; French when null.
  const TTraduction* traduction = nullptr;
};

// What one kind of record became.
struct CompteImport {
  int lus = 0;          // records met in the file
  int nonStockes = 0;   // met but not stored because the table was full
  int Stockes() const { return lus - nonStockes; }
};

struct [[nodiscard]] ResultatImport {
  // Ok when the whole file was read (the import-finished flag), Annule when
  // the progress callback stopped it, Erreur when the file could not be read
  // or the run failed (message "Erreur à l'import" and the reason). What was
  // read before a stop or a failure stays in the database.
  Statut statut = Statut::Ok();
  bool Termine() const { return statut.ok(); }

  CompteImport personnes, unions, evenements, sources;
  int notesLiees = 0;         // NOTE pointers replaced by the text of their record
  int notesIntrouvables = 0;  // NOTE pointers to no record of the file (kept as written)
  long remplacements = 0;     // characters the character set could not hold
  long lignesInvalides = 0;   // lines holding bytes that are not valid UTF-8
  long lignesLues = 0;
  std::string journal;        // the log written, empty when none
  // What the user should hear about although the import went on: tables
  // full, replaced characters, invalid bytes, a log that could not be written.
  std::vector<std::string> avertissements;
};

// Reads `chemin`. In header-only mode only `entete` is filled; otherwise the
// records are appended to `bd` (under ModeAjout, set back to 0 however the
// run ends) and `entete` is filled too. Cross-references are resolved to the
// database's own numbers; unknown lines are skipped (and logged when asked).
// The event kinds and custom fields of other tags come from `types`.
// Never throws.
ResultatImport ImportGedcom(TBD& bd, const TTablesTypes& types, const std::string& chemin,
                            const OptionsImport& options, TGedcomHeader& entete);

// The same on the file's content already in memory; `chemin` only names the
// file in the log and gives the log's folder.
ResultatImport ImportGedcomTexte(TBD& bd, const TTablesTypes& types, std::string_view contenu,
                                 const std::string& chemin, const OptionsImport& options,
                                 TGedcomHeader& entete);

// Surname and given names of a NAME value ("Jean /DUPONT/", "/DUPONT/ Jean",
// "Dupont"); an empty surname becomes "?". With `majuscules`, the surname is
// upper-cased and every word of the given names capitalised.
void NomDeGedcom(std::string_view valeur, bool majuscules, Texte& nom, Texte& prenoms);

}  // namespace kindrela
