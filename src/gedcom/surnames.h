// Surnames of two GEDCOM files (or two saved lists) and the ones they have
// in common, exactly or by a simple phonetic key.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/status.h"

namespace kindrela {

// One surname of a list.
struct TPatro {
  std::string Cle;  // phonetic key
  int Nombre = 0;   // occurrences
  std::string Nom;  // the surname as met
};

constexpr int kMaxPatronymes = 50000;

// The upper-cased surname (accented letters included) with every run of the
// same letter among B, F, L, M, N, P, R, S, T reduced to one:
// "BARRAULT" -> "BARAULT", "Masson" -> "MASON".
std::string ClePhonetique(std::string_view nom);

// The surnames of one side, at most kMaxPatronymes distinct ones. Lookups by
// surname go through an index, so filling a list costs n log n at most.
class ListePatronymes {
 public:
  const std::vector<TPatro>& Entrees() const { return m_entrees; }
  int Taille() const { return static_cast<int>(m_entrees.size()); }
  void Vide();
  // `nombre` more occurrences of exactly this surname (case counts). A new
  // surname gets its phonetic key; it is ignored (false) when the list
  // already holds kMaxPatronymes surnames. An empty surname is ignored.
  bool Ajoute(std::string_view nom, int nombre = 1);
  // By phonetic key or by surname, without regard to case; entries with the
  // same key stay in the order they had.
  void Trie(bool parCle);

 private:
  std::vector<TPatro> m_entrees;
  std::unordered_map<std::string, size_t> m_index;  // surname -> position
};

// One occurrence; false when the surname was new and the list full.
bool AjouterPatronyme(ListePatronymes& liste, std::string_view nom);
void TrierPatronymes(ListePatronymes& liste, bool parCle);

// How a side shows an entry: surname + " (" + count + ") " + key.
std::string LignePatronyme(const TPatro& p);
std::vector<std::string> LignesPatronymes(const ListePatronymes& liste);

// The surname of a NAME value: the text between its first two "/" ("Jean
// /DUPONT/" gives "DUPONT"; a missing second "/" takes the rest), or the
// whole value when it holds no "/"; spaces trimmed. Empty when nothing is left.
std::string PatronymeDeNom(std::string_view valeur);

// Fills `liste` with the surnames of the persons' NAME lines of a GEDCOM
// file, in the character set its header names (bytes as they are without
// one). A file that cannot be read, or whose first line is not "0 HEAD"
// ("Ce n'est pas un fichier GEDCOM." and that line), gives an error and
// leaves the list as it was. `progression` gets (bytes read, file size) at
// every hundredth of the file; a stop gives Statut::Annule() and the list
// holds what was read. The list comes back sorted by surname.
Statut LirePatronymesGedcom(const std::string& chemin, ListePatronymes& liste,
                            const Progression& progression = {});
// The same on the file's content already in memory.
Statut LirePatronymesGedcomTexte(std::string_view contenu, ListePatronymes& liste,
                                 const Progression& progression = {});

enum class ModeComparaison { Exact = 1, Phonetique = 2 };

// The surnames both lists hold, without regard to case (Exact: the first
// list's surname), or sharing a phonetic key (Phonetique: first surname +
// " , " + second surname). Each entry of one list pairs with at most one of
// the other, in sorted order. Both lists are taken in the order of the
// mode's key whatever their own order, so the answer is always complete.
std::vector<std::string> ComparerPatronymes(const ListePatronymes& premier,
                                            const ListePatronymes& second, ModeComparaison mode);

// A text file of one line per entry (CR LF), as the sides and the result
// show them. An error names the file.
Statut SauvePatronymes(const std::string& chemin, const std::vector<std::string>& lignes);
// Replaces `liste` with the lines of such a file: "SURNAME (3) KEY" gives
// SURNAME with 3 occurrences (1 when the count is not a number), a line
// without "(" is a surname met once; blank lines are skipped. Keys are
// computed again. The list comes back sorted by surname. An unreadable file
// ("Fichier incorrect") leaves the list as it was.
Statut ChargePatronymes(const std::string& chemin, ListePatronymes& liste);
void ChargePatronymesTexte(std::string_view texte, ListePatronymes& liste);

}  // namespace kindrela
