// The web site export: the main page, the person lists in their four
// layouts, the record cards grouped into pages, the surname and place
// indexes, the dynamic page with its script data, and the pictures.
//
// Every text taken from the tree is escaped for HTML in the pages and as
// script string content in "dynadata.js"; file names never leave the output
// folder. Cards sit where PlaceFiche puts them, so every card link of the
// site reaches its card.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analysis/report_grid.h"
#include "analysis/web_cards.h"
#include "analysis/web_page.h"
#include "core/status.h"

namespace kindrela {

// What an export needs besides the database and the options.
struct TContexteSite {
  const TTraduction* traduction = nullptr;
  TModelesWeb modeles;          // loaded with ChargeModelesWeb
  EncodeurImage encodeur;       // null: no pictures
  TDossiersImages dossiersImages;
  Progression progression;      // (done, total) every 50 records; false cancels
};

// Writes the whole site; `pagePrincipale` is the main page's full path
// (folder + the dialog's file name + ".htm"); the folder is created when
// missing. The written files' names come back in `fichiers` (may be null).
// A write failure stops with an error naming the file; a cancel gives
// Statut::Annule() with what was written so far left in place.
Statut ExportSite(const TBD& bd, const TOptionsWeb& options, const TContexteSite& contexte,
                  const std::string& pagePrincipale, std::vector<std::string>* fichiers = nullptr);

// The grid page: header, the heading, one row per line of `cellules`
// (HTML, already escaped) with its class from `classes` (missing: "rowunique").
std::string PageGrille(const TPagesWeb& pages, std::string_view titre, const std::vector<std::string>& titres,
                       const std::vector<std::vector<std::string>>& cellules,
                       const std::vector<std::string>& classes);
// A report grid as a grid page, its cells escaped, rows classed by the
// report's row style (0 one class, 1 odd and even rows, 2 by the row's sex).
std::string PageGrille(const TPagesWeb& pages, std::string_view titre, const TGrilleRapport& grille,
                       int miseEnForme);
// The same with the rows' classes given (missing: "rowunique").
std::string PageGrille(const TPagesWeb& pages, std::string_view titre, const TGrilleRapport& grille,
                       const std::vector<std::string>& classes);

// Text as the content of a double-quoted script string, in ASCII: a double
// quote becomes an apostrophe, a backslash and line ends are escaped, "<"
// is written \x3C (no "</script>" can appear), letters outside ASCII and
// those the tree keeps as references become \u escapes. At most 65000 bytes
// of the trimmed text are taken.
std::string ChaineScript(std::string_view texte);

// "dynadata.js": the persons and unions of the dynamic page.
std::string DonneesDyna(const TBD& bd, const TOptionsWeb& options);

// The text between "<TITLE>" and "</TITLE>" (any case) in the first 64000
// bytes of a page; empty when absent.
std::string TitrePage(std::string_view debutPage);

}  // namespace kindrela
