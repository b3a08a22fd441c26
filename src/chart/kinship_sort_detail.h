// The two ways of sorting entries on dates, exposed so that tests can hold
// them against each other.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kindrela::detail {

// A number that orders dates as DateCompare does whenever both carry a day
// (qualifiers included); partial dates fall before the full dates of their
// period. Unreadable or empty text gives 0.
long long CleDate(std::string_view date);
// The exchange sort: for each position a, every later dated entry that
// DateCompare finds earlier is swapped into a. Undated entries never move.
// `entrees` and `dates` (same size) are permuted together.
void TriEchange(std::vector<int>& entrees, std::vector<std::string>& dates);
// n log n: the dated entries, stably ordered on CleDate, go back into the
// positions dated entries held; undated entries stay where they are.
void TriDatesLong(std::vector<int>& entrees, const std::vector<std::string>& dates);

}  // namespace kindrela::detail
