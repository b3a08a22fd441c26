#include "analysis/statistics.h"

#include <algorithm>

#include "analysis/report_grid.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/text.h"
#include "dates/dates.h"
#include "i18n/translation.h"

namespace kindrela {

const std::array<std::string_view, kNbreEntreesStat> kStatistiques = {
    "Répartion homme / femme"_ansi,
    "Nombre d'événement connus"_ansi,
    "-",
    "Nombre de parents par personnes",
    "Nombre d'enfants par personnes",
    "Nombre d'union par personnes",
    "-",
    "Age au décès"_ansi,
    "Age au mariage",
    "Age à la naissance du premier enfant"_ansi,
    "-",
    "Répartition des naissances par jour"_ansi,
    "Répartition des naissances par mois"_ansi,
    "Répartition des naissances par année"_ansi,
    "Répartition des baptêmes par jour"_ansi,
    "Répartition des baptêmes par mois"_ansi,
    "Répartition des baptêmes par année"_ansi,
    "Répartition des décès par jour"_ansi,
    "Répartition des décès par mois"_ansi,
    "Répartition des décès par année"_ansi,
    "Répartition des sépultures par jour"_ansi,
    "Répartition des sépultures par mois"_ansi,
    "Répartition des sépultures par année"_ansi,
    "Répartition des mariages par jour"_ansi,
    "Répartition des mariages par mois"_ansi,
    "Répartition des mariages par année"_ansi,
    "Répartition des divorces par jour"_ansi,
    "Répartition des divorces par mois"_ansi,
    "Répartition des divorces par année"_ansi,
};

bool EstSeparateurStat(int entree) { return entree == 2 || entree == 6 || entree == 10; }

int EntreeStatValide(int entree) {
  if (entree < 0 || entree >= kNbreEntreesStat || EstSeparateurStat(entree)) return 0;
  return entree;
}

FenetreStat FenetreDe(int entree) {
  entree = EntreeStatValide(entree);
  if (entree >= 7 && entree <= 9) return FenetreStat::Ages;
  if (entree >= 11 && (entree - 11) % 3 == 2) return FenetreStat::Annees;
  return FenetreStat::Aucune;
}

TFenetre CorrigeFenetre(std::string_view min, std::string_view max, std::string_view pas) {
  TFenetre f{TexteVersEntier(Trim(min), 0), TexteVersEntier(Trim(max), 0), TexteVersEntier(Trim(pas), 0)};
  if (f.max <= f.min) f.max = f.min + 1;
  if (f.pas <= 0) f.pas = 1;
  return f;
}

TR PopulationNesEntre(const TBD& bd, int debut, int fin) {
  const std::string bas = "1/1/" + std::to_string(debut);
  const std::string haut = "31/12/" + std::to_string(fin);
  TR r(std::max(bd.NbreFiche(), 1));
  for (int p = 1; p <= bd.NbreFiche(); ++p) {
    if (!bd.FicheUtilisee(p)) continue;
    const std::string n = bd.LitDateNaissance(p);
    if (DateCompare(n, bas) == 1 && DateCompare(n, haut) == 2) r.Add(p);
  }
  return r;
}

std::string LegendeColonneStat(int entree, std::string_view label, long long valeur) {
  return std::string(kStatistiques[static_cast<size_t>(EntreeStatValide(entree))]) + " : " +
         std::string(label) + "=" + std::to_string(valeur);
}

namespace {

std::string Ent(long long v) { return std::to_string(v); }

// The bins of one computation and the persons of the selected column.
class Cases {
 public:
  Cases(int colonne, int capacite) : m_colonne(colonne), m_cases(kNbreCases, 0), m_collectes(capacite) {}
  void Ajoute(int c, int personne) {
    if (c < 0 || c >= kNbreCases) return;
    ++m_cases[static_cast<size_t>(c)];
    m_haut = std::max(m_haut, c);
    if (c == m_colonne) m_collectes.Add(personne);
  }
  long long operator[](int c) const { return c >= 0 && c < kNbreCases ? m_cases[static_cast<size_t>(c)] : 0; }
  int Haut() const { return m_haut; }
  TR& Collectes() { return m_collectes; }

 private:
  int m_colonne;
  std::vector<long long> m_cases;
  int m_haut = 0;
  TR m_collectes;
};

class Calcul {
 public:
  Calcul(const TBD& bd, const TTraduction& t, const TR& pop, int colonne, const Progression& prog)
      : bd(bd), t(t), pop(pop), n(pop.Count()),
        cases(colonne, std::max(pop.Count() * 4, 1000000)), m_prog(prog) {}

  // Runs f on every person of the population with progress; false (and
  // `annule` set) when cancelled.
  template <typename F>
  bool PourChaque(F&& f) {
    long long k = 0;
    for (int p : pop) {
      ++k;
      if (m_prog && k % 1024 == 0 && !m_prog(k, n)) {
        annule = true;
        return false;
      }
      if (bd.FicheUtilisee(p)) f(p);
    }
    return true;
  }
  std::string Pct(long long v) const { return Format2Decimales(n > 0 ? v * 100.0 / n : 0.0); }
  std::string M(int msg, std::vector<std::string> v) const { return FormateMsg(t.Msg(msg), v); }
  void Colonne(std::string label, long long valeur) {
    s.valX.push_back(std::move(label));
    s.valY.push_back(valeur);
  }

  const TBD& bd;
  const TTraduction& t;
  const TR& pop;
  long long n;
  Cases cases;
  TStatistique s;
  bool annule = false;

 private:
  const Progression& m_prog;
};

// The count of a k-per-person statistic (children, spouses).
void ParNombre(Calcul& c, bool enfants) {
  c.PourChaque([&](int p) {
    const int k = enfants ? ChildrenOf(c.bd, p).Count() : SpouseCount(c.bd, p);
    c.cases.Ajoute(std::min(k, kNbreCases - 1), p);
  });
  long long sans = c.cases[0];
  for (int k = 0; k <= c.cases.Haut(); ++k) c.Colonne(Ent(k) + " (" + Ent(c.cases[k]) + ")", c.cases[k]);
  if (c.n >= 1) {
    const long long avec = c.n - sans;
    const int m = enfants ? 830 : 840;
    c.s.commentaire.push_back(c.M(m, {Ent(avec), Ent(c.n), c.Pct(avec)}));
    c.s.commentaire.push_back(c.M(m + 1, {Ent(sans), c.Pct(sans)}));
    c.s.commentaire.push_back(c.M(m + 2, {Format2Decimales(static_cast<double>(avec) / c.n)}));
  }
}

void Ages(Calcul& c, int entree, const TFenetre& f) {
  long long somme = 0;
  // Only ages shown in a column count towards the mean.
  const int l = (f.max - f.min - 1) / f.pas;
  const int colonnes = std::min(l + 1, kNbreCases);
  auto note = [&](int p, int age) {
    if (age < f.min || age > f.max) return;
    const int bin = (age - f.min) / f.pas;
    if (bin < 0 || bin >= kNbreCases) return;
    c.cases.Ajoute(bin, p);
    if (bin < colonnes) somme += age;
  };
  const TBD& bd = c.bd;
  c.PourChaque([&](int p) {
    const std::string naissance = bd.LitDateNaissance(p);
    if (DateAnnee(naissance) == 0) return;
    if (entree == 7) {
      const std::string deces = bd.LitDateDeces(p);
      if (DateAnnee(deces) != 0) note(p, AgeEntre(naissance, deces));
    } else if (entree == 8) {
      for (int u : UnionsOf(bd, p)) {
        const std::string mariage = bd.LitChampUnion(u, 3);
        if (DateAnnee(mariage) != 0) note(p, AgeEntre(naissance, mariage));
      }
    } else {
      const int enfant = ChildrenOf(bd, p).Get(1);
      const std::string ne = bd.LitDateNaissance(enfant);
      if (enfant > 0 && DateAnnee(ne) != 0) note(p, AgeEntre(naissance, ne));
    }
  });
  long long total = 0;
  for (int k = 0; k < colonnes; ++k) {
    c.Colonne(l < 16 ? Ent(f.min + static_cast<long long>(k) * f.pas) + "+" : std::string(), c.cases[k]);
    total += c.cases[k];
  }
  const int m = entree == 7 ? 850 : entree == 8 ? 852 : 854;
  if (c.n > 0)
    c.s.commentaire.push_back(c.M(m, {Ent(f.min), Ent(f.max), Ent(total), Ent(c.n), c.Pct(total)}));
  if (total >= 1)
    c.s.commentaire.push_back(c.M(m + 1, {Format2Decimales(static_cast<double>(somme) / total)}));
}

void Evenements(Calcul& c, int entree, const TFenetre& f) {
  const int evenement = (entree - 11) / 3;  // 0 birth .. 5 divorce
  const int vue = (entree - 11) % 3;        // 0 weekday, 1 month, 2 year
  const std::string nom = c.t.Msg(820 + evenement);
  const TBD& bd = c.bd;
  const int champ[4] = {6, 9, 12, 15};
  auto note = [&](int p, const std::string& date) {
    if (vue == 0) {
      const ElementsDate e = DateElements(date);
      const int j = JourSemaine(e.jour, e.mois, e.annee);
      if (e.jour != 0 && e.mois != 0 && e.annee != 0 && j < 7) c.cases.Ajoute(j, p);
    } else if (vue == 1) {
      const int m = DateMois(date);
      if (m >= 1 && m <= 12) c.cases.Ajoute(m - 1, p);
    } else {
      const int a = DateAnnee(date);
      if (a == 0 || a < f.min || a > f.max) return;
      const int bin = (a - f.min) / f.pas;
      if (bin >= 0 && bin < kNbreCasesAnnees) c.cases.Ajoute(bin, p);
    }
  };
  c.PourChaque([&](int p) {
    if (evenement < 4) {
      note(p, bd.LitChamp(p, champ[evenement]));
    } else {
      for (int u : UnionsOf(bd, p)) note(p, bd.LitChampUnion(u, evenement == 4 ? 3 : 4));
    }
  });
  long long total = 0, mini = 0, maxi = 0;
  auto bornes = [&](int nb) {
    for (int k = 0; k < nb; ++k) {
      total += c.cases[k];
      mini = k == 0 ? c.cases[k] : std::min(mini, c.cases[k]);
      maxi = std::max(maxi, c.cases[k]);
    }
  };
  if (vue == 0) {
    for (int k = 0; k < 7; ++k)
      c.Colonne(std::string(NomsJours[static_cast<size_t>(k)]) + "(" + Ent(c.cases[k]) + ")", c.cases[k]);
    bornes(7);
    if (c.n > 0) {
      c.s.commentaire.push_back(c.M(826, {nom, Ent(total), Ent(c.n), c.Pct(total)}));
      c.s.commentaire.push_back(c.M(827, {Ent(mini), Ent(maxi)}));
    }
  } else if (vue == 1) {
    for (int k = 0; k < 12; ++k)
      c.Colonne(std::string(NomsMois[static_cast<size_t>(k + 1)].substr(0, 3)) + "(" + Ent(c.cases[k]) + ")",
                c.cases[k]);
    bornes(12);
    if (c.n > 0) {
      c.s.commentaire.push_back("Le mois de " + nom + " est connu pour " + Ent(total) + " personnes sur " +
                                Ent(c.n) + " soit " + c.Pct(total) + "%.");
      const std::string suite = Ent(mini) + " et " + Ent(maxi) + ", la moyenne étant à "_ansi +
                                Format2Decimales(total / 12.0) + ".";
      if (evenement == 2)
        c.s.commentaire.push_back("La répartition des décès dans un mois varie entre "_ansi + suite);
      else
        c.s.commentaire.push_back("La répartition des "_ansi + nom + "s dans un mois varie entre " + suite);
    }
  } else {
    const int l = (f.max - f.min - 1) / f.pas;
    const int colonnes = std::min(l + 1, kNbreCasesAnnees);
    for (int k = 0; k < colonnes; ++k) {
      c.Colonne(Ent(f.min + static_cast<long long>(k) * f.pas) + "+", c.cases[k]);
      total += c.cases[k];
    }
    c.s.commentaire.push_back("L'année de "_ansi + MinusculesAnsi(nom) + " est connue pour " + Ent(total) +
                              " personnes sur " + Ent(c.n) + " entre "_ansi + Ent(f.min) + " et " +
                              Ent(f.max));
  }
}

}  // namespace

TStatistique CalculeStatistique(const TBD& bd, const TTraduction& t, int entree, const TR& population,
                                const TFenetre& ages, const TFenetre& annees, int colonne,
                                const Progression& progression) {
  entree = EntreeStatValide(entree);
  Calcul c(bd, t, population, colonne, progression);
  switch (entree) {
    case 0: {
      c.PourChaque([&](int p) { c.cases.Ajoute(bd.LitSexe(p) == 0 ? 0 : 1, p); });
      c.Colonne(c.M(800, {Ent(c.cases[0])}), c.cases[0]);
      c.Colonne(c.M(801, {Ent(c.cases[1])}), c.cases[1]);
      const long long total = c.cases[0] + c.cases[1];
      c.s.commentaire.push_back(c.M(802, {Ent(total)}));
      if (total >= 1) {
        c.s.commentaire.push_back(c.M(803, {Ent(c.cases[0]), Format2Decimales(c.cases[0] * 100.0 / total)}));
        c.s.commentaire.push_back(c.M(804, {Ent(c.cases[1]), Format2Decimales(c.cases[1] * 100.0 / total)}));
      }
      break;
    }
    case 1: {
      const int champs[4][2] = {{6, 7}, {9, 10}, {12, 13}, {15, 16}};
      c.PourChaque([&](int p) {
        for (int k = 0; k < 4; ++k)
          if (!bd.LitChamp(p, champs[k][0]).empty() || !bd.LitChamp(p, champs[k][1]).empty())
            c.cases.Ajoute(k, p);
      });
      long long somme = 0;
      for (int k = 0; k < 4; ++k) {
        c.Colonne(c.M(805 + k, {Ent(c.cases[k])}), c.cases[k]);
        somme += c.cases[k];
      }
      c.s.commentaire.push_back(c.M(809, {Ent(somme), Ent(c.n)}));
      // Four events per person: all known is 100 %.
      if (c.n >= 1) c.s.commentaire.push_back(c.M(810, {Format2Decimales(somme * 100.0 / (4.0 * c.n))}));
      break;
    }
    case 3: {
      c.PourChaque([&](int p) {
        const bool pere = bd.LitPere(p) > 0, mere = bd.LitMere(p) > 0;
        c.cases.Ajoute(pere && mere ? 0 : !pere && !mere ? 1 : pere ? 2 : 3, p);
      });
      for (int k = 0; k < 4; ++k) c.Colonne(c.M(811 + k, {Ent(c.cases[k])}), c.cases[k]);
      if (c.n > 0)
        c.s.commentaire.push_back(c.M(815, {Ent(c.n), Ent(c.cases[0]), c.Pct(c.cases[0]), Ent(c.cases[1]),
                                            c.Pct(c.cases[1])}));
      if (c.cases[2] + c.cases[3] >= 1)
        c.s.commentaire.push_back(c.M(816, {Ent(c.cases[2] + c.cases[3]), Ent(c.cases[2]), c.Pct(c.cases[2]),
                                            Ent(c.cases[3]), c.Pct(c.cases[3])}));
      break;
    }
    case 4: ParNombre(c, true); break;
    case 5: ParNombre(c, false); break;
    case 7:
    case 8:
    case 9: Ages(c, entree, ages); break;
    default: Evenements(c, entree, annees); break;
  }
  if (c.annule) {
    TStatistique annule;
    annule.annule = true;
    return annule;
  }
  c.s.collectes = std::move(c.cases.Collectes());
  return std::move(c.s);
}

}  // namespace kindrela
