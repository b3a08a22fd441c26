// The report the application shares between its windows: the person list
// the report was made from (it may be absent), its title, the grid shown
// and the caption. The report window fills it; the deletion dialog, the
// statistics, the search and replace tool, the maps and the calendar read
// the persons or put a new list in. One lives in the application state.
//
// Contract for the windows that use it:
//  - Liste() is null when the report has no list (a predefined report of
//    values, or nothing built yet); its persons are otherwise the rows'.
//  - PersonnesDesLignes() gives the person of every row, in row order: what
//    "the persons of the report" means for a count or a population.
//  - A window that replaces the list calls ChangeListe and then asks the
//    report window to fill the grid from it (TfmRapport::MontreListe).
#pragma once

#include <optional>
#include <string>

#include "analysis/report_grid.h"
#include "chart/kinship.h"

namespace kindrela {

class TRapportPartage {
 public:
  const TR* Liste() const { return m_liste ? &*m_liste : nullptr; }
  const std::string& Titre() const { return m_titre; }
  void ChangeListe(TR liste, std::string titre) {
    m_liste = std::move(liste);
    m_titre = std::move(titre);
  }
  void OublieListe() { m_liste.reset(); }

  TR PersonnesDesLignes() const { return grille.Personnes(); }
  // Drops the list, the grid and the caption (a tree closed).
  void Vide() {
    m_liste.reset();
    m_titre.clear();
    grille.Vide();
    legende.clear();
  }

  TGrilleRapport grille;
  std::string legende;  // the report window's caption
  bool occupe = false;  // a report is being built: a second build is refused

 private:
  std::optional<TR> m_liste;
  std::string m_titre;
};

}  // namespace kindrela
