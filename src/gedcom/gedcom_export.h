// Writing the whole tree as a GEDCOM 5.5 file.
//
// Persons, unions and sources keep their database numbers in the
// cross-references ("@I12@", "@F3@", "@S7@"), so exporting the same tree
// twice gives the same file (apart from the header's date). A parent's
// children that have no other parent are gathered in a pseudo-family named
// after that parent: "@F<n>x0@" for a man, "@F0x<n>@" otherwise; children
// of two parents that share no union get "@F<father>x<mother>@".
#pragma once

#include <string>
#include <string_view>

#include "core/status.h"
#include "gedcom/gedcom_charsets.h"

namespace kindrela {

class TBD;
class TTablesTypes;

// The choices of the save dialog's GEDCOM page, with their defaults.
struct OptionsExportGedcom {
  JeuCaracteres jeu = JeuCaracteres::Ansel;
  bool liensFamiliaux = true;      // unions, pseudo-families and the FAMC/FAMS links
  bool champs = true;              // custom fields
  bool notesEvenements = true;
  bool sources = true;
  bool sansMoinsDeCentAns = false; // leave out events less than 100 years old (and undated ones)
  bool auteur = false;             // a submitter record with the two texts below
  std::string identite;
  std::string adresse;             // several lines, separated by CR LF
  bool notesIndividuelles = true;
  bool evenements = true;
};

// The lines of a note at level `niveau`, each ending with CR LF: the first
// "<niveau> NOTE ...", then "<niveau+1> CONT ..." at each line break of the
// text and "<niveau+1> CONC ..." where a paragraph longer than `largeur`
// characters goes on. A paragraph is cut between two characters that are
// not spaces (a reader trims the ends of lines; CONC joins the pieces as they
// are). Trailing spaces and line breaks are dropped; an empty (or blank) text
// gives nothing.
std::string NoteGedcom(std::string_view texte, int niveau, int largeur = 40);

// The whole file, in the chosen character set, lines ending with CR LF.
// False when `progression` asked to stop (sortie is then incomplete).
// `progression` goes from 0 to persons + unions, every 25 records. In the
// 8-bit sets the letters they lack are written as their closest letter and
// counted, with their names, in `bilan` when given.
[[nodiscard]] bool GenereGedcom(const TBD& bd, const TTablesTypes& tables,
                                const OptionsExportGedcom& options, std::string& sortie,
                                const Progression& progression = {},
                                BilanEncodage* bilan = nullptr);

// Writes the file `chemin`, replacing an existing one only once the whole
// text is written (a failure leaves the previous file untouched and no
// half-written file under that name). An error names the file; a stop
// asked through `progression` gives Statut::Annule() and writes nothing.
Statut ExportGedcom(const TBD& bd, const TTablesTypes& tables, const std::string& chemin,
                    const OptionsExportGedcom& options, const Progression& progression = {},
                    BilanEncodage* bilan = nullptr);

// What the user is told of `bilan` after an export in `jeu`: "3 lettres
// absentes du jeu ANSEL ont été écrites au plus proche : &#322; (l), ...";
// empty when every letter was written as it is.
std::string MessageLettresApprochees(const BilanEncodage& bilan, JeuCaracteres jeu);

}  // namespace kindrela
