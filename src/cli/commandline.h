#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tallyro {

// The headless subcommands of the tallyro executable ("averages", ...). They
// need no display and print only their result on standard output.
class CommandLine {
public:
    // True when the first argument names a subcommand rather than a file.
    static bool isSubcommand(const std::string& argument);

    // Runs a subcommand; args[0] is its name. Returns the exit status.
    static int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

    static int averages(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

} // namespace tallyro
