#include "platform/linux/GlHandOver.h"

namespace quorvel::platform {

// No rendering contexts exist yet: nothing to bring over.
void SyncGlImage(HDC) {}

}  // namespace quorvel::platform
