#include "analysis/type_tables.h"

#include <cassert>
#include <utility>

#include "core/file_io.h"
#include "core/ini_file.h"
#include "core/text.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

constexpr int kMsgIndividu = 707;
constexpr int kMsgUnion = 708;
constexpr std::string_view kCleOui = "OUI";
constexpr std::string_view kCleNon = "NON";

// A cell as it can be written back: no separator, no line break.
std::string CelluleEcrite(const std::string& cellule) {
  std::string out = cellule;
  for (char& c : out) {
    if (c == ';') c = ',';
    else if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

const std::string& CelluleDe(const LigneTable& ligne, int colonne) {
  static const std::string kVide;
  return static_cast<size_t>(colonne) < ligne.size() ? ligne[static_cast<size_t>(colonne)] : kVide;
}

}  // namespace

int NbreColonnes(SorteTable sorte) { return sorte == SorteTable::Sources ? 1 : 3; }

const std::string& CheminsTablesTypes::Utilisateur(SorteTable sorte) const {
  switch (sorte) {
    case SorteTable::Evenements: return eve;
    case SorteTable::Champs: return chp;
    case SorteTable::Sources: break;
  }
  return src;
}

const std::string& CheminsTablesTypes::Defaut(SorteTable sorte) const {
  switch (sorte) {
    case SorteTable::Evenements: return defEve;
    case SorteTable::Champs: return defChp;
    case SorteTable::Sources: break;
  }
  return defSrc;
}

GrilleTable LitGrille(std::string_view texte, int nbreColonnes) {
  assert(nbreColonnes > 0 && "a table has at least one column");
  GrilleTable grille;
  for (const std::string& ligne : DecoupeLignes(texte)) {
    if (ligne.empty()) continue;
    std::string_view utile = ligne;
    if (utile.back() == ';') utile.remove_suffix(1);
    LigneTable cellules = Decoupe(utile, ';');
    cellules.resize(static_cast<size_t>(nbreColonnes));
    grille.push_back(std::move(cellules));
  }
  return grille;
}

std::string TexteGrille(const GrilleTable& grille) {
  std::string texte;
  for (const LigneTable& ligne : grille) {
    for (const std::string& cellule : ligne) {
      texte += CelluleEcrite(cellule);
      texte += ';';
    }
    texte += "\r\n";
  }
  return texte;
}

Statut TTablesTypes::Charge(SorteTable sorte, const CheminsTablesTypes& chemins,
                            const TTraduction& traduction) {
  std::string contenu;
  const std::string& utilisateur = chemins.Utilisateur(sorte);
  if (!utilisateur.empty() && FichierExiste(utilisateur) && LitFichier(utilisateur, contenu).ok()) {
    GrilleTable grille = LitGrille(contenu, NbreColonnes(sorte));
    // A file without a single row (not even the titles) is no table.
    if (!grille.empty()) {
      Grille(sorte) = std::move(grille);
      NormaliseColonne0(sorte, traduction);
      return Statut::Ok();
    }
  }
  Statut s = ChargeDefaut(sorte, chemins, traduction);
  if (!s) Grille(sorte).clear();
  return s;
}

Statut TTablesTypes::ChargeTout(const CheminsTablesTypes& chemins, const TTraduction& traduction) {
  Statut premier = Statut::Ok();
  for (SorteTable sorte : {SorteTable::Evenements, SorteTable::Champs, SorteTable::Sources}) {
    Statut s = Charge(sorte, chemins, traduction);
    if (!s && premier.ok()) premier = std::move(s);
  }
  return premier;
}

Statut TTablesTypes::ChargeDefaut(SorteTable sorte, const CheminsTablesTypes& chemins,
                                  const TTraduction& traduction) {
  const std::string& defaut = chemins.Defaut(sorte);
  std::string contenu;
  if (defaut.empty() || !FichierExiste(defaut))
    return Statut::Erreur("Fichier introuvable : " + defaut);
  Statut s = LitFichier(defaut, contenu);
  if (!s) return s;
  ChargeTexte(sorte, contenu, traduction);
  return Statut::Ok();
}

void TTablesTypes::ChargeTexte(SorteTable sorte, std::string_view texte,
                               const TTraduction& traduction) {
  Grille(sorte) = LitGrille(texte, NbreColonnes(sorte));
  NormaliseColonne0(sorte, traduction);
}

Statut TTablesTypes::Enregistre(SorteTable sorte, const CheminsTablesTypes& chemins) const {
  const std::string& chemin = chemins.Utilisateur(sorte);
  if (chemin.empty()) return Statut::Erreur("Aucun fichier pour enregistrer la table.");
  // A table that could not be loaded has no title row either; writing it
  // would hide the default file at the next start.
  if (Grille(sorte).empty()) return Statut::Ok();
  return EcritFichierAtomique(chemin, TexteGrille(Grille(sorte)));
}

Statut TTablesTypes::EnregistreTout(const CheminsTablesTypes& chemins) const {
  Statut premier = Statut::Ok();
  for (SorteTable sorte : {SorteTable::Evenements, SorteTable::Champs, SorteTable::Sources}) {
    Statut s = Enregistre(sorte, chemins);
    if (!s && premier.ok()) premier = std::move(s);
  }
  return premier;
}

void TTablesTypes::NormaliseColonne0(SorteTable sorte, const TTraduction& traduction) {
  std::string premier, second;
  switch (sorte) {
    case SorteTable::Evenements:
      premier = traduction.Msg(kMsgIndividu);
      second = traduction.Msg(kMsgUnion);
      break;
    case SorteTable::Champs:
      // Anything not understood falls back to "not proposed", the second word.
      premier = traduction.MsgCle(kCleNon);
      second = traduction.MsgCle(kCleOui);
      break;
    case SorteTable::Sources: return;
  }
  GrilleTable& grille = Grille(sorte);
  for (size_t r = 1; r < grille.size(); ++r) {
    LigneTable& ligne = grille[r];
    if (ligne.empty()) ligne.resize(static_cast<size_t>(NbreColonnes(sorte)));
    if (ligne[0] != premier && ligne[0] != second) ligne[0] = premier;
  }
}

std::string TTablesTypes::Cherche(SorteTable sorte, int de, int vers, std::string_view cle) const {
  if (cle.empty()) return {};
  const GrilleTable& grille = Grille(sorte);
  for (size_t r = 1; r < grille.size(); ++r)
    if (CelluleDe(grille[r], de) == cle) return CelluleDe(grille[r], vers);
  return {};
}

std::string TTablesTypes::TagEvenement(std::string_view nature) const {
  return Cherche(SorteTable::Evenements, 1, 2, nature);
}
std::string TTablesTypes::EvenementDeTag(std::string_view tag) const {
  return Cherche(SorteTable::Evenements, 2, 1, tag);
}
std::string TTablesTypes::TagChamp(std::string_view champ) const {
  return Cherche(SorteTable::Champs, 1, 2, champ);
}
std::string TTablesTypes::ChampDeTag(std::string_view tag) const {
  return Cherche(SorteTable::Champs, 2, 1, tag);
}

std::string TTablesTypes::ChampsParDefaut(const TTraduction& traduction) const {
  const std::string oui = traduction.MsgCle(kCleOui);
  std::string champs;
  const GrilleTable& grille = Grille(SorteTable::Champs);
  for (size_t r = 1; r < grille.size(); ++r) {
    const std::string& nom = CelluleDe(grille[r], 1);
    if (nom.empty() || !EgalSansCasse(CelluleDe(grille[r], 0), oui)) continue;
    champs += "t|" + nom + "||";
  }
  return champs;
}

std::vector<std::string> TTablesTypes::Natures(std::string_view categorie) const {
  std::vector<std::string> noms;
  const GrilleTable& grille = Grille(SorteTable::Evenements);
  for (size_t r = 1; r < grille.size(); ++r)
    if (CelluleDe(grille[r], 0) == categorie) noms.push_back(CelluleDe(grille[r], 1));
  return noms;
}

std::vector<std::string> TTablesTypes::NomsChamps() const {
  std::vector<std::string> noms;
  const GrilleTable& grille = Grille(SorteTable::Champs);
  for (size_t r = 1; r < grille.size(); ++r) noms.push_back(CelluleDe(grille[r], 1));
  return noms;
}

std::vector<std::string> TTablesTypes::SortesSources() const {
  std::vector<std::string> noms;
  const GrilleTable& grille = Grille(SorteTable::Sources);
  for (size_t r = 1; r < grille.size(); ++r) noms.push_back(CelluleDe(grille[r], 0));
  return noms;
}

}  // namespace kindrela
