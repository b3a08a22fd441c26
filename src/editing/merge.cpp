#include "editing/merge.h"

#include <string_view>
#include <vector>

#include "chart/kinship.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/journal.h"
#include "dates/dates.h"

namespace kindrela {

const char* const kIssueDeLaFusion = "Issue de la fusion";
const char* const kMarqueDouble = "(double a supprimer) ";

namespace {

// Event fields, as numbered by the database.
constexpr int kNature = 1, kDate = 2, kHeure = 3, kLieu = 4, kNote = 5, kCertitude = 6;

// A line added below a text; the first line of an empty text has nothing above it.
void AjouteLigne(std::string& texte, std::string_view ligne) {
  if (!texte.empty()) texte += "\r\n";
  texte += ligne;
}

// Whether `cherche` is among the ancestors of p (p itself excluded).
bool EstAncetre(const TBD& bd, int p, int cherche) {
  std::vector<uint8_t> vu(static_cast<size_t>(bd.NbreFiche()) + 1, 0);
  std::vector<int> aVoir{p};
  while (!aVoir.empty()) {
    const int n = aVoir.back();
    aVoir.pop_back();
    for (int parent : {bd.LitPere(n), bd.LitMere(n)}) {
      if (parent <= 0 || parent > bd.NbreFiche() || vu[parent]) continue;
      if (parent == cherche) return true;
      vu[parent] = 1;
      aVoir.push_back(parent);
    }
  }
  return false;
}

// The positive integer a numbering label holds, 0 when it holds anything else.
long long LabelEntier(std::string_view label) {
  if (label.empty() || label.size() > 15) return 0;
  long long d = 0;
  for (char c : label) {
    if (c < '0' || c > '9') return 0;
    d = d * 10 + (c - '0');
  }
  return d;
}

// T receives E: T keeps what it has, takes what it lacks, and its note
// keeps E's differing values and E's note.
void FusionneEvenement(TBD& bd, int t, int e, bool nouveau) {
  bd.EcritChampEve(t, kNature, bd.LitChampEve(e, kNature));
  std::string note = bd.LitChampEve(t, kNote);
  if (!note.empty()) AjouteLigne(note, kIssueDeLaFusion);
  for (int champ : {kDate, kLieu, kHeure}) {
    const std::string sien = bd.LitChampEve(t, champ);
    const std::string apporte = bd.LitChampEve(e, champ);
    if (sien.empty()) bd.EcritChampEve(t, champ, apporte);
    else if (!apporte.empty() && apporte != sien) AjouteLigne(note, apporte);
  }
  if (const std::string n = bd.LitChampEve(e, kNote); !n.empty()) AjouteLigne(note, n);
  bd.EcritChampEve(t, kNote, note);
  // A new event is a copy of E: it keeps E's certainty.
  if (nouveau) bd.EcritChampEve(t, kCertitude, bd.LitChampEve(e, kCertitude));
}

// The first event of a list with that kind, 0 when none.
int EvenementDeNature(const TBD& bd, std::string_view tab, std::string_view nature) {
  for (int k = 1; k <= NbreEntrees(tab); ++k) {
    const int e = LitEntree(tab, k);
    if (e >= 1 && e <= bd.NbreEve() && bd.Eve(e).Nature == nature) return e;
  }
  return 0;
}

std::vector<int> Evenements(std::string_view tab) {
  std::vector<int> v;
  for (int k = 1; k <= NbreEntrees(tab); ++k) v.push_back(LitEntree(tab, k));
  return v;
}

void FusionneEvenementsFiche(TBD& bd, int a, int b) {
  for (int e : Evenements(bd.Fiche(b).TabEve)) {
    if (e < 1 || e > bd.NbreEve()) continue;
    int t = EvenementDeNature(bd, bd.Fiche(a).TabEve, bd.Eve(e).Nature);
    const bool nouveau = t == 0;
    if (nouveau) t = bd.AjouteEveFiche(a);
    if (t != 0) FusionneEvenement(bd, t, e, nouveau);
  }
}

void FusionneEvenementsUnion(TBD& bd, int v, int u) {
  for (int e : Evenements(bd.Union(u).TabEve)) {
    if (e < 1 || e > bd.NbreEve()) continue;
    int t = EvenementDeNature(bd, bd.Union(v).TabEve, bd.Eve(e).Nature);
    const bool nouveau = t == 0;
    if (nouveau) t = bd.AjouteEveUnion(v);
    if (t != 0) FusionneEvenement(bd, t, e, nouveau);
  }
}

}  // namespace

ResultatFusion VerifieFusion(const TBD& bd, int a, int b) {
  auto refus = [](RefusFusion r, const char* message) { return ResultatFusion{r, message}; };
  if (!bd.FicheUtilisee(a) || !bd.FicheUtilisee(b))
    return refus(RefusFusion::PersonneAbsente,
                 "Cette fusion ne peut se faire, une des personnes n'existe pas");
  if (a == b)
    return refus(RefusFusion::MemePersonne,
                 "Cette fusion ne peut se faire, il faut deux personnes différentes"_ansi);
  if (bd.LitSexe(a) != bd.LitSexe(b))
    return refus(RefusFusion::SexeDifferent,
                 "Cette fusion ne peut se faire, les personnes ne sont pas du même sexe"_ansi);
  const int pa = bd.LitPere(a), pb = bd.LitPere(b), ma = bd.LitMere(a), mb = bd.LitMere(b);
  if ((pa > 0 && pb > 0 && pa != pb) || (ma > 0 && mb > 0 && ma != mb))
    return refus(RefusFusion::ParentsDifferents,
                 "Cette fusion ne peut se faire, les parents sont différents, supprimer les liens "
                 "parents d'une des personnes"_ansi);
  if (EstAncetre(bd, a, b) || EstAncetre(bd, b, a))
    return refus(RefusFusion::Ascendance,
                 "Cette fusion ne peut se faire, une des personnes descend de l'autre");
  return {};
}

std::string LibelleFusion(const TBD& bd, int p) {
  if (!bd.FicheUtilisee(p)) return {};
  return bd.LitNom(p) + " " + bd.LitPrenoms(p) + " " + bd.LitDateNaissance(p);
}

int UnionAssuree(TBD& bd, int a, int b) {
  if (bd.LitSexe(a) == bd.LitSexe(b)) return 0;
  // A union without partners would be a record nobody can reach.
  if (!bd.FicheUtilisee(a) || !bd.FicheUtilisee(b)) return 0;
  // A partner of unknown sex may stand on either side of an existing union.
  if (const int u = UnionOfCouple(bd, a, b)) return u;
  if (const int u = UnionOfCouple(bd, b, a)) return u;
  const int u = bd.NouvelleUnion();
  if (u == 0) return 0;
  const bool aMari = bd.LitSexe(b) != 0;
  bd.EcritNumH(u, aMari ? a : b);
  bd.EcritNumF(u, aMari ? b : a);
  if (const long long d = LabelEntier(bd.Fiche(b).Numero); d > 0) {
    const long long label = aMari ? d - 1 : d + 1;
    if (label > 0) bd.EcritChamp(a, 26, std::to_string(label));
  }
  return u;
}

ResultatFusion FusionPersonnes(TBD& bd, int a, int b) {
  ResultatFusion r = VerifieFusion(bd, a, b);
  if (!r.ok()) return r;
  TEtapeJournal etape(bd, "fusion de " + bd.NomCourt(a) + " et " + bd.NomCourt(b));

  // Names.
  const std::string nomB = bd.LitNom(b);
  if (bd.LitNom(a) != nomB) bd.EcritNom(a, bd.LitNom(a) + " | " + nomB);
  if (const std::string preB = bd.LitPrenoms(b); bd.LitPrenoms(a) != preB)
    bd.EcritPrenoms(a, bd.LitPrenoms(a) + " | " + preB);
  bd.EcritNom(b, kMarqueDouble + nomB);
  bd.EcritChamp(a, 22, DateDuJour());

  // Parents: both end with the same ones, and these form a couple.
  if (const int pere = bd.LitPere(b); pere > 0) {
    if (bd.LitPere(a) == 0) bd.EcritCertP(a, bd.LitCertP(b));
    bd.EcritPere(a, pere);
  } else if (bd.LitPere(a) > 0) {
    bd.EcritPere(b, bd.LitPere(a));
    bd.EcritCertP(b, bd.LitCertP(a));
  }
  if (const int mere = bd.LitMere(b); mere > 0) {
    if (bd.LitMere(a) == 0) bd.EcritCertM(a, bd.LitCertM(b));
    bd.EcritMere(a, mere);
  } else if (bd.LitMere(a) > 0) {
    bd.EcritMere(b, bd.LitMere(a));
    bd.EcritCertM(b, bd.LitCertM(a));
  }
  UnionAssuree(bd, bd.LitPere(a), bd.LitMere(a));

  // Children: the link that names b names a instead.
  for (int enfant : ChildrenOf(bd, b)) {
    if (!bd.FicheUtilisee(enfant)) continue;
    if (bd.LitPere(enfant) == b) bd.EcritPere(enfant, a);
    if (bd.LitMere(enfant) == b) bd.EcritMere(enfant, a);
  }

  FusionneEvenementsFiche(bd, a, b);

  if (const std::string noteB(bd.Fiche(b).Note); !noteB.empty()) {
    std::string note(bd.Fiche(a).Note);
    AjouteLigne(note, kIssueDeLaFusion);
    AjouteLigne(note, noteB);
    bd.EcritChamp(a, 18, note);
  }

  // Unions: a joins each partner of b, with copies of the union's events.
  const bool femme = bd.LitSexe(a) != 0;
  for (int u : UnionsOf(bd, b)) {
    const int partenaire = femme ? bd.LitNumH(u) : bd.LitNumF(u);
    const int v = UnionAssuree(bd, a, partenaire);
    if (v != 0 && v != u) FusionneEvenementsUnion(bd, v, u);
  }

  // Sources: a cites every source b cites, once.
  const std::string sources(bd.Fiche(b).TabSrc);
  for (int k = 1; k <= NbreEntrees(sources); ++k)
    if (const int s = LitEntree(sources, k); bd.SrcUtilisee(s)) bd.AjouteSrc(a, s);

  bd.BaseModifiee = 1;
  r.message = "Fusion Terminée"_ansi;
  return r;
}

}  // namespace kindrela
