#include "core/text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/letters.h"

namespace kindrela {
namespace {

// Code points of bytes 0x80..0x9F; 0 marks the five undefined bytes.
constexpr char32_t kHaut[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AjouteUtf8(std::string& out, char32_t u) {
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xC0 | (u >> 6));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else if (u < 0x10000) {
    out += static_cast<char>(0xE0 | (u >> 12));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (u >> 18));
    out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
}

bool EstEspace(unsigned char c) { return c == ' '; }

}  // namespace

char32_t AnsiVersUnicode(unsigned char c) {
  if (c >= 0x80 && c <= 0x9F) {
    char32_t u = kHaut[c - 0x80];
    return u ? u : c;
  }
  return c;
}

unsigned char UnicodeVersAnsi(char32_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<unsigned char>(u);
  for (int i = 0; i < 32; ++i)
    if (kHaut[i] == u) return static_cast<unsigned char>(0x80 + i);
  // The undefined bytes travel as the C1 controls of the same value.
  if (u == 0x81 || u == 0x8D || u == 0x8F || u == 0x90 || u == 0x9D)
    return static_cast<unsigned char>(u);
  return 0;
}

std::string AnsiVersUtf8(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size() + ansi.size() / 8);
  for (size_t i = 0; i < ansi.size(); ++i) {
    const auto c = static_cast<unsigned char>(ansi[i]);
    char32_t u;
    size_t longueur;
    if (c == '&' && LitReference(ansi, i, u, longueur)) {
      AjouteUtf8(out, u);
      i += longueur - 1;
    } else if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      AjouteUtf8(out, AnsiVersUnicode(c));
    }
  }
  return out;
}

std::string Utf8VersAnsi(std::string_view s, char remplacement, int* nbRemplacements) {
  std::string out;
  out.reserve(s.size());
  int remplaces = 0;
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      char32_t ref;
      size_t l;
      // A typed "&#322;" must not come back as the letter it would name.
      if (c == '&' && LitReference(s, i, ref, l)) out += "&#38;";
      else out += static_cast<char>(c);
      ++i;
      continue;
    }
    int longueur = 0;
    char32_t u = 0;
    if ((c & 0xE0) == 0xC0) { longueur = 2; u = c & 0x1F; }
    else if ((c & 0xF0) == 0xE0) { longueur = 3; u = c & 0x0F; }
    else if ((c & 0xF8) == 0xF0) { longueur = 4; u = c & 0x07; }
    bool valide = longueur > 0 && i + longueur <= s.size();
    for (int k = 1; valide && k < longueur; ++k) {
      unsigned char d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) valide = false;
      else u = (u << 6) | (d & 0x3F);
    }
    // Overlong forms and surrogates are as invalid as a broken sequence.
    if (valide && ((longueur == 2 && u < 0x80) || (longueur == 3 && u < 0x800) ||
                   (longueur == 4 && (u < 0x10000 || u > 0x10FFFF)) ||
                   (u >= 0xD800 && u <= 0xDFFF)))
      valide = false;
    if (!valide) {
      out += remplacement;
      ++remplaces;
      ++i;
      continue;
    }
    i += longueur;
    if (u == 0xFEFF) continue;  // a byte-order mark carries no text
    AjouteLettre(out, u);
  }
  if (nbRemplacements) *nbRemplacements = remplaces;
  return out;
}

unsigned char MajAnsi(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 224 && c <= 254 && c != 247) return c - 32;
  switch (c) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: return c;
  }
}

unsigned char MinAnsi(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 192 && c <= 222 && c != 215) return c + 32;
  switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
  }
}

namespace {

// The text with each letter through `casse`; a letter the mapping leaves
// alone keeps its bytes, so an escaped ampersand stays escaped.
template <typename Casse>
std::string ChangeCasse(std::string_view s, Casse casse) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    size_t longueur;
    const char32_t u = LettreEn(s, i, longueur);
    const char32_t v = casse(u);
    if (v == u) out.append(s.substr(i, longueur));
    else AjouteLettre(out, v);
    i += longueur;
  }
  return out;
}

// The value by which a letter compares once in small letters: the byte of a
// Windows-1252 letter, then every other code point after them.
char32_t RangSansCasse(std::string_view s, size_t& i) {
  size_t longueur;
  const char32_t u = LettreEn(s, i, longueur);
  i += longueur;
  if (longueur == 1) return MinAnsi(static_cast<unsigned char>(s[i - 1]));
  const char32_t m = u == 0x03C2 ? 0x03C3 : MinUnicode(u);  // final sigma is a sigma
  if (unsigned char b = UnicodeVersAnsi(m)) return b;
  return 0x100 + m;
}

}  // namespace

std::string MajusculesAnsi(std::string_view s) {
  if (PeutContenirReference(s)) return ChangeCasse(s, MajUnicode);
  std::string out(s);
  // Most letters are ASCII: only the others go through the table of MajAnsi.
  for (auto& c : out) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x80) c = static_cast<char>(MajAnsi(u));
    else if (u >= 'a' && u <= 'z') c = static_cast<char>(u - 32);
  }
  return out;
}

std::string MinusculesAnsi(std::string_view s) {
  if (PeutContenirReference(s)) return ChangeCasse(s, MinUnicode);
  std::string out(s);
  for (auto& c : out) c = static_cast<char>(MinAnsi(static_cast<unsigned char>(c)));
  return out;
}

bool EgalSansCasse(std::string_view a, std::string_view b) {
  if (PeutContenirReference(a) || PeutContenirReference(b)) return CompareSansCasse(a, b) == 0;
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (MinAnsi(static_cast<unsigned char>(a[i])) != MinAnsi(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

int CompareSansCasse(std::string_view a, std::string_view b) {
  if (PeutContenirReference(a) || PeutContenirReference(b)) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
      const char32_t x = RangSansCasse(a, i), y = RangSansCasse(b, j);
      if (x != y) return x < y ? -1 : 1;
    }
    if (i == a.size() && j == b.size()) return 0;
    return i == a.size() ? -1 : 1;
  }
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = MinAnsi(static_cast<unsigned char>(a[i]));
    unsigned char y = MinAnsi(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::string TrimGauche(std::string_view s) {
  size_t i = 0;
  while (i + 1 < s.size() && EstEspace(static_cast<unsigned char>(s[i]))) ++i;
  return std::string(s.substr(i));
}

std::string TrimDroite(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && EstEspace(static_cast<unsigned char>(s[n - 1]))) --n;
  return std::string(s.substr(0, n));
}

std::string Trim(std::string_view s) {
  size_t debut = 0, fin = s.size();
  while (debut < fin && static_cast<unsigned char>(s[debut]) <= ' ') ++debut;
  while (fin > debut && static_cast<unsigned char>(s[fin - 1]) <= ' ') --fin;
  return std::string(s.substr(debut, fin - debut));
}

std::vector<std::string> Decoupe(std::string_view s, char sep) {
  std::vector<std::string> champs;
  size_t debut = 0;
  while (true) {
    size_t p = s.find(sep, debut);
    champs.emplace_back(s.substr(debut, p == std::string_view::npos ? std::string_view::npos
                                                                    : p - debut));
    if (p == std::string_view::npos || champs.size() == kMaxChampsDecoupe) break;
    debut = p + 1;
  }
  return champs;
}

char DetecteSeparateur(std::string_view s) {
  if (s.find('/') != std::string_view::npos) return '/';
  if (s.find('-') != std::string_view::npos) return '-';
  if (s.find(' ') != std::string_view::npos) return ' ';
  return '/';
}

std::string Format2Decimales(double v) {
  char tampon[64];
  std::snprintf(tampon, sizeof tampon, "%4.2f", v);
  return tampon;
}

bool EstEntier(std::string_view s) {
  std::string t = Trim(s);
  if (t.empty()) return false;
  size_t i = 0;
  if (t[0] == '+' || t[0] == '-') i = 1;
  int base = 10;
  if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
    base = 16;
    i += 2;
  } else if (i < t.size() && t[i] == '$') {
    base = 16;
    i += 1;
  }
  if (i >= t.size()) return false;
  long long v = 0;
  for (; i < t.size(); ++i) {
    int d;
    char c = t[i];
    if (c >= '0' && c <= '9') d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else return false;
    v = v * base + d;
    if (v > 0x80000000LL) return false;
  }
  if (t[0] != '-' && v > 0x7FFFFFFFLL) return false;
  return true;
}

int TexteVersEntier(std::string_view s, int defaut) {
  if (!EstEntier(s)) return defaut;
  std::string t = Trim(s);
  bool negatif = t[0] == '-';
  size_t i = (t[0] == '+' || t[0] == '-') ? 1 : 0;
  int base = 10;
  if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) { base = 16; i += 2; }
  else if (t[i] == '$') { base = 16; i += 1; }
  long long v = std::strtoll(t.c_str() + i, nullptr, base);
  return static_cast<int>(negatif ? -v : v);
}

std::string EntierVersTexte(long long v) { return std::to_string(v); }

}  // namespace kindrela
