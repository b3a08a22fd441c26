#include "editing/assisted_entry.h"

#include <unordered_set>

#include "core/database.h"
#include "core/letters.h"
#include "core/text.h"
#include "dates/places.h"

namespace kindrela {
namespace {

// Whether `texte` starts with `prefixe` (already in small letters) without
// regard to case; without building a text for the plain case.
bool CommencePar(std::string_view texte, std::string_view prefixe) {
  if (PeutContenirReference(texte) || PeutContenirReference(prefixe))
    return MinusculesAnsi(texte.substr(0, prefixe.size())) == prefixe;
  for (size_t i = 0; i < prefixe.size(); ++i)
    if (MinAnsi(static_cast<unsigned char>(texte[i])) != static_cast<unsigned char>(prefixe[i])) return false;
  return true;
}

// Collects the offered values; Ajoute returns false once the walk must stop.
class Collecte {
 public:
  explicit Collecte(const DemandeSaisie& d) : m_d(d), m_prefixe(MinusculesAnsi(d.texte)) {}

  // `compare` is the text matched against the prefix, `valeur` what is offered.
  bool Ajoute(std::string_view compare, std::string_view valeurVue) {
    const std::string valeur(valeurVue);
    if (valeur.empty()) return true;
    if (!m_d.toutes) {
      // The typed text itself is no suggestion.
      if (compare.size() <= m_d.texte.size() || !CommencePar(compare, m_prefixe)) return true;
    }
    if (m_vues.find(valeur) != m_vues.end()) return true;
    m_vues.insert(valeur);
    m_valeurs.push_back(valeur);
    if (!m_d.toutes && m_d.limite > 0 && static_cast<int>(m_valeurs.size()) >= m_d.limite) {
      m_valeurs.clear();
      return false;
    }
    return true;
  }
  std::vector<std::string> Valeurs() { return std::move(m_valeurs); }

 private:
  const DemandeSaisie& m_d;
  std::string m_prefixe;
  std::unordered_set<std::string> m_vues;
  std::vector<std::string> m_valeurs;
};

}  // namespace

DemandeSaisie PrepareSaisie(std::string_view texte, int limite, bool visible, bool toutes) {
  DemandeSaisie d{std::string(texte), limite, toutes};
  if (visible) {
    d.limite = 0;
    if (toutes) d.texte.clear();
  } else if (toutes) {
    d.toutes = false;
    d.limite = 0;
  }
  return d;
}

int CodeChampNom(std::string_view nom) {
  if (nom == "E_Nom" || nom == "eNom") return 2;
  if (nom == "E_Pre" || nom == "ePre") return 3;
  return 0;
}

std::vector<std::string> PropositionsNoms(const TBD& bd, int code, const DemandeSaisie& d) {
  if (code == 0) return {};
  Collecte c(d);
  for (int n = bd.FicheSuivante(0); n != 0; n = bd.FicheSuivante(n)) {
    // Surname and given names straight from the record: a walk of the whole tree per keystroke.
    if (code == 2 || code == 3) {
      const TFiche& f = bd.Fiche(n);
      const Texte& v = code == 2 ? f.Nom : f.Pre;
      if (!c.Ajoute(v, v)) break;
      continue;
    }
    const std::string v = bd.LitChamp(n, code);
    if (!c.Ajoute(v, v)) break;
  }
  return c.Valeurs();
}

std::vector<std::string> PropositionsChamp(const TBD& bd, std::string_view libelle, int exclu,
                                           const DemandeSaisie& d) {
  Collecte c(d);
  for (int n = bd.FicheSuivante(0); n != 0; n = bd.FicheSuivante(n)) {
    if (n == exclu) continue;
    const std::string v = bd.LitChampPerso(n, libelle);
    if (!c.Ajoute(v, v)) break;
  }
  return c.Valeurs();
}

std::vector<std::string> PropositionsLieux(const TBD& bd, int partie, const DemandeSaisie& d) {
  Collecte c(d);
  const bool entier = partie <= 0 || partie > kNbreChampsLieu;
  for (int e = 1; e <= bd.NbreEve(); ++e) {
    if (!bd.EveUtilise(e)) continue;
    const Texte& lieu = bd.Eve(e).Lieu;
    if (lieu.empty()) continue;
    if (entier) {
      if (!c.Ajoute(lieu, lieu)) break;
      continue;
    }
    const ChampsLieu champs = DecoupeLieu(lieu);
    if (!c.Ajoute(champs[static_cast<size_t>(partie - 1)], lieu)) break;
  }
  return c.Valeurs();
}

}  // namespace kindrela
