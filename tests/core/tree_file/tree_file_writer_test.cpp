#include "core/tree_file/tree_file_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "core/ansi_literal.h"
#include "core/clock.h"
#include "core/file_io.h"
#include "core/tree_file/tree_file_reader.h"
#include "core/tree_file/tree_file_version.h"
#include "core/tree_file/value_stream.h"
#include "tree_file_test_support.h"

namespace kindrela {
namespace {

using test::DossierTemporaire;

// A small tree that uses every field, with free slots in every table.
void RemplitArbre(TBD& bd) {
  for (int i = 1; i <= 9; ++i) {
    int n = bd.NouvelleFiche();
    bd.EcritNom(n, "Nom" + std::to_string(i));
    bd.EcritPrenoms(n, "Prénom"_ansi + std::to_string(i) + " \"Usuel\"");
    bd.EcritChamp(n, 21, "1/2/1990");
    bd.EcritChamp(n, 22, "3/4/2005");
    bd.EcritSexe(n, i % 3);
  }
  bd.EcritPere(3, 1);
  bd.EcritMere(3, 2);
  bd.EcritCertP(3, 2);
  bd.EcritCertM(3, 3);
  bd.EcritChamp(3, 18, "Une note\r\nsur deux lignes");
  bd.EcritChamp(3, 26, "12");
  bd.EcritProfession(3, "Menuisier");
  bd.EcritChampPerso(3, "Surnom", "Le Grand");
  bd.EcritDateNaissance(3, "5/3/1900");
  bd.EcritLieuNaissance(3, "France, Bretagne, Finistère, Brest"_ansi);
  bd.EcritDateDeces(3, "vers 1970");
  bd.EcritEveFiche(3, 1, 3, "10h30");
  bd.EcritEveFiche(3, 1, 6, "2");
  bd.FicheBrute(3).Reserve = std::string("r\0s", 3);
  int s = bd.AjouteNouvelleSrc(3);
  bd.EcritChampSrc(s, 1, "Acte");
  bd.EcritChampSrc(s, 2, "Texte de l'acte");
  bd.EcritChampSrc(s, 3, "AN");
  bd.EcritChampSrc(s, 4, "acte.jpg|Légende"_ansi);
  bd.AjouteSrc(4, s);
  int u = bd.CreeUnion(1, 2);
  bd.EcritChampUnion(u, 3, "1/6/1899");
  bd.EcritChampUnion(u, 5, "Brest");
  bd.CreeUnion(4, 5);
  bd.CreeUnion(6, 7);
  // Free slots in the middle of each table.
  bd.SupprimeFiche(5);  // also frees union 2
  bd.SupprimeFiche(8);
  int s2 = bd.NouvelleSrc();
  bd.NouvelleSrc();
  bd.EffaceSrc(s2);
  bd.EcritDateNaissance(9, "1950");
  bd.RetireEveFiche(9, 1);
  bd.EcritDateNaissance(9, "1951");
  bd.RefPers = 3;
  bd.DateCreeBase = "1/1/2001";
}

void ExpectMemeFiche(const TFiche& a, const TFiche& b, int n) {
  SCOPED_TRACE("personne " + std::to_string(n));
  EXPECT_EQ(a.Utilise, b.Utilise);
  EXPECT_EQ(a.Sexe, b.Sexe);
  EXPECT_EQ(a.Nom, b.Nom);
  EXPECT_EQ(a.Pre, b.Pre);
  EXPECT_EQ(a.NumP, b.NumP);
  EXPECT_EQ(a.NumM, b.NumM);
  EXPECT_EQ(a.CertP, b.CertP);
  EXPECT_EQ(a.CertM, b.CertM);
  EXPECT_EQ(a.Note, b.Note);
  EXPECT_EQ(a.Dcree, b.Dcree);
  EXPECT_EQ(a.DdMAJ, b.DdMAJ);
  EXPECT_EQ(a.Champs, b.Champs);
  EXPECT_EQ(a.TabEve, b.TabEve);
  EXPECT_EQ(a.Numero, b.Numero);
  EXPECT_EQ(a.TabSrc, b.TabSrc);
  EXPECT_EQ(a.Reserve, b.Reserve);
}

// Every slot of every table, free ones included.
void ExpectMemesTables(const TBD& a, const TBD& b) {
  ASSERT_EQ(a.NbreFiche(), b.NbreFiche());
  ASSERT_EQ(a.NbreUnion(), b.NbreUnion());
  ASSERT_EQ(a.NbreSrc(), b.NbreSrc());
  ASSERT_EQ(a.NbreEve(), b.NbreEve());
  for (int n = 1; n <= a.NbreFiche(); ++n) ExpectMemeFiche(a.Fiche(n), b.Fiche(n), n);
  for (int u = 1; u <= a.NbreUnion(); ++u) {
    SCOPED_TRACE("union " + std::to_string(u));
    EXPECT_EQ(a.Union(u).Utilise, b.Union(u).Utilise);
    EXPECT_EQ(a.Union(u).NumH, b.Union(u).NumH);
    EXPECT_EQ(a.Union(u).NumF, b.Union(u).NumF);
    EXPECT_EQ(a.Union(u).TabEve, b.Union(u).TabEve);
  }
  for (int s = 1; s <= a.NbreSrc(); ++s) {
    SCOPED_TRACE("source " + std::to_string(s));
    EXPECT_EQ(a.Src(s).Utilise, b.Src(s).Utilise);
    EXPECT_EQ(a.Src(s).SrcTitre, b.Src(s).SrcTitre);
    EXPECT_EQ(a.Src(s).SrcAbrege, b.Src(s).SrcAbrege);
    EXPECT_EQ(a.Src(s).SrcTexte, b.Src(s).SrcTexte);
    EXPECT_EQ(a.Src(s).SrcMedia, b.Src(s).SrcMedia);
  }
  for (int e = 1; e <= a.NbreEve(); ++e) {
    SCOPED_TRACE("événement "_ansi + std::to_string(e));
    EXPECT_EQ(a.Eve(e).Utilise, b.Eve(e).Utilise);
    EXPECT_EQ(a.Eve(e).Nature, b.Eve(e).Nature);
    EXPECT_EQ(a.Eve(e).DateEve, b.Eve(e).DateEve);
    EXPECT_EQ(a.Eve(e).Heure, b.Eve(e).Heure);
    EXPECT_EQ(a.Eve(e).Lieu, b.Eve(e).Lieu);
    EXPECT_EQ(a.Eve(e).NoteEve, b.Eve(e).NoteEve);
    EXPECT_EQ(a.Eve(e).Certitude, b.Eve(e).Certitude);
  }
}

class TreeFileWriter : public ::testing::Test {
 protected:
  void SetUp() override { FixeAujourdhui(Jour{2008, 1, 6}); }
  void TearDown() override {
    LibereAujourdhui();
    SimuleEchecEcriture(-1);
  }

  std::string Ecrit(TBD& bd, const std::string& nom, EnteteArbre entete = {}) {
    std::string chemin = m_dossier.Chemin(nom);
    Statut s = EcritBase(bd, chemin, entete);
    EXPECT_TRUE(s.ok()) << s.message();
    return chemin;
  }

  Statut Relit(const std::string& chemin, TBD& bd, ResultatLecture& r) {
    std::string octets;
    Statut s = LitFichier(chemin, octets);
    if (!s) return s;
    return LitArbre(bd, octets, VersionDesOctets(octets), {}, r);
  }

  DossierTemporaire m_dossier;
};

TEST_F(TreeFileWriter, SaveAndReloadKeepEveryNumberFreeSlotAndField) {
  TBD bd;
  RemplitArbre(bd);
  ASSERT_FALSE(bd.FicheUtilisee(5));
  std::string chemin = Ecrit(bd, "Dupont.kdg", {7, "moderne"});

  TBD relu;
  ResultatLecture r;
  ASSERT_TRUE(Relit(chemin, relu, r).ok());
  ExpectMemesTables(bd, relu);
  EXPECT_FALSE(relu.FicheUtilisee(5));
  EXPECT_FALSE(relu.FicheUtilisee(8));
  EXPECT_EQ(relu.LitNom(7), "Nom7");
  EXPECT_EQ(relu.RefPers, 3);
  EXPECT_EQ(r.selecPers, 7);
  EXPECT_EQ(r.look, "moderne");
  EXPECT_FALSE(r.lookEstChemin);
  EXPECT_EQ(relu.DateCreeBase, "1/1/2001");
  EXPECT_EQ(relu.DateSauveBase, "6/1/2008");
  EXPECT_EQ(relu.BaseChargee, 1);
  EXPECT_TRUE(r.avertissements.empty());
  // The reloaded tree answers through its indexes as the original does.
  EXPECT_EQ(relu.LitDateNaissance(3), "5/3/1900");
  EXPECT_EQ(relu.LitChampUnion(1, 5), "Brest");
  EXPECT_EQ(relu.NouvelleFiche(), 5);
}

TEST_F(TreeFileWriter, WritesTheHeaderAndRecordsInOrder) {
  TBD bd;
  int n = bd.NouvelleFiche();
  bd.EcritNom(n, "Martin");
  bd.RefPers = 1;
  bd.DateCreeBase = "2/2/2002";
  std::string octets;
  ASSERT_TRUE(OctetsBase(bd, {1, "kindrela"}, {}, octets).ok());
  LecteurValeurs l(octets);
  EXPECT_EQ(l.Texte(), "KINDRELA 2008-01-06");
  EXPECT_EQ(l.Texte(), "2/2/2002");
  EXPECT_EQ(l.Texte(), "6/1/2008");
  EXPECT_EQ(l.Texte(), "1");  // persons
  EXPECT_EQ(l.Texte(), "0");  // unions
  EXPECT_EQ(l.Texte(), "0");  // sources
  EXPECT_EQ(l.Texte(), "0");  // events
  EXPECT_EQ(l.Texte(), "1");
  EXPECT_EQ(l.Texte(), "1");
  EXPECT_EQ(l.Texte(), "kindrela");
  EXPECT_EQ(l.Texte(), "");
  EXPECT_EQ(l.Texte(), "O");
  EXPECT_EQ(l.Texte(), "0");
  EXPECT_EQ(l.Texte(), "Martin");
  for (int i = 4; i <= 17; ++i) l.Saute();
  EXPECT_EQ(l.Texte(), "SrcV1");
  EXPECT_TRUE(l.Fin());
}

TEST_F(TreeFileWriter, AValueOfExactly65000BytesIsWrittenAndReadWhole) {
  TBD bd;
  int n = bd.NouvelleFiche();
  bd.EcritNom(n, "Long");
  std::string note(kLongueurMaxValeur, 'n');
  note.front() = 'd';
  note.back() = 'f';
  bd.EcritChamp(n, 18, note);
  bd.EcritChamp(n, 19, "Longue");  // a field after the long one
  TBD relu;
  ResultatLecture r;
  ASSERT_TRUE(Relit(Ecrit(bd, "long.kdg"), relu, r).ok());
  EXPECT_EQ(relu.LitChamp(1, 18), note);
  EXPECT_EQ(relu.LitProfession(1), "Longue");
}

TEST_F(TreeFileWriter, ALongerValueIsCutAndTheRestOfTheFileStaysReadable) {
  TBD bd;
  int n = bd.NouvelleFiche();
  bd.EcritNom(n, "Long");
  bd.EcritChamp(n, 18, std::string(kLongueurMaxValeur + 10, 'n'));
  bd.EcritProfession(n, "Après"_ansi);
  TBD relu;
  ResultatLecture r;
  ASSERT_TRUE(Relit(Ecrit(bd, "long.kdg"), relu, r).ok());
  EXPECT_EQ(relu.LitChamp(1, 18).size(), kLongueurMaxValeur);
  EXPECT_EQ(relu.LitProfession(1), "Après"_ansi);
}

TEST_F(TreeFileWriter, WhatTheFileWouldCutIsAskedBeforeSaving) {
  TBD bd;
  const int n = bd.NouvelleFiche();
  bd.EcritNom(n, "Dupont");
  bd.EcritPrenoms(n, "Jean");
  bd.EcritChamp(n, 18, std::string(70000, 'n'));
  for (int k = 0; k < kEntreesMaxListe + 1; ++k) AjouteEntree(bd.FicheBrute(n).TabEve, 1);
  const int s = bd.AjouteNouvelleSrc(n);
  bd.EcritChampSrc(s, 2, std::string(kLongueurMaxValeur + 1, 't'));
  const std::vector<std::string> attendu = {
      "La note de Dupont Jean (n° 1) : 70000 caractères, les 65000 premiers seraient enregistrés."_ansi,
      "Les événements de Dupont Jean (n° 1) : 16251, les 16250 premiers seraient enregistrés."_ansi,
      "Le texte de la source 1 : 65001 caractères, les 65000 premiers seraient enregistrés."_ansi};
  EXPECT_EQ(ValeursCoupees(bd), attendu);

  std::vector<std::string> demande;
  const std::string chemin = m_dossier.Chemin("long.kdg");
  Statut refus = EcritBase(bd, chemin, {}, {}, [&](const std::vector<std::string>& c) {
    demande = c;
    return false;
  });
  EXPECT_TRUE(refus.annule());
  EXPECT_EQ(demande, attendu);
  EXPECT_FALSE(m_dossier.Existe("long.kdg"));
  EXPECT_TRUE(EcritBase(bd, chemin, {}, {}, [](const std::vector<std::string>&) { return true; }).ok());
  EXPECT_TRUE(m_dossier.Existe("long.kdg"));

  bd.EcritChamp(n, 18, "courte");
  bd.FicheBrute(n).TabEve.clear();
  bd.EcritChampSrc(s, 2, "court");
  EXPECT_TRUE(ValeursCoupees(bd).empty());
}

TEST_F(TreeFileWriter, EventsBeyondWhatAListHoldsSurviveALoadAndACheck) {
  TBD bd;
  const int n = bd.NouvelleFiche();
  bd.EcritNom(n, "Dupont");
  for (int k = 0; k < 20000; ++k) bd.AjouteEveFiche(n);
  ASSERT_EQ(bd.NbreEveFiche(n), 20000);
  TBD relu;
  ResultatLecture r;
  ASSERT_TRUE(Relit(Ecrit(bd, "long.kdg"), relu, r).ok());
  EXPECT_EQ(relu.NbreEveFiche(1), kEntreesMaxListe);
  (void)relu.VerifieBase([](const std::string&) { return true; });
  EXPECT_EQ(relu.NbreEveFiche(1), 20000);
}

TEST_F(TreeFileWriter, ReportsProgressEveryHundredRecords) {
  TBD bd;
  for (int i = 0; i < 250; ++i) bd.EcritNom(bd.NouvelleFiche(), "N");
  for (int i = 0; i < 120; ++i) bd.AjouteEveFiche(1);
  std::vector<std::pair<long long, long long>> appels;
  std::string octets;
  ASSERT_TRUE(OctetsBase(bd, {}, [&](long long f, long long t) {
                appels.emplace_back(f, t);
                return true;
              }, octets).ok());
  std::vector<std::pair<long long, long long>> attendu{
      {100, 370}, {200, 370}, {300, 370}, {370, 370}};
  EXPECT_EQ(appels, attendu);
}

TEST_F(TreeFileWriter, ACancelledSaveWritesNothing) {
  TBD bd;
  for (int i = 0; i < 300; ++i) bd.EcritNom(bd.NouvelleFiche(), "N");
  Statut s = EcritBase(bd, m_dossier.Chemin("x.kdg"), {},
                       [](long long f, long long) { return f < 200; });
  EXPECT_TRUE(s.annule());
  EXPECT_FALSE(m_dossier.Existe("x.kdg"));
}

// --- Backup -----------------------------------------------------------------

TEST_F(TreeFileWriter, SavingOverAFileKeepsItAsOldAndASecondSaveReplacesTheBackup) {
  TBD bd;
  bd.EcritNom(bd.NouvelleFiche(), "Premier");
  Ecrit(bd, "Dupont.kdg");
  std::string premier = m_dossier.Lit("Dupont.kdg");
  EXPECT_FALSE(m_dossier.Existe("Dupont.kdg.old"));

  bd.EcritNom(1, "Second");
  Ecrit(bd, "Dupont.kdg");
  std::string second = m_dossier.Lit("Dupont.kdg");
  EXPECT_EQ(m_dossier.Lit("Dupont.kdg.old"), premier);

  bd.EcritNom(1, "Troisième"_ansi);
  Ecrit(bd, "Dupont.kdg");
  EXPECT_EQ(m_dossier.Lit("Dupont.kdg.old"), second);
  EXPECT_NE(m_dossier.Lit("Dupont.kdg"), second);

  // Nothing else is left in the folder.
  int fichiers = 0;
  for (auto& e : std::filesystem::directory_iterator(m_dossier.Chemin())) {
    (void)e;
    ++fichiers;
  }
  EXPECT_EQ(fichiers, 2);
}

TEST_F(TreeFileWriter, AccentedNamesAreSavedBackedUpAndReadBack) {
  TBD bd;
  bd.EcritNom(bd.NouvelleFiche(), "Premier");
  std::string chemin = Ecrit(bd, "François.kdg"_ansi);
  bd.EcritNom(1, "Second");
  Ecrit(bd, "François.kdg"_ansi);
  EXPECT_TRUE(FichierExiste(chemin + ".old"));
  // On disk the names are UTF-8.
  EXPECT_TRUE(std::filesystem::exists(m_dossier.Chemin() + "François.kdg.old"));
  TBD relu;
  ResultatLecture r;
  ASSERT_TRUE(Relit(chemin, relu, r).ok());
  EXPECT_EQ(relu.LitNom(1), "Second");
  EXPECT_EQ(VersionBase(chemin), kVersionCourante);
}

TEST_F(TreeFileWriter, ABackupLeftWithoutItsTreeIsDropped) {
  m_dossier.Ecrit("Dupont.kdg.old", "ancien");
  TBD bd;
  bd.EcritNom(bd.NouvelleFiche(), "Nouveau");
  Ecrit(bd, "Dupont.kdg");
  EXPECT_FALSE(m_dossier.Existe("Dupont.kdg.old"));
}

// --- Failures ---------------------------------------------------------------

class TreeFileWriterEchec : public TreeFileWriter {
 protected:
  void SetUp() override {
    TreeFileWriter::SetUp();
    m_bd.EcritNom(m_bd.NouvelleFiche(), "Avant");
    m_dossier.Ecrit("Dupont.kdg.old", "sauvegarde précédente"_ansi);
    Ecrit(m_bd, "Dupont.kdg");
    m_dossier.Ecrit("Dupont.kdg.old", "sauvegarde précédente"_ansi);
    m_avant = m_dossier.Lit("Dupont.kdg");
    m_bd.EcritNom(1, "Après"_ansi);
  }
  void ExpectRienNaChange() {
    EXPECT_EQ(m_dossier.Lit("Dupont.kdg"), m_avant);
    EXPECT_EQ(m_dossier.Lit("Dupont.kdg.old"), "sauvegarde précédente"_ansi);
    int fichiers = 0;
    for (auto& e : std::filesystem::directory_iterator(m_dossier.Chemin())) {
      (void)e;
      ++fichiers;
    }
    EXPECT_EQ(fichiers, 2) << "no temporary file left behind";
  }
  TBD m_bd;
  std::string m_avant;
};

TEST_F(TreeFileWriterEchec, AWriteErrorLeavesTheTreeAndItsBackup) {
  for (long long apres : {0LL, 10LL, 100LL}) {
    SCOPED_TRACE(apres);
    SimuleEchecEcriture(apres);
    Statut s = EcritBase(m_bd, m_dossier.Chemin("Dupont.kdg"), {});
    ASSERT_FALSE(s.ok());
    EXPECT_FALSE(s.annule());
    EXPECT_NE(s.message().find("Dupont.kdg"), std::string::npos) << s.message();
    ExpectRienNaChange();
  }
}

// A tree of several megabytes goes to the file in pieces: a failure or a
// cancellation after some pieces are on the disk still changes nothing.
TEST_F(TreeFileWriterEchec, ASaveStoppedAfterSomePiecesLeavesTheTreeAndItsBackup) {
  for (int i = 0; i < 250; ++i) m_bd.EcritChamp(m_bd.NouvelleFiche(), 18, std::string(20000, 'n'));
  struct Cas {
    const char* nom;
    long long echecApres;  // bytes written before the disk fails, -1 for none
    bool annule;
  };
  for (const Cas& c : {Cas{"disk full in the third piece", 2500000, false},
                       Cas{"cancelled after four pieces", -1, true}}) {
    SCOPED_TRACE(c.nom);
    SimuleEchecEcriture(c.echecApres);
    Statut s = EcritBase(m_bd, m_dossier.Chemin("Dupont.kdg"), {},
                         [](long long f, long long) { return f < 200; });
    SimuleEchecEcriture(-1);
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.annule(), c.annule) << s.message();
    ExpectRienNaChange();
  }
}

TEST_F(TreeFileWriterEchec, ABackupThatCannotBeReplacedStopsTheSave) {
  // A folder in the way of the backup: the rename onto it fails, as it
  // would on a backup held by another program.
  std::filesystem::remove(m_dossier.Chemin("Dupont.kdg.old"));
  m_dossier.Ecrit("Dupont.kdg.old/garde", "x");
  Statut s = EcritBase(m_bd, m_dossier.Chemin("Dupont.kdg"), {});
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(m_dossier.Lit("Dupont.kdg"), m_avant);
  EXPECT_EQ(m_dossier.Lit("Dupont.kdg.old/garde"), "x");
}

TEST_F(TreeFileWriterEchec, AMissingFolderIsReported) {
  Statut s = EcritBase(m_bd, m_dossier.Chemin("absent/Dupont.kdg"), {});
  ASSERT_FALSE(s.ok());
  EXPECT_NE(s.message().find("absent/Dupont.kdg"), std::string::npos);
  ExpectRienNaChange();
}

TEST_F(TreeFileWriterEchec, AReadOnlyFolderIsReported) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  std::string dossier = m_dossier.SousDossier("lecture");
  ::chmod(dossier.c_str(), 0555);
  Statut s = EcritBase(m_bd, dossier + "Dupont.kdg", {});
  ::chmod(dossier.c_str(), 0755);
  EXPECT_FALSE(s.ok());
}

TEST_F(TreeFileWriterEchec, TheSaveDateChangesOnlyOnSuccess) {
  m_bd.DateSauveBase = "1/1/2000";
  SimuleEchecEcriture(0);
  EXPECT_FALSE(EcritBase(m_bd, m_dossier.Chemin("Dupont.kdg"), {}).ok());
  EXPECT_EQ(m_bd.DateSauveBase, "1/1/2000");
  EXPECT_TRUE(EcritBase(m_bd, m_dossier.Chemin("Dupont.kdg"), {}).ok());
  EXPECT_EQ(m_bd.DateSauveBase, "6/1/2008");
}

}  // namespace
}  // namespace kindrela
