#include "editing/record.h"

#include <gtest/gtest.h>

#include "core/ansi_literal.h"
#include "core/clock.h"
#include "core/database.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

// Messages read "M<n>" so that a text shows which ones it used.
TTraduction Traduction() {
  std::string texte;
  for (int n : {103, 104, 105, 106, 114, 115, 116, 117, 620, 630, 640, 641})
    texte += std::to_string(n) + ";M" + std::to_string(n) + "\r\n";
  TTraduction t;
  t.ChargeTexte(texte);
  return t;
}

class RecordTest : public ::testing::Test {
 protected:
  void SetUp() override { FixeAujourdhui({2024, 6, 15}); }
  void TearDown() override { LibereAujourdhui(); }
  int Personne(const char* nom, int sexe = 0) {
    const int n = m_bd.NouvelleFiche();
    m_bd.EcritNom(n, nom);
    m_bd.EcritSexe(n, sexe);
    return n;
  }
  TBD m_bd;
  TTraduction m_t = Traduction();
};

TEST_F(RecordTest, CreationLineStampsAPersonWithoutCreationDate) {
  const int n = Personne("A");
  EXPECT_TRUE(AssureDateCreation(m_bd, n));
  EXPECT_FALSE(AssureDateCreation(m_bd, n));
  EXPECT_EQ(LigneDates(m_bd, n, m_t, "j/m/a"), "M105 15/6/2024");
  m_bd.EcritChamp(n, 21, "1/2/2003");
  EXPECT_EQ(LigneDates(m_bd, n, m_t, "m/j/a"), "M105 2/1/2003 M106 6/15/2024");
  m_bd.BaseModifiee = 0;
  FicheModifiee(m_bd, n);
  EXPECT_EQ(m_bd.BaseModifiee, 1);
  EXPECT_EQ(m_bd.LitChamp(n, 22), "15/6/2024");
}

TEST_F(RecordTest, NumberingLabelAndTabCaptions) {
  EXPECT_EQ(LibelleNumero("", m_t), "");
  EXPECT_EQ(LibelleNumero("12,25", m_t), "M103 : 12,25");
  EXPECT_EQ(LibelleNumero("1/2.1", m_t), "M104 : 1/2.1");
  const int a = Personne("A"), b = Personne("B", 1);
  LegendesOnglets l = LegendesDesOnglets(m_bd, a, m_t);
  EXPECT_EQ(l.evenements + l.note + l.unions + l.sources, "M114M115M116M117");
  m_bd.AjouteEveFiche(a);
  m_bd.EcritChamp(a, 18, "note");
  m_bd.CreeUnion(a, b);
  m_bd.AjouteNouvelleSrc(a);
  l = LegendesDesOnglets(m_bd, a, m_t);
  EXPECT_EQ(l.evenements + l.note + l.unions + l.sources, "M114+M115+M116+M117+");
}

TEST_F(RecordTest, SexChangesOnlyForAPersonWithoutChildOrUnion) {
  const int mere = Personne("MERE", 1), enfant = Personne("ENFANT", 2);
  const int seul = Personne("SEUL", 2), epoux = Personne("EPOUX");
  m_bd.EcritMere(enfant, mere);
  EXPECT_FALSE(SexeModifiable(m_bd, mere));
  EXPECT_TRUE(SexeModifiable(m_bd, enfant));
  m_bd.CreeUnion(epoux, seul);
  EXPECT_FALSE(SexeModifiable(m_bd, seul));
  // An unknown sex shows as a woman and becomes a man at the first click.
  EXPECT_EQ(MessageSexe(2), 102);
  EXPECT_EQ(SexeApresClic(2), 0);
  EXPECT_EQ(SexeApresClic(0), 1);
  EXPECT_EQ(SexeApresClic(1), 0);
}

TEST(Niveaux, ReadAdvanceAndShow) {
  EXPECT_EQ(NiveauDeTexte("2"), 2);
  for (const char* illisible : {"", "4", "-1", "x"}) EXPECT_EQ(NiveauDeTexte(illisible), 0) << illisible;
  EXPECT_EQ(NiveauSuivant(0), 1);
  EXPECT_EQ(NiveauSuivant(3), 0);
  EXPECT_EQ(MessageNiveau(3), 123);
  EXPECT_EQ(MessageNiveau(9), 120);
  EXPECT_EQ(CouleurNiveau(2), Rgb(255, 128, 0));
}

TEST_F(RecordTest, EventOfAKindIsMadeOnceAndAnEmptyOneCanGo) {
  const int n = Personne("A");
  EveAssure a = AssureEveFiche(m_bd, n, "Naissance");
  ASSERT_TRUE(a.cree);
  EXPECT_EQ(a.position, 1);
  // Ctrl+N a second time: the same event, nothing created.
  EveAssure b = AssureEveFiche(m_bd, n, "Naissance");
  EXPECT_FALSE(b.cree);
  EXPECT_EQ(b.numero, a.numero);
  EXPECT_EQ(m_bd.NbreEveFiche(n), 1);
  EXPECT_EQ(AssureEveFiche(m_bd, n, "").position, 0);

  const EveAssure deces = AssureEveFiche(m_bd, n, "Décès"_ansi);
  m_bd.EcritEveFiche(n, deces.position, 3, "10h");
  EXPECT_FALSE(RetireEveVideFiche(m_bd, n, deces.numero));  // holds a time
  EXPECT_TRUE(RetireEveVideFiche(m_bd, n, a.numero));
  EXPECT_FALSE(RetireEveVideFiche(m_bd, n, a.numero));      // no longer listed
  EXPECT_EQ(m_bd.NbreEveFiche(n), 1);
  EXPECT_FALSE(m_bd.EveUtilise(a.numero));
}

TEST_F(RecordTest, UnionEventOfAKind) {
  const int u = m_bd.CreeUnion(Personne("H"), Personne("F", 1));
  const EveAssure a = AssureEveUnion(m_bd, u, "Mariage");
  EXPECT_TRUE(a.cree);
  EXPECT_FALSE(AssureEveUnion(m_bd, u, "Mariage").cree);
  EXPECT_EQ(PositionEveUnion(m_bd, u, "Mariage"), 1);
  EXPECT_TRUE(RetireEveVideUnion(m_bd, u, a.numero));
  EXPECT_EQ(m_bd.NbreEveUnion(u), 0);
}

TEST_F(RecordTest, TypedEventFieldsAreStoredAsTyped) {
  const int n = Personne("A");
  const EveAssure e = AssureEveFiche(m_bd, n, "Naissance");
  SaisieEve s{"12/31/1900", " 10h ", "Paris, ", "ligne 1  \nligne 2 \n\n"};
  EXPECT_FALSE(EcritSaisieEveFiche(m_bd, n, e.position, s, "m/j/a"));
  EXPECT_EQ(m_bd.LitEveFiche(n, 1, 2), "31/12/1900");
  EXPECT_EQ(m_bd.LitEveFiche(n, 1, 3), " 10h ");
  EXPECT_EQ(m_bd.LitEveFiche(n, 1, 4), "Paris, ");
  EXPECT_EQ(m_bd.LitEveFiche(n, 1, 5), "ligne 1  \r\nligne 2");
  s.lieu = "Pari";
  EXPECT_TRUE(EcritSaisieEveFiche(m_bd, n, e.position, s, "j/m/a"));
  EXPECT_EQ(m_bd.LitEveFiche(n, 1, 2), "12/31/1900");  // no exchange in j/m/a
}

TEST(Notes, MemoTextAndBack) {
  EXPECT_EQ(TexteNote("a\nb\r\nc\rd \n \n"), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(TexteNote(" \n"), "");
  EXPECT_EQ(NoteAffichee("a\r\nb\rc"), "a\nb\nc");
}

TEST_F(RecordTest, FamilyListsAndSpouse) {
  const int pere = Personne("P"), mere = Personne("M", 1);
  const int cadet = Personne("C"), aine = Personne("A"), sansDate = Personne("S");
  for (int e : {cadet, aine, sansDate}) {
    m_bd.EcritPere(e, pere);
    m_bd.EcritMere(e, mere);
  }
  m_bd.EcritPrenoms(cadet, "Albert");
  m_bd.EcritPrenoms(aine, "Zoé"_ansi);
  m_bd.EcritPrenoms(sansDate, "Marc");
  m_bd.EcritDateNaissance(cadet, "1905");
  m_bd.EcritDateNaissance(aine, "1900");
  // By birth date; the one without date keeps its place by given name.
  EXPECT_EQ(EnfantsTries(m_bd, pere).Vecteur(), (std::vector<int>{aine, sansDate, cadet}));
  EXPECT_EQ(FratrieTriee(m_bd, cadet).Vecteur(), (std::vector<int>{sansDate, aine}));
  const int u = m_bd.CreeUnion(pere, mere);
  EXPECT_EQ(ConjointDansUnion(m_bd, u, pere), mere);
  EXPECT_EQ(ConjointDansUnion(m_bd, u, mere), pere);
}

TEST_F(RecordTest, SummaryOfTheFamilyWindow) {
  const int n = Personne("DUPONT");
  m_bd.EcritPrenoms(n, "Jean");
  m_bd.EcritProfession(n, "Boulanger");
  m_bd.EcritDateNaissance(n, "31/12/1900");
  m_bd.EcritLieuDeces(n, "Lyon");
  EXPECT_EQ(ResumePersonne(m_bd, n, m_t, "m/j/a"),
            (std::vector<std::string>{"DUPONT Jean", "Boulanger", "M620: 12/31/1900", "M641: Lyon"}));
  EXPECT_TRUE(ResumePersonne(m_bd, 0, m_t, "j/m/a").empty());
}

struct CasMenu {
  const char* nom;
  EtatMenuPersonne etat;
  std::array<bool, kNbreEntreesMenuPersonne> visibles;  // select, reference, create, search, delete, unlink
};

class MenuPersonne : public ::testing::TestWithParam<CasMenu> {};

TEST_P(MenuPersonne, ShowsTheEntriesThatApply) {
  EXPECT_EQ(EntreesVisibles(GetParam().etat), GetParam().visibles);
}

EtatMenuPersonne Etat(ControleFiche c, bool parent, bool reel, bool arbre, int nbre, bool affichee = true) {
  EtatMenuPersonne e;
  e.controle = c;
  e.parentConnu = parent;
  e.entreeReelle = reel;
  e.arbreVisible = arbre;
  e.nbreFiches = nbre;
  e.capaciteFiches = 100000;
  e.personneAffichee = affichee;
  return e;
}

INSTANTIATE_TEST_SUITE_P(
    Cas, MenuPersonne,
    ::testing::Values(
        CasMenu{"FatherKnownChartShown", Etat(ControleFiche::Pere, true, true, true, 5),
                {true, true, false, true, true, true}},
        CasMenu{"MotherMissingAlone", Etat(ControleFiche::Mere, false, false, false, 1),
                {false, false, true, false, false, false}},
        CasMenu{"SurnameOfTheOnlyPerson", Etat(ControleFiche::Nom, false, true, true, 1),
                {false, true, false, true, false, false}},
        CasMenu{"GivenNamesNobodyShown", Etat(ControleFiche::Prenoms, false, false, false, 3, false),
                {false, true, true, true, true, false}},
        CasMenu{"ChildEntryChartHidden", Etat(ControleFiche::Enfant, false, true, false, 5),
                {true, false, true, true, true, true}},
        CasMenu{"UnionPlaceholderFullTable", Etat(ControleFiche::Union, false, false, true, 100000),
                {false, false, false, false, false, false}}),
    [](const auto& info) { return std::string(info.param.nom); });

}  // namespace
}  // namespace kindrela
