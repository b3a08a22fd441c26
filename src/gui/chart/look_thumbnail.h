// A look's thumbnail: one box of half 1 painted by the chart's own box
// painting, for the look list of the cell editor and the ".png" saved
// beside each look file.
#pragma once

#include <QImage>
#include <string>

#include "chart/looks.h"

namespace kindrela {

class TBD;
class TCacheArbre;
struct TContexteModele;

// The box of half 1 of `apparence` for `personne`, at zoom 100, on the
// screen colour. Its lines show the raw templates when `modele` is null,
// else their expansion for the person. A person out of range paints a
// man's box. Never null: at least 1 x 1 pixel.
QImage VignetteLook(const TApparence& apparence, const TBD& bd, int personne,
                    const TContexteModele* modele, const TDossiersImages& dossiers,
                    TCacheArbre& cache);

}  // namespace kindrela
