#include "gedcom/gedcom_lines.h"
#include "core/ansi_literal.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kindrela {
namespace {

struct LigneLue {
  long numero;
  std::string texte;
  bool operator==(const LigneLue&) const = default;
};

std::vector<LigneLue> LitTout(std::string_view contenu, JeuCaracteres jeu = JeuCaracteres::Windows) {
  LecteurGedcom lecteur(contenu, jeu);
  std::vector<LigneLue> lignes;
  while (lecteur.Suivante()) lignes.push_back({lecteur.Ligne().numero, std::string(lecteur.Ligne().texte)});
  return lignes;
}

struct FinsDeLigne {
  const char* nom;
  const char* fin;
};

class LecteurGedcomFins : public ::testing::TestWithParam<FinsDeLigne> {};

TEST_P(LecteurGedcomFins, ReadsTheSameLinesAsCrLf) {
  const std::string fin = GetParam().fin;
  const std::string texte = "0 HEAD" + fin + "1 CHAR ANSI" + fin + fin + "0 TRLR" + fin;
  const std::vector<LigneLue> attendu = {{1, "0 HEAD"}, {2, "1 CHAR ANSI"}, {4, "0 TRLR"}};
  EXPECT_EQ(LitTout(texte), attendu);
  // Without a line end after the last line.
  EXPECT_EQ(LitTout(texte.substr(0, texte.size() - fin.size())), attendu);
}

INSTANTIATE_TEST_SUITE_P(Fins, LecteurGedcomFins,
                         ::testing::Values(FinsDeLigne{"CrLf", "\r\n"}, FinsDeLigne{"Lf", "\n"},
                                           FinsDeLigne{"CrSeul", "\r"}),
                         [](const auto& info) { return std::string(info.param.nom); });

TEST(LecteurGedcom, ReadsLongLinesWhole) {
  const std::string note(5000, 'x');
  for (const char* fin : {"\n", "\r", "\r\n"}) {
    auto lignes = LitTout("1 NOTE " + note + fin + "1 CONC y" + fin);
    ASSERT_EQ(lignes.size(), 2u) << fin;
    EXPECT_EQ(lignes[0].texte, "1 NOTE " + note);
  }
}

TEST(LecteurGedcom, SkipsByteOrderMarkAndCountsMixedEnds) {
  auto lignes = LitTout("\xEF\xBB\xBF" "0 HEAD\r1 A\n2 B\r\n\r\n3 C");
  const std::vector<LigneLue> attendu = {{1, "0 HEAD"}, {2, "1 A"}, {3, "2 B"}, {5, "3 C"}};
  EXPECT_EQ(lignes, attendu);
}

TEST(LecteurGedcom, RepositionsForOutOfOrderReading) {
  const std::string texte = "0 @N1@ NOTE a\n1 CONT b\n0 TRLR\n";
  LecteurGedcom lecteur(texte, JeuCaracteres::Windows);
  while (lecteur.Suivante()) {
  }
  lecteur.Positionne(0, 1);
  ASSERT_TRUE(lecteur.Suivante());
  EXPECT_EQ(lecteur.Ligne().tag, "NOTE");
  EXPECT_EQ(lecteur.Ligne().numero, 1);
  ASSERT_TRUE(lecteur.Suivante());
  EXPECT_EQ(lecteur.Ligne().tag, "CONT");
}

TEST(LecteurGedcom, CountsInvalidUtf8LinesAndGoesOn) {
  const std::string texte = "0 HEAD\n1 NAME RenÃ©\n1 NAME Badÿ\n1 NAME â‚\n0 TRLR\n"_ansi;
  LecteurGedcom lecteur(texte, JeuCaracteres::Utf8);
  std::vector<std::string> valeurs;
  while (lecteur.Suivante()) valeurs.emplace_back(lecteur.Ligne().valeur);
  ASSERT_EQ(valeurs.size(), 5u);
  EXPECT_EQ(valeurs[1], "René"_ansi);
  EXPECT_EQ(valeurs[2], "Bad?");
  EXPECT_EQ(lecteur.NbreLignesInvalides(), 2);
  EXPECT_EQ(lecteur.LignesInvalidesTexte(), "3, 4");
  EXPECT_GE(lecteur.Remplacements(), 2);
}

// ----- Lines read ahead by a thread -----

// A text of many lots of lines, with everything the reader treats apart:
// every kind of line end, blank lines, lower-case tags, references, letters
// beyond ASCII, bad UTF-8, long lines, lines without a level.
std::string TexteVarie() {
  std::string t = "\xEF\xBB\xBF" "0 HEAD\r\n1 CHAR UTF-8\r\n";
  const char* fins[] = {"\r\n", "\n", "\r"};
  for (int i = 0; i < 6000; ++i) {
    const std::string fin = fins[i % 3];
    t += "0 @I" + std::to_string(i) + "@ INDI" + fin;
    t += "1 NAME Jean /Dupont" + std::to_string(i) + "/" + fin;
    if (i % 7 == 0) t += "  \t " + fin;  // blank
    if (i % 11 == 0) t += "1 birt" + fin + "2 date 1 jan 1800" + fin;
    if (i % 13 == 0) t += "2 NOTE caf&#233; \xC3\xA9t\xC3\xA9" + fin;
    if (i % 17 == 0) t += "2 NOTE bad \xFF\xFE" + fin;
    if (i % 19 == 0) t += "3 CONC " + std::string(20000, 'x') + " " + fin;
    if (i % 23 == 0) t += "sans niveau" + fin + fin;
    if (i % 29 == 0) t += "1 DEAT " + fin + "2 NOTE a" + fin + "3 CONC " + fin;  // nothing after the tag's space
    t += "1 BIRT" + fin + "2 DATE " + std::to_string(1 + i % 28) + " MAR " +
         std::to_string(1700 + i % 200) + fin + "2 PLAC  Brest " + fin;
  }
  return t + "0 TRLR";
}

std::string Calcul(std::string_view valeur) { return "<" + std::string(valeur) + ">"; }

// What a reading gives, line by line, with the reader's counts; the
// positioning is the import's: back to the start of the line just read,
// jumps back to earlier records, then to the end.
std::vector<std::string> Lecture(const std::string& texte, JeuCaracteres jeu, bool anticipe,
                                 long& calculees) {
  LecteurGedcom lecteur(texte, jeu);
  if (anticipe) lecteur.Anticipe(0, "DATE", Calcul);
  std::vector<std::string> lu;
  std::vector<std::pair<std::size_t, long>> debuts;  // of the level-0 lines
  auto note = [&] {
    const LigneGedcom& l = lecteur.Ligne();
    std::string ligne = std::to_string(l.numero) + "|" + std::to_string(l.niveau);
    for (std::string_view partie : {l.xref, l.tag, l.valeur, l.brute, l.texte})
      (ligne += "|") += partie;
    for (long long n : {static_cast<long long>(lecteur.DebutLigne()),
                        static_cast<long long>(lecteur.Position()),
                        static_cast<long long>(lecteur.Remplacements()),
                        static_cast<long long>(lecteur.Fin())})
      ligne += "|" + std::to_string(n);
    lu.push_back(ligne);
    std::string_view calculee;
    if (lecteur.ValeurCalculee(calculee)) {
      ++calculees;
      EXPECT_EQ(calculee, Calcul(l.valeur)) << l.numero;
    }
  };
  for (int k = 0; lecteur.Suivante(); ++k) {
    note();
    if (lecteur.Ligne().niveau == 0)
      debuts.emplace_back(lecteur.DebutLigne(), lecteur.Ligne().numero);
    if (k % 500 == 499 && lecteur.Ligne().niveau == 0)
      lecteur.Positionne(debuts.back().first, debuts.back().second);
    if (k == 15000 || k == 30000)
      lecteur.Positionne(debuts[debuts.size() / 3].first, debuts[debuts.size() / 3].second);
  }
  note();
  lecteur.Positionne(texte.size(), lecteur.Ligne().numero + 1);
  EXPECT_FALSE(lecteur.Suivante());
  note();
  lu.push_back(lecteur.LignesInvalidesTexte() + "/" +
               std::to_string(lecteur.NbreLignesInvalides()));
  return lu;
}

TEST(LecteurGedcom, LinesReadAheadReadExactlyAsAlone) {
  const std::string texte = TexteVarie();
  for (JeuCaracteres jeu :
       {JeuCaracteres::Windows, JeuCaracteres::Utf8, JeuCaracteres::Ansel, JeuCaracteres::Dos}) {
    long seul = 0, anticipees = 0;
    const std::vector<std::string> attendu = Lecture(texte, jeu, false, seul);
    const std::vector<std::string> lu = Lecture(texte, jeu, true, anticipees);
    ASSERT_EQ(lu.size(), attendu.size()) << static_cast<int>(jeu);
    for (std::size_t i = 0; i < lu.size(); ++i)
      ASSERT_EQ(lu[i], attendu[i]) << static_cast<int>(jeu) << " " << i;
    EXPECT_EQ(seul, 0);
    EXPECT_GT(anticipees, 1000) << static_cast<int>(jeu);  // the thread made the results
  }
}

// ----- Splitting a line -----

struct Decoupage {
  const char* nom;
  const char* ligne;
  int niveau;
  const char* xref;
  const char* tag;
  const char* valeur;
  const char* brute;
};

class DecoupeLigne : public ::testing::TestWithParam<Decoupage> {};

TEST_P(DecoupeLigne, SplitsLevelXrefTagAndValue) {
  const Decoupage& d = GetParam();
  std::string tag;
  LigneGedcom l;
  DecoupeLigneGedcom(d.ligne, tag, l);
  EXPECT_EQ(l.niveau, d.niveau);
  EXPECT_EQ(l.xref, d.xref);
  EXPECT_EQ(l.tag, d.tag);
  EXPECT_EQ(l.valeur, d.valeur);
  EXPECT_EQ(l.brute, d.brute);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Lignes, DecoupeLigne, ::testing::Values(
    Decoupage{"Record", "0 @I12@ INDI", 0, "@I12@", "INDI", "", ""},
    Decoupage{"NoteRecord", "0 @N1@ NOTE Some text", 0, "@N1@", "NOTE", "Some text", "Some text"},
    Decoupage{"TagUpperCased", "1 name Jean /Dupont/", 1, "", "NAME", "Jean /Dupont/", "Jean /Dupont/"},
    Decoupage{"IndentedAndPadded", "   2 DATE   1 JAN 1900  ", 2, "", "DATE", "1 JAN 1900", "  1 JAN 1900  "},
    Decoupage{"ConcKeepsSpaces", "2 CONC  word ", 2, "", "CONC", "word", " word "},
    Decoupage{"NoValue", "1 BIRT", 1, "", "BIRT", "", ""},
    Decoupage{"NoLevel", "NAME Jean", -1, "", "", "", ""},
    Decoupage{"LevelWithoutSpace", "1NAME", -1, "", "", "", ""},
    Decoupage{"HugeLevel", "99999999999 X", -1, "", "", "", ""},
    Decoupage{"LevelAlone", "1", -1, "", "", "", ""}),
  [](const auto& info) { return std::string(info.param.nom); });
// clang-format on

TEST(Utf8Valide, RejectsMalformedSequences) {
  EXPECT_TRUE(Utf8Valide("plain"));
  EXPECT_TRUE(Utf8Valide("é€😀"));
  EXPECT_FALSE(Utf8Valide("À¯"_ansi));          // overlong
  EXPECT_FALSE(Utf8Valide("à€¯"_ansi));      // overlong
  EXPECT_FALSE(Utf8Valide("í €"_ansi));      // surrogate
  EXPECT_FALSE(Utf8Valide("\xF4\x90\x80\x80"));  // beyond U+10FFFF
  EXPECT_FALSE(Utf8Valide("été"_ansi));         // Windows-1252 text
  EXPECT_FALSE(Utf8Valide("abâ‚"_ansi));
  EXPECT_TRUE(Utf8Valide("abâ‚"_ansi, true));   // cut by the end of a sample
}

// ----- Preselection -----

struct Preselection {
  const char* nom;
  const char* debut;
  JeuCaracteres attendu;
};

class JeuPreselectionneTest : public ::testing::TestWithParam<Preselection> {};

TEST_P(JeuPreselectionneTest, ChoosesTheSetOfTheFile) {
  EXPECT_EQ(JeuPreselectionne(GetParam().debut), GetParam().attendu);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Fichiers, JeuPreselectionneTest, ::testing::Values(
    Preselection{"ByteOrderMark", "\xEF\xBB\xBF" "0 HEAD\n1 CHAR ANSEL\n", JeuCaracteres::Utf8},
    Preselection{"CharAnsel", "0 HEAD\n1 SOUR X\n1 CHAR ANSEL\n0 @I1@ INDI\n", JeuCaracteres::Ansel},
    Preselection{"CharIbmPc", "0 HEAD\r\n1 CHAR IBMPC\r\n", JeuCaracteres::Dos},
    Preselection{"CharAnsi", "0 HEAD\r1 CHAR ANSI\r", JeuCaracteres::Windows},
    Preselection{"CharUtf8", "0 HEAD\n1 CHAR UTF-8\n", JeuCaracteres::Utf8},
    Preselection{"NoCharValidUtf8", "0 HEAD\n1 GEDC\n2 VERS 7.0\n0 @I1@ INDI\n1 NAME René\n", JeuCaracteres::Utf8},
    Preselection{"NoCharLatin", "0 HEAD\n0 @I1@ INDI\n1 NAME René\n"_ansi, JeuCaracteres::Windows},
    Preselection{"NoCharAscii", "0 HEAD\n0 @I1@ INDI\n1 NAME Rene\n", JeuCaracteres::Windows},
    Preselection{"CharOutsideHeaderIgnored", "0 HEAD\n0 @N1@ NOTE x\n1 CHAR ANSEL\n", JeuCaracteres::Windows},
    Preselection{"UnknownCharValidUtf8", "0 HEAD\n1 CHAR MACINTOSH\n1 NOTE é\n", JeuCaracteres::Utf8}),
  [](const auto& info) { return std::string(info.param.nom); });
// clang-format on

}  // namespace
}  // namespace kindrela
