// A tree exported and imported again keeps its persons, links, events,
// sources and notes, in every character set.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/type_tables.h"
#include "core/ansi_literal.h"
#include "core/clock.h"
#include "core/database.h"
#include "gedcom/gedcom_export.h"
#include "gedcom/gedcom_import.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

class AllerRetour : public ::testing::TestWithParam<JeuCaracteres> {
 protected:
  void SetUp() override {
    FixeAujourdhui(Jour{2008, 1, 6});
    TTraduction traduction;
    m_tables.ChargeTexte(SorteTable::Evenements,
                         "Pour;Evénement;Balise;\r\nIndividu;Naissance;BIRT;\r\n"
                         "Individu;Baptême;BAPM;\r\nIndividu;Décès;DEAT;\r\n"
                         "Individu;Résidence;RESI;\r\nUnion;Mariage;MARR;\r\n"_ansi,
                         traduction);
    m_tables.ChargeTexte(SorteTable::Champs,
                         "Proposé;Champ;Balise;\r\nOUI;Profession;OCCU;\r\nNON;Religion;RELI;\r\n"_ansi,
                         traduction);
    Construit();
  }
  void TearDown() override { LibereAujourdhui(); }

  int Personne(const std::string& pre, const std::string& nom, int sexe, int pere, int mere) {
    int n = m_src.NouvelleFiche();
    m_src.EcritPrenoms(n, pre);
    m_src.EcritNom(n, nom);
    m_src.EcritSexe(n, sexe);
    m_src.EcritPere(n, pere);
    m_src.EcritMere(n, mere);
    return n;
  }
  void Evenement(int n, const std::string& nature, const std::string& date,
                 const std::string& lieu, const std::string& note = "",
                 const std::string& certitude = "0", const std::string& heure = "") {
    ASSERT_GT(m_src.AjouteEveFiche(n), 0);
    int k = m_src.NbreEveFiche(n);
    const std::string champs[] = {nature, date, heure, lieu, note, certitude};
    for (int f = 1; f <= 6; ++f) m_src.EcritEveFiche(n, k, f, champs[f - 1]);
  }

  void Construit() {
    int pere = Personne("François \"Jean\""_ansi, "LE GUÉDEC"_ansi, 0, 0, 0);
    int mere = Personne("Hélène"_ansi, "MÜLLER"_ansi, 1, 0, 0);
    int fils = Personne("Noël"_ansi, "LE GUÉDEC"_ansi, 0, pere, mere);
    int fille = Personne("Åsa Ørsted"_ansi, "ÆRSØ"_ansi, 1, 0, mere);
    Personne("Ça"_ansi, "ßTRAßE"_ansi, 1, fils, 0);
    Personne("Dominique", "INCONNU", 2, 0, mere);
    Evenement(pere, "Naissance", "5/3/1850", "FRA,BRE,F29,Quimper",
              "Né à la maison familiale, rue de Kerfeunteun, près de l'église "
              "Saint-Mathieu.\r\nTémoins : Yves et Anaïk."_ansi,
              "1", "10h30");
    Evenement(pere, "Décès"_ansi, "avant 1920", "");
    Evenement(pere, "Résidence"_ansi, "1880", "Brest");
    Evenement(fille, "Baptême"_ansi, "12/4/1881", "Ålesund"_ansi, "", "3");
    m_src.EcritChamp(pere, 18,
                     "Une longue note sur la vie de François, marin pêcheur puis "
                     "charpentier de marine à Douarnenez.\r\n\r\nDeuxième paragraphe."_ansi);
    m_src.EcritChampPerso(pere, "Profession", "Charpentier");
    int u = m_src.CreeUnion(pere, mere);
    ASSERT_GT(m_src.AjouteEveUnion(u), 0);
    m_src.EcritEveUnion(u, 1, 1, "Mariage");
    m_src.EcritEveUnion(u, 1, 2, "3/6/1875");
    m_src.EcritEveUnion(u, 1, 4, "Locronan");
    int s = m_src.AjouteNouvelleSrc(pere);
    m_src.EcritChampSrc(s, 1, "Registre paroissial de Quimper");
    m_src.EcritChampSrc(s, 3, "RP Quimper");
    m_src.EcritChampSrc(s, 2, "Acte n° 12"_ansi);
    m_src.EcritChampSrc(s, 4, "acte.jpg|Page 3");
    ASSERT_TRUE(m_src.AjouteSrc(fils, s));
  }

  void Importe() {
    OptionsExportGedcom o;
    o.jeu = GetParam();
    std::string texte;
    ASSERT_TRUE(GenereGedcom(m_src, m_tables, o, texte));
    OptionsImport oi;
    oi.jeu = GetParam();
    TGedcomHeader entete;
    ResultatImport r = ImportGedcomTexte(m_lu, m_tables, texte, "/tmp/aller_retour.ged", oi, entete);
    ASSERT_TRUE(r.Termine()) << r.statut.message();
    EXPECT_EQ(r.remplacements, 0);
  }

  static std::string SansFinDeLigne(std::string s) {
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    return s;
  }

  TTablesTypes m_tables;
  TBD m_src;
  TBD m_lu;
};

TEST_P(AllerRetour, PersonsAndLinks) {
  Importe();
  ASSERT_EQ(m_lu.NbreFichesUtilisees(), m_src.NbreFichesUtilisees());
  for (int n = 1; n <= m_src.NbreFiche(); ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(m_lu.LitNom(n), m_src.LitNom(n));
    EXPECT_EQ(m_lu.LitPrenoms(n), m_src.LitPrenoms(n));
    EXPECT_EQ(m_lu.LitSexe(n), m_src.LitSexe(n));
    EXPECT_EQ(m_lu.LitPere(n), m_src.LitPere(n));
    EXPECT_EQ(m_lu.LitMere(n), m_src.LitMere(n));
  }
  ASSERT_GE(m_lu.NbreUnion(), 1);
  EXPECT_EQ(m_lu.LitNumH(1), 1);
  EXPECT_EQ(m_lu.LitNumF(1), 2);
}

TEST_P(AllerRetour, EventsAndNotes) {
  Importe();
  for (int n = 1; n <= m_src.NbreFiche(); ++n) {
    SCOPED_TRACE(n);
    ASSERT_EQ(m_lu.NbreEveFiche(n), m_src.NbreEveFiche(n));
    for (int k = 1; k <= m_src.NbreEveFiche(n); ++k)
      for (int f = 1; f <= 6; ++f)
        EXPECT_EQ(SansFinDeLigne(m_lu.LitEveFiche(n, k, f)), m_src.LitEveFiche(n, k, f))
            << "event " << k << " field " << f;
    EXPECT_EQ(SansFinDeLigne(m_lu.LitChamp(n, 18)), m_src.LitChamp(n, 18));
  }
  EXPECT_EQ(m_lu.LitChampPerso(1, "Profession"), "Charpentier");
  ASSERT_EQ(m_lu.NbreEveUnion(1), 1);
  for (int f = 1; f <= 6; ++f) EXPECT_EQ(m_lu.LitEveUnion(1, 1, f), m_src.LitEveUnion(1, 1, f));
}

TEST_P(AllerRetour, SourcesSharedByTheirPersons) {
  Importe();
  ASSERT_EQ(m_lu.NbreSrcFiche(1), 1);
  ASSERT_EQ(m_lu.NbreSrcFiche(3), 1);
  EXPECT_EQ(m_lu.LitSrcFiche(1, 1, 5), m_lu.LitSrcFiche(3, 1, 5));  // one source, two persons
  for (int f = 1; f <= 4; ++f)
    EXPECT_EQ(SansFinDeLigne(m_lu.LitSrcFiche(1, 1, f)), m_src.LitSrcFiche(1, 1, f)) << f;
}

INSTANTIATE_TEST_SUITE_P(Jeux, AllerRetour,
                         ::testing::Values(JeuCaracteres::Ansel, JeuCaracteres::Dos,
                                           JeuCaracteres::Windows, JeuCaracteres::Utf8),
                         [](const auto& info) {
                           std::string n = NomJeu(info.param);
                           return n == "UTF-8" ? std::string("UTF8") : n;
                         });

}  // namespace
}  // namespace kindrela
