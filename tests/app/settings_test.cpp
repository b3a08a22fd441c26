#include "app/settings.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "core/ansi_literal.h"
#include "core/text.h"

namespace kindrela {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view F = kSectionFenetre, G = kSectionGene, O = kSectionOptions,
                           S = kSectionStat, V = kSectionSauve;

constexpr const char* kTextes =
    "511;Fiche;Record\r\n"
    "1000;[Nom];[Name]\r\n"
    "1001;[Prénom];[Given]\r\n"
    "512;Photo;Picture\r\n"
    "513;Anonyme;Anonymous\r\n"
    "514;mailto:moi;mailto:me\r\n"
    "515;Ma généalogie;My family\r\n"_ansi;

TTraduction Traduction(int langue = 1) {
  TTraduction t;
  t.ChargeTexte(kTextes);
  t.Langue = langue;
  return t;
}

const std::string kSansLokaro = "/nonexistent-kindrela-folder/";

TReglages Charge(const FichierIni& ini, int langue = 1) {
  TReglages r;
  r.ChargeReglages(ini, Traduction(langue), kSansLokaro);
  return r;
}

TReglages Charge(std::string_view texte) {
  FichierIni ini;
  ini.ChargeTexte(texte);
  return Charge(ini);
}

// A test name from a section and key ("Options_Num_rote").
std::string NomDeTest(std::string_view section, std::string_view cle) {
  std::string nom(section.substr(section.rfind('\\') == std::string_view::npos
                                     ? 0
                                     : section.rfind('\\') + 1));
  nom += '_';
  for (char c : cle) nom += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return nom;
}

// --- The list of keys -----------------------------------------------------

struct SectionAttendue {
  std::string_view section;
  std::vector<std::string> cles;
};

const std::vector<SectionAttendue>& ToutesLesCles() {
  static const std::vector<SectionAttendue> cles = {
      {F,
       {"kindrL", "kindrT", "kindrW", "kindrH", "ficheL", "ficheT", "ficheW", "ficheH", "CarteL",
        "CarteT", "CarteW", "CarteH", "celluleL", "celluleT", "RapportCritereL",
        "RapportCritereT", "RapportL", "RapportT", "RapportW", "RapportH", "StatL", "StatT",
        "StatW", "StatH", "CalL", "CalT", "CalW", "CalH", "FicheArbreL", "FicheArbreT"}},
      {G,
       {"VoirInfo", "PrintZoom", "PrintCroise", "PrintMargeH", "PrintMargeG", "ZoomAuto",
        "Print ZoomAuto", "AfficheBulle", "AfficheConjoint", "AfficheFratrie", "ImageDpi", "OldFileName"}},
      {O,
       {"NomMaj", "PreMaj", "SaisieNom", "SaisieNomNbre", "SaisieLieu", "SaisieChp",
        "SaisieChpNbre", "Numérote"_ansi, "NuméroteFamille"_ansi, "NuméroteConjoint"_ansi,
        "NuméroteGen"_ansi, "AjoutePers", "LienAuto", "FicheIdEnRech", "AvApMenu",
        "AnnulationMo", "Lokaro",
        "FicheTitre", "Fiche1", "Fiche2", "Rac112", "Rac113", "Rac115", "Rac116", "Rac16500",
        "Rac118", "Rac123", "Rac16487", "Rac16489", "Rac16493", "Rac16491", "Rac16484",
        "Rac16486", "Rac16482", "Rac16480", "AgeMarMin", "AgeMarMax", "AgeEnfMin", "AgeEnfMax",
        "AgedecesMax", "EcartConjMax", "AjouteEve", "Generation", "Raccourci démarrer"_ansi,
        "Raccourci bureau", "Couleur", "Texture", "FicheForme", "CalNbre", "CalWE", "CalFete",
        "SrcSorte", "SrcNote", "SrcPers", "SrcFichier", "SrcFichierReduc", "SrcFichierLien",
        "SrcFichierMax", "AFAnni", "AFFete", "AFJour", "AFDemarre", "AFNbreJour", "WebBrowser",
        "Photo", "Auteur", "AuteurLien"}},
      {"Carte", {"Nom"}},
      {S, {"DateMin", "DateMax", "AgeMin", "AgeMax", "AgePas", "AnneeMin", "AnneeMax",
           "AnneePas"}},
      {V,
       {"KdgDeplace", "KdgZippe", "KdgInclure", "KdgRaccourcis", "GeneaNom", "GeneaPass",
        "GeneaDate", "GeneaLieu", "GeneaVoir", "GeneaMail", "GedLien", "GedChp", "GedEveNote",
        "GedEve", "GedNote", "GedSrc", "GedPasInfosCent", "GedInfoAuteur", "GedAnsel", "GedDos",
        "GedWin", "GedZippeGed", "GedInfoIdentite", "GedInfoAdresse", "HtmlListe", "HtmlFiche",
        "HtmlFichier", "HtmlDyna", "HtmlPatro", "HtmlLieux", "HtmlNavigateur", "HtmlTitre",
        "HtmlTexteLibre", "HtmlListe1", "HtmlListe2", "HtmlListe3", "HtmlListe4",
        "HtmlListe2val", "HtmlListeLienAccueil", "HtmlNbre", "HtmlFicheLienAccueil"}},
      {kSectionWeb,
       {"Liens", "Prenoms", "Parents", "Fratrie", "Enfants", "Unions", "EveUnions", "Champs", "Eve",
        "EveCalc", "Notes", "Sources", "Qualite"}},
  };
  return cles;
}

TEST(ClesReglages, HoldExactlyTheKeysOfEverySection) {
  size_t total = 0;
  for (const auto& s : ToutesLesCles()) {
    for (const auto& cle : s.cles) {
      const TCleReglage* c = TrouveCleReglage(s.section, cle);
      ASSERT_NE(c, nullptr) << s.section << " / " << cle;
      EXPECT_EQ(c->section, s.section) << cle;
      EXPECT_EQ(c->cle, cle) << "spelling kept";
    }
    total += s.cles.size();
  }
  EXPECT_EQ(ClesReglages().size(), total) << "no key outside the list";
}

TEST(ClesReglages, FoundWithoutRegardToCase) {
  EXPECT_NE(TrouveCleReglage("GENE\\OPTIONS", "numÉroteFAMILLE"_ansi), nullptr);
  EXPECT_NE(TrouveCleReglage("gene\\sauve", "HTMLTITRE"), nullptr);
  EXPECT_EQ(TrouveCleReglage("gene", "NomMaj"), nullptr) << "a key belongs to one section";
  EXPECT_EQ(TrouveCleReglage("gene/Options", "NomMaj"), nullptr);
}

// --- First run: no file --------------------------------------------------

struct CasDefaut {
  std::string nom;
  std::string_view section;
  std::string cle;
  SorteReglage sorte;
  int entier = 0;
  std::string texte;
};

std::vector<CasDefaut> DefautsAttendus() {
  std::vector<CasDefaut> cas;
  auto entier = [&](std::string_view s, std::string cle, int v) {
    cas.push_back({NomDeTest(s, cle), s, cle, SorteReglage::Entier, v, {}});
  };
  auto booleen = [&](std::string_view s, std::vector<std::string> cles, bool v) {
    for (auto& c : cles) cas.push_back({NomDeTest(s, c), s, c, SorteReglage::Booleen, v, {}});
  };
  auto texte = [&](std::string_view s, std::string cle, std::string v) {
    cas.push_back({NomDeTest(s, cle), s, cle, SorteReglage::Texte, 0, v});
  };

  entier(F, "kindrL", -999);
  entier(F, "kindrT", 20);
  entier(F, "kindrW", 600);
  entier(F, "kindrH", 400);
  for (const char* cle :
       {"ficheL", "ficheT", "ficheW", "ficheH", "CarteL", "CarteT", "CarteW", "CarteH",
        "celluleL", "celluleT", "RapportCritereL", "RapportCritereT", "RapportL", "RapportT",
        "RapportW", "RapportH", "StatL", "StatT", "StatW", "StatH", "CalL", "CalT", "CalW",
        "CalH", "FicheArbreL", "FicheArbreT"})
    entier(F, cle, 0);

  entier(G, "PrintZoom", 100);
  entier(G, "PrintCroise", 0);
  entier(G, "PrintMargeH", 0);
  entier(G, "PrintMargeG", 0);
  entier(G, "ImageDpi", 150);
  booleen(G, {"ZoomAuto", "Print ZoomAuto", "AfficheBulle"}, true);
  booleen(G, {"AfficheConjoint", "AfficheFratrie"}, false);
  texte(G, "VoirInfo", std::string(100, 'O'));
  texte(G, "OldFileName", "");
  texte("Carte", "Nom", "");

  entier(O, "SaisieNomNbre", 25);
  entier(O, "SaisieChpNbre", 25);
  entier(O, "SaisieLieu", 0);
  entier(O, "NuméroteGen"_ansi, 5);
  entier(O, "AvApMenu", 10);
  entier(O, "AnnulationMo", 256);
  entier(O, "AgeMarMin", 15);
  entier(O, "AgeMarMax", 70);
  entier(O, "AgeEnfMin", 15);
  entier(O, "AgeEnfMax", 70);
  entier(O, "AgedecesMax", 110);
  entier(O, "EcartConjMax", 20);
  entier(O, "Generation", 25);
  entier(O, "FicheForme", 1);
  entier(O, "CalNbre", 2);
  entier(O, "SrcFichierMax", 150);
  entier(O, "AFNbreJour", 7);
  booleen(O,
          {"NomMaj", "PreMaj", "SaisieNom", "SaisieChp", "AjoutePers", "FicheIdEnRech", "Lokaro",
           "Raccourci démarrer"_ansi, "Raccourci bureau", "CalWE", "SrcSorte", "SrcNote",
           "SrcPers", "SrcFichier", "SrcFichierReduc", "AFAnni", "AFFete", "AFJour",
           "WebBrowser"},
          true);
  booleen(O,
          {"Numérote"_ansi, "NuméroteFamille"_ansi, "NuméroteConjoint"_ansi, "LienAuto", "AjouteEve",
           "CalFete", "SrcFichierLien", "AFDemarre"},
          false);
  texte(O, "FicheTitre", "Fiche [Nom] [Prénom]"_ansi);
  texte(O, "Fiche1", "[Nom] [Prénom]"_ansi);
  texte(O, "Fiche2", "[Nom] [Prénom]"_ansi);
  texte(O, "Photo", "Photo");
  texte(O, "Auteur", "Anonyme");
  texte(O, "AuteurLien", "mailto:moi");
  texte(O, "Couleur", "");
  texte(O, "Texture", "");

  entier(S, "DateMin", 1000);
  entier(S, "DateMax", 2100);
  entier(S, "AgeMin", 0);
  entier(S, "AgeMax", 100);
  entier(S, "AgePas", 10);
  entier(S, "AnneeMin", 1900);
  entier(S, "AnneeMax", 2100);
  entier(S, "AnneePas", 10);

  entier(V, "HtmlListe2val", 25);
  entier(V, "HtmlNbre", 25);
  booleen(V,
          {"KdgRaccourcis", "GedLien", "GedChp", "GedEveNote", "GedEve", "GedNote", "GedSrc",
           "GedAnsel", "HtmlListe", "HtmlFiche", "HtmlFichier", "HtmlDyna", "HtmlPatro",
           "HtmlLieux", "HtmlNavigateur", "HtmlListe3", "HtmlListeLienAccueil",
           "HtmlFicheLienAccueil"},
          true);
  booleen(V,
          {"KdgDeplace", "KdgZippe", "KdgInclure", "GeneaDate", "GeneaLieu", "GeneaVoir",
           "GeneaMail", "GedPasInfosCent", "GedInfoAuteur", "GedDos", "GedWin", "GedZippeGed",
           "HtmlListe1", "HtmlListe2", "HtmlListe4"},
          false);
  texte(V, "HtmlTitre", "Ma généalogie"_ansi);
  texte(V, "GeneaNom", "");
  texte(V, "GeneaPass", "");
  texte(V, "GedInfoIdentite", "");
  booleen(kSectionWeb,
          {"Liens", "Prenoms", "Parents", "Fratrie", "Enfants", "Unions", "EveUnions", "Champs", "Eve",
           "EveCalc", "Notes", "Sources"},
          true);
  entier(kSectionWeb, "Qualite", 75);
  return cas;
}

class PremierLancementTest : public testing::TestWithParam<CasDefaut> {};

TEST_P(PremierLancementTest, KeyTakesItsDefault) {
  const CasDefaut& c = GetParam();
  const TCleReglage* cle = TrouveCleReglage(c.section, c.cle);
  ASSERT_NE(cle, nullptr);
  ASSERT_EQ(cle->sorte, c.sorte);
  TReglages r = Charge(FichierIni{});
  switch (c.sorte) {
    case SorteReglage::Booleen: EXPECT_EQ(r.Bool(c.section, c.cle), c.entier != 0); break;
    case SorteReglage::Entier: EXPECT_EQ(r.Entier(c.section, c.cle), c.entier); break;
    case SorteReglage::Texte: EXPECT_EQ(r.Texte(c.section, c.cle), c.texte); break;
    default: FAIL();
  }
}

INSTANTIATE_TEST_SUITE_P(ReglagesParDefaut, PremierLancementTest,
                         testing::ValuesIn(DefautsAttendus()),
                         [](const testing::TestParamInfo<CasDefaut>& info) {
                           return info.param.nom;
                         });

TEST(ReglagesParDefaut, EveryKeyOutsideShortcutsAndLinesHasAnExpectedDefault) {
  size_t attendus = DefautsAttendus().size();
  size_t autres = 0;
  for (const auto& c : ClesReglages())
    if (c.sorte == SorteReglage::Raccourci || c.sorte == SorteReglage::Lignes) ++autres;
  EXPECT_EQ(autres, 17u);
  EXPECT_EQ(attendus + autres, ClesReglages().size());
}

TEST(ReglagesParDefaut, MessageTextsFollowTheLanguage) {
  TReglages r = Charge(FichierIni{}, 2);
  EXPECT_EQ(r.Texte(O, "FicheTitre"), "Record [Name] [Given]");
  EXPECT_EQ(r.Texte(O, "Fiche2"), "[Name] [Given]");
  EXPECT_EQ(r.Texte(O, "Auteur"), "Anonymous");
  EXPECT_EQ(r.Texte(V, "HtmlTitre"), "My family");
}

TEST(ReglagesParDefaut, MultiLineKeysEmptyAndShortcutsAtTheirDefaults) {
  TReglages r = Charge(FichierIni{});
  EXPECT_TRUE(r.Lignes(V, "GedInfoAdresse").empty());
  EXPECT_TRUE(r.Lignes(V, "HtmlTexteLibre").empty());
  const int attendus[] = {112,   113,   115,   116,   16500, 118,   123,  16487,
                          16489, 16493, 16491, 16484, 16486, 16482, 16480};
  for (int k = 0; k < kNbreRaccourcis; ++k) EXPECT_EQ(r.Raccourci(k), attendus[k]) << k;
  EXPECT_EQ(r.DureeVieMax(), 110);
}

TEST(ReglagesParDefaut, EveryWindowPlacedAsOnAFirstRun) {
  TReglages r = Charge(FichierIni{});
  const TRect zone{0, 0, 1280, 984};
  EXPECT_EQ(PositionFenetre(r, "kindr", {640, 480}, zone), zone) << "fills the work area";
  EXPECT_EQ(RectFenetrePrincipale(r, zone), zone);
  for (const char* fenetre : {"fiche", "Carte", "cellule", "RapportCritere", "Rapport", "Stat",
                              "Cal", "FicheArbre"}) {
    TRect p = PositionFenetre(r, fenetre, {300, 201}, zone);
    EXPECT_EQ(p, (TRect{490, 391, 300, 201})) << fenetre << " centred";
  }
}

TEST(ReglagesParDefaut, MessageTextsStayEmptyBeforeLoading) {
  TReglages r;
  EXPECT_EQ(r.Texte(O, "FicheTitre"), "");
  EXPECT_EQ(r.Texte(G, "VoirInfo"), std::string(100, 'O'));
  EXPECT_EQ(r.Entier(F, "kindrL"), -999);
  EXPECT_TRUE(r.Bool(V, "GedAnsel"));
  EXPECT_EQ(r.Raccourci(4), 16500);
}

// --- Reading ---------------------------------------------------------------

TEST(ChargeReglages, PresentEmptyTextIsNotReplacedByItsDefault) {
  TReglages r = Charge("[gene\\Options]\r\nFicheTitre=\r\nPhoto=Portrait\r\n");
  EXPECT_EQ(r.Texte(O, "FicheTitre"), "");
  EXPECT_EQ(r.Texte(O, "Photo"), "Portrait");
  EXPECT_EQ(r.Texte(O, "Fiche1"), "[Nom] [Prénom]"_ansi);
}

TEST(ChargeReglages, KeysAndSectionsWithoutRegardToCase) {
  TReglages r = Charge(
      "[GENE\\OPTIONS]\r\nnumÉrote=1\r\nNomMaj=0\r\n[Gene\\Fenetre]\r\nKINDRL=5\r\n"_ansi);
  EXPECT_TRUE(r.Bool(O, "Numérote"_ansi));
  EXPECT_FALSE(r.Bool("gene\\options", "nommaj"));
  EXPECT_EQ(r.Entier(F, "kindrL"), 5);
}

TEST(ChargeReglages, AnyNonZeroNumberIsTrueAndGarbageKeepsTheDefault) {
  TReglages r = Charge("[gene\\Options]\r\nLienAuto=2\r\nNomMaj=oui\r\nAvApMenu=dix\r\n");
  EXPECT_TRUE(r.Bool(O, "LienAuto"));
  EXPECT_TRUE(r.Bool(O, "NomMaj"));
  EXPECT_EQ(r.Entier(O, "AvApMenu"), 10);
}

TEST(ChargeReglages, KeyInAnotherSectionIsNotRead) {
  TReglages r = Charge("[gene]\r\nNomMaj=0\r\n[gene\\Stat]\r\nPrintZoom=300\r\n");
  EXPECT_TRUE(r.Bool(O, "NomMaj"));
  EXPECT_EQ(r.Entier(G, "PrintZoom"), 100);
}

TEST(ChargeReglages, MaximumAgeAtDeathAlsoSetsTheLifetime) {
  TReglages r = Charge("[gene\\Options]\r\nagedecesmax=95\r\n");
  EXPECT_EQ(r.Entier(O, "AgedecesMax"), 95);
  EXPECT_EQ(r.Entier(O, "AgeDecesMax"), 95);
  EXPECT_EQ(r.DureeVieMax(), 95);
}

TEST(ChargeReglages, ReloadingForgetsEarlierValues) {
  TReglages r = Charge("[gene\\Options]\r\nNomMaj=0\r\n[gene\\Sauve]\r\nGedInfoAdresse=1\r\n"
                       "GedInfoAdresse 0=rue\r\n");
  r.ChargeReglages(FichierIni{}, Traduction(), kSansLokaro);
  EXPECT_TRUE(r.Bool(O, "NomMaj"));
  EXPECT_TRUE(r.Lignes(V, "GedInfoAdresse").empty());
}

TEST(ChargeReglages, TipWindowsPaddedWithShow) {
  TReglages r = Charge("[gene]\r\nVoirInfo=NON\r\n");
  std::string attendu = "NON" + std::string(97, 'O');
  EXPECT_EQ(r.Texte(G, "VoirInfo"), attendu);
  EXPECT_FALSE(r.AstuceVisible(1));
  EXPECT_TRUE(r.AstuceVisible(2));
  EXPECT_FALSE(r.AstuceVisible(3));
  EXPECT_TRUE(r.AstuceVisible(7));
  EXPECT_TRUE(r.AstuceVisible(500)) << "beyond the text: shown";
}

TEST(ChargeReglages, LongTipTextKeptWhole) {
  std::string longue(120, 'N');
  TReglages r = Charge("[gene]\r\nVoirInfo=" + longue + "\r\n");
  EXPECT_EQ(r.Texte(G, "VoirInfo"), longue);
  EXPECT_FALSE(r.AstuceVisible(110));
}

TEST(Reglages, HidingTheWelcomeWindowMarksCharacterSeven) {
  TReglages r = Charge(FichierIni{});
  r.SetAstuceVisible(7, false);
  EXPECT_EQ(r.Texte(G, "VoirInfo"), "OOOOOON" + std::string(93, 'O'));
  EXPECT_FALSE(r.AstuceVisible(7));
  r.SetAstuceVisible(7, true);
  EXPECT_TRUE(r.AstuceVisible(7));
  r.SetTexte(G, "VoirInfo", "N");
  EXPECT_EQ(r.Texte(G, "VoirInfo").size(), 100u);
}

// --- Shortcuts --------------------------------------------------------------

struct CasRaccourci {
  const char* nom;
  const char* ligne;  // the "Rac116" line, or nullptr for none
  int attendu;        // slot 3, default F5 = 116
};

class RaccourciTest : public testing::TestWithParam<CasRaccourci> {};

TEST_P(RaccourciTest, SlotThreeReadsAs) {
  std::string texte = "[gene\\Options]\r\n";
  if (GetParam().ligne) texte += std::string(GetParam().ligne) + "\r\n";
  TReglages r = Charge(texte);
  EXPECT_EQ(r.Raccourci(3), GetParam().attendu);
  EXPECT_EQ(r.Entier(O, "Rac116"), GetParam().attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Raccourcis, RaccourciTest,
    testing::Values(CasRaccourci{"MissingGivesDefault", nullptr, 116},
                    CasRaccourci{"ZeroRemovesTheShortcut", "Rac116=0", 0},
                    CasRaccourci{"PlainLetterFallsBack", "Rac116=65", 116},
                    CasRaccourci{"OneFallsBack", "Rac116=1", 116},
                    CasRaccourci{"HundredElevenFallsBack", "Rac116=111", 116},
                    CasRaccourci{"HundredTwelveKept", "Rac116=112", 112},
                    CasRaccourci{"CtrlLetterKept", "Rac116=16449", 16449},
                    CasRaccourci{"NegativeFallsBack", "Rac116=-5", 116},
                    CasRaccourci{"NotANumberFallsBack", "Rac116=F5", 116},
                    CasRaccourci{"EmptyFallsBack", "Rac116=", 116},
                    CasRaccourci{"KeyCaseIgnored", "rac116=117", 117},
                    CasRaccourci{"OtherSlotsKeyDoesNotCount", "Rac115=200", 116}),
    [](const testing::TestParamInfo<CasRaccourci>& info) { return std::string(info.param.nom); });

TEST(Raccourcis, EachSlotHasItsOwnKey) {
  const char* cles[] = {"Rac112",   "Rac113",   "Rac115",   "Rac116",   "Rac16500",
                        "Rac118",   "Rac123",   "Rac16487", "Rac16489", "Rac16493",
                        "Rac16491", "Rac16484", "Rac16486", "Rac16482", "Rac16480"};
  std::string texte = "[gene\\Options]\r\n";
  for (int k = 0; k < kNbreRaccourcis; ++k) {
    EXPECT_EQ(CleRaccourci(k), cles[k]);
    texte += std::string(cles[k]) + "=" + std::to_string(1000 + k) + "\r\n";
  }
  TReglages r = Charge(texte);
  for (int k = 0; k < kNbreRaccourcis; ++k) EXPECT_EQ(r.Raccourci(k), 1000 + k) << k;
}

TEST(Raccourcis, WrittenUnderTheKeyOfTheirDefault) {
  TReglages r = Charge(FichierIni{});
  r.SetRaccourci(4, 0);
  r.SetRaccourci(14, 16449);
  FichierIni ini;
  r.SauveReglages(ini);
  EXPECT_EQ(ini.LitTexte(O, "Rac16500"), "0");
  EXPECT_EQ(ini.LitTexte(O, "Rac16480"), "16449");
  EXPECT_EQ(ini.LitTexte(O, "Rac112"), "112");
  TReglages relu = Charge(ini);
  EXPECT_EQ(relu.Raccourci(4), 0);
  EXPECT_EQ(relu.Raccourci(14), 16449);
}

TEST(Raccourcis, SlotsOutsideTheTableAreEmpty) {
  TReglages r = Charge(FichierIni{});
  EXPECT_EQ(r.Raccourci(-1), 0);
  EXPECT_EQ(r.Raccourci(15), 0);
  r.SetRaccourci(15, 200);  // ignored
  EXPECT_EQ(RaccourciDefaut(15), 0);
}

// --- Writing ---------------------------------------------------------------

// A value unlike the default of key i, and one that survives the file.
void DonneValeurNonParDefaut(TReglages& r, const TCleReglage& c, int i) {
  switch (c.sorte) {
    case SorteReglage::Booleen: r.SetBool(c.section, c.cle, c.defaut == 0); break;
    case SorteReglage::Entier: r.SetEntier(c.section, c.cle, c.defaut + 1000 + i); break;
    case SorteReglage::Raccourci: r.SetEntier(c.section, c.cle, 20000 + i); break;
    case SorteReglage::Texte:
      r.SetTexte(c.section, c.cle, "téxte "_ansi + std::to_string(i) + " = ; [x]");
      break;
    case SorteReglage::Lignes:
      r.SetLignes(c.section, c.cle, {"ligne " + std::to_string(i), "", "à la fin"_ansi});
      break;
  }
}

TEST(SauveReglages, EveryWritableKeyRoundTrips) {
  TReglages r = Charge(FichierIni{});
  auto cles = ClesReglages();
  for (size_t i = 0; i < cles.size(); ++i) DonneValeurNonParDefaut(r, cles[i], static_cast<int>(i));
  FichierIni ini;
  r.SauveReglages(ini);
  TReglages relu = Charge(ini);
  TReglages defauts = Charge(FichierIni{});
  for (size_t i = 0; i < cles.size(); ++i) {
    const TCleReglage& c = cles[i];
    // Read-only keys are not written, so they come back at their defaults.
    const TReglages& attendu = c.lectureSeule ? defauts : r;
    SCOPED_TRACE(std::string(c.section) + " / " + std::string(c.cle));
    switch (c.sorte) {
      case SorteReglage::Booleen:
        EXPECT_EQ(relu.Bool(c.section, c.cle), attendu.Bool(c.section, c.cle));
        break;
      case SorteReglage::Entier:
      case SorteReglage::Raccourci:
        EXPECT_EQ(relu.Entier(c.section, c.cle), attendu.Entier(c.section, c.cle));
        break;
      case SorteReglage::Texte:
        EXPECT_EQ(relu.Texte(c.section, c.cle), attendu.Texte(c.section, c.cle));
        break;
      case SorteReglage::Lignes:
        EXPECT_EQ(relu.Lignes(c.section, c.cle), attendu.Lignes(c.section, c.cle));
        break;
    }
  }
  EXPECT_EQ(relu.Texte(G, "OldFileName").rfind("téxte "_ansi, 0), 0u) << "a known file is written";
  EXPECT_EQ(relu.DureeVieMax(), r.Entier(O, "AgedecesMax"));
}

TEST(SauveReglages, BooleansAreWrittenAsOneAndZero) {
  TReglages r = Charge(FichierIni{});
  r.SetBool(O, "NomMaj", false);
  FichierIni ini;
  r.SauveReglages(ini);
  EXPECT_EQ(ini.LitTexte(O, "NomMaj"), "0");
  EXPECT_EQ(ini.LitTexte(O, "PreMaj"), "1");
  EXPECT_EQ(ini.LitTexte(G, "Print ZoomAuto"), "1");
}

TEST(SauveReglages, ReadOnlyKeysAreNeverWritten) {
  const std::vector<std::pair<std::string_view, std::string>> lectureSeule = {
      {G, "PrintMargeH"}, {G, "PrintMargeG"}, {O, "Couleur"}, {O, "Texture"},
      {O, "CalFete"}, {O, "Raccourci démarrer"_ansi}, {O, "Raccourci bureau"}};
  size_t nbre = 0;
  for (const auto& c : ClesReglages()) nbre += c.lectureSeule ? 1 : 0;
  EXPECT_EQ(nbre, lectureSeule.size());

  TReglages r = Charge(
      "[gene]\r\nPrintMargeH=7\r\nPrintMargeG=8\r\n[gene\\Options]\r\nCouleur=255\r\n"
      "Texture=/t.jpg\r\nCalFete=1\r\nRaccourci démarrer=0\r\nRaccourci bureau=0\r\n"_ansi);
  EXPECT_EQ(r.Entier(G, "PrintMargeH"), 7);
  EXPECT_EQ(r.Texte(O, "Texture"), "/t.jpg");
  EXPECT_TRUE(r.Bool(O, "CalFete"));
  EXPECT_FALSE(r.Bool(O, "Raccourci démarrer"_ansi));

  FichierIni neuf;
  r.SauveReglages(neuf);
  for (const auto& [section, cle] : lectureSeule)
    EXPECT_FALSE(neuf.CleExiste(section, cle)) << cle;

  // Changed in memory, the file still keeps what it had.
  FichierIni existant;
  existant.ChargeTexte("[gene\\Options]\r\nCouleur=255\r\nCalFete=1\r\n");
  r.SetTexte(O, "Couleur", "0");
  r.SetBool(O, "CalFete", false);
  r.SauveReglages(existant);
  EXPECT_EQ(existant.LitTexte(O, "Couleur"), "255");
  EXPECT_EQ(existant.LitTexte(O, "CalFete"), "1");
}

TEST(SauveReglages, EveryWritableKeyIsInTheFile) {
  TReglages r = Charge(FichierIni{});
  r.SetTexte(G, "OldFileName", "/arbres/a.kdg");
  FichierIni ini;
  r.SauveReglages(ini);
  for (const auto& s : ToutesLesCles())
    for (const auto& cle : s.cles) {
      const TCleReglage* c = TrouveCleReglage(s.section, cle);
      ASSERT_NE(c, nullptr);
      EXPECT_EQ(ini.CleExiste(s.section, cle), !c->lectureSeule) << cle;
    }
}

TEST(SauveReglages, MaximumAgeAtDeathWrittenWithCapitalD) {
  TReglages r = Charge(FichierIni{});
  FichierIni ini;
  r.SauveReglages(ini);
  auto cles = ini.Cles(O);
  EXPECT_NE(std::find(cles.begin(), cles.end(), "AgeDecesMax"), cles.end());
  EXPECT_EQ(std::find(cles.begin(), cles.end(), "AgedecesMax"), cles.end());
  EXPECT_EQ(ini.LitTexte(O, "AgeDecesMax"), "110");
}

TEST(SauveReglages, AccentedKeyNamesWrittenAsWindows1252) {
  TReglages r = Charge(FichierIni{});
  r.SetEntier(O, "NuméroteGen"_ansi, 9);
  FichierIni ini;
  r.SauveReglages(ini);
  EXPECT_NE(ini.Texte().find("NuméroteGen=9\r\n"_ansi), std::string::npos);
  EXPECT_NE(ini.Texte().find("[gene\\fenetre]\r\nkindrL=-999\r\n"), std::string::npos);
}

TEST(SauveReglages, OldFileNameWrittenOnlyWhenKnown) {
  FichierIni ini;
  ini.ChargeTexte("[gene]\r\nOldFileName=/arbres/ancien.kdg\r\n");
  TReglages r = Charge(ini);
  r.SetTexte(G, "OldFileName", "");
  r.SauveReglages(ini);
  EXPECT_EQ(ini.LitTexte(G, "OldFileName"), "/arbres/ancien.kdg");

  FichierIni vide;
  r.SauveReglages(vide);
  EXPECT_FALSE(vide.CleExiste(G, "OldFileName"));

  r.SetTexte(G, "OldFileName", "/arbres/nouveau.kdg");
  r.SauveReglages(ini);
  EXPECT_EQ(ini.LitTexte(G, "OldFileName"), "/arbres/nouveau.kdg");
}

TEST(SauveReglages, KeepsWhatItDoesNotOwn) {
  FichierIni ini;
  ini.ChargeTexte(
      "; réglages\r\n[Autre]\r\nx=1\r\n\r\n[gene\\Options]\r\nInconnue=5\r\nNomMaj=1\r\n"
      "[software\\tovamere\\Lokaro]\r\nPath=/opt/lokaro\r\n"_ansi);
  TReglages r = Charge(ini);
  r.SetBool(O, "NomMaj", false);
  r.SauveReglages(ini);
  EXPECT_EQ(ini.LitTexte("Autre", "x"), "1");
  EXPECT_EQ(ini.LitTexte(O, "Inconnue"), "5");
  EXPECT_EQ(ini.LitTexte(O, "NomMaj"), "0");
  EXPECT_EQ(ini.LitTexte(kSectionLokaro, "Path"), "/opt/lokaro");
  EXPECT_EQ(ini.Texte().rfind("; réglages\r\n[Autre]\r\nx=1\r\n"_ansi, 0), 0u);
  EXPECT_EQ(ini.Sections().size(), 9u) << "three kept, six added";
}

// --- Multi-line keys --------------------------------------------------------

TEST(LignesReglage, ReadUpToTheirCount) {
  TReglages r = Charge(
      "[gene\\Sauve]\r\nGedInfoAdresse=3\r\nGedInfoAdresse 0=12 rue Haute\r\n"
      "GedInfoAdresse 2=Lyon\r\nGedInfoAdresse 3=en trop\r\nHtmlTexteLibre=1\r\n"
      "HtmlTexteLibre 0=Bienvenue\r\n");
  EXPECT_EQ(r.Lignes(V, "GedInfoAdresse"),
            (std::vector<std::string>{"12 rue Haute", "", "Lyon"}));
  EXPECT_EQ(r.Lignes(V, "HtmlTexteLibre"), (std::vector<std::string>{"Bienvenue"}));
}

TEST(LignesReglage, BadCountsGiveNoLines) {
  for (const char* compte : {"0", "-2", "x", ""}) {
    TReglages r = Charge(std::string("[gene\\Sauve]\r\nHtmlTexteLibre=") + compte +
                         "\r\nHtmlTexteLibre 0=Bienvenue\r\n");
    EXPECT_TRUE(r.Lignes(V, "HtmlTexteLibre").empty()) << compte;
  }
}

TEST(LignesReglage, HugeCountIsCut) {
  TReglages r = Charge("[gene\\Sauve]\r\nHtmlTexteLibre=2000000000\r\n");
  EXPECT_EQ(r.Lignes(V, "HtmlTexteLibre").size(), static_cast<size_t>(kMaxLignesReglage));
}

TEST(LignesReglage, WrittenAsCountAndNumberedKeys) {
  TReglages r = Charge(FichierIni{});
  r.SetLignes(V, "GedInfoAdresse", {"1 place Bellecour", "69002 Lyon"});
  FichierIni ini;
  r.SauveReglages(ini);
  EXPECT_EQ(ini.LitTexte(V, "GedInfoAdresse"), "2");
  EXPECT_EQ(ini.LitTexte(V, "GedInfoAdresse 0"), "1 place Bellecour");
  EXPECT_EQ(ini.LitTexte(V, "GedInfoAdresse 1"), "69002 Lyon");
  EXPECT_EQ(ini.LitTexte(V, "HtmlTexteLibre"), "0");
  EXPECT_FALSE(ini.CleExiste(V, "HtmlTexteLibre 0"));
}

TEST(LignesReglage, ShorterValueRemovesOldLines) {
  FichierIni ini;
  ini.ChargeTexte(
      "[gene\\Sauve]\r\nGedInfoAdresse=3\r\nGedInfoAdresse 0=a\r\nGedInfoAdresse 1=b\r\n"
      "GedInfoAdresse 2=c\r\n");
  TReglages r = Charge(ini);
  r.SetLignes(V, "GedInfoAdresse", {"z"});
  r.SauveReglages(ini);
  EXPECT_EQ(ini.LitTexte(V, "GedInfoAdresse"), "1");
  EXPECT_EQ(ini.LitTexte(V, "GedInfoAdresse 0"), "z");
  EXPECT_FALSE(ini.CleExiste(V, "GedInfoAdresse 1"));
  EXPECT_FALSE(ini.CleExiste(V, "GedInfoAdresse 2"));
  EXPECT_EQ(Charge(ini).Lignes(V, "GedInfoAdresse"), (std::vector<std::string>{"z"}));
}

// --- Window bounds ------------------------------------------------------------

TEST(RectFenetre, FourKeysOrPositionOnly) {
  TReglages r = Charge(
      "[gene\\fenetre]\r\nficheL=10\r\nficheT=20\r\nficheW=300\r\nficheH=400\r\n"
      "FicheArbreL=5\r\nFicheArbreT=6\r\ncelluleW=99\r\n");
  EXPECT_EQ(r.RectFenetre("fiche"), (TRect{10, 20, 300, 400}));
  EXPECT_EQ(r.RectFenetre("FicheArbre"), (TRect{5, 6, 0, 0})) << "not the person window's";
  EXPECT_EQ(r.RectFenetre("cellule"), (TRect{0, 0, 0, 0})) << "no width key for it";
}

TEST(RectFenetre, PositionOnlyWindowsStoreNoSize) {
  TReglages r = Charge(FichierIni{});
  r.SetRectFenetre("RapportCritere", {11, 12, 500, 600});
  r.SetRectFenetre("Cal", {1, 2, 3, 4});
  EXPECT_EQ(r.RectFenetre("RapportCritere"), (TRect{11, 12, 0, 0}));
  FichierIni ini;
  r.SauveReglages(ini);
  EXPECT_EQ(ini.LitTexte(F, "RapportCritereL"), "11");
  EXPECT_FALSE(ini.CleExiste(F, "RapportCritereW"));
  EXPECT_EQ(ini.LitTexte(F, "CalH"), "4");
  EXPECT_EQ(Charge(ini).RectFenetre("Cal"), (TRect{1, 2, 3, 4}));
}

TEST(PositionFenetre, SavedMainWindowKeepsItsBoundsWithMinimum) {
  TReglages r = Charge("[gene\\fenetre]\r\nkindrL=50\r\nkindrT=60\r\nkindrW=200\r\n");
  const TRect zone{0, 0, 1280, 984};
  EXPECT_EQ(PositionFenetre(r, "kindr", {0, 0}, zone), (TRect{50, 60, 400, 400}));
}

TEST(PositionFenetre, SavedTopWithoutLeftIsStillNeverSaved) {
  TReglages r = Charge("[gene\\fenetre]\r\nkindrT=60\r\nkindrW=900\r\n");
  const TRect zone{0, 30, 1280, 954};
  EXPECT_EQ(PositionFenetre(r, "kindr", {0, 0}, zone), zone);
}

TEST(PositionFenetre, PartlyOffScreenWindowPulledBack) {
  TReglages r = Charge(
      "[gene\\fenetre]\r\nCarteL=1200\r\nCarteT=-40\r\nCarteW=400\r\nCarteH=300\r\n"
      "StatL=10\r\nStatT=10\r\nStatW=3000\r\nStatH=2000\r\n");
  const TRect zone{0, 0, 1280, 984};
  EXPECT_EQ(PositionFenetre(r, "Carte", {100, 100}, zone), (TRect{880, 0, 400, 300}));
  EXPECT_EQ(PositionFenetre(r, "Stat", {100, 100}, zone), (TRect{0, 0, 3000, 2000}))
      << "larger than the work area: keeps its size at the top left";
}

// --- Postcode helper ------------------------------------------------------------

class Lokaro : public testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> compteur{0};
    m_dossier = (fs::temp_directory_path() /
                 ("kindrela_lokaro_" + std::to_string(::getpid()) + "_" +
                  std::to_string(compteur++)))
                    .string() +
                "/";
    fs::create_directories(m_dossier + "prog");
    fs::create_directories(m_dossier + "ailleurs");
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(m_dossier, ec);
  }
  void CreeFichier(const std::string& rel) { std::ofstream(m_dossier + rel) << "x"; }
  TReglages Charge(const std::string& chemin) {
    FichierIni ini;
    if (!chemin.empty())
      ini.ChargeTexte("[software\\tovamere\\Lokaro]\r\nPath=" + chemin + "\r\n");
    TReglages r;
    r.ChargeReglages(ini, Traduction(), m_dossier + "prog");
    return r;
  }
  std::string m_dossier;
};

TEST_F(Lokaro, PathOfAnExistingFileEnablesTheOption) {
  CreeFichier("ailleurs/lokaro");
  TReglages r = Charge(m_dossier + "ailleurs/lokaro");
  EXPECT_EQ(r.CheminLokaro(), m_dossier + "ailleurs/lokaro");
  EXPECT_TRUE(r.LokaroDisponible());
}

TEST_F(Lokaro, PathOfAMissingFileLeavesItDisabled) {
  TReglages r = Charge(m_dossier + "ailleurs/lokaro");
  EXPECT_FALSE(r.LokaroDisponible());
  EXPECT_TRUE(r.Bool(O, "Lokaro")) << "the option's own value is still read";
}

TEST_F(Lokaro, PathOfAFolderLeavesItDisabled) {
  TReglages r = Charge(m_dossier + "ailleurs");
  EXPECT_FALSE(r.LokaroDisponible());
}

TEST_F(Lokaro, ProgramInTheProgramFolderWins) {
  CreeFichier("ailleurs/lokaro");
  CreeFichier("prog/Lokaro");
  TReglages r = Charge(m_dossier + "ailleurs/lokaro");
  EXPECT_EQ(r.CheminLokaro(), m_dossier + "prog/Lokaro");
  EXPECT_TRUE(r.LokaroDisponible());
}

TEST_F(Lokaro, ProgramInTheProgramFolderWithoutAnyPath) {
  CreeFichier("prog/Lokaro");
  TReglages r = Charge("");
  EXPECT_EQ(r.CheminLokaro(), m_dossier + "prog/Lokaro");
  EXPECT_TRUE(r.LokaroDisponible());
}

TEST_F(Lokaro, NothingAnywhere) {
  TReglages r = Charge("");
  EXPECT_EQ(r.CheminLokaro(), "");
  EXPECT_FALSE(r.LokaroDisponible());
}

TEST_F(Lokaro, PathIsNeverWritten) {
  CreeFichier("ailleurs/lokaro");
  TReglages r = Charge(m_dossier + "ailleurs/lokaro");
  FichierIni ini;
  r.SauveReglages(ini);
  EXPECT_FALSE(ini.SectionExiste(kSectionLokaro));
}

}  // namespace
}  // namespace kindrela
