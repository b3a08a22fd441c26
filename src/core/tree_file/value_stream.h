// The value stream of tree files: each value is a 16-bit little-endian byte
// count followed by that many bytes, with no other framing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/value_limit.h"

namespace kindrela {

// A value longer than kLongueurMaxValeur is written cut, and a count above
// it is read as it.

// Both writers below take the same calls: a MesureValeurs adds up the size
// of what an EcrivainValeurs would write, so that the bytes of a whole file
// can be reserved exactly, once.
class EcrivainValeurs {
 public:
  // Appends `texte`, cut to at most kLongueurMaxValeur bytes between two
  // letters (never inside a reference).
  void Valeur(std::string_view texte);
  // Appends raw bytes (a packed list), cut to their first kLongueurMaxValeur.
  void Brut(std::string_view octets);
  // Decimal text.
  void Entier(long long valeur);
  void Vide() { Valeur({}); }
  // "O" for a record in use, "N" for a free slot.
  void Drapeau(bool utilise) { Valeur(utilise ? "O" : "N"); }

  const std::string& Octets() const { return m_octets; }
  std::string& Octets() { return m_octets; }
  void Reserve(std::size_t n) { m_octets.reserve(n); }

 private:
  std::string m_octets;
};

class MesureValeurs {
 public:
  void Valeur(std::string_view texte);
  void Brut(std::string_view octets);
  void Entier(long long valeur);
  void Vide() { Valeur({}); }
  void Drapeau(bool) { Valeur("O"); }
  std::size_t Taille() const { return m_taille; }

 private:
  std::size_t m_taille = 0;
};

// Reads values from bytes that must stay alive while the reader is used.
// Never reads past the end: a value cut by the end of the bytes gives what
// is there, and every value after the end is empty.
class LecteurValeurs {
 public:
  // `finAuZero`: the value ends at its first zero byte (the oldest stream
  // files); the stream still moves on by the whole count.
  // `plafond`: a count above it is read as it (at most kLongueurMaxValeur).
  explicit LecteurValeurs(std::string_view octets, bool finAuZero = false,
                          std::size_t plafond = kLongueurMaxValeur);

  std::string_view Valeur();
  std::string Texte() { return std::string(Valeur()); }
  // The value as a whole number; the empty value and any other text that is
  // not a number read as 0.
  int Entier();
  // Exactly "O" means in use.
  bool Drapeau() { return Valeur() == "O"; }
  void Saute(int n = 1);

  // Every byte has been read.
  bool Fin() const { return m_pos >= m_octets.size(); }
  // A value was asked for beyond the end, or was cut by it.
  bool Depasse() const { return m_depasse; }
  std::size_t Position() const { return m_pos; }

 private:
  std::string_view m_octets;
  std::size_t m_pos = 0;
  bool m_finAuZero;
  std::size_t m_plafond;
  bool m_depasse = false;
};

// Decimal reading as the stream's integers are read: surrounding spaces, a
// sign and hexadecimal are accepted; anything else is 0.
int EntierDeValeur(std::string_view texte);

}  // namespace kindrela
