// The closest of the names a user could have meant, for "Did you mean ...?".
#ifndef PARAM_DETAIL_SUGGESTION_H
#define PARAM_DETAIL_SUGGESTION_H

#include <string>
#include <vector>

namespace param_detail {

// The number of single-character insertions, deletions, replacements and swaps of two neighbours that
// turn one text into the other (the optimal string alignment form of the Damerau-Levenshtein distance).
std::size_t editDistance(const std::string& a, const std::string& b);

// The candidate closest to typed: the first at the least distance, if that is at most 2 and less than
// typed's length (a name with nothing in common is no suggestion), else the one candidate that typed
// begins; empty when none is close. May throw std::bad_alloc.
std::string closest(const std::string& typed, const std::vector<std::string>& candidates);

}  // namespace param_detail

#endif
