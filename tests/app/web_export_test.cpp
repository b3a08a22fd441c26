#include "app/web_export.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/settings.h"
#include "app/web_pictures.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

namespace fs = std::filesystem;

// Width and height from a JPEG's first frame header.
bool TailleJpeg(const std::string& o, int& l, int& h) {
  for (size_t i = 2; i + 9 < o.size();) {
    if (static_cast<unsigned char>(o[i]) != 0xFF) return false;
    const auto m = static_cast<unsigned char>(o[i + 1]);
    const size_t n = (static_cast<unsigned char>(o[i + 2]) << 8) | static_cast<unsigned char>(o[i + 3]);
    if (m == 0xC0 || m == 0xC2) {
      h = (static_cast<unsigned char>(o[i + 5]) << 8) | static_cast<unsigned char>(o[i + 6]);
      l = (static_cast<unsigned char>(o[i + 7]) << 8) | static_cast<unsigned char>(o[i + 8]);
      return true;
    }
    i += 2 + n;
  }
  return false;
}

class ImagesWebTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dossier = fs::path(::testing::TempDir()) / "web_pictures_test";
    fs::remove_all(dossier);
    fs::create_directories(dossier);
  }
  std::string Dans(const char* nom) { return (dossier / nom).string(); }
  fs::path dossier;
};

TEST_F(ImagesWebTest, PngIsFittedIntoTheSquareThenJpegKeepsItsSize) {
  const std::string png = std::string(KINDRELA_SOURCE_DIR) + "/data/modele/2/arbre/Parchment.png";
  ASSERT_TRUE(EncodeImageJpeg(png, Dans("petit.jpg"), 64, 80).ok());
  std::string o;
  ASSERT_TRUE(LitFichier(Dans("petit.jpg"), o).ok());
  int l = 0, h = 0;
  ASSERT_TRUE(TailleJpeg(o, l, h));
  EXPECT_EQ(std::max(l, h), 64);
  // Re-encoding the JPEG at its own size, then at a larger square: never enlarged.
  ASSERT_TRUE(EncodeImageJpeg(Dans("petit.jpg"), Dans("meme.jpg"), 500, 50).ok());
  ASSERT_TRUE(LitFichier(Dans("meme.jpg"), o).ok());
  int l2 = 0, h2 = 0;
  ASSERT_TRUE(TailleJpeg(o, l2, h2));
  EXPECT_EQ(l2, l);
  EXPECT_EQ(h2, h);
}

TEST_F(ImagesWebTest, AFileThatIsNoPictureIsAnErrorAndWritesNothing) {
  ASSERT_TRUE(EcritFichierAtomique(Dans("faux.jpg"), "pas une image").ok());
  const Statut s = EncodeImageJpeg(Dans("faux.jpg"), Dans("sortie.jpg"), 100, 75);
  EXPECT_FALSE(s.ok());
  EXPECT_NE(s.message().find("faux.jpg"), std::string::npos);
  EXPECT_FALSE(FichierExiste(Dans("sortie.jpg")));
  EXPECT_FALSE(EncodeImageJpeg(Dans("absent.png"), Dans("sortie.jpg"), 100, 75).ok());
}

TEST(OptionsWebReglages, EveryOptionGoesBackToTheSettings) {
  TTraduction t;
  TReglages r;
  r.ChargeReglages(FichierIni{}, t, "");
  TOptionsWeb o = OptionsWeb(r, "m/j/a");
  EXPECT_EQ(o.modeListe, 2);
  EXPECT_EQ(o.fichesParPage, 25);
  EXPECT_EQ(o.formatDate, "m/j/a");
  o.modeListe = 3;
  o.fichesParPage = 0;
  o.formeFiche = 0;
  o.ficheCalcules = false;
  o.imageOriginale = true;
  o.imageQualite = 40;
  o.texteLibre = {"a", "b"};
  o.dyna = false;
  EcritOptionsWeb(r, o);
  const TOptionsWeb lu = OptionsWeb(r, "m/j/a");
  EXPECT_EQ(lu.modeListe, 3);
  EXPECT_TRUE(r.Bool(kSectionSauve, "HtmlListe4"));
  EXPECT_FALSE(r.Bool(kSectionSauve, "HtmlListe3"));
  EXPECT_EQ(lu.fichesParPage, 0);
  EXPECT_EQ(lu.formeFiche, 0);
  EXPECT_FALSE(lu.ficheCalcules);
  EXPECT_TRUE(lu.imageOriginale);
  EXPECT_EQ(lu.imageQualite, 40);
  EXPECT_EQ(lu.texteLibre, o.texteLibre);
  EXPECT_FALSE(lu.dyna);
}

}  // namespace
}  // namespace kindrela
