// The web site export as the window and the command line run it: options
// from the settings, templates from the installation, pictures through the
// JPEG encoder.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/web_cards.h"
#include "analysis/web_page.h"
#include "analysis/web_views.h"
#include "chart/looks.h"
#include "core/status.h"

namespace kindrela {

class TBD;
class TReglages;
class TTraduction;
class TGrilleRapport;
struct TDossiers;

// The web options kept in the settings ("gene\Sauve" Html..., the card,
// source and author options of "gene\Options"); the main page name is the
// caller's. `formatDate` is the display date format of the language.
TOptionsWeb OptionsWeb(const TReglages& reglages, const std::string& formatDate);
// Stores back every option OptionsWeb reads.
void EcritOptionsWeb(TReglages& reglages, const TOptionsWeb& options);

// Exports the site: templates of `dossierModeles` (the web template folder,
// ending in "/"), pictures found in `images` and re-encoded with
// EncodeImageJpeg, main page `pagePrincipale` (full path, ".htm"). A
// template that cannot be read is an error naming it.
Statut ExporteSiteWeb(const TBD& bd, const TTraduction& traduction, const TOptionsWeb& options,
                      const std::string& dossierModeles, const TDossiersImages& images,
                      const std::string& pagePrincipale, const Progression& progression,
                      std::vector<std::string>* fichiers = nullptr);

// The site's page writer for the pages of single views (the chart, the
// record cards, the sources, the ancestry, the report grid): they get the
// site's head and foot, its names and card links, its card writer and its
// pictures, so that every page the program writes looks like the site and
// links into it.
class TVuesWeb {
 public:
  // Reads the templates of `dossierModeles` (the web template folder,
  // ending in "/"); a missing head or foot template is an error naming it,
  // and `vues` stays null.
  static Statut Ouvre(const TBD& bd, const TTraduction& traduction, const TOptionsWeb& options,
                      const std::string& dossierModeles, const TDossiersImages& images,
                      std::unique_ptr<TVuesWeb>& vues);
  TVuesWeb(const TVuesWeb&) = delete;
  TVuesWeb& operator=(const TVuesWeb&) = delete;

  const TPagesWeb& Pages() const { return m_pages; }
  // Head, foot, names and card addresses for the pages of web_views.
  TGabaritPage Gabarit() const;
  // The markup of picture `fichier` (as a source stores it) written into
  // `dossier`, fitted into a square of `cote` pixels (0: its own size),
  // linked to its original size when `lienOriginal`; empty when the file
  // is not found or is no picture.
  std::string Image(const std::string& fichier, const std::string& dossier, int cote, bool lienOriginal);
  // The card of person r alone, written by the site's card writer (its
  // pictures into `dossier`), titled `mot557` + " " + name + ".".
  std::string PageFiche(int r, std::string_view mot557, const std::string& dossier);
  // The cards of `personnes`, each framed by "<p>" ... "</p>", titled
  // `titre` (tree text).
  std::string PageFichesRapport(const std::vector<int>& personnes, std::string_view titre,
                                const std::string& dossier);
  // The report grid as the site's grid page, its rows classed as the
  // report window paints them (RegleLigne by `miseEnForme`).
  std::string PageGrilleRapport(std::string_view titre, const TGrilleRapport& grille, int miseEnForme) const;
  // Writes the page, then the site's style sheet beside it.
  Statut Ecrit(const std::string& chemin, std::string_view page) const;

 private:
  TVuesWeb(const TBD& bd, const TTraduction& traduction, const TOptionsWeb& options, TModelesWeb modeles,
           const TDossiersImages& images);
  std::string Carte(int r, const std::string& dossier);

  TOptionsWeb m_options;
  TModelesWeb m_modeles;
  TPagesWeb m_pages;
  TImagesWeb m_images;
};

// TVuesWeb::Ouvre with the settings' web options (`formatDate`: the
// language's display date format), the installation's web templates and
// the picture folders of `dossiers` and of the tree file `fichierCourant`.
Statut OuvreVuesWeb(const TBD& bd, const TTraduction& traduction, const TReglages& reglages,
                    const std::string& formatDate, const TDossiers& dossiers, const std::string& fichierCourant,
                    std::unique_ptr<TVuesWeb>& vues);

}  // namespace kindrela
