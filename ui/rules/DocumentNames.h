#pragma once
#include <string>

// The name shown for a data file in the title bar and in messages: the part
// after the last "\", "/" or ":"; a ".tkd" file (older layout, any case) loses
// everything from its first "."; a name longer than one character starts in
// upper case. "c:\walls\wall1.tk4d" shows as "Wall1.tk4d", "c:\walls\old.wall.tkd" as "Old".
std::string DisplayFileName(const std::string& path);

// The main window's title for a data file: the program's name and release, " - " and its shown name.
std::string TitleBarText(const std::string& path);
