#include "core/archive.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/ansi_literal.h"
#include "core/file_io.h"

namespace kindrela {
namespace {

namespace fs = std::filesystem;

class Archive : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string modele = (fs::temp_directory_path() / "kindrela-archive-XXXXXX").string();
    ASSERT_NE(::mkdtemp(modele.data()), nullptr);
    m_dossier = modele + "/";
  }
  void TearDown() override { fs::remove_all(m_dossier); }

  std::string Chemin(const std::string& nom) const { return m_dossier + nom; }

  // `nom` is Windows-1252, as every path the program handles.
  std::string Ecrit(const std::string& nom, const std::string& contenu) {
    fs::create_directories(fs::path(CheminSysteme(Chemin(nom))).parent_path());
    std::ofstream(CheminSysteme(Chemin(nom)), std::ios::binary) << contenu;
    return Chemin(nom);
  }

  std::string Lit(const std::string& chemin) {
    std::string contenu;
    EXPECT_TRUE(LitFichier(chemin, contenu).ok()) << chemin;
    return contenu;
  }

  std::string Dossier(const std::string& nom) {
    fs::create_directories(Chemin(nom));
    return Chemin(nom) + "/";
  }

  // An archive made directly with libzip, with entry names as given: the
  // hostile names a foreign archive may hold.
  std::string ArchiveBrute(const std::string& nom,
                           const std::vector<std::pair<std::string, std::string>>& entrees) {
    int code = 0;
    zip_t* z = zip_open(Chemin(nom).c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    EXPECT_NE(z, nullptr);
    for (const auto& [n, contenu] : entrees) {
      // `entrees` outlives zip_close, which reads the buffers.
      zip_source_t* s = zip_source_buffer(z, contenu.data(), contenu.size(), 0);
      EXPECT_GE(zip_file_add(z, n.c_str(), s, ZIP_FL_ENC_RAW), 0) << n;
    }
    EXPECT_EQ(zip_close(z), 0);
    return Chemin(nom);
  }

  std::vector<std::string> FichiersSous(const std::string& dossier) {
    std::vector<std::string> noms;
    for (auto& e : fs::recursive_directory_iterator(dossier))
      noms.push_back(fs::relative(e.path(), dossier).string());
    std::sort(noms.begin(), noms.end());
    return noms;
  }

  std::string m_dossier;
};

TEST_F(Archive, PacksFilesUnderTheirNamesAndListsThem) {
  std::string a = Ecrit("arbre/Dupont.kdg", std::string("KDG\0\x01\xFF", 6));
  std::string b = Ecrit("photos/grand-père.jpg"_ansi, std::string(100000, 'x'));
  Statut cree = CreeArchive(Chemin("Dupont.zip"), {a, b});
  ASSERT_TRUE(cree.ok()) << cree.message();

  std::vector<EntreeArchive> entrees;
  ASSERT_TRUE(ListeArchive(Chemin("Dupont.zip"), entrees).ok());
  ASSERT_EQ(entrees.size(), 2u);
  EXPECT_EQ(entrees[0].nom, "Dupont.kdg");
  EXPECT_EQ(entrees[0].taille, 6);
  EXPECT_EQ(entrees[1].nom, "grand-père.jpg"_ansi);
  EXPECT_EQ(entrees[1].taille, 100000);
  EXPECT_FALSE(entrees[1].dossier);
}

TEST_F(Archive, ExtractsEveryEntryWithItsBytes) {
  std::string contenu = std::string("\0\r\n\x80\xFF", 5) + std::string(70000, 'y');
  std::string a = Ecrit("src/a.kdg", contenu);
  std::string b = Ecrit("src/b.txt", "note");
  ASSERT_TRUE(CreeArchive(Chemin("x.zip"), {a, b}).ok());
  std::string cible = Dossier("out");
  std::vector<std::string> ecrits;
  ASSERT_TRUE(ExtraitTout(Chemin("x.zip"), cible, &ecrits).ok());
  EXPECT_EQ(Lit(cible + "a.kdg"), contenu);
  EXPECT_EQ(Lit(cible + "b.txt"), "note");
  EXPECT_EQ(ecrits.size(), 2u);
}

TEST_F(Archive, ExtractsOneEntryOnly) {
  std::string a = Ecrit("src/a.kdg", "A");
  std::string b = Ecrit("src/b.txt", "B");
  ASSERT_TRUE(CreeArchive(Chemin("x.zip"), {a, b}).ok());
  std::string cible = Dossier("out");
  std::string ecrit;
  ASSERT_TRUE(ExtraitEntree(Chemin("x.zip"), "b.txt", cible, &ecrit).ok());
  EXPECT_EQ(ecrit, cible + "b.txt");
  EXPECT_EQ(FichiersSous(cible), std::vector<std::string>{"b.txt"});
}

TEST_F(Archive, ExtractionCreatesSubfoldersAndReplacesExistingFiles) {
  std::string zip = ArchiveBrute("x.zip", {{"photos/", ""}, {"photos/a.jpg", "neuf"},
                                           {"docs\\b.txt", "B"}});
  std::string cible = Dossier("out");
  Ecrit("out/photos/a.jpg", "ancien");
  ASSERT_TRUE(ExtraitTout(zip, cible).ok());
  EXPECT_EQ(Lit(cible + "photos/a.jpg"), "neuf");
  EXPECT_EQ(Lit(cible + "docs/b.txt"), "B");
}

TEST_F(Archive, TheSamePathTwiceIsStoredOnce) {
  std::string a = Ecrit("p/a.jpg", "A");
  ASSERT_TRUE(CreeArchive(Chemin("x.zip"), {a, a}).ok());
  std::vector<EntreeArchive> entrees;
  ASSERT_TRUE(ListeArchive(Chemin("x.zip"), entrees).ok());
  EXPECT_EQ(entrees.size(), 1u);
}

TEST_F(Archive, ReplacesAnExistingArchive) {
  std::string a = Ecrit("p/a.jpg", "A");
  std::string b = Ecrit("p/b.jpg", "B");
  ASSERT_TRUE(CreeArchive(Chemin("x.zip"), {a, b}).ok());
  ASSERT_TRUE(CreeArchive(Chemin("x.zip"), {b}).ok());
  std::vector<EntreeArchive> entrees;
  ASSERT_TRUE(ListeArchive(Chemin("x.zip"), entrees).ok());
  ASSERT_EQ(entrees.size(), 1u);
  EXPECT_EQ(entrees[0].nom, "b.jpg");
}

// --- Hostile names --------------------------------------------------------

struct NomHostile {
  const char* cas;
  const char* nom;
};
void PrintTo(const NomHostile& n, std::ostream* os) { *os << n.nom; }

class ArchiveNomHostile : public Archive, public ::testing::WithParamInterface<NomHostile> {};

TEST_P(ArchiveNomHostile, IsRefusedAndNothingIsWritten) {
  std::string zip = ArchiveBrute("mal.zip", {{"bon.txt", "ok"}, {GetParam().nom, "pirate"}});
  std::string cible = Dossier("zone/out");
  Statut s = ExtraitTout(zip, cible);
  ASSERT_FALSE(s.ok());
  EXPECT_NE(s.message().find(GetParam().nom), std::string::npos) << s.message();
  EXPECT_TRUE(FichiersSous(cible).empty());
  // Nothing appeared beside the target folder either.
  EXPECT_EQ(FichiersSous(Chemin("zone")), std::vector<std::string>{"out"});

  Statut un = ExtraitEntree(zip, GetParam().nom, cible);
  EXPECT_FALSE(un.ok());
  EXPECT_TRUE(FichiersSous(cible).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Noms, ArchiveNomHostile,
    ::testing::Values(NomHostile{"Parent", "../evil.txt"},
                      NomHostile{"ParentProfond", "a/../../evil.txt"},
                      NomHostile{"ParentWindows", "..\\evil.txt"},
                      NomHostile{"Absolu", "/tmp/kindrela-evil.txt"},
                      NomHostile{"AbsoluWindows", "\\evil.txt"},
                      NomHostile{"Lecteur", "C:evil.txt"},
                      NomHostile{"SeulementPoint", "./"}),
    [](const auto& info) { return std::string(info.param.cas); });

TEST(ArchiveNom, AcceptsNamesInsideTheFolder) {
  EXPECT_TRUE(NomEntreeSur("a.txt"));
  EXPECT_TRUE(NomEntreeSur("photos/a.txt"));
  EXPECT_TRUE(NomEntreeSur("./a.txt"));
  EXPECT_TRUE(NomEntreeSur("a..b.txt"));
  EXPECT_TRUE(NomEntreeSur("photos/"));
  EXPECT_FALSE(NomEntreeSur(""));
  EXPECT_FALSE(NomEntreeSur("photos/.."));
  EXPECT_FALSE(NomEntreeSur(std::string("a\0b", 3)));
}

TEST_F(Archive, AnEntryThroughALinkIsRefused) {
  std::string cible = Dossier("out");
  std::string ailleurs = Dossier("ailleurs");
  ASSERT_EQ(::symlink(ailleurs.c_str(), (cible + "lien").c_str()), 0);
  std::string zip = ArchiveBrute("x.zip", {{"lien/evil.txt", "pirate"}});
  EXPECT_FALSE(ExtraitTout(zip, cible).ok());
  EXPECT_TRUE(FichiersSous(ailleurs).empty());
}

// --- Errors ---------------------------------------------------------------

TEST_F(Archive, AMissingFileIsRefusedBeforeWriting) {
  std::string a = Ecrit("p/a.jpg", "A");
  Statut s = CreeArchive(Chemin("x.zip"), {a, Chemin("p/absent.jpg")});
  ASSERT_FALSE(s.ok());
  EXPECT_NE(s.message().find("absent.jpg"), std::string::npos);
  EXPECT_FALSE(FichierExiste(Chemin("x.zip")));
}

TEST_F(Archive, TwoFilesOfTheSameNameAreRefused) {
  std::string a = Ecrit("p/a.jpg", "A");
  std::string b = Ecrit("q/a.jpg", "B");
  EXPECT_FALSE(CreeArchive(Chemin("x.zip"), {a, b}).ok());
}

TEST_F(Archive, AFailedCreationLeavesThePreviousArchive) {
  std::string a = Ecrit("p/a.jpg", "A");
  ASSERT_TRUE(CreeArchive(Chemin("x.zip"), {a}).ok());
  std::string avant = Lit(Chemin("x.zip"));
  EXPECT_FALSE(CreeArchive(Chemin("x.zip"), {a, Chemin("p/absent.jpg")}).ok());
  EXPECT_EQ(Lit(Chemin("x.zip")), avant);
}

TEST_F(Archive, AnArchiveInAMissingFolderFails) {
  std::string a = Ecrit("p/a.jpg", "A");
  EXPECT_FALSE(CreeArchive(Chemin("nulle/part/x.zip"), {a}).ok());
}

TEST_F(Archive, NotAnArchiveGivesAnError) {
  Ecrit("faux.zip", "ceci n'est pas une archive");
  std::vector<EntreeArchive> entrees;
  Statut s = ListeArchive(Chemin("faux.zip"), entrees);
  ASSERT_FALSE(s.ok());
  EXPECT_NE(s.message().find("faux.zip"), std::string::npos);
  EXPECT_FALSE(ListeArchive(Chemin("absent.zip"), entrees).ok());
  EXPECT_FALSE(ExtraitTout(Chemin("faux.zip"), Dossier("out")).ok());
}

TEST_F(Archive, AMissingEntryOrFolderGivesAnError) {
  std::string a = Ecrit("p/a.jpg", "A");
  ASSERT_TRUE(CreeArchive(Chemin("x.zip"), {a}).ok());
  EXPECT_FALSE(ExtraitEntree(Chemin("x.zip"), "b.jpg", Dossier("out")).ok());
  EXPECT_FALSE(ExtraitTout(Chemin("x.zip"), Chemin("nulle-part")).ok());
}

TEST_F(Archive, ADamagedEntryLeavesNoFileBehind) {
  std::string a = Ecrit("p/a.txt", std::string(5000, 'z'));
  ASSERT_TRUE(CreeArchive(Chemin("x.zip"), {a}).ok());
  std::string octets = Lit(Chemin("x.zip"));
  // Flip bytes in the middle of the compressed data (after the 30-byte
  // local header and the name).
  for (size_t i = 40; i < 50 && i < octets.size(); ++i) octets[i] = static_cast<char>(~octets[i]);
  std::ofstream(CheminSysteme(Chemin("x.zip")), std::ios::binary) << octets;
  std::string cible = Dossier("out");
  EXPECT_FALSE(ExtraitTout(Chemin("x.zip"), cible).ok());
  EXPECT_TRUE(FichiersSous(cible).empty());
}

}  // namespace
}  // namespace kindrela
