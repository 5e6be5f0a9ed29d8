#include "model/FileLayout.h"

#include <algorithm>
#include <cctype>

TFileLayout LayoutForPath(const std::string& path)
{
    const auto slash = path.find_last_of("/\\");
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return TFileLayout::Current;
    std::string extension = path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".tkd" ? TFileLayout::Version30 : TFileLayout::Current;
}

std::optional<TFileLayout> LayoutOfNumber(int number)
{
    switch (number) {
    case 1: return TFileLayout::Current;
    case 2: return TFileLayout::Version30;
    case 3: return TFileLayout::Version20;
    default: return std::nullopt;
    }
}
