#include "core/database.h"

#include <cassert>
#include <utility>

#include "core/ansi_literal.h"
#include "core/clock.h"
#include "core/journal.h"

namespace kindrela {

const char* const kAucunProblemeConstate = "Aucun problème constaté."_ansi;

// ---------------------------------------------------------------------------
// Packed index lists

int NbreEntrees(std::string_view tab) { return static_cast<int>(tab.size() / 4); }

int32_t LitEntree(std::string_view tab, int k) {
  if (k < 1 || k > NbreEntrees(tab)) return 0;
  const auto* p = reinterpret_cast<const unsigned char*>(tab.data()) + 4 * (k - 1);
  uint32_t v = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
               (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
  return static_cast<int32_t>(v);
}

namespace {

// The same packed-list edits for a record's text and for a list being built.
template <class T>
void AjouteEntreeDans(T& tab, int32_t valeur) {
  auto v = static_cast<uint32_t>(valeur);
  // A trailing partial entry would shift every later entry; drop it first.
  tab.resize(4 * static_cast<size_t>(NbreEntrees(tab)));
  const char octets[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                          static_cast<char>((v >> 16) & 0xFF), static_cast<char>((v >> 24) & 0xFF)};
  tab.append(octets, 4);
}

template <class T>
void RetireEntreeDe(T& tab, int k) {
  if (k < 1 || k > NbreEntrees(tab)) return;
  tab.erase(4 * static_cast<size_t>(k - 1), 4);
}

}  // namespace

void AjouteEntree(std::string& tab, int32_t valeur) { AjouteEntreeDans(tab, valeur); }
void AjouteEntree(Texte& tab, int32_t valeur) { AjouteEntreeDans(tab, valeur); }
void RetireEntree(std::string& tab, int k) { RetireEntreeDe(tab, k); }
void RetireEntree(Texte& tab, int k) { RetireEntreeDe(tab, k); }

std::string PremierPrenom(std::string_view pre) {
  size_t guillemet = pre.find('"');
  if (guillemet != std::string_view::npos) {
    size_t second = pre.find('"', guillemet + 1);
    if (second != std::string_view::npos)
      return std::string(pre.substr(guillemet + 1, second - guillemet - 1));
  }
  size_t fin = pre.find_first_of(", ");
  return std::string(pre.substr(0, fin));
}

namespace detail {

// ---------------------------------------------------------------------------
// Trous

void Trous::Vide() {
  m_runs.clear();
  m_nbreLibres = 0;
}

bool Trous::EstLibre(int k) const {
  auto it = m_runs.upper_bound(k);
  if (it == m_runs.begin()) return false;
  --it;
  return it->second >= k;
}

void Trous::Libere(int k) {
  auto droite = m_runs.upper_bound(k);
  auto gauche = droite;
  bool aGauche = false;
  if (gauche != m_runs.begin()) {
    --gauche;
    if (gauche->second >= k) return;  // already free
    aGauche = gauche->second == k - 1;
  }
  bool aDroite = droite != m_runs.end() && droite->first == k + 1;
  if (aGauche && aDroite) {
    gauche->second = droite->second;
    m_runs.erase(droite);
  } else if (aGauche) {
    gauche->second = k;
  } else if (aDroite) {
    int fin = droite->second;
    m_runs.erase(droite);
    m_runs.emplace(k, fin);
  } else {
    m_runs.emplace_hint(droite, k, k);
  }
  ++m_nbreLibres;
}

void Trous::Occupe(int k) {
  auto it = m_runs.upper_bound(k);
  if (it == m_runs.begin()) return;
  --it;
  if (it->second < k) return;
  int debut = it->first;
  int fin = it->second;
  if (debut == k && fin == k) {
    m_runs.erase(it);
  } else if (debut == k) {
    m_runs.erase(it);
    m_runs.emplace(k + 1, fin);
  } else {
    it->second = k - 1;
    if (k < fin) m_runs.emplace(k + 1, fin);
  }
  --m_nbreLibres;
}

int Trous::PremierLibre() const { return m_runs.empty() ? 0 : m_runs.begin()->first; }

int Trous::FinDuTrou(int k) const {
  auto it = m_runs.upper_bound(k);
  if (it == m_runs.begin()) return k - 1;
  --it;
  return it->second >= k ? it->second : k - 1;
}

int Trous::DebutDuTrou(int k) const {
  auto it = m_runs.upper_bound(k);
  if (it == m_runs.begin()) return k + 1;
  --it;
  return it->second >= k ? it->first : k + 1;
}

void Trous::Tronque(int nbre) {
  auto it = m_runs.upper_bound(nbre);
  for (auto j = it; j != m_runs.end(); ++j) m_nbreLibres -= j->second - j->first + 1;
  m_runs.erase(it, m_runs.end());
  if (!m_runs.empty()) {
    auto& dernier = *m_runs.rbegin();
    if (dernier.second > nbre) {
      m_nbreLibres -= dernier.second - nbre;
      dernier.second = nbre;
    }
  }
}

// ---------------------------------------------------------------------------
// LiensInverses

void LiensInverses::Vide() {
  std::vector<int32_t>().swap(m_cible);
  std::vector<int32_t>().swap(m_suivant);
  std::vector<int32_t>().swap(m_precedent);
  std::vector<int32_t>().swap(m_tete);
}

void LiensInverses::Change(int source, int cible, int limite) {
  assert(source >= 1 && "sources are record numbers");
  int nouvelle = (cible >= 1 && cible <= limite) ? cible : 0;
  if (static_cast<size_t>(source) >= m_cible.size()) {
    if (nouvelle == 0) return;
    m_cible.resize(source + 1, 0);
    m_suivant.resize(source + 1, 0);
    m_precedent.resize(source + 1, 0);
  }
  int ancienne = m_cible[source];
  if (ancienne == nouvelle) return;
  if (ancienne != 0) {
    int p = m_precedent[source];
    int s = m_suivant[source];
    if (p != 0) m_suivant[p] = s; else m_tete[ancienne] = s;
    if (s != 0) m_precedent[s] = p;
  }
  m_cible[source] = nouvelle;
  m_suivant[source] = 0;
  m_precedent[source] = 0;
  if (nouvelle != 0) {
    if (static_cast<size_t>(nouvelle) >= m_tete.size()) m_tete.resize(nouvelle + 1, 0);
    int tete = m_tete[nouvelle];
    m_suivant[source] = tete;
    if (tete != 0) m_precedent[tete] = source;
    m_tete[nouvelle] = source;
  }
}

void LiensInverses::Tronque(int nbreSources) {
  for (int s = static_cast<int>(m_cible.size()) - 1; s > nbreSources; --s) Change(s, 0, 0);
  if (m_cible.size() > static_cast<size_t>(nbreSources) + 1) {
    m_cible.resize(nbreSources + 1);
    m_suivant.resize(nbreSources + 1);
    m_precedent.resize(nbreSources + 1);
  }
}

void LiensInverses::Sources(int cible, std::vector<int>& sortie) const {
  sortie.clear();
  if (cible < 1 || static_cast<size_t>(cible) >= m_tete.size()) return;
  for (int s = m_tete[cible]; s != 0; s = m_suivant[s]) sortie.push_back(s);
}

// ---------------------------------------------------------------------------
// Table

template <typename T>
int Table<T>::Cherche(bool fin) const {
  if (!fin) {
    int libre = m_trous.PremierLibre();
    if (libre != 0) return libre;
  }
  return Nbre() < m_capacite ? Nbre() + 1 : 0;
}

template <typename T>
void Table<T>::Occupe(int k) {
  assert(k >= 1 && k <= Nbre() + 1 && k <= m_capacite && "slot from Cherche");
  if (k == Nbre() + 1) {
    // An append (every record of an import): the new slot is taken at once,
    // so it never enters the free runs, which stay as they were.
    constexpr int kTaille = 1 << kBitsBloc;
    if (m_blocs.size() * kTaille < static_cast<size_t>(k)) m_blocs.push_back(std::make_unique<T[]>(kTaille));
    m_nbre = k;
    Ligne(k).Utilise = 1;
    return;
  }
  Ligne(k).Utilise = 1;
  m_trous.Occupe(k);
}

template <typename T>
void Table<T>::FixeUtilise(int k, uint8_t utilise) {
  assert(Valide(k));
  Ligne(k).Utilise = utilise;
  if (utilise != 0) m_trous.Occupe(k); else m_trous.Libere(k);
}

template <typename T>
void Table<T>::FixeNbre(int nbre) {
  assert(nbre >= 0 && nbre <= m_capacite);
  constexpr int kTaille = 1 << kBitsBloc;
  int ancien = m_nbre;
  size_t blocs = (static_cast<size_t>(nbre) + kTaille - 1) / kTaille;
  if (nbre < ancien) {
    // Dropped slots that stay inside a kept block go back to default records,
    // so that growing again finds them empty.
    int finBloc = static_cast<int>(blocs) * kTaille;
    for (int k = nbre + 1; k <= ancien && k <= finBloc; ++k) Ligne(k) = T();
    m_blocs.resize(blocs);
    m_nbre = nbre;
    m_trous.Tronque(nbre);
  } else if (nbre > ancien) {
    while (m_blocs.size() < blocs) m_blocs.push_back(std::make_unique<T[]>(kTaille));
    m_nbre = nbre;
    for (int k = ancien + 1; k <= nbre; ++k) m_trous.Libere(k);
  }
}

template <typename T>
void Table<T>::Place(int k, T ligne) {
  assert(k >= 1 && k <= m_capacite);
  if (k > Nbre()) FixeNbre(k);
  Ligne(k) = std::move(ligne);
  FixeUtilise(k, Ligne(k).Utilise);
}

template <typename T>
void Table<T>::Vide() {
  std::vector<std::unique_ptr<T[]>>().swap(m_blocs);
  m_nbre = 0;
  m_trous.Vide();
}

template <typename T>
void Table<T>::ReconstruitTrous() {
  m_trous.Vide();
  for (int k = 1; k <= Nbre(); ++k)
    if (Ligne(k).Utilise == 0) m_trous.Libere(k);
}

template class Table<TFiche>;
template class Table<TUnion>;
template class Table<TEve>;
template class Table<TSrc>;

}  // namespace detail

// ---------------------------------------------------------------------------
// TBD: construction, persons, unions, whole database

TBD::TBD(const CapacitesBD& capacites)
    : NatProfession("Profession"),
      NatNaissance("Naissance"),
      NatBapteme("Baptême"_ansi),
      NatDeces("Décès"_ansi),
      NatSepulture("Sépulture"_ansi),
      NatMariage("Mariage"),
      NatDivorce("Divorce"),
      m_capacites(capacites),
      m_fiches(capacites.fiches),
      m_unions(capacites.unions),
      m_eves(capacites.eves),
      m_srcs(capacites.srcs),
      m_journal(std::make_unique<TJournal>(*this)) {
  assert(capacites.fiches >= 0 && capacites.unions >= 0 && capacites.eves >= 0 &&
         capacites.srcs >= 0 && "capacities are record counts");
}

TBD::~TBD() = default;

TBD::TBD(TBD&& autre) : TBD(autre.m_capacites) { *this = std::move(autre); }

TBD& TBD::operator=(TBD&& autre) {
  if (this == &autre) return *this;
  NatProfession = std::move(autre.NatProfession);
  NatNaissance = std::move(autre.NatNaissance);
  NatBapteme = std::move(autre.NatBapteme);
  NatDeces = std::move(autre.NatDeces);
  NatSepulture = std::move(autre.NatSepulture);
  NatMariage = std::move(autre.NatMariage);
  NatDivorce = std::move(autre.NatDivorce);
  RefPers = autre.RefPers;
  BaseChargee = autre.BaseChargee;
  BaseModifiee = autre.BaseModifiee;
  DateCreeBase = std::move(autre.DateCreeBase);
  DateSauveBase = std::move(autre.DateSauveBase);
  NbreDonnee = autre.NbreDonnee;
  ModeAjout = autre.ModeAjout;
  m_capacites = autre.m_capacites;
  m_fiches = std::move(autre.m_fiches);
  m_unions = std::move(autre.m_unions);
  m_eves = std::move(autre.m_eves);
  m_srcs = std::move(autre.m_srcs);
  m_enfantsDuPere = std::move(autre.m_enfantsDuPere);
  m_enfantsDeLaMere = std::move(autre.m_enfantsDeLaMere);
  m_unionsDuMari = std::move(autre.m_unionsDuMari);
  m_unionsDeLaFemme = std::move(autre.m_unionsDeLaFemme);
  m_generation = autre.m_generation;
  // The journal goes with the tables it describes; the other object keeps
  // an empty one.
  m_journal = std::move(autre.m_journal);
  m_journal->Rattache(*this);
  autre.m_journal = std::make_unique<TJournal>(autre);
  return *this;
}

TFiche& TBD::FicheModif(int n) {
  m_journal->AvantFiche(n);
  return m_fiches[n];
}

TUnion& TBD::UnionModif(int u) {
  m_journal->AvantUnion(u);
  return m_unions[u];
}

TEve& TBD::EveModif(int e) {
  m_journal->AvantEve(e);
  return m_eves[e];
}

TSrc& TBD::SrcModif(int s) {
  m_journal->AvantSrc(s);
  return m_srcs[s];
}

void TBD::FixePere(int n, int pere) {
  if (m_fiches[n].NumP == pere) return;
  FicheModif(n).NumP = pere;
  m_enfantsDuPere.Change(n, pere, m_capacites.fiches);
  Change();
}

void TBD::FixeMere(int n, int mere) {
  if (m_fiches[n].NumM == mere) return;
  FicheModif(n).NumM = mere;
  m_enfantsDeLaMere.Change(n, mere, m_capacites.fiches);
  Change();
}

void TBD::FixeMari(int u, int mari) {
  if (m_unions[u].NumH == mari) return;
  UnionModif(u).NumH = mari;
  m_unionsDuMari.Change(u, mari, m_capacites.fiches);
  Change();
}

void TBD::FixeFemme(int u, int femme) {
  if (m_unions[u].NumF == femme) return;
  UnionModif(u).NumF = femme;
  m_unionsDeLaFemme.Change(u, femme, m_capacites.fiches);
  Change();
}

int TBD::NouvelleFiche() {
  int n = m_fiches.Cherche(ModeAjout != 0);
  if (n == 0) return 0;
  if (n <= NbreFiche()) EffaceFiche(n);  // a fresh slot is already empty
  m_journal->AvantFiche(n);
  m_fiches.Occupe(n);
  Change();
  return n;
}

void TBD::EffaceFiche(int n) {
  if (!PersonneValide(n)) return;
  {
    const Texte& tab = m_fiches[n].TabEve;
    for (int k = 1; k <= NbreEntrees(tab); ++k) {
      int e = LitEntree(tab, k);
      if (m_eves.Valide(e)) EffaceEve(e);
    }
  }
  FixePere(n, 0);
  FixeMere(n, 0);
  FicheModif(n) = TFiche();
  m_fiches.FixeUtilise(n, 0);
  Change();
}

int TBD::SupprimeFiche(int n) {
  if (!PersonneValide(n)) return n;
  std::vector<int> liste;
  m_enfantsDuPere.Sources(n, liste);
  for (int c : liste) FixePere(c, 0);
  m_enfantsDeLaMere.Sources(n, liste);
  for (int c : liste) FixeMere(c, 0);
  m_unionsDuMari.Sources(n, liste);
  for (int u : liste) EffaceUnion(u);
  m_unionsDeLaFemme.Sources(n, liste);
  for (int u : liste) EffaceUnion(u);
  EffaceFiche(n);
  return n;
}

bool TBD::FicheUtilisee(int n) const { return PersonneValide(n) && m_fiches[n].Utilise != 0; }

int TBD::NbreFichesUtilisees() const { return m_fiches.NbreUtilises(); }

int TBD::FicheSuivante(int n) const {
  if (n < 0 || n >= NbreFiche()) return 0;
  int k = n + 1;
  const detail::Trous& trous = m_fiches.TrousLibres();
  if (trous.EstLibre(k)) k = trous.FinDuTrou(k) + 1;
  return k <= NbreFiche() ? k : 0;
}

int TBD::FichePrecedente(int n) const {
  if (n < 1 || n > NbreFiche() + 1) return 0;
  int k = n - 1;
  if (k < 1) return 0;
  const detail::Trous& trous = m_fiches.TrousLibres();
  if (trous.EstLibre(k)) k = trous.DebutDuTrou(k) - 1;
  return k >= 1 ? k : 0;
}

std::string TBD::NomCourt(int n) const {
  if (!PersonneValide(n)) return {};
  const TFiche& f = m_fiches[n];
  return f.Nom + " " + PremierPrenom(f.Pre);
}

int TBD::NouvelleUnion() {
  int u = m_unions.Cherche(ModeAjout != 0);
  if (u == 0) return 0;
  // A slot freed by UnionValide still lists the old couple's events: they
  // must not pass to the new couple.
  if (u <= NbreUnion()) EffaceUnion(u);
  m_journal->AvantUnion(u);
  m_unions.Occupe(u);
  for (int code = 1; code <= 7; ++code) EcritChampUnion(u, code, "");
  Change();
  return u;
}

int TBD::CreeUnion(int a, int b) {
  int u = NouvelleUnion();
  if (u == 0) return 0;
  bool aEstHomme = PersonneValide(a) && m_fiches[a].Sexe == 0;
  FixeMari(u, aEstHomme ? a : b);
  FixeFemme(u, aEstHomme ? b : a);
  return u;
}

int TBD::EffaceUnion(int u) {
  if (!m_unions.Valide(u)) return u;
  Texte& tab = UnionModif(u).TabEve;
  for (int k = 1; k <= NbreEntrees(tab); ++k) {
    int e = LitEntree(tab, k);
    if (m_eves.Valide(e)) EffaceEve(e);
  }
  tab.clear();
  FixeMari(u, 0);
  FixeFemme(u, 0);
  m_unions.FixeUtilise(u, 0);
  Change();
  return u;
}

bool TBD::UnionValide(int u) {
  if (!m_unions.Valide(u)) return false;
  const TUnion& x = m_unions[u];
  bool valide = x.Utilise != 0 && x.NumH > 0 && x.NumF > 0;
  uint8_t utilise = valide ? 1 : 0;
  if (x.Utilise != utilise) {
    UnionModif(u);
    m_unions.FixeUtilise(u, utilise);
    Change();
  }
  return valide;
}

int TBD::NbreUnionsValides() {
  int nbre = 0;
  for (int u = 1; u <= NbreUnion(); ++u)
    if (UnionValide(u)) ++nbre;
  return nbre;
}

int TBD::LitNumH(int u) const {
  return m_unions.Valide(u) && m_unions[u].Utilise != 0 ? m_unions[u].NumH : 0;
}

int TBD::LitNumF(int u) const {
  return m_unions.Valide(u) && m_unions[u].Utilise != 0 ? m_unions[u].NumF : 0;
}

void TBD::EcritNumH(int u, int n) {
  if (m_unions.Valide(u)) FixeMari(u, n);
}

void TBD::EcritNumF(int u, int n) {
  if (m_unions.Valide(u)) FixeFemme(u, n);
}

void TBD::Vide() {
  m_journal->Vide();
  m_fiches.Vide();
  m_unions.Vide();
  m_eves.Vide();
  m_srcs.Vide();
  m_enfantsDuPere.Vide();
  m_enfantsDeLaMere.Vide();
  m_unionsDuMari.Vide();
  m_unionsDeLaFemme.Vide();
  RefPers = 0;
  BaseChargee = 0;
  DateCreeBase = DateDuJourTexte();
  DateSauveBase = DateCreeBase;
  Change();
}

// ---------------------------------------------------------------------------
// Record access and bulk loading

namespace {

template <typename T>
const T& Vierge() {
  static const T vierge;
  return vierge;
}

}  // namespace

const TFiche& TBD::Fiche(int n) const {
  assert(m_fiches.Valide(n) && "person number out of range");
  return m_fiches.Valide(n) ? m_fiches[n] : Vierge<TFiche>();
}

const TUnion& TBD::Union(int u) const {
  assert(m_unions.Valide(u) && "union number out of range");
  return m_unions.Valide(u) ? m_unions[u] : Vierge<TUnion>();
}

const TEve& TBD::Eve(int e) const {
  assert(m_eves.Valide(e) && "event number out of range");
  return m_eves.Valide(e) ? m_eves[e] : Vierge<TEve>();
}

const TSrc& TBD::Src(int s) const {
  assert(m_srcs.Valide(s) && "source number out of range");
  return m_srcs.Valide(s) ? m_srcs[s] : Vierge<TSrc>();
}

TFiche& TBD::FicheBrute(int n) {
  assert(m_fiches.Valide(n) && "person number out of range");
  if (m_fiches.Valide(n)) return FicheModif(n);
  m_ficheJetable = TFiche();
  return m_ficheJetable;
}

TUnion& TBD::UnionBrute(int u) {
  assert(m_unions.Valide(u) && "union number out of range");
  if (m_unions.Valide(u)) return UnionModif(u);
  m_unionJetable = TUnion();
  return m_unionJetable;
}

TEve& TBD::EveBrute(int e) {
  assert(m_eves.Valide(e) && "event number out of range");
  if (m_eves.Valide(e)) return EveModif(e);
  m_eveJetable = TEve();
  return m_eveJetable;
}

TSrc& TBD::SrcBrute(int s) {
  assert(m_srcs.Valide(s) && "source number out of range");
  if (m_srcs.Valide(s)) return SrcModif(s);
  m_srcJetable = TSrc();
  return m_srcJetable;
}

bool TBD::PlaceFiche(int n, TFiche fiche) {
  if (n < 1 || n > m_capacites.fiches) return false;
  m_journal->AvantFiche(n);
  int pere = fiche.NumP;
  int mere = fiche.NumM;
  m_fiches.Place(n, std::move(fiche));
  m_enfantsDuPere.Change(n, pere, m_capacites.fiches);
  m_enfantsDeLaMere.Change(n, mere, m_capacites.fiches);
  Change();
  return true;
}

bool TBD::PlaceUnion(int u, TUnion uni) {
  if (u < 1 || u > m_capacites.unions) return false;
  m_journal->AvantUnion(u);
  int mari = uni.NumH;
  int femme = uni.NumF;
  m_unions.Place(u, std::move(uni));
  m_unionsDuMari.Change(u, mari, m_capacites.fiches);
  m_unionsDeLaFemme.Change(u, femme, m_capacites.fiches);
  Change();
  return true;
}

bool TBD::PlaceEve(int e, TEve eve) {
  if (e < 1 || e > m_capacites.eves) return false;
  m_journal->AvantEve(e);
  m_eves.Place(e, std::move(eve));
  Change();
  return true;
}

bool TBD::PlaceSrc(int s, TSrc src) {
  if (s < 1 || s > m_capacites.srcs) return false;
  m_journal->AvantSrc(s);
  m_srcs.Place(s, std::move(src));
  Change();
  return true;
}

bool TBD::FixeNbreFiche(int nbre) {
  if (nbre < 0 || nbre > m_capacites.fiches) return false;
  m_journal->AvantNbreFiche(nbre);
  m_fiches.FixeNbre(nbre);
  m_enfantsDuPere.Tronque(nbre);
  m_enfantsDeLaMere.Tronque(nbre);
  Change();
  return true;
}

bool TBD::FixeNbreUnion(int nbre) {
  if (nbre < 0 || nbre > m_capacites.unions) return false;
  m_journal->AvantNbreUnion(nbre);
  m_unions.FixeNbre(nbre);
  m_unionsDuMari.Tronque(nbre);
  m_unionsDeLaFemme.Tronque(nbre);
  Change();
  return true;
}

bool TBD::FixeNbreEve(int nbre) {
  if (nbre < 0 || nbre > m_capacites.eves) return false;
  m_journal->AvantNbreEve(nbre);
  m_eves.FixeNbre(nbre);
  Change();
  return true;
}

bool TBD::FixeNbreSrc(int nbre) {
  if (nbre < 0 || nbre > m_capacites.srcs) return false;
  m_journal->AvantNbreSrc(nbre);
  m_srcs.FixeNbre(nbre);
  Change();
  return true;
}

void TBD::ReconstruitIndex() {
  m_fiches.ReconstruitTrous();
  m_unions.ReconstruitTrous();
  m_eves.ReconstruitTrous();
  m_srcs.ReconstruitTrous();
  m_enfantsDuPere.Vide();
  m_enfantsDeLaMere.Vide();
  m_unionsDuMari.Vide();
  m_unionsDeLaFemme.Vide();
  for (int n = 1; n <= NbreFiche(); ++n) {
    m_enfantsDuPere.Change(n, m_fiches[n].NumP, m_capacites.fiches);
    m_enfantsDeLaMere.Change(n, m_fiches[n].NumM, m_capacites.fiches);
  }
  for (int u = 1; u <= NbreUnion(); ++u) {
    m_unionsDuMari.Change(u, m_unions[u].NumH, m_capacites.fiches);
    m_unionsDeLaFemme.Change(u, m_unions[u].NumF, m_capacites.fiches);
  }
  Change();
}

}  // namespace kindrela
