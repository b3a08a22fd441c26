#include "analysis/maps.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "analysis/report_html.h"
#include "core/ansi_literal.h"
#include "core/database.h"
#include "core/ini_file.h"
#include "core/text.h"
#include "dates/places.h"

namespace kindrela {
namespace {

constexpr std::string_view kSections[5] = {"Nom", "Lieu", "PtsX", "PtsY", "Description"};

int Coordonnee(const std::string& texte) {
  // Only plain decimal numbers count; anything else is 0.
  if (texte.empty() || texte.size() > 9) return 0;
  int v = 0;
  for (char c : texte) {
    if (c < '0' || c > '9') return 0;
    v = v * 10 + (c - '0');
  }
  return v;
}

bool EstChiffres(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string Echappe(std::string_view s) {
  std::string r;
  for (char c : s) {
    if (c == '\'' || c == '\\') r += '\\';
    // A line end would end the script's string.
    if (c == '\r' || c == '\n') {
      r += ' ';
      continue;
    }
    r += c;
  }
  return r;
}

// The event places of a person that are shown: every person event, or
// those of one kind, in stored order.
template <typename F>
void PourChaqueLieu(const TBD& bd, int p, std::string_view nature, F&& f) {
  if (!bd.FicheUtilisee(p)) return;
  const Texte& tab = bd.Fiche(p).TabEve;
  const int nbre = NbreEntrees(tab);
  for (int k = 1; k <= nbre; ++k) {
    const int e = LitEntree(tab, k);
    if (e < 1 || e > bd.NbreEve()) continue;
    const TEve& eve = bd.Eve(e);
    if (!eve.Utilise || eve.Lieu.empty()) continue;
    if (!nature.empty() && eve.Nature != nature) continue;
    f(eve.Lieu);
  }
}

}  // namespace

std::vector<TZoneCarte> LitZones(const FichierIni& ini) {
  std::vector<TZoneCarte> zones;
  const int nbre = std::clamp(ini.LitEntier("Description", "Nbre", 0), 0, 100000);
  // Each section read once: the file may hold hundreds of zones.
  std::array<std::unordered_map<std::string, std::string>, 4> valeurs;
  for (size_t s = 0; s < 4; ++s)
    for (auto& [cle, v] : ini.Valeurs(kSections[s])) valeurs[s].emplace(Trim(cle), Trim(v));
  auto lit = [&](size_t s, int i) {
    auto it = valeurs[s].find(std::to_string(i));
    return it == valeurs[s].end() ? std::string() : it->second;
  };
  zones.reserve(static_cast<size_t>(nbre));
  for (int i = 1; i <= nbre; ++i)
    zones.push_back({lit(0, i), lit(1, i), Coordonnee(lit(2, i)), Coordonnee(lit(3, i))});
  std::stable_sort(zones.begin(), zones.end(),
                   [](const TZoneCarte& a, const TZoneCarte& b) { return MinusculesAnsi(a.nom) < MinusculesAnsi(b.nom); });
  return zones;
}

void EcritZones(const std::vector<TZoneCarte>& zones, FichierIni& ini) {
  std::string texte = "[Description]\r\nNbre=" + std::to_string(zones.size()) + "\r\n";
  for (size_t s = 0; s < 4; ++s) {
    texte += "\r\n[" + std::string(kSections[s]) + "]\r\n";
    for (size_t i = 0; i < zones.size(); ++i) {
      const TZoneCarte& z = zones[i];
      const std::string valeur = s == 0 ? z.nom : s == 1 ? z.lieu : std::to_string(s == 2 ? z.x : z.y);
      texte += std::to_string(i + 1) + "=" + valeur + "\r\n";
    }
  }
  ini.ChargeTexte(texte);
}

namespace {

// Finds which zone codes occur in a place. Trees hold up to hundreds of
// thousands of distinct places and maps hundreds of zones: the codes are
// indexed by their first two letters, so a place costs one look per
// position instead of one search per zone.
class TChercheurZones {
 public:
  explicit TChercheurZones(const std::vector<TZoneCarte>& zones) : m_codes(zones.size()) {
    for (size_t i = 0; i < zones.size(); ++i) {
      m_codes[i] = MajusculesAnsi(zones[i].lieu);
      const std::string& c = m_codes[i];
      if (c.empty()) continue;
      if (c.size() == 1) m_courts.push_back(static_cast<int>(i));
      else m_paires[Paire(c[0], c[1])].push_back(static_cast<int>(i));
    }
  }

  // The zones (0-based, list order) whose code occurs in `lieu`, into
  // `trouvees` (reused between places, so a whole tree allocates little).
  void Zones(std::string_view lieu, std::vector<int>& trouvees) const {
    trouvees.clear();
    const std::string l = MajusculesAnsi(lieu);
    for (int z : m_courts)
      if (l.find(m_codes[static_cast<size_t>(z)][0]) != std::string::npos) trouvees.push_back(z);
    for (size_t i = 0; i + 1 < l.size(); ++i) {
      auto it = m_paires.find(Paire(l[i], l[i + 1]));
      if (it == m_paires.end()) continue;
      for (int z : it->second) {
        const std::string& c = m_codes[static_cast<size_t>(z)];
        if (l.compare(i, c.size(), c) == 0) trouvees.push_back(z);
      }
    }
    std::sort(trouvees.begin(), trouvees.end());
    trouvees.erase(std::unique(trouvees.begin(), trouvees.end()), trouvees.end());
  }

 private:
  static uint16_t Paire(char a, char b) {
    return static_cast<uint16_t>(static_cast<unsigned char>(a) << 8 | static_cast<unsigned char>(b));
  }

  std::vector<std::string> m_codes;
  std::vector<int> m_courts;
  std::unordered_map<uint16_t, std::vector<int>> m_paires;
};

}  // namespace

std::vector<int> ZonesDuLieu(const std::vector<TZoneCarte>& zones, std::string_view lieu) {
  std::vector<int> trouvees;
  TChercheurZones(zones).Zones(lieu, trouvees);
  return trouvees;
}

int ZoneDuLieu(const std::vector<TZoneCarte>& zones, std::string_view lieu) {
  const std::vector<int> z = ZonesDuLieu(zones, lieu);
  return z.empty() ? 0 : z.front() + 1;
}

TImageCarte::TImageCarte(int largeur, int hauteur, uint32_t fond)
    : m_largeur(std::max(largeur, 0)), m_hauteur(std::max(hauteur, 0)),
      m_pixels(static_cast<size_t>(m_largeur) * static_cast<size_t>(m_hauteur), fond) {}

uint32_t TImageCarte::Pixel(int x, int y) const {
  if (!Dedans(x, y)) return kNoir;
  return m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_largeur) + static_cast<size_t>(x)] & 0xFFFFFF;
}

void TImageCarte::SetPixel(int x, int y, uint32_t c) {
  if (Dedans(x, y)) m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_largeur) + static_cast<size_t>(x)] = c;
}

int TImageCarte::Remplit(int x, int y, uint32_t couleur) {
  if (!Dedans(x, y)) return 0;
  const uint32_t cible = Pixel(x, y);
  couleur &= 0xFFFFFF;
  if (cible == kNoir || cible == couleur) return 0;
  // Scanline fill with an explicit stack: no recursion on large areas.
  int changes = 0;
  std::vector<std::pair<int, int>> pile{{x, y}};
  while (!pile.empty()) {
    auto [px, py] = pile.back();
    pile.pop_back();
    if (Pixel(px, py) != cible) continue;
    int g = px, d = px;
    while (Pixel(g - 1, py) == cible) --g;
    while (Pixel(d + 1, py) == cible) ++d;
    for (int i = g; i <= d; ++i) SetPixel(i, py, couleur);
    changes += d - g + 1;
    for (int ny : {py - 1, py + 1}) {
      bool dansSegment = false;
      for (int i = g; i <= d; ++i) {
        const bool c = Pixel(i, ny) == cible;
        if (c && !dansSegment) pile.emplace_back(i, ny);
        dansSegment = c;
      }
    }
  }
  return changes;
}

TR PersonnesCarte(const TBD& bd, PopulationCarte choix, int selecPers, const TR& rapport) {
  switch (choix) {
    case PopulationCarte::Selection: {
      TR r(1);
      if (bd.FicheUtilisee(selecPers)) r.Add(selecPers);
      return r;
    }
    case PopulationCarte::Reference: {
      TR r(1);
      if (bd.FicheUtilisee(bd.RefPers)) r.Add(bd.RefPers);
      return r;
    }
    case PopulationCarte::ToutLeMonde: return AllPersons(bd);
    case PopulationCarte::SelonRapport: return rapport;
  }
  return TR(0);
}

TResultatCarte AfficheTout(const TBD& bd, const TR& population, std::string_view nature,
                           const std::vector<TZoneCarte>& zones, TImageCarte& image, int zoneCollectee,
                           const std::function<bool(int, int)>& progression) {
  TResultatCarte r;
  r.collectes = TR(std::max(TR::kCapaciteDefaut, bd.NbreFiche()));
  const TChercheurZones chercheur(zones);
  std::vector<int> trouvees;
  std::vector<bool> remplie(zones.size(), false);
  const int total = population.Count();
  int fait = 0;
  for (int32_t p : population) {
    bool collecte = false;
    PourChaqueLieu(bd, p, nature, [&](std::string_view lieu) {
      chercheur.Zones(lieu, trouvees);
      for (int z : trouvees) {
        if (remplie[static_cast<size_t>(z)]) continue;
        const TZoneCarte& zone = zones[static_cast<size_t>(z)];
        if (image.Pixel(zone.x, zone.y) == kBlanc) image.Remplit(zone.x, zone.y, kCouleurEvenement);
        remplie[static_cast<size_t>(z)] = true;
      }
      if (!collecte && zoneCollectee > 0 && !trouvees.empty() && trouvees.front() + 1 == zoneCollectee)
        collecte = r.collectes.Add(p);
    });
    if (++fait % 1024 == 0 && progression && !progression(fait, total)) {
      r.interrompu = true;
      break;
    }
  }
  return r;
}

void TClicCarte::EffaceClick(TImageCarte& image) {
  if (m_x != 0 || m_y != 0) image.Remplit(m_x, m_y, m_avant);
  Oublie();
}

int TClicCarte::AfficheClick(TImageCarte& image, int x, int y, const std::vector<TZoneCarte>& zones) {
  m_zone = 0;
  const uint32_t c = image.Pixel(x, y);
  if (x > 0 && y > 0 && (c == kBlanc || c == kCouleurEvenement)) {
    m_x = x;
    m_y = y;
    m_avant = c;
    image.Remplit(x, y, kCouleurZoneChoisie);
  } else {
    m_x = m_y = 0;
    return 0;
  }
  for (size_t i = 0; i < zones.size(); ++i) {
    if (image.Pixel(zones[i].x, zones[i].y) == kCouleurZoneChoisie) {
      m_zone = static_cast<int>(i) + 1;
      break;
    }
  }
  return m_zone;
}

std::string LieuEnLigne(std::string_view lieu) {
  if (lieu.size() < 4 || MajusculesAnsi(lieu.substr(0, 4)) != "FRA,") return std::string(lieu);
  const ChampsLieu c = DecoupeLieu(lieu);
  const std::string& dep = c[2];
  std::string commune = c[3];
  std::string codePostal;
  if (dep.size() == 6 && EstChiffres(std::string_view(dep).substr(1))) {
    codePostal = dep.substr(1);
  } else if (dep.size() == 3 && EstChiffres(std::string_view(dep).substr(1)) && commune.size() > 4 &&
             EstChiffres(std::string_view(commune).substr(0, 3)) && commune[3] == ' ') {
    // The coded shape splits the postcode: "F95" and "000 Pontoise".
    codePostal = dep.substr(1) + commune.substr(0, 3);
    commune = commune.substr(4);
  }
  if (commune.empty()) return std::string(lieu);
  return commune + (codePostal.empty() ? "" : "," + codePostal) + ",France";
}

std::string TexteMarqueur(std::string_view nomCourt, std::string_view lieu) {
  return EchappeHtml(nomCourt) + "<br/><font size=\"-1\">" + EchappeHtml(lieu) + "</font>";
}

std::string AppelPlotAdd(std::string_view lieu, std::string_view texte) {
  return "plotadd('" + Echappe(lieu) + "','" + Echappe(texte) + "')";
}

TMarqueur MarqueurFiche(const TBD& bd, std::string_view lieu, int personne) {
  if (lieu.empty() || personne <= 0) return {};
  const ChampsLieu c = DecoupeLieu(lieu);
  TMarqueur m;
  m.lieu = c[0] == "FRA" && !c[3].empty() ? LieuEnLigne(lieu) : std::string(lieu);
  m.texte = "<a href=\"" + std::to_string(personne) + "\">" + EchappeHtml(bd.NomCourt(personne)) + "</a><br/>" +
            EchappeHtml(lieu);
  return m;
}

std::vector<TMarqueur> MarqueursEnLigne(const TBD& bd, const TR& population, std::string_view nature) {
  std::vector<TMarqueur> marqueurs;
  for (int32_t p : population) {
    const std::string nom = bd.NomCourt(p);
    PourChaqueLieu(bd, p, nature, [&](std::string_view lieu) {
      const std::string l = LieuEnLigne(lieu);
      marqueurs.push_back({l, TexteMarqueur(nom, l)});
    });
  }
  return marqueurs;
}

std::string ScriptMarqueurs(const std::vector<TMarqueur>& marqueurs) {
  std::string s = "<script>\nplotclear();\n";
  for (const TMarqueur& m : marqueurs) s += AppelPlotAdd(m.lieu, m.texte) + ";\n";
  return s + "</script>\n";
}

}  // namespace kindrela
