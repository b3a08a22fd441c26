#include "editing/record_names.h"

#include <gtest/gtest.h>

#include "core/ansi_literal.h"
#include "core/database.h"

namespace kindrela {
namespace {

struct CasNom {
  const char* nom;
  std::string saisi;
  bool option;
  std::string nomStocke;
  std::string prenomsStockes;
};

class NomsSaisis : public ::testing::TestWithParam<CasNom> {};

TEST_P(NomsSaisis, StoresWhatTheOptionsSay) {
  const CasNom& c = GetParam();
  EXPECT_EQ(NomStocke(c.saisi, c.option), c.nomStocke);
  EXPECT_EQ(PrenomsStockes(c.saisi, c.option), c.prenomsStockes);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, NomsSaisis,
    ::testing::Values(
        CasNom{"OptionsOffKeepTheText", "de la Fontaine  ", false, "de la Fontaine", "de la Fontaine"},
        CasNom{"AccentsAndLigatures", "lefèvre cœur"_ansi, true, "LEFÈVRE CŒUR"_ansi, "Lefèvre Cœur"_ansi},
        CasNom{"WordsStartAfterEachSeparator", "jean-PIERRE \"paul\",marie;anne", true,
               "JEAN-PIERRE \"PAUL\",MARIE;ANNE", "Jean-Pierre \"Paul\",Marie;Anne"},
        CasNom{"SharpSAndSignsStay", "strauß ×2"_ansi, true, "STRAUß ×2"_ansi, "Strauß ×2"_ansi},
        CasNom{"TrailingBlanksOnly", "  émile\t "_ansi, true, "  ÉMILE"_ansi, "  Émile"_ansi},
        CasNom{"Empty", "", true, "", ""}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(EcritNomPrenoms, StoresBothAndTellsWhenATextGotShorter) {
  TBD bd;
  const int n = bd.NouvelleFiche();
  ResultatNoms r = EcritNomPrenoms(bd, n, "dupont", "jean ", {true, true});
  EXPECT_EQ(bd.LitNom(n), "DUPONT");
  EXPECT_EQ(bd.LitPrenoms(n), "Jean");
  EXPECT_TRUE(r.modifie);
  EXPECT_FALSE(r.raccourci);
  // One letter erased from the given names.
  r = EcritNomPrenoms(bd, n, "dupont", "Jea", {true, true});
  EXPECT_TRUE(r.raccourci);
  EXPECT_EQ(bd.LitPrenoms(n), "Jea");
  r = EcritNomPrenoms(bd, n, "dupont", "Jea", {true, true});
  EXPECT_FALSE(r.modifie);
  // Out of range: nothing written anywhere.
  EcritNomPrenoms(bd, n + 1, "X", "Y", {});
  EXPECT_EQ(bd.NbreFiche(), 1);
}

}  // namespace
}  // namespace kindrela
