#include "gedcom/gedcom_charsets.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace kindrela {
namespace {

// One letter of the accent table: its Windows-1252 byte, its code page 850
// byte (0 when 850 lacks it) and its ANSEL pair.
struct LettreAccentuee {
  const char* nom;
  unsigned char ansi;
  unsigned char dos;
  const char* ansel;
};

std::string Octet(unsigned char c) { return std::string(1, static_cast<char>(c)); }

class TableDesAccents : public ::testing::TestWithParam<LettreAccentuee> {};

TEST_P(TableDesAccents, DosBothWays) {
  const LettreAccentuee& l = GetParam();
  if (l.dos == 0) {
    // 850 has no such letter: the closest plain one, never a byte that reads
    // back as something else.
    EXPECT_EQ(EncodeLigne(Octet(l.ansi), JeuCaracteres::Dos), "Y");
    return;
  }
  int remplaces = -1;
  EXPECT_EQ(DecodeLigne("x" + Octet(l.dos) + "y", JeuCaracteres::Dos, &remplaces),
            "x" + Octet(l.ansi) + "y");
  EXPECT_EQ(remplaces, 0);
  EXPECT_EQ(EncodeLigne("x" + Octet(l.ansi) + "y", JeuCaracteres::Dos), "x" + Octet(l.dos) + "y");
}

TEST_P(TableDesAccents, AnselBothWays) {
  const LettreAccentuee& l = GetParam();
  int remplaces = -1;
  EXPECT_EQ(DecodeLigne(std::string("1 NAME ") + l.ansel + "/", JeuCaracteres::Ansel, &remplaces),
            "1 NAME " + Octet(l.ansi) + "/");
  EXPECT_EQ(remplaces, 0);
  EXPECT_EQ(EncodeLigne("1 NAME " + Octet(l.ansi) + "/", JeuCaracteres::Ansel),
            std::string("1 NAME ") + l.ansel + "/");
}

// clang-format off
const LettreAccentuee kAccents[] = {
  {"a_aigu", 0xE1, 0xA0, "\xE2" "a"}, {"A_aigu", 0xC1, 0xB5, "\xE2" "A"},
  {"e_aigu", 0xE9, 0x82, "\xE2" "e"}, {"E_aigu", 0xC9, 0x90, "\xE2" "E"},
  {"i_aigu", 0xED, 0xA1, "\xE2" "i"}, {"I_aigu", 0xCD, 0xD6, "\xE2" "I"},
  {"o_aigu", 0xF3, 0xA2, "\xE2" "o"}, {"O_aigu", 0xD3, 0xE0, "\xE2" "O"},
  {"u_aigu", 0xFA, 0xA3, "\xE2" "u"}, {"U_aigu", 0xDA, 0xE9, "\xE2" "U"},
  {"y_aigu", 0xFD, 0xEC, "\xE2" "y"}, {"Y_aigu", 0xDD, 0xED, "\xE2" "Y"},
  {"a_grave", 0xE0, 0x85, "\xE1" "a"}, {"A_grave", 0xC0, 0xB7, "\xE1" "A"},
  {"e_grave", 0xE8, 0x8A, "\xE1" "e"}, {"E_grave", 0xC8, 0xD4, "\xE1" "E"},
  {"i_grave", 0xEC, 0x8D, "\xE1" "i"}, {"I_grave", 0xCC, 0xDE, "\xE1" "I"},
  {"o_grave", 0xF2, 0x95, "\xE1" "o"}, {"O_grave", 0xD2, 0xE3, "\xE1" "O"},
  {"u_grave", 0xF9, 0x97, "\xE1" "u"}, {"U_grave", 0xD9, 0xEB, "\xE1" "U"},
  {"a_circ", 0xE2, 0x83, "\xE3" "a"}, {"A_circ", 0xC2, 0xB6, "\xE3" "A"},
  {"e_circ", 0xEA, 0x88, "\xE3" "e"}, {"E_circ", 0xCA, 0xD2, "\xE3" "E"},
  {"i_circ", 0xEE, 0x8C, "\xE3" "i"}, {"I_circ", 0xCE, 0xD7, "\xE3" "I"},
  {"o_circ", 0xF4, 0x93, "\xE3" "o"}, {"O_circ", 0xD4, 0xE2, "\xE3" "O"},
  {"u_circ", 0xFB, 0x96, "\xE3" "u"}, {"U_circ", 0xDB, 0xEA, "\xE3" "U"},
  {"a_trema", 0xE4, 0x84, "\xE8" "a"}, {"A_trema", 0xC4, 0x8E, "\xE8" "A"},
  {"e_trema", 0xEB, 0x89, "\xE8" "e"}, {"E_trema", 0xCB, 0xD3, "\xE8" "E"},
  {"i_trema", 0xEF, 0x8B, "\xE8" "i"}, {"I_trema", 0xCF, 0xD8, "\xE8" "I"},
  {"o_trema", 0xF6, 0x94, "\xE8" "o"}, {"O_trema", 0xD6, 0x99, "\xE8" "O"},
  {"u_trema", 0xFC, 0x81, "\xE8" "u"}, {"U_trema", 0xDC, 0x9A, "\xE8" "U"},
  {"y_trema", 0xFF, 0x98, "\xE8" "y"}, {"Y_trema", 0x9F, 0x00, "\xE8" "Y"},
  {"c_cedille", 0xE7, 0x87, "\xF0" "c"}, {"C_cedille", 0xC7, 0x80, "\xF0" "C"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(QuaranteSixLettres, TableDesAccents, ::testing::ValuesIn(kAccents),
                         [](const auto& info) { return std::string(info.param.nom); });

// ANSEL letters beyond the accent table: the Windows-1252 letter when there
// is one, else the closest plain letter, counted as replaced.
struct CasAnsel {
  const char* nom;
  const char* ansel;
  const char* ansi;
  int remplaces;
};

class AnselAuDela : public ::testing::TestWithParam<CasAnsel> {};

TEST_P(AnselAuDela, Decode) {
  int remplaces = -1;
  EXPECT_EQ(DecodeLigne(GetParam().ansel, JeuCaracteres::Ansel, &remplaces), GetParam().ansi);
  EXPECT_EQ(remplaces, GetParam().remplaces);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Lettres, AnselAuDela, ::testing::Values(
  CasAnsel{"tilde_n", "Espa\xE4" "na", "Espa\xF1" "a", 0},
  CasAnsel{"tilde_O", "\xE4" "O", "\xD5", 0},
  CasAnsel{"rond_a", "\xEA" "angstr\xEA" "A", "\xE5ngstr\xC5", 0},
  CasAnsel{"caron_s_Z", "\xE9" "s\xE9" "Z", "\x9A\x8E", 0},
  CasAnsel{"macron_sans_lettre_ansi", "\xE5" "a", "a", 1},
  CasAnsel{"ligatures", "\xA5\xB5\xA6\xB6", "\xC6\xE6\x8C\x9C", 0},
  CasAnsel{"o_barre", "\xA2\xB2", "\xD8\xF8", 0},
  CasAnsel{"l_barre", "\xA1" "od\xB1", "Lodl", 2},
  CasAnsel{"eth_thorn", "\xA3\xBA\xA4\xB4", "\xD0\xF0\xDE\xFE", 0},
  CasAnsel{"eszett_deux_codes", "Stra\xCF" "e Gro\xC7", "Stra\xDF" "e Gro\xDF", 0},
  CasAnsel{"symboles", "\xB9\xC3\xAA\xAB\xC0", "\xA3\xA9\xAE\xB1\xB0", 0},
  CasAnsel{"apostrophes", "Hawai\xB0i", "Hawai'i", 1},
  CasAnsel{"marque_en_fin_de_ligne", "abc\xE2", "abc", 1},
  CasAnsel{"marque_avant_un_chiffre", "\xE2" "1", "1", 1},
  CasAnsel{"deux_marques", "\xE5\xE2" "e", "\xE9", 1},
  CasAnsel{"octet_non_defini", "a\x85" "b", "a?b", 1},
  CasAnsel{"ascii", "1 NAME Jean /DUPONT/", "1 NAME Jean /DUPONT/", 0}));
// clang-format on

TEST(JeuxDeCaracteres, DosCharacters850HasOutsideTheTable) {
  int remplaces = -1;
  // ß, ñ, ø, £ are 850 letters outside the accent table; box drawing has no
  // Windows-1252 form.
  EXPECT_EQ(DecodeLigne("\xE1\xA4\x9B\x9C\xC4", JeuCaracteres::Dos, &remplaces),
            "\xDF\xF1\xF8\xA3?");
  EXPECT_EQ(remplaces, 1);
}

TEST(JeuxDeCaracteres, DosAndAnselKeepEveryLatinLetter) {
  // Every Windows-1252 letter from 0xC0 to 0xFF comes back from both sets
  // (the multiplication and division signs are not letters).
  for (int c = 0xC0; c <= 0xFF; ++c) {
    if (c == 0xD7 || c == 0xF7) continue;
    const std::string lettre = Octet(static_cast<unsigned char>(c));
    for (JeuCaracteres jeu : {JeuCaracteres::Dos, JeuCaracteres::Ansel}) {
      int remplaces = -1;
      EXPECT_EQ(DecodeLigne(EncodeLigne(lettre, jeu), jeu, &remplaces), lettre)
          << NomJeu(jeu) << " " << c;
      EXPECT_EQ(remplaces, 0);
    }
  }
}

TEST(JeuxDeCaracteres, EncodingNeverWritesAByteThatReadsAsAnotherLetter) {
  // Characters a set lacks become plain ones rather than bytes that the set
  // gives another meaning.
  EXPECT_EQ(EncodeLigne("\x8A\x9E\x93Oui\x94", JeuCaracteres::Dos), "Sz\"Oui\"");
  EXPECT_EQ(EncodeLigne("\xAB" "x\xBB \xD7 \xBD", JeuCaracteres::Ansel), "\"x\" x 1/2");
}

TEST(JeuxDeCaracteres, Utf8BothWaysForEveryByte) {
  std::string tous;
  for (int c = 1; c < 256; ++c) tous += static_cast<char>(c);
  const std::string utf8 = EncodeLigne(tous, JeuCaracteres::Utf8);
  EXPECT_EQ(EncodeLigne("\xE9\x80", JeuCaracteres::Utf8), "\xC3\xA9\xE2\x82\xAC");
  int remplaces = -1;
  EXPECT_EQ(DecodeLigne(utf8, JeuCaracteres::Utf8, &remplaces), tous);
  EXPECT_EQ(remplaces, 0);
}

struct CasUtf8 {
  const char* nom;
  const char* utf8;
  const char* ansi;
  int remplaces;
};

class Utf8VersWindows : public ::testing::TestWithParam<CasUtf8> {};

TEST_P(Utf8VersWindows, Decode) {
  int remplaces = -1;
  EXPECT_EQ(DecodeLigne(GetParam().utf8, JeuCaracteres::Utf8, &remplaces), GetParam().ansi);
  EXPECT_EQ(remplaces, GetParam().remplaces);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cas, Utf8VersWindows, ::testing::Values(
  CasUtf8{"accents", "1 NAME Ren\xC3\xA9" "e /L\xC3\x89VY/", "1 NAME Ren\xE9" "e /L\xC9VY/", 0},
  CasUtf8{"lettre_sans_place_devient_simple", "\xC5\x81\xC3\xB3" "d\xC5\xBA", "L\xF3" "dz", 2},
  CasUtf8{"ideogramme", "a\xE4\xB8\xAD" "b", "a?b", 1},
  CasUtf8{"marque_d_ordre_en_tete", "\xEF\xBB\xBF" "0 HEAD", "0 HEAD", 0},
  CasUtf8{"sequence_coupee", "ab\xC3", "ab?", 1},
  CasUtf8{"octet_isole", "a\xA9" "b", "a?b", 1},
  CasUtf8{"forme_trop_longue", "\xC0\xAF", "??", 2},
  CasUtf8{"suite_apres_erreur", "\xC3(\xC3\xA7", "?(\xE7", 1}));
// clang-format on

TEST(JeuxDeCaracteres, RandomBytesDecodeToTextThatKeepsThroughEncoding) {
  // Whatever a file holds, decoding goes on, and what it gives is text the
  // same set writes and reads back unchanged.
  uint32_t etat = 12345;
  auto hasard = [&etat] {
    etat ^= etat << 13;
    etat ^= etat >> 17;
    etat ^= etat << 5;
    return etat;
  };
  for (JeuCaracteres jeu : {JeuCaracteres::Dos, JeuCaracteres::Ansel, JeuCaracteres::Utf8}) {
    for (int essai = 0; essai < 2000; ++essai) {
      std::string octets(hasard() % 40, '\0');
      for (char& c : octets) c = static_cast<char>(hasard() % 4 == 0 ? 0xC0 + hasard() % 64 : hasard());
      const std::string lu = DecodeLigne(octets, jeu);
      ASSERT_EQ(DecodeLigne(EncodeLigne(lu, jeu), jeu), lu) << NomJeu(jeu) << " " << essai;
    }
  }
}

TEST(JeuxDeCaracteres, WindowsPassesBytesUnchanged) {
  const std::string s = "a\x81\xE9\x00z";
  int remplaces = -1;
  EXPECT_EQ(DecodeLigne(s, JeuCaracteres::Windows, &remplaces), s);
  EXPECT_EQ(remplaces, 0);
  EXPECT_EQ(EncodeLigne(s, JeuCaracteres::Windows), s);
}

TEST(JeuxDeCaracteres, DecodeIntoReusesAndClearsTheBuffer) {
  std::string tampon = "reste d'une ligne plus longue";
  DecodeLigneDans("\x82t\x82", JeuCaracteres::Dos, tampon);
  EXPECT_EQ(tampon, "\xE9t\xE9");
  DecodeLigneDans("\xE2" "e", JeuCaracteres::Ansel, tampon);
  EXPECT_EQ(tampon, "\xE9");
}

TEST(JeuxDeCaracteres, NamesAndHeaderValues) {
  JeuCaracteres jeu = JeuCaracteres::Windows;
  EXPECT_TRUE(JeuDepuisNom("utf-8", jeu));
  EXPECT_EQ(jeu, JeuCaracteres::Utf8);
  EXPECT_TRUE(JeuDepuisNom("dos", jeu));
  EXPECT_EQ(jeu, JeuCaracteres::Dos);
  EXPECT_FALSE(JeuDepuisNom("latin1", jeu));
  EXPECT_EQ(jeu, JeuCaracteres::Dos);
  EXPECT_STREQ(ValeurCharGedcom(JeuCaracteres::Dos), "IBMPC");
  EXPECT_STREQ(ValeurCharGedcom(JeuCaracteres::Windows), "ANSI");
  EXPECT_STREQ(ValeurCharGedcom(JeuCaracteres::Ansel), "ANSEL");
  EXPECT_STREQ(ValeurCharGedcom(JeuCaracteres::Utf8), "UTF-8");
  for (JeuCaracteres j : {JeuCaracteres::Dos, JeuCaracteres::Windows, JeuCaracteres::Ansel,
                          JeuCaracteres::Utf8}) {
    JeuCaracteres lu = JeuCaracteres::Windows;
    EXPECT_TRUE(JeuDepuisCharGedcom(ValeurCharGedcom(j), lu));
    EXPECT_EQ(lu, j);
  }
  EXPECT_TRUE(JeuDepuisCharGedcom(" ibm pc ", jeu));
  EXPECT_EQ(jeu, JeuCaracteres::Dos);
  EXPECT_FALSE(JeuDepuisCharGedcom("EBCDIC", jeu));
}

}  // namespace
}  // namespace kindrela
