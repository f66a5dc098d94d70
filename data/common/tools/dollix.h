// The DOLLIX commands of the datapack tool (see dollix.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Runs a "dollix-..." command; false when the command is not one of them.
bool RunDollixCommand(const std::vector<std::string>& args);

namespace dollix_pictures_check {
// The picture block's validator: an empty string when the block is good,
// else what is wrong with it.
std::string Check(const std::vector<uint8_t>& block);
} // namespace dollix_pictures_check
