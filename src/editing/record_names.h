// What the record window writes when the user types a surname or given
// names: the optional capitals, the trailing blanks cut, both stored.
//
// Texts are Windows-1252 bytes.
#pragma once

#include <string>
#include <string_view>

namespace kindrela {

class TBD;

// Every letter in capitals (MajAnsi: a..z, the accented letters, š œ ž ÿ;
// ß and the signs × ÷ stay as they are).
std::string MajusculesNom(std::string_view nom);

// The first letter of each word in capitals and the others in small
// letters; a word starts the text or follows a double quote, a comma, a
// semicolon, a hyphen or a space: "jean-PIERRE \"paul\"" gives
// "Jean-Pierre \"Paul\"".
std::string CapitalisePrenoms(std::string_view prenoms);

// The text without its trailing blanks (spaces, tabs and other control
// characters); leading blanks stay.
std::string SansBlancsFinaux(std::string_view texte);

// The surname as stored from what the edit holds, and the given names.
std::string NomStocke(std::string_view saisi, bool majuscules);
std::string PrenomsStockes(std::string_view saisi, bool capitales);

struct OptionsNoms {
  bool nomMaj = true;  // "Mettre les noms en majuscule"
  bool preMaj = true;  // "Mettre les prénoms avec la première lettre en majuscule"
};

// One change of the surname or given-names edit of person n: both are
// stored as NomStocke / PrenomsStockes make them. `raccourci` is true when
// the typed surname is shorter than the stored one, or else the typed given
// names are shorter than the stored ones (the assisted-entry list then
// closes). Nothing is written for a person outside the table.
struct ResultatNoms {
  bool raccourci = false;
  bool modifie = false;  // the stored surname or given names changed
};
ResultatNoms EcritNomPrenoms(TBD& bd, int n, std::string_view nom, std::string_view prenoms,
                             const OptionsNoms& options);

}  // namespace kindrela
