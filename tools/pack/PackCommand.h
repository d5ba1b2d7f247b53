// The command line of zembra-pack, apart from main so that tests and later front ends can drive it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zembra {

// Runs one command; the result is the exit code: 0 done, 1 failed, 2 bad command line. Long packs
// show their progress on err when errIsTerminal, or when --progress asks for it.
int RunPackCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   bool errIsTerminal = false);

// Lists a package's entries (key, offset, size), one line each under a header line.
int ListPackage(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace zembra
