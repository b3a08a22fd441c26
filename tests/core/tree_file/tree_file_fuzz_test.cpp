// Random, truncated and damaged input for every reader: no crash, no hang,
// no huge allocation, and what a cut file still holds is loaded.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/clock.h"
#include "core/tree_file/tree_file_reader.h"
#include "core/tree_file/tree_file_version.h"
#include "core/tree_file/tree_file_writer.h"
#include "tree_file_test_support.h"

namespace kindrela {
namespace {

constexpr int kVersions[] = {52, 991, 99, 981, 98, 30, 24, 15};

// A database that would hold every record a bounded reader may make.
TBD PetiteBase() {
  CapacitesBD c;
  c.fiches = 70000;
  c.unions = 70000;
  c.eves = 70000;
  c.srcs = 70000;
  return TBD(c);
}

std::string ArbreEcrit() {
  TBD bd;
  for (int i = 1; i <= 40; ++i) {
    int n = bd.NouvelleFiche();
    bd.EcritNom(n, "Nom" + std::to_string(i));
    bd.EcritPrenoms(n, "Pre");
    bd.EcritDateNaissance(n, std::to_string(1800 + i));
    bd.EcritPere(n, i > 2 ? i - 2 : 0);
    bd.AjouteNouvelleSrc(n);
  }
  for (int i = 1; i < 40; i += 2) bd.EcritChampUnion(bd.CreeUnion(i, i + 1), 3, "1900");
  std::string octets;
  EXPECT_TRUE(OctetsBase(bd, {1, "kindrela"}, {}, octets).ok());
  return octets;
}

void LitSansPlanter(std::string_view octets, int version) {
  TBD bd = PetiteBase();
  ResultatLecture r;
  (void)LitArbre(bd, octets, version, {}, r);
  // Whatever was read, the database keeps working.
  EXPECT_LE(bd.NbreFiche(), 70000);
  int n = bd.NouvelleFiche();
  if (n) bd.EcritDateNaissance(n, "1900");
  (void)bd.VerifieBase([](const std::string&) { return true; });
  (void)bd.NbreUnionsValides();
}

TEST(TreeFileFuzz, RandomBytesForEveryReader) {
  std::mt19937 hasard(12345);
  for (int essai = 0; essai < 2000; ++essai) {
    std::string octets(hasard() % 600, '\0');
    for (char& c : octets) c = static_cast<char>(hasard() % 256);
    for (int v : kVersions) LitSansPlanter(octets, v);
    (void)VersionDesOctets(octets);
  }
}

TEST(TreeFileFuzz, EveryPrefixOfASavedTreeLoadsWhatItHolds) {
  FixeAujourdhui(Jour{2008, 1, 6});
  const std::string octets = ArbreEcrit();
  LibereAujourdhui();
  int dernierLu = 0;
  for (std::size_t n = 0; n <= octets.size(); n += 7) {
    std::string_view prefixe(octets.data(), n);
    TBD bd = PetiteBase();
    ResultatLecture r;
    ASSERT_TRUE(LitArbre(bd, prefixe, 52, {}, r).ok());
    // Persons come first in the file: the more of it, the more of them.
    int lus = 0;
    for (int k = 1; k <= bd.NbreFiche(); ++k) lus += bd.LitNom(k).rfind("Nom", 0) == 0;
    EXPECT_GE(lus, dernierLu) << n;
    dernierLu = lus;
    if (n < octets.size()) {
      EXPECT_FALSE(r.avertissements.empty()) << n;
    }
  }
  EXPECT_EQ(dernierLu, 40);
}

TEST(TreeFileFuzz, FlippedBytesInASavedTree) {
  FixeAujourdhui(Jour{2008, 1, 6});
  const std::string octets = ArbreEcrit();
  LibereAujourdhui();
  std::mt19937 hasard(777);
  for (int essai = 0; essai < 400; ++essai) {
    std::string abime = octets;
    for (int k = 0; k < 3; ++k) abime[hasard() % abime.size()] = static_cast<char>(hasard() % 256);
    for (int v : {52, 99, 981, 98}) LitSansPlanter(abime, v);
  }
}

TEST(TreeFileFuzz, TruncatedOldFiles) {
  test::Fixe f;
  std::string version(16, ' ');
  version[12] = '2';
  version[14] = '4';
  f.Texte(version, 16).Zeros(26).U16(3).Zeros(4);
  for (int i = 0; i < 3; ++i) {
    f.Texte("Nom", 41).Texte("Pre", 41).Zeros(41).Octet(1).Zeros(48 + 123).U16(1).U16(2).U16(2);
    f.Zeros(54);
  }
  f.U16(2).Texte("Acte", 33).Zeros(256).U16(1).Texte("Acte2", 33);
  std::string complet = f.Octets();
  std::string ini = "[KINDRELA 3.0B]\r\nVersion=30\r\n[Ligne]\r\nNbreFiche=2\r\nNbreUnion=1\r\n"
                    "[Nom]\r\n1=A\r\n2=B\r\n[NumH]\r\n1=1\r\n[NumF]\r\n1=2\r\n";
  for (std::size_t n = 0; n <= complet.size(); ++n) {
    LitSansPlanter(std::string_view(complet).substr(0, n), 24);
    LitSansPlanter(std::string_view(complet).substr(0, n), 15);
  }
  for (std::size_t n = 0; n <= ini.size(); ++n) LitSansPlanter(std::string_view(ini).substr(0, n), 30);
}

}  // namespace
}  // namespace kindrela
