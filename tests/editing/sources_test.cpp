#include "editing/sources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/database.h"

namespace kindrela {
namespace {

TEST(SourceMedia, ReadsLegendsAndKeepsANoteAsItStands) {
  struct Cas {
    const char* nom;
    const char* media;
    TMediaSource attendu;
    const char* reecrit;  // EcritMedia of the reading
  };
  const Cas cas[] = {
      {"file only", "photo.jpg", {"photo.jpg", {}, ""}, "photo.jpg"},
      {"one legend", "photo.jpg|120|45|Jean", {"photo.jpg", {{120, 45, "Jean"}}, ""},
       "photo.jpg|120|45|Jean"},
      {"two legends", "a.jpg|1|2|x|-3|4|", {"a.jpg", {{1, 2, "x"}, {-3, 4, ""}}, ""}, "a.jpg|1|2|x|-3|4|"},
      {"GEDCOM note", "scan.tif|Acte de naissance, registre 3",
       {"scan.tif", {}, "Acte de naissance, registre 3"}, "scan.tif|Acte de naissance, registre 3"},
      {"note with bars", "x.jpg|a|b|c", {"x.jpg", {}, "a|b|c"}, "x.jpg|a|b|c"},
      {"two fields", "x.jpg|12|13", {"x.jpg", {}, "12|13"}, "x.jpg|12|13"},
      {"empty rest", "x.jpg|", {"x.jpg", {}, ""}, "x.jpg"},
      {"no file", "|5|6|t", {"", {{5, 6, "t"}}, ""}, "|5|6|t"},
  };
  for (const Cas& c : cas) {
    const TMediaSource m = LitMedia(c.media);
    EXPECT_EQ(m, c.attendu) << c.nom;
    EXPECT_EQ(EcritMedia(m), c.reecrit) << c.nom;
  }
}

TEST(SourceMedia, KeepsAtMostAThousandLegends) {
  std::string media = "p.jpg";
  for (int i = 0; i < 1200; ++i) media += "|" + std::to_string(i) + "|0|z";
  EXPECT_EQ(LitMedia(media).legendes.size(), static_cast<size_t>(kLegendesMax));
  TMediaSource m{"p.jpg", {{1, 1, "a|b"}}, ""};
  EXPECT_EQ(LitMedia(EcritMedia(m)).legendes[0].texte, "a/b");
}

TEST(SourceMedia, KindsOfFiles) {
  struct Cas {
    const char* nom;
    const char* sorte;
    GenreMedia genre;
    bool photo;
  };
  for (const Cas& c : {Cas{"photo.jpeg", "JPE", GenreMedia::Image, true},
                       Cas{"C:\\Mes images\\X.Jpg", "JPG", GenreMedia::Image, true},
                       Cas{"anim.gif", "GIF", GenreMedia::Image, false},
                       Cas{"voix.wav", "WAV", GenreMedia::Lecteur, false},
                       Cas{"film.avi", "AVI", GenreMedia::Lecteur, false},
                       Cas{"acte.pdf", "PDF", GenreMedia::Autre, false},
                       Cas{"dossier.v2/sans", "", GenreMedia::Autre, false},
                       Cas{"", "", GenreMedia::Aucun, false}}) {
    EXPECT_EQ(SorteFichier(c.nom), c.sorte) << c.nom;
    EXPECT_EQ(GenreDe(c.nom), c.genre) << c.nom;
    EXPECT_EQ(PeutEtrePhotoArbre(c.nom), c.photo) << c.nom;
  }
}

TEST(SourceMedia, PictureZoom) {
  EXPECT_EQ(ZoomInitial(1000), -469);
  EXPECT_EQ(ZoomLongueur(1000, -469), 213);
  EXPECT_EQ(ZoomInitial(213), 100);
  // Left clicks from a 1000-pixel picture: -300, -200, then 100.
  EXPECT_EQ(ZoomPlus(-469), -300);
  EXPECT_EQ(ZoomPlus(-300), -200);
  EXPECT_EQ(ZoomPlus(-200), 100);
  EXPECT_EQ(ZoomPlus(1600), 1600);
  EXPECT_EQ(ZoomMoins(100), -200);
  EXPECT_EQ(ZoomMoins(250), 100);
  EXPECT_EQ(ZoomMoins(-1600), -1600);
  EXPECT_EQ(ZoomLongueur(50, 200), 100);
  EXPECT_EQ(ZoomInverse(100, 200), 50);
  EXPECT_EQ(ZoomInverse(213, -469), 998);
  EXPECT_EQ(ZoomLongueur(7, 1), 7);
}

class ResolutionMedia : public ::testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    m_racine = fs::temp_directory_path() / ("kindrela_media_" + std::to_string(::getpid()));
    fs::remove_all(m_racine);
    for (const char* d : {"arbres", "prog/modele", "ailleurs"}) fs::create_directories(m_racine / d);
    d.fichierArbre = (m_racine / "arbres/famille.kdg").string();
    d.modele = (m_racine / "prog/modele").string() + "/";
    d.programme = (m_racine / "prog").string() + "/";
  }
  void TearDown() override { std::filesystem::remove_all(m_racine); }
  std::string Cree(const std::string& relatif) {
    const std::string chemin = (m_racine / relatif).string();
    std::ofstream(chemin) << "x";
    return chemin;
  }
  std::filesystem::path m_racine;
  TDossiersMedia d;
};

TEST_F(ResolutionMedia, FindsFilesWhereTheyMayHaveMoved) {
  const std::string arbre = Cree("arbres/photo.jpg");
  EXPECT_EQ(ResoutMedia("photo.jpg", d), arbre);
  EXPECT_EQ(ResoutMedia("C:\\Anciennes\\photo.jpg", d), arbre);
  EXPECT_EQ(ResoutMedia("photo.bmp", d), arbre);  // same name with ".jpg"
  const std::string ailleurs = Cree("ailleurs/son.wav");
  EXPECT_EQ(ResoutMedia(ailleurs, d), ailleurs);
  const std::string modele = Cree("prog/modele/logo.png");
  EXPECT_EQ(ResoutMedia("/perdu/logo.png", d), modele);
  const std::string prog = Cree("prog/aide.txt");
  EXPECT_EQ(ResoutMedia("aide.txt", d), prog);
  EXPECT_EQ(ResoutMedia("Photo.JPG", d), "");  // case counts on this file system
  EXPECT_EQ(ResoutMedia("absent.gif", d), "");
  EXPECT_EQ(ResoutMedia("", d), "");
  EXPECT_EQ(NomMediaStocke(m_racine.string() + "/ARBRES/x.jpg", d.fichierArbre), "x.jpg");
  EXPECT_EQ(NomMediaStocke(ailleurs, d.fichierArbre), ailleurs);
}

TEST(SourceLists, CitationsKindsAndDeletion) {
  TBD bd;
  const int a = bd.NouvelleFiche(), b = bd.NouvelleFiche(), c = bd.NouvelleFiche();
  const int s1 = bd.AjouteNouvelleSrc(a);
  bd.EcritChampSrc(s1, 3, "Acte");
  bd.AjouteSrc(b, s1);
  bd.FicheBrute(b).TabSrc += std::string("\0\0\0\0", 4);  // a damaged entry counts for nothing
  const int s2 = bd.NouvelleSrc();
  bd.EcritChampSrc(s2, 3, "Photo");
  bd.AjouteSrc(c, s2);
  AjouteEntree(bd.FicheBrute(c).TabSrc, s2);  // listed twice
  EXPECT_EQ(PersonnesDeSource(bd, s1), (std::vector<int>{a, b}));
  const std::vector<int> n = CitationsParSource(bd);
  EXPECT_EQ(n[static_cast<size_t>(s1)], 2);
  EXPECT_EQ(n[static_cast<size_t>(s2)], 1);
  EXPECT_EQ(SourcesEnUsage(bd, "Photo"), (std::vector<int>{s2}));
  EXPECT_EQ(SourcesEnUsage(bd, ""), (std::vector<int>{s1, s2}));

  // Removing one person's link keeps the source for the others.
  bd.RetireSrc(a, s1);
  EXPECT_EQ(PersonnesDeSource(bd, s1), (std::vector<int>{b}));
  EXPECT_EQ(SourcesEnUsage(bd, "Acte"), (std::vector<int>{s1}));

  SupprimeSource(bd, s2);
  EXPECT_FALSE(bd.SrcUtilisee(s2));
  EXPECT_EQ(bd.NbreSrcFiche(c), 0);
  EXPECT_EQ(SortesDeSource({{"titre"}, {"Acte"}, {""}, {"Photo de l'arbre"}}),
            (std::vector<std::string>{"Acte", "Photo de l'arbre"}));
}

TEST(SourceLists, MemoText) {
  EXPECT_EQ(TexteMemo("a\nb\r\nc  \n\n"), "a\r\nb\r\nc");
  EXPECT_EQ(TexteMemo("x\ry"), "x\r\ny");
  EXPECT_EQ(TexteMemo(""), "");
}

}  // namespace
}  // namespace kindrela
