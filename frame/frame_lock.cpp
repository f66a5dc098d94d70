// The frame mutex seam; without a platform it does nothing.
#include "frame/frame_lock.h"

namespace frame {

namespace {
void NoLock() {}
} // namespace

FrameLockSeam FrameLock = {NoLock, NoLock};

} // namespace frame
