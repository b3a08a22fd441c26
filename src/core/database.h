// The genealogical database: four 1-based record tables (persons, unions,
// events, sources) held in memory, and the one object `TBD` through which
// the rest of the program creates, reads, changes and deletes records.
//
// Record numbers are signed 32-bit; 0 means "none" everywhere. A number never
// changes while the program runs: a freed slot keeps its place and is reused
// by a later allocation. A table's count is a high-water mark (the highest
// slot handed out since the tables were last emptied, or the number of slots
// loaded from a file), not the number of live records.
//
// All text is Windows-1252 bytes; the empty string is the empty value. The
// records hold their texts as `Texte` (core/compact_text.h), which reads as a
// std::string_view.
//
// No operation reports an error. A number outside 1..count of its table is
// ignored: a write does nothing, a read gives 0, false or the empty text. An
// empty or non-numeric text stored into an integer field becomes 0. An
// allocation in a full table returns 0 and changes nothing anywhere.
//
// Not thread-safe: one writer (the user-interface thread); readers on other
// threads must not run while it writes.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/compact_text.h"

namespace kindrela {

// ---------------------------------------------------------------------------
// Records. Field order is the order of the tree file.

// One person.
struct TFiche {
  uint8_t Utilise = 0;  // 1 in use, 0 free
  uint8_t Replie = 0;   // 1: the chart shows this branch collapsed; never saved
  uint8_t Sexe = 0;     // 0 man, 1 woman, 2 unknown
  Texte Nom;      // surname
  Texte Pre;      // given names, space-separated; one in double quotes is the usual one
  int32_t NumP = 0;     // father, 0 = none
  int32_t NumM = 0;     // mother, 0 = none
  int32_t CertP = 0;    // certainty of the father link, 0 (sure) .. 3
  int32_t CertM = 0;    // certainty of the mother link, 0 .. 3
  Texte Note;
  Texte Dcree;    // creation date, stored date form
  Texte DdMAJ;    // date of last change, stored date form
  Texte Champs;   // custom fields: triples "type|key|value|" concatenated
  Texte TabEve;   // event numbers, packed int32 little-endian, display order
  Texte Numero;   // numbering label (Sosa or d'Aboville)
  Texte TabSrc;   // source numbers, packed int32 little-endian
  Texte Reserve;  // kept in the tree file, not used otherwise
};

// One couple. Children are not stored: a person is a child of the union when
// its NumP is NumH and its NumM is NumF.
struct TUnion {
  uint8_t Utilise = 0;
  int32_t NumH = 0;     // husband: the partner who was a man when the union was made
  int32_t NumF = 0;     // wife: the other partner
  Texte TabEve;   // event numbers, packed as in TFiche
};

// One event, owned by exactly one person or union (listed in its TabEve).
// Event field numbers 1..6 are Nature, DateEve, Heure, Lieu, NoteEve, Certitude.
// A default-constructed event is in the reset state of EffaceEve.
struct TEve {
  uint8_t Utilise = 0;
  Texte Nature;         // kind word: one of the Nat* words or any word typed
  Texte DateEve;        // stored date form
  Texte Heure;          // time of day, free text
  Texte Lieu;           // place text
  Texte NoteEve;
  Texte Certitude{"0"};  // "0".."3"
};

// One source (a document or picture), possibly attached to several persons.
// Source field numbers: 1 SrcTitre, 2 SrcTexte, 3 SrcAbrege, 4 SrcMedia;
// read-only 5 (the source's number as decimal text) and 6 (SrcMedia before
// its first "|", all of it when there is none).
struct TSrc {
  uint8_t Utilise = 0;
  Texte SrcTitre;   // title; the key by which a person's source is found
  Texte SrcAbrege;  // abbreviation
  Texte SrcTexte;
  Texte SrcMedia;   // file name, optionally "|" and further fields
};

// ---------------------------------------------------------------------------
// Packed index lists (TabEve, TabSrc): 4 bytes per entry, little-endian;
// positions count from 1. A trailing partial entry is not counted.

int NbreEntrees(std::string_view tab);
// Entry k, 0 when k is outside 1..NbreEntrees(tab).
int32_t LitEntree(std::string_view tab, int k);
void AjouteEntree(std::string& tab, int32_t valeur);
void AjouteEntree(Texte& tab, int32_t valeur);
// Removes entry k, shifting the later ones down; nothing when k is out of range.
void RetireEntree(std::string& tab, int k);
void RetireEntree(Texte& tab, int k);

// The usual given name of a given-names text: the text between the first two
// double quotes when there are two; otherwise the text before the first ","
// or space, whichever comes first; otherwise the whole text.
std::string PremierPrenom(std::string_view pre);

// ---------------------------------------------------------------------------

// Upper bounds of the four tables. Storage grows as slots are used, so a
// generous bound costs nothing until it is reached.
struct CapacitesBD {
  int fiches = 1000000;
  int unions = 500000;
  int eves = 5000000;
  int srcs = 500000;
};

// The text VerifieBase returns for a tree it found sound.
extern const char* const kAucunProblemeConstate;  // "Aucun problème constaté."

namespace detail {

// The free slots 1..count of one table as runs of consecutive numbers, so
// that the lowest free slot and the used neighbours of a slot are found in
// O(log n) whatever the size of the table.
class Trous {
 public:
  void Vide();
  void Libere(int k);  // no effect when k is already free
  void Occupe(int k);  // no effect when k is already used
  bool EstLibre(int k) const;
  int PremierLibre() const;      // 0 when none
  int FinDuTrou(int k) const;    // last slot of the free run holding k; k - 1 when k is used
  int DebutDuTrou(int k) const;  // first slot of the free run holding k; k + 1 when k is used
  void Tronque(int nbre);        // forgets the free slots above nbre
  int NbreLibres() const { return m_nbreLibres; }

 private:
  std::map<int, int> m_runs;  // first slot -> last slot
  int m_nbreLibres = 0;
};

// Which slots of a table hold a given number in one link field (children of
// a father, unions of a husband...), kept as intrusive doubly linked lists so
// that deleting a person touches only its own relatives.
class LiensInverses {
 public:
  void Vide();
  // Slot `source` now holds `cible` (0 or out of 1..limite: not indexed).
  void Change(int source, int cible, int limite);
  void Tronque(int nbreSources);  // forgets sources above nbreSources
  // The sources holding `cible`, in no particular order.
  void Sources(int cible, std::vector<int>& sortie) const;

 private:
  std::vector<int32_t> m_cible;      // per source (index = slot), 0 = not indexed
  std::vector<int32_t> m_suivant;    // per source
  std::vector<int32_t> m_precedent;  // per source
  std::vector<int32_t> m_tete;       // per target
};

// One 1-based table of records with its free slots. Records live in blocks
// allocated as the count grows and never moved, so a record's address stays
// the same while its slot is within the count.
template <typename T>
class Table {
 public:
  explicit Table(int capacite = 0) : m_capacite(capacite) {}
  int Nbre() const { return m_nbre; }
  int Capacite() const { return m_capacite; }
  bool Valide(int k) const { return k >= 1 && k <= m_nbre; }
  T& operator[](int k) { return Ligne(k); }
  const T& operator[](int k) const { return const_cast<Table*>(this)->Ligne(k); }
  // The slot an allocation takes (lowest free one unless `fin`, else
  // count + 1), 0 when the table is full. Only finds; Occupe takes it.
  int Cherche(bool fin) const;
  // Takes slot k (1..count + 1): grows the table by one when k is count + 1,
  // and marks the slot in use (Utilise 1).
  void Occupe(int k);
  // Sets slot k's Utilise and keeps the free slots coherent.
  void FixeUtilise(int k, uint8_t utilise);
  void FixeNbre(int nbre);     // 0..capacity; new slots are free default records
  void Place(int k, T ligne);  // 1..capacity; grows the count to k when needed
  void Vide();
  void ReconstruitTrous();
  int NbreUtilises() const { return Nbre() - m_trous.NbreLibres(); }
  const Trous& TrousLibres() const { return m_trous; }

 private:
  static constexpr unsigned kBitsBloc = 10;  // 1024 records per block
  T& Ligne(int k) {
    auto i = static_cast<unsigned>(k - 1);
    return m_blocs[i >> kBitsBloc][i & ((1u << kBitsBloc) - 1)];
  }
  // Slots above the count inside the last block are kept as default records.
  std::vector<std::unique_ptr<T[]>> m_blocs;
  int m_nbre = 0;
  Trous m_trous;
  int m_capacite;
};

}  // namespace detail

// The undo journal of one database (core/journal.h).
class TJournal;

// ---------------------------------------------------------------------------

// Movable, not copyable.
class TBD {
 public:
  explicit TBD(const CapacitesBD& capacites = CapacitesBD());
  ~TBD();
  TBD(TBD&& autre);
  TBD& operator=(TBD&& autre);

  // ----- State kept with the tables (plain fields, no invariant) -----

  // Event-kind words: the by-kind operations compare an event's Nature with
  // them exactly. French defaults; the application replaces them with the
  // translated messages 200..206.
  std::string NatProfession;  // "Profession"
  std::string NatNaissance;   // "Naissance"
  std::string NatBapteme;     // "Baptême"
  std::string NatDeces;       // "Décès"
  std::string NatSepulture;   // "Sépulture"
  std::string NatMariage;     // "Mariage"
  std::string NatDivorce;     // "Divorce"

  int32_t RefPers = 0;        // reference person ("De Cujus"); 0 when the database is empty
  uint8_t BaseChargee = 0;    // 1 while a tree is open
  uint8_t BaseModifiee = 0;   // 1 when there are unsaved changes
  std::string DateCreeBase;   // creation date of the tree, stored date form
  std::string DateSauveBase;  // date of the last save, stored date form
  int32_t NbreDonnee = 0;     // written by the oldest tree-file readers only; nothing reads it
  // 1: every allocation takes slot count + 1 instead of the lowest free slot
  // (set for the run of an import and of VerifieBase).
  uint8_t ModeAjout = 0;

  // ----- Counts and capacities -----

  int NbreFiche() const { return m_fiches.Nbre(); }
  int NbreUnion() const { return m_unions.Nbre(); }
  int NbreEve() const { return m_eves.Nbre(); }
  int NbreSrc() const { return m_srcs.Nbre(); }
  const CapacitesBD& Capacites() const { return m_capacites; }

  // Increases with every write that may change the links between records:
  // NumP/NumM, NumH/NumF, Sexe, an Utilise flag, a TabEve or TabSrc list,
  // an allocation, a free, a bulk load, emptying. Writing text fields of
  // existing records (names, notes, event and source texts, custom fields)
  // leaves it unchanged. Indexes derived from the links can be rebuilt when
  // it differs from the value they were built at.
  uint64_t Generation() const { return m_generation; }

  // Every change of a record, a count or RefPers through this object keeps
  // the previous state in the journal, grouped into named steps that can be
  // undone and redone (core/journal.h). Emptying the database empties it.
  TJournal& Journal() { return *m_journal; }
  const TJournal& Journal() const { return *m_journal; }

  // ----- Persons -----

  // Allocates a person (lowest free slot, or count + 1 under ModeAjout),
  // resets it as EffaceFiche does and marks it in use. 0 when the table is full.
  // Dcree is left empty.
  int NouvelleFiche();
  // Every field back to its empty value (Utilise 0), the person's events
  // freed, TabSrc emptied (the sources themselves stay).
  void EffaceFiche(int n);
  // Unlinks n from its children (NumP/NumM of every person pointing to n set
  // to 0), frees (EffaceUnion) every union n is a partner of, then EffaceFiche(n).
  // Returns n.
  int SupprimeFiche(int n);
  bool FicheUtilisee(int n) const;
  int NbreFichesUtilisees() const;
  // The smallest person in use above n, for 0 <= n < NbreFiche; 0 if none or
  // if n is outside that range.
  int FicheSuivante(int n) const;
  // The largest person in use below n, for 1 <= n <= NbreFiche + 1; 0 if none
  // or if n is outside that range.
  int FichePrecedente(int n) const;

  // Person fields by code, as text:
  //  0 Utilise ("1"/"0"; set: "1" -> 1, anything else -> 0)
  //  1 Sexe ("H", "F", "I"; set: lower-cased "h" -> 0, "f" -> 1, else 2)
  //  2 Nom, 3 Pre, 4 NumP, 5 NumM (decimal)
  //  6/7/8 birth date/place/note, 9/10/11 baptism, 12/13/14 death,
  //  15/16/17 burial: the first event of that kind is read, the last one
  //  written (created when missing and the text is not empty)
  //  18 Note, 19 profession (custom field keyed NatProfession),
  //  21 Dcree, 22 DdMAJ, 23 Champs (whole list), 24 first given name
  //  (read only), 25 Nom + " " + Pre (read only), 26 Numero,
  //  27 CertP, 28 CertM (decimal).
  // Code 20, codes outside 0..28 and read-only codes: empty text / no effect.
  std::string LitChamp(int n, int code) const;
  void EcritChamp(int n, int code, std::string_view texte);

  // Typed shortcuts, each the same as its field code.
  std::string LitNom(int n) const;                          // 2
  void EcritNom(int n, std::string_view nom);
  std::string LitPrenoms(int n) const;                      // 3
  void EcritPrenoms(int n, std::string_view pre);
  int LitPere(int n) const;                                 // 4
  void EcritPere(int n, int pere);
  int LitMere(int n) const;                                 // 5
  void EcritMere(int n, int mere);
  int LitSexe(int n) const;                                 // 1, as the stored byte
  void EcritSexe(int n, int sexe);                          // 0, 1; anything else 2
  std::string LitProfession(int n) const;                   // 19
  void EcritProfession(int n, std::string_view profession);
  std::string LitDateNaissance(int n) const;                // 6
  void EcritDateNaissance(int n, std::string_view date);
  std::string LitLieuNaissance(int n) const;                // 7
  void EcritLieuNaissance(int n, std::string_view lieu);
  std::string LitDateDeces(int n) const;                    // 12
  void EcritDateDeces(int n, std::string_view date);
  std::string LitLieuDeces(int n) const;                    // 13
  void EcritLieuDeces(int n, std::string_view lieu);
  int LitCertP(int n) const;                                // 27
  void EcritCertP(int n, int cert);
  int LitCertM(int n) const;                                // 28
  void EcritCertM(int n, int cert);
  uint8_t LitReplie(int n) const;
  void EcritReplie(int n, uint8_t replie);
  // The short name by which every message names a person: surname, a space,
  // first given name. Empty for a number out of range.
  std::string NomCourt(int n) const;

  // ----- Unions -----

  // Allocates a union, marks it in use with no partner and no event; 0 when
  // the table is full.
  int NouvelleUnion();
  // A new union of a and b: a is the husband when a is a man (Sexe 0),
  // otherwise b is (a woman, of unknown sex, or out of range). 0 when full.
  int CreeUnion(int a, int b);
  // Frees the union: Utilise 0, no partners, its events removed and freed. Returns u.
  int EffaceUnion(int u);
  // In use with both partners > 0. The answer is stored into Utilise, so a
  // union that lost a partner is freed by the test itself (its events stay).
  bool UnionValide(int u);
  // UnionValide over every union, counting the valid ones.
  int NbreUnionsValides();
  // Partners; 0 for a union not in use (field codes 1 and 2 give the stored
  // value whatever Utilise is).
  int LitNumH(int u) const;
  void EcritNumH(int u, int n);
  int LitNumF(int u) const;
  void EcritNumF(int u, int n);

  // Union fields by code, as text: 1 NumH, 2 NumF (decimal), 3 marriage date,
  // 4 divorce date, 5 marriage place, 6 divorce place, 7 marriage note (first
  // event of the kind read, last written, as for persons). Others: empty / no effect.
  std::string LitChampUnion(int u, int code) const;
  void EcritChampUnion(int u, int code, std::string_view texte);

  // ----- Events of a person (k counts from 1 in TabEve, f is 1..6) -----

  int NbreEveFiche(int n) const;
  // A new reset event appended to the person's list; 0 when the event table
  // is full or n is out of range (nothing changed).
  int AjouteEveFiche(int n);
  // Frees the k-th event and removes it from the list.
  void RetireEveFiche(int n, int k);
  std::string LitEveFiche(int n, int k, int f) const;
  void EcritEveFiche(int n, int k, int f, std::string_view texte);
  // Field f of the first event of the list whose Nature is exactly `nature`.
  std::string LitEveNature(int n, std::string_view nature, int f) const;
  // Writes field f of the last event whose Nature is `nature`, creating it
  // when there is none and the text is not empty, then writes `nature` into
  // its Nature. Empty text and no such event: nothing. Event table full:
  // nothing written anywhere.
  void EcritEveNature(int n, std::string_view nature, int f, std::string_view texte);

  // ----- Events of a union: the same operations on the union's TabEve -----

  int NbreEveUnion(int u) const;
  int AjouteEveUnion(int u);
  void RetireEveUnion(int u, int k);
  std::string LitEveUnion(int u, int k, int f) const;
  void EcritEveUnion(int u, int k, int f, std::string_view texte);
  std::string LitEveUnionNature(int u, std::string_view nature, int f) const;
  void EcritEveUnionNature(int u, std::string_view nature, int f, std::string_view texte);

  // ----- Events by number -----

  // Utilise 0, texts emptied, Certitude "0". The owner's list is not touched.
  void EffaceEve(int e);
  bool EveUtilise(int e) const;
  std::string LitChampEve(int e, int f) const;  // f 1..6
  void EcritChampEve(int e, int f, std::string_view texte);

  // ----- Sources of a person (k counts from 1 in TabSrc) -----

  int NbreSrcFiche(int n) const;
  // A new empty source appended to the person's list; 0 when the source
  // table is full or n is out of range (nothing changed).
  int AjouteNouvelleSrc(int n);
  // Appends source s unless the list already holds it; true when appended.
  // s is not checked against the source table.
  bool AjouteSrc(int n, int s);
  // Removes the first entry equal to s; the source itself stays.
  void RetireSrc(int n, int s);
  std::string LitSrcFiche(int n, int k, int f) const;          // f 1..6
  void EcritSrcFiche(int n, int k, int f, std::string_view texte);  // f 1..4
  // Writes field f of the person's last source titled `titre`, creating it
  // when there is none and the text is not empty, then writes `titre` into
  // its SrcTitre. Source table full: nothing written anywhere.
  void EcritSrcTitre(int n, std::string_view titre, std::string_view texte, int f);

  // ----- Sources by number -----

  // A new empty source attached to nobody; 0 when the table is full.
  int NouvelleSrc();
  // Utilise 0 and the four texts emptied; persons listing it keep the entry.
  void EffaceSrc(int s);
  bool SrcUtilisee(int s) const;
  std::string LitChampSrc(int s, int f) const;  // f 1..6
  void EcritChampSrc(int s, int f, std::string_view texte);  // f 1..4

  // ----- Custom fields (Champs) -----

  // The value of the first triple whose key is `cle`; empty if none.
  std::string LitChampPerso(int n, std::string_view cle) const;
  // Sets the value of every triple keyed `cle` (its type becomes "t"), drops
  // every triple left with an empty value, and appends "t|cle|valeur|" when
  // no triple had the key and the value is not empty.
  void EcritChampPerso(int n, std::string_view cle, std::string_view valeur);

  // ----- Whole database -----

  // Empties every table (counts 0, storage released), RefPers 0,
  // BaseChargee 0, DateCreeBase and DateSauveBase today.
  void Vide();

  // Repairs the ownership of events, persons first, then unions, each in
  // number order: an entry pointing outside the event table is removed
  // (reported with an empty kind), an event already listed by an earlier
  // owner is replaced by a copy appended to the later owner's list, a listed
  // event not in use is revalidated, and an event in use that no record in
  // use lists is freed. A union's event already listed by a person names
  // that person the way a person's cross-link does.
  // `confirme` is asked first (a warning to show with Yes/No, Windows-1252
  // like the report); anything but true, or an empty function, stops before
  // anything is done and gives the empty text. Otherwise returns the report,
  // one line per repair ending in "\r\n", or kAucunProblemeConstate.
  // BaseModifiee is set when something was repaired; ModeAjout is 0 after.
  std::string VerifieBase(const std::function<bool(const std::string& question)>& confirme);

  // ----- Record access for the tree file and whole-tree passes -----

  // The record at slot k (1..count). Out of range: asserts; in release an
  // empty record. Records are never moved: a reference stays valid while
  // the slot is within the count (until Vide or a lower FixeNbreXxx).
  const TFiche& Fiche(int n) const;
  const TUnion& Union(int u) const;
  const TEve& Eve(int e) const;
  const TSrc& Src(int s) const;

  // Bulk loading, as the tree-file reader fills the tables slot by slot.
  // Either:
  //  - PlaceXxx(k, record) for each slot (k in 1..capacity; the count grows
  //    to k when needed; slots skipped over are free); indexes stay
  //    coherent, nothing more to do; or
  //  - FixeNbreXxx(count) (0..capacity: new slots are free empty records,
  //    slots above are dropped), then fill through XxxBrute(k), then call
  //    ReconstruitIndex() once before any other operation.
  // Out-of-range numbers: false, nothing changed. The caller normally
  // empties the database (Vide) first.
  bool PlaceFiche(int n, TFiche fiche);
  bool PlaceUnion(int u, TUnion uni);
  bool PlaceEve(int e, TEve eve);
  bool PlaceSrc(int s, TSrc src);
  bool FixeNbreFiche(int nbre);
  bool FixeNbreUnion(int nbre);
  bool FixeNbreEve(int nbre);
  bool FixeNbreSrc(int nbre);
  // Raw mutable access to slot k (1..count). Writing Utilise, NumP, NumM,
  // NumH or NumF through it bypasses the free-slot and link indexes and the
  // generation: call ReconstruitIndex() afterwards. Out of range: asserts;
  // in release a scratch record whose changes are lost.
  TFiche& FicheBrute(int n);
  TUnion& UnionBrute(int u);
  TEve& EveBrute(int e);
  TSrc& SrcBrute(int s);
  // Rebuilds the free-slot and link indexes from the records, in one pass
  // over each table, and increases the generation.
  void ReconstruitIndex();

  // ----- Reverse links, for kinship queries that must not scan the tables -----

  // The persons whose NumP (NumM) is p, and the unions whose NumH (NumF) is
  // p, whether in use or not, in no particular order; `sortie` is replaced.
  // Empty for p outside 1..Capacites().fiches (such links are not indexed).
  void EnfantsDuPere(int p, std::vector<int>& sortie) const { m_enfantsDuPere.Sources(p, sortie); }
  void EnfantsDeLaMere(int p, std::vector<int>& sortie) const { m_enfantsDeLaMere.Sources(p, sortie); }
  void UnionsDuMari(int p, std::vector<int>& sortie) const { m_unionsDuMari.Sources(p, sortie); }
  void UnionsDeLaFemme(int p, std::vector<int>& sortie) const { m_unionsDeLaFemme.Sources(p, sortie); }

 private:
  bool PersonneValide(int n) const { return m_fiches.Valide(n); }
  // The event (or source) number at position k of a packed list, 0 when k
  // or that number is out of range.
  int EveDeListe(std::string_view tab, int k) const;
  int SrcDeListe(std::string_view tab, int k) const;
  // The position in `tab` of the first / last event whose Nature is `nature`; 0 if none.
  int PremiereEveNature(std::string_view tab, std::string_view nature) const;
  int DerniereEveNature(std::string_view tab, std::string_view nature) const;
  // A reset event in use appended to `tab`, 0 when the table is full.
  int AjouteEve(Texte& tab);
  void RetireEve(Texte& tab, int k);
  void EcritEveDansListe(Texte& tab, std::string_view nature, int f, std::string_view texte);
  int AlloueSrc();
  // Link writes that keep the reverse indexes coherent.
  void FixePere(int n, int pere);
  void FixeMere(int n, int mere);
  void FixeMari(int u, int mari);
  void FixeFemme(int u, int femme);
  void Change() { ++m_generation; }
  // Slot k given for writing, its state kept by the journal first (once per
  // step). Every write to a record goes through one of these.
  TFiche& FicheModif(int n);
  TUnion& UnionModif(int u);
  TEve& EveModif(int e);
  TSrc& SrcModif(int s);
  friend class TJournal;

  CapacitesBD m_capacites;
  detail::Table<TFiche> m_fiches;
  detail::Table<TUnion> m_unions;
  detail::Table<TEve> m_eves;
  detail::Table<TSrc> m_srcs;
  detail::LiensInverses m_enfantsDuPere;   // persons by NumP
  detail::LiensInverses m_enfantsDeLaMere; // persons by NumM
  detail::LiensInverses m_unionsDuMari;    // unions by NumH
  detail::LiensInverses m_unionsDeLaFemme; // unions by NumF
  uint64_t m_generation = 0;
  // Returned by the raw accessors for a number out of range.
  TFiche m_ficheJetable;
  TUnion m_unionJetable;
  TEve m_eveJetable;
  TSrc m_srcJetable;
  std::unique_ptr<TJournal> m_journal;
};

}  // namespace kindrela
