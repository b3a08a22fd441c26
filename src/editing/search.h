// The person search: one person picked from a list filtered by a surname
// prefix, either to select it or to link it as father, mother, sibling,
// child or spouse of person A. In the linking modes only plausible
// candidates are offered (sex, free parent slot, birth year window).
//
// `TRechercheFiche` holds what the search window shows: the surname list
// and the person list of the two list forms, the candidate and whether OK
// may be pressed. It reads the database through a sorted name index built
// by `Reconstruit`, so that a keystroke costs the persons of the typed
// prefix, not a sort of the tree. The index is a snapshot: after persons
// are added, renamed or freed, `Reconstruit` must run again before the
// lists are trusted (a freed person then gives an empty line).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"
#include "editing/adding.h"

namespace kindrela {

class TBD;
class TTraduction;

enum class ModeRecherche : int { Selection = 0, Pere = 1, Mere = 2, Fratrie = 3, Enfant = 4, Conjoint = 5 };

struct OptionsRecherche {
  int ageEnfMin = 15;     // least age of a parent at a child's birth
  int ageEnfMax = 70;     // greatest age of a parent at a child's birth
  int ecartConjMax = 20;  // greatest age gap between spouses
};

// Birth years a candidate may have; 0 and 9999 when there is no window.
struct FenetreAnnees {
  int basse = 0;
  int haute = 9999;
  bool Aucune() const { return basse == 0 && haute == 9999; }
  friend bool operator==(const FenetreAnnees&, const FenetreAnnees&) = default;
};

// The window of `mode` around A's birth year B; none in mode 0 or when A's
// birth date has no year.
FenetreAnnees FenetreNaissance(const TBD& bd, ModeRecherche mode, int a, const OptionsRecherche& options);

// What a candidate must be. `tous`: the birth year window is ignored.
struct FiltreCandidats {
  ModeRecherche mode = ModeRecherche::Selection;
  int a = 0;
  FenetreAnnees annees;
  bool tous = false;
};
// In use, and in modes 1..5 not A, of the mode's sex or free parent slot,
// with a birth year (when it has one) inside the window unless `tous`.
bool CandidatAdmis(const TBD& bd, const FiltreCandidats& filtre, int candidat);

// The captions of the dialog and of its group box. `avecDates`: the group
// caption is not message 402, so the check box that ignores the dates shows.
struct TextesRecherche {
  std::string titre;
  std::string groupe;
  bool avecDates = false;
};
TextesRecherche TextesDeRecherche(const TBD& bd, const TTraduction& t, ModeRecherche mode, int a,
                                  const FenetreAnnees& annees);

// A person as the search lists show it: given names, two spaces, then the
// birth date; else "b " and the baptism date; else "x " and the date of
// the last dated marriage of its unions; else nothing after the spaces.
// `avecNom`: the surname and a space first. Dates in display `format`.
// Empty for a person not in use.
std::string LignePersonne(const TBD& bd, int p, bool avecNom, std::string_view format);

// Links the chosen candidate to A as the mode says, then runs the matching
// completion step (with its questions). Mode 0 and a candidate 0 do
// nothing. Sets BaseModifiee when a link was made.
void LieCandidat(ContexteAjout& ctx, ModeRecherche mode, int a, int candidat);

enum class FormeListe : int { Unique = 0, NomPrenom = 1 };

class TRechercheFiche {
 public:
  TRechercheFiche(const TBD& bd, std::string formatDate);

  // A new search for A in `mode`; `selection` is the first candidate.
  void Commence(ModeRecherche mode, int a, int selection, const OptionsRecherche& options);
  ModeRecherche Mode() const { return m_filtre.mode; }
  int A() const { return m_filtre.a; }
  const FenetreAnnees& Annees() const { return m_filtre.annees; }

  // Whether the lists must be built again when the dialog opens (or the
  // form, the date check box or `refresh` change): small trees, `refresh`,
  // empty lists, a linking mode or a typed prefix. Otherwise the lists of
  // the previous search stay.
  bool DoitReconstruire(bool refresh) const;
  // Builds the name index, then the lists. False when cancelled (the
  // lists are then empty).
  bool Reconstruit(const Progression& progression = {});

  // The typed prefix (compared without regard to case), the birth year
  // check box and the list form; each rebuilds the visible list and
  // selects its first line (for the surnames, the first surname and then
  // the candidate's line in it, else its first line).
  void SetPrefixe(std::string_view prefixe);
  void SetTous(bool tous);
  void SetForme(FormeListe forme);
  FormeListe Forme() const { return m_forme; }
  const std::string& Prefixe() const { return m_prefixe; }

  // "Nom et prénom": the distinct surnames, the one chosen (-1: none).
  const std::vector<std::string>& Noms() const { return m_noms; }
  int NomChoisi() const { return m_nomChoisi; }
  // Fills the person list with the persons of surname k and selects the
  // candidate's line, else the first, which becomes the candidate.
  void ChoisitNom(int k);
  // Message 401 with the surname count: "Noms (12)".
  std::string LibelleNoms(const TTraduction& t) const;

  // The person list shown (LB_Pre or LB_NomPre), the line chosen (-1: none).
  const std::vector<int>& Personnes() const { return m_personnes; }
  int LigneChoisie() const { return m_ligne; }
  void ChoisitLigne(int k);
  // Line k as shown (with the surname in the single list only).
  std::string Ligne(int k) const;

  // The person highlighted, 0 when none.
  int Candidat() const { return m_candidat; }
  // OK needs a chosen line (and in "Nom et prénom" a chosen surname).
  bool OkPermis() const;
  // Places the highlight on person n when the lists hold it.
  void MontreCandidat(int n);

 private:
  // One person of the index. `cle` is the sort key of the surname, the
  // surname in small letters (equal surnames without regard to case are
  // one), the sort key of the given names, separated by '\1' so that one
  // byte comparison orders them; its first `finNom` bytes name the surname.
  struct Entree {
    std::string cle;
    uint32_t finNom = 0;
    int personne = 0;
    std::string_view Nom() const { return std::string_view(cle).substr(0, finNom); }
  };
  // Index range of the entries whose surname starts with the prefix.
  std::pair<size_t, size_t> Plage() const;
  void RemplitVisible();
  void ChoisitPremier();

  const TBD& m_bd;
  std::string m_formatDate;
  FiltreCandidats m_filtre;
  FormeListe m_forme = FormeListe::NomPrenom;
  std::string m_prefixe;
  std::string m_clePrefixe;
  std::vector<Entree> m_index;
  bool m_indexPret = false;
  ModeRecherche m_modeConstruit = ModeRecherche::Selection;
  // For each surname of m_noms, its range in m_index.
  std::vector<std::string> m_noms;
  std::vector<std::pair<size_t, size_t>> m_plagesNoms;
  int m_nomChoisi = -1;
  std::vector<int> m_personnes;
  int m_ligne = -1;
  int m_candidat = 0;
};

}  // namespace kindrela
