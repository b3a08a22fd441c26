// Place texts: the six comma-separated fields of an event's place, the coded
// shape of French places, the one-shot conversion of a whole tree's places,
// and the prepared place lists of the "lieu" folder.
//
// Coded (normalised) shape of a French place, widest field first:
//   "FRA,IDF,F75,001 Paris,Locality,Other"
//   country "FRA", three-letter region code (empty when unknown), "F" + the
//   two-digit department number, the commune optionally preceded by the last
//   three digits of its postal code and one space, then two free fields.
// Trailing empty fields are never written. The plain shape that is turned
// into it starts with country "F": "F,75,Paris" or "F,75001,Paris".
//
// Nothing here reports errors: a text that does not match a shape comes
// back unchanged. All texts are Windows-1252 bytes.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/status.h"
#include "core/ansi_literal.h"

namespace kindrela {

class TBD;

inline constexpr int kNbreChampsLieu = 6;

// Fields 1..6 at indexes 0..5: country, region, department, commune,
// locality, other.
using ChampsLieu = std::array<std::string, kNbreChampsLieu>;

// Titles of the six fields, in their fixed order (the conversion grid's
// column titles and the choices of the place options).
inline constexpr std::array<std::string_view, kNbreChampsLieu> TitresChampsLieu = {
    "Pays", "Région"_ansi, "Département"_ansi, "Commune", "Lieux-dit", "Autre"};

// The six fields of a place, each trimmed of spaces at both ends. Fields
// beyond the sixth are dropped; missing ones are empty. "a, b ,c" gives
// "a", "b", "c", "", "", "".
ChampsLieu DecoupeLieu(std::string_view lieu);

// Joins fields into a place text: a field is followed by "," only when a
// later one is non-empty, so that no trailing comma is written.
std::string JoinLieu(const ChampsLieu& champs);

// A place as a person reads it: a coded French place gives its locality,
// its commune without the postal-code digits and the department number
// ("FRA,BRE,F29,000 Quimper" gives "Quimper (29)"); any other place its
// non-empty fields joined by ", ".
std::string LieuLisible(std::string_view lieu);

// Three-letter code of the (former) region holding a department: 75 gives
// "IDF", 5 gives "PCA". Any number not in the table (0, negative, 96 and
// above) gives "".
std::string RegionDepartement(int departement);

// A French place in the plain shape rewritten into the coded shape:
//   "F,75,Paris"     -> "FRA,IDF,F75,Paris"
//   "F,,75,Paris"    -> "FRA,IDF,F75,Paris"    (empty region dropped)
//   "F,75001,Paris"  -> "FRA,IDF,F75,001 Paris" (postal code)
//   "F,75"           -> "FRA,IDF,F75"
// Any other text comes back unchanged: a first field other than "F" (in
// either case), a department that is not two digits with a positive value
// ("F,1,X", "F,2A,Ajaccio"), a department of three, four or more than five
// digits, or five characters that are not all digits.
std::string LieuNormalise(std::string_view lieu);

// The place typed as a department number alone: "75" gives "FRA,IDF,F75",
// "05" gives "FRA,PCA,F05", "97" gives "FRA,,F97". Anything that is not
// exactly two decimal digits with a positive value ("7", "7a", "00", "075")
// gives nullopt: the typed text is to be left as it is.
std::optional<std::string> LieuDepuisDepartement(std::string_view saisie);

// ---------------------------------------------------------------------------
// Conversion of the places of a whole tree

struct OptionsConversionLieux {
  // For each target field k (index 0..5: country .. other), the number 1..6
  // of the field of the existing texts that goes there. Any other number
  // counts as 1. The identity keeps the fields where they are.
  std::array<int, kNbreChampsLieu> colonnes = {1, 2, 3, 4, 5, 6};
  // Write "France" as "F" and apply LieuNormalise, the region being
  // regenerated from the department. A place that does not normalise
  // (no usable department) keeps its region as written.
  bool normaliser = true;
  // A place whose country ends up empty is taken as French ("F").
  bool franceParDefaut = true;
};

// One place rewritten by the conversion: an earlier normalisation is undone
// first ("FRA" + "F75" back to "F" + "75"), the fields are moved as the
// options say and joined again, then the options apply. Converting an
// already converted text again with the identity mapping gives it back.
// An empty place stays empty.
std::string ConvertitLieu(std::string_view lieu, const OptionsConversionLieux& options);

struct ResultatConversionLieux {
  bool annule = false;   // the progress callback asked to stop
  int nbreModifies = 0;  // events whose place text changed
};

// Rewrites with ConvertitLieu the place of every event in use, 1..NbreEve,
// in memory only. `progression` is called every 50 events with (done,
// total); when it returns false the work stops there (the events already
// done keep their new place) and the result says so. BaseModifiee is set
// when a place changed.
ResultatConversionLieux ConvertitLieux(TBD& bd, const OptionsConversionLieux& options,
                                       const Progression& progression = {});

// The options the conversion window starts with, read from the places it
// previews. Places whose first field names France ("F", "FRA", "France")
// are written widest first, as the program writes them: the fields stay
// where they are. Places of several fields that do not start with a country
// are written the other way, the town first and the country last, as
// GEDCOM files write them: the country comes from their last field and the
// town from their first, for the field count most of them have. "France by
// default" is ticked unless the places name other countries more often
// than France.
OptionsConversionLieux OptionsProposees(const std::vector<ChampsLieu>& apercu);

// The non-empty places of the first `maximum` events (in use) that have
// one, in event order, each split by DecoupeLieu: the preview rows of the
// conversion window.
inline constexpr int kNbreLignesApercuLieux = 99;
std::vector<ChampsLieu> ApercuLieux(const TBD& bd, int maximum = kNbreLignesApercuLieux);

// ---------------------------------------------------------------------------
// Place lists: the ".txt" files of the "lieu" folder, one place per line.

// Names of the lists of `dossier` (a folder path ending with "/" or not):
// the ".txt" files (extension in any case) without their extension, as
// Windows-1252 text, sorted without regard to case. A missing or unreadable
// folder gives an empty list.
std::vector<std::string> ListesDeLieux(const std::string& dossier);

// The places of one list, `nom` as ListesDeLieux gives it: the lines of the
// file "<dossier>/<nom>.txt" (LF or CRLF), sorted without regard to case;
// empty lines are skipped. A missing or unreadable file gives an empty list.
std::vector<std::string> LitListeDeLieux(const std::string& dossier, std::string_view nom);

// The lines of a list's content, sorted as LitListeDeLieux gives them.
std::vector<std::string> LignesListeDeLieux(std::string_view contenu);

}  // namespace kindrela
