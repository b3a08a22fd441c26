#include "gedcom/gedcom_lines.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
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

// What the split of a line asks of each byte, one table look-up a byte.
constexpr unsigned char kBlanc = 1;
constexpr unsigned char kMinuscule = 2;  // lower case or non-ASCII: a tag to upper-case
constexpr auto kClasses = [] {
  std::array<unsigned char, 256> classes{};
  classes[' '] = classes['\t'] = kBlanc;
  for (int c = 'a'; c <= 'z'; ++c) classes[c] = kMinuscule;
  for (int c = 0x80; c < 0x100; ++c) classes[c] = kMinuscule;
  return classes;
}();

std::string_view SansBlancsDebut(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && EstBlanc(s[i])) ++i;
  return s.substr(i);
}

bool ToutAscii(std::string_view s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace

void DecoupeLigneGedcom(std::string_view ligne, std::string& tagMajuscule, LigneGedcom& sortie) {
  // Every line of the file passes here: plain pointer walks, no copy.
  const char* p = ligne.data();
  const char* fin = p + ligne.size();
  while (p < fin && EstBlanc(*p)) ++p;
  const char* finTexte = fin;
  while (finTexte > p && EstBlanc(finTexte[-1])) --finTexte;
  sortie.texte = std::string_view(p, static_cast<size_t>(finTexte - p));
  sortie.niveau = -1;
  sortie.xref = {};
  sortie.tag = {};
  sortie.valeur = {};
  sortie.brute = {};
  tagMajuscule.clear();

  // The level: digits, then a space. Nine digits at most, so it never overflows.
  const char* q = p;
  int niveau = 0;
  while (q < fin && *q >= '0' && *q <= '9' && q - p < 9) niveau = niveau * 10 + (*q++ - '0');
  if (q == p || q >= fin || !EstBlanc(*q)) return;
  sortie.niveau = niveau;

  while (q < fin && EstBlanc(*q)) ++q;
  if (q < fin && *q == '@') {
    const char* x = q;
    while (q < fin && !EstBlanc(*q)) ++q;
    sortie.xref = std::string_view(x, static_cast<size_t>(q - x));
    while (q < fin && EstBlanc(*q)) ++q;
  }
  // Tags are nearly always written in capitals already: no copy then.
  const char* t = q;
  unsigned char autre = 0;  // kMinuscule once a lower-case or non-ASCII letter is met
  for (; q < fin; ++q) {
    const unsigned char classe = kClasses[static_cast<unsigned char>(*q)];
    if (classe & kBlanc) break;
    autre |= classe;
  }
  const std::string_view tag(t, static_cast<size_t>(q - t));
  if (autre == 0) {
    sortie.tag = tag;
  } else {
    tagMajuscule.assign(tag);
    for (char& c : tagMajuscule) c = static_cast<char>(MajAnsi(static_cast<unsigned char>(c)));
    sortie.tag = tagMajuscule;
  }
  if (q < fin) {
    ++q;  // the one space after the tag
    sortie.brute = std::string_view(q, static_cast<size_t>(fin - q));
    while (q < fin && EstBlanc(*q)) ++q;
    // The value ends where the trimmed line does.
    sortie.valeur = std::string_view(q, static_cast<size_t>(std::max(finTexte, q) - q));
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
}

namespace {

// The offset of the first CR or LF at or after `pos` (`taille` when none).
// Lines are short: eight bytes are looked at in one step, which beats a
// memchr per kind of line end; a byte at a time on the last few.
std::size_t FinDeLigne(const char* octets, std::size_t pos, std::size_t taille) {
  if constexpr (std::endian::native == std::endian::little) {
    constexpr std::uint64_t kUns = 0x0101010101010101ULL;
    constexpr std::uint64_t kHauts = 0x8080808080808080ULL;
    for (; pos + 8 <= taille; pos += 8) {
      std::uint64_t mot;
      std::memcpy(&mot, octets + pos, 8);
      // A byte of `cr` (or `lf`) is zero where the byte is a CR (LF); the
      // lowest flagged byte is always the first such one.
      const std::uint64_t cr = mot ^ (kUns * '\r');
      const std::uint64_t lf = mot ^ (kUns * '\n');
      const std::uint64_t trouve = (((cr - kUns) & ~cr) | ((lf - kUns) & ~lf)) & kHauts;
      if (trouve != 0) return pos + static_cast<std::size_t>(std::countr_zero(trouve)) / 8;
    }
  }
  while (pos < taille && octets[pos] != '\r' && octets[pos] != '\n') ++pos;
  return pos;
}

}  // namespace

std::string_view LecteurGedcom::Brute() {
  const char* const debut = m_contenu.data();
  const size_t taille = m_contenu.size();
  const size_t fin = FinDeLigne(debut, m_pos, taille);
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
