// The reminder of birthdays and name days to wish: the small file
// "AnniFete.kd" that lists, day by day of the year, the birthdays and name
// days of a group of persons, and the lines the reminder window shows from
// it. The window reads only that file (and the name-day table), never the
// tree, so that it can be shown at the start of a session on its own.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/clock.h"
#include "core/status.h"

namespace kindrela {

class FichierIni;
class TBD;
class TTableFetes;

inline constexpr std::string_view kSectionAnniFete = "AnniFete";
// Days looked ahead when the file does not say.
inline constexpr int kNbreJourAbsent = 15;

// The options page's choices.
struct TOptionsRappels {
  bool anniversaires = true;  // cbAFanni
  bool fetes = true;          // cbAFfete
  bool joursSuivants = true;  // cbAFJour
  int nbreJour = 7;           // seAFNbreJour, 1..365
};

// The 372 day texts, each a run of entries "Anniversaire|name|year|" or
// "Fête|name||", and the days to look ahead.
struct TRappels {
  int nbreJour = 0;
  std::array<std::string, 12 * 31> jours;

  // Empty outside 1..12 / 1..31.
  const std::string& Jour(int mois, int jour) const;
  std::string& Jour(int mois, int jour);
};

// The reminder of `personnes`, in list order: each person's birthday (a
// birth date with a day and a month) and name day (`DateDeFete` of the
// whole given-names text) as the options ask.
TRappels ConstruitRappels(const TBD& bd, std::span<const int32_t> personnes, const TOptionsRappels& options,
                          const TTableFetes& fetes);
// Writes "NbreJour" and all 372 day keys "j<day>m<month>" (empty ones too).
void EcritRappels(const TRappels& rappels, FichierIni& ini);
// Reads them back; "NbreJour" is kNbreJourAbsent when missing.
TRappels LitRappels(const FichierIni& ini);
// ConstruitRappels then EcritRappels into the file at `chemin` (replaced whole).
[[nodiscard]] Statut SauverRappels(const std::string& chemin, const TBD& bd, std::span<const int32_t> personnes,
                                   const TOptionsRappels& options, const TTableFetes& fetes);

// One line of the reminder window: its text and font height in pixels.
struct TLigneRappel {
  std::string texte;
  int hauteur = 14;
  bool gras = false;
};

// The lines of the window for `aujourdhui`: the long date, today's name
// days (`fetesDuJour`, the name-day table of the language folder), today's
// entries, then the days ahead: those within NbreJour when there are any,
// else the first day within a year that has entries. A blank line is an
// empty text of height 10. An entry with a birth year reads "Anniversaire
// de Dupont Jean (26 ans)." with the age reached on the day shown.
std::vector<TLigneRappel> LignesRappels(const TRappels& rappels, const TTableFetes& fetesDuJour,
                                        const Jour& aujourdhui);

// The desktop entry that starts the reminder when the user's session opens:
// `programme` run with "-anniv", named `titre`.
std::string EntreeDemarrage(std::string_view programme, std::string_view titre);

}  // namespace kindrela
