// asm6809: assembles a 6809 source file into a raw ROM image (see asm6809.h).
#include <iostream>

#include "tools/asm6809/asm6809.h"

int main(int argc, char** argv) {
    return asm6809::RunAssemblerCommand(std::vector<std::string>(argv + 1, argv + argc), std::cerr);
}
