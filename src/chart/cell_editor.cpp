#include "chart/cell_editor.h"

#include <algorithm>
#include <filesystem>

#include "chart/template_words.h"
#include "core/file_io.h"
#include "core/text.h"

namespace kindrela {

T1Aff LookDeTravail(const TApparence& apparence, int pour) {
  return apparence.Moitie(pour == kPourDescendance ? 2 : 1);
}

void CopieLookDeTravail(TApparence& apparence, const T1Aff& travail, int pour) {
  for (int moitie : {1, 2}) {
    const bool choisie = pour == kPourTout || (pour == kPourAscendance && moitie == 1) ||
                         (pour == kPourDescendance && moitie == 2);
    if (!choisie) continue;
    T1Aff& h = apparence.Moitie(moitie);
    const std::uint8_t style = h.Style;
    h = travail;
    h.Style = style;
  }
}

void AppCalcule(TApparence& apparence, const T1Aff& travail, int pour, TCouleur couleurEcran) {
  CopieLookDeTravail(apparence, travail, pour);
  apparence.ColorEcran = couleurEcran;
}

namespace {

// Paths chosen on a system that writes "\" between folders.
std::string Barres(std::string chemin) {
  std::replace(chemin.begin(), chemin.end(), '\\', '/');
  return chemin;
}

int Nbre(const T1Aff& aff) { return std::clamp(aff.LigneNbre, 0, kLignesMax); }

}  // namespace

int AjouteLigne(T1Aff& aff, int selection) {
  const int n = Nbre(aff);
  if (selection < 0 || selection > n) selection = std::min(n, kLignesMax - 1);
  if (selection >= kLignesMax) selection = kLignesMax - 1;
  const int nouveau = std::min(n + 1, kLignesMax);
  for (int i = nouveau - 1; i > selection; --i)
    aff.Lignes[static_cast<size_t>(i)] = aff.Lignes[static_cast<size_t>(i - 1)];
  aff.Lignes[static_cast<size_t>(selection)] = TLigne::Nouvelle();
  aff.LigneNbre = nouveau;
  return selection;
}

int SupprimeLigne(T1Aff& aff, int selection) {
  const int n = Nbre(aff);
  if (n <= 1 || selection < 0 || selection >= n) return selection;
  for (int i = selection; i < n - 1; ++i)
    aff.Lignes[static_cast<size_t>(i)] = aff.Lignes[static_cast<size_t>(i + 1)];
  aff.Lignes[static_cast<size_t>(n - 1)] = TLigne();
  aff.LigneNbre = n - 1;
  return std::max(selection - 1, 0);
}

int MonteLigne(T1Aff& aff, int selection) {
  if (selection < 1 || selection >= Nbre(aff)) return selection;
  std::swap(aff.Lignes[static_cast<size_t>(selection)], aff.Lignes[static_cast<size_t>(selection - 1)]);
  return selection - 1;
}

int DescendLigne(T1Aff& aff, int selection) {
  if (selection < 0 || selection >= Nbre(aff) - 1) return selection;
  std::swap(aff.Lignes[static_cast<size_t>(selection)], aff.Lignes[static_cast<size_t>(selection + 1)]);
  return selection + 1;
}

void ChangeStyleLigne(TLigne& ligne, std::uint8_t bit, bool actif) {
  bit &= kStyleGras | kStyleItalique | kStyleSouligne;
  if (actif) ligne.FontStyle |= bit;
  else ligne.FontStyle &= static_cast<std::uint8_t>(~bit);
}

std::array<int, 4> MargesSaisies(std::array<int, 4> valeurs, int change, bool identiques) {
  if (!identiques) return valeurs;
  const int v = valeurs[static_cast<size_t>(change >= 0 && change < 4 ? change : 0)];
  valeurs.fill(v);
  return valeurs;
}

void EcritMarges(T1Aff& aff, const std::array<int, 4>& m) {
  aff.MargeHaut = m[0];
  aff.MargeBas = m[1];
  aff.MargeDroite = m[2];
  aff.MargeGauche = m[3];
}

std::array<int, 4> LitMarges(const T1Aff& aff) {
  return {aff.MargeHaut, aff.MargeBas, aff.MargeDroite, aff.MargeGauche};
}

TEtatPageSexe EtatPageSexe(const TLookSexe& look) {
  TEtatPageSexe e;
  e.couleurVisible = look.Fond == kFondCouleur || look.Fond == kFondTexture;
  e.boutonTexture = look.Fond == kFondTexture;
  e.imageVisible = look.Fond == kFondTexture;
  e.texteVisible = look.Fond == kFondTextureCalculee;
  e.etirerActif = look.Fond >= kFondTexture;
  e.ombreActif = look.Cadre;
  e.arrondisActif = look.Cadre;
  return e;
}

std::vector<std::string> ListeLooks(const std::string& dossierLooks) {
  namespace fs = std::filesystem;
  std::vector<std::string> noms;
  std::error_code erreur;
  fs::directory_iterator it(fs::path(CheminSysteme(dossierLooks)), erreur);
  for (; !erreur && it != fs::directory_iterator(); it.increment(erreur)) {
    if (!it->is_regular_file(erreur)) continue;
    const std::u8string u8 = it->path().filename().u8string();
    int remplaces = 0;
    std::string nom = Utf8VersAnsi(
        std::string_view(reinterpret_cast<const char*>(u8.data()), u8.size()), '?', &remplaces);
    if (remplaces > 0 || nom.size() <= 4) continue;
    if (!EgalSansCasse(std::string_view(nom).substr(nom.size() - 4), ".kda")) continue;
    nom.resize(nom.size() - 4);
    noms.push_back(MinusculesAnsi(nom));
  }
  std::sort(noms.begin(), noms.end());
  noms.erase(std::unique(noms.begin(), noms.end()), noms.end());
  return noms;
}

namespace {

// The file of `nom` + `extension` in the folder, found without regard to
// case when it exists under another case (the list shows names in lower
// case); else the name as given.
std::string FichierDuDossier(const std::string& dossier, const std::string& nom,
                             const std::string& extension) {
  const std::string voulu = nom + extension;
  const std::string chemin = dossier + voulu;
  if (FichierExiste(chemin)) return chemin;
  namespace fs = std::filesystem;
  std::error_code erreur;
  fs::directory_iterator it(fs::path(CheminSysteme(dossier)), erreur);
  for (; !erreur && it != fs::directory_iterator(); it.increment(erreur)) {
    const std::u8string u8 = it->path().filename().u8string();
    const std::string trouve =
        Utf8VersAnsi(std::string_view(reinterpret_cast<const char*>(u8.data()), u8.size()));
    if (EgalSansCasse(trouve, voulu)) return dossier + trouve;
  }
  return chemin;
}

}  // namespace

std::string FichierLook(const std::string& dossierLooks, const std::string& nom) {
  return FichierDuDossier(dossierLooks, nom, ".kda");
}

std::string FichierVignette(const std::string& dossierLooks, const std::string& nom) {
  return FichierDuDossier(dossierLooks, nom, ".png");
}

std::vector<std::string> ListeLooks(const TDossiersLooks& d) {
  std::vector<std::string> noms;
  for (const std::string* dossier : {&d.utilisateur, &d.installation})
    if (!dossier->empty())
      for (std::string& nom : ListeLooks(*dossier)) noms.push_back(std::move(nom));
  std::sort(noms.begin(), noms.end());
  noms.erase(std::unique(noms.begin(), noms.end()), noms.end());
  return noms;
}

std::string FichierLookExistant(const TDossiersLooks& d, const std::string& nom) {
  for (const std::string* dossier : {&d.utilisateur, &d.installation})
    if (!dossier->empty())
      if (std::string f = FichierLook(*dossier, nom); FichierExiste(f)) return f;
  return {};
}

std::string VignetteExistante(const TDossiersLooks& d, const std::string& nom) {
  // The thumbnail of the look in use: the user's look has its own.
  const std::string look = FichierLookExistant(d, nom);
  if (!look.empty())
    if (std::string f = FichierVignette(DossierDe(look), nom); FichierExiste(f)) return f;
  if (!d.utilisateur.empty())
    if (std::string f = FichierVignette(d.utilisateur, nom); FichierExiste(f)) return f;
  return {};
}

bool NomLookValide(std::string_view nom) {
  const std::string t = Trim(nom);
  if (t.empty() || t == "." || t == "..") return false;
  return t.find_first_of("/\\:*?\"<>|") == std::string::npos;
}

Statut CopieDansTextures(const std::string& fichier, const std::string& dossierTextures,
                         bool minuscules, std::string& nom) {
  nom = NomDe(Barres(fichier));
  if (minuscules) nom = MinusculesAnsi(nom);
  if (nom.empty()) return Statut::Erreur("Fichier sans nom : " + fichier);
  const std::string cible = dossierTextures + nom;
  if (EgalSansCasse(Barres(fichier), cible) && FichierExiste(cible)) return Statut::Ok();
  std::string contenu;
  if (Statut s = LitFichier(fichier, contenu); !s.ok()) return s;
  return EcritFichierAtomique(cible, contenu);
}

// ---------------------------------------------------------------------------

namespace {

// A navigation tag moves the focus for the rest of the line.
bool DeplaceLeFocus(const TMotsBalises& mots, std::string_view texte) {
  for (std::string_view t : {std::string_view("<p>"), std::string_view("<m>"),
                             std::string_view("<i-")}) {
    if (texte.find(t) != std::string_view::npos) return true;
  }
  for (int n : {kMotPere, kMotMere, kMotConjoint, kMotUnion}) {
    const std::string& m = mots.Mot(n);
    if (!m.empty() && texte.find(m) != std::string_view::npos) return true;
  }
  return false;
}

std::string Navigation(const TMotsBalises& mots, const TChoixBalise& c, std::string_view texte) {
  switch (c.qui) {
    case QuiBalise::Individu:
      return DeplaceLeFocus(mots, texte) ? mots.Mot(kMotRetourPersonne) : std::string();
    case QuiBalise::Pere: return mots.Mot(kMotPere);
    case QuiBalise::Mere: return mots.Mot(kMotMere);
    case QuiBalise::Conjoint:
      return mots.Mot(kMotConjoint) + " " + std::to_string(std::max(0, c.numero)) + ">";
    case QuiBalise::Union:
      return mots.Mot(kMotUnion) + " " + std::to_string(std::max(0, c.numero)) + ">";
  }
  return {};
}

}  // namespace

std::string ConstruitBalise(const TMotsBalises& mots, const TChoixBalise& c, std::string_view texte) {
  std::string champ;
  switch (c.champ) {
    case ChampBalise::Sexe: champ = mots.Mot(kMotSexe); break;
    case ChampBalise::Nom: champ = mots.Mot(kMotNom); break;
    case ChampBalise::PrenomPrincipal: champ = mots.Mot(kMotPrenomPrincipal); break;
    case ChampBalise::Prenoms: champ = mots.Mot(kMotPre + 2); break;
    case ChampBalise::ChampPerso:
      if (c.detail.empty() || mots.Mot(kMotOuvertureChamp).empty()) return {};
      champ = mots.Mot(kMotOuvertureChamp) + c.detail + ">";
      break;
    case ChampBalise::Evenement: {
      const std::string& mot = mots.Mot(c.motEvenement);
      if (c.detail.empty() || mot.empty() || mots.Mot(kMotOuvertureEvenement).empty()) return {};
      champ = mots.Mot(kMotOuvertureEvenement) + c.detail + "," + mot + ">";
      break;
    }
    case ChampBalise::Note: champ = mots.Mot(kMotNote); break;
    case ChampBalise::Numero: champ = mots.Mot(kMotNumero); break;
    case ChampBalise::NumeroFiche: champ = mots.Mot(kMotNumeroFiche); break;
    case ChampBalise::Age: champ = mots.Mot(kMotAge); break;
    case ChampBalise::Resume: champ = mots.Mot(kMotResume); break;
    case ChampBalise::Individu: champ = mots.Mot(kMotNom) + " " + mots.Mot(kMotPre + 2); break;
    case ChampBalise::Photo: champ = mots.Mot(kMotPhoto); break;
  }
  if (champ.empty() || champ == " ") return {};
  return Navigation(mots, c, texte) + champ;
}

std::vector<int> MotsEvenement(const TMotsBalises& mots) {
  std::vector<int> v;
  for (int n = kMotChampDate; n <= kMotChampNote; ++n)
    if (!mots.Mot(n).empty()) v.push_back(n);
  return v;
}

}  // namespace kindrela
