// How the chart looks: the two halves' records (links, generations, gaps,
// box width, zoom, arrangement, text lines, per-sex box look), the screen
// background, and the look file (".kda") they are kept in.
//
// Half 1 is the reference person with the ancestors, half 2 the
// descendants. Text is Windows-1252 like everywhere in the core.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/status.h"
#include "core/ansi_literal.h"

namespace kindrela {

// An RGB colour, Qt-free.
struct TCouleur {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend constexpr bool operator==(const TCouleur&, const TCouleur&) = default;
};
constexpr TCouleur Rgb(int r, int g, int b) {
  return TCouleur{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                  static_cast<std::uint8_t>(b)};
}

// Colour text: nine digits, red, green, blue, three each with leading zeros
// ("128255255"). Reading takes characters 1-3, 4-6 and 7-9; a group that is
// not three digits (a short text included) reads as 255, and so does a
// number above 255.
std::string CouleurVersTexte(TCouleur c);
TCouleur TexteVersCouleur(std::string_view texte);

// Font style bits of a line.
enum : std::uint8_t {
  kStyleGras = 1,
  kStyleItalique = 2,
  kStyleSouligne = 4,
  kStyleBarre = 8,
};
// Style text: four characters, "B" or blank, "I" or blank, "U" or blank,
// "S" or blank. Each letter counts only in its own position (upper or lower
// case); a shorter text lacks the missing positions.
std::string StyleVersTexte(std::uint8_t style);
std::uint8_t TexteVersStyle(std::string_view texte);

// Line alignment.
enum : std::uint8_t { kAlignGauche = 0, kAlignDroite = 1, kAlignCentre = 2 };

// One text line of a box.
struct TLigne {
  std::string Modele = "<nom> <prénom>"_ansi;  // box text template
  std::string FontNom = "MS Sans Serif";
  TCouleur FontCouleur{};  // black
  std::int32_t FontHauteur = 12;
  std::uint8_t FontStyle = 0;  // kStyle* bits
  std::uint8_t Align = kAlignGauche;

  // A line added in the cell editor: empty template, "TIMES NEW ROMAN".
  static TLigne Nouvelle();
  friend bool operator==(const TLigne&, const TLigne&) = default;
};

// Fill of a box face.
enum : std::int32_t {
  kFondAucun = 0,
  kFondCouleur = 1,
  kFondTexture = 2,
  kFondTextureCalculee = 3
};

// The look of one sex's boxes.
struct TLookSexe {
  TCouleur Color{};
  std::string Texture;    // picture name in the texture folder, or (Fond 3) a template
  bool Stretch = false;   // stretch the texture over the whole face
  bool Ombre = false;     // shadow
  bool Arrondis = false;  // rounded corners
  bool Cadre = true;      // frame
  std::int32_t Fond = kFondAucun;

  static TLookSexe Hommes();  // RGB(128,255,255), square corners
  static TLookSexe Femmes();  // RGB(255,255,128), rounded corners
  friend bool operator==(const TLookSexe&, const TLookSexe&) = default;
};

// Link modes.
enum : std::uint8_t { kRelierAucun = 0, kRelierDroit = 1, kRelierBrise = 2, kRelierTexture = 3 };

// Arrangements. Half 1: 1 grouped, 2 compact vertical, 3 compact
// horizontal, 4 vertical, 5 horizontal. Half 2: 1 grouped, 2 vertical,
// 3 horizontal. 0: nothing drawn.
enum : std::uint8_t {
  kStyleAucun = 0,
  kAscGroupe = 1,
  kAscCompactVertical = 2,
  kAscCompactHorizontal = 3,
  kAscVertical = 4,
  kAscHorizontal = 5,
  kDescGroupe = 1,
  kDescVertical = 2,
  kDescHorizontal = 3,
};

constexpr int kLignesMax = 50;  // text lines of a box: 1 to 50

// One chart half.
struct T1Aff {
  std::uint8_t Relier = kRelierBrise;
  TCouleur RelierColor{};
  // Link shape pictures for mode 3; index 1 to 9 (index 0 unused).
  std::array<std::string, 10> RelierTexture{
      "", "Lien1", "Lien2", "Lien3", "Lien4", "Lien5", "Lien6", "Lien7", "Lien8", "Lien9"};
  std::int32_t RelierLarge = 1;
  std::int32_t NbreGen = 3;
  // Computed at each build of the chart (the layout fills them; painting
  // and link drawing read them): gaps in logical units and the box height.
  std::int32_t EcartH = 0;      // round(EcartHorz * Large / 100)
  std::int32_t EcartV = 0;      // round(EcartVert * Hauteur / 100)
  std::int32_t EcartHorz = 50;  // percent of the box width (file key "EcatHorz")
  std::int32_t EcartVert = 50;  // percent of the box height
  std::int32_t Large = 100;     // box width, logical units
  std::int32_t Hauteur = 0;     // computed box height
  std::int32_t Zoom = 100;      // percent
  std::uint8_t Style = 2;
  std::int32_t LigneNbre = 1;  // lines used: Lignes[0 .. LigneNbre-1]
  std::array<TLigne, kLignesMax + 1> Lignes{};
  TLookSexe H = TLookSexe::Hommes();
  TLookSexe F = TLookSexe::Femmes();  // women and unknown sex
  std::int32_t MargeHaut = 0;         // percent of the box height
  std::int32_t MargeBas = 0;
  std::int32_t MargeDroite = 0;  // percent of the box width
  std::int32_t MargeGauche = 0;

  // The look of a person's box: H for men, F for women and unknown sex.
  const TLookSexe& LookDe(bool homme) const { return homme ? H : F; }
  friend bool operator==(const T1Aff&, const T1Aff&) = default;
};

// A whole look: both halves and the screen background.
struct TApparence {
  std::string Nom = "kindrela";  // the look's name (file name without ".kda")
  std::array<T1Aff, 2> Aff{};    // Aff[0] = half 1, Aff[1] = half 2
  TCouleur ColorEcran = Rgb(255, 255, 255);
  std::string TextEcran;  // background texture name, texture folder

  T1Aff& Moitie(int moitie) { return Aff[moitie == 2 ? 1 : 0]; }
  const T1Aff& Moitie(int moitie) const { return Aff[moitie == 2 ? 1 : 0]; }
};

// Where pictures are looked for. Every folder ends with "/" or is empty
// (an empty folder is skipped).
struct TDossiersImages {
  std::string modele;        // the model folder ("modele/" beside the program)
  std::string programme;     // the program folder
  std::string imageArbre;    // the texture folder ("modele/0/ImageArbre/")
  std::string fichierArbre;  // the current tree file (full path), or empty
};

// The search for a picture or texture file:
// empty name -> empty; a name that exists as written -> that name;
// else the first existing of: model folder + file-name part, texture folder
// + file-name part, tree file's folder + file-name part, the same with its
// extension changed to ".jpg", program folder + file-name part;
// nothing found -> empty.
std::string ResolvePicture(const std::string& nom, const TDossiersImages& dossiers);

// The stored form of a picture path: only the file name when the path's
// folder is the model, texture or program folder (compared without regard
// to case); otherwise the path unchanged.
std::string ShortenPicture(const std::string& chemin, const TDossiersImages& dossiers);

// Reads a look file. A missing (or unreadable) file gives every default with the name
// "kindrela" and returns false; an existing file names the look after its
// file name without the extension, takes a default for every missing key
// and returns true. The background texture is cleared when the texture
// folder holds no such file; link textures go through ResolvePicture (a
// name that resolves to nothing becomes empty); the box textures are kept
// as written. Values are kept usable: `LigneNbre` within 0..50, `Zoom`
// within 1..1000.
bool LoadLook(const std::string& chemin, const TDossiersImages& dossiers, TApparence& apparence);

// The reading of LoadLook from text already in memory; `apparence.Nom` is
// left as it is. Any text gives usable records.
void LitTexteLook(std::string_view texte, const TDossiersImages& dossiers, TApparence& apparence);

// Writes every key of the look file (the file is replaced atomically).
// Picture paths go through ShortenPicture. An error names the file.
Statut SaveLook(const std::string& chemin, const TApparence& apparence,
                const TDossiersImages& dossiers);

// The look a new tree is shown with: "perso.kda" of the look folder when
// the user has saved one, else `fichierDefaut` (the default look file).
std::string LookNouvelArbre(const std::string& dossierLooks, const std::string& fichierDefaut);

// The look file's content as text (CR LF lines), as SaveLook writes it.
std::string TexteLook(const TApparence& apparence, const TDossiersImages& dossiers);

}  // namespace kindrela
