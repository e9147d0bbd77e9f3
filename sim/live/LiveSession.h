// The live window's side of a run (sim/bench/RunExtensions.h): each MFD
// shown as it repaints, simulated time following the wall clock times the
// time acceleration (sim/live/RealTimePacer.h), and the keyboard, a game
// controller and clicks flying the vessel and working the MFDs as
// sim/live/KeyboardLayout.h lays them out. In a replay the flying keys do
// nothing. For tests, a script of events at simulated times goes the way
// the keyboard's events go, the clock is injected, and a hook sees each
// frame as it is shown.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sim/bench/RunExtensions.h"
#include "sim/live/KeyboardLayout.h"
#include "sim/live/PilotControls.h"
#include "sim/live/PilotSeat.h"
#include "sim/live/RealTimePacer.h"
#include "sim/live/ScriptedInput.h"
#include "sim/live/SdlObjects.h"
#include "sim/live/WindowPresenter.h"

namespace quorvel::sim {

// A frame just put on the screen.
struct LiveFrame {
    double timeS = 0;  // simulated
    BenchSteps& run;
    live::WindowPresenter& presenter;
    const std::string& status;
};

struct LiveSetup {
    live::WallClock clock = live::SteadyClockSeconds;
    int zoom = 0;  // 0: the largest the display holds
    std::vector<live::ScriptedEvent> script;
    std::function<void(const LiveFrame&)> afterFrame;
};

class LiveSession : public StepLoop {
public:
    // Opens the window; throws LiveError, with SDL's words, when it cannot.
    LiveSession(const WindowRequest& request, LiveSetup setup);

    void Run(BenchSteps& steps) override;
    void Repainted(std::size_t mfd) override;
    std::string Summary() const override;

private:
    [[noreturn]] void ConnectionLost() const;
    void TakeControls();
    void PollEvents();
    void ApplyScript();
    void Apply(const live::InputEvent& event);
    void Act(live::HostAction action);
    void Focus(std::size_t mfd);  // the keyboard to that MFD
    void KeyToMfd(std::size_t mfd, std::uint32_t code);
    void Switch(std::size_t mfd, live::HostAction action);
    void RepaintNow(std::size_t mfd);
    void FlyByHand();
    void Present();
    std::string Status() const;

    WindowRequest request;
    LiveSetup setup;
    live::WindowPresenter presenter;
    live::SdlSubsystem controllers{SDL_INIT_GAMECONTROLLER};
    live::GameControllerHandle controller;
    live::RealTimePacer pacer;
    live::ScriptedInput script;
    live::HeldKeys held;
    std::shared_ptr<live::PilotSeat> seat;  // shared with the vessel's control law; null in a replay
    BenchSteps* run = nullptr;              // while Run runs
    std::vector<bool> fresh;                // a picture not shown yet, per MFD
    std::vector<std::string> lastMode;      // what an MFD switched off showed
    std::size_t keyboard = 0;               // the MFD that has it
    double resumeAcceleration = 1;
    std::string lastKey;  // the last key the keyboard's MFD was given
    bool ended = false;
    // For the summary.
    long long frames = 0;
    double startWallS = 0;
    double startSimS = 0;
    double endWallS = 0;
    double endSimS = 0;
};

}  // namespace quorvel::sim
