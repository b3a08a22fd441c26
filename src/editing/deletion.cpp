#include "editing/deletion.h"

#include <algorithm>

#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/journal.h"
#include "dates/dates.h"

namespace kindrela {
namespace {

// Walks over the kinship links through the database's reverse indexes,
// each person visited once per walk, so that every rule is linear in the
// persons it reaches whatever the shape of the tree.
class Parcours {
 public:
  explicit Parcours(const TBD& bd) : m_bd(bd), m_vu(static_cast<size_t>(bd.NbreFiche()) + 1, 0) {}

  // The sources and their ancestors within `gen` generations.
  std::vector<int> Ancetres(const std::vector<int>& sources, int gen) {
    std::vector<int> sortie;
    Commence();
    for (int s : sources)
      if (Visite(s)) sortie.push_back(s);
    size_t debut = 0;
    for (int g = 0; g < gen && debut < sortie.size(); ++g) {
      const size_t fin = sortie.size();
      for (size_t i = debut; i < fin; ++i)
        for (int parent : {m_bd.LitPere(sortie[i]), m_bd.LitMere(sortie[i])})
          if (Visite(parent)) sortie.push_back(parent);
      debut = fin;
    }
    return sortie;
  }

  // The descendants of the sources within `gen` generations, sources excluded.
  std::vector<int> Descendants(const std::vector<int>& sources, int gen) {
    std::vector<int> niveau, sortie;
    Commence();
    for (int s : sources)
      if (Visite(s)) niveau.push_back(s);
    for (int g = 0; g < gen && !niveau.empty(); ++g) {
      std::vector<int> suivant;
      for (int p : niveau)
        for (int e : Enfants(p))
          if (Visite(e)) suivant.push_back(e);
      sortie.insert(sortie.end(), suivant.begin(), suivant.end());
      niveau = std::move(suivant);
    }
    return sortie;
  }

  // Every partner of a union in use of any of the persons, once each.
  std::vector<int> Conjoints(const std::vector<int>& personnes) {
    std::vector<int> sortie;
    Commence();
    for (int p : personnes) {
      m_bd.UnionsDuMari(p, m_tampon);
      for (int u : m_tampon)
        if (Visite(m_bd.LitNumF(u))) sortie.push_back(m_bd.LitNumF(u));
      m_bd.UnionsDeLaFemme(p, m_tampon);
      for (int u : m_tampon)
        if (Visite(m_bd.LitNumH(u))) sortie.push_back(m_bd.LitNumH(u));
    }
    return sortie;
  }

  // Everybody sharing the father or the mother of one of the persons (a
  // person of the list too, when it shares one with another of the list).
  std::vector<int> Fratrie(const std::vector<int>& personnes) {
    const size_t taille = m_vu.size();
    std::vector<uint8_t> dans(taille, 0);
    std::vector<int> parPere(taille, 0), parMere(taille, 0);
    std::vector<int> peres, meres;
    for (int p : personnes) {
      if (p <= 0 || static_cast<size_t>(p) >= taille || dans[p]) continue;
      dans[p] = 1;
      const int pe = m_bd.LitPere(p), me = m_bd.LitMere(p);
      if (pe > 0 && static_cast<size_t>(pe) < taille && parPere[pe]++ == 0) peres.push_back(pe);
      if (me > 0 && static_cast<size_t>(me) < taille && parMere[me]++ == 0) meres.push_back(me);
    }
    std::vector<int> sortie;
    Commence();
    // e is a sibling through a parent when another person of the list has it.
    for (int pe : peres) {
      m_bd.EnfantsDuPere(pe, m_tampon);
      for (int e : m_tampon)
        if (parPere[pe] > dans[e] && Visite(e)) sortie.push_back(e);
    }
    for (int me : meres) {
      m_bd.EnfantsDeLaMere(me, m_tampon);
      for (int e : m_tampon)
        if (parMere[me] > dans[e] && Visite(e)) sortie.push_back(e);
    }
    return sortie;
  }

 private:
  void Commence() {
    if (++m_marque == 0) {
      std::fill(m_vu.begin(), m_vu.end(), 0);
      m_marque = 1;
    }
  }
  bool Visite(int p) {
    if (p <= 0 || static_cast<size_t>(p) >= m_vu.size() || !m_bd.FicheUtilisee(p)) return false;
    if (m_vu[p] == m_marque) return false;
    m_vu[p] = m_marque;
    return true;
  }
  const std::vector<int>& Enfants(int p) {
    m_enfants.clear();
    m_bd.EnfantsDuPere(p, m_tampon);
    m_enfants.insert(m_enfants.end(), m_tampon.begin(), m_tampon.end());
    m_bd.EnfantsDeLaMere(p, m_tampon);
    m_enfants.insert(m_enfants.end(), m_tampon.begin(), m_tampon.end());
    return m_enfants;
  }
  const TBD& m_bd;
  std::vector<uint32_t> m_vu;
  uint32_t m_marque = 0;
  std::vector<int> m_tampon, m_enfants;
};

void Marque(std::vector<uint8_t>& marques, const std::vector<int>& personnes) {
  for (int p : personnes)
    if (p > 0 && static_cast<size_t>(p) < marques.size()) marques[p] = 1;
}

// The spouses of a group, and when asked the ancestors of those spouses.
void RegleConjoints(Parcours& parcours, std::vector<uint8_t>& marques, const std::vector<int>& groupe,
                    bool conjoints, bool ascendance, int gen) {
  if (!conjoints || groupe.empty()) return;
  const std::vector<int> c = parcours.Conjoints(groupe);
  Marque(marques, c);
  if (ascendance) Marque(marques, parcours.Ancetres(c, gen));
}

}  // namespace

ActivationsSuppression AppliqueActivations(const TBD& bd, int p, int nbreRapport,
                                           CriteresSuppression& c) {
  ActivationsSuppression a;
  a.pere = bd.LitPere(p) > 0;
  a.mere = bd.LitMere(p) > 0;
  a.conjoints = SpouseCount(bd, p) > 0;
  a.fratrie = SiblingsOf(bd, p).Count() > 0;
  a.enfants = HasChildren(bd, p);
  a.rapport = nbreRapport > 0;
  auto regle = [](bool actif, bool& coche) {
    if (!actif) coche = false;
    return actif;
  };
  regle(a.pere, c.pere);
  regle(a.mere, c.mere);
  regle(a.conjoints, c.conjoints);
  regle(a.fratrie, c.fratrie);
  regle(a.enfants, c.enfants);
  regle(a.rapport, c.rapport);
  a.ascFratrie = regle(c.ascendance, c.ascFratrie);
  a.ascFratrieDes = regle(c.ascFratrie, c.ascFratrieDes);
  a.ascConj = regle(c.ascendance, c.ascConj);
  a.ascConjAsc = regle(c.ascConj, c.ascConjAsc);
  a.desConj = regle(c.descendance, c.desConj);
  a.desConjAsc = regle(c.desConj, c.desConjAsc);
  return a;
}

std::vector<uint8_t> SelectionSuppression(const TBD& bd, int p, const CriteresSuppression& c,
                                          const TR& rapport) {
  std::vector<uint8_t> marques(static_cast<size_t>(bd.NbreFiche()) + 1, 0);
  Parcours parcours(bd);
  const bool present = bd.FicheUtilisee(p);
  if (present) {
    if (c.personne) Marque(marques, {p});
    if (c.pere) Marque(marques, {bd.LitPere(p)});
    if (c.mere) Marque(marques, {bd.LitMere(p)});
    if (c.conjoints) Marque(marques, parcours.Conjoints({p}));
    if (c.fratrie) Marque(marques, SiblingsOf(bd, p).Vecteur());
    if (c.enfants) Marque(marques, parcours.Descendants({p}, 1));
    if (c.ascendance) {
      const std::vector<int> a = parcours.Ancetres({p}, c.ascGen);
      Marque(marques, a);
      RegleConjoints(parcours, marques, a, c.ascConj, c.ascConjAsc, c.ascConjAscGen);
      if (c.ascFratrie) {
        const std::vector<int> b = parcours.Fratrie(a);
        RegleConjoints(parcours, marques, b, c.ascConj, c.ascConjAsc, c.ascConjAscGen);
        Marque(marques, b);
        if (c.ascFratrieDes) {
          const std::vector<int> d = parcours.Descendants(b, 9999);
          RegleConjoints(parcours, marques, d, c.ascConj, c.ascConjAsc, c.ascConjAscGen);
          Marque(marques, d);
        }
      }
    }
    if (c.descendance) {
      const std::vector<int> d = parcours.Descendants({p}, c.desGen);
      Marque(marques, d);
      RegleConjoints(parcours, marques, d, c.desConj, c.desConjAsc, c.desConjAscGen);
    }
  }
  if (c.age) {
    for (int i = 1; i <= bd.NbreFiche(); ++i) {
      if (!bd.FicheUtilisee(i)) continue;
      const int age = AgeActuel(bd.LitDateNaissance(i));
      if (age >= 1 && age < c.ageMax) marques[i] = 1;
    }
  }
  if (c.rapport) Marque(marques, rapport.Vecteur());
  return marques;
}

int NbreASupprimer(const TBD& bd, const std::vector<uint8_t>& marques, bool conserver) {
  int n = 0;
  for (int i = 1; i <= bd.NbreFiche(); ++i)
    if (bd.FicheUtilisee(i) && ASupprimer(marques, i, conserver)) ++n;
  return n;
}

TR ListeASupprimer(const TBD& bd, const std::vector<uint8_t>& marques, bool conserver) {
  TR liste(bd.Capacites().fiches);
  for (int i = 1; i <= bd.NbreFiche(); ++i)
    if (bd.FicheUtilisee(i) && ASupprimer(marques, i, conserver)) liste.Add(i);
  return liste;
}

std::string LibelleCompte(int nbre) {
  if (nbre <= 0) return "Liste vide";
  if (nbre == 1) return "Liste d'une fiche supprimée"_ansi;
  return "Liste des " + std::to_string(nbre) + " fiches supprimées"_ansi;
}

int SupprimeSelection(TBD& bd, const std::vector<uint8_t>& marques, bool conserver, int s) {
  TEtapeJournal etape(bd, "suppression de " + std::to_string(NbreASupprimer(bd, marques, conserver)) +
                              " fiche(s)");
  for (int i = 1; i <= bd.NbreFiche(); ++i) {
    if (!bd.FicheUtilisee(i) || !ASupprimer(marques, i, conserver)) continue;
    if (i == s) {
      if (bd.LitPere(i) > 0) s = bd.LitPere(i);
      else if (bd.LitMere(i) > 0) s = bd.LitMere(i);
    }
    bd.EffaceFiche(i);
  }
  if (!bd.FicheUtilisee(s)) {
    const int precedente = bd.FichePrecedente(std::min(std::max(s, 1), bd.NbreFiche() + 1));
    s = precedente != 0 ? precedente : bd.FicheSuivante(std::min(std::max(s, 0), bd.NbreFiche() - 1));
  }
  if (!bd.FicheUtilisee(bd.RefPers)) bd.RefPers = s;
  bd.BaseModifiee = 1;
  NettoieLiens(bd);
  return s;
}

void NettoieLiens(TBD& bd) {
  for (int n = 1; n <= bd.NbreFiche(); ++n) {
    if (const int pere = bd.LitPere(n); pere != 0 && !bd.FicheUtilisee(pere)) bd.EcritPere(n, 0);
    if (const int mere = bd.LitMere(n); mere != 0 && !bd.FicheUtilisee(mere)) bd.EcritMere(n, 0);
  }
  for (int u = 1; u <= bd.NbreUnion(); ++u) {
    if (!bd.Union(u).Utilise) continue;
    if (!bd.FicheUtilisee(bd.LitNumH(u)) || !bd.FicheUtilisee(bd.LitNumF(u))) bd.EffaceUnion(u);
  }
}

int SelectionAvantSuppression(const TBD& bd, int affichee) {
  if (const int pere = bd.LitPere(affichee); pere > 0) return pere;
  if (const int mere = bd.LitMere(affichee); mere > 0) return mere;
  const int sexe = bd.LitSexe(affichee);
  if (sexe == 0 || sexe == 1)
    if (const int conjoint = LastSpouseOf(bd, affichee); conjoint > 0) return conjoint;
  return affichee;
}

int SupprimePersonne(TBD& bd, int cible, int selection) {
  if (!bd.FicheUtilisee(cible)) return selection;
  TEtapeJournal etape(bd, "suppression de " + bd.NomCourt(cible));
  bd.SupprimeFiche(cible);
  if (!bd.FicheUtilisee(selection)) {
    const int precedente = bd.FichePrecedente(std::min(std::max(selection, 1), bd.NbreFiche() + 1));
    selection = precedente != 0
                    ? precedente
                    : bd.FicheSuivante(std::min(std::max(selection, 0), bd.NbreFiche() - 1));
  }
  if (!bd.FicheUtilisee(bd.RefPers)) bd.RefPers = selection;
  bd.BaseModifiee = 1;
  return selection;
}

bool EffaceLienFiche(TBD& bd, ControleFiche controle, int x, int cible) {
  if (!bd.FicheUtilisee(x)) return false;
  TEtapeJournal etape(bd, "effacement d'un lien de " + bd.NomCourt(x));
  bool fait = false;
  switch (controle) {
    case ControleFiche::Pere:
      fait = bd.LitPere(x) != 0;
      bd.EcritPere(x, 0);
      break;
    case ControleFiche::Mere:
      fait = bd.LitMere(x) != 0;
      bd.EcritMere(x, 0);
      break;
    case ControleFiche::Enfant:
      if (!bd.FicheUtilisee(cible)) break;
      if (bd.LitSexe(x) == 0 && bd.LitPere(cible) == x) {
        bd.EcritPere(cible, 0);
        fait = true;
      } else if (bd.LitSexe(x) == 1 && bd.LitMere(cible) == x) {
        bd.EcritMere(cible, 0);
        fait = true;
      }
      break;
    case ControleFiche::Fratrie:
      if (!bd.FicheUtilisee(cible) || cible == x) break;
      if (bd.LitPere(x) > 0 && bd.LitPere(cible) == bd.LitPere(x)) {
        bd.EcritPere(cible, 0);
        fait = true;
      }
      if (bd.LitMere(x) > 0 && bd.LitMere(cible) == bd.LitMere(x)) {
        bd.EcritMere(cible, 0);
        fait = true;
      }
      break;
    case ControleFiche::Union:
      if (cible > 0 && cible <= bd.NbreUnion() && bd.Union(cible).Utilise) {
        bd.EffaceUnion(cible);
        fait = true;
      }
      break;
    case ControleFiche::Nom:
    case ControleFiche::Prenoms: break;
  }
  if (fait) bd.BaseModifiee = 1;
  return fait;
}

}  // namespace kindrela
