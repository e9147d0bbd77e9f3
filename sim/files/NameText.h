// Strings the bench host takes from its inputs (a scenario file, a replay
// log, the command line) and makes into file names or prints. A NUL would
// cut a file name short of the one checked (".mp4" checked on
// "victim.txt\0.mp4", "victim.txt" opened), and a control character would
// act on the terminal that shows it, so neither may be in one.
#pragma once

#include <string>
#include <string_view>

namespace quorvel::sim {

// Why the text cannot be a name or be printed: it holds a NUL or another
// control character (C0, DEL or C1), or bytes that are not UTF-8. Empty
// when it can.
std::string NameTextFault(std::string_view text);

}  // namespace quorvel::sim
