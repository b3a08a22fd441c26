// The event calendar: a 12 months x 31 days table marking the days of the
// year on which an event of a chosen kind happened to chosen persons (or
// unions) within a span of years, or the birthdays of the living; the texts
// of its captions and of the report a click makes; its web page.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kindrela {

class TBD;
class TTraduction;

// Who is scanned (the entries of `cbPour`, in order).
enum class OrigineCalendrier : int {
  Tous = 0,     // "Tous les individus": every person in use
  EnVie = 1,    // "Individus en vie": in use, a birth date and no death date
  Rapport = 2,  // "Individus du rapport": the persons of the report list
  Unions = 3,   // "Unions": every union in use with both partners
};

// Parts the web page cuts the year into, by the index of "CalNbre".
inline constexpr std::array<int, 6> kPartiesCalendrier = {1, 2, 3, 4, 6, 12};
inline constexpr int kAnneeDebutCalendrier = 1950;
inline constexpr int kAnneeFinCalendrier = 2010;

struct TReglagesCalendrier {
  OrigineCalendrier origine = OrigineCalendrier::Tous;
  // The event kind to mark; empty for every kind ("Tous les événements").
  std::string nature;
  int debut = kAnneeDebutCalendrier;  // first and last year, both counted
  int fin = kAnneeFinCalendrier;
  // Birthday mode: the living persons' births (origine and nature ignored).
  bool anniversaires = false;
};

class TCalendrier {
 public:
  static constexpr int kNbreMois = 12;
  static constexpr int kNbreJours = 31;

  // The persons (or unions) of a day, in scan order, each once per event.
  // Empty outside 1..12 / 1..31.
  const std::vector<int32_t>& Case(int mois, int jour) const;
  void Ajoute(int mois, int jour, int32_t numero);
  void Vide();
  bool Unions() const { return m_unions; }
  void SetUnions(bool unions) { m_unions = unions; }

 private:
  std::array<std::vector<int32_t>, kNbreMois * kNbreJours> m_cases;
  bool m_unions = false;
};

// Fills the table. An event counts when its kind is the one chosen (or any
// kind when none is) and its date has no qualifier, a day 1..31, a month
// 1..12 and a year within debut..fin. `rapport` holds the report's persons
// for OrigineCalendrier::Rapport (ignored otherwise). Linear in the events
// of the scanned records.
TCalendrier RemplirCalendrier(const TBD& bd, const TReglagesCalendrier& reglages,
                              std::span<const int32_t> rapport = {});

// Whether day/month exists in `annee` (29 February only in leap years).
bool JourExiste(int jour, int mois, int annee);
// Saturday or Sunday of an existing day of `annee`.
bool EstWeekEnd(int jour, int mois, int annee);

// The window's caption with the pointer over a day: the plain caption
// ("fmCal.Caption") on an empty day; otherwise the caption, " : " and the
// one person's short name (husband, message 711, wife for a union), or the
// count and message 709 (persons) / 710 (unions).
std::string LegendeCase(const TBD& bd, const TCalendrier& calendrier, int mois, int jour,
                        const TTraduction& traduction);

// What a click on a day shows: `personne` when the day holds one entry
// (the husband of a union), else the list of them (husbands for unions)
// for the report, with `titre` its caption.
struct TClicCalendrier {
  int personne = 0;
  std::vector<int32_t> liste;
  std::string titre;
};
TClicCalendrier ClicCase(const TBD& bd, const TCalendrier& calendrier, const TReglagesCalendrier& reglages,
                         int mois, int jour, const TTraduction& traduction);

// Where day `jour` of month `mois` is painted in a window of largeur x
// hauteur pixels: a 25-pixel column of day numbers on the left, a 15-pixel
// row of month names on top, the rest shared by the 12 x 31 cells (which
// overlap their neighbours by one pixel, so that borders meet).
struct TRectCase {
  int gauche = 0, haut = 0, droite = 0, bas = 0;  // right and bottom excluded
};
inline constexpr int kLargeurColonneJours = 25;
inline constexpr int kHauteurLigneMois = 15;
TRectCase RectCase(int mois, int jour, int largeur, int hauteur);
// The day under a point: month and day, or {0, 0} over the headers or outside.
struct TCaseCalendrier {
  int mois = 0, jour = 0;
};
TCaseCalendrier CaseAuPoint(int x, int y, int largeur, int hauteur);

// The calendar as a complete web page (Windows-1252), `css` inlined:
// headings from the settings, `origine` and `evenement` the texts of the
// window's two choices, the year in `parties` tables (1, 2, 3, 4, 6 or 12;
// anything else is 1), week-ends of the last year marked when `weekEnd`.
std::string CalendrierHtml(const TBD& bd, const TCalendrier& calendrier, const TReglagesCalendrier& reglages,
                           std::string_view origine, std::string_view evenement, int parties, bool weekEnd,
                           std::string_view css);

}  // namespace kindrela
