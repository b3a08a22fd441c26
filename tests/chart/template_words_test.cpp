#include "chart/template_words.h"

#include <gtest/gtest.h>

#include <string>

#include "chart/templates.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/text.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

const std::string kTraduction = std::string(KINDRELA_SOURCE_DIR) + "/data/modele/famora.tra";

TEST(TMotsBalises, BuiltInWordsBeforeAnyTranslation) {
  TMotsBalises mots;
  EXPECT_EQ(mots.Mot(kMotNom), "<nom>");
  EXPECT_EQ(mots.Mot(kMotChampAnnee), "année"_ansi);
  EXPECT_EQ(mots.Mot(kMotDebutEvenement + 1), "<é"_ansi);
  EXPECT_EQ(mots.Mot(kMotOuvertureEvenement), "");  // exists only in the file
  EXPECT_EQ(mots.Mot(1999), "");
  EXPECT_EQ(mots.Mot(2090), "");
}

TEST(TMotsBalises, RetranslateKeepsWordsTheFileLacks) {
  TTraduction trad;
  ASSERT_TRUE(trad.ChargeTexte("Commentaire\r\n2056;<nom>;<surname>\r\n2064;<eve:;\r\n"));
  trad.Langue = 2;
  TMotsBalises mots;
  mots.RetranslateTags(trad);
  EXPECT_EQ(mots.Mot(kMotNom), "<surname>");
  EXPECT_EQ(mots.Mot(kMotNote), "<note>");            // not in the file
  EXPECT_EQ(mots.Mot(kMotOuvertureEvenement), "");    // no English text
  trad.Langue = 1;
  mots.RetranslateTags(trad);
  EXPECT_EQ(mots.Mot(kMotNom), "<nom>");
  EXPECT_EQ(mots.Mot(kMotOuvertureEvenement), "<eve:");
}

TEST(TMotsBalises, NoFileLoadedChangesNothing) {
  TTraduction trad;  // Msg would answer the numbers themselves
  TMotsBalises mots;
  mots.RetranslateTags(trad);
  EXPECT_EQ(mots.Mot(kMotNom), "<nom>");
  EXPECT_EQ(mots.Mot(kMotAge), "");
}

// The installation's translation file, in each of its languages.
class FichierTraduction : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_trad.ChargeTraduction(kTraduction));
    m_trad.Langue = GetParam();
    m_mots.RetranslateTags(m_trad);
  }
  const std::string& Mot(int n) const { return m_mots.Mot(n); }
  bool Commence(int n, int debut) const {
    return !Mot(debut).empty() && Mot(n).starts_with(Mot(debut));
  }

  TTraduction m_trad;
  TMotsBalises m_mots;
};

TEST_P(FichierTraduction, HoldsEveryWordWithTheLengthsTheMatchingNeeds) {
  for (int n : {2000, 2002, 2003, 2004, 2005, 2006, 2007}) EXPECT_FALSE(Mot(n).empty()) << n;
  for (int n = 2008; n <= 2053; ++n) EXPECT_FALSE(Mot(n).empty()) << n;
  for (int n = 2055; n <= 2059; ++n) EXPECT_FALSE(Mot(n).empty()) << n;
  for (int n = 2064; n <= 2083; ++n) EXPECT_FALSE(Mot(n).empty()) << n;
  for (int n = 2086; n <= 2089; ++n) EXPECT_FALSE(Mot(n).empty()) << n;
  for (int n : {2064, 2065, 2066, 2072}) EXPECT_EQ(Mot(n).size(), 5u) << n;
  for (int n : {2082, 2083, 2086, 2087}) EXPECT_EQ(Mot(n).size(), 2u) << n;
  // Field words are compared after lower-casing what the user typed.
  for (int n = 2002; n <= 2017; ++n) EXPECT_EQ(Mot(n), MinusculesAnsi(Mot(n))) << n;
  EXPECT_EQ(Mot(kMotSuffixeBapteme)[0], '>');
  EXPECT_EQ(Mot(kMotSuffixeSepulture)[0], '>');
}

// A word that starts like an earlier branch of the dispatch would never
// reach its own handler.
TEST_P(FichierTraduction, EveryTagReachesItsHandler) {
  for (int n = 2064; n <= 2066; ++n)
    EXPECT_TRUE(Commence(n, 2082) || Commence(n, 2083)) << n;
  for (int n = 2023; n <= 2037; ++n) EXPECT_TRUE(Commence(n, 2086)) << n;
  for (int n = 2038; n <= 2048; ++n) EXPECT_TRUE(Commence(n, 2087)) << n;
  for (int n : {2049, 2050, 2051, 2052, 2053, 2055, 2056, 2057, 2058, 2059, 2067, 2070, 2071,
                2072, 2073, 2074, 2075, 2076, 2088, 2089}) {
    EXPECT_FALSE(Commence(n, 2082) || Commence(n, 2083)) << n;
    EXPECT_FALSE(Mot(n).starts_with("<i-")) << n;
  }
  for (int n : {2059, 2067, 2070, 2071, 2072, 2073, 2074, 2075, 2076, 2088, 2089})
    EXPECT_FALSE(Commence(n, 2086) || Commence(n, 2087)) << n;
}

TEST_P(FichierTraduction, WordsExpandInTheirLanguage) {
  TBD bd;
  int p = bd.NouvelleFiche();
  bd.EcritNom(p, "Dupont");
  bd.EcritDateNaissance(p, "12/3/1850");
  bd.EcritChamp(p, 15, "1920");
  TContexteModele ctx{bd, m_mots};
  const std::string modele = Mot(kMotNom) + " " + Mot(kMotOuvertureEvenement) + "Naissance," +
                             Mot(kMotChampAnnee) + "> " + Mot(kMotDateNaissance) + " " +
                             Mot(kMotOuvertureEvenement + 1) + "Décès,"_ansi +
                             Mot(kMotChampAnnee) + ">";
  EXPECT_EQ(ExpandTemplate(ctx, p, modele),
            "Dupont 1850 12/3/1850 1920" + Mot(kMotSuffixeSepulture).substr(1));
}

INSTANTIATE_TEST_SUITE_P(Langues, FichierTraduction, ::testing::Values(1, 2),
                         [](const auto& info) { return info.param == 1 ? "French" : "English"; });

}  // namespace
}  // namespace kindrela
