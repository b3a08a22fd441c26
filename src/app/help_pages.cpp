#include "app/help_pages.h"

#include <string_view>

#include "core/file_io.h"

namespace kindrela {
namespace {

struct PageFenetre {
  std::string_view nom;
  const char* page;
};

// Windows and panes by object name; dialogs opened from a task belong to
// that task's page.
constexpr PageFenetre kPages[] = {
    {"fmAssistant", "demarrage.html"},
    {"fmIOCharge", "gedcom.html"},
    {"fmRemplaceGedcom", "gedcom.html"},
    {"fmGedPatro", "gedcom.html"},
    {"Arbre", "arbre.html"},
    {"Page", "arbre.html"},
    {"fmApparence", "arbre.html"},
    {"fmCellule", "arbre.html"},
    {"fmZoom", "arbre.html"},
    {"fmGeneration", "arbre.html"},
    {"fmLargeur", "arbre.html"},
    {"fmEcart", "arbre.html"},
    {"fmFiche", "fiche.html"},
    {"fmFicheEve", "fiche.html"},
    {"fmChampAjoute", "fiche.html"},
    {"fmNote", "fiche.html"},
    {"fmFicheArbre", "fiche.html"},
    {"fmAjoute", "fiche.html"},
    {"fmAjoutePers", "fiche.html"},
    {"fmSupprime", "fiche.html"},
    {"fmChoixPersonne", "fiche.html"},
    {"fmZoomPage", "impression.html"},
    {"fmImage", "export.html"},
    {"fmIOSauve", "export.html"},
    {"fmChoixExport", "export.html"},
    {"fmArchive", "export.html"},
    {"fmRapport", "rapports.html"},
    {"fmRapportCritere", "rapports.html"},
    {"fmStat", "rapports.html"},
    {"fmStatDate", "rapports.html"},
};

}  // namespace

std::string PageAide(const std::vector<std::string>& noms) {
  for (const std::string& nom : noms) {
    for (const PageFenetre& p : kPages) {
      if (p.nom == nom) return p.page;
    }
  }
  return kPageAideSommaire;
}

std::vector<std::string> PagesAide() {
  std::vector<std::string> pages{kPageAideSommaire};
  for (const PageFenetre& p : kPages) {
    bool vue = false;
    for (const std::string& q : pages) vue = vue || q == p.page;
    if (!vue) pages.push_back(p.page);
  }
  return pages;
}

std::string FichierAide(const TDossiers& dossiers, const std::string& page) {
  const std::string langue = dossiers.langue + "aide/";
  for (const std::string& chemin :
       {langue + page, dossiers.modele + "1/aide/" + page, langue + kPageAideSommaire}) {
    if (FichierExiste(chemin)) return chemin;
  }
  return "";
}

}  // namespace kindrela
