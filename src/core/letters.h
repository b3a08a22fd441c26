// Letters that Windows-1252 cannot hold ("ł", "Ж", "中", an emoji) are kept
// in the program's 8-bit text as decimal numeric character references:
// "Wa&#322;&#281;sa". Tree files keep their format, and a reader that knows
// nothing of them shows the reference as text.
//
// A reference stands for a letter only when it is written "&#", decimal
// digits without a leading zero, ";", and names either a code point that
// Windows-1252 cannot hold (never 0, a surrogate, or beyond U+10FFFF) or the
// ampersand itself (38). "&#65;" is therefore plain text, and an ampersand
// the user typed in front of "#322;" is kept as "&#38;", so that a typed
// "&#322;" stays as typed.
//
// To the user a reference is one letter: lengths, cuts, case and sorting
// below count and treat it so.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kindrela {

// The reference starting at s[i]: true with the code point it stands for and
// its length in bytes; false when s[i] does not start one.
bool LitReference(std::string_view s, std::size_t i, char32_t& u, std::size_t& longueur);

// True when `s` may hold a reference (an ampersand followed by '#'): the
// cheap test that lets plain texts keep their fast paths.
bool PeutContenirReference(std::string_view s);

// The letter at s[i] (i < size): its code point (a byte gives its
// Windows-1252 letter) and the bytes it takes.
char32_t LettreEn(std::string_view s, std::size_t i, std::size_t& longueur);

// Appends the letter u in the stored form: its byte, or its reference.
void AjouteLettre(std::string& s, char32_t u);

// Letters of `s`, a reference counting as one.
std::size_t NbreLettres(std::string_view s);
// The bytes taken by the first n letters (all of `s` when it is shorter).
std::size_t OctetsDesLettres(std::string_view s, std::size_t n);
// The longest length of at most `maxOctets` bytes that ends between two
// letters: a cut there never leaves half a reference.
std::size_t LongueurSansCouper(std::string_view s, std::size_t maxOctets);

// The text with every ampersand that would start a reference written
// "&#38;": a text read from outside (a file in an 8-bit set) keeps its
// "&#322;" as the characters it is.
std::string EchappeReferences(std::string_view texte);

// Simple case mapping of the Latin, Greek, Cyrillic and Armenian letters;
// any other code point is returned as it is.
char32_t MajUnicode(char32_t u);
char32_t MinUnicode(char32_t u);

// The closest Windows-1252 text for a code point Windows-1252 cannot hold:
// the letter without its accent ("ł" -> "l", "ệ" -> "e"), a transliteration
// of Cyrillic and Greek ("Ж" -> "Zh"), a plain space or dash; empty when
// there is none (Chinese, emoji).
std::string_view LettreApprochee(char32_t u);

// What a file in an 8-bit set other than ours receives: each reference
// becomes its closest letter, or `remplacement` when there is none, and
// "&#38;" its ampersand. `nbRemplacees`, when given, is increased by the
// number of letters so replaced; `remplacees`, when given, receives each
// letter replaced, once, in the stored form, with what replaced it:
// "&#322; (l), &#20013; (?)" (appended after ", " when not empty).
std::string SansReferences(std::string_view s, char remplacement = '?', long* nbRemplacees = nullptr,
                           std::string* remplacees = nullptr);

// The bytes of a text file written for other programs (a report's text or
// CSV export): the text as it is when it holds no reference, so that such
// files stay Windows-1252 as before; otherwise the whole text in UTF-8
// after a byte-order mark, every letter written as itself.
std::string FichierTexteExporte(std::string_view texte);

// The key by which texts sort without regard to case: the letters in small
// letters, a Latin letter Windows-1252 lacks next to its plain letter ("Ł"
// with "L"), the other alphabets after every Windows-1252 letter in the
// order of their code points. Compare keys byte by byte. Without any
// reference the key is the text in small letters.
std::string CleTri(std::string_view s);
// Three-way comparison (-1, 0, 1) in that order, ties between texts of the
// same key ("Łukasz", "Lukasz") broken by CompareSansCasse: 0 only for texts
// equal without regard to case. A merge of lists sorted by it may use it.
int CompareTri(std::string_view a, std::string_view b);

}  // namespace kindrela
