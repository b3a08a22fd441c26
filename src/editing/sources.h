// Sources and their media: what the source editor, chooser, gallery and the
// record window decide about a source's linked file (its legends, where the
// file is found, what kind it is, the picture zoom) and which persons and
// sources they list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kindrela {

class TBD;

// One legend placed on a picture, in pixels of the picture at full size.
struct TZone {
  int x = 0;
  int y = 0;
  std::string texte;
  friend bool operator==(const TZone&, const TZone&) = default;
};

inline constexpr int kLegendesMax = 1000;

// A source's media field: the file name, then either legends ("|" x "|" y
// "|" text, again and again) or a note the GEDCOM exchange keeps there.
struct TMediaSource {
  std::string fichier;
  std::vector<TZone> legendes;
  // What follows the first "|" when it does not read as legends: kept as
  // it stands, so that opening and closing a source loses nothing.
  std::string note;
  friend bool operator==(const TMediaSource&, const TMediaSource&) = default;
};

// Reads a media field. What follows the first "|" is legends when it is a
// whole number of triples whose x and y are integers; at most kLegendesMax
// are kept. Anything else is the note.
TMediaSource LitMedia(std::string_view srcMedia);
// The media field of `m`: the file, then the legends, or else "|" and the
// note when there is one. LitMedia(EcritMedia(m)) == m for legend texts
// without "|" (a "|" in a legend text becomes "/").
std::string EcritMedia(const TMediaSource& m);

// Where media files are looked for. Folders end with "/" or are empty.
struct TDossiersMedia {
  std::string modele;        // the "modele" folder of the program
  std::string programme;     // the program folder
  std::string fichierArbre;  // the open tree file (full path), or empty
};

// The file a stored media name stands for; empty when none exists. A name
// without folder is first looked for beside the tree file; then the name
// as written; then, with N the name's own part (after the last "/" or
// "\"), the first existing of: model folder + N, tree folder + N, the same
// with the extension ".jpg", program folder + N. Paths keep their case:
// the file system tells case apart.
std::string ResoutMedia(const std::string& nom, const TDossiersMedia& dossiers);

// The kind of a file name: the first three letters, in capitals, of the
// text after its last "." ("" without "."). "photo.jpeg" -> "JPE".
std::string SorteFichier(std::string_view nom);

enum class GenreMedia {
  Aucun,   // no file
  Image,   // shown as a picture
  Lecteur, // played by the media player (sound or video)
  Autre,   // any other file
};
// BMP, GIF, JPG, JPEG and PNG files are pictures; WAV, AVI and the usual
// sound and video files (MP3, OGG, MP4, MPG, WEBM, FLAC) are played.
GenreMedia GenreDe(std::string_view nom);
// "&Photo de l'arbre" accepts BMP, JPG (JPEG) and PNG files only.
bool PeutEtrePhotoArbre(std::string_view nom);
// The kind word a tree picture's source carries.
inline constexpr char kPhotoArbre[] = "Photo de l'arbre";

// How a chosen file is stored: its bare name when it lies in the tree
// file's folder (compared without regard to case), else the path as given.
std::string NomMediaStocke(const std::string& chemin, const std::string& fichierArbre);

// The picture zoom Z (-1600..1600): a length L is shown L * Z / 100 for Z
// from 2 up, L * 100 / -Z for Z from -2 down, L otherwise; the inverse
// divides instead.
int ZoomLongueur(int longueur, int zoom);
int ZoomInverse(int longueur, int zoom);
// Z when a picture of this width is loaded: 100, or about 213 pixels wide
// for pictures at least 214 wide.
int ZoomInitial(int largeur);
// One zoom step in (left click) and out (right click).
int ZoomPlus(int zoom);
int ZoomMoins(int zoom);

// The persons (in number order) whose TabSrc holds source s. Linear in the
// tree; for one source at a time.
std::vector<int> PersonnesDeSource(const TBD& bd, int s);
// For every source 0..NbreSrc the number of persons in use citing it
// (a person listing it twice counts once). One pass over the tree.
std::vector<int> CitationsParSource(const TBD& bd);
// The sources in use, in number order, whose kind (SrcAbrege) is `sorte`;
// every source in use when `sorte` is empty.
std::vector<int> SourcesEnUsage(const TBD& bd, std::string_view sorte);
// The kinds offered in every kind box: column 0 of the rows (after the
// title row) of the source type table, empty cells left out.
std::vector<std::string> SortesDeSource(const std::vector<std::vector<std::string>>& grille);

// The source deletion: the source removed from every person that lists it
// (every entry), then freed. Nothing for a source out of range.
void SupprimeSource(TBD& bd, int s);

// A memo's text as stored: line ends as CR LF, then trailing blanks, CR
// and LF removed.
std::string TexteMemo(std::string_view texte);

// One line of the source audit (kindrela-cli sources): record number,
// title, media file as stored, whether the file is found, citing persons.
struct TLigneAudit {
  int source = 0;
  std::string titre;
  std::string fichier;
  bool trouve = false;
  int citations = 0;
};
std::vector<TLigneAudit> AuditSources(const TBD& bd, const TDossiersMedia& dossiers);

}  // namespace kindrela
