// The consistency check of one person: implausible dates and ages of the
// person against its parents, its own events and its unions, with age
// thresholds chosen by the user. And the same check over a whole tree.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"

namespace kindrela {

class TBD;
class TTraduction;
class FichierIni;

// The six age thresholds, in years. The options window edits them in the
// range kMin..kMax; they are kept in the settings file, section
// "gene\Options".
struct SeuilsCoherence {
  static constexpr int kMin = 0;
  static constexpr int kMax = 150;

  int ageMarMin = 15;     // "AgeMarMin": minimum age at marriage
  int ageMarMax = 70;     // "AgeMarMax": maximum age at marriage
  int ageEnfMin = 15;     // "AgeEnfMin": minimum age of a parent at a child's birth
  int ageEnfMax = 70;     // "AgeEnfMax": maximum age of a parent at a child's birth
  int ageDecesMax = 110;  // "AgedecesMax": maximum age at death
  int ecartConjMax = 20;  // "EcartConjMax": maximum age gap between spouses

  // The values used when the settings file never held them.
  static SeuilsCoherence SiAbsents() { return {}; }
  // The values the "&Défaut" button of the options window puts back: the
  // same, except a maximum age at death of 95.
  static SeuilsCoherence Defaut() {
    SeuilsCoherence s;
    s.ageDecesMax = 95;
    return s;
  }
  // Every value brought into kMin..kMax.
  SeuilsCoherence Bornes() const;

  friend bool operator==(const SeuilsCoherence&, const SeuilsCoherence&) = default;
};

// The thresholds from section "gene\Options" of a settings file; missing or
// unreadable keys take SiAbsents' values. Values are brought into range.
SeuilsCoherence LitSeuils(const FichierIni& ini);

// Messages of the check (translation numbers).
enum MessageCoherence {
  kMsgPereNeApres = 901,
  kMsgMereNeeApres = 902,
  kMsgNeApresDecesPere = 903,
  kMsgNeApresDecesMere = 904,
  kMsgUnProblemeParent = 905,
  kMsgPlusieursProblemesParents = 906,
  kMsgNeApresBapteme = 907,
  kMsgNeApresDeces = 908,
  kMsgNeApresSepulture = 909,
  kMsgSepultureTardive = 910,
  kMsgPereTropJeune = 911,
  kMsgPereTropAge = 912,
  kMsgMereTropJeune = 913,
  kMsgMereTropAgee = 914,
  kMsgAgeDecesMax = 915,
  kMsgMariageAvantNaissance = 916,
  kMsgDivorceAvantNaissance = 917,
  kMsgDivorceAvantMariage = 918,
  kMsgMariageApresDeces = 919,
  kMsgAgeMariageMax = 920,
  kMsgAgeMariageMin = 921,
  kMsgConjointTropJeune = 922,
  kMsgConjointTropAge = 923,
};

// The problems found for person p, each message followed by CR LF, or the
// empty text. Nothing is checked unless the year of p's birth is known; an
// unknown date makes a test pass, so a person out of range, not in use or
// without dates gives the empty text. When the parents' dates show
// problems, a warning line (905 for one, 906 for more) comes first, and the
// checks of p's own events and ages are skipped; the unions are checked in
// any case.
std::string ControleCoherence(const TBD& bd, const TTraduction& traduction,
                              const SeuilsCoherence& seuils, int p);

// One person with problems and its text.
struct ProblemesPersonne {
  int personne = 0;
  std::string texte;  // as ControleCoherence gives it
};

struct RapportCoherence {
  std::vector<ProblemesPersonne> personnes;  // ascending record number
  int nbreControlees = 0;                    // persons in use that were checked
  bool annule = false;                       // stopped through the progress callback
};

// ControleCoherence of every person in use, keeping those with problems.
// `progression` (may be empty) gets (done, persons in use) every 1024
// persons and at the end; when it returns false the walk stops and the
// report says so, keeping what was found until then.
RapportCoherence ControleCoherenceArbre(const TBD& bd, const TTraduction& traduction,
                                        const SeuilsCoherence& seuils,
                                        const Progression& progression = {});

}  // namespace kindrela
