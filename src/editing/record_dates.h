// The record window's work on event dates: the step run when the user
// leaves a date (two-digit years completed against the person's other
// dates), the information line under the date (weekday, age, days lived)
// and the certainty level proposed from the date's precision.
#pragma once

#include <string>
#include <string_view>

namespace kindrela {

class TBD;
class TTraduction;

// The date of an event once the user leaves its field.
struct DateSortie {
  // Stored form: normalised, a two-digit year completed. When the text could
  // not be read as a date (nothing but words the date reading ignores) it is
  // the typed text in stored order, as it stands, so that nothing typed is lost.
  std::string date;
  bool reconnue = true;  // false: a non-blank text that holds no date
};

// `saisie` is the field's text in display form. The reference against
// which a year 1..99 is completed depends on the kind of the event of
// person n: a birth or a baptism takes the death date and is not put after
// its year; a death, a burial and any other kind take the birth date and
// are not put before its year. A reference without a year counts as today.
DateSortie SortieDateEve(const TBD& bd, int n, std::string_view nature, std::string_view saisie,
                         std::string_view formatDate);
// A union's event: completed against the birth date of person n, not before its year.
DateSortie SortieDateEveUnion(const TBD& bd, int n, std::string_view saisie,
                              std::string_view formatDate);

// The line under a person's event date: for a date with a day, "Lundi 5
// mars 1900. ", with a month only, "Mars 1900. "; then, for a birth or a
// death event, the current age (birth without death) or the age at death,
// or the days lived when under a year (1 to 366), in messages 107 to 112.
std::string LigneJour(const TBD& bd, int n, std::string_view nature, std::string_view dateStockee,
                      const TTraduction& traduction);

// The certainty level proposed for an event of stored level `niveauStocke`
// dated `dateStockee`: 2 for an approximate date (qualifier message 113)
// without month while the stored level is 0; 0 for an exact date (day,
// month and year, no qualifier); otherwise the stored level.
int NiveauPropose(std::string_view dateStockee, int niveauStocke, const TTraduction& traduction);

}  // namespace kindrela
