// Record cards of the web pages, in their two forms, and the pictures they
// show.
//
// A card is HTML made of escaped tree text; it does not hold its anchor
// (the page writer puts "<a id=\"fiche" + k + "\">" before it, k from
// PlaceFiche).
#pragma once

#include <functional>
#include <map>
#include <string>

#include "analysis/web_page.h"
#include "chart/looks.h"

namespace kindrela {

// Re-encodes the picture file `source` as a JPEG file `cible` of quality
// `qualite` (1..100), fitted into a square of `cote` pixels (0: the original
// size). The application supplies it: the core holds no picture codec.
using EncodeurImage =
    std::function<Statut(const std::string& source, const std::string& cible, int cote, int qualite)>;

// The pictures of one export: each source file is encoded once, under a name
// of its own in the output folder.
class TImagesWeb {
 public:
  TImagesWeb(EncodeurImage encodeur, TDossiersImages dossiers)
      : m_encodeur(std::move(encodeur)), m_dossiers(std::move(dossiers)) {}

  // The markup showing picture `nom` (a source's media, as stored) in a page
  // of `dossierSortie`; empty when the file is not found or cannot be read.
  // With imageOriginale the reduced picture links to an "ori_" copy at the
  // original size.
  std::string Image(const std::string& nom, const std::string& dossierSortie, const TOptionsWeb& options);

 private:
  EncodeurImage m_encodeur;
  TDossiersImages m_dossiers;
  std::map<std::string, std::string> m_faites;   // source path + folder -> markup
  std::map<std::string, std::string> m_prises;   // folder + output name -> source path
};

// The literary card: sentences about the parents, children and unions,
// the custom fields, the chronology and the note, by the card options.
std::string CardLiterary(const TPagesWeb& pages, int r);
// The table card; its source pictures go into `dossierSortie` through
// `images` (null: no pictures).
std::string CardTable(const TPagesWeb& pages, int r, const std::string& dossierSortie, TImagesWeb* images);
// The card in the form the options choose.
std::string Card(const TPagesWeb& pages, int r, const std::string& dossierSortie, TImagesWeb* images);

// The chronology paragraph of person r ("<p>" ... "</p>"), empty when it
// has no entry: r's own events and its unions' events when "Les
// événements" is on, the births and deaths of its close relatives during
// its life when "Les événements calculés" is on.
std::string Chronologie(const TPagesWeb& pages, int r);

// "a", "a et b", "a, b et c".
std::string JointListe(const std::vector<std::string>& elements);

}  // namespace kindrela
