// The names the report's exported files take, and the escaping of tree
// text for HTML. (The report grid's web page is the site's grid page,
// PageGrille of web_site.)
#pragma once

#include <string>
#include <string_view>

#include "analysis/report_grid.h"

namespace kindrela {

class TBD;

// `dossier` + "rapport" + the first number from 1 whose file does not
// exist yet + `extension` (".htm").
std::string ProchainFichierRapport(const std::string& dossier, std::string_view extension = ".htm");

// Text escaped for HTML: & < > " as entities, line ends as <br>; a letter
// held as a reference stays that reference, which HTML reads as the letter.
std::string EchappeHtml(std::string_view texte);

}  // namespace kindrela
