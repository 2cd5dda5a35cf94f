#include "IniFile.h"

#include "FileAccess.h"
#include "SettingsNumbers.h"

#include <cerrno>
#include <string>

namespace quorvane {

IniFile IniFile::Parse(std::string_view bytes)
{
    IniFile file;
    Section* current = nullptr;
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", begin);
        if (end == std::string_view::npos)
            end = bytes.size();
        const std::string_view line = bytes.substr(begin, end - begin);
        begin = end + 1;
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n')
            ++begin;

        const std::string_view text = TrimBlanks(line);
        if (text.empty() || text.front() == ';')
            continue;
        if (text.size() >= 2 && text.front() == '[' && text.back() == ']') {
            current = &file.SectionNamed(TrimBlanks(text.substr(1, text.size() - 2)));
            continue;
        }
        if (current == nullptr)
            continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            current->lines.push_back({LineKind::Text, std::string(line), {}});
            continue;
        }
        const std::string_view untrimmed = line.substr(equals + 1);
        const std::string_view value = TrimBlanks(untrimmed);
        AddEntry(*current, TrimBlanks(line.substr(0, equals)), value.empty() ? untrimmed : value);
    }
    return file;
}

int IniFile::Load(const std::string& path)
{
    *this = IniFile();
    const FileContents contents = ReadWholeFile(path);
    if (contents.error == ENOENT)
        return 0;
    if (contents.error != 0)
        return contents.error;
    *this = Parse(contents.bytes);
    return 0;
}

std::string IniFile::Text() const
{
    std::string text;
    for (const Section& section : sections_) {
        text += '[';
        text += section.name;
        text += "]\r\n";
        for (const Line& line : section.lines) {
            if (line.kind == LineKind::Deleted)
                continue;
            text += line.key;
            if (line.kind == LineKind::Entry) {
                text += '=';
                text += line.value;
            }
            text += "\r\n";
        }
        text += "\r\n";
    }
    return text;
}

int IniFile::Save(const std::string& path) const
{
    return ReplaceFileContents(path, Text(), false);
}

bool IniFile::KeyExists(std::string_view section, std::string_view key) const
{
    return FindEntry(section, key) != nullptr;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const
{
    const Line* line = FindEntry(section, key);
    return std::string(line != nullptr ? TrimBlanks(line->value) : defaultValue);
}

std::string IniFile::ReadUntrimmedString(std::string_view section, std::string_view key,
                                         std::string_view defaultValue) const
{
    const Line* line = FindEntry(section, key);
    return std::string(line != nullptr ? std::string_view(line->value) : defaultValue);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const
{
    const Line* line = FindEntry(section, key);
    int value = defaultValue;
    if (line == nullptr || !ParseSettingInteger(line->value, value))
        return defaultValue;
    return value;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

double IniFile::ReadFloatSetting(std::string_view section, std::string_view key,
                                 double defaultValue, const NumberFormat& numbers) const
{
    const Line* line = FindEntry(section, key);
    double value = defaultValue;
    if (line == nullptr || !ParseFloatSetting(line->value, numbers, value))
        return defaultValue;
    return value;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    value = value.substr(0, value.find_first_of("\r\n"));
    Section& target = SectionNamed(section);
    const auto found = target.firstLineOfKey.find(key);
    if (found == target.firstLineOfKey.end())
        AddEntry(target, key, value);
    else
        target.lines[found->second].value = value;
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::WriteFloat(std::string_view section, std::string_view key, double value,
                         const NumberFormat& numbers)
{
    WriteString(section, key, FloatSettingText(value, numbers.DecimalSeparator));
}

void IniFile::DeleteKey(std::string_view section, std::string_view key)
{
    const auto sectionFound = sectionIndex_.find(section);
    if (sectionFound == sectionIndex_.end())
        return;
    Section& target = sections_[sectionFound->second];
    const auto found = target.firstLineOfKey.find(key);
    if (found == target.firstLineOfKey.end())
        return;
    // Lines are only marked, so that the positions in the index stay valid.
    for (std::size_t i = found->second; i < target.lines.size(); ++i) {
        Line& line = target.lines[i];
        if (line.kind == LineKind::Entry && EqualIgnoringCase(line.key, key))
            line.kind = LineKind::Deleted;
    }
    target.firstLineOfKey.erase(found);
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const
{
    const auto found = sectionIndex_.find(name);
    return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

IniFile::Section& IniFile::SectionNamed(std::string_view name)
{
    const auto found = sectionIndex_.find(name);
    if (found != sectionIndex_.end())
        return sections_[found->second];
    sectionIndex_.emplace(std::string(name), sections_.size());
    return sections_.emplace_back(Section{std::string(name), {}, {}});
}

const IniFile::Line* IniFile::FindEntry(std::string_view section, std::string_view key) const
{
    const Section* found = FindSection(section);
    if (found == nullptr)
        return nullptr;
    const auto line = found->firstLineOfKey.find(key);
    return line == found->firstLineOfKey.end() ? nullptr : &found->lines[line->second];
}

void IniFile::AddEntry(Section& section, std::string_view key, std::string_view value)
{
    section.firstLineOfKey.emplace(std::string(key), section.lines.size());
    section.lines.push_back({LineKind::Entry, std::string(key), std::string(value)});
}

}  // namespace quorvane
