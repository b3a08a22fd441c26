#include "editing/replace.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>

#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/journal.h"
#include "core/letters.h"
#include "core/text.h"
#include "dates/dates.h"
#include "editing/custom_fields.h"

namespace kindrela {
namespace {

constexpr int kCodeChamps = 23;
constexpr std::string_view kVide = " (Vide)";

// The event field a kind rewrites (1 kind, 2 date, 4 place, 5 note); 0 for person data.
int ChampEve(DonneeRemp d) {
  switch (d) {
    case DonneeRemp::Evenement: return 1;
    case DonneeRemp::Date: return 2;
    case DonneeRemp::Lieu: return 4;
    case DonneeRemp::Note: return 5;
    default: return 0;
  }
}

// Every triple kept, empty values included: only the changed part moves.
std::string TexteChamps(const TChp& c) {
  std::string s;
  for (const TChp::Champ& x : c.champs)
    s += x.sorte + kSeparateurChamps + x.libelle + kSeparateurChamps + x.valeur + kSeparateurChamps;
  return s;
}

}  // namespace

std::string_view LibelleDonnee(DonneeRemp d) {
  static constexpr std::string_view kLibelles[kNbreDonneesRemp] = {
      "Nom", "Prénom"_ansi, "Nom d'un champ personnel", "Contenu d'un champ personnel",
      "Evénement"_ansi, "Date", "Lieu", "Note"};
  const int i = static_cast<int>(d);
  return i >= 0 && i < kNbreDonneesRemp ? kLibelles[i] : std::string_view();
}

std::string ChangeValeur(std::string_view v, ChangementRemp c, std::string_view cherche, std::string_view par) {
  switch (c) {
    case ChangementRemp::Majuscules: return MajusculesAnsi(v);
    case ChangementRemp::Minuscules: return MinusculesAnsi(v);
    case ChangementRemp::PremiereMajuscule: {
      if (v.empty()) return {};
      size_t longueur = 1;
      (void)LettreEn(v, 0, longueur);
      return MajusculesAnsi(v.substr(0, longueur)) + MinusculesAnsi(v.substr(longueur));
    }
    case ChangementRemp::Remplace: return EgalSansCasse(v, cherche) ? std::string(par) : std::string(v);
  }
  return std::string(v);
}

bool RemplacementPermis(bool donneeChoisie, DonneeRemp d, std::string_view champ, bool changementChoisi,
                        ChangementRemp c, std::string_view cherche, std::string_view par) {
  if (!donneeChoisie || !changementChoisi) return false;
  if (d == DonneeRemp::ContenuChamp && champ.empty()) return false;
  return c != ChangementRemp::Remplace || (!cherche.empty() && !par.empty());
}

int Remplace(TBD& bd, DonneeRemp d, std::string_view champ, ChangementRemp c, std::string_view cherche,
             std::string_view par) {
  TEtapeJournal etape(bd, cherche.empty() ? std::string("remplacement")
                                           : "remplacement de " + std::string(cherche));
  int nbre = 0;
  auto change = [&](const std::string& avant, auto&& ecrit) {
    std::string apres = ChangeValeur(avant, c, cherche, par);
    if (apres == avant) return;
    ecrit(apres);
    ++nbre;
  };
  if (const int f = ChampEve(d); f != 0) {
    for (int e = 1; e <= bd.NbreEve(); ++e)
      if (bd.EveUtilise(e)) change(bd.LitChampEve(e, f), [&](const std::string& v) { bd.EcritChampEve(e, f, v); });
  } else {
    for (int n = bd.FicheSuivante(0); n != 0; n = bd.FicheSuivante(n)) {
      switch (d) {
        case DonneeRemp::Nom: change(bd.LitNom(n), [&](const std::string& v) { bd.EcritNom(n, v); }); break;
        case DonneeRemp::Prenom:
          change(bd.LitPrenoms(n), [&](const std::string& v) { bd.EcritPrenoms(n, v); });
          break;
        case DonneeRemp::NomChamp:
        case DonneeRemp::ContenuChamp: {
          TChp champs = LitChamps(bd.LitChamp(n, kCodeChamps));
          bool modifie = false;
          for (TChp::Champ& x : champs.champs) {
            const bool label = d == DonneeRemp::NomChamp;
            if (!label && x.libelle != champ) continue;
            std::string& cible = label ? x.libelle : x.valeur;
            // A separator typed in the replacement would cut the record's fields.
            std::string apres = SansSeparateur(ChangeValeur(cible, c, cherche, par));
            if (apres == cible) continue;
            cible = std::move(apres);
            modifie = true;
            ++nbre;
          }
          if (modifie) bd.EcritChamp(n, kCodeChamps, TexteChamps(champs));
          break;
        }
        default: break;
      }
    }
  }
  if (nbre > 0) bd.BaseModifiee = 1;
  return nbre;
}

ListageRemp Listage(const TBD& bd, DonneeRemp d, std::string_view champ, std::string_view formatDate) {
  ListageRemp l;
  static constexpr std::string_view kColonnes[kNbreDonneesRemp] = {
      "Patronyme", "Prénoms"_ansi, "", "", "Evénement"_ansi, "Date", "Lieu", "Note"};
  static constexpr std::string_view kLegendes[kNbreDonneesRemp] = {
      "Liste des patronymes", "Liste des prénoms"_ansi, "Liste des champs personnels", "",
      "Liste des événements"_ansi, "Liste des dates", "Liste des lieux", "Liste des notes"};
  const int i = std::clamp(static_cast<int>(d), 0, kNbreDonneesRemp - 1);
  l.colonne = d == DonneeRemp::ContenuChamp ? std::string(champ) : std::string(kColonnes[i]);
  l.legende = d == DonneeRemp::ContenuChamp ? std::string(champ) : std::string(kLegendes[i]);
  l.date = d == DonneeRemp::Date;

  std::unordered_map<std::string, int> comptes;
  std::vector<std::string> ordre;  // first appearance, for a stable listing of equal keys
  auto compte = [&](const std::string& v) {
    auto [it, nouveau] = comptes.try_emplace(v, 0);
    if (nouveau) ordre.push_back(v);
    ++it->second;
  };
  if (const int f = ChampEve(d); f != 0) {
    for (int e = 1; e <= bd.NbreEve(); ++e)
      if (bd.EveUtilise(e)) compte(bd.LitChampEve(e, f));
  } else {
    for (int n = bd.FicheSuivante(0); n != 0; n = bd.FicheSuivante(n)) {
      if (d == DonneeRemp::Nom) compte(bd.LitNom(n));
      else if (d == DonneeRemp::Prenom) compte(bd.LitPrenoms(n));
      else if (d == DonneeRemp::ContenuChamp) compte(bd.LitChampPerso(n, champ));
      else
        for (const TChp::Champ& x : LitChamps(bd.LitChamp(n, kCodeChamps)).champs) compte(x.libelle);
    }
  }
  if (l.date) {
    // On the day order of the first date, the text breaking ties: a strict order whatever the
    // qualifiers. Keys are read once, not at every comparison.
    std::vector<std::pair<std::tuple<int, int, int>, std::string>> cles;
    cles.reserve(ordre.size());
    for (std::string& v : ordre) {
      const ElementsDate e = DateElements(v);
      cles.emplace_back(std::tuple(e.annee, e.mois, e.jour), std::move(v));
    }
    std::sort(cles.begin(), cles.end());
    for (size_t k = 0; k < cles.size(); ++k) ordre[k] = std::move(cles[k].second);
  } else {
    // The order of CompareTri, with each key made once.
    std::vector<std::pair<std::string, std::string>> cles;
    cles.reserve(ordre.size());
    for (std::string& v : ordre) {
      std::string cle = CleTri(v);
      cles.emplace_back(std::move(cle), std::move(v));
    }
    std::stable_sort(cles.begin(), cles.end(), [](const auto& a, const auto& b) {
      if (const int c = a.first.compare(b.first); c != 0) return c < 0;
      return CompareSansCasse(a.second, b.second) < 0;
    });
    for (size_t k = 0; k < cles.size(); ++k) ordre[k] = std::move(cles[k].second);
  }
  l.lignes.reserve(ordre.size());
  for (const std::string& v : ordre) {
    std::string montre = v.empty() ? std::string(kVide) : l.date ? DateAffichee(v, formatDate) : v;
    l.lignes.push_back({std::move(montre), comptes[v]});
  }
  l.legende += " (" + std::to_string(l.lignes.size()) + ")";
  return l;
}

}  // namespace kindrela
