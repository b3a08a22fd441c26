// The assisted-entry list: the values already used in the tree (names,
// places, a custom field's values) that start with what is being typed,
// offered below the edit. Too many candidates give no list at all.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kindrela {

class TBD;

// What one offer looks for, once the list's state is known.
struct DemandeSaisie {
  std::string texte;  // the prefix; ignored when `toutes`
  int limite = 0;     // as soon as the list holds this many values it gives up; 0: no limit
  bool toutes = false;
};

// The edit's text, the limit of the settings, whether the list is already
// shown and whether F3 asked for every value. A shown list has no limit and
// F3 then offers every value; F3 on a hidden list keeps the prefix but
// lifts the limit.
DemandeSaisie PrepareSaisie(std::string_view texte, int limite, bool visible, bool toutes);

// The distinct values (exact comparison), in record order, skipping empty
// values; unless `toutes`, only those that start with the prefix (without
// regard to case) and are longer than it. Empty when the limit is reached.
//
// The person field a name edit serves, by the edit's name: 2 (the surname)
// for E_Nom and eNom, 3 (the given names) for E_Pre and ePre, else 0.
int CodeChampNom(std::string_view nomEdit);

// Names: the person field `code` (2 surname, 3 given names) of the persons
// in use; code 0 offers nothing.
std::vector<std::string> PropositionsNoms(const TBD& bd, int code, const DemandeSaisie& d);
// A custom field: the value of field `libelle` of every person in use but `exclu`.
std::vector<std::string> PropositionsChamp(const TBD& bd, std::string_view libelle, int exclu,
                                           const DemandeSaisie& d);
// Places of the events in use; the prefix is compared with the part chosen
// by `partie` (0 the whole place, k the k-th of its six fields) while the
// whole place is offered.
std::vector<std::string> PropositionsLieux(const TBD& bd, int partie, const DemandeSaisie& d);

}  // namespace kindrela
