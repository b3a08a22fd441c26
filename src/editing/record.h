// What the person record window decides and writes, apart from names,
// dates and custom fields: the lines it shows, the sex and certainty
// rules, the events it creates and removes, the notes, the family lists
// and which entries of the person menu apply.
//
// Everything works on one person of the database by its number; a number
// outside the table reads as nobody and writes nothing (the database's own
// rule). Texts are Windows-1252 bytes.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "chart/kinship.h"
#include "chart/looks.h"
#include "core/ansi_literal.h"

namespace kindrela {

class TBD;
class TTraduction;

// The placeholder ending every list of the record window.
inline constexpr std::string_view kEntreeCreer = "<Double cliquer ici pour créer>"_ansi;

// ---------------------------------------------------------------------------
// Marks and lines

// After every write: the tree is modified and the person's modification
// date is today.
void FicheModifiee(TBD& bd, int n);

// A person shown without creation date gets today as its creation and
// modification dates. True when it was stamped.
bool AssureDateCreation(TBD& bd, int n);

// The creation line: message 105, a space and the creation date in display
// form, then, when the modification date differs from it, a space, message
// 106, a space and the modification date.
std::string LigneDates(const TBD& bd, int n, const TTraduction& traduction,
                       std::string_view formatDate);

// The numbering label: empty without a number; message 103 (Sosa) or, for
// a number holding "/", message 104 (descendant), then " : " and the number.
std::string LibelleNumero(std::string_view numero, const TTraduction& traduction);

// The captions of the events, note, unions and sources tabs (messages 114
// to 117), each followed by "+" when the person has at least one event, a
// note, a union, a linked source.
struct LegendesOnglets {
  std::string evenements, note, unions, sources;
};
LegendesOnglets LegendesDesOnglets(const TBD& bd, int n, const TTraduction& traduction);

// ---------------------------------------------------------------------------
// Sex and certainty

// The sex can be changed only for a person who is nobody's parent and
// belongs to no union.
bool SexeModifiable(const TBD& bd, int n);
// The sex after a click on the sex button: a man becomes a woman, anybody
// else (a woman, an unknown sex) a man.
int SexeApresClic(int sexe);
// Message 101 for a man, 102 otherwise.
int MessageSexe(int sexe);

inline constexpr int kNbreNiveaux = 4;
// A certainty level read from its stored text: "0".."3"; anything else
// (empty, out of range, not a number) is 0.
int NiveauDeTexte(std::string_view texte);
// The level after a click: one more, 3 wrapping to 0.
int NiveauSuivant(int niveau);
// The label (messages 120..123) and the panel colour of a level; a level
// outside 0..3 is shown as 0.
int MessageNiveau(int niveau);
TCouleur CouleurNiveau(int niveau);

// ---------------------------------------------------------------------------
// Events

// Position (from 1) in the person's (union's) list of the first event whose
// kind is exactly `nature`; 0 when there is none.
int PositionEveFiche(const TBD& bd, int n, std::string_view nature);
int PositionEveUnion(const TBD& bd, int u, std::string_view nature);

// The event of kind `nature`, found or created (a person or a union has at
// most one event of each kind made here). `position` is 0 when nothing
// could be created (empty kind, owner out of range, event table full).
struct EveAssure {
  int position = 0;
  int numero = 0;  // the event's record number
  bool cree = false;
};
EveAssure AssureEveFiche(TBD& bd, int n, std::string_view nature);
EveAssure AssureEveUnion(TBD& bd, int u, std::string_view nature);

// An event whose date, time, place and note are all empty.
bool EveSansDonnees(const TBD& bd, int e);
// Removes event e from the person's (union's) list and frees it when it is
// still listed there and has no data. True when it was removed.
bool RetireEveVideFiche(TBD& bd, int n, int e);
bool RetireEveVideUnion(TBD& bd, int u, int e);

// What the event fields of the window hold. The date is in display form;
// the note as the memo gives it (lines separated by "\n" or CR LF).
struct SaisieEve {
  std::string date;
  std::string heure;
  std::string lieu;
  std::string note;
};
// Stores the fields into the event at position k of the person (union):
// the date in stored order (DateInterne) but otherwise as typed, the time
// and place as typed, the note by TexteNote. True when the stored place
// became shorter (the assisted-entry list then closes).
bool EcritSaisieEveFiche(TBD& bd, int n, int k, const SaisieEve& saisie,
                         std::string_view formatDate);
bool EcritSaisieEveUnion(TBD& bd, int u, int k, const SaisieEve& saisie,
                         std::string_view formatDate);

// ---------------------------------------------------------------------------
// Notes

// The stored text of a memo: its lines joined with CR LF, then trailing
// spaces, CR and LF removed.
std::string TexteNote(std::string_view memo);
// A stored note as memo lines separated by "\n".
std::string NoteAffichee(std::string_view note);

// ---------------------------------------------------------------------------
// Family lists

// Siblings and children as the record window lists them: by given names,
// then by birth date.
TR FratrieTriee(const TBD& bd, int n);
TR EnfantsTries(const TBD& bd, int n);
// The partner of union u seen from person n: the husband for a person who
// is not a man, the wife for a man.
int ConjointDansUnion(const TBD& bd, int u, int n);

// The summary of a person in the family window: surname and given names,
// the profession, then the birth date and place and the death date and
// place after interface words 620, 630, 640, 641; one line each, only
// what is known.
std::vector<std::string> ResumePersonne(const TBD& bd, int n, const TTraduction& traduction,
                                        std::string_view formatDate);

// ---------------------------------------------------------------------------
// The person menu

// The controls the person menu is opened on.
enum class ControleFiche { Nom, Prenoms, Pere, Mere, Enfant, Fratrie, Union };

enum EntreeMenuPersonne {
  kMenuSelectionner = 0,
  kMenuReference,
  kMenuCreer,
  kMenuRechercher,
  kMenuSupprimer,
  kMenuEffacerLien,
  kNbreEntreesMenuPersonne
};

// What the menu needs to know about the control and the tree.
struct EtatMenuPersonne {
  ControleFiche controle = ControleFiche::Nom;
  bool personneAffichee = false;  // the window shows a person
  bool parentConnu = false;       // E_Pere / E_Mere: that parent is set
  bool entreeReelle = false;      // a list: the selected entry is a record, not the placeholder
  bool arbreVisible = false;
  int nbreFiches = 0;             // person slots
  int capaciteFiches = 0;         // the person table's capacity
};

// Which entries of the menu show.
std::array<bool, kNbreEntreesMenuPersonne> EntreesVisibles(const EtatMenuPersonne& etat);

}  // namespace kindrela
