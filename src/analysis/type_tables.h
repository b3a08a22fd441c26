// The three type tables of the options window: event kinds, custom fields
// and source types. The event and custom-field tables carry the GEDCOM tag
// of each row, through which the GEDCOM import and export translate between
// our words and the tags.
//
// Each table is a grid of text rows; row 0 is the title row and is never
// looked up. On disk a table is one row per line (Windows-1252, CR LF), each
// cell followed by ";" (so a line ends with ";").
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"

namespace kindrela {

class TTraduction;

enum class SorteTable {
  Evenements = 0,  // column 0 whose event (message 707 / 708), 1 kind name, 2 GEDCOM tag
  Champs = 1,      // column 0 proposed by default (key "OUI" / "NON"), 1 field name, 2 GEDCOM tag
  Sources = 2,     // column 0 source type name
};
inline constexpr int kNbreTablesTypes = 3;

// Cells per row of each table.
int NbreColonnes(SorteTable sorte);

using LigneTable = std::vector<std::string>;  // always NbreColonnes cells once loaded
using GrilleTable = std::vector<LigneTable>;  // row 0: titles

// Where each table is read and written: the user's file and the language's
// default file.
struct CheminsTablesTypes {
  std::string eve, chp, src;           // user files "Eve.tra", "Chp.tra", "Src.tra"
  std::string defEve, defChp, defSrc;  // default files "DefEve.tra", ...
  const std::string& Utilisateur(SorteTable sorte) const;
  const std::string& Defaut(SorteTable sorte) const;
};

// A file's text as a grid: lines split at CR LF, CR or LF, cells at ";"; the
// ";" that ends a line does not make an extra cell. Empty lines are skipped.
// Each row is cut or padded with empty cells to `nbreColonnes`.
GrilleTable LitGrille(std::string_view texte, int nbreColonnes);
// The grid as file text. A ";" inside a cell would shift the columns of the
// row when read back, so it is written as ","; line breaks inside a cell
// become spaces.
std::string TexteGrille(const GrilleTable& grille);

class TTablesTypes {
 public:
  // Three empty tables.
  TTablesTypes() = default;

  const GrilleTable& Grille(SorteTable sorte) const { return m_grilles[Index(sorte)]; }
  // For the options window and the editing dialogs that append rows. Rows
  // added this way should hold NbreColonnes cells; shorter rows read as
  // having empty cells.
  GrilleTable& Grille(SorteTable sorte) { return m_grilles[Index(sorte)]; }

  // Start-up: the user's file when it can be read and holds at least one
  // row, otherwise the default file. When neither can be read the table is left empty (no title row)
  // and the error names the default file. Column 0 is then reset (see
  // NormaliseColonne0).
  Statut Charge(SorteTable sorte, const CheminsTablesTypes& chemins, const TTraduction& traduction);
  // The three tables; the first error met is returned, but every table is
  // loaded in any case.
  Statut ChargeTout(const CheminsTablesTypes& chemins, const TTraduction& traduction);
  // "&Défaut": the default file only. On failure the table is unchanged.
  Statut ChargeDefaut(SorteTable sorte, const CheminsTablesTypes& chemins,
                      const TTraduction& traduction);
  // Replaces the table with the grid of `texte`, then resets column 0.
  void ChargeTexte(SorteTable sorte, std::string_view texte, const TTraduction& traduction);

  // Writes the table to the user's file (atomically); an error names it.
  // An empty table (one that could not be loaded) is not written, so that
  // the default file is read again next time.
  Statut Enregistre(SorteTable sorte, const CheminsTablesTypes& chemins) const;
  Statut EnregistreTout(const CheminsTablesTypes& chemins) const;

  // Column 0 of rows 1..last to the values the program understands:
  // events: the translated message 707 or 708 as they stand, anything else
  // becomes message 707; custom fields: the translated key "OUI" or "NON" as
  // they stand, anything else becomes "NON"; sources: nothing to do.
  void NormaliseColonne0(SorteTable sorte, const TTraduction& traduction);

  // Lookups: exact, case-sensitive comparison over rows 1..last, the first
  // match wins; the empty text when nothing matches or when the key is empty.
  // Linear in the number of rows of the table (a few dozen).
  std::string TagEvenement(std::string_view nature) const;   // column 1 -> column 2
  std::string EvenementDeTag(std::string_view tag) const;    // column 2 -> column 1
  std::string TagChamp(std::string_view champ) const;        // column 1 -> column 2
  std::string ChampDeTag(std::string_view tag) const;        // column 2 -> column 1

  // The custom fields every new person gets: "t|" + name + "||" for each row
  // whose column 0 equals the translated "OUI" without regard to case, in
  // row order. Rows without a name are skipped.
  std::string ChampsParDefaut(const TTraduction& traduction) const;

  // Column 1 of the event rows whose column 0 is exactly `categorie` (the
  // translated message 707 or 708), in row order.
  std::vector<std::string> Natures(std::string_view categorie) const;
  // Column 1 of every custom-field row, in row order.
  std::vector<std::string> NomsChamps() const;
  // Column 0 of every source row, in row order.
  std::vector<std::string> SortesSources() const;

 private:
  static size_t Index(SorteTable sorte) { return static_cast<size_t>(sorte); }
  // Column `vers` of the first row 1..last whose column `de` is `cle`.
  std::string Cherche(SorteTable sorte, int de, int vers, std::string_view cle) const;

  std::array<GrilleTable, kNbreTablesTypes> m_grilles;
};

}  // namespace kindrela
