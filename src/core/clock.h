// Today's date, the program's only reading of the local clock.
#pragma once

#include <string>

namespace kindrela {

struct Jour {
  int annee = 0;
  int mois = 0;  // 1..12
  int jour = 0;  // 1..31
  int heure = 0;
  int minute = 0;
  int seconde = 0;
};

// The local date and time, or the fixed day set by FixeAujourdhui.
Jour Aujourdhui();

// Tests pin today to a known day; a day whose year is 0, or LibereAujourdhui,
// goes back to the local clock.
void FixeAujourdhui(const Jour& jour);
void LibereAujourdhui();

// Today in the stored date form "d/m/y".
std::string DateDuJourTexte();

}  // namespace kindrela
