#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quorvane {

// Where the desktop keeps its per-user file types and programs: the
// freedesktop base directories.
struct AssociationPlaces {
    std::string DataHome;                // $XDG_DATA_HOME, default ~/.local/share
    std::string ConfigHome;              // $XDG_CONFIG_HOME, default ~/.config
    std::vector<std::string> DataDirs;   // $XDG_DATA_DIRS, default /usr/local/share:/usr/share
};

AssociationPlaces AssociationPlacesFromEnvironment();

// Shows a message with a caption.
using ReportMessage = std::function<void(const std::string& title, const std::string& message)>;
// Runs a program with its arguments and waits for it; the desktop's caches
// are brought up to date this way.
using RunCommand = std::function<void(const std::vector<std::string>& command)>;

// Runs the command if it is installed, its output discarded.
void RunInstalledCommand(const std::vector<std::string>& command);

// The MIME type that the association declares, e.g. application/x-tallomar-quorvane.
std::string AssociationMimeType(const std::string& manufacturerName, const std::string& fileType);

// The Exec value of a desktop entry that opens one file with `programFile`.
std::string DesktopExecLine(const std::string& programFile);

// Makes files named *.`fileExt` open with `programFile` for this user: a
// shared-mime-info package declaring the type (identifier
// `manufacturerName`_`fileType`_file, comment "`manufacturerName`
// `fileType` file"), a desktop entry of that identifier whose Exec names
// the program, and the entry as the type's default in mimeapps.list. A file
// is written only when its contents differ, so a start without changes
// writes nothing; the desktop's caches are updated only after a change.
// Names may hold only letters, digits, '_' and '.': a bad character is
// reported with `title` and nothing is written. An extension that another
// type already claims is left alone. True when everything is in place.
bool AssociateFileExt(const std::string& manufacturerName, const std::string& fileType,
                      const std::string& fileExt, const std::string& title,
                      const std::string& programFile, const AssociationPlaces& places,
                      const ReportMessage& report,
                      const RunCommand& runCommand = RunInstalledCommand);

}  // namespace quorvane
