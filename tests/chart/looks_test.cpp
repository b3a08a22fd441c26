#include "chart/looks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/ansi_literal.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

namespace fs = std::filesystem;
const std::string kSource = KINDRELA_SOURCE_DIR;

// A fresh folder tree: modele/, modele/0/ImageArbre/, programme/, arbres/.
class Dossiers : public ::testing::Test {
 protected:
  Dossiers() {
    m_racine =
        fs::temp_directory_path() /
        ("kindrela_looks_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(m_racine);
    d.programme = Cree("programme/");
    d.modele = Cree("programme/modele/");
    d.imageArbre = Cree("programme/modele/0/ImageArbre/");
    d.fichierArbre = Cree("arbres/") + "famille.kdg";
  }
  ~Dossiers() override { fs::remove_all(m_racine); }

  std::string Cree(const std::string& relatif) {
    fs::create_directories(m_racine / relatif);
    return (m_racine / relatif).string();
  }
  std::string Fichier(const std::string& dossier, const std::string& nom,
                      const std::string& contenu = "x") {
    const std::string chemin = dossier + nom;
    EXPECT_TRUE(EcritFichierAtomique(chemin, contenu).ok());
    return chemin;
  }

  fs::path m_racine;
  TDossiersImages d;
};

// --- colour and style texts ---------------------------------------------

struct CasCouleur {
  const char* nom;
  const char* texte;
  TCouleur attendu;
};
class Couleur : public ::testing::TestWithParam<CasCouleur> {};

TEST_P(Couleur, SeLit) {
  EXPECT_EQ(TexteVersCouleur(GetParam().texte), GetParam().attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Textes, Couleur,
    ::testing::Values(CasCouleur{"Ordinaire", "128255255", Rgb(128, 255, 255)},
                      CasCouleur{"Noir", "000000000", Rgb(0, 0, 0)},
                      CasCouleur{"PremierGroupeLettres", "abc000000", Rgb(255, 0, 0)},
                      CasCouleur{"GroupeDuMilieuAvecBlanc", "010 20030", Rgb(10, 255, 30)},
                      CasCouleur{"Court", "001002", Rgb(1, 2, 255)},
                      CasCouleur{"Vide", "", Rgb(255, 255, 255)},
                      CasCouleur{"AuDelaDe255", "999300256", Rgb(255, 255, 255)},
                      CasCouleur{"Signe", "-10000000", Rgb(255, 0, 0)}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(CouleurTexte, NeufChiffresAvecZeros) {
  EXPECT_EQ(CouleurVersTexte(Rgb(7, 80, 255)), "007080255");
  EXPECT_EQ(CouleurVersTexte(Rgb(0, 0, 0)), "000000000");
}

struct CasStyle {
  const char* nom;
  const char* texte;
  std::uint8_t attendu;
};
class Style : public ::testing::TestWithParam<CasStyle> {};

TEST_P(Style, SeLit) {
  EXPECT_EQ(TexteVersStyle(GetParam().texte), GetParam().attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Textes, Style,
    ::testing::Values(CasStyle{"Gras", "B   ", kStyleGras},
                      CasStyle{"ItaliqueEnPremierNeComptePas", "I   ", 0},
                      CasStyle{"Italique", " I  ", kStyleItalique}, CasStyle{"Tout", "BIUS", 15},
                      CasStyle{"Barre", "   S", kStyleBarre},
                      CasStyle{"Minuscules", "b u", kStyleGras | kStyleSouligne},
                      CasStyle{"LettresDeplacees", "SUIB", 0}, CasStyle{"Vide", "", 0}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(StyleTexte, QuatreCaracteresQuiSeRelisent) {
  for (int s = 0; s < 16; ++s) {
    const std::string t = StyleVersTexte(static_cast<std::uint8_t>(s));
    EXPECT_EQ(t.size(), 4u);
    EXPECT_EQ(TexteVersStyle(t), s) << t;
  }
}

// --- the look file --------------------------------------------------------

// Every field away from its default.
TApparence ApparenceComplete(const TDossiersImages& d, const std::string& lienArbre) {
  TApparence a;
  a.ColorEcran = Rgb(1, 2, 3);
  a.TextEcran = "fond.png";
  for (int m = 0; m < 2; ++m) {
    T1Aff& x = a.Aff[m];
    x.Relier = static_cast<std::uint8_t>(3 - m);
    x.RelierColor = Rgb(10 + m, 20, 30);
    for (int n = 1; n <= 9; ++n) x.RelierTexture[n] = "";
    x.RelierTexture[1] = d.modele + "lien1.png";  // saved short, found again in the model folder
    x.RelierTexture[2] = lienArbre;               // outside every known folder: kept whole
    x.RelierLarge = 4 + m;
    x.NbreGen = 7 + m;
    x.EcartHorz = 77 + m;
    x.EcartVert = 33 + m;
    x.Large = 222 + m;
    x.Zoom = 80 + m;
    x.Style = static_cast<std::uint8_t>(4 + m);
    x.LigneNbre = 3;
    x.Lignes[0] = TLigne{"<nom>", "Arial", Rgb(5, 6, 7), 14, kStyleItalique, kAlignCentre};
    x.Lignes[1] = TLigne{"<eve:Naissance,date> =x", "Times",     Rgb(0, 0, 9), 9,
                         kStyleBarre | kStyleGras,  kAlignDroite};
    x.Lignes[2] = TLigne{"", "Courier New", Rgb(255, 0, 0), 8, kStyleSouligne, kAlignGauche};
    x.H = TLookSexe{Rgb(1, 1, 1), "homme.png", true, true, true, false, kFondTexture};
    x.F = TLookSexe{Rgb(2, 2, 2), "<sexe>.png", true, true, false, false, kFondTextureCalculee};
    x.MargeHaut = 11;
    x.MargeBas = 12;
    x.MargeDroite = 13;
    x.MargeGauche = 14 + m;
  }
  return a;
}

using Look = Dossiers;

TEST_F(Look, AllerRetourDeChaqueCle) {
  Fichier(d.imageArbre, "fond.png");
  Fichier(d.modele, "lien1.png");
  const std::string ailleurs = Cree("ailleurs/") + "corde.png";
  Fichier(Cree("ailleurs/"), "corde.png");
  const TApparence ecrite = ApparenceComplete(d, ailleurs);
  const std::string chemin = Cree("looks/") + "Essai.kda";
  ASSERT_TRUE(SaveLook(chemin, ecrite, d).ok());

  TApparence lue;
  ASSERT_TRUE(LoadLook(chemin, d, lue));
  EXPECT_EQ(lue.Nom, "Essai");
  EXPECT_EQ(lue.ColorEcran, ecrite.ColorEcran);
  EXPECT_EQ(lue.TextEcran, "fond.png");
  for (int m = 0; m < 2; ++m) {
    SCOPED_TRACE(m);
    EXPECT_EQ(lue.Aff[m], ecrite.Aff[m]);
  }

  // The stored form: short names in known folders, the horizontal gap
  // under its historical key, styles as four letters.
  FichierIni ini(chemin);
  EXPECT_EQ(ini.LitTexte("KindRela", "Version"), "30");
  EXPECT_EQ(ini.LitTexte("Aff 1", "RelierTexture 1"), "lien1.png");
  EXPECT_EQ(ini.LitTexte("Aff 1", "RelierTexture 2"), ailleurs);
  EXPECT_EQ(ini.LitTexte("Aff 2", "EcatHorz"), "78");
  EXPECT_FALSE(ini.CleExiste("Aff 2", "EcartHorz"));
  EXPECT_EQ(ini.LitTexte("Look 1", "HStretch"), "1");
  EXPECT_EQ(ini.LitTexte("Look 1", "HCadre"), "0");
  EXPECT_EQ(ini.LitTexte("Ligne 2", "FS1"), "B  S");
  EXPECT_FALSE(ini.CleExiste("Ligne 1", "LC3"));
}

TEST_F(Look, FichierAbsentDonneLesDefauts) {
  TApparence a;
  a.Nom = "ancien";
  a.Aff[0].Large = 5;
  EXPECT_FALSE(LoadLook(d.modele + "absent.kda", d, a));
  EXPECT_EQ(a.Nom, "kindrela");
  EXPECT_EQ(a.ColorEcran, Rgb(255, 255, 255));
  for (const T1Aff& x : a.Aff) {
    EXPECT_EQ(x, T1Aff{});
    EXPECT_EQ(x.RelierTexture[1], "Lien1");
  }
}

// A look file with nothing in it: every key takes its default; the link
// textures are searched for and, found nowhere, become empty.
TEST_F(Look, ClesAbsentesPrennentLeurDefaut) {
  const std::string chemin = Fichier(d.modele, "Vide.kda", "[KindRela]\r\n");
  TApparence a;
  ASSERT_TRUE(LoadLook(chemin, d, a));
  EXPECT_EQ(a.Nom, "Vide");
  for (const T1Aff& x : a.Aff) {
    EXPECT_EQ(x.Relier, kRelierBrise);
    EXPECT_EQ(x.RelierColor, Rgb(0, 0, 0));
    EXPECT_EQ(x.RelierTexture[5], "");
    EXPECT_EQ(x.RelierLarge, 1);
    EXPECT_EQ(x.NbreGen, 3);
    EXPECT_EQ(x.EcartHorz, 50);
    EXPECT_EQ(x.EcartVert, 50);
    EXPECT_EQ(x.Large, 100);
    EXPECT_EQ(x.Zoom, 100);
    EXPECT_EQ(x.Style, 2);
    EXPECT_EQ(x.LigneNbre, 1);
    EXPECT_EQ(x.Lignes[0], TLigne{});
    EXPECT_EQ(x.Lignes[0].Modele, "<nom> <prénom>"_ansi);
    EXPECT_EQ(x.Lignes[0].FontNom, "MS Sans Serif");
    EXPECT_EQ(x.Lignes[0].FontHauteur, 12);
    EXPECT_EQ(x.H, (TLookSexe{Rgb(128, 255, 255), "", false, false, false, true, 0}));
    EXPECT_EQ(x.F, (TLookSexe{Rgb(255, 255, 128), "", false, false, true, true, 0}));
    EXPECT_EQ(x.MargeHaut + x.MargeBas + x.MargeDroite + x.MargeGauche, 0);
  }
}

TEST_F(Look, LectureDesClesEcritesAlaMain) {
  const std::string chemin =
      Fichier(d.modele, "Main.kda",
              "[kindrela]\nColorEcran=abc000000\nTextEcran=absent.png\n"
              "[aff 1]\nEcartHorz=10\nEcatHorz=120\nZoom=0\nRelierTexture 3=C:\\Images\\lien3.png\n"
              "[Aff 2]\nEcartHorz=10\nZoom=5000\n"
              "[Look 1]\nLigneNbre=2\nHTexture=  marbre.png  \nFArrondis=0\nHCadre=oui\n"
              "[Ligne 1]\nLC0=<nom>\nFS0= I  \nFS1=I\nFH1=x\n"
              "[Look 2]\nLigneNbre=1000\n");
  Fichier(d.modele, "lien3.png");
  TApparence a;
  ASSERT_TRUE(LoadLook(chemin, d, a));
  EXPECT_EQ(a.ColorEcran, Rgb(255, 0, 0));
  EXPECT_EQ(a.TextEcran, "");  // not in the texture folder
  EXPECT_EQ(a.Aff[0].EcartHorz, 120);
  EXPECT_EQ(a.Aff[1].EcartHorz, 50);  // only "EcatHorz" holds the gap
  EXPECT_EQ(a.Aff[0].Zoom, 1);
  EXPECT_EQ(a.Aff[1].Zoom, 1000);
  EXPECT_EQ(a.Aff[0].RelierTexture[3], d.modele + "lien3.png");
  EXPECT_EQ(a.Aff[0].H.Texture, "marbre.png");  // box textures kept as written
  EXPECT_FALSE(a.Aff[0].F.Arrondis);
  EXPECT_TRUE(a.Aff[0].H.Cadre);
  EXPECT_EQ(a.Aff[0].Lignes[0].FontStyle, kStyleItalique);
  EXPECT_EQ(a.Aff[0].Lignes[1].FontStyle, 0);
  EXPECT_EQ(a.Aff[0].Lignes[1].FontHauteur, 12);
  EXPECT_EQ(a.Aff[1].LigneNbre, kLignesMax);
}

TEST_F(Look, NouvelArbrePrendPersoQuandIlExiste) {
  const std::string defaut = d.modele + "Standard.kda";
  EXPECT_EQ(LookNouvelArbre(d.modele, defaut), defaut);
  ASSERT_TRUE(SaveLook(d.modele + "perso.kda", TApparence{}, d).ok());
  EXPECT_EQ(LookNouvelArbre(d.modele, defaut), d.modele + "perso.kda");
}

TEST_F(Look, ErreurDEcritureNommeLeFichier) {
  const std::string chemin = d.modele + "pas/de/dossier/X.kda";
  Statut s = SaveLook(chemin, TApparence{}, d);
  EXPECT_FALSE(s.ok());
  EXPECT_NE(s.message().find("X.kda"), std::string::npos) << s.message();
}

// --- picture search ------------------------------------------------------

using Image = Dossiers;

TEST_F(Image, OrdreDeRecherche) {
  const std::string arbre = DossierDe(d.fichierArbre);
  EXPECT_EQ(ResolvePicture("", d), "");
  EXPECT_EQ(ResolvePicture("nulle_part.png", d), "");

  const std::string complet = Fichier(arbre, "a.png");
  EXPECT_EQ(ResolvePicture(complet, d), complet);  // exists as named

  // The same file name in every folder: the model folder comes first, then
  // the texture folder, the tree's folder, its ".jpg" twin, the program's.
  for (const std::string& dossier : {d.programme, arbre, d.imageArbre, d.modele})
    Fichier(dossier, "b.png");
  EXPECT_EQ(ResolvePicture("/ancien/chemin/b.png", d), d.modele + "b.png");
  fs::remove(d.modele + "b.png");
  EXPECT_EQ(ResolvePicture("C:\\ancien\\b.png", d), d.imageArbre + "b.png");
  fs::remove(d.imageArbre + "b.png");
  EXPECT_EQ(ResolvePicture("b.png", d), arbre + "b.png");
  fs::remove(arbre + "b.png");
  Fichier(arbre, "b.jpg");
  EXPECT_EQ(ResolvePicture("b.png", d), arbre + "b.jpg");
  fs::remove(arbre + "b.jpg");
  EXPECT_EQ(ResolvePicture("b.png", d), d.programme + "b.png");

  TDossiersImages sansArbre = d;
  sansArbre.fichierArbre.clear();
  Fichier(arbre, "c.png");
  EXPECT_EQ(ResolvePicture("c.png", sansArbre), "");
}

TEST_F(Image, FormeCourte) {
  EXPECT_EQ(ShortenPicture(d.modele + "x.png", d), "x.png");
  EXPECT_EQ(ShortenPicture(d.imageArbre + "x.png", d), "x.png");
  EXPECT_EQ(ShortenPicture(d.programme + "x.png", d), "x.png");
  // Case does not count in the folder comparison.
  std::string majuscules = d.modele;
  for (char& c : majuscules) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(ShortenPicture(majuscules + "x.png", d), "x.png");
  // A sub-folder of a known folder is another folder.
  EXPECT_EQ(ShortenPicture(d.modele + "sous/x.png", d), d.modele + "sous/x.png");
  EXPECT_EQ(ShortenPicture("/autre/x.png", d), "/autre/x.png");
  EXPECT_EQ(ShortenPicture("x.png", d), "x.png");
  EXPECT_EQ(ShortenPicture("", d), "");
}

// --- the looks shipped with the program ----------------------------------

// Every tag of a template is a tag word of the interface language, and an
// event tag names an event of that language and one of its field words.
::testing::AssertionResult TagsConnus(const TTraduction& trad, const std::string& modele) {
  size_t debut = 0;
  while ((debut = modele.find('<', debut)) != std::string::npos) {
    const size_t fin = modele.find('>', debut);
    if (fin == std::string::npos)
      return ::testing::AssertionFailure() << "unclosed tag in " << modele;
    const std::string tag = modele.substr(debut, fin - debut + 1);
    debut = fin + 1;
    bool connu = false;
    for (int m = 2023; m <= 2089 && !connu; ++m) connu = trad.Msg(m) == tag;
    if (!connu && tag.rfind(trad.Msg(2064), 0) == 0) {
      const size_t virgule = tag.find(',');
      const std::string eve = tag.substr(trad.Msg(2064).size(), virgule - trad.Msg(2064).size());
      const std::string champ =
          virgule == std::string::npos ? "" : tag.substr(virgule + 1, tag.size() - virgule - 2);
      bool eveConnu = false, champConnu = false;
      for (int m = 200; m <= 206; ++m) eveConnu = eveConnu || trad.Msg(m) == eve;
      for (int m = 2002; m <= 2017; ++m) champConnu = champConnu || trad.Msg(m) == champ;
      connu = eveConnu && champConnu;
    }
    if (!connu) return ::testing::AssertionFailure() << "unknown tag " << tag << " in " << modele;
  }
  return ::testing::AssertionSuccess();
}

struct CasLangue {
  int langue;
  const char* defaut;  // message 2206 + ".kda"
};
class Livre : public ::testing::TestWithParam<CasLangue> {};

TEST_P(Livre, ChaqueModeleSeLitEtNommeDesTexturesExistantes) {
  const int langue = GetParam().langue;
  TDossiersImages d;
  d.programme = kSource + "/data/";
  d.modele = d.programme + "modele/";
  d.imageArbre = d.modele + "0/ImageArbre/";
  const std::string dossier = d.modele + std::to_string(langue) + "/arbre/";
  ASSERT_TRUE(FichierExiste(dossier + GetParam().defaut));

  TTraduction trad;
  ASSERT_TRUE(trad.ChargeTraduction(kSource + "/data/modele/famora.tra"));
  trad.Langue = langue;
  int nombre = 0;
  for (const auto& entree : fs::directory_iterator(dossier)) {
    if (entree.path().extension() != ".kda") continue;
    ++nombre;
    SCOPED_TRACE(entree.path().string());
    TApparence a;
    ASSERT_TRUE(LoadLook(entree.path().string(), d, a));
    FichierIni ini(entree.path().string());
    EXPECT_EQ(a.TextEcran, ini.LitTexte("KindRela", "TextEcran"));  // not cleared: it exists
    for (const T1Aff& x : a.Aff) {
      EXPECT_GE(x.LigneNbre, 1);
      EXPECT_LT(x.MargeHaut + x.MargeBas, 100);
      EXPECT_GE(x.Large, 1);
      for (const TLookSexe* s : {&x.H, &x.F}) {
        if (s->Fond == kFondTexture)
          EXPECT_TRUE(FichierExiste(d.imageArbre + s->Texture)) << s->Texture;
      }
      for (int n = 0; n < x.LigneNbre; ++n) EXPECT_TRUE(TagsConnus(trad, x.Lignes[n].Modele));
    }
  }
  EXPECT_GE(nombre, 5);
}

INSTANTIATE_TEST_SUITE_P(
    Langues, Livre, ::testing::Values(CasLangue{1, "Standard.kda"}, CasLangue{2, "Default.kda"}),
    [](const auto& info) { return "Langue" + std::to_string(info.param.langue); });

}  // namespace
}  // namespace kindrela
