// GEDCOM files as other programs write them, and files built to exhaust the
// import: what they hold must arrive, and nothing may be lost by a later
// save and load of the tree.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "analysis/type_tables.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/tree_file/tree_file_reader.h"
#include "core/tree_file/tree_file_writer.h"
#include "core/value_limit.h"
#include "gedcom/gedcom_import.h"

namespace kindrela {
namespace {

constexpr const char* kEntete = "0 HEAD\n1 CHAR ANSI\n";

ResultatImport Importe(TBD& bd, std::string_view texte, JeuCaracteres jeu = JeuCaracteres::Windows) {
  TTablesTypes types;
  TGedcomHeader entete;
  OptionsImport options;
  options.jeu = jeu;
  return ImportGedcomTexte(bd, types, texte, "/nulle-part/arbre.ged", options, entete);
}

// The tree as the next load of its saved file gives it.
TBD SauveEtRecharge(const TBD& bd) {
  std::string octets;
  EXPECT_TRUE(OctetsBase(bd, {1, ""}, {}, octets).ok());
  TBD relu;
  ResultatLecture r;
  EXPECT_TRUE(LitBase(relu, octets, {}, r).ok());
  return relu;
}

std::string Utf16(std::u16string_view texte, bool grandBout, bool marque) {
  std::string octets;
  auto unite = [&](char16_t c) {
    const char fort = static_cast<char>(c >> 8), faible = static_cast<char>(c & 0xFF);
    octets += grandBout ? fort : faible;
    octets += grandBout ? faible : fort;
  };
  if (marque) unite(0xFEFF);
  for (char16_t c : texte) unite(c);
  return octets;
}

struct Cas {
  const char* nom;
  std::string fichier;
  std::function<void(const TBD& bd, const ResultatImport& r)> verifie;
};

class DesAutresProgrammes : public ::testing::TestWithParam<Cas> {};

TEST_P(DesAutresProgrammes, ArriveEntier) {
  TBD bd;
  ResultatImport r = Importe(bd, GetParam().fichier);
  ASSERT_TRUE(r.Termine()) << r.statut.message();
  GetParam().verifie(bd, r);
}

const Cas kCas[] = {
    {"FamiliesBeforeTheirPersons",
     std::string(kEntete) +
         "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n1 MARR\n2 DATE 1875\n"
         "0 @S1@ SOUR\n1 TITL Registre\n"
         "0 @I3@ INDI\n1 NAME Paul /DUPONT/\n1 SEX M\n1 SOUR @S1@\n1 NOTE @N1@\n"
         "0 @I1@ INDI\n1 NAME Jean /DUPONT/\n1 SEX M\n"
         "0 @I2@ INDI\n1 NAME Marie /MARTIN/\n1 SEX F\n"
         "0 @N1@ NOTE Cadet\n0 TRLR\n",
     [](const TBD& bd, const ResultatImport& r) {
       EXPECT_EQ(r.unions.lus, 1);
       EXPECT_EQ(bd.LitPere(1), 2);
       EXPECT_EQ(bd.LitMere(1), 3);
       EXPECT_EQ(bd.LitNumH(1), 2);
       EXPECT_EQ(bd.LitNumF(1), 3);
       EXPECT_EQ(bd.LitChampUnion(1, 3), "1875");
       EXPECT_EQ(bd.LitSrcFiche(1, 1, 1), "Registre");
       EXPECT_EQ(bd.LitChamp(1, 18), "Cadet\r\n");
     }},
    {"RepositoriesStayInTheTextOfTheirSources",
     std::string(kEntete) +
         "0 @I1@ INDI\n1 NAME Jean /DUPONT/\n1 SOUR @S1@\n1 SOUR @S2@\n"
         "0 @S1@ SOUR\n1 TITL Registre\n1 REPO @R1@\n2 CALN 3E 12\n"
         "0 @S2@ SOUR\n1 TITL Cadastre\n1 REPO @R1@\n"
         "0 @R1@ REPO\n1 NAME Archives du Finistère\n1 ADDR 5 allée Henri Bourde\n"
         "2 CONT 29000 Quimper\n2 CITY Quimper\n1 PHON 02 98 95 13 13\n1 NOTE Ouvert le lundi\n"
         "0 TRLR\n"_ansi,
     [](const TBD& bd, const ResultatImport&) {
       EXPECT_EQ(bd.LitChampSrc(1, 2),
                 "Dépôt : Archives du Finistère\r\n5 allée Henri Bourde\r\n29000 Quimper\r\n"
                 "PHON: 02 98 95 13 13\r\nOuvert le lundi\r\nCALN: 3E 12\r\n"_ansi);
       EXPECT_NE(bd.LitChampSrc(2, 2).find("Dépôt : Archives du Finistère\r\n"_ansi), std::string::npos);
       EXPECT_EQ(bd.LitChampSrc(1, 4), "") << "a repository note is no media";
     }},
    {"ARepositoryWrittenInPlace",
     std::string(kEntete) +
         "0 @I1@ INDI\n1 NAME Jean /DUPONT/\n1 SOUR @S1@\n"
         "0 @S1@ SOUR\n1 TITL Registre\n1 REPO\n2 NOTE Mairie de Brest\n2 CALN 12\n0 TRLR\n",
     [](const TBD& bd, const ResultatImport&) {
       EXPECT_EQ(bd.LitChampSrc(1, 2), "Dépôt\r\nCALN: 12\r\nMairie de Brest\r\n"_ansi);
       EXPECT_EQ(bd.LitChampSrc(1, 4), "");
     }},
    {"NotesAndSourcesOfANameAreThePersons",
     std::string(kEntete) +
         "0 @I1@ INDI\n1 NOTE Avant\n1 NAME Jean /DUPONT/\n2 NOTE Dit le Grand\n3 CONT ou le Fort\n"
         "2 SOUR @S1@\n2 SURN DUPONT\n1 SEX M\n0 @S1@ SOUR\n1 TITL Acte\n0 TRLR\n",
     [](const TBD& bd, const ResultatImport&) {
       EXPECT_EQ(bd.LitNom(1), "DUPONT");
       EXPECT_EQ(bd.LitSexe(1), 0);
       EXPECT_EQ(bd.LitChamp(1, 18), "Avant\r\nDit le Grand\r\nou le Fort\r\n");
       EXPECT_EQ(bd.LitSrcFiche(1, 1, 1), "Acte");
     }},
    {"ASecondNameKeepsTheFirstInTheNote",
     std::string(kEntete) + "0 @I1@ INDI\n1 NAME Marie /DUPONT/\n1 NAME Marie /MARTIN/\n2 TYPE married\n0 TRLR\n",
     [](const TBD& bd, const ResultatImport&) {
       EXPECT_EQ(bd.LitNom(1), "MARTIN");
       EXPECT_EQ(bd.LitChamp(1, 18), "Autre nom : Marie /DUPONT/\r\n");
     }},
};

INSTANTIATE_TEST_SUITE_P(ImportGedcom, DesAutresProgrammes, ::testing::ValuesIn(kCas),
                         [](const auto& info) { return std::string(info.param.nom); });

TEST(ImportGedcomUtf16, ReadsBothByteOrdersWithOrWithoutAMark) {
  const std::u16string texte =
      u"0 HEAD\r\n1 CHAR UNICODE\r\n0 @I1@ INDI\r\n1 NAME Éloïse /LŒUVRE/\r\n"
      u"1 NOTE 𝄞 clé\r\n0 TRLR\r\n";
  for (bool grandBout : {false, true}) {
    for (bool marque : {true, false}) {
      SCOPED_TRACE(std::string(grandBout ? "BE" : "LE") + (marque ? " BOM" : ""));
      TBD bd;
      // Whatever set the dialog chose, a UTF-16 file reads as one.
      ResultatImport r = Importe(bd, Utf16(texte, grandBout, marque), JeuCaracteres::Ansel);
      ASSERT_TRUE(r.Termine());
      ASSERT_EQ(r.personnes.lus, 1);
      EXPECT_EQ(bd.LitPrenoms(1), "Éloïse"_ansi);
      EXPECT_EQ(bd.LitNom(1), "LŒUVRE"_ansi);
      EXPECT_EQ(bd.LitChamp(1, 18), "&#119070; clé\r\n"_ansi);
    }
  }
}

TEST(ImportGedcomUtf16, AFileCutInsideACharacterStillReads) {
  std::string octets = Utf16(u"0 HEAD\n0 @I1@ INDI\n1 NAME Jean /DUPONT/\n", false, true);
  octets += '\xD8';  // half of a code unit
  TBD bd;
  ASSERT_TRUE(Importe(bd, octets).Termine());
  EXPECT_EQ(bd.LitNom(1), "DUPONT");
}

// ----- Defects -----

TEST(ImportGedcomDefauts, APersonWithoutNameSurvivesTheNextLoad) {
  TBD bd;
  ASSERT_TRUE(Importe(bd, std::string(kEntete) +
                              "0 @I1@ INDI\n1 SEX M\n1 BIRT\n2 DATE 1850\n"
                              "0 @I2@ INDI\n1 NAME Marie /MARTIN/\n1 SEX F\n"
                              "0 @I3@ INDI\n1 NAME Paul /MARTIN/\n"
                              "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n0 TRLR\n")
                  .Termine());
  EXPECT_EQ(bd.LitNom(1), "?");
  TBD relu = SauveEtRecharge(bd);
  EXPECT_TRUE(relu.FicheUtilisee(1));
  EXPECT_EQ(relu.LitPere(3), 1);
  EXPECT_EQ(relu.LitNumH(1), 1);
  EXPECT_EQ(relu.LitDateNaissance(1), "1850");
  EXPECT_EQ(relu.VerifieBase([](const std::string&) { return true; }), kAucunProblemeConstate);
}

TEST(ImportGedcomDefauts, TextsLongerThanATreeHoldsAreCutAndSaid) {
  const std::string longue(kLongueurMaxValeur + 5000, 'n');
  TBD bd;
  ResultatImport r = Importe(bd, std::string(kEntete) + "0 @I1@ INDI\n1 NAME Jean /DUPONT/\n1 NOTE " +
                                     longue + "\n1 BIRT\n2 NOTE " + longue +
                                     "\n0 @I2@ INDI\n1 NAME Paul /DUPONT/\n1 NOTE @N1@\n"
                                     "0 @N1@ NOTE " + longue + "\n0 TRLR\n");
  ASSERT_TRUE(r.Termine());
  EXPECT_EQ(bd.LitChamp(1, 18).size(), kLongueurMaxValeur);
  EXPECT_EQ(bd.LitChamp(1, 8).size(), kLongueurMaxValeur);
  EXPECT_EQ(bd.LitChamp(2, 18).size(), kLongueurMaxValeur);
  ASSERT_EQ(r.avertissements.size(), 3u);
  EXPECT_NE(r.avertissements[0].find("DUPONT Jean"), std::string::npos) << r.avertissements[0];
  EXPECT_NE(r.avertissements[0].find("Ligne 3"), std::string::npos) << r.avertissements[0];
  EXPECT_TRUE(ValeursCoupees(bd).empty());
}

TEST(ImportGedcomDefauts, ASharedNoteCitedByManyPersonsIsCopiedAtMostAsATreeHoldsIt) {
  // A note far longer than a person's note can be saved, cited by every person.
  std::string fichier = std::string(kEntete) + "0 @N1@ NOTE " + std::string(400000, 'x') + "\n";
  for (int i = 1; i <= 300; ++i)
    fichier += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME A /B/\n1 NOTE @N1@\n";
  fichier += "0 TRLR\n";
  TBD bd;
  ResultatImport r = Importe(bd, fichier);
  ASSERT_TRUE(r.Termine());
  EXPECT_EQ(r.notesLiees, 300);
  for (int n : {1, 300}) EXPECT_EQ(bd.LitChamp(n, 18).size(), kLongueurMaxValeur) << n;
  // Said once, for the record cut; not once per citation.
  EXPECT_EQ(r.avertissements.size(), 1u);
}

}  // namespace
}  // namespace kindrela
