// What a report shows of a person list: the column model (".kdr" files:
// per column a title, a content template and a sort type), the advanced
// search (".kdp" files: up to three conditions on template values joined by
// ET / OU, evaluated into a person list), the kinship selections around a
// person, and filling a report grid from a list with a model.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/report_grid.h"
#include "chart/kinship.h"
#include "chart/templates.h"
#include "core/ini_file.h"
#include "core/status.h"

namespace kindrela {

class TTraduction;

// ---------------------------------------------------------------------------
// Column model

struct TColonneModele {
  std::string titre;
  std::string code;  // the content template
  std::string type;  // the sort type word (messages 2205, 2207, 2204)
  int largeur = 100;
};

struct TModeleColonnes {
  std::vector<TColonneModele> colonnes;
};

// Reads the model sections of `ini` into `modele`. A file whose Version is
// not "2" is an older model: only key "Colonne" of section "Critere"
// (default 1) is read and gives that many empty columns. A missing "Nbre"
// leaves `modele` unchanged; a missing type reads `typeDefaut`, a missing
// width 100. Counts are bounded to 0..1000.
void LitModeleColonnes(const FichierIni& ini, TModeleColonnes& modele, std::string_view typeDefaut);
// Writes the sections "Kindrela" (Version 2) and "Colonne". Widths are
// written for the first `colonnesGrille` columns only (those the report
// grid has).
void EcritModeleColonnes(FichierIni& ini, const TModeleColonnes& modele, int colonnesGrille);
// The sort of a column of type `type`: a date when it equals message 572,
// a number when it equals message 573, else text.
TriColonne TriDuType(const TTraduction& t, std::string_view type);

// The model names of `dossier`: the names of its files with extension
// `extension` (".kdr", without regard to case), without it and in lower
// case, sorted. Empty when the folder cannot be read.
std::vector<std::string> ListeModeles(const std::string& dossier, std::string_view extension);
// The models of both folders (the user's and the installed ones), each name once, sorted.
std::vector<std::string> ListeModeles(const std::string& dossierUtilisateur, const std::string& dossierInstalle,
                                      std::string_view extension);

// ---------------------------------------------------------------------------
// Filling the grid

struct TRemplissage {
  bool annule = false;
};
// One column per model column (titles, widths and sorts from the model) and
// one row per entry of `liste`, carrying it, whose cells are the model's
// templates expanded for it. `progression` is called every 50 rows.
TRemplissage RemplitGrille(const TContexteModele& ctx, const TTraduction& t,
                           const TModeleColonnes& modele, const TR& liste, TGrilleRapport& grille,
                           const Progression& progression = {});
// The caption once filled: the list title, a space, message 599 with the count.
std::string LegendeListe(const TTraduction& t, std::string_view titre, int nbre);

// ---------------------------------------------------------------------------
// Advanced search

enum class EtOu { Aucun, Et, Ou };

struct TCondition {
  std::string code;    // the template whose value is compared
  int test = -1;       // operator of CompareValues, 0..14; -1 none
  std::string valeur;  // compared value; "<..." is a template for the same person
  bool Complete() const { return !code.empty() && test >= 0 && test <= 14; }
};

struct TRechercheAvancee {
  bool dansRapport = false;  // the persons of the report instead of everybody
  std::string titre;         // the report's title
  std::array<TCondition, 3> conditions;
  std::array<EtOu, 2> etOu{EtOu::Aucun, EtOu::Aucun};
};

// The fifteen operators as the window offers them.
extern const std::array<std::string_view, 15> kOperateursRecherche;

// Reads section "Selection" (and the column model sections when `modele` is
// given and the file has them).
void LitRecherche(const FichierIni& ini, TRechercheAvancee& r);
// Writes section "Kindrela" (Version 2) and "Selection".
void EcritRecherche(FichierIni& ini, const TRechercheAvancee& r);

// The persons the search keeps, or false when condition 1 is not complete
// (nothing is evaluated then). The base is every person, or `rapport` (null:
// none) when the search is on the report's persons. Condition 2 and 3 are
// joined strictly left to right by their combiner, ET keeping the persons of
// both (Intersect), OU those of either (Merge); a condition that is not
// complete, or whose combiner is none, ends the chain.
bool EvalueRecherche(const TContexteModele& ctx, const TRechercheAvancee& r, const TR* rapport,
                     TR& resultat);
// True when a condition has a value but no template: the window does not
// evaluate on its own then.
bool RechercheSuspendue(const TRechercheAvancee& r);

// ---------------------------------------------------------------------------
// Kinship selections

inline constexpr int kNbreSelections = 15;
// The list's entries as the window offers them (kinds 0..14).
extern const std::array<std::string_view, kNbreSelections> kSelectionsParente;
// Kinds that read the generation / degree count.
bool SelectionAvecGenerations(int sorte);

struct TSelection {
  TR liste;
  std::string titre;
};
// The persons of kind `sorte` (0..14; any other value: the person alone,
// titled "La personne") around person `s`, `n` generations or degrees
// (1..99), sorted on surname and given names when `trie`. Kind 14 takes the
// persons drawn on the chart, `ecran` (null: none).
TSelection SelectionParente(const TBD& bd, int sorte, int s, int n, bool trie,
                            const TR* ecran = nullptr);

}  // namespace kindrela
