// Helpers shared by the tree-file readers.
#pragma once

#include <string>

#include "core/database.h"
#include "core/status.h"
#include "core/tree_file/tree_file_reader.h"

namespace kindrela::lecture {

// Reports progress every 100 records, as (records done, header total).
class Avancement {
 public:
  Avancement(const Progression& progression, long long total)
      : m_progression(progression), m_total(total) {}
  // Record `fait` of the whole file has been read; false when cancelled.
  bool Point(long long fait) {
    if (!m_progression || fait % 100 != 0) return true;
    return m_progression(fait, m_total);
  }
  bool Fin() { return !m_progression || m_progression(m_total, m_total); }

 private:
  const Progression& m_progression;
  long long m_total;
};

// A record count from a header, made safe: negative is 0; above the table's
// capacity, or above what `octetsRestants` bytes can hold at
// `octetsMinParRecord` each, it is cut, with a warning.
int BorneNbre(long long nbre, int capacite, std::size_t octetsRestants,
              std::size_t octetsMinParRecord, const char* quoi, ResultatLecture& r);

// Persons 1..NbreFiche whose surname and given names are both empty are
// freed (their links stay). Through the raw records: the caller rebuilds
// the indexes afterwards.
void LibereFichesSansNom(TBD& bd);

// RefPers := at least 1; selection at least 1; the tree is open.
void TermineLecture(TBD& bd, int ref, int selec, ResultatLecture& r);

}  // namespace kindrela::lecture
