// Saving a tree when things go wrong: a full disk, a step that fails, the
// program killed mid-write, a read-only file, a link to the tree. The file
// already saved stays whole and loads, and the user hears why.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "core/clock.h"
#include "core/fault_injection.h"
#include "core/file_io.h"
#include "core/system_error.h"
#include "core/tree_file/tree_file_reader.h"
#include "core/tree_file/tree_file_version.h"
#include "core/tree_file/tree_file_writer.h"
#include "tree_file_test_support.h"

namespace kindrela {
namespace {

class TreeFileFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    FixeAujourdhui(Jour{2008, 1, 6});
    Nomme("Ancien");
    ASSERT_TRUE(EcritBase(m_bd, Chemin(), {}).ok());
    m_sauvegarde = m_dossier.Lit("Dupont.kdg");
    Nomme("Avant");
    ASSERT_TRUE(EcritBase(m_bd, Chemin(), {}).ok());
    m_avant = m_dossier.Lit("Dupont.kdg");
    Nomme("Après");
    ASSERT_TRUE(OctetsBase(m_bd, {}, {}, m_apres).ok());
  }
  void TearDown() override { LibereAujourdhui(); }

  void Nomme(const std::string& nom) {
    // Enough to be written in several pieces.
    while (m_bd.NbreFiche() < 40) m_bd.EcritChamp(m_bd.NouvelleFiche(), 18, std::string(60000, 'n'));
    for (int n = 1; n <= 40; ++n) m_bd.EcritNom(n, nom);
  }
  std::string Chemin() const { return m_dossier.Chemin("Dupont.kdg"); }
  Statut Sauve() { return EcritBase(m_bd, Chemin(), {}); }

  std::set<std::string> Fichiers() const {
    std::set<std::string> noms;
    for (auto& e : std::filesystem::directory_iterator(m_dossier.Chemin()))
      noms.insert(e.path().filename().string());
    return noms;
  }
  // The tree file loads and is the previous save or the new one, whole; its
  // backup is one of the two saves before.
  void ExpectSauvegardeEntiere(bool nouveauPermis) {
    const std::string arbre = m_dossier.Lit("Dupont.kdg");
    EXPECT_TRUE(arbre == m_avant || (nouveauPermis && arbre == m_apres)) << arbre.size();
    TBD relu;
    ResultatLecture r;
    ASSERT_TRUE(LitArbre(relu, arbre, VersionDesOctets(arbre), {}, r).ok());
    EXPECT_TRUE(r.avertissements.empty());
    // Between its two renames a save has made the backup and not yet the file.
    const std::string ancien = m_dossier.Lit("Dupont.kdg.old");
    EXPECT_TRUE(ancien == m_sauvegarde || ancien == m_avant);
  }
  // The previous save, untouched; its backup too, unless `sauvegardeFaite`
  // (the failure came once the backup was made of it).
  void ExpectRienNaChange(bool sauvegardeFaite = false) {
    EXPECT_EQ(m_dossier.Lit("Dupont.kdg"), m_avant);
    const std::string ancien = m_dossier.Lit("Dupont.kdg.old");
    EXPECT_TRUE(ancien == m_sauvegarde || (sauvegardeFaite && ancien == m_avant));
    EXPECT_EQ(Fichiers(), (std::set<std::string>{"Dupont.kdg", "Dupont.kdg.old"}));
  }

  test::SansPanneALaFin m_sansPanne;
  test::DossierTemporaire m_dossier;
  TBD m_bd;
  std::string m_sauvegarde, m_avant, m_apres;
};

TEST_F(TreeFileFaults, AFullDiskAnywhereLeavesTheSavedTree) {
  for (long long octets : {0LL, 1LL, 4000LL, (1LL << 20) + 3, static_cast<long long>(m_apres.size()) - 1}) {
    SCOPED_TRACE(octets);
    test::DisquePleinApres(octets);
    Statut s = Sauve();
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.message(), "Impossible d'enregistrer l'arbre " + Chemin() + " : le disque est plein");
    ExpectRienNaChange();
  }
}

TEST_F(TreeFileFaults, AnyStepThatFailsLeavesTheSavedTreeAndSaysWhy) {
  const std::vector<EtapeEcriture> etapes = test::Etapes([&] { (void)Sauve(); });
  ASSERT_GT(etapes.size(), 5u);
  SetUp();  // the tree as before that save
  for (std::size_t k = 0; k < etapes.size(); ++k) {
    SCOPED_TRACE(k);
    test::EchecALEtape(k, EIO);
    Statut s = Sauve();
    FixeInjecteurPannes({});
    if (etapes[k] == EtapeEcriture::Lien) {
      // No hard links on that disk: the backup is copied instead.
      ASSERT_TRUE(s.ok()) << s.message();
      EXPECT_EQ(m_dossier.Lit("Dupont.kdg"), m_apres);
      EXPECT_EQ(m_dossier.Lit("Dupont.kdg.old"), m_avant);
      SetUp();
      continue;
    }
    ASSERT_FALSE(s.ok());
    EXPECT_NE(s.message().find(RaisonSysteme(EIO)), std::string::npos) << s.message();
    ExpectRienNaChange(k + 1 == etapes.size());
  }
}

TEST_F(TreeFileFaults, KilledAtAnyStepTheTreeLoadsAndTheNextSaveCleansUp) {
  const std::size_t nbre = test::Etapes([&] { (void)Sauve(); }).size();
  SetUp();
  for (std::size_t k = 0; k < nbre; ++k) {
    SCOPED_TRACE(k);
    test::TueALEtape(k, [&] { (void)Sauve(); });
    ExpectSauvegardeEntiere(true);
    // The next save finds what the killed one left and removes it.
    ASSERT_TRUE(Sauve().ok());
    EXPECT_EQ(Fichiers(), (std::set<std::string>{"Dupont.kdg", "Dupont.kdg.old"}));
    SetUp();
  }
}

TEST_F(TreeFileFaults, AReadOnlyTreeOrDiskIsNotWritten) {
  ::chmod(Chemin().c_str(), 0444);
  Statut s = Sauve();
  ::chmod(Chemin().c_str(), 0644);
  ASSERT_FALSE(s.ok());
  EXPECT_NE(s.message().find("le fichier est en lecture seule"), std::string::npos) << s.message();
  ExpectRienNaChange();

  test::EchecALEtape(0, EROFS);
  s = Sauve();
  ASSERT_FALSE(s.ok());
  EXPECT_NE(s.message().find("le support est en lecture seule"), std::string::npos) << s.message();
  ExpectRienNaChange();
}

TEST_F(TreeFileFaults, TemporaryFilesOfStoppedSavesGoOthersStay) {
  for (const char* reste : {"Dupont.kdg.nouveau123", "Dupont.kdg.nouveau1.tmp2", "Dupont.kdg.old.tmp44",
                            "Dupont.kdg.tmp9", "Dupont.kdg.nouveau-notes", "Dupont.kdg.tmp", "Autre.kdg.tmp3"})
    m_dossier.Ecrit(reste, "x");
  ASSERT_TRUE(Sauve().ok());
  EXPECT_EQ(Fichiers(), (std::set<std::string>{"Dupont.kdg", "Dupont.kdg.old", "Dupont.kdg.nouveau-notes",
                                               "Dupont.kdg.tmp", "Autre.kdg.tmp3"}));
}

TEST_F(TreeFileFaults, ALinkToTheTreeIsWrittenThroughAndPermissionsStay) {
  const std::string ailleurs = m_dossier.SousDossier("ailleurs") + "vrai.kdg";
  std::filesystem::rename(Chemin(), ailleurs);
  std::filesystem::remove(m_dossier.Chemin("Dupont.kdg.old"));
  ::chmod(ailleurs.c_str(), 0600);
  std::filesystem::create_symlink("ailleurs/vrai.kdg", Chemin());
  ASSERT_TRUE(Sauve().ok());
  EXPECT_TRUE(std::filesystem::is_symlink(Chemin()));
  EXPECT_EQ(m_dossier.Lit("ailleurs/vrai.kdg"), m_apres);
  EXPECT_EQ(m_dossier.Lit("ailleurs/vrai.kdg.old"), m_avant);
  struct stat st{};
  ASSERT_EQ(::stat(ailleurs.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(TreeFileFaults, ALinkToATreeNotYetSavedMakesIt) {
  std::filesystem::create_symlink("ailleurs/nouveau.kdg", m_dossier.Chemin("Lien.kdg"));
  m_dossier.SousDossier("ailleurs");
  ASSERT_TRUE(EcritBase(m_bd, m_dossier.Chemin("Lien.kdg"), {}).ok());
  EXPECT_TRUE(std::filesystem::is_symlink(m_dossier.Chemin("Lien.kdg")));
  EXPECT_EQ(m_dossier.Lit("ailleurs/nouveau.kdg"), m_apres);
}

}  // namespace
}  // namespace kindrela
