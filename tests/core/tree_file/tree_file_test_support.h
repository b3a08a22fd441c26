// Helpers of the tree-file tests: a scratch folder, and builders that lay
// out files of every version byte by byte.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/file_io.h"

namespace kindrela::test {

class DossierTemporaire {
 public:
  DossierTemporaire() {
    std::string modele =
        (std::filesystem::temp_directory_path() / "kindrela-tree-XXXXXX").string();
    if (::mkdtemp(modele.data()) == nullptr) ADD_FAILURE() << "mkdtemp";
    m_chemin = modele + "/";
  }
  ~DossierTemporaire() {
    std::error_code ec;
    std::filesystem::remove_all(m_chemin, ec);
  }
  DossierTemporaire(const DossierTemporaire&) = delete;
  DossierTemporaire& operator=(const DossierTemporaire&) = delete;

  // Ends with "/".
  const std::string& Chemin() const { return m_chemin; }
  std::string Chemin(const std::string& nom) const { return m_chemin + nom; }

  // Names are Windows-1252, as every path the program handles.
  std::string Ecrit(const std::string& nom, std::string_view contenu) const {
    std::filesystem::create_directories(
        std::filesystem::path(CheminSysteme(Chemin(nom))).parent_path());
    std::ofstream(CheminSysteme(Chemin(nom)), std::ios::binary) << contenu;
    return Chemin(nom);
  }
  std::string Lit(const std::string& nom) const {
    std::string contenu;
    EXPECT_TRUE(LitFichier(Chemin(nom), contenu).ok()) << nom;
    return contenu;
  }
  bool Existe(const std::string& nom) const {
    return std::filesystem::exists(CheminSysteme(Chemin(nom)));
  }
  std::string SousDossier(const std::string& nom) const {
    std::filesystem::create_directories(CheminSysteme(Chemin(nom)));
    return Chemin(nom) + "/";
  }

 private:
  std::string m_chemin;
};

// A value stream written value by value, as the layouts list them.
class Flux {
 public:
  Flux& V(std::string_view texte) {
    m_octets.push_back(static_cast<char>(texte.size() & 0xFF));
    m_octets.push_back(static_cast<char>((texte.size() >> 8) & 0xFF));
    m_octets.append(texte);
    return *this;
  }
  Flux& N(long long v) { return V(std::to_string(v)); }
  Flux& O() { return V("O"); }
  Flux& Libre() { return V("N"); }
  // `n` empty values.
  Flux& Vides(int n) {
    for (int i = 0; i < n; ++i) V("");
    return *this;
  }
  // Raw bytes, outside the value framing.
  Flux& Brut(std::string_view octets) {
    m_octets.append(octets);
    return *this;
  }
  const std::string& Octets() const { return m_octets; }

 private:
  std::string m_octets;
};

// A packed index list: 4 bytes per number, little-endian.
inline std::string Tab(std::initializer_list<int32_t> numeros) {
  std::string s;
  for (int32_t n : numeros) {
    uint32_t u = static_cast<uint32_t>(n);
    for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
  }
  return s;
}

// Fixed-width records: zero-padded texts and little-endian integers.
class Fixe {
 public:
  Fixe& Texte(std::string_view texte, std::size_t largeur) {
    std::string champ(texte.substr(0, largeur));
    champ.resize(largeur, '\0');
    m_octets += champ;
    return *this;
  }
  Fixe& U16(int v) {
    m_octets.push_back(static_cast<char>(v & 0xFF));
    m_octets.push_back(static_cast<char>((v >> 8) & 0xFF));
    return *this;
  }
  Fixe& Octet(int v) {
    m_octets.push_back(static_cast<char>(v));
    return *this;
  }
  Fixe& Zeros(std::size_t n) {
    m_octets.append(n, '\0');
    return *this;
  }
  const std::string& Octets() const { return m_octets; }
  std::string& Octets() { return m_octets; }

 private:
  std::string m_octets;
};

}  // namespace kindrela::test
