// The live window and video, as the Linux build gives them to the bench
// host's run (sim/RunExtensions.h): sim/live/LiveSession.h and an MP4 per
// MFD (sim/video/Mp4Writer.h).
#pragma once

#include "sim/RunExtensions.h"
#include "sim/live/LiveSession.h"

namespace quorvel::live {

// `setup` is for the window, when the run asks for one.
sim::RunExtensions LiveExtensions(LiveSetup setup = {});

}  // namespace quorvel::live
