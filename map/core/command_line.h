#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace marv {

// What the arguments a program was started with ask for.
enum class CommandAction { kRun, kHelp, kVersion, kUsageError };

struct CommandLine {
    CommandAction action = CommandAction::kRun;
    std::string offending;  // the first argument not understood, for kUsageError
};

// Reads the arguments after the program's name, before any toolkit exists, so that --help and
// --version need no display. Qt's own options (-platform, -style and the like, with their
// values) are passed over and left for Qt. Any argument not understood wins over --help and
// --version; --help wins over --version.
CommandLine readCommandLine(const std::vector<std::string_view>& arguments);

// "marvane 1.0.0".
std::string versionText(std::string_view program);

// The usage text: what the program does, the map described by `mapLines`, the options.
std::string helpText(std::string_view program, std::string_view mapLines);

// The message for an argument that is not understood; it names it and points to --help.
std::string usageErrorText(std::string_view program, std::string_view argument);

// The exit status of a usage error.
inline constexpr int kUsageErrorStatus = 2;

}  // namespace marv
