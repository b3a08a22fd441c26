// Adding persons already linked to someone: a father, a mother, a child, a
// spouse or a sibling. Each addition creates the record, sets the obvious
// links and fields, may propose a birth date, lets the caller ask the new
// person's identity, and then offers the links that follow from the family
// around it (the other parent, a union of two parents, children without a
// second parent). The completion steps also serve when an existing person
// is linked by the search.
//
// Questions go through the caller's asker: the text of a Yes/No question,
// answered true for Yes. An empty asker answers No to everything.
#pragma once

#include <functional>
#include <string>

namespace kindrela {

class TBD;
class TTraduction;

using TDemande = std::function<bool(const std::string& question)>;

struct OptionsAjout {
  bool evalueNaissance = false;  // propose a birth date from the person added from
  int generation = 0;            // years between two generations, for that proposal
  bool lienAuto = false;         // make the obvious completion links without asking
};

struct ContexteAjout {
  TBD& bd;
  const TTraduction& traduction;
  OptionsAjout options;
  TDemande demande;
};

enum class SorteAjout { Pere, Mere, Enfant, Conjoint, Fratrie };

// The captions naming the new person: the identity dialog's (302, 304, 306,
// 308, 310) and the record window's (303, 305, 307, 309, 311).
int MessageIdentite(SorteAjout sorte);
int MessageFiche(SorteAjout sorte);
// Whether the surname is copied from the person added from (the record
// window then puts the cursor in the given names), and whether the identity
// dialog lets the sex be chosen.
bool NomCopie(SorteAjout sorte);
bool SexeAuChoix(SorteAjout sorte);

// When p's birth date has a year Y above 0, the new person's birth event
// gets "vers " and Y + decalage, with certainty level 2. A proposal that
// would fall in year 0 or before is not made.
void EstimeNaissance(TBD& bd, int p, int nouveau, int decalage);

// Runs between the links and the completion step with the new person: the
// identity dialog and the selection. Empty: nothing.
using EtapeIdentite = std::function<void(int nouveau)>;

// The five additions from person p. Each returns the new person, 0 when
// none could be made (the person table full, or for a spouse the union
// table full: then nothing at all changes). Every addition sets BaseModifiee.
int Ajoute(ContexteAjout& ctx, SorteAjout sorte, int p, const EtapeIdentite& identite = {});
int AjoutePere(ContexteAjout& ctx, int p, const EtapeIdentite& identite = {});
int AjouteMere(ContexteAjout& ctx, int p, const EtapeIdentite& identite = {});
int AjouteEnfant(ContexteAjout& ctx, int p, const EtapeIdentite& identite = {});
int AjouteConjoint(ContexteAjout& ctx, int p, const EtapeIdentite& identite = {});
int AjouteFratrie(ContexteAjout& ctx, int p, const EtapeIdentite& identite = {});

// An unlinked new person (every field empty); 0 when the table is full.
int AjouteNouvelle(TBD& bd);

// Completion steps, run once a link exists.
void CompleteApresPere(ContexteAjout& ctx, int enfant, int pere);
void CompleteApresMere(ContexteAjout& ctx, int enfant, int mere);
void CompleteApresEnfant(ContexteAjout& ctx, int parent, int enfant);
void CompleteApresConjoint(ContexteAjout& ctx, int personne, int conjoint);
// May create a parent common to both siblings; returns it (0 when none).
int CompleteApresFratrie(ContexteAjout& ctx, int personne, int frere);

}  // namespace kindrela
