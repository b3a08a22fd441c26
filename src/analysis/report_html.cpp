#include "analysis/report_html.h"

#include "analysis/web_views.h"
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

std::string ProchainFichierRapport(const std::string& dossier, std::string_view extension) {
  return ProchainFichierLibre(dossier, "rapport", extension);
}

}  // namespace kindrela
