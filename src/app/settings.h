// The per-user settings file "gene.ini": every key the windows keep from one
// run to the next, with its type and default, and the object that holds the
// values while the program runs. The application owns one TReglages; the
// windows read their controls from it after ChargeReglages and put their
// state back into it before SauveReglages.
//
// Sections and keys are found without regard to case. All texts, key names
// included ("Numérote"), are Windows-1252.
//
// The three grids of the options window (event kinds, custom fields, source
// kinds) are not part of this file: they live in their own files
// (TDossiers::grilles) and are loaded and saved by the type tables, right
// after ChargeReglages and SauveReglages.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/window_place.h"
#include "core/ini_file.h"
#include "i18n/translation.h"

namespace kindrela {

inline constexpr std::string_view kSectionFenetre = "gene\\fenetre";
inline constexpr std::string_view kSectionGene = "gene";
inline constexpr std::string_view kSectionOptions = "gene\\Options";
inline constexpr std::string_view kSectionStat = "gene\\Stat";
inline constexpr std::string_view kSectionSauve = "gene\\Sauve";
// The web export's card options and picture quality.
inline constexpr std::string_view kSectionWeb = "gene\\Web";
// Where the postcode helper program's path is kept (key "Path").
inline constexpr std::string_view kSectionLokaro = "software\\tovamere\\Lokaro";
// The helper program's name in the program folder, which wins over "Path".
inline constexpr std::string_view kProgrammeLokaro = "Lokaro";

enum class SorteReglage {
  Booleen,    // written "1"/"0"
  Entier,
  Texte,
  Lignes,     // a line count under the key, then one key "<key> <i>" per line
  Raccourci,  // a keyboard shortcut slot (see RaccourciLu)
};

// One key of the file.
struct TCleReglage {
  std::string_view section;
  std::string_view cle;        // as read (without regard to case)
  std::string_view cleEcrite;  // as written when the file does not have it yet
  SorteReglage sorte;
  int defaut;                  // booleans 0/1; integers; shortcut: its default D(k)
  // Texts: the default is these messages joined by single spaces (0 ends
  // the list; none = the empty text).
  std::array<int, 3> messages;
  bool lectureSeule;           // read at start, never written
};

// Every key of the file, section by section, in the order they are written.
std::span<const TCleReglage> ClesReglages();
// The key, or nullptr when the file has no such key.
const TCleReglage* TrouveCleReglage(std::string_view section, std::string_view cle);

// Keyboard shortcuts: 16-bit values (virtual key code, + 16384 for Ctrl).
inline constexpr int kNbreRaccourcis = 15;
// The default D(slot) of slot 0..14, also the number in its key name.
int RaccourciDefaut(int slot);
// "Rac" + D(slot).
std::string CleRaccourci(int slot);
// A stored value above 111 is kept; 0 means no shortcut; a negative value
// or 1..111 (a plain letter or digit key) gives `defaut`.
int RaccourciLu(int stocke, int defaut);

// "VoirInfo": one character per tip window, "N" when the user asked not to
// see it again; at least this many characters, padded with "O".
inline constexpr size_t kLongueurVoirInfo = 100;
// A multi-line key holds at most this many lines; a larger count is cut.
inline constexpr int kMaxLignesReglage = 10000;

class TReglages {
 public:
  // Every key at its default; texts whose defaults are messages stay empty
  // until ChargeReglages resolves them.
  TReglages();

  // Sets every key from `ini`, missing keys taking their defaults (message
  // texts from `traduction`). Also reads the postcode helper's path: key
  // "Path" of kSectionLokaro, replaced by `dossierProgramme` + "Lokaro" when
  // that file exists. "AgedecesMax" also becomes DureeVieMax().
  void ChargeReglages(const FichierIni& ini, const TTraduction& traduction,
                      const std::string& dossierProgramme);
  // Writes every key except the read-only ones; "OldFileName" only when it
  // is not empty. The rest of `ini` is kept as it is. Lines left over from
  // a longer multi-line value are removed.
  void SauveReglages(FichierIni& ini) const;

  // Typed access by section and key. Asking for a key the file does not
  // have, or of another sort, is a programming error (assert); it then
  // reads false / 0 / the empty text and writes nothing. Entier and
  // SetEntier also reach the shortcut keys ("Rac116").
  bool Bool(std::string_view section, std::string_view cle) const;
  int Entier(std::string_view section, std::string_view cle) const;
  const std::string& Texte(std::string_view section, std::string_view cle) const;
  const std::vector<std::string>& Lignes(std::string_view section, std::string_view cle) const;
  void SetBool(std::string_view section, std::string_view cle, bool valeur);
  void SetEntier(std::string_view section, std::string_view cle, int valeur);
  // "VoirInfo" is padded with "O" to its minimum length.
  void SetTexte(std::string_view section, std::string_view cle, std::string valeur);
  void SetLignes(std::string_view section, std::string_view cle, std::vector<std::string> lignes);

  // Shortcut slot 0..14 (0 = none); other slots: 0 / ignored.
  int Raccourci(int slot) const;
  void SetRaccourci(int slot, int valeur);

  // The saved bounds of a window by its key prefix ("kindr", "fiche",
  // "Carte", "cellule", ...): keys prefix + "L", "T", "W", "H". Windows
  // that keep only their position have width and height 0, and
  // SetRectFenetre stores only their position.
  TRect RectFenetre(std::string_view prefixe) const;
  void SetRectFenetre(std::string_view prefixe, const TRect& r);

  // Tip window k (from 1) is shown unless its "VoirInfo" character is "N".
  bool AstuceVisible(int k) const;
  void SetAstuceVisible(int k, bool visible);

  // The program-wide maximum lifetime in years, taken from "AgedecesMax".
  int DureeVieMax() const { return m_dureeVieMax; }
  void SetDureeVieMax(int ans) { m_dureeVieMax = ans; }

  // The postcode helper program; the "Lokaro" option can only be switched
  // on when it names an existing file.
  const std::string& CheminLokaro() const { return m_cheminLokaro; }
  bool LokaroDisponible() const { return m_lokaroDisponible; }

 private:
  using Valeur = std::variant<bool, int, std::string, std::vector<std::string>>;
  // Index in ClesReglages() and m_valeurs, or -1 (after an assert) when the
  // key is unknown or not of `sorte`.
  int Index(std::string_view section, std::string_view cle, SorteReglage sorte) const;

  std::vector<Valeur> m_valeurs;  // parallel to ClesReglages()
  int m_dureeVieMax = 110;
  std::string m_cheminLokaro;
  bool m_lokaroDisponible = false;
};

// The main window's bounds at start: the work area `zone` when it was never
// saved, else its saved bounds (see RectFenetrePrincipale).
TRect RectFenetrePrincipale(const TReglages& reglages, const TRect& zone);
// Where a window goes at start: the main window ("kindr") by the rule above,
// any other window by PlaceFenetre from its saved keys (all 0: centred).
TRect PositionFenetre(const TReglages& reglages, std::string_view prefixe, TTaille actuelle,
                      const TRect& zone);

// The undo journal's bound in bytes: the option "AnnulationMo" (megabytes).
std::size_t LimiteJournal(const TReglages& reglages);

}  // namespace kindrela
