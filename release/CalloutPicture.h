// The annotated picture itself: the page's picture on a white canvas, each
// callout a line from its name to a dot on the element. Drawn with cairo in
// DejaVu Sans with fixed font options, so the same inputs give the same
// bytes on any machine with the same packages.
#pragma once

#include <string>
#include <vector>

#include "platform/linux/GraphicsHandles.h"
#include "release/PageCallouts.h"

namespace quorvel::release {

// Throws std::runtime_error naming the file and the reason when it cannot
// be read as a PNG.
platform::CairoSurface ReadPicture(const std::string& path);

// Throws std::runtime_error naming the file and the reason when it cannot
// be written.
void WriteAnnotatedPicture(cairo_surface_t* page, const std::vector<PageCallout>& callouts, const std::string& path);

}  // namespace quorvel::release
