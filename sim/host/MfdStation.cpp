#include "sim/host/MfdStation.h"

#include "sim/host/ModeRegistry.h"

namespace quorvel::sim {

namespace {

constexpr COLORREF kListText = 0xC0C0C0;  // the light grey of MFD text

}  // namespace

MfdStation::MfdStation(ModuleHost& host, HostVessel& vessel, std::uint32_t index, std::uint32_t width,
                       std::uint32_t height)
    : host(host), vessel(vessel), index(index), surface(width, height) {}

MfdStation::~MfdStation() {
    ClosePage();
}

void MfdStation::ClosePage() {
    if (page == nullptr) return;
    MFD* closing = page;
    page = nullptr;
    mode.clear();
    host.ClosePage(closing);
}

void MfdStation::SwitchOff() {
    ClosePage();
    showing = Showing::Off;
}

void MfdStation::ShowModeList() {
    ClosePage();
    showing = Showing::ModeList;
}

bool MfdStation::Open(const std::string& name) {
    ShowModeList();
    page = host.OpenPage(name, surface.Width(), surface.Height(), vessel, index);
    if (page == nullptr) return false;
    showing = Showing::Page;
    mode = name;
    return true;
}

bool MfdStation::Key(std::uint32_t key) {
    switch (showing) {
        case Showing::Off: return false;
        case Showing::ModeList: {
            const auto selected = ModeRegistry::Instance().FindByKey(key);
            return selected && Open(selected->name);
        }
        case Showing::Page: return page->ConsumeKeyBuffered(key);
    }
    return false;
}

void MfdStation::Repaint() {
    surface.Clear();
    if (showing == Showing::Page) page->Repaint(surface.Dc());
    if (showing == Showing::ModeList) PaintModeList();
}

// A line per mode, its selection key first, in the MFD font the surface has.
void MfdStation::PaintModeList() {
    const HDC dc = surface.Dc();
    SetTextColor(dc, kListText);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    const int lineHeight = static_cast<int>(MfdCharCell(surface.Width(), surface.Height()).height);
    int y = lineHeight;
    const std::string heading = "MODES";
    TextOutA(dc, lineHeight, y, heading.c_str(), static_cast<int>(heading.size()));
    for (const RegisteredMode& registered : ModeRegistry::Instance().Modes()) {
        y += lineHeight;
        const std::string name = keyNames ? keyNames(registered.key) : std::string();
        const std::string line =
            (name.empty() ? "" : name + " ") + "(" + std::to_string(registered.key) + "): " + registered.name;
        TextOutA(dc, lineHeight, y, line.c_str(), static_cast<int>(line.size()));
    }
}

std::string MfdStation::StatusText() const {
    switch (showing) {
        case Showing::Off: return "off";
        case Showing::ModeList: return "mode list";
        case Showing::Page: return mode;
    }
    return {};
}

}  // namespace quorvel::sim
