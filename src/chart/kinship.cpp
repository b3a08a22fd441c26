#include "chart/kinship.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "core/text.h"

namespace kindrela {

// ---------------------------------------------------------------------------
// TR

TR::TR(int capacite) : m_capacite(std::max(0, capacite)) {}

int TR::Get(int i) const {
  if (i < 1 || i > m_capacite || static_cast<size_t>(i) > m_slots.size()) return 0;
  return m_slots[i - 1];
}

void TR::Set(int i, int v) {
  if (i < 1 || i > m_capacite) return;
  if (static_cast<size_t>(i) > m_slots.size()) m_slots.resize(i, 0);
  m_slots[i - 1] = v;
}

bool TR::Add(int v) {
  if (m_count >= m_capacite) return false;
  ++m_count;
  if (static_cast<size_t>(m_count) > m_slots.size()) m_slots.push_back(v);
  else m_slots[m_count - 1] = v;
  return true;
}

void TR::Clear() { m_count = 0; }

bool operator==(const TR& a, const TR& b) {
  return a.Count() == b.Count() && std::equal(a.begin(), a.end(), b.begin());
}

namespace {

// The capacity of answers that may hold the whole tree.
int CapaciteArbre(const TBD& bd) {
  return std::max({TR::kCapaciteDefaut, bd.Capacites().fiches, bd.NbreFiche()});
}

bool EstHomme(const TBD& bd, int p) { return bd.LitSexe(p) == 0; }

// The link indexes only hold targets within the person capacity; a dangling
// link above it can only be found by looking at every record.
bool HorsIndex(const TBD& bd, int p) { return p > bd.Capacites().fiches; }

// Persons 1..count whose father (mother when `mere`) is p, ascending.
std::vector<int> Enfants(const TBD& bd, int p, bool mere) {
  std::vector<int> v;
  if (p <= 0) return v;
  if (HorsIndex(bd, p)) {
    for (int i = 1; i <= bd.NbreFiche(); ++i)
      if ((mere ? bd.LitMere(i) : bd.LitPere(i)) == p) v.push_back(i);
    return v;
  }
  if (mere) bd.EnfantsDeLaMere(p, v);
  else bd.EnfantsDuPere(p, v);
  std::sort(v.begin(), v.end());
  return v;
}

// Unions in use whose husband (wife when `femme`) is p, ascending.
std::vector<int> Unions(const TBD& bd, int p, bool femme) {
  std::vector<int> v;
  if (p <= 0) return v;
  if (HorsIndex(bd, p)) {
    for (int u = 1; u <= bd.NbreUnion(); ++u)
      if ((femme ? bd.LitNumF(u) : bd.LitNumH(u)) == p) v.push_back(u);
    return v;
  }
  if (femme) bd.UnionsDeLaFemme(p, v);
  else bd.UnionsDuMari(p, v);
  // The index also holds unions no longer in use, which the accessors hide.
  std::erase_if(v, [&](int u) { return (femme ? bd.LitNumF(u) : bd.LitNumH(u)) != p; });
  std::sort(v.begin(), v.end());
  return v;
}

// Ascending union of two ascending lists, each value once.
std::vector<int> Reunion(const std::vector<int>& a, const std::vector<int>& b) {
  std::vector<int> r;
  r.reserve(a.size() + b.size());
  std::set_union(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(r));
  r.erase(std::unique(r.begin(), r.end()), r.end());
  return r;
}

template <typename Liste>
Liste Remplit(const std::vector<int>& v) {
  Liste l;
  for (int x : v)
    if (!l.Add(x)) break;
  return l;
}

void Ajoute(TR& l, const std::vector<int>& v) {
  for (int x : v)
    if (!l.Add(x)) return;
}

std::vector<int> Parents(const TBD& bd, int p) {
  std::vector<int> v;
  if (p <= 0) return v;
  if (int f = bd.LitPere(p); f > 0) v.push_back(f);
  if (int m = bd.LitMere(p); m > 0) v.push_back(m);
  return v;
}

std::vector<int> EnfantsDe(const TBD& bd, int p) {
  return Reunion(Enfants(bd, p, false), Enfants(bd, p, true));
}

std::vector<int> EnfantsAvecUnParent(const TBD& bd, int p) {
  std::vector<int> duPere = Enfants(bd, p, false);
  std::erase_if(duPere, [&](int c) { return bd.LitMere(c) != 0; });
  std::vector<int> deLaMere = Enfants(bd, p, true);
  std::erase_if(deLaMere, [&](int c) { return bd.LitPere(c) != 0; });
  return Reunion(duPere, deLaMere);
}

// Father and mother of a couple, placed by a's sex.
std::pair<int, int> Couple(const TBD& bd, int a, int b) {
  if (bd.LitSexe(a) == 1) return {b, a};
  return {a, b};
}

std::vector<int> EnfantsDuCouple(const TBD& bd, int a, int b) {
  if (a <= 0 || b <= 0) return {};
  auto [pere, mere] = Couple(bd, a, b);
  std::vector<int> v = Enfants(bd, pere, false);
  std::erase_if(v, [&](int c) { return bd.LitMere(c) != mere; });
  return v;
}

std::vector<int> FreresEtSoeurs(const TBD& bd, int p) {
  if (p <= 0) return {};
  int f = bd.LitPere(p);
  int m = bd.LitMere(p);
  std::vector<int> v = Reunion(f > 0 ? Enfants(bd, f, false) : std::vector<int>{},
                               m > 0 ? Enfants(bd, m, true) : std::vector<int>{});
  std::erase(v, p);
  return v;
}

// Unions of p in ascending order, cut to the list's capacity, then date-sorted
// as a scan into that list would give.
template <typename Liste>
Liste UnionsTriees(const TBD& bd, int p) {
  Liste l = Remplit<Liste>(Unions(bd, p, !EstHomme(bd, p)));
  SortUnionsByEventDate(bd, l, bd.NatMariage);
  return l;
}

template <typename Liste>
Liste Conjoints(const TBD& bd, int p) {
  Liste unions = UnionsTriees<Liste>(bd, p);
  const bool homme = EstHomme(bd, p);
  Liste l;
  for (int u : unions) l.Add(homme ? bd.LitNumF(u) : bd.LitNumH(u));
  return l;
}

}  // namespace

// ---------------------------------------------------------------------------
// Person queries

TR ParentsOf(const TBD& bd, int p) { return Remplit<TR>(Parents(bd, p)); }
TRR ParentsOfCourt(const TBD& bd, int p) { return Remplit<TRR>(Parents(bd, p)); }

TR ChildrenOf(const TBD& bd, int p) { return Remplit<TR>(EnfantsDe(bd, p)); }

TR ChildrenWithOneParent(const TBD& bd, int p) { return Remplit<TR>(EnfantsAvecUnParent(bd, p)); }
TRR ChildrenWithOneParentCourt(const TBD& bd, int p) {
  return Remplit<TRR>(EnfantsAvecUnParent(bd, p));
}

TR ChildrenOfCouple(const TBD& bd, int a, int b) { return Remplit<TR>(EnfantsDuCouple(bd, a, b)); }
TRR ChildrenOfCoupleCourt(const TBD& bd, int a, int b) {
  return Remplit<TRR>(EnfantsDuCouple(bd, a, b));
}

TR SiblingsOf(const TBD& bd, int p) { return Remplit<TR>(FreresEtSoeurs(bd, p)); }

TR UnionsOf(const TBD& bd, int p) { return UnionsTriees<TR>(bd, p); }
TRR UnionsOfCourt(const TBD& bd, int p) { return UnionsTriees<TRR>(bd, p); }

TR SpousesOf(const TBD& bd, int p) { return Conjoints<TR>(bd, p); }
TRR SpousesOfCourt(const TBD& bd, int p) { return Conjoints<TRR>(bd, p); }

int LastSpouseOf(const TBD& bd, int p) {
  if (p <= 0 || bd.LitSexe(p) == 2) return 0;
  TR l = SpousesOf(bd, p);
  return l.Get(l.Count());
}

int LastUnionOf(const TBD& bd, int p) {
  TR l = UnionsOf(bd, p);
  return l.Get(l.Count());
}

int SpouseCount(const TBD& bd, int p) {
  // The count does not depend on the date order.
  return std::min<int>(TR::kCapaciteDefaut,
                       static_cast<int>(Unions(bd, p, !EstHomme(bd, p)).size()));
}

int UnionOfCouple(const TBD& bd, int a, int b) {
  if (a <= 0 || b <= 0) return 0;
  auto [mari, femme] = Couple(bd, a, b);
  std::vector<int> v = Unions(bd, mari, false);
  for (auto it = v.rbegin(); it != v.rend(); ++it)
    if (bd.LitNumF(*it) == femme) return *it;
  return 0;
}

bool HasChildren(const TBD& bd, int p) {
  if (p <= 0) return false;
  return !Enfants(bd, p, false).empty() || !Enfants(bd, p, true).empty();
}

bool HasUnion(const TBD& bd, int p) {
  if (p <= 0) return false;
  return !Unions(bd, p, !EstHomme(bd, p)).empty();
}

TR AllPersons(const TBD& bd) {
  TR l(CapaciteArbre(bd));
  for (int i = 1; i <= bd.NbreFiche(); ++i)
    if (bd.FicheUtilisee(i)) l.Add(i);
  return l;
}

TR PersonsWithSurname(const TBD& bd, std::string_view s) {
  TR l(CapaciteArbre(bd));
  for (int i = 1; i <= bd.NbreFiche(); ++i)
    if (bd.FicheUtilisee(i) && EgalSansCasse(bd.Fiche(i).Nom, s)) l.Add(i);
  return l;
}

TR SearchByColumn(const TBD& bd, int column, std::string_view prefix, int excluded, int limit,
                  bool keepDuplicates) {
  TR l(CapaciteArbre(bd));
  if (column < 1 || column > 23) return l;
  const std::string debut = MinusculesAnsi(prefix);
  std::unordered_set<std::string> vus;  // lower-cased whole texts already in the result
  for (int i = 1; i <= bd.NbreFiche(); ++i) {
    if (i == excluded || !bd.FicheUtilisee(i)) continue;
    std::string texte = MinusculesAnsi(bd.LitChamp(i, column));
    if (std::string_view(texte).substr(0, debut.size()) != debut) continue;
    if (keepDuplicates) {
      l.Add(i);
    } else if (vus.insert(texte).second) {
      l.Add(i);
    }
    if (l.Count() == limit || l.Plein()) break;
  }
  return l;
}

// ---------------------------------------------------------------------------
// Operations on lists

TR ParentsOfList(const TBD& bd, const TR& l) {
  TR r(CapaciteArbre(bd));
  for (int x : l)
    if (bd.FicheUtilisee(x)) Ajoute(r, Parents(bd, x));
  return r;
}

TR ChildrenOfList(const TBD& bd, const TR& l) {
  TR r(CapaciteArbre(bd));
  for (int x : l)
    if (bd.FicheUtilisee(x)) Ajoute(r, EnfantsDe(bd, x));
  return r;
}

TR SiblingsOfList(const TBD& bd, const TR& l) {
  TR r(CapaciteArbre(bd));
  for (int x : l)
    if (bd.FicheUtilisee(x)) Ajoute(r, FreresEtSoeurs(bd, x));
  return r;
}

TR SpousesOfList(const TBD& bd, const TR& l) {
  TR r(CapaciteArbre(bd));
  std::vector<int> marques;
  for (int x : l) {
    if (!bd.FicheUtilisee(x)) continue;
    const bool homme = EstHomme(bd, x);
    for (int u : Unions(bd, x, !homme)) {
      int conjoint = homme ? bd.LitNumF(u) : bd.LitNumH(u);
      if (conjoint >= 1 && conjoint <= r.Capacite()) marques.push_back(conjoint);
    }
  }
  std::sort(marques.begin(), marques.end());
  marques.erase(std::unique(marques.begin(), marques.end()), marques.end());
  Ajoute(r, marques);
  return r;
}

TR Intersect(const TR& a, const TR& b) {
  TR r(std::max(a.Capacite(), b.Capacite()));
  if (a.Count() == 0 || b.Count() == 0) return r;
  std::unordered_map<int, int> fois;
  for (int x : b) ++fois[x];
  for (int x : a) {
    auto it = fois.find(x);
    if (it == fois.end()) continue;
    for (int k = 0; k < it->second; ++k)
      if (!r.Add(x)) return r;
  }
  return r;
}

TR Merge(const TR& a, const TR& b) {
  long long capacite = static_cast<long long>(a.Capacite()) + b.Capacite();
  TR r(static_cast<int>(std::clamp<long long>(capacite, TR::kCapaciteDefaut, INT32_MAX)));
  std::unordered_set<int> dansA(a.begin(), a.end());
  for (int x : a) r.Add(x);
  for (int x : b)
    if (!dansA.count(x)) r.Add(x);
  return r;
}

}  // namespace kindrela
