// Reading, normalising, comparing and counting stored dates.
#include "dates/dates.h"

#include <climits>
#include <cmath>
#include <utility>

#include "core/clock.h"
#include "core/text.h"

namespace kindrela {
namespace {

bool EstChiffre(char c) { return c >= '0' && c <= '9'; }

std::string_view SansEspaces(std::string_view s) {
  size_t debut = s.find_first_not_of(' ');
  if (debut == std::string_view::npos) return {};
  size_t fin = s.find_last_not_of(' ');
  return s.substr(debut, fin - debut + 1);
}

// The four words of a date text, as views into it (not lower-cased), so that
// the per-record operations allocate nothing.
struct Vues {
  std::string_view q1, d1, q2, d2;
};

// One reading pass from `pos`: the last non-numeric word is the qualifier,
// the first numeric word the date. Returns where the next pass starts.
size_t LitMots(std::string_view s, size_t pos, std::string_view& qualif, std::string_view& date) {
  while (pos < s.size()) {
    size_t fin = s.find(' ', pos);
    if (fin == std::string_view::npos) fin = s.size();
    std::string_view mot = s.substr(pos, fin - pos);
    pos = fin + 1;
    if (mot.empty()) continue;
    if (EstChiffre(mot[0])) {
      date = mot;
      return pos;
    }
    qualif = mot;
  }
  return s.size();
}

Vues DecoupeVues(std::string_view s) {
  Vues v;
  if (s.find(' ') == std::string_view::npos) {
    v.d1 = s;
    return v;
  }
  size_t pos = LitMots(s, 0, v.q1, v.d1);
  if (pos < s.size()) LitMots(s, pos, v.q2, v.d2);
  return v;
}

struct Nombres {
  int jour = 0;
  int mois = 0;
  int annee = 0;
};

int Borne(std::string_view partie, int min, int max) {
  std::optional<int> v = LitNombreDate(partie);
  return v && *v >= min && *v <= max ? *v : 0;
}

// Numbers of one date word ("5/3/1900", "3/1900", "1900").
Nombres NombresDe(std::string_view date) {
  std::string_view parties[3];
  int n = 0;
  size_t pos = 0;
  while (n < 3) {
    size_t fin = date.find('/', pos);
    if (fin == std::string_view::npos) {
      parties[n++] = date.substr(pos);
      break;
    }
    parties[n++] = date.substr(pos, fin - pos);
    pos = fin + 1;
  }
  Nombres r;
  if (n == 3) {
    r.jour = Borne(parties[0], 1, 31);
    r.mois = Borne(parties[1], 1, 12);
    r.annee = Borne(parties[2], 0, 9999);
  } else if (n == 2) {
    r.mois = Borne(parties[0], 1, 12);
    r.annee = Borne(parties[1], 0, 9999);
  } else {
    r.annee = Borne(parties[0], 0, 9999);
  }
  return r;
}

// The upper date of a range, else the only one.
Nombres NombresHaut(std::string_view texte) {
  Vues v = DecoupeVues(texte);
  return NombresDe(v.d2.empty() ? v.d1 : v.d2);
}

// The decimal digits of v > 0 at p; returns their end.
char* EcritPositif(char* p, int v) {
  char chiffres[10];
  int n = 0;
  for (; v > 0; v /= 10) chiffres[n++] = static_cast<char>('0' + v % 10);
  while (n > 0) *p++ = chiffres[--n];
  return p;
}

void AjouteDate(std::string& s, int jour, int mois, int annee) {
  if (jour < 1 || jour > 31) jour = 0;
  if (mois < 1 || mois > 12) mois = 0;
  if (annee <= 0) return;
  // Composed in place and appended once: dates are made by the hundred thousand.
  char tampon[24];
  char* p = tampon;
  if (mois != 0) {
    if (jour != 0) {
      p = EcritPositif(p, jour);
      *p++ = '/';
    }
    p = EcritPositif(p, mois);
    *p++ = '/';
  }
  p = EcritPositif(p, annee);
  s.append(tampon, p);
}

std::string Formate(const Nombres& n) { return DateFormate(n.jour, n.mois, n.annee); }

// A date with its own qualifier, ready for DateCompare.
struct Comparable {
  std::string_view qualif;
  Nombres n;
};

// "avant"/"après" move the least significant known part by one.
void Decale(Comparable& c) {
  int pas = 0;
  if (EgalSansCasse(c.qualif, kAvant)) pas = -1;
  else if (EgalSansCasse(c.qualif, kApres)) pas = 1;
  if (pas == 0) return;
  if (c.n.jour != 0) c.n.jour += pas;
  else if (c.n.mois != 0) c.n.mois += pas;
  else c.n.annee += pas;
}

int CompareComparables(Comparable a, Comparable b) {
  if (!a.qualif.empty() || !b.qualif.empty()) {
    Decale(a);
    Decale(b);
  } else if (b.n.mois == 0 && a.n.mois != 0) {
    b.n.mois = 13;
  } else if (b.n.jour == 0 && a.n.jour != 0) {
    b.n.jour = 32;
  }
  long long ka = a.n.annee * 10000LL + a.n.mois * 100 + a.n.jour;
  long long kb = b.n.annee * 10000LL + b.n.mois * 100 + b.n.jour;
  if (ka < kb) return 2;
  if (ka > kb) return 1;
  return 0;
}

Comparable ComparableDe(std::string_view texte) {
  Vues v = DecoupeVues(texte);
  return Comparable{v.q1, NombresDe(v.d1)};
}

// Qualifier of a word typed by the user (already lower-cased); empty when the
// word means nothing.
std::string_view QualifSaisi(std::string_view mot) {
  auto debute = [&](std::string_view p) { return mot.substr(0, p.size()) == p; };
  if (debute("av") || mot == "<" || mot == "-") return kAvant;
  if (mot == "a" || debute("et")) return kAvant;
  if (debute("ap") || mot == ">") return kApres;
  if (mot == "+") return kApres;
  if (debute("en") || debute("de")) return kApres;
  if (debute("v") || mot == "~") return kVers;
  if (mot == "*" || mot == "ca") return kVers;
  return {};
}

// Reads the typed words from `pos` up to the first date; returns where the
// next reading starts. A word that starts with other characters but holds a
// digit is cut before its first digit ("<1900", "~1900", "vers1900").
size_t LitSaisie(std::string_view s, size_t pos, std::string_view& qualif, std::string_view& date) {
  while (pos < s.size()) {
    size_t fin = s.find(' ', pos);
    if (fin == std::string_view::npos) fin = s.size();
    std::string_view mot = s.substr(pos, fin - pos);
    if (mot.empty()) {
      pos = fin + 1;
      continue;
    }
    if (EstChiffre(mot[0])) {
      date = mot;
      return fin + 1;
    }
    size_t chiffre = 1;
    while (chiffre < mot.size() && !EstChiffre(mot[chiffre])) ++chiffre;
    if (chiffre < mot.size()) {
      mot = mot.substr(0, chiffre);
      pos += chiffre;
    } else {
      pos = fin + 1;
    }
    std::string_view q = QualifSaisi(mot);
    if (!q.empty()) qualif = q;
  }
  return s.size();
}

// Exchanges the first two numbers of every full date written with `sep`.
std::string EchangeJourMois(std::string_view texte) {
  const char sep = DetecteSeparateur(texte);
  std::string r;
  r.reserve(texte.size());
  size_t i = 0;
  while (i < texte.size()) {
    if (!EstChiffre(texte[i])) {
      r += texte[i++];
      continue;
    }
    // A run of digits and separators; a full date is exactly N sep N sep N,
    // possibly followed by separators (a space separator also ends words).
    size_t fin = i;
    while (fin < texte.size() && (EstChiffre(texte[fin]) || texte[fin] == sep)) ++fin;
    size_t finDate = fin;
    while (finDate > i && texte[finDate - 1] == sep) --finDate;
    std::string_view run = texte.substr(i, finDate - i);
    std::string_view parties[3];
    int n = 0;
    bool correct = true;
    size_t pos = 0;
    while (correct) {
      size_t s = run.find(sep, pos);
      std::string_view p = run.substr(pos, s == std::string_view::npos ? run.npos : s - pos);
      if (p.empty() || n == 3) {
        correct = false;
        break;
      }
      parties[n++] = p;
      if (s == std::string_view::npos) break;
      pos = s + 1;
    }
    if (correct && n == 3) {
      r += parties[1];
      r += '/';
      r += parties[0];
      r += '/';
      r += parties[2];
      r.append(texte.substr(finDate, fin - finDate));
    } else {
      r.append(texte.substr(i, fin - i));
    }
    i = fin;
  }
  return r;
}

}  // namespace

std::optional<int> LitNombreDate(std::string_view s) {
  size_t i = 0;
  bool negatif = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negatif = s[0] == '-';
    i = 1;
  }
  if (i >= s.size()) return std::nullopt;
  long long v = 0;
  for (; i < s.size(); ++i) {
    if (!EstChiffre(s[i])) return std::nullopt;
    v = v * 10 + (s[i] - '0');
    if (v > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
  }
  if (negatif) v = -v;
  if (v > INT_MAX || v < INT_MIN) return std::nullopt;
  return static_cast<int>(v);
}

DateDecoupee DateDecoupe(std::string_view texte) {
  DateDecoupee r;
  if (texte.find(' ') == std::string_view::npos) {
    r.date1 = std::string(texte);
    return r;
  }
  Vues v = DecoupeVues(texte);
  r.qualificatif1 = MinusculesAnsi(v.q1);
  r.date1 = MinusculesAnsi(v.d1);
  r.qualificatif2 = MinusculesAnsi(v.q2);
  r.date2 = MinusculesAnsi(v.d2);
  return r;
}

ElementsDate DateElements(std::string_view texte) {
  Vues v = DecoupeVues(texte);
  Nombres n = NombresDe(v.d1);
  ElementsDate e;
  e.qualificatif = MinusculesAnsi(v.q1);
  e.jour = n.jour;
  e.mois = n.mois;
  e.annee = n.annee;
  return e;
}

int DateJour(std::string_view texte) { return NombresDe(DecoupeVues(texte).d1).jour; }
int DateMois(std::string_view texte) { return NombresDe(DecoupeVues(texte).d1).mois; }
int DateAnnee(std::string_view texte) { return NombresDe(DecoupeVues(texte).d1).annee; }
std::string DateJourTexte(std::string_view texte) { return std::to_string(DateJour(texte)); }
std::string DateMoisTexte(std::string_view texte) { return std::to_string(DateMois(texte)); }
std::string DateAnneeTexte(std::string_view texte) { return std::to_string(DateAnnee(texte)); }

std::string DateFormate(int jour, int mois, int annee) {
  std::string r;
  AjouteDate(r, jour, mois, annee);
  return r;
}

std::string DateDuJour() {
  Jour j = Aujourdhui();
  return DateFormate(j.jour, j.mois, j.annee);
}

std::string DateNormalise(std::string_view texte) {
  Vues v = DecoupeVues(SansEspaces(texte));
  std::string_view d1 = v.d1, d2 = v.d2;
  std::string_view q2;
  std::string q1;
  Nombres n1 = NombresDe(d1);
  Nombres n2 = NombresDe(d2);
  if (!d2.empty()) {
    // The bounds are ordered as bare dates: with "après"/"avant" each would
    // move one unit towards the other, and bounds one day apart would swap
    // at every normalisation. A range missing one year keeps its order.
    if (n1.annee != 0 && n2.annee != 0 && CompareComparables({{}, n1}, {{}, n2}) == 1) {
      std::swap(d1, d2);
      std::swap(n1, n2);
    }
    q1 = kApres;
    q2 = kAvant;
  } else {
    q1 = MinusculesAnsi(v.q1);
  }
  std::string r;
  if (!q1.empty()) {
    r = q1;
    r += ' ';
  }
  const size_t debutDate = r.size();
  AjouteDate(r, n1.jour, n1.mois, n1.annee);
  if (r.size() == debutDate) r.clear();  // no year: the part goes with its qualifier
  if (!d2.empty()) {
    std::string s2;
    AjouteDate(s2, n2.jour, n2.mois, n2.annee);
    if (!s2.empty()) {
      if (!r.empty()) r += ' ';
      r += q2;
      r += ' ';
      r += s2;
    }
  }
  return r;
}

std::string DateSaisie(std::string_view texte) {
  std::string_view brut = SansEspaces(texte);
  std::string t;
  t.reserve(brut.size() + 1);
  for (char c : brut) {
    if (c == '.') c = '/';
    if (c == ' ' && !t.empty() && t.back() == ' ') continue;
    t += c;
  }
  for (size_t i = 1; i + 1 < t.size(); ++i) {
    if ((t[i] == ' ' || t[i] == '-') && EstChiffre(t[i - 1]) && EstChiffre(t[i + 1])) t[i] = '/';
  }
  if (t.empty()) return {};
  if (t.find(' ') == std::string::npos && EstChiffre(t[0])) return t;

  std::string bas = MinusculesAnsi(t);
  bas += ' ';
  std::string_view q1, d1, q2, d2;
  size_t pos = LitSaisie(bas, 0, q1, d1);
  if (q1 == kAvant || q1 == kApres) LitSaisie(bas, pos, q2, d2);
  if (d1.empty()) return {};

  std::string s1(d1), s2;
  if (!d2.empty() && (q2 == kAvant || q2 == kApres)) {
    int a1 = NombresDe(d1).annee;
    int a2 = NombresDe(d2).annee;
    s2 = d2;
    if (a1 >= 100 && a2 < 100) s2 = AnneeSiecle(d1, d2, 2);
    else if (a1 < 100 && a2 > 100) s1 = AnneeSiecle(d1, d2, 1);
  }
  std::string r;
  if (s1.empty()) {
    // The first date held no year: the second stands alone.
    if (s2.empty()) return {};
    r = q2;
    r += ' ';
    r += s2;
    return r;
  }
  if (!q1.empty()) {
    r = q1;
    r += ' ';
  }
  r += s1;
  if (!s2.empty()) {
    r += ' ';
    r += q2;
    r += ' ';
    r += s2;
  }
  return r;
}

std::string AnneeSiecle(std::string_view a, std::string_view b, int mode) {
  Nombres na = NombresDe(DecoupeVues(a).d1);
  Nombres nb = NombresDe(DecoupeVues(b).d1);
  if (mode == 1) {
    int reference = nb.annee != 0 ? nb.annee : Aujourdhui().annee;
    if (na.annee >= 1 && na.annee <= 99) {
      int annee = reference / 100 * 100 + na.annee;
      if (annee > reference && annee - 100 >= 1) annee -= 100;
      na.annee = annee;
    }
    return Formate(na);
  }
  int reference = na.annee != 0 ? na.annee : Aujourdhui().annee;
  if (nb.annee >= 1 && nb.annee <= 99) {
    int annee = reference / 100 * 100 + nb.annee;
    if (annee < reference && annee + 100 <= 9999) annee += 100;
    nb.annee = annee;
  }
  return Formate(nb);
}

std::string DateCompleteSiecle(std::string_view a, std::string_view b, int mode) {
  std::string na = DateNormalise(a);
  std::string nb = DateNormalise(b);
  std::string qualif1, qualif2, date1, date2;
  if (mode == 1) {
    std::string saisie = DateSaisie(na);
    Vues va = DecoupeVues(saisie);
    Vues vb = DecoupeVues(nb);
    qualif1 = va.q1;
    qualif2 = va.q2;
    date1 = AnneeSiecle(va.d1, vb.d1, 1);
    date2 = AnneeSiecle(va.d2, vb.d1, 1);
  } else {
    std::string saisie = DateSaisie(nb);
    Vues va = DecoupeVues(na);
    Vues vb = DecoupeVues(saisie);
    std::string_view reference = va.d2.empty() ? va.d1 : va.d2;
    qualif1 = vb.q1;
    qualif2 = vb.q2;
    date1 = AnneeSiecle(reference, vb.d1, 2);
    date2 = AnneeSiecle(reference, vb.d2, 2);
  }
  return DateNormalise(qualif1 + " " + date1 + " " + qualif2 + " " + date2);
}

std::string DateAffichee(std::string_view texte, std::string_view format) {
  if (format != kFormatMJA) return std::string(texte);
  return EchangeJourMois(texte);
}

std::string DateInterne(std::string_view texte, std::string_view format) {
  if (format != kFormatMJA) return std::string(texte);
  return EchangeJourMois(texte);
}

int DateCompare(std::string_view date1, std::string_view date2) {
  if (date1.empty()) return date2.empty() ? 0 : 2;
  if (date2.empty()) return 1;
  return CompareComparables(ComparableDe(date1), ComparableDe(date2));
}

int AgeActuel(std::string_view date) {
  Nombres n = NombresHaut(date);
  if (n.annee == 0) return -1;
  Jour t = Aujourdhui();
  int age = t.annee - n.annee;
  if (age > 0 && (t.mois < n.mois || (t.mois == n.mois && t.jour < n.jour))) --age;
  return age < 0 ? -1 : age;
}

int AgeEntre(std::string_view date1, std::string_view date2) {
  Nombres tot = NombresHaut(date1);
  Nombres tard = NombresDe(DecoupeVues(date2).d1);
  if (tard.annee < tot.annee) std::swap(tot, tard);
  if (tot.annee == 0 || tard.annee == 0) return 0;
  int age = tard.annee - tot.annee;
  if (tard.mois < tot.mois || (tard.mois == tot.mois && tard.jour < tot.jour)) --age;
  return age < 0 ? 0 : age;
}

int JoursEntre(std::string_view date1, std::string_view date2) {
  Vues v1 = DecoupeVues(date1);
  Vues v2 = DecoupeVues(date2);
  std::string_view haut = v2.d2.empty() ? v2.d1 : v2.d2;
  // Without a year the formula would still give a day; such a span is unknown.
  if (NombresDe(v1.d1).annee == 0 || NombresDe(haut).annee == 0) return 0;
  double jd1 = DateVersJulien(date1);
  double jd2 = DateVersJulien(haut);
  if (jd1 > 0 && jd1 > jd2) return static_cast<int>(std::lround(jd1 - jd2));
  return 0;
}

}  // namespace kindrela
