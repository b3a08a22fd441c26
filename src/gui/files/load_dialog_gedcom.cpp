#include "gui/files/load_dialog_gedcom.h"

#include "core/file_io.h"
#include "gedcom/gedcom_import.h"

namespace kindrela {
namespace {

// The header of a GEDCOM file sits at its very start.
constexpr std::size_t kTailleEntete = 256 * 1024;

}  // namespace

ApercuGedcom LitApercuGedcom(TBD& bd, const TTablesTypes& types, const std::string& chemin,
                             JeuCaracteres jeu) {
  TGedcomHeader entete;
  OptionsImport options;
  options.jeu = jeu;
  options.enteteSeul = true;
  const std::string debut = LitDebutFichier(chemin, kTailleEntete);
  // A header that cannot be read simply shows empty fields.
  (void)ImportGedcomTexte(bd, types, debut, chemin, options, entete);
  ApercuGedcom a;
  a.source = entete.Source;
  a.version = entete.Version;
  a.date = entete.Date;
  a.societe = entete.Societe;
  a.versionGedcom = entete.VersionGedcom;
  a.jeu = entete.Jeu;
  a.langue = entete.Langue;
  a.note = entete.Note;
  return a;
}

Statut ImporteGedcomPourChargement(TBD& bd, const TTablesTypes& types, const std::string& chemin,
                                   const ParametresImportGedcom& parametres,
                                   std::vector<std::string>& avertissements) {
  OptionsImport options;
  options.jeu = parametres.jeu;
  options.majuscules = parametres.majuscules;
  options.journal = parametres.journal;
  options.progression = parametres.progression;
  options.etiquette = parametres.etiquette;
  options.traduction = parametres.traduction;
  TGedcomHeader entete;
  ResultatImport r = ImportGedcom(bd, types, chemin, options, entete);
  avertissements = r.avertissements;
  if (r.Termine()) bd.BaseChargee = 1;
  return r.statut;
}

}  // namespace kindrela
