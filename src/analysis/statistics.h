// The statistics: persons of a population counted by one criterion into
// bins, shown as the columns of a bar graph (a label and a value each) with
// a short commented summary. Twenty-six statistics: the split by sex, known
// events, parents, children and unions per person, three age distributions
// and, for six events, the distribution by weekday, by month and by year.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "chart/kinship.h"
#include "core/status.h"

namespace kindrela {

class TBD;
class TTraduction;

// The entries of the statistics list, in order; "-" marks the separators
// (entries 2, 6 and 10).
inline constexpr int kNbreEntreesStat = 29;
extern const std::array<std::string_view, kNbreEntreesStat> kStatistiques;
bool EstSeparateurStat(int entree);
// The entry a choice stands for: a separator (or a number outside the
// list) selects the first statistic.
int EntreeStatValide(int entree);

// Which window of values the statistic reads.
enum class FenetreStat { Aucune, Ages, Annees };
FenetreStat FenetreDe(int entree);

// Lowest, highest, step.
struct TFenetre {
  int min = 0;
  int max = 100;
  int pas = 10;
};
inline constexpr TFenetre kFenetreAgesDefaut{0, 100, 10};
inline constexpr TFenetre kFenetreAnneesDefaut{1900, 2000, 10};
// The three edits read back: each text as a whole number (0 when it is
// none); a highest not above the lowest becomes lowest + 1; a step of 0 or
// less becomes 1.
TFenetre CorrigeFenetre(std::string_view min, std::string_view max, std::string_view pas);

// The populations.
// Persons in use whose birth date is later than 1/1/debut and earlier than
// 31/12/fin.
TR PopulationNesEntre(const TBD& bd, int debut, int fin);

inline constexpr int kNbreCases = 2001;        // bins 0..2000
inline constexpr int kNbreCasesAnnees = 101;   // year bins 0..100

struct TStatistique {
  std::vector<std::string> valX;  // column labels
  std::vector<long long> valY;    // column values
  std::vector<std::string> commentaire;  // the lines of the summary
  TR collectes{1};  // the persons counted in `colonne` (when one is given)
  bool annule = false;
};

// Computes statistic `entree` (0..28, see kStatistiques; a separator counts
// as the first) over `population`. When `colonne` is a column of the graph,
// every person counted in it is collected (once per counted union for the
// union statistics). `progression` gets one step per person; false cancels.
TStatistique CalculeStatistique(const TBD& bd, const TTraduction& t, int entree,
                                const TR& population, const TFenetre& ages,
                                const TFenetre& annees, int colonne = -1,
                                const Progression& progression = {});

// The report window's caption for the persons behind a bar: the
// statistic's name, " : ", the label, "=" and the value.
std::string LegendeColonneStat(int entree, std::string_view label, long long valeur);

}  // namespace kindrela
