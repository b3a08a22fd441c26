#include "core/tree_file/tree_file_save.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/ansi_literal.h"
#include "core/archive.h"
#include "core/clock.h"
#include "core/file_io.h"
#include "core/tree_file/tree_file_reader.h"
#include "core/tree_file/tree_file_version.h"
#include "tree_file_test_support.h"

namespace kindrela {
namespace {

using test::DossierTemporaire;

// A tree saved in "ancien/" with media of every kind, saved again elsewhere.
class TreeFileSave : public ::testing::Test {
 protected:
  void SetUp() override {
    FixeAujourdhui(Jour{2008, 1, 6});
    m_ancien = m_dossier.SousDossier("ancien");
    m_cible = m_dossier.SousDossier("cible");
    m_photos = m_dossier.SousDossier("photos");
    int n = m_bd.NouvelleFiche();
    m_bd.EcritNom(n, "Dupont");
    m_bd.EcritPrenoms(n, "Jean Pierre");
    m_bd.RefPers = n;
    m_bd.BaseModifiee = 1;
  }
  void TearDown() override {
    LibereAujourdhui();
    SimuleEchecEcriture(-1);
  }

  // A source of person 1 whose media text is `media`.
  int Source(const std::string& media) {
    int s = m_bd.AjouteNouvelleSrc(1);
    m_bd.EcritChampSrc(s, 1, "Source " + std::to_string(s));
    m_bd.EcritChampSrc(s, 4, media);
    return s;
  }

  OptionsSauvegarde Options() {
    OptionsSauvegarde o;
    o.dossier = m_cible;
    o.nom = "Dupont";
    o.fichierCourant = m_ancien + "Dupont.kdg";
    o.signale = [this](const std::string& m) { m_signales.push_back(m); };
    return o;
  }

  std::string Media(int s) const { return m_bd.Src(s).SrcMedia.str(); }

  DossierTemporaire m_dossier;
  std::string m_ancien, m_cible, m_photos;
  TBD m_bd;
  std::vector<std::string> m_signales;
};

TEST_F(TreeFileSave, WritesTheTreeAndMakesItTheCurrentFile) {
  ResultatSauvegarde r;
  ASSERT_TRUE(SauveNatif(m_bd, Options(), r).ok());
  EXPECT_EQ(r.fichierCourant, m_cible + "Dupont.kdg");
  EXPECT_EQ(VersionBase(r.fichierCourant), kVersionCourante);
  EXPECT_EQ(m_bd.BaseModifiee, 0);
  EXPECT_TRUE(r.archive.empty());
  EXPECT_TRUE(m_signales.empty());
  // A second save keeps the first as the backup.
  ASSERT_TRUE(SauveNatif(m_bd, Options(), r).ok());
  EXPECT_TRUE(FichierExiste(m_cible + "Dupont.kdg.old"));
}

TEST_F(TreeFileSave, MovesAttachedFilesIntoTheTargetFolder) {
  m_dossier.Ecrit("photos/jean.jpg", "JPEG");
  m_dossier.Ecrit("ancien/acte.png", "PNG");
  int avecDossier = Source(m_photos + "jean.jpg|Jean à 20 ans"_ansi);
  int nu = Source("acte.png");
  int absent = Source(m_photos + "absent.jpg");
  OptionsSauvegarde o = Options();
  o.deplace = true;
  ResultatSauvegarde r;
  ASSERT_TRUE(SauveNatif(m_bd, o, r).ok());
  EXPECT_EQ(Media(avecDossier), "jean.jpg|Jean à 20 ans"_ansi);
  EXPECT_EQ(Media(nu), "acte.png");
  EXPECT_EQ(Media(absent), m_photos + "absent.jpg");
  EXPECT_EQ(m_dossier.Lit("cible/jean.jpg"), "JPEG");
  EXPECT_EQ(m_dossier.Lit("cible/acte.png"), "PNG");
  EXPECT_FALSE(m_dossier.Existe("photos/jean.jpg"));
  EXPECT_FALSE(m_dossier.Existe("ancien/acte.png"));
  // The saved file holds the new links.
  std::string octets;
  ASSERT_TRUE(LitFichier(r.fichierCourant, octets).ok());
  TBD relu;
  ResultatLecture lu;
  ASSERT_TRUE(LitArbre(relu, octets, VersionDesOctets(octets), {}, lu).ok());
  EXPECT_EQ(relu.Src(avecDossier).SrcMedia, "jean.jpg|Jean à 20 ans"_ansi);
  // The list now sees the files beside the tree.
  EXPECT_EQ(r.fichiersRattaches,
            (std::vector<std::string>{"jean.jpg", "acte.png", "(introuvable) " + m_photos + "absent.jpg"}));
}

TEST_F(TreeFileSave, AFileOfTheSameNameInTheTargetIsNeverOverwritten) {
  m_dossier.Ecrit("photos/jean.jpg", "le bon");
  m_dossier.Ecrit("cible/jean.jpg", "un autre");
  int s = Source(m_photos + "jean.jpg");
  OptionsSauvegarde o = Options();
  o.deplace = true;
  ResultatSauvegarde r;
  ASSERT_TRUE(SauveNatif(m_bd, o, r).ok());
  EXPECT_EQ(m_dossier.Lit("cible/jean.jpg"), "un autre");
  EXPECT_EQ(m_dossier.Lit("photos/jean.jpg"), "le bon");
  EXPECT_EQ(Media(s), m_photos + "jean.jpg");  // still the right file
  ASSERT_EQ(m_signales.size(), 1u);
  EXPECT_EQ(m_signales[0], "Cannot move file " + m_photos + "jean.jpg");
  EXPECT_EQ(r.avertissements, m_signales);
}

TEST_F(TreeFileSave, TwoSourcesOfOneFileBothFollowIt) {
  m_dossier.Ecrit("photos/jean.jpg", "JPEG");
  int a = Source(m_photos + "jean.jpg");
  int b = Source(m_photos + "jean.jpg|autre légende"_ansi);
  OptionsSauvegarde o = Options();
  o.deplace = true;
  ResultatSauvegarde r;
  ASSERT_TRUE(SauveNatif(m_bd, o, r).ok());
  EXPECT_EQ(Media(a), "jean.jpg");
  EXPECT_EQ(Media(b), "jean.jpg|autre légende"_ansi);
  EXPECT_TRUE(m_signales.empty());
}

TEST_F(TreeFileSave, LinksAreRebasedForTheTargetFolder) {
  m_dossier.Ecrit("ancien/acte.png", "PNG");      // only in the old folder
  m_dossier.Ecrit("cible/carte.png", "carte");    // already beside the target
  m_dossier.Ecrit("photos/carte.png", "copie");
  m_dossier.Ecrit("ancien/deux.png", "ancien");   // in both folders
  m_dossier.Ecrit("cible/deux.png", "cible");
  int nu = Source("acte.png|note");
  int avecDossier = Source(m_photos + "carte.png");
  int lesDeux = Source("deux.png");
  int inconnu = Source("inconnu.png");
  ResultatSauvegarde r;
  ASSERT_TRUE(SauveNatif(m_bd, Options(), r).ok());
  EXPECT_EQ(Media(nu), m_ancien + "acte.png|note");
  EXPECT_EQ(Media(avecDossier), "carte.png");
  EXPECT_EQ(Media(lesDeux), "deux.png");
  EXPECT_EQ(Media(inconnu), "inconnu.png");
  EXPECT_TRUE(m_dossier.Existe("ancien/acte.png"));  // nothing moved
}

TEST_F(TreeFileSave, ZipsTheTreeWithItsAttachedFilesWhenAsked) {
  m_dossier.Ecrit("photos/jean.jpg", "JPEG");
  Source(m_photos + "jean.jpg");
  Source(m_photos + "jean.jpg");
  Source("introuvable.jpg");
  OptionsSauvegarde o = Options();
  o.zippe = true;
  ResultatSauvegarde r;
  ASSERT_TRUE(SauveNatif(m_bd, o, r).ok());
  ASSERT_EQ(r.archive, m_cible + "Dupont.zip");
  std::vector<EntreeArchive> entrees;
  ASSERT_TRUE(ListeArchive(r.archive, entrees).ok());
  ASSERT_EQ(entrees.size(), 1u);
  EXPECT_EQ(entrees[0].nom, "Dupont.kdg");

  o.inclure = true;
  ASSERT_TRUE(SauveNatif(m_bd, o, r).ok());
  ASSERT_TRUE(ListeArchive(r.archive, entrees).ok());
  ASSERT_EQ(entrees.size(), 2u);
  EXPECT_EQ(entrees[1].nom, "jean.jpg");
  EXPECT_TRUE(m_signales.empty());
}

TEST_F(TreeFileSave, TheNoteFileFollowsTheTree) {
  m_dossier.Ecrit("ancien/Dupont.txt", "Notes de recherche");
  ResultatSauvegarde r;
  ASSERT_TRUE(SauveNatif(m_bd, Options(), r).ok());
  EXPECT_EQ(m_dossier.Lit("cible/Dupont.txt"), "Notes de recherche");
  // Saved where it already is: left alone.
  OptionsSauvegarde o = Options();
  o.dossier = m_ancien;
  ASSERT_TRUE(SauveNatif(m_bd, o, r).ok());
  EXPECT_EQ(m_dossier.Lit("ancien/Dupont.txt"), "Notes de recherche");
}

TEST_F(TreeFileSave, ShowsTheSaveDialogFields) {
  m_dossier.Ecrit("ancien/a.jpg", "A");
  Source("a.jpg");
  Source("b.jpg");
  m_bd.CreeUnion(1, m_bd.NouvelleFiche());
  m_bd.NouvelleUnion();  // no partners: not counted
  InfoSauvegarde info = InfoSauve(m_bd, m_ancien + "Dupont.kdg");
  EXPECT_EQ(info.nom, "Dupont");
  EXPECT_EQ(info.dossier, m_ancien);
  EXPECT_EQ(info.personnes, 2);
  EXPECT_EQ(info.unions, 1);
  EXPECT_EQ(info.donnees, 2);
  EXPECT_EQ(info.reference, "Dupont Jean");
  EXPECT_EQ(info.fichiersRattaches, (std::vector<std::string>{"a.jpg", "(introuvable) b.jpg"}));
}

// --- Errors -----------------------------------------------------------------

TEST_F(TreeFileSave, AFailedWriteIsReportedAndTheTreeStaysUnsaved) {
  SimuleEchecEcriture(5);
  ResultatSauvegarde r;
  Statut s = SauveNatif(m_bd, Options(), r);
  ASSERT_FALSE(s.ok());
  EXPECT_NE(s.message().find("Dupont.kdg"), std::string::npos);
  EXPECT_EQ(m_bd.BaseModifiee, 1);
  EXPECT_TRUE(r.fichierCourant.empty());
  EXPECT_FALSE(m_dossier.Existe("cible/Dupont.kdg"));
}

TEST_F(TreeFileSave, AMissingTargetFolderIsReported) {
  OptionsSauvegarde o = Options();
  o.dossier = m_dossier.Chemin("nulle-part");
  ResultatSauvegarde r;
  EXPECT_FALSE(SauveNatif(m_bd, o, r).ok());
  EXPECT_EQ(m_bd.BaseModifiee, 1);
}

TEST_F(TreeFileSave, AnArchiveThatCannotBeMadeIsSignalledButTheTreeIsSaved) {
  m_dossier.SousDossier("cible/Dupont.zip/bloque");  // a folder where the archive goes
  OptionsSauvegarde o = Options();
  o.zippe = true;
  ResultatSauvegarde r;
  ASSERT_TRUE(SauveNatif(m_bd, o, r).ok());
  EXPECT_TRUE(r.archive.empty());
  EXPECT_EQ(m_signales.size(), 1u);
  EXPECT_EQ(m_bd.BaseModifiee, 0);
}

}  // namespace
}  // namespace kindrela
