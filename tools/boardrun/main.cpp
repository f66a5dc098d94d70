// The headless runner's entry point.
#include "tools/boardrun/boardrun.h"

int main(int argc, char** argv) {
    return boardrun::Main(argc, argv);
}
