// Result of an operation whose failure the user must hear about.
#pragma once

#include <functional>
#include <string>
#include <utility>

namespace kindrela {

class [[nodiscard]] Statut {
 public:
  static Statut Ok() { return Statut(true, {}); }
  static Statut Erreur(std::string message) { return Statut(false, std::move(message)); }
  // Cancelled by the user through a progress callback; not an error to report.
  static Statut Annule() { Statut s(false, {}); s.m_annule = true; return s; }

  bool ok() const { return m_ok; }
  bool annule() const { return m_annule; }
  explicit operator bool() const { return m_ok; }
  // Empty when ok(); otherwise says what failed, with the file or record concerned.
  const std::string& message() const { return m_message; }

 private:
  Statut(bool ok, std::string message) : m_ok(ok), m_message(std::move(message)) {}
  bool m_ok;
  bool m_annule = false;
  std::string m_message;
};

// Progress of long work: called with (done, total) every so many records;
// returning false asks the operation to stop. An empty function never stops.
using Progression = std::function<bool(long long fait, long long total)>;

}  // namespace kindrela
