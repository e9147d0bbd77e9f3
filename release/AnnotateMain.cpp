// quorvel-annotate: the pilot's guide's annotated picture. From a bench-host
// picture of the page, the telemetry log of the same run and the picture's
// time, it names every element the page draws with a callout line.
//
//   quorvel-annotate PICTURE LOG TIME OUTPUT

#include <CLI/CLI.hpp>

#include <string>

#include "module/attitude/AttitudeOverlay.h"
#include "release/CalloutPicture.h"
#include "sim/bench/Telemetry.h"
#include "sim/files/ProgramExit.h"
#include "sim/host/HostVessel.h"
#include "sim/host/MfdSurface.h"

int main(int argc, char** argv) {
    using namespace quorvel;
    CLI::App app{"Names every element of the QuorvelMFD page on a bench-host picture of it."};
    std::string picture;
    std::string log;
    double timeS = 0;
    std::string output;
    app.add_option("PICTURE", picture, "The page's PNG, from quorvel-sim")->required();
    app.add_option("LOG", log, "The telemetry log of the same run")->required();
    app.add_option("TIME", timeS, "The picture's simulation time, seconds")->required();
    app.add_option("OUTPUT", output, "The annotated PNG to write")->required();
    CLI11_PARSE(app, argc, argv);

    return sim::ExitStatusOf("quorvel-annotate", [&] {
        const platform::CairoSurface page = release::ReadPicture(picture);
        const auto width = static_cast<std::uint32_t>(cairo_image_surface_get_width(page.get()));
        const auto height = static_cast<std::uint32_t>(cairo_image_surface_get_height(page.get()));
        const sim::CharCell cell = sim::MfdCharCell(width, height);

        // The vessel as the log has it at the picture's time, sampled as the
        // page samples it.
        const std::vector<sim::TelemetryRecord> records = sim::ReadTelemetryLog(log);
        if (records.empty() || timeS < records.front().timeS || timeS > records.back().timeS) {
            throw sim::BadInput(log + " does not reach " + std::to_string(timeS) + " s");
        }
        HostVessel vessel;
        sim::ReplayState(records, timeS, vessel.state);
        FlightData flight(&vessel.vessel);
        flight.sample(timeS);

        // The ball as the picture shows it, for its projection.
        AttitudeBall ball(BallPlacementOnPage(width, height));
        const sim::MfdSurface surface(width, height);
        RenderBall(ball, surface.Dc(), flight, kNewPageBallScale);
        const auto callouts = release::PageCallouts({width, height, cell.width, cell.height}, flight, ball);
        ball.Release();
        release::WriteAnnotatedPicture(page.get(), callouts, output);
        return 0;
    });
}
