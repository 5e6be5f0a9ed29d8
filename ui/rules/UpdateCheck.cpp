#include "ui/rules/UpdateCheck.h"

#include "TorvikVersion.h"

#include <cstdio>

const char* const ProductName = ProgramName;
const char* const ProductVersion = ProgramRelease;
const char* const ReleaseDate = ProgramReleaseDate;

std::string IsoDate(int year, int month, int day)
{
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

std::string PercentEncode(const std::string& text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                                c == '-' || c == '.' || c == '_' || c == '~';
        if (unreserved) {
            out += ch;
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string UpdatePageUrl(const std::string& base, const std::string& product, const std::string& version,
                          const std::string& releaseDate, const std::string& today)
{
    const size_t hash = base.find('#');
    std::string url = base.substr(0, hash);
    const std::string fragment = hash == std::string::npos ? "" : base.substr(hash);
    const size_t question = url.find('?');
    if (question == std::string::npos)
        url += '?';
    else if (question + 1 < url.size() && url.back() != '&')
        url += '&';
    url += "product=" + PercentEncode(product) + "&version=" + PercentEncode(version) +
           "&released=" + PercentEncode(releaseDate) + "&today=" + PercentEncode(today);
    return url + fragment;
}
