#include "core/tree_file/value_stream.h"

#include <algorithm>
#include <charconv>

#include "core/letters.h"
#include "core/text.h"

namespace kindrela {

void EcrivainValeurs::Valeur(std::string_view texte) {
  Brut(texte.substr(0, LongueurSansCouper(texte, kLongueurMaxValeur)));
}

void EcrivainValeurs::Brut(std::string_view texte) {
  std::size_t n = std::min(texte.size(), kLongueurMaxValeur);
  const char compte[2] = {static_cast<char>(n & 0xFF), static_cast<char>((n >> 8) & 0xFF)};
  m_octets.append(compte, 2).append(texte.data(), n);
}

namespace {

// Decimal text into `tampon`, as a view of it.
std::string_view Decimal(long long valeur, char (&tampon)[24]) {
  const auto fin = std::to_chars(tampon, tampon + sizeof tampon, valeur).ptr;
  return std::string_view(tampon, static_cast<std::size_t>(fin - tampon));
}

}  // namespace

void EcrivainValeurs::Entier(long long valeur) {
  char tampon[24];
  Valeur(Decimal(valeur, tampon));
}

void MesureValeurs::Valeur(std::string_view texte) {
  m_taille += 2 + LongueurSansCouper(texte, kLongueurMaxValeur);
}

void MesureValeurs::Brut(std::string_view octets) {
  m_taille += 2 + std::min(octets.size(), kLongueurMaxValeur);
}

void MesureValeurs::Entier(long long valeur) {
  char tampon[24];
  Valeur(Decimal(valeur, tampon));
}

LecteurValeurs::LecteurValeurs(std::string_view octets, bool finAuZero, std::size_t plafond)
    : m_octets(octets), m_finAuZero(finAuZero), m_plafond(std::min(plafond, kLongueurMaxValeur)) {}

std::string_view LecteurValeurs::Valeur() {
  if (m_pos + 2 > m_octets.size()) {
    m_depasse = true;
    m_pos = m_octets.size();
    return {};
  }
  std::size_t n = static_cast<unsigned char>(m_octets[m_pos]) |
                  (static_cast<std::size_t>(static_cast<unsigned char>(m_octets[m_pos + 1])) << 8);
  m_pos += 2;
  n = std::min(n, m_plafond);
  if (n > m_octets.size() - m_pos) {
    n = m_octets.size() - m_pos;
    m_depasse = true;
  }
  std::string_view v = m_octets.substr(m_pos, n);
  m_pos += n;
  if (m_finAuZero) {
    std::size_t zero = v.find('\0');
    if (zero != std::string_view::npos) v = v.substr(0, zero);
  }
  return v;
}

int LecteurValeurs::Entier() { return EntierDeValeur(Valeur()); }

void LecteurValeurs::Saute(int n) {
  for (int i = 0; i < n; ++i) Valeur();
}

int EntierDeValeur(std::string_view texte) {
  // Plain digits are by far the common case; keep them off the general path.
  if (!texte.empty() && texte.size() <= 9) {
    int v = 0;
    bool chiffres = true;
    for (char c : texte) {
      if (c < '0' || c > '9') { chiffres = false; break; }
      v = v * 10 + (c - '0');
    }
    if (chiffres) return v;
  }
  return TexteVersEntier(texte, 0);
}

}  // namespace kindrela
