#include "core/ini_file.h"

#include "core/file_io.h"
#include "core/text.h"

namespace kindrela {

std::vector<std::string> DecoupeLignes(std::string_view texte) {
  std::vector<std::string> lignes;
  size_t debut = 0;
  size_t i = 0;
  while (i < texte.size()) {
    char c = texte[i];
    if (c == '\r' || c == '\n') {
      lignes.emplace_back(texte.substr(debut, i - debut));
      if (c == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') ++i;
      debut = i + 1;
    }
    ++i;
  }
  if (debut < texte.size()) lignes.emplace_back(texte.substr(debut));
  return lignes;
}

FichierIni::FichierIni(std::string chemin) : m_chemin(std::move(chemin)) {
  std::string contenu;
  if (FichierExiste(m_chemin) && LitFichier(m_chemin, contenu).ok()) {
    ChargeTexte(contenu);
    m_lu = true;
  }
}

void FichierIni::ChargeTexte(std::string_view texte) {
  m_lignes.clear();
  for (auto& brut : DecoupeLignes(texte)) {
    Ligne l;
    l.texte = brut;
    std::string t = Trim(brut);
    if (!t.empty() && t.front() == '[') {
      size_t fin = t.find(']');
      l.sorte = Ligne::Entete;
      l.section = Trim(t.substr(1, fin == std::string::npos ? std::string::npos : fin - 1));
    } else if (!t.empty() && t.front() != ';') {
      size_t egal = t.find('=');
      if (egal != std::string::npos) {
        l.sorte = Ligne::Cle;
        l.cle = Trim(t.substr(0, egal));
        l.valeur = Trim(t.substr(egal + 1));
      }
    }
    m_lignes.push_back(std::move(l));
  }
}

std::string FichierIni::Texte() const {
  std::string out;
  for (const auto& l : m_lignes) {
    out += l.texte;
    out += "\r\n";
  }
  return out;
}

Statut FichierIni::Enregistre() const { return EnregistreSous(m_chemin); }

Statut FichierIni::EnregistreSous(const std::string& chemin) const {
  return EcritFichierAtomique(chemin, Texte());
}

int FichierIni::TrouveSection(std::string_view section) const {
  std::string s = Trim(section);
  for (size_t i = 0; i < m_lignes.size(); ++i)
    if (m_lignes[i].sorte == Ligne::Entete && EgalSansCasse(m_lignes[i].section, s))
      return static_cast<int>(i);
  return -1;
}

int FichierIni::FinSection(int entete) const {
  size_t i = static_cast<size_t>(entete) + 1;
  while (i < m_lignes.size() && m_lignes[i].sorte != Ligne::Entete) ++i;
  return static_cast<int>(i);
}

int FichierIni::TrouveCle(int entete, std::string_view cle) const {
  if (entete < 0) return -1;
  std::string c = Trim(cle);
  int fin = FinSection(entete);
  for (int i = entete + 1; i < fin; ++i)
    if (m_lignes[i].sorte == Ligne::Cle && EgalSansCasse(m_lignes[i].cle, c)) return i;
  return -1;
}

std::string FichierIni::LitTexte(std::string_view section, std::string_view cle,
                                 std::string_view defaut) const {
  int i = TrouveCle(TrouveSection(section), cle);
  return i < 0 ? std::string(defaut) : m_lignes[i].valeur;
}

int FichierIni::LitEntier(std::string_view section, std::string_view cle, int defaut) const {
  int i = TrouveCle(TrouveSection(section), cle);
  return i < 0 ? defaut : TexteVersEntier(m_lignes[i].valeur, defaut);
}

bool FichierIni::LitBooleen(std::string_view section, std::string_view cle, bool defaut) const {
  return LitEntier(section, cle, defaut ? 1 : 0) != 0;
}

void FichierIni::EcritTexte(std::string_view section, std::string_view cle,
                            std::string_view valeur) {
  std::string s = Trim(section), c = Trim(cle);
  // A line break inside a value would cut the file's line in two and turn
  // the rest into a stray key; the value stays on its line.
  std::string v = Trim(valeur);
  for (char& ch : v)
    if (ch == '\r' || ch == '\n') ch = ' ';
  int entete = TrouveSection(s);
  if (entete < 0) {
    if (!m_lignes.empty() && !Trim(m_lignes.back().texte).empty()) m_lignes.push_back(Ligne{});
    Ligne e;
    e.sorte = Ligne::Entete;
    e.section = s;
    e.texte = "[" + s + "]";
    m_lignes.push_back(e);
    entete = static_cast<int>(m_lignes.size()) - 1;
  }
  Ligne l;
  l.sorte = Ligne::Cle;
  l.cle = c;
  l.valeur = v;
  l.texte = c + "=" + v;
  int i = TrouveCle(entete, c);
  if (i >= 0) {
    l.cle = m_lignes[i].cle;  // keep the key as first written
    l.texte = l.cle + "=" + v;
    m_lignes[i] = l;
    return;
  }
  // After the section's last non-blank line, so blank separators stay last.
  int fin = FinSection(entete);
  int position = fin;
  while (position - 1 > entete && Trim(m_lignes[position - 1].texte).empty()) --position;
  m_lignes.insert(m_lignes.begin() + position, l);
}

void FichierIni::EcritEntier(std::string_view section, std::string_view cle, int valeur) {
  EcritTexte(section, cle, std::to_string(valeur));
}

void FichierIni::EcritBooleen(std::string_view section, std::string_view cle, bool valeur) {
  EcritTexte(section, cle, valeur ? "1" : "0");
}

bool FichierIni::SectionExiste(std::string_view section) const {
  return TrouveSection(section) >= 0;
}

bool FichierIni::CleExiste(std::string_view section, std::string_view cle) const {
  return TrouveCle(TrouveSection(section), cle) >= 0;
}

std::vector<std::string> FichierIni::Sections() const {
  std::vector<std::string> out;
  for (const auto& l : m_lignes)
    if (l.sorte == Ligne::Entete) out.push_back(l.section);
  return out;
}

std::vector<std::string> FichierIni::Cles(std::string_view section) const {
  std::vector<std::string> out;
  for (auto& [cle, valeur] : Valeurs(section)) out.push_back(cle);
  return out;
}

std::vector<std::pair<std::string, std::string>> FichierIni::Valeurs(
    std::string_view section) const {
  std::vector<std::pair<std::string, std::string>> out;
  int entete = TrouveSection(section);
  if (entete < 0) return out;
  int fin = FinSection(entete);
  for (int i = entete + 1; i < fin; ++i)
    if (m_lignes[i].sorte == Ligne::Cle) out.emplace_back(m_lignes[i].cle, m_lignes[i].valeur);
  return out;
}

std::vector<FichierIni::Section> FichierIni::ToutesLesSections() const {
  std::vector<Section> out;
  for (const auto& l : m_lignes) {
    if (l.sorte == Ligne::Entete)
      out.push_back(Section{l.section, {}});
    else if (l.sorte == Ligne::Cle && !out.empty())
      out.back().valeurs.emplace_back(l.cle, l.valeur);
  }
  return out;
}

void FichierIni::EffaceSection(std::string_view section) {
  int entete = TrouveSection(section);
  if (entete < 0) return;
  m_lignes.erase(m_lignes.begin() + entete, m_lignes.begin() + FinSection(entete));
}

void FichierIni::EffaceCle(std::string_view section, std::string_view cle) {
  int i = TrouveCle(TrouveSection(section), cle);
  if (i >= 0) m_lignes.erase(m_lignes.begin() + i);
}

}  // namespace kindrela
