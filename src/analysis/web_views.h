// Single views turned into web pages: the chart page, the source list, the
// ancestry by generations; the list of pages made this way, which the web
// site links from its main page; and the person a card link of the site
// names, for the built-in browser.
//
// The pages are built against TGabaritPage, the few services of the site's
// page writer they need (header, footer, person names and links, where a
// person's card is), so that they follow the site's look and numbering.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kindrela {

class TBD;

// What a page takes from the site's page writer. Every member must be set.
struct TGabaritPage {
  // The head of a page titled `titre` (tree text, not yet escaped).
  std::function<std::string(std::string_view titre)> entete;
  // The tail of a page.
  std::function<std::string()> pied;
  // The person's name as the site writes it (plain tree text, not escaped).
  std::function<std::string(int r)> nomPersonne;
  // The person's name as markup: a link to its card when the site links
  // names, else the escaped name.
  std::function<std::string(int r)> lienPersonne;
  // Where the person's card is: "page" + q + ".htm#fiche" + k.
  std::function<std::string(int r)> adresseFiche;
};

// The person a card link of the site leads to: `lien` (a URL or a path;
// only what follows its last "/" or "\" counts) of the form "page" + q +
// ".htm#fiche" + k, with 1 <= k <= P (the cards per page), gives
// r = (q - 1) * P + k; P below 1 puts every card on page 1 (r = k). 0 for
// any other link and when r is outside 1..`nbreFiches`.
int PersonneDuLien(std::string_view lien, int fichesParPage, int nbreFiches);

// Adds `chemin` to the pages made from single views during the run (the
// web site links them from its main page), unless it is there already:
// kept in the order made, each once.
void AjouteFichierSupplementaire(std::vector<std::string>& fichiers, const std::string& chemin);

// `dossier` + `prefixe` + the first number from 1 whose file does not exist
// yet + `extension`.
std::string ProchainFichierLibre(const std::string& dossier, std::string_view prefixe,
                                 std::string_view extension = ".htm");

// The chart page of person r: titled `mot558` + " " + name + ".", the
// picture "arbre" + r + ".jpg" beside it.
std::string PageArbre(const TGabaritPage& gabarit, std::string_view mot558, int r);

// The page of a statistics graph: titled and headed `titre`, the
// population it covers, the picture `image` (a file beside the page) and
// the graph's comment lines (tree text, all three).
std::string PageStatistique(const TGabaritPage& gabarit, std::string_view titre, std::string_view population,
                            std::string_view image, const std::vector<std::string>& commentaire);

// The page of a map: titled and headed `titre` (tree text), the picture
// `image` beside the page (none when empty) described by `nomCarte`, then
// one list item per line of `lignes` (markup: escape tree text first).
std::string PageCarte(const TGabaritPage& gabarit, std::string_view titre, std::string_view image,
                      std::string_view nomCarte, const std::vector<std::string>& lignes);

// A page of record cards titled `titre` (tree text): `carte` gives the card
// of each person in turn, framed by "<p>" ... "</p>" when `encadre` (the
// cards of a report's persons).
std::string PageFiches(const TGabaritPage& gabarit, std::string_view titre, const std::vector<int>& personnes,
                       const std::function<std::string(int r)>& carte, bool encadre);

// What the source page shows of each source.
struct TOptionsPageSources {
  bool sorte = true;     // the kind (SrcAbrege)
  bool note = true;      // the text (SrcTexte)
  bool fichier = true;   // the picture
  bool personnes = true; // the persons listing the source
};

// The interface words of the source page.
struct TMotsPageSources {
  std::string titre;       // 567, the page title
  std::string tout;        // 566, heading for all persons
  std::string rapport;     // 568, heading for the report's persons (+ " " + report title)
};

// The source page. `personnes` null: every person in use, and every source
// in use is listed; otherwise those persons, and only the sources one of
// them lists. `titreRapport` follows the report heading. `image` gives the
// picture markup for a source's file name (the part of SrcMedia before
// "|"), empty when the picture cannot be found or made; it is not called
// when the pictures are not shown. Linear in persons and their sources.
std::string PageSources(const TBD& bd, const TGabaritPage& gabarit, const TOptionsPageSources& options,
                        const TMotsPageSources& mots, const std::vector<int>* personnes,
                        std::string_view titreRapport,
                        const std::function<std::string(const std::string& fichier)>& image);

// The three lists of the ancestry page.
enum class ModeAscendance { ParGeneration = 0, AvecAbsents = 1, Manquants = 2 };

struct TOptionsAscendance {
  int generations = 5;  // 1..99
  ModeAscendance mode = ModeAscendance::ParGeneration;
  bool fratrie = false;   // siblings after each person
  bool conjoints = false; // other spouses after each person, from generation 2 on
  // The complement after each person (an expanded template; plain tree
  // text, escaped here); not set: none.
  std::function<std::string(int r)> complement;
};

// With the empty positions listed, a generation wider than this is the
// last one written: past it the page would only grow by empty lines.
inline constexpr int kGenerationsMaxAvecAbsents = 17;

// The ancestry page of person p, generation by generation with the Sosa
// numbers of the positions. An ancestor found again among the descendants
// of its own position (a loop in the links) counts as unknown there. The
// page ends after generation 62 (the Sosa numbers' limit), and with the
// empty positions listed after kGenerationsMaxAvecAbsents.
std::string PageAscendance(const TBD& bd, const TGabaritPage& gabarit, int p, const TOptionsAscendance& options);

}  // namespace kindrela
