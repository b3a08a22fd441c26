// The report grid as a web page, for the browser and the spreadsheet
// program, and the names the exported pages take.
//
// The web site export builds its own grid page with its header and footer
// templates; until it does, and for the report window's own exports, this
// plain page is used. It is the one place to change when the web site's
// grid page takes over (same arguments: the grid, its title, the row
// formatting of the report window and the site's style sheet).
#pragma once

#include <string>
#include <string_view>

#include "analysis/report_grid.h"

namespace kindrela {

class TBD;

// A complete page in Windows-1252: `titre` as its title and heading, the
// style sheet `css` inlined, one table row per grid row with the class of
// RegleLigne (the titles in a thead). `bd` gives the sex of the rows'
// persons for formatting 2 (null: unknown).
std::string PageGrilleRapport(const TGrilleRapport& grille, std::string_view titre, int miseEnForme,
                              std::string_view css, const TBD* bd);

// `dossier` + "rapport" + the first number from 1 whose file does not
// exist yet + `extension` (".htm").
std::string ProchainFichierRapport(const std::string& dossier, std::string_view extension = ".htm");

// Text escaped for HTML: & < > " as entities, line ends as <br>; a letter
// held as a reference stays that reference, which HTML reads as the letter.
std::string EchappeHtml(std::string_view texte);

}  // namespace kindrela
