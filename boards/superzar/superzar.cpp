// The SUPER ZARKOLT edition: its start values and its reply refresh.
#include "boards/superzar/superzar.h"

#include "boards/zarkolt/io_chip.h"

namespace superzar {

void UpdateIoChipInputs() {
    zarkolt::IoChipNormalForm();
}

const zarkolt::Edition SuperZarkoltEdition = {{0x00, 0xF8, 0xF8}, 2, UpdateIoChipInputs};

} // namespace superzar
