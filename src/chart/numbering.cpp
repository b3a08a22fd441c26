// Genealogical numbering: Sosa numbers for the ancestors of the reference
// person, descendant numbers ("1/2.1", "6/3", "1/a2") for the others.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "chart/kinship.h"
#include "core/ansi_literal.h"
#include "core/journal.h"

namespace kindrela {

namespace {

constexpr int kNumero = 26;  // the person field holding the number
constexpr int kDateNaissance = 6;
// A person reached along very many lines (or through links that form a loop)
// would gain a Sosa number per line, doubling with each generation; beyond
// this length no more are added, which keeps the field well within what the
// tree file stores whole and keeps the numbering linear.
constexpr size_t kLongueurMaxSosa = 4000;

std::string Numero(const TBD& bd, int p) { return bd.LitChamp(p, kNumero); }

bool SansNumero(const TBD& bd, int p) {
  return p < 1 || p > bd.NbreFiche() || bd.Fiche(p).Numero.empty();
}

bool EstChiffres(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// 2n + plus (plus is 0 or 1) on decimal text of any length, so that Sosa
// numbers stay exact however many generations are numbered.
std::string Double(std::string_view n, int plus) {
  size_t debut = n.find_first_not_of('0');
  n = debut == std::string_view::npos ? std::string_view("0") : n.substr(debut);
  std::string r(n.size() + 1, '0');
  int retenue = plus;
  for (size_t k = n.size(); k-- > 0;) {
    int v = (n[k] - '0') * 2 + retenue;
    r[k + 1] = static_cast<char>('0' + v % 10);
    retenue = v / 10;
  }
  r[0] = static_cast<char>('0' + retenue);
  if (r[0] == '0') r.erase(0, 1);
  return r;
}

std::vector<std::string_view> Parties(std::string_view s) {
  std::vector<std::string_view> v;
  while (!s.empty()) {
    size_t virgule = s.find(',');
    v.push_back(s.substr(0, virgule));
    if (virgule == std::string_view::npos) break;
    s.remove_prefix(virgule + 1);
  }
  return v;
}

// True when the parent's number changed.
bool DonneSosaParent(TBD& bd, int c, bool mere) {
  const int parent = mere ? bd.LitMere(c) : bd.LitPere(c);
  if (parent <= 0 || parent > bd.NbreFiche()) return false;
  const std::string numeroEnfant = Numero(bd, c);
  // Only a Sosa form can be doubled; a descendant number or an empty field
  // has nothing to pass on.
  if (numeroEnfant.empty() || numeroEnfant.find('/') != std::string::npos) return false;
  const std::string avant = Numero(bd, parent);
  std::string t = avant;
  if (t.find('/') != std::string::npos) t.clear();
  // Built on first need: once the field is full, nothing more is read.
  std::unordered_set<std::string> deja;
  bool dejaLu = false;
  for (std::string_view n : Parties(numeroEnfant)) {
    if (!EstChiffres(n)) continue;
    std::string m = Double(n, mere ? 1 : 0);
    if (t.size() + 1 + m.size() > kLongueurMaxSosa) break;
    if (!dejaLu) {
      for (std::string_view part : Parties(t)) deja.emplace(part);
      dejaLu = true;
    }
    if (!deja.insert(m).second) continue;
    if (!t.empty()) t += ',';
    t += m;
  }
  if (t == avant) return false;
  bd.EcritChamp(parent, kNumero, t);
  return true;
}

// One step of the descendant numbering: number a spouse, or number a child
// (after its own descendants) unless it already carries a number.
struct Etape {
  bool conjoint = false;
  int personne = 0;
  std::string numero;
};

class Numerotation {
 public:
  Numerotation(TBD& bd, int generations, bool conjoints, bool parFamille)
      : m_bd(bd),
        m_g(generations),
        m_conjoints(conjoints),
        m_parFamille(parFamille),
        m_reecriture(static_cast<size_t>(bd.NbreFiche()) + 1, 0),
        m_estSosa(static_cast<size_t>(bd.NbreFiche()) + 1, 0),
        m_passe(static_cast<size_t>(bd.NbreFiche()) + 1) {}

  void Racine(int racine) {
    m_bd.EcritChamp(racine, kNumero, "1");
    m_estSosa[racine] = 1;
    ++m_reecriture[racine];
  }

  // Numbers the descendants of p below `prefixe` (which ends with "/" for
  // the person carrying the anchor). Children get their number after their
  // own descendants, as the numbering always did; an explicit stack keeps
  // long lines from exhausting the call stack.
  void Descendants(int p, const std::string& prefixe, int profondeur) {
    struct Cadre {
      std::vector<Etape> etapes;
      size_t suivante = 0;
    };
    std::vector<Cadre> pile;
    pile.push_back({Etapes(p, prefixe, profondeur)});
    while (!pile.empty()) {
      Cadre& cadre = pile.back();
      if (cadre.suivante > 0) {
        // Coming back from the descendants of the last child started.
        const Etape& faite = cadre.etapes[cadre.suivante - 1];
        if (!faite.conjoint && m_enCours.back() == faite.personne) {
          m_enCours.pop_back();
          Ecrit(faite.personne, faite.numero);
        }
      }
      bool descend = false;
      while (cadre.suivante < cadre.etapes.size()) {
        const Etape& e = cadre.etapes[cadre.suivante++];
        if (!SansNumero(m_bd, e.personne)) continue;
        if (e.conjoint) {
          Ecrit(e.personne, e.numero);
          continue;
        }
        const int profondeurEnfant = profondeur + static_cast<int>(pile.size());
        m_enCours.push_back(e.personne);
        pile.push_back({Etapes(e.personne, e.numero, profondeurEnfant)});
        descend = true;
        break;
      }
      if (!descend) pile.pop_back();
    }
  }

  void Ancetres(int racine) {
    std::vector<int> generation{racine};
    std::vector<int> suivante;
    std::vector<char> dansSuivante(static_cast<size_t>(m_bd.NbreFiche()) + 1, 0);
    for (int profondeur = 1; profondeur <= m_g && !generation.empty(); ++profondeur) {
      suivante.clear();
      for (int x : generation) {
        for (bool mere : {false, true}) {
          const int parent = mere ? m_bd.LitMere(x) : m_bd.LitPere(x);
          if (parent <= 0 || parent > m_bd.NbreFiche()) continue;
          DonneSosa(x, mere);
          const std::string n = Numero(m_bd, parent);
          if (!n.empty() && n.find(',') == std::string::npos) Descendants(parent, n + "/", profondeur + 1);
          // A person reached again in the same generation brings nothing
          // new: its numbers have already been passed up. Listing it once
          // keeps trees with many related lines from growing the walk
          // exponentially.
          if (!dansSuivante[parent]) {
            dansSuivante[parent] = 1;
            suivante.push_back(parent);
          }
        }
      }
      for (int x : suivante) dansSuivante[x] = 0;
      generation.swap(suivante);
    }
  }

 private:
  // Writes a descendant or spouse number.
  void Ecrit(int p, const std::string& numero) {
    m_bd.EcritChamp(p, kNumero, numero);
    m_estSosa[p] = 0;
    ++m_reecriture[p];
  }

  // The Sosa step of SetFatherSosa / SetMotherSosa, done incrementally: a
  // Sosa field only ever grows at its end, so each step reads only the part
  // of the child's numbers it has not passed on yet, and each parent keeps
  // the set of its numbers. Same numbers in the same order; the whole
  // numbering stays linear in the text it writes, however many lines of
  // ancestry meet.
  void DonneSosa(int x, bool mere) {
    if (!m_estSosa[x]) return;
    const int parent = mere ? m_bd.LitMere(x) : m_bd.LitPere(x);
    Passe& passe = m_passe[x][mere ? 1 : 0];
    const Texte& texteEnfant = m_bd.Fiche(x).Numero;
    size_t pos = passe.reecriture == m_reecriture[x] ? passe.consomme : 0;
    if (pos >= texteEnfant.size()) return;
    // A person who is its own parent reads the field it writes.
    const std::string copie = x == parent ? texteEnfant.str() : std::string();
    const std::string_view enfant = x == parent ? std::string_view(copie) : texteEnfant.view();

    TFiche& fp = m_bd.FicheBrute(parent);
    if (!m_estSosa[parent]) {
      fp.Numero.clear();  // a descendant number gives way to Sosa numbers
      m_estSosa[parent] = 1;
      ++m_reecriture[parent];
    }
    Ensemble& ens = m_ensembles[parent];
    if (!ens.pret || ens.reecriture != m_reecriture[parent]) {
      ens.nombres.clear();
      for (std::string_view part : Parties(fp.Numero)) ens.nombres.emplace(part);
      ens.reecriture = m_reecriture[parent];
      ens.pret = true;
    }
    while (pos < enfant.size()) {
      size_t fin = enfant.find(',', pos);
      if (fin == std::string::npos) fin = enfant.size();
      std::string_view n(enfant.data() + pos, fin - pos);
      if (EstChiffres(n)) {
        std::string m = Double(n, mere ? 1 : 0);
        // Left for a later step, where it will not fit either.
        if (fp.Numero.size() + 1 + m.size() > kLongueurMaxSosa) break;
        if (ens.nombres.insert(m).second) {
          if (!fp.Numero.empty()) fp.Numero += ',';
          fp.Numero += m;
        }
      }
      pos = std::min(fin + 1, enfant.size());
    }
    passe.consomme = pos;
    passe.reecriture = m_reecriture[x];
  }

  // The steps of one person's descendant numbering; none beyond G.
  std::vector<Etape> Etapes(int p, const std::string& prefixe, int profondeur) {
    std::vector<Etape> etapes;
    if (profondeur > m_g) return etapes;
    const std::string base = (!prefixe.empty() && prefixe.back() == '/') ? prefixe : prefixe + ".";
    auto enfants = [&](TR l, const std::string& debut) {
      // Numbers are never taken back during a numbering: children all
      // numbered already have nothing to wait for, and need no sort.
      if (std::all_of(l.begin(), l.end(), [&](int c) { return !SansNumero(m_bd, c); }))
        return;
      SortByDateColumn(m_bd, l, kDateNaissance);
      for (int k = 1; k <= l.Count(); ++k)
        etapes.push_back({false, l.Get(k), debut + std::to_string(k)});
    };
    if (!m_parFamille) {
      enfants(ChildrenOf(m_bd, p), base);
      return etapes;
    }
    enfants(ChildrenWithOneParentCourt(m_bd, p), base);
    TRR unions = UnionsOfCourt(m_bd, p);
    SortUnionsByEventDate(m_bd, unions, "Mariage");
    const bool homme = m_bd.LitSexe(p) == 0;
    for (int i = 0; i < unions.Count(); ++i) {
      const int u = unions.Get(i + 1);
      std::string s = base;
      if (unions.Count() > 1) s += static_cast<char>(std::min(97 + i, 255));
      const int conjoint = homme ? m_bd.LitNumF(u) : m_bd.LitNumH(u);
      if (m_conjoints && conjoint > 0 && conjoint <= m_bd.NbreFiche()) etapes.push_back({true, conjoint, s + "0"});
      enfants(ChildrenOfCoupleCourt(m_bd, p, conjoint), s);
    }
    return etapes;
  }

  TBD& m_bd;
  int m_g;
  bool m_conjoints;
  bool m_parFamille;
  std::vector<int> m_enCours;  // children whose descendants are being numbered
  // How much of a child's numbers went to each parent.
  struct Passe {
    uint32_t reecriture = ~0u;  // the child's m_reecriture then
    size_t consomme = 0;        // bytes of its field already passed on
  };
  struct Ensemble {
    bool pret = false;
    uint32_t reecriture = 0;
    std::unordered_set<std::string> nombres;
  };
  // Per person: bumped whenever its field is replaced rather than extended.
  std::vector<uint32_t> m_reecriture;
  std::vector<char> m_estSosa;  // its field holds Sosa numbers written here
  std::vector<std::array<Passe, 2>> m_passe;
  std::unordered_map<int, Ensemble> m_ensembles;  // the Sosa numbers of each ancestor
};

}  // namespace

void SetFatherSosa(TBD& bd, int c) { DonneSosaParent(bd, c, false); }

void SetMotherSosa(TBD& bd, int c) { DonneSosaParent(bd, c, true); }

bool HasSosaForm(const TBD& bd, int p) {
  const std::string n = Numero(bd, p);
  return !n.empty() && n.find('/') == std::string::npos;
}

void NumberTree(TBD& bd, int root, int generations, bool numberSpouses, bool byFamily) {
  TEtapeJournal etape(bd, "numérotation"_ansi);
  for (int i = 1; i <= bd.NbreFiche(); ++i)
    if (!bd.Fiche(i).Numero.empty()) bd.EcritChamp(i, kNumero, "");
  if (root <= 0 || root > bd.NbreFiche()) return;
  // Beyond this many generations only a loop in the links could still go on.
  Numerotation n(bd, std::min(generations, kProfondeurMax), numberSpouses, byFamily);
  n.Racine(root);
  n.Descendants(root, "1/", 1);
  n.Ancetres(root);
}

}  // namespace kindrela
