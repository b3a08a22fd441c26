#include "gedcom/gedcom_charsets.h"
#include "core/ansi_literal.h"

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
  {"a_aigu", 0xE1, 0xA0, "âa"_ansi}, {"A_aigu", 0xC1, 0xB5, "âA"_ansi},
  {"e_aigu", 0xE9, 0x82, "âe"_ansi}, {"E_aigu", 0xC9, 0x90, "âE"_ansi},
  {"i_aigu", 0xED, 0xA1, "âi"_ansi}, {"I_aigu", 0xCD, 0xD6, "âI"_ansi},
  {"o_aigu", 0xF3, 0xA2, "âo"_ansi}, {"O_aigu", 0xD3, 0xE0, "âO"_ansi},
  {"u_aigu", 0xFA, 0xA3, "âu"_ansi}, {"U_aigu", 0xDA, 0xE9, "âU"_ansi},
  {"y_aigu", 0xFD, 0xEC, "ây"_ansi}, {"Y_aigu", 0xDD, 0xED, "âY"_ansi},
  {"a_grave", 0xE0, 0x85, "áa"_ansi}, {"A_grave", 0xC0, 0xB7, "áA"_ansi},
  {"e_grave", 0xE8, 0x8A, "áe"_ansi}, {"E_grave", 0xC8, 0xD4, "áE"_ansi},
  {"i_grave", 0xEC, 0x8D, "ái"_ansi}, {"I_grave", 0xCC, 0xDE, "áI"_ansi},
  {"o_grave", 0xF2, 0x95, "áo"_ansi}, {"O_grave", 0xD2, 0xE3, "áO"_ansi},
  {"u_grave", 0xF9, 0x97, "áu"_ansi}, {"U_grave", 0xD9, 0xEB, "áU"_ansi},
  {"a_circ", 0xE2, 0x83, "ãa"_ansi}, {"A_circ", 0xC2, 0xB6, "ãA"_ansi},
  {"e_circ", 0xEA, 0x88, "ãe"_ansi}, {"E_circ", 0xCA, 0xD2, "ãE"_ansi},
  {"i_circ", 0xEE, 0x8C, "ãi"_ansi}, {"I_circ", 0xCE, 0xD7, "ãI"_ansi},
  {"o_circ", 0xF4, 0x93, "ão"_ansi}, {"O_circ", 0xD4, 0xE2, "ãO"_ansi},
  {"u_circ", 0xFB, 0x96, "ãu"_ansi}, {"U_circ", 0xDB, 0xEA, "ãU"_ansi},
  {"a_trema", 0xE4, 0x84, "èa"_ansi}, {"A_trema", 0xC4, 0x8E, "èA"_ansi},
  {"e_trema", 0xEB, 0x89, "èe"_ansi}, {"E_trema", 0xCB, 0xD3, "èE"_ansi},
  {"i_trema", 0xEF, 0x8B, "èi"_ansi}, {"I_trema", 0xCF, 0xD8, "èI"_ansi},
  {"o_trema", 0xF6, 0x94, "èo"_ansi}, {"O_trema", 0xD6, 0x99, "èO"_ansi},
  {"u_trema", 0xFC, 0x81, "èu"_ansi}, {"U_trema", 0xDC, 0x9A, "èU"_ansi},
  {"y_trema", 0xFF, 0x98, "èy"_ansi}, {"Y_trema", 0x9F, 0x00, "èY"_ansi},
  {"c_cedille", 0xE7, 0x87, "ðc"_ansi}, {"C_cedille", 0xC7, 0x80, "ðC"_ansi},
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
  CasAnsel{"tilde_n", "Espaäna"_ansi, "España"_ansi, 0},
  CasAnsel{"tilde_O", "äO"_ansi, "Õ"_ansi, 0},
  CasAnsel{"rond_a", "êangstrêA"_ansi, "ångstrÅ"_ansi, 0},
  CasAnsel{"caron_s_Z", "éséZ"_ansi, "šŽ"_ansi, 0},
  CasAnsel{"macron_en_reference", "åa"_ansi, "&#257;", 0},
  CasAnsel{"caron_ogonek_double_aigu_en_reference", "éCñaîo"_ansi, "&#268;&#261;&#337;", 0},
  CasAnsel{"marque_sans_lettre_composee", "éq"_ansi, "q", 1},
  CasAnsel{"ligatures", "¥µ¦¶"_ansi, "ÆæŒœ"_ansi, 0},
  CasAnsel{"o_barre", "¢²"_ansi, "Øø"_ansi, 0},
  CasAnsel{"l_barre", "¡od±"_ansi, "&#321;od&#322;", 0},
  CasAnsel{"eth_thorn", "£º¤´"_ansi, "ÐðÞþ"_ansi, 0},
  CasAnsel{"eszett_deux_codes", "StraÏe GroÇ"_ansi, "Straße Groß"_ansi, 0},
  CasAnsel{"symboles", "¹Ãª«À"_ansi, "£©®±°"_ansi, 0},
  CasAnsel{"apostrophes", "Hawai°i"_ansi, "Hawai&#699;i", 0},
  CasAnsel{"marque_en_fin_de_ligne", "abcâ"_ansi, "abc", 1},
  CasAnsel{"marque_avant_un_chiffre", "â1"_ansi, "1", 1},
  CasAnsel{"deux_marques", "åâe"_ansi, "é"_ansi, 1},
  CasAnsel{"octet_non_defini", "a…b"_ansi, "a?b", 1},
  CasAnsel{"ascii", "1 NAME Jean /DUPONT/", "1 NAME Jean /DUPONT/", 0}));
// clang-format on

TEST(JeuxDeCaracteres, DosCharacters850HasOutsideTheTable) {
  int remplaces = -1;
  // ß, ñ, ø, £ are 850 letters outside the accent table; box drawing has no
  // Windows-1252 form.
  EXPECT_EQ(DecodeLigne("á¤›œÄ"_ansi, JeuCaracteres::Dos, &remplaces),
            "ßñø£?"_ansi);
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
  EXPECT_EQ(EncodeLigne("Šž“Oui”"_ansi, JeuCaracteres::Dos), "Sz\"Oui\"");
  EXPECT_EQ(EncodeLigne("«x» × ½"_ansi, JeuCaracteres::Ansel), "\"x\" x 1/2");
}

TEST(JeuxDeCaracteres, Utf8BothWaysForEveryByte) {
  std::string tous;
  for (int c = 1; c < 256; ++c) tous += static_cast<char>(c);
  const std::string utf8 = EncodeLigne(tous, JeuCaracteres::Utf8);
  EXPECT_EQ(EncodeLigne("é€"_ansi, JeuCaracteres::Utf8), "é€");
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
  CasUtf8{"accents", "1 NAME Renée /LÉVY/", "1 NAME Renée /LÉVY/"_ansi, 0},
  CasUtf8{"lettre_sans_place_en_reference", "Łódź", "&#321;ód&#378;"_ansi, 0},
  CasUtf8{"ideogramme", "a中b", "a&#20013;b", 0},
  CasUtf8{"hors_du_plan_de_base", "a👪", "a&#128106;", 0},
  CasUtf8{"reference_tapee_gardee", "&#322; &#65; &#38;", "&#38;#322; &#65; &#38;#38;", 0},
  CasUtf8{"marque_d_ordre_en_tete", "\xEF\xBB\xBF" "0 HEAD", "0 HEAD", 0},
  CasUtf8{"sequence_coupee", "abÃ"_ansi, "ab?", 1},
  CasUtf8{"octet_isole", "a©b"_ansi, "a?b", 1},
  CasUtf8{"forme_trop_longue", "À¯"_ansi, "??", 2},
  CasUtf8{"suite_apres_erreur", "Ã(Ã§"_ansi, "?(ç"_ansi, 1}));
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
  DecodeLigneDans("‚t‚"_ansi, JeuCaracteres::Dos, tampon);
  EXPECT_EQ(tampon, "été"_ansi);
  DecodeLigneDans("âe"_ansi, JeuCaracteres::Ansel, tampon);
  EXPECT_EQ(tampon, "é"_ansi);
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
