#include "core/tree_file/tree_file_load.h"

#include <gtest/gtest.h>

#include <string>

#include "core/ansi_literal.h"
#include "core/clock.h"
#include "core/tree_file/tree_file_writer.h"
#include "tree_file_test_support.h"

namespace kindrela {
namespace {

using test::DossierTemporaire;
using test::Fixe;
using test::Flux;

class TreeFileLoad : public ::testing::Test {
 protected:
  void SetUp() override { FixeAujourdhui(Jour{2008, 1, 6}); }
  void TearDown() override { LibereAujourdhui(); }

  // A current-version file of `n` persons, person 1 freed.
  std::string ArbreCourant(const std::string& nom, int n, int ref = 2, int selec = 3) {
    TBD source;
    for (int i = 1; i <= n; ++i) source.EcritNom(source.NouvelleFiche(), "P" + std::to_string(i));
    source.SupprimeFiche(1);
    source.RefPers = ref;
    source.DateCreeBase = "1/2/2003";
    Statut s = EcritBase(source, m_dossier.Chemin(nom), {selec, "kindrela"});
    EXPECT_TRUE(s.ok()) << s.message();
    return m_dossier.Chemin(nom);
  }

  std::string Arbre98(const std::string& nom) {
    Flux f;
    f.V("KINDRELA 98.03.20").V("1/1/1998").V("2/2/1998").N(1).N(0).N(0).N(1).N(1).V("").V("");
    f.V("H").V("Vieux").V("Jean").Vides(20);
    return m_dossier.Ecrit(nom, f.Octets());
  }

  DossierTemporaire m_dossier;
  TBD bd;
};

TEST_F(TreeFileLoad, ShowsTheHeaderOfACurrentFile) {
  std::string chemin = ArbreCourant("Dupont.kdg", 4);
  InfoChargement info = BaseCharge(bd, chemin);
  EXPECT_EQ(info.page, PageChargement::Kindrela);
  EXPECT_EQ(info.fichier, chemin);
  EXPECT_EQ(info.version, 52);
  EXPECT_EQ(info.versionProgramme, "KINDRELA 2008-01-06");
  EXPECT_EQ(info.nbrePersonnes, "4");
  EXPECT_EQ(info.creeLe, "1/2/2003");
  EXPECT_EQ(info.modifieLe, "6/1/2008");
  EXPECT_FALSE(info.fusionPossible);
}

TEST_F(TreeFileLoad, OffersTheMergeOnlyForVersion98WhileATreeIsOpen) {
  std::string chemin = Arbre98("vieux.kdg");
  EXPECT_FALSE(BaseCharge(bd, chemin).fusionPossible);
  bd.BaseChargee = 1;
  InfoChargement info = BaseCharge(bd, chemin);
  EXPECT_EQ(info.version, 98);
  EXPECT_TRUE(info.fusionPossible);
  EXPECT_FALSE(BaseCharge(bd, ArbreCourant("a.kdg", 2)).fusionPossible);
}

TEST_F(TreeFileLoad, ShowsTheFixedHeaderOfVersion24) {
  Fixe f;
  f.Texte("Kindrela v2.04", 16).Texte("1/2/1995", 13).Texte("3/4/1996", 13).U16(258).Zeros(4);
  f.Octets()[12] = '2';
  f.Octets()[14] = '4';
  InfoChargement info = BaseCharge(bd, m_dossier.Ecrit("vieux.KDG", f.Octets()));
  EXPECT_EQ(info.page, PageChargement::Kindrela);
  EXPECT_EQ(info.version, 24);
  EXPECT_EQ(info.versionProgramme, std::string("Kindrela v2.04").replace(12, 1, "2").replace(14, 1, "4"));
  EXPECT_EQ(info.creeLe, "1/2/1995");
  EXPECT_EQ(info.modifieLe, "3/4/1996");
  EXPECT_EQ(info.nbrePersonnes, "258");
}

TEST_F(TreeFileLoad, ShowsTheKeysOfVersion30) {
  InfoChargement info = BaseCharge(
      bd, m_dossier.Ecrit("v30.kdg", "[KINDRELA 3.0B]\r\nVersion=30\r\nDateCree=1/1/1999\r\n"
                                     "DateModif=2/2/1999\r\n[Ligne]\r\nNbreFiche=12\r\n"));
  EXPECT_EQ(info.version, 30);
  EXPECT_EQ(info.versionProgramme, "Kindrela 30");
  EXPECT_EQ(info.nbrePersonnes, "12");
  EXPECT_EQ(info.creeLe, "1/1/1999");
  EXPECT_EQ(info.modifieLe, "2/2/1999");
}

TEST_F(TreeFileLoad, ChoosesThePageByExtension) {
  EXPECT_EQ(BaseCharge(bd, m_dossier.Ecrit("a.GED", "0 HEAD\r\n")).page, PageChargement::Gedcom);
  EXPECT_EQ(BaseCharge(bd, ArbreCourant("a.txt", 2)).page, PageChargement::Aucune);
  EXPECT_EQ(BaseCharge(bd, m_dossier.Ecrit("faux.kdg", "rien")).page, PageChargement::Aucune);
  EXPECT_EQ(BaseCharge(bd, m_dossier.Chemin("absent.kdg")).page, PageChargement::Aucune);
}

TEST_F(TreeFileLoad, LoadingEmptiesTheTreeAndMakesTheReferencesValid) {
  for (int i = 0; i < 10; ++i) bd.EcritNom(bd.NouvelleFiche(), "Ancien");
  // Reference 9 and selection 0 do not fit the 4 persons of the file.
  std::string chemin = ArbreCourant("Dupont.kdg", 4, 9, 0);
  ResultatChargement r;
  ASSERT_TRUE(BaseChargeCont(bd, chemin, {}, r).ok());
  EXPECT_EQ(bd.NbreFiche(), 4);
  EXPECT_EQ(bd.LitNom(2), "P2");
  EXPECT_EQ(bd.RefPers, 2);  // the first person in use: 1 is free
  EXPECT_EQ(r.selecPers, 1); // 0 in the header reads as 1, a valid number
  EXPECT_EQ(r.fichierCourant, chemin);
  EXPECT_FALSE(r.reinitialise);
}

TEST_F(TreeFileLoad, ASelectionAboveTheCountGoesToTheFirstPerson) {
  ResultatChargement r;
  ASSERT_TRUE(BaseChargeCont(bd, ArbreCourant("Dupont.kdg", 4, 2, 40), {}, r).ok());
  EXPECT_EQ(r.selecPers, 2);
}

TEST_F(TreeFileLoad, AMergeKeepsTheTreeAndItsSelection) {
  for (int i = 0; i < 3; ++i) bd.EcritNom(bd.NouvelleFiche(), "Actuel");
  bd.RefPers = 2;
  bd.BaseChargee = 1;
  OptionsChargement o;
  o.fusion = true;
  o.selecPers = 3;
  ResultatChargement r;
  ASSERT_TRUE(BaseChargeCont(bd, Arbre98("vieux.kdg"), o, r).ok());
  EXPECT_EQ(bd.NbreFiche(), 4);
  EXPECT_EQ(bd.LitNom(1), "Actuel");
  EXPECT_EQ(bd.LitNom(4), "Vieux");
  EXPECT_EQ(bd.RefPers, 2);
  EXPECT_EQ(r.selecPers, 3);
}

TEST_F(TreeFileLoad, AMergeIsOnlyForVersion98) {
  for (int i = 0; i < 3; ++i) bd.EcritNom(bd.NouvelleFiche(), "Actuel");
  OptionsChargement o;
  o.fusion = true;
  ResultatChargement r;
  ASSERT_TRUE(BaseChargeCont(bd, ArbreCourant("a.kdg", 2), o, r).ok());
  EXPECT_EQ(bd.NbreFiche(), 2);
  EXPECT_EQ(bd.LitNom(2), "P2");
}

TEST_F(TreeFileLoad, AGedcomFileGoesToTheImport) {
  std::string chemin = m_dossier.Ecrit("a.ged", "0 HEAD\r\n");
  for (bool concatene : {false, true}) {
    TBD base;
    base.EcritNom(base.NouvelleFiche(), "Avant");
    OptionsChargement o;
    o.concatene = concatene;
    std::string recu;
    o.importGedcom = [&](TBD& b, const std::string& c) {
      recu = c;
      b.EcritNom(b.NouvelleFiche(), "Importé"_ansi);
      b.BaseChargee = 1;
      return Statut::Ok();
    };
    ResultatChargement r;
    ASSERT_TRUE(BaseChargeCont(base, chemin, o, r).ok());
    EXPECT_EQ(recu, chemin);
    EXPECT_EQ(base.NbreFiche(), concatene ? 2 : 1);
    EXPECT_EQ(r.fichierCourant, chemin);
  }
}

// --- Errors -----------------------------------------------------------------

TEST_F(TreeFileLoad, AnUnreadableOrUnknownFileChangesNothing) {
  bd.EcritNom(bd.NouvelleFiche(), "Reste");
  bd.BaseChargee = 1;
  ResultatChargement r;
  Statut s = BaseChargeCont(bd, m_dossier.Chemin("absent.kdg"), {}, r);
  EXPECT_FALSE(s.ok());
  EXPECT_NE(s.message().find("absent.kdg"), std::string::npos);
  s = BaseChargeCont(bd, m_dossier.Ecrit("faux.kdg", "pas un arbre"), {}, r);
  EXPECT_FALSE(s.ok());
  EXPECT_NE(s.message().find("faux.kdg"), std::string::npos);
  EXPECT_FALSE(BaseChargeCont(bd, m_dossier.Ecrit("a.doc", "x"), {}, r).ok());
  EXPECT_FALSE(BaseChargeCont(bd, m_dossier.Ecrit("b.ged", "x"), {}, r).ok());  // no import
  EXPECT_EQ(bd.LitNom(1), "Reste");
  EXPECT_EQ(bd.BaseChargee, 1);
  EXPECT_TRUE(r.fichierCourant.empty());
}

TEST_F(TreeFileLoad, ACancelledLoadAsksForAReset) {
  std::string chemin = ArbreCourant("grand.kdg", 500);
  OptionsChargement o;
  o.progression = [](long long fait, long long) { return fait < 300; };
  ResultatChargement r;
  Statut s = BaseChargeCont(bd, chemin, o, r);
  EXPECT_TRUE(s.annule());
  EXPECT_TRUE(r.reinitialise);
  EXPECT_TRUE(r.fichierCourant.empty());
}

}  // namespace
}  // namespace kindrela
