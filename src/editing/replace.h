// Search and replace over the whole tree: one kind of data (surnames,
// given names, custom field labels or values, event kinds, dates, places,
// notes) rewritten in every record in use, and the listing of its distinct
// values with their number of uses. Replacements cannot be undone.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kindrela {

class TBD;

// In the order of the window's list.
enum class DonneeRemp : int {
  Nom = 0, Prenom, NomChamp, ContenuChamp, Evenement, Date, Lieu, Note,
};
inline constexpr int kNbreDonneesRemp = 8;
// The window's entries: "Nom", "Prénom", ...
std::string_view LibelleDonnee(DonneeRemp d);

enum class ChangementRemp : int { Remplace, Majuscules, Minuscules, PremiereMajuscule };

// One value after the change: the whole value in capitals or small letters
// (accented letters included); the first letter in capitals and the rest in
// small letters; or `par` when the value equals `cherche` without regard to
// case (any other value stays).
std::string ChangeValeur(std::string_view valeur, ChangementRemp c, std::string_view cherche,
                         std::string_view par);

// Whether "Remplacer" may be pressed: a kind (and for a custom field's
// values a field name), a change, and for a replacement both texts.
bool RemplacementPermis(bool donneeChoisie, DonneeRemp d, std::string_view champ, bool changementChoisi,
                        ChangementRemp c, std::string_view cherche, std::string_view par);

// Applies the change to every person in use (surname, given names, the
// labels of all custom fields or the values of field `champ`) or to every
// event in use. Returns the number of values rewritten; BaseModifiee is set
// when there is one.
int Remplace(TBD& bd, DonneeRemp d, std::string_view champ, ChangementRemp c, std::string_view cherche,
             std::string_view par);

// The listing: column title (empty for custom field labels), whether the
// first column sorts as a date, the caption with its row count, and the
// rows (value as shown, uses) sorted on the value. An empty value is
// counted as " (Vide)". Dates are shown in display `formatDate`.
struct ListageRemp {
  std::string colonne;
  bool date = false;
  std::string legende;
  struct Ligne {
    std::string valeur;
    int utilisations = 0;
  };
  std::vector<Ligne> lignes;
};
ListageRemp Listage(const TBD& bd, DonneeRemp d, std::string_view champ, std::string_view formatDate);

}  // namespace kindrela
