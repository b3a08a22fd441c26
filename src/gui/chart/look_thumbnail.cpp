#include "gui/chart/look_thumbnail.h"

#include <QPainter>
#include <algorithm>

#include "chart/layout.h"
#include "chart/templates.h"
#include "core/database.h"
#include "gui/chart/chart_paint.h"

namespace kindrela {

QImage VignetteLook(const TApparence& apparence, const TBD& bd, int personne,
                    const TContexteModele* modele, const TDossiersImages& dossiers,
                    TCacheArbre& cache) {
  const T1Aff& aff = apparence.Aff[0];
  const int largeur = std::clamp(aff.Large, 1, 2000);
  const int hauteur = std::clamp(
      HauteurBoite(aff, [&cache](const TLigne& l) { return HauteurLigneArbre(cache, l); }), 1, 2000);
  BoiteArbre b;
  b.moitie = 1;
  b.personne = personne;
  b.sexe = personne >= 1 && personne <= bd.NbreFiche() ? static_cast<uint8_t>(bd.LitSexe(personne)) : 0;
  std::vector<std::string> lignes;
  const int nbre = std::clamp(aff.LigneNbre, 0, kLignesMax);
  for (int i = 0; i < nbre; ++i) {
    const std::string& m = aff.Lignes[static_cast<size_t>(i)].Modele;
    lignes.push_back(modele ? ExpandTemplate(*modele, personne, m) : m);
  }
  TContextePeinture c;
  c.apparence = &apparence;
  c.bd = &bd;
  c.dossiers = dossiers;
  c.modele = modele;
  c.cache = &cache;
  QImage image(largeur, hauteur, QImage::Format_RGB32);
  image.fill(QColor(apparence.ColorEcran.r, apparence.ColorEcran.g, apparence.ColorEcran.b));
  QPainter p(&image);
  AfficheBoite(p, c, b, lignes, false, QRect(0, 0, largeur, hauteur), 100);
  return image;
}

}  // namespace kindrela
