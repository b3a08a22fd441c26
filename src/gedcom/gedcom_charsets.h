// Character sets of GEDCOM files and the conversion of one line between a
// set and the Windows-1252 text the rest of the program holds.
#pragma once

#include <string>
#include <string_view>

namespace kindrela {

// The values are those the load and save dialogs store.
enum class JeuCaracteres : int {
  Dos = 0,      // IBM PC code page 850
  Windows = 1,  // Windows-1252 as it stands
  Ansel = 2,    // ANSEL (ANSI Z39.47), the GEDCOM 5.5 default
  Utf8 = 3,
};

// The name shown in the dialogs and accepted on the command line: "DOS",
// "Windows", "ANSEL", "UTF-8".
const char* NomJeu(JeuCaracteres jeu);
// Reads such a name (case-insensitive); false, `jeu` untouched, for anything else.
bool JeuDepuisNom(std::string_view nom, JeuCaracteres& jeu);
// The value of the header's "1 CHAR" line: "IBMPC", "ANSI", "ANSEL", "UTF-8".
const char* ValeurCharGedcom(JeuCaracteres jeu);
// Reads a "1 CHAR" value (ANSEL, IBMPC/IBM PC/DOS, ANSI/WINDOWS/ASCII,
// UTF-8/UTF8/UNICODE); false, `jeu` untouched, when the value is unknown.
bool JeuDepuisCharGedcom(std::string_view valeur, JeuCaracteres& jeu);

// Decodes one line (without its line end) of the set `jeu` into Windows-1252.
// - DOS: each byte of code page 850 becomes its Windows-1252 letter, or the
//   closest one (box drawing and symbols Windows-1252 lacks become '?').
// - ANSEL: a combining mark followed by its base letter becomes the accented
//   letter, held as a reference where Windows-1252 lacks it ("č", "ą", "ő",
//   "ș", Vietnamese letters of one mark), otherwise the base letter alone;
//   the special letters (Æ, Ø, Ł, Đ, Ơ, Ư, ı...) become their letter, the
//   signs Windows-1252 lacks the closest one. A mark with no letter after
//   it is dropped.
// - UTF-8: a character Windows-1252 cannot hold becomes its reference
//   (core/letters.h); each byte of an invalid sequence becomes '?'. A
//   byte-order mark at the very start of the line is dropped (pass the
//   file's first line as read).
// In every set, a "&#322;" written in the file stays these characters
// (its ampersand is escaped).
// Never fails. `nbRemplacements`, when given, receives how many characters
// could not be represented and were replaced by '?' or a plain letter, so
// that the caller can log the line.
std::string DecodeLigne(std::string_view ligne, JeuCaracteres jeu, int* nbRemplacements = nullptr);
// The same, writing into `sortie` (cleared first) so that a reader of large
// files reuses one buffer; `ligne` must not point into `sortie`.
void DecodeLigneDans(std::string_view ligne, JeuCaracteres jeu, std::string& sortie,
                     int* nbRemplacements = nullptr);

// What an encoding could not write as it stands: the letters held as
// references that an 8-bit set lacks, written as their closest letter.
struct BilanEncodage {
  long remplacees = 0;
  std::string lettres;  // "&#322; (l), &#20013; (?)": each letter once, stored form
};

// Encodes one Windows-1252 line for the set `jeu`. In the 8-bit sets a
// letter held as a reference is written as its closest letter (or '?') and
// counted in `bilan` when given; "&#38;" is written as the ampersand.
// - DOS: each Windows-1252 character is written with its code page 850 byte;
//   one that 850 lacks (Ÿ, Š, typographic quotes...) is written as its
//   closest plain character ('Y', 'S', '"'), or '?', rather than as a byte
//   that would read back as another letter.
// - ANSEL: accented letters become their mark + base letter pair, the special
//   letters (Æ, Ø, ß, £, Ł, Đ...) their ANSEL byte, letters held as
//   references too where ANSEL has them; the rest is written as its closest
//   plain character, or '?'.
// - UTF-8: the Unicode form of each byte, each reference as its letter.
std::string EncodeLigne(std::string_view ansi, JeuCaracteres jeu, BilanEncodage* bilan = nullptr);
// Appends the encoded line to `sortie` (not cleared).
void EncodeLigneDans(std::string_view ansi, JeuCaracteres jeu, std::string& sortie,
                     BilanEncodage* bilan = nullptr);

}  // namespace kindrela
