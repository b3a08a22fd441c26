#include "dates/places.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/database.h"
#include "core/file_io.h"
#include "core/journal.h"
#include "core/text.h"

namespace kindrela {

namespace {

bool EstChiffre(char c) { return c >= '0' && c <= '9'; }

bool TousChiffres(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), EstChiffre);
}

int ValeurChiffres(std::string_view s) {
  int v = 0;
  for (char c : s) v = v * 10 + (c - '0');
  return v;
}

std::string Deux(int v) {
  std::string s = std::to_string(v);
  return s.size() < 2 ? "0" + s : s;
}

// The regions as they were before 2016: the coded shape was built on them
// and existing trees hold these codes.
constexpr std::array<std::string_view, 96> TableRegions = [] {
  std::array<std::string_view, 96> t{};
  const struct {
    std::string_view code;
    std::array<int, 8> deps;  // 0 ends a row
  } lignes[] = {
      {"ALS", {67, 68}},
      {"AQU", {24, 33, 40, 47, 64}},
      {"AUV", {3, 15, 43, 63}},
      {"BOU", {21, 58, 71, 89}},
      {"BRE", {22, 29, 35, 56}},
      {"CEN", {18, 28, 36, 37, 41, 45}},
      {"CHA", {8, 10, 51, 52}},
      {"COR", {20}},
      {"FCO", {25, 39, 70, 90}},
      {"IDF", {75, 77, 78, 91, 92, 93, 94, 95}},
      {"LIM", {19, 23, 87}},
      {"LOR", {54, 55, 57, 88}},
      {"LRO", {11, 30, 34, 48, 66}},
      {"MPY", {9, 12, 31, 32, 46, 65, 81, 82}},
      {"NOB", {14, 50, 61}},
      {"NOH", {27, 76}},
      {"NPC", {59, 62}},
      {"PCA", {4, 5, 6, 13, 83, 84}},
      {"PCH", {16, 17, 79, 86}},
      {"PDL", {44, 49, 53, 72, 85}},
      {"PIC", {2, 60, 80}},
      {"RAL", {1, 7, 26, 38, 42, 69, 73, 74}},
  };
  for (const auto& ligne : lignes)
    for (int d : ligne.deps)
      if (d > 0) t[static_cast<std::size_t>(d)] = ligne.code;
  return t;
}();

bool MoinsQue(const std::string& a, const std::string& b) {
  const int c = CompareSansCasse(a, b);
  return c != 0 ? c < 0 : a < b;
}

}  // namespace

ChampsLieu DecoupeLieu(std::string_view lieu) {
  ChampsLieu champs;
  std::size_t debut = 0;
  for (int k = 0; k < kNbreChampsLieu; ++k) {
    const std::size_t virgule = lieu.find(',', debut);
    const std::size_t fin = virgule == std::string_view::npos ? lieu.size() : virgule;
    champs[static_cast<std::size_t>(k)] = Trim(lieu.substr(debut, fin - debut));
    if (virgule == std::string_view::npos) break;
    debut = virgule + 1;
  }
  return champs;
}

std::string JoinLieu(const ChampsLieu& champs) {
  int dernier = kNbreChampsLieu - 1;
  while (dernier >= 0 && champs[static_cast<std::size_t>(dernier)].empty()) --dernier;
  std::string lieu;
  for (int k = 0; k <= dernier; ++k) {
    lieu += champs[static_cast<std::size_t>(k)];
    if (k < dernier) lieu += ',';
  }
  return lieu;
}

std::string LieuLisible(std::string_view lieu) {
  const ChampsLieu f = DecoupeLieu(lieu);
  const std::string& dep = f[2];
  const bool code = EgalSansCasse(f[0], "FRA") && dep.size() >= 3 && (dep[0] == 'F' || dep[0] == 'f') &&
                    EstEntier(dep.substr(1));
  std::string texte;
  auto ajoute = [&texte](std::string_view morceau) {
    if (morceau.empty()) return;
    if (!texte.empty()) texte += ", ";
    texte += morceau;
  };
  if (!code) {
    for (const std::string& champ : f) ajoute(champ);
    return texte;
  }
  ajoute(f[4]);
  std::string_view commune = f[3];
  // "001 Paris": the last digits of the postal code come first.
  if (commune.size() > 4 && commune[3] == ' ' && EstEntier(commune.substr(0, 3))) commune.remove_prefix(4);
  ajoute(commune);
  const std::string numero = "(" + dep.substr(1, 2) + ")";
  return texte.empty() ? numero : texte + " " + numero;
}

std::string RegionDepartement(int departement) {
  if (departement <= 0 || departement >= static_cast<int>(TableRegions.size())) return {};
  return std::string(TableRegions[static_cast<std::size_t>(departement)]);
}

std::string LieuNormalise(std::string_view lieu) {
  if (lieu.size() < 2 || MajAnsi(static_cast<unsigned char>(lieu[0])) != 'F' || lieu[1] != ',')
    return std::string(lieu);
  // An empty region field: "F,,75,Paris" is read as "F,75,Paris".
  std::string s(lieu);
  if (s.size() >= 3 && s[2] == ',') s.erase(2, 1);

  // Positions below count from 0: the department starts at 2.
  if (s.size() < 4 || !TousChiffres(std::string_view(s).substr(2, 2))) return std::string(lieu);
  const int departement = ValeurChiffres(std::string_view(s).substr(2, 2));
  if (departement <= 0) return std::string(lieu);

  std::string resultat = "FRA," + RegionDepartement(departement) + ",F" + Deux(departement);
  if (s.size() >= 8 && s[7] == ',' && TousChiffres(std::string_view(s).substr(4, 3))) {
    // A five-digit postal code: its last three digits lead the commune.
    resultat += "," + s.substr(4, 3) + " " + s.substr(8);
    return resultat;
  }
  if (s.size() == 4) return resultat;
  if (s[4] == ',') return resultat + "," + s.substr(5);
  // Three or more digits without a postal code, or five characters that
  // are not a postal code: nothing safe to rewrite.
  return std::string(lieu);
}

std::optional<std::string> LieuDepuisDepartement(std::string_view saisie) {
  if (saisie.size() != 2 || !TousChiffres(saisie)) return std::nullopt;
  const int departement = ValeurChiffres(saisie);
  if (departement <= 0) return std::nullopt;
  return "FRA," + RegionDepartement(departement) + ",F" + std::string(saisie);
}

// ---------------------------------------------------------------------------

std::string ConvertitLieu(std::string_view lieu, const OptionsConversionLieux& options) {
  std::array<std::size_t, kNbreChampsLieu> c{};
  for (std::size_t k = 0; k < c.size(); ++k) {
    const int n = options.colonnes[k];
    c[k] = static_cast<std::size_t>(n >= 1 && n <= kNbreChampsLieu ? n - 1 : 0);
  }
  ChampsLieu f = DecoupeLieu(lieu);

  // Undo an earlier normalisation so that converting twice changes nothing.
  if (f[c[0]] == "FRA" && !f[c[2]].empty() && f[c[2]][0] == 'F') {
    f[c[0]] = "F";
    f[c[2]] = f[c[2]].substr(1, 5);
  }
  if (options.normaliser && EgalSansCasse(f[c[0]], "FRANCE")) f[c[0]] = "F";

  auto assemble = [&](bool sansRegion) {
    ChampsLieu cible;
    for (std::size_t k = 0; k < c.size(); ++k) cible[k] = f[c[k]];
    if (sansRegion) cible[1].clear();
    std::string texte = JoinLieu(cible);
    if (options.franceParDefaut && !texte.empty() && texte[0] == ',') texte.insert(0, "F");
    return texte;
  };
  if (!options.normaliser) return assemble(false);
  // The region is regenerated from the department; when there is no
  // department to regenerate it from, the region as written is kept rather
  // than lost.
  const std::string sansRegion = assemble(true);
  std::string normalise = LieuNormalise(sansRegion);
  if (normalise != sansRegion) return normalise;
  return assemble(false);
}

ResultatConversionLieux ConvertitLieux(TBD& bd, const OptionsConversionLieux& options,
                                       const Progression& progression) {
  TEtapeJournal etape(bd, "conversion des lieux");
  ResultatConversionLieux resultat;
  const int total = bd.NbreEve();
  for (int e = 1; e <= total; ++e) {
    if (progression && e % 50 == 0 && !progression(e, total)) {
      resultat.annule = true;
      break;
    }
    if (!bd.EveUtilise(e)) continue;
    const Texte& avant = bd.Eve(e).Lieu;
    if (avant.empty()) continue;
    std::string apres = ConvertitLieu(avant, options);
    if (apres != avant) {
      bd.EcritChampEve(e, 4, apres);
      ++resultat.nbreModifies;
    }
  }
  if (resultat.nbreModifies > 0) bd.BaseModifiee = 1;
  if (progression && !resultat.annule) progression(total, total);
  return resultat;
}

namespace {

bool NommeFrance(std::string_view champ) {
  return EgalSansCasse(champ, "F") || EgalSansCasse(champ, "FRA") || EgalSansCasse(champ, "France");
}

// A department number or a postal code.
bool NumeroFrancais(std::string_view champ) {
  return (champ.size() == 2 || champ.size() == 5) && EstEntier(champ);
}

}  // namespace

OptionsConversionLieux OptionsProposees(const std::vector<ChampsLieu>& apercu) {
  OptionsConversionLieux options;
  int largeD = 0, etroitD = 0, francais = 0, etrangers = 0;
  std::array<int, kNbreChampsLieu + 1> comptes{};  // places of each field count, written town first
  for (const ChampsLieu& f : apercu) {
    int n = 0;
    for (int k = 0; k < kNbreChampsLieu; ++k)
      if (!f[k].empty()) n = k + 1;
    if (n == 0) continue;
    bool france = false;
    for (int k = 0; k < n; ++k) france = france || NommeFrance(f[k]) || NumeroFrancais(f[k]);
    if (NommeFrance(f[0])) {
      ++largeD;
    } else if (n >= 2) {
      ++etroitD;
      ++comptes[n];
      if (!NommeFrance(f[n - 1]) && !france) ++etrangers;
    }
    if (france) ++francais;
  }
  options.franceParDefaut = francais >= etrangers;
  if (etroitD <= largeD) return options;
  int nombre = 2;
  for (int n = 2; n <= kNbreChampsLieu; ++n)
    if (comptes[n] > comptes[nombre]) nombre = n;
  // Target fields (country .. other) from the last field backwards: with
  // four fields, country <- 4, region <- 3, department <- 2, town <- 1 (a
  // fifth: the locality before the town); with three, country <- 3,
  // department <- 2, town <- 1; with two, country <- 2, town <- 1. The other
  // fields fill what is left in their order.
  std::array<int, kNbreChampsLieu> colonnes{};
  std::array<bool, kNbreChampsLieu + 1> pris{};
  auto place = [&](int cible, int source) {
    if (source >= 1 && !pris[source] && colonnes[cible] == 0) {
      colonnes[cible] = source;
      pris[source] = true;
    }
  };
  place(0, nombre);
  place(3, nombre >= 4 ? nombre - 3 : 1);
  if (nombre >= 3) place(2, nombre >= 4 ? nombre - 2 : 2);
  if (nombre >= 4) place(1, nombre - 1);
  if (nombre >= 5) place(4, nombre - 4);
  for (int cible = 0, source = 1; cible < kNbreChampsLieu; ++cible) {
    if (colonnes[cible] != 0) continue;
    while (pris[source]) ++source;
    place(cible, source);
  }
  options.colonnes = colonnes;
  return options;
}

std::vector<ChampsLieu> ApercuLieux(const TBD& bd, int maximum) {
  std::vector<ChampsLieu> lignes;
  for (int e = 1; e <= bd.NbreEve() && static_cast<int>(lignes.size()) < maximum; ++e) {
    if (!bd.EveUtilise(e) || bd.Eve(e).Lieu.empty()) continue;
    lignes.push_back(DecoupeLieu(bd.Eve(e).Lieu));
  }
  return lignes;
}

// ---------------------------------------------------------------------------

std::vector<std::string> ListesDeLieux(const std::string& dossier) {
  namespace fs = std::filesystem;
  std::vector<std::string> noms;
  std::error_code erreur;
  fs::directory_iterator it(fs::path(CheminSysteme(dossier)), erreur);
  if (erreur) return noms;
  for (; it != fs::directory_iterator(); it.increment(erreur)) {
    if (erreur) break;
    if (!it->is_regular_file(erreur)) continue;
    const std::u8string u8 = it->path().filename().u8string();
    int remplaces = 0;
    std::string nom = Utf8VersAnsi(
        std::string_view(reinterpret_cast<const char*>(u8.data()), u8.size()), '?', &remplaces);
    // A name Windows-1252 cannot hold could not be opened again from its
    // converted form.
    if (remplaces > 0 || nom.size() <= 4) continue;
    if (!EgalSansCasse(std::string_view(nom).substr(nom.size() - 4), ".txt")) continue;
    nom.resize(nom.size() - 4);
    noms.push_back(std::move(nom));
  }
  std::sort(noms.begin(), noms.end(), MoinsQue);
  return noms;
}

std::vector<std::string> LignesListeDeLieux(std::string_view contenu) {
  std::vector<std::string> lignes;
  std::size_t debut = 0;
  while (debut < contenu.size()) {
    std::size_t fin = contenu.find('\n', debut);
    if (fin == std::string_view::npos) fin = contenu.size();
    std::string_view ligne = contenu.substr(debut, fin - debut);
    if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);
    if (!ligne.empty()) lignes.emplace_back(ligne);
    debut = fin + 1;
  }
  std::sort(lignes.begin(), lignes.end(), MoinsQue);
  return lignes;
}

std::vector<std::string> LitListeDeLieux(const std::string& dossier, std::string_view nom) {
  std::string base = dossier;
  if (!base.empty() && base.back() != '/' && base.back() != '\\') base += '/';
  std::string chemin = base + std::string(nom) + ".txt";
  if (!FichierExiste(chemin)) {
    // The listing accepts the extension in any case, as the system it came
    // from does; find the file under its real name.
    namespace fs = std::filesystem;
    std::error_code erreur;
    fs::directory_iterator it(fs::path(CheminSysteme(dossier)), erreur);
    for (; !erreur && it != fs::directory_iterator(); it.increment(erreur)) {
      const std::u8string u8 = it->path().filename().u8string();
      const std::string trouve =
          Utf8VersAnsi(std::string_view(reinterpret_cast<const char*>(u8.data()), u8.size()));
      if (trouve.size() == nom.size() + 4 && trouve.compare(0, nom.size(), nom) == 0 &&
          EgalSansCasse(std::string_view(trouve).substr(nom.size()), ".txt")) {
        chemin = base + trouve;
        break;
      }
    }
  }
  std::string contenu;
  if (!LitFichier(chemin, contenu).ok()) return {};
  return LignesListeDeLieux(contenu);
}

}  // namespace kindrela
