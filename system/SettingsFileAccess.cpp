#include "SettingsFileAccess.h"

#include "FileErrors.h"

#include <algorithm>
#include <limits>

namespace quorvane {

IniFile CopyForReading(const std::string& fileName)
{
    IniFile file;
    file.Load(fileName);
    return file;
}

std::string ChangeSettingsFile(const std::string& fileName,
                               const std::function<void(IniFile&)>& change)
{
    IniFile file;
    int error = file.Load(fileName);
    if (error == 0) {
        change(file);
        error = file.Save(fileName);
    }
    if (error == 0)
        return {};
    return FileErrorText(error) + "\n" + fileName;
}

int AtMost(int value, long long limit)
{
    return static_cast<int>(std::max<long long>(std::min<long long>(value, limit),
                                                std::numeric_limits<int>::min()));
}

int PlacedWithin(int value, long long low, long long high)
{
    return static_cast<int>(std::max<long long>(low, std::min<long long>(value, high)));
}

}  // namespace quorvane
