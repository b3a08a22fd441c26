// Custom fields of a person: the stored run of triples "kind|label|value|",
// the fields every person is offered, and the rows the record window's
// dialogs add to the options tables (custom fields and event kinds).
//
// Kinds: "t" one line of text, "m" several lines, "d" a date, "l" a place,
// "r" a yes/no choice ("Oui", "Non" or empty). Texts are Windows-1252.
#pragma once

#include <string>
#include <string_view>
#include <vector>


namespace kindrela {

class TTraduction;

inline constexpr char kSeparateurChamps = '|';

// A grid of the options tables: rows of cells, row 0 the titles (the same
// shape as the type tables' grids). The custom-field and event-kind grids
// have three columns.
using LignesGrille = std::vector<std::vector<std::string>>;

// One parsed field text.
struct TChp {
  struct Champ {
    std::string sorte;
    std::string libelle;
    std::string valeur;
    friend bool operator==(const Champ&, const Champ&) = default;
  };
  std::vector<Champ> champs;
  int Nbre() const { return static_cast<int>(champs.size()); }
};

// Reads triples until the text is used up; a last triple cut short gets
// empty parts. Every triple is kept, whatever its value.
TChp LitChamps(std::string_view texte);
// The stored text of the fields whose value is not empty, in order.
std::string EcritChamps(const TChp& champs);

// The fields a person's panel shows: the definitions offered to everybody
// (`definitions`, values empty) with the person's own triples laid over
// them: a person triple takes the place of the first definition of the
// same label not yet taken, the others are appended in order.
TChp FusionneChamps(std::string_view definitions, std::string_view perso);

// A value as a field may hold it: every separator becomes a space.
std::string SansSeparateur(std::string_view valeur);

// The yes/no value: "Oui" or "Non" (as they stand) or empty.
inline constexpr std::string_view kOui = "Oui";
inline constexpr std::string_view kNon = "Non";
// Which button a stored yes/no value checks: 0 "Oui", 1 "Non" (compared
// without regard to case), 2 "Nul" for anything else.
int BoutonOuiNon(std::string_view valeur);

// The kinds the add-field dialog offers, in its order, with their captions.
struct SorteOfferte {
  std::string_view sorte;
  std::string_view legende;
};
extern const SorteOfferte kSortesChampOffertes[4];

// The labels the add-field dialog offers: the custom-field table's names
// (`nomsGrille`, in row order), then the usual labels that are not among
// them (compared without regard to case). Empty names are left out.
std::vector<std::string> LibellesChampsProposes(const std::vector<std::string>& nomsGrille);

// The add-field dialog's "Ajouter les nouveaux champs à la liste": the row
// of the custom-field grid whose name is `libelle` (without regard to case)
// gets column 0 set to message 118 when `pourTous`, else message 119; a
// grid without such a row gets one appended. A grid without title row
// gets the titles first. An empty label changes nothing.
void InscritChampGrille(LignesGrille& grille, std::string_view libelle, bool pourTous,
                        const TTraduction& traduction);

// The event kind dialog's "Ajouter les nouveaux événements à la liste": a
// row (category, name, empty tag) is appended to the event-kind grid
// unless a row of that category already has the name (without regard to
// case). True when a row was appended.
bool InscritNatureGrille(LignesGrille& grille, std::string_view categorie, std::string_view nom);

}  // namespace kindrela
