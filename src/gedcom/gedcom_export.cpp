#include "gedcom/gedcom_export.h"

#include <charconv>
#include <cstring>
#include <map>
#include <unordered_map>
#include <utility>
#include <vector>

#include "analysis/type_tables.h"
#include "chart/kinship.h"
#include "core/clock.h"
#include "core/database.h"
#include "core/file_io.h"
#include "core/identity.h"
#include "core/letters.h"
#include "core/text.h"
#include "dates/dates.h"

namespace kindrela {

namespace {

constexpr int kPasProgression = 25;
constexpr int kLargeurNote = 40;  // the width notes are wrapped at
// The text is put into the chosen character set by pieces of about this
// size, each made of whole records: no second copy of the whole file.
constexpr size_t kMorceau = 64 * 1024;

void AjouteNombre(std::string& s, long long v) {
  if (v >= 0 && v <= 9) {  // levels, mostly
    s += static_cast<char>('0' + v);
    return;
  }
  char tampon[24];
  auto [fin, ec] = std::to_chars(tampon, tampon + sizeof tampon, v);
  (void)ec;
  s.append(tampon, fin);
}

bool EstFinDeLigne(char c) { return c == '\r' || c == '\n'; }

// A value that belongs on one GEDCOM line: a line break inside it would start
// a line of its own that any reader takes as a new record or tag.
void AjouteSurUneLigne(std::string& s, std::string_view v) {
  if (v.empty() || (!std::memchr(v.data(), '\r', v.size()) && !std::memchr(v.data(), '\n', v.size()))) {
    s.append(v);
    return;
  }
  for (size_t i = 0; i < v.size(); ++i) {
    if (!EstFinDeLigne(v[i])) {
      s += v[i];
    } else {
      if (v[i] == '\r' && i + 1 < v.size() && v[i + 1] == '\n') ++i;
      s += ' ';
    }
  }
}

// `f` on each paragraph of a text, at CR LF, CR or LF.
template <typename F>
void ChaqueParagraphe(std::string_view t, const F& f) {
  size_t debut = 0;
  for (size_t i = 0; i < t.size(); ++i) {
    if (!EstFinDeLigne(t[i])) continue;
    f(t.substr(debut, i - debut));
    if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') ++i;
    debut = i + 1;
  }
  f(t.substr(debut));
}

std::vector<std::string_view> Paragraphes(std::string_view t) {
  std::vector<std::string_view> res;
  ChaqueParagraphe(t, [&](std::string_view p) { res.push_back(p); });
  return res;
}

// Where to wrap `p` (longer than `largeur`): at most `largeur` characters
// on the line, and never next to a space, since readers trim the ends of
// lines and CONC joins the pieces as they are.
size_t Coupure(std::string_view p, size_t largeur) {
  for (size_t i = largeur; i > 0; --i)
    if (p[i - 1] != ' ' && p[i] != ' ') return i;
  return largeur;
}

// The same counted in letters, for a paragraph holding references: the
// cut falls between two letters, never inside a reference.
size_t CoupureLettres(std::string_view p, size_t largeur) {
  std::vector<size_t> bornes;  // bornes[k]: where letter k starts
  bornes.reserve(largeur + 1);
  for (size_t i = 0, longueur = 0; bornes.size() <= largeur && i < p.size(); i += longueur) {
    bornes.push_back(i);
    LettreEn(p, i, longueur);
  }
  for (size_t k = largeur; k > 0; --k)
    if (p[bornes[k] - 1] != ' ' && p[bornes[k]] != ' ') return bornes[k];
  return bornes[largeur];
}

void AjouteLigneNote(std::string& s, int niveau, const char* tag, std::string_view texte) {
  AjouteNombre(s, niveau);
  s += ' ';
  s += tag;
  if (!texte.empty()) {
    s += ' ';
    s.append(texte);
  }
  s += "\r\n";
}

// Custom-field triples "type|key|value|" of a person.
struct ChampPerso {
  std::string_view cle, valeur;
};
std::vector<ChampPerso> ChampsDe(std::string_view champs) {
  std::vector<ChampPerso> res;
  size_t i = 0;
  while (i < champs.size()) {
    size_t a = champs.find('|', i);
    if (a == std::string_view::npos) break;
    size_t b = champs.find('|', a + 1);
    if (b == std::string_view::npos) break;
    size_t c = champs.find('|', b + 1);
    if (c == std::string_view::npos) c = champs.size();
    res.push_back({champs.substr(a + 1, b - a - 1), champs.substr(b + 1, c - b - 1)});
    i = c + 1;
  }
  return res;
}

// Column 1 -> column 2 of a type table, the first row of a key winning, as
// TTablesTypes looks them up; built once so that each event costs one lookup.
std::unordered_map<std::string, std::string> TableDesTags(const TTablesTypes& tables,
                                                          SorteTable sorte) {
  std::unordered_map<std::string, std::string> res;
  const GrilleTable& grille = tables.Grille(sorte);
  for (size_t r = 1; r < grille.size(); ++r) {
    const LigneTable& ligne = grille[r];
    if (ligne.size() < 2 || ligne[1].empty()) continue;
    res.emplace(ligne[1], ligne.size() > 2 ? ligne[2] : std::string());
  }
  return res;
}

// NoteGedcom, appended to `s`.
void AjouteNoteGedcom(std::string& s, std::string_view texte, int niveau, int largeur) {
  while (!texte.empty() && (texte.back() == ' ' || EstFinDeLigne(texte.back())))
    texte.remove_suffix(1);
  if (texte.empty()) return;
  const size_t l = largeur > 0 ? static_cast<size_t>(largeur) : 1;
  bool premiere = true;
  ChaqueParagraphe(texte, [&](std::string_view p) {
    const char* tag = premiere ? "NOTE" : "CONT";
    const bool references = PeutContenirReference(p);
    for (;;) {
      if (p.size() <= l || (references && OctetsDesLettres(p, l) == p.size())) {
        AjouteLigneNote(s, premiere ? niveau : niveau + 1, tag, p);
        break;
      }
      const size_t i = references ? CoupureLettres(p, l) : Coupure(p, l);
      std::string_view ligne = p.substr(0, i);
      std::string_view reste = p.substr(i);
      AjouteLigneNote(s, premiere ? niveau : niveau + 1, tag, ligne);
      premiere = false;
      if (reste.empty()) break;
      p = reste;
      tag = "CONC";
    }
    premiere = false;
  });
}

class Exporteur {
 public:
  // The file goes to `sortie`, in the character set of the options.
  Exporteur(const TBD& bd, const TTablesTypes& tables, const OptionsExportGedcom& o,
            std::string& sortie, const Progression& p, BilanEncodage* bilan)
      : m_bd(bd), m_o(o), m_sortie(sortie), m_bilan(bilan), m_progression(p),
        m_tagsEve(TableDesTags(tables, SorteTable::Evenements)),
        m_tagsChamp(TableDesTags(tables, SorteTable::Champs)),
        m_aujourdhui(DateDuJourTexte()) {}

  bool Genere() {
    m_total = static_cast<long long>(m_bd.NbreFiche()) + m_bd.NbreUnion();
    PrepareFamilles();
    Entete();
    for (int n = 1; n <= m_bd.NbreFiche(); ++n) {
      if (n % kPasProgression == 0 && !Avance(n)) return false;
      if (m_bd.FicheUtilisee(n)) Personne(n);
    }
    if (m_o.liensFamiliaux && !Familles()) return false;
    if (m_o.sources) Sources();
    m_s += "0 TRLR\r\n";
    Verse();
    return true;
  }

 private:
  // The records written so far, in the file's character set. Every
  // conversion works byte by byte (a reference as a whole) and keeps CR LF,
  // so pieces of whole lines convert as the whole text would.
  void Verse() {
    EncodeLigneDans(m_s, m_o.jeu, m_sortie, m_bilan);
    m_s.clear();
  }
  // At the start of a record.
  void NouvelEnregistrement() {
    if (m_s.size() >= kMorceau) Verse();
  }

  bool Avance(long long fait) { return !m_progression || m_progression(fait, m_total); }

  void Ligne(int niveau, std::string_view tag, std::string_view valeur = {}) {
    AjouteNombre(m_s, niveau);
    m_s += ' ';
    m_s.append(tag);
    if (!valeur.empty()) {
      m_s += ' ';
      AjouteSurUneLigne(m_s, valeur);
    }
    m_s += "\r\n";
  }

  // "@<lettre><n>@"
  void Reference(char lettre, int n) {
    m_s += '@';
    m_s += lettre;
    AjouteNombre(m_s, n);
    m_s += '@';
  }
  void LigneReference(int niveau, std::string_view tag, char lettre, int n) {
    AjouteNombre(m_s, niveau);
    m_s += ' ';
    m_s.append(tag);
    m_s += ' ';
    Reference(lettre, n);
    m_s += "\r\n";
  }

  // The family a person's "FAMC"/"FAMS" points at and its "0 @...@ FAM" line.
  struct Famille {
    int union_ = 0;         // a union, or
    int pere = 0, mere = 0; // a pseudo-family: one of them 0, or a couple without union
  };
  void ReferenceFamille(const Famille& f) {
    m_s += "@F";
    if (f.union_) {
      AjouteNombre(m_s, f.union_);
    } else {
      AjouteNombre(m_s, f.pere);
      m_s += 'x';
      AjouteNombre(m_s, f.mere);
    }
    m_s += '@';
  }
  void LigneFamille(int niveau, std::string_view tag, const Famille& f) {
    AjouteNombre(m_s, niveau);
    m_s += ' ';
    m_s.append(tag);
    m_s += ' ';
    ReferenceFamille(f);
    m_s += "\r\n";
  }
  // The pseudo-family of a single parent is named after the parent's sex, the
  // same test that writes "HUSB" or "WIFE" in it.
  Famille PseudoFamille(int n) const {
    return m_bd.LitSexe(n) != 0 ? Famille{0, 0, n} : Famille{0, n, 0};
  }

  // Links are written only to records the file holds: a link to a free slot
  // or out of the tables (a damaged tree) reads as no link.
  int Lien(int n) const { return m_bd.FicheUtilisee(n) ? n : 0; }
  int Pere(const TFiche& f) const { return Lien(f.NumP); }
  int Mere(const TFiche& f) const { return Lien(f.NumM); }
  int Mari(const TUnion& x) const { return Lien(x.NumH); }
  int Femme(const TUnion& x) const { return Lien(x.NumF); }

  // A couple, or a union that holds events even without both partners (a
  // marriage whose other partner is unknown): leaving it out would lose them.
  bool UnionEcrite(int u) const {
    const TUnion& x = m_bd.Union(u);
    if (x.Utilise != 1) return false;
    return (Mari(x) > 0 && Femme(x) > 0) || NbreEntrees(x.TabEve) > 0;
  }

  // The union each child belongs to, and the couples whose children have no
  // union to point at: one pass over the persons, indexed lookups only.
  void PrepareFamilles() {
    if (!m_o.liensFamiliaux) return;
    m_famc.assign(static_cast<size_t>(m_bd.NbreFiche()) + 1, 0);
    for (int n = 1; n <= m_bd.NbreFiche(); ++n) {
      if (!m_bd.FicheUtilisee(n)) continue;
      const TFiche& f = m_bd.Fiche(n);
      const int pere = Pere(f), mere = Mere(f);
      if (pere <= 0 || mere <= 0) {
        // The children of one parent, ascending.
        if (pere > 0 || mere > 0) m_enfantsSeuls[pere > 0 ? pere : mere].push_back(n);
        continue;
      }
      int u = UnionOfCouple(m_bd, pere, mere);
      if (u > 0 && UnionEcrite(u)) {
        m_famc[n] = u;
        continue;
      }
      auto cle = std::make_pair(pere, mere);
      auto [it, nouveau] = m_couplesSansUnion.try_emplace(cle);
      it->second.push_back(n);
      if (nouveau) {
        m_couplesDe[pere].push_back(cle);
        if (mere != pere) m_couplesDe[mere].push_back(cle);
      }
    }
  }

  void Entete() {
    Ligne(0, "HEAD");
    Ligne(1, "SOUR", kMotProduit);
    Ligne(2, "VERS", kVersionTexte);
    Ligne(2, "NAME", std::string(kNomProduit) + " " + std::string(kVersionTexte));
    Ligne(2, "CORP", kEditeur);
    Ligne(1, "DATE", DateVersGedcom(m_aujourdhui));
    Ligne(1, "GEDC");
    Ligne(2, "VERS", "5.5");
    Ligne(1, "CHAR", ValeurCharGedcom(m_o.jeu));
    Ligne(1, "LANG", "French");
    if (m_o.auteur) {
      Ligne(1, "SUBM", "@SUB1@");
      Ligne(0, "@SUB1@ SUBM");
      Ligne(1, "NAME", m_o.identite);
      std::string_view adresse = m_o.adresse;
      while (!adresse.empty() && (EstFinDeLigne(adresse.back()) || adresse.back() == ' '))
        adresse.remove_suffix(1);
      if (!adresse.empty()) {
        std::vector<std::string_view> lignes = Paragraphes(adresse);
        Ligne(1, "ADDR", lignes[0]);
        for (size_t i = 1; i < lignes.size(); ++i) Ligne(2, "CONT", lignes[i]);
      }
    }
  }

  void Personne(int n) {
    NouvelEnregistrement();
    const TFiche& f = m_bd.Fiche(n);
    m_s += "0 ";
    Reference('I', n);
    m_s += " INDI\r\n";
    m_s += "1 NAME ";
    AjouteSurUneLigne(m_s, f.Pre);
    m_s += '/';
    AjouteSurUneLigne(m_s, f.Nom);
    m_s += "/\r\n";
    // An unknown sex is said as such; writing F would make the person a
    // woman in every program that reads the file.
    Ligne(1, "SEX", f.Sexe == 0 ? "M" : f.Sexe == 1 ? "F" : "U");

    std::string noteChamps;
    if (m_o.champs) {
      for (const ChampPerso& c : ChampsDe(f.Champs)) {
        auto it = m_tagsChamp.find(std::string(c.cle));
        if (it == m_tagsChamp.end() || it->second.empty()) {
          noteChamps.append(c.cle);
          noteChamps += " : ";
          noteChamps.append(c.valeur);
          noteChamps += "\r\n";
          continue;
        }
        std::string_view valeur = c.valeur;
        // Only a value of three letters (or written with references) can be "oui" or "non".
        if (valeur.size() == 3 || PeutContenirReference(valeur)) {
          const std::string bas = MinusculesAnsi(valeur);
          if (bas == "oui") valeur = "Yes";
          else if (bas == "non") valeur = "No";
        }
        // A multi-line field keeps its lines as continuations of the tag.
        bool premiere = true;
        ChaqueParagraphe(valeur, [&](std::string_view ligne) {
          if (premiere) Ligne(1, it->second, ligne);
          else Ligne(2, "CONT", ligne);
          premiere = false;
        });
      }
    }
    if (m_o.evenements) {
      for (int k = 1, nb = NbreEntrees(f.TabEve); k <= nb; ++k) Evenement(LitEntree(f.TabEve, k));
    }
    if (m_o.sources) {
      for (int k = 1, nb = NbreEntrees(f.TabSrc); k <= nb; ++k) {
        int s = LitEntree(f.TabSrc, k);
        if (m_bd.SrcUtilisee(s)) LigneReference(1, "SOUR", 'S', s);
      }
    }
    if (m_o.notesIndividuelles) {
      if (noteChamps.empty()) AjouteNoteGedcom(m_s, f.Note, 1, kLargeurNote);
      else AjouteNoteGedcom(m_s, noteChamps + f.Note, 1, kLargeurNote);
    }
    if (m_o.liensFamiliaux) LiensFamiliaux(n, f);
    if (!f.DdMAJ.empty()) {
      std::string date = DateVersGedcom(f.DdMAJ);
      if (!date.empty()) {
        Ligne(1, "CHAN");
        Ligne(2, "DATE", date);
      }
    }
  }

  void LiensFamiliaux(int n, const TFiche& f) {
    const int pere = Pere(f), mere = Mere(f);
    if (m_famc[n] > 0) {
      LigneFamille(1, "FAMC", Famille{m_famc[n], 0, 0});
    } else if (pere > 0 && mere > 0) {
      LigneFamille(1, "FAMC", Famille{0, pere, mere});
    } else if (pere > 0) {
      LigneFamille(1, "FAMC", PseudoFamille(pere));
    } else if (mere > 0) {
      LigneFamille(1, "FAMC", PseudoFamille(mere));
    }
    for (int u : UnionsOf(m_bd, n))
      if (UnionEcrite(u)) LigneFamille(1, "FAMS", Famille{u, 0, 0});
    if (auto it = m_couplesDe.find(n); it != m_couplesDe.end())
      for (const auto& [p, m] : it->second) LigneFamille(1, "FAMS", Famille{0, p, m});
    if (m_enfantsSeuls.count(n)) LigneFamille(1, "FAMS", PseudoFamille(n));
  }

  void Evenement(int e) {
    if (!m_bd.EveUtilise(e)) return;
    const TEve& v = m_bd.Eve(e);
    if (m_o.sansMoinsDeCentAns && AgeEntre(v.DateEve, m_aujourdhui) < 100) return;
    auto it = m_tagsEve.find(v.Nature.str());
    if (it != m_tagsEve.end() && !it->second.empty()) {
      Ligne(1, it->second);
    } else {
      Ligne(1, "EVEN");
      Ligne(2, "TYPE", v.Nature);
    }
    if (!v.DateEve.empty()) {
      std::string date = DateVersGedcom(v.DateEve);
      if (!date.empty()) Ligne(2, "DATE", date);
    }
    if (!v.Heure.empty()) Ligne(2, "TIME", v.Heure);
    if (!v.Lieu.empty()) Ligne(2, "PLAC", v.Lieu);
    // Nearly always "0": no number to read then.
    const int certitude = v.Certitude == "0" ? 0 : TexteVersEntier(v.Certitude, 0);
    if (certitude != 0) {
      m_s += "2 QUAY ";
      AjouteNombre(m_s, 3 - certitude);
      m_s += "\r\n";
    }
    if (m_o.notesEvenements) AjouteNoteGedcom(m_s, v.NoteEve, 2, kLargeurNote);
  }

  void Enfants(const TR& enfants) {
    for (int c : enfants)
      if (m_bd.FicheUtilisee(c)) LigneReference(1, "CHIL", 'I', c);
  }

  bool Familles() {
    const int nbFiches = m_bd.NbreFiche();
    for (int u = 1; u <= m_bd.NbreUnion(); ++u) {
      if (u % kPasProgression == 0 && !Avance(static_cast<long long>(nbFiches) + u)) return false;
      if (!UnionEcrite(u)) continue;
      const TUnion& x = m_bd.Union(u);
      const int mari = Mari(x), femme = Femme(x);
      EnTeteFamille(Famille{u, 0, 0});
      if (mari > 0) LigneReference(1, "HUSB", 'I', mari);
      if (femme > 0) LigneReference(1, "WIFE", 'I', femme);
      Enfants(ChildrenOfCouple(m_bd, mari, femme));
      if (m_o.evenements)
        for (int k = 1, nb = NbreEntrees(x.TabEve); k <= nb; ++k) Evenement(LitEntree(x.TabEve, k));
    }
    for (const auto& [couple, enfants] : m_couplesSansUnion) {
      EnTeteFamille(Famille{0, couple.first, couple.second});
      LigneReference(1, "HUSB", 'I', couple.first);
      LigneReference(1, "WIFE", 'I', couple.second);
      for (int c : enfants) LigneReference(1, "CHIL", 'I', c);
    }
    for (int n = 1; n <= nbFiches; ++n) {
      auto it = m_enfantsSeuls.find(n);
      if (it == m_enfantsSeuls.end()) continue;
      EnTeteFamille(PseudoFamille(n));
      LigneReference(1, m_bd.LitSexe(n) != 0 ? "WIFE" : "HUSB", 'I', n);
      for (int c : it->second) LigneReference(1, "CHIL", 'I', c);
    }
    return true;
  }

  void EnTeteFamille(const Famille& f) {
    NouvelEnregistrement();
    m_s += "0 ";
    ReferenceFamille(f);
    m_s += " FAM\r\n";
  }

  void Sources() {
    for (int s = 1; s <= m_bd.NbreSrc(); ++s) {
      if (!m_bd.SrcUtilisee(s)) continue;
      const TSrc& src = m_bd.Src(s);
      NouvelEnregistrement();
      m_s += "0 ";
      Reference('S', s);
      m_s += " SOUR\r\n";
      Ligne(1, "TITL", src.SrcTitre);
      Ligne(1, "ABBR", src.SrcAbrege);
      if (!src.SrcMedia.empty()) {
        Ligne(1, "OBJE");
        std::string_view media = src.SrcMedia;
        size_t barre = media.find('|');
        std::string_view fichier = media.substr(0, barre);
        if (!fichier.empty()) {
          size_t nom = fichier.find_last_of("/\\");
          size_t point = fichier.rfind('.');
          std::string_view extension;
          if (point != std::string_view::npos && (nom == std::string_view::npos || point > nom))
            extension = fichier.substr(point + 1, 3);
          Ligne(2, "FORM", extension);
          Ligne(2, "FILE", fichier);
        }
        if (barre != std::string_view::npos && barre + 1 < media.size())
          Ligne(2, "NOTE", media.substr(barre + 1));
      }
      AjouteNoteGedcom(m_s, src.SrcTexte, 1, kLargeurNote);
    }
  }

  const TBD& m_bd;
  const OptionsExportGedcom& m_o;
  std::string m_s;  // the records not yet converted
  std::string& m_sortie;
  BilanEncodage* m_bilan;
  const Progression& m_progression;
  std::unordered_map<std::string, std::string> m_tagsEve;
  std::unordered_map<std::string, std::string> m_tagsChamp;
  std::string m_aujourdhui;
  long long m_total = 0;
  std::vector<int> m_famc;  // per person: the union written as its parents' family
  std::map<std::pair<int, int>, std::vector<int>> m_couplesSansUnion;  // children ascending
  std::unordered_map<int, std::vector<std::pair<int, int>>> m_couplesDe;
  std::unordered_map<int, std::vector<int>> m_enfantsSeuls;  // parent -> children ascending
};

}  // namespace

std::string NoteGedcom(std::string_view texte, int niveau, int largeur) {
  std::string s;
  AjouteNoteGedcom(s, texte, niveau, largeur);
  return s;
}

bool GenereGedcom(const TBD& bd, const TTablesTypes& tables, const OptionsExportGedcom& options,
                  std::string& sortie, const Progression& progression, BilanEncodage* bilan) {
  sortie.clear();
  // Room for a usual tree at once: pages never written cost no memory,
  // while growing by doubling would copy the text and hold it twice.
  sortie.reserve(static_cast<size_t>(bd.NbreFiche()) * 512 + static_cast<size_t>(bd.NbreUnion()) * 128 +
                 static_cast<size_t>(bd.NbreSrc()) * 256 + 4096);
  return Exporteur(bd, tables, options, sortie, progression, bilan).Genere();
}

Statut ExportGedcom(const TBD& bd, const TTablesTypes& tables, const std::string& chemin,
                    const OptionsExportGedcom& options, const Progression& progression,
                    BilanEncodage* bilan) {
  std::string texte;
  if (!GenereGedcom(bd, tables, options, texte, progression, bilan)) return Statut::Annule();
  return EcritFichierAtomique(chemin, texte);
}

std::string MessageLettresApprochees(const BilanEncodage& bilan, JeuCaracteres jeu) {
  if (bilan.remplacees == 0) return {};
  return std::to_string(bilan.remplacees) + " lettres absentes du jeu " + NomJeu(jeu) +
         " ont été écrites au plus proche : "_ansi + bilan.lettres + ".";
}

}  // namespace kindrela
