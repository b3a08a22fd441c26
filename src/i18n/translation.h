// The translation file: every text the program shows, one column per
// interface language, found by message number, symbolic key or window path.
#pragma once

#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kindrela {

class TTraduction {
 public:
  static constexpr int kNbreMessages = 3000;
  static constexpr int kMaxChamps = 51;  // the key and 50 languages

  // Reads the file once. Returns false and does nothing when a file is
  // already loaded; returns false with empty lists when the file does not
  // exist. A relative `chemin` is taken from `dossierProgramme`.
  bool ChargeTraduction(const std::string& chemin, const std::string& dossierProgramme = {});
  // The same from text already in memory (Windows-1252).
  bool ChargeTexte(std::string_view texte);
  void LibereTraduction();

  // Message n in the current language; the decimal text of n when no file
  // is loaded; empty (or "@" + the language-1 text under DebugTrad) when the
  // message or its column is missing.
  std::string Msg(int n) const;
  // The text of a symbolic key, found without regard to case; empty (or
  // "$" + the language-1 text under DebugTrad) when missing.
  std::string MsgCle(std::string_view cle) const;

  // One line of window translation: the component part ("Caption", "Hint"
  // or a control name), the property part and the text to apply.
  struct EntreeFenetre {
    std::string composant;
    std::string propriete;  // empty when the component part is Caption/Hint of the window
    std::string texte;
  };
  // The entries for the window named `nomFenetre` (cut at its first "_"),
  // in file order. Lines of fewer than two parts are left out.
  std::vector<EntreeFenetre> EntreesFenetre(std::string_view nomFenetre) const;

  int Langue = 1;
  bool DebugTrad = false;
  bool Charge() const { return m_charge; }

  const std::vector<std::string>& ListeLignes() const { return m_lignes; }
  const std::vector<std::string>& ListeCles() const { return m_cles; }

 private:
  void Indexe();
  // Field `Langue` of an already-split entry, with "\n" expanded.
  std::string Champ(const std::vector<std::string>& champs, int n) const;

  bool m_charge = false;
  bool m_listes = false;  // the lists exist (a load was attempted)
  std::vector<std::string> m_lignes;
  std::vector<std::string> m_cles;
  std::array<std::optional<std::string>, kNbreMessages> m_messages;
};

// A message of the file with each "%s" receiving the next of `valeurs` (an
// empty text once they are used up) and "%%" giving "%".
std::string Remplit(std::string_view modele, std::initializer_list<std::string> valeurs);

// "\n" (backslash, n) becomes carriage return + line feed.
std::string DevelopperRetours(std::string_view texte);

}  // namespace kindrela
