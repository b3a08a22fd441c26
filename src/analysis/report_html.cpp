#include "analysis/report_html.h"

#include "core/database.h"
#include "core/file_io.h"
#include "core/letters.h"

namespace kindrela {

std::string EchappeHtml(std::string_view texte) {
  std::string r;
  r.reserve(texte.size());
  for (size_t i = 0; i < texte.size(); ++i) {
    const char c = texte[i];
    char32_t u;
    size_t longueur;
    switch (c) {
      case '&':
        // A letter held as a reference is one in HTML too ("&#38;" included).
        if (LitReference(texte, i, u, longueur)) {
          r.append(texte.substr(i, longueur));
          i += longueur - 1;
        } else {
          r += "&amp;";
        }
        break;
      case '<': r += "&lt;"; break;
      case '>': r += "&gt;"; break;
      case '"': r += "&quot;"; break;
      case '\r':
        if (i + 1 < texte.size() && texte[i + 1] == '\n') ++i;
        r += "<br>";
        break;
      case '\n': r += "<br>"; break;
      default: r += c;
    }
  }
  return r;
}

std::string PageGrilleRapport(const TGrilleRapport& g, std::string_view titre, int miseEnForme,
                              std::string_view css, const TBD* bd) {
  const std::string t = EchappeHtml(titre);
  std::string p;
  p += "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"windows-1252\">\r\n<title>" + t +
       "</title>\r\n<style>\r\n";
  p += css;
  p += "\r\n</style>\r\n</head>\r\n<body>\r\n<h1>" + t + "</h1>\r\n<table>\r\n<thead><tr>";
  for (const TColonneRapport& c : g.Colonnes()) p += "<td>" + EchappeHtml(c.titre) + "</td>";
  p += "</tr></thead>\r\n<tbody>\r\n";
  for (int l = 0; l < g.NbreLignes(); ++l) {
    const int personne = g.Personne(l);
    const int sexe = bd && personne > 0 ? bd->LitSexe(personne) : 2;
    p += "<tr class=\"" + RegleLigne(l + 1, miseEnForme, sexe).substr(1) + "\">";
    for (int c = 0; c < g.NbreColonnes(); ++c) p += "<td>" + EchappeHtml(g.Cellule(l, c)) + "</td>";
    p += "</tr>\r\n";
  }
  p += "</tbody>\r\n</table>\r\n</body>\r\n</html>\r\n";
  return p;
}

std::string ProchainFichierRapport(const std::string& dossier, std::string_view extension) {
  for (int n = 1;; ++n) {
    std::string chemin = dossier + "rapport" + std::to_string(n) + std::string(extension);
    if (!FichierExiste(chemin)) return chemin;
  }
}

}  // namespace kindrela
