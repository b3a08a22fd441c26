#include "core/tree_file/tree_file_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ansi_literal.h"
#include "core/tree_file/tree_file_version.h"
#include "tree_file_test_support.h"

namespace kindrela {
namespace {

using test::Flux;
using test::Tab;

// Files of the value-stream versions, laid out value by value.
class TreeFileReader : public ::testing::Test {
 protected:
  // Header of the current version.
  static Flux EnteteCourante(int fiches, int unions, int srcs, int eves, int selec = 2, int ref = 1,
                             const std::string& look = "kindrela") {
    Flux f;
    f.V("KINDRELA 2008-01-06").V("3/4/2001").V("5/6/2007");
    f.N(fiches).N(unions).N(srcs).N(eves).N(selec).N(ref).V(look).V("");
    return f;
  }
  // A person of the current version, 17 values.
  static void PersonneCourante(Flux& f, const std::string& nom, const std::string& pre,
                               int pere = 0, int mere = 0, const std::string& tabEve = {},
                               const std::string& dcree = "1/1/2000",
                               const std::string& flag = "O") {
    f.V(flag).N(1).V(nom).V(pre).N(pere).N(mere).N(1).N(2).V("note " + nom).V("ignoré"_ansi);
    f.V(dcree).V("2/2/2002").V("t|Surnom|" + nom + "|").V(tabEve).V("n" + nom);
    f.V(Tab({1})).V("réserve"_ansi);
  }
  static void Evenement(Flux& f, const std::string& nature, const std::string& date,
                        bool certitude = true) {
    f.O().V(nature).V(date).V("12h");
    if (certitude) f.V("2");
    f.V("Brest").V("note " + nature);
  }

  Statut Lit(int version, const std::string& octets, OptionsLecture options = {}) {
    r = ResultatLecture();
    return LitArbre(bd, octets, version, options, r);
  }

  TBD bd;
  ResultatLecture r;
};

// --- Current version ----------------------------------------------------------

TEST_F(TreeFileReader, ReadsEveryFieldOfTheCurrentVersionIntoItsSlot) {
  Flux f = EnteteCourante(3, 2, 2, 2, 3, 2, "perso");
  PersonneCourante(f, "Martin", "Jean", 0, 0, Tab({1}));
  PersonneCourante(f, "", "", 0, 0, {}, "", "N");  // a free slot
  PersonneCourante(f, "Durand", "Marie", 1, 0, Tab({2}));
  f.O().N(1).N(3).V("");
  f.Libre().N(0).N(0).V("");
  f.V("SrcV1");
  f.O().V("Acte").V("AN").V("acte.jpg|Légende"_ansi).V("texte");
  f.Libre().Vides(4);
  Evenement(f, "Naissance", "5/3/1900");
  Evenement(f, "Décès"_ansi, "1970");

  ASSERT_TRUE(Lit(52, f.Octets()).ok());
  ASSERT_EQ(bd.NbreFiche(), 3);
  ASSERT_EQ(bd.NbreUnion(), 2);
  ASSERT_EQ(bd.NbreSrc(), 2);
  ASSERT_EQ(bd.NbreEve(), 2);
  EXPECT_EQ(bd.DateCreeBase, "3/4/2001");
  EXPECT_EQ(bd.DateSauveBase, "5/6/2007");
  const TFiche& p = bd.Fiche(3);
  EXPECT_EQ(p.Utilise, 1);
  EXPECT_EQ(p.Sexe, 1);
  EXPECT_EQ(p.Nom, "Durand");
  EXPECT_EQ(p.Pre, "Marie");
  EXPECT_EQ(p.NumP, 1);
  EXPECT_EQ(p.CertP, 1);
  EXPECT_EQ(p.CertM, 2);
  EXPECT_EQ(p.Note, "note Durand");
  EXPECT_EQ(p.Dcree, "1/1/2000");
  EXPECT_EQ(p.DdMAJ, "2/2/2002");
  EXPECT_EQ(p.Champs, "t|Surnom|Durand|");
  EXPECT_EQ(p.TabEve, Tab({2}));
  EXPECT_EQ(p.Numero, "nDurand");
  EXPECT_EQ(p.TabSrc, Tab({1}));
  EXPECT_EQ(p.Reserve, "réserve"_ansi);
  EXPECT_FALSE(bd.FicheUtilisee(2));
  EXPECT_EQ(bd.Union(1).NumH, 1);
  EXPECT_EQ(bd.Union(1).NumF, 3);
  EXPECT_EQ(bd.Union(2).Utilise, 0);
  EXPECT_EQ(bd.Src(1).SrcTitre, "Acte");
  EXPECT_EQ(bd.Src(1).SrcAbrege, "AN");
  EXPECT_EQ(bd.Src(1).SrcMedia, "acte.jpg|Légende"_ansi);
  EXPECT_EQ(bd.Src(1).SrcTexte, "texte");
  EXPECT_EQ(bd.Src(2).Utilise, 0);
  EXPECT_EQ(bd.Eve(2).Nature, "Décès"_ansi);
  EXPECT_EQ(bd.Eve(2).Certitude, "2");
  EXPECT_EQ(bd.Eve(2).Lieu, "Brest");
  EXPECT_EQ(bd.LitDateDeces(3), "1970");
  EXPECT_EQ(bd.RefPers, 2);
  EXPECT_EQ(r.selecPers, 3);
  EXPECT_EQ(r.look, "perso");
  EXPECT_FALSE(r.lookEstChemin);
  EXPECT_FALSE(r.lieuxAConvertir);
  EXPECT_EQ(bd.BaseChargee, 1);
  EXPECT_TRUE(r.avertissements.empty());
}

TEST_F(TreeFileReader, Code991IsReadAsTheCurrentVersion) {
  Flux f = EnteteCourante(1, 0, 0, 0);
  PersonneCourante(f, "Martin", "Jean");
  f.V("SrcV1");
  ASSERT_TRUE(Lit(991, f.Octets()).ok());
  EXPECT_EQ(bd.LitNom(1), "Martin");
}

struct CasDate {
  const char* nom;
  const char* lu;
  const char* attendu;
};
void PrintTo(const CasDate& c, std::ostream* os) { *os << c.nom; }

class TreeFileReaderDate : public TreeFileReader, public ::testing::WithParamInterface<CasDate> {};

TEST_P(TreeFileReaderDate, NormalisesTheRecordDates) {
  Flux f = EnteteCourante(1, 0, 0, 0);
  f.O().N(0).V("A").V("B").N(0).N(0).N(0).N(0).V("").V("").V(GetParam().lu).V(GetParam().lu);
  f.Vides(5);
  f.V("SrcV1");
  ASSERT_TRUE(Lit(52, f.Octets()).ok());
  EXPECT_EQ(bd.Fiche(1).Dcree, GetParam().attendu);
  EXPECT_EQ(bd.Fiche(1).DdMAJ, GetParam().attendu);
  EXPECT_EQ(NormaliseDateChargee(GetParam().lu), GetParam().attendu);
}

INSTANTIATE_TEST_SUITE_P(Dates, TreeFileReaderDate,
                         ::testing::Values(CasDate{"Vide", "", "1/1/1998"},
                                           CasDate{"DeuxChiffres", "5/3/98", "5/3/1998"},
                                           CasDate{"MoisAnnee", "3/05", "3/1905"},
                                           CasDate{"Complete", "5/3/1998", "5/3/1998"},
                                           CasDate{"Annee", "1998", "1998"}),
                         [](const auto& info) { return std::string(info.param.nom); });

TEST_F(TreeFileReader, FreesPersonsWithoutNamesEvenWhenNamedAsParent) {
  Flux f = EnteteCourante(3, 0, 0, 0);
  PersonneCourante(f, "", "");
  PersonneCourante(f, "Seul", "");
  PersonneCourante(f, "Enfant", "Paul", 1, 0);
  f.V("SrcV1");
  ASSERT_TRUE(Lit(52, f.Octets()).ok());
  EXPECT_FALSE(bd.FicheUtilisee(1));
  EXPECT_TRUE(bd.FicheUtilisee(2));
  EXPECT_TRUE(bd.FicheUtilisee(3));
  EXPECT_EQ(bd.LitPere(3), 1);  // the link stays
  EXPECT_EQ(bd.NouvelleFiche(), 1);
}

TEST_F(TreeFileReader, AReferenceOfZeroBecomesOne) {
  Flux f = EnteteCourante(1, 0, 0, 0, 0, 0);
  PersonneCourante(f, "A", "B");
  f.V("SrcV1");
  ASSERT_TRUE(Lit(52, f.Octets()).ok());
  EXPECT_EQ(bd.RefPers, 1);
  EXPECT_EQ(r.selecPers, 1);
}

TEST_F(TreeFileReader, ReportsProgressEveryHundredRecords) {
  Flux f = EnteteCourante(150, 0, 0, 60);
  for (int i = 0; i < 150; ++i) PersonneCourante(f, "N", "P");
  f.V("SrcV1");
  for (int i = 0; i < 60; ++i) Evenement(f, "Naissance", "1900");
  OptionsLecture o;
  std::vector<long long> faits;
  o.progression = [&](long long fait, long long total) {
    EXPECT_EQ(total, 210);
    faits.push_back(fait);
    return true;
  };
  ASSERT_TRUE(Lit(52, f.Octets(), o).ok());
  EXPECT_EQ(faits, (std::vector<long long>{100, 200, 210}));
}

TEST_F(TreeFileReader, ACancelledReadSaysSoAndLeavesACoherentDatabase) {
  Flux f = EnteteCourante(300, 0, 0, 0);
  for (int i = 0; i < 300; ++i) PersonneCourante(f, "N", "P");
  f.V("SrcV1");
  OptionsLecture o;
  o.progression = [](long long fait, long long) { return fait < 200; };
  Statut s = Lit(52, f.Octets(), o);
  EXPECT_TRUE(s.annule());
  EXPECT_EQ(bd.BaseChargee, 0);
  // The tables are usable: allocation finds its slot.
  EXPECT_GT(bd.NouvelleFiche(), 0);
}

// --- Version 99 -----------------------------------------------------------------

TEST_F(TreeFileReader, Version99TurnsPhotosAndDataItemsIntoSources) {
  Flux f;
  f.V("KINDRELA 99.01.10").V("1/1/1999").V("2/2/1999").N(2).N(1).N(3).N(1).N(2).N(1);
  f.V("ignoré"_ansi).V("C:\\Looks\\moderne.kda");
  // Persons: value 10 is the photo, value 16 is ignored.
  f.O().N(0).V("Martin").V("Jean").N(0).N(0).N(1).N(0).V("n").V("jean.jpg").V("1/1/99").V("");
  f.V("").V(Tab({1})).V("").V(Tab({7})).V("");
  f.O().N(1).V("Durand").V("Marie").N(0).N(0).N(0).N(0).V("").V("").V("").V("");
  f.V("").V("").V("").V("").V("");
  f.O().N(1).N(2).V("");
  // Data items: flag, person, description, file, note.
  f.O().N(2).V("Acte de mariage").V("acte.jpg").V("Paroisse");
  f.Libre().N(1).V("Effacé"_ansi).V("x.jpg").V("");
  f.O().N(0).V("Sans personne").V("y.jpg").V("");
  Evenement(f, "Naissance", "1950");

  ASSERT_TRUE(Lit(99, f.Octets()).ok());
  EXPECT_EQ(bd.Fiche(1).Dcree, "1/1/1999");
  EXPECT_EQ(bd.Fiche(1).DdMAJ, "1/1/1998");
  EXPECT_EQ(bd.Fiche(1).TabEve, Tab({1}));
  ASSERT_EQ(bd.NbreSrcFiche(1), 1);  // value 16 was not taken as TabSrc
  EXPECT_EQ(bd.LitSrcFiche(1, 1, 1), "Photo");
  EXPECT_EQ(bd.LitSrcFiche(1, 1, 4), "jean.jpg");
  EXPECT_EQ(bd.LitSrcFiche(1, 1, 3), "Portrait");
  ASSERT_EQ(bd.NbreSrcFiche(2), 1);
  EXPECT_EQ(bd.LitSrcFiche(2, 1, 1), "Acte de mariage");
  EXPECT_EQ(bd.LitSrcFiche(2, 1, 4), "acte.jpg");
  EXPECT_EQ(bd.LitSrcFiche(2, 1, 2), "Paroisse");
  EXPECT_EQ(bd.NbreSrc(), 2);
  EXPECT_EQ(bd.NbreDonnee, 3);
  EXPECT_EQ(bd.LitDateNaissance(1), "1950");
  EXPECT_EQ(bd.Eve(1).Certitude, "2");
  EXPECT_EQ(r.look, "C:\\Looks\\moderne.kda");
  EXPECT_TRUE(r.lookEstChemin);
  EXPECT_EQ(bd.RefPers, 1);
  EXPECT_EQ(r.selecPers, 2);
}

// --- Version 981 ----------------------------------------------------------------

TEST_F(TreeFileReader, Version981ReadsProfessionFieldsAndEventsWithoutCertainty) {
  Flux f;
  f.V("KINDRELA 98.11.20").V("1/1/1998").V("2/2/1998").N(2).N(0).N(0).N(2).N(1).N(2);
  f.V("").V("/looks/a.kda");
  // 14 values: flag, sex, surname, given names, father, mother, note,
  // profession, photo, created, updated, more fields, events, number.
  f.O().N(0).V("Martin").V("Jean").N(0).N(0).V("note").V("Menuisier").V("").V("3/4/98");
  f.V("5/6/1998").V("t|Surnom|Jeannot|").V(Tab({1, 2})).V("1");
  f.O().N(1).V("Durand").V("Marie").N(0).N(0).V("").V("").V("marie.jpg").V("").V("");
  f.V("t|Titre|Dame|").V("").V("2");
  Evenement(f, "Naissance", "1900", false);
  Evenement(f, "Décès"_ansi, "1970", false);

  ASSERT_TRUE(Lit(981, f.Octets()).ok());
  EXPECT_EQ(bd.Fiche(1).Champs, "t|Profession|Menuisier|t|Surnom|Jeannot|");
  EXPECT_EQ(bd.LitProfession(1), "Menuisier");
  EXPECT_EQ(bd.Fiche(1).Dcree, "3/4/1998");
  EXPECT_EQ(bd.Fiche(1).Note, "note");
  EXPECT_EQ(bd.Fiche(1).Numero, "1");
  EXPECT_EQ(bd.Fiche(1).CertP, 0);
  EXPECT_EQ(bd.Fiche(2).Champs, "t|Titre|Dame|");
  EXPECT_EQ(bd.LitSrcFiche(2, 1, 4), "marie.jpg");
  EXPECT_EQ(bd.Eve(1).Certitude, "");
  EXPECT_EQ(bd.Eve(2).Lieu, "Brest");
  EXPECT_EQ(bd.Eve(2).NoteEve, "note Décès"_ansi);
  EXPECT_EQ(bd.LitDateDeces(1), "1970");
  EXPECT_EQ(r.look, "/looks/a.kda");
}

// --- Version 98 -----------------------------------------------------------------

class TreeFileReader98 : public TreeFileReader {
 protected:
  // Header of version 98, 10 values.
  static Flux Entete98(int fiches, int unions, int donnees, int selec, int ref) {
    Flux f;
    f.V("KINDRELA 98.03.20").V("1/1/1998").V("2/2/1998");
    f.N(fiches).N(unions).N(donnees).N(selec).N(ref).V("").V("/looks/vieux.kda");
    return f;
  }
  // A person: the texts of field codes 1..22 (20 ignored), then the title.
  static void Personne98(Flux& f, const std::string& sexe, const std::string& nom,
                         const std::string& pre, int pere, int mere,
                         const std::string& naissance = {}) {
    f.V(sexe).V(nom).V(pre).N(pere).N(mere);
    f.V(naissance).V(naissance.empty() ? "" : "Brest").V("");  // 6..8 birth
    f.Vides(3);                                                // 9..11 baptism
    f.V("").V("").V("");                                       // 12..14 death
    f.Vides(3);                                                // 15..17 burial
    f.V("note").V("Tonnelier").V("ignoré"_ansi).V("1/1/98").V("2/2/98");  // 18..22
    f.V("Sieur");                                              // title
  }
  static void Union98(Flux& f, int h, int femme, const std::string& mariage) {
    f.N(h).N(femme).V(mariage).V("").V("Quimper").V("").V("note");
  }
};

TEST_F(TreeFileReader98, CreatesPersonsAndUnionsFromFieldCodes) {
  Flux f = Entete98(3, 1, 1, 3, 2);
  Personne98(f, "H", "Martin", "Jean", 0, 0, "1870");
  Personne98(f, "F", "Durand", "Marie", 0, 0);
  Personne98(f, "H", "Martin", "Paul", 1, 2);
  Union98(f, 1, 2, "1895");
  f.N(3).V("Livret").V("livret.jpg").V("Famille");

  ASSERT_TRUE(Lit(98, f.Octets()).ok());
  ASSERT_EQ(bd.NbreFiche(), 3);
  EXPECT_EQ(bd.LitSexe(2), 1);
  EXPECT_EQ(bd.LitDateNaissance(1), "1870");
  EXPECT_EQ(bd.LitLieuNaissance(1), "Brest");
  EXPECT_EQ(bd.LitPere(3), 1);
  EXPECT_EQ(bd.LitMere(3), 2);
  EXPECT_EQ(bd.LitProfession(3), "Tonnelier");
  EXPECT_EQ(bd.LitChamp(3, 18), "note");
  EXPECT_EQ(bd.LitChamp(3, 21), "1/1/98");  // no date normalisation in this version
  EXPECT_EQ(bd.LitChampPerso(3, "Titre"), "Sieur");
  EXPECT_EQ(bd.LitChampUnion(1, 1), "1");
  EXPECT_EQ(bd.LitChampUnion(1, 2), "2");
  EXPECT_EQ(bd.LitChampUnion(1, 3), "1895");
  EXPECT_EQ(bd.LitChampUnion(1, 5), "Quimper");
  EXPECT_EQ(bd.LitChampUnion(1, 7), "note");
  EXPECT_EQ(bd.LitSrcFiche(3, 1, 1), "Livret");
  EXPECT_EQ(bd.LitSrcFiche(3, 1, 2), "Famille");
  EXPECT_EQ(bd.NbreDonnee, 1);
  EXPECT_EQ(bd.RefPers, 2);
  EXPECT_EQ(r.selecPers, 3);
  EXPECT_EQ(r.look, "/looks/vieux.kda");
  EXPECT_TRUE(r.lookEstChemin);
  EXPECT_EQ(bd.DateCreeBase, "1/1/1998");
}

TEST_F(TreeFileReader98, AValueEndsAtItsFirstZeroByte) {
  Flux f = Entete98(1, 0, 0, 1, 1);
  f.V("H").V(std::string("Martin\0garbage", 14)).V("Jean");
  f.Vides(19).V("");
  ASSERT_TRUE(Lit(98, f.Octets()).ok());
  EXPECT_EQ(bd.LitNom(1), "Martin");
  EXPECT_EQ(bd.LitPrenoms(1), "Jean");
}

TEST_F(TreeFileReader98, ZeroReferenceAndSelectionBecomeOne) {
  Flux f = Entete98(1, 0, 0, 0, 0);
  Personne98(f, "H", "A", "B", 0, 0);
  ASSERT_TRUE(Lit(98, f.Octets()).ok());
  EXPECT_EQ(bd.RefPers, 1);
  EXPECT_EQ(r.selecPers, 1);
}

TEST_F(TreeFileReader98, AMergeMovesTheLinksIntoTheAppendedBlock) {
  // The tree in memory: persons 1..3 with person 2 freed.
  for (const char* nom : {"Un", "Deux", "Trois"}) bd.EcritNom(bd.NouvelleFiche(), nom);
  bd.SupprimeFiche(2);
  bd.RefPers = 3;
  bd.BaseChargee = 1;
  bd.DateCreeBase = "9/9/2009";

  Flux f = Entete98(3, 1, 1, 1, 1);
  Personne98(f, "H", "Martin", "Jean", 0, 0);
  Personne98(f, "F", "Durand", "Marie", 0, 0);
  Personne98(f, "H", "Martin", "Paul", 1, 2);
  Union98(f, 1, 2, "1895");
  f.N(3).V("Livret").V("livret.jpg").V("");
  OptionsLecture o;
  o.fusion = true;
  ASSERT_TRUE(Lit(98, f.Octets(), o).ok());

  ASSERT_EQ(bd.NbreFiche(), 6);
  EXPECT_FALSE(bd.FicheUtilisee(2));  // the free slot was not taken
  EXPECT_EQ(bd.LitNom(4), "Martin");
  EXPECT_EQ(bd.LitPrenoms(6), "Paul");
  EXPECT_EQ(bd.LitPere(6), 4);
  EXPECT_EQ(bd.LitMere(6), 5);
  EXPECT_EQ(bd.LitNumH(1), 4);
  EXPECT_EQ(bd.LitNumF(1), 5);
  EXPECT_EQ(bd.LitSrcFiche(6, 1, 1), "Livret");  // the item follows its person
  EXPECT_EQ(bd.NbreSrcFiche(3), 0);
  // The header's look, reference and selection are ignored.
  EXPECT_EQ(bd.RefPers, 3);
  EXPECT_EQ(r.selecPers, 0);
  EXPECT_TRUE(r.look.empty());
  EXPECT_EQ(bd.DateCreeBase, "9/9/2009");
  EXPECT_EQ(bd.ModeAjout, 0);
}

// --- Damaged input ------------------------------------------------------------

TEST_F(TreeFileReader, ATruncatedFileKeepsWhatItHolds) {
  Flux f = EnteteCourante(3, 5, 5, 5);
  PersonneCourante(f, "Martin", "Jean");
  PersonneCourante(f, "Durand", "Marie");
  std::string octets = f.Octets();
  octets.resize(octets.size() - 30);  // cut inside person 2

  ASSERT_TRUE(Lit(52, octets).ok());
  EXPECT_EQ(bd.NbreFiche(), 2);
  EXPECT_EQ(bd.LitNom(1), "Martin");
  EXPECT_EQ(bd.LitNom(2), "Durand");
  EXPECT_EQ(bd.NbreUnion(), 0);
  EXPECT_EQ(bd.NbreEve(), 0);
  EXPECT_FALSE(r.avertissements.empty());
}

TEST_F(TreeFileReader, HugeCountsAreBoundedByWhatTheFileCanHold) {
  Flux f = EnteteCourante(2000000000, 2000000000, 2000000000, 2000000000);
  PersonneCourante(f, "Martin", "Jean");
  ASSERT_TRUE(Lit(52, f.Octets()).ok());
  EXPECT_LE(bd.NbreFiche(), 2);
  EXPECT_EQ(bd.LitNom(1), "Martin");
  EXPECT_FALSE(r.avertissements.empty());
}

TEST_F(TreeFileReader, NegativeCountsReadAsZero) {
  Flux f = EnteteCourante(-5, -1, -1, -1);
  ASSERT_TRUE(Lit(52, f.Octets()).ok());
  EXPECT_EQ(bd.NbreFiche(), 0);
  EXPECT_EQ(bd.BaseChargee, 1);
}

TEST_F(TreeFileReader, CountsAreBoundedByTheTables) {
  CapacitesBD petites;
  petites.fiches = 2;
  TBD petite(petites);
  Flux f = EnteteCourante(3, 0, 0, 0);
  for (const char* nom : {"A", "B", "C"}) PersonneCourante(f, nom, "x");
  f.V("SrcV1");
  ResultatLecture res;
  ASSERT_TRUE(LitArbre(petite, f.Octets(), 52, {}, res).ok());
  EXPECT_EQ(petite.NbreFiche(), 2);
  EXPECT_FALSE(res.avertissements.empty());
}

TEST_F(TreeFileReader, AnUnknownVersionChangesNothing) {
  bd.EcritNom(bd.NouvelleFiche(), "Reste");
  EXPECT_FALSE(Lit(0, "abc").ok());
  EXPECT_FALSE(Lit(77, "abc").ok());
  EXPECT_EQ(bd.LitNom(1), "Reste");
}

TEST_F(TreeFileReader, DamagedPackedListsAndLinksAreHarmless) {
  Flux f = EnteteCourante(1, 1, 0, 1);
  // Events 99 and -1 do not exist; the list has a stray byte; the father is
  // out of range.
  PersonneCourante(f, "Martin", "Jean", 500, -3, Tab({99, -1, 1}) + "x");
  f.O().N(7).N(8).V("xyz");
  f.V("SrcV1");
  Evenement(f, "Naissance", "1900");
  ASSERT_TRUE(Lit(52, f.Octets()).ok());
  EXPECT_EQ(bd.NbreEveFiche(1), 3);
  EXPECT_EQ(bd.LitDateNaissance(1), "1900");
  EXPECT_EQ(bd.LitEveFiche(1, 1, 1), "");
  EXPECT_EQ(bd.NbreUnionsValides(), 1);
  EXPECT_GT(bd.NouvelleFiche(), 0);
}

}  // namespace
}  // namespace kindrela
