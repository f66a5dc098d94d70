// The start-up's sound decisions.
#include "frame/sound_setup.h"

#include "frame/commands.h"

namespace frame {

VoicesResult MakeSoundBuffers(std::span<const boards::SoundBufferSpec> buffers,
                              bool (*make)(int id, const boards::SoundBufferSpec& buffer), int* primary) {
    *primary = boards::NoBuffer;
    for (size_t i = 0; i < buffers.size(); i++)
        if (buffers[i].primary && make(int(i), buffers[i])) *primary = int(i);
    for (size_t i = 0; i < buffers.size(); i++)
        if (!buffers[i].primary && !make(int(i), buffers[i])) return VoicesResult::Failed;
    return VoicesResult::Opened;
}

bool TakeSoundDevice(VoicesResult result, const boards::SoundSeam* seam) {
    AttachSound(result == VoicesResult::Opened ? seam : nullptr);
    return result != VoicesResult::Failed;
}

} // namespace frame
