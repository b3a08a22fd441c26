// GEDCOM date phrases and the order of numbered labels.
#include "dates/dates.h"

#include <charconv>

#include "core/clock.h"
#include "core/text.h"

namespace kindrela {
namespace {

// A GEDCOM simple date of stored numbers: "5 MAR 1900", "MAR 1900", "1900".
std::string GedcomSimple(std::string_view date) {
  ElementsDate e = DateElements(date);
  if (e.annee == 0) return {};
  int annee = e.annee;
  if (annee <= 99) {
    const int cetteAnnee = Aujourdhui().annee;
    annee += cetteAnnee / 100 * 100;
    if (annee > cetteAnnee && annee - 100 >= 1) annee -= 100;
  }
  std::string r;
  char tampon[16];
  auto nombre = [&](int v) { r.append(tampon, std::to_chars(tampon, tampon + sizeof tampon, v).ptr); };
  if (e.mois != 0) {
    if (e.jour != 0) {
      nombre(e.jour);
      r += ' ';
    }
    r += MoisGedcom[e.mois];
    r += ' ';
  }
  nombre(annee);
  return r;
}

int MoisDeGedcom(std::string_view mot) {
  for (int m = 1; m <= 12; ++m)
    if (MoisGedcom[m] == mot) return m;
  return 0;
}

int NombreBorne(std::string_view mot, int min, int max) {
  std::optional<int> v = LitNombreDate(mot);
  return v && *v >= min && *v <= max ? *v : 0;
}

// A GEDCOM simple date (upper case) in stored form: one word is the year,
// two month and year, three (or more: the first three) day, month and year.
std::string StockeeDeGedcom(std::string_view texte) {
  std::string_view mots[3];
  int n = 0;
  size_t pos = 0;
  while (n < 3 && pos < texte.size()) {
    size_t fin = texte.find(' ', pos);
    if (fin == std::string_view::npos) fin = texte.size();
    if (fin > pos) mots[n++] = texte.substr(pos, fin - pos);
    pos = fin + 1;
  }
  switch (n) {
    case 1:
      return DateFormate(0, 0, NombreBorne(mots[0], 0, 9999));
    case 2:
      return DateFormate(0, MoisDeGedcom(mots[0]), NombreBorne(mots[1], 0, 9999));
    case 3:
      return DateFormate(NombreBorne(mots[0], 1, 31), MoisDeGedcom(mots[1]),
                         NombreBorne(mots[2], 0, 9999));
    default:
      return {};
  }
}

// Qualifier announced by the first three letters of a GEDCOM keyword.
std::string_view QualifGedcom(std::string_view mot) {
  std::string_view debut = mot.substr(0, 3);
  if (debut == "BEF" || debut == "AND") return kAvant;
  if (debut == "AFT" || debut == "INT") return kApres;
  if (debut == "ABT" || debut == "CAL" || debut == "EST") return kVers;
  if (debut == "BET" || debut == "FRO") return kEntre;
  return {};
}

void Coupe(std::string_view& texte) {
  size_t virgule = texte.find(',');
  if (virgule != std::string_view::npos) texte = texte.substr(0, virgule);
}

}  // namespace

std::string DateVersGedcom(std::string_view date) {
  // Most dates are one date without qualifier.
  if (date.find(' ') == std::string_view::npos) return GedcomSimple(date);
  DateDecoupee d = DateDecoupe(date);
  std::string g1 = GedcomSimple(d.date1);
  std::string g2 = d.date2.empty() ? std::string() : GedcomSimple(d.date2);
  if (d.qualificatif1 == kApres && !d.qualificatif2.empty() && !g2.empty()) {
    // A range missing its lower year is only an upper bound.
    return g1.empty() ? "BEF " + g2 : "BET " + g1 + " AND " + g2;
  }
  if (g1.empty()) return {};
  if (d.qualificatif1 == kAvant) return "BEF " + g1;
  if (d.qualificatif1 == kVers) return "ABT " + g1;
  if (d.qualificatif1 == kApres) return "AFT " + g1;
  return g1;
}

std::string DateDeGedcom(std::string_view phrase) {
  // Trimmed first (what upper-casing leaves as it is), so that no copy is made for it.
  size_t debut = 0, fin = phrase.size();
  while (debut < fin && static_cast<unsigned char>(phrase[debut]) <= ' ') ++debut;
  while (fin > debut && static_cast<unsigned char>(phrase[fin - 1]) <= ' ') --fin;
  std::string t = MajusculesAnsi(phrase.substr(debut, fin - debut));
  t += ' ';
  std::string_view reste = t;
  std::string_view qualif;
  size_t espace = reste.find(' ');
  std::string_view premier = reste.substr(0, espace);
  if (!premier.empty() && !(premier[0] >= '0' && premier[0] <= '9')) {
    qualif = QualifGedcom(premier);
    if (!qualif.empty()) reste.remove_prefix(espace + 1);
  }

  std::string_view texte1 = reste, texte2;
  std::string_view qualif1 = qualif, qualif2;
  if (qualif == kEntre) {
    qualif1 = kApres;
    size_t et = reste.find("AND");
    size_t a = reste.find("TO ");
    size_t coupe = et < a ? et : a;
    if (coupe != std::string_view::npos) {
      texte1 = reste.substr(0, coupe);
      texte2 = reste.substr(coupe + 3);  // "AND" and "TO " are both three long
      qualif2 = kAvant;
    }
  }
  std::string date1 = StockeeDeGedcom(texte1);
  std::string date2 = StockeeDeGedcom(texte2);
  if (date2.empty()) qualif2 = {};
  if (date1.empty()) return {};
  // One date made of stored numbers is already normal: only a range may
  // need its bounds put in order.
  if (date2.empty()) return qualif1.empty() ? date1 : std::string(qualif1) + ' ' + date1;
  std::string r(qualif1);
  r += ' ';
  r += date1;
  r += ' ';
  r += qualif2;
  r += ' ';
  r += date2;
  return DateNormalise(r);
}

int CompareNumeros(std::string_view texte1, std::string_view texte2) {
  Coupe(texte1);
  Coupe(texte2);
  for (;;) {
    if (texte1.empty() && texte2.empty()) return 0;
    if (texte2.empty()) return 1;
    if (texte1.empty()) return -1;
    auto separe = [](std::string_view s, std::string_view& tete, std::string_view& queue) {
      size_t p = s.find('/');
      if (p == std::string_view::npos) p = s.find('.');
      tete = s.substr(0, p);
      queue = p == std::string_view::npos ? std::string_view{} : s.substr(p + 1);
    };
    std::string_view tete1, queue1, tete2, queue2;
    separe(texte1, tete1, queue1);
    separe(texte2, tete2, queue2);
    std::optional<int> n1 = LitNombreDate(tete1);
    std::optional<int> n2 = LitNombreDate(tete2);
    if (!n1 || !n2) return CompareSansCasse(texte1, texte2);
    if (*n1 != *n2) return *n1 < *n2 ? -1 : 1;
    texte1 = queue1;
    texte2 = queue2;
  }
}

}  // namespace kindrela
