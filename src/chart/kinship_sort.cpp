// Sorting person and union lists on a text column or a date.
#include <algorithm>
#include <bit>
#include <string>
#include <vector>

#include "chart/kinship.h"
#include "chart/kinship_sort_detail.h"
#include "core/letters.h"
#include "core/text.h"
#include "dates/dates.h"

namespace kindrela {

namespace detail {

long long CleDate(std::string_view date) {
  ElementsDate e = DateElements(date);
  // "avant"/"après" move the least significant known part by one, as the
  // date comparison does.
  int pas = 0;
  if (EgalSansCasse(e.qualificatif, kAvant)) pas = -1;
  else if (EgalSansCasse(e.qualificatif, kApres)) pas = 1;
  if (pas != 0) {
    if (e.jour != 0) e.jour += pas;
    else if (e.mois != 0) e.mois += pas;
    else e.annee += pas;
  }
  return e.annee * 10000LL + e.mois * 100 + e.jour;
}

void TriEchange(std::vector<int>& entrees, std::vector<std::string>& dates) {
  const size_t n = entrees.size();
  for (size_t a = 0; a + 1 < n; ++a) {
    for (size_t i = n - 1; i > a; --i) {
      if (!dates[i].empty() && DateCompare(dates[i], dates[a]) == 2) {
        std::swap(entrees[a], entrees[i]);
        std::swap(dates[a], dates[i]);
      }
    }
  }
}

void TriDatesLong(std::vector<int>& entrees, const std::vector<std::string>& dates) {
  struct Datee {
    long long cle;
    int entree;
  };
  std::vector<size_t> places;
  std::vector<Datee> datees;
  for (size_t k = 0; k < entrees.size(); ++k) {
    if (dates[k].empty()) continue;
    places.push_back(k);
    datees.push_back({CleDate(dates[k]), entrees[k]});
  }
  std::stable_sort(datees.begin(), datees.end(),
                   [](const Datee& x, const Datee& y) { return x.cle < y.cle; });
  for (size_t k = 0; k < places.size(); ++k) entrees[places[k]] = datees[k].entree;
}

}  // namespace detail

namespace {

// Above this many entries the exchange sort's quadratic cost shows; its
// answers are kept exactly for the short lists of one person's children or
// unions, twins included.
constexpr int kSeuilTriEchange = 64;

void TrieSurDates(TR& l, std::vector<std::string> dates) {
  std::vector<int> entrees(l.begin(), l.end());
  if (l.Count() <= kSeuilTriEchange) detail::TriEchange(entrees, dates);
  else detail::TriDatesLong(entrees, dates);
  std::copy(entrees.begin(), entrees.end(), l.begin());
}

// The quicksort on text keys, over positions 0..n-1 of `cles`/`entrees`.
class TriTexte {
 public:
  TriTexte(std::vector<std::string>& cles, int32_t* entrees, const Progression& progression)
      : m_cles(cles), m_entrees(entrees), m_progression(progression) {
    const auto n = static_cast<unsigned>(cles.size());
    m_niveauMax = 2 * static_cast<int>(std::bit_width(n)) + 16;
  }

  // False when the progress callback asked to stop.
  bool Trie() {
    if (m_cles.size() > 1) Sort(0, static_cast<int>(m_cles.size()) - 1, 0);
    return !m_arrete;
  }

 private:
  void Echange(int i, int j) {
    std::swap(m_cles[i], m_cles[j]);
    std::swap(m_entrees[i], m_entrees[j]);
  }

  void Sort(int lo, int hi, int niveau) {
    int i;
    do {
      if (++niveau > m_niveauMax) {
        // Inputs built to defeat the middle pivot would make this quadratic.
        Repli(lo, hi);
        return;
      }
      i = lo;
      int j = hi;
      const std::string pivot = m_cles[lo + (hi - lo) / 2];
      do {
        while (m_cles[i] < pivot) ++i;
        while (m_cles[j] > pivot) --j;
        if (i <= j) {
          if (i != j) Echange(i, j);
          ++i;
          --j;
        }
      } while (i <= j);
      if (lo < j) Sort(lo, j, niveau);
      if (m_arrete) return;
      lo = i;
      // Positions counted from 1, as the caller sees them.
      if (m_progression && (i + 1) % 50 == 0 &&
          !m_progression(i + 1, static_cast<long long>(m_cles.size()))) {
        m_arrete = true;
        return;
      }
    } while (i < hi);
  }

  void Repli(int lo, int hi) {
    std::vector<int> ordre(hi - lo + 1);
    for (int k = 0; k < static_cast<int>(ordre.size()); ++k) ordre[k] = lo + k;
    std::stable_sort(ordre.begin(), ordre.end(),
                     [&](int x, int y) { return m_cles[x] < m_cles[y]; });
    std::vector<std::string> cles;
    std::vector<int32_t> entrees;
    for (int k : ordre) {
      cles.push_back(std::move(m_cles[k]));
      entrees.push_back(m_entrees[k]);
    }
    for (size_t k = 0; k < ordre.size(); ++k) {
      m_cles[lo + k] = std::move(cles[k]);
      m_entrees[lo + k] = entrees[k];
    }
  }

  std::vector<std::string>& m_cles;
  int32_t* m_entrees;
  const Progression& m_progression;
  int m_niveauMax;
  bool m_arrete = false;
};

}  // namespace

bool SortByColumnText(const TBD& bd, TR& l, int column, const Progression& progress) {
  std::vector<std::string> cles;
  cles.reserve(l.Count());
  // Sort keys: plain byte order compares them without regard to case, a
  // letter held as a reference beside its plain letter.
  for (int x : l) cles.push_back(CleTri(bd.LitChamp(x, column)));
  return TriTexte(cles, l.begin(), progress).Trie();
}

void SortByDateColumn(const TBD& bd, TR& l, int column) {
  std::vector<std::string> dates;
  dates.reserve(l.Count());
  for (int x : l) dates.push_back(bd.LitChamp(x, column));
  TrieSurDates(l, std::move(dates));
}

void SortUnionsByEventDate(const TBD& bd, TR& l, std::string_view eventName) {
  if (l.Count() < 2) return;
  std::vector<std::string> dates;
  dates.reserve(l.Count());
  for (int u : l) dates.push_back(bd.LitEveUnionNature(u, eventName, 2));
  TrieSurDates(l, std::move(dates));
}

}  // namespace kindrela
