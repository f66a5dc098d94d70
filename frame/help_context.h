// Context-help numbers of dialog controls: each dialog has a table of
// control id and the help file's pop-up context; a control not in the table
// has context 0.
#pragma once

#include <cstdint>
#include <span>

namespace frame {

struct HelpEntry {
    int id;
    uint32_t context;
};

constexpr uint32_t HelpContextOf(std::span<const HelpEntry> table, int controlId) {
    for (const HelpEntry& entry : table)
        if (entry.id == controlId) return entry.context;
    return 0;
}

} // namespace frame
