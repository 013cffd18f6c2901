#include "rule/activation_rule.h"

namespace {

// Equal when both have the same units in the same positions: nothing is
// folded beyond the normalisation, and no ordering is involved.
bool TitlesEqual(std::span<const TitleUnit> title, std::basic_string_view<TitleUnit> other) noexcept
{
    if (title.size() != other.size()) {
        return false;
    }
    for (std::size_t i = 0; i < title.size(); ++i) {
        if (title[i] != other[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

void NormalizeTitle(std::span<TitleUnit> title) noexcept
{
    for (TitleUnit& unit : title) {
        if (unit >= u'A' && unit <= u'Z') {
            unit = static_cast<TitleUnit>(unit + (u'a' - u'A'));
        }
    }
}

bool ShouldCloseWindow(const WindowFacts& facts, std::uint32_t hostProcessId) noexcept
{
    NormalizeTitle(facts.title);

    if (!facts.hasParent) {
        return false;
    }
    if (!TitlesEqual(facts.title, kTargetTitle)) {
        return false;
    }
    if (facts.processId != hostProcessId) {
        return false;
    }
    return true;
}
