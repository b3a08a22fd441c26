// The user's manual: HTML pages in each language folder's "aide" folder,
// one page per task; F1 and "Afficher l'aide" open the page of the window
// in front.
#pragma once

#include <string>
#include <vector>

#include "app/folders.h"

namespace kindrela {

// The manual's first page, its table of contents.
inline constexpr char kPageAideSommaire[] = "index.html";

// The page that documents the control with focus: `noms` are the object
// names from that control up to its window, nearest first; the first name
// that has a page of its own decides, the table of contents otherwise.
std::string PageAide(const std::vector<std::string>& noms);

// Every page PageAide can name, the table of contents first.
std::vector<std::string> PagesAide();

// The file to open for `page`: the language's manual, else the French one
// (language 1) for a page not yet translated, else the language's table of
// contents; empty when no manual is installed.
std::string FichierAide(const TDossiers& dossiers, const std::string& page);

}  // namespace kindrela
