// A one-line progress bar for a person at a terminal: redrawn in place
// with a carriage return, only when what it shows changes. A disabled bar
// writes nothing at all, so logs and pipes stay clean.
#pragma once

#include <iosfwd>
#include <string>

namespace quorvel::sim {

class ProgressBar {
public:
    // Over `totalS` simulated seconds from `startS`.
    ProgressBar(std::ostream& out, bool enabled, double startS, double totalS);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void Show(double timeS);
    // Blanks the line, so that other output to the terminal starts clean;
    // the next Show draws it again.
    void Clear();

    // The line for a time: "[#####-----]  50%  t 210 / 420 s".
    static std::string Render(double fraction, double elapsedS, double totalS);

private:
    std::ostream& out;
    bool enabled;
    double startS;
    double totalS;
    std::string shown;  // what the line holds now; empty when blank
};

}  // namespace quorvel::sim
