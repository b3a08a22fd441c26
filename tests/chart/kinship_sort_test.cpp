#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "chart/kinship.h"
#include "chart/kinship_sort_detail.h"
#include "core/ansi_literal.h"
#include "core/text.h"
#include "dates/dates.h"
#include "kinship_tree.h"

namespace kindrela {
namespace {

using test::Arbre;
using test::H;
using test::V;
using Liste = std::vector<int>;

std::string DateComplete(std::mt19937& gen, const char* qualificatif = "") {
  std::string d = std::to_string(1 + gen() % 28) + "/" + std::to_string(1 + gen() % 12) + "/" +
                  std::to_string(1700 + gen() % 300);
  return *qualificatif ? std::string(qualificatif) + " " + d : d;
}

struct CasTri {
  const char* nom;
  uint32_t graine;
  int taille;
  int unSurNonDate;  // one entry in so many has no date
};

class DeuxTris : public ::testing::TestWithParam<CasTri> {};

// On distinct full dates (qualifiers included) the n log n sort gives what
// the exchange sort gives, undated entries included.
TEST_P(DeuxTris, AgreeOnDistinctFullDates) {
  const CasTri& c = GetParam();
  std::mt19937 gen(c.graine);
  std::vector<std::string> dates;
  std::vector<long long> cles;
  while (static_cast<int>(dates.size()) < c.taille) {
    if (gen() % c.unSurNonDate == 0) {
      dates.push_back("");
      continue;
    }
    const char* const qualificatifs[] = {"", "", "avant", "après"_ansi, "vers"};
    std::string d = DateComplete(gen, qualificatifs[gen() % 5]);
    long long cle = detail::CleDate(d);
    if (std::find(cles.begin(), cles.end(), cle) != cles.end()) continue;
    cles.push_back(cle);
    dates.push_back(d);
  }
  Liste entrees(dates.size());
  for (size_t k = 0; k < entrees.size(); ++k) entrees[k] = static_cast<int>(k) + 1;
  Liste parEchange = entrees;
  std::vector<std::string> datesEchange = dates;
  detail::TriEchange(parEchange, datesEchange);
  Liste parCle = entrees;
  detail::TriDatesLong(parCle, dates);
  EXPECT_EQ(parEchange, parCle);
  for (size_t k = 0; k < dates.size(); ++k)
    if (dates[k].empty()) {
      EXPECT_EQ(parCle[k], entrees[k]) << "undated entry moved";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, DeuxTris,
    ::testing::Values(CasTri{"NoUndated", 2, 120, 1000000}, CasTri{"MostlyUndated", 3, 150, 2},
                      CasTri{"Long", 4, 400, 5}),
    [](const auto& info) { return std::string(info.param.nom); });

// On short lists the exchange sort runs as it always did, twins included.
TEST(SortByDateColumn, ShortListsKeepTheExchangeOrderOfTwins) {
  Arbre a;
  int aine = a.Personne(H, 0, 0, "1/1/1902");
  int jumeau1 = a.Personne(H, 0, 0, "1/1/1900");
  int jumeau2 = a.Personne(H, 0, 0, "1/1/1900");
  TR l;
  for (int x : {aine, jumeau1, jumeau2}) l.Add(x);
  SortByDateColumn(a.bd, l, 6);
  EXPECT_EQ(V(l), (Liste{jumeau2, jumeau1, aine}));
}

class TriTexte : public ::testing::Test {
 protected:
  void SetUp() override {
    std::mt19937 gen(5);
    const char* const noms[] = {"Martin", "martin", "Étienne"_ansi, "étienne"_ansi, "Durand",
                                "DUBOIS", "Zola", "", "abel", "Abel"};
    for (int k = 0; k < 2000; ++k) {
      int n = a.Personne(H);
      a.bd.EcritNom(n, noms[gen() % 10]);
      l.Add(n);
    }
  }
  Arbre a;
  TR l;
};

TEST_F(TriTexte, SortsWithoutRegardToCase) {
  Liste avant = V(l);
  EXPECT_TRUE(SortByColumnText(a.bd, l, 2));
  Liste apres = V(l);
  for (size_t k = 1; k < apres.size(); ++k)
    ASSERT_LE(CompareSansCasse(a.bd.LitNom(apres[k - 1]), a.bd.LitNom(apres[k])), 0) << k;
  std::sort(avant.begin(), avant.end());
  std::sort(apres.begin(), apres.end());
  EXPECT_EQ(avant, apres);
}

TEST_F(TriTexte, StopsWhenAskedAndKeepsEveryEntry) {
  int appels = 0;
  Progression stop = [&](long long fait, long long total) {
    EXPECT_EQ(total, 2000);
    EXPECT_EQ(fait % 50, 0);
    return ++appels < 2;
  };
  EXPECT_FALSE(SortByColumnText(a.bd, l, 2, stop));
  EXPECT_EQ(appels, 2);
  Liste apres = V(l);
  std::sort(apres.begin(), apres.end());
  Liste tous(2000);
  for (int k = 0; k < 2000; ++k) tous[k] = k + 1;
  EXPECT_EQ(apres, tous);
}

}  // namespace
}  // namespace kindrela
