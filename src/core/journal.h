// The undo journal of a database: before a record (person, union, event,
// source) changes, the database hands its previous state to the journal,
// once per step; the counts of the four tables and RefPers are kept when a
// step opens. A step is one user action, named for the menus ("fusion de
// ..."). Undoing a step swaps the kept states with the current ones, so that
// the step then holds what redoing needs; the free-slot and link indexes are
// repaired for the touched slots only, and the generation increases.
//
// Steps: Ouvre/Ferme (or TEtapeJournal) around a command; nested ones join
// the outermost. Changes made outside any command group by field: Champ
// names the field being edited, and its changes stay in one step until
// another field is named, FinChamp is called, or a command, an undo or a
// redo begins. Changes with no command and no field join one step named
// "modification", closed the same way.
//
// After the database is emptied, changes are not kept until a step opens
// (Ouvre or Champ): filling an emptied database is loading, not editing.
//
// The modified flag: the state whose BaseModifiee was 0 when a step began
// (or an undo or redo) is the saved one; undoing or redoing back to it
// clears BaseModifiee, any other state sets it.
//
// The kept states count against a bound in bytes (Limite); past it the
// oldest steps are forgotten (never the last one).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/database.h"

namespace kindrela {

class TJournal {
 public:
  static constexpr std::size_t kLimiteParDefaut = std::size_t{256} << 20;  // 256 MB

  explicit TJournal(TBD& bd);
  ~TJournal();
  TJournal(const TJournal&) = delete;
  TJournal& operator=(const TJournal&) = delete;

  // ----- Steps -----

  // Opens a command's step (an inner one joins the one already open) and
  // closes the field's step first. A step that changed nothing is dropped.
  void Ouvre(std::string_view nom);
  void Ferme();
  bool CommandeEnCours() const { return m_profondeur > 0; }
  // The field the next changes belong to: `cle` tells fields apart (the
  // record and the field), `nom` names the step. Nothing inside a command.
  void Champ(std::string_view nom, std::string_view cle);
  // The field's edit is over (it lost focus): its step closes.
  void FinChamp();

  // ----- Undo and redo -----

  bool PeutAnnuler() const;
  bool PeutRetablir() const;
  // The step undo (redo) would act on; empty when none.
  std::string NomAnnulation() const;
  std::string NomRetablissement() const;
  // Undoes (redoes) one step; false when there is none or a command is running.
  bool Annule();
  bool Retablit();
  std::size_t NbreAnnulables() const;
  std::size_t NbreRetablissables() const { return m_retablissables.size(); }
  // Increases whenever what the menus show may have changed.
  uint64_t Version() const { return m_version; }

  // Forgets every step; changes are kept again once a step opens.
  void Vide();

  // ----- Memory -----

  void FixeLimite(std::size_t octets);
  std::size_t Limite() const { return m_limite; }
  // Bytes held by the kept states of every step.
  std::size_t Octets() const;

  // ----- Called by TBD before it writes -----

  void AvantFiche(int n);
  void AvantUnion(int u);
  void AvantEve(int e);
  void AvantSrc(int s);
  // Before the count of a table becomes `nbre`: the slots it drops are kept.
  void AvantNbreFiche(int nbre);
  void AvantNbreUnion(int nbre);
  void AvantNbreEve(int nbre);
  void AvantNbreSrc(int nbre);
  // The database moved to another object.
  void Rattache(TBD& bd) { m_bd = &bd; }

  // The kept states of one table in one step.
  template <typename T>
  struct Etats {
    int nbre = 0;            // the count to restore (the other side of the step)
    int nbreOuverture = 0;   // the count when the step opened: higher slots were not kept
    bool complet = false;    // the slots above nbreOuverture are kept too
    std::vector<std::pair<int, T>> lignes;
  };
  struct Etape;

 private:
  // The step the next change joins, opened when needed.
  Etape& Courante();
  void OuvreEtape(std::string nom, std::string cle, bool implicite);
  // Closes the open step: pushed unless it changed nothing.
  void ClotCourante();
  void FermeChampEnCours();
  uint64_t Etat() const;
  void Applique(Etape& e, bool annule);
  void RespecteLimite();
  void Touche() { ++m_version; }
  template <typename T>
  void Garde(detail::Table<T>& table, Etats<T>& etats, std::vector<uint32_t>& marques, int k);
  template <typename T>
  void GardeAuDessus(detail::Table<T>& table, Etats<T>& etats, std::vector<uint32_t>& marques,
                     int nbre);

  TBD* m_bd;
  std::deque<std::unique_ptr<Etape>> m_annulables;  // oldest first
  std::vector<std::unique_ptr<Etape>> m_retablissables;  // the next redo last
  std::unique_ptr<Etape> m_courante;
  int m_profondeur = 0;        // nesting of Ouvre
  bool m_ignore = true;        // after Vide: nothing kept until a step opens
  bool m_application = false;  // undo or redo at work: the writes are not kept
  std::string m_nomChamp, m_cleChamp;  // the field named by Champ, empty: none
  uint64_t m_serie = 0;        // ids of steps and states
  uint64_t m_base = 0;         // the state with no step to undo
  uint64_t m_sauve = 0;        // the state matching the file, 0: unknown
  uint32_t m_marque = 0;       // the open step's mark in the per-slot marks
  std::vector<uint32_t> m_marquesFiches, m_marquesUnions, m_marquesEves, m_marquesSrcs;
  std::size_t m_limite = kLimiteParDefaut;
  std::size_t m_octets = 0;    // of the closed steps
  uint64_t m_version = 0;
};

// A command's step for the life of the object.
class TEtapeJournal {
 public:
  TEtapeJournal(TBD& bd, std::string_view nom) : m_journal(bd.Journal()) { m_journal.Ouvre(nom); }
  ~TEtapeJournal() { m_journal.Ferme(); }
  TEtapeJournal(const TEtapeJournal&) = delete;
  TEtapeJournal& operator=(const TEtapeJournal&) = delete;

 private:
  TJournal& m_journal;
};

}  // namespace kindrela
