// Merging duplicates: the same person entered twice is merged into the
// person to keep. The kept person receives the duplicate's names (when they
// differ), parents, children, events, note, unions (with their events) and
// sources. The duplicate stays in the tree with its own data; its surname is
// marked so that it can be found and deleted afterwards.
//
// Links are written through the database's link operations, so its reverse
// indexes (children by parent, unions by partner) stay coherent.
#pragma once

#include <string>

namespace kindrela {

class TBD;

// The text a merge appends to a note before what it brings.
extern const char* const kIssueDeLaFusion;       // "Issue de la fusion"
// The mark put before the duplicate's surname.
extern const char* const kMarqueDouble;          // "(double a supprimer) "

enum class RefusFusion {
  Aucun,
  PersonneAbsente,     // one of the two is not a person in use
  MemePersonne,        // a person cannot be merged with itself
  SexeDifferent,
  ParentsDifferents,   // both have a father (or a mother) and they differ
  Ascendance,          // one is an ancestor of the other: the merge would make a person its own ancestor
};

struct ResultatFusion {
  RefusFusion refus = RefusFusion::Aucun;
  // Windows-1252: the refusal to show, or "Fusion Terminée" when done.
  std::string message;
  bool ok() const { return refus == RefusFusion::Aucun; }
};

// The refusal a merge of duplicate b into a would meet; nothing changes.
ResultatFusion VerifieFusion(const TBD& bd, int a, int b);

// What the dialog's box shows for one side: surname, given names and birth
// date, separated by spaces; empty for a person not in use.
std::string LibelleFusion(const TBD& bd, int p);

// Merges duplicate b into the kept person a. A refused merge changes
// nothing. Otherwise sets BaseModifiee. A full event or union table makes
// the copies that need a new record be skipped.
ResultatFusion FusionPersonnes(TBD& bd, int a, int b);

// The union of a and b, created when missing; 0 (nothing created) when a
// and b have the same sex, when one of them is not a person in use, or when
// the union table is full. A new union takes a as husband when b is not a
// man, else as wife; when b's numbering label is a positive number d, a's
// label becomes d - 1 (a husband) or d + 1 (a wife), as long as it stays
// positive.
int UnionAssuree(TBD& bd, int a, int b);

}  // namespace kindrela
