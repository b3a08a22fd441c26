#include "analysis/report_predefined.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <utility>

#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/text.h"
#include "dates/dates.h"
#include "i18n/translation.h"

namespace kindrela {

const std::array<std::string_view, kNbrePredefinis> kRapportsPredefinis = {
    "Nombre d'événement par patronyme"_ansi,
    "Liste des individus sans lien de parenté (orphelins)"_ansi,
    "Liste des unions",
    "Liste des mariages consanguins",
    "Liste des événements des individus"_ansi,
    "Liste des événements des unions"_ansi,
    "Liste des individus ayant la même identité (doublons)"_ansi,
    "Liste des lieux",
    "Liste des professions",
    "Liste éclair"_ansi,
    "Signe du zodiaque",
    "Patronymes et lieux où ils apparaissent"_ansi,
    "Lieux et patronymes qui y apparaissent",
};

const std::array<std::string_view, 4> kFormatsLieu = {
    "Identique à la saisie"_ansi, "Commune", "Code-postal Commune", "Commune (Département)"_ansi};

namespace {

constexpr int kPas = 1024;  // progress every so many records

using T = TriColonne;

// The events of a list (a person's or a union's TabEve) that are in use.
template <typename F>
void PourEves(const TBD& bd, std::string_view tab, F&& f) {
  const int n = NbreEntrees(tab);
  for (int k = 1; k <= n; ++k) {
    const int e = LitEntree(tab, k);
    if (bd.EveUtilise(e)) f(bd.Eve(e));
  }
}

bool UnionValideLue(const TBD& bd, int u) {
  const TUnion& x = bd.Union(u);
  return x.Utilise && x.NumH > 0 && x.NumF > 0;
}

class Avance {
 public:
  Avance(const Progression& p, long long total) : m_p(p), m_total(total) {}
  // False once cancelled.
  bool operator()(long long fait) {
    if (m_annule) return false;
    if (m_p && fait % kPas == 0 && !m_p(fait, m_total)) m_annule = true;
    return !m_annule;
  }
  bool Annule() const { return m_annule; }

 private:
  const Progression& m_p;
  long long m_total;
  bool m_annule = false;
};

bool CommencePar(std::string_view lieu, std::string_view prefixe) {
  return lieu.size() >= prefixe.size() && EgalSansCasse(lieu.substr(0, prefixe.size()), prefixe);
}

std::string Ent(long long v) { return std::to_string(v); }

std::vector<TColonneRapport> Colonnes(const TTraduction& t,
                                      std::initializer_list<std::tuple<int, int, T>> cols) {
  std::vector<TColonneRapport> r;
  for (auto [msg, largeur, tri] : cols) r.push_back({t.Msg(msg), largeur, tri});
  return r;
}

std::string Msg(const TTraduction& t, int n, std::vector<std::string> v) {
  return FormateMsg(t.Msg(n), v);
}

// FindCommonAncestor for many couples of one tree: the same breadth-first
// search and the same answers, with its marks kept in arrays indexed by
// person and reused from one couple to the next instead of a map per call.
class AncetresCommuns {
 public:
  explicit AncetresCommuns(const TBD& bd)
      : m_bd(bd), m_marqueA(static_cast<size_t>(bd.NbreFiche()) + 1, 0),
        m_marqueB(m_marqueA.size(), 0), m_indexA(m_marqueA.size(), 0), m_indexB(m_marqueA.size(), 0) {}

  AncetreCommun Cherche(int a, int b, int generations) {
    ++m_tour;
    Lignee la{m_marqueA, m_indexA}, lb{m_marqueB, m_indexB};
    la.Ajoute(a, 0, m_tour);
    lb.Ajoute(b, 0, m_tour);
    AncetreCommun r;
    if (Rencontre(la, lb, 0, r) ) return r;
    for (int passe = 0; passe < generations; ++passe) {
      const size_t debutA = la.personnes.size();
      const bool aGrandi = la.Etend(m_bd, m_tour);
      // No earlier entry of A was in B: only the new ones can be.
      if (aGrandi && Rencontre(la, lb, debutA, r)) return r;
      const size_t debutB = lb.personnes.size();
      const bool bGrandi = lb.Etend(m_bd, m_tour);
      // Every entry of A was checked against the earlier entries of B: the
      // first entry of A now in B is the earliest one among the new entries of B.
      if (bGrandi && RencontreParB(la, lb, debutB, r)) return r;
      if (!aGrandi && !bGrandi) break;
    }
    return AncetreCommun{};
  }

 private:
  struct Lignee {
    std::vector<unsigned>& marque;
    std::vector<int>& index;
    std::vector<int> personnes{};
    std::vector<int> generations{};
    size_t aEtendre = 0;
    bool Contient(int x, unsigned tour) const { return marque[static_cast<size_t>(x)] == tour; }
    void Ajoute(int x, int g, unsigned tour) {
      if (x <= 0 || static_cast<size_t>(x) >= marque.size() || Contient(x, tour)) return;
      marque[static_cast<size_t>(x)] = tour;
      index[static_cast<size_t>(x)] = static_cast<int>(personnes.size());
      personnes.push_back(x);
      generations.push_back(g);
    }
    bool Etend(const TBD& bd, unsigned tour) {
      const size_t avant = personnes.size();
      for (size_t k = aEtendre; k < avant; ++k) {
        const int x = personnes[k];
        const int g = generations[k] + 1;
        Ajoute(bd.LitPere(x), g, tour);
        Ajoute(bd.LitMere(x), g, tour);
      }
      aEtendre = avant;
      return personnes.size() > avant;
    }
  };

  bool Rencontre(const Lignee& a, const Lignee& b, size_t depuis, AncetreCommun& r) const {
    for (size_t k = depuis; k < a.personnes.size(); ++k) {
      const int x = a.personnes[k];
      if (!b.Contient(x, m_tour)) continue;
      Trouve(a, b, static_cast<int>(k), x, r);
      return true;
    }
    return false;
  }
  bool RencontreParB(const Lignee& a, const Lignee& b, size_t depuis, AncetreCommun& r) const {
    int meilleur = -1;
    for (size_t k = depuis; k < b.personnes.size(); ++k) {
      const int x = b.personnes[k];
      if (!a.Contient(x, m_tour)) continue;
      const int i = a.index[static_cast<size_t>(x)];
      if (meilleur < 0 || i < meilleur) meilleur = i;
    }
    if (meilleur < 0) return false;
    Trouve(a, b, meilleur, a.personnes[static_cast<size_t>(meilleur)], r);
    return true;
  }
  static void Trouve(const Lignee& a, const Lignee& b, int k, int x, AncetreCommun& r) {
    r.found = true;
    r.ancestor = x;
    r.distanceFromA = a.generations[static_cast<size_t>(k)];
    r.distanceFromB = b.generations[static_cast<size_t>(b.index[static_cast<size_t>(x)])];
  }

  const TBD& m_bd;
  std::vector<unsigned> m_marqueA, m_marqueB;
  std::vector<int> m_indexA, m_indexB;
  unsigned m_tour = 0;
};

// A pair of texts kept in the database (stable while the report runs).
struct Paire {
  std::string_view a, b;
  bool operator==(const Paire&) const = default;
};
struct HachePaire {
  size_t operator()(const Paire& p) const {
    const size_t h = std::hash<std::string_view>()(p.a);
    return h ^ (std::hash<std::string_view>()(p.b) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2));
  }
};

// The valid unions of every person, by union number.
std::vector<std::vector<int>> UnionsParPersonne(const TBD& bd) {
  std::vector<std::vector<int>> r(static_cast<size_t>(bd.NbreFiche()) + 1);
  for (int u = 1; u <= bd.NbreUnion(); ++u) {
    if (!UnionValideLue(bd, u)) continue;
    const TUnion& x = bd.Union(u);
    if (x.NumH <= bd.NbreFiche()) r[static_cast<size_t>(x.NumH)].push_back(u);
    if (x.NumF <= bd.NbreFiche() && x.NumF != x.NumH) r[static_cast<size_t>(x.NumF)].push_back(u);
  }
  return r;
}

// ----- the reports -----

void ParPatronyme(const TContexteModele& ctx, const TTraduction& t, const TOptionsPredefini& o,
                  TGrilleRapport& g, TResultatPredefini& r, Avance& av) {
  const TBD& bd = ctx.bd;
  const std::string_view natures[4] = {bd.NatNaissance, bd.NatBapteme, bd.NatDeces, bd.NatSepulture};
  std::map<std::string, std::array<int, 4>> comptes;
  for (int p = 1; p <= bd.NbreFiche(); ++p) {
    if (!av(p)) return;
    if (!bd.FicheUtilisee(p)) continue;
    const TFiche& f = bd.Fiche(p);
    PourEves(bd, f.TabEve, [&](const TEve& e) {
      if (e.Lieu.empty() || (!o.tousLesLieux && !CommencePar(e.Lieu, o.prefixe))) return;
      for (int k = 0; k < 4; ++k)
        if (e.Nature == natures[k]) ++comptes[f.Nom.str()][static_cast<size_t>(k)];
    });
  }
  g.DefinitColonnes(Colonnes(t, {{575, 100, T::Texte}, {576, 55, T::Nombre}, {577, 55, T::Nombre},
                                 {578, 55, T::Nombre}, {579, 55, T::Nombre}, {580, 55, T::Nombre}}));
  for (const auto& [nom, c] : comptes)
    g.AjouteLigne({nom, Ent(c[0] + c[1] + c[2] + c[3]), Ent(c[0]), Ent(c[1]), Ent(c[2]), Ent(c[3])});
  r.legende = o.tousLesLieux ? Msg(t, 581, {Ent(g.NbreLignes())})
                             : Msg(t, 582, {o.prefixe, Ent(g.NbreLignes())});
}

void Orphelins(const TContexteModele& ctx, const TTraduction& t, TGrilleRapport& g,
               TResultatPredefini& r, Avance& av) {
  const TBD& bd = ctx.bd;
  // Partners of valid unions, found in one pass over the unions.
  std::vector<char> uni(static_cast<size_t>(bd.NbreFiche()) + 1, 0);
  for (int u = 1; u <= bd.NbreUnion(); ++u) {
    if (!UnionValideLue(bd, u)) continue;
    const TUnion& x = bd.Union(u);
    if (x.NumH <= bd.NbreFiche()) uni[static_cast<size_t>(x.NumH)] = 1;
    if (x.NumF <= bd.NbreFiche()) uni[static_cast<size_t>(x.NumF)] = 1;
  }
  TR l(std::max(bd.NbreFiche(), 1));
  for (int p = 1; p <= bd.NbreFiche(); ++p) {
    if (!av(p)) return;
    if (!bd.FicheUtilisee(p) || uni[static_cast<size_t>(p)]) continue;
    if (bd.LitPere(p) > 0 || bd.LitMere(p) > 0 || HasChildren(bd, p)) continue;
    l.Add(p);
  }
  SortByColumnText(bd, l, 2);
  g.DefinitColonnes(Colonnes(t, {{589, 150, T::Texte}, {590, 150, T::Texte}}));
  g.ReserveLignes(l.Count());
  for (int p : l) g.AjouteLigne({bd.LitNom(p), bd.LitPrenoms(p)}, p);
  r.legende = Msg(t, 591, {Ent(l.Count())});
  r.avecListe = true;
  r.liste = std::move(l);
}

void Unions(const TContexteModele& ctx, const TTraduction& t, const TOptionsPredefini& o,
            TGrilleRapport& g, TResultatPredefini& r, Avance& av) {
  const TBD& bd = ctx.bd;
  g.DefinitColonnes(Colonnes(t, {{610, 150, T::Texte}, {611, 50, T::Nombre}, {612, 150, T::Texte},
                                 {611, 50, T::Nombre}, {594, 80, T::Date}, {613, 100, T::Texte}}));
  for (int u = 1; u <= bd.NbreUnion(); ++u) {
    if (!av(u)) return;
    if (!UnionValideLue(bd, u)) continue;
    const TUnion& x = bd.Union(u);
    const std::string date = bd.LitChampUnion(u, 3);
    auto age = [&](int p) {
      const int a = AgeEntre(bd.LitDateNaissance(p), date);
      return a > 0 ? Ent(a) : std::string();
    };
    g.AjouteLigne({bd.NomCourt(x.NumH), age(x.NumH), bd.NomCourt(x.NumF), age(x.NumF),
                   DateAffichee(date, ctx.formatDate), FormateLieu(bd.LitChampUnion(u, 5), o.formatLieu)},
                  x.NumH);
  }
  r.legende = Msg(t, 614, {Ent(g.NbreLignes())});
}

void Consanguins(const TContexteModele& ctx, const TTraduction& t, const TOptionsPredefini& o,
                 TGrilleRapport& g, TResultatPredefini& r, Avance& av) {
  const TBD& bd = ctx.bd;
  const int gens = std::clamp(o.generations, 1, 999);
  g.DefinitColonnes(Colonnes(t, {{592, 200, T::Texte}, {593, 200, T::Texte}, {594, 80, T::Date},
                                 {595, 50, T::Texte}, {596, 50, T::Nombre}, {597, 50, T::Nombre}}));
  AncetresCommuns recherche(bd);
  for (int u = 1; u <= bd.NbreUnion(); ++u) {
    if (!av(u)) return;
    if (!UnionValideLue(bd, u)) continue;
    const TUnion& x = bd.Union(u);
    // Two partners without any parent share no ancestor (unless they are
    // one person).
    if (x.NumH != x.NumF && bd.LitPere(x.NumH) <= 0 && bd.LitMere(x.NumH) <= 0 &&
        bd.LitPere(x.NumF) <= 0 && bd.LitMere(x.NumF) <= 0)
      continue;
    const AncetreCommun a = recherche.Cherche(x.NumH, x.NumF, gens);
    if (!a.found) continue;
    g.AjouteLigne({bd.NomCourt(x.NumH), bd.NomCourt(x.NumF),
                   DateAffichee(bd.LitChampUnion(u, 3), ctx.formatDate), bd.NomCourt(a.ancestor),
                   Ent(a.distanceFromA), Ent(a.distanceFromB)},
                  x.NumH);
  }
  r.legende = Msg(t, 598, {Ent(gens), Ent(g.NbreLignes())});
}

void EvesPersonnes(const TContexteModele& ctx, const TTraduction& t, const TOptionsPredefini& o,
                   TGrilleRapport& g, TResultatPredefini& r, Avance& av) {
  const TBD& bd = ctx.bd;
  g.DefinitColonnes(Colonnes(t, {{572, 80, T::Date}, {583, 150, T::Texte}, {615, 80, T::Texte},
                                 {576, 150, T::Texte}, {616, 100, T::Texte}}));
  for (int p = 1; p <= bd.NbreFiche(); ++p) {
    if (!av(p)) return;
    if (!bd.FicheUtilisee(p)) continue;
    const std::string nom = bd.NomCourt(p);
    PourEves(bd, bd.Fiche(p).TabEve, [&](const TEve& e) {
      g.AjouteLigne({DateAffichee(e.DateEve, ctx.formatDate), FormateLieu(e.Lieu, o.formatLieu),
                     e.Nature.str(), nom, JoinLines(e.NoteEve)},
                    p);
    });
  }
  g.Trie(0, true, ctx.formatDate);
  r.legende = Msg(t, 617, {Ent(g.NbreLignes())});
}

void EvesUnions(const TContexteModele& ctx, const TTraduction& t, const TOptionsPredefini& o,
                TGrilleRapport& g, TResultatPredefini& r, Avance& av) {
  const TBD& bd = ctx.bd;
  g.DefinitColonnes(Colonnes(t, {{572, 80, T::Date}, {583, 120, T::Texte}, {615, 80, T::Texte},
                                 {592, 100, T::Texte}, {593, 100, T::Texte}, {616, 80, T::Texte}}));
  for (int u = 1; u <= bd.NbreUnion(); ++u) {
    if (!av(u)) return;
    if (!UnionValideLue(bd, u)) continue;
    const TUnion& x = bd.Union(u);
    const std::string mari = bd.NomCourt(x.NumH), femme = bd.NomCourt(x.NumF);
    PourEves(bd, x.TabEve, [&](const TEve& e) {
      g.AjouteLigne({DateAffichee(e.DateEve, ctx.formatDate), FormateLieu(e.Lieu, o.formatLieu),
                     e.Nature.str(), mari, femme, JoinLines(e.NoteEve)},
                    x.NumH);
    });
  }
  g.Trie(0, true, ctx.formatDate);
  r.legende = Msg(t, 618, {Ent(g.NbreLignes())});
}

void Doublons(const TContexteModele& ctx, const TTraduction& t, TGrilleRapport& g,
              TResultatPredefini& r, Avance& av) {
  const TBD& bd = ctx.bd;
  TR l = AllPersons(bd);
  if (!SortByColumnText(bd, l, 25, [&](long long f, long long) { return av(f - f % kPas); })) return;
  g.DefinitColonnes(Colonnes(t, {{619, 150, T::Texte}, {620, 100, T::Date}, {621, 150, T::Texte},
                                 {622, 150, T::Texte}}));
  std::vector<std::string> noms;
  noms.reserve(static_cast<size_t>(l.Count()));
  for (int p : l) noms.push_back(MinusculesAnsi(bd.NomCourt(p)));
  const int n = l.Count();
  for (int i = 0; i < n;) {
    int j = i + 1;
    while (j < n && noms[static_cast<size_t>(j)] == noms[static_cast<size_t>(i)]) ++j;
    if (j - i > 1) {
      for (int k = i; k < j; ++k) {
        const int p = l.Get(k + 1);
        g.AjouteLigne({bd.NomCourt(p), DateAffichee(bd.LitDateNaissance(p), ctx.formatDate),
                       bd.NomCourt(bd.LitPere(p)), bd.NomCourt(bd.LitMere(p))},
                      p);
      }
    }
    i = j;
  }
  r.legende = Msg(t, 623, {Ent(g.NbreLignes())});
}

void Lieux(const TContexteModele& ctx, const TTraduction& t, const TOptionsPredefini& o,
           TGrilleRapport& g, TResultatPredefini& r, Avance& av) {
  const TBD& bd = ctx.bd;
  std::map<std::string, int> comptes;
  for (int e = 1; e <= bd.NbreEve(); ++e) {
    if (!av(e)) return;
    if (!bd.EveUtilise(e)) continue;
    const Texte& lieu = bd.Eve(e).Lieu;
    if (!lieu.empty()) ++comptes[lieu.str()];
  }
  g.DefinitColonnes(Colonnes(t, {{583, 200, T::Texte}, {624, 50, T::Nombre}}));
  for (const auto& [lieu, n] : comptes) g.AjouteLigne({FormateLieu(lieu, o.formatLieu), Ent(n)});
  r.legende = Msg(t, 625, {Ent(g.NbreLignes())});
}

void Professions(const TContexteModele& ctx, const TTraduction& t, TGrilleRapport& g,
                 TResultatPredefini& r, Avance& av) {
  const TBD& bd = ctx.bd;
  const std::string cle = t.Msg(626);
  std::map<std::string, int> comptes;
  for (int p = 1; p <= bd.NbreFiche(); ++p) {
    if (!av(p)) return;
    if (!bd.FicheUtilisee(p)) continue;
    const std::string v = bd.LitChampPerso(p, cle);
    if (!v.empty()) ++comptes[v];
  }
  g.DefinitColonnes(Colonnes(t, {{626, 200, T::Texte}, {627, 50, T::Nombre}}));
  for (const auto& [v, n] : comptes) g.AjouteLigne({v, Ent(n)});
  r.legende = Msg(t, 628, {Ent(g.NbreLignes())});
}

void Eclair(const TContexteModele& ctx, const TTraduction& t, const TOptionsPredefini& o,
            TGrilleRapport& g, TResultatPredefini& r, Avance& av) {
  const TBD& bd = ctx.bd;
  std::unordered_map<Paire, std::pair<int, int>, HachePaire> table;
  auto note = [&](const Texte& nom, const TEve& e) {
    if (e.Lieu.empty() || (!o.tousLesLieux && !CommencePar(e.Lieu, o.prefixe))) return;
    const int a = DateAnnee(e.DateEve);
    if (a == 0) return;
    auto [it, nouveau] = table.try_emplace(Paire{nom, e.Lieu}, a, a);
    if (!nouveau) {
      it->second.first = std::min(it->second.first, a);
      it->second.second = std::max(it->second.second, a);
    }
  };
  for (int p = 1; p <= bd.NbreFiche(); ++p) {
    if (!av(p)) return;
    if (!bd.FicheUtilisee(p)) continue;
    const TFiche& f = bd.Fiche(p);
    PourEves(bd, f.TabEve, [&](const TEve& e) { note(f.Nom, e); });
  }
  for (int u = 1; u <= bd.NbreUnion(); ++u) {
    if (!av(bd.NbreFiche() + u)) return;
    if (!UnionValideLue(bd, u)) continue;
    const TUnion& x = bd.Union(u);
    PourEves(bd, x.TabEve, [&](const TEve& e) {
      note(bd.Fiche(x.NumH).Nom, e);
      note(bd.Fiche(x.NumF).Nom, e);
    });
  }
  g.DefinitColonnes(Colonnes(t, {{575, 100, T::Texte}, {583, 180, T::Texte}, {584, 50, T::Date},
                                 {585, 50, T::Date}}));
  std::vector<std::pair<Paire, std::pair<int, int>>> lignes(table.begin(), table.end());
  std::sort(lignes.begin(), lignes.end(), [](const auto& x, const auto& y) {
    return x.first.a != y.first.a ? x.first.a < y.first.a : x.first.b < y.first.b;
  });
  g.ReserveLignes(static_cast<int>(lignes.size()));
  for (const auto& [cle, ans] : lignes)
    g.AjouteLigne({std::string(cle.a), std::string(cle.b), Ent(ans.first), Ent(ans.second)});
  r.legende = o.tousLesLieux ? Msg(t, 586, {Ent(g.NbreLignes())})
                             : Msg(t, 587, {o.prefixe, Ent(g.NbreLignes())});
}

void Zodiaque(const TContexteModele& ctx, const TTraduction& t, const TOptionsPredefini& o,
              TGrilleRapport& g, TResultatPredefini& r, Avance& av) {
  const TBD& bd = ctx.bd;
  const std::string modele = t.Msg(2092);
  g.DefinitColonnes(Colonnes(t, {{629, 150, T::Texte}, {620, 100, T::Date}, {630, 150, T::Texte},
                                 {631, 150, T::Texte}}));
  for (int p = 1; p <= bd.NbreFiche(); ++p) {
    if (!av(p)) return;
    if (!bd.FicheUtilisee(p)) continue;
    // Only a dated birth has a sign.
    if (bd.LitDateNaissance(p).empty()) continue;
    if (!EgalSansCasse(ExpandTemplate(ctx, p, modele), o.signe)) continue;
    g.AjouteLigne({bd.NomCourt(p), DateAffichee(bd.LitDateNaissance(p), ctx.formatDate),
                   bd.LitLieuNaissance(p), JoinLines(bd.LitChamp(p, 18))},
                  p);
  }
  r.legende = Msg(t, 632, {o.signe, Ent(g.NbreLignes())});
}

void Croisee(const TContexteModele& ctx, const TTraduction& t, bool parLieu, TGrilleRapport& g,
             TResultatPredefini& r, const Progression& p) {
  bool annule = false;
  std::vector<TLigneCroisee> table = TableCroisee(ctx.bd, parLieu, p, &annule);
  if (annule) {
    r.annule = true;
    return;
  }
  const std::tuple<int, int, T> nom{575, 150, T::Texte}, lieu{583, 150, T::Texte};
  g.DefinitColonnes(Colonnes(t, {parLieu ? lieu : nom, parLieu ? nom : lieu, {584, 50, T::Date},
                                 {585, 50, T::Date}, {572, 30, T::Nombre}, {633, 30, T::Nombre}}));
  g.ReserveLignes(static_cast<int>(table.size()));
  for (const TLigneCroisee& l : table) {
    const std::string premiere = l.premiere == 99999 ? std::string() : Ent(l.premiere);
    const std::string derniere = l.derniere == 0 ? std::string() : Ent(l.derniere);
    g.AjouteLigne({parLieu ? l.lieu : l.nom, parLieu ? l.nom : l.lieu, premiere, derniere,
                   Ent(l.datees), Ent(l.nonDatees)});
  }
  r.legende = Msg(t, parLieu ? 635 : 634, {Ent(g.NbreLignes())});
}

}  // namespace

std::string FormateLieu(std::string_view lieu, int format) {
  if (format == kLieuSaisie) return std::string(lieu);
  const std::vector<std::string> parts = Decoupe(lieu, ',');
  const std::string commune = parts.size() > 3 ? parts[3] : std::string();
  const std::string tiers = parts.size() > 2 ? parts[2] : std::string();
  switch (format) {
    case kLieuCommune: return commune;
    case kLieuCodePostalCommune: {
      auto chiffres = [](std::string_view s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
      };
      // A department alone ("F29") with a commune coded "900 Concarneau"
      // still gives the postal code 29900.
      if (tiers.size() == 3 && commune.size() > 4 && commune[3] == ' ' &&
          chiffres(std::string_view(tiers).substr(1)) && chiffres(std::string_view(commune).substr(0, 3)))
        return tiers.substr(1, 2) + commune;
      std::string r = tiers.size() == 6 ? tiers.substr(1, 5) : std::string();
      if (!commune.empty()) r += (r.empty() ? "" : " ") + commune;
      return r;
    }
    case kLieuCommuneDepartement:
      return tiers.size() > 2 ? commune + " (" + tiers.substr(1, 2) + ")" : commune;
    default: return std::string(lieu);
  }
}

bool PredefiniAvecGenerations(int numero) { return numero == 3; }
bool PredefiniAvecFormatLieu(int numero) {
  return numero == 2 || numero == 4 || numero == 5 || numero == 7;
}
bool PredefiniAvecPrefixe(int numero) { return numero == 0 || numero == 9; }
bool PredefiniAvecSigne(int numero) { return numero == 10; }

std::vector<TLigneCroisee> TableCroisee(const TBD& bd, bool parLieu, const Progression& progression,
                                        bool* annule) {
  struct Lieu {
    const Texte* texte;
    int min = 0, max = 0;  // 0: no known year
  };
  std::vector<TLigneCroisee> lignes;
  std::unordered_map<Paire, size_t, HachePaire> index;
  const std::vector<std::vector<int>> unions = UnionsParPersonne(bd);
  std::vector<Lieu> lieux;
  Avance av(progression, bd.NbreFiche());
  auto ajoute = [&](const TEve& e) {
    if (e.Lieu.empty()) return;
    const int a = DateAnnee(e.DateEve);
    for (Lieu& l : lieux) {
      if (*l.texte != e.Lieu) continue;
      if (a != 0) {
        l.min = l.min == 0 ? a : std::min(l.min, a);
        l.max = l.max == 0 ? a : std::max(l.max, a);
      }
      return;
    }
    if (lieux.size() >= 30) return;
    lieux.push_back({&e.Lieu, a, a});
  };
  for (int p = 1; p <= bd.NbreFiche(); ++p) {
    if (!av(p)) {
      if (annule) *annule = true;
      return {};
    }
    if (!bd.FicheUtilisee(p)) continue;
    lieux.clear();
    const TFiche& f = bd.Fiche(p);
    PourEves(bd, f.TabEve, ajoute);
    for (int u : unions[static_cast<size_t>(p)]) PourEves(bd, bd.Union(u).TabEve, ajoute);
    for (const Lieu& l : lieux) {
      auto [it, nouveau] = index.try_emplace(Paire{f.Nom, *l.texte}, lignes.size());
      if (nouveau) lignes.push_back({f.Nom.str(), l.texte->str()});
      TLigneCroisee& ligne = lignes[it->second];
      if (l.min == 0) {
        ++ligne.nonDatees;
      } else {
        ++ligne.datees;
        ligne.premiere = std::min(ligne.premiere, l.min);
        ligne.derniere = std::max(ligne.derniere, l.max);
      }
    }
  }
  index.clear();
  // Case-insensitive order, exact text to break ties.
  struct Cle {
    std::string a, b;
    size_t i;
  };
  std::vector<Cle> cles;
  cles.reserve(lignes.size());
  for (size_t i = 0; i < lignes.size(); ++i) {
    const TLigneCroisee& l = lignes[i];
    cles.push_back({MinusculesAnsi(parLieu ? l.lieu : l.nom), MinusculesAnsi(parLieu ? l.nom : l.lieu), i});
  }
  std::sort(cles.begin(), cles.end(), [&](const Cle& x, const Cle& y) {
    if (x.a != y.a) return x.a < y.a;
    if (x.b != y.b) return x.b < y.b;
    return x.i < y.i;
  });
  std::vector<TLigneCroisee> tries;
  tries.reserve(lignes.size());
  for (const Cle& c : cles) tries.push_back(std::move(lignes[c.i]));
  return tries;
}

TResultatPredefini RapportPredefini(const TContexteModele& ctx, const TTraduction& t, int numero,
                                    const TOptionsPredefini& o, TGrilleRapport& g,
                                    const Progression& progression) {
  TResultatPredefini r;
  g.Vide();
  const TBD& bd = ctx.bd;
  const long long total = numero == 7 ? bd.NbreEve()
                          : (numero == 2 || numero == 3 || numero == 5) ? bd.NbreUnion()
                          : numero == 9 ? bd.NbreFiche() + bd.NbreUnion()
                                        : bd.NbreFiche();
  Avance av(progression, total);
  switch (numero) {
    case 0: ParPatronyme(ctx, t, o, g, r, av); break;
    case 1: Orphelins(ctx, t, g, r, av); break;
    case 2: Unions(ctx, t, o, g, r, av); break;
    case 3: Consanguins(ctx, t, o, g, r, av); break;
    case 4: EvesPersonnes(ctx, t, o, g, r, av); break;
    case 5: EvesUnions(ctx, t, o, g, r, av); break;
    case 6: Doublons(ctx, t, g, r, av); break;
    case 7: Lieux(ctx, t, o, g, r, av); break;
    case 8: Professions(ctx, t, g, r, av); break;
    case 9: Eclair(ctx, t, o, g, r, av); break;
    case 10: Zodiaque(ctx, t, o, g, r, av); break;
    case 11: Croisee(ctx, t, false, g, r, progression); break;
    case 12: Croisee(ctx, t, true, g, r, progression); break;
    default: break;
  }
  if (av.Annule() || r.annule) {
    g.Vide();
    r = TResultatPredefini{};
    r.annule = true;
  }
  return r;
}

}  // namespace kindrela
