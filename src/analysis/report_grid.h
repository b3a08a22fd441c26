// The report grid: titled, typed columns and rows of text that may each
// carry a person; sorting on a column by its type, the row colouring rule,
// the delimited-text export. The report window shows one; the predefined
// reports, the column models and the statistics fill it.
//
// Rows are counted from 0 here (the window's title row is not a row of the
// grid); "grid row" numbers in the colouring rule count the titles as row 0.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "chart/kinship.h"
#include "core/status.h"

namespace kindrela {

class TBD;

// How a column sorts. Empty cells always sort last.
enum class TriColonne : int {
  Texte = 0,   // without regard to case
  Date = 1,    // on the date's day order (display format of the grid)
  Nombre = 2,  // as whole numbers; text that is no number reads as 0
};

struct TColonneRapport {
  std::string titre;
  int largeur = 100;  // pixels
  TriColonne tri = TriColonne::Texte;
};

class TGrilleRapport {
 public:
  // No column, no row, nothing sorted.
  void Vide();
  // Replaces the columns and drops every row.
  void DefinitColonnes(std::vector<TColonneRapport> colonnes);
  // A row of as many cells as columns (missing cells are empty, extra ones
  // dropped). `personne` 0: the row carries nobody. Returns its index.
  int AjouteLigne(std::vector<std::string> cellules, int personne = 0);
  void ReserveLignes(int n);

  int NbreColonnes() const { return static_cast<int>(m_colonnes.size()); }
  int NbreLignes() const { return static_cast<int>(m_personnes.size()); }
  const std::vector<TColonneRapport>& Colonnes() const { return m_colonnes; }
  std::vector<TColonneRapport>& Colonnes() { return m_colonnes; }
  // Empty text / 0 outside the grid.
  const std::string& Cellule(int ligne, int colonne) const;
  int Personne(int ligne) const;
  // Clears every row's person (the rows stay).
  void OublieLesPersonnes();
  // The first row carrying `personne`, -1 when none.
  int LigneDe(int personne) const;
  // The person of every row that carries one, in row order.
  TR Personnes() const;
  // Sum of the column widths plus one per column (the grid lines).
  int LargeurTotale() const;

  // Sorts the rows on column `colonne` (stable; empty cells last whatever
  // the direction). `formatDate` is the display format the date cells are
  // written in. Nothing for a column outside the grid.
  void Trie(int colonne, bool croissant, std::string_view formatDate);
  // A click on a title: sorts ascending, or the other way from the last
  // sort of that same column.
  void TrieClic(int colonne, std::string_view formatDate);
  int ColonneTriee() const { return m_colonneTriee; }
  bool TriCroissant() const { return m_croissant; }
  // Forgets the last sort (the rows stay in their order).
  void OublieTri() { m_colonneTriee = -1; }

  // Every row, the titles first, each cell followed by `separateur`, each
  // row ended by CR LF.
  std::string TexteDelimite(char separateur) const;
  // Every row, the titles first, as comma-separated values: cells joined by
  // ",", quoted when they hold a comma, a quote or a line end (quotes
  // doubled), rows ended by CR LF. For the spreadsheet program and scripts.
  std::string TexteCsv() const;

 private:
  std::vector<TColonneRapport> m_colonnes;
  std::vector<std::string> m_cellules;  // row-major, NbreColonnes() per row
  std::vector<int> m_personnes;         // per row
  int m_colonneTriee = -1;
  bool m_croissant = true;
};

// The separator of each filter of the text export's save dialog (1 ";",
// 2 ",", 3 tab); ";" for any other filter.
char SeparateurFiltre(int filtre);
// The name the text export writes: `nom` with ".txt" appended.
std::string NomExportTexte(const std::string& nom);
// Writes TexteDelimite(separateur) to `chemin`; the error names the file.
Statut EnregistreTexte(const TGrilleRapport& grille, const std::string& chemin, char separateur);

// The style rule a row is painted with: grid row 0 (the titles) "table
// thead td"; then by `miseEnForme` (0, 1, 2): 0 ".rowunique"; 1 odd grid
// rows ".rowPair", even ones ".rowImpair"; 2 ".rowFemme" unless the row's
// person is a man, else ".rowHomme". Any other value counts as 1.
std::string RegleLigne(int ligneGrille, int miseEnForme, int sexePersonne);

// The value of property `propriete` in the first rule of style sheet `css`
// whose selector is exactly `selecteur` (a selector list "a, b" matches
// each member); empty when none. Comments are skipped.
std::string ProprieteCss(std::string_view css, std::string_view selecteur,
                         std::string_view propriete);
// A CSS colour "#rgb", "#rrggbb" or "rgb(r, g, b)" as red, green, blue;
// false for anything else.
bool LitCouleurCss(std::string_view valeur, int& r, int& g, int& b);

// A message with each "%s" taking the next value and "%%" giving "%"; a
// "%s" with no value left stays empty.
std::string FormateMsg(std::string_view modele, const std::vector<std::string>& valeurs);

}  // namespace kindrela
