#include "CommandLineInfo.h"

namespace quorvane {

namespace {

constexpr std::string_view Usage = R"(Usage: Quorvane [FILE]
       Quorvane --help | --version

Shows a 3-D wire-frame model (straight line segments in metres) as a line
drawing at a true map scale 1 : N, and edits it as a table of numbers.

  FILE         a .qrv data file, a NEC-2 deck (.nec) or an MMANA file (.maa)
               to show; without it, the file shown last. Started with a
               file, the program leaves its settings file as it was.
  -h, --help   this text
  --version    the program's version

The toolkit's options, such as -platform offscreen, are taken as well.
Settings: ~/.config/Tallomar/Quorvane/Quorvane.ini. The guide opens with F1;
see also Quorvane(1) and quorvane-render(1).
)";

}  // namespace

std::optional<std::string> CommandLineInfo(const std::vector<std::string_view>& arguments,
                                           std::string_view version)
{
    for (const std::string_view argument : arguments) {
        if (argument == "--help" || argument == "-h")
            return std::string(Usage);
        if (argument == "--version")
            return "Quorvane " + std::string(version) + "\n";
    }
    return std::nullopt;
}

}  // namespace quorvane
