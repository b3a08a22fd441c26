#include "gedcom/gedcom_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/type_tables.h"
#include "core/ansi_literal.h"
#include "core/clock.h"
#include "core/database.h"
#include "core/fault_injection.h"
#include "core/file_io.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

std::vector<std::string> Lignes(const std::string& texte) {
  std::vector<std::string> res;
  size_t debut = 0;
  while (debut < texte.size()) {
    size_t fin = texte.find("\r\n", debut);
    EXPECT_NE(fin, std::string::npos) << "line without CR LF at " << debut;
    if (fin == std::string::npos) break;
    res.push_back(texte.substr(debut, fin - debut));
    debut = fin + 2;
  }
  return res;
}

class ExportGedcomTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FixeAujourdhui(Jour{2008, 1, 6});
    TTraduction traduction;
    m_tables.ChargeTexte(SorteTable::Evenements,
                         "Pour;Ev;Balise;\r\nIndividu;Naissance;BIRT;\r\nIndividu;Décès;DEAT;\r\n"
                         "Union;Mariage;MARR;\r\nIndividu;Sans balise;;\r\n"_ansi,
                         traduction);
    m_tables.ChargeTexte(SorteTable::Champs,
                         "D;Champ;Balise;\r\nOUI;Profession;OCCU;\r\nNON;Militaire;_MIL;\r\n",
                         traduction);
  }
  void TearDown() override { LibereAujourdhui(); }

  // Helper verbs.
  int Personne(const std::string& prenoms, const std::string& nom, int sexe, int pere = 0,
               int mere = 0) {
    int n = m_bd.NouvelleFiche();
    m_bd.EcritPrenoms(n, prenoms);
    m_bd.EcritNom(n, nom);
    m_bd.EcritSexe(n, sexe);
    if (pere) m_bd.EcritPere(n, pere);
    if (mere) m_bd.EcritMere(n, mere);
    return n;
  }
  int Evenement(int n, const std::string& nature, const std::string& date,
                const std::string& lieu = "") {
    int k = m_bd.AjouteEveFiche(n);
    EXPECT_GT(k, 0);
    int pos = m_bd.NbreEveFiche(n);
    m_bd.EcritEveFiche(n, pos, 1, nature);
    m_bd.EcritEveFiche(n, pos, 2, date);
    m_bd.EcritEveFiche(n, pos, 4, lieu);
    return pos;
  }
  std::string Texte(const OptionsExportGedcom& options = {}) {
    std::string s;
    EXPECT_TRUE(GenereGedcom(m_bd, m_tables, options, s));
    return s;
  }
  std::string TexteWindows() {
    OptionsExportGedcom o;
    o.jeu = JeuCaracteres::Windows;
    return Texte(o);
  }
  // The lines of the record opened by "0 <xref> <tag>", up to the next level 0.
  std::vector<std::string> Record(const std::string& texte, const std::string& ouverture) {
    std::vector<std::string> res;
    bool dedans = false;
    for (const std::string& l : Lignes(texte)) {
      if (l.rfind("0 ", 0) == 0) dedans = l == ouverture;
      if (dedans) res.push_back(l);
    }
    return res;
  }
  static bool Contient(const std::vector<std::string>& v, const std::string& l) {
    return std::find(v.begin(), v.end(), l) != v.end();
  }

  TBD m_bd;
  TTablesTypes m_tables;
};

TEST_F(ExportGedcomTest, PersonWithBirthUnionAndParents) {
  int pere = Personne("Paul", "DUPONT", 0);
  int mere = Personne("Anne", "MARTIN", 1);
  int jean = Personne("Jean", "DUPONT", 0, pere, mere);
  int femme = Personne("Rose", "PETIT", 1);
  int autre = Personne("Luc", "BLANC", 0);
  ASSERT_EQ(m_bd.CreeUnion(pere, mere), 1);
  ASSERT_EQ(m_bd.CreeUnion(autre, femme), 2);
  ASSERT_EQ(m_bd.CreeUnion(jean, femme), 3);
  Evenement(jean, "Naissance", "5/3/1900", "FRA,IDF,F75,Paris");
  const std::vector<std::string> attendu = {
      "0 @I3@ INDI", "1 NAME Jean/DUPONT/", "1 SEX M", "1 BIRT", "2 DATE 5 MAR 1900",
      "2 PLAC FRA,IDF,F75,Paris", "1 FAMC @F1@", "1 FAMS @F3@"};
  EXPECT_EQ(Record(TexteWindows(), "0 @I3@ INDI"), attendu);
  EXPECT_EQ(Record(TexteWindows(), "0 @F1@ FAM"),
            (std::vector<std::string>{"0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@", "1 CHIL @I3@"}));
}

TEST_F(ExportGedcomTest, HeaderAndTrailer) {
  OptionsExportGedcom o;
  o.jeu = JeuCaracteres::Dos;
  o.auteur = true;
  o.identite = "Marie Curie";
  o.adresse = "1 rue Pierre\r\n75005 Paris\r\n";
  std::vector<std::string> l = Lignes(Texte(o));
  const std::vector<std::string> entete = {
      "0 HEAD", "1 SOUR KINDRELA", "2 VERS 2008-01-06", "2 NAME Kindrela 2008-01-06",
      "2 CORP Tovamere", "1 DATE 6 JAN 2008", "1 GEDC", "2 VERS 5.5", "1 CHAR IBMPC",
      "1 LANG French", "1 SUBM @SUB1@", "0 @SUB1@ SUBM", "1 NAME Marie Curie",
      "1 ADDR 1 rue Pierre", "2 CONT 75005 Paris", "0 TRLR"};
  EXPECT_EQ(l, entete);
}

TEST_F(ExportGedcomTest, SexLinesAndUnknownSexIsNotWrittenAsWoman) {
  Personne("A", "X", 0);
  Personne("B", "X", 1);
  Personne("C", "X", 2);
  const std::string t = TexteWindows();
  EXPECT_TRUE(Contient(Record(t, "0 @I1@ INDI"), "1 SEX M"));
  EXPECT_TRUE(Contient(Record(t, "0 @I2@ INDI"), "1 SEX F"));
  EXPECT_TRUE(Contient(Record(t, "0 @I3@ INDI"), "1 SEX U"));
}

TEST_F(ExportGedcomTest, CustomFieldsWithAndWithoutTag) {
  int n = Personne("Jean", "DUPONT", 0);
  m_bd.EcritChampPerso(n, "Militaire", "Oui");
  m_bd.EcritChampPerso(n, "Vivant", "Oui");
  m_bd.EcritChampPerso(n, "Profession", "Menuisier");
  m_bd.EcritChamp(n, 18, "Note de Jean");
  std::vector<std::string> r = Record(TexteWindows(), "0 @I1@ INDI");
  EXPECT_TRUE(Contient(r, "1 _MIL Yes"));
  EXPECT_TRUE(Contient(r, "1 OCCU Menuisier"));
  EXPECT_TRUE(Contient(r, "1 NOTE Vivant : Oui"));
  EXPECT_TRUE(Contient(r, "2 CONT Note de Jean"));

  OptionsExportGedcom sansChamps;
  sansChamps.jeu = JeuCaracteres::Windows;
  sansChamps.champs = false;
  r = Record(Texte(sansChamps), "0 @I1@ INDI");
  EXPECT_FALSE(Contient(r, "1 _MIL Yes"));
  EXPECT_TRUE(Contient(r, "1 NOTE Note de Jean"));
}

TEST_F(ExportGedcomTest, EventsKindsCertaintyAndNotes) {
  int n = Personne("Jean", "DUPONT", 0);
  int k = Evenement(n, "Baptême"_ansi, "12/4/1901", "");
  m_bd.EcritEveFiche(n, k, 6, "1");
  m_bd.EcritEveFiche(n, k, 3, "10h");
  m_bd.EcritEveFiche(n, k, 5, "Parrain Paul");
  k = Evenement(n, "Sans balise", "1950");
  m_bd.EcritEveFiche(n, k, 6, "0");
  std::vector<std::string> r = Record(TexteWindows(), "0 @I1@ INDI");
  const std::vector<std::string> attendu = {
      "0 @I1@ INDI",    "1 NAME Jean/DUPONT/", "1 SEX M",       "1 EVEN",
      "2 TYPE Baptême"_ansi, "2 DATE 12 APR 1901", "2 TIME 10h", "2 QUAY 2",
      "2 NOTE Parrain Paul", "1 EVEN",          "2 TYPE Sans balise", "2 DATE 1950"};
  EXPECT_EQ(r, attendu);

  OptionsExportGedcom o;
  o.jeu = JeuCaracteres::Windows;
  o.notesEvenements = false;
  EXPECT_FALSE(Contient(Record(Texte(o), "0 @I1@ INDI"), "2 NOTE Parrain Paul"));
  o.evenements = false;
  EXPECT_FALSE(Contient(Record(Texte(o), "0 @I1@ INDI"), "1 EVEN"));
}

TEST_F(ExportGedcomTest, HundredYearsOptionLeavesOutRecentAndUndatedEvents) {
  int n = Personne("Jean", "DUPONT", 0);
  Evenement(n, "Naissance", "1/1/1928");  // 80 years before today
  Evenement(n, "Décès"_ansi, "");
  Evenement(n, "Naissance", "1850");
  OptionsExportGedcom o;
  o.jeu = JeuCaracteres::Windows;
  o.sansMoinsDeCentAns = true;
  std::vector<std::string> r = Record(Texte(o), "0 @I1@ INDI");
  EXPECT_FALSE(Contient(r, "2 DATE 1 JAN 1928"));
  EXPECT_FALSE(Contient(r, "1 DEAT"));
  EXPECT_TRUE(Contient(r, "2 DATE 1850"));
  o.sansMoinsDeCentAns = false;
  r = Record(Texte(o), "0 @I1@ INDI");
  EXPECT_TRUE(Contient(r, "2 DATE 1 JAN 1928"));
  EXPECT_TRUE(Contient(r, "1 DEAT"));
}

TEST_F(ExportGedcomTest, PseudoFamiliesOfSingleParents) {
  for (int i = 1; i <= 6; ++i) Personne("P" + std::to_string(i), "X", 1);
  int pere = Personne("Pierre", "X", 0);  // 7
  int enfant = Personne("Fils", "X", 0, pere, 0);
  int mere = Personne("Marie", "Y", 1);
  int fille = Personne("Fille", "Y", 1, 0, mere);
  int inconnu = Personne("Camille", "Z", 2);
  int petit = Personne("Petit", "Z", 0, inconnu, 0);
  const std::string t = TexteWindows();
  EXPECT_TRUE(Contient(Record(t, "0 @I8@ INDI"), "1 FAMC @F7x0@"));
  EXPECT_TRUE(Contient(Record(t, "0 @I7@ INDI"), "1 FAMS @F7x0@"));
  EXPECT_EQ(Record(t, "0 @F7x0@ FAM"),
            (std::vector<std::string>{"0 @F7x0@ FAM", "1 HUSB @I7@", "1 CHIL @I8@"}));
  EXPECT_TRUE(Contient(Record(t, "0 @I10@ INDI"), "1 FAMC @F0x9@"));
  EXPECT_TRUE(Contient(Record(t, "0 @I9@ INDI"), "1 FAMS @F0x9@"));
  EXPECT_EQ(Record(t, "0 @F0x9@ FAM"),
            (std::vector<std::string>{"0 @F0x9@ FAM", "1 WIFE @I9@", "1 CHIL @I10@"}));
  // A father of unknown sex: the child's link names the family that is written.
  EXPECT_TRUE(Contient(Record(t, "0 @I12@ INDI"), "1 FAMC @F0x11@"));
  EXPECT_EQ(Record(t, "0 @F0x11@ FAM"),
            (std::vector<std::string>{"0 @F0x11@ FAM", "1 WIFE @I11@", "1 CHIL @I12@"}));
  (void)enfant; (void)fille; (void)petit;
}

TEST_F(ExportGedcomTest, ChildrenOfParentsWithoutUnionKeepBothParents) {
  int pere = Personne("Paul", "X", 0);
  int mere = Personne("Anne", "Y", 1);
  int a = Personne("A", "X", 0, pere, mere);
  int b = Personne("B", "X", 1, pere, mere);
  const std::string t = TexteWindows();
  EXPECT_TRUE(Contient(Record(t, "0 @I3@ INDI"), "1 FAMC @F1x2@"));
  EXPECT_TRUE(Contient(Record(t, "0 @I1@ INDI"), "1 FAMS @F1x2@"));
  EXPECT_TRUE(Contient(Record(t, "0 @I2@ INDI"), "1 FAMS @F1x2@"));
  EXPECT_EQ(Record(t, "0 @F1x2@ FAM"),
            (std::vector<std::string>{"0 @F1x2@ FAM", "1 HUSB @I1@", "1 WIFE @I2@", "1 CHIL @I3@",
                                      "1 CHIL @I4@"}));
  (void)a; (void)b;
}

TEST_F(ExportGedcomTest, WithoutFamilyLinksNoFamilyIsNamed) {
  int pere = Personne("Paul", "X", 0);
  int mere = Personne("Anne", "Y", 1);
  Personne("A", "X", 0, pere, mere);
  Personne("B", "X", 0, pere, 0);
  ASSERT_GT(m_bd.CreeUnion(pere, mere), 0);
  OptionsExportGedcom o;
  o.jeu = JeuCaracteres::Windows;
  o.liensFamiliaux = false;
  const std::string t = Texte(o);
  EXPECT_EQ(t.find(" FAM"), std::string::npos);
  EXPECT_EQ(t.find("@F"), std::string::npos);
}

TEST_F(ExportGedcomTest, UnionEventsAndInvalidUnions) {
  int h = Personne("Paul", "X", 0);
  int f = Personne("Anne", "Y", 1);
  int u = m_bd.CreeUnion(h, f);
  int k = m_bd.AjouteEveUnion(u);
  ASSERT_GT(k, 0);
  m_bd.EcritEveUnion(u, 1, 1, "Mariage");
  m_bd.EcritEveUnion(u, 1, 2, "3/6/1925");
  int seul = m_bd.CreeUnion(Personne("Luc", "Z", 0), 0);  // no wife: not a family
  const std::string t = TexteWindows();
  EXPECT_EQ(Record(t, "0 @F1@ FAM"), (std::vector<std::string>{"0 @F1@ FAM", "1 HUSB @I1@",
                                                               "1 WIFE @I2@", "1 MARR",
                                                               "2 DATE 3 JUN 1925"}));
  EXPECT_TRUE(Record(t, "0 @F" + std::to_string(seul) + "@ FAM").empty());
  EXPECT_EQ(t.find("FAMS @F" + std::to_string(seul) + "@"), std::string::npos);
}

TEST_F(ExportGedcomTest, MarriageWithAnUnknownPartnerIsKept) {
  const int luc = Personne("Luc", "Z", 0);
  const int u = m_bd.CreeUnion(luc, 0);
  ASSERT_GT(m_bd.AjouteEveUnion(u), 0);
  m_bd.EcritEveUnion(u, 1, 1, "Mariage");
  m_bd.EcritEveUnion(u, 1, 2, "1925");
  const std::string t = TexteWindows();
  const std::string famille = "@F" + std::to_string(u) + "@";
  EXPECT_EQ(Record(t, "0 " + famille + " FAM"),
            (std::vector<std::string>{"0 " + famille + " FAM", "1 HUSB @I1@", "1 MARR", "2 DATE 1925"}));
  EXPECT_NE(t.find("1 FAMS " + famille), std::string::npos);
}

TEST_F(ExportGedcomTest, SourcesWithMediaAndCitations) {
  int n = Personne("Jean", "DUPONT", 0);
  int s = m_bd.AjouteNouvelleSrc(n);
  ASSERT_EQ(s, 1);
  m_bd.EcritChampSrc(s, 1, "Registre");
  m_bd.EcritChampSrc(s, 4, "photo.jpeg|Portrait");
  m_bd.EcritChampSrc(s, 2, "Texte de la source");
  int vide = m_bd.NouvelleSrc();
  std::string t = TexteWindows();
  EXPECT_TRUE(Contient(Record(t, "0 @I1@ INDI"), "1 SOUR @S1@"));
  EXPECT_EQ(Record(t, "0 @S1@ SOUR"),
            (std::vector<std::string>{"0 @S1@ SOUR", "1 TITL Registre", "1 ABBR", "1 OBJE",
                                      "2 FORM jpe", "2 FILE photo.jpeg", "2 NOTE Portrait",
                                      "1 NOTE Texte de la source"}));
  EXPECT_EQ(Record(t, "0 @S2@ SOUR"),
            (std::vector<std::string>{"0 @S2@ SOUR", "1 TITL", "1 ABBR"}));
  // A citation of a freed source would point at no record.
  m_bd.EffaceSrc(s);
  t = TexteWindows();
  EXPECT_FALSE(Contient(Record(t, "0 @I1@ INDI"), "1 SOUR @S1@"));
  OptionsExportGedcom o;
  o.jeu = JeuCaracteres::Windows;
  o.sources = false;
  EXPECT_EQ(Texte(o).find("SOUR @S"), std::string::npos);
  (void)vide;
}

TEST_F(ExportGedcomTest, ValuesWithLineBreaksCannotStartARecord) {
  int n = Personne("Jean\r\n0 @I9@ INDI", "DUPONT", 0);
  Evenement(n, "Naissance", "1900", "Paris\n0 TRLR");
  const std::string t = TexteWindows();
  for (const std::string& l : Lignes(t))
    if (l.rfind("0 ", 0) == 0) EXPECT_TRUE(l == "0 HEAD" || l == "0 @I1@ INDI" || l == "0 TRLR") << l;
  EXPECT_TRUE(Contient(Record(t, "0 @I1@ INDI"), "2 PLAC Paris 0 TRLR"));
}

TEST_F(ExportGedcomTest, CharacterSetsOfTheWholeFile) {
  Personne("Renée"_ansi, "LÉVY"_ansi, 1);
  struct Cas {
    JeuCaracteres jeu;
    const char* charLigne;
    const char* nom;
  } cas[] = {
      {JeuCaracteres::Ansel, "1 CHAR ANSEL", "1 NAME Renâee/LâEVY/"_ansi},
      {JeuCaracteres::Dos, "1 CHAR IBMPC", "1 NAME Ren\x82" "e/L\x90VY/"},
      {JeuCaracteres::Windows, "1 CHAR ANSI", "1 NAME Renée/LÉVY/"_ansi},
      {JeuCaracteres::Utf8, "1 CHAR UTF-8", "1 NAME Renée/LÉVY/"},
  };
  for (const Cas& c : cas) {
    OptionsExportGedcom o;
    o.jeu = c.jeu;
    std::vector<std::string> l = Lignes(Texte(o));
    EXPECT_TRUE(Contient(l, c.charLigne)) << NomJeu(c.jeu);
    EXPECT_TRUE(Contient(l, c.nom)) << NomJeu(c.jeu);
  }
}

TEST_F(ExportGedcomTest, SameTreeSameFile) {
  int p = Personne("Paul", "X", 0);
  int m = Personne("Anne", "Y", 1);
  m_bd.CreeUnion(p, m);
  Personne("A", "X", 0, p, m);
  Personne("B", "X", 0, p, 0);
  m_bd.SupprimeFiche(Personne("Temp", "T", 0));
  Personne("C", "Z", 1);  // reuses the freed slot
  EXPECT_EQ(Texte(), Texte());
}

TEST_F(ExportGedcomTest, ProgressAndCancel) {
  for (int i = 0; i < 60; ++i) Personne("P", "X", i % 2);
  std::vector<long long> faits;
  std::string s;
  EXPECT_TRUE(GenereGedcom(m_bd, m_tables, {}, s, [&](long long fait, long long total) {
    EXPECT_EQ(total, 60);
    faits.push_back(fait);
    return true;
  }));
  EXPECT_EQ(faits, (std::vector<long long>{25, 50}));

  const std::string chemin = testing::TempDir() + "annule.ged";
  std::remove(chemin.c_str());
  Statut st = ExportGedcom(m_bd, m_tables, chemin, {}, [](long long, long long) { return false; });
  EXPECT_TRUE(st.annule());
  EXPECT_FALSE(FichierExiste(chemin));
}

TEST_F(ExportGedcomTest, WriteFailuresNameTheFileAndKeepThePreviousOne) {
  Personne("Jean", "DUPONT", 0);
  Statut st = ExportGedcom(m_bd, m_tables, "/nonexistent-folder/arbre.ged", {});
  ASSERT_FALSE(st.ok());
  EXPECT_FALSE(st.annule());
  EXPECT_NE(st.message().find("arbre.ged"), std::string::npos) << st.message();

  const std::string chemin = testing::TempDir() + "ancien.ged";
  ASSERT_TRUE(EcritFichierAtomique(chemin, "ancien contenu").ok());
  SimuleEchecEcriture(10);
  st = ExportGedcom(m_bd, m_tables, chemin, {});
  SimuleEchecEcriture(-1);
  EXPECT_FALSE(st.ok());
  std::string contenu;
  ASSERT_TRUE(LitFichier(chemin, contenu).ok());
  EXPECT_EQ(contenu, "ancien contenu");
  ASSERT_TRUE(ExportGedcom(m_bd, m_tables, chemin, {}).ok());
  ASSERT_TRUE(LitFichier(chemin, contenu).ok());
  EXPECT_EQ(contenu.substr(0, 8), "0 HEAD\r\n");
  std::remove(chemin.c_str());
}

// Notes: wrapping and line breaks.
struct CasNote {
  const char* nom;
  const char* texte;
  int niveau;
  std::vector<std::string> lignes;
};

class NoteGedcomTest : public ::testing::TestWithParam<CasNote> {};

TEST_P(NoteGedcomTest, Lines) {
  EXPECT_EQ(Lignes(NoteGedcom(GetParam().texte, GetParam().niveau)), GetParam().lignes);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Notes, NoteGedcomTest, ::testing::Values(
  CasNote{"vide", "", 1, {}},
  CasNote{"blancs_et_fins_de_ligne", "  \r\n \r\n", 1, {}},
  CasNote{"courte", "Une note.\r\n", 1, {"1 NOTE Une note."}},
  CasNote{"quarante_tout_juste", "0123456789012345678901234567890123456789", 1,
          {"1 NOTE 0123456789012345678901234567890123456789"}},
  CasNote{"quarante_et_un", "0123456789012345678901234567890123456789X", 1,
          {"1 NOTE 0123456789012345678901234567890123456789", "2 CONC X"}},
  CasNote{"jamais_a_cote_d_un_espace", "Le mariage fut célébré en l'église de S Malo"_ansi, 2,
          {"2 NOTE Le mariage fut célébré en l'église d"_ansi, "3 CONC e S Malo"}},
  CasNote{"espace_en_quarantieme", "012345678901234567890123456789012345678 abc", 1,
          {"1 NOTE 01234567890123456789012345678901234567", "2 CONC 8 abc"}},
  CasNote{"paragraphes", "Ligne 1\r\nLigne 2\nLigne 3\r\rFin   \r\n\r\n", 1,
          {"1 NOTE Ligne 1", "2 CONT Ligne 2", "2 CONT Ligne 3", "2 CONT", "2 CONT Fin"}},
  CasNote{"long_paragraphe_apres_saut", "a\r\n01234567890123456789012345678901234567890123456789", 1,
          {"1 NOTE a", "2 CONT 0123456789012345678901234567890123456789", "2 CONC 0123456789"}}),
  [](const auto& info) { return std::string(info.param.nom); });
// clang-format on

TEST(NoteGedcom, WrappedNotesReadBackAsWritten) {
  // A reader that trims the ends of lines, joins CONC as it stands and CONT
  // with a line break gets the note back; no line passes 40 characters.
  uint32_t etat = 2008;
  auto hasard = [&etat](uint32_t n) {
    etat ^= etat << 13;
    etat ^= etat >> 17;
    etat ^= etat << 5;
    return etat % n;
  };
  for (int essai = 0; essai < 500; ++essai) {
    std::string note;
    for (int p = 0, nbP = 1 + static_cast<int>(hasard(3)); p < nbP; ++p) {
      if (p) note += "\r\n";
      for (int m = 0, nbM = static_cast<int>(hasard(30)); m < nbM; ++m) {
        if (m) note += hasard(10) == 0 ? "  " : " ";
        note += std::string(hasard(20) == 0 ? 45 : 1 + hasard(12), static_cast<char>('a' + hasard(26)));
      }
    }
    std::string relu;
    for (const std::string& l : Lignes(NoteGedcom(note, 1))) {
      std::string valeur = l.size() > 7 ? l.substr(7) : "";
      ASSERT_LE(valeur.size(), 40u) << l;
      while (!valeur.empty() && valeur.back() == ' ') valeur.pop_back();
      if (l.rfind("2 CONT", 0) == 0) relu += "\r\n";
      relu += valeur;
    }
    while (!note.empty() && (note.back() == '\n' || note.back() == '\r')) note.pop_back();
    ASSERT_EQ(relu, note) << essai;
  }
}

// A damaged tree: links to free slots, to numbers out of the tables and to
// no one. The file still names only records it holds.
TEST_F(ExportGedcomTest, WritesNoPointerToARecordItDoesNotWrite) {
  const int pere = Personne("Paul", "DUPONT", 0);
  const int libre = Personne("Parti", "X", 1);
  const int enfant = Personne("Jean", "DUPONT", 0, pere, libre);
  const int horsTable = Personne("Luc", "DUPONT", 0, 99999999, -5);
  const int seul = Personne("Rose", "PETIT", 1, 0, libre);
  m_bd.EcritChampUnion(m_bd.CreeUnion(pere, libre), 3, "1900");
  m_bd.CreeUnion(horsTable, libre);
  const int fantome = m_bd.CreeUnion(pere, seul);
  m_bd.EcritNumF(fantome, 77777);
  m_bd.AjouteSrc(enfant, 4242);
  m_bd.FicheBrute(libre).Utilise = 0;  // freed without its links, as a damaged file loads
  m_bd.ReconstruitIndex();

  const std::string texte = TexteWindows();
  std::vector<std::string> definis, cites;
  for (const std::string& l : Lignes(texte)) {
    size_t a = l.find('@');
    if (a == std::string::npos) continue;
    size_t b = l.find('@', a + 1);
    (l.rfind("0 ", 0) == 0 ? definis : cites).push_back(l.substr(a, b - a + 1));
  }
  for (const std::string& x : cites)
    EXPECT_NE(std::find(definis.begin(), definis.end(), x), definis.end()) << x << "\n" << texte;
  // What is sound is still written: the father and his children.
  EXPECT_TRUE(Contient(Record(texte, "0 @I3@ INDI"), "1 FAMC @F1x0@"));
  EXPECT_TRUE(Contient(Record(texte, "0 @F1x0@ FAM"), "1 CHIL @I3@"));
  EXPECT_TRUE(Contient(Record(texte, "0 @F1@ FAM"), "2 DATE 1900"));
  EXPECT_FALSE(Contient(Record(texte, "0 @I5@ INDI"), "1 FAMC @F0x2@"));
}

// Whatever stops an export half-way (a full disk, a failed step, the
// program killed), the file exported before stays whole.
TEST_F(ExportGedcomTest, AFailedOrKilledExportLeavesThePreviousFile) {
  test::SansPanneALaFin sansPanne;
  for (int i = 0; i < 3000; ++i) Personne("Jean", "DUPONT", 0);
  const std::string dossier = testing::TempDir() + "export-pannes/";
  std::filesystem::remove_all(dossier);
  std::filesystem::create_directories(dossier);
  const std::string chemin = dossier + "arbre.ged";
  ASSERT_TRUE(EcritFichierAtomique(chemin, "ancien contenu").ok());
  auto expectAncienSeul = [&] {
    std::string contenu;
    ASSERT_TRUE(LitFichier(chemin, contenu).ok());
    EXPECT_EQ(contenu, "ancien contenu");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dossier), {}), 1);
  };
  test::DisquePleinApres(70000);
  Statut st = ExportGedcom(m_bd, m_tables, chemin, {});
  ASSERT_FALSE(st.ok());
  EXPECT_EQ(st.message(), "Impossible d'écrire le fichier "_ansi + chemin + " : le disque est plein");
  expectAncienSeul();

  const std::size_t etapes = test::Etapes([&] { (void)ExportGedcom(m_bd, m_tables, dossier + "essai.ged", {}); }).size();
  std::filesystem::remove(dossier + "essai.ged");
  for (std::size_t k = 0; k < etapes; ++k) {
    SCOPED_TRACE(k);
    test::TueALEtape(k, [&] { (void)ExportGedcom(m_bd, m_tables, chemin, {}); });
    std::string contenu;
    ASSERT_TRUE(LitFichier(chemin, contenu).ok());
    EXPECT_EQ(contenu, "ancien contenu");
    // The next export removes what the killed one left.
    ASSERT_TRUE(ExportGedcom(m_bd, m_tables, dossier + "arbre.ged", {}).ok());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dossier), {}), 1);
    ASSERT_TRUE(EcritFichierAtomique(chemin, "ancien contenu").ok());
  }
  std::filesystem::remove_all(dossier);
}

}  // namespace
}  // namespace kindrela
