// Generational walks and the common ancestor of two persons.
#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "chart/kinship.h"

namespace kindrela {

namespace {

int CapaciteArbre(const TBD& bd) {
  return std::max({TR::kCapaciteDefaut, bd.Capacites().fiches, bd.NbreFiche()});
}

// Depth-first walk up from p, father's side first. A person already on the
// current line is not climbed again: in a sound tree that never happens, and
// in a tree whose links form a loop it keeps the walk from going round it
// until the level bound, which could take exponential time.
class MonteeAncetres {
 public:
  MonteeAncetres(const TBD& bd, bool ouverts) : m_bd(bd), m_ouverts(ouverts), m_res(CapaciteArbre(bd)) {}

  TR Lance(int p) {
    if (p > 0) Visite(p, 1);
    return std::move(m_res);
  }

 private:
  void Visite(int x, int niveau) {
    if (niveau > kProfondeurMax || m_res.Plein()) return;
    const int f = m_bd.LitPere(x);
    const int m = m_bd.LitMere(x);
    const bool garde = m_ouverts ? (f <= 0 || m <= 0) : (f <= 0 && m <= 0);
    if (garde) m_res.Add(x);
    if (f <= 0 && m <= 0) return;
    if (!m_ligne.insert(x).second) return;
    if (f > 0 && !m_ligne.count(f)) Visite(f, niveau + 1);
    if (m > 0 && !m_ligne.count(m)) Visite(m, niveau + 1);
    m_ligne.erase(x);
  }

  const TBD& m_bd;
  bool m_ouverts;
  TR m_res;
  std::unordered_set<int> m_ligne;
};

// Depth-first walks down, with the same guard against loops.
class DescenteEnfants {
 public:
  explicit DescenteEnfants(const TBD& bd) : m_bd(bd), m_res(CapaciteArbre(bd)) {}

  // Every descendant within n generations, each followed by its own.
  TR Descendants(int p, int n) {
    if (p <= 0) return std::move(m_res);
    m_ligne.insert(p);
    Descend(p, 1, std::min(n, kProfondeurMax));
    return std::move(m_res);
  }

  // Every person reached that has no child.
  TR Feuilles(int p) {
    if (p > 0) Feuille(p, 1);
    return std::move(m_res);
  }

 private:
  void Descend(int p, int profondeur, int n) {
    TR enfants = ChildrenOf(m_bd, p);
    for (int c : enfants) {
      if (!m_res.Add(c)) return;
      if (profondeur < n && !m_ligne.count(c) && HasChildren(m_bd, c)) {
        m_ligne.insert(c);
        Descend(c, profondeur + 1, n);
        m_ligne.erase(c);
      }
    }
  }

  void Feuille(int x, int niveau) {
    if (niveau > kProfondeurMax || m_res.Plein()) return;
    TR enfants = ChildrenOf(m_bd, x);
    if (enfants.Count() == 0) {
      m_res.Add(x);
      return;
    }
    if (!m_ligne.insert(x).second) return;
    for (int c : enfants)
      if (!m_ligne.count(c)) Feuille(c, niveau + 1);
    m_ligne.erase(x);
  }

  const TBD& m_bd;
  TR m_res;
  std::unordered_set<int> m_ligne;
};

// One side of the common-ancestor search: persons in breadth order with
// their generation. A person already listed is not listed again: everything
// its second entry would bring is already listed, earlier, so the first match
// and its generations are those of the list with repeats.
struct Lignee {
  std::vector<int> personnes;
  std::vector<int> generations;
  std::unordered_map<int, int> position;  // person -> index of its entry
  size_t aEtendre = 0;

  explicit Lignee(int p) { Ajoute(p, 0); }

  void Ajoute(int x, int g) {
    if (position.emplace(x, static_cast<int>(personnes.size())).second) {
      personnes.push_back(x);
      generations.push_back(g);
    }
  }

  // Appends the parents of the entries not yet expanded; true when it grew.
  bool Etend(const TBD& bd) {
    const size_t avant = personnes.size();
    for (size_t k = aEtendre; k < avant; ++k) {
      const int x = personnes[k];
      const int g = generations[k] + 1;
      if (int f = bd.LitPere(x); f > 0) Ajoute(f, g);
      if (int m = bd.LitMere(x); m > 0) Ajoute(m, g);
    }
    aEtendre = avant;
    return personnes.size() > avant;
  }
};

// The first entry of A found in B, scanning A in order.
bool Rencontre(const Lignee& a, const Lignee& b, AncetreCommun& r) {
  for (size_t k = 0; k < a.personnes.size(); ++k) {
    auto it = b.position.find(a.personnes[k]);
    if (it == b.position.end()) continue;
    r.found = true;
    r.ancestor = a.personnes[k];
    r.distanceFromA = a.generations[k];
    r.distanceFromB = b.generations[it->second];
    return true;
  }
  return false;
}

}  // namespace

TR AncestorsWithin(const TBD& bd, int p, int n) {
  TR res(CapaciteArbre(bd));
  if (p <= 0) return res;
  n = std::min(n, kProfondeurMax);
  std::vector<int> generation{p};
  std::vector<int> suivante;
  int passes = 0;
  while (true) {
    for (int x : generation)
      if (!res.Add(x)) return res;
    suivante.clear();
    for (int x : generation) {
      if (int f = bd.LitPere(x); f > 0) suivante.push_back(f);
      if (int m = bd.LitMere(x); m > 0) suivante.push_back(m);
    }
    ++passes;
    if (suivante.empty() || passes > n) break;
    generation.swap(suivante);
  }
  return res;
}

TR DescendantsWithin(const TBD& bd, int p, int n) { return DescenteEnfants(bd).Descendants(p, n); }

TR TopAncestors(const TBD& bd, int p) { return MonteeAncetres(bd, false).Lance(p); }

TR OpenAncestors(const TBD& bd, int p) { return MonteeAncetres(bd, true).Lance(p); }

TR LeafDescendants(const TBD& bd, int p) { return DescenteEnfants(bd).Feuilles(p); }

AncetreCommun FindCommonAncestor(const TBD& bd, int a, int b, int generations) {
  AncetreCommun r;
  if (a <= 0 || b <= 0) return r;
  Lignee la(a);
  Lignee lb(b);
  if (Rencontre(la, lb, r)) return r;
  for (int passe = 0; passe < generations; ++passe) {
    const bool aGrandi = la.Etend(bd);
    if (aGrandi && Rencontre(la, lb, r)) return r;
    const bool bGrandi = lb.Etend(bd);
    if (bGrandi && Rencontre(la, lb, r)) return r;
    if (!aGrandi && !bGrandi) break;
  }
  return AncetreCommun{};
}

}  // namespace kindrela
