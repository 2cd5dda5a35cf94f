#include "FileErrors.h"

#include <cerrno>

namespace quorvane {

std::string FileErrorText(int errorNumber)
{
    switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
        return "Datei nicht gefunden";
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
        return "Ungültiger Dateiname";
    case EMFILE:
    case ENFILE:
        return "Zu viele geöffnete Dateien";
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY:
        return "Dateizugriff verweigert";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return "Zu wenig Speicherplatz";
    case ENOMEM:
        return "Zu wenig Arbeitsspeicher";
    default: {
        std::string text = "E/A-Fehler ";
        text += std::to_string(errorNumber);
        return text;
    }
    }
}

}  // namespace quorvane
