#include "analysis/type_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "core/ansi_literal.h"
#include "core/file_io.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

namespace fs = std::filesystem;
using Noms = std::vector<std::string>;

class TablesTypesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_trad.ChargeTexte("707;Individu;Person\r\n708;Union;Union\r\nOUI;OUI;YES\r\nNON;NON;NO\r\n");
    m_dossier = fs::temp_directory_path() /
                ("kindrela_tables_" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(m_dossier);
    fs::create_directories(m_dossier);
    const std::string d = m_dossier.string() + "/";
    m_chemins = {d + "Eve.tra",    d + "Chp.tra",    d + "Src.tra",
                 d + "DefEve.tra", d + "DefChp.tra", d + "DefSrc.tra"};
  }
  void TearDown() override { fs::remove_all(m_dossier); }
  void Ecrit(const std::string& chemin, const std::string& texte) {
    ASSERT_TRUE(EcritFichierAtomique(chemin, texte).ok());
  }

  fs::path m_dossier;
  CheminsTablesTypes m_chemins;
  TTraduction m_trad;
  TTablesTypes m_tables;
};

TEST(LitGrille, SplitsCellsSkipsEmptyLinesAndFitsRowsToTheColumns) {
  GrilleTable g = LitGrille("Pour;Ev;Tag;\r\nIndividu;;EVEN;\r\n\r\nUnion;Mariage\nA;B;C;D;\r", 3);
  ASSERT_EQ(g.size(), 4u);
  EXPECT_EQ(g[1], (LigneTable{"Individu", "", "EVEN"}));
  EXPECT_EQ(g[2], (LigneTable{"Union", "Mariage", ""}));
  EXPECT_EQ(g[3], (LigneTable{"A", "B", "C"}));
}

TEST_F(TablesTypesTest, UserFileThenDefaultFileThenNothing) {
  Ecrit(m_chemins.eve, "Pour;Ev;Tag;\r\nIndividu;Perso;BIRT;\r\n");
  Ecrit(m_chemins.defEve, "Pour;Ev;Tag;\r\nIndividu;Naissance;BIRT;\r\n");
  Ecrit(m_chemins.chp, "\r\n");  // no row: not a table
  Ecrit(m_chemins.defChp, "P;C;B;\r\nOUI;Profession;OCCU;\r\n");
  m_tables.Grille(SorteTable::Sources) = {{"ancien"}, {"reste"}};
  Statut s = m_tables.ChargeTout(m_chemins, m_trad);
  EXPECT_EQ(m_tables.EvenementDeTag("BIRT"), "Perso");
  EXPECT_EQ(m_tables.TagChamp("Profession"), "OCCU");
  EXPECT_FALSE(s.ok());
  EXPECT_NE(s.message().find("DefSrc.tra"), std::string::npos);
  EXPECT_TRUE(m_tables.Grille(SorteTable::Sources).empty());
  ASSERT_TRUE(m_tables.EnregistreTout(m_chemins).ok());
  EXPECT_FALSE(FichierExiste(m_chemins.src));  // or the default would be hidden next time

  // "&Défaut": the table stays as it is while the default file is missing.
  EXPECT_FALSE(m_tables.ChargeDefaut(SorteTable::Champs, CheminsTablesTypes{}, m_trad).ok());
  EXPECT_EQ(m_tables.NomsChamps(), Noms{"Profession"});
  ASSERT_TRUE(m_tables.ChargeDefaut(SorteTable::Evenements, m_chemins, m_trad).ok());
  EXPECT_EQ(m_tables.EvenementDeTag("BIRT"), "Naissance");
}

TEST_F(TablesTypesTest, ColumnZeroResetToTheWordsOfTheInterfaceLanguage) {
  m_tables.ChargeTexte(
      SorteTable::Evenements,
      "Pour;Ev;Tag;\r\nUnion;Mariage;MARR;\r\nunion;Divorce;DIV;\r\n;Naissance;BIRT;\r\n"
      "Person;Mort;DEAT;\r\n",
      m_trad);
  EXPECT_EQ(m_tables.Grille(SorteTable::Evenements)[0][0], "Pour");  // titles untouched
  EXPECT_EQ(m_tables.Natures("Union"), Noms{"Mariage"});
  EXPECT_EQ(m_tables.Natures("Individu"), (Noms{"Divorce", "Naissance", "Mort"}));

  m_tables.ChargeTexte(
      SorteTable::Champs,
      "P;C;B;\r\nOUI;Profession;;\r\nNON;Titre;;\r\noui;Religion;;\r\n;Caste;;\r\n", m_trad);
  const GrilleTable& g = m_tables.Grille(SorteTable::Champs);
  EXPECT_EQ((Noms{g[1][0], g[2][0], g[3][0], g[4][0]}), (Noms{"OUI", "NON", "NON", "NON"}));

  m_trad.Langue = 2;
  m_tables.ChargeTexte(SorteTable::Evenements,
                       "T;T;T;\r\nIndividu;Birth;BIRT;\r\nUnion;Marriage;MARR;\r\n", m_trad);
  EXPECT_EQ(m_tables.Natures("Person"), Noms{"Birth"});
  EXPECT_EQ(m_tables.Natures("Union"), Noms{"Marriage"});
}

TEST_F(TablesTypesTest, LookupsAreExactFirstMatchAndSkipTheTitleRow) {
  m_tables.ChargeTexte(
      SorteTable::Evenements,
      "Pour;Titre;TTL;\r\nIndividu;Baptême;BAPM;\r\nIndividu;Naissance;BIRT;\r\n"
      "Individu;Baptême;CHR;\r\nIndividu;Naissance;NAIS;\r\nIndividu;Sans balise;;\r\n"_ansi,
      m_trad);
  m_tables.ChargeTexte(SorteTable::Champs, "P;C;B;\r\nNON;Domicile;RESI;\r\n", m_trad);
  EXPECT_EQ(m_tables.TagEvenement("Baptême"_ansi), "BAPM");
  EXPECT_EQ(m_tables.EvenementDeTag("CHR"), "Baptême"_ansi);
  EXPECT_EQ(m_tables.TagEvenement("Naissance"), "BIRT");
  EXPECT_EQ(m_tables.TagEvenement("naissance"), "");
  EXPECT_EQ(m_tables.EvenementDeTag("TTL"), "");
  EXPECT_EQ(m_tables.EvenementDeTag(""), "");  // not the untagged row
  EXPECT_EQ(m_tables.ChampDeTag("RESI"), "Domicile");
  EXPECT_EQ(m_tables.TagChamp("Naissance"), "");
}

TEST_F(TablesTypesTest, DefaultFieldListTakesYesRowsIgnoringCase) {
  m_tables.ChargeTexte(
      SorteTable::Champs,
      "OUI;Titre de colonne;;\r\nOUI;Profession;;\r\nNON;Titre;;\r\nOUI;;;\r\nOUI;Religion;;\r\n",
      m_trad);
  EXPECT_EQ(m_tables.ChampsParDefaut(m_trad), "t|Profession||t|Religion||");
  m_tables.Grille(SorteTable::Champs)[2][0] = "oui";  // typed in the grid
  EXPECT_EQ(m_tables.ChampsParDefaut(m_trad), "t|Profession||t|Titre||t|Religion||");
}

TEST_F(TablesTypesTest, SaveAndReloadGiveTheSameTables) {
  m_tables.ChargeTexte(SorteTable::Evenements,
                       "Pour;Événement;Tag;\r\nUnion;Mariage;MARR;\r\n"_ansi, m_trad);
  m_tables.ChargeTexte(SorteTable::Champs, "P;C;B;\r\nOUI;Profession;OCCU;\r\n", m_trad);
  m_tables.Grille(SorteTable::Sources) = {{"Type"}, {"Acte; copie"}, {"deux\r\nlignes"}};
  ASSERT_TRUE(m_tables.EnregistreTout(m_chemins).ok());
  std::string texte;
  ASSERT_TRUE(LitFichier(m_chemins.src, texte).ok());
  EXPECT_EQ(texte, "Type;\r\nActe, copie;\r\ndeux  lignes;\r\n");  // a ";" would shift the columns
  EXPECT_FALSE(FichierExiste(m_chemins.defEve));

  TTablesTypes relu;
  ASSERT_TRUE(relu.ChargeTout(m_chemins, m_trad).ok());
  EXPECT_EQ(relu.Grille(SorteTable::Evenements), m_tables.Grille(SorteTable::Evenements));
  EXPECT_EQ(relu.Grille(SorteTable::Champs), m_tables.Grille(SorteTable::Champs));
  EXPECT_EQ(relu.SortesSources(), (Noms{"Acte, copie", "deux  lignes"}));
}

// The installed default tables hold every word the program writes into
// records and the usual GEDCOM tags, and the translation every message of
// the consistency check, in both languages.
class TablesInstallees : public ::testing::TestWithParam<int> {};

TEST_P(TablesInstallees, CoverTheEventWordsAndTheUsualTags) {
  const std::string modele = std::string(KINDRELA_SOURCE_DIR) + "/data/modele/";
  TTraduction t;
  ASSERT_TRUE(t.ChargeTraduction(modele + "famora.tra"));
  t.Langue = GetParam();
  const std::string param = modele + std::to_string(GetParam()) + "/param/";
  TTablesTypes tables;
  ASSERT_TRUE(
      tables
          .ChargeTout(
              {"", "", "", param + "DefEve.tra", param + "DefChp.tra", param + "DefSrc.tra"}, t)
          .ok());
  for (int n = 901; n <= 923; ++n) EXPECT_NE(t.Msg(n), "") << n;
  const Noms individus = tables.Natures(t.Msg(707));
  const Noms unions = tables.Natures(t.Msg(708));
  for (int m : {201, 202, 203, 204})
    EXPECT_NE(std::count(individus.begin(), individus.end(), t.Msg(m)), 0) << m;
  for (int m : {205, 206}) EXPECT_NE(std::count(unions.begin(), unions.end(), t.Msg(m)), 0) << m;
  EXPECT_EQ(tables.TagEvenement(t.Msg(202)), "BAPM");
  EXPECT_EQ(tables.EvenementDeTag("CHR"), t.Msg(202));
  EXPECT_EQ(tables.ChampsParDefaut(t), "t|" + t.Msg(200) + "||");
  for (const char* tag :
       {"BIRT", "CHR",  "BAPM", "DEAT", "BURI", "CREM", "ADOP", "BARM", "BASM", "BLES", "CHRA",
        "CONF", "FCOM", "ORDN", "NATU", "EMIG", "IMMI", "CENS", "PROB", "WILL", "GRAD", "RETI",
        "EVEN", "RESI", "MARR", "DIV",  "ENGA", "MARB", "MARC", "MARL", "MARS", "ANUL", "DIVF"})
    EXPECT_NE(tables.EvenementDeTag(tag), "") << tag;
  for (const char* tag : {"OCCU", "EDUC", "RELI", "NATI", "TITL", "CAST", "DSCR", "IDNO", "NCHI",
                          "NMR", "PROP", "SSN"})
    EXPECT_NE(tables.ChampDeTag(tag), "") << tag;
}

INSTANTIATE_TEST_SUITE_P(Langues, TablesInstallees, ::testing::Values(1, 2),
                         [](const auto& info) { return info.param == 1 ? "Francais" : "Anglais"; });

}  // namespace
}  // namespace kindrela
