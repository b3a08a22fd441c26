// Reading a GEDCOM file line by line: line ends, the character set, and the
// split of each line into level, cross-reference, tag and value.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "gedcom/gedcom_charsets.h"

namespace kindrela {

// One line as the import reads it, in Windows-1252. The views stay valid
// until the reader moves on to another line.
struct LigneGedcom {
  int niveau = -1;             // -1 when the line does not start with a number
  std::string_view xref;       // "@I12@" before the tag of a record line, else empty
  std::string_view tag;        // upper-cased
  std::string_view valeur;     // spaces removed at both ends
  // The value exactly as written after the one space that follows the tag,
  // spaces kept: CONC and CONT lines need them to join text faithfully.
  std::string_view brute;
  std::string_view texte;      // the whole line, spaces removed at both ends
  long numero = 0;             // 1-based line number in the file
};

class AnticipationLignes;

// Reads lines out of the whole file held in memory. Lines end at CR, LF or
// CR LF, whatever their length; a byte-order mark at the start of the file
// is skipped; lines holding only spaces are skipped (they still count in
// the line numbers). `contenu` must stay alive and unchanged while the
// reader is used.
class LecteurGedcom {
 public:
  LecteurGedcom(std::string_view contenu, JeuCaracteres jeu);
  ~LecteurGedcom();
  LecteurGedcom(const LecteurGedcom&) = delete;
  LecteurGedcom& operator=(const LecteurGedcom&) = delete;

  // For a long forward reading of a large text: a thread of its own finds
  // and splits the lines ahead of Suivante, which then gives each line
  // exactly as it would without it. Positionne stops that thread; it starts
  // again at the new position when at least `reprise` bytes are left there
  // (a few times at most), and the reading then goes on without it. Where no
  // thread can be started, the reading simply goes on without one.
  // With `calcul`, the thread also turns the value of each line of tag
  // `tag` into what `calcul` gives (a function of the value alone, safe to
  // call from any thread); ValeurCalculee then hands it over.
  using Calcul = std::string (*)(std::string_view valeur);
  void Anticipe(std::size_t reprise = std::size_t{1} << 20, std::string_view tag = {},
                Calcul calcul = nullptr);
  // What Anticipe's `calcul` made of the current line's value, when the
  // thread made it (otherwise false: the caller computes it). The view
  // stays valid until the reader moves on.
  bool ValeurCalculee(std::string_view& resultat) const {
    resultat = m_calcule;
    return m_aCalcule;
  }

  // Moves to the next non-blank line; false at the end of the file (the
  // current line is then an empty line of level -1).
  bool Suivante();
  const LigneGedcom& Ligne() const { return m_ligne; }
  bool Fin() const { return m_fin; }

  // Byte offset of the start of the current line and of what follows it.
  std::size_t DebutLigne() const { return m_debutLigne; }
  std::size_t Position() const { return m_pos; }
  std::size_t Taille() const { return m_contenu.size(); }
  // Restarts at `position` (the start of a line), numbering it `numero`.
  void Positionne(std::size_t position, long numero);

  // The next raw line (no decoding, no split) for quick scans; false at the
  // end. `numero` receives its line number, `debut` its byte offset.
  bool SuivanteBrute(std::string_view& ligne, long& numero, std::size_t& debut);

  // With counting on (the default), characters that the decoding replaced
  // are counted and the lines holding invalid UTF-8 are remembered.
  void CompteRemplacements(bool oui) { m_compte = oui; }
  long Remplacements() const { return m_remplacements; }
  // The numbers of the lines holding invalid UTF-8, in order.
  const std::string& LignesInvalidesTexte() const { return m_lignesInvalides; }
  long NbreLignesInvalides() const { return m_nbreLignesInvalides; }

 private:
  // The raw bytes of the next line (terminator excluded), advancing m_pos.
  std::string_view Brute();
  // The current line from its raw bytes `brute` (not blank).
  void DecoupeCourante(std::string_view brute);
  // Suivante with the lines found ahead; false when the reading goes on
  // without them (the state is then where the thread stopped).
  bool SuivanteAnticipee();
  void ArreteAnticipation();

  std::string_view m_contenu;
  JeuCaracteres m_jeu;
  std::size_t m_pos = 0;
  std::size_t m_debutLigne = 0;
  long m_numero = 0;
  bool m_fin = false;
  bool m_compte = true;
  long m_remplacements = 0;
  long m_nbreLignesInvalides = 0;
  std::string m_lignesInvalides;  // "12, 40, ..." (kept short: the first ones only)
  std::string m_decode;           // the decoded line, reused
  std::string m_tag;              // the upper-cased tag, reused
  LigneGedcom m_ligne;
  std::unique_ptr<AnticipationLignes> m_anticipation;
  std::size_t m_reprise = 0;  // bytes that must be left for the thread to start again
  int m_reprisesPermises = 0;
  std::string m_tagCalcul;
  Calcul m_calcul = nullptr;
  std::string_view m_calcule;  // ValeurCalculee's result for the current line
  bool m_aCalcule = false;
};

// Splits one already decoded line (no line end). The views point into
// `ligne`, or into `tagMajuscule` for a tag that had to be upper-cased.
void DecoupeLigneGedcom(std::string_view ligne, std::string& tagMajuscule, LigneGedcom& sortie);

// True when `octets` is well-formed UTF-8 (an incomplete sequence cut by the
// end of the text counts as well-formed when `coupeAutorisee`).
bool Utf8Valide(std::string_view octets, bool coupeAutorisee = false);

// A UTF-16 file, told by its byte-order mark (or, without one, by a first
// line "0 HEAD" in either byte order), as UTF-8 text starting with the UTF-8
// byte-order mark, so that every reader takes it as a UTF-8 file. An unpaired
// surrogate becomes U+FFFD; an odd last byte (a file cut short) is dropped.
// False, `sortie` untouched, for any other content.
bool Utf16VersUtf8(std::string_view contenu, std::string& sortie);

// The character set to preselect for a file whose first bytes are `debut`
// (a few kilobytes are enough): UTF-8 when the file starts with a UTF-8
// byte-order mark; otherwise the set named by the header's "1 CHAR" line
// when it names one we read; otherwise (no CHAR line, or an unknown one)
// UTF-8 when the bytes are well-formed UTF-8 holding multi-byte characters,
// and Windows in every other case.
JeuCaracteres JeuPreselectionne(std::string_view debut);
// The same on the start of a file; Windows when it cannot be read.
JeuCaracteres JeuPreselectionneFichier(const std::string& chemin);

// True when `debut`, the first bytes of a file, opens as a GEDCOM file
// does: after a byte-order mark and blank lines, a level-0 HEAD record
// ("0 HEAD"). A file in UTF-16 (its mark) is taken as one, its lines being
// read later. Anything else is not a GEDCOM file and must not replace the
// tree in memory.
bool CommenceCommeGedcom(std::string_view debut);

}  // namespace kindrela
