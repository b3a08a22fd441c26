#include "dates/anniversaries.h"

#include <optional>
#include <tuple>
#include <unordered_map>

#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/ini_file.h"
#include "core/text.h"
#include "dates/dates.h"

namespace kindrela {
namespace {

constexpr std::string_view kCleNbreJour = "NbreJour";
constexpr std::string_view kAnniversaire = "Anniversaire";
constexpr std::string_view kFete = "Fête"_ansi;

std::string CleJour(int mois, int jour) {
  return "j" + std::to_string(jour) + "m" + std::to_string(mois);
}

// The first day of the year (day 1 of every month, then day 2...) whose
// list holds each name, as DateDeFete finds it, built once for a whole list
// of persons instead of a scan of the year per person.
class TIndexFetes {
 public:
  explicit TIndexFetes(const TTableFetes& table) {
    for (int jour = TTableFetes::kNbreJours; jour >= 1; --jour) {
      for (int mois = TTableFetes::kNbreMois; mois >= 1; --mois) {
        const std::string& liste = table.Fete(mois, jour);
        size_t pos = 0;
        while (pos <= liste.size()) {
          size_t fin = liste.find(',', pos);
          if (fin == std::string::npos) fin = liste.size();
          std::string nom = Trim(std::string_view(liste).substr(pos, fin - pos));
          // Scanning backwards, the first day in the forward order wins.
          if (!nom.empty()) m_jours[MinusculesAnsi(nom)] = {mois, jour};
          pos = fin + 1;
        }
      }
    }
  }
  // {month, day}, or {0, 0}. Names of two letters or fewer have none.
  std::pair<int, int> Cherche(std::string_view prenom) const {
    if (prenom.size() <= 2) return {0, 0};
    auto it = m_jours.find(MinusculesAnsi(prenom));
    return it == m_jours.end() ? std::pair<int, int>{0, 0} : it->second;
  }

 private:
  std::unordered_map<std::string, std::pair<int, int>> m_jours;
};

struct TEntree {
  std::string sorte, nom, annee;
};

std::vector<TEntree> Entrees(std::string_view texte) {
  std::vector<TEntree> entrees;
  std::vector<std::string> champs;
  size_t pos = 0;
  while (pos < texte.size()) {
    size_t fin = texte.find('|', pos);
    if (fin == std::string_view::npos) break;  // an unfinished field is dropped
    champs.emplace_back(texte.substr(pos, fin - pos));
    pos = fin + 1;
    if (champs.size() == 3) {
      entrees.push_back({champs[0], champs[1], champs[2]});
      champs.clear();
    }
  }
  return entrees;
}

// "Anniversaire de Dupont Jean (26 ans)." for the day of year `annee`.
std::string LigneEntree(const TEntree& e, int annee) {
  std::string s = e.sorte + " de " + e.nom;
  const std::optional<int> naissance = LitNombreDate(e.annee);
  if (naissance && *naissance > 0 && annee - *naissance > 0) {
    const int age = annee - *naissance;
    s += " (" + std::to_string(age) + " an" + (age > 1 ? "s" : "") + ")";
  }
  return s + ".";
}

void AjouteEntrees(std::vector<TLigneRappel>& lignes, const std::string& texte, int annee) {
  for (const TEntree& e : Entrees(texte)) lignes.push_back({LigneEntree(e, annee), 14, false});
}

void Blanc(std::vector<TLigneRappel>& lignes) { lignes.push_back({"", 10, false}); }

}  // namespace

const std::string& TRappels::Jour(int mois, int jour) const {
  static const std::string vide;
  if (mois < 1 || mois > 12 || jour < 1 || jour > 31) return vide;
  return jours[static_cast<size_t>((mois - 1) * 31 + jour - 1)];
}

std::string& TRappels::Jour(int mois, int jour) {
  static std::string poubelle;
  if (mois < 1 || mois > 12 || jour < 1 || jour > 31) {
    poubelle.clear();
    return poubelle;
  }
  return jours[static_cast<size_t>((mois - 1) * 31 + jour - 1)];
}

TRappels ConstruitRappels(const TBD& bd, std::span<const int32_t> personnes, const TOptionsRappels& o,
                          const TTableFetes& fetes) {
  TRappels r;
  r.nbreJour = o.joursSuivants ? o.nbreJour : 0;
  const TIndexFetes index(fetes);
  for (int32_t n : personnes) {
    if (!bd.FicheUtilisee(n)) continue;
    const std::string nom = bd.NomCourt(n);
    if (o.anniversaires) {
      const ElementsDate d = DateElements(bd.LitDateNaissance(n));
      if (d.jour >= 1 && d.mois >= 1)
        r.Jour(d.mois, d.jour) += std::string(kAnniversaire) + "|" + nom + "|" + std::to_string(d.annee) + "|";
    }
    if (o.fetes) {
      const std::string prenoms = bd.LitPrenoms(n);
      // The whole given names first ("Jean-Pierre"), then the usual one.
      auto [mois, jour] = index.Cherche(Trim(prenoms));
      if (mois == 0) std::tie(mois, jour) = index.Cherche(PremierPrenom(prenoms));
      if (mois != 0) r.Jour(mois, jour) += std::string(kFete) + "|" + nom + "||";
    }
  }
  return r;
}

void EcritRappels(const TRappels& r, FichierIni& ini) {
  // Written whole, in order, so that the file reads like the year.
  std::string texte = "[" + std::string(kSectionAnniFete) + "]\r\n";
  texte += std::string(kCleNbreJour) + "=" + std::to_string(r.nbreJour) + "\r\n";
  for (int mois = 1; mois <= 12; ++mois)
    for (int jour = 1; jour <= 31; ++jour) texte += CleJour(mois, jour) + "=" + r.Jour(mois, jour) + "\r\n";
  ini.ChargeTexte(texte);
}

TRappels LitRappels(const FichierIni& ini) {
  TRappels r;
  r.nbreJour = ini.LitEntier(kSectionAnniFete, kCleNbreJour, kNbreJourAbsent);
  std::unordered_map<std::string, std::string> valeurs;
  for (auto& [cle, valeur] : ini.Valeurs(kSectionAnniFete)) valeurs.emplace(MinusculesAnsi(cle), valeur);
  for (int mois = 1; mois <= 12; ++mois) {
    for (int jour = 1; jour <= 31; ++jour) {
      auto it = valeurs.find(CleJour(mois, jour));
      if (it != valeurs.end()) r.Jour(mois, jour) = Trim(it->second);
    }
  }
  return r;
}

Statut SauverRappels(const std::string& chemin, const TBD& bd, std::span<const int32_t> personnes,
                     const TOptionsRappels& options, const TTableFetes& fetes) {
  FichierIni ini;
  EcritRappels(ConstruitRappels(bd, personnes, options, fetes), ini);
  return ini.EnregistreSous(chemin);
}

std::vector<TLigneRappel> LignesRappels(const TRappels& r, const TTableFetes& fetesDuJour, const Jour& aujourdhui) {
  std::vector<TLigneRappel> lignes;
  const int a = aujourdhui.annee, m = aujourdhui.mois, j = aujourdhui.jour;
  lignes.push_back({DateLongue(j, m, a), 22, true});
  if (const std::string& noms = fetesDuJour.Fete(m, j); !noms.empty())
    lignes.push_back({"Fêtes: "_ansi + noms, 16, false});
  if (const std::string& texte = r.Jour(m, j); !texte.empty()) {
    Blanc(lignes);
    lignes.push_back({"Aujourd'hui:", 16, true});
    AjouteEntrees(lignes, texte, a);
  }
  const double jd = DateVersJulien(DateFormate(j, m, a));
  auto jourApres = [&](int n) { return DateElements(JulienVersDate(jd + n)); };
  const int nbreJour = std::max(r.nbreJour, 0);
  bool trouve = false;
  for (int n = 1; n <= nbreJour && n <= 365 && !trouve; ++n) {
    const ElementsDate d = jourApres(n);
    trouve = !r.Jour(d.mois, d.jour).empty();
  }
  Blanc(lignes);
  const std::string nbre = std::to_string(nbreJour);
  if (trouve) {
    lignes.push_back({"Anniversaires et fêtes à souhaiter"_ansi, 14, false});
    lignes.push_back({"pour les " + nbre + " prochains jours:", 14, false});
  } else {
    lignes.push_back({"Aucun anniversaires ou fêtes à souhaiter"_ansi, 14, false});
    lignes.push_back({"dans les " + nbre + " prochains jours.", 14, false});
    Blanc(lignes);
    lignes.push_back({"Le prochain aura lieu le:", 14, false});
  }
  for (int n = 1; n <= 365; ++n) {
    if (trouve && n > nbreJour) break;
    const ElementsDate d = jourApres(n);
    const std::string& texte = r.Jour(d.mois, d.jour);
    if (texte.empty()) continue;
    Blanc(lignes);
    lignes.push_back({DateLongue(d.jour, d.mois, d.annee) + " (" + std::to_string(n) + " jour" +
                          (n > 1 ? "s" : "") + ").",
                      16, true});
    AjouteEntrees(lignes, texte, d.annee);
    if (n > nbreJour) break;  // the next one beyond the look-ahead
  }
  return lignes;
}

std::string EntreeDemarrage(std::string_view programme, std::string_view titre) {
  // Paths with spaces are quoted as the desktop entry format asks.
  std::string exec(programme);
  if (exec.find(' ') != std::string::npos) exec = "\"" + exec + "\"";
  return "[Desktop Entry]\nType=Application\nName=" + std::string(titre) + "\nExec=" + exec +
         " -anniv\nX-GNOME-Autostart-enabled=true\nTerminal=false\n";
}

}  // namespace kindrela
