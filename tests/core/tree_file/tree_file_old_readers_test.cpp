#include <gtest/gtest.h>

#include <string>

#include "core/tree_file/tree_file_reader.h"
#include "core/ansi_literal.h"
#include "core/tree_file/tree_file_version.h"
#include "tree_file_test_support.h"

namespace kindrela {
namespace {

using test::Fixe;

// --- Versions 24 and 15: fixed-width records ---------------------------------

struct PersonneFixe {
  std::string nom, pre, profession;
  int sexe = 1;  // non-zero: a man
  std::string naissance, deces, mariage;
  std::string lieuNaissance, lieuDeces, lieuMariage;
  int pere = 0, mere = 0, conjoint = 0;
  std::string maj;  // version 24 only
};

struct DonneeFixe {
  std::string description, fichier;
  int personne = 0;
};

struct Largeurs {
  int version;
  std::size_t nom, pre, profession, date, lieu;
};
constexpr Largeurs kLargeurs24{24, 41, 41, 41, 16, 41};
constexpr Largeurs kLargeurs15{15, 27, 27, 42, 12, 27};

// Lays a version-24 or version-15 file out field by field.
std::string FichierFixe(const Largeurs& l, const std::vector<PersonneFixe>& personnes,
                        const std::vector<DonneeFixe>& donnees) {
  Fixe f;
  std::string version = "Kindrela v0.0.0 ";
  version[12] = static_cast<char>('0' + l.version / 10);
  version[14] = static_cast<char>('0' + l.version % 10);
  f.Texte(version, 16).Texte("1/2/1995", 13).Texte("3/4/1996", 13);
  f.U16(static_cast<int>(personnes.size())).Zeros(4);
  for (const auto& p : personnes) {
    f.Texte(p.nom, l.nom).Texte(p.pre, l.pre).Texte(p.profession, l.profession);
    f.Octet(p.sexe);
    f.Texte(p.naissance, l.date).Texte(p.deces, l.date).Texte(p.mariage, l.date);
    f.Texte(p.lieuNaissance, l.lieu).Texte(p.lieuDeces, l.lieu).Texte(p.lieuMariage, l.lieu);
    f.U16(p.pere).U16(p.mere).U16(p.conjoint);
    if (l.version == 24) f.Texte(p.maj, 16).Zeros(38);
  }
  f.U16(static_cast<int>(donnees.size()));
  for (const auto& d : donnees) f.Texte(d.description, 33).Texte(d.fichier, 256).U16(d.personne);
  return f.Octets();
}

std::vector<PersonneFixe> Famille() {
  PersonneFixe jean{"Martin", "Jean", "Menuisier", 1, "5/3/1870", "1940", "1895",
                    "Brest", "Paris", "Quimper", 0, 0, 2, "6/7/1996"};
  PersonneFixe marie{"Durand", "Marie", "", 0, "1875", "", "1895", "Morlaix", "", "", 0, 0, 1,
                     "6/7/1996"};
  PersonneFixe paul{"Martin", "Paul", "", 1, "1900", "", "", "", "", "", 1, 2, 0, ""};
  return {jean, marie, paul};
}

class TreeFileOldReader : public ::testing::TestWithParam<Largeurs> {
 protected:
  TBD bd;
  ResultatLecture r;
};

TEST_P(TreeFileOldReader, CreatesPersonsUnionsAndSourcesFromFixedRecords) {
  std::string octets =
      FichierFixe(GetParam(), Famille(), {{"Photo de mariage", "mariage.jpg", 2},
                                          {"", "sans-titre.jpg", 1},
                                          {"Sans personne", "x.jpg", 0}});
  ASSERT_EQ(VersionDesOctets(octets), GetParam().version);
  ASSERT_TRUE(LitArbre(bd, octets, GetParam().version, {}, r).ok());

  ASSERT_EQ(bd.NbreFiche(), 3);
  EXPECT_EQ(bd.LitNom(1), "Martin");
  EXPECT_EQ(bd.LitPrenoms(1), "Jean");
  EXPECT_EQ(bd.LitChampPerso(1, "Profession"), "Menuisier");
  EXPECT_EQ(bd.LitSexe(1), 0);
  EXPECT_EQ(bd.LitSexe(2), 1);
  EXPECT_EQ(bd.LitDateNaissance(1), "5/3/1870");
  EXPECT_EQ(bd.LitLieuNaissance(1), "Brest");
  EXPECT_EQ(bd.LitDateDeces(1), "1940");
  EXPECT_EQ(bd.LitLieuDeces(1), "Paris");
  EXPECT_EQ(bd.LitPere(3), 1);
  EXPECT_EQ(bd.LitMere(3), 2);
  // Only the man's record makes the union, with his marriage date and place.
  ASSERT_EQ(bd.NbreUnion(), 1);
  EXPECT_EQ(bd.LitNumH(1), 1);
  EXPECT_EQ(bd.LitNumF(1), 2);
  EXPECT_EQ(bd.LitChampUnion(1, 3), "1895");
  EXPECT_EQ(bd.LitChampUnion(1, 5), "Quimper");
  // One source, for the item with a person and a description.
  ASSERT_EQ(bd.NbreSrc(), 1);
  EXPECT_EQ(bd.LitSrcFiche(2, 1, 1), "Photo de mariage");
  EXPECT_EQ(bd.LitSrcFiche(2, 1, 4), "mariage.jpg");
  if (GetParam().version == 24) {
    EXPECT_EQ(bd.LitChamp(1, 22), "6/7/1996");
    EXPECT_EQ(bd.LitChamp(1, 21), "6/7/1996");
  } else {
    EXPECT_EQ(bd.LitChamp(1, 22), "");
  }
  EXPECT_TRUE(r.lieuxAConvertir);
  EXPECT_EQ(bd.BaseChargee, 1);
}

TEST_P(TreeFileOldReader, AFieldFillingItsWidthIsTakenWhole) {
  PersonneFixe p;
  p.nom = std::string(GetParam().nom, 'N');
  p.pre = "Jean";
  ASSERT_TRUE(LitArbre(bd, FichierFixe(GetParam(), {p}, {}), GetParam().version, {}, r).ok());
  EXPECT_EQ(bd.LitNom(1), std::string(GetParam().nom, 'N'));
  EXPECT_EQ(bd.LitPrenoms(1), "Jean");
}

TEST_P(TreeFileOldReader, ATruncatedFileCreatesOnlyTheRecordsItHolds) {
  std::string octets = FichierFixe(GetParam(), Famille(), {{"Acte", "a.jpg", 1}});
  // Cut inside the second person.
  std::size_t entete = 48;
  std::size_t personne = GetParam().version == 24 ? 355 : 220;
  octets.resize(entete + personne + 10);
  ASSERT_TRUE(LitArbre(bd, octets, GetParam().version, {}, r).ok());
  EXPECT_EQ(bd.NbreFiche(), 2);
  EXPECT_EQ(bd.LitNom(1), "Martin");
  EXPECT_EQ(bd.LitNom(2), "Durand");
  EXPECT_EQ(bd.LitPrenoms(2), "");
  EXPECT_EQ(bd.NbreSrc(), 0);
  EXPECT_FALSE(r.avertissements.empty());
}

INSTANTIATE_TEST_SUITE_P(Versions, TreeFileOldReader, ::testing::Values(kLargeurs24, kLargeurs15),
                         [](const auto& info) { return "V" + std::to_string(info.param.version); });

// --- Version 30: an initialisation file ---------------------------------------

class TreeFileReader30 : public ::testing::Test {
 protected:
  Statut Lit(const std::string& texte) {
    EXPECT_EQ(VersionDesOctets(texte), 30);
    return LitArbre(bd, texte, 30, {}, r);
  }
  TBD bd;
  ResultatLecture r;
};

constexpr const char* kFichier30 =
    "[KINDRELA 3.0B]\r\n"
    "Version=30\r\n"
    "DateCree=2/3/1999\r\n"
    "DateModif=4/5/1999\r\n"
    "RefPers=3\r\n"
    "SelecPers=2\r\n"
    "[Ligne]\r\n"
    "NbreFiche=3\r\n"
    "NbreUnion=2\r\n"
    "NbreDonnee=2\r\n"
    "[Sexe]\r\n1=H\r\n2=F\r\n3=H\r\n"
    "[Nom]\r\n1=Martin\r\n2=Durand\r\n3=Martin\r\n"
    "[Pre]\r\n1=Jean\r\n2=Marie\r\n3=Paul\r\n"
    "[NumP]\r\n3=1\r\n"
    "[NumM]\r\n3=2\r\n"
    "[DdN]\r\n1=1870\r\n3=1900\r\n"
    "[LdN]\r\n1=Brest\r\n"
    "[NoteN]\r\n1=né à la maison\r\n"
    "[DdB]\r\n1=6/3/1870\r\n"
    "[DdD]\r\n1=1940\r\n"
    "[LdE]\r\n1=Brest\r\n"
    "[Note]\r\n2=Une note\r\n"
    "[Prof]\r\n1=Menuisier\r\n"
    "[Photo]\r\n1=jean.jpg\r\n"
    "[Dcree]\r\n1=1/1/1999\r\n"
    "[DdMAJ]\r\n1=2/1/1999\r\n"
    "[Titre]\r\n1=Sieur\r\n"
    "[NumH]\r\n1=1\r\n2=3\r\n"
    "[NumF]\r\n1=2\r\n"
    "[DdM]\r\n1=1895\r\n"
    "[LdM]\r\n1=Quimper\r\n"
    "[DdS]\r\n1=1910\r\n"
    "[LdS]\r\n1=Rennes\r\n"
    "[NoteU]\r\n1=mariage civil\r\n"
    "[doNum]\r\n1=2\r\n2=0\r\n"
    "[doDes]\r\n1=Acte\r\n2=Orphelin\r\n"
    "[doFichier]\r\n1=acte.jpg\r\n2=o.jpg\r\n"
    "[doNote]\r\n1=Registre\r\n"_ansi;

TEST_F(TreeFileReader30, ReadsEveryPersonSectionIntoItsFieldCode) {
  ASSERT_TRUE(Lit(kFichier30).ok());
  ASSERT_EQ(bd.NbreFiche(), 3);
  EXPECT_EQ(bd.LitSexe(2), 1);
  EXPECT_EQ(bd.LitNom(2), "Durand");
  EXPECT_EQ(bd.LitPrenoms(3), "Paul");
  EXPECT_EQ(bd.LitPere(3), 1);
  EXPECT_EQ(bd.LitMere(3), 2);
  EXPECT_EQ(bd.LitDateNaissance(1), "1870");
  EXPECT_EQ(bd.LitLieuNaissance(1), "Brest");
  EXPECT_EQ(bd.LitChamp(1, 8), "né à la maison"_ansi);
  EXPECT_EQ(bd.LitChamp(1, 9), "6/3/1870");
  EXPECT_EQ(bd.LitDateDeces(1), "1940");
  EXPECT_EQ(bd.LitChamp(1, 16), "Brest");  // burial place
  EXPECT_EQ(bd.LitChamp(2, 18), "Une note");
  EXPECT_EQ(bd.LitProfession(1), "Menuisier");
  EXPECT_EQ(bd.LitChamp(1, 21), "1/1/1999");
  EXPECT_EQ(bd.LitChamp(1, 22), "2/1/1999");
  EXPECT_EQ(bd.LitChampPerso(1, "Titre"), "Sieur");
  EXPECT_EQ(bd.NbreSrcFiche(1), 0);  // the photo section is ignored
  EXPECT_EQ(bd.DateCreeBase, "2/3/1999");
  EXPECT_EQ(bd.DateSauveBase, "4/5/1999");
  EXPECT_EQ(bd.RefPers, 3);
  EXPECT_EQ(r.selecPers, 2);
  EXPECT_TRUE(r.lieuxAConvertir);
  EXPECT_EQ(bd.BaseChargee, 1);
}

TEST_F(TreeFileReader30, ReadsEachUnionSectionIntoTheFieldItNames) {
  ASSERT_TRUE(Lit(kFichier30).ok());
  // Union 2 has no wife: it is not created.
  ASSERT_EQ(bd.NbreUnion(), 1);
  EXPECT_EQ(bd.LitNumH(1), 1);
  EXPECT_EQ(bd.LitNumF(1), 2);
  EXPECT_EQ(bd.LitChampUnion(1, 3), "1895");     // marriage date
  EXPECT_EQ(bd.LitChampUnion(1, 5), "Quimper");  // marriage place
  EXPECT_EQ(bd.LitChampUnion(1, 4), "1910");     // divorce date
  EXPECT_EQ(bd.LitChampUnion(1, 6), "Rennes");   // divorce place
  EXPECT_EQ(bd.LitChampUnion(1, 7), "mariage civil");
}

TEST_F(TreeFileReader30, TurnsDataItemsIntoSources) {
  ASSERT_TRUE(Lit(kFichier30).ok());
  ASSERT_EQ(bd.NbreSrc(), 1);
  EXPECT_EQ(bd.LitSrcFiche(2, 1, 1), "Acte");
  EXPECT_EQ(bd.LitSrcFiche(2, 1, 4), "acte.jpg");
  EXPECT_EQ(bd.LitSrcFiche(2, 1, 2), "Registre");
  EXPECT_EQ(bd.NbreDonnee, 2);
}

TEST_F(TreeFileReader30, MissingKeysTakeTheirDefaults) {
  ASSERT_TRUE(Lit("[KINDRELA 3.0B]\r\nVersion=30\r\n[Ligne]\r\nNbreFiche=1\r\n"
                  "[Nom]\r\n1=Seul\r\n").ok());
  EXPECT_EQ(bd.DateCreeBase, "1/1/1998");
  EXPECT_EQ(bd.DateSauveBase, "1/1/1998");
  EXPECT_EQ(bd.RefPers, 1);
  EXPECT_EQ(r.selecPers, 1);
  EXPECT_EQ(bd.LitNom(1), "Seul");
  EXPECT_EQ(bd.LitSexe(1), 2);  // no "Sexe" key: the empty text, unknown sex
}

TEST_F(TreeFileReader30, SectionAndKeyNamesIgnoreCase) {
  ASSERT_TRUE(Lit("[kindrela 3.0b]\r\nversion=30\r\n[LIGNE]\r\nnbrefiche=1\r\n"
                  "[nom]\r\n1=Martin\r\n").ok());
  EXPECT_EQ(bd.LitNom(1), "Martin");
}

TEST_F(TreeFileReader30, ADamagedCountIsBoundedByTheRecordsPresent) {
  ASSERT_TRUE(Lit("[KINDRELA 3.0B]\r\nVersion=30\r\n[Ligne]\r\nNbreFiche=999999999\r\n"
                  "NbreUnion=999999999\r\n[Nom]\r\n1=A\r\n2=B\r\n").ok());
  EXPECT_EQ(bd.NbreFiche(), 2);
  EXPECT_FALSE(r.avertissements.empty());
}

TEST_F(TreeFileReader30, TablesAreSizedByTheRecordsTheFileHolds) {
  // A few bytes that name record 1 000 000: the persons between are wholly
  // empty and are not made; links follow the records they name.
  ASSERT_TRUE(Lit("[KINDRELA 3.0B]\r\nVersion=30\r\nRefPers=1000000\r\n[Ligne]\r\nNbreFiche=1000000\r\n"
                  "NbreUnion=5\r\n[Nom]\r\n1=A\r\n1000000=B\r\n[NumP]\r\n1=1000000\r\n"
                  "[NumM]\r\n1=77\r\n[NumH]\r\n5=1000000\r\n[NumF]\r\n5=1\r\n").ok());
  EXPECT_EQ(bd.NbreFiche(), 2);
  EXPECT_EQ(bd.LitNom(2), "B");
  EXPECT_EQ(bd.LitPere(1), 2);
  EXPECT_EQ(bd.LitMere(1), 0);
  EXPECT_EQ(bd.RefPers, 2);
  ASSERT_EQ(bd.NbreUnion(), 1);
  EXPECT_EQ(bd.LitNumH(1), 2);
  EXPECT_EQ(bd.LitNumF(1), 1);
}

}  // namespace
}  // namespace kindrela
