// What the cell editor decides: which chart half a working look comes from
// and goes to, how lines are added, removed and moved, which controls of the
// box-look page are shown, the list of saved looks and their thumbnails, and
// the tags its tag editor builds. The window only binds controls to these.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "chart/looks.h"

namespace kindrela {

class TMotsBalises;

// "Pour": the halves the working look is taken from and applied to.
enum : int { kPourTout = 0, kPourAscendance = 1, kPourDescendance = 2 };

// The working look: a copy of half 2 for kPourDescendance, of half 1 otherwise.
T1Aff LookDeTravail(const TApparence& apparence, int pour);

// Copies the working look into the halves chosen by `pour` (both for
// kPourTout), each half keeping its own arrangement `Style`. What the
// quick apply (a repaint) and the full apply (a rebuild) share.
void CopieLookDeTravail(TApparence& apparence, const T1Aff& travail, int pour);

// The full apply: CopieLookDeTravail, then the screen colour of the
// background page. The caller rebuilds the chart.
void AppCalcule(TApparence& apparence, const T1Aff& travail, int pour, TCouleur couleurEcran);

// Line list edits. `selection` is the selected line (-1 for none); each
// returns the line to select afterwards.
// Adds a line above the selected one (at the end when none is selected):
// the lines from there on move one place down, the last one dropped when
// the box already has 50 lines; the new line is TLigne::Nouvelle().
int AjouteLigne(T1Aff& aff, int selection);
// Removes the selected line when there is more than one; the previous line
// (or line 0) is selected. Nothing with one line or no selection.
int SupprimeLigne(T1Aff& aff, int selection);
// Exchanges the selected line with the one above / below (not past either end).
int MonteLigne(T1Aff& aff, int selection);
int DescendLigne(T1Aff& aff, int selection);
// Sets or clears one of the bold, italic, underline bits; strike-out and
// the other bits are left as they are.
void ChangeStyleLigne(TLigne& ligne, std::uint8_t bit, bool actif);

// The margins page: with "all margins equal" the value just changed is
// copied into all four. Order: top, bottom, right, left.
std::array<int, 4> MargesSaisies(std::array<int, 4> valeurs, int change, bool identiques);
void EcritMarges(T1Aff& aff, const std::array<int, 4>& marges);
std::array<int, 4> LitMarges(const T1Aff& aff);

// Which controls of the box-look page a look shows.
struct TEtatPageSexe {
  bool couleurVisible = false;    // the colour panel and the choice button
  bool boutonTexture = false;     // the choice button reads as the texture command
  bool imageVisible = false;      // the texture picture
  bool texteVisible = false;      // the texture text and its caption (computed texture)
  bool etirerActif = false;       // "Etirer la texture sur toute la surface"
  bool ombreActif = false;        // "Ombrage de la cellule"
  bool arrondisActif = false;     // "Coin arrondis"
};
TEtatPageSexe EtatPageSexe(const TLookSexe& look);

// The saved looks: the names (lower case, without ".kda") of every ".kda"
// file of the folder (extension in any case), sorted; names Windows-1252
// cannot hold are left out. An unreadable folder gives none.
std::vector<std::string> ListeLooks(const std::string& dossierLooks);
// The look file and its thumbnail for a name of the look folder.
std::string FichierLook(const std::string& dossierLooks, const std::string& nom);
std::string FichierVignette(const std::string& dossierLooks, const std::string& nom);
// Looks come from two folders: the user's own, where the editor writes
// (the installation may be read-only), and the installation's. A look the
// user saved hides the installation's of the same name. An empty folder is
// skipped.
struct TDossiersLooks {
  std::string utilisateur;
  std::string installation;
};
// The names of both folders, each once, sorted.
std::vector<std::string> ListeLooks(const TDossiersLooks& dossiers);
// The file of look `nom` (the user's first) or of its thumbnail; empty
// when neither folder holds one.
std::string FichierLookExistant(const TDossiersLooks& dossiers, const std::string& nom);
std::string VignetteExistante(const TDossiersLooks& dossiers, const std::string& nom);
// A look name that can be a file name: not empty, without a folder
// separator, not "." or "..".
bool NomLookValide(std::string_view nom);

// Copies a picture chosen by the user into the texture folder (unless it is
// already there) and returns the name it is stored by there (lower case
// when `minuscules`), or an error naming the file.
Statut CopieDansTextures(const std::string& fichier, const std::string& dossierTextures,
                         bool minuscules, std::string& nom);

// ---------------------------------------------------------------------------
// The tag editor.

// Whose data the tag reads.
enum class QuiBalise { Individu, Pere, Mere, Conjoint, Union };
// What it reads.
enum class ChampBalise {
  Sexe, Nom, PrenomPrincipal, Prenoms, ChampPerso, Evenement, Note, Numero, NumeroFiche, Age,
  Resume, Individu, Photo
};
struct TChoixBalise {
  QuiBalise qui = QuiBalise::Individu;
  int numero = 0;          // spouse or union number, 0 = the last one
  ChampBalise champ = ChampBalise::Nom;
  std::string detail;      // the custom field's name or the event kind
  int motEvenement = 2002;  // event field word number (2002..2017)
};

// The tag text for a choice: the navigation tag (none for the person
// itself, or the back-to-the-person word when `texte` already moved the
// focus elsewhere), then the field's tag. An event tag of a union is read
// from the union in focus. Empty when the choice needs a name it lacks.
std::string ConstruitBalise(const TMotsBalises& mots, const TChoixBalise& choix,
                            std::string_view texte);
// The event field words offered (numbers 2002..2017 that have a word).
std::vector<int> MotsEvenement(const TMotsBalises& mots);

}  // namespace kindrela
