#include "Suggestion.h"

#include <algorithm>

namespace param_detail {

std::size_t editDistance(const std::string& a, const std::string& b) {
    // Three rows of the table: the one before the previous, the previous, the current.
    std::vector<std::size_t> before(b.size() + 1), previous(b.size() + 1), current(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) previous[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) current[j] = std::min(current[j], before[j - 2] + 1);
        }
        std::swap(before, previous);
        std::swap(previous, current);
    }
    return previous[b.size()];
}

std::string closest(const std::string& typed, const std::vector<std::string>& candidates) {
    const std::string* best = nullptr;
    std::size_t least = 3;
    for (const std::string& candidate : candidates) {
        // The distance is at least the difference of the lengths: a long word costs nothing here.
        const std::size_t apart = typed.size() > candidate.size() ? typed.size() - candidate.size() : candidate.size() - typed.size();
        if (apart >= least) continue;
        const std::size_t distance = editDistance(typed, candidate);
        if (distance < least && distance < typed.size()) {
            best = &candidate;
            least = distance;
        }
    }
    if (best != nullptr) return *best;
    const std::string* beginning = nullptr;
    for (const std::string& candidate : candidates) {
        if (typed.empty() || candidate.compare(0, typed.size(), typed) != 0) continue;
        if (beginning != nullptr && *beginning != candidate) return {};
        beginning = &candidate;
    }
    return beginning != nullptr ? *beginning : std::string();
}

}  // namespace param_detail
