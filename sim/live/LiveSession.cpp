#include "sim/live/LiveSession.h"

#include <cmath>
#include <cstdio>

#include "sim/bench/BenchOutputs.h"
#include "sim/bench/VesselDriver.h"
#include "sim/host/MfdStation.h"
#include "sim/live/KeyNumbering.h"
#include "sim/live/StatusLine.h"

namespace quorvel::sim {

using live::HostAction;
using live::InputEvent;

namespace {

constexpr double kStepS = flight::FlightModel::kStepS;
constexpr int kStatusLines = 4;
constexpr double kFastest = 100;  // the time acceleration a frame's steps must keep up with

std::vector<live::PixelSize> Sizes(const std::vector<MfdSize>& mfds) {
    std::vector<live::PixelSize> sizes;
    for (const MfdSize& mfd : mfds) sizes.push_back({mfd.width, mfd.height});
    return sizes;
}

// Enough for the fastest time acceleration at the display's rate: more
// would only keep the window from being redrawn.
int MaxStepsPerFrame(double frameS) {
    return static_cast<int>(std::ceil(kFastest * frameS / kStepS)) + 1;
}

}  // namespace

LiveSession::LiveSession(const WindowRequest& request, LiveSetup setup)
    : request(request),
      setup(std::move(setup)),
      presenter(Sizes(request.mfds), request.title, kStatusLines, this->setup.zoom),
      controller(live::OpenFirstGameController()),
      pacer(this->setup.clock, kStepS, MaxStepsPerFrame(presenter.DisplayFrameS())),
      script(std::move(this->setup.script)),
      fresh(request.mfds.size(), true),
      lastMode(request.mfds.size()) {}

void LiveSession::Repainted(std::size_t mfd) {
    if (mfd < fresh.size()) fresh[mfd] = true;
}

void LiveSession::Run(BenchSteps& steps) {
    run = &steps;
    TakeControls();
    for (std::size_t i = 0; i < steps.Mfds(); ++i) steps.Station(i).SetKeyNames(live::HostKeyName);
    // Owes nothing for the time the run took to start.
    pacer.SetAcceleration(1);
    startWallS = setup.clock();
    startSimS = steps.TimeS();
    while (!ended) {
        steps.CheckStop();
        PollEvents();
        if (presenter.ConnectionLost()) ConnectionLost();
        ApplyScript();
        for (int due = pacer.StepsDue(); due > 0 && !ended; --due) {
            FlyByHand();
            ended = !steps.Step();
            if (!ended) ApplyScript();
        }
        if (!ended) Present();
    }
    endWallS = setup.clock();
    endSimS = steps.TimeS();
    run = nullptr;
}

// The run stops as when an output fails: the file being written and the
// ones not yet whole are removed.
void LiveSession::ConnectionLost() const {
    char text[160];
    std::snprintf(text, sizeof text,
                  "--window: the connection to the X server was lost at t %.1f s (the window killed, or the server "
                  "gone)",
                  run->TimeS());
    throw OutputError(text);
}

std::string LiveSession::Summary() const {
    const double wallS = endWallS - startWallS;
    char text[160];
    std::snprintf(
        text, sizeof text,
        "window: %lld frames in %.1f s, %.1f a second; simulated time went %.2f times as fast as the wall clock",
        frames, wallS, wallS > 0 ? static_cast<double>(frames) / wallS : 0.0,
        wallS > 0 ? (endSimS - startSimS) / wallS : 0.0);
    return text;
}

// The vessel's control law goes through the seat; the scenario's own
// pilot flies in it until the hands take over.
void LiveSession::TakeControls() {
    flight::ControlLaw* pilot = run->Driver().Pilot();
    if (pilot == nullptr || request.pilot.empty()) return;
    seat = std::make_shared<live::PilotSeat>(std::move(*pilot));
    *pilot = [seat = seat](double timeS, const flight::FlightModel& model) { return seat->Controls(timeS, model); };
}

void LiveSession::PollEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        switch (event.type) {
            case SDL_QUIT: ended = true; break;
            case SDL_WINDOWEVENT:
                if (event.window.event == SDL_WINDOWEVENT_CLOSE) ended = true;
                // Keys let go elsewhere never come back up here.
                if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) held.ReleaseAll();
                break;
            case SDL_KEYDOWN:
                if (event.key.repeat == 0) Apply({.kind = InputEvent::Kind::KeyDown, .key = event.key.keysym.scancode});
                break;
            case SDL_KEYUP: Apply({.kind = InputEvent::Kind::KeyUp, .key = event.key.keysym.scancode}); break;
            case SDL_MOUSEBUTTONDOWN:
                if (const auto mfd = presenter.MfdAt(event.button.x, event.button.y)) {
                    Apply({.kind = InputEvent::Kind::Focus, .mfd = *mfd});
                }
                break;
            case SDL_CONTROLLERBUTTONDOWN:
                Act(live::ButtonAction(static_cast<SDL_GameControllerButton>(event.cbutton.button)));
                break;
            case SDL_CONTROLLERDEVICEADDED:
            case SDL_CONTROLLERDEVICEREMOVED:
                // The first one there is, whichever came or went.
                controller.reset();
                controller = live::OpenFirstGameController();
                break;
            default: break;
        }
    }
}

void LiveSession::ApplyScript() {
    for (const InputEvent& event : script.Due(run->TimeS())) Apply(event);
}

void LiveSession::Apply(const InputEvent& event) {
    switch (event.kind) {
        case InputEvent::Kind::KeyDown: {
            const HostAction action = live::KeyAction(event.key, held.ShiftHeld());
            if (action == HostAction::None) {
                if (const std::uint32_t code = live::HostKeyCode(event.key)) KeyToMfd(keyboard, code);
            } else if (action == HostAction::Modifier || live::IsHeldAction(action)) {
                held.Press(event.key);
            } else {
                Act(action);
            }
            break;
        }
        case InputEvent::Kind::KeyUp: held.Release(event.key); break;
        case InputEvent::Kind::MfdKey: KeyToMfd(event.mfd, event.code); break;
        case InputEvent::Kind::Focus:
            if (event.mfd < run->Mfds()) Focus(event.mfd);
            break;
        case InputEvent::Kind::Quit: ended = true; break;
    }
}

void LiveSession::Act(HostAction action) {
    switch (action) {
        case HostAction::ThrottleFull:
            if (seat) seat->SetThrottle(1);
            break;
        case HostAction::ThrottleCut:
            if (seat) seat->SetThrottle(0);
            break;
        case HostAction::AutopilotToggle:
            if (seat) seat->ToggleAutopilot();
            break;
        case HostAction::PauseToggle:
            if (!pacer.Paused()) resumeAcceleration = pacer.Acceleration();
            pacer.SetAcceleration(pacer.Paused() ? resumeAcceleration : 0);
            break;
        case HostAction::RealTime: pacer.SetAcceleration(1); break;
        case HostAction::TimesTen: pacer.SetAcceleration(10); break;
        case HostAction::TimesHundred: pacer.SetAcceleration(100); break;
        case HostAction::SingleStep: pacer.SingleStep(); break;
        case HostAction::NextMfd: Focus((keyboard + 1) % run->Mfds()); break;
        case HostAction::MfdPower:
        case HostAction::MfdModeList: Switch(keyboard, action); break;
        case HostAction::Quit: ended = true; break;
        default: break;
    }
}

void LiveSession::Focus(std::size_t mfd) {
    if (mfd != keyboard) lastKey.clear();
    keyboard = mfd;
}

void LiveSession::KeyToMfd(std::size_t mfd, std::uint32_t code) {
    if (mfd >= run->Mfds()) return;
    const bool taken = run->Station(mfd).Key(code);
    lastKey = "key " + std::to_string(code) + (taken ? " taken" : " not used");
    RepaintNow(mfd);
}

// Off and on again brings back the mode the MFD showed, or the mode list.
void LiveSession::Switch(std::size_t mfd, HostAction action) {
    MfdStation& station = run->Station(mfd);
    if (station.Shows() == MfdStation::Showing::Page) lastMode[mfd] = station.StatusText();
    if (action == HostAction::MfdModeList) {
        station.ShowModeList();
    } else if (station.Shows() != MfdStation::Showing::Off) {
        station.SwitchOff();
    } else if (lastMode[mfd].empty()) {
        station.ShowModeList();
    } else {
        station.Open(lastMode[mfd]);
    }
    lastKey.clear();
    RepaintNow(mfd);
}

// What a key or a switch changed shows at once, paused or not; the run's
// pictures and video keep to their schedule.
void LiveSession::RepaintNow(std::size_t mfd) {
    run->Station(mfd).Repaint();
    fresh[mfd] = true;
}

void LiveSession::FlyByHand() {
    if (seat) seat->Hands(live::PilotDemands(held, live::ReadPad(controller.get()), seat->Throttle(), kStepS));
}

void LiveSession::Present() {
    for (std::size_t i = 0; i < fresh.size(); ++i) {
        if (!fresh[i]) continue;
        presenter.Show(i, run->Station(i).Surface().Pixels());
        fresh[i] = false;
    }
    const std::string status = Status();
    presenter.Present(status);
    ++frames;
    if (setup.afterFrame) setup.afterFrame({run->TimeS(), *run, presenter, status});
}

std::string LiveSession::Status() const {
    live::StatusFacts facts;
    facts.timeS = run->TimeS();
    facts.acceleration = pacer.Acceleration();
    facts.behind = pacer.Behind();
    facts.state = &run->State();
    if (seat) facts.pilot = seat->AutopilotFlying() ? request.pilot : "hands";
    for (std::size_t i = 0; i < run->Mfds(); ++i) facts.mfds.push_back(run->Station(i).StatusText());
    facts.keyboard = keyboard;
    facts.lastKey = lastKey;
    return live::StatusText(facts);
}

}  // namespace quorvel::sim
