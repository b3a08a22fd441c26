#include "gedcom/gedcom_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/type_tables.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/tree_file/tree_file_writer.h"
#include "core/value_limit.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

// Imports GEDCOM text written to a file of a temporary folder.
class ImportGedcomTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char modele[] = "/tmp/kindrela_import_XXXXXX";
    ASSERT_NE(mkdtemp(modele), nullptr);
    m_dossier = modele;
    TTraduction traduction;
    m_types.ChargeTexte(SorteTable::Evenements,
                        "Pour;Evénement;Balise;\r\nIndividu;Recensement;CENS;\r\n"
                        "Individu;Immigration;IMMI;\r\nUnion;Contrat;MARC;\r\n"_ansi,
                        traduction);
    m_types.ChargeTexte(SorteTable::Champs,
                        "Proposé;Champ;Balise;\r\nNON;Religion;RELI;\r\n"_ansi, traduction);
  }
  void TearDown() override { std::filesystem::remove_all(m_dossier); }

  std::string Ecrit(const std::string& texte, const std::string& nom = "arbre.ged") {
    const std::string chemin = m_dossier + "/" + nom;
    std::ofstream(chemin, std::ios::binary) << texte;
    return chemin;
  }
  ResultatImport Importe(const std::string& texte, OptionsImport options = {}) {
    return ImportGedcom(m_bd, m_types, Ecrit(texte), options, m_entete);
  }
  std::string Journal() const {
    std::ifstream f(m_dossier + "/kindrela.log", std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
  // Field f of the first event of person n whose Nature is `nature`.
  std::string Eve(int n, const std::string& nature, int f) const { return m_bd.LitEveNature(n, nature, f); }

  std::string m_dossier;
  TTablesTypes m_types;
  TBD m_bd;
  TGedcomHeader m_entete;
};

constexpr const char* kEntete = "0 HEAD\n1 SOUR Test\n1 CHAR ANSI\n";

TEST_F(ImportGedcomTest, ReadsPersonsFamiliesAndEvents) {
  ResultatImport r = Importe(std::string(kEntete) +
                             "0 @I1@ INDI\n1 NAME Jean /DUPONT/\n1 SEX M\n"
                             "1 BIRT\n2 DATE ABT 1850\n2 PLAC Brest\n2 QUAY 3\n"
                             "1 DEAT\n2 DATE BET 1900 AND 1910\n2 QUAY 0\n"
                             "1 OCCU Menuisier\n1 RELI catholique\n"
                             "0 @I2@ INDI\n1 NAME Marie /MARTIN/\n1 SEX F\n"
                             "0 @I3@ INDI\n1 NAME Paul /DUPONT/\n1 SEX M\n"
                             "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n"
                             "1 MARR\n2 DATE 5 MAR 1875\n1 DIV\n2 DATE 1890\n"
                             "0 TRLR\n");
  ASSERT_TRUE(r.Termine()) << r.statut.message();
  EXPECT_EQ(r.personnes.lus, 3);
  EXPECT_EQ(r.unions.lus, 1);
  EXPECT_EQ(m_bd.LitNom(1), "DUPONT");
  EXPECT_EQ(m_bd.LitPrenoms(1), "Jean");
  EXPECT_EQ(Eve(1, "Naissance", 2), "vers 1850");
  EXPECT_EQ(Eve(1, "Naissance", 4), "Brest");
  EXPECT_EQ(Eve(1, "Naissance", 6), "0");
  EXPECT_EQ(Eve(1, "Décès"_ansi, 2), "après 1900 avant 1910"_ansi);
  EXPECT_EQ(Eve(1, "Décès"_ansi, 6), "3");
  EXPECT_EQ(m_bd.LitProfession(1), "Menuisier");
  EXPECT_EQ(m_bd.LitChampPerso(1, "Religion"), "catholique");
  EXPECT_EQ(m_bd.LitPere(3), 1);
  EXPECT_EQ(m_bd.LitMere(3), 2);
  EXPECT_EQ(m_bd.LitNumH(1), 1);
  EXPECT_EQ(m_bd.LitNumF(1), 2);
  EXPECT_EQ(m_bd.LitChampUnion(1, 3), "5/3/1875");
  EXPECT_EQ(m_bd.LitChampUnion(1, 4), "1890");
  EXPECT_EQ(m_bd.ModeAjout, 0);
}

TEST_F(ImportGedcomTest, ReadsGedcom7Files) {
  // No CHAR line, shared notes, names given by their parts.
  ASSERT_TRUE(Importe("0 HEAD\n1 GEDC\n2 VERS 7.0\n0 @I1@ INDI\n1 NAME\n2 GIVN Jean\n2 SURN Dupont\n"
                      "1 SNOTE @N1@\n0 @N1@ SNOTE Partagée\n1 CONT suite\n0 TRLR\n"_ansi)
                  .Termine());
  EXPECT_EQ(m_bd.LitNom(1), "Dupont");
  EXPECT_EQ(m_bd.LitPrenoms(1), "Jean");
  EXPECT_EQ(m_bd.LitChamp(1, 18), "Partagée\r\nsuite\r\n"_ansi);
}

TEST_F(ImportGedcomTest, DatesOfOlderProgramsAreReadOrKept) {
  Importe(std::string(kEntete) +
          "0 @I1@ INDI\n1 NAME Edward /WETTIN/\n1 BIRT\n2 DATE Tuesday, 9th November 1841\n"
          "1 DEAT\n2 DATE 6 May 1910\n1 BURI\n2 DATE le jour des Rois\n2 NOTE Windsor\n"
          "0 TRLR\n");
  EXPECT_EQ(Eve(1, m_bd.NatNaissance, 2), "9/11/1841");
  EXPECT_EQ(Eve(1, m_bd.NatDeces, 2), "6/5/1910");
  EXPECT_EQ(Eve(1, m_bd.NatSepulture, 2), "");
  EXPECT_EQ(Eve(1, m_bd.NatSepulture, 5), "Date : le jour des Rois\r\nWindsor\r\n");
}

TEST_F(ImportGedcomTest, OtherTagsBecomeEventsNamedByTheTable) {
  ASSERT_TRUE(Importe(std::string(kEntete) +
                      "0 @I1@ INDI\n1 NAME A /B/\n1 CENS\n2 TYPE Census of A\n2 DATE 1901\n"
                      "1 EVEN\n2 TYPE Immi\n2 PLAC Copenhague\n"
                      "1 _MILT Dragons\n2 TYPE Service\n2 NOTE long\n"
                      "1 BIRT\n2 TYPE Birth of A B\n2 DATE 1850\n2 QUAY 9\n2 AGE 0\n"
                      "0 TRLR\n")
                  .Termine());
  EXPECT_EQ(Eve(1, "Recensement", 2), "1901");
  EXPECT_EQ(Eve(1, "Recensement", 5), "Census of A\r\n");
  EXPECT_EQ(Eve(1, "Immi", 4), "Copenhague");
  EXPECT_EQ(Eve(1, "_MILT Service", 5), "Dragons\r\nlong\r\n");
  // The kind of a birth stays "Naissance" whatever its TYPE says.
  EXPECT_EQ(Eve(1, "Naissance", 2), "1850");
  EXPECT_EQ(Eve(1, "Naissance", 5), "Birth of A B\r\n2 AGE 0\r\n");
  EXPECT_EQ(Eve(1, "Naissance", 6), "0");  // out-of-range quality clamped
}

// ----- Names -----

struct CasNom {
  const char* nom;
  const char* valeur;
  bool majuscules;
  const char* surname;
  const char* prenoms;
};

class NomDeGedcomTest : public ::testing::TestWithParam<CasNom> {};

TEST_P(NomDeGedcomTest, SplitsSurnameAndGivenNames) {
  Texte nom, prenoms;
  NomDeGedcom(GetParam().valeur, GetParam().majuscules, nom, prenoms);
  EXPECT_EQ(nom, GetParam().surname);
  EXPECT_EQ(prenoms, GetParam().prenoms);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Noms, NomDeGedcomTest, ::testing::Values(
    CasNom{"GivenThenSurname", "Jean /DUPONT/", false, "DUPONT", "Jean"},
    CasNom{"SurnameFirst", "/DUPONT/ Jean", false, "DUPONT", "Jean"},
    CasNom{"NoSlash", "Dupont", false, "Dupont", ""},
    CasNom{"EmptySurname", "Jean //", false, "?", "Jean"},
    CasNom{"Empty", "", false, "?", ""},
    CasNom{"OpenSurname", "Jean /Dupont", false, "Dupont", "Jean"},
    CasNom{"SurnameFirstUnclosed", "/Dupont", false, "Dupont", ""},
    CasNom{"SuffixKept", "Gustaf /Smith/ Sr.", false, "Smith", "Gustaf Sr."},
    CasNom{"Capitalised", "jean-pierre de la tour /dupont/", true, "DUPONT", "Jean-Pierre De La Tour"},
    CasNom{"CapitalisedAccents", "émilie \"ève\" /étienne/"_ansi, true, "ÉTIENNE"_ansi, "Émilie \"Ève\""_ansi}),
  [](const auto& info) { return std::string(info.param.nom); });
// clang-format on

// ----- Sex -----

struct CasSexe {
  const char* nom;
  const char* ligne;
  int sexe;
};

class SexeImporte : public ImportGedcomTest, public ::testing::WithParamInterface<CasSexe> {};

TEST_P(SexeImporte, GivesManWomanOrUnknown) {
  ASSERT_TRUE(Importe(std::string(kEntete) + "0 @I1@ INDI\n1 NAME A /B/\n" + GetParam().ligne + "0 TRLR\n")
                  .Termine());
  EXPECT_EQ(m_bd.LitSexe(1), GetParam().sexe);
}

INSTANTIATE_TEST_SUITE_P(Sexes, SexeImporte,
                         ::testing::Values(CasSexe{"M", "1 SEX M\n", 0}, CasSexe{"LowerM", "1 SEX m\n", 0},
                                           CasSexe{"F", "1 SEX F\n", 1}, CasSexe{"U", "1 SEX U\n", 2},
                                           CasSexe{"Empty", "1 SEX\n", 2}, CasSexe{"None", "", 2}),
                         [](const auto& info) { return std::string(info.param.nom); });

// ----- Families -----

TEST_F(ImportGedcomTest, LinksChildrenWrittenBeforeTheirParents) {
  ASSERT_TRUE(Importe(std::string(kEntete) +
                      "0 @I1@ INDI\n1 SEX M\n0 @I2@ INDI\n1 SEX F\n0 @I3@ INDI\n0 @I4@ INDI\n"
                      "0 @F1@ FAM\n1 CHIL @I3@\n1 RESI\n2 PLAC Brest\n1 MARR\n2 DATE 1900\n1 NOTE Mariage civil\n"
                      "1 HUSB @I1@\n1 WIFE @I2@\n1 CHAN\n2 DATE 1 JAN 2000\n"
                      "0 @F2@ FAM\n1 HUSB @I2@\n1 WIFE @I4@\n1 CHIL @I4@\n"
                      "0 TRLR\n")
                  .Termine());
  EXPECT_EQ(m_bd.LitPere(3), 1);
  EXPECT_EQ(m_bd.LitMere(3), 2);
  // The union made by MARR before its partners were read gets them.
  EXPECT_EQ(m_bd.LitNumH(1), 1);
  EXPECT_EQ(m_bd.LitNumF(1), 2);
  EXPECT_EQ(m_bd.LitChampUnion(1, 3), "1900");
  EXPECT_EQ(m_bd.LitChampUnion(1, 7), "Mariage civil\r\n");
  // The event read before the union existed is kept; the change date makes none.
  EXPECT_EQ(m_bd.NbreEveUnion(1), 2);
  EXPECT_EQ(m_bd.LitEveUnionNature(1, "RESI", 4), "Brest");
  // A woman as HUSB is refused; the child that is also the wife is not her own child.
  EXPECT_EQ(m_bd.LitMere(4), 0);
  EXPECT_EQ(m_bd.NbreUnion(), 1);
}

TEST_F(ImportGedcomTest, PartnersOfUnknownSexAreKept) {
  ASSERT_TRUE(Importe(std::string(kEntete) + "0 @I1@ INDI\n0 @I2@ INDI\n"
                      "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n0 TRLR\n")
                  .Termine());
  EXPECT_EQ(m_bd.LitNumH(1), 1);
  EXPECT_EQ(m_bd.LitNumF(1), 2);
}

TEST_F(ImportGedcomTest, ResolvesIrregularCrossReferences) {
  ASSERT_TRUE(Importe(std::string(kEntete) +
                      "0 @I1@ INDI\n1 SEX M\n0 @P1@ INDI\n1 SEX F\n0 @I01@ INDI\n"
                      "0 @I-child@ INDI\n0 @I9999999999@ INDI\n"
                      "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @p1@\n1 CHIL @i-CHILD@\n1 CHIL @I01@\n"
                      "1 CHIL @I9999999999@\n1 CHIL @I404@\n0 TRLR\n")
                  .Termine());
  EXPECT_EQ(m_bd.LitNumF(1), 2);
  EXPECT_EQ(m_bd.LitMere(3), 2);  // "@I01@" is not "@I1@"
  EXPECT_EQ(m_bd.LitMere(4), 2);
  EXPECT_EQ(m_bd.LitMere(5), 2);
  EXPECT_EQ(m_bd.LitPere(1), 0);
}

// ----- Notes -----

TEST_F(ImportGedcomTest, JoinsContinuedTextAsWritten) {
  ASSERT_TRUE(Importe(std::string(kEntete) +
                      "0 @I1@ INDI\n1 NOTE sailed on 14 November 191\n2 CONC 2 arriving\n"
                      "2 CONT second line \n2 CONC  and more\n2 CONT\n2 CONT last\n0 TRLR\n")
                  .Termine());
  EXPECT_EQ(m_bd.LitChamp(1, 18), "sailed on 14 November 1912 arriving\r\nsecond line  and more\r\n\r\nlast\r\n");
}

TEST_F(ImportGedcomTest, NotePointersReceiveTheRecordText) {
  ResultatImport r = Importe(std::string(kEntete) +
                             "0 @N1@ NOTE Written before\n1 CONC  its user\n1 CONT second\n"
                             "0 @I1@ INDI\n1 NOTE @N1@\n1 BIRT\n2 NOTE @N2@\n1 NOTE @N404@\n"
                             "0 @I2@ INDI\n1 SEX F\n0 @I3@ INDI\n1 SEX M\n"
                             "0 @F1@ FAM\n1 HUSB @I3@\n1 WIFE @I2@\n1 NOTE @N2@\n"
                             "0 @S1@ SOUR\n1 TITL Registre\n1 NOTE @N2@\n"
                             "0 @N2@ NOTE Written after\n"
                             "0 TRLR\n");
  ASSERT_TRUE(r.Termine());
  EXPECT_EQ(m_bd.LitChamp(1, 18), "Written before its user\r\nsecond\r\n@N404@\r\n");
  EXPECT_EQ(Eve(1, "Naissance", 5), "Written after\r\n");
  EXPECT_EQ(m_bd.LitChampUnion(1, 7), "Written after\r\n");
  EXPECT_EQ(m_bd.LitChampSrc(1, 2), "Written after\r\n");
  EXPECT_EQ(r.notesLiees, 4);
  EXPECT_EQ(r.notesIntrouvables, 1);
}

// ----- Sources -----

TEST_F(ImportGedcomTest, KeepsSourcesWhateverTheirPlace) {
  ResultatImport r = Importe(std::string(kEntete) +
                             "0 @S7@ SOUR\n1 TITL Registre de\n2 CONC  Brest\n1 ABBR Reg\n1 CHAN\n2 DATE 1 JAN 2000\n"
                             "1 TEXT line one\n2 CONT line two\n1 REPO @R1@\n2 CALN 12\n"
                             "1 OBJE\n2 FILE acte.jpg\n2 NOTE legende\n"
                             "0 @I1@ INDI\n1 SOUR @S7@\n2 PAGE 12\n1 BIRT\n2 SOUR @S8@\n3 PAGE 4\n"
                             "0 @I2@ INDI\n1 SOUR @S7@\n1 SOUR Oral tradition\n2 CONT from grandmother\n"
                             "0 @I3@ INDI\n1 SEX M\n0 @I4@ INDI\n1 SEX F\n"
                             "0 @F1@ FAM\n1 HUSB @I3@\n1 WIFE @I4@\n1 SOUR @S7@\n2 PAGE 3\n"
                             "0 @S8@ SOUR\n1 TITL Baptism\n"
                             "0 @S9@ SOUR\n1 TITL Nobody cites it\n"
                             "0 TRLR\n");
  ASSERT_TRUE(r.Termine());
  EXPECT_EQ(r.sources.lus, 4);
  EXPECT_EQ(m_bd.LitSrcFiche(1, 1, 1), "Registre de Brest");
  EXPECT_EQ(m_bd.LitSrcFiche(1, 1, 3), "Reg");
  EXPECT_EQ(m_bd.LitSrcFiche(1, 1, 2), "TEXT: line one\r\nline two\r\nREPO: @R1@\r\nCALN: 12\r\n");
  EXPECT_EQ(m_bd.LitSrcFiche(1, 1, 4), "acte.jpg|legende");
  EXPECT_EQ(m_bd.LitSrcFiche(2, 1, 5), m_bd.LitSrcFiche(1, 1, 5));  // shared
  // The source only an event cites is kept, attached and named in the note.
  EXPECT_EQ(m_bd.NbreSrcFiche(1), 2);
  EXPECT_EQ(m_bd.LitSrcFiche(1, 2, 1), "Baptism");
  EXPECT_EQ(Eve(1, "Naissance", 5), "Baptism\r\n");
  EXPECT_EQ(m_bd.LitSrcFiche(2, 2, 1), "Oral tradition");
  EXPECT_EQ(m_bd.LitSrcFiche(2, 2, 2), "Oral tradition\r\nfrom grandmother\r\n");
  EXPECT_EQ(m_bd.LitChampSrc(4, 1), "Nobody cites it");
  // A family's source goes to both partners, not into a union event.
  EXPECT_EQ(m_bd.LitSrcFiche(3, 1, 1), "Registre de Brest");
  EXPECT_EQ(m_bd.LitSrcFiche(4, 1, 1), "Registre de Brest");
  EXPECT_EQ(m_bd.NbreEveUnion(1), 0);
}

TEST_F(ImportGedcomTest, NewSourcesFollowThoseAlreadyInTheTree) {
  const int existante = m_bd.NouvelleSrc();
  m_bd.EcritChampSrc(existante, 1, "Ancienne");
  ASSERT_TRUE(Importe(std::string(kEntete) + "0 @I1@ INDI\n1 SOUR @S1@\n0 @S1@ SOUR\n1 TITL Nouvelle\n0 TRLR\n")
                  .Termine());
  EXPECT_EQ(m_bd.LitChampSrc(existante, 1), "Ancienne");
  EXPECT_EQ(m_bd.LitChampSrc(existante + 1, 1), "Nouvelle");
}

// ----- Character sets -----

TEST_F(ImportGedcomTest, Utf8WithByteOrderMarkAndInvalidBytes) {
  OptionsImport options;
  options.jeu = JeuCaracteres::Utf8;
  options.journal = true;
  ResultatImport r = Importe("\xEF\xBB\xBF" "0 HEAD\n1 CHAR UTF-8\n"
                             "0 @I1@ INDI\n1 NAME Ren\xC3\xA9 /\xC5\x81ukasz/\n"
                             "0 @I2@ INDI\n1 NAME Bad\xFF /X/\n0 @I3@ INDI\n1 NAME C /\xE6\x9D\xB1/\n0 TRLR\n",
                             options);
  ASSERT_TRUE(r.Termine());
  EXPECT_EQ(r.personnes.lus, 3);
  EXPECT_EQ(m_bd.LitPrenoms(1), "René"_ansi);
  // Letters Windows-1252 lacks are kept as references; only bad bytes are lost.
  EXPECT_EQ(m_bd.LitNom(1), "&#321;ukasz");
  EXPECT_EQ(m_bd.LitPrenoms(2), "Bad?");
  EXPECT_EQ(m_bd.LitNom(3), "&#26481;");
  EXPECT_EQ(r.lignesInvalides, 1);
  EXPECT_EQ(r.remplacements, 1);
  EXPECT_NE(Journal().find("aux lignes : 6"), std::string::npos) << Journal();
}

TEST_F(ImportGedcomTest, AnselLettersBeyondTheAccentTable) {
  OptionsImport options;
  options.jeu = JeuCaracteres::Ansel;
  ASSERT_TRUE(Importe("0 HEAD\n1 CHAR ANSEL\n0 @I1@ INDI\n"
                      "1 NAME \xE2" "e\xE4n \xA5 \xA2 /\xE9s\xA1" "a/\n0 TRLR\n",
                      options)
                  .Termine());
  EXPECT_EQ(m_bd.LitPrenoms(1), "éñ Æ Ø"_ansi);
  EXPECT_EQ(m_bd.LitNom(1), "š&#321;a"_ansi);
}

TEST_F(ImportGedcomTest, DosCodePage) {
  OptionsImport options;
  options.jeu = JeuCaracteres::Dos;
  ASSERT_TRUE(Importe("0 HEAD\r\n0 @I1@ INDI\r\n1 NAME \x82lise /\x90tienne/\r\n0 TRLR\r\n", options).Termine());
  EXPECT_EQ(m_bd.LitPrenoms(1), "élise"_ansi);
  EXPECT_EQ(m_bd.LitNom(1), "Étienne"_ansi);
}

TEST_F(ImportGedcomTest, CarriageReturnOnlyFileReadsLikeCrLf) {
  const std::string crlf = std::string(kEntete) +
                           "0 @I1@ INDI\n1 NAME Jean /DUPONT/\n1 NOTE " + std::string(600, 'n') +
                           "\n2 CONT x\n0 TRLR\n";
  std::string cr = crlf;
  for (char& c : cr)
    if (c == '\n') c = '\r';
  ASSERT_TRUE(Importe(cr).Termine());
  TBD autre;
  TGedcomHeader entete;
  ASSERT_TRUE(ImportGedcom(autre, m_types, Ecrit(crlf, "crlf.ged"), {}, entete).Termine());
  EXPECT_EQ(m_bd.LitNom(1), autre.LitNom(1));
  EXPECT_EQ(m_bd.LitChamp(1, 18), autre.LitChamp(1, 18));
  EXPECT_EQ(m_bd.LitChamp(1, 18).size(), 600u + 5u);
}

// ----- Header -----

TEST_F(ImportGedcomTest, HeaderOnlyFillsTheHeaderAndChangesNothing) {
  m_bd.NouvelleFiche();
  m_bd.EcritNom(1, "Existant");
  const uint64_t generation = m_bd.Generation();
  OptionsImport options;
  options.enteteSeul = true;
  options.journal = true;
  ResultatImport r = Importe("0 HEAD\n1 SOUR GEN\n2 VERS 5.1\n2 NAME Genea\n2 CORP Soc\n"
                             "1 DATE 1 JAN 2000\n2 TIME 10:00\n1 GEDC\n2 VERS 5.5\n2 FORM LINEAGE-LINKED\n"
                             "1 CHAR ANSEL\n1 LANG French\n1 NOTE Hello\n2 CONT world\n"
                             "0 @U1@ SUBM\n1 NAME Jean\n1 ADDR 1 rue\n2 CONT Brest\n"
                             "0 @I1@ INDI\n1 NAME A /B/\n0 TRLR\n",
                             options);
  ASSERT_TRUE(r.Termine());
  EXPECT_EQ(m_entete.Source, "GEN");
  EXPECT_EQ(m_entete.Version, "5.1");
  EXPECT_EQ(m_entete.Produit, "Genea");
  EXPECT_EQ(m_entete.Societe, "Soc");
  EXPECT_EQ(m_entete.Date, "1 JAN 2000");
  EXPECT_EQ(m_entete.VersionGedcom, "5.5");
  EXPECT_EQ(m_entete.Jeu, "ANSEL");
  EXPECT_EQ(m_entete.Langue, "French");
  EXPECT_EQ(m_entete.Note, "Hello\r\nworld\r\nJean\r\n1 rue\r\nBrest\r\n");
  EXPECT_EQ(m_bd.NbreFiche(), 1);
  EXPECT_EQ(m_bd.LitNom(1), "Existant");
  EXPECT_EQ(m_bd.Generation(), generation);
  EXPECT_EQ(r.personnes.lus, 0);
  EXPECT_NE(Journal().find("\r\n\r\nFin de chargement de l'entête.\r\n"_ansi), std::string::npos) << Journal();
}

// ----- Full tables, stop, damage -----

TEST_F(ImportGedcomTest, FullTablesAreReportedNotHidden) {
  TBD petite(CapacitesBD{2, 1, 3, 1});
  OptionsImport options;
  options.journal = true;
  std::string texte = kEntete;
  for (int i = 1; i <= 4; ++i)
    texte += "0 @I" + std::to_string(i) + "@ INDI\n1 SEX " + (i % 2 ? "M" : "F") +
             "\n1 BIRT\n2 DATE 1900\n1 SOUR @S" + std::to_string(i) + "@\n";
  texte += "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 MARR\n0 @F2@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n0 TRLR\n";
  ResultatImport r = ImportGedcom(petite, m_types, Ecrit(texte), options, m_entete);
  ASSERT_TRUE(r.Termine());
  EXPECT_EQ(r.personnes.lus, 4);
  EXPECT_EQ(r.personnes.nonStockes, 2);
  EXPECT_EQ(r.unions.nonStockes, 1);
  EXPECT_EQ(r.evenements.lus, 3);
  EXPECT_EQ(r.evenements.nonStockes, 0);
  EXPECT_EQ(r.sources.nonStockes, 1);
  EXPECT_EQ(petite.NbreFiche(), 2);
  EXPECT_EQ(r.avertissements.size(), 3u);
  EXPECT_NE(Journal().find("2 personnes n'ont pas"), std::string::npos) << Journal();

  // The texts come from the translation file when one is given.
  TTraduction traduction;
  ASSERT_TRUE(traduction.ChargeTraduction(std::string(KINDRELA_SOURCE_DIR) + "/data/modele/famora.tra"));
  traduction.Langue = 2;
  options.traduction = &traduction;
  TBD autre(CapacitesBD{2, 1, 3, 1});
  r = ImportGedcom(autre, m_types, Ecrit(texte), options, m_entete);
  ASSERT_FALSE(r.avertissements.empty());
  EXPECT_EQ(r.avertissements[0], "Person table full: 2 persons were not stored.");
}

TEST_F(ImportGedcomTest, StopsWhenTheProgressSaysSo) {
  // A file large enough to have its lines read ahead stops as a small one.
  for (int nbre : {1000, 60000}) {
    SCOPED_TRACE(nbre);
    m_bd.Vide();
    std::string texte = kEntete;
    for (int i = 1; i <= nbre; ++i) texte += "0 @I" + std::to_string(i) + "@ INDI\n1 NAME A /B/\n";
    texte += "0 TRLR\n";
    OptionsImport options;
    options.journal = true;
    std::vector<std::string> etiquettes;
    options.etiquette = [&](const std::string& texte) { etiquettes.push_back(texte); };
    int appels = 0;
    options.progression = [&](long long fait, long long total) {
      EXPECT_LE(fait, total);
      return ++appels < 3;
    };
    ResultatImport r = Importe(texte, options);
    EXPECT_TRUE(r.statut.annule());
    EXPECT_FALSE(r.Termine());
    EXPECT_GT(r.personnes.lus, 0);
    EXPECT_LT(r.personnes.lus, 1000);
    EXPECT_EQ(m_bd.NbreFiche(), r.personnes.lus);  // what was read stays
    EXPECT_EQ(m_bd.ModeAjout, 0);
    EXPECT_NE(Journal().find("Stoppé par touche ESCAPE à la Ligne "_ansi), std::string::npos);
    ASSERT_GE(etiquettes.size(), 2u);
    EXPECT_EQ(etiquettes[0], "Appuyez sur Echap pour abandonner.");
    EXPECT_EQ(etiquettes[1].rfind("Nombre de personnes et d'unions : ", 0), 0u);
  }
}

TEST_F(ImportGedcomTest, LogNamesUnreadLinesAndCounts) {
  OptionsImport options;
  options.journal = true;
  ResultatImport r = Importe("0 HEAD\n1 FILE x.ged\n0 @R1@ REPO\n1 NAME Archives\n"
                             "0 @I1@ INDI\n1 BIRT\n2 CAUS fever\n0 TRLR\n",
                             options);
  ASSERT_TRUE(r.Termine());
  const std::string j = Journal();
  EXPECT_EQ(r.journal, m_dossier + "/kindrela.log");
  EXPECT_EQ(j.find("Import du fichier : "), 0u);
  for (const char* attendu : {"2 HEAD : 1 FILE x.ged\r\n", "3 : 0 @R1@ REPO\r\n", "4 : 1 NAME Archives\r\n",
                              "7 EVE : 2 CAUS fever\r\n", "Terminé avec succés !!\r\n"_ansi,
                              "Nombre de personne =1\r\n", "Nombre d'union =0\r\n"})
    EXPECT_NE(j.find(attendu), std::string::npos) << attendu << "\n" << j;
}

TEST_F(ImportGedcomTest, DamagedInputNeverStopsTheImport) {
  const char* cas[] = {
      "",
      "garbage without levels\n\xFF\xFE\x00\x01",
      "0 @I1@ INDI",
      "0 @I1@ INDI\n1 NOTE\n1 NAME",
      "0 @F1@ FAM\n1 HUSB\n1 CHIL @\n1 WIFE @@\n1 MARR\n",
      "0 @I1@ INDI\n1 BIRT\n2 NOTE @N1@\n0 @N1@ NOTE\n",
      "0 @S@ SOUR\n1 NOTE @S@\n0 @I1@ INDI\n1 SOUR @\n1 SOUR\n",
      "0 HEAD\n1 NOTE\n0 @U@ SUBM\n",
      "1 CONC orphan\n2 CONT x\n0 TRLR\n0 @I1@ INDI\n",
  };
  for (const char* texte : cas) {
    TBD bd;
    TGedcomHeader entete;
    ResultatImport r = ImportGedcom(bd, m_types, Ecrit(texte), {}, entete);
    EXPECT_TRUE(r.Termine()) << texte;
    EXPECT_EQ(bd.ModeAjout, 0);
  }
}

TEST_F(ImportGedcomTest, RandomDamageNeverBreaksTheRun) {
  const std::string sain = std::string(kEntete) +
                           "0 @N1@ NOTE n\n1 CONC x\n0 @S1@ SOUR\n1 TITL t\n1 NOTE @N1@\n"
                           "0 @I1@ INDI\n1 NAME Jean /DUPONT/\n1 SEX M\n1 BIRT\n2 DATE 1 JAN 1900\n"
                           "2 SOUR @S1@\n1 NOTE @N1@\n0 @I2@ INDI\n1 SEX F\n1 SOUR @S1@\n"
                           "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I1@\n1 MARR\n2 NOTE @N1@\n0 TRLR\n";
  const char bruit[] = {'@', '0', '1', '9', ' ', '\n', '\r', '/', '\xFF', '\xE2', '\xC3', 'N'};
  std::mt19937 alea(20080106);
  for (int essai = 0; essai < 400; ++essai) {
    std::string texte = sain;
    const int changes = 1 + static_cast<int>(alea() % 6);
    for (int k = 0; k < changes; ++k) texte[alea() % texte.size()] = bruit[alea() % sizeof bruit];
    if (essai % 5 == 0) texte.resize(alea() % texte.size());
    for (JeuCaracteres jeu : {JeuCaracteres::Windows, JeuCaracteres::Utf8, JeuCaracteres::Ansel}) {
      TBD bd(CapacitesBD{3, 2, 6, 2});
      TGedcomHeader entete;
      OptionsImport options;
      options.jeu = jeu;
      ResultatImport r = ImportGedcomTexte(bd, m_types, texte, m_dossier + "/x.ged", options, entete);
      ASSERT_TRUE(r.Termine()) << texte;
      ASSERT_EQ(bd.ModeAjout, 0);
      for (int n = 1; n <= bd.NbreFiche(); ++n) {
        ASSERT_NE(bd.LitPere(n), n) << texte;
        ASSERT_NE(bd.LitMere(n), n) << texte;
      }
    }
  }
}

TEST_F(ImportGedcomTest, MissingFileIsAnError) {
  ResultatImport r = ImportGedcom(m_bd, m_types, m_dossier + "/absent.ged", {}, m_entete);
  EXPECT_FALSE(r.Termine());
  EXPECT_FALSE(r.statut.annule());
  EXPECT_NE(r.statut.message().find("Erreur à l'import"_ansi), std::string::npos);
}

// A file read from disk gives back the pages of its persons as the import
// passes them; whatever is read again later (families, notes, sources,
// repositories, cited before and after the persons that name them) must
// arrive as from a file held whole in memory.
TEST_F(ImportGedcomTest, ALargeFileReadFromDiskArrivesAsFromMemory) {
  constexpr int kBlocs = 4, kParBloc = 12000;  // several megabytes of persons per run
  std::string texte = "0 HEAD\n1 CHAR ANSI\n";
  long ligneLongue = 0;
  auto ref = [](char c, int n) { return "@" + std::string(1, c) + std::to_string(n) + "@"; };
  for (int b = 0; b < kBlocs; ++b) {
    for (int i = 0; i < kParBloc; ++i) {
      const int n = b * kParBloc + i;
      texte += "0 " + ref('I', n) + " INDI\n1 NAME Jean" + std::to_string(i) + " /NOM" +
               std::to_string(b) + "/\n1 SEX " + (i % 2 ? "F" : "M") + "\n1 BIRT\n2 DATE 1 JAN " +
               std::to_string(1700 + i % 300) + "\n2 PLAC Paroisse " + std::to_string(n) +
               " du canton\n";
      if (i % 97 == 0) texte += "1 NOTE " + ref('N', (b + 1) % kBlocs) + "\n";
      if (i % 5 == 0) texte += "1 DEAT\n2 NOTE Mort\n3 CONC  chez lui\n3 CONT le soir\n";
      if (i % 89 == 0) texte += "1 SOUR " + ref('S', (b + 3) % kBlocs) + "\n";
    }
    // The family names the first persons of the next run, not read yet.
    const int suivant = ((b + 1) % kBlocs) * kParBloc;
    texte += "0 " + ref('F', b) + " FAM\n1 HUSB " + ref('I', suivant) + "\n1 WIFE " +
             ref('I', suivant + 1) + "\n1 CHIL " + ref('I', b * kParBloc + 2) +
             "\n1 MARR\n2 DATE 1750\n";
    if (b == kBlocs - 1) ligneLongue = 1 + std::count(texte.begin(), texte.end(), '\n');
    texte += "0 " + ref('N', b) + " NOTE Note partagée "_ansi + std::to_string(b) +
             "\n1 CONT seconde ligne\n";
    // The last one, past the middle of the file, is too long: its warning
    // names its line.
    if (b == kBlocs - 1) texte += "1 CONC " + std::string(kLongueurMaxValeur, 'x') + "\n";
    texte += "0 " + ref('S', b) + " SOUR\n1 TITL Registre " + std::to_string(b) + "\n1 REPO " +
             ref('R', b) + "\n";
    texte += "0 " + ref('R', b) + " REPO\n1 NAME Archives " + std::to_string(b) + "\n";
  }
  texte += "0 TRLR\n";
  ASSERT_GT(texte.size(), 4u << 20);

  auto octets = [](const TBD& bd) {
    std::string o;
    EXPECT_TRUE(OctetsBase(bd, {1, ""}, {}, o).ok());
    return o;
  };
  TBD enMemoire;
  TGedcomHeader entete;
  ASSERT_TRUE(ImportGedcomTexte(enMemoire, m_types, texte, "arbre.ged", {}, entete).Termine());
  const ResultatImport r = Importe(texte);
  ASSERT_TRUE(r.Termine());
  ASSERT_FALSE(r.avertissements.empty());
  EXPECT_EQ(r.avertissements[0].rfind("Ligne " + std::to_string(ligneLongue) + " : la note @N3@", 0), 0u)
      << r.avertissements[0];
  EXPECT_EQ(m_bd.NbreFiche(), kBlocs * kParBloc);
  EXPECT_EQ(m_bd.NbreUnionsValides(), kBlocs);
  EXPECT_EQ(m_bd.LitNumH(1), kParBloc + 1);
  EXPECT_NE(m_bd.LitChamp(kParBloc + 1, 18).find("Note partagée 2"_ansi), std::string::npos);
  // A note written over several lines, read where the lines are read ahead.
  EXPECT_EQ(m_bd.LitEveNature(2 * kParBloc + 1, m_bd.NatDeces, 5), "Mort chez lui\r\nle soir\r\n");
  EXPECT_TRUE(octets(m_bd) == octets(enMemoire));
}

}  // namespace
}  // namespace kindrela
