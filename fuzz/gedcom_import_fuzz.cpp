// Any bytes as a GEDCOM file: the import (in every character set, with
// every option), the header preview, the surname reading, then the export
// of what was imported; and its lines read ahead by a thread, which must
// read exactly as they do alone.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "analysis/type_tables.h"
#include "core/database.h"
#include "gedcom/gedcom_export.h"
#include "gedcom/gedcom_import.h"
#include "gedcom/gedcom_lines.h"
#include "gedcom/surnames.h"
#include "i18n/translation.h"

using namespace kindrela;

namespace {

std::string Calcul(std::string_view valeur) { return std::string(valeur) + "!"; }

// The lines of `texte`, with the positioning the import does (back to the
// start of the line just read, jumps back to the first record), each line
// with its counters, as one text.
std::string Lecture(std::string_view texte, JeuCaracteres jeu, bool anticipe) {
  LecteurGedcom lecteur(texte, jeu);
  if (anticipe) lecteur.Anticipe(0, "DATE", Calcul);
  std::string lu;
  std::size_t premier = std::string_view::npos;
  long numeroPremier = 0;
  for (int k = 0; lecteur.Suivante() && k < 100000; ++k) {
    const LigneGedcom& l = lecteur.Ligne();
    std::string_view calculee;
    if (lecteur.ValeurCalculee(calculee) && calculee != Calcul(l.valeur)) __builtin_trap();
    for (std::string_view partie : {l.xref, l.tag, l.valeur, l.brute, l.texte}) (lu += partie) += '|';
    lu += std::to_string(l.numero) + ',' + std::to_string(l.niveau) + ',' +
          std::to_string(lecteur.DebutLigne()) + ',' + std::to_string(lecteur.Position()) + ',' +
          std::to_string(lecteur.Remplacements()) + '\n';
    if (l.niveau == 0 && premier == std::string_view::npos) {
      premier = lecteur.DebutLigne();
      numeroPremier = l.numero;
    }
    if (k % 7 == 6) lecteur.Positionne(lecteur.DebutLigne(), l.numero);
    if (k == 50 && premier != std::string_view::npos) lecteur.Positionne(premier, numeroPremier);
  }
  return lu + lecteur.LignesInvalidesTexte();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view texte(reinterpret_cast<const char*>(data), size);
  static const TTablesTypes types = [] {
    TTablesTypes t;
    TTraduction traduction;
    t.ChargeTexte(SorteTable::Evenements, "Pour;Ev;Balise;\r\nIndividu;Naissance;BIRT;\r\nUnion;Mariage;MARR;\r\n",
                  traduction);
    t.ChargeTexte(SorteTable::Champs, "D;Champ;Balise;\r\nNON;Religion;RELI;\r\n", traduction);
    return t;
  }();
  // The options come from the size, so that seeds are plain GEDCOM files.
  OptionsImport options;
  options.jeu = static_cast<JeuCaracteres>(size % 4);
  options.majuscules = size % 3 == 0;
  TGedcomHeader entete;
  TBD bd;
  OptionsImport apercu = options;
  apercu.enteteSeul = true;
  (void)ImportGedcomTexte(bd, types, texte, "/nulle-part/arbre.ged", apercu, entete);
  ResultatImport r = ImportGedcomTexte(bd, types, texte, "/nulle-part/arbre.ged", options, entete);
  (void)r;
  (void)JeuPreselectionne(texte);
  ListePatronymes patronymes;
  (void)LirePatronymesGedcomTexte(texte, patronymes, {});
  std::string sortie;
  OptionsExportGedcom exportation;
  exportation.jeu = static_cast<JeuCaracteres>((size / 4) % 4);
  (void)GenereGedcom(bd, types, exportation, sortie);
  if (Lecture(texte, options.jeu, false) != Lecture(texte, options.jeu, true)) __builtin_trap();
  return 0;
}
