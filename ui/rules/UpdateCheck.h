#pragma once
#include <string>

// The release this program is.
extern const char* const ProductName;     // "TORVIK 2013"
extern const char* const ProductVersion;  // the release number (TorvikVersion.h)
extern const char* const ReleaseDate;     // ISO 8601, "2013-04-06"

// A calendar date as ISO 8601 text, "YYYY-MM-DD".
std::string IsoDate(int year, int month, int day);

// Text for a URL's query: unreserved characters (letters, digits, "-", ".",
// "_", "~") as they are, every other byte of its UTF-8 as "%" and two
// upper-case hexadecimal digits.
std::string PercentEncode(const std::string& text);

// The address of the maker's update page asked about this release: `base`
// with the query product, version, released and today appended (after "&"
// when `base` already has a query; before a "#fragment").
std::string UpdatePageUrl(const std::string& base, const std::string& product, const std::string& version,
                          const std::string& releaseDate, const std::string& today);
