#pragma once

#include "SettingsFilePath.h"

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

// The places from the environment. A variable counts only when it holds an
// absolute path; the defaults under $HOME need an absolute $HOME, and without
// one DataHome or ConfigHome stays empty, so that nothing is written.
AssociationPlaces AssociationPlacesFromEnvironment(
    const EnvironmentLookup& environment = ProcessEnvironment);

// Shows a message with a caption.
using ReportMessage = std::function<void(const std::string& title, const std::string& message)>;
// Runs a program with its arguments and waits for it; the desktop's caches
// are brought up to date this way.
using RunCommand = std::function<void(const std::vector<std::string>& command)>;

// Runs the command if it is installed, its output discarded.
void RunInstalledCommand(const std::vector<std::string>& command);

// The MIME type that the association declares, e.g. application/x-tallomar-quorvane.
std::string AssociationMimeType(const std::string& manufacturerName, const std::string& fileType);

// Makes files named *.`fileExt` open with `programFile` (the running
// program's absolute path) for this user. The identifier
// `manufacturerName`_`fileType`_file names
//   DataHome/mime/packages/<identifier>.xml: the type, AssociationMimeType,
//       with the comment "`manufacturerName` `fileType` file" and the pattern;
//   DataHome/applications/<identifier>.desktop: Exec=DesktopExecLine, and
//       NoDisplay=true while the menus show an installed entry of the same
//       program for the type (<program file name in lower case>.desktop in
//       DataHome or DataDirs), so that they show the program once;
//   ConfigHome/mimeapps.list: the entry as the type's default, every other
//       line kept (see WithDefaultApplication).
// A file is written only when its contents differ (blanks around lines and
// case do not count, except in the program's path), so a start without
// changes writes nothing; each of the first two files, when written, is
// followed by the update of its cache through `runCommand`.
//
// The names are trimmed and the extension loses its leading dots; then they
// may hold only letters, digits, '_' and '.': at the first other character
// `report` gets `title` and the message, and nothing is written. Nor is
// anything written for an empty extension, a program path that a desktop
// entry cannot hold, or places that are not absolute. An extension that an
// installed database gives another type is left alone, unless `fileType` is
// empty. True when all three files hold what they should; after a failure,
// false and the later files are not touched.
bool AssociateFileExt(const std::string& manufacturerName, const std::string& fileType,
                      const std::string& fileExt, const std::string& title,
                      const std::string& programFile, const AssociationPlaces& places,
                      const ReportMessage& report,
                      const RunCommand& runCommand = RunInstalledCommand);

}  // namespace quorvane
