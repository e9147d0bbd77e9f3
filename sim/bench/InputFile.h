// The bench host's input files (a scenario, a replay log), opened and read
// with a reason when they cannot be: a directory, a file not there or not
// readable, a line or file longer than any of its kind.
#pragma once

#include <cstddef>
#include <fstream>
#include <string>

namespace quorvel::sim {

// Opens the file to read; `what` names it in messages ("the replay log").
// Throws InputError with the system's reason when it cannot, and for a
// directory, which opens but reads as nothing.
std::ifstream OpenInput(const std::string& path, const std::string& what);

// The whole of the file; throws InputError when it is longer than
// maxBytes (from /dev/zero, say) or cannot be read.
std::string ReadWhole(const std::string& path, const std::string& what, std::size_t maxBytes);

// The next line, without its end ("\n"); false at the end of the input.
// Throws InputError naming the line when it is longer than maxBytes.
bool ReadLine(std::istream& in, std::string& line, std::size_t maxBytes, const std::string& path, long number);

}  // namespace quorvel::sim
