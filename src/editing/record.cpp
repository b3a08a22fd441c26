#include "editing/record.h"

#include "core/database.h"
#include "core/text.h"
#include "dates/dates.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

bool PersonneValide(const TBD& bd, int n) { return n >= 1 && n <= bd.NbreFiche(); }
bool UnionValide(const TBD& bd, int u) { return u >= 1 && u <= bd.NbreUnion(); }

int Position(std::string_view tab, int e) {
  const int nbre = NbreEntrees(tab);
  for (int k = 1; k <= nbre; ++k)
    if (LitEntree(tab, k) == e) return k;
  return 0;
}

}  // namespace

// ---------------------------------------------------------------------------

void FicheModifiee(TBD& bd, int n) {
  bd.BaseModifiee = 1;
  bd.EcritChamp(n, 22, DateDuJour());
}

bool AssureDateCreation(TBD& bd, int n) {
  if (!PersonneValide(bd, n) || !bd.LitChamp(n, 21).empty()) return false;
  const std::string aujourdhui = DateDuJour();
  bd.EcritChamp(n, 21, aujourdhui);
  bd.EcritChamp(n, 22, aujourdhui);
  return true;
}

std::string LigneDates(const TBD& bd, int n, const TTraduction& traduction,
                       std::string_view formatDate) {
  const std::string creation = bd.LitChamp(n, 21);
  const std::string modification = bd.LitChamp(n, 22);
  std::string ligne = traduction.Msg(105) + " " + DateAffichee(creation, formatDate);
  if (!modification.empty() && modification != creation)
    ligne += " " + traduction.Msg(106) + " " + DateAffichee(modification, formatDate);
  return ligne;
}

std::string LibelleNumero(std::string_view numero, const TTraduction& traduction) {
  if (numero.empty()) return {};
  const int message = numero.find('/') == std::string_view::npos ? 103 : 104;
  return traduction.Msg(message) + " : " + std::string(numero);
}

LegendesOnglets LegendesDesOnglets(const TBD& bd, int n, const TTraduction& traduction) {
  auto legende = [&](int message, bool contenu) {
    return traduction.Msg(message) + (contenu ? "+" : "");
  };
  LegendesOnglets l;
  l.evenements = legende(114, bd.NbreEveFiche(n) > 0);
  l.note = legende(115, !bd.LitChamp(n, 18).empty());
  l.unions = legende(116, HasUnion(bd, n));
  l.sources = legende(117, bd.NbreSrcFiche(n) > 0);
  return l;
}

// ---------------------------------------------------------------------------

bool SexeModifiable(const TBD& bd, int n) { return !HasChildren(bd, n) && !HasUnion(bd, n); }

int SexeApresClic(int sexe) { return sexe == 0 ? 1 : 0; }

int MessageSexe(int sexe) { return sexe == 0 ? 101 : 102; }

int NiveauDeTexte(std::string_view texte) {
  const int niveau = TexteVersEntier(texte, 0);
  return niveau >= 0 && niveau < kNbreNiveaux ? niveau : 0;
}

int NiveauSuivant(int niveau) { return niveau >= 0 && niveau < kNbreNiveaux - 1 ? niveau + 1 : 0; }

int MessageNiveau(int niveau) {
  return 120 + (niveau >= 0 && niveau < kNbreNiveaux ? niveau : 0);
}

TCouleur CouleurNiveau(int niveau) {
  static constexpr TCouleur kCouleurs[kNbreNiveaux] = {Rgb(0, 255, 0), Rgb(255, 255, 0),
                                                       Rgb(255, 128, 0), Rgb(255, 0, 0)};
  return kCouleurs[niveau >= 0 && niveau < kNbreNiveaux ? niveau : 0];
}

// ---------------------------------------------------------------------------

int PositionEveFiche(const TBD& bd, int n, std::string_view nature) {
  const int nbre = bd.NbreEveFiche(n);
  for (int k = 1; k <= nbre; ++k)
    if (bd.LitEveFiche(n, k, 1) == nature) return k;
  return 0;
}

int PositionEveUnion(const TBD& bd, int u, std::string_view nature) {
  const int nbre = bd.NbreEveUnion(u);
  for (int k = 1; k <= nbre; ++k)
    if (bd.LitEveUnion(u, k, 1) == nature) return k;
  return 0;
}

EveAssure AssureEveFiche(TBD& bd, int n, std::string_view nature) {
  EveAssure r;
  if (nature.empty() || !PersonneValide(bd, n)) return r;
  r.position = PositionEveFiche(bd, n, nature);
  if (r.position == 0) {
    if (bd.AjouteEveFiche(n) == 0) return r;
    r.position = bd.NbreEveFiche(n);
    bd.EcritEveFiche(n, r.position, 1, nature);
    r.cree = true;
  }
  r.numero = LitEntree(bd.Fiche(n).TabEve, r.position);
  return r;
}

EveAssure AssureEveUnion(TBD& bd, int u, std::string_view nature) {
  EveAssure r;
  if (nature.empty() || !UnionValide(bd, u) || !bd.Union(u).Utilise) return r;
  r.position = PositionEveUnion(bd, u, nature);
  if (r.position == 0) {
    if (bd.AjouteEveUnion(u) == 0) return r;
    r.position = bd.NbreEveUnion(u);
    bd.EcritEveUnion(u, r.position, 1, nature);
    r.cree = true;
  }
  r.numero = LitEntree(bd.Union(u).TabEve, r.position);
  return r;
}

bool EveSansDonnees(const TBD& bd, int e) {
  for (int f = 2; f <= 5; ++f)
    if (!bd.LitChampEve(e, f).empty()) return false;
  return true;
}

bool RetireEveVideFiche(TBD& bd, int n, int e) {
  if (!PersonneValide(bd, n) || e <= 0) return false;
  const int k = Position(bd.Fiche(n).TabEve, e);
  if (k == 0 || !EveSansDonnees(bd, e)) return false;
  bd.RetireEveFiche(n, k);
  return true;
}

bool RetireEveVideUnion(TBD& bd, int u, int e) {
  if (!UnionValide(bd, u) || e <= 0) return false;
  const int k = Position(bd.Union(u).TabEve, e);
  if (k == 0 || !EveSansDonnees(bd, e)) return false;
  bd.RetireEveUnion(u, k);
  return true;
}

bool EcritSaisieEveFiche(TBD& bd, int n, int k, const SaisieEve& saisie,
                         std::string_view formatDate) {
  const size_t ancienLieu = bd.LitEveFiche(n, k, 4).size();
  bd.EcritEveFiche(n, k, 2, DateInterne(saisie.date, formatDate));
  bd.EcritEveFiche(n, k, 3, saisie.heure);
  bd.EcritEveFiche(n, k, 4, saisie.lieu);
  bd.EcritEveFiche(n, k, 5, TexteNote(saisie.note));
  return saisie.lieu.size() < ancienLieu;
}

bool EcritSaisieEveUnion(TBD& bd, int u, int k, const SaisieEve& saisie,
                         std::string_view formatDate) {
  const size_t ancienLieu = bd.LitEveUnion(u, k, 4).size();
  bd.EcritEveUnion(u, k, 2, DateInterne(saisie.date, formatDate));
  bd.EcritEveUnion(u, k, 3, saisie.heure);
  bd.EcritEveUnion(u, k, 4, saisie.lieu);
  bd.EcritEveUnion(u, k, 5, TexteNote(saisie.note));
  return saisie.lieu.size() < ancienLieu;
}

// ---------------------------------------------------------------------------

std::string TexteNote(std::string_view memo) {
  std::string texte;
  texte.reserve(memo.size() + memo.size() / 16);
  for (size_t i = 0; i < memo.size(); ++i) {
    const char c = memo[i];
    if (c == '\r') {
      texte += "\r\n";
      if (i + 1 < memo.size() && memo[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      texte += "\r\n";
    } else {
      texte += c;
    }
  }
  while (!texte.empty() && (texte.back() == ' ' || texte.back() == '\r' || texte.back() == '\n'))
    texte.pop_back();
  return texte;
}

std::string NoteAffichee(std::string_view note) {
  std::string texte;
  texte.reserve(note.size());
  for (size_t i = 0; i < note.size(); ++i) {
    if (note[i] == '\r') {
      texte += '\n';
      if (i + 1 < note.size() && note[i + 1] == '\n') ++i;
    } else {
      texte += note[i];
    }
  }
  return texte;
}

// ---------------------------------------------------------------------------

TR FratrieTriee(const TBD& bd, int n) {
  TR liste = SiblingsOf(bd, n);
  SortByColumnText(bd, liste, 3);
  SortByDateColumn(bd, liste, 6);
  return liste;
}

TR EnfantsTries(const TBD& bd, int n) {
  TR liste = ChildrenOf(bd, n);
  SortByColumnText(bd, liste, 3);
  SortByDateColumn(bd, liste, 6);
  return liste;
}

int ConjointDansUnion(const TBD& bd, int u, int n) {
  const int mari = bd.LitNumH(u);
  const int femme = bd.LitNumF(u);
  int conjoint = bd.LitSexe(n) == 0 ? femme : mari;
  // A union stored the other way round (a woman as husband) still names the other partner.
  if (conjoint == n) conjoint = conjoint == mari ? femme : mari;
  return conjoint;
}

std::vector<std::string> ResumePersonne(const TBD& bd, int n, const TTraduction& traduction,
                                        std::string_view formatDate) {
  std::vector<std::string> lignes;
  if (!bd.FicheUtilisee(n)) return lignes;
  lignes.push_back(bd.LitNom(n) + " " + bd.LitPrenoms(n));
  if (std::string profession = bd.LitProfession(n); !profession.empty())
    lignes.push_back(std::move(profession));
  auto ajoute = [&](int mot, const std::string& valeur) {
    if (!valeur.empty()) lignes.push_back(traduction.Msg(mot) + ": " + valeur);
  };
  ajoute(620, DateAffichee(bd.LitDateNaissance(n), formatDate));
  ajoute(630, bd.LitLieuNaissance(n));
  ajoute(640, DateAffichee(bd.LitDateDeces(n), formatDate));
  ajoute(641, bd.LitLieuDeces(n));
  return lignes;
}

// ---------------------------------------------------------------------------

std::array<bool, kNbreEntreesMenuPersonne> EntreesVisibles(const EtatMenuPersonne& e) {
  std::array<bool, kNbreEntreesMenuPersonne> v{};
  switch (e.controle) {
    case ControleFiche::Pere:
    case ControleFiche::Mere:
      v[kMenuSelectionner] = e.parentConnu;
      v[kMenuReference] = e.parentConnu && e.arbreVisible;
      v[kMenuCreer] = !e.parentConnu;
      v[kMenuRechercher] = e.nbreFiches > 1;
      v[kMenuSupprimer] = e.parentConnu;
      v[kMenuEffacerLien] = e.parentConnu;
      break;
    case ControleFiche::Nom:
    case ControleFiche::Prenoms:
      v[kMenuSelectionner] = false;
      v[kMenuReference] = true;
      v[kMenuCreer] = !e.personneAffichee;
      v[kMenuRechercher] = true;
      v[kMenuSupprimer] = e.nbreFiches > 1;
      v[kMenuEffacerLien] = false;
      break;
    case ControleFiche::Enfant:
    case ControleFiche::Fratrie:
    case ControleFiche::Union: {
      const bool place = e.nbreFiches < e.capaciteFiches;
      v[kMenuSelectionner] = e.entreeReelle;
      v[kMenuReference] = e.entreeReelle && e.arbreVisible;
      v[kMenuCreer] = place;
      v[kMenuRechercher] = place;
      v[kMenuSupprimer] = e.entreeReelle;
      v[kMenuEffacerLien] = e.entreeReelle;
      break;
    }
  }
  return v;
}

}  // namespace kindrela
