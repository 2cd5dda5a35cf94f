// Any bytes read as a data file, the table written, that file read and
// written again: the two written files are the same, byte for byte. The first
// write may differ from the input (numbers keep four decimals), but what the
// writer makes must read back into a table that writes the same file.

#include "DataFile.h"
#include "FuzzInput.h"
#include "LineTable.h"
#include "ScratchFolder.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace quorvane::fuzzing {
namespace {

// Separators the settings dialog offers or a user may type. Characters that
// written numbers contain ('0'-'9', '.', '-', '+', 'e') are left out, as they
// cannot come back from a file.
constexpr std::array<char, 8> Separators{',', ';', '\t', ' ', '|', ':', '/', '\xA7'};

bool IsTrimmedAtLineEnds(char c)
{
    return static_cast<unsigned char>(c) < 33;
}

// The first bytes choose the settings: the separator, whether the set of
// separator characters is in use (as it is once the settings dialog exists),
// whether a backup is kept, the decimals shown and the growth step.
DataFileSettings SettingsFrom(FuzzInput& input)
{
    DataFileSettings settings;
    const std::uint8_t choice = input.TakeByte();
    settings.DataSeparator = Separators[choice % Separators.size()];
    // The reader trims blanks and control characters at both ends of a line
    // before it turns the set's characters into the separator, so with a
    // blank or TAB separator a line that ends in ',' gets a field that the
    // next read trims away. That is the file format; such a pair of
    // settings is fuzzed without the set.
    const bool useSet = (choice & 0x08) != 0 && !IsTrimmedAtLineEnds(settings.DataSeparator);
    if (useSet) {
        settings.SeparatorSet = StandardSeparatorSet();
        // A separator typed in the dialog joins the set.
        settings.SeparatorSet.set(static_cast<unsigned char>(settings.DataSeparator));
    }
    settings.CreateBakFiles = (choice & 0x10) != 0;
    settings.Decimals = input.TakeSignedByte();
    settings.CapacityIncrement = input.TakeSignedByte();
    return settings;
}

const ScratchFolder& Folder()
{
    static const ScratchFolder folder;
    return folder;
}

std::string ReadThenWrite(const DataFileSettings& settings, const std::string& from,
                          const std::string& to)
{
    const Language language = Language::English;
    LineTable table;
    DataFile file(table, settings, language, "Quorvane");
    file.ReadDataFile(Folder().Path(from));
    Require(!file.TableChanged(), "a table just read counts as unchanged");
    file.WriteDataFile(Folder().Path(to));
    Require(file.DataSaved, "the table is written");
    Require(!file.TableChanged(), "a table just written counts as unchanged");
    return Folder().Read(to);
}

}  // namespace
}  // namespace quorvane::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace quorvane::fuzzing;
    FuzzInput input(data, size);
    const quorvane::DataFileSettings settings = SettingsFrom(input);
    Folder().Write("input.qrv", input.Rest());
    const std::string first = ReadThenWrite(settings, "input.qrv", "first.qrv");
    const std::string second = ReadThenWrite(settings, "first.qrv", "second.qrv");
    if (first != second)
        Fail("a written file reads back into a table that writes the same file",
             "first write:\n" + first + "\nsecond write:\n" + second);
    return 0;
}
