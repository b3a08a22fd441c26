// Damaged look files: reading never fails, the records stay usable, and
// what was read is written and read back unchanged.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "chart/looks.h"
#include "core/ansi_literal.h"

namespace kindrela {
namespace {

std::string LookEcrit() {
  TApparence a;
  a.TextEcran = "papier.png";
  for (T1Aff& x : a.Aff) {
    x.LigneNbre = 4;
    x.Lignes[1] =
        TLigne{"<eve:Naissance,date>", "Arial", Rgb(1, 2, 3), 9, kStyleItalique, kAlignCentre};
    x.H.Texture = "marbre.png";
    x.F.Fond = kFondTexture;
  }
  return TexteLook(a, {});
}

void VerifieUtilisable(const TApparence& a) {
  for (const T1Aff& x : a.Aff) {
    ASSERT_GE(x.LigneNbre, 0);
    ASSERT_LE(x.LigneNbre, kLignesMax);
    ASSERT_GE(x.Zoom, 1);
    ASSERT_LE(x.Zoom, 1000);
  }
}

void VerifieStable(const TApparence& lu) {
  TApparence relu;
  LitTexteLook(TexteLook(lu, {}), {}, relu);
  for (int m = 0; m < 2; ++m) ASSERT_EQ(relu.Aff[m], lu.Aff[m]) << TexteLook(lu, {});
  ASSERT_EQ(relu.ColorEcran, lu.ColorEcran);
}

TEST(LooksFuzz, OctetsChangesCoupesEtInseres) {
  const std::string sain = LookEcrit();
  const std::string bruit = "=[]\r\n;0123456789 -$xBIUS<>é"_ansi;
  std::mt19937 hasard(20261208);
  for (int essai = 0; essai < 1500; ++essai) {
    std::string texte = sain;
    const int changes = 1 + static_cast<int>(hasard() % 12);
    for (int i = 0; i < changes && !texte.empty(); ++i) {
      const size_t pos = hasard() % texte.size();
      switch (hasard() % 4) {
        case 0: texte[pos] = bruit[hasard() % bruit.size()]; break;
        case 1: texte.erase(pos, 1 + hasard() % 20); break;
        case 2: texte.insert(pos, 1, bruit[hasard() % bruit.size()]); break;
        case 3: texte.resize(pos); break;
      }
    }
    SCOPED_TRACE(texte);
    TApparence a;
    LitTexteLook(texte, {}, a);
    VerifieUtilisable(a);
    VerifieStable(a);
  }
}

TEST(LooksFuzz, OctetsAuHasard) {
  std::mt19937 hasard(7);
  for (int essai = 0; essai < 500; ++essai) {
    std::string texte(hasard() % 400, '\0');
    for (char& c : texte) c = static_cast<char>(hasard() % 256);
    if (essai % 2)
      texte = "[Look 1]\nLigneNbre=" + std::to_string(static_cast<int>(hasard())) + "\n" + texte;
    TApparence a;
    LitTexteLook(texte, {}, a);
    VerifieUtilisable(a);
    VerifieStable(a);
  }
}

}  // namespace
}  // namespace kindrela
