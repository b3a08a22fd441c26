#include "chart/cell_editor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "chart/template_words.h"
#include "core/ansi_literal.h"
#include "core/file_io.h"

namespace kindrela {
namespace {

T1Aff LignesNumerotees(int n) {
  T1Aff aff;
  aff.LigneNbre = n;
  for (int i = 0; i < n; ++i) aff.Lignes[static_cast<size_t>(i)].Modele = std::to_string(i);
  return aff;
}

TEST(CellEditor, AddingALineToAFullBoxKeepsFiftyAndDropsTheLast) {
  T1Aff aff = LignesNumerotees(kLignesMax);
  EXPECT_EQ(AjouteLigne(aff, 3), 3);
  EXPECT_EQ(aff.LigneNbre, kLignesMax);
  EXPECT_EQ(aff.Lignes[3], TLigne::Nouvelle());
  EXPECT_EQ(aff.Lignes[4].Modele, "3");
  EXPECT_EQ(aff.Lignes[49].Modele, "48");  // line 49 is lost
}

TEST(CellEditor, AddingWithoutSelectionAppends) {
  T1Aff aff = LignesNumerotees(2);
  EXPECT_EQ(AjouteLigne(aff, -1), 2);
  EXPECT_EQ(aff.LigneNbre, 3);
  EXPECT_EQ(aff.Lignes[1].Modele, "1");
  EXPECT_EQ(aff.Lignes[2].FontNom, "TIMES NEW ROMAN");
}

TEST(CellEditor, RemovingMovesTheFollowingLinesUpAndSelectsThePrevious) {
  T1Aff aff = LignesNumerotees(3);
  EXPECT_EQ(SupprimeLigne(aff, 1), 0);
  EXPECT_EQ(aff.LigneNbre, 2);
  EXPECT_EQ(aff.Lignes[1].Modele, "2");
  T1Aff seule = LignesNumerotees(1);
  EXPECT_EQ(SupprimeLigne(seule, 0), 0);
  EXPECT_EQ(seule.LigneNbre, 1);
  EXPECT_EQ(seule.Lignes[0].Modele, "0");
}

TEST(CellEditor, MovingStopsAtBothEnds) {
  T1Aff aff = LignesNumerotees(3);
  EXPECT_EQ(MonteLigne(aff, 0), 0);
  EXPECT_EQ(DescendLigne(aff, 2), 2);
  EXPECT_EQ(DescendLigne(aff, 0), 1);
  EXPECT_EQ(aff.Lignes[1].Modele, "0");
  EXPECT_EQ(MonteLigne(aff, 1), 0);
  EXPECT_EQ(aff.Lignes[0].Modele, "0");
}

TEST(CellEditor, StyleButtonsLeaveStrikeOut) {
  TLigne l;
  l.FontStyle = kStyleBarre;
  ChangeStyleLigne(l, kStyleGras, true);
  ChangeStyleLigne(l, kStyleSouligne, true);
  ChangeStyleLigne(l, kStyleGras, false);
  EXPECT_EQ(l.FontStyle, kStyleBarre | kStyleSouligne);
}

TEST(CellEditor, ApplyingKeepsEachHalfsArrangement) {
  TApparence a;
  a.Aff[0].Style = kAscHorizontal;
  a.Aff[1].Style = kDescVertical;
  T1Aff travail = LookDeTravail(a, kPourTout);
  travail.Large = 222;
  travail.Style = kAscGroupe;
  AppCalcule(a, travail, kPourTout, Rgb(1, 2, 3));
  EXPECT_EQ(a.Aff[0].Large, 222);
  EXPECT_EQ(a.Aff[1].Large, 222);
  EXPECT_EQ(a.Aff[0].Style, kAscHorizontal);
  EXPECT_EQ(a.Aff[1].Style, kDescVertical);
  EXPECT_EQ(a.ColorEcran, Rgb(1, 2, 3));

  a.Aff[1].Large = 50;
  T1Aff desc = LookDeTravail(a, kPourDescendance);
  EXPECT_EQ(desc.Large, 50);
  desc.Large = 70;
  CopieLookDeTravail(a, desc, kPourDescendance);
  EXPECT_EQ(a.Aff[0].Large, 222);
  EXPECT_EQ(a.Aff[1].Large, 70);
}

TEST(CellEditor, EqualMarginsTakeTheValueJustChanged) {
  EXPECT_EQ(MargesSaisies({1, 2, 3, 4}, 2, true), (std::array<int, 4>{3, 3, 3, 3}));
  EXPECT_EQ(MargesSaisies({1, 2, 3, 4}, -1, true), (std::array<int, 4>{1, 1, 1, 1}));
  EXPECT_EQ(MargesSaisies({1, 2, 3, 4}, 2, false), (std::array<int, 4>{1, 2, 3, 4}));
}

TEST(CellEditor, SexPageShowsWhatTheFillNeeds) {
  struct Cas {
    int fond;
    bool cadre;
    bool couleur, image, texte, etirer, ombre;
  };
  for (const Cas& c : {Cas{kFondAucun, true, false, false, false, false, true},
                       Cas{kFondCouleur, false, true, false, false, false, false},
                       Cas{kFondTexture, true, true, true, false, true, true},
                       Cas{kFondTextureCalculee, true, false, false, true, true, true}}) {
    TLookSexe l;
    l.Fond = c.fond;
    l.Cadre = c.cadre;
    TEtatPageSexe e = EtatPageSexe(l);
    SCOPED_TRACE(c.fond);
    EXPECT_EQ(e.couleurVisible, c.couleur);
    EXPECT_EQ(e.imageVisible, c.image);
    EXPECT_EQ(e.boutonTexture, c.image);
    EXPECT_EQ(e.texteVisible, c.texte);
    EXPECT_EQ(e.etirerActif, c.etirer);
    EXPECT_EQ(e.ombreActif, c.ombre);
    EXPECT_EQ(e.arrondisActif, c.ombre);
  }
}

TEST(CellEditor, LookListIsLowerCaseAndThumbnailsAreFoundInAnyCase) {
  namespace fs = std::filesystem;
  const fs::path dossier = fs::temp_directory_path() / "kindrela_cell_editor_test";
  fs::remove_all(dossier);
  fs::create_directories(dossier);
  for (const char* nom : {"Bleu.KDA", "rouge.kda", "Bleu.PNG", "notes.txt", "kda"})
    std::ofstream(dossier / nom) << "x";
  const std::string d = dossier.string() + "/";
  EXPECT_EQ(ListeLooks(d), (std::vector<std::string>{"bleu", "rouge"}));
  EXPECT_EQ(FichierVignette(d, "bleu"), d + "Bleu.PNG");
  EXPECT_FALSE(FichierExiste(FichierVignette(d, "rouge")));  // listed by name only
  EXPECT_EQ(FichierLook(d, "bleu"), d + "Bleu.KDA");
  EXPECT_TRUE(ListeLooks(d + "absent/").empty());

  std::string nom;
  ASSERT_TRUE(CopieDansTextures(d + "Bleu.PNG", d + "sub_absent/", true, nom).ok() == false);
  fs::create_directories(dossier / "tex");
  ASSERT_TRUE(CopieDansTextures(d + "Bleu.PNG", d + "tex/", true, nom).ok());
  EXPECT_EQ(nom, "bleu.png");
  EXPECT_TRUE(FichierExiste(d + "tex/bleu.png"));
  fs::remove_all(dossier);
}

TEST(CellEditor, TheUsersLooksComeFirstAndHideTheInstallations) {
  namespace fs = std::filesystem;
  const fs::path racine = fs::temp_directory_path() / "kindrela_cell_editor_looks";
  fs::remove_all(racine);
  fs::create_directories(racine / "user");
  fs::create_directories(racine / "install");
  for (const char* nom : {"install/standard.kda", "install/standard.png", "install/bleu.kda",
                          "user/bleu.kda", "user/perso.kda", "user/perso.png"})
    std::ofstream(racine / nom) << "x";
  const std::string u = (racine / "user").string() + "/";
  const std::string i = (racine / "install").string() + "/";
  const TDossiersLooks d{u, i};
  EXPECT_EQ(ListeLooks(d), (std::vector<std::string>{"bleu", "perso", "standard"}));
  EXPECT_EQ(FichierLookExistant(d, "bleu"), u + "bleu.kda");
  EXPECT_EQ(FichierLookExistant(d, "standard"), i + "standard.kda");
  EXPECT_EQ(FichierLookExistant(d, "absent"), "");
  EXPECT_EQ(VignetteExistante(d, "perso"), u + "perso.png");
  EXPECT_EQ(VignetteExistante(d, "standard"), i + "standard.png");
  EXPECT_EQ(VignetteExistante(d, "bleu"), "");  // the user's look has none of its own yet
  EXPECT_EQ(ListeLooks(TDossiersLooks{"", i}), (std::vector<std::string>{"bleu", "standard"}));
  fs::remove_all(racine);
}

TEST(CellEditor, LookNames) {
  for (const char* bon : {"perso", "Mon modèle"}) EXPECT_TRUE(NomLookValide(bon)) << bon;
  for (const char* mauvais : {"", "  ", "..", "a/b", "a\\b"}) EXPECT_FALSE(NomLookValide(mauvais)) << mauvais;
}

TEST(TagEditor, BuildsTagsFromTheChoices) {
  TMotsBalises mots;
  mots.DefinitMot(kMotRetourPersonne, "<individu>");
  mots.DefinitMot(kMotOuvertureEvenement, "<eve:");
  mots.DefinitMot(kMotOuvertureChamp, "<chp:");
  mots.DefinitMot(kMotAge, "<âge>"_ansi);
  mots.DefinitMot(kMotChampLieu, "lieu");
  struct Cas {
    const char* nom;
    TChoixBalise choix;
    const char* texte;
    std::string attendu;
  };
  const Cas cas[] = {
      {"surname", {QuiBalise::Individu, 0, ChampBalise::Nom}, "", "<nom>"},
      {"father", {QuiBalise::Pere, 0, ChampBalise::Prenoms}, "", "<père><prénoms>"_ansi},
      {"second spouse", {QuiBalise::Conjoint, 2, ChampBalise::Age}, "", "<conjoint 2><âge>"_ansi},
      {"back to the person", {QuiBalise::Individu, 0, ChampBalise::Nom}, "<mère><nom> "_ansi,
       "<individu><nom>"},
      {"union event", {QuiBalise::Union, 0, ChampBalise::Evenement, "Mariage", kMotChampLieu}, "",
       "<union 0><eve:Mariage,lieu>"},
      {"custom field", {QuiBalise::Individu, 0, ChampBalise::ChampPerso, "Signature"}, "",
       "<chp:Signature>"},
      {"custom field without name", {QuiBalise::Individu, 0, ChampBalise::ChampPerso}, "", ""},
      {"event without kind", {QuiBalise::Individu, 0, ChampBalise::Evenement}, "", ""},
  };
  for (const Cas& c : cas) EXPECT_EQ(ConstruitBalise(mots, c.choix, c.texte), c.attendu) << c.nom;
  EXPECT_EQ(MotsEvenement(mots).front(), kMotChampDate);
}

}  // namespace
}  // namespace kindrela
