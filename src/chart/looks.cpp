#include "chart/looks.h"

#include <algorithm>
#include <map>
#include <utility>

#include "core/file_io.h"
#include "core/ini_file.h"
#include "core/text.h"

namespace kindrela {

namespace {

constexpr int kVersionLook = 30;

// Look files may come from Windows with "\" in their picture paths.
std::string AvecBarresObliques(std::string chemin) {
  std::replace(chemin.begin(), chemin.end(), '\\', '/');
  return chemin;
}

std::string PartieNom(const std::string& nom) {
  return NomDe(AvecBarresObliques(nom));
}

int Borne(int v, int bas, int haut) {
  return std::clamp(v, bas, haut);
}

// The look file's keys with their values as written. The style text needs
// its blanks: " I  " is italic, and a reader that trims values would make
// it "I", which counts as nothing. Other values are trimmed on use.
class LectureLook {
 public:
  explicit LectureLook(std::string_view texte) {
    std::string section;
    for (const std::string& ligne : DecoupeLignes(texte)) {
      const std::string t = Trim(ligne);
      if (t.empty() || t[0] == ';') continue;
      if (t[0] == '[') {
        const size_t fin = t.find(']');
        section = MinusculesAnsi(
            Trim(t.substr(1, fin == std::string::npos ? std::string::npos : fin - 1)));
        continue;
      }
      const size_t egal = ligne.find('=');
      if (egal == std::string::npos) continue;
      std::string cle = MinusculesAnsi(Trim(ligne.substr(0, egal)));
      // The first occurrence wins, as for any reader of these files.
      m_valeurs.emplace(std::make_pair(section, std::move(cle)), ligne.substr(egal + 1));
    }
  }

  const std::string* Brut(std::string_view section, std::string_view cle) const {
    auto it = m_valeurs.find({MinusculesAnsi(section), MinusculesAnsi(cle)});
    return it == m_valeurs.end() ? nullptr : &it->second;
  }
  std::string Texte(std::string_view section, std::string_view cle, std::string_view defaut) const {
    const std::string* v = Brut(section, cle);
    return v ? Trim(*v) : std::string(defaut);
  }
  int Entier(std::string_view section, std::string_view cle, int defaut) const {
    const std::string* v = Brut(section, cle);
    return v ? TexteVersEntier(*v, defaut) : defaut;
  }
  bool Booleen(std::string_view section, std::string_view cle, bool defaut) const {
    const std::string* v = Brut(section, cle);
    if (!v || !EstEntier(*v)) return defaut;
    return TexteVersEntier(*v, 0) != 0;
  }
  TCouleur Couleur(std::string_view section, std::string_view cle, TCouleur defaut) const {
    const std::string* v = Brut(section, cle);
    return v ? TexteVersCouleur(Trim(*v)) : defaut;
  }

 private:
  std::map<std::pair<std::string, std::string>, std::string> m_valeurs;
};

std::string NomMoitie(const char* prefixe, int moitie) {
  return std::string(prefixe) + std::to_string(moitie);
}

void LitMoitie(const LectureLook& lu, int moitie, const TDossiersImages& dossiers, T1Aff& a) {
  const std::string aff = NomMoitie("Aff ", moitie);
  const T1Aff d;  // defaults
  a.Relier = static_cast<std::uint8_t>(lu.Entier(aff, "Relier", d.Relier));
  a.RelierColor = lu.Couleur(aff, "RelierColor", d.RelierColor);
  for (int n = 1; n <= 9; ++n) {
    const std::string nom = lu.Texte(aff, "RelierTexture " + std::to_string(n), d.RelierTexture[n]);
    a.RelierTexture[n] = ResolvePicture(nom, dossiers);
  }
  a.RelierLarge = lu.Entier(aff, "RelierLarge", d.RelierLarge);
  a.NbreGen = lu.Entier(aff, "NbreGen", d.NbreGen);
  a.EcartHorz = lu.Entier(aff, "EcatHorz", d.EcartHorz);
  a.EcartVert = lu.Entier(aff, "EcartVert", d.EcartVert);
  a.Large = lu.Entier(aff, "Large", d.Large);
  a.Zoom = Borne(lu.Entier(aff, "Zoom", d.Zoom), 1, 1000);
  a.Style = static_cast<std::uint8_t>(lu.Entier(aff, "Style", d.Style));

  const std::string look = NomMoitie("Look ", moitie);
  a.LigneNbre = Borne(lu.Entier(look, "LigneNbre", d.LigneNbre), 0, kLignesMax);
  a.H.Color = lu.Couleur(look, "HColor", d.H.Color);
  a.F.Color = lu.Couleur(look, "FColor", d.F.Color);
  a.H.Texture = lu.Texte(look, "HTexture", d.H.Texture);
  a.F.Texture = lu.Texte(look, "FTexture", d.F.Texture);
  a.H.Stretch = lu.Booleen(look, "HStretch", d.H.Stretch);
  a.F.Stretch = lu.Booleen(look, "FStretch", d.F.Stretch);
  a.H.Ombre = lu.Booleen(look, "HOmbre", d.H.Ombre);
  a.F.Ombre = lu.Booleen(look, "FOmbre", d.F.Ombre);
  a.H.Arrondis = lu.Booleen(look, "HArrondis", d.H.Arrondis);
  a.F.Arrondis = lu.Booleen(look, "FArrondis", d.F.Arrondis);
  a.H.Cadre = lu.Booleen(look, "HCadre", d.H.Cadre);
  a.F.Cadre = lu.Booleen(look, "FCadre", d.F.Cadre);
  a.H.Fond = lu.Entier(look, "HFond", d.H.Fond);
  a.F.Fond = lu.Entier(look, "FFond", d.F.Fond);
  a.MargeHaut = lu.Entier(look, "MargeHaut", d.MargeHaut);
  a.MargeBas = lu.Entier(look, "MargeBas", d.MargeBas);
  a.MargeDroite = lu.Entier(look, "MargeDroite", d.MargeDroite);
  a.MargeGauche = lu.Entier(look, "MargeGauche", d.MargeGauche);

  const std::string ligne = NomMoitie("Ligne ", moitie);
  const TLigne dl;
  for (int n = 0; n < a.LigneNbre; ++n) {
    const std::string i = std::to_string(n);
    TLigne& l = a.Lignes[n];
    l.Modele = lu.Texte(ligne, "LC" + i, dl.Modele);
    l.FontNom = lu.Texte(ligne, "FN" + i, dl.FontNom);
    l.FontCouleur = lu.Couleur(ligne, "FC" + i, dl.FontCouleur);
    l.FontHauteur = lu.Entier(ligne, "FH" + i, dl.FontHauteur);
    const std::string* style = lu.Brut(ligne, "FS" + i);
    l.FontStyle = style ? TexteVersStyle(*style) : dl.FontStyle;
    l.Align = static_cast<std::uint8_t>(lu.Entier(ligne, "FA" + i, dl.Align));
  }
}

// A value is one line of the file.
std::string UneLigne(std::string v) {
  for (char& c : v)
    if (c == '\r' || c == '\n') c = ' ';
  return v;
}

class EcritureLook {
 public:
  void Section(const std::string& nom) {
    if (!m_texte.empty()) m_texte += "\r\n";
    m_texte += "[" + nom + "]\r\n";
  }
  void Cle(const std::string& cle, const std::string& valeur) {
    m_texte += cle + "=" + UneLigne(valeur) + "\r\n";
  }
  void Cle(const std::string& cle, int valeur) { Cle(cle, std::to_string(valeur)); }
  void Cle(const std::string& cle, bool valeur) { Cle(cle, std::string(valeur ? "1" : "0")); }
  void Cle(const std::string& cle, TCouleur c) { Cle(cle, CouleurVersTexte(c)); }
  std::string Texte() && { return std::move(m_texte); }

 private:
  std::string m_texte;
};

void EcritMoitie(EcritureLook& e, int moitie, const T1Aff& a, const TDossiersImages& dossiers) {
  e.Section(NomMoitie("Aff ", moitie));
  e.Cle("Relier", static_cast<int>(a.Relier));
  e.Cle("RelierColor", a.RelierColor);
  for (int n = 1; n <= 9; ++n)
    e.Cle("RelierTexture " + std::to_string(n), ShortenPicture(a.RelierTexture[n], dossiers));
  e.Cle("RelierLarge", a.RelierLarge);
  e.Cle("NbreGen", a.NbreGen);
  e.Cle("EcatHorz", a.EcartHorz);
  e.Cle("EcartVert", a.EcartVert);
  e.Cle("Large", a.Large);
  e.Cle("Zoom", a.Zoom);
  e.Cle("Style", static_cast<int>(a.Style));

  const int nbre = Borne(a.LigneNbre, 0, kLignesMax);
  e.Section(NomMoitie("Look ", moitie));
  e.Cle("LigneNbre", nbre);
  e.Cle("HColor", a.H.Color);
  e.Cle("FColor", a.F.Color);
  e.Cle("HTexture", ShortenPicture(a.H.Texture, dossiers));
  e.Cle("FTexture", ShortenPicture(a.F.Texture, dossiers));
  e.Cle("HStretch", a.H.Stretch);
  e.Cle("FStretch", a.F.Stretch);
  e.Cle("HOmbre", a.H.Ombre);
  e.Cle("FOmbre", a.F.Ombre);
  e.Cle("HArrondis", a.H.Arrondis);
  e.Cle("FArrondis", a.F.Arrondis);
  e.Cle("HCadre", a.H.Cadre);
  e.Cle("FCadre", a.F.Cadre);
  e.Cle("HFond", a.H.Fond);
  e.Cle("FFond", a.F.Fond);
  e.Cle("MargeHaut", a.MargeHaut);
  e.Cle("MargeBas", a.MargeBas);
  e.Cle("MargeDroite", a.MargeDroite);
  e.Cle("MargeGauche", a.MargeGauche);

  e.Section(NomMoitie("Ligne ", moitie));
  for (int n = 0; n < nbre; ++n) {
    const std::string i = std::to_string(n);
    const TLigne& l = a.Lignes[n];
    e.Cle("LC" + i, l.Modele);
    e.Cle("FN" + i, l.FontNom);
    e.Cle("FC" + i, l.FontCouleur);
    e.Cle("FH" + i, l.FontHauteur);
    e.Cle("FS" + i, StyleVersTexte(l.FontStyle));
    e.Cle("FA" + i, static_cast<int>(l.Align));
  }
}

}  // namespace

std::string CouleurVersTexte(TCouleur c) {
  auto trois = [](int v) {
    std::string s = std::to_string(v);
    return std::string(3 - s.size(), '0') + s;
  };
  return trois(c.r) + trois(c.g) + trois(c.b);
}

TCouleur TexteVersCouleur(std::string_view texte) {
  auto groupe = [&](size_t debut) -> std::uint8_t {
    if (texte.size() < debut + 3) return 255;
    int v = 0;
    for (size_t i = debut; i < debut + 3; ++i) {
      const char c = texte[i];
      if (c < '0' || c > '9') return 255;
      v = v * 10 + (c - '0');
    }
    return static_cast<std::uint8_t>(std::min(v, 255));
  };
  return TCouleur{groupe(0), groupe(3), groupe(6)};
}

std::string StyleVersTexte(std::uint8_t style) {
  std::string s = "    ";
  if (style & kStyleGras) s[0] = 'B';
  if (style & kStyleItalique) s[1] = 'I';
  if (style & kStyleSouligne) s[2] = 'U';
  if (style & kStyleBarre) s[3] = 'S';
  return s;
}

std::uint8_t TexteVersStyle(std::string_view texte) {
  static constexpr char kLettres[4] = {'B', 'I', 'U', 'S'};
  std::uint8_t style = 0;
  for (size_t i = 0; i < 4 && i < texte.size(); ++i) {
    const char c = texte[i];
    if (c == kLettres[i] || c == kLettres[i] + ('a' - 'A'))
      style |= static_cast<std::uint8_t>(1u << i);
  }
  return style;
}

TLigne TLigne::Nouvelle() {
  TLigne l;
  l.Modele.clear();
  l.FontNom = "TIMES NEW ROMAN";
  return l;
}

TLookSexe TLookSexe::Hommes() {
  TLookSexe l;
  l.Color = Rgb(128, 255, 255);
  return l;
}

TLookSexe TLookSexe::Femmes() {
  TLookSexe l;
  l.Color = Rgb(255, 255, 128);
  l.Arrondis = true;
  return l;
}

std::string ResolvePicture(const std::string& nom, const TDossiersImages& dossiers) {
  if (nom.empty()) return {};
  // Kept as written: the file system tells case apart, so a lower-cased
  // path could name no file at all.
  if (FichierExiste(nom)) return nom;
  const std::string partie = PartieNom(nom);
  if (partie.empty()) return {};
  auto essaie = [&](const std::string& dossier, std::string& trouve) {
    if (dossier.empty()) return false;
    const std::string chemin = dossier + partie;
    if (!FichierExiste(chemin)) return false;
    trouve = chemin;
    return true;
  };
  std::string trouve;
  if (essaie(dossiers.modele, trouve)) return trouve;
  if (essaie(dossiers.imageArbre, trouve)) return trouve;
  if (!dossiers.fichierArbre.empty()) {
    const std::string dossierArbre = DossierDe(AvecBarresObliques(dossiers.fichierArbre));
    if (essaie(dossierArbre, trouve)) return trouve;
    const std::string jpg = ChangeExtension(dossierArbre + partie, ".jpg");
    if (FichierExiste(jpg)) return jpg;
  }
  if (essaie(dossiers.programme, trouve)) return trouve;
  return {};
}

std::string ShortenPicture(const std::string& chemin, const TDossiersImages& dossiers) {
  const std::string normal = AvecBarresObliques(chemin);
  const std::string dossier = DossierDe(normal);
  if (dossier.empty()) return chemin;
  for (const std::string* d : {&dossiers.modele, &dossiers.imageArbre, &dossiers.programme}) {
    if (!d->empty() && EgalSansCasse(dossier, AvecBarresObliques(*d))) return NomDe(normal);
  }
  return chemin;
}

void LitTexteLook(std::string_view texte, const TDossiersImages& dossiers, TApparence& apparence) {
  const LectureLook lu(texte);
  const TApparence defaut;
  apparence.ColorEcran = lu.Couleur("KindRela", "ColorEcran", defaut.ColorEcran);
  apparence.TextEcran = lu.Texte("KindRela", "TextEcran", "");
  if (!apparence.TextEcran.empty() && !FichierExiste(dossiers.imageArbre + apparence.TextEcran))
    apparence.TextEcran.clear();
  for (int moitie = 1; moitie <= 2; ++moitie) {
    T1Aff& a = apparence.Moitie(moitie);
    a = T1Aff{};
    LitMoitie(lu, moitie, dossiers, a);
  }
}

bool LoadLook(const std::string& chemin, const TDossiersImages& dossiers, TApparence& apparence) {
  apparence = TApparence{};
  std::string contenu;
  if (!FichierExiste(chemin) || !LitFichier(chemin, contenu).ok()) return false;
  const std::string nom = NomDe(chemin);
  apparence.Nom = nom.size() > 4 ? nom.substr(0, nom.size() - 4) : nom;
  LitTexteLook(contenu, dossiers, apparence);
  return true;
}

std::string LookNouvelArbre(const std::string& dossierLooks, const std::string& fichierDefaut) {
  const std::string perso = dossierLooks + "perso.kda";
  return FichierExiste(perso) ? perso : fichierDefaut;
}

std::string TexteLook(const TApparence& apparence, const TDossiersImages& dossiers) {
  EcritureLook e;
  e.Section("KindRela");
  e.Cle("Version", kVersionLook);
  e.Cle("ColorEcran", apparence.ColorEcran);
  e.Cle("TextEcran", ShortenPicture(apparence.TextEcran, dossiers));
  for (int moitie = 1; moitie <= 2; ++moitie)
    EcritMoitie(e, moitie, apparence.Moitie(moitie), dossiers);
  return std::move(e).Texte();
}

Statut SaveLook(const std::string& chemin, const TApparence& apparence,
                const TDossiersImages& dossiers) {
  return EcritFichierAtomique(chemin, TexteLook(apparence, dossiers));
}

}  // namespace kindrela
