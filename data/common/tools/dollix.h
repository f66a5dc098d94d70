// The DOLLIX commands of the datapack tool (see dollix.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// args[0] is the command name, "dollix-..."; returns the tool's exit code.
int DollixCommand(const std::vector<std::string>& args);

namespace dollix_pictures_check {
// The picture block's validator: an empty string when the block is good,
// else what is wrong with it.
std::string Check(const std::vector<uint8_t>& block);
} // namespace dollix_pictures_check
