// Kinship questions asked of the database: parents, children, siblings,
// unions and spouses of a person, searches, list operations, generational
// walks, sorts, the common ancestor of two persons and the genealogical
// numbering (Sosa numbers for ancestors, descendant numbers for the others).
//
// Conventions shared by every operation:
//  - Persons and unions are record numbers counted from 1; 0 is "nobody".
//    A 0, negative or out-of-range number is "nobody": no error is reported,
//    the answer is an empty list, 0 or false.
//  - Unless stated otherwise a list holds each matching record once, in
//    ascending record number.
//  - Lists come back by value and belong to the caller. Operations on lists
//    take their input by const reference; the input is never changed.
//  - Operations available as a long list (TR) and as a short list (TRR)
//    exist twice: `Xxx` returns a TR, `XxxCourt` returns a TRR (at most 200
//    entries; further matches are dropped).
//  - Per-person queries are answered from the database's link indexes, with
//    exactly the answers and the order of a scan of the whole table; they cost
//    the size of the answer, not the size of the tree.
//  - Nothing here keeps state between calls; only the numbering writes (the
//    number field, code 26, of persons).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/database.h"
#include "core/status.h"

namespace kindrela {

// ---------------------------------------------------------------------------
// Person lists

// The long person list: a count and slots addressed 1..Capacite().
// Storage grows on demand, so a list costs only what it holds; a new list has
// count 0 and every slot reads 0.
class TR {
 public:
  static constexpr int kCapaciteDefaut = 100000;
  // capacite below 0 is taken as 0.
  explicit TR(int capacite = kCapaciteDefaut);

  // The entry at position i; 0 for any i outside 1..Capacite() (and for a
  // slot never written).
  int Get(int i) const;
  // Writes position i; ignored for i outside 1..Capacite(). The count is
  // unchanged.
  void Set(int i, int v);
  // Appends v after the last counted entry. On a full list nothing is
  // written and false comes back.
  bool Add(int v);
  // Count back to 0; slots keep their values (Get still reads them).
  void Clear();
  int Count() const { return m_count; }
  int Capacite() const { return m_capacite; }
  bool Plein() const { return m_count >= m_capacite; }

  // The counted entries 1..Count(), for range-for and algorithms.
  const int32_t* begin() const { return m_slots.data(); }
  const int32_t* end() const { return m_slots.data() + m_count; }
  int32_t* begin() { return m_slots.data(); }
  int32_t* end() { return m_slots.data() + m_count; }
  std::vector<int> Vecteur() const { return std::vector<int>(begin(), end()); }

  // Same count and same counted entries (capacities and stale slots ignored).
  friend bool operator==(const TR& a, const TR& b);

 private:
  std::vector<int32_t> m_slots;  // slot i at index i - 1; size >= m_count
  int m_count = 0;
  int m_capacite;
};

// The short person list, for per-person answers that are small by nature
// (parents, unions, spouses, children of one couple): 200 slots.
class TRR : public TR {
 public:
  static constexpr int kCapaciteCourte = 200;
  TRR() : TR(kCapaciteCourte) {}
};

// ---------------------------------------------------------------------------
// Person queries

// The father, then the mother, each only when above 0.
TR ParentsOf(const TBD& bd, int p);
TRR ParentsOfCourt(const TBD& bd, int p);
// Every person record (in use or not) whose father or mother is p.
TR ChildrenOf(const TBD& bd, int p);
// Persons whose father is p and mother 0, or mother is p and father 0.
TR ChildrenWithOneParent(const TBD& bd, int p);
TRR ChildrenWithOneParentCourt(const TBD& bd, int p);
// Children of the couple: father b and mother a when a is a woman (Sexe 1),
// else father a and mother b. Empty unless both a and b are above 0.
TR ChildrenOfCouple(const TBD& bd, int a, int b);
TRR ChildrenOfCoupleCourt(const TBD& bd, int a, int b);
// Every person other than p sharing p's father (when p has one) or p's
// mother (when p has one); half-siblings included.
TR SiblingsOf(const TBD& bd, int p);
// Unions in use where p is the husband (p male) or the wife (p female or of
// unknown sex), ordered by SortUnionsByEventDate on bd.NatMariage.
TR UnionsOf(const TBD& bd, int p);
TRR UnionsOfCourt(const TBD& bd, int p);
// The other partner of each union of UnionsOf(p), in that order; a union
// without that partner gives a 0 entry.
TR SpousesOf(const TBD& bd, int p);
TRR SpousesOfCourt(const TBD& bd, int p);
// Last entry of SpousesOf(p); 0 when none and whenever p's sex is unknown.
int LastSpouseOf(const TBD& bd, int p);
// Last entry of UnionsOf(p); 0 when none.
int LastUnionOf(const TBD& bd, int p);
int SpouseCount(const TBD& bd, int p);
// The highest-numbered union in use of the couple, partners placed by a's
// sex as in ChildrenOfCouple; 0 when none.
int UnionOfCouple(const TBD& bd, int a, int b);
bool HasChildren(const TBD& bd, int p);
bool HasUnion(const TBD& bd, int p);

// Whole-tree answers: their capacity is the database's person capacity, so
// they hold every person of the tree.
TR AllPersons(const TBD& bd);
// In-use persons whose surname equals s without regard to case.
TR PersonsWithSurname(const TBD& bd, std::string_view s);
// In-use persons other than `excluded` whose column text (person field code
// 1..23; any other code gives an empty list) starts with `prefix`, without
// regard to case. Without keepDuplicates a match is added only when no
// person already in the result has the same whole column text (without
// regard to case). The walk stops as soon as the result holds exactly
// `limit` entries (a limit of 0 or less never stops it).
TR SearchByColumn(const TBD& bd, int column, std::string_view prefix, int excluded,
                  int limit, bool keepDuplicates);

// ---------------------------------------------------------------------------
// Operations on lists. Results have the database's person capacity (entries
// beyond it are dropped). Entries of L that are not persons in use are skipped.

// Father then mother of each person of L, in order; repeats kept.
TR ParentsOfList(const TBD& bd, const TR& l);
// The children (ascending) of each person of L, in order; repeats kept.
TR ChildrenOfList(const TBD& bd, const TR& l);
// SiblingsOf of each person of L, in order; repeats kept.
TR SiblingsOfList(const TBD& bd, const TR& l);
// Every spouse of any person of L, ascending, once each.
TR SpousesOfList(const TBD& bd, const TR& l);
// Each entry a of A in order, once for every entry of B equal to it. Empty
// when either is empty. Capacity: the larger of the two.
TR Intersect(const TR& a, const TR& b);
// A in order, then each entry of B (in B's order) that does not occur in A;
// repeats inside B kept. Capacity: the sum of both (at least the default).
TR Merge(const TR& a, const TR& b);

// ---------------------------------------------------------------------------
// Generational walks. Every walk stops at kProfondeurMax levels, so a tree
// whose links form a cycle still ends; the depth-first walks also never climb
// (or descend) into a person already on the line being walked, which only a
// cycle can cause. Results have the database's person capacity, and a walk
// stops once its list is full (lines that meet again are listed once per
// line, so a tree with much intermarriage can reach that).
constexpr int kProfondeurMax = 1000;

// p, its parents, grandparents... up to n generations above p (n <= 0: p
// alone), breadth first, father before mother; an ancestor reached along
// two lines occurs twice. p <= 0: empty.
TR AncestorsWithin(const TBD& bd, int p, int n);
// Depth first: each child of p in order, followed by its own descendants,
// down to n generations below p (n = 1: the children only). p not included.
TR DescendantsWithin(const TBD& bd, int p, int n);
// Depth-first walk up from p, father's side first: every person reached with
// neither father nor mother (p itself when it has none).
TR TopAncestors(const TBD& bd, int p);
// The same walk: every person reached lacking its father or its mother.
TR OpenAncestors(const TBD& bd, int p);
// Depth-first walk down through ChildrenOf: every person reached with no
// child (p itself when it has none).
TR LeafDescendants(const TBD& bd, int p);

// ---------------------------------------------------------------------------
// Sorting, in place. TRR lists are sorted through their TR base.

// Sorts L on the lower-cased text of person field `column` (keys read once
// per entry). `progress` (may be empty) gets (position, count) from time to
// time; when it returns false the sort stops, leaving L partly sorted, and
// false comes back. True when the sort finished.
bool SortByColumnText(const TBD& bd, TR& l, int column, const Progression& progress = {});
// Sorts persons on a date column (6: birth date): earlier dates first,
// entries without a date keep their positions, equal dates keep their order.
void SortByDateColumn(const TBD& bd, TR& l, int column);
// Sorts unions on the date of each union's first event whose kind is
// `eventName`, with the same rules.
void SortUnionsByEventDate(const TBD& bd, TR& l, std::string_view eventName);

// ---------------------------------------------------------------------------
// Relationship

struct AncetreCommun {
  bool found = false;
  int ancestor = 0;
  int distanceFromA = 0;  // generations from a up to the ancestor
  int distanceFromB = 0;
};
// The first ancestor shared by a and b found breadth first within
// `generations` generations (a itself when it is an ancestor of b; a = b
// gives a with 0 and 0). Not found, or a or b <= 0: found false, numbers 0.
AncetreCommun FindCommonAncestor(const TBD& bd, int a, int b, int generations);

// ---------------------------------------------------------------------------
// Numbering

// Rewrites the number field of every person: the root gets "1", its
// ancestors within `generations` generations their Sosa numbers ("6",
// "5,12" for one reached along two lines), the descendants of the root and
// of each ancestor with a single Sosa number their descendant numbers
// ("1/2.1", "6/3"; by family: "1/a2", "1/2.b1", and spouses "1/2.0" when
// numberSpouses). G = 0 numbers the root alone; G above kProfondeurMax counts
// as kProfondeurMax. A root that is not a person of the tree (<= 0 or above
// the count) clears every number and sets none. A person met again in the
// same generation of ancestors is walked once.
void NumberTree(TBD& bd, int root, int generations, bool numberSpouses, bool byFamily);
// Gives c's father (mother) the Sosa numbers 2n (2n + 1) for each Sosa number
// n of c not already his, in c's order, after those he already had; a
// descendant number he had is dropped. Numbers are exact decimal text of any
// length. No effect when c has no father (mother) or c's number is not a Sosa
// form; parts that are not decimal numbers are skipped. A field never grows
// past 4000 characters: numbers that would not fit are left out.
void SetFatherSosa(TBD& bd, int c);
void SetMotherSosa(TBD& bd, int c);
// True when p's number field is not empty and holds no "/".
bool HasSosaForm(const TBD& bd, int p);

}  // namespace kindrela
