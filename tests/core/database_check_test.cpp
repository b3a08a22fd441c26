#include <gtest/gtest.h>

#include "core/database.h"
#include "core/ansi_literal.h"
#include "core/text.h"
#include "core/value_limit.h"

namespace kindrela {
namespace {

// Report pieces, in Windows-1252.
const std::string kEve = " : L'événement \""_ansi;
const std::string kCroise = "\" a un problème de lien croisé avec \""_ansi;
const std::string kCroiseUnion = "\" a un problème de lien croisé avec l'union \""_ansi;
const std::string kDouble = "\" et a été doublé.\r\n"_ansi;

class DatabaseCheck : public ::testing::Test {
 protected:
  int Personne(const char* nom, const char* pre, int sexe = 0) {
    int n = bd.NouvelleFiche();
    bd.EcritNom(n, nom);
    bd.EcritPrenoms(n, pre);
    bd.EcritSexe(n, sexe);
    return n;
  }
  // Event e placed in use (or not) with a kind, a date and a place.
  void Place(int e, const char* nature, const char* date, bool utilise = true) {
    TEve eve;
    eve.Utilise = utilise ? 1 : 0;
    eve.Nature = nature;
    eve.DateEve = date;
    eve.Lieu = "Paris";
    eve.Heure = "10h";
    eve.NoteEve = "note";
    eve.Certitude = "2";
    ASSERT_TRUE(bd.PlaceEve(e, eve));
  }
  void ListePersonne(int n, int e) { AjouteEntree(bd.FicheBrute(n).TabEve, e); }
  void ListeUnion(int u, int e) { AjouteEntree(bd.UnionBrute(u).TabEve, e); }
  std::string Verifie() {
    return bd.VerifieBase([this](const std::string& q) {
      question = q;
      return true;
    });
  }

  TBD bd;
  std::string question;
};

TEST_F(DatabaseCheck, AsksBeforeDoingAnything) {
  Personne("Martin", "Jean");
  Verifie();
  EXPECT_EQ(question,
            "Attention !\r\nIl est conseillé de réaliser une sauvegarde au cas ou il y "
            "aurait une perte de donnée.\r\nVoulez-vous réaliser la vérification "
            "maintenant ?"_ansi);
}

TEST_F(DatabaseCheck, AnythingButYesChangesNothing) {
  int a = Personne("Martin", "Jean");
  int b = Personne("Dupont", "Luc");
  Place(1, "Naissance", "1900");
  ListePersonne(a, 1);
  ListePersonne(b, 1);
  Place(2, "Orphelin", "1800");
  EXPECT_EQ(bd.VerifieBase([](const std::string&) { return false; }), "");
  EXPECT_EQ(bd.VerifieBase(nullptr), "");
  EXPECT_EQ(bd.NbreEveFiche(b), 1);
  EXPECT_TRUE(bd.EveUtilise(2));
  EXPECT_EQ(bd.NbreEve(), 2);
  EXPECT_EQ(bd.BaseModifiee, 0);
}

TEST_F(DatabaseCheck, SoundTreeReportsNoProblem) {
  int a = Personne("Martin", "Jean");
  int b = Personne("Durand", "Anne", 1);
  bd.EcritChamp(a, 6, "1900");
  int u = bd.CreeUnion(a, b);
  bd.EcritChampUnion(u, 3, "1920");
  bd.NouvelleFiche();
  bd.SupprimeFiche(3);
  EXPECT_EQ(Verifie(), "Aucun problème constaté."_ansi);
  EXPECT_EQ(std::string(kAucunProblemeConstate), "Aucun problème constaté."_ansi);
  EXPECT_EQ(bd.BaseModifiee, 0);
  EXPECT_EQ(bd.NbreEve(), 2);
}

TEST_F(DatabaseCheck, EventListedByTwoPersonsIsCopiedForTheSecond) {
  for (int i = 1; i <= 8; ++i) Personne("P", "x");
  bd.EcritNom(3, "Martin");
  bd.EcritPrenoms(3, "Jean Pierre");
  bd.EcritNom(8, "Dupont");
  bd.EcritPrenoms(8, "Luc");
  Place(12, "Naissance", "1900");
  Place(5, "Décès"_ansi, "1980");
  ListePersonne(3, 12);
  ListePersonne(8, 12);
  ListePersonne(8, 5);

  EXPECT_EQ(Verifie(), "Dupont Luc" + kEve + "Naissance" + kCroise + "Martin Jean" + kDouble);

  ASSERT_EQ(bd.NbreEveFiche(8), 2);
  EXPECT_EQ(bd.LitEveFiche(8, 1, 1), "Décès"_ansi);
  int copie = LitEntree(bd.Fiche(8).TabEve, 2);
  EXPECT_EQ(copie, 13);  // appended after the table's end, not in a free slot
  EXPECT_NE(copie, 12);
  for (int f = 1; f <= 6; ++f) EXPECT_EQ(bd.LitChampEve(copie, f), bd.LitChampEve(12, f)) << f;
  EXPECT_TRUE(bd.EveUtilise(copie));
  EXPECT_EQ(LitEntree(bd.Fiche(3).TabEve, 1), 12);
  EXPECT_EQ(bd.ModeAjout, 0);
  EXPECT_EQ(bd.BaseModifiee, 1);
  EXPECT_EQ(Verifie(), kAucunProblemeConstate);
}

TEST_F(DatabaseCheck, EntriesOutsideTheEventTableAreRemoved) {
  int a = Personne("Martin", "Jean");
  Place(1, "Naissance", "1900");
  ListePersonne(a, 0);
  ListePersonne(a, 1);
  ListePersonne(a, 2);
  ListePersonne(a, -4);
  const std::string ligne =
      "Martin Jean" + kEve + "\" a un problème d'index hors limite et a été supprimé.\r\n"_ansi;
  EXPECT_EQ(Verifie(), ligne + ligne + ligne);
  ASSERT_EQ(bd.NbreEveFiche(a), 1);
  EXPECT_EQ(bd.LitEveFiche(a, 1, 2), "1900");
}

TEST_F(DatabaseCheck, ListedEventNotInUseIsRevalidated) {
  int a = Personne("Martin", "Jean");
  Place(1, "Mariage", "1920", false);
  ListePersonne(a, 1);
  EXPECT_EQ(Verifie(), "Martin Jean" + kEve +
                           "Mariage\" a un problème de validation et a été revalidé.\r\n"_ansi);
  EXPECT_TRUE(bd.EveUtilise(1));
  // The revalidated slot is no longer offered to a new event.
  EXPECT_EQ(bd.AjouteEveFiche(a), 2);
}

TEST_F(DatabaseCheck, EventListedByNobodyIsFreed) {
  int a = Personne("Martin", "Jean");
  int libre = Personne("Roux", "Paul");
  Place(1, "Naissance", "1900");
  Place(2, "Baptême"_ansi, "1901");
  Place(3, "Vieux", "1700", false);
  ListePersonne(a, 1);
  ListePersonne(libre, 2);
  bd.EcritChamp(libre, 0, "0");  // a free person's list is not looked at
  EXPECT_EQ(Verifie(), "L'événement Baptême 1901 n'est lié à personne et est supprimé.\r\n"_ansi);
  EXPECT_FALSE(bd.EveUtilise(2));
  EXPECT_EQ(bd.LitChampEve(2, 1), "");
  EXPECT_TRUE(bd.EveUtilise(1));
}

TEST_F(DatabaseCheck, EventListedByTwoUnionsNamesTheOtherUnion) {
  int u1 = bd.CreeUnion(Personne("Martin", "Jean"), Personne("Durand", "Anne Marie", 1));
  int u2 = bd.CreeUnion(Personne("Roux", "Paul"), Personne("Petit", "Rose", 1));
  Place(1, "Mariage", "1920");
  ListeUnion(u1, 1);
  ListeUnion(u2, 1);
  EXPECT_EQ(Verifie(), "Union de Roux Paul et Petit Rose" + kEve + "Mariage" + kCroiseUnion +
                           "Martin Jean et Durand Anne" + kDouble);
  ASSERT_EQ(bd.NbreEveUnion(u2), 1);
  EXPECT_EQ(bd.LitEveUnion(u2, 1, 2), "1920");
  EXPECT_NE(LitEntree(bd.Union(u2).TabEve, 1), 1);
}

TEST_F(DatabaseCheck, EventOfAPersonListedByAUnionNamesThePerson) {
  int a = Personne("Martin", "Jean");
  int u = bd.CreeUnion(a, Personne("Durand", "Anne", 1));
  Place(1, "Mariage", "1920");
  ListePersonne(a, 1);
  ListeUnion(u, 1);
  EXPECT_EQ(Verifie(),
            "Union de Martin Jean et Durand Anne" + kEve + "Mariage" + kCroise + "Martin Jean" + kDouble);
  EXPECT_EQ(bd.NbreEveFiche(a), 1);
  EXPECT_EQ(bd.NbreEveUnion(u), 1);
}

TEST_F(DatabaseCheck, RepairsAreReportedInOrder) {
  int a = Personne("Martin", "Jean");
  int u = bd.CreeUnion(a, Personne("Durand", "Anne", 1));
  Place(1, "A", "1", false);
  Place(2, "B", "2");
  ListePersonne(a, 1);
  ListeUnion(u, 7);
  std::string rapport = Verifie();
  size_t personne = rapport.find("validation");
  size_t unionHors = rapport.find("hors limite");
  size_t orphelin = rapport.find("B 2 n'est");
  ASSERT_NE(personne, std::string::npos);
  ASSERT_NE(unionHors, std::string::npos);
  ASSERT_NE(orphelin, std::string::npos);
  EXPECT_LT(personne, unionHors);
  EXPECT_LT(unionHors, orphelin);
  EXPECT_EQ(rapport.substr(0, 11), "Martin Jean");
}

TEST_F(DatabaseCheck, LinksToRecordsThatDoNotExistAreRemoved) {
  int pere = Personne("Martin", "Jean");
  int parti = Personne("Parti", "Paul");
  int enfant = Personne("Martin", "Luc");
  bd.EcritPere(enfant, 99999999);
  bd.EcritMere(enfant, -5);
  bd.EcritPere(pere, parti);
  int u = bd.CreeUnion(pere, parti);
  bd.AjouteSrc(enfant, 42);
  bd.FicheBrute(parti).Utilise = 0;  // freed without its links, as a damaged file loads
  bd.ReconstruitIndex();
  const std::string rapport = Verifie();
  for (const char* attendu :
       {"Martin Luc : le lien vers le père (n° 99999999) ne désigne aucune personne", "Martin Luc : le lien vers la mère (n° -5)",
        "Martin Jean : le lien vers le père (n° 2)", "Martin Luc : la source n° 42 n'existe pas",
        "Union de Martin Jean et Parti Paul : le lien vers la femme (n° 2)"})
    EXPECT_NE(rapport.find(Utf8VersAnsi(attendu)), std::string::npos) << attendu << "\n" << rapport;
  EXPECT_EQ(bd.LitPere(enfant), 0);
  EXPECT_EQ(bd.LitMere(enfant), 0);
  EXPECT_EQ(bd.LitPere(pere), 0);
  EXPECT_EQ(bd.LitNumF(u), 0);
  EXPECT_EQ(bd.NbreSrcFiche(enfant), 0);
  EXPECT_EQ(Verifie(), kAucunProblemeConstate);
}

// A tree file holds kEntreesMaxListe events of one owner: a save cuts the
// rest, whose events are then listed by nobody when the tree is loaded.
TEST_F(DatabaseCheck, EventsALongListLostInTheFileGoBackToIt) {
  int a = Personne("Martin", "Jean");
  Personne("Durand", "Anne");
  for (int e = 1; e <= kEntreesMaxListe + 3; ++e) {
    Place(e, "Recensement", "1900");
    if (e <= kEntreesMaxListe) ListePersonne(a, e);
  }
  std::string rapport = Verifie();
  EXPECT_NE(rapport.find("il revient à \"Martin Jean\""_ansi), std::string::npos) << rapport.substr(0, 300);
  EXPECT_EQ(bd.NbreEveFiche(a), kEntreesMaxListe + 3);
  EXPECT_EQ(LitEntree(bd.Fiche(a).TabEve, kEntreesMaxListe + 3), kEntreesMaxListe + 3);

  // Two such lists: who lost what cannot be told, and nothing is deleted.
  for (int e = kEntreesMaxListe + 4; e < 2 * kEntreesMaxListe + 4; ++e) {
    Place(e, "Recensement", "1900");
    ListePersonne(2, e);
  }
  RetireEntree(bd.FicheBrute(a).TabEve, kEntreesMaxListe + 3);
  RetireEntree(bd.FicheBrute(a).TabEve, kEntreesMaxListe + 2);
  RetireEntree(bd.FicheBrute(a).TabEve, kEntreesMaxListe + 1);
  rapport = Verifie();
  EXPECT_NE(rapport.find("il est gardé"_ansi), std::string::npos) << rapport.substr(0, 300);
  EXPECT_TRUE(bd.EveUtilise(kEntreesMaxListe + 1));
}

}  // namespace
}  // namespace kindrela
