#include "DesktopEntry.h"

#include "CellTextEncoding.h"

namespace quorvane {

namespace {

bool IsReserved(char c)
{
    static constexpr std::string_view reserved = " \t\n\r\"'\\><~|&;$*?#()`=";
    return reserved.find(c) != std::string_view::npos;
}

}  // namespace

std::optional<std::string> DesktopExecLine(std::string_view programFile)
{
    if (programFile.empty() || programFile.front() != '/' || !IsValidUtf8(programFile))
        return std::nullopt;
    bool quoted = false;
    for (char c : programFile) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t' && c != '\n' && c != '\r') || byte == 0x7F)
            return std::nullopt;
        quoted = quoted || IsReserved(c);
    }

    // First the quoting of the command line...
    std::string word;
    if (quoted)
        word += '"';
    for (char c : programFile) {
        if (quoted && (c == '"' || c == '`' || c == '$' || c == '\\'))
            word += '\\';
        word += c;
        if (c == '%')
            word += '%';
    }
    if (quoted)
        word += '"';

    // ...then the string escapes, which a reader undoes first.
    std::string escaped;
    escaped.reserve(word.size() + 8);
    for (char c : word) {
        switch (c) {
        case '\\': escaped += "\\\\"; break;
        case '\t': escaped += "\\t"; break;
        case '\n': escaped += "\\n"; break;
        case '\r': escaped += "\\r"; break;
        default: escaped += c;
        }
    }
    return escaped + " %f";
}

}  // namespace quorvane
