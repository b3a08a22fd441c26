#include "i18n/translation.h"

#include "core/file_io.h"
#include "core/ini_file.h"
#include "core/text.h"

namespace kindrela {
namespace {

// Splits at every ";", keeping at most the key and 50 language fields.
std::vector<std::string> Champs(std::string_view ligne) {
  std::vector<std::string> champs = Decoupe(ligne, ';');
  if (champs.size() > static_cast<size_t>(TTraduction::kMaxChamps))
    champs.resize(TTraduction::kMaxChamps);
  return champs;
}

// The key of a line: the text before its first ";", or the whole line.
std::string_view Cle(std::string_view ligne) {
  size_t p = ligne.find(';');
  return p == std::string_view::npos ? ligne : ligne.substr(0, p);
}

// A message number: a decimal integer written without spaces (a key with a
// leading space is not the number).
bool NumeroMessage(std::string_view cle, int& n) {
  if (cle.empty() || cle.size() > 9) return false;
  size_t i = (cle[0] == '-' || cle[0] == '+') ? 1 : 0;
  if (i == cle.size()) return false;
  long v = 0;
  for (; i < cle.size(); ++i) {
    if (cle[i] < '0' || cle[i] > '9') return false;
    v = v * 10 + (cle[i] - '0');
  }
  n = static_cast<int>(cle[0] == '-' ? -v : v);
  return true;
}

}  // namespace

std::string DevelopperRetours(std::string_view texte) {
  std::string out;
  out.reserve(texte.size());
  for (size_t i = 0; i < texte.size(); ++i) {
    if (texte[i] == '\\' && i + 1 < texte.size() && texte[i + 1] == 'n') {
      out += "\r\n";
      ++i;
    } else {
      out += texte[i];
    }
  }
  return out;
}

bool TTraduction::ChargeTraduction(const std::string& chemin, const std::string& dossierProgramme) {
  if (m_charge) return false;
  std::string complet = chemin;
  if (!chemin.empty() && chemin[0] != '/') complet = dossierProgramme + chemin;
  m_lignes.clear();
  m_cles.clear();
  m_listes = true;
  std::string contenu;
  if (!FichierExiste(complet) || !LitFichier(complet, contenu).ok()) return false;
  return ChargeTexte(contenu);
}

bool TTraduction::ChargeTexte(std::string_view texte) {
  if (m_charge) return false;
  m_lignes = DecoupeLignes(texte);
  m_listes = true;
  Indexe();
  m_charge = true;
  return true;
}

void TTraduction::Indexe() {
  m_cles.clear();
  m_cles.reserve(m_lignes.size());
  for (auto& m : m_messages) m.reset();
  for (const auto& ligne : m_lignes) {
    std::string_view cle = Cle(ligne);
    m_cles.emplace_back(cle);
    int n = 0;
    if (cle.size() < ligne.size() && NumeroMessage(cle, n) && n > 0 && n < kNbreMessages)
      m_messages[n] = ligne.substr(cle.size() + 1);
  }
}

void TTraduction::LibereTraduction() {
  m_lignes.clear();
  m_cles.clear();
  for (auto& m : m_messages) m.reset();
  m_listes = false;
  m_charge = false;
}

std::string TTraduction::Champ(const std::vector<std::string>& champs, int n) const {
  if (n < 0 || static_cast<size_t>(n) >= champs.size()) return {};
  return DevelopperRetours(champs[n]);
}

std::string TTraduction::Msg(int n) const {
  if (!m_listes) return std::to_string(n);
  std::vector<std::string> champs;
  if (n >= 1 && n < kNbreMessages) {
    // The stored text starts after the key: field k of the language is field k-1 here.
    champs.emplace_back();
    if (m_messages[n]) {
      auto suite = Champs(*m_messages[n]);
      champs.insert(champs.end(), suite.begin(), suite.end());
    }
  } else {
    std::string cle = std::to_string(n);
    for (size_t i = 0; i < m_cles.size(); ++i) {
      if (m_cles[i] == cle) {
        champs = Champs(m_lignes[i]);
        break;
      }
    }
  }
  std::string texte = Champ(champs, Langue);
  if (DebugTrad && texte.empty()) texte = "@" + Champ(champs, 1);
  return texte;
}

std::string TTraduction::MsgCle(std::string_view cle) const {
  std::string cherche = MinusculesAnsi(cle);
  for (size_t i = 0; i < m_cles.size(); ++i) {
    if (m_cles[i].size() == cherche.size() && MinusculesAnsi(m_cles[i]) == cherche) {
      auto champs = Champs(m_lignes[i]);
      std::string texte = Champ(champs, Langue);
      if (DebugTrad && texte.empty()) texte = "$" + Champ(champs, 1);
      return texte;
    }
  }
  return {};
}

std::vector<TTraduction::EntreeFenetre> TTraduction::EntreesFenetre(
    std::string_view nomFenetre) const {
  std::string_view nom = nomFenetre.substr(0, nomFenetre.find('_'));
  std::vector<EntreeFenetre> entrees;
  for (size_t i = 0; i < m_cles.size(); ++i) {
    std::string_view cle = m_cles[i];
    size_t point = cle.find('.');
    if (point == std::string_view::npos || cle.substr(0, point) != nom) continue;
    auto champs = Champs(m_lignes[i]);
    std::string texte = Champ(champs, Langue);
    if (DebugTrad && Trim(texte).empty()) texte = "#" + Champ(champs, 1);
    auto parties = Decoupe(champs[0], '.');
    EntreeFenetre e;
    e.composant = parties.size() > 1 ? parties[1] : std::string();
    e.propriete = parties.size() > 2 ? parties[2] : std::string();
    e.texte = std::move(texte);
    entrees.push_back(std::move(e));
  }
  return entrees;
}

std::string Remplit(std::string_view modele, std::initializer_list<std::string> valeurs) {
  std::string texte;
  auto valeur = valeurs.begin();
  for (std::size_t i = 0; i < modele.size(); ++i) {
    if (modele[i] == '%' && i + 1 < modele.size() && (modele[i + 1] == 's' || modele[i + 1] == '%')) {
      if (modele[i + 1] == '%') texte += '%';
      else if (valeur != valeurs.end()) texte += *valeur++;
      ++i;
      continue;
    }
    texte += modele[i];
  }
  return texte;
}

}  // namespace kindrela
