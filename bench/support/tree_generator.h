// Large, realistic trees for benchmarks: families over generations, with
// events, places, notes, custom fields and shared sources.
#pragma once

#include <cstdint>

#include "core/database.h"

namespace kindrela::bench {

struct OptionsGeneration {
  int personnes = 100000;
  uint32_t graine = 20080106;  // the same seed gives the same tree
};

struct BilanGeneration {
  int personnes = 0;
  int unions = 0;
  int evenements = 0;
  int sources = 0;
};

// Adds the persons to `bd` (normally empty) through the ordinary database
// operations. Persons are made parents' generation first, so that most have
// a father and a mother of their own surname line; about one in ten is freed
// again to leave free slots in every table, as an edited tree has.
BilanGeneration GenereArbre(TBD& bd, const OptionsGeneration& options);

}  // namespace kindrela::bench
