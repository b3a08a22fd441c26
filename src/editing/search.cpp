#include "editing/search.h"

#include <algorithm>

#include "chart/kinship.h"
#include "core/database.h"
#include "core/journal.h"
#include "core/letters.h"
#include "core/text.h"
#include "dates/dates.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

constexpr int kHomme = 0, kFemme = 1;
// Below this many person slots the lists are always built afresh.
constexpr int kSeuilReconstruction = 2500;
constexpr int kPasProgression = 2000;

int AnneeNaissance(const TBD& bd, int p) { return DateAnnee(bd.LitDateNaissance(p)); }

}  // namespace

FenetreAnnees FenetreNaissance(const TBD& bd, ModeRecherche mode, int a, const OptionsRecherche& o) {
  const int b = AnneeNaissance(bd, a);
  if (mode == ModeRecherche::Selection || b <= 0) return {};
  switch (mode) {
    case ModeRecherche::Pere:
    case ModeRecherche::Mere: return {b - o.ageEnfMax, b - o.ageEnfMin};
    case ModeRecherche::Conjoint: return {b - o.ecartConjMax, b + o.ecartConjMax};
    case ModeRecherche::Enfant: return {b + o.ageEnfMin, b + o.ageEnfMax};
    case ModeRecherche::Fratrie: return {b - o.ageEnfMax, b + o.ageEnfMax};
    case ModeRecherche::Selection: break;
  }
  return {};
}

bool CandidatAdmis(const TBD& bd, const FiltreCandidats& f, int c) {
  if (!bd.FicheUtilisee(c)) return false;
  if (f.mode == ModeRecherche::Selection) return true;
  if (c == f.a) return false;
  const int sexe = bd.LitSexe(c);
  switch (f.mode) {
    case ModeRecherche::Pere:
      if (sexe == kFemme) return false;
      break;
    case ModeRecherche::Mere:
      if (sexe == kHomme) return false;
      break;
    case ModeRecherche::Fratrie:
      if (bd.LitPere(c) != 0 && bd.LitMere(c) != 0) return false;
      break;
    case ModeRecherche::Enfant: {
      const int sexeA = bd.LitSexe(f.a);
      if (sexeA == kHomme && bd.LitPere(c) != 0) return false;
      if (sexeA == kFemme && bd.LitMere(c) != 0) return false;
      break;
    }
    case ModeRecherche::Conjoint:
      if (sexe == bd.LitSexe(f.a)) return false;
      break;
    case ModeRecherche::Selection: break;
  }
  if (f.tous) return true;
  const int annee = AnneeNaissance(bd, c);
  return annee <= 0 || (annee >= f.annees.basse && annee <= f.annees.haute);
}

TextesRecherche TextesDeRecherche(const TBD& bd, const TTraduction& t, ModeRecherche mode, int a,
                                  const FenetreAnnees& annees) {
  TextesRecherche r;
  if (mode == ModeRecherche::Selection) {
    r.titre = t.Msg(403);
    r.groupe = t.Msg(402);
    return r;
  }
  const bool homme = bd.LitSexe(a) == kHomme;
  int titre = 0, sans = 0, avec = 0;
  switch (mode) {
    case ModeRecherche::Pere: titre = 404, sans = 405, avec = 406; break;
    case ModeRecherche::Mere: titre = 407, sans = 408, avec = 409; break;
    case ModeRecherche::Conjoint:
      titre = 410, sans = homme ? 411 : 412, avec = homme ? 413 : 414;
      break;
    case ModeRecherche::Enfant:
      titre = 415, sans = homme ? 416 : 417, avec = homme ? 418 : 419;
      break;
    case ModeRecherche::Fratrie: titre = 420, sans = 421, avec = 422; break;
    case ModeRecherche::Selection: break;
  }
  r.titre = t.Msg(titre) + " " + bd.NomCourt(a);
  r.groupe = annees.Aucune() ? t.Msg(sans)
                             : Remplit(t.Msg(avec), {std::to_string(annees.basse), std::to_string(annees.haute)});
  r.avecDates = true;
  return r;
}

std::string LignePersonne(const TBD& bd, int p, bool avecNom, std::string_view format) {
  if (!bd.FicheUtilisee(p)) return {};
  std::string ligne = avecNom ? bd.LitNom(p) + " " : std::string();
  ligne += bd.LitPrenoms(p) + "  ";
  if (const std::string n = bd.LitDateNaissance(p); !n.empty()) return ligne + DateAffichee(n, format);
  if (const std::string b = bd.LitEveNature(p, bd.NatBapteme, 2); !b.empty())
    return ligne + "b " + DateAffichee(b, format);
  std::string mariage;
  for (int u : UnionsOf(bd, p))
    if (std::string d = bd.LitEveUnionNature(u, bd.NatMariage, 2); !d.empty()) mariage = std::move(d);
  if (!mariage.empty()) ligne += "x " + DateAffichee(mariage, format);
  return ligne;
}

void LieCandidat(ContexteAjout& ctx, ModeRecherche mode, int a, int c) {
  TBD& bd = ctx.bd;
  if (mode == ModeRecherche::Selection || !bd.FicheUtilisee(c) || !bd.FicheUtilisee(a) || c == a) return;
  TEtapeJournal etape(bd, "lien de " + bd.NomCourt(a) + " avec " + bd.NomCourt(c));
  switch (mode) {
    case ModeRecherche::Pere:
      bd.EcritPere(a, c);
      CompleteApresPere(ctx, a, c);
      break;
    case ModeRecherche::Mere:
      bd.EcritMere(a, c);
      CompleteApresMere(ctx, a, c);
      break;
    case ModeRecherche::Conjoint:
      if (bd.CreeUnion(a, c) == 0) return;
      CompleteApresConjoint(ctx, a, c);
      break;
    case ModeRecherche::Enfant:
      if (bd.LitSexe(a) != kHomme) bd.EcritMere(c, a);
      else bd.EcritPere(c, a);
      CompleteApresEnfant(ctx, a, c);
      break;
    case ModeRecherche::Fratrie:
      if (bd.LitPere(c) == 0) bd.EcritPere(c, bd.LitPere(a));
      else if (bd.LitPere(a) == 0) bd.EcritPere(a, bd.LitPere(c));
      if (bd.LitMere(c) == 0) bd.EcritMere(c, bd.LitMere(a));
      else if (bd.LitMere(a) == 0) bd.EcritMere(a, bd.LitMere(c));
      break;
    case ModeRecherche::Selection: return;
  }
  bd.BaseModifiee = 1;
}

// ---------------------------------------------------------------------------
// TRechercheFiche

TRechercheFiche::TRechercheFiche(const TBD& bd, std::string formatDate)
    : m_bd(bd), m_formatDate(std::move(formatDate)) {}

void TRechercheFiche::Commence(ModeRecherche mode, int a, int selection, const OptionsRecherche& options) {
  m_filtre.mode = mode;
  m_filtre.a = mode == ModeRecherche::Selection ? 0 : a;
  m_filtre.annees = FenetreNaissance(m_bd, mode, a, options);
  m_candidat = selection;
}

bool TRechercheFiche::DoitReconstruire(bool refresh) const {
  const bool vide = m_forme == FormeListe::Unique ? m_personnes.empty() : m_noms.empty();
  return m_bd.NbreFiche() < kSeuilReconstruction || refresh || !m_indexPret || vide ||
         m_filtre.mode != ModeRecherche::Selection || !m_prefixe.empty() ||
         // Lists restricted for a link are no answer to a plain search.
         m_modeConstruit != ModeRecherche::Selection;
}

bool TRechercheFiche::Reconstruit(const Progression& progression) {
  m_index.clear();
  m_indexPret = false;
  m_noms.clear();
  m_plagesNoms.clear();
  m_personnes.clear();
  m_nomChoisi = m_ligne = -1;
  const int total = m_bd.NbreFiche();
  m_index.reserve(static_cast<size_t>(m_bd.NbreFichesUtilisees()));
  for (int n = m_bd.FicheSuivante(0); n != 0; n = m_bd.FicheSuivante(n)) {
    const TFiche& f = m_bd.Fiche(n);
    Entree e;
    e.cle = CleTri(f.Nom);
    e.cle += '\1';
    e.cle += MinusculesAnsi(f.Nom);
    e.cle += '\1';
    e.finNom = static_cast<uint32_t>(e.cle.size());
    e.cle += CleTri(f.Pre);
    e.personne = n;
    m_index.push_back(std::move(e));
    if (progression && n % kPasProgression == 0 && !progression(n, total)) {
      m_index.clear();
      return false;
    }
  }
  std::sort(m_index.begin(), m_index.end(), [](const Entree& x, const Entree& y) {
    const int c = x.cle.compare(y.cle);
    return c != 0 ? c < 0 : x.personne < y.personne;
  });
  m_indexPret = true;
  m_modeConstruit = m_filtre.mode;
  if (progression) progression(total, total);
  RemplitVisible();
  MontreCandidat(m_candidat);
  return true;
}

std::pair<size_t, size_t> TRechercheFiche::Plage() const {
  const std::string& k = m_clePrefixe;
  auto debut = std::partition_point(m_index.begin(), m_index.end(), [&](const Entree& e) {
    return e.cle.compare(0, k.size(), k) < 0;
  });
  auto fin = std::partition_point(debut, m_index.end(), [&](const Entree& e) {
    return e.cle.compare(0, k.size(), k) == 0;
  });
  return {static_cast<size_t>(debut - m_index.begin()), static_cast<size_t>(fin - m_index.begin())};
}

void TRechercheFiche::RemplitVisible() {
  m_noms.clear();
  m_plagesNoms.clear();
  m_personnes.clear();
  m_nomChoisi = m_ligne = -1;
  if (!m_indexPret) return;
  const auto [debut, fin] = Plage();
  if (m_forme == FormeListe::Unique) {
    for (size_t i = debut; i < fin; ++i)
      if (CandidatAdmis(m_bd, m_filtre, m_index[i].personne)) m_personnes.push_back(m_index[i].personne);
    return;
  }
  for (size_t i = debut; i < fin;) {
    size_t j = i;
    int premier = 0;
    while (j < fin && m_index[j].Nom() == m_index[i].Nom()) {
      if (premier == 0 && CandidatAdmis(m_bd, m_filtre, m_index[j].personne)) premier = m_index[j].personne;
      ++j;
    }
    if (premier != 0) {
      m_noms.push_back(m_bd.LitNom(premier));
      m_plagesNoms.emplace_back(i, j);
    }
    i = j;
  }
}

void TRechercheFiche::ChoisitPremier() {
  if (m_forme == FormeListe::Unique) ChoisitLigne(0);
  else ChoisitNom(0);
}

void TRechercheFiche::SetPrefixe(std::string_view prefixe) {
  m_prefixe = std::string(prefixe);
  m_clePrefixe = CleTri(prefixe);
  RemplitVisible();
  ChoisitPremier();
}

void TRechercheFiche::SetTous(bool tous) {
  m_filtre.tous = tous;
  RemplitVisible();
  MontreCandidat(m_candidat);
}

void TRechercheFiche::SetForme(FormeListe forme) {
  m_forme = forme;
  RemplitVisible();
  MontreCandidat(m_candidat);
}

void TRechercheFiche::ChoisitNom(int k) {
  m_personnes.clear();
  m_ligne = -1;
  if (k < 0 || k >= static_cast<int>(m_noms.size())) {
    m_nomChoisi = -1;
    return;
  }
  m_nomChoisi = k;
  const auto [debut, fin] = m_plagesNoms[static_cast<size_t>(k)];
  int ligne = 0;
  for (size_t i = debut; i < fin; ++i) {
    const int p = m_index[i].personne;
    if (!CandidatAdmis(m_bd, m_filtre, p)) continue;
    if (p == m_candidat) ligne = static_cast<int>(m_personnes.size());
    m_personnes.push_back(p);
  }
  ChoisitLigne(ligne);
}

std::string TRechercheFiche::LibelleNoms(const TTraduction& t) const {
  return t.Msg(401) + " (" + std::to_string(m_noms.size()) + ")";
}

void TRechercheFiche::ChoisitLigne(int k) {
  if (k < 0 || k >= static_cast<int>(m_personnes.size())) {
    m_ligne = -1;
    return;
  }
  m_ligne = k;
  m_candidat = m_personnes[static_cast<size_t>(k)];
}

std::string TRechercheFiche::Ligne(int k) const {
  if (k < 0 || k >= static_cast<int>(m_personnes.size())) return {};
  return LignePersonne(m_bd, m_personnes[static_cast<size_t>(k)], m_forme == FormeListe::Unique, m_formatDate);
}

bool TRechercheFiche::OkPermis() const {
  if (m_ligne < 0) return false;
  return m_forme == FormeListe::Unique || m_nomChoisi >= 0;
}

void TRechercheFiche::MontreCandidat(int n) {
  if (m_forme == FormeListe::Unique) {
    auto it = std::find(m_personnes.begin(), m_personnes.end(), n);
    ChoisitLigne(it != m_personnes.end() ? static_cast<int>(it - m_personnes.begin()) : 0);
    return;
  }
  for (size_t k = 0; k < m_plagesNoms.size(); ++k) {
    const auto [debut, fin] = m_plagesNoms[k];
    for (size_t i = debut; i < fin; ++i)
      if (m_index[i].personne == n && CandidatAdmis(m_bd, m_filtre, n)) return ChoisitNom(static_cast<int>(k));
  }
  ChoisitNom(0);
}

}  // namespace kindrela
