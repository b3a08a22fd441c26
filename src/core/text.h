// 8-bit Windows-1252 text, the form in which every record, settings file and
// data file of the program holds its strings. A letter Windows-1252 cannot
// hold is kept in it as a numeric character reference (core/letters.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kindrela {

// Windows-1252 to UTF-8, each reference as the letter it stands for. The
// five bytes that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) map to the C1 control of the same value, so that any byte string
// without references survives a round trip.
std::string AnsiVersUtf8(std::string_view ansi);

// UTF-8 to Windows-1252. A character that Windows-1252 cannot hold becomes
// its reference, and an ampersand that would start one is written "&#38;":
// every well-formed text comes back from AnsiVersUtf8 as it was. A byte-order
// mark is dropped. An invalid byte sequence yields one `remplacement` per bad
// byte; `nbRemplacements`, when given, receives how many bytes were replaced.
std::string Utf8VersAnsi(std::string_view utf8, char remplacement = '?',
                         int* nbRemplacements = nullptr);

// The Unicode code point of one Windows-1252 byte (undefined bytes map to
// themselves), and the byte of a code point (0 when there is none).
char32_t AnsiVersUnicode(unsigned char c);
unsigned char UnicodeVersAnsi(char32_t u);

// Case of one Windows-1252 letter: the ASCII letters, the accented letters
// 192..222 / 224..254 (without the multiplication and division signs), and
// the pairs Š/š, Œ/œ, Ž/ž, Ÿ/ÿ. ß has no capital and stays as it is.
unsigned char MajAnsi(unsigned char c);
unsigned char MinAnsi(unsigned char c);
// The texts change the case of their references too ("&#322;" -> "&#321;").
std::string MajusculesAnsi(std::string_view s);
std::string MinusculesAnsi(std::string_view s);
// Equality without regard to case, under the rules above.
bool EgalSansCasse(std::string_view a, std::string_view b);
// Three-way comparison of the lower-cased texts, byte by byte (-1, 0, 1); a
// reference is one letter, after every Windows-1252 letter.
int CompareSansCasse(std::string_view a, std::string_view b);

// Leading spaces removed, but never the last character: "   " gives " ".
std::string TrimGauche(std::string_view s);
std::string TrimDroite(std::string_view s);
// Both ends, spaces and control characters (as a settings value is read).
std::string Trim(std::string_view s);

// The fields of `s` between occurrences of `sep`. At most 1001 fields: the
// 1001st keeps nothing of what follows it (further separators end the split).
// An empty text gives one empty field.
std::vector<std::string> Decoupe(std::string_view s, char sep);
constexpr int kMaxChampsDecoupe = 1001;

// The separator a typed date uses: "/" when the text holds one, else "-",
// else a space, else "/".
char DetecteSeparateur(std::string_view s);

// A real with two decimals, right-aligned in at least four characters
// ("1.50", "12.25", "-0.50"); the decimal mark is a point.
std::string Format2Decimales(double v);

// Decimal conversion that never fails: `defaut` for anything that is not a
// whole number (surrounding spaces are accepted, as are a sign and "0x" hex).
int TexteVersEntier(std::string_view s, int defaut = 0);
bool EstEntier(std::string_view s);

std::string EntierVersTexte(long long v);

}  // namespace kindrela
