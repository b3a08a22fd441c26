// Any bytes as the texts the date and place functions take: stored dates,
// typed dates, GEDCOM date phrases, places.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dates/dates.h"
#include "dates/places.h"

using namespace kindrela;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view texte(reinterpret_cast<const char*>(data), size);
  // Two texts: before and after the first line break.
  const std::size_t coupure = texte.find('\n');
  const std::string_view a = texte.substr(0, coupure);
  const std::string_view b = coupure == std::string_view::npos ? std::string_view() : texte.substr(coupure + 1);
  (void)DateDecoupe(a);
  (void)DateNormalise(a);
  (void)DateSaisie(a);
  (void)DateCompare(a, b);
  (void)AgeEntre(a, b);
  (void)JoursEntre(a, b);
  (void)DateVersGedcom(a);
  const std::string lue = DateDeGedcom(a);
  (void)DateVersGedcom(lue);
  (void)DateAffichee(a, b.substr(0, 16));
  (void)DateInterne(a, b.substr(0, 16));
  (void)AnneeSiecle(a, b, static_cast<int>(size % 3));
  (void)DateCompleteSiecle(a, b, static_cast<int>(size % 3));
  (void)JulienVersDate(DateVersJulien(a));
  (void)DateVersRepublicain(a);
  (void)NomJourSemaine(a);
  (void)CompareNumeros(a, b);
  (void)JoinLieu(DecoupeLieu(a));
  (void)LieuNormalise(a);
  (void)LieuDepuisDepartement(a);
  return 0;
}
