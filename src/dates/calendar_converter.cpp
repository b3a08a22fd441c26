#include "dates/calendar_converter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/text.h"

namespace kindrela {

std::string TexteJulien(double jd) {
  char tampon[64];
  std::snprintf(tampon, sizeof tampon, "%10.2f", jd);
  return tampon;
}

VuesCalendrier VuesDepuisGregorien(std::string_view date) {
  VuesCalendrier v;
  v.gregorien = std::string(date);
  v.jourSemaine = NomJourSemaine(date);
  if (DateAnnee(date) == 0) return v;
  v.julien = TexteJulien(DateVersJulien(date));
  v.republicain = DateVersRepublicain(date);
  return v;
}

std::optional<VuesCalendrier> VuesDepuisJulien(std::string_view texte) {
  std::string nombre = Trim(texte);
  for (char& c : nombre)
    if (c == ',') c = '.';
  if (nombre.empty()) return std::nullopt;
  char* fin = nullptr;
  const double jd = std::strtod(nombre.c_str(), &fin);
  if (fin != nombre.c_str() + nombre.size() || !std::isfinite(jd)) return std::nullopt;
  const std::string date = JulienVersDate(jd);
  if (date.empty()) return std::nullopt;
  return VuesDepuisGregorien(date);
}

std::optional<VuesCalendrier> VuesDepuisRepublicain(int jour, int mois, int annee) {
  if (jour <= 0 || mois <= 0 || annee <= 0) return std::nullopt;
  const std::string date = JulienVersDate(RepublicainVersJulien(jour, mois, annee));
  if (date.empty()) return std::nullopt;
  return VuesDepuisGregorien(date);
}

}  // namespace kindrela
