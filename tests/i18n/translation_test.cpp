#include "i18n/translation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace kindrela {
namespace {

class Translation : public ::testing::Test {
 protected:
  TTraduction& Charge(const std::string& texte, int langue = 1, bool debug = false) {
    m_trad.ChargeTexte(texte);
    m_trad.Langue = langue;
    m_trad.DebugTrad = debug;
    return m_trad;
  }
  TTraduction m_trad;
};

TEST_F(Translation, WithoutAFileAMessageIsItsNumber) {
  EXPECT_EQ(m_trad.Msg(507), "507");
  EXPECT_EQ(m_trad.Msg(4000), "4000");
  EXPECT_EQ(m_trad.MsgCle("folder_ma_famora"), "");
}

struct CasMessage {
  const char* nom;
  int langue;
  bool debug;
  int numero;
  const char* attendu;
};

class TranslationMessages : public ::testing::TestWithParam<CasMessage> {};

TEST_P(TranslationMessages, PicksTheLanguageColumn) {
  TTraduction t;
  t.ChargeTexte(
      "507;Enregistrer ?;Save?\r\n"
      "12;ancien;old\r\n12;nouveau;new\r\n"
      "13;;only english\r\n"
      "4000;quatre mille;four thousand\r\n"
      " 4001;espace;space\r\n"
      "20;deux\\nlignes;two\\nlines\r\n");
  t.Langue = GetParam().langue;
  t.DebugTrad = GetParam().debug;
  EXPECT_EQ(t.Msg(GetParam().numero), GetParam().attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Lookups, TranslationMessages,
    ::testing::Values(CasMessage{"FirstLanguage", 1, false, 507, "Enregistrer ?"},
                      CasMessage{"SecondLanguage", 2, false, 507, "Save?"},
                      CasMessage{"MissingColumn", 3, false, 507, ""},
                      CasMessage{"MissingColumnDebug", 3, true, 507, "@Enregistrer ?"},
                      CasMessage{"LaterLineWins", 1, false, 12, "nouveau"},
                      CasMessage{"EmptyFieldDebug", 1, true, 13, "@"},
                      CasMessage{"MissingMessage", 1, false, 999, ""},
                      CasMessage{"MissingMessageDebug", 1, true, 999, "@"},
                      CasMessage{"AboveTableExactKey", 2, false, 4000, "four thousand"},
                      CasMessage{"LeadingSpaceDoesNotMatch", 1, false, 4001, ""},
                      CasMessage{"LineBreak", 1, false, 20, "deux\r\nlignes"}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST_F(Translation, SymbolicKeysIgnoreCaseAndTheFirstWins) {
  Charge("Folder_Ma_Famora;Mes arbres;My trees\r\nfolder_ma_famora;autre;other\r\n"
         "vide;;\r\n");
  EXPECT_EQ(m_trad.MsgCle("folder_ma_famora"), "Mes arbres");
  EXPECT_EQ(m_trad.MsgCle("FOLDER_MA_FAMORA"), "Mes arbres");
  EXPECT_EQ(m_trad.MsgCle("absente"), "");
  m_trad.Langue = 2;
  m_trad.DebugTrad = true;
  EXPECT_EQ(m_trad.MsgCle("vide"), "$");
  EXPECT_EQ(m_trad.MsgCle("folder_ma_famora"), "My trees");
}

TEST(TranslationFormat, EachPlaceholderTakesTheNextValue) {
  EXPECT_EQ(Remplit("%s a %s, 100%% fait", {"Jean", "Zoé"}), "Jean a Zoé, 100% fait");
  EXPECT_EQ(Remplit("%s et %s", {"seul"}), "seul et ");
  EXPECT_EQ(Remplit("fin %", {}), "fin %");
}

TEST_F(Translation, LinesWithoutSeparatorAreKeysWithoutTexts) {
  Charge("Commentaire sans texte\r\n\r\n507;oui\r\n");
  ASSERT_EQ(m_trad.ListeCles().size(), 3u);
  EXPECT_EQ(m_trad.ListeCles()[0], "Commentaire sans texte");
  EXPECT_EQ(m_trad.MsgCle("commentaire sans texte"), "");
  EXPECT_EQ(m_trad.Msg(507), "oui");
}

TEST_F(Translation, OnlyFiftyLanguagesAreRead) {
  std::string ligne = "5";
  for (int i = 1; i <= 52; ++i) ligne += ";t" + std::to_string(i);
  Charge(ligne, 50);
  EXPECT_EQ(m_trad.MsgCle("5"), "t50");
  m_trad.Langue = 51;
  EXPECT_EQ(m_trad.MsgCle("5"), "");
}

TEST_F(Translation, WindowEntriesMatchTheNameBeforeTheSuffix) {
  Charge("fmCellule.Caption;Cellule;Cell\r\n"
         "fmCellule.cbSexe.C 1;Les femmes;Women\r\n"
         "fmCelluleX.lbl.Caption;non;no\r\n"
         "fmcellule.lbl.Caption;casse;case\r\n"
         "fmCellule.vide.Hint;;only\r\n", 1, true);
  auto entrees = m_trad.EntreesFenetre("fmCellule_2");
  ASSERT_EQ(entrees.size(), 3u);
  EXPECT_EQ(entrees[0].composant, "Caption");
  EXPECT_EQ(entrees[0].texte, "Cellule");
  EXPECT_EQ(entrees[1].composant, "cbSexe");
  EXPECT_EQ(entrees[1].propriete, "C 1");
  EXPECT_EQ(entrees[2].texte, "#");
}

TEST_F(Translation, LoadsOnceFromAFileRelativeToTheProgram) {
  auto dossier = std::filesystem::temp_directory_path() / "kindrela_trad_test";
  std::filesystem::create_directories(dossier / "modele");
  {
    std::ofstream f(dossier / "modele" / "famora.tra", std::ios::binary);
    f << "200;Naissance;Birth\r\n";
  }
  std::string programme = dossier.string() + "/";
  EXPECT_FALSE(m_trad.ChargeTraduction("modele/absent.tra", programme));
  EXPECT_EQ(m_trad.Msg(200), "");
  EXPECT_TRUE(m_trad.ChargeTraduction("modele/famora.tra", programme));
  EXPECT_TRUE(m_trad.Charge());
  EXPECT_EQ(m_trad.Msg(200), "Naissance");
  EXPECT_FALSE(m_trad.ChargeTraduction("modele/famora.tra", programme));
  m_trad.LibereTraduction();
  EXPECT_FALSE(m_trad.Charge());
  EXPECT_EQ(m_trad.Msg(200), "200");
  std::filesystem::remove_all(dossier);
}

}  // namespace
}  // namespace kindrela
