#include "core/tree_file/tree_file_version.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/tree_file/value_stream.h"

namespace kindrela {
namespace {

// A value stream whose first value is `texte`, followed by a few more.
std::string Flux(const std::string& texte) {
  EcrivainValeurs e;
  e.Valeur(texte);
  e.Valeur("1/1/2000");
  e.Entier(3);
  return e.Octets();
}

// The 16-byte version text of the fixed-record files, digits at 12 and 14.
std::string Fixe(char d1, char d2) {
  std::string s = "Famora v 1.00  ";
  s.resize(16, '\0');
  s[12] = d1;
  s[14] = d2;
  return s + std::string(40, '\0');
}

struct CasVersion {
  const char* nom;
  std::string octets;
  int attendu;
};
void PrintTo(const CasVersion& c, std::ostream* os) { *os << c.nom; }

class VersionBaseDetection : public ::testing::TestWithParam<CasVersion> {};

TEST_P(VersionBaseDetection, FindsTheCode) {
  EXPECT_EQ(VersionDesOctets(GetParam().octets), GetParam().attendu);

  std::string modele = (std::filesystem::temp_directory_path() / "kindrela-ver-XXXXXX").string();
  int fd = ::mkstemp(modele.data());
  ASSERT_GE(fd, 0);
  ::close(fd);
  std::ofstream(modele, std::ios::binary) << GetParam().octets;
  EXPECT_EQ(VersionBase(modele), GetParam().attendu);
  std::filesystem::remove(modele);
}

INSTANTIATE_TEST_SUITE_P(
    Entetes, VersionBaseDetection,
    ::testing::Values(
        CasVersion{"Fixe24", Fixe('2', '4'), 24},
        CasVersion{"Fixe15", Fixe('1', '5'), 15},
        CasVersion{"FixeAutreNombre", Fixe('2', '5'), 0},
        CasVersion{"FixeNonChiffreCompteZero", Fixe('x', '5'), 0},
        CasVersion{"Courante", Flux("KINDRELA 2008-01-06"), 52},
        CasVersion{"Kindrela2003", Flux("Kindrela 2003.1"), 52},
        CasVersion{"Famora", Flux("FAMORA 1.0"), 52},
        CasVersion{"VetraFamora", Flux("Vetra Famora"), 52},
        CasVersion{"Kindrela2000", Flux("KINDRELA 2000"), 991},
        CasVersion{"V99Tardive", Flux("KINDRELA 99.03.01"), 991},
        CasVersion{"V99Precoce", Flux("KINDRELA 99.02.28"), 99},
        CasVersion{"V98Tardive", Flux("KINDRELA 98.11.16"), 981},
        CasVersion{"V98Decembre", Flux("KINDRELA 98.12.01"), 981},
        CasVersion{"V98Novembre15", Flux("KINDRELA 98.11.15"), 98},
        CasVersion{"V98Precoce", Flux("kindrela 98.03.20"), 98},
        CasVersion{"V98NombreNul", Flux("KINDRELA 98.00.20"), 0},
        CasVersion{"V98NombreIllisible", Flux("KINDRELA 98.1.20"), 0},
        CasVersion{"V99Incomplete", Flux("KINDRELA 99"), 0},
        CasVersion{"Ini30", "[KINDRELA 3.0B]\r\nVersion=30\r\nDateCree=1/1/1999\r\n", 30},
        CasVersion{"IniAutreVersion", "[KINDRELA 3.0B]\r\nVersion=31\r\n", 0},
        CasVersion{"IniSansSection", "[Autre]\r\nVersion=30\r\n", 0},
        CasVersion{"Vide", "", 0},
        CasVersion{"Court", "KI", 0},
        CasVersion{"Texte", "Ceci n'est pas un arbre.", 0}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(VersionBase, AMissingFileIsNotATree) {
  EXPECT_EQ(VersionBase("/nonexistent/kindrela/none.kdg"), 0);
}

TEST(VersionBase, WhatThisProgramWritesIsTheCurrentVersion) {
  EXPECT_EQ(TexteVersionFichier(), "KINDRELA 2008-01-06");
  EXPECT_EQ(VersionDesOctets(Flux(TexteVersionFichier())), kVersionCourante);
}

}  // namespace
}  // namespace kindrela
