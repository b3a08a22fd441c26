#include "core/text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

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

// Closest Windows-1252 text for a character it cannot hold; empty when none.
std::string_view Approche(char32_t u) {
  struct Paire { char32_t u; const char* t; };
  static constexpr Paire kTable[] = {
      {0x0100, "A"}, {0x0101, "a"}, {0x0102, "A"}, {0x0103, "a"}, {0x0104, "A"}, {0x0105, "a"},
      {0x0106, "C"}, {0x0107, "c"}, {0x0108, "C"}, {0x0109, "c"}, {0x010A, "C"}, {0x010B, "c"},
      {0x010C, "C"}, {0x010D, "c"}, {0x010E, "D"}, {0x010F, "d"}, {0x0110, "D"}, {0x0111, "d"},
      {0x0112, "E"}, {0x0113, "e"}, {0x0114, "E"}, {0x0115, "e"}, {0x0116, "E"}, {0x0117, "e"},
      {0x0118, "E"}, {0x0119, "e"}, {0x011A, "E"}, {0x011B, "e"}, {0x011C, "G"}, {0x011D, "g"},
      {0x011E, "G"}, {0x011F, "g"}, {0x0120, "G"}, {0x0121, "g"}, {0x0122, "G"}, {0x0123, "g"},
      {0x0124, "H"}, {0x0125, "h"}, {0x0126, "H"}, {0x0127, "h"}, {0x0128, "I"}, {0x0129, "i"},
      {0x012A, "I"}, {0x012B, "i"}, {0x012C, "I"}, {0x012D, "i"}, {0x012E, "I"}, {0x012F, "i"},
      {0x0130, "I"}, {0x0131, "i"}, {0x0132, "IJ"}, {0x0133, "ij"}, {0x0134, "J"}, {0x0135, "j"},
      {0x0136, "K"}, {0x0137, "k"}, {0x0139, "L"}, {0x013A, "l"}, {0x013B, "L"}, {0x013C, "l"},
      {0x013D, "L"}, {0x013E, "l"}, {0x013F, "L"}, {0x0140, "l"}, {0x0141, "L"}, {0x0142, "l"},
      {0x0143, "N"}, {0x0144, "n"}, {0x0145, "N"}, {0x0146, "n"}, {0x0147, "N"}, {0x0148, "n"},
      {0x014C, "O"}, {0x014D, "o"}, {0x014E, "O"}, {0x014F, "o"}, {0x0150, "O"}, {0x0151, "o"},
      {0x0154, "R"}, {0x0155, "r"}, {0x0156, "R"}, {0x0157, "r"}, {0x0158, "R"}, {0x0159, "r"},
      {0x015A, "S"}, {0x015B, "s"}, {0x015C, "S"}, {0x015D, "s"}, {0x015E, "S"}, {0x015F, "s"},
      {0x0162, "T"}, {0x0163, "t"}, {0x0164, "T"}, {0x0165, "t"}, {0x0166, "T"}, {0x0167, "t"},
      {0x0168, "U"}, {0x0169, "u"}, {0x016A, "U"}, {0x016B, "u"}, {0x016C, "U"}, {0x016D, "u"},
      {0x016E, "U"}, {0x016F, "u"}, {0x0170, "U"}, {0x0171, "u"}, {0x0172, "U"}, {0x0173, "u"},
      {0x0174, "W"}, {0x0175, "w"}, {0x0176, "Y"}, {0x0177, "y"}, {0x0179, "Z"}, {0x017A, "z"},
      {0x017B, "Z"}, {0x017C, "z"}, {0x01A0, "O"}, {0x01A1, "o"}, {0x01AF, "U"}, {0x01B0, "u"},
      {0x01CD, "A"}, {0x01CE, "a"}, {0x01CF, "I"}, {0x01D0, "i"}, {0x01D1, "O"}, {0x01D2, "o"},
      {0x01D3, "U"}, {0x01D4, "u"}, {0x01E6, "G"}, {0x01E7, "g"}, {0x01E8, "K"}, {0x01E9, "k"},
      {0x0218, "S"}, {0x0219, "s"}, {0x021A, "T"}, {0x021B, "t"}, {0x1E9E, "SS"},
      {0x2010, "-"}, {0x2011, "-"}, {0x2012, "-"}, {0x2015, "-"}, {0x2032, "'"}, {0x2033, "\""},
      {0x00A0, " "}, {0x2002, " "}, {0x2003, " "}, {0x2009, " "}, {0x202F, " "},
  };
  for (const auto& p : kTable)
    if (p.u == u) return p.t;
  return {};
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
  for (unsigned char c : ansi) {
    if (c < 0x80)
      out += static_cast<char>(c);
    else
      AjouteUtf8(out, AnsiVersUnicode(c));
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
      out += static_cast<char>(c);
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
    if (unsigned char b = UnicodeVersAnsi(u)) {
      out += static_cast<char>(b);
    } else if (std::string_view a = Approche(u); !a.empty()) {
      out += a;
      ++remplaces;
    } else if (u == 0xFEFF) {
      // A byte-order mark carries no text.
    } else {
      out += remplacement;
      ++remplaces;
    }
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

std::string MajusculesAnsi(std::string_view s) {
  std::string out(s);
  for (auto& c : out) c = static_cast<char>(MajAnsi(static_cast<unsigned char>(c)));
  return out;
}

std::string MinusculesAnsi(std::string_view s) {
  std::string out(s);
  for (auto& c : out) c = static_cast<char>(MinAnsi(static_cast<unsigned char>(c)));
  return out;
}

bool EgalSansCasse(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (MinAnsi(static_cast<unsigned char>(a[i])) != MinAnsi(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

int CompareSansCasse(std::string_view a, std::string_view b) {
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
