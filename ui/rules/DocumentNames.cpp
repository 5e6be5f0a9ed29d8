#include "ui/rules/DocumentNames.h"

#include "TorvikVersion.h"

#include <cctype>

std::string DisplayFileName(const std::string& path)
{
    const size_t cut = path.find_last_of("/\\:");
    std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) {
        std::string ext = name.substr(dot);
        for (char& c : ext)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (ext == ".tkd")
            name = name.substr(0, name.find('.'));
    }
    if (name.size() > 1)
        name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    return name;
}

std::string TitleBarText(const std::string& path)
{
    return std::string(ProgramNameAndRelease) + " - " + DisplayFileName(path);
}
