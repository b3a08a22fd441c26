#include "analysis/report_grid.h"

#include <algorithm>
#include <cctype>
#include <numeric>

#include "chart/kinship_sort_detail.h"
#include "core/file_io.h"
#include "core/letters.h"
#include "core/text.h"
#include "dates/dates.h"

namespace kindrela {

namespace {

const std::string kVide;

// Sort key of one cell; `vide` for an empty cell.
struct Cle {
  bool vide = true;
  long long nombre = 0;
  std::string texte;
};

std::string_view SansEspaces(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

}  // namespace

void TGrilleRapport::Vide() {
  m_colonnes.clear();
  m_cellules.clear();
  m_personnes.clear();
  m_colonneTriee = -1;
  m_croissant = true;
}

void TGrilleRapport::DefinitColonnes(std::vector<TColonneRapport> colonnes) {
  m_colonnes = std::move(colonnes);
  m_cellules.clear();
  m_personnes.clear();
  m_colonneTriee = -1;
}

int TGrilleRapport::AjouteLigne(std::vector<std::string> cellules, int personne) {
  cellules.resize(m_colonnes.size());
  for (std::string& c : cellules) m_cellules.push_back(std::move(c));
  m_personnes.push_back(personne);
  return NbreLignes() - 1;
}

void TGrilleRapport::ReserveLignes(int n) {
  if (n <= 0) return;
  m_personnes.reserve(static_cast<size_t>(n));
  m_cellules.reserve(static_cast<size_t>(n) * m_colonnes.size());
}

const std::string& TGrilleRapport::Cellule(int ligne, int colonne) const {
  if (ligne < 0 || ligne >= NbreLignes() || colonne < 0 || colonne >= NbreColonnes()) return kVide;
  return m_cellules[static_cast<size_t>(ligne) * m_colonnes.size() + static_cast<size_t>(colonne)];
}

int TGrilleRapport::Personne(int ligne) const {
  if (ligne < 0 || ligne >= NbreLignes()) return 0;
  return m_personnes[static_cast<size_t>(ligne)];
}

void TGrilleRapport::OublieLesPersonnes() { std::fill(m_personnes.begin(), m_personnes.end(), 0); }

int TGrilleRapport::LigneDe(int personne) const {
  if (personne <= 0) return -1;
  auto it = std::find(m_personnes.begin(), m_personnes.end(), personne);
  return it == m_personnes.end() ? -1 : static_cast<int>(it - m_personnes.begin());
}

TR TGrilleRapport::Personnes() const {
  TR l(std::max(NbreLignes(), 1));
  for (int p : m_personnes)
    if (p > 0) l.Add(p);
  return l;
}

int TGrilleRapport::LargeurTotale() const {
  int total = 0;
  for (const TColonneRapport& c : m_colonnes) total += c.largeur + 1;
  return total;
}

void TGrilleRapport::Trie(int colonne, bool croissant, std::string_view formatDate) {
  if (colonne < 0 || colonne >= NbreColonnes()) return;
  const TriColonne sorte = m_colonnes[static_cast<size_t>(colonne)].tri;
  const int n = NbreLignes();
  std::vector<Cle> cles(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const std::string& c = Cellule(i, colonne);
    Cle& k = cles[static_cast<size_t>(i)];
    if (SansEspaces(c).empty()) continue;
    k.vide = false;
    switch (sorte) {
      case TriColonne::Texte: k.texte = CleTri(c); break;
      case TriColonne::Date: k.nombre = detail::CleDate(DateInterne(c, formatDate)); break;
      case TriColonne::Nombre: k.nombre = TexteVersEntier(SansEspaces(c), 0); break;
    }
  }
  std::vector<int> ordre(static_cast<size_t>(n));
  std::iota(ordre.begin(), ordre.end(), 0);
  const bool texte = sorte == TriColonne::Texte;
  std::stable_sort(ordre.begin(), ordre.end(), [&](int a, int b) {
    const Cle& x = cles[static_cast<size_t>(a)];
    const Cle& y = cles[static_cast<size_t>(b)];
    if (x.vide || y.vide) return !x.vide && y.vide;
    if (texte) return croissant ? x.texte < y.texte : y.texte < x.texte;
    return croissant ? x.nombre < y.nombre : y.nombre < x.nombre;
  });
  const size_t nc = m_colonnes.size();
  std::vector<std::string> cellules;
  cellules.reserve(m_cellules.size());
  std::vector<int> personnes;
  personnes.reserve(m_personnes.size());
  for (int i : ordre) {
    for (size_t c = 0; c < nc; ++c) cellules.push_back(std::move(m_cellules[static_cast<size_t>(i) * nc + c]));
    personnes.push_back(m_personnes[static_cast<size_t>(i)]);
  }
  m_cellules = std::move(cellules);
  m_personnes = std::move(personnes);
  m_colonneTriee = colonne;
  m_croissant = croissant;
}

void TGrilleRapport::TrieClic(int colonne, std::string_view formatDate) {
  const bool croissant = m_colonneTriee == colonne ? !m_croissant : true;
  Trie(colonne, croissant, formatDate);
}

std::string TGrilleRapport::TexteDelimite(char separateur) const {
  std::string out;
  for (const TColonneRapport& c : m_colonnes) {
    out += c.titre;
    out += separateur;
  }
  out += "\r\n";
  for (int i = 0; i < NbreLignes(); ++i) {
    for (int c = 0; c < NbreColonnes(); ++c) {
      out += Cellule(i, c);
      out += separateur;
    }
    out += "\r\n";
  }
  return out;
}

std::string TGrilleRapport::TexteCsv() const {
  auto cellule = [](std::string& out, const std::string& c) {
    if (c.find_first_of(",\"\r\n") == std::string::npos) {
      out += c;
      return;
    }
    out += '"';
    for (char x : c) {
      if (x == '"') out += '"';
      out += x;
    }
    out += '"';
  };
  std::string out;
  for (int c = 0; c < NbreColonnes(); ++c) {
    if (c) out += ',';
    cellule(out, m_colonnes[static_cast<size_t>(c)].titre);
  }
  out += "\r\n";
  for (int l = 0; l < NbreLignes(); ++l) {
    for (int c = 0; c < NbreColonnes(); ++c) {
      if (c) out += ',';
      cellule(out, Cellule(l, c));
    }
    out += "\r\n";
  }
  return out;
}

char SeparateurFiltre(int filtre) {
  switch (filtre) {
    case 2: return ',';
    case 3: return '\t';
    default: return ';';
  }
}

std::string NomExportTexte(const std::string& nom) { return nom + ".txt"; }

Statut EnregistreTexte(const TGrilleRapport& grille, const std::string& chemin, char separateur) {
  return EcritFichierAtomique(chemin, FichierTexteExporte(grille.TexteDelimite(separateur)));
}

std::string RegleLigne(int ligneGrille, int miseEnForme, int sexePersonne) {
  if (ligneGrille == 0) return "table thead td";
  switch (miseEnForme) {
    case 0: return ".rowunique";
    case 2: return sexePersonne == 0 ? ".rowHomme" : ".rowFemme";
    default: return ligneGrille % 2 == 1 ? ".rowPair" : ".rowImpair";
  }
}

std::string ProprieteCss(std::string_view css, std::string_view selecteur,
                         std::string_view propriete) {
  // Comments out first, so that braces inside them do not count.
  std::string texte;
  texte.reserve(css.size());
  for (size_t i = 0; i < css.size();) {
    if (css.compare(i, 2, "/*") == 0) {
      size_t fin = css.find("*/", i + 2);
      i = fin == std::string_view::npos ? css.size() : fin + 2;
    } else {
      texte += css[i++];
    }
  }
  size_t pos = 0;
  while (pos < texte.size()) {
    const size_t ouvre = texte.find('{', pos);
    if (ouvre == std::string::npos) break;
    const size_t ferme = texte.find('}', ouvre);
    if (ferme == std::string::npos) break;
    bool trouve = false;
    for (const std::string& s : Decoupe(std::string_view(texte).substr(pos, ouvre - pos), ','))
      if (SansEspaces(s) == selecteur) trouve = true;
    if (trouve) {
      for (const std::string& decl :
           Decoupe(std::string_view(texte).substr(ouvre + 1, ferme - ouvre - 1), ';')) {
        const size_t dp = decl.find(':');
        if (dp == std::string::npos) continue;
        if (EgalSansCasse(SansEspaces(std::string_view(decl).substr(0, dp)), propriete))
          return std::string(SansEspaces(std::string_view(decl).substr(dp + 1)));
      }
    }
    pos = ferme + 1;
  }
  return {};
}

bool LitCouleurCss(std::string_view valeur, int& r, int& g, int& b) {
  valeur = SansEspaces(valeur);
  auto hex = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  if (!valeur.empty() && valeur[0] == '#') {
    std::vector<int> h;
    for (char c : valeur.substr(1)) {
      if (hex(c) < 0) return false;
      h.push_back(hex(c));
    }
    if (h.size() == 3) {
      r = h[0] * 17, g = h[1] * 17, b = h[2] * 17;
      return true;
    }
    if (h.size() == 6) {
      r = h[0] * 16 + h[1], g = h[2] * 16 + h[3], b = h[4] * 16 + h[5];
      return true;
    }
    return false;
  }
  if (valeur.size() > 5 && EgalSansCasse(valeur.substr(0, 4), "rgb(") && valeur.back() == ')') {
    std::vector<std::string> parts = Decoupe(valeur.substr(4, valeur.size() - 5), ',');
    if (parts.size() != 3) return false;
    int v[3];
    for (int i = 0; i < 3; ++i) {
      if (!EstEntier(parts[static_cast<size_t>(i)])) return false;
      v[i] = std::clamp(TexteVersEntier(parts[static_cast<size_t>(i)]), 0, 255);
    }
    r = v[0], g = v[1], b = v[2];
    return true;
  }
  return false;
}

std::string FormateMsg(std::string_view modele, const std::vector<std::string>& valeurs) {
  std::string out;
  size_t k = 0;
  for (size_t i = 0; i < modele.size(); ++i) {
    if (modele[i] == '%' && i + 1 < modele.size()) {
      if (modele[i + 1] == 's') {
        if (k < valeurs.size()) out += valeurs[k];
        ++k;
        ++i;
        continue;
      }
      if (modele[i + 1] == '%') {
        out += '%';
        ++i;
        continue;
      }
    }
    out += modele[i];
  }
  return out;
}

}  // namespace kindrela
