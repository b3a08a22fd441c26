// Place maps: where the events of a group of persons took place, on a
// picture map whose named zones are filled when an event place names their
// code, or as markers of an online map page.
//
// A picture map is a bitmap of white areas (places) separated by black
// lines, other colours standing for no place (sea, abroad); its zones, each
// a name, a place code and a seed point inside its area, come from the map's
// zone file "<map>.kdc". Everything here works on a plain RGB buffer: the
// window loads and shows the picture.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/kinship.h"

namespace kindrela {

class FichierIni;
class TBD;

// The map whose list entry puts the window in online mode.
inline constexpr std::string_view kCarteEnLigne = "Carte Google";

// Colours as 0xRRGGBB.
inline constexpr uint32_t kBlanc = 0xFFFFFF;
inline constexpr uint32_t kNoir = 0x000000;
inline constexpr uint32_t kCouleurEvenement = 0x99CCFF;  // a zone with shown events
inline constexpr uint32_t kCouleurZoneChoisie = 0x0099FF;  // the selected zone

struct TZoneCarte {
  std::string nom;   // Nom
  std::string lieu;  // Lieu: the place code looked for in event places
  int x = 0, y = 0;  // PtsX, PtsY: the seed point, in picture pixels
  friend bool operator==(const TZoneCarte&, const TZoneCarte&) = default;
};

// The zones of a zone file, sorted by name (their 1-based position is the
// zone number). "Nbre" missing gives none; missing texts are empty and a
// seed coordinate that is not a number is 0.
std::vector<TZoneCarte> LitZones(const FichierIni& ini);
// Writes the five sections, replacing what the file held.
void EcritZones(const std::vector<TZoneCarte>& zones, FichierIni& ini);

// The zones (0-based, in list order) whose code, upper-cased, occurs in the
// upper-cased place. A zone without a code matches nothing.
std::vector<int> ZonesDuLieu(const std::vector<TZoneCarte>& zones, std::string_view lieu);
// The zone number (1-based) of a place: its first matching zone; 0 for none.
int ZoneDuLieu(const std::vector<TZoneCarte>& zones, std::string_view lieu);

// The picture as RGB values, row by row.
class TImageCarte {
 public:
  TImageCarte() = default;
  TImageCarte(int largeur, int hauteur, uint32_t fond = kBlanc);
  int Largeur() const { return m_largeur; }
  int Hauteur() const { return m_hauteur; }
  bool Dedans(int x, int y) const { return x >= 0 && y >= 0 && x < m_largeur && y < m_hauteur; }
  // Outside the picture: black, so that nothing is ever filled there.
  uint32_t Pixel(int x, int y) const;
  void SetPixel(int x, int y, uint32_t c);
  std::vector<uint32_t>& Pixels() { return m_pixels; }
  const std::vector<uint32_t>& Pixels() const { return m_pixels; }

  // Fills the area holding (x, y): every pixel reached through its four
  // neighbours that has the colour of (x, y); black is never filled, so a
  // fill stops at the black lines. Returns the pixels changed.
  int Remplit(int x, int y, uint32_t couleur);

 private:
  int m_largeur = 0, m_hauteur = 0;
  std::vector<uint32_t> m_pixels;
};

// Who is shown (the entries of `cbPour`, in order).
enum class PopulationCarte : int { Selection = 0, Reference = 1, ToutLeMonde = 2, SelonRapport = 3 };
// The persons of a choice: the selected person, the reference person,
// everybody in use, or `rapport` (the report's persons in row order).
TR PersonnesCarte(const TBD& bd, PopulationCarte choix, int selecPers, const TR& rapport);

// What AfficheTout leaves: the persons collected for a zone and whether the
// user stopped the drawing.
struct TResultatCarte {
  TR collectes;
  bool interrompu = false;
};

// Draws the events of `population` on `image` (already the clean picture):
// every event of each person in stored order, or only those of kind
// `nature` when it is not empty. Each zone whose code occurs in an event
// place is filled with kCouleurEvenement from its seed point when that pixel
// is white. With `zoneCollectee` above 0, the persons with an event place
// whose first zone is that one are collected, each once, in population order. `progression` (done, total)
// may stop the work by answering false. Places are matched once each, so
// the cost is that of the events plus the distinct places times the zones.
TResultatCarte AfficheTout(const TBD& bd, const TR& population, std::string_view nature,
                           const std::vector<TZoneCarte>& zones, TImageCarte& image, int zoneCollectee = 0,
                           const std::function<bool(int, int)>& progression = {});

// Clicks on a picture map: the point clicked, the colour its area had, the
// zone it selected.
class TClicCarte {
 public:
  // Refills the area of the previous click with the colour it had; forgets it.
  void EffaceClick(TImageCarte& image);
  // Selects the area at (x, y) when it is white or a zone with events (its
  // colour remembered, filled with kCouleurZoneChoisie); else forgets the point.
  // Returns the selected zone: the first whose seed pixel now has the
  // selection colour, 0 when none.
  int AfficheClick(TImageCarte& image, int x, int y, const std::vector<TZoneCarte>& zones);
  // Forgets the point and the zone (the picture was restored).
  void Oublie() { *this = TClicCarte(); }

  int X() const { return m_x; }
  int Y() const { return m_y; }
  int Zone() const { return m_zone; }
  uint32_t CouleurAvant() const { return m_avant; }
  // The area clicked had events: a zone report follows when a zone was found.
  bool AvaitEvenements() const { return m_x != 0 && m_avant == kCouleurEvenement; }
  // A place area without a zone was selected: the zone editor may add one.
  bool SansZone(const TImageCarte& image) const {
    return m_x != 0 && m_zone == 0 && image.Pixel(m_x, m_y) == kCouleurZoneChoisie;
  }

 private:
  int m_x = 0, m_y = 0;
  uint32_t m_avant = kBlanc;
  int m_zone = 0;
};

// ---------------------------------------------------------------------------
// Online map

// A place as the online page is given it: a coded French place ("FRA,"
// first) becomes its commune and the five digits of its postcode when the
// third part holds one ("F95000"), then ",France"; any other place as it is.
std::string LieuEnLigne(std::string_view lieu);
// The marker text of a person's event: short name and the place, smaller.
std::string TexteMarqueur(std::string_view nomCourt, std::string_view lieu);
// The script call adding a marker: "plotadd('place','text')", each "'"
// (and backslash) escaped.
std::string AppelPlotAdd(std::string_view lieu, std::string_view texte);
// The marker of the record window's map: the place ("FRA" and a commune: the
// commune and ",France") and a link text to the person. Empty place or no
// person: the empty text (no marker).
struct TMarqueur {
  std::string lieu, texte;
};
TMarqueur MarqueurFiche(const TBD& bd, std::string_view lieu, int personne);
// The markers of a population's events (person events, `nature` as above),
// in order.
std::vector<TMarqueur> MarqueursEnLigne(const TBD& bd, const TR& population, std::string_view nature);
// The script block that puts `marqueurs` on the page once it has loaded:
// "plotclear()" then one "plotadd" call per marker.
std::string ScriptMarqueurs(const std::vector<TMarqueur>& marqueurs);

}  // namespace kindrela
