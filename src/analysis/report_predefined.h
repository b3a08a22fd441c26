// The thirteen predefined reports: fixed tables over the whole tree (events
// per surname, persons without any link, unions, marriages between
// relatives, event lists, duplicates, places, occupations, the flash list,
// zodiac signs, and the surname / place cross tables), each built into a
// report grid with its caption. Also the place formats they share and the
// cross table the web site's index pages are made from.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/report_grid.h"
#include "chart/kinship.h"
#include "chart/templates.h"
#include "core/status.h"

namespace kindrela {

class TTraduction;

inline constexpr int kNbrePredefinis = 13;
// The entries as the window lists them.
extern const std::array<std::string_view, kNbrePredefinis> kRapportsPredefinis;

// The place formats ("cbLieux"), on the comma-separated parts of a place
// (country, region, department or postal code, commune...).
enum FormatLieu : int {
  kLieuSaisie = 0,             // "Identique à la saisie": as stored
  kLieuCommune = 1,            // the fourth part
  kLieuCodePostalCommune = 2,  // characters 2..6 of a 6-character third part, a space, the commune
  kLieuCommuneDepartement = 3, // the commune, " (", characters 2..3 of the third part, ")"
};
extern const std::array<std::string_view, 4> kFormatsLieu;
std::string FormateLieu(std::string_view lieu, int format);

struct TOptionsPredefini {
  int generations = 10;      // consanguinity depth, 1..999
  int formatLieu = kLieuSaisie;
  bool tousLesLieux = true;  // else only places starting with `prefixe`
  std::string prefixe = "FRA,IDF,F75";
  std::string signe;         // the zodiac sign searched
};

// Which options a report reads (the window shows only those).
bool PredefiniAvecGenerations(int numero);
bool PredefiniAvecFormatLieu(int numero);
bool PredefiniAvecPrefixe(int numero);
bool PredefiniAvecSigne(int numero);

struct TResultatPredefini {
  std::string legende;  // the window caption
  bool avecListe = false;  // the report sets the report list (report 1)
  TR liste{1};
  bool annule = false;
};

// Builds report `numero` (0..12) into `grille` (replaced). Rows of reports
// 1 to 6 and 10 carry a person (a union's husband for union rows).
// `progression` gets (done, total) over the main pass; false cancels, and
// the grid is then left empty. An unknown number gives an empty grid.
TResultatPredefini RapportPredefini(const TContexteModele& ctx, const TTraduction& t, int numero,
                                    const TOptionsPredefini& options, TGrilleRapport& grille,
                                    const Progression& progression = {});

// One row of the surname and place cross table.
struct TLigneCroisee {
  std::string nom;
  std::string lieu;
  int premiere = 99999;  // lowest known year; 99999 when none
  int derniere = 0;      // highest known year; 0 when none
  int datees = 0;        // persons with a dated event there
  int nonDatees = 0;     // persons with only undated events there
};
// For each person in use, at most 30 distinct places from its events and
// those of its valid unions, each with its known years; one row per
// (surname, place), sorted on surname then place (`parLieu`: place then
// surname). Empty with `annule` set when `progression` cancels.
std::vector<TLigneCroisee> TableCroisee(const TBD& bd, bool parLieu, const Progression& progression,
                                        bool* annule = nullptr);

}  // namespace kindrela
