// A 16-byte text for the fields of the records. A tree of 100 000 persons
// holds about two million field texts, most of them short or empty; with
// std::string each costs 32 bytes before any letter, and a text over 15
// letters a further allocation rounded up by the allocator. `Texte` keeps up
// to 15 bytes inside itself and a longer text in an allocation of its own
// length, so that the records of a large tree take about half the memory.
//
// It holds bytes as std::string does (Windows-1252 text, or packed number
// lists), always followed by a NUL, and reads as a std::string_view wherever
// one is expected. A moved-from text is empty.
#pragma once

#include <bit>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <string>
#include <string_view>

namespace kindrela {

class Texte {
 public:
  static constexpr size_t npos = std::string_view::npos;
  // The longest text kept inside the object.
  static constexpr size_t kCourt = 15;

  Texte() noexcept { MetCourt(0); }
  explicit Texte(std::string_view s) { MetCourt(0); assign(s); }
  explicit Texte(const char* s) : Texte(std::string_view(s)) {}
  explicit Texte(const std::string& s) : Texte(std::string_view(s)) {}
  Texte(const Texte& autre) : Texte(autre.view()) {}
  Texte(Texte&& autre) noexcept {
    std::memcpy(m_octets, autre.m_octets, sizeof m_octets);
    autre.MetCourt(0);
  }
  ~Texte() { Libere(); }

  Texte& operator=(const Texte& autre) {
    if (this != &autre) assign(autre.view());
    return *this;
  }
  Texte& operator=(Texte&& autre) noexcept {
    if (this != &autre) {
      Libere();
      std::memcpy(m_octets, autre.m_octets, sizeof m_octets);
      autre.MetCourt(0);
    }
    return *this;
  }
  Texte& operator=(std::string_view s) { return assign(s); }
  Texte& operator=(const std::string& s) { return assign(std::string_view(s)); }
  Texte& operator=(const char* s) { return assign(std::string_view(s)); }

  // Replaces the text; the allocation, when one is needed, is of the new
  // length (rounded up to 8 bytes). `s` may point into this text.
  Texte& assign(std::string_view s);
  Texte& assign(const char* s, size_t n) { return assign(std::string_view(s, n)); }
  // Appending grows the allocation by doubling, so that a text built piece
  // by piece costs linear time.
  Texte& append(std::string_view s);
  Texte& append(const char* s, size_t n) { return append(std::string_view(s, n)); }
  Texte& operator+=(std::string_view s) { return append(s); }
  Texte& operator+=(char c) { return append(std::string_view(&c, 1)); }
  void push_back(char c) { append(std::string_view(&c, 1)); }
  // Keeps the first n bytes (or pads with c up to n).
  void resize(size_t n, char c = '\0');
  // Removes n bytes from pos (up to the end), as std::string::erase.
  Texte& erase(size_t pos = 0, size_t n = npos);
  // Gives back the allocation of an emptied text.
  void clear() noexcept { Libere(); MetCourt(0); }
  void swap(Texte& autre) noexcept {
    unsigned char t[sizeof m_octets];
    std::memcpy(t, m_octets, sizeof t);
    std::memcpy(m_octets, autre.m_octets, sizeof t);
    std::memcpy(autre.m_octets, t, sizeof t);
  }

  size_t size() const noexcept {
    return EstLong() ? m_long.taille : kCourt - m_octets[kCourt];
  }
  size_t length() const noexcept { return size(); }
  // The letters it can hold without a new allocation; above kCourt, it has one.
  size_t capacity() const noexcept { return Capacite(); }
  bool empty() const noexcept { return size() == 0; }
  const char* data() const noexcept {
    return EstLong() ? m_long.octets : reinterpret_cast<const char*>(m_octets);
  }
  char* data() noexcept {
    return EstLong() ? m_long.octets : reinterpret_cast<char*>(m_octets);
  }
  const char* c_str() const noexcept { return data(); }
  const char* begin() const noexcept { return data(); }
  const char* end() const noexcept { return data() + size(); }
  char* begin() noexcept { return data(); }
  char* end() noexcept { return data() + size(); }
  char operator[](size_t i) const noexcept { return data()[i]; }
  char& operator[](size_t i) noexcept { return data()[i]; }
  char front() const noexcept { return data()[0]; }
  char back() const noexcept { return data()[size() - 1]; }

  std::string_view view() const noexcept { return {data(), size()}; }
  operator std::string_view() const noexcept { return view(); }
  explicit operator std::string() const { return std::string(view()); }
  std::string str() const { return std::string(view()); }

  // The reading side of std::string, on the bytes of the text.
  size_t find(std::string_view s, size_t pos = 0) const noexcept { return view().find(s, pos); }
  size_t find(char c, size_t pos = 0) const noexcept { return view().find(c, pos); }
  size_t rfind(std::string_view s, size_t pos = npos) const noexcept { return view().rfind(s, pos); }
  size_t rfind(char c, size_t pos = npos) const noexcept { return view().rfind(c, pos); }
  size_t find_first_of(std::string_view s, size_t pos = 0) const noexcept {
    return view().find_first_of(s, pos);
  }
  size_t find_first_not_of(std::string_view s, size_t pos = 0) const noexcept {
    return view().find_first_not_of(s, pos);
  }
  bool starts_with(std::string_view s) const noexcept { return view().starts_with(s); }
  bool ends_with(std::string_view s) const noexcept { return view().ends_with(s); }
  std::string substr(size_t pos = 0, size_t n = npos) const {
    return std::string(view().substr(pos, n));
  }
  int compare(std::string_view s) const noexcept { return view().compare(s); }

  friend bool operator==(const Texte& a, const Texte& b) noexcept { return a.view() == b.view(); }
  friend bool operator==(const Texte& a, std::string_view b) noexcept { return a.view() == b; }
  friend bool operator==(const Texte& a, const std::string& b) noexcept { return a.view() == b; }
  friend bool operator==(const Texte& a, const char* b) noexcept { return a.view() == b; }
  friend std::strong_ordering operator<=>(const Texte& a, const Texte& b) noexcept {
    return a.view() <=> b.view();
  }
  friend std::strong_ordering operator<=>(const Texte& a, std::string_view b) noexcept {
    return a.view() <=> b;
  }
  friend std::strong_ordering operator<=>(const Texte& a, const std::string& b) noexcept {
    return a.view() <=> std::string_view(b);
  }
  friend std::strong_ordering operator<=>(const Texte& a, const char* b) noexcept {
    return a.view() <=> std::string_view(b);
  }
  friend std::string operator+(const Texte& a, std::string_view b) {
    std::string r(a.view());
    r += b;
    return r;
  }
  friend std::string operator+(std::string_view a, const Texte& b) {
    std::string r(a);
    r += b.view();
    return r;
  }
  friend std::string operator+(const Texte& a, const char* b) { return a + std::string_view(b); }
  friend std::string operator+(const char* a, const Texte& b) { return std::string_view(a) + b; }
  friend std::string operator+(const Texte& a, const std::string& b) { return a + std::string_view(b); }
  friend std::string operator+(const std::string& a, const Texte& b) { return std::string_view(a) + b; }
  friend std::string operator+(const Texte& a, char b) { return a + std::string_view(&b, 1); }
  friend std::string operator+(char a, const Texte& b) { return std::string_view(&a, 1) + b; }

 private:
  // The long form: the allocation, its length and its size. The top bit of
  // the last byte of the object (the top of `capacite`) marks it; in the
  // short form that byte holds kCourt - size, which is 0 for a full short
  // text and so also serves as its terminating NUL.
  struct Long {
    char* octets;
    uint32_t taille;
    uint32_t capacite;  // bytes usable for letters, the NUL not counted
  };
  static constexpr uint32_t kMarqueLong = 0x80000000u;

  bool EstLong() const noexcept { return (m_octets[kCourt] & 0x80) != 0; }
  void MetCourt(size_t n) noexcept {
    m_octets[n] = 0;
    m_octets[kCourt] = static_cast<unsigned char>(kCourt - n);
  }
  size_t Capacite() const noexcept {
    return EstLong() ? (m_long.capacite & ~kMarqueLong) : kCourt;
  }
  // Makes room for n bytes, keeping the first `garde` bytes of the text;
  // the size is left for the caller to set.
  char* Reserve(size_t n, size_t garde, bool exact);
  void MetTaille(size_t n) noexcept;
  void Libere() noexcept;

  union {
    unsigned char m_octets[16];
    Long m_long;
  };
};

static_assert(sizeof(Texte) == 16, "a record text is two words");
static_assert(std::endian::native == std::endian::little,
              "the long-form mark is the top bit of the last byte");

std::ostream& operator<<(std::ostream& os, const Texte& t);

}  // namespace kindrela
