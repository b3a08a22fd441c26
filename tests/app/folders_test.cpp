#include "app/folders.h"

#include <atomic>
#include <filesystem>

#include "core/ansi_literal.h"
#include "core/file_io.h"
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

namespace kindrela {
namespace {

namespace fs = std::filesystem;

// Message 2206, the default look's name, with an accented letter so that the
// file names go through as Windows-1252 bytes.
constexpr const char* kDefaut = "Défaut"_ansi;

constexpr const char* kTraductionComplete =
    "2206;Défaut;Default\r\n"
    "folder_param_user;Paramètres;Settings\r\n"
    "folder_ma_famora;Mes généalogies;My trees\r\n"
    "folder_export_html;Export Internet;Web export\r\n"_ansi;

// A temporary installation: the program folder with "modele" and "skins".
class Installation : public testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> compteur{0};
    m_racine = fs::temp_directory_path() /
               ("kindrela_folders_" + std::to_string(::getpid()) + "_" +
                std::to_string(compteur++));
    fs::create_directories(m_racine);
    m_programme = m_racine.string() + "/prog/";
    fs::create_directories(m_programme);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(m_racine, ec);
  }

  // Helper verbs over paths relative to the program folder.
  // Paths are Windows-1252 text; the file system wants them converted.
  void CreeDossier(const std::string& rel) {
    fs::create_directories(CheminSysteme(m_programme + rel));
  }
  void CreeFichier(const std::string& rel, const std::string& contenu = {}) {
    fs::path p(CheminSysteme(m_programme + rel));
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << contenu;
  }
  void Supprime(const std::string& rel) { fs::remove_all(CheminSysteme(m_programme + rel)); }
  std::string Absolu(const std::string& rel) const { return m_programme + rel; }

  // Everything required for language `l` and skin "defaut".
  void CreeInstallationComplete(int l, const std::string& apparence = kDefaut) {
    const std::string lg = "modele/" + std::to_string(l) + "/";
    CreeFichier("modele/famora.tra", kTraductionComplete);
    CreeFichier("modele/famora.ini", "[Defaut]\r\nlangue=" + std::to_string(l) + "\r\n");
    CreeDossier("modele/0/ImageArbre");
    CreeFichier(lg + "arbre/" + apparence + ".kda");
    CreeDossier(lg + "carte");
    CreeDossier(lg + "lieu");
    CreeFichier(lg + "rapport/" + apparence + ".kdr");
    CreeDossier("skins/defaut");
    CreeDossier(lg + "exemple");
    CreeDossier(lg + "param");
    CreeFichier(lg + "ExportHtml/Defaut/style.css");
  }

  TTraduction Traduction(const char* texte = kTraductionComplete) {
    TTraduction t;
    t.ChargeTexte(texte);
    return t;
  }

  TDossiersSysteme Systeme() const {
    return TDossiersSysteme{m_programme, "/home/ana/Documents", "/home/ana/.config/",
                            "/home/ana"};
  }

  fs::path m_racine;
  std::string m_programme;
};

// --- Start checks ---------------------------------------------------------

TEST_F(Installation, MissingTranslationFileStopsWithItsRelativeName) {
  CreeFichier("modele/famora.ini");
  Statut s = ControleTraduction(m_programme);
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.message(), "Not Found : modele/famora.tra");
}

TEST_F(Installation, PresentTranslationFilePasses) {
  CreeFichier("modele/famora.tra", kTraductionComplete);
  EXPECT_TRUE(ControleTraduction(m_programme).ok());
  // The program folder may come without its final separator.
  std::string sansSlash = m_programme.substr(0, m_programme.size() - 1);
  EXPECT_TRUE(ControleTraduction(sansSlash).ok());
}

TEST_F(Installation, TranslationFileAsAFolderDoesNotCount) {
  CreeDossier("modele/famora.tra");
  EXPECT_FALSE(ControleTraduction(m_programme).ok());
}

TEST_F(Installation, MissingProgramIniStopsWithItsRelativeName) {
  CreeFichier("modele/famora.tra", kTraductionComplete);
  TIniProgramme v;
  v.langue = 42;
  Statut s = ChargeIniProgramme(m_programme, v);
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.message(), "Not Found : modele/famora.ini");
  EXPECT_EQ(v.langue, 42) << "values untouched on failure";
}

TEST_F(Installation, ProgramIniValuesAreRead) {
  CreeFichier("modele/famora.ini",
              "[Defaut]\r\ndebugtrad=1\r\nlangue=2\r\ndate_format 1=j/m/a\r\n"
              "date_format 2=m/j/a\r\nskin=bleu\r\n");
  TIniProgramme v;
  ASSERT_TRUE(ChargeIniProgramme(m_programme, v).ok());
  EXPECT_TRUE(v.debugTrad);
  EXPECT_EQ(v.langue, 2);
  EXPECT_EQ(v.formatDate, "m/j/a") << "the date format of the chosen language";
  EXPECT_EQ(v.skin, "bleu");
}

TEST(IniProgramme, EmptyFileGivesDefaults) {
  FichierIni ini;
  TIniProgramme v = LitIniProgramme(ini);
  EXPECT_FALSE(v.debugTrad);
  EXPECT_EQ(v.langue, 1);
  EXPECT_EQ(v.formatDate, "j/m/a");
  EXPECT_EQ(v.skin, "defaut");
}

TEST(IniProgramme, DateFormatOfAnotherLanguageIsIgnored) {
  FichierIni ini;
  ini.ChargeTexte("[DEFAUT]\nlangue=3\ndate_format 1=m/j/a\ndate_format=m/j/a\n");
  TIniProgramme v = LitIniProgramme(ini);
  EXPECT_EQ(v.langue, 3);
  EXPECT_EQ(v.formatDate, "j/m/a");
}

TEST(IniProgramme, NonNumericLanguageKeepsDefault) {
  FichierIni ini;
  ini.ChargeTexte("[Defaut]\nlangue=anglais\ndebugtrad=oui\ndate_format 1=m/j/a\n");
  TIniProgramme v = LitIniProgramme(ini);
  EXPECT_EQ(v.langue, 1);
  EXPECT_FALSE(v.debugTrad);
  EXPECT_EQ(v.formatDate, "m/j/a");
}

TEST(IniProgramme, AppliedToTheTranslation) {
  TTraduction t;
  t.ChargeTexte("7;un;deux\r\n");
  TIniProgramme v;
  v.langue = 2;
  v.debugTrad = true;
  AppliqueIniProgramme(v, t);
  EXPECT_EQ(t.Msg(7), "deux");
  EXPECT_EQ(t.Msg(8), "@");
}

// --- InitDossiers ---------------------------------------------------------

TEST_F(Installation, CompleteInstallationGivesEveryPath) {
  CreeInstallationComplete(1);
  TDossiers d;
  TTraduction t = Traduction();
  Statut s = InitDossiers(Systeme(), 1, "defaut", t, d);
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(d.programme, m_programme);
  EXPECT_EQ(d.modele, Absolu("modele/"));
  EXPECT_EQ(d.fichierTraduction, Absolu("modele/famora.tra"));
  EXPECT_EQ(d.fichierIniProgramme, Absolu("modele/famora.ini"));
  EXPECT_EQ(d.fichierTableFetes, Absolu("modele/defaut.kd"));
  EXPECT_EQ(d.langue, Absolu("modele/1/"));
  EXPECT_EQ(d.imageArbre, Absolu("modele/0/ImageArbre/"));
  EXPECT_EQ(d.arbre, Absolu("modele/1/arbre/"));
  EXPECT_EQ(d.carte, Absolu("modele/1/carte/"));
  EXPECT_EQ(d.lieu, Absolu("modele/1/lieu/"));
  EXPECT_EQ(d.rapport, Absolu("modele/1/rapport/"));
  EXPECT_EQ(d.skin, Absolu("skins/defaut/"));
  EXPECT_EQ(d.exemple, Absolu("modele/1/exemple/"));
  EXPECT_EQ(d.param, Absolu("modele/1/param/"));
  EXPECT_EQ(d.exportHtmlDefaut, Absolu("modele/1/ExportHtml/Defaut/"));
  EXPECT_EQ(d.fichierStyleCss, Absolu("modele/1/ExportHtml/Defaut/style.css"));
  EXPECT_EQ(d.fichierFete, Absolu("modele/1/Fete.kd"));
  EXPECT_EQ(d.apparenceDefaut, kDefaut);
  EXPECT_EQ(d.fichierApparenceDefaut, Absolu(std::string("modele/1/arbre/") + kDefaut + ".kda"));
  EXPECT_EQ(d.fichierRapportDefaut,
            Absolu(std::string("modele/1/rapport/") + kDefaut + ".kdr"));
  EXPECT_EQ(d.modeleArtistique, "");
  EXPECT_EQ(d.imageArtistique, "");

  EXPECT_EQ(d.documents, "/home/ana/Documents/Kindrela 2008/");
  EXPECT_EQ(d.paramUtilisateur, "/home/ana/.config/Tovamere/Kindrela 2008/Paramètres/"_ansi);
  EXPECT_EQ(d.mesArbres, "/home/ana/Documents/Kindrela 2008/Mes généalogies/"_ansi);
  EXPECT_EQ(d.exportHtml, "/home/ana/Documents/Kindrela 2008/Export Internet/");
  EXPECT_EQ(d.fichierReglages, d.paramUtilisateur + "gene.ini");
  EXPECT_EQ(d.fichierAnniFete, d.paramUtilisateur + "AnniFete.kd");
  EXPECT_EQ(d.grilles.eve, d.paramUtilisateur + "Eve.tra");
  EXPECT_EQ(d.grilles.chp, d.paramUtilisateur + "Chp.tra");
  EXPECT_EQ(d.grilles.src, d.paramUtilisateur + "Src.tra");
  EXPECT_EQ(d.grilles.defEve, Absolu("modele/1/param/DefEve.tra"));
  EXPECT_EQ(d.grilles.defChp, Absolu("modele/1/param/DefChp.tra"));
  EXPECT_EQ(d.grilles.defSrc, Absolu("modele/1/param/DefSrc.tra"));
}

TEST_F(Installation, OptionalArtisticFoldersSetOnlyWhenPresent) {
  CreeInstallationComplete(1);
  CreeDossier("modele/1/ModeleArtistique");
  CreeDossier("modele/0/ImageArtistique");
  TDossiers d;
  TTraduction t = Traduction();
  ASSERT_TRUE(InitDossiers(Systeme(), 1, "defaut", t, d).ok());
  EXPECT_EQ(d.modeleArtistique, Absolu("modele/1/ModeleArtistique/"));
  EXPECT_EQ(d.imageArtistique, Absolu("modele/0/ImageArtistique/"));
}

TEST_F(Installation, ArtisticImagesAreSharedNotPerLanguage) {
  CreeInstallationComplete(1);
  CreeDossier("modele/1/ImageArtistique");
  CreeDossier("modele/0/ModeleArtistique");
  TDossiers d;
  TTraduction t = Traduction();
  ASSERT_TRUE(InitDossiers(Systeme(), 1, "defaut", t, d).ok());
  EXPECT_EQ(d.modeleArtistique, "");
  EXPECT_EQ(d.imageArtistique, "");
}

TEST_F(Installation, SecondLanguageMovesLanguageFoldersButNotChartImages) {
  CreeInstallationComplete(2, "Default");
  TDossiers d;
  TTraduction t = Traduction();
  t.Langue = 2;
  Statut s = InitDossiers(Systeme(), 2, "defaut", t, d);
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(d.langue, Absolu("modele/2/"));
  for (const std::string* p : {&d.arbre, &d.carte, &d.lieu, &d.rapport, &d.exemple, &d.param,
                               &d.exportHtmlDefaut, &d.fichierFete, &d.fichierStyleCss,
                               &d.grilles.defEve})
    EXPECT_EQ(p->rfind(Absolu("modele/2/"), 0), 0u) << *p;
  EXPECT_EQ(d.imageArbre, Absolu("modele/0/ImageArbre/"));
  EXPECT_EQ(d.apparenceDefaut, "Default") << "message 2206 in language 2";
  EXPECT_EQ(d.fichierApparenceDefaut, Absolu("modele/2/arbre/Default.kda"));
  EXPECT_EQ(d.mesArbres, "/home/ana/Documents/Kindrela 2008/My trees/");
}

TEST_F(Installation, SecondLanguageWithOnlyFirstInstalledStopsOnItsFolder) {
  CreeInstallationComplete(1);
  TDossiers d;
  TTraduction t = Traduction();
  Statut s = InitDossiers(Systeme(), 2, "defaut", t, d);
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.message(), Absolu("modele/2/"));
}

TEST_F(Installation, SkinFolderFollowsTheSkinName) {
  CreeInstallationComplete(1);
  TDossiers d;
  TTraduction t = Traduction();
  Statut s = InitDossiers(Systeme(), 1, "bleu", t, d);
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.message(), Absolu("skins/bleu/"));
  CreeDossier("skins/bleu");
  ASSERT_TRUE(InitDossiers(Systeme(), 1, "bleu", t, d).ok());
  EXPECT_EQ(d.skin, Absolu("skins/bleu/"));
}

TEST_F(Installation, UnknownUserFoldersGoUnderHome) {
  CreeInstallationComplete(1);
  TDossiers d;
  TTraduction t = Traduction();
  ASSERT_TRUE(InitDossiers({m_programme, "", "", "/home/bob"}, 1, "defaut", t, d).ok());
  EXPECT_EQ(d.documents, "/home/bob/Kindrela 2008/");
  EXPECT_EQ(d.paramUtilisateur, "/home/bob/Tovamere/Kindrela 2008/Paramètres/"_ansi);
  EXPECT_EQ(d.mesArbres, "/home/bob/Kindrela 2008/Mes généalogies/"_ansi);
}

TEST_F(Installation, WithoutHomeUserFoldersGoUnderRoot) {
  CreeInstallationComplete(1);
  TDossiers d;
  TTraduction t = Traduction();
  ASSERT_TRUE(InitDossiers({m_programme, "", "", ""}, 1, "defaut", t, d).ok());
  EXPECT_EQ(d.documents, "/Kindrela 2008/");
  EXPECT_EQ(d.paramUtilisateur, "/Tovamere/Kindrela 2008/Paramètres/"_ansi);
}

TEST_F(Installation, ProgramFolderWithoutFinalSeparator) {
  CreeInstallationComplete(1);
  TDossiers d;
  TTraduction t = Traduction();
  TDossiersSysteme sys = Systeme();
  sys.programme.pop_back();
  ASSERT_TRUE(InitDossiers(sys, 1, "defaut", t, d).ok());
  EXPECT_EQ(d.programme, m_programme);
  EXPECT_EQ(d.arbre, Absolu("modele/1/arbre/"));
}

struct CasMls {
  const char* nom;
  const char* traduction;
  const char* message;
};

class InitDossiersMlsTest : public Installation, public testing::WithParamInterface<CasMls> {};

// The per-user folder names are checked before the installation itself,
// which is left incomplete here on purpose.
TEST_P(InitDossiersMlsTest, StopsOnMissingFolderName) {
  CreeInstallationComplete(1);
  Supprime("modele/1");
  TDossiers d;
  TTraduction t = Traduction(GetParam().traduction);
  Statut s = InitDossiers(Systeme(), 1, "defaut", t, d);
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.message(), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    InitDossiers, InitDossiersMlsTest,
    testing::Values(
        CasMls{"NoMyTreesName", "2206;Défaut\r\nfolder_export_html;Export\r\n"_ansi,
               "MLS : folder_ma_famora"},
        CasMls{"NoExportName", "2206;Défaut\r\nfolder_ma_famora;Arbres\r\n"_ansi,
               "MLS : folder_export_html"},
        CasMls{"NeitherNameReportsMyTreesFirst", "2206;Défaut\r\n"_ansi,
               "MLS : folder_ma_famora"},
        CasMls{"EmptyTextCountsAsMissing",
               "folder_ma_famora;\r\nfolder_export_html;Export\r\n", "MLS : folder_ma_famora"},
        CasMls{"TextOnlyInAnotherLanguage",
               "folder_ma_famora;Arbres\r\nfolder_export_html;;Export\r\n",
               "MLS : folder_export_html"}),
    [](const testing::TestParamInfo<CasMls>& info) { return std::string(info.param.nom); });

// The required parts in the order they are checked.
const std::vector<std::string>& PartiesRequises() {
  static const std::vector<std::string> parties = {
      "modele/1/",
      "modele/0/ImageArbre/",
      "modele/1/arbre/",
      std::string("modele/1/arbre/") + kDefaut + ".kda",
      "modele/1/carte/",
      "modele/1/lieu/",
      "modele/1/rapport/",
      std::string("modele/1/rapport/") + kDefaut + ".kdr",
      "skins/defaut/",
      "modele/1/exemple/",
      "modele/1/param/",
      "modele/1/ExportHtml/Defaut/",
  };
  return parties;
}

class InitDossiersOrdreTest : public Installation, public testing::WithParamInterface<size_t> {};

// With this part and every later one missing, this part is the one named:
// a check made too early, too late or not at all names another.
TEST_P(InitDossiersOrdreTest, NamesTheFirstMissingPart) {
  CreeInstallationComplete(1);
  const auto& parties = PartiesRequises();
  for (size_t i = GetParam(); i < parties.size(); ++i) Supprime(parties[i]);
  TDossiers d;
  TTraduction t = Traduction();
  Statut s = InitDossiers(Systeme(), 1, "defaut", t, d);
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.message(), Absolu(parties[GetParam()]));
}

// Only this part missing: it is checked, whatever follows.
TEST_P(InitDossiersOrdreTest, NamesTheOnlyMissingPart) {
  CreeInstallationComplete(1);
  const std::string& partie = PartiesRequises()[GetParam()];
  Supprime(partie);
  TDossiers d;
  TTraduction t = Traduction();
  Statut s = InitDossiers(Systeme(), 1, "defaut", t, d);
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.message(), Absolu(partie));
}

std::string NomPartie(const testing::TestParamInfo<size_t>& info) {
  static const char* const noms[] = {"Language", "ChartImages",   "Looks",    "DefaultLook",
                                     "Maps",     "Places",        "Reports",  "DefaultReport",
                                     "Skin",     "Examples",      "Param",    "WebTemplate"};
  return noms[info.param];
}

INSTANTIATE_TEST_SUITE_P(InitDossiers, InitDossiersOrdreTest, testing::Range<size_t>(0, 12),
                         NomPartie);

TEST_F(Installation, DefaultLookAsAFolderIsNotAFile) {
  CreeInstallationComplete(1);
  Supprime(std::string("modele/1/arbre/") + kDefaut + ".kda");
  CreeDossier(std::string("modele/1/arbre/") + kDefaut + ".kda");
  TDossiers d;
  TTraduction t = Traduction();
  Statut s = InitDossiers(Systeme(), 1, "defaut", t, d);
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.message(), Absolu(std::string("modele/1/arbre/") + kDefaut + ".kda"));
}

TEST_F(Installation, NameDayFileAndStyleSheetAreNotRequired) {
  CreeInstallationComplete(1);
  Supprime("modele/1/ExportHtml/Defaut/style.css");
  TDossiers d;
  TTraduction t = Traduction();
  EXPECT_TRUE(InitDossiers(Systeme(), 1, "defaut", t, d).ok());
  EXPECT_FALSE(fs::exists(d.fichierFete));
}

// What the user saves (report models, maps) goes to the user's folder and
// hides the installed file of the same name; the installed one is read otherwise.
TEST_F(Installation, UserFileFirstThenTheInstalledOne) {
  CreeFichier("modele/1/rapport/Sosa.kdr");
  const std::string installe = Absolu("modele/1/rapport/");
  const std::string utilisateur = Absolu("user/rapport/");
  EXPECT_EQ(FichierUtilisateurOuInstalle(utilisateur, installe, "Sosa.kdr"), installe + "Sosa.kdr");
  EXPECT_EQ(FichierUtilisateurOuInstalle(utilisateur, installe, "Neuf.kdr"), installe + "Neuf.kdr");
  CreeFichier("user/rapport/Sosa.kdr");
  EXPECT_EQ(FichierUtilisateurOuInstalle(utilisateur, installe, "Sosa.kdr"), utilisateur + "Sosa.kdr");
}

}  // namespace
}  // namespace kindrela
