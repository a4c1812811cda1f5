#pragma once

// How the keys and the wheel move an editable drop-down box through its list, decided once for
// every view: where the box's text lies in the list, and which item a step from there reaches.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// Items the open drop-down list shows before it scrolls.
inline constexpr int kListVisibleItems = 8;

// The keys that move through a closed list. A page is one item less than the open list shows,
// so the last item of one page is the first of the next, as list boxes page.
enum class ListKey { Down, Up, PageDown, PageUp };
int listKeyStep(ListKey key);

// Where a text lies in a list: `before` items come before it; `onItem` when the text is item
// `before` itself (then the list's current item is that one).
struct ListPlace {
    std::size_t before = 0;
    bool onItem = false;
    bool operator==(const ListPlace&) const = default;
};

// Places a text among the items of a list whose order it knows (a list of values, ascending).
class IListOrder {
public:
    virtual ~IListOrder() = default;
    // Where the text lies, or nothing when it has no place in the list (it is left alone).
    virtual std::optional<ListPlace> place(std::string_view text,
                                           const std::vector<std::string>& list) const = 0;
};

// The item whose text is exactly `text`, or nothing.
std::optional<std::size_t> matchingItem(const std::vector<std::string>& list, std::string_view text);

// Where a text lies in a list of no known order: on the item it names; an empty text before the
// first item; any other text nowhere.
std::optional<ListPlace> placeByText(std::string_view text, const std::vector<std::string>& list);

// The item `step` items on from a place (positive: down the list), held at the list's ends. From
// a place between two items the first step down reaches the item after it and the first step up
// the item before it. Nothing for an empty list.
std::optional<std::size_t> itemAfterStep(const ListPlace& place, std::size_t count, int step);

}  // namespace orvane
