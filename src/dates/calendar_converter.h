// The calendar converter's three views of one day: the Gregorian date
// (Julian calendar before the reform), the Julian day number and the
// French Republican date, each recomputed from the one the user edits.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "dates/dates.h"

namespace kindrela {

// The years the converter's Republican year selector offers.
inline constexpr int kAnneesRepublicainesConvertisseur = 14;

struct VuesCalendrier {
  std::string gregorien;             // "d/m/y"
  std::string julien;                // TexteJulien; empty for a date without year
  DateRepublicaine republicain;      // all 0 outside the Republican span
  std::string jourSemaine;           // NomsJours entry, empty without a full date
};

// The Julian day number as the converter writes it: two decimals, right
// aligned in ten characters ("2375839.50").
std::string TexteJulien(double jd);

// The other views of a Gregorian date text (kept as given).
VuesCalendrier VuesDepuisGregorien(std::string_view date);
// The views of a Julian day number typed by the user (a point or a comma
// as decimal mark, blanks around); nullopt when it is not a number or lies
// outside the dates the calendars convert.
std::optional<VuesCalendrier> VuesDepuisJulien(std::string_view texte);
// The views of a Republican date; nullopt while a part is not chosen (0).
std::optional<VuesCalendrier> VuesDepuisRepublicain(int jour, int mois, int annee);

}  // namespace kindrela
