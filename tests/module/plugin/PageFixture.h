// The fixture of the tests that look inside a page: the module initialised
// in-process, a page over the fixture's host vessel with an MFD surface of
// its size, and the GDI objects and GL contexts of all of it checked for
// leaks once the page and the module are gone.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "module/plugin/ModuleEntry.h"
#include "module/plugin/ModuleState.h"
#include "module/plugin/QuorvelMFD.h"
#include "sim/host/HostVessel.h"
#include "sim/host/MfdSurface.h"
#include "sim/host/ModuleHost.h"
#include "tests/support/GdiJournal.h"
#include "tests/support/LeakCheck.h"
#include "tests/support/MfdHostAccess.h"

namespace quorvel::test {

class PageFixture : public LeakCheckedTest {
protected:
    void SetUp() override {
        LeakCheckedTest::SetUp();
        hlcDLLInit(nullptr);
    }
    void TearDown() override {
        page.reset();
        surface.reset();
        hlcDLLExit(nullptr);
        EXPECT_TRUE(openPages.empty()) << "a page outlived the test";
        LeakCheckedTest::TearDown();
    }

    // The fixture's page, of this size and character cell, in place of any
    // earlier one, with a surface to draw it on.
    void Build(std::uint32_t width, std::uint32_t height, std::uint32_t cellWidth, std::uint32_t cellHeight) {
        page.reset();
        page.reset(new QuorvelMFD(width, height, &vessel.vessel));
        MfdHostAccess::SetCharCell(*page, cellWidth, cellHeight);
        surface = std::make_unique<sim::MfdSurface>(width, height, sim::CharCell{cellWidth, cellHeight});
    }

    // A page as the host asks for one, through the mode's message callback;
    // the test destroys it through slot 0.
    static QuorvelMFD* Opened(std::uint32_t packedSize, HostVessel& host) {
        const std::intptr_t page = MessageCallback(1, 0, packedSize, reinterpret_cast<std::intptr_t>(&host.vessel));
        return static_cast<QuorvelMFD*>(reinterpret_cast<MFD*>(page));
    }

    // The texts the journal saw drawn, in order.
    static std::vector<std::string> Texts(const GdiJournal& journal) {
        std::vector<std::string> texts;
        for (const JournalEntry& e : journal.Calls(GdiCall::TextOutA)) texts.push_back(e.text);
        return texts;
    }

    HostVessel vessel;
    std::unique_ptr<QuorvelMFD, sim::PageDeleter> page;
    std::unique_ptr<sim::MfdSurface> surface;
};

}  // namespace quorvel::test
