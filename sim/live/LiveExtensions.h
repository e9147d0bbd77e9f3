// The live window and video, as the Linux build gives them to the bench
// host's run (sim/bench/RunExtensions.h): sim/live/LiveSession.h and an
// MP4 per MFD (sim/video/Mp4Writer.h).
#pragma once

#include "sim/live/LiveSession.h"
#include "sim/bench/RunExtensions.h"

namespace quorvel::sim {

// `setup` is for the window, when the run asks for one.
RunExtensions LiveExtensions(LiveSetup setup = {});

}  // namespace quorvel::sim
