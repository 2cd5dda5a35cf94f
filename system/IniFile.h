#pragma once

#include "AsciiText.h"
#include "SettingsValues.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvane {

// The in-memory copy of a settings file: sections of "key=value" lines.
//
// Reading drops empty lines, lines starting with ';' and lines before the
// first section. Names are compared without regard to ASCII case; keys and
// values are trimmed, except a value of nothing but blanks and control
// characters, which is kept as it stands for ReadUntrimmedString (a TAB or
// blank data separator) and written back so. A line without '=' stays in its section and is written
// back as it was, but is never found as a key. A repeated section continues
// the first one; of a repeated key, the first counts and is the one updated.
//
// Writing rewrites everything: the sections in the order they first appeared,
// each with its lines in order (new keys at its end) and one empty line after
// it, all lines ended by CR LF. Keys nobody asks for survive unchanged.
class IniFile {
public:
    IniFile() = default;
    static IniFile Parse(std::string_view bytes);

    // Replaces the copy with the file's contents. Returns 0 when the file was
    // read or does not exist (the copy is then empty), otherwise the system's
    // error number, and the copy stays empty.
    int Load(const std::string& path);
    std::string Text() const;
    // Replaces the file so that a failure leaves the old one whole. Returns 0
    // or the system's error number.
    int Save(const std::string& path) const;

    bool KeyExists(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // The value as ReadString gives it, or, when that is empty, the blanks
    // and control characters that stood after the equals sign.
    std::string ReadUntrimmedString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const;
    // Values that are not whole integers in range give the default.
    int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
    // An integer other than 0 is true.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
    // Accepts either decimal separator (see ParseFloatSetting); a value that is
    // not a number gives the default.
    double ReadFloatSetting(std::string_view section, std::string_view key, double defaultValue,
                            const NumberFormat& numbers) const;

    // A value ends before its first line break, which the format cannot hold:
    // the rest would come back as lines of their own, even as sections.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    // General format with up to 15 significant digits and the user's separator.
    void WriteFloat(std::string_view section, std::string_view key, double value,
                    const NumberFormat& numbers);
    // Removes every line of that key, so that no repeated line takes its place.
    void DeleteKey(std::string_view section, std::string_view key);

private:
    enum class LineKind { Entry, Text, Deleted };
    struct Line {
        LineKind kind;
        std::string key;  // the whole line for Text
        std::string value;
    };
    using NameIndex = std::unordered_map<std::string, std::size_t, IgnoreCaseHash, IgnoreCaseEqual>;
    struct Section {
        std::string name;
        std::vector<Line> lines;
        NameIndex firstLineOfKey;
    };

    const Section* FindSection(std::string_view name) const;
    Section& SectionNamed(std::string_view name);
    const Line* FindEntry(std::string_view section, std::string_view key) const;
    static void AddEntry(Section& section, std::string_view key, std::string_view value);

    std::vector<Section> sections_;
    NameIndex sectionIndex_;
};

}  // namespace quorvane
