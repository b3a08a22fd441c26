// Initialisation files: "[section]" headers and "key=value" lines, in
// Windows-1252. Sections and keys are found without regard to case; a
// section name may hold a backslash ("gene\fenetre"). Rewriting keeps every
// section, key, comment and blank line it does not change, in place.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/status.h"

namespace kindrela {

class FichierIni {
 public:
  FichierIni() = default;
  // Reads `chemin` when it exists; a missing file is an empty one that
  // Enregistre() will create.
  explicit FichierIni(std::string chemin);

  // Replaces the content with `texte` (lines end with CR, LF or CR LF).
  void ChargeTexte(std::string_view texte);
  // The content as it would be written: lines end with CR LF.
  std::string Texte() const;

  const std::string& Chemin() const { return m_chemin; }
  bool FichierLu() const { return m_lu; }

  // Writes the file back (atomically) to its path.
  Statut Enregistre() const;
  Statut EnregistreSous(const std::string& chemin) const;

  // Missing section or key: `defaut`. The value is taken with the spaces
  // around it removed.
  std::string LitTexte(std::string_view section, std::string_view cle,
                       std::string_view defaut = {}) const;
  // Not a whole number: `defaut`.
  int LitEntier(std::string_view section, std::string_view cle, int defaut) const;
  // "0" is false, any other number true; not a number: `defaut`.
  bool LitBooleen(std::string_view section, std::string_view cle, bool defaut) const;

  // Line breaks in `valeur` become spaces: a value is one line of the file.
  void EcritTexte(std::string_view section, std::string_view cle, std::string_view valeur);
  void EcritEntier(std::string_view section, std::string_view cle, int valeur);
  // Written as "1" or "0".
  void EcritBooleen(std::string_view section, std::string_view cle, bool valeur);

  bool SectionExiste(std::string_view section) const;
  bool CleExiste(std::string_view section, std::string_view cle) const;
  // Section names, in file order.
  std::vector<std::string> Sections() const;
  // Keys of a section, in file order.
  std::vector<std::string> Cles(std::string_view section) const;
  std::vector<std::pair<std::string, std::string>> Valeurs(std::string_view section) const;

  // Every section with its key lines, in one pass over the file: readers of
  // files with many sections use this rather than one lookup per section.
  struct Section {
    std::string nom;
    std::vector<std::pair<std::string, std::string>> valeurs;
  };
  std::vector<Section> ToutesLesSections() const;

  void EffaceSection(std::string_view section);
  void EffaceCle(std::string_view section, std::string_view cle);

 private:
  struct Ligne {
    std::string texte;    // the line as read or written
    std::string section;  // for a header: the section name
    std::string cle;      // for a key line: the key
    std::string valeur;   // for a key line: the value
    enum Sorte { Autre, Entete, Cle } sorte = Autre;
  };
  // Index of the header of the first section of that name, or -1.
  int TrouveSection(std::string_view section) const;
  // Index of the key line inside the section starting at `entete`, or -1.
  int TrouveCle(int entete, std::string_view cle) const;
  int FinSection(int entete) const;

  std::string m_chemin;
  bool m_lu = false;
  std::vector<Ligne> m_lignes;
};

// Splits text into lines at CR LF, CR or LF; a final line end does not make
// an empty last line.
std::vector<std::string> DecoupeLignes(std::string_view texte);

}  // namespace kindrela
