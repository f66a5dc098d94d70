// The datapack commands of the KLUNO game data (see kluno.cpp).
#pragma once

#include <string>
#include <vector>

// args[0] is the command name, "kluno-..."; returns the tool's exit code.
int KlunoCommand(const std::vector<std::string>& args);
