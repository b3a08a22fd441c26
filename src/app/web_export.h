// The web site export as the window and the command line run it: options
// from the settings, templates from the installation, pictures through the
// JPEG encoder.
#pragma once

#include <string>
#include <vector>

#include "analysis/web_page.h"
#include "chart/looks.h"
#include "core/status.h"

namespace kindrela {

class TBD;
class TReglages;
class TTraduction;
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

}  // namespace kindrela
