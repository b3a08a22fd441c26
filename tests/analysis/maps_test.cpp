#include "analysis/maps.h"

#include <gtest/gtest.h>

#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/ini_file.h"

namespace kindrela {
namespace {

struct CasZone {
  const char* nom;
  const char* code;
  const char* lieu;
  bool trouve;
};

class ZoneCarte : public ::testing::TestWithParam<CasZone> {};

TEST_P(ZoneCarte, CodeAnywhereInThePlace) {
  const CasZone& c = GetParam();
  const std::vector<TZoneCarte> zones = {{"Zone", c.code, 5, 5}};
  EXPECT_EQ(ZoneDuLieu(zones, c.lieu), c.trouve ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ZoneCarte,
    ::testing::Values(CasZone{"WholeCode", "FRA,IDF,F95", "FRA,IDF,F95,000 Pontoise", true},
                      CasZone{"Department", "F95", "FRA,IDF,F95,000 Pontoise", true},
                      CasZone{"IgnoresCase", "f95", "fra,idf,F95,000 Pontoise", true},
                      CasZone{"OtherDepartment", "F95", "FRA,IDF,F75,001 Paris", false},
                      CasZone{"EmptyCodeMatchesNothing", "", "FRA,IDF,F75,001 Paris", false},
                      CasZone{"EmptyPlace", "F75", "", false},
                      CasZone{"AtTheEnd", "F95", "Pontoise,F95", true},
                      CasZone{"OneLetterCode", "Z", "Zurich", true},
                      CasZone{"OneLetterAtTheEnd", "Z", "Rodez", true},
                      CasZone{"LongerThanThePlace", "FRA,IDF", "FRA", false},
                      CasZone{"AccentIgnoresCase", "Évreux"_ansi, "27 évreux"_ansi, true}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(ZonesCarte, EveryMatchingZoneOnceInListOrder) {
  // Codes sharing their first letters, one occurring twice, one of one letter.
  const std::vector<TZoneCarte> zones = {
      {"a", "F95", 1, 1}, {"b", "F9", 1, 1}, {"c", "IDF", 1, 1}, {"d", "F75", 1, 1}, {"e", "P", 1, 1}, {"f", "", 1, 1}};
  EXPECT_EQ(ZonesDuLieu(zones, "FRA,IDF,F95,000 Pontoise F95"), (std::vector<int>{0, 1, 2, 4}));
  EXPECT_EQ(ZonesDuLieu(zones, "f9"), (std::vector<int>{1}));
}

// Two areas side by side, split by a black column; the right one has a
// black square inside and a sea (grey) strip below.
TImageCarte Image() {
  TImageCarte im(20, 12);
  for (int y = 0; y < 12; ++y) im.SetPixel(10, y, kNoir);
  for (int x = 0; x < 20; ++x) im.SetPixel(x, 9, kNoir);
  for (int y = 10; y < 12; ++y)
    for (int x = 0; x < 20; ++x) im.SetPixel(x, y, 0x808080);
  return im;
}

TEST(Carte, FloodFillStopsAtBlackLines) {
  TImageCarte im = Image();
  EXPECT_EQ(im.Remplit(3, 3, kCouleurEvenement), 10 * 9);
  EXPECT_EQ(im.Pixel(3, 8), kCouleurEvenement);
  EXPECT_EQ(im.Pixel(12, 3), kBlanc);
  EXPECT_EQ(im.Pixel(3, 10), 0x808080u);
  EXPECT_EQ(im.Remplit(10, 3, kCouleurZoneChoisie), 0);  // black is never filled
  EXPECT_EQ(im.Remplit(-1, 3, kCouleurZoneChoisie), 0);
}

TEST(Carte, EventsFillTheirZonesAndCollectTheFirst) {
  TBD bd;
  const int a = bd.NouvelleFiche();
  const int b = bd.NouvelleFiche();
  auto evenement = [&](int p, const char* nature, const char* lieu) {
    const int e = bd.AjouteEveFiche(p);
    bd.EcritChampEve(e, 1, nature);
    bd.EcritChampEve(e, 4, lieu);
  };
  evenement(a, "Naissance", "FRA,IDF,F95,000 Pontoise");
  evenement(a, "Décès", "FRA,IDF,F95,300 Auvers");
  evenement(b, "Naissance", "FRA,IDF,F75,001 Paris");
  // Sorted by name when read: "Paris" (F75) is zone 1, "Val-d'Oise" (F95) zone 2,
  // and the region (its code in both places) zone 3.
  FichierIni ini;
  EcritZones({{"Val-d'Oise", "F95", 3, 3}, {"Paris", "F75", 15, 3}, {"Zone IDF", "FRA,IDF", 15, 5}}, ini);
  const std::vector<TZoneCarte> zones = LitZones(ini);
  ASSERT_EQ(zones.size(), 3u);
  EXPECT_EQ(zones[0].nom, "Paris");
  EXPECT_EQ(zones[1].x, 3);

  TR population;
  population.Add(a);
  population.Add(b);
  TImageCarte im = Image();
  TResultatCarte r = AfficheTout(bd, population, "", zones, im, 2);
  EXPECT_EQ(im.Pixel(3, 3), kCouleurEvenement);   // F95
  EXPECT_EQ(im.Pixel(15, 3), kCouleurEvenement);  // F75 (and the region's seed)
  // The persons with an event whose first zone is F95, each once: a, not b.
  EXPECT_EQ(r.collectes.Vecteur(), (std::vector<int>{a}));
  // Only deaths: a's death in F95 (and the region), not b's birth in Paris.
  im = Image();
  r = AfficheTout(bd, population, "Décès", zones, im, 2);
  EXPECT_EQ(r.collectes.Vecteur(), (std::vector<int>{a}));
  EXPECT_EQ(im.Pixel(3, 3), kCouleurEvenement);

  // A click on a zone with events selects it and asks for its report; the
  // next click gives the area its colour back.
  TClicCarte clic;
  EXPECT_EQ(clic.AfficheClick(im, 4, 4, zones), 2);
  EXPECT_TRUE(clic.AvaitEvenements());
  EXPECT_EQ(im.Pixel(3, 3), kCouleurZoneChoisie);
  clic.EffaceClick(im);
  EXPECT_EQ(im.Pixel(3, 3), kCouleurEvenement);
  // The sea selects nothing; a white area without a zone may get one.
  EXPECT_EQ(clic.AfficheClick(im, 4, 10, zones), 0);
  EXPECT_FALSE(clic.SansZone(im));
  TImageCarte vierge = Image();
  EXPECT_EQ(clic.AfficheClick(vierge, 4, 4, {}), 0);
  EXPECT_TRUE(clic.SansZone(vierge));
}

TEST(Carte, MissingValuesOfTheZoneFile) {
  FichierIni ini;
  ini.ChargeTexte("[Description]\r\nNbre=2\r\n[Nom]\r\n1=B\r\n[PtsX]\r\n1=12\r\n2=x3\r\n");
  const std::vector<TZoneCarte> zones = LitZones(ini);
  ASSERT_EQ(zones.size(), 2u);
  EXPECT_EQ(zones[0], (TZoneCarte{"", "", 0, 0}));  // zone 2, no name: first
  EXPECT_EQ(zones[1], (TZoneCarte{"B", "", 12, 0}));
  EXPECT_TRUE(LitZones(FichierIni()).empty());
}

struct CasEnLigne {
  const char* nom;
  const char* lieu;
  const char* attendu;
};

class LieuCarteEnLigne : public ::testing::TestWithParam<CasEnLigne> {};

TEST_P(LieuCarteEnLigne, RewritesCodedFrenchPlaces) {
  EXPECT_EQ(LieuEnLigne(GetParam().lieu), GetParam().attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Lieux, LieuCarteEnLigne,
    ::testing::Values(CasEnLigne{"CodedPostcode", "FRA,IDF,F95,000 Pontoise", "Pontoise,95000,France"},
                      CasEnLigne{"WholePostcode", "FRA,IDF,F95000,Pontoise", "Pontoise,95000,France"},
                      CasEnLigne{"NoPostcode", "FRA,IDF,F95,Pontoise", "Pontoise,France"},
                      CasEnLigne{"LowerCase", "fra,,F97,110 Pointe", "Pointe,97110,France"},
                      CasEnLigne{"NoCommune", "FRA,IDF,F95", "FRA,IDF,F95"},
                      CasEnLigne{"Elsewhere", "Bruxelles, Belgique", "Bruxelles, Belgique"}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(CarteEnLigne, ScriptCallsAndMarkers) {
  EXPECT_EQ(AppelPlotAdd("L'Isle-Adam,France", "DUPONT Jean<br/>"),
            "plotadd('L\\'Isle-Adam,France','DUPONT Jean<br/>')");
  TBD bd;
  const int p = bd.NouvelleFiche();
  bd.EcritNom(p, "DUPONT");
  bd.EcritPrenoms(p, "Jean");
  const TMarqueur m = MarqueurFiche(bd, "FRA,IDF,F95,000 Pontoise", p);
  EXPECT_EQ(m.lieu, "Pontoise,95000,France");
  EXPECT_EQ(m.texte, "<a href=\"1\">DUPONT Jean</a><br/>FRA,IDF,F95,000 Pontoise");
  EXPECT_TRUE(MarqueurFiche(bd, "", p).lieu.empty());
  EXPECT_TRUE(MarqueurFiche(bd, "Paris", 0).texte.empty());
  // Tree text is markup nowhere: the marker's text is shown as HTML.
  bd.EcritNom(p, "<img src=x onerror=alert(1)>");
  EXPECT_EQ(MarqueurFiche(bd, "Paris & <b>", p).texte,
            "<a href=\"1\">&lt;img src=x onerror=alert(1)&gt; Jean</a><br/>Paris &amp; &lt;b&gt;");
  EXPECT_EQ(TexteMarqueur("<b>", "A&B"), "&lt;b&gt;<br/><font size=\"-1\">A&amp;B</font>");
}

}  // namespace
}  // namespace kindrela
