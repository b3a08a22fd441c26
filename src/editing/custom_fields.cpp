#include "editing/custom_fields.h"

#include "core/ansi_literal.h"
#include "core/text.h"
#include "i18n/translation.h"

namespace kindrela {
namespace {

constexpr size_t kColonnesGrille = 3;

}  // namespace

const SorteOfferte kSortesChampOffertes[4] = {
    {"t", "Du texte"}, {"m", "multiligne"}, {"d", "Une date"}, {"l", "Un lieu"}};

TChp LitChamps(std::string_view texte) {
  TChp chp;
  size_t debut = 0;
  while (debut < texte.size()) {
    std::string parties[3];
    for (std::string& partie : parties) {
      if (debut > texte.size()) break;
      const size_t fin = texte.find(kSeparateurChamps, debut);
      const size_t bout = fin == std::string_view::npos ? texte.size() : fin;
      partie = std::string(texte.substr(debut, bout - debut));
      debut = bout + 1;
    }
    chp.champs.push_back({std::move(parties[0]), std::move(parties[1]), std::move(parties[2])});
  }
  return chp;
}

std::string EcritChamps(const TChp& chp) {
  std::string texte;
  for (const TChp::Champ& c : chp.champs) {
    if (c.valeur.empty()) continue;
    texte += c.sorte;
    texte += kSeparateurChamps;
    texte += c.libelle;
    texte += kSeparateurChamps;
    texte += c.valeur;
    texte += kSeparateurChamps;
  }
  return texte;
}

TChp FusionneChamps(std::string_view definitions, std::string_view perso) {
  TChp resultat = LitChamps(definitions);
  std::vector<bool> pris(resultat.champs.size(), false);
  const size_t nbreDefinitions = resultat.champs.size();
  for (TChp::Champ& c : LitChamps(perso).champs) {
    bool place = false;
    for (size_t i = 0; i < nbreDefinitions && !place; ++i) {
      if (pris[i] || resultat.champs[i].libelle != c.libelle) continue;
      resultat.champs[i] = std::move(c);
      pris[i] = true;
      place = true;
    }
    if (!place) resultat.champs.push_back(std::move(c));
  }
  return resultat;
}

std::string SansSeparateur(std::string_view valeur) {
  std::string texte(valeur);
  for (char& c : texte)
    if (c == kSeparateurChamps) c = ' ';
  return texte;
}

int BoutonOuiNon(std::string_view valeur) {
  if (EgalSansCasse(valeur, kOui)) return 0;
  if (EgalSansCasse(valeur, kNon)) return 1;
  return 2;
}

std::vector<std::string> LibellesChampsProposes(const std::vector<std::string>& nomsGrille) {
  static constexpr std::string_view kUsuels[] = {
      "Adresse",
      "Adresse du domicile",
      "Adresse du bureau",
      "Adresse E-Mail",
      "Numéro de téléphone personnel"_ansi,
      "Numéro de téléphone professionnel"_ansi,
      "Note personnelle",
      "Signature",
      "Parrain",
      "Marraine"};
  std::vector<std::string> libelles;
  auto present = [&](std::string_view l) {
    for (const std::string& x : libelles)
      if (EgalSansCasse(x, l)) return true;
    return false;
  };
  for (const std::string& nom : nomsGrille)
    if (!nom.empty() && !present(nom)) libelles.push_back(nom);
  for (std::string_view usuel : kUsuels)
    if (!present(usuel)) libelles.emplace_back(usuel);
  return libelles;
}

void InscritChampGrille(LignesGrille& grille, std::string_view libelle, bool pourTous,
                        const TTraduction& traduction) {
  if (libelle.empty()) return;
  const std::string marque = traduction.Msg(pourTous ? 118 : 119);
  if (grille.empty()) grille.push_back({"Par défaut"_ansi, "Champ", "Balise GEDCOM"});
  for (size_t r = 1; r < grille.size(); ++r) {
    std::vector<std::string>& ligne = grille[r];
    if (ligne.size() < 2 || !EgalSansCasse(ligne[1], libelle)) continue;
    ligne[0] = marque;
    return;
  }
  std::vector<std::string> ligne(kColonnesGrille);
  ligne[0] = marque;
  ligne[1] = std::string(libelle);
  grille.push_back(std::move(ligne));
}

bool InscritNatureGrille(LignesGrille& grille, std::string_view categorie, std::string_view nom) {
  if (nom.empty()) return false;
  for (size_t r = 1; r < grille.size(); ++r) {
    const std::vector<std::string>& ligne = grille[r];
    if (ligne.size() >= 2 && ligne[0] == categorie && EgalSansCasse(ligne[1], nom)) return false;
  }
  if (grille.empty()) grille.push_back({"Pour", "Evénement"_ansi, "Balise GEDCOM"});
  std::vector<std::string> ligne(kColonnesGrille);
  ligne[0] = std::string(categorie);
  ligne[1] = std::string(nom);
  grille.push_back(std::move(ligne));
  return true;
}

}  // namespace kindrela
