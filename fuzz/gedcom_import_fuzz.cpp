// Any bytes as a GEDCOM file: the import (in every character set, with
// every option), the header preview, the surname reading, then the export
// of what was imported.
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
  return 0;
}
