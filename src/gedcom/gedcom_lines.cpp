#include "gedcom/gedcom_lines.h"

#include <algorithm>
#include <cstring>

#include "core/file_io.h"
#include "core/letters.h"
#include "core/text.h"

namespace kindrela {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
// Only the first invalid lines are named; the count says how many there were.
constexpr long kMaxLignesNommees = 50;

bool EstBlanc(char c) { return c == ' ' || c == '\t'; }

std::string_view SansBlancsDebut(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && EstBlanc(s[i])) ++i;
  return s.substr(i);
}

std::string_view SansBlancsFin(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && EstBlanc(s[n - 1])) --n;
  return s.substr(0, n);
}

bool ToutAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace

void DecoupeLigneGedcom(std::string_view ligne, std::string& tagMajuscule, LigneGedcom& sortie) {
  std::string_view s = SansBlancsDebut(ligne);
  sortie.texte = SansBlancsFin(s);
  sortie.niveau = -1;
  sortie.xref = {};
  sortie.tag = {};
  sortie.valeur = {};
  sortie.brute = {};
  tagMajuscule.clear();

  // The level: digits, then a space. Nine digits at most, so it never overflows.
  size_t i = 0;
  int niveau = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9' && i < 9) niveau = niveau * 10 + (s[i++] - '0');
  if (i == 0 || i >= s.size() || !EstBlanc(s[i])) return;
  sortie.niveau = niveau;

  std::string_view reste = SansBlancsDebut(s.substr(i));
  if (!reste.empty() && reste[0] == '@') {
    size_t fin = 0;
    while (fin < reste.size() && !EstBlanc(reste[fin])) ++fin;
    sortie.xref = reste.substr(0, fin);
    reste = SansBlancsDebut(reste.substr(fin));
  }
  size_t fin = 0;
  while (fin < reste.size() && !EstBlanc(reste[fin])) ++fin;
  std::string_view tag = reste.substr(0, fin);
  // Tags are nearly always written in capitals already: no copy then.
  bool majuscule = true;
  for (char c : tag) majuscule = majuscule && !(c >= 'a' && c <= 'z') && static_cast<unsigned char>(c) < 0x80;
  if (majuscule) {
    sortie.tag = tag;
  } else {
    tagMajuscule.assign(tag);
    for (char& c : tagMajuscule) c = static_cast<char>(MajAnsi(static_cast<unsigned char>(c)));
    sortie.tag = tagMajuscule;
  }
  if (fin < reste.size()) {
    sortie.brute = reste.substr(fin + 1);
    sortie.valeur = SansBlancsFin(SansBlancsDebut(sortie.brute));
  }
}

LecteurGedcom::LecteurGedcom(std::string_view contenu, JeuCaracteres jeu)
    : m_contenu(contenu), m_jeu(jeu) {
  if (m_contenu.substr(0, kBom.size()) == kBom) m_pos = kBom.size();
}

void LecteurGedcom::Positionne(std::size_t position, long numero) {
  m_pos = position < m_contenu.size() ? position : m_contenu.size();
  m_numero = numero - 1;
  m_fin = false;
  // Going back may pass line ends the kept positions skipped.
  m_prochainCR = m_prochainLF = kInconnu;
}

std::size_t LecteurGedcom::Prochain(char c, std::size_t& garde) const {
  if (garde == kInconnu || garde < m_pos) {
    const void* p = std::memchr(m_contenu.data() + m_pos, c, m_contenu.size() - m_pos);
    garde = p ? static_cast<std::size_t>(static_cast<const char*>(p) - m_contenu.data()) : m_contenu.size();
  }
  return garde;
}

std::string_view LecteurGedcom::Brute() {
  // The next CR and the next LF are each searched for once and kept until
  // the reading passes them: whatever the line ends, the file is scanned
  // at most twice, by memchr.
  const char* const debut = m_contenu.data();
  const size_t taille = m_contenu.size();
  const size_t fin = std::min(Prochain('\r', m_prochainCR), Prochain('\n', m_prochainLF));
  std::string_view ligne(debut + m_pos, fin - m_pos);
  m_debutLigne = m_pos;
  m_pos = fin;
  if (m_pos < taille) {
    if (debut[m_pos] == '\r' && m_pos + 1 < taille && debut[m_pos + 1] == '\n') ++m_pos;
    ++m_pos;
  }
  ++m_numero;
  return ligne;
}

bool LecteurGedcom::SuivanteBrute(std::string_view& ligne, long& numero, std::size_t& debut) {
  if (m_pos >= m_contenu.size()) return false;
  ligne = Brute();
  numero = m_numero;
  debut = m_debutLigne;
  return true;
}

bool LecteurGedcom::Suivante() {
  while (m_pos < m_contenu.size()) {
    std::string_view brute = Brute();
    if (SansBlancsDebut(brute).empty()) continue;
    std::string_view ligne = brute;
    if ((m_jeu != JeuCaracteres::Windows && !ToutAscii(brute)) || PeutContenirReference(brute)) {
      int remplaces = 0;
      if (m_compte && m_jeu == JeuCaracteres::Utf8 && !Utf8Valide(brute)) {
        if (m_nbreLignesInvalides < kMaxLignesNommees) {
          if (!m_lignesInvalides.empty()) m_lignesInvalides += ", ";
          m_lignesInvalides += std::to_string(m_numero);
        }
        ++m_nbreLignesInvalides;
      }
      DecodeLigneDans(brute, m_jeu, m_decode, &remplaces);
      if (m_compte) m_remplacements += remplaces;
      ligne = m_decode;
    }
    DecoupeLigneGedcom(ligne, m_tag, m_ligne);
    m_ligne.numero = m_numero;
    return true;
  }
  m_fin = true;
  m_debutLigne = m_pos;
  m_ligne = LigneGedcom();
  m_ligne.numero = m_numero;
  return false;
}

bool Utf8Valide(std::string_view octets, bool coupeAutorisee) {
  const auto* p = reinterpret_cast<const unsigned char*>(octets.data());
  const size_t n = octets.size();
  size_t i = 0;
  while (i < n) {
    unsigned char c = p[i];
    if (c < 0x80) {
      ++i;
      continue;
    }
    int suite;
    unsigned char min2 = 0x80, max2 = 0xBF;  // the second byte's range rules out overlong forms
    if (c >= 0xC2 && c <= 0xDF) {
      suite = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
      suite = 2;
      if (c == 0xE0) min2 = 0xA0;
      if (c == 0xED) max2 = 0x9F;  // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
      suite = 3;
      if (c == 0xF0) min2 = 0x90;
      if (c == 0xF4) max2 = 0x8F;
    } else {
      return false;
    }
    for (int k = 1; k <= suite; ++k) {
      if (i + k >= n) return coupeAutorisee;
      unsigned char d = p[i + k];
      if (k == 1 ? (d < min2 || d > max2) : (d < 0x80 || d > 0xBF)) return false;
    }
    i += static_cast<size_t>(suite) + 1;
  }
  return true;
}

namespace {

enum class Ordre { Aucun, Petit, Grand };

Ordre OrdreUtf16(std::string_view c) {
  auto octet = [&](size_t i) { return i < c.size() ? static_cast<unsigned char>(c[i]) : 0x100u; };
  if (octet(0) == 0xFF && octet(1) == 0xFE) return Ordre::Petit;
  if (octet(0) == 0xFE && octet(1) == 0xFF) return Ordre::Grand;
  // No mark: a GEDCOM file starts with "0 HEAD", every other byte zero.
  if (c.size() >= 4 && c[0] == '0' && c[1] == '\0' && c[2] == ' ' && c[3] == '\0') return Ordre::Petit;
  if (c.size() >= 4 && c[0] == '\0' && c[1] == '0' && c[2] == '\0' && c[3] == ' ') return Ordre::Grand;
  return Ordre::Aucun;
}

void AjouteUtf8(std::string& s, char32_t c) {
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (c >> 18));
    s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

bool Utf16VersUtf8(std::string_view contenu, std::string& sortie) {
  const Ordre ordre = OrdreUtf16(contenu);
  if (ordre == Ordre::Aucun) return false;
  const auto* p = reinterpret_cast<const unsigned char*>(contenu.data());
  const size_t n = contenu.size() / 2;
  auto unite = [&](size_t i) -> char32_t {
    return ordre == Ordre::Petit ? p[2 * i] | (p[2 * i + 1] << 8) : (p[2 * i] << 8) | p[2 * i + 1];
  };
  std::string s;
  s.reserve(contenu.size() + kBom.size());
  s += kBom;
  size_t i = unite(0) == 0xFEFF ? 1 : 0;
  for (; i < n; ++i) {
    char32_t c = unite(i);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && unite(i + 1) >= 0xDC00 && unite(i + 1) <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (unite(i + 1) - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    AjouteUtf8(s, c);
  }
  sortie = std::move(s);
  return true;
}

JeuCaracteres JeuPreselectionne(std::string_view debut) {
  if (debut.substr(0, kBom.size()) == kBom || OrdreUtf16(debut) != Ordre::Aucun)
    return JeuCaracteres::Utf8;
  LecteurGedcom lecteur(debut, JeuCaracteres::Windows);
  std::string_view brute;
  long numero = 0;
  size_t position = 0;
  std::string tag;
  LigneGedcom ligne;
  bool dansEntete = false;
  while (lecteur.SuivanteBrute(brute, numero, position)) {
    DecoupeLigneGedcom(brute, tag, ligne);
    if (ligne.niveau == 0) {
      if (dansEntete) break;  // the header is over
      dansEntete = ligne.tag == "HEAD";
      continue;
    }
    JeuCaracteres jeu;
    if (dansEntete && ligne.niveau == 1 && ligne.tag == "CHAR" && JeuDepuisCharGedcom(ligne.valeur, jeu))
      return jeu;
  }
  if (!ToutAscii(debut) && Utf8Valide(debut, true)) return JeuCaracteres::Utf8;
  return JeuCaracteres::Windows;
}

JeuCaracteres JeuPreselectionneFichier(const std::string& chemin) {
  return JeuPreselectionne(LitDebutFichier(chemin, 64 * 1024));
}

bool CommenceCommeGedcom(std::string_view debut) {
  if (debut.substr(0, 2) == "\xFF\xFE" || debut.substr(0, 2) == "\xFE\xFF") return true;
  if (debut.substr(0, 3) == "\xEF\xBB\xBF") debut.remove_prefix(3);
  std::size_t i = debut.find_first_not_of(" \t\r\n");
  if (i == std::string_view::npos || debut[i] != '0') return false;
  std::size_t j = debut.find_first_not_of(" \t", i + 1);
  if (j == i + 1 || j == std::string_view::npos) return false;
  std::string_view tag = debut.substr(j, 4);
  return tag.size() == 4 && EgalSansCasse(tag, "HEAD") &&
         (j + 4 == debut.size() || std::string_view(" \t\r\n").find(debut[j + 4]) != std::string_view::npos);
}

}  // namespace kindrela
