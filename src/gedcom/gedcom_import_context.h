// Inside the GEDCOM import: the state of one run, shared by the main loop
// (gedcom_import.cpp) and the record readers (gedcom_import_records.cpp).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "analysis/type_tables.h"
#include "core/database.h"
#include "core/value_limit.h"
#include "gedcom/gedcom_import.h"
#include "gedcom/gedcom_lines.h"

namespace kindrela::gedcom_import {

// Where a level-0 record starts, for NOTE records read through pointers and
// for the titles of sources.
struct PositionEnregistrement {
  std::size_t position = 0;
  long numero = 0;
};

// Dates as some older programs write them ("Tuesday, 9th November 1841",
// "9 November 1841"): the weekday and the ordinal ending go, full month
// names become their GEDCOM abbreviation. Empty when still not a date.
// Depends on nothing but `phrase`: the line reader may call it on its thread.
std::string DateTolerante(std::string_view phrase);

// A value that names a record: "@N12@" (not text starting with the escaped "@@").
inline bool EstPointeur(std::string_view valeur) {
  return valeur.size() >= 3 && valeur.front() == '@' && valeur.back() == '@' && valeur[1] != '@' &&
         valeur.find(' ') == std::string_view::npos;
}

// NOTE, and SNOTE, the shared note of GEDCOM 7.
inline bool EstNote(std::string_view tag) { return tag == "NOTE" || tag == "SNOTE"; }

class Contexte {
 public:
  // `contenuANous`: `contenu` is a buffer of the import's own, whose pages
  // may be given back to the system once read (RendPagesLues).
  Contexte(TBD& bd, const TTablesTypes& types, std::string_view contenu, const std::string& chemin,
           const OptionsImport& options, TGedcomHeader& entete, ResultatImport& resultat,
           bool contenuANous = false);
  // The whole run; the result is filled as it goes.
  void Execute();

 private:
  // ----- Reading -----
  const LigneGedcom& L() const { return m_lecteur.Ligne(); }
  bool Lit() { return m_lecteur.Suivante(); }
  // Multi-line text opened by the current line at level `niveau`: its value,
  // then the CONT (new line) and CONC (joined as written) lines deeper than
  // it; other deeper lines are skipped. Ends on the first line not deeper.
  // The text ends with CR LF, or is empty.
  std::string TexteMultiligne(int niveau);
  // The same, but ending on the first deeper line that is not CONT or CONC,
  // for tags whose other sub-lines are read too.
  std::string TexteContinue(int niveau);
  // The same, where a value "@N12@" naming a NOTE record of the file stands
  // for that record's text.
  std::string TexteNote(int niveau);
  // The text of the NOTE record `xref`, read once however many records cite
  // it; false when there is no such record, or when the texts copied from
  // shared records have reached what the file may reasonably make (the
  // pointer is then kept as written).
  bool TexteEnregistrementNote(std::string_view xref, std::string& texte);
  // The text a source keeps of the REPO record `xref` (read once), or of a
  // repository written in place when `xref` is not a pointer: its name,
  // address, telephone, mail, web site and notes, each on its own line.
  std::string TexteDepot(std::string_view xref);
  std::string LitDepot(LecteurGedcom& lecteur);
  // Cuts a text to what the tree file can hold, saying so in the log and
  // the warnings: the text of `cle` (`francais` without a translation)
  // naming `quoi()`, the field and its record. Nearly every text fits:
  // the message is only made for one that does not.
  template <typename Chaine, typename Quoi>
  void Raccourcit(Chaine& texte, const char* cle, const char* francais, const Quoi& quoi,
                  long ligne) {
    if (texte.size() > kLongueurMaxValeur)
      texte.resize(Coupe(texte, Message(cle, francais, quoi()), ligne));
  }
  // The length `texte` is cut to, said in the log and the warnings.
  std::size_t Coupe(std::string_view texte, const std::string& quoi, long ligne);
  // The TITL of the SOUR record `xref`, empty when none.
  const std::string& TitreEnregistrementSource(std::string_view xref);
  std::string LitTitreSource(const std::string& cleMajuscule);
  // First pass: the NOTE and SOUR records of the file, by cross-reference.
  void IndexeEnregistrements();
  // Skips to the next line of level `niveau` or less.
  void SauteSousLignes(int niveau);

  // ----- Records -----
  void LitEntete();
  void LitSoumetteur();
  void LitPersonne();
  void LitFamille();
  void LitSource();
  // FAM records are read once every person is known, wherever they stand
  // in the file: the first pass keeps where they are, the second reads them.
  void DiffereFamille();
  bool LitFamillesDifferees();
  void SauteEnregistrement(bool journal);

  // Reads the lines deeper than the current line (level `niveau`) into
  // `eve`. `type` receives the TYPE text. `fiche` is the person the event
  // belongs to (0 for a union): sources cited by the event are attached to it.
  void LitEvenement(int niveau, TEve& eve, std::string& type, int fiche);
  // Stores `eve` as a new event of the person or union; counts it as not
  // stored when the event table is full.
  void StockeEveFiche(int n, TEve&& eve);
  // The kind of an event whose tag has no fixed kind (m_cle holds the tag);
  // `deLaTable` is the event-kind table's word for it, empty when none.
  std::string NatureAutre(const std::string& deLaTable, bool even, const std::string& type,
                          Texte& note) const;
  void StockeEveUnion(int u, TEve&& eve);

  // ----- Cross-references -----
  void EnregistrePersonne(std::string_view xref, int n);
  int ChercheePersonne(std::string_view xref) const;
  // The database's source for a file source cross-reference, allocated the
  // first time it is met; 0 when the table is full.
  int SourceDe(std::string_view xref);

  // ----- Log and texts -----
  void Journal(std::string_view texte);  // one log line, when logging
  void JournalLigne(std::string_view avant);  // line counter + avant + the current line
  std::string Message(const char* cle, const char* francais, const std::string& valeur) const;
  void Termine();
  bool Avance();  // progress point; false when the user stopped the import
  void RendPagesLues();  // on the first line of each record of the main pass
  void Stoppe();  // the user stopped the import at the current line

  TBD& m_bd;
  const TTablesTypes& m_types;
  std::string_view m_contenu;
  std::string m_chemin;
  const OptionsImport& m_options;
  TGedcomHeader& m_entete;
  ResultatImport& m_r;
  LecteurGedcom m_lecteur;
  LecteurGedcom m_lecteurAnnexe;  // reads NOTE and SOUR records out of order
  LecteurGedcom m_lecteurDepot;   // reads REPO records out of order
  bool m_journalActif = false;
  std::string m_journal;

  // Persons: the common prefix with a direct table by number, every other
  // cross-reference by its upper-cased text.
  std::string m_prefixe;
  bool m_prefixeFixe = false;
  std::vector<int32_t> m_direct;
  std::unordered_map<std::string, int32_t> m_debordement;
  // Sources: by upper-cased cross-reference; 0 for one the full table refused.
  std::unordered_map<std::string, int32_t> m_sources;
  std::unordered_map<std::string, PositionEnregistrement> m_notes;
  std::unordered_map<std::string, PositionEnregistrement> m_enregistrementsSource;
  std::unordered_map<std::string, PositionEnregistrement> m_depots;
  std::unordered_map<std::string, std::string> m_titres;  // source titles already read
  std::unordered_map<std::string, std::string> m_textesNotes;   // NOTE records already read
  std::unordered_map<std::string, std::string> m_textesDepots;  // REPO records already read
  // What texts copied from shared records may still add up to.
  long long m_recopiePermise;
  long m_renvoisGardes = 0;  // pointers kept as written once that was spent
  // FAM records left for the second pass, and the bytes they hold.
  std::vector<PositionEnregistrement> m_familles;
  std::size_t m_octetsFamilles = 0;
  std::size_t m_octetsFaitsFamilles = 0;
  bool m_secondePasse = false;
  // Where the persons' bytes not yet given back start; npos outside a run
  // of persons, or when the buffer is not the import's own.
  bool m_contenuANous = false;
  std::size_t m_debutRendable = std::string_view::npos;
  // The custom field or event kind of each other tag met (the type tables
  // are searched once per tag).
  std::unordered_map<std::string, std::string> m_champDeTag;
  std::unordered_map<std::string, std::string> m_eveDeTag;
  long m_enregistrements = 0;
  std::string m_cle;  // scratch key
  mutable std::string m_cleXref;  // scratch upper-cased cross-reference
};

}  // namespace kindrela::gedcom_import
