#include "core/compact_text.h"

#include <cstdlib>
#include <algorithm>
#include <limits>
#include <stdexcept>
#include <new>
#include <ostream>

namespace kindrela {

namespace {

size_t Arrondi8(size_t n) { return (n + 7) & ~size_t{7}; }

}  // namespace

void Texte::Libere() noexcept {
  if (EstLong()) std::free(m_long.octets);
}

void Texte::MetTaille(size_t n) noexcept {
  if (EstLong()) {
    m_long.taille = static_cast<uint32_t>(n);
    m_long.octets[n] = 0;
  } else {
    MetCourt(n);
  }
}

char* Texte::Reserve(size_t n, size_t garde, bool exact) {
  if (n <= Capacite()) return data();
  // The size must fit the 31 bits the long form keeps for it.
  if (n >= kMarqueLong - 8) throw std::length_error("Texte");
  size_t cap = exact ? n : std::max(n, Capacite() * 2);
  cap = Arrondi8(cap + 1) - 1;  // the NUL is in the allocation
  if (cap >= kMarqueLong) cap = kMarqueLong - 1;
  char* neuf;
  if (EstLong()) {
    neuf = static_cast<char*>(std::realloc(m_long.octets, cap + 1));
    if (neuf == nullptr) throw std::bad_alloc();
  } else {
    neuf = static_cast<char*>(std::malloc(cap + 1));
    if (neuf == nullptr) throw std::bad_alloc();
    std::memcpy(neuf, m_octets, garde);
  }
  m_long.octets = neuf;
  m_long.taille = static_cast<uint32_t>(garde);
  m_long.capacite = static_cast<uint32_t>(cap) | kMarqueLong;
  return neuf;
}

Texte& Texte::assign(std::string_view s) {
  const size_t n = s.size();
  if (n <= kCourt) {
    // A short text is copied before the allocation it may point into goes.
    unsigned char t[kCourt];
    if (n > 0) std::memcpy(t, s.data(), n);
    Libere();
    if (n > 0) std::memcpy(m_octets, t, n);
    MetCourt(n);
    return *this;
  }
  if (EstLong() && s.data() >= m_long.octets && s.data() < m_long.octets + m_long.taille) {
    // A part of this text: it is already in place, only shifted.
    std::memmove(m_long.octets, s.data(), n);
    MetTaille(n);
    return *this;
  }
  // A text that fits well in the allocation keeps it; one far shorter gets
  // an allocation of its own size, since record fields rarely shrink twice.
  if (!EstLong() || n > Capacite() || n + 64 < Capacite() / 2) {
    Libere();
    MetCourt(0);
    Reserve(n, 0, true);
  }
  std::memcpy(m_long.octets, s.data(), n);
  MetTaille(n);
  return *this;
}

Texte& Texte::append(std::string_view s) {
  if (s.empty()) return *this;
  const size_t ancien = size();
  const size_t n = ancien + s.size();
  if (n > Capacite()) {
    // `s` may lie inside this text, whose allocation is about to move.
    const char* debut = data();
    if (s.data() >= debut && s.data() < debut + ancien) {
      std::string copie(s);
      return append(std::string_view(copie));
    }
    Reserve(n, ancien, false);
  }
  std::memmove(data() + ancien, s.data(), s.size());
  MetTaille(n);
  return *this;
}

void Texte::resize(size_t n, char c) {
  const size_t ancien = size();
  if (n <= ancien) {
    MetTaille(n);
    return;
  }
  Reserve(n, ancien, false);
  std::memset(data() + ancien, c, n - ancien);
  MetTaille(n);
}

Texte& Texte::erase(size_t pos, size_t n) {
  const size_t taille = size();
  if (pos > taille) throw std::out_of_range("Texte::erase");
  n = std::min(n, taille - pos);
  char* d = data();
  std::memmove(d + pos, d + pos + n, taille - pos - n);
  MetTaille(taille - n);
  return *this;
}

std::ostream& operator<<(std::ostream& os, const Texte& t) { return os << t.view(); }

}  // namespace kindrela
