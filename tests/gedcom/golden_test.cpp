// The import, the export and the tree file give today exactly what they gave
// when the reference prints were taken: every GEDCOM file of the tests and
// of the fuzzing corpus imported in each character set and saved, every tree
// exported, every tree file loaded and saved again, each reduced to a print
// of its bytes (with the warnings the user would read).
//
// After a deliberate change of output, new prints are written with
//   KINDRELA_EMPREINTES=tests/gedcom/golden/empreintes.txt build/bin/gedcom_tests
//       --gtest_filter='Empreintes.*'
// and the difference is reviewed like any other change.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/type_tables.h"
#include "core/ansi_literal.h"
#include "core/clock.h"
#include "core/database.h"
#include "core/file_io.h"
#include "core/tree_file/tree_file_reader.h"
#include "core/tree_file/tree_file_version.h"
#include "core/tree_file/tree_file_writer.h"
#include "gedcom/gedcom_export.h"
#include "gedcom/gedcom_import.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

namespace fs = std::filesystem;

const std::string kSource = KINDRELA_SOURCE_DIR;
const std::string kEmpreintes = kSource + "/tests/gedcom/golden/empreintes.txt";

// FNV-1a, 64 bits: any change of a byte changes the print.
class Empreinte {
 public:
  Empreinte& operator<<(std::string_view octets) {
    for (unsigned char c : octets) m_h = (m_h ^ c) * 0x100000001b3ULL;
    m_taille += octets.size();
    m_h = (m_h ^ 0xFF) * 0x100000001b3ULL;  // so that "ab" + "c" differs from "a" + "bc"
    return *this;
  }
  std::string Texte() const {
    char t[48];
    std::snprintf(t, sizeof t, "%016llx %zu", static_cast<unsigned long long>(m_h), m_taille);
    return t;
  }

 private:
  uint64_t m_h = 0xcbf29ce484222325ULL;
  std::size_t m_taille = 0;
};

TTablesTypes Tables() {
  TTablesTypes tables;
  TTraduction traduction;
  tables.ChargeTexte(SorteTable::Evenements,
                     "Pour;Evénement;Balise;\r\nIndividu;Naissance;BIRT;\r\n"
                     "Individu;Baptême;BAPM;\r\nIndividu;Décès;DEAT;\r\n"
                     "Individu;Sépulture;BURI;\r\nIndividu;Résidence;RESI;\r\n"
                     "Union;Mariage;MARR;\r\nUnion;Divorce;DIV;\r\n"_ansi,
                     traduction);
  tables.ChargeTexte(SorteTable::Champs,
                     "Défaut;Champ;Balise;\r\nOUI;Profession;OCCU;\r\nNON;Titre;TITL;\r\n"
                     "NON;Religion;RELI;\r\n"_ansi,
                     traduction);
  return tables;
}

std::string Lit(const std::string& chemin) {
  std::string contenu;
  EXPECT_TRUE(LitFichier(chemin, contenu).ok()) << chemin;
  return contenu;
}

std::vector<std::string> Fichiers(const std::string& dossier, const std::string& extension) {
  std::vector<std::string> res;
  for (const auto& entree : fs::directory_iterator(dossier))
    if (entree.path().extension() == extension) res.push_back(entree.path().string());
  std::sort(res.begin(), res.end());
  return res;
}

std::string Nom(const std::string& chemin) { return fs::path(chemin).filename().string(); }

class Empreintes : public ::testing::Test {
 protected:
  void SetUp() override { FixeAujourdhui(Jour{2008, 1, 6}); }
  void TearDown() override { LibereAujourdhui(); }

  // The tree file as the command line's import writes it.
  static std::string Sauve(TBD& bd) {
    if (bd.RefPers == 0) bd.RefPers = bd.FicheSuivante(0);
    std::string octets;
    EXPECT_TRUE(OctetsBase(bd, {bd.RefPers, "look"}, {}, octets).ok());
    return octets;
  }

  // The tree file loaded and saved again. Loading fills the dates a file
  // left empty: from then on the file stays the same, byte for byte.
  static std::string Recharge(const std::string& octets) {
    auto relit = [](const std::string& fichier) {
      TBD bd;
      ResultatLecture r;
      EXPECT_TRUE(LitBase(bd, fichier, {}, r).ok());
      return Sauve(bd);
    };
    const std::string une = relit(octets);
    EXPECT_EQ(relit(une), une);
    return une;
  }

  void Importe(const std::string& nom, std::string_view contenu, TBD* garde = nullptr) {
    const JeuCaracteres jeux[] = {JeuCaracteres::Windows, JeuCaracteres::Dos, JeuCaracteres::Ansel,
                                  JeuCaracteres::Utf8};
    for (JeuCaracteres jeu : jeux) {
      for (bool majuscules : {false, true}) {
        TBD bd;
        bd.Vide();
        TGedcomHeader entete;
        OptionsImport options;
        options.jeu = jeu;
        options.majuscules = majuscules;
        ResultatImport r = ImportGedcomTexte(bd, m_tables, contenu, "/nulle-part/" + nom, options, entete);
        const std::string sauve = Sauve(bd);
        Empreinte e;
        e << sauve << r.statut.message();
        for (const std::string& a : r.avertissements) e << a;
        for (const std::string* t : {&entete.Source, &entete.Version, &entete.Produit, &entete.Societe,
                                     &entete.Date, &entete.VersionGedcom, &entete.Jeu, &entete.Langue,
                                     &entete.Note})
          e << *t;
        e << std::to_string(r.personnes.lus) + " " + std::to_string(r.unions.lus) + " " +
                 std::to_string(r.evenements.lus) + " " + std::to_string(r.sources.lus) + " " +
                 std::to_string(r.notesLiees) + " " + std::to_string(r.notesIntrouvables) + " " +
                 std::to_string(r.remplacements) + " " + std::to_string(r.lignesInvalides) + " " +
                 std::to_string(r.lignesLues);
        const std::string cas = nom + " " + NomJeu(jeu) + (majuscules ? " majuscules" : "");
        m_obtenues["import " + cas] = e.Texte();
        m_obtenues["relu " + cas] = (Empreinte() << Recharge(sauve)).Texte();
        if (garde && jeu == JeuCaracteres::Utf8 && !majuscules) *garde = std::move(bd);
      }
    }
  }

  void Exporte(const std::string& nom, const TBD& bd) {
    OptionsExportGedcom defaut;
    OptionsExportGedcom reduit;
    reduit.liensFamiliaux = false;
    reduit.notesEvenements = false;
    reduit.sansMoinsDeCentAns = true;
    reduit.auteur = true;
    reduit.identite = "Jean Dupont";
    reduit.adresse = "1 rue de la Paix\r\nParis\r\n";
    for (JeuCaracteres jeu : {JeuCaracteres::Ansel, JeuCaracteres::Dos, JeuCaracteres::Windows,
                              JeuCaracteres::Utf8}) {
      for (OptionsExportGedcom* options : {&defaut, &reduit}) {
        options->jeu = jeu;
        std::string texte;
        BilanEncodage bilan;
        ASSERT_TRUE(GenereGedcom(bd, m_tables, *options, texte, {}, &bilan));
        Empreinte e;
        e << texte << std::to_string(bilan.remplacees) << bilan.lettres;
        m_obtenues["export " + nom + " " + NomJeu(jeu) + (options == &reduit ? " reduit" : "")] =
            e.Texte();
      }
    }
  }

  TTablesTypes m_tables = Tables();
  std::map<std::string, std::string> m_obtenues;
};

TEST_F(Empreintes, DonnentCeQuIlsDonnaient) {
  std::vector<std::string> geds = Fichiers(kSource + "/fuzz/corpus/gedcom_import", ".ged");
  for (const std::string& f : Fichiers(kSource + "/tests/gedcom/golden", ".ged")) geds.push_back(f);
  ASSERT_GE(geds.size(), 9u);
  for (const std::string& chemin : geds) {
    TBD importe;
    Importe(Nom(chemin), Lit(chemin), &importe);
    Exporte(Nom(chemin), importe);
  }

  std::vector<std::string> arbres = Fichiers(kSource + "/fuzz/corpus/tree_file", ".kdg");
  arbres.push_back(kSource + "/data/modele/1/exemple/Standard.kdg");
  for (const std::string& chemin : arbres) {
    const std::string octets = Lit(chemin);
    TBD bd;
    ResultatLecture r;
    ASSERT_TRUE(LitArbre(bd, octets, VersionDesOctets(octets), {}, r).ok()) << chemin;
    const std::string sauve = Sauve(bd);
    m_obtenues["arbre " + Nom(chemin)] = (Empreinte() << sauve).Texte();
    m_obtenues["relu " + Nom(chemin)] = (Empreinte() << Recharge(sauve)).Texte();
    Exporte(Nom(chemin), bd);
    // The export of a real tree read back, in the sets that hold its letters.
    for (JeuCaracteres jeu : {JeuCaracteres::Ansel, JeuCaracteres::Utf8}) {
      OptionsExportGedcom options;
      options.jeu = jeu;
      std::string texte;
      ASSERT_TRUE(GenereGedcom(bd, m_tables, options, texte));
      Importe(Nom(chemin) + ".ged" + NomJeu(jeu), texte);
    }
  }

  if (const char* cible = std::getenv("KINDRELA_EMPREINTES")) {
    std::ofstream sortie(cible, std::ios::binary);
    for (const auto& [cas, empreinte] : m_obtenues) sortie << cas << '\t' << empreinte << '\n';
    GTEST_SKIP() << m_obtenues.size() << " prints written to " << cible;
  }
  std::map<std::string, std::string> attendues;
  std::istringstream lignes(Lit(kEmpreintes));
  for (std::string ligne; std::getline(lignes, ligne);) {
    const std::size_t tab = ligne.find('\t');
    if (tab != std::string::npos) attendues[ligne.substr(0, tab)] = ligne.substr(tab + 1);
  }
  ASSERT_FALSE(attendues.empty()) << kEmpreintes;
  for (const auto& [cas, empreinte] : attendues) {
    auto it = m_obtenues.find(cas);
    if (it == m_obtenues.end()) ADD_FAILURE() << "no longer made: " << cas;
    else EXPECT_EQ(it->second, empreinte) << cas;
  }
  for (const auto& [cas, empreinte] : m_obtenues)
    EXPECT_TRUE(attendues.count(cas)) << "no reference print: " << cas;
}

}  // namespace
}  // namespace kindrela
