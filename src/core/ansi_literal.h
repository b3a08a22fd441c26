// Program texts written as they read in UTF-8 source ("Date de décès"_ansi)
// and stored as the Windows-1252 bytes the rest of the program works on. The
// conversion happens at compile time: nothing is converted at run time, and a
// letter Windows-1252 cannot hold, or a byte that is not UTF-8, stops the
// build.
#pragma once

#include <cstddef>

namespace kindrela {

namespace detail {

// Called only where a literal cannot be converted; being non-constexpr, any
// such call inside a constant evaluation is a compile error naming it.
void LettreHorsWindows1252();  // intentionally never defined
void TexteUtf8Invalide();      // intentionally never defined

// Windows-1252 byte of a code point, 0 when it has none. 0x80..0x9F holds the
// few letters and signs Windows-1252 places there; the rest is Latin-1.
consteval unsigned char OctetWindows1252(char32_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<unsigned char>(u);
  constexpr char32_t haut[32] = {
      0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
  for (int i = 0; i < 32; ++i)
    if (haut[i] == u) return static_cast<unsigned char>(0x80 + i);
  return 0;
}

}  // namespace detail

// A UTF-8 string literal converted to Windows-1252; usable as a template
// argument so that each literal is converted once, by the compiler.
template <std::size_t N>
struct TexteAnsi {
  char octets[N]{};
  std::size_t taille = 0;

  consteval TexteAnsi(const char (&utf8)[N]) {
    std::size_t i = 0;
    while (i + 1 < N) {  // the last element is the terminating NUL
      auto c = static_cast<unsigned char>(utf8[i]);
      char32_t u = 0;
      int suite = 0;
      if (c < 0x80) {
        u = c;
      } else if ((c & 0xE0) == 0xC0) {
        u = c & 0x1F, suite = 1;
      } else if ((c & 0xF0) == 0xE0) {
        u = c & 0x0F, suite = 2;
      } else if ((c & 0xF8) == 0xF0) {
        u = c & 0x07, suite = 3;
      } else {
        detail::TexteUtf8Invalide();
      }
      if (i + suite + 1 >= N) detail::TexteUtf8Invalide();
      for (int k = 1; k <= suite; ++k) {
        auto s = static_cast<unsigned char>(utf8[i + k]);
        if ((s & 0xC0) != 0x80) detail::TexteUtf8Invalide();
        u = (u << 6) | (s & 0x3F);
      }
      unsigned char octet = detail::OctetWindows1252(u);
      if (octet == 0 && u != 0) detail::LettreHorsWindows1252();
      octets[taille++] = static_cast<char>(octet);
      i += static_cast<std::size_t>(suite) + 1;
    }
  }
};

inline namespace literals {

// "Numérotation"_ansi: the Windows-1252 bytes, NUL-terminated, in static
// storage; converts to std::string and std::string_view like any literal.
// The conversion runs at compile time whatever this function is: `T` is a
// template argument. (Not consteval: clang 16 refuses consteval calls in
// default member initialisers.)
template <TexteAnsi T>
constexpr const char* operator""_ansi() {
  return T.octets;
}

}  // namespace literals

}  // namespace kindrela
