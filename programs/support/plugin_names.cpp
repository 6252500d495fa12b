#include "programs/support/plugin_names.h"

#include <algorithm>
#include <cctype>

namespace {

// Letters added, removed or changed to make one name of the other; letter
// case does not count.
std::size_t Distance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            std::size_t above = row[j];
            bool same = std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                        std::tolower(static_cast<unsigned char>(b[j - 1]));
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::string NearestName(const std::string& wanted, const std::vector<std::string>& names) {
    std::size_t allowed = std::max<std::size_t>(2, wanted.size() / 4);
    std::string nearest;
    std::size_t best = allowed + 1;
    for (const std::string& name : names) {
        if (name == wanted) continue;
        std::size_t distance = Distance(wanted, name);
        if (distance < best) {
            best = distance;
            nearest = name;
        }
    }
    return nearest;
}
