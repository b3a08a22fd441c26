// Box text templates: a line of free text in which tags between angle
// brackets are replaced by data of a person. The same lines make the chart
// boxes, the record summary, report columns and web pages.
//
// A line is expanded for one person (the box person). Tags may move the
// focus to a relative for the rest of the line ("<p>", "<m>",
// "<conjoint 2>", "<union>", "<i-enfant 1>"), read any field of any event
// of the person or union in focus ("<eve:Naissance,année>"), the dates and
// places of the main events ("<dn>", "<ln>"), names, numbers, the age, the
// event summary, custom fields, and make the line conditional on the sex of
// the person in focus ("<h>", "<f>"). The tag words come from a
// TMotsBalises (template_words.h).
//
// Nothing here fails: an unknown tag, event kind or relative gives the
// empty text. All texts are Windows-1252 bytes.
#pragma once

#include <string>
#include <string_view>

#include "chart/kinship.h"
#include "chart/template_words.h"
#include "dates/dates.h"

namespace kindrela {

class TBD;
class TTraduction;

// What an expansion reads besides the template. Everything referenced must
// outlive the expansions made with it.
struct TContexteModele {
  const TBD& bd;
  const TMotsBalises& mots;
  // Display format of the dates shown ("j/m/a" or "m/j/a", see DateAffichee).
  std::string formatDate = std::string(kFormatJMA);
  // Name days for the event field word "fête"; none (empty value) when null.
  const TTableFetes* fetes = nullptr;
  // Zodiac sign names for the event field word "zodiaque"; empty when null.
  const TTraduction* traduction = nullptr;
};

// Limits of one line's expansion. Text yielded by a tag is scanned again,
// so a value that reproduces its own tag (a surname "<nom>", a note holding
// "<note>") would otherwise never end. The expansion stops after
// kToursParCaractere turns per character of the template plus kToursFixes,
// or as soon as the line has grown by more than kCroissanceMax bytes; the
// line is then returned as it stands, tags not yet expanded included.
inline constexpr std::size_t kToursParCaractere = 4;
inline constexpr std::size_t kToursFixes = 4096;
inline constexpr std::size_t kCroissanceMax = 1 << 20;

// The text of template `modele` for person `personne`. An empty template or
// a person <= 0 gives the empty text. A "<" with no ">" after it ends the
// expansion and stays in the text. A line holding the men-only tag (word
// 2088) is empty unless the person in focus at that tag is a man, and the
// same for the women-only tag (2089) and women; nobody in focus counts as
// unknown sex.
std::string ExpandTemplate(const TContexteModele& ctx, int personne, std::string_view modele);

// Replaces the first occurrence of `ancien` in `ligne` by `nouveau` (which
// may be empty); nothing when `ancien` does not occur or is empty.
void ReplaceFirst(std::string& ligne, std::string_view ancien, std::string_view nouveau);

// Every CR LF pair replaced by one blank (lone CR or LF stay).
std::string JoinLines(std::string_view texte);

// "o", "+" and one "x" per union (in UnionsOf order) for the birth, the
// death and the marriages, blank-separated, each followed by the flags of
// what is known: "d" for an exact date (day, month and year, no qualifier),
// "l" for a place. An event with neither is left out; an event with both
// shows its bare symbol (the flags equal to word 2000 are dropped).
// Person <= 0: the empty text.
std::string EventSummary(const TContexteModele& ctx, int personne);

// The entries x of `liste`, in order, for which CompareValues(expansion of
// `modeleChamp` for x, v, operateur) holds, where v is the expansion of
// `valeur` for x when `valeur` begins with "<", else `valeur` itself. An
// empty `valeur` keeps every entry. The result has the capacity of `liste`.
TR FilterList(const TContexteModele& ctx, const TR& liste, std::string_view modeleChamp,
              std::string_view valeur, int operateur);

// Compares two texts, without regard to case for the text operators:
//   0 equal, 1 different, 2 left contains right, 3 left does not contain
//   right, 4 left begins with right, 5 left sorts before right, 6 after;
//   7..10 DateCompare answers 0, not 0, 2 (left earlier), 1 (left later);
//   11 equal as integers (left -32000, right -32001 when not a number, so
//   that two non-numbers are not equal); 12 different, 13 left below,
//   14 left above as integers (both -32000 when not a number).
// Any other operator: false.
bool CompareValues(std::string_view gauche, std::string_view droite, int operateur);

}  // namespace kindrela
