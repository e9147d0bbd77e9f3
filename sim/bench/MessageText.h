// Text taken from the command line or an input file, fit to quote in a
// one-line message: cut to a readable length, with nothing in it that a
// terminal would act on.
#pragma once

#include <string>
#include <string_view>

namespace quorvel::sim {

// The text with every byte outside printable ASCII shown as '?'.
std::string Printable(std::string text);

// Up to 40 characters of the text, printable, then "..." when there was
// more.
std::string Excerpt(std::string_view text);

}  // namespace quorvel::sim
