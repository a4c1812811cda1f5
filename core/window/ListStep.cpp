#include "core/window/ListStep.h"

#include <algorithm>

namespace orvane {

int listKeyStep(ListKey key) {
    constexpr int kPage = kListVisibleItems - 1;
    switch (key) {
        case ListKey::Down:
            return 1;
        case ListKey::Up:
            return -1;
        case ListKey::PageDown:
            return kPage;
        case ListKey::PageUp:
            return -kPage;
    }
    return 0;
}

std::optional<std::size_t> matchingItem(const std::vector<std::string>& list, std::string_view text) {
    const auto found = std::find(list.begin(), list.end(), text);
    if (found == list.end()) return std::nullopt;
    return static_cast<std::size_t>(found - list.begin());
}

std::optional<ListPlace> placeByText(std::string_view text, const std::vector<std::string>& list) {
    if (const std::optional<std::size_t> item = matchingItem(list, text)) return ListPlace{*item, true};
    if (text.empty()) return ListPlace{0, false};
    return std::nullopt;
}

std::optional<std::size_t> itemAfterStep(const ListPlace& place, std::size_t count, int step) {
    if (count == 0) return std::nullopt;
    // Between two items, `before` is the index of the item after the place: a step down counts
    // that item as its first.
    auto from = static_cast<long long>(place.before);
    if (!place.onItem && step > 0) --from;
    const long long target = std::clamp(from + step, 0LL, static_cast<long long>(count) - 1);
    return static_cast<std::size_t>(target);
}

}  // namespace orvane
