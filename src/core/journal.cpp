#include "core/journal.h"

#include <algorithm>
#include <type_traits>

namespace kindrela {

struct TJournal::Etape {
  uint64_t id = 0;
  std::string nom;
  std::string cle;         // the field of a field's step
  bool implicite = false;  // a field's step, or changes outside any command
  bool vuModifiee = false; // BaseModifiee was 1 at one of its changes
  int32_t refPers = 0;     // RefPers to restore
  Etats<TFiche> fiches;
  Etats<TUnion> unions;
  Etats<TEve> eves;
  Etats<TSrc> srcs;
  std::size_t octets = 0;
};

namespace {

// Heap bytes of a text beyond the object itself (short texts live inside it).
std::size_t Tas(const std::string& s) {
  return s.capacity() > std::string().capacity() ? s.capacity() + 1 : 0;
}
std::size_t Tas(const Texte& s) { return s.capacity() > Texte::kCourt ? s.capacity() + 1 : 0; }

std::size_t Tas(const TFiche& f) {
  return Tas(f.Nom) + Tas(f.Pre) + Tas(f.Note) + Tas(f.Dcree) + Tas(f.DdMAJ) + Tas(f.Champs) +
         Tas(f.TabEve) + Tas(f.Numero) + Tas(f.TabSrc) + Tas(f.Reserve);
}
std::size_t Tas(const TUnion& u) { return Tas(u.TabEve); }
std::size_t Tas(const TEve& e) {
  return Tas(e.Nature) + Tas(e.DateEve) + Tas(e.Heure) + Tas(e.Lieu) + Tas(e.NoteEve) +
         Tas(e.Certitude);
}
std::size_t Tas(const TSrc& s) {
  return Tas(s.SrcTitre) + Tas(s.SrcAbrege) + Tas(s.SrcTexte) + Tas(s.SrcMedia);
}

// Replie is the chart's view of the record, not part of it.
bool Pareil(const TFiche& a, const TFiche& b) {
  return a.Utilise == b.Utilise && a.Sexe == b.Sexe && a.NumP == b.NumP && a.NumM == b.NumM &&
         a.CertP == b.CertP && a.CertM == b.CertM && a.Nom == b.Nom && a.Pre == b.Pre &&
         a.Note == b.Note && a.Dcree == b.Dcree && a.DdMAJ == b.DdMAJ && a.Champs == b.Champs &&
         a.TabEve == b.TabEve && a.Numero == b.Numero && a.TabSrc == b.TabSrc &&
         a.Reserve == b.Reserve;
}
bool Pareil(const TUnion& a, const TUnion& b) {
  return a.Utilise == b.Utilise && a.NumH == b.NumH && a.NumF == b.NumF && a.TabEve == b.TabEve;
}
bool Pareil(const TEve& a, const TEve& b) {
  return a.Utilise == b.Utilise && a.Nature == b.Nature && a.DateEve == b.DateEve &&
         a.Heure == b.Heure && a.Lieu == b.Lieu && a.NoteEve == b.NoteEve &&
         a.Certitude == b.Certitude;
}
bool Pareil(const TSrc& a, const TSrc& b) {
  return a.Utilise == b.Utilise && a.SrcTitre == b.SrcTitre && a.SrcAbrege == b.SrcAbrege &&
         a.SrcTexte == b.SrcTexte && a.SrcMedia == b.SrcMedia;
}

template <typename T>
std::size_t Mesure(const TJournal::Etats<T>& etats) {
  std::size_t octets = etats.lignes.capacity() * sizeof(std::pair<int, T>);
  for (const auto& [k, ligne] : etats.lignes) octets += Tas(ligne);
  return octets;
}

// Drops the kept states equal to the current ones (a field written with
// the text it had, a record looked at for writing and left alone).
template <typename T>
void Epure(const detail::Table<T>& table, TJournal::Etats<T>& etats) {
  auto fin = std::remove_if(etats.lignes.begin(), etats.lignes.end(), [&](const auto& p) {
    return p.first <= table.Nbre() && Pareil(p.second, table[p.first]);
  });
  etats.lignes.erase(fin, etats.lignes.end());
  etats.lignes.shrink_to_fit();
}

}  // namespace

TJournal::TJournal(TBD& bd) : m_bd(&bd) { m_base = ++m_serie; }

TJournal::~TJournal() = default;

// ---------------------------------------------------------------------------
// Steps

void TJournal::OuvreEtape(std::string nom, std::string cle, bool implicite) {
  auto e = std::make_unique<Etape>();
  e->id = ++m_serie;
  e->nom = std::move(nom);
  e->cle = std::move(cle);
  e->implicite = implicite;
  e->refPers = m_bd->RefPers;
  e->fiches.nbre = e->fiches.nbreOuverture = m_bd->NbreFiche();
  e->unions.nbre = e->unions.nbreOuverture = m_bd->NbreUnion();
  e->eves.nbre = e->eves.nbreOuverture = m_bd->NbreEve();
  e->srcs.nbre = e->srcs.nbreOuverture = m_bd->NbreSrc();
  if (++m_marque == 0) {
    // Marks wrapped round: forget them all so that no old mark matches.
    for (auto* m : {&m_marquesFiches, &m_marquesUnions, &m_marquesEves, &m_marquesSrcs})
      std::fill(m->begin(), m->end(), 0);
    m_marque = 1;
  }
  m_courante = std::move(e);
  Touche();
}

namespace {

bool AChange(const TJournal::Etape& e, const TBD& bd);

bool Modifiee(const std::unique_ptr<TJournal::Etape>& e) {
  return e && (!e->fiches.lignes.empty() || !e->unions.lignes.empty() ||
               !e->eves.lignes.empty() || !e->srcs.lignes.empty());
}

}  // namespace

TJournal::Etape& TJournal::Courante() {
  if (m_courante) {
    // Saved while a field was being edited (the flag went from 1 back to
    // 0): the file holds the state reached so far, which must stay
    // reachable by undo. The writers set the flag after writing, so a 0
    // before the first 1 is the state the step began in.
    if (m_courante->implicite) {
      if (m_bd->BaseModifiee != 0) {
        m_courante->vuModifiee = true;
      } else if (m_courante->vuModifiee) {
        std::string nom = m_courante->nom;
        std::string cle = m_courante->cle;
        ClotCourante();
        m_sauve = Etat();
        OuvreEtape(std::move(nom), std::move(cle), true);
      }
    }
    return *m_courante;
  }
  if (m_bd->BaseModifiee == 0) m_sauve = Etat();
  OuvreEtape(m_cleChamp.empty() ? std::string("modification") : m_nomChamp, m_cleChamp, true);
  return *m_courante;
}

void TJournal::Ouvre(std::string_view nom) {
  if (m_profondeur++ > 0) return;
  FermeChampEnCours();
  m_ignore = false;
  if (m_bd->BaseModifiee == 0) m_sauve = Etat();
  OuvreEtape(std::string(nom), {}, false);
}

void TJournal::Ferme() {
  if (m_profondeur == 0) return;
  if (--m_profondeur > 0) return;
  ClotCourante();
}

void TJournal::Champ(std::string_view nom, std::string_view cle) {
  if (m_profondeur > 0) return;
  m_ignore = false;
  if (m_courante && m_courante->cle != cle) {
    ClotCourante();
  } else if (m_courante && m_bd->BaseModifiee == 0 && Modifiee(m_courante)) {
    // Saved since the last keystroke: the state saved is a step of its own.
    ClotCourante();
    m_sauve = Etat();
  }
  m_nomChamp = nom;
  m_cleChamp = cle;
}

void TJournal::FinChamp() {
  if (m_profondeur > 0) return;
  FermeChampEnCours();
}

void TJournal::FermeChampEnCours() {
  ClotCourante();
  m_nomChamp.clear();
  m_cleChamp.clear();
}

void TJournal::ClotCourante() {
  if (!m_courante) return;
  std::unique_ptr<Etape> e = std::move(m_courante);
  TBD& bd = *m_bd;
  Epure(bd.m_fiches, e->fiches);
  Epure(bd.m_unions, e->unions);
  Epure(bd.m_eves, e->eves);
  Epure(bd.m_srcs, e->srcs);
  Touche();
  if (!AChange(*e, bd)) return;
  e->octets = sizeof(Etape) + Tas(e->nom) + Tas(e->cle) + Mesure(e->fiches) + Mesure(e->unions) +
              Mesure(e->eves) + Mesure(e->srcs);
  m_octets += e->octets;
  m_annulables.push_back(std::move(e));
  for (const auto& r : m_retablissables) m_octets -= r->octets;
  m_retablissables.clear();
  RespecteLimite();
}

namespace {

bool AChange(const TJournal::Etape& e, const TBD& bd) {
  return !e.fiches.lignes.empty() || !e.unions.lignes.empty() || !e.eves.lignes.empty() ||
         !e.srcs.lignes.empty() || e.fiches.nbre != bd.NbreFiche() ||
         e.unions.nbre != bd.NbreUnion() || e.eves.nbre != bd.NbreEve() ||
         e.srcs.nbre != bd.NbreSrc() || e.refPers != bd.RefPers;
}

}  // namespace

uint64_t TJournal::Etat() const { return m_annulables.empty() ? m_base : m_annulables.back()->id; }

void TJournal::Vide() {
  m_annulables.clear();
  m_retablissables.clear();
  m_courante.reset();
  m_octets = 0;
  m_ignore = true;
  m_nomChamp.clear();
  m_cleChamp.clear();
  m_base = ++m_serie;
  m_sauve = 0;
  for (auto* m : {&m_marquesFiches, &m_marquesUnions, &m_marquesEves, &m_marquesSrcs})
    std::vector<uint32_t>().swap(*m);
  Touche();
}

// ---------------------------------------------------------------------------
// Keeping states

template <typename T>
void TJournal::Garde(detail::Table<T>& table, Etats<T>& etats, std::vector<uint32_t>& marques,
                     int k) {
  // A slot above the count at the opening did not exist: undo drops it.
  if (k > etats.nbreOuverture) return;
  if (marques.size() <= static_cast<std::size_t>(k))
    marques.resize(std::max<std::size_t>(static_cast<std::size_t>(k) + 1, marques.size() * 2), 0);
  if (marques[k] == m_marque) return;
  marques[k] = m_marque;
  etats.lignes.emplace_back(k, table[k]);
}

template <typename T>
void TJournal::GardeAuDessus(detail::Table<T>& table, Etats<T>& etats,
                             std::vector<uint32_t>& marques, int nbre) {
  for (int k = std::max(nbre, 0) + 1; k <= table.Nbre() && k <= etats.nbreOuverture; ++k)
    Garde(table, etats, marques, k);
}

void TJournal::AvantFiche(int n) {
  if (m_ignore || m_application || n < 1) return;
  // A slot above the count opens the step too: the allocation grows the count.
  Etape& etape = Courante();
  if (m_bd->m_fiches.Valide(n)) Garde(m_bd->m_fiches, etape.fiches, m_marquesFiches, n);
}

void TJournal::AvantUnion(int u) {
  if (m_ignore || m_application || u < 1) return;
  // A slot above the count opens the step too: the allocation grows the count.
  Etape& etape = Courante();
  if (m_bd->m_unions.Valide(u)) Garde(m_bd->m_unions, etape.unions, m_marquesUnions, u);
}

void TJournal::AvantEve(int e) {
  if (m_ignore || m_application || e < 1) return;
  // A slot above the count opens the step too: the allocation grows the count.
  Etape& etape = Courante();
  if (m_bd->m_eves.Valide(e)) Garde(m_bd->m_eves, etape.eves, m_marquesEves, e);
}

void TJournal::AvantSrc(int s) {
  if (m_ignore || m_application || s < 1) return;
  // A slot above the count opens the step too: the allocation grows the count.
  Etape& etape = Courante();
  if (m_bd->m_srcs.Valide(s)) Garde(m_bd->m_srcs, etape.srcs, m_marquesSrcs, s);
}

// A count may also grow: the step then opens so that undo shrinks it back.
void TJournal::AvantNbreFiche(int nbre) {
  if (m_ignore || m_application) return;
  GardeAuDessus(m_bd->m_fiches, Courante().fiches, m_marquesFiches, nbre);
}

void TJournal::AvantNbreUnion(int nbre) {
  if (m_ignore || m_application) return;
  GardeAuDessus(m_bd->m_unions, Courante().unions, m_marquesUnions, nbre);
}

void TJournal::AvantNbreEve(int nbre) {
  if (m_ignore || m_application) return;
  GardeAuDessus(m_bd->m_eves, Courante().eves, m_marquesEves, nbre);
}

void TJournal::AvantNbreSrc(int nbre) {
  if (m_ignore || m_application) return;
  GardeAuDessus(m_bd->m_srcs, Courante().srcs, m_marquesSrcs, nbre);
}

// ---------------------------------------------------------------------------
// Undo and redo

namespace {

// Swaps one table's kept states with the current ones and sets its count
// to the kept one; `fixeNbre` sets the count with its indexes, `repare`
// puts a slot back into the free-slot and link indexes.
template <typename T, typename FixeNbre, typename Repare>
void Echange(detail::Table<T>& table, TJournal::Etats<T>& etats, FixeNbre&& fixeNbre,
             Repare&& repare) {
  const int courant = table.Nbre();
  const int cible = etats.nbre;
  if (cible > courant) fixeNbre(cible);
  for (auto& [k, ligne] : etats.lignes) {
    std::swap(table[k], ligne);
    if constexpr (std::is_same_v<T, TFiche>) std::swap(table[k].Replie, ligne.Replie);
  }
  if (cible < courant) {
    // The slots made during the step leave the table: they are what redo
    // brings back. Kept once; later swaps move them in and out.
    if (!etats.complet)
      for (int k = std::max(cible, etats.nbreOuverture) + 1; k <= courant; ++k)
        etats.lignes.emplace_back(k, std::move(table[k]));
    etats.complet = true;
    fixeNbre(cible);
  }
  for (const auto& [k, ligne] : etats.lignes)
    if (k <= table.Nbre()) repare(k);
  etats.nbre = courant;
}

}  // namespace

void TJournal::Applique(Etape& e, bool /*annule*/) {
  TBD& bd = *m_bd;
  m_application = true;
  const int cap = bd.m_capacites.fiches;
  Echange(bd.m_fiches, e.fiches, [&](int n) { bd.FixeNbreFiche(n); }, [&](int k) {
    const TFiche& f = bd.m_fiches[k];
    bd.m_fiches.FixeUtilise(k, f.Utilise);
    bd.m_enfantsDuPere.Change(k, f.NumP, cap);
    bd.m_enfantsDeLaMere.Change(k, f.NumM, cap);
  });
  Echange(bd.m_unions, e.unions, [&](int n) { bd.FixeNbreUnion(n); }, [&](int k) {
    const TUnion& u = bd.m_unions[k];
    bd.m_unions.FixeUtilise(k, u.Utilise);
    bd.m_unionsDuMari.Change(k, u.NumH, cap);
    bd.m_unionsDeLaFemme.Change(k, u.NumF, cap);
  });
  Echange(bd.m_eves, e.eves, [&](int n) { bd.FixeNbreEve(n); },
          [&](int k) { bd.m_eves.FixeUtilise(k, bd.m_eves[k].Utilise); });
  Echange(bd.m_srcs, e.srcs, [&](int n) { bd.FixeNbreSrc(n); },
          [&](int k) { bd.m_srcs.FixeUtilise(k, bd.m_srcs[k].Utilise); });
  std::swap(bd.RefPers, e.refPers);
  bd.Change();
  m_application = false;
  m_octets -= e.octets;
  e.octets = sizeof(Etape) + Tas(e.nom) + Tas(e.cle) + Mesure(e.fiches) + Mesure(e.unions) +
             Mesure(e.eves) + Mesure(e.srcs);
  m_octets += e.octets;
}

bool TJournal::PeutAnnuler() const {
  return m_profondeur == 0 && (!m_annulables.empty() || Modifiee(m_courante));
}

bool TJournal::PeutRetablir() const {
  return m_profondeur == 0 && !m_retablissables.empty() && !Modifiee(m_courante);
}

std::string TJournal::NomAnnulation() const {
  if (!PeutAnnuler()) return {};
  return Modifiee(m_courante) ? m_courante->nom : m_annulables.back()->nom;
}

std::string TJournal::NomRetablissement() const {
  return PeutRetablir() ? m_retablissables.back()->nom : std::string();
}

std::size_t TJournal::NbreAnnulables() const {
  return m_annulables.size() + (Modifiee(m_courante) ? 1 : 0);
}

bool TJournal::Annule() {
  if (m_profondeur > 0) return false;
  FermeChampEnCours();
  if (m_annulables.empty()) return false;
  if (m_bd->BaseModifiee == 0) m_sauve = Etat();
  std::unique_ptr<Etape> e = std::move(m_annulables.back());
  m_annulables.pop_back();
  Applique(*e, true);
  m_retablissables.push_back(std::move(e));
  m_bd->BaseModifiee = m_sauve != 0 && Etat() == m_sauve ? 0 : 1;
  RespecteLimite();
  Touche();
  return true;
}

bool TJournal::Retablit() {
  if (m_profondeur > 0) return false;
  FermeChampEnCours();
  if (m_retablissables.empty()) return false;
  if (m_bd->BaseModifiee == 0) m_sauve = Etat();
  std::unique_ptr<Etape> e = std::move(m_retablissables.back());
  m_retablissables.pop_back();
  Applique(*e, false);
  m_annulables.push_back(std::move(e));
  m_bd->BaseModifiee = m_sauve != 0 && Etat() == m_sauve ? 0 : 1;
  RespecteLimite();
  Touche();
  return true;
}

// ---------------------------------------------------------------------------
// Memory

void TJournal::RespecteLimite() {
  while (m_octets > m_limite && m_annulables.size() > 1) {
    m_octets -= m_annulables.front()->octets;
    m_base = m_annulables.front()->id;
    m_annulables.pop_front();
  }
}

void TJournal::FixeLimite(std::size_t octets) {
  m_limite = octets;
  RespecteLimite();
  Touche();
}

std::size_t TJournal::Octets() const {
  std::size_t octets = m_octets;
  if (m_courante)
    octets += sizeof(Etape) + Mesure(m_courante->fiches) + Mesure(m_courante->unions) +
              Mesure(m_courante->eves) + Mesure(m_courante->srcs);
  return octets;
}

}  // namespace kindrela
