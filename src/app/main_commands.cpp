#include "app/main_commands.h"

#include <algorithm>

#include "core/text.h"
#include "dates/dates.h"
#include "dates/places.h"

namespace kindrela {
namespace {

std::string LegendeDatee(const TBD& bd, int n) {
  return bd.NomCourt(n) + " " + bd.LitDateNaissance(n);
}

void Recaptionne(const TBD& bd, std::vector<TEntreeHistorique>& liste) {
  for (auto& e : liste) e.legende = LegendeDatee(bd, e.personne);
}

}  // namespace

void THistorique::Selectionne(const TBD& bd, int n, int maxEntrees) {
  Recaptionne(bd, m_precedente);
  Recaptionne(bd, m_suivante);
  if (!m_precedente.empty() && m_precedente.front().personne == n) return;
  if (!m_suivante.empty() && m_suivante.front().personne == n) {
    AvanceA(0);
    return;
  }
  // The last entry for n goes: it comes back on top.
  for (size_t i = m_precedente.size(); i-- > 0;) {
    if (m_precedente[i].personne == n) {
      m_precedente.erase(m_precedente.begin() + static_cast<long>(i));
      break;
    }
  }
  m_precedente.insert(m_precedente.begin(), TEntreeHistorique{bd.NomCourt(n), n});
  m_suivante.clear();
  if (maxEntrees >= 0 && static_cast<int>(m_precedente.size()) > maxEntrees)
    m_precedente.resize(static_cast<size_t>(std::max(maxEntrees, 1)));
}

int THistorique::Recule() { return ReculeA(1); }

int THistorique::ReculeA(int index) {
  if (index < 1 || index >= static_cast<int>(m_precedente.size())) return 0;
  // The entries above the target, the nearest to it ending first in "Suivante".
  for (int i = 0; i < index; ++i) m_suivante.insert(m_suivante.begin(), m_precedente[static_cast<size_t>(i)]);
  m_precedente.erase(m_precedente.begin(), m_precedente.begin() + index);
  return m_precedente.front().personne;
}

int THistorique::AvanceA(int index) {
  if (index < 0 || index >= static_cast<int>(m_suivante.size())) return 0;
  for (int i = 0; i <= index; ++i)
    m_precedente.insert(m_precedente.begin(), m_suivante[static_cast<size_t>(i)]);
  m_suivante.erase(m_suivante.begin(), m_suivante.begin() + index + 1);
  return m_precedente.front().personne;
}

void THistorique::Nettoie(const TBD& bd, int maxEntrees) {
  for (auto* liste : {&m_precedente, &m_suivante}) {
    std::vector<TEntreeHistorique> gardes;
    for (const auto& e : *liste) {
      if (maxEntrees >= 0 && static_cast<int>(gardes.size()) >= maxEntrees) break;
      if (bd.FicheUtilisee(e.personne)) gardes.push_back(e);
    }
    *liste = std::move(gardes);
  }
}

void THistorique::Vide() {
  m_precedente.clear();
  m_suivante.clear();
}

bool CreeNouvelArbre(TBD& bd, const std::array<std::string, 3>& noms) {
  bd.Vide();
  int p[3];
  for (int i = 0; i < 3; ++i) {
    p[i] = bd.NouvelleFiche();
    if (p[i] == 0) {
      bd.Vide();
      return false;
    }
    bd.EcritNom(p[i], noms[static_cast<size_t>(i)]);
    bd.EcritChamp(p[i], 26, std::to_string(i + 1));
  }
  bd.EcritSexe(p[2], 1);
  bd.EcritPere(p[0], p[1]);
  bd.EcritMere(p[0], p[2]);
  if (bd.CreeUnion(p[1], p[2]) == 0) {
    bd.Vide();
    return false;
  }
  bd.RefPers = p[0];
  return true;
}

int CreeArbreAssistant(TBD& bd, const std::array<TPersonneAssistant, 7>& slots) {
  bd.Vide();
  std::array<int, 7> num{};
  int premier = 0;
  for (size_t i = 0; i < slots.size(); ++i) {
    const TPersonneAssistant& s = slots[i];
    if (Trim(s.nom).empty() || Trim(s.prenoms).empty()) continue;
    int n = bd.NouvelleFiche();
    if (n == 0) break;
    num[i] = n;
    if (premier == 0) premier = n;
    bd.EcritNom(n, Trim(s.nom));
    bd.EcritPrenoms(n, Trim(s.prenoms));
    bd.EcritSexe(n, i == 0 ? s.sexe : (i % 2 == 1 ? 0 : 1));
    bd.EcritEveNature(n, bd.NatNaissance, 2, DateNormalise(DateSaisie(s.dateNaissance)));
    bd.EcritEveNature(n, bd.NatNaissance, 4, Trim(s.lieuNaissance));
    bd.EcritEveNature(n, bd.NatDeces, 2, DateNormalise(DateSaisie(s.dateDeces)));
    bd.EcritEveNature(n, bd.NatDeces, 4, Trim(s.lieuDeces));
  }
  // Child slot, father slot, mother slot.
  constexpr int kFamilles[3][3] = {{0, 1, 2}, {1, 3, 4}, {2, 5, 6}};
  for (const auto& f : kFamilles) {
    if (num[f[0]] == 0) continue;
    bd.EcritPere(num[f[0]], num[f[1]]);
    bd.EcritMere(num[f[0]], num[f[2]]);
  }
  for (const auto& f : {kFamilles[1], kFamilles[2], kFamilles[0]})
    if (num[f[1]] != 0 && num[f[2]] != 0) bd.CreeUnion(num[f[1]], num[f[2]]);
  int moi = num[0] != 0 ? num[0] : premier;
  bd.RefPers = moi;
  return moi;
}

int RechercheSosa(const TBD& bd, std::string_view reponse, int selecPers) {
  std::string r = Trim(reponse);
  if (size_t vg = r.find("VG"); vg != std::string::npos) {
    std::string_view apres = std::string_view(r).substr(vg + 2);
    int n = EstEntier(Trim(apres)) ? TexteVersEntier(Trim(apres)) : selecPers;
    return bd.FicheUtilisee(n) ? n : 0;
  }
  if (r.empty()) return 0;
  const std::string cherche = "," + r + ",";
  for (int n = bd.FicheSuivante(0); n != 0; n = bd.FicheSuivante(n)) {
    const Texte& numero = bd.Fiche(n).Numero;
    if (numero.empty()) continue;
    if (("," + numero + ",").find(cherche) != std::string::npos) return n;
  }
  return 0;
}

void TriParPrenomEtNaissance(const TBD& bd, TR& liste) {
  SortByColumnText(bd, liste, 3);
  SortByDateColumn(bd, liste, 6);
}

int PersonneVoisine(const TBD& bd, int p, Parente parente, bool suivante) {
  if (!bd.FicheUtilisee(p)) return 0;
  TR proches = parente == Parente::Conjoint ? SpousesOf(bd, p) : SiblingsOf(bd, p);
  TR liste(proches.Count() + 1);
  for (int n : proches)
    if (n > 0) liste.Add(n);
  if (liste.Count() == 0) return 0;
  liste.Add(p);
  TriParPrenomEtNaissance(bd, liste);
  int k = 1;
  while (k <= liste.Count() && liste.Get(k) != p) ++k;
  if (suivante) return liste.Get(k >= liste.Count() ? 1 : k + 1);
  return liste.Get(k <= 1 ? liste.Count() : k - 1);
}

int EnfantChoisi(const TBD& bd, int p, const std::function<bool(int)>& visible) {
  TR enfants = ChildrenOf(bd, p);
  if (enfants.Count() == 0) return 0;
  TriParPrenomEtNaissance(bd, enfants);
  if (visible)
    for (int n : enfants)
      if (visible(n)) return n;
  return enfants.Get(1);
}

std::string BullePersonne(const TBD& bd, int n) {
  if (!bd.FicheUtilisee(n)) return {};
  std::string texte = Trim(bd.LitNom(n) + " " + bd.LitPrenoms(n));
  auto ligne = [&texte](const std::string& mot, const std::string& date, const std::string& lieu) {
    const std::string ou = LieuLisible(lieu);
    if (date.empty() && ou.empty()) return;
    texte += "\n" + mot + " : " + date;
    if (!date.empty() && !ou.empty()) texte += ", ";
    texte += ou;
  };
  ligne(bd.NatNaissance, bd.LitDateNaissance(n), bd.LitLieuNaissance(n));
  ligne(bd.NatDeces, bd.LitDateDeces(n), bd.LitLieuDeces(n));
  return texte;
}

}  // namespace kindrela
