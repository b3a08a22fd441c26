// The tree chart's layout: from the database, the reference person and the
// looks of the two chart halves, the position of every box and the end
// points of every connecting line, in logical units (one screen pixel at
// zoom 100). Half 1 holds the reference person and its ancestors, half 2 the
// descendants.
//
// Nothing here paints: the window layer makes one box item per `BoiteArbre`
// and one link item per `LienArbre`, in the order given, and expands the box
// texts itself. The extent, the shift to the print margins and the automatic
// zoom are pure functions over the result.
//
// Cost: linear in the number of boxes made (the per-person kinship queries
// answer from the database's indexes). Every walk is bounded by the number of
// generations of its half and by kProfondeurMax, so a tree whose links form a
// loop still ends.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "chart/looks.h"
#include "core/database.h"
#include "core/status.h"

namespace kindrela {

// A rectangle given by its edges (Right and Bottom excluded, as on screen).
struct RectArbre {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  int32_t Largeur() const { return Right - Left; }
  int32_t Hauteur() const { return Bottom - Top; }
  friend bool operator==(const RectArbre&, const RectArbre&) = default;
};

// One person's box. Its size comes from its half: width `Large`, height the
// computed box height of that half's T1Aff.
struct BoiteArbre {
  int32_t x = 0;        // logical left edge
  int32_t y = 0;        // logical top edge
  int moitie = 1;       // chart half, 1 or 2
  int personne = 0;     // person record number (always a valid one)
  uint8_t sexe = 0;     // the person's Sexe byte; 0 chooses the men's look
  bool Masculin() const { return sexe == 0; }
};

// One connecting line. The first fields are those the link is made from
// (x1, y1, half, far person, near person, y2, x2); the rest is derived from
// them as the link items need it, by InitLien below.
struct LienArbre {
  int32_t x1 = 0, y1 = 0;  // first end point
  int32_t x2 = 0, y2 = 0;  // second end point
  int moitie = 1;
  int loin = 0;            // person at the far end (0 for none)
  int proche = 0;          // person at the near end (0 for none)
  // Derived: the rectangle the line spans (logical units) and its shape 1..9
  // (0 when the half's style is not 1..5).
  int32_t gauche = 0, haut = 0, largeur = 0, hauteur = 0;
  int forme = 0;
  // The line joins a child to a parent whose link the child's record marks
  // uncertain (CertP for the father, CertM for the mother above 0): painted
  // dotted.
  bool incertain = false;
};

// Fills the derived fields of `lien` from its end points and the
// arrangement `style` of its half:
//   style 1: shape 8 in half 1, 9 in half 2; 2: 1 when x1 < x2 else 2;
//   3: 3 when y1 < y2 else 4; 4: 9 when x1 < x2 else 8; 5: 7 when y1 < y2
//   else 8; any other style: 0.
// The rectangle spans both points; a vertical line (x1 = x2) gets a
// rectangle half as wide as it is tall centred on it and shape 6; a
// horizontal one (y1 = y2) half as tall as it is wide and shape 5.
void InitLien(LienArbre& lien, int style);

// A point in logical units (or in pixels, where said).
struct PointArbre {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const PointArbre&, const PointArbre&) = default;
};

// The path of link `l` in logical units, by its shape (rectangle L, T, R, B
// with mx, my its middle):
//   1: (L,B) [(L,my) (R,my)] (R,T)     2: (L,T) [(L,my) (R,my)] (R,B)
//   3: (L,B) [(mx,B) (mx,T)] (R,T)     4: (L,T) [(mx,T) (mx,B)] (R,B)
//   5: (L,my) (R,my)                   6: (mx,T) (mx,B)
//   7: (L,T) [(R,T)] (R,B)   8: (R,T) [(R,B)] (L,B)   9: (L,T) [(L,B)] (R,B)
// the bracketed corners only when `brise`. The path runs through the
// link's own end points, edges included, so that links meeting at a box (a
// child's two parents, a parent's children) share their common stretch
// exactly at every zoom and pen width, instead of lying side by side.
// Empty for another shape.
std::vector<PointArbre> TraceLien(const LienArbre& l, bool brise);

// Whether a link between `loin` and `proche` joins a child to a parent the
// child's record marks uncertain (CertP / CertM above 0), whichever end the
// child is at: what `LienArbre::incertain` holds, for refreshing a link after
// an edit.
bool LienIncertain(const TBD& bd, int loin, int proche);

// Options of a build.
struct OptionsArbre {
  bool AfficheConjoint = false;  // the last spouse of each descendant
  bool AfficheFratrie = false;   // the reference person's siblings (tidy descendant styles)
  // Print margins (left, top) the finished chart is moved to (DecaleZero).
  int PrintMargeG = 0;
  int PrintMargeH = 0;
};

// Height in logical units of one text line of a box at zoom 100. The window
// layer passes the height of its font's text; without one, the line's font
// height (its absolute value) is used.
using MesureLigne = std::function<int(const TLigne&)>;

// The outcome of a build.
struct Arbre {
  std::vector<BoiteArbre> boites;  // in creation order
  std::vector<LienArbre> liens;    // in creation order
  // Sizes used, per half (index 0: half 1, index 1: half 2); the same values
  // are written into the computed fields of each half's T1Aff.
  int hauteurBoite[2] = {0, 0};
  int ecartHorz[2] = {0, 0};
  int ecartVert[2] = {0, 0};
  // True when `continuer` stopped the build; the lists hold what was made.
  bool annule = false;
  // True when the chart ran out of room (more than kBoitesMax boxes, or more
  // than kPlacementsMax entries in the tidy descendant placement): the walks
  // stopped there and the rest was left out.
  bool tronque = false;
};

// Room of the tidy descendant placement (one entry per box of that side).
inline constexpr int kPlacementsMax = 50000;
// Bound on the boxes of one chart. An ancestor walk over many generations of
// a tree where lines meet again repeats whole branches, which can grow
// exponentially with the generation count; a chart this large is far beyond
// what anyone can look at. The reference person's box comes on top of it.
inline constexpr int kBoitesMax = 1 << 18;
// The fan arrangements spread 2^generations slots; beyond this many
// generations the positions would leave the 32-bit range, so the fans stop
// there.
inline constexpr int kGenerationsEventailMax = 20;

// The box height of a half: the sum of its line heights (lines 0 to
// LigneNbre - 1) times 100 / (100 - MargeHaut - MargeBas), rounded; 0 when
// LigneNbre is outside 1..50. Margins leaving 0 % or less of the box for the
// text are taken as leaving 1 %.
int HauteurBoite(const T1Aff& aff, const MesureLigne& mesure = {});

// Builds the chart of `refPers`: the ancestors by half 1's Style (1 grouped
// list, 2 compact vertical, 3 compact horizontal, 4 vertical fan,
// 5 horizontal fan, anything else none) and the descendants by half 2's Style
// (1 grouped list, 2 vertical, 3 horizontal, anything else none), the
// reference person's box last, then the whole moved to the print margins
// (DecaleZero with half 1's zoom).
// Writes the computed box height and gaps into both T1Aff records.
// A collapsed reference person gives its box alone at (0, 0). A refPers that
// is not a record of the tree gives an empty chart. Persons that are not
// records of the tree (a dangling link) get no box. `continuer` (may be
// empty) is asked after each box made; when it returns false the walks stop
// and `annule` is set.
Arbre ConstruitArbre(const TBD& bd, int refPers, T1Aff& moitie1, T1Aff& moitie2,
                     const OptionsArbre& options, const MesureLigne& mesure = {},
                     const Progression& continuer = {});

// Screen rectangle of a box or link at the zoom of its half:
// box (Z·x/100, Z·y/100) to that + (W·Z/100, H·Z/100); link each of its
// rectangle's four numbers times Z/100, width and height at least 1.
// `moities` are half 1 and half 2 (a half number other than 2 reads half 1).
RectArbre RectEcran(const BoiteArbre& b, const T1Aff& moitie1, const T1Aff& moitie2);
RectArbre RectEcran(const LienArbre& l, const T1Aff& moitie1, const T1Aff& moitie2);

// The union of the screen rectangles of every box and link, starting from
// (10000, 10000, 0, 0): an empty chart gives exactly that.
RectArbre GetRect(const Arbre& arbre, const T1Aff& moitie1, const T1Aff& moitie2);

// Moves the chart so that its extent starts at the print margins: with R the
// extent and Z half 1's zoom, subtracts (R.Left - margeG)·100/Z from every
// logical x and (R.Top - margeH)·100/Z from every logical y (end points and
// link rectangles alike). Nothing moves when Z <= 0 or the chart is empty.
void DecaleZero(Arbre& arbre, const T1Aff& moitie1, const T1Aff& moitie2, int margeG,
                int margeH);

// The zoom that fits the chart into an area of the given size:
// min(largeur·Z/R.Right, hauteur·Z/R.Bottom) with Z half 1's zoom, at most
// 100 and at least 1. An empty chart (R.Right or R.Bottom <= 0) or an area of
// no size gives Z back unchanged (100 when Z <= 0).
int CalculZoomAuto(const Arbre& arbre, const T1Aff& moitie1, const T1Aff& moitie2,
                   int largeurZone, int hauteurZone);

// The four directions of the arrow keys.
enum class Direction { Gauche, Droite, Haut, Bas };

// The box the selection moves to from box `index` in `direction`, among the
// boxes whose centre lies on that side of its centre and show another
// person: the nearest of those in line with it (the same row for left and
// right, the same column for up and down), else the nearest of the others,
// a step aside counting twice as much; -1 when none. Screen positions at
// the halves' zooms; linear in the number of boxes.
int BoiteVoisine(const Arbre& arbre, const T1Aff& moitie1, const T1Aff& moitie2, int index,
                 Direction direction);

// The first box of `personne` (index into arbre.boites), or -1.
int IndexBoitePersonne(const Arbre& arbre, int personne);

}  // namespace kindrela
