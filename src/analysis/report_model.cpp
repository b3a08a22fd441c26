#include "analysis/report_model.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/ansi_literal.h"
#include "core/file_io.h"
#include "core/text.h"
#include "i18n/translation.h"

namespace kindrela {

namespace {

constexpr std::string_view kSectionKindrela = "Kindrela";
constexpr std::string_view kSectionColonne = "Colonne";
constexpr std::string_view kSectionSelection = "Selection";
constexpr int kMaxColonnes = 1000;

std::string Cle(std::string_view mot, int i) { return std::string(mot) + " " + std::to_string(i); }

// "1 er degré", else n " ème degrés".
std::string Degre(int n) {
  if (n == 1) return "1 er degré"_ansi;
  return std::to_string(n) + " ème degrés"_ansi;
}

TR SansAbsents(const TBD& bd, const TR& l) {
  TR r(std::max(l.Capacite(), 1));
  for (int p : l)
    if (bd.FicheUtilisee(p)) r.Add(p);
  return r;
}

}  // namespace

// ---------------------------------------------------------------------------
// Column model

void LitModeleColonnes(const FichierIni& ini, TModeleColonnes& modele, std::string_view typeDefaut) {
  if (ini.LitTexte(kSectionKindrela, "Version", "") != "2") {
    const int n = std::clamp(ini.LitEntier("Critere", "Colonne", 1), 0, kMaxColonnes);
    modele.colonnes.assign(static_cast<size_t>(n), TColonneModele{});
    return;
  }
  const int n = ini.LitEntier(kSectionColonne, "Nbre", -1);
  if (n < 0) return;
  modele.colonnes.clear();
  for (int i = 1; i <= std::min(n, kMaxColonnes); ++i) {
    TColonneModele c;
    c.titre = ini.LitTexte(kSectionColonne, Cle("Titre", i), "");
    c.code = ini.LitTexte(kSectionColonne, Cle("Code", i), "");
    c.type = ini.LitTexte(kSectionColonne, Cle("Type", i), typeDefaut);
    c.largeur = ini.LitEntier(kSectionColonne, Cle("Large", i), 100);
    modele.colonnes.push_back(std::move(c));
  }
}

void EcritModeleColonnes(FichierIni& ini, const TModeleColonnes& modele, int colonnesGrille) {
  ini.EcritEntier(kSectionKindrela, "Version", 2);
  ini.EffaceSection(kSectionColonne);
  ini.EcritEntier(kSectionColonne, "Nbre", static_cast<int>(modele.colonnes.size()));
  int i = 0;
  for (const TColonneModele& c : modele.colonnes) {
    ++i;
    ini.EcritTexte(kSectionColonne, Cle("Titre", i), c.titre);
    ini.EcritTexte(kSectionColonne, Cle("Code", i), c.code);
    ini.EcritTexte(kSectionColonne, Cle("Type", i), c.type);
    if (i <= colonnesGrille) ini.EcritEntier(kSectionColonne, Cle("Large", i), c.largeur);
  }
}

TriColonne TriDuType(const TTraduction& t, std::string_view type) {
  if (type == t.Msg(572)) return TriColonne::Date;
  if (type == t.Msg(573)) return TriColonne::Nombre;
  return TriColonne::Texte;
}

std::vector<std::string> ListeModeles(const std::string& dossier, std::string_view extension) {
  std::vector<std::string> noms;
  std::error_code ec;
  std::filesystem::directory_iterator it(CheminSysteme(dossier), ec);
  if (ec) return noms;
  for (const auto& entree : it) {
    if (!entree.is_regular_file(ec)) continue;
    // Back to the program's text, so that accented names survive.
    const std::string nom = Utf8VersAnsi(entree.path().filename().string());
    const std::string ext = ExtensionDe(nom);
    if (!EgalSansCasse(ext, extension)) continue;
    noms.push_back(MinusculesAnsi(nom.substr(0, nom.size() - ext.size())));
  }
  std::sort(noms.begin(), noms.end());
  return noms;
}

std::vector<std::string> ListeModeles(const std::string& dossierUtilisateur, const std::string& dossierInstalle,
                                      std::string_view extension) {
  std::vector<std::string> noms = ListeModeles(dossierUtilisateur, extension);
  for (std::string& n : ListeModeles(dossierInstalle, extension)) noms.push_back(std::move(n));
  std::sort(noms.begin(), noms.end());
  noms.erase(std::unique(noms.begin(), noms.end()), noms.end());
  return noms;
}

// ---------------------------------------------------------------------------
// Filling the grid

TRemplissage RemplitGrille(const TContexteModele& ctx, const TTraduction& t,
                           const TModeleColonnes& modele, const TR& liste, TGrilleRapport& grille,
                           const Progression& progression) {
  std::vector<TColonneRapport> colonnes;
  for (const TColonneModele& c : modele.colonnes)
    colonnes.push_back({c.titre, c.largeur, TriDuType(t, c.type)});
  grille.DefinitColonnes(std::move(colonnes));
  grille.ReserveLignes(liste.Count());
  TRemplissage r;
  int k = 0;
  for (int p : liste) {
    std::vector<std::string> cellules;
    cellules.reserve(modele.colonnes.size());
    for (const TColonneModele& c : modele.colonnes) cellules.push_back(ExpandTemplate(ctx, p, c.code));
    grille.AjouteLigne(std::move(cellules), p);
    if (++k % 50 == 0 && progression && !progression(k, liste.Count())) {
      r.annule = true;
      break;
    }
  }
  return r;
}

std::string LegendeListe(const TTraduction& t, std::string_view titre, int nbre) {
  return std::string(titre) + " " + FormateMsg(t.Msg(599), {std::to_string(nbre)});
}

// ---------------------------------------------------------------------------
// Advanced search

const std::array<std::string_view, 15> kOperateursRecherche = {
    "texte égal à"_ansi,      "texte different de",     "texte contient",
    "texte ne contient",      "texte commence par",     "texte inférieur à"_ansi,
    "texte supérieur à"_ansi, "date égale à"_ansi,      "date différente de"_ansi,
    "date inférieure à"_ansi, "date supérieure à"_ansi, "nombre égal à"_ansi,
    "nombre different de",    "nombre inférieur à"_ansi, "nombre supérieur à"_ansi,
};

void LitRecherche(const FichierIni& ini, TRechercheAvancee& r) {
  r.dansRapport = ini.LitTexte(kSectionSelection, "Rech", "Tous") != "Tous";
  r.titre = ini.LitTexte(kSectionSelection, "Titre", "Rapport personnalisé"_ansi);
  for (int i = 1; i <= 3; ++i) {
    TCondition& c = r.conditions[static_cast<size_t>(i - 1)];
    c.code = ini.LitTexte(kSectionSelection, Cle("Code", i), "");
    c.test = ini.LitEntier(kSectionSelection, Cle("Test", i), -1);
    if (c.test < 0 || c.test > 14) c.test = -1;
    c.valeur = ini.LitTexte(kSectionSelection, Cle("Valeur", i), "");
  }
  for (int i = 1; i <= 2; ++i) {
    const std::string v = ini.LitTexte(kSectionSelection, Cle("EtOu", i), "X");
    r.etOu[static_cast<size_t>(i - 1)] = v == "ET" ? EtOu::Et : v == "OU" ? EtOu::Ou : EtOu::Aucun;
  }
}

void EcritRecherche(FichierIni& ini, const TRechercheAvancee& r) {
  ini.EcritEntier(kSectionKindrela, "Version", 2);
  ini.EcritTexte(kSectionSelection, "Rech", r.dansRapport ? "Rapport" : "Tous");
  ini.EcritTexte(kSectionSelection, "Titre", r.titre);
  for (int i = 1; i <= 3; ++i) {
    const TCondition& c = r.conditions[static_cast<size_t>(i - 1)];
    ini.EcritTexte(kSectionSelection, Cle("Code", i), c.code);
    ini.EcritEntier(kSectionSelection, Cle("Test", i), c.test);
    ini.EcritTexte(kSectionSelection, Cle("Valeur", i), c.valeur);
  }
  for (int i = 1; i <= 2; ++i) {
    const EtOu e = r.etOu[static_cast<size_t>(i - 1)];
    ini.EcritTexte(kSectionSelection, Cle("EtOu", i), e == EtOu::Et ? "ET" : e == EtOu::Ou ? "OU" : "vide");
  }
}

bool EvalueRecherche(const TContexteModele& ctx, const TRechercheAvancee& r, const TR* rapport,
                     TR& resultat) {
  const TCondition& c1 = r.conditions[0];
  if (!c1.Complete()) return false;
  const TR base = r.dansRapport ? (rapport ? *rapport : TR(1)) : AllPersons(ctx.bd);
  TR res = FilterList(ctx, base, c1.code, c1.valeur, c1.test);
  for (size_t k = 0; k < 2; ++k) {
    const EtOu e = r.etOu[k];
    const TCondition& c = r.conditions[k + 1];
    if (e == EtOu::Aucun || !c.Complete()) break;
    TR autre = FilterList(ctx, base, c.code, c.valeur, c.test);
    res = e == EtOu::Et ? Intersect(res, autre) : Merge(res, autre);
  }
  resultat = std::move(res);
  return true;
}

bool RechercheSuspendue(const TRechercheAvancee& r) {
  for (const TCondition& c : r.conditions)
    if (c.code.empty() && !c.valeur.empty()) return true;
  return false;
}

// ---------------------------------------------------------------------------
// Kinship selections

const std::array<std::string_view, kNbreSelections> kSelectionsParente = {
    "Toutes les personnes",
    "L'ascendance sur X génération(s)"_ansi,
    "La descendance sur X génération(s)"_ansi,
    "Les parents",
    "La fratrie",
    "Les enfants",
    "Les unions",
    "Les oncles/tantes",
    "Les cousins/cousines",
    "Les ascendants à un degré donné"_ansi,
    "Les descendants à un degré donné"_ansi,
    "Les ascendants sans aucun parent",
    "Les ascendants dont il manque au moins un parent",
    "Les descendants sans enfant",
    "Les personnes affichées dans l'arbre"_ansi,
};

bool SelectionAvecGenerations(int sorte) {
  return sorte == 1 || sorte == 2 || (sorte >= 7 && sorte <= 10);
}

TSelection SelectionParente(const TBD& bd, int sorte, int s, int n, bool trie, const TR* ecran) {
  n = std::clamp(n, 1, 99);
  const std::string nom = bd.NomCourt(s);
  const std::string gen = std::to_string(n);
  TSelection r;
  auto remonte = [&](TR l, int fois) {
    for (int i = 0; i < fois; ++i) l = ParentsOfList(bd, l);
    return l;
  };
  auto descend = [&](TR l, int fois) {
    for (int i = 0; i < fois; ++i) l = ChildrenOfList(bd, l);
    return l;
  };
  switch (sorte) {
    case 0:
      r.liste = AllPersons(bd);
      r.titre = "Toutes les personnes";
      break;
    case 1:
      r.liste = AncestorsWithin(bd, s, n);
      r.titre = n == 1 ? "Les parents de " + nom
                       : "L'ascendance de " + nom + " sur " + gen + " générations"_ansi;
      break;
    case 2:
      r.liste = DescendantsWithin(bd, s, n);
      r.titre = n == 1 ? "Les enfants de " + nom
                       : "La descendance de " + nom + " sur " + gen + " générations"_ansi;
      break;
    case 3: r.liste = ParentsOf(bd, s); r.titre = "Les parents de " + nom; break;
    case 4: r.liste = SiblingsOf(bd, s); r.titre = "La fratrie de " + nom; break;
    case 5: r.liste = ChildrenOf(bd, s); r.titre = "Les enfants de " + nom; break;
    case 6: r.liste = SpousesOf(bd, s); r.titre = "Les unions de " + nom; break;
    case 7:
      r.liste = SiblingsOfList(bd, remonte(ParentsOf(bd, s), n - 1));
      r.titre = "Les oncles et les tantes de " + nom + " au " + Degre(n);
      break;
    case 8:
      r.liste = descend(SiblingsOfList(bd, remonte(ParentsOf(bd, s), n - 1)), n);
      r.titre = "Les cousins et les cousines de " + nom + " au " + Degre(n);
      break;
    case 9:
      r.liste = remonte(ParentsOf(bd, s), n - 1);
      r.titre = Degre(n) + " des ascendants de " + nom;
      break;
    case 10:
      r.liste = descend(ChildrenOf(bd, s), n - 1);
      r.titre = Degre(n) + " des descendants de " + nom;
      break;
    case 11:
      r.liste = TopAncestors(bd, s);
      r.titre = "Les ascendants de " + nom + " sans aucun parent";
      break;
    case 12:
      r.liste = OpenAncestors(bd, s);
      r.titre = "Les ascendants de " + nom + " dont il manque au moins un parent";
      break;
    case 13:
      r.liste = LeafDescendants(bd, s);
      r.titre = "Les descendants de " + nom + " sans enfants";
      break;
    case 14:
      r.liste = ecran ? *ecran : TR(1);
      r.titre = "Les personnes affichées dans l'arbre de "_ansi + nom;
      break;
    default:
      r.liste = AncestorsWithin(bd, s, 0);
      r.titre = "La personne";
      break;
  }
  // Unions without a partner and records no longer in use give no row.
  r.liste = SansAbsents(bd, r.liste);
  if (trie) SortByColumnText(bd, r.liste, 25);
  return r;
}

}  // namespace kindrela
