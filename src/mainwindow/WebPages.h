#pragma once
// The program's two web pages and the usage page it ships with. The product has
// no site of its own yet: the addresses are placeholders under a reserved
// example domain, and a packager sets the real ones here, in this one place.

namespace WebPages {

inline constexpr char UsageHelp[] = "https://tillervane.example.com/help";
inline constexpr char Updates[] = "https://tillervane.example.com/releases";

// The usage page's file name beside Tillervane.exe. The package build reads it
// from here, so the page it ships is the one the help command looks for.
inline constexpr char UsageHelpFile[] = "help.html";

}  // namespace WebPages
