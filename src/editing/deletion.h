// Deleting persons and links: the selection the deletion dialog builds
// from kinship rules around one person, the deletion of that selection (or
// of everybody else), deleting one person and erasing one link from the
// record window. After every deletion no person names a father or mother
// that is gone and no union keeps a partner that is gone; the selected and
// the reference persons are moved to persons that remain.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "chart/kinship.h"
#include "editing/record.h"

namespace kindrela {

class TBD;

// The rules of the deletion dialog, one per control.
struct CriteresSuppression {
  bool personne = true;   // CB_Pers
  bool pere = false;      // CB_Pere
  bool mere = false;      // CB_Mere
  bool conjoints = false; // CB_Conj
  bool fratrie = false;   // CB_Fatrie
  bool enfants = false;   // CB_Enfant
  bool ascendance = false;     // CB_Asc, over ascGen generations
  int ascGen = 1;
  bool ascFratrie = false;     // cbAscFratrie
  bool ascFratrieDes = false;  // cbAscFratrieDes
  bool ascConj = false;        // cbAscConj
  bool ascConjAsc = false;     // cbAscConjAsc, over ascConjAscGen generations
  int ascConjAscGen = 1;
  bool descendance = false;    // CB_Des, over desGen generations
  int desGen = 1;
  bool desConj = false;        // cbDesConj
  bool desConjAsc = false;     // cbDesConjAsc, over desConjAscGen generations
  int desConjAscGen = 1;
  bool age = false;            // cbAge: persons younger than ageMax years
  int ageMax = 100;
  bool rapport = false;        // cbRapport: the persons of the report
  bool conserver = false;      // rbConserver: keep only the selection, delete everybody else
};

// Which controls may be ticked, for person p and a report of `nbreRapport`
// persons (the other controls always may).
struct ActivationsSuppression {
  bool pere = false, mere = false, conjoints = false, fratrie = false, enfants = false;
  bool ascFratrie = false, ascFratrieDes = false, ascConj = false, ascConjAsc = false;
  bool desConj = false, desConjAsc = false;
  bool rapport = false;
};
// The enabling rules; a rule that cannot apply is also unticked in
// `criteres` (so that unticking the ancestors unticks all that hangs on them).
ActivationsSuppression AppliqueActivations(const TBD& bd, int p, int nbreRapport,
                                           CriteresSuppression& criteres);

// The marks of the selection: entry i is 1 when person i is selected (the
// vector covers 0..NbreFiche). `rapport` holds the persons of the report.
std::vector<uint8_t> SelectionSuppression(const TBD& bd, int p, const CriteresSuppression& criteres,
                                          const TR& rapport);

// Whether person i, in use, goes: marked with "Supprimer", unmarked with
// "Conserver seulement".
inline bool ASupprimer(const std::vector<uint8_t>& marques, int i, bool conserver) {
  const bool marque = i >= 0 && static_cast<size_t>(i) < marques.size() && marques[i] != 0;
  return marque != conserver;
}
int NbreASupprimer(const TBD& bd, const std::vector<uint8_t>& marques, bool conserver);
// The persons that will go, in number order.
TR ListeASupprimer(const TBD& bd, const std::vector<uint8_t>& marques, bool conserver);
// "Liste vide", "Liste d'une fiche supprimée", "Liste des N fiches supprimées".
std::string LibelleCompte(int nbre);

// Deletes the persons the marks say, moves the selected person (given,
// returned) and the reference person to persons that remain, cleans the
// links and sets BaseModifiee. The selection is 0 only when nobody remains.
int SupprimeSelection(TBD& bd, const std::vector<uint8_t>& marques, bool conserver, int selection);

// Every father or mother link to a person not in use becomes 0; every union
// with a partner not in use is cleared with its events. Linear.
void NettoieLiens(TBD& bd);

// Deleting one person from the record window. Before the question, the
// shown person's deletion moves the selection to its father, else its
// mother, else its last spouse; the person itself when it has none.
int SelectionAvantSuppression(const TBD& bd, int affichee);
// Deletes `cible` with its links (SupprimeFiche); the selection moves to the
// nearest person in use below it, else above, when it went; the reference
// person, when it went, becomes the selection. Returns the selection.
int SupprimePersonne(TBD& bd, int cible, int selection);

// Erases one link of the shown person x from a family control (for Union,
// `cible` is the union). True when something changed (BaseModifiee set).
bool EffaceLienFiche(TBD& bd, ControleFiche controle, int x, int cible);

}  // namespace kindrela
