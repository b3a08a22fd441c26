#include "support/tree_generator.h"

#include <array>
#include <random>
#include <string>
#include <vector>

namespace kindrela::bench {
namespace {

constexpr std::array kNoms = {"Martin", "Bernard", "Dubois", "Thomas", "Robert", "Richard",
                              "Petit", "Durand", "Leroy", "Moreau", "Simon", "Laurent",
                              "Lef\xE8vre", "Michel", "Garcia", "David", "Bertrand", "Roux",
                              "Vincent", "Fournier", "Morel", "Girard", "Andr\xE9", "Le Gall",
                              "Mercier", "Blanc", "Gu\xE9rin", "Boyer", "Garnier", "Chevalier"};
constexpr std::array kPrenomsH = {"Jean", "Pierre", "Louis", "Joseph", "Fran\xE7ois", "Yves",
                                  "Ren\xE9", "Marcel", "Andr\xE9", "Paul", "Jacques", "Henri"};
constexpr std::array kPrenomsF = {"Marie", "Jeanne", "Anne", "Louise", "Marguerite",
                                  "H\xE9l\xE8ne", "Germaine", "Yvonne", "Suzanne", "Catherine",
                                  "Madeleine", "Fran\xE7oise"};
constexpr std::array kMetiers = {"Cultivateur", "Menuisier", "Marin", "Tisserand", "Boulanger",
                                 "Instituteur", "Forgeron", "Cordonnier", "Meunier", "Notaire"};
constexpr std::array kRegions = {"Bretagne", "Normandie", "Auvergne", "Provence", "Lorraine",
                                 "Picardie", "Bourgogne", "Limousin"};

class Hasard {
 public:
  explicit Hasard(uint32_t graine) : m_gen(graine) {}
  int Entre(int a, int b) { return std::uniform_int_distribution<int>(a, b)(m_gen); }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(m_gen) < p; }
  template <typename T, std::size_t N>
  const char* Un(const std::array<T, N>& t) { return t[static_cast<std::size_t>(Entre(0, N - 1))]; }

 private:
  std::mt19937 m_gen;
};

std::string Date(Hasard& h, int annee) {
  switch (h.Entre(0, 9)) {
    case 0: return std::to_string(annee);
    case 1: return "vers " + std::to_string(annee);
    case 2: return std::to_string(h.Entre(1, 12)) + "/" + std::to_string(annee);
    default:
      return std::to_string(h.Entre(1, 28)) + "/" + std::to_string(h.Entre(1, 12)) + "/" +
             std::to_string(annee);
  }
}

// About 2000 distinct places, as a tree of one country has.
std::string Lieu(Hasard& h) {
  int commune = h.Entre(1, 2000);
  return std::string("France, ") + kRegions[static_cast<std::size_t>(commune % kRegions.size())] +
         ", D\xE9partement " + std::to_string(commune % 90 + 1) + ", Commune " +
         std::to_string(commune);
}

}  // namespace

BilanGeneration GenereArbre(TBD& bd, const OptionsGeneration& options) {
  Hasard h(options.graine);
  struct Couple {
    int union_;
    int annee;  // the marriage year
  };
  std::vector<Couple> couples;
  std::vector<int> anneeNaissance(static_cast<std::size_t>(options.personnes) + 2, 0);
  int celibataire[2] = {0, 0};  // a man and a woman waiting for a partner
  std::vector<int> sources;

  for (int i = 0; i < options.personnes; ++i) {
    int n = bd.NouvelleFiche();
    if (n == 0) break;
    int sexe = h.Entre(0, 1);
    bd.EcritSexe(n, sexe);
    int annee = 1650 + i * 330 / std::max(1, options.personnes) + h.Entre(0, 20);
    std::string nom = h.Un(kNoms);
    // Most persons are the child of a couple married a generation earlier.
    if (!couples.empty() && h.Chance(0.85)) {
      const Couple& c = couples[couples.size() - 1 -
                                static_cast<std::size_t>(h.Entre(0, std::min<int>(4000, couples.size() - 1)))];
      int pere = bd.LitNumH(c.union_), mere = bd.LitNumF(c.union_);
      bd.EcritPere(n, pere);
      bd.EcritMere(n, mere);
      if (h.Chance(0.05)) bd.EcritCertP(n, h.Entre(1, 3));
      nom = bd.LitNom(pere);
      annee = c.annee + h.Entre(1, 20);
    }
    anneeNaissance[static_cast<std::size_t>(n)] = annee;
    bd.EcritNom(n, nom);
    std::string pre = sexe == 0 ? h.Un(kPrenomsH) : h.Un(kPrenomsF);
    if (h.Chance(0.6)) pre += std::string(" ") + (sexe == 0 ? h.Un(kPrenomsH) : h.Un(kPrenomsF));
    bd.EcritPrenoms(n, pre);
    bd.EcritChamp(n, 21, "1/1/2005");
    bd.EcritChamp(n, 22, Date(h, 2007));

    // Events: birth always, the others often.
    bd.EcritDateNaissance(n, Date(h, annee));
    bd.EcritLieuNaissance(n, Lieu(h));
    if (h.Chance(0.4)) bd.EcritChamp(n, 9, Date(h, annee));
    if (h.Chance(0.3)) bd.EcritChamp(n, 8, "N\xE9 \xE0 la maison, t\xE9moins : " + nom);
    if (h.Chance(0.6)) {
      bd.EcritDateDeces(n, Date(h, annee + h.Entre(0, 90)));
      bd.EcritLieuDeces(n, Lieu(h));
      if (h.Chance(0.4)) bd.EcritChamp(n, 16, Lieu(h));
    }
    if (h.Chance(0.5)) {
      int e = bd.AjouteEveFiche(n);
      bd.EcritChampEve(e, 1, "R\xE9sidence");
      bd.EcritChampEve(e, 2, Date(h, annee + 30));
      bd.EcritChampEve(e, 3, "10h");
      bd.EcritChampEve(e, 4, Lieu(h));
      bd.EcritChampEve(e, 6, std::to_string(h.Entre(0, 3)));
    }
    // Custom fields and notes.
    bd.EcritProfession(n, h.Un(kMetiers));
    if (h.Chance(0.2)) bd.EcritChampPerso(n, "Surnom", std::string("Le ") + h.Un(kNoms));
    if (h.Chance(0.3))
      bd.EcritChamp(n, 18, "Notes de recherche sur " + nom + " " + pre +
                               ".\r\nVoir les registres paroissiaux de " + Lieu(h) + ".");
    // Sources: some new ones, often shared.
    if (h.Chance(0.15)) {
      int s = bd.AjouteNouvelleSrc(n);
      if (s) {
        bd.EcritChampSrc(s, 1, "Acte " + std::to_string(s));
        bd.EcritChampSrc(s, 2, "Registre de " + Lieu(h));
        bd.EcritChampSrc(s, 3, "AD" + std::to_string(s % 90));
        if (h.Chance(0.5)) bd.EcritChampSrc(s, 4, "acte" + std::to_string(s) + ".jpg|Acte");
        sources.push_back(s);
      }
    } else if (!sources.empty() && h.Chance(0.2)) {
      bd.AjouteSrc(n, sources[static_cast<std::size_t>(h.Entre(0, static_cast<int>(sources.size()) - 1))]);
    }
    // Marriage with the last person of the other sex still single.
    if (h.Chance(0.9)) {
      int autre = celibataire[1 - sexe];
      if (autre != 0) {
        int u = bd.CreeUnion(n, autre);
        int anneeMariage = std::max(annee, anneeNaissance[static_cast<std::size_t>(autre)]) + h.Entre(18, 30);
        bd.EcritChampUnion(u, 3, Date(h, anneeMariage));
        bd.EcritChampUnion(u, 5, Lieu(h));
        if (h.Chance(0.05)) bd.EcritChampUnion(u, 4, Date(h, anneeMariage + 10));
        couples.push_back({u, anneeMariage});
        celibataire[1 - sexe] = 0;
      } else {
        celibataire[sexe] = n;
      }
    }
  }

  // An edited tree has holes: free about one person in ten, with the unions
  // and events that go with them.
  for (int n = 7; n <= bd.NbreFiche(); n += 10)
    if (bd.FicheUtilisee(n)) bd.SupprimeFiche(n);

  BilanGeneration bilan;
  bilan.personnes = bd.NbreFichesUtilisees();
  bilan.unions = bd.NbreUnionsValides();
  for (int e = 1; e <= bd.NbreEve(); ++e) bilan.evenements += bd.EveUtilise(e);
  bilan.sources = bd.NbreSrc();
  return bilan;
}

}  // namespace kindrela::bench
