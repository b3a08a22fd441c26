// The main window's commands that are pure work on the database: the
// history of selected persons, the new tree, the new-tree assistant and the
// Sosa search. The window binds them to its controls and messages.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/kinship.h"
#include "core/database.h"

namespace kindrela {

// One entry of the "Précédente" / "Suivante" drop-downs.
struct TEntreeHistorique {
  std::string legende;
  int32_t personne = 0;
};

// The persons seen, as a browser keeps the pages: "Précédente" holds the
// selections, the current one on top; "Suivante" the persons the user went
// back from, the nearest first. A new selection empties "Suivante".
class THistorique {
 public:
  // Records the selection of person n (in use). Entries are re-captioned
  // with the short name and birth date. Nothing moves when n is already on
  // top of "Précédente"; when n is the top of "Suivante" it is a step
  // forward; otherwise n goes on top of "Précédente" (an older entry for it
  // is dropped), "Suivante" is emptied and "Précédente" keeps at most
  // `maxEntrees` entries.
  void Selectionne(const TBD& bd, int n, int maxEntrees);
  // One step back: the current person moves to "Suivante" and the previous
  // one becomes current. Returns that person, 0 when there is none.
  int Recule();
  // Back to entry `index` of "Précédente" (1 the previous person): the
  // entries above it move to "Suivante". 0 when the index is out of range.
  int ReculeA(int index);
  // One step forward, or forward to entry `index` of "Suivante" (0 the
  // nearest): those entries move back on top of "Précédente". 0 when there
  // is none.
  int Avance() { return AvanceA(0); }
  int AvanceA(int index);
  // Before a drop-down opens: drops the entries of persons no longer in use
  // and those beyond `maxEntrees`.
  void Nettoie(const TBD& bd, int maxEntrees);
  void Vide();

  const std::vector<TEntreeHistorique>& Precedente() const { return m_precedente; }
  const std::vector<TEntreeHistorique>& Suivante() const { return m_suivante; }
  // "Précédente" can go back while it holds a person before the current
  // one; "Suivante" as soon as it holds one.
  bool PrecedenteActive() const { return m_precedente.size() > 1; }
  bool SuivanteActive() const { return !m_suivante.empty(); }

 private:
  std::vector<TEntreeHistorique> m_precedente;
  std::vector<TEntreeHistorique> m_suivante;
};

// The three-person tree of the new-tree command: person 1 with father 2 and
// mother 3 (a woman), united, numbered "1", "2", "3"; the surnames are the
// three given texts. The database is emptied first. Returns false (and
// leaves the database empty) when the tables cannot hold them.
bool CreeNouvelArbre(TBD& bd, const std::array<std::string, 3>& noms);

// One person typed into the new-tree assistant.
struct TPersonneAssistant {
  std::string nom, prenoms;
  std::string dateNaissance, lieuNaissance;  // dates as typed
  std::string dateDeces, lieuDeces;
  int sexe = 2;  // the person of slot 0 only: 0 man, 1 woman, 2 unknown
};

// The assistant's seven slots: 0 the person, 1 father, 2 mother, 3 and 4 the
// father's parents, 5 and 6 the mother's parents. The database is emptied;
// each slot with both a surname and given names becomes a person (slot 0 of
// the sex typed, men for slots 1, 3, 5, women for 2, 4, 6), dates normalised and stored with their places as birth
// and death events; parents are linked and the three couples united when
// both partners exist. Returns the person of slot 0, else the first person
// made, 0 when none.
int CreeArbreAssistant(TBD& bd, const std::array<TPersonneAssistant, 7>& slots);

// The Sosa search: an answer holding "VG" names a person number after it
// (`selecPers` when that is not a number); otherwise the first person in
// use whose numbering holds the answer as a whole comma-separated item.
// 0 when none is found.
int RechercheSosa(const TBD& bd, std::string_view reponse, int selecPers);

// The order in which the keyboard walks among relatives: by given names,
// then by birth date.
void TriParPrenomEtNaissance(const TBD& bd, TR& liste);

// The spouse or sibling before (or after) p among p's spouses or siblings
// and p itself, in that order, wrapping round; 0 when p has none. Unions
// without a partner are left out.
enum class Parente { Conjoint, FrereSoeur };
int PersonneVoisine(const TBD& bd, int p, Parente parente, bool suivante);

// The child the keyboard goes to: the first of p's children (in the order
// above) for which `visible` answers true, else the first; 0 without
// children. `visible` may be empty.
int EnfantChoisi(const TBD& bd, int p, const std::function<bool(int)>& visible);

// The bubble of a person's box on the chart: surname and every given name,
// then the birth and the death with their dates and places (a line only for
// what is known), each under its event word. Empty for a person not in use.
std::string BullePersonne(const TBD& bd, int n);

}  // namespace kindrela
