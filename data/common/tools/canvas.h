// Small pictures for the Windows programs (the instruction card, the logo,
// the warning symbol and the icons), drawn from a text description into a
// palette BMP or ICO file. See canvas.cpp for the drawing commands.
#pragma once

#include <string>
#include <vector>

// args: SOURCE OUT. OUT ending in ".ico" makes an icon, otherwise a BMP.
void DrawCanvas(const std::vector<std::string>& args);
