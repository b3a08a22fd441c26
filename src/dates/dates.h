// Genealogical dates: the stored date text and every operation on it.
//
// Stored form (the only one kept in records), Windows-1252, no leading zeros:
//   ""                      no date
//   "5/3/1900", "3/1900", "1900"   day/month/year, month/year, year
//   "avant 1900", "après 5/3/1900", "vers 1900"   qualifier, one space, date
//   "après D1 avant D2"  a range, D1 not later than D2
// Day 1..31, month 1..12, year 1..9999; a date without a year is "".
//
// Nothing here fails or throws: unreadable parts count as missing (0) and the
// documented neutral results come back (-1 unknown age, 0 unknown span, 7
// invalid weekday, empty text). All texts are Windows-1252 bytes.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include "core/ansi_literal.h"

namespace kindrela {

class TTraduction;
class FichierIni;

// ---------------------------------------------------------------------------
// Constant tables

// The qualifier words written into stored dates.
inline constexpr std::string_view kAvant = "avant";
inline constexpr std::string_view kApres = "après"_ansi;
inline constexpr std::string_view kVers = "vers";
// Only seen while a GEDCOM range is being read.
inline constexpr std::string_view kEntre = "entre";

// 0 = Sunday .. 6 = Saturday; 7 (invalid date) is empty.
inline constexpr std::array<std::string_view, 8> NomsJours = {
    "dimanche", "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi", ""};

// Indexed by month 1..12; 0 is empty.
inline constexpr std::array<std::string_view, 13> NomsMois = {
    "",           "janvier", "février"_ansi, "mars",    "avril",    "mai",
    "juin",       "juillet", "août"_ansi,    "septembre", "octobre", "novembre",
    "décembre"_ansi};

// Indexed by Republican month - 1: 0 is Vendémiaire, 12 the complementary days.
inline constexpr std::array<std::string_view, 13> NomsMoisRepublicains = {
    "Vendémiaire"_ansi, "Brumaire",   "Frimaire",  "Nivôse"_ansi, "Pluviôse"_ansi,
    "Ventôse"_ansi,     "Germinal",   "Floréal"_ansi, "Prairial", "Messidor",
    "Thermidor",      "Fructidor",  "Sans-Culottide"};

// Indexed by month 1..12; 0 is empty.
inline constexpr std::array<std::string_view, 13> MoisGedcom = {
    "", "JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

// Length in days of Republican years I..XV, indexed by the year (0 unused).
// Year XV is cut at 100 days: the calendar's span ends there.
inline constexpr int kNbreAnsRepublicains = 15;
inline constexpr std::array<int, kNbreAnsRepublicains + 1> DureesAnsRepublicains = {
    0, 365, 365, 366, 365, 365, 365, 366, 365, 365, 365, 366, 365, 365, 365, 100};

// Julian day numbers of 1 Vendémiaire I and of the last day converted.
inline constexpr double kDebutRepublicain = 2375839.5;
inline constexpr double kFinRepublicain = 2381051.5;

// Display formats of DateAffichee / DateInterne.
inline constexpr std::string_view kFormatJMA = "j/m/a";
inline constexpr std::string_view kFormatMJA = "m/j/a";

// ---------------------------------------------------------------------------
// Numbers inside dates

// The one conversion used for every number of a date text and for the heads
// of numbered labels: an optional sign and decimal digits, nothing else (no
// spaces, no hexadecimal). Empty, any other character, or a value outside the
// 32-bit range gives nullopt.
std::optional<int> LitNombreDate(std::string_view s);

// ---------------------------------------------------------------------------
// Reading and writing

// The words of a date text. A text without a space is date1 as it stands.
// Otherwise the text is lower-cased and read word by word: every word not
// starting with a digit replaces qualifier1, the first word starting with a
// digit is date1; a second pass over the rest gives qualifier2 and date2.
// Anything after date2 is ignored; empty words (repeated spaces) are skipped.
// No word is validated: any non-numeric word counts as a qualifier.
struct DateDecoupee {
  std::string qualificatif1;
  std::string date1;
  std::string qualificatif2;
  std::string date2;
};
DateDecoupee DateDecoupe(std::string_view texte);

// The first date of a text as numbers, 0 for missing: date1 split at "/"
// (three parts day/month/year, two month/year, one the year; beyond three
// parts the first three count). Day outside 1..31, month outside 1..12 and
// year outside 0..9999 become 0. The qualifier is that of the first date,
// lower-cased. The upper date of a range is not looked at.
struct ElementsDate {
  std::string qualificatif;
  int jour = 0;
  int mois = 0;
  int annee = 0;
};
ElementsDate DateElements(std::string_view texte);

// One component of the first date (0 = missing), and its decimal text ("0"
// when missing).
int DateJour(std::string_view texte);
int DateMois(std::string_view texte);
int DateAnnee(std::string_view texte);
std::string DateJourTexte(std::string_view texte);
std::string DateMoisTexte(std::string_view texte);
std::string DateAnneeTexte(std::string_view texte);

// The canonical simple date: a day outside 1..31, a month outside 1..12 and
// a negative year count as missing; no year gives ""; the day is written
// only with a month. (5, 3, 1900) -> "5/3/1900", (5, 0, 1900) -> "1900".
std::string DateFormate(int jour, int mois, int annee);

// Today as a simple date "d/m/y".
std::string DateDuJour();

// The canonical stored form of any date text. Spaces at both ends are
// dropped, the qualifiers lower-cased and each date rewritten by DateFormate.
// A text holding two dates becomes "après D1 avant D2" with D1 not later
// than D2 (compared as bare dates, so that normalising twice changes
// nothing), whatever words stood before them. A part whose
// date has no year is dropped with its qualifier, so the result never ends
// in a bare qualifier: "vers 0" -> "", "après 0 avant 1900" -> "avant 1900".
std::string DateNormalise(std::string_view texte);

// What the user typed (already through DateInterne) read into a stored-like
// text, not yet normalised: callers pass it on to DateCompleteSiecle or
// DateNormalise. "." and a space or "-" between two digits become "/";
// qualifier words are recognised loosely ("av.", "<", "-", "~", "ca", "+",
// "entre ... et ...", "de ... a ..."); unknown words are ignored. A
// non-digit prefix stuck to a date ("<1900", "vers1900") is read as a word
// of its own. Two-digit years of a range are resolved against the other
// date's year. A second date not announced by a before/after word is
// dropped. No date gives "".
std::string DateSaisie(std::string_view texte);

// Two-digit year (1..99) of one simple date resolved against the year of
// another (today's year when that one has none); only years matter and the
// resolved date comes back rewritten by DateFormate, without qualifier.
// Mode 1 resolves `a` against `b`: same century as b's year, one century
// earlier when that passes it. Any other mode (2) resolves `b` against `a`:
// same century, one century later when that is before a's year. The century
// shift is not made when it would leave the years 1..9999.
std::string AnneeSiecle(std::string_view a, std::string_view b, int mode);

// Two-digit years of the date being entered, resolved against a related date
// of the same person: `a` is the earlier-kind date (birth), `b` the
// later-kind one (death); mode 1 says `a` is being entered, any other mode
// (2) `b`. Returns the normalised date being entered.
std::string DateCompleteSiecle(std::string_view a, std::string_view b, int mode);

// Stored date -> display text and back. Identity unless `format` is "m/j/a";
// then the first two numbers of every full date (three numbers) are
// exchanged. The separator of the input is detected with DetecteSeparateur;
// exchanged dates are written with "/". Partial dates and words stay as they
// are.
std::string DateAffichee(std::string_view texte, std::string_view format);
std::string DateInterne(std::string_view texte, std::string_view format);

// ---------------------------------------------------------------------------
// Comparing and counting

// 0 equal, 2 when date1 is earlier, 1 when date1 is later. An empty text is
// earlier than any other. "avant"/"après" move a date one unit of its least
// significant known part earlier/later. Without qualifiers, a date2 less
// precise than date1 stands for the end of its period, but date1 is never
// padded: a partial date compared with a full date of the same period is
// earlier in both orders ("1900" vs "5/3/1900" and "5/3/1900" vs "1900" both
// give 2).
//
// This is NOT an ordering: it is neither antisymmetric nor transitive. Never
// hand it to std::sort, std::map or anything else needing a strict weak
// ordering; use it for pairwise checks and the program's own sorts.
int DateCompare(std::string_view date1, std::string_view date2);

// Full years from the date (the upper date of a range) until today; -1 when
// the year is unknown or the date is in a later year. A missing month or day
// never lowers the age.
int AgeActuel(std::string_view date);

// Full years between two dates (the upper date of a range for date1), in
// either order; 0 when a year is unknown. A missing month or day of the
// later date counts as before the earlier's, so the result is the age
// reached for sure.
int AgeEntre(std::string_view date1, std::string_view date2);

// Days by which date1 follows date2 (the upper date of a range for date2),
// or 0 when it does not or when either has no year.
int JoursEntre(std::string_view date1, std::string_view date2);

// ---------------------------------------------------------------------------
// Calendars

// Astronomical Julian day number at midnight starting the date (it ends in
// .5). Dates after 13/10/1582 are Gregorian, earlier ones Julian-calendar
// dates (5..14 October 1582 never existed). Missing parts count as 0 in the formula ("1900" gives a day
// near the end of 1899).
double DateVersJulien(std::string_view date);

// The calendar day ("d/m/y") holding the instant `jd`; Julian calendar before
// 15/10/1582.
std::string JulienVersDate(double jd);

// French Republican day (1..30), month (1..13, 13 = Sans-Culottide) and year
// (1..15) of a date; all 0 outside 1 Vendémiaire I .. the 100th day of XV.
struct DateRepublicaine {
  int jour = 0;
  int mois = 0;
  int annee = 0;
};
DateRepublicaine DateVersRepublicain(std::string_view date);
// The Julian day number of a Republican date; not validated.
double RepublicainVersJulien(int jour, int mois, int annee);

// 0 = Sunday .. 6 = Saturday, proleptic Gregorian for every year; 7 when the
// year is negative, the month outside 1..12 or the day outside 1..31.
int JourSemaine(int jour, int mois, int annee);
// The NomsJours entry of a date; empty when it has no full day/month/year.
std::string NomJourSemaine(std::string_view date);
// "Lundi 5 mars 1900"; empty unless day 1..31, month 1..12 and year >= 0.
std::string DateLongue(int jour, int mois, int annee);

// The translated zodiac sign of the date's day and month, from the key
// "fmRapportCritere.cbZodiaque.C " + (sign - 1), signs numbered 1..12 from
// the one before 21 January; empty without a valid day and month.
std::string SigneZodiaque(std::string_view date, const TTraduction& traduction);

// ---------------------------------------------------------------------------
// Name days

// The first names celebrated on each day of the year, as comma-separated
// lists. Filled once at start-up, read-only afterwards.
class TTableFetes {
 public:
  static constexpr int kNbreMois = 12;
  static constexpr int kNbreJours = 31;

  // Reads section "Fêtes", keys "m1j1" .. "m12j31", of the initialisation
  // file at `chemin`; missing keys are empty. Returns false (and leaves the
  // table empty) when the file cannot be read.
  bool Charge(const std::string& chemin);
  void Charge(const FichierIni& ini);

  // The list of that day; empty out of range.
  const std::string& Fete(int mois, int jour) const;
  void DefinitFete(int mois, int jour, std::string noms);
  void Vide();

 private:
  std::array<std::string, kNbreMois * kNbreJours> m_noms;
};

// The list of the date's day; empty when the date has a qualifier or lacks a
// valid day or month.
std::string FeteDuJour(std::string_view date, const TTableFetes& table);

// The first day of the current year whose list holds `prenom` (ignoring case
// and spaces around the listed names), scanning day 1 of every month, then
// day 2, and so on; empty when none, or when the name has 2 characters or
// fewer.
std::string DateDeFete(std::string_view prenom, const TTableFetes& table);

// ---------------------------------------------------------------------------
// GEDCOM date phrases

// "BEF 1900", "AFT 5 MAR 1900", "ABT MAR 1900", "BET 1900 AND 1910", or a
// plain GEDCOM date; a year 1..99 is taken in the current century, or the one
// before when it would be after this year. Empty for a date without a year.
std::string DateVersGedcom(std::string_view date);

// A GEDCOM date phrase in stored form. BEF/AND -> avant, AFT/INT -> après,
// ABT/CAL/EST -> vers (by the first three letters of the first word),
// BET .. AND / FROM .. TO -> a range. Calendar escapes and phrases in
// parentheses are not understood and give an empty or partial date.
std::string DateDeGedcom(std::string_view phrase);

// Order of numbered labels ("12", "3/2/1", "4.1") for sortable grids: -1, 0
// or 1. Each text is cut at its first ","; an empty text comes first. Heads
// before the first "/" (or "." when there is no "/") compare as numbers,
// equal heads compare their tails the same way; when a head is not a number
// the texts compare without regard to case.
int CompareNumeros(std::string_view texte1, std::string_view texte2);

}  // namespace kindrela
