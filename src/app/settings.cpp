#include "app/settings.h"

#include <algorithm>
#include <cassert>

#include "core/file_io.h"
#include "core/text.h"

namespace kindrela {
namespace {

constexpr std::string_view kCleVoirInfo = "VoirInfo";
constexpr std::string_view kCleOldFileName = "OldFileName";
constexpr std::string_view kCleAgeDecesMax = "AgedecesMax";

std::string CompleteVoirInfo(std::string s) {
  if (s.size() < kLongueurVoirInfo) s.resize(kLongueurVoirInfo, 'O');
  return s;
}

bool EstVoirInfo(const TCleReglage& c) {
  return EgalSansCasse(c.section, kSectionGene) && EgalSansCasse(c.cle, kCleVoirInfo);
}

std::string TexteParDefaut(const TCleReglage& c, const TTraduction* traduction) {
  std::string texte;
  if (traduction == nullptr) return texte;
  bool premier = true;
  for (int m : c.messages) {
    if (m == 0) break;
    if (!premier) texte += ' ';
    texte += traduction->Msg(m);
    premier = false;
  }
  return texte;
}

// The key of line i of a multi-line value: "GedInfoAdresse 0", ...
std::string CleLigne(std::string_view cle, int i) {
  return std::string(cle) + " " + std::to_string(i);
}

}  // namespace

TReglages::TReglages() {
  auto cles = ClesReglages();
  m_valeurs.reserve(cles.size());
  for (const auto& c : cles) {
    switch (c.sorte) {
      case SorteReglage::Booleen: m_valeurs.emplace_back(c.defaut != 0); break;
      case SorteReglage::Entier:
      case SorteReglage::Raccourci: m_valeurs.emplace_back(c.defaut); break;
      case SorteReglage::Texte:
        m_valeurs.emplace_back(EstVoirInfo(c) ? CompleteVoirInfo({}) : std::string());
        break;
      case SorteReglage::Lignes: m_valeurs.emplace_back(std::vector<std::string>{}); break;
    }
  }
}

void TReglages::ChargeReglages(const FichierIni& ini, const TTraduction& traduction,
                               const std::string& dossierProgramme) {
  auto cles = ClesReglages();
  for (size_t i = 0; i < cles.size(); ++i) {
    const TCleReglage& c = cles[i];
    switch (c.sorte) {
      case SorteReglage::Booleen:
        m_valeurs[i] = ini.LitBooleen(c.section, c.cle, c.defaut != 0);
        break;
      case SorteReglage::Entier: m_valeurs[i] = ini.LitEntier(c.section, c.cle, c.defaut); break;
      case SorteReglage::Raccourci:
        m_valeurs[i] = RaccourciLu(ini.LitEntier(c.section, c.cle, c.defaut), c.defaut);
        break;
      case SorteReglage::Texte: {
        std::string v = ini.LitTexte(c.section, c.cle, TexteParDefaut(c, &traduction));
        m_valeurs[i] = EstVoirInfo(c) ? CompleteVoirInfo(std::move(v)) : std::move(v);
        break;
      }
      case SorteReglage::Lignes: {
        int n = std::clamp(ini.LitEntier(c.section, c.cle, 0), 0, kMaxLignesReglage);
        std::vector<std::string> lignes;
        lignes.reserve(static_cast<size_t>(n));
        for (int k = 0; k < n; ++k) lignes.push_back(ini.LitTexte(c.section, CleLigne(c.cle, k)));
        m_valeurs[i] = std::move(lignes);
        break;
      }
    }
  }
  m_dureeVieMax = Entier(kSectionOptions, kCleAgeDecesMax);

  m_cheminLokaro = ini.LitTexte(kSectionLokaro, "Path");
  std::string local = dossierProgramme;
  if (!local.empty() && local.back() != '/') local += '/';
  local += kProgrammeLokaro;
  if (FichierExiste(local)) m_cheminLokaro = local;
  m_lokaroDisponible = !m_cheminLokaro.empty() && FichierExiste(m_cheminLokaro);
}

void TReglages::SauveReglages(FichierIni& ini) const {
  auto cles = ClesReglages();
  for (size_t i = 0; i < cles.size(); ++i) {
    const TCleReglage& c = cles[i];
    if (c.lectureSeule) continue;
    const Valeur& v = m_valeurs[i];
    switch (c.sorte) {
      case SorteReglage::Booleen: ini.EcritBooleen(c.section, c.cleEcrite, std::get<bool>(v)); break;
      case SorteReglage::Entier:
      case SorteReglage::Raccourci: ini.EcritEntier(c.section, c.cleEcrite, std::get<int>(v)); break;
      case SorteReglage::Texte: {
        const auto& texte = std::get<std::string>(v);
        // Without a known tree file the previous run's one stays.
        if (EgalSansCasse(c.cle, kCleOldFileName) && texte.empty()) break;
        ini.EcritTexte(c.section, c.cleEcrite, texte);
        break;
      }
      case SorteReglage::Lignes: {
        const auto& lignes = std::get<std::vector<std::string>>(v);
        int n = static_cast<int>(lignes.size());
        ini.EcritEntier(c.section, c.cleEcrite, n);
        for (int k = 0; k < n; ++k)
          ini.EcritTexte(c.section, CleLigne(c.cleEcrite, k), lignes[static_cast<size_t>(k)]);
        // A shorter value than last time: its old trailing lines would only
        // mislead someone reading the file.
        for (int k = n; ini.CleExiste(c.section, CleLigne(c.cle, k)); ++k)
          ini.EffaceCle(c.section, CleLigne(c.cle, k));
        break;
      }
    }
  }
}

int TReglages::Index(std::string_view section, std::string_view cle, SorteReglage sorte) const {
  const TCleReglage* c = TrouveCleReglage(section, cle);
  bool bonneSorte = c != nullptr && (c->sorte == sorte || (sorte == SorteReglage::Entier &&
                                                           c->sorte == SorteReglage::Raccourci));
  assert(bonneSorte && "no settings key of that name and sort");
  if (!bonneSorte) return -1;
  return static_cast<int>(c - ClesReglages().data());
}

bool TReglages::Bool(std::string_view section, std::string_view cle) const {
  int i = Index(section, cle, SorteReglage::Booleen);
  return i >= 0 && std::get<bool>(m_valeurs[static_cast<size_t>(i)]);
}

int TReglages::Entier(std::string_view section, std::string_view cle) const {
  int i = Index(section, cle, SorteReglage::Entier);
  return i < 0 ? 0 : std::get<int>(m_valeurs[static_cast<size_t>(i)]);
}

const std::string& TReglages::Texte(std::string_view section, std::string_view cle) const {
  static const std::string vide;
  int i = Index(section, cle, SorteReglage::Texte);
  return i < 0 ? vide : std::get<std::string>(m_valeurs[static_cast<size_t>(i)]);
}

const std::vector<std::string>& TReglages::Lignes(std::string_view section,
                                                  std::string_view cle) const {
  static const std::vector<std::string> vide;
  int i = Index(section, cle, SorteReglage::Lignes);
  return i < 0 ? vide : std::get<std::vector<std::string>>(m_valeurs[static_cast<size_t>(i)]);
}

void TReglages::SetBool(std::string_view section, std::string_view cle, bool valeur) {
  int i = Index(section, cle, SorteReglage::Booleen);
  if (i >= 0) m_valeurs[static_cast<size_t>(i)] = valeur;
}

void TReglages::SetEntier(std::string_view section, std::string_view cle, int valeur) {
  int i = Index(section, cle, SorteReglage::Entier);
  if (i >= 0) m_valeurs[static_cast<size_t>(i)] = valeur;
}

void TReglages::SetTexte(std::string_view section, std::string_view cle, std::string valeur) {
  int i = Index(section, cle, SorteReglage::Texte);
  if (i < 0) return;
  if (EstVoirInfo(ClesReglages()[static_cast<size_t>(i)])) valeur = CompleteVoirInfo(std::move(valeur));
  m_valeurs[static_cast<size_t>(i)] = std::move(valeur);
}

void TReglages::SetLignes(std::string_view section, std::string_view cle,
                          std::vector<std::string> lignes) {
  int i = Index(section, cle, SorteReglage::Lignes);
  if (i >= 0) m_valeurs[static_cast<size_t>(i)] = std::move(lignes);
}

int TReglages::Raccourci(int slot) const {
  if (slot < 0 || slot >= kNbreRaccourcis) return 0;
  return Entier(kSectionOptions, CleRaccourci(slot));
}

void TReglages::SetRaccourci(int slot, int valeur) {
  if (slot < 0 || slot >= kNbreRaccourcis) return;
  SetEntier(kSectionOptions, CleRaccourci(slot), valeur);
}

TRect TReglages::RectFenetre(std::string_view prefixe) const {
  auto lit = [&](const char* suffixe) {
    std::string cle = std::string(prefixe) + suffixe;
    return TrouveCleReglage(kSectionFenetre, cle) ? Entier(kSectionFenetre, cle) : 0;
  };
  return TRect{lit("L"), lit("T"), lit("W"), lit("H")};
}

void TReglages::SetRectFenetre(std::string_view prefixe, const TRect& r) {
  auto ecrit = [&](const char* suffixe, int valeur) {
    std::string cle = std::string(prefixe) + suffixe;
    if (TrouveCleReglage(kSectionFenetre, cle)) SetEntier(kSectionFenetre, cle, valeur);
  };
  ecrit("L", r.left);
  ecrit("T", r.top);
  ecrit("W", r.width);
  ecrit("H", r.height);
}

bool TReglages::AstuceVisible(int k) const {
  const std::string& s = Texte(kSectionGene, kCleVoirInfo);
  if (k < 1 || static_cast<size_t>(k) > s.size()) return true;
  return s[static_cast<size_t>(k) - 1] != 'N';
}

void TReglages::SetAstuceVisible(int k, bool visible) {
  if (k < 1) return;
  std::string s = Texte(kSectionGene, kCleVoirInfo);
  if (static_cast<size_t>(k) > s.size()) s.resize(static_cast<size_t>(k), 'O');
  s[static_cast<size_t>(k) - 1] = visible ? 'O' : 'N';
  SetTexte(kSectionGene, kCleVoirInfo, std::move(s));
}

TRect RectFenetrePrincipale(const TReglages& reglages, const TRect& zone) {
  TRect r = reglages.RectFenetre("kindr");
  return RectFenetrePrincipale(r.left, r.top, r.width, r.height, zone);
}

TRect PositionFenetre(const TReglages& reglages, std::string_view prefixe, TTaille actuelle,
                      const TRect& zone) {
  if (EgalSansCasse(prefixe, "kindr")) return RectFenetrePrincipale(reglages, zone);
  TRect r = reglages.RectFenetre(prefixe);
  return PlaceFenetre(actuelle, r.left, r.top, r.height, r.width, zone);
}

std::size_t LimiteJournal(const TReglages& reglages) {
  const int mo = reglages.Entier(kSectionOptions, "AnnulationMo");
  return static_cast<std::size_t>(mo > 0 ? mo : 1) << 20;
}

}  // namespace kindrela
