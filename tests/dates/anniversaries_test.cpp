#include "dates/anniversaries.h"

#include <gtest/gtest.h>

#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/ini_file.h"
#include "dates/dates.h"

namespace kindrela {
namespace {

class Rappels : public ::testing::Test {
 protected:
  void SetUp() override {
    fetes.DefinitFete(3, 19, "Joseph");
    fetes.DefinitFete(6, 24, "Jean-Baptiste, Jean");
    fetes.DefinitFete(12, 27, "Jean");  // later in the scan than 24 June
  }
  void TearDown() override { LibereAujourdhui(); }

  int Personne(const std::string& nom, const std::string& prenoms, const std::string& naissance) {
    const int n = bd.NouvelleFiche();
    bd.EcritNom(n, nom);
    bd.EcritPrenoms(n, prenoms);
    bd.EcritDateNaissance(n, naissance);
    return n;
  }
  std::vector<std::string> Textes(const TRappels& r, const Jour& jour) {
    std::vector<std::string> t;
    for (const TLigneRappel& l : LignesRappels(r, fetes, jour)) t.push_back(l.texte);
    return t;
  }

  TBD bd;
  TTableFetes fetes;
};

TEST_F(Rappels, FileHoldsBirthdaysAndNameDays) {
  const int jean = Personne("DUPONT", "Jean Pierre", "14/7/1950");
  const int joseph = Personne("MARTIN", "Joseph", "1901");  // no day: no birthday
  const int32_t liste[] = {jean, joseph};
  TOptionsRappels o;
  TRappels r = ConstruitRappels(bd, liste, o, fetes);
  EXPECT_EQ(r.nbreJour, 7);
  EXPECT_EQ(r.Jour(7, 14), "Anniversaire|DUPONT Jean|1950|");
  // "Jean Pierre" has no day of its own: the usual given name's first day.
  EXPECT_EQ(r.Jour(6, 24), "Fête|DUPONT Jean||"_ansi);
  EXPECT_EQ(r.Jour(3, 19), "Fête|MARTIN Joseph||"_ansi);
  o.fetes = false;
  o.joursSuivants = false;
  r = ConstruitRappels(bd, liste, o, fetes);
  EXPECT_TRUE(r.Jour(6, 24).empty());
  EXPECT_EQ(r.nbreJour, 0);

  // Written with every key, read back the same; a file without NbreJour looks 15 days ahead.
  FichierIni ini;
  EcritRappels(r, ini);
  EXPECT_TRUE(ini.CleExiste("AnniFete", "j31m12"));
  EXPECT_EQ(ini.LitTexte("AnniFete", "j14m7"), "Anniversaire|DUPONT Jean|1950|");
  const TRappels relu = LitRappels(ini);
  EXPECT_EQ(relu.jours, r.jours);
  EXPECT_EQ(relu.nbreJour, 0);
  FichierIni vide;
  EXPECT_EQ(LitRappels(vide).nbreJour, kNbreJourAbsent);
}

TEST_F(Rappels, TodayAndTheDaysAhead) {
  TRappels r;
  r.nbreJour = 7;
  r.Jour(7, 14) = "Anniversaire|DUPONT Jean|1950|";
  r.Jour(7, 16) = "Fête|MARTIN Joseph||"_ansi;
  const std::vector<std::string> lignes = Textes(r, Jour{2026, 7, 14});
  const std::vector<std::string> attendu = {
      "Mardi 14 juillet 2026", "", "Aujourd'hui:", "Anniversaire de DUPONT Jean (76 ans).", "",
      "Anniversaires et fêtes à souhaiter"_ansi, "pour les 7 prochains jours:", "",
      "Jeudi 16 juillet 2026 (2 jours).", "Fête de MARTIN Joseph."_ansi};
  EXPECT_EQ(lignes, attendu);
}

TEST_F(Rappels, NothingAheadShowsTheNextOne) {
  TRappels r;
  r.nbreJour = 0;  // the look-ahead is off
  r.Jour(3, 19) = "Anniversaire|MARTIN Joseph|2025|";
  const std::vector<std::string> lignes = Textes(r, Jour{2026, 3, 1});
  const std::vector<std::string> attendu = {
      "Dimanche 1 mars 2026", "Aucun anniversaires ou fêtes à souhaiter"_ansi, "dans les 0 prochains jours.",
      "", "Le prochain aura lieu le:", "", "Jeudi 19 mars 2026 (18 jours).",
      "Anniversaire de MARTIN Joseph (1 an)."};
  // The blank line before the "nothing" lines comes first.
  ASSERT_GE(lignes.size(), 2u);
  EXPECT_EQ(lignes[1], "");
  std::vector<std::string> sansPremierBlanc = lignes;
  sansPremierBlanc.erase(sansPremierBlanc.begin() + 1);
  EXPECT_EQ(sansPremierBlanc, attendu);
  // Today's name days from the language's table.
  EXPECT_EQ(Textes(r, Jour{2026, 3, 19})[1], "Fêtes: Joseph"_ansi);
}

TEST_F(Rappels, LeapDayOnlyInLeapYears) {
  TRappels r;
  r.nbreJour = 3;
  r.Jour(2, 29) = "Anniversaire|BISSEXTIL Paul|2000|";
  auto contient = [&](const Jour& j) {
    for (const std::string& t : Textes(r, j))
      if (t.find("BISSEXTIL") != std::string::npos) return true;
    return false;
  };
  EXPECT_TRUE(contient(Jour{2028, 2, 27}));
  EXPECT_TRUE(contient(Jour{2027, 3, 1}));    // 365 days ahead is 29 February 2028
  EXPECT_FALSE(contient(Jour{2027, 2, 27}));  // the year's walk ends on 27 February 2028
}

TEST(RappelsDemarrage, DesktopEntryRunsTheReminder) {
  const std::string e = EntreeDemarrage("/opt/kindrela 2008/bin/kindrela", "Kindrela 2008");
  EXPECT_NE(e.find("Exec=\"/opt/kindrela 2008/bin/kindrela\" -anniv\n"), std::string::npos);
  EXPECT_NE(e.find("Name=Kindrela 2008\n"), std::string::npos);
}

}  // namespace
}  // namespace kindrela
