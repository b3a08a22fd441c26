#include "core/letters.h"

#include <cstring>

#include "core/text.h"

namespace kindrela {
namespace {

constexpr char32_t kEsperluette = 38;

bool Decodable(char32_t u) {
  if (u == kEsperluette) return true;
  if (u == 0 || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) return false;
  return UnicodeVersAnsi(u) == 0;
}

// Pairs of capital and small letters that alternate over a range, the
// capital on the even code point (`pair`) or on the odd one.
struct Alternance {
  char32_t debut, fin;
  bool pair;
};
constexpr Alternance kAlternances[] = {
    {0x0100, 0x012F, true},  {0x0132, 0x0137, true},  {0x0139, 0x0148, false},
    {0x014A, 0x0177, true},  {0x0179, 0x017E, false}, {0x0182, 0x0185, true},
    {0x01A0, 0x01A5, true},  {0x01B3, 0x01B6, false}, {0x01CD, 0x01DC, false},
    {0x01DE, 0x01EF, true},  {0x01F8, 0x021F, true},  {0x0222, 0x0233, true},
    {0x0246, 0x024F, true},  {0x0370, 0x0373, true},  {0x03D8, 0x03EF, true},
    {0x0460, 0x0481, true},  {0x048A, 0x04BF, true},  {0x04C1, 0x04CE, false},
    {0x04D0, 0x052F, true},  {0x1E00, 0x1E95, true},  {0x1EA0, 0x1EFF, true},
};

// Capital and small letters a fixed distance apart.
struct Decalage {
  char32_t debut, fin;  // the capitals
  char32_t ecart;       // small = capital + ecart
};
constexpr Decalage kDecalages[] = {
    {0x0391, 0x03A1, 0x20}, {0x03A3, 0x03AB, 0x20}, {0x0388, 0x038A, 0x25},
    {0x0400, 0x040F, 0x50}, {0x0410, 0x042F, 0x20}, {0x0531, 0x0556, 0x30},
};

// The pairs that follow no rule.
struct Paire {
  char32_t maj, min;
};
constexpr Paire kPaires[] = {
    {0x0130, 'i'},    {'I', 0x0131},    {0x01AF, 0x01B0}, {0x0386, 0x03AC}, {0x038C, 0x03CC},
    {0x038E, 0x03CD}, {0x038F, 0x03CE}, {0x04C0, 0x04CF}, {0x1E9E, 0xDF},   {0x0187, 0x0188},
    {0x018B, 0x018C}, {0x0191, 0x0192}, {0x0198, 0x0199}, {0x01A7, 0x01A8}, {0x01AC, 0x01AD},
    {0x01B8, 0x01B9}, {0x01BC, 0x01BD}, {0x01C4, 0x01C6}, {0x01C7, 0x01C9}, {0x01CA, 0x01CC},
    {0x01F1, 0x01F3}, {0x01F4, 0x01F5}, {0x023B, 0x023C}, {0x0241, 0x0242}, {0x0178, 0xFF},
};

// Closest Windows-1252 text of the letters Windows-1252 lacks, one by one.
struct Approche {
  char32_t u;
  const char* t;
};
constexpr Approche kApproches[] = {
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
    {0x2002, " "}, {0x2003, " "}, {0x2009, " "}, {0x202F, " "},
    // Greek
    {0x0386, "A"}, {0x0388, "E"}, {0x0389, "I"}, {0x038A, "I"}, {0x038C, "O"}, {0x038E, "Y"},
    {0x038F, "O"}, {0x03AC, "a"}, {0x03AD, "e"}, {0x03AE, "i"}, {0x03AF, "i"}, {0x03CC, "o"},
    {0x03CD, "y"}, {0x03CE, "o"}, {0x03C2, "s"}, {0x03AA, "I"}, {0x03AB, "Y"}, {0x03CA, "i"},
    {0x03CB, "y"},
    // Cyrillic beyond the basic alphabet
    {0x0401, "Yo"}, {0x0451, "yo"}, {0x0404, "Ye"}, {0x0454, "ye"}, {0x0406, "I"}, {0x0456, "i"},
    {0x0407, "Yi"}, {0x0457, "yi"}, {0x040E, "U"}, {0x045E, "u"}, {0x0490, "G"}, {0x0491, "g"},
    {0x0408, "J"}, {0x0458, "j"}, {0x0409, "Lj"}, {0x0459, "lj"}, {0x040A, "Nj"}, {0x045A, "nj"},
    {0x0402, "Dj"}, {0x0452, "dj"}, {0x040B, "C"}, {0x045B, "c"}, {0x040F, "Dz"}, {0x045F, "dz"},
};

// Basic Greek and Cyrillic alphabets, capitals in code point order.
constexpr const char* kGrec[] = {"A", "V", "G", "D", "E", "Z", "I", "Th", "I", "K", "L", "M", "N",
                                 "X", "O", "P", "R", "",  "S", "T", "Y", "F", "Ch", "Ps", "O"};
constexpr const char* kCyrillique[] = {"A",  "B",  "V",  "G",    "D", "E", "Zh", "Z",  "I",  "Y", "K",
                                       "L",  "M",  "N",  "O",    "P", "R", "S",  "T",  "U",  "F", "Kh",
                                       "Ts", "Ch", "Sh", "Shch", "\"", "Y", "'",  "E",  "Yu", "Ya"};
constexpr const char* kGrecMin[] = {"a", "v", "g", "d", "e", "z", "i", "th", "i", "k", "l", "m", "n",
                                    "x", "o", "p", "r", "s", "s", "t", "y", "f", "ch", "ps", "o"};
constexpr const char* kCyrilliqueMin[] = {"a",  "b",  "v",  "g",    "d", "e", "zh", "z",  "i",  "y", "k",
                                          "l",  "m",  "n",  "o",    "p", "r", "s",  "t",  "u",  "f", "kh",
                                          "ts", "ch", "sh", "shch", "\"", "y", "'",  "e",  "yu", "ya"};

// Vietnamese letters with their tone marks, by blocks of one base letter.
struct BlocVietnamien {
  char32_t debut, fin;
  char maj, min;
};
constexpr BlocVietnamien kVietnamien[] = {
    {0x1EA0, 0x1EB7, 'A', 'a'}, {0x1EB8, 0x1EC7, 'E', 'e'}, {0x1EC8, 0x1ECB, 'I', 'i'},
    {0x1ECC, 0x1EE3, 'O', 'o'}, {0x1EE4, 0x1EF1, 'U', 'u'}, {0x1EF2, 0x1EF9, 'Y', 'y'},
};

bool EstLatin(char32_t u) { return u < 0x0370 || (u >= 0x1E00 && u <= 0x1EFF); }

void AjouteDecimal(std::string& s, char32_t u) {
  char chiffres[8];
  int n = 0;
  do {
    chiffres[n++] = static_cast<char>('0' + u % 10);
    u /= 10;
  } while (u != 0);
  while (n > 0) s += chiffres[--n];
}

}  // namespace

bool LitReference(std::string_view s, std::size_t i, char32_t& u, std::size_t& longueur) {
  const std::size_t n = s.size();
  if (i + 3 >= n || s[i] != '&' || s[i + 1] != '#') return false;
  std::size_t k = i + 2;
  if (s[k] < '1' || s[k] > '9') return false;
  char32_t v = 0;
  for (; k < n && s[k] >= '0' && s[k] <= '9'; ++k) {
    if (k - i - 2 >= 7) return false;  // beyond U+10FFFF anyway
    v = v * 10 + static_cast<char32_t>(s[k] - '0');
  }
  if (k >= n || s[k] != ';' || !Decodable(v)) return false;
  u = v;
  longueur = k + 1 - i;
  return true;
}

bool PeutContenirReference(std::string_view s) {
  // An empty view may hold no pointer at all, which memchr must not get.
  if (s.empty()) return false;
  const char* p = s.data();
  const char* fin = p + s.size();
  while ((p = static_cast<const char*>(std::memchr(p, '&', static_cast<std::size_t>(fin - p))))) {
    if (p + 1 < fin && p[1] == '#') return true;
    ++p;
  }
  return false;
}

char32_t LettreEn(std::string_view s, std::size_t i, std::size_t& longueur) {
  char32_t u;
  if (s[i] == '&' && LitReference(s, i, u, longueur)) return u;
  longueur = 1;
  return AnsiVersUnicode(static_cast<unsigned char>(s[i]));
}

void AjouteLettre(std::string& s, char32_t u) {
  if (unsigned char b = UnicodeVersAnsi(u); b != 0 || u == 0) {
    s += static_cast<char>(b);
    return;
  }
  s += "&#";
  AjouteDecimal(s, u);
  s += ';';
}

std::size_t NbreLettres(std::string_view s) {
  if (!PeutContenirReference(s)) return s.size();
  std::size_t n = 0, longueur = 0;
  for (std::size_t i = 0; i < s.size(); i += longueur, ++n) LettreEn(s, i, longueur);
  return n;
}

std::size_t OctetsDesLettres(std::string_view s, std::size_t n) {
  if (!PeutContenirReference(s)) return n < s.size() ? n : s.size();
  std::size_t i = 0, longueur = 0;
  for (std::size_t k = 0; k < n && i < s.size(); ++k, i += longueur) LettreEn(s, i, longueur);
  return i;
}

std::size_t LongueurSansCouper(std::string_view s, std::size_t maxOctets) {
  if (s.size() <= maxOctets) return s.size();
  // A reference is at most 10 bytes long ("&#1114111;"): only the end of
  // the allowed part needs looking at.
  const std::size_t debut = maxOctets > 10 ? maxOctets - 10 : 0;
  std::size_t fin = maxOctets;
  for (std::size_t i = debut; i < maxOctets; ++i) {
    char32_t u;
    std::size_t longueur;
    if (s[i] == '&' && LitReference(s, i, u, longueur) && i + longueur > maxOctets) {
      fin = i;
      break;
    }
  }
  return fin;
}

std::string EchappeReferences(std::string_view texte) {
  std::string s;
  s.reserve(texte.size() + 8);
  for (std::size_t i = 0; i < texte.size(); ++i) {
    char32_t u;
    std::size_t longueur;
    if (texte[i] == '&' && LitReference(texte, i, u, longueur)) s += "&#38;";
    else s += texte[i];
  }
  return s;
}

char32_t MajUnicode(char32_t u) {
  if (unsigned char b = UnicodeVersAnsi(u)) return AnsiVersUnicode(MajAnsi(b));
  if (u == 0x03C2) return 0x03A3;  // final sigma
  for (const Paire& p : kPaires)
    if (p.min == u) return p.maj;
  for (const Alternance& a : kAlternances)
    if (u >= a.debut && u <= a.fin) return ((u % 2 == 0) == a.pair) ? u : u - 1;
  for (const Decalage& d : kDecalages)
    if (u >= d.debut + d.ecart && u <= d.fin + d.ecart) return u - d.ecart;
  return u;
}

char32_t MinUnicode(char32_t u) {
  if (unsigned char b = UnicodeVersAnsi(u)) return AnsiVersUnicode(MinAnsi(b));
  for (const Paire& p : kPaires)
    if (p.maj == u) return p.min;
  for (const Alternance& a : kAlternances)
    if (u >= a.debut && u <= a.fin) return ((u % 2 == 0) == a.pair) ? u + 1 : u;
  for (const Decalage& d : kDecalages)
    if (u >= d.debut && u <= d.fin) return u + d.ecart;
  return u;
}

std::string_view LettreApprochee(char32_t u) {
  if (u >= 0x0391 && u <= 0x03A9) return kGrec[u - 0x0391];
  if (u >= 0x03B1 && u <= 0x03C9) return kGrecMin[u - 0x03B1];
  if (u >= 0x0410 && u <= 0x042F) return kCyrillique[u - 0x0410];
  if (u >= 0x0430 && u <= 0x044F) return kCyrilliqueMin[u - 0x0430];
  for (const BlocVietnamien& b : kVietnamien) {
    if (u >= b.debut && u <= b.fin) {
      static constexpr char kLettres[] = "AaEeIiOoUuYy";
      const char c = (u - b.debut) % 2 == 0 ? b.maj : b.min;
      return std::string_view(std::strchr(kLettres, c), 1);
    }
  }
  for (const Approche& a : kApproches)
    if (a.u == u) return a.t;
  return {};
}

std::string SansReferences(std::string_view s, char remplacement, long* nbRemplacees,
                           std::string* remplacees) {
  if (!PeutContenirReference(s)) return std::string(s);
  std::string sortie;
  sortie.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    char32_t u;
    std::size_t longueur;
    if (s[i] != '&' || !LitReference(s, i, u, longueur)) {
      sortie += s[i++];
      continue;
    }
    const std::string_view reference = s.substr(i, longueur);
    i += longueur;
    if (u == kEsperluette) {
      sortie += '&';
      continue;
    }
    std::string_view approche = LettreApprochee(u);
    const std::string remplace = approche.empty() ? std::string(1, remplacement) : std::string(approche);
    sortie += remplace;
    if (nbRemplacees) ++*nbRemplacees;
    if (remplacees) {
      if (remplacees->find(std::string(reference) + " (") != std::string::npos) continue;
      if (!remplacees->empty()) *remplacees += ", ";
      *remplacees += std::string(reference) + " (" + remplace + ")";
    }
  }
  return sortie;
}

std::string CleTri(std::string_view s) {
  if (!PeutContenirReference(s)) return MinusculesAnsi(s);
  std::string cle;
  cle.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    std::size_t longueur;
    const char32_t u = LettreEn(s, i, longueur);
    i += longueur;
    const char32_t m = u == 0x03C2 ? 0x03C3 : MinUnicode(u);  // final sigma is a sigma
    if (unsigned char b = UnicodeVersAnsi(m); b != 0 || m == 0) {
      cle += static_cast<char>(MinAnsi(b));
    } else if (std::string_view a = LettreApprochee(m); EstLatin(m) && !a.empty()) {
      cle += MinusculesAnsi(a);
    } else {
      // After every Windows-1252 byte, in code point order.
      cle += '\xFF';
      cle += static_cast<char>((m >> 16) & 0xFF);
      cle += static_cast<char>((m >> 8) & 0xFF);
      cle += static_cast<char>(m & 0xFF);
    }
  }
  return cle;
}

std::string FichierTexteExporte(std::string_view texte) {
  bool references = false;
  for (size_t i = texte.find('&'); i != std::string_view::npos && !references; i = texte.find('&', i + 1)) {
    char32_t u;
    size_t longueur;
    references = LitReference(texte, i, u, longueur);
  }
  if (!references) return std::string(texte);
  return "\xEF\xBB\xBF" + AnsiVersUtf8(texte);
}

int CompareTri(std::string_view a, std::string_view b) {
  if (PeutContenirReference(a) || PeutContenirReference(b)) {
    const int c = CleTri(a).compare(CleTri(b));
    if (c != 0) return c < 0 ? -1 : 1;
  }
  return CompareSansCasse(a, b);
}

}  // namespace kindrela
