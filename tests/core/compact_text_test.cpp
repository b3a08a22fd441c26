#include "core/compact_text.h"

#include "core/database.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace kindrela {
namespace {

// The text must hold exactly what a std::string given the same edits holds,
// NUL-terminated, whichever of its two forms it is in.
void ExpectSame(const Texte& t, const std::string& modele) {
  ASSERT_EQ(t.size(), modele.size());
  EXPECT_EQ(std::string_view(t), modele);
  EXPECT_EQ(t.c_str()[t.size()], '\0');
}

TEST(Texte, FollowsStringThroughRandomEdits) {
  std::mt19937 alea(12345);
  for (int essai = 0; essai < 200; ++essai) {
    Texte t;
    std::string modele;
    for (int pas = 0; pas < 60; ++pas) {
      const int n = static_cast<int>(alea() % 40);
      std::string morceau(n, static_cast<char>('a' + alea() % 26));
      if (n > 0 && alea() % 4 == 0) morceau[alea() % n] = '\0';  // bytes, not C text
      switch (alea() % 7) {
        case 0: t = morceau; modele = morceau; break;
        case 1: t += morceau; modele += morceau; break;
        case 2: {  // a part of itself, which may be in its own allocation
          const size_t debut = modele.empty() ? 0 : alea() % modele.size();
          const size_t long_ = alea() % 30;
          t = std::string_view(t).substr(debut, long_);
          modele = modele.substr(debut, long_);
          break;
        }
        case 3: t.append(std::string_view(t)); modele += modele; break;
        case 4: {
          const size_t pos = modele.empty() ? 0 : alea() % modele.size();
          t.erase(pos, n);
          modele.erase(pos, n);
          break;
        }
        case 5: t.resize(n, 'z'); modele.resize(n, 'z'); break;
        case 6: {
          Texte copie(t);
          Texte deplace(std::move(copie));
          EXPECT_TRUE(copie.empty());
          t = std::move(deplace);
          break;
        }
      }
      if (modele.size() > 4000) { t.clear(); modele.clear(); }
      ExpectSame(t, modele);
    }
  }
}

TEST(Texte, ShortAndLongFormsAroundTheBoundary) {
  for (size_t n : {0u, 1u, 14u, 15u, 16u, 17u, 31u, 32u, 1000u}) {
    const std::string s(n, 'x');
    Texte t(s);
    ExpectSame(t, s);
    Texte copie = t;
    copie += 'y';
    ExpectSame(t, s);  // a copy owns its own letters
    ExpectSame(copie, s + "y");
    t.swap(copie);
    ExpectSame(copie, s);
    t.clear();
    ExpectSame(t, "");
  }
}

TEST(Texte, ComparesAndConcatenatesAsItsLetters) {
  const Texte a("Dupont"), b("Durand");
  EXPECT_TRUE(a == "Dupont");
  EXPECT_TRUE("Dupont" == a);
  EXPECT_TRUE(a != b);
  EXPECT_TRUE(a < b);
  EXPECT_TRUE(a < std::string("Dupré"));
  EXPECT_EQ(a + " " + b, "Dupont Durand");
  EXPECT_EQ("M. " + a, "M. Dupont");
  EXPECT_EQ(a.find('p'), 2u);
  EXPECT_EQ(a.substr(2, 3), "pon");
  EXPECT_EQ(Texte(std::string(20, 'a')) <=> Texte(std::string(19, 'a')), std::strong_ordering::greater);
}

}  // namespace
}  // namespace kindrela

namespace kindrela {
namespace {

// A record's packed list crosses from the short form to the long one at its
// fourth entry; it must read and shrink exactly as one built in a string.
TEST(Texte, PackedListsAcrossTheBoundary) {
  Texte liste;
  std::string modele;
  for (int32_t v : {7, -1, 0x7FFFFFFF, 123456, 42, -99999}) {
    AjouteEntree(liste, v);
    AjouteEntree(modele, v);
    ASSERT_EQ(std::string_view(liste), modele);
  }
  for (int k : {6, 1, 9, 2, 0, 1}) {
    RetireEntree(liste, k);
    RetireEntree(modele, k);
    ASSERT_EQ(std::string_view(liste), modele);
    for (int i = 1; i <= NbreEntrees(modele); ++i) EXPECT_EQ(LitEntree(liste, i), LitEntree(modele, i));
  }
  liste.append("xy", 2);  // a partial entry is dropped before the next one
  AjouteEntree(liste, 5);
  EXPECT_EQ(NbreEntrees(liste), 3);
  EXPECT_EQ(LitEntree(liste, 3), 5);
}

}  // namespace
}  // namespace kindrela
