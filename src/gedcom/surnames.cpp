#include "gedcom/surnames.h"

#include <algorithm>
#include <limits>

#include "core/file_io.h"
#include "core/letters.h"
#include "core/text.h"
#include "gedcom/gedcom_lines.h"

namespace kindrela {

namespace {

bool LettreRedoublable(char c) {
  switch (c) {
    case 'B': case 'F': case 'L': case 'M': case 'N': case 'P': case 'R': case 'S': case 'T':
      return true;
    default:
      return false;
  }
}

std::string_view SansEspaces(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

void TrieEntrees(std::vector<TPatro>& v, bool parCle) {
  std::stable_sort(v.begin(), v.end(), [parCle](const TPatro& a, const TPatro& b) {
    return parCle ? CompareTri(a.Cle, b.Cle) < 0 : CompareTri(a.Nom, b.Nom) < 0;
  });
}

}  // namespace

std::string ClePhonetique(std::string_view nom) {
  std::string maj = MajusculesAnsi(nom);
  std::string cle;
  cle.reserve(maj.size());
  for (char c : maj)
    if (cle.empty() || c != cle.back() || !LettreRedoublable(c)) cle += c;
  return cle;
}

void ListePatronymes::Vide() {
  m_entrees.clear();
  m_index.clear();
}

bool ListePatronymes::Ajoute(std::string_view nom, int nombre) {
  if (nom.empty()) return false;
  auto it = m_index.find(std::string(nom));
  if (it != m_index.end()) {
    // A damaged saved list may repeat a surname with huge counts: the
    // total stops at the largest count rather than wrapping negative.
    int& total = m_entrees[it->second].Nombre;
    total = static_cast<int>(std::clamp<long long>(static_cast<long long>(total) + nombre,
                                                    std::numeric_limits<int>::min(),
                                                    std::numeric_limits<int>::max()));
    return true;
  }
  if (Taille() >= kMaxPatronymes) return false;
  m_index.emplace(std::string(nom), m_entrees.size());
  m_entrees.push_back({ClePhonetique(nom), nombre, std::string(nom)});
  return true;
}

void ListePatronymes::Trie(bool parCle) {
  TrieEntrees(m_entrees, parCle);
  for (size_t i = 0; i < m_entrees.size(); ++i) m_index[m_entrees[i].Nom] = i;
}

bool AjouterPatronyme(ListePatronymes& liste, std::string_view nom) { return liste.Ajoute(nom); }

void TrierPatronymes(ListePatronymes& liste, bool parCle) { liste.Trie(parCle); }

std::string LignePatronyme(const TPatro& p) {
  return p.Nom + " (" + std::to_string(p.Nombre) + ") " + p.Cle;
}

std::vector<std::string> LignesPatronymes(const ListePatronymes& liste) {
  std::vector<std::string> res;
  res.reserve(liste.Entrees().size());
  for (const TPatro& p : liste.Entrees()) res.push_back(LignePatronyme(p));
  return res;
}

std::string PatronymeDeNom(std::string_view valeur) {
  size_t premiere = valeur.find('/');
  if (premiere == std::string_view::npos) return std::string(SansEspaces(valeur));
  std::string_view reste = valeur.substr(premiere + 1);
  return std::string(SansEspaces(reste.substr(0, reste.find('/'))));
}

Statut LirePatronymesGedcomTexte(std::string_view contenu, ListePatronymes& liste,
                                 const Progression& progression) {
  std::string utf8;
  if (Utf16VersUtf8(contenu, utf8)) contenu = utf8;
  LecteurGedcom lecteur(contenu, JeuPreselectionne(contenu.substr(0, 8192)));
  lecteur.CompteRemplacements(false);
  if (!lecteur.Suivante() || lecteur.Ligne().texte.substr(0, 6) != "0 HEAD")
    return Statut::Erreur("Ce n'est pas un fichier GEDCOM.\r\n" +
                          std::string(lecteur.Ligne().texte));
  liste.Vide();
  const size_t centieme = std::max<size_t>(contenu.size() / 100, 1);
  size_t prochainPoint = centieme;
  bool arrete = false;
  bool personne = false;
  while (lecteur.Suivante()) {
    const LigneGedcom& l = lecteur.Ligne();
    // Only persons: a submitter's or a repository's NAME is no surname.
    if (l.niveau == 0) personne = l.tag == "INDI";
    if (personne && l.niveau == 1 && l.tag == "NAME") AjouterPatronyme(liste, PatronymeDeNom(l.valeur));
    if (progression && lecteur.Position() >= prochainPoint) {
      prochainPoint = lecteur.Position() + centieme;
      if (!progression(static_cast<long long>(lecteur.Position()),
                       static_cast<long long>(contenu.size()))) {
        arrete = true;
        break;
      }
    }
  }
  liste.Trie(false);
  return arrete ? Statut::Annule() : Statut::Ok();
}

Statut LirePatronymesGedcom(const std::string& chemin, ListePatronymes& liste,
                            const Progression& progression) {
  std::string contenu;
  Statut s = LitFichier(chemin, contenu);
  if (!s) return s;
  Statut r = LirePatronymesGedcomTexte(contenu, liste, progression);
  if (!r && !r.annule()) return Statut::Erreur(chemin + " : " + r.message());
  return r;
}

std::vector<std::string> ComparerPatronymes(const ListePatronymes& premier,
                                            const ListePatronymes& second, ModeComparaison mode) {
  const bool parCle = mode == ModeComparaison::Phonetique;
  std::vector<TPatro> a = premier.Entrees();
  std::vector<TPatro> b = second.Entrees();
  TrieEntrees(a, parCle);
  TrieEntrees(b, parCle);
  std::vector<std::string> res;
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    int c = parCle ? CompareTri(a[i].Cle, b[j].Cle) : CompareTri(a[i].Nom, b[j].Nom);
    if (c < 0) {
      ++i;
    } else if (c > 0) {
      ++j;
    } else {
      res.push_back(parCle ? a[i].Nom + " , " + b[j].Nom : a[i].Nom);
      ++i;
      ++j;
    }
  }
  return res;
}

Statut SauvePatronymes(const std::string& chemin, const std::vector<std::string>& lignes) {
  std::string texte;
  for (const std::string& l : lignes) {
    texte += l;
    texte += "\r\n";
  }
  return EcritFichierAtomique(chemin, texte);
}

void ChargePatronymesTexte(std::string_view texte, ListePatronymes& liste) {
  liste.Vide();
  size_t debut = 0;
  while (debut < texte.size()) {
    size_t fin = texte.find_first_of("\r\n", debut);
    if (fin == std::string_view::npos) fin = texte.size();
    std::string_view ligne = SansEspaces(texte.substr(debut, fin - debut));
    debut = fin + 1;
    if (ligne.empty()) continue;
    size_t parenthese = ligne.find('(');
    if (parenthese == std::string_view::npos) {
      liste.Ajoute(ligne, 1);
      continue;
    }
    std::string_view nom = SansEspaces(ligne.substr(0, parenthese));
    std::string_view apres = ligne.substr(parenthese + 1);
    int nombre = TexteVersEntier(apres.substr(0, apres.find(')')), 1);
    liste.Ajoute(nom, nombre < 1 ? 1 : nombre);
  }
  liste.Trie(false);
}

Statut ChargePatronymes(const std::string& chemin, ListePatronymes& liste) {
  std::string contenu;
  if (!LitFichier(chemin, contenu)) return Statut::Erreur("Fichier incorrect : " + chemin);
  ChargePatronymesTexte(contenu, liste);
  return Statut::Ok();
}

}  // namespace kindrela
