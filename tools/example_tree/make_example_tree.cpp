// Writes the example trees shipped in the installation data: one French
// family over seven generations, from Breton and Angevin villages around
// 1800 to Paris today, with baptisms, marriages, burials, professions,
// notes and a few sources. The same program always writes the same bytes,
// so the shipped files can be checked against it.
//
// Usage: make_example_tree MODELE_FOLDER
//   reads MODELE_FOLDER/famora.tra for each language's event words and
//   example name (message 2206), and writes MODELE_FOLDER/<language>/exemple/<name>.kdg.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "chart/kinship.h"
#include "core/clock.h"
#include "core/database.h"
#include "core/tree_file/tree_file_writer.h"
#include "dates/dates.h"
#include "dates/places.h"
#include "i18n/event_words.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

// A small generator whose sequence is the same on every platform (the
// standard distributions are not).
class Hasard {
 public:
  explicit Hasard(uint32_t graine) : m_etat(graine) {}
  uint32_t Suivant() {
    m_etat ^= m_etat << 13;
    m_etat ^= m_etat >> 17;
    m_etat ^= m_etat << 5;
    return m_etat;
  }
  int Entre(int a, int b) { return a + static_cast<int>(Suivant() % static_cast<uint32_t>(b - a + 1)); }
  bool Chance(int pourcent) { return Entre(1, 100) <= pourcent; }
  template <typename T, size_t N>
  const T& Parmi(const std::array<T, N>& t) { return t[Suivant() % N]; }

 private:
  uint32_t m_etat;
};

struct Commune {
  const char* codePostal;
  const char* nom;
};

// Where each side of the family lived before the moves to Nantes and Paris.
constexpr std::array<Commune, 10> kBretagne = {{
    {"29000", "Quimper"}, {"29100", "Douarnenez"}, {"29120", "Pont-l'Abb\xE9"},
    {"29900", "Concarneau"}, {"29180", "Locronan"}, {"29710", "Plogastel-Saint-Germain"},
    {"56000", "Vannes"}, {"56400", "Auray"}, {"56300", "Pontivy"}, {"56700", "Hennebont"}}};
constexpr std::array<Commune, 10> kAnjou = {{
    {"49000", "Angers"}, {"49300", "Cholet"}, {"49400", "Saumur"}, {"49120", "Chemill\xE9"},
    {"49600", "Beaupr\xE9" "au-en-Mauges"}, {"85000", "La Roche-sur-Yon"}, {"85600", "Montaigu"},
    {"85500", "Les Herbiers"}, {"85290", "Mortagne-sur-S\xE8vre"}, {"49310", "Vihiers"}}};
constexpr Commune kNantes = {"44000", "Nantes"};
constexpr Commune kSaintNazaire = {"44600", "Saint-Nazaire"};
constexpr Commune kAngers = {"49000", "Angers"};
constexpr Commune kCholet = {"49300", "Cholet"};
constexpr Commune kParis14 = {"75014", "Paris"};
constexpr Commune kParis11 = {"75011", "Paris"};
constexpr Commune kVersailles = {"78000", "Versailles"};

constexpr std::array<const char*, 8> kNomsBretons = {
    "LE GALL", "TANGUY", "GUILLOU", "KERVELLA", "LE BRIS", "QU\xC9R\xC9", "PRIGENT", "LE CORRE"};
constexpr std::array<const char*, 10> kNomsAngevins = {
    "BRETAUDEAU", "GRIMAUD", "BILLAUD", "CHAUVEAU", "M\xC9NARD", "GODET", "BOSSARD",
    "FOUCHER", "PAPIN", "GU\xC9RIN"};
constexpr std::array<const char*, 10> kPrenomsHommes = {
    "Jean", "Pierre", "Yves", "Joseph", "Louis", "Fran\xE7ois", "Ren\xE9", "Jacques",
    "Guillaume", "Mathurin"};
constexpr std::array<const char*, 10> kPrenomsFemmes = {
    "Marie", "Anne", "Jeanne", "Marguerite", "Louise", "Perrine", "Catherine", "Fran\xE7oise",
    "Ang\xE9lique", "Rose"};

// A profession in each interface language.
struct Mot {
  const char* fr;
  const char* en;
};
constexpr std::array<Mot, 6> kMetiersRuraux = {{{"Laboureur", "Ploughman"},
                                                {"Cultivateur", "Farmer"},
                                                {"Tisserand", "Weaver"},
                                                {"Meunier", "Miller"},
                                                {"Journalier", "Day labourer"},
                                                {"Sabotier", "Clog maker"}}};
constexpr std::array<Mot, 4> kMetiersRurauxFemmes = {{{"Fileuse", "Spinner"},
                                                      {"Couturi\xE8re", "Seamstress"},
                                                      {"Journali\xE8re", "Day labourer"},
                                                      {"M\xE9nag\xE8re", "Housewife"}}};
constexpr std::array<Mot, 5> kMetiersVille = {{{"Ouvrier aux chantiers navals", "Shipyard worker"},
                                               {"Cheminot", "Railwayman"},
                                               {"Instituteur", "Schoolteacher"},
                                               {"Employ\xE9 de bureau", "Clerk"},
                                               {"Commer\xE7" "ant", "Shopkeeper"}}};
constexpr std::array<Mot, 4> kMetiersVilleFemmes = {{{"Institutrice", "Schoolteacher"},
                                                     {"Infirmi\xE8re", "Nurse"},
                                                     {"Employ\xE9" "e des postes", "Post office clerk"},
                                                     {"Couturi\xE8re", "Seamstress"}}};

struct Langue {
  int numero = 1;
  TBD* bd = nullptr;
  bool francais() const { return numero == 1; }
  const char* Texte(const Mot& m) const { return francais() ? m.fr : m.en; }
};

std::string Lieu(const Commune& c) {
  return LieuNormalise(std::string("F,") + c.codePostal + "," + c.nom);
}

std::string Date(int jour, int mois, int annee) {
  return std::to_string(jour) + "/" + std::to_string(mois) + "/" + std::to_string(annee);
}

// The family, built generation by generation around its reference person.
class Famille {
 public:
  Famille(const Langue& langue, uint32_t graine) : m_l(langue), m_bd(*langue.bd), m_h(graine) {}

  void Construit() {
    m_bd.Vide();
    // The reference person comes first, so that it is record 1.
    const int moi = Personne("LE GALL", "Yann Pierre", 0, 1974, kParis14);
    m_bd.RefPers = moi;
    Profession(moi, {"Ing\xE9nieur", "Engineer"});
    Note(moi,
         {"A commenc\xE9 cette g\xE9n\xE9" "alogie en 1998 \xE0 partir du livret de famille de ses "
          "grands-parents.",
          "Started this family history in 1998 from his grandparents' family record book."});
    const int pere = Ascendants(moi, 2, 1, 1974, true);
    const int mere = Ascendants(moi, 3, 1, 1974, false);
    Couple(pere, mere, 1971, kParis11);
    Freres(pere, mere, 1974, kParis14, 1);
    // His own household.
    const int epouse = Personne("MOREAU", "Claire H\xE9l\xE8ne", 1, 1976, kVersailles);
    Profession(epouse, {"M\xE9" "decin", "Physician"});
    Couple(moi, epouse, 2001, kVersailles);
    for (auto [prenoms, sexe, annee] :
         {std::tuple{"L\xE9" "a Marie", 1, 2003}, std::tuple{"Tristan Louis", 0, 2006}}) {
      int enfant = Personne("LE GALL", prenoms, sexe, annee, kParis14);
      m_bd.EcritPere(enfant, moi);
      m_bd.EcritMere(enfant, epouse);
    }
    Sources(moi, pere, mere);
  }

 private:
  // A person with a birth (and, before 1950, a baptism) event.
  int Personne(const std::string& nom, const std::string& prenoms, int sexe, int annee,
               const Commune& lieu) {
    const int n = m_bd.NouvelleFiche();
    m_bd.EcritNom(n, nom);
    m_bd.EcritPrenoms(n, prenoms);
    m_bd.EcritSexe(n, sexe);
    const int jour = m_h.Entre(1, 27), mois = m_h.Entre(1, 12);
    m_bd.EcritDateNaissance(n, Date(jour, mois, annee));
    m_bd.EcritLieuNaissance(n, Lieu(lieu));
    if (annee < 1950) {
      // Children were baptised within a day or two, in the same parish.
      m_bd.EcritEveNature(n, m_bd.NatBapteme, 2, Date(jour + m_h.Entre(0, 1), mois, annee));
      m_bd.EcritEveNature(n, m_bd.NatBapteme, 4, Lieu(lieu));
    }
    m_bd.EcritChamp(n, 21, "1/6/2026");
    return n;
  }

  void Deces(int n, int annee, const Commune& lieu) {
    if (annee > 2024) return;
    const int jour = m_h.Entre(1, 25), mois = m_h.Entre(1, 12);
    m_bd.EcritDateDeces(n, Date(jour, mois, annee));
    m_bd.EcritLieuDeces(n, Lieu(lieu));
    m_bd.EcritEveNature(n, m_bd.NatSepulture, 2, Date(jour + m_h.Entre(1, 3), mois, annee));
    m_bd.EcritEveNature(n, m_bd.NatSepulture, 4, Lieu(lieu));
  }

  void Profession(int n, const Mot& m) { m_bd.EcritProfession(n, m_l.Texte(m)); }
  void Note(int n, const Mot& m) { m_bd.EcritChamp(n, 18, m_l.Texte(m)); }

  // The married couple; the wedding takes place in the bride's parish.
  void Couple(int mari, int femme, int annee, const Commune& lieu) {
    if (mari == 0 || femme == 0) return;
    const int u = m_bd.CreeUnion(mari, femme);
    const int jour = m_h.Entre(1, 27), mois = m_h.Entre(4, 10);
    m_bd.EcritChampUnion(u, 3, Date(jour, mois, annee));
    m_bd.EcritChampUnion(u, 5, Lieu(lieu));
  }

  const Commune& Village(bool breton) { return breton ? m_h.Parmi(kBretagne) : m_h.Parmi(kAnjou); }

  const Mot& Metier(int sexe, int annee) {
    if (annee >= 1900) return sexe == 0 ? m_h.Parmi(kMetiersVille) : m_h.Parmi(kMetiersVilleFemmes);
    return sexe == 0 ? m_h.Parmi(kMetiersRuraux) : m_h.Parmi(kMetiersRurauxFemmes);
  }

  // The ancestor of Sosa number `sosa` (generation g) of `enfant`, born
  // about a generation before `anneeEnfant`, with his or her own
  // ancestors, brothers and sisters. 0 when that line is not known.
  int Ascendants(int enfant, int sosa, int g, int anneeEnfant, bool cotePaternel) {
    if (g > 6 || (g == 6 && !m_h.Chance(60)) || (g == 5 && !m_h.Chance(85))) return 0;
    const bool homme = sosa % 2 == 0;
    const int sexe = homme ? 0 : 1;
    const int annee = anneeEnfant - (homme ? m_h.Entre(25, 36) : m_h.Entre(20, 32));
    // The father keeps the child's surname; a mother brings her own.
    std::string nom = homme ? m_bd.LitNom(enfant)
                            : (cotePaternel ? m_h.Parmi(kNomsBretons) : m_h.Parmi(kNomsAngevins));
    const bool breton = cotePaternel;
    const Commune lieu = g == 1 ? (cotePaternel ? kNantes : kAngers)
                       : g == 2 ? (cotePaternel ? kSaintNazaire : kCholet)
                                : Village(breton);
    // One draw after the other: the order of evaluation inside one
    // expression is not fixed, and the file must not depend on it.
    const std::string premier = homme ? m_h.Parmi(kPrenomsHommes) : m_h.Parmi(kPrenomsFemmes);
    // A second given name, never the first one again.
    std::string second = premier;
    while (second == premier) second = homme ? m_h.Parmi(kPrenomsHommes) : m_h.Parmi(kPrenomsFemmes);
    const std::string prenoms = premier + " " + second;
    const int n = Personne(nom, prenoms, sexe, annee, lieu);
    if (homme) m_bd.EcritPere(enfant, n);
    else m_bd.EcritMere(enfant, n);
    Profession(n, Metier(sexe, annee));
    const int mort = annee + m_h.Entre(48, 88);
    Deces(n, mort, g <= 1 ? kParis11 : lieu);
    const int pere = Ascendants(n, 2 * sosa, g + 1, annee, cotePaternel);
    const int mere = Ascendants(n, 2 * sosa + 1, g + 1, annee, cotePaternel);
    if (pere != 0 && mere != 0) {
      const Commune& village = g + 1 <= 2 ? lieu : Village(breton);
      Couple(pere, mere, annee - m_h.Entre(1, 3), village);
      Freres(pere, mere, annee, lieu, g + 1);
    }
    return n;
  }

  // The brothers and sisters of a child born `annee`: children of the same
  // couple born two or three years apart; some died young, some married.
  void Freres(int pere, int mere, int annee, const Commune& lieu, int g) {
    if (pere == 0 || mere == 0) return;
    const int anneeMere = DateAnnee(m_bd.LitDateNaissance(mere));
    const int nombre = m_h.Entre(0, 2);
    int an = annee;
    for (int i = 0; i < nombre; ++i) {
      an += (i % 2 == 0 ? -1 : 1) * m_h.Entre(2, 3) * (i / 2 + 1);
      // Within the mother's child-bearing years.
      an = std::clamp(an, anneeMere + 19, anneeMere + 42);
      const int sexe = m_h.Entre(0, 1);
      const std::string prenom = sexe == 0 ? m_h.Parmi(kPrenomsHommes) : m_h.Parmi(kPrenomsFemmes);
      const int f = Personne(m_bd.LitNom(pere), prenom, sexe, an, lieu);
      m_bd.EcritPere(f, pere);
      m_bd.EcritMere(f, mere);
      if (an < 1900 && m_h.Chance(30)) {
        Deces(f, an + m_h.Entre(0, 3), lieu);
        Note(f, {"D\xE9" "c\xE9" "d\xE9 en bas \xE2ge.", "Died in infancy."});
        continue;
      }
      Profession(f, Metier(sexe, an));
      Deces(f, an + m_h.Entre(50, 90), lieu);
      if (g <= 3 && m_h.Chance(45)) {
        // A married brother or sister, with the spouse's family name of the region.
        const bool breton = lieu.codePostal[0] == '2' || lieu.codePostal[0] == '5';
        const int sexeConjoint = 1 - sexe;
        const std::string nomConjoint = breton ? m_h.Parmi(kNomsBretons) : m_h.Parmi(kNomsAngevins);
        const std::string prenomConjoint =
            sexeConjoint == 0 ? m_h.Parmi(kPrenomsHommes) : m_h.Parmi(kPrenomsFemmes);
        const int anConjoint = an + m_h.Entre(-3, 3);
        const int c = Personne(nomConjoint, prenomConjoint, sexeConjoint, anConjoint, lieu);
        Profession(c, Metier(sexeConjoint, an));
        const int mari = sexe == 0 ? f : c, femme = sexe == 0 ? c : f;
        Couple(mari, femme, an + m_h.Entre(21, 27), lieu);
        if (m_h.Chance(70)) {
          const int sexeEnfant = m_h.Entre(0, 1);
          const std::string prenomEnfant =
              sexeEnfant == 0 ? m_h.Parmi(kPrenomsHommes) : m_h.Parmi(kPrenomsFemmes);
          const int anEnfant = an + m_h.Entre(24, 30);
          const int e = Personne(m_bd.LitNom(mari), prenomEnfant, sexeEnfant, anEnfant, lieu);
          m_bd.EcritPere(e, mari);
          m_bd.EcritMere(e, femme);
        }
      }
    }
  }

  // A few documents, as a genealogist gathers them.
  void Sources(int moi, int pere, int mere) {
    struct Document {
      int personne;
      Mot titre, abrege, texte;
    };
    const Document documents[] = {
        {moi, {"Livret de famille LE GALL - MOREAU", "Family record book LE GALL - MOREAU"},
         {"Livret de famille", "Family record book"},
         {"D\xE9livr\xE9 par la mairie de Versailles en 2001.", "Issued by the town hall of Versailles in 2001."}},
        {pere, {"Acte de naissance, \xE9tat civil de Nantes", "Birth certificate, Nantes civil registry"},
         {"Acte de naissance", "Birth certificate"},
         {"Copie int\xE9grale demand\xE9" "e en 1998.", "Full copy requested in 1998."}},
        {mere, {"Recensement de 1954, Angers", "1954 census, Angers"},
         {"Recensement", "Census"},
         {"La famille y figure au complet.", "The whole family is listed."}},
    };
    for (const Document& d : documents) {
      if (d.personne == 0) continue;
      const int s = m_bd.AjouteNouvelleSrc(d.personne);
      m_bd.EcritChampSrc(s, 1, m_l.Texte(d.titre));
      m_bd.EcritChampSrc(s, 3, m_l.Texte(d.abrege));
      m_bd.EcritChampSrc(s, 2, m_l.Texte(d.texte));
    }
    // The parish registers of the two sides, each cited by its oldest ancestors.
    struct Registre {
      Mot titre;
      const char* departement;  // as it stands in a coded place
    };
    const Registre registres[] = {
        {{"Registres paroissiaux du Finist\xE8re", "Parish registers of Finist\xE8re"}, ",F29,"},
        {{"Registres paroissiaux du Maine-et-Loire", "Parish registers of Maine-et-Loire"}, ",F49,"}};
    for (const Registre& r : registres) {
      const int s = m_bd.NouvelleSrc();
      m_bd.EcritChampSrc(s, 1, m_l.Texte(r.titre));
      m_bd.EcritChampSrc(s, 3, m_l.francais() ? "Registres paroissiaux" : "Parish registers");
      for (int n = m_bd.FicheSuivante(0); n != 0; n = m_bd.FicheSuivante(n)) {
        const std::string naissance = m_bd.LitDateNaissance(n);
        const bool ici = m_bd.LitLieuNaissance(n).find(r.departement) != std::string::npos;
        if (ici && naissance.size() >= 4 && naissance.substr(naissance.size() - 4) < "1830")
          m_bd.AjouteSrc(n, s);
      }
    }
  }

  const Langue& m_l;
  TBD& m_bd;
  Hasard m_h;
};

bool Ecrit(const std::string& modele, int langue) {
  TTraduction t;
  t.Langue = langue;
  if (!t.ChargeTraduction(modele + "/famora.tra")) {
    std::fprintf(stderr, "make_example_tree: %s/famora.tra is missing\n", modele.c_str());
    return false;
  }
  TBD bd;
  MotsEvenements(t, bd);
  Langue l;
  l.numero = langue;
  l.bd = &bd;
  Famille famille(l, 17891974u);
  famille.Construit();
  NumberTree(bd, bd.RefPers, 10, true, false);
  bd.DateCreeBase = "1/6/2026";
  const std::string chemin = modele + "/" + std::to_string(langue) + "/exemple/" + t.Msg(2206) + ".kdg";
  Statut s = EcritBase(bd, chemin, {bd.RefPers, t.Msg(2206)});
  if (!s) {
    std::fprintf(stderr, "make_example_tree: %s\n", s.message().c_str());
    return false;
  }
  std::remove((chemin + ".old").c_str());
  std::printf("%s: %d persons, %d unions, %d events, %d sources\n", chemin.c_str(),
              bd.NbreFichesUtilisees(), bd.NbreUnion(), bd.NbreEve(), bd.NbreSrc());
  return true;
}

}  // namespace
}  // namespace kindrela

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage: make_example_tree MODELE_FOLDER\n");
    return 2;
  }
  // The file records its save date: a fixed day makes the bytes reproducible.
  kindrela::FixeAujourdhui({2026, 6, 1, 12, 0, 0});
  const std::string modele = argv[1];
  for (int langue : {1, 2})
    if (!kindrela::Ecrit(modele, langue)) return 1;
  return 0;
}
