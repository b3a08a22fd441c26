// Readers of the oldest versions: the initialisation file of version 30 and
// the fixed-width records of versions 24 and 15. Their records are created
// one by one, so record k is person k of an emptied database.
#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "core/ini_file.h"
#include "core/ansi_literal.h"
#include "core/text.h"
#include "core/tree_file/reader_support.h"
#include "core/tree_file/tree_file_reader.h"

namespace kindrela {
namespace {

// ---- Version 30 ------------------------------------------------------------

// The sections of person field codes 1..23, in code order.
constexpr std::array<const char*, 23> kSectionsFiche = {
    "Sexe", "Nom",  "Pre",  "NumP", "NumM",  "DdN",  "LdN",   "NoteN",
    "DdB",  "LdB",  "NoteB", "DdD", "LdD",   "NoteD", "DdE",  "LdE",
    "NoteE", "Note", "Prof", "Photo", "Dcree", "DdMAJ", "Titre"};
constexpr int kCodePhoto = 20;
constexpr int kCodeTitre = 23;

// Each union section and the union field code of what it holds.
struct SectionUnion {
  const char* nom;
  int code;
};
constexpr std::array<SectionUnion, 7> kSectionsUnion = {{{"NumH", 1},
                                                          {"NumF", 2},
                                                          {"DdM", 3},
                                                          {"LdM", 5},
                                                          {"DdS", 4},
                                                          {"LdS", 6},
                                                          {"NoteU", 7}}};

// The sections of an initialisation file, each as record number -> value,
// gathered in one pass. The first section of a name and the first key of a
// number win, as for single look-ups.
class SectionsNumerotees {
 public:
  explicit SectionsNumerotees(const FichierIni& ini) {
    for (auto& section : ini.ToutesLesSections()) {
      auto [it, nouveau] = m_sections.try_emplace(MajusculesAnsi(Trim(section.nom)));
      if (!nouveau) continue;
      for (auto& [cle, valeur] : section.valeurs) {
        if (!EstEntier(cle)) continue;
        int k = TexteVersEntier(cle, 0);
        if (k >= 1) it->second.try_emplace(k, valeur);
      }
    }
  }
  const std::string& Valeur(const char* section, int k) const {
    static const std::string vide;
    auto s = m_sections.find(MajusculesAnsi(section));
    if (s == m_sections.end()) return vide;
    auto v = s->second.find(k);
    return v == s->second.end() ? vide : v->second;
  }
  // The record numbers 1..`jusqua` that have a key in one of the named
  // sections, ascending.
  template <typename Noms>
  std::vector<int> Numeros(const Noms& sections, int jusqua) const {
    std::vector<int> numeros;
    for (const char* nom : sections) {
      auto s = m_sections.find(MajusculesAnsi(nom));
      if (s == m_sections.end()) continue;
      for (auto& [k, v] : s->second)
        if (k <= jusqua) numeros.push_back(k);
    }
    std::sort(numeros.begin(), numeros.end());
    numeros.erase(std::unique(numeros.begin(), numeros.end()), numeros.end());
    return numeros;
  }

 private:
  std::unordered_map<std::string, std::unordered_map<int, std::string>> m_sections;
};

// The records of one kind the file holds: the numbers up to its count that
// have a key in one of `sections`, at most `capacite` of them. A record with
// no key at all would be wholly empty, so the tables are sized by the keys
// the file holds rather than by its counts.
template <typename Noms>
std::vector<int> RecordsPresents(const SectionsNumerotees& lues, const Noms& sections, int nbre,
                                 int capacite, const char* quoi, ResultatLecture& r) {
  if (nbre <= 0) return {};
  std::vector<int> numeros = lues.Numeros(sections, nbre);
  if (numeros.size() > static_cast<std::size_t>(capacite)) {
    r.avertissements.push_back(std::string("Nombre de ") + quoi + " au-delà de la capacité : "_ansi +
                               std::to_string(numeros.size()) + ", limité à "_ansi +
                               std::to_string(capacite) + ".");
    numeros.resize(static_cast<std::size_t>(capacite));
  }
  if (numeros.size() < static_cast<std::size_t>(nbre))
    r.avertissements.push_back(std::string("Le fichier annonce ") + std::to_string(nbre) + " " + quoi +
                               " mais n'en contient que " + std::to_string(numeros.size()) + ".");
  return numeros;
}

// ---- Versions 24 and 15 ---------------------------------------------------

// Reads fixed-width fields; everything past the end of the bytes reads as
// zero bytes.
class LecteurFixe {
 public:
  explicit LecteurFixe(std::string_view octets) : m_octets(octets) {}
  // A text field: up to its first zero byte inside its width.
  std::string Texte(std::size_t largeur) {
    std::string_view champ = Prend(largeur);
    std::size_t zero = champ.find('\0');
    return std::string(zero == std::string_view::npos ? champ : champ.substr(0, zero));
  }
  int U16() {
    std::string_view c = Prend(2);
    int v = 0;
    if (c.size() > 0) v |= static_cast<unsigned char>(c[0]);
    if (c.size() > 1) v |= static_cast<unsigned char>(c[1]) << 8;
    return v;
  }
  int Octet() {
    std::string_view c = Prend(1);
    return c.empty() ? 0 : static_cast<unsigned char>(c[0]);
  }
  void Saute(std::size_t n) { Prend(n); }
  bool Fin() const { return m_pos >= m_octets.size(); }

 private:
  std::string_view Prend(std::size_t n) {
    std::size_t debut = std::min(m_pos, m_octets.size());
    std::string_view v = m_octets.substr(debut, std::min(n, m_octets.size() - debut));
    m_pos += n;
    return v;
  }
  std::string_view m_octets;
  std::size_t m_pos = 0;
};

struct Disposition {
  std::size_t nom, prenoms, profession, date, lieu;
  bool dateMaj;  // an update date and 38 unused bytes follow the links
};
constexpr Disposition kDisposition15{27, 27, 42, 12, 27, false};
constexpr Disposition kDisposition24{41, 41, 41, 16, 41, true};

Statut LitFixe(TBD& bd, std::string_view octets, const Disposition& d, ResultatLecture& r) {
  LecteurFixe l(octets);
  l.Saute(16 + 13 + 13);  // version text, creation and modification dates
  int nbre = l.U16();
  l.Saute(4);
  for (int k = 1; k <= nbre; ++k) {
    if (l.Fin()) {
      r.avertissements.push_back("Le fichier se termine à la personne "_ansi + std::to_string(k) +
                                 " sur " + std::to_string(nbre) + " annoncées."_ansi);
      break;
    }
    std::string nom = l.Texte(d.nom);
    std::string prenoms = l.Texte(d.prenoms);
    std::string profession = l.Texte(d.profession);
    bool homme = l.Octet() != 0;
    std::string naissance = l.Texte(d.date);
    std::string deces = l.Texte(d.date);
    std::string mariage = l.Texte(d.date);
    std::string lieuNaissance = l.Texte(d.lieu);
    std::string lieuDeces = l.Texte(d.lieu);
    std::string lieuMariage = l.Texte(d.lieu);
    int pere = l.U16();
    int mere = l.U16();
    int conjoint = l.U16();
    std::string maj;
    if (d.dateMaj) {
      maj = l.Texte(16);
      l.Saute(38);
    }
    int n = bd.NouvelleFiche();
    if (n == 0) {
      r.avertissements.push_back("La table des personnes est pleine.");
      break;
    }
    bd.EcritNom(n, nom);
    bd.EcritPrenoms(n, prenoms);
    bd.EcritChampPerso(n, "Profession", profession);
    bd.EcritSexe(n, homme ? 0 : 1);
    bd.EcritChamp(n, 6, naissance);
    bd.EcritChamp(n, 12, deces);
    bd.EcritChamp(n, 7, lieuNaissance);
    bd.EcritChamp(n, 13, lieuDeces);
    bd.EcritPere(n, pere);
    bd.EcritMere(n, mere);
    if (d.dateMaj) {
      bd.EcritChamp(n, 22, maj);
      bd.EcritChamp(n, 21, maj);
    }
    if (conjoint > 0 && homme) {
      int u = bd.NouvelleUnion();
      if (u != 0) {
        bd.EcritNumH(u, k);
        bd.EcritNumF(u, conjoint);
        bd.EcritChampUnion(u, 3, mariage);
        bd.EcritChampUnion(u, 5, lieuMariage);
      }
    }
  }
  int nbreDonnees = l.Fin() ? 0 : l.U16();
  for (int k = 1; k <= nbreDonnees && !l.Fin(); ++k) {
    std::string description = l.Texte(33);
    std::string fichier = l.Texte(256);
    int personne = l.U16();
    if (personne > 0 && !description.empty()) bd.EcritSrcTitre(personne, description, fichier, 4);
  }
  bd.NbreDonnee = nbreDonnees;
  bd.BaseChargee = 1;
  r.lieuxAConvertir = true;
  return Statut::Ok();
}

}  // namespace

Statut LitBase30(TBD& bd, std::string_view texte, ResultatLecture& r) {
  FichierIni ini;
  ini.ChargeTexte(texte);
  const char* entete = "KINDRELA 3.0B";
  bd.DateCreeBase = ini.LitTexte(entete, "DateCree", "1/1/1998");
  bd.DateSauveBase = ini.LitTexte(entete, "DateModif", "1/1/1998");
  const CapacitesBD& cap = bd.Capacites();
  SectionsNumerotees sections(ini);

  // Record k of the file is person numeros[k]: k itself when the file holds
  // every record up to its count.
  std::unordered_map<int, int> numeros;
  auto personne = [&](int k) {
    auto it = numeros.find(k);
    return it == numeros.end() ? 0 : it->second;
  };
  for (int k : RecordsPresents(sections, kSectionsFiche, ini.LitEntier("Ligne", "NbreFiche", 0),
                               cap.fiches, "personnes", r)) {
    int n = bd.NouvelleFiche();
    if (n == 0) {
      r.avertissements.push_back("La table des personnes est pleine.");
      break;
    }
    numeros.emplace(k, n);
    for (int code = 1; code <= 23; ++code) {
      if (code == kCodePhoto) continue;
      const std::string& v = sections.Valeur(kSectionsFiche[static_cast<std::size_t>(code - 1)], k);
      if (code == kCodeTitre) bd.EcritChampPerso(n, "Titre", v);
      else bd.EcritChamp(n, code, v);
    }
  }
  // Parents are records of the file too; one it does not hold is no parent.
  for (auto [k, n] : numeros) {
    bd.EcritPere(n, personne(bd.LitPere(n)));
    bd.EcritMere(n, personne(bd.LitMere(n)));
  }

  constexpr std::array<const char*, 2> kPartenaires = {"NumH", "NumF"};
  for (int k : RecordsPresents(sections, kPartenaires, ini.LitEntier("Ligne", "NbreUnion", 0),
                               cap.unions, "unions", r)) {
    const int h = personne(TexteVersEntier(sections.Valeur("NumH", k), 0));
    const int f = personne(TexteVersEntier(sections.Valeur("NumF", k), 0));
    if (h == 0 || f == 0) continue;
    int u = bd.NouvelleUnion();
    if (u == 0) {
      r.avertissements.push_back("La table des unions est pleine.");
      break;
    }
    for (const SectionUnion& s : kSectionsUnion) bd.EcritChampUnion(u, s.code, sections.Valeur(s.nom, k));
    bd.EcritNumH(u, h);
    bd.EcritNumF(u, f);
  }

  int nbreDonnee = ini.LitEntier("Ligne", "NbreDonnee", 0);
  bd.NbreDonnee = std::max(nbreDonnee, 0);
  constexpr std::array<const char*, 1> kDonnees = {"doNum"};
  for (int k : RecordsPresents(sections, kDonnees, nbreDonnee, cap.srcs, "données"_ansi, r)) {
    int n = personne(TexteVersEntier(sections.Valeur("doNum", k), 0));
    const std::string& description = sections.Valeur("doDes", k);
    if (n == 0 || description.empty()) continue;
    bd.EcritSrcTitre(n, description, sections.Valeur("doFichier", k), 4);
    bd.EcritSrcTitre(n, description, sections.Valeur("doNote", k), 2);
  }

  const int ref = personne(ini.LitEntier(entete, "RefPers", 1));
  const int selec = personne(ini.LitEntier(entete, "SelecPers", 1));
  bd.RefPers = ref != 0 ? ref : 1;
  r.selecPers = selec != 0 ? selec : 1;
  bd.BaseChargee = 1;
  r.lieuxAConvertir = true;
  return Statut::Ok();
}

Statut LitBase24(TBD& bd, std::string_view octets, ResultatLecture& r) {
  return LitFixe(bd, octets, kDisposition24, r);
}

Statut LitBase15(TBD& bd, std::string_view octets, ResultatLecture& r) {
  return LitFixe(bd, octets, kDisposition15, r);
}

}  // namespace kindrela
