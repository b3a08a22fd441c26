// The small text helpers of the templates and the comparison that filters
// person lists on an expanded template.
#include "chart/templates.h"

#include "core/text.h"

namespace kindrela {

namespace {

// Integer values of the numeric operators: a text that is not a whole
// number takes the given stand-in.
constexpr int kPasUnNombre = -32000;
constexpr int kPasUnNombreDroite = -32001;

}  // namespace

void ReplaceFirst(std::string& ligne, std::string_view ancien, std::string_view nouveau) {
  if (ancien.empty()) return;
  size_t pos = ligne.find(ancien);
  if (pos == std::string::npos) return;
  ligne.replace(pos, ancien.size(), nouveau);
}

std::string JoinLines(std::string_view texte) {
  std::string r;
  r.reserve(texte.size());
  for (size_t i = 0; i < texte.size(); ++i) {
    if (texte[i] == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') {
      r += ' ';
      ++i;
    } else {
      r += texte[i];
    }
  }
  return r;
}

bool CompareValues(std::string_view gauche, std::string_view droite, int operateur) {
  switch (operateur) {
    case 0: return EgalSansCasse(gauche, droite);
    case 1: return !EgalSansCasse(gauche, droite);
    case 2: return MajusculesAnsi(gauche).find(MajusculesAnsi(droite)) != std::string::npos;
    case 3: return MajusculesAnsi(gauche).find(MajusculesAnsi(droite)) == std::string::npos;
    case 4:
      return gauche.size() >= droite.size() &&
             EgalSansCasse(gauche.substr(0, droite.size()), droite);
    case 5: return CompareSansCasse(gauche, droite) < 0;
    case 6: return CompareSansCasse(gauche, droite) > 0;
    case 7: return DateCompare(gauche, droite) == 0;
    case 8: return DateCompare(gauche, droite) != 0;
    case 9: return DateCompare(gauche, droite) == 2;
    case 10: return DateCompare(gauche, droite) == 1;
    case 11:
      return TexteVersEntier(gauche, kPasUnNombre) == TexteVersEntier(droite, kPasUnNombreDroite);
    case 12:
      return TexteVersEntier(gauche, kPasUnNombre) != TexteVersEntier(droite, kPasUnNombre);
    case 13:
      return TexteVersEntier(gauche, kPasUnNombre) < TexteVersEntier(droite, kPasUnNombre);
    case 14:
      return TexteVersEntier(gauche, kPasUnNombre) > TexteVersEntier(droite, kPasUnNombre);
    default: return false;
  }
}

TR FilterList(const TContexteModele& ctx, const TR& liste, std::string_view modeleChamp,
              std::string_view valeur, int operateur) {
  TR resultat(liste.Capacite());
  const bool valeurModele = !valeur.empty() && valeur[0] == '<';
  for (int x : liste) {
    bool garde = true;
    if (!valeur.empty()) {
      std::string champ = ExpandTemplate(ctx, x, modeleChamp);
      garde = valeurModele ? CompareValues(champ, ExpandTemplate(ctx, x, valeur), operateur)
                           : CompareValues(champ, valeur, operateur);
    }
    if (garde) resultat.Add(x);
  }
  return resultat;
}

}  // namespace kindrela
