#include "core/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/ansi_literal.h"
#include "core/file_io.h"

namespace kindrela {
namespace {

class IniFile : public ::testing::Test {
 protected:
  FichierIni Lit(const std::string& texte) {
    FichierIni ini;
    ini.ChargeTexte(texte);
    return ini;
  }
};

TEST_F(IniFile, FindsSectionsAndKeysWithoutRegardToCase) {
  auto ini = Lit("[gene\\Options]\r\nNumérote=1\r\nAgeDecesMax = 110 \r\n"_ansi);
  EXPECT_EQ(ini.LitTexte("GENE\\options", "NUMÉROTE"_ansi), "1");
  EXPECT_EQ(ini.LitEntier("gene\\Options", "AgedecesMax", 0), 110);
  EXPECT_TRUE(ini.LitBooleen("gene\\options", "numérote"_ansi, false));
}

TEST_F(IniFile, MissingOrMalformedValuesGiveTheDefault) {
  auto ini = Lit("[a]\nn=douze\nb=\n");
  EXPECT_EQ(ini.LitTexte("a", "absent", "d"), "d");
  EXPECT_EQ(ini.LitTexte("absente", "n", "d"), "d");
  EXPECT_EQ(ini.LitEntier("a", "n", 12), 12);
  EXPECT_TRUE(ini.LitBooleen("a", "b", true));
  EXPECT_EQ(ini.LitTexte("a", "b", "d"), "");
}

TEST_F(IniFile, TheFirstOfTwoSectionsOrKeysWins) {
  auto ini = Lit("[s]\nk=1\nk=2\n[S]\nk=3\n");
  EXPECT_EQ(ini.LitTexte("s", "k"), "1");
}

TEST_F(IniFile, AcceptsEveryLineEnd) {
  auto ini = Lit("[s]\rk=1\r[t]\nk=2\r\n[u]\r\nk=3");
  EXPECT_EQ(ini.LitTexte("s", "k"), "1");
  EXPECT_EQ(ini.LitTexte("t", "k"), "2");
  EXPECT_EQ(ini.LitTexte("u", "k"), "3");
}

TEST_F(IniFile, RewriteKeepsWhatItDoesNotChange) {
  auto ini = Lit("; commentaire\r\n[gene]\r\nInconnu=x\r\nZoomAuto=0\r\n\r\n[autre]\r\ny=2\r\n");
  ini.EcritBooleen("gene", "zoomauto", true);
  ini.EcritEntier("gene", "PrintZoom", 150);
  ini.EcritTexte("gene\\Stat", "DateMin", "1000");
  EXPECT_EQ(ini.Texte(),
            "; commentaire\r\n[gene]\r\nInconnu=x\r\nZoomAuto=1\r\nPrintZoom=150\r\n\r\n"
            "[autre]\r\ny=2\r\n\r\n[gene\\Stat]\r\nDateMin=1000\r\n");
}

TEST_F(IniFile, AValueWithALineBreakCannotAddAKey) {
  FichierIni ini;
  ini.EcritTexte("gene", "HtmlTitre", "Ma famille\r\nInjecte=1");
  EXPECT_FALSE(ini.CleExiste("gene", "Injecte"));
  FichierIni relu;
  relu.ChargeTexte(ini.Texte());
  EXPECT_FALSE(relu.CleExiste("gene", "Injecte"));
  EXPECT_EQ(relu.LitTexte("gene", "HtmlTitre"), "Ma famille  Injecte=1");
}

TEST_F(IniFile, EnumeratesAndErases) {
  auto ini = Lit("[a]\nx=1\ny=2\n[b]\nz=3\n");
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(ini.Cles("A"), (std::vector<std::string>{"x", "y"}));
  auto toutes = ini.ToutesLesSections();
  ASSERT_EQ(toutes.size(), 2u);
  EXPECT_EQ(toutes[1].valeurs[0], (std::pair<std::string, std::string>{"z", "3"}));
  ini.EffaceCle("a", "X");
  EXPECT_FALSE(ini.CleExiste("a", "x"));
  ini.EffaceSection("b");
  EXPECT_FALSE(ini.SectionExiste("b"));
  EXPECT_EQ(ini.Texte(), "[a]\r\ny=2\r\n");
}

TEST_F(IniFile, SavesAndReadsBackFromDisk) {
  auto dossier = std::filesystem::temp_directory_path() / "kindrela_ini_test";
  std::filesystem::create_directories(dossier);
  std::string chemin = (dossier / "gene.ini").string();
  std::filesystem::remove(chemin);
  {
    FichierIni ini(chemin);
    EXPECT_FALSE(ini.FichierLu());
    ini.EcritTexte("gene", "OldFileName", "/home/x/Famille été.kdg"_ansi);
    ASSERT_TRUE(ini.Enregistre().ok());
  }
  FichierIni relu(chemin);
  EXPECT_TRUE(relu.FichierLu());
  EXPECT_EQ(relu.LitTexte("gene", "OldFileName"), "/home/x/Famille été.kdg"_ansi);
  std::filesystem::remove_all(dossier);
}

TEST_F(IniFile, AFailedSaveLeavesThePreviousFile) {
  auto dossier = std::filesystem::temp_directory_path() / "kindrela_ini_echec";
  std::filesystem::create_directories(dossier);
  std::string chemin = (dossier / "gene.ini").string();
  FichierIni ini(chemin);
  ini.EcritTexte("a", "b", "ancien");
  ASSERT_TRUE(ini.Enregistre().ok());
  ini.EcritTexte("a", "b", "nouveau, bien plus long que l'ancien");
  SimuleEchecEcriture(5);
  Statut s = ini.Enregistre();
  EXPECT_FALSE(s.ok());
  EXPECT_NE(s.message().find("gene.ini"), std::string::npos);
  EXPECT_EQ(FichierIni(chemin).LitTexte("a", "b"), "ancien");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dossier),
                          std::filesystem::directory_iterator{}),
            1);
  std::filesystem::remove_all(dossier);
}

}  // namespace
}  // namespace kindrela
