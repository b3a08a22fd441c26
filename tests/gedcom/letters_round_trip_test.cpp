// Names and notes in alphabets Windows-1252 lacks survive a UTF-8 GEDCOM
// import, a save and load of the tree file and a UTF-8 export, byte for byte.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/report_html.h"
#include "analysis/type_tables.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/letters.h"
#include "core/text.h"
#include "core/tree_file/tree_file_reader.h"
#include "core/tree_file/tree_file_writer.h"
#include "gedcom/gedcom_export.h"
#include "gedcom/gedcom_import.h"

namespace kindrela {
namespace {

struct Personne {
  const char* langue;
  const char* prenoms;  // UTF-8, as the file holds them
  const char* nom;
  const char* note;     // the NOTE lines as the export writes them; empty for none
};

// A NOTE paragraph wraps at 40 letters: the Cyrillic and Greek notes hold
// more, so the wrap is tested on letters held as references.
const Personne kPersonnes[] = {
    {"polonais", "Łukasz", "Wałęsa", "1 NOTE Żółć gęślą jaźń"},
    {"tcheque", "Antonín", "Dvořák", "1 NOTE Příliš žluťoučký kůň úpěl ďábelské ódy"},
    {"roumain", "Ștefan", "Țepeș", "1 NOTE Născut în Brașov, județul Brașov"},
    {"vietnamien", "Thị Minh Khai", "Nguyễn", "1 NOTE Sinh tại Hà Nội, mất ở Sài Gòn"},
    {"cyrillique", "Анна", "Иванова",
     "1 NOTE ЗдравствуйтеЗдравствуйтеЗдравствуйтеЗдра\r\n2 CONC вствуйте\r\n2 CONT Москва"},
    {"grec", "Γιώργος", "Παπαδόπουλος", "1 NOTE Γεννήθηκε στη Θεσσαλονίκη"},
    {"chinois", "小龍", "李", "1 NOTE 生於香港"},
    {"emoji", "Zoé 👪", "Famille", "1 NOTE 🌳 arbre"},
    // Typed by a user: text, not the letters it looks like.
    {"esperluette", "Tom &#322; &#38; &#65; & Jerry", "Dupont &# Fils", "1 NOTE &#20013; reste tel quel"},
};

std::string Fichier() {
  std::string g =
      "0 HEAD\r\n1 SOUR TEST\r\n1 GEDC\r\n2 VERS 5.5\r\n1 CHAR UTF-8\r\n";
  int n = 0;
  for (const Personne& p : kPersonnes) {
    g += "0 @I" + std::to_string(++n) + "@ INDI\r\n1 NAME " + p.prenoms + "/" + p.nom + "/\r\n";
    g += "1 SEX M\r\n";
    if (*p.note) g += std::string(p.note) + "\r\n";
    g += "1 CHAN\r\n2 DATE 12 MAR 2008\r\n";
  }
  return g + "0 TRLR\r\n";
}

// From the first record on: the header names the exporting program and day.
std::string Enregistrements(const std::string& gedcom) { return gedcom.substr(gedcom.find("0 @I1@")); }

TEST(LettresHorsWindows1252, SurviveImportSaveLoadAndExport) {
  TTablesTypes tables;
  TBD importe;
  TGedcomHeader entete;
  OptionsImport options;
  options.jeu = JeuCaracteres::Utf8;
  const std::string original = Fichier();
  ResultatImport r = ImportGedcomTexte(importe, tables, original, "/tmp/lettres.ged", options, entete);
  ASSERT_TRUE(r.Termine()) << r.statut.message();
  EXPECT_EQ(r.remplacements, 0);

  // The tree holds Windows-1252 text, the other letters as references.
  EXPECT_EQ(importe.LitNom(1), "Wa&#322;&#281;sa");
  EXPECT_EQ(importe.LitPrenoms(9), "Tom &#38;#322; &#38;#38; &#65; & Jerry");
  for (int n = 1; n <= importe.NbreFiche(); ++n) {
    EXPECT_EQ(AnsiVersUtf8(importe.LitNom(n)), kPersonnes[n - 1].nom);
    EXPECT_EQ(AnsiVersUtf8(importe.LitPrenoms(n)), kPersonnes[n - 1].prenoms);
  }

  std::string octets;
  ASSERT_TRUE(OctetsBase(importe, EnteteArbre{}, {}, octets).ok());
  TBD charge;
  ResultatLecture lecture;
  ASSERT_TRUE(LitBase(charge, octets, OptionsLecture{}, lecture).ok());

  OptionsExportGedcom export_;
  export_.jeu = JeuCaracteres::Utf8;
  std::string exporte;
  BilanEncodage bilan;
  ASSERT_TRUE(GenereGedcom(charge, tables, export_, exporte, {}, &bilan));
  EXPECT_EQ(Enregistrements(exporte), Enregistrements(original));
  EXPECT_EQ(bilan.remplacees, 0);
}

// An 8-bit set writes the closest letter, and says which letters it was;
// ANSEL holds the Latin letters of central Europe and Vietnam itself.
struct CasJeu {
  JeuCaracteres jeu;
  const char* nom;  // the NAME line as written
  long remplacees;
  const char* lettres;
  const char* relu;  // UTF-8, the surname as imported back
};

class JeuxHuitBits : public ::testing::TestWithParam<CasJeu> {};

TEST_P(JeuxHuitBits, WriteTheClosestLetterAndNameIt) {
  TTablesTypes tables;
  TBD bd;
  const int n = bd.NouvelleFiche();
  bd.EcritNom(n, Utf8VersAnsi("Wałęsa Dvořák"));
  bd.EcritPrenoms(n, Utf8VersAnsi("Анна 李 &#322;"));
  OptionsExportGedcom o;
  o.jeu = GetParam().jeu;
  std::string texte;
  BilanEncodage bilan;
  ASSERT_TRUE(GenereGedcom(bd, tables, o, texte, {}, &bilan));
  EXPECT_NE(texte.find(GetParam().nom), std::string::npos) << texte;
  EXPECT_EQ(bilan.remplacees, GetParam().remplacees);
  EXPECT_EQ(bilan.lettres, GetParam().lettres);
  EXPECT_NE(MessageLettresApprochees(bilan, o.jeu).find(std::to_string(GetParam().remplacees) + " lettres"),
            std::string::npos);

  TBD relu;
  TGedcomHeader entete;
  OptionsImport oi;
  oi.jeu = o.jeu;
  ASSERT_TRUE(ImportGedcomTexte(relu, tables, texte, "/tmp/lettres.ged", oi, entete).Termine());
  EXPECT_EQ(AnsiVersUtf8(relu.LitNom(1)), GetParam().relu);
  EXPECT_EQ(AnsiVersUtf8(relu.LitPrenoms(1)), "Anna ? &#322;");
}

INSTANTIATE_TEST_SUITE_P(
    Jeux, JeuxHuitBits,
    ::testing::Values(
        CasJeu{JeuCaracteres::Windows, "1 NAME Anna ? &#322;/Walesa Dvor\xE1k/", 8,
               "&#1040; (A), &#1085; (n), &#1072; (a), &#26446; (?), &#322; (l), &#281; (e), &#345; (r)",
               "Walesa Dvorák"},
        CasJeu{JeuCaracteres::Dos, "1 NAME Anna ? &#322;/Walesa Dvor\xA0k/", 8,
               "&#1040; (A), &#1085; (n), &#1072; (a), &#26446; (?), &#322; (l), &#281; (e), &#345; (r)",
               "Walesa Dvorák"},
        CasJeu{JeuCaracteres::Ansel, "1 NAME Anna ? &#322;/Wa\xB1\xF1" "esa Dvo\xE9r\xE2" "ak/", 5,
               "&#1040; (A), &#1085; (n), &#1072; (a), &#26446; (?)", "Wałęsa Dvořák"}),
    [](const auto& info) { return std::string(NomJeu(info.param.jeu)); });

// Report pages and text exports show the letters, not their references.
TEST(LettresHorsWindows1252, ReportExportsWriteTheLetters) {
  const std::string nom = Utf8VersAnsi("Wałęsa & fils &#322;");
  EXPECT_EQ(EchappeHtml(nom), "Wa&#322;&#281;sa &amp; fils &#38;#322;");
  EXPECT_EQ(FichierTexteExporte(nom), "\xEF\xBB\xBF" "Wałęsa & fils &#322;");
  // Without such letters the file stays in Windows-1252, as other programs expect.
  EXPECT_EQ(FichierTexteExporte("Numérote &#65;"_ansi), "Numérote &#65;"_ansi);
}

}  // namespace
}  // namespace kindrela
