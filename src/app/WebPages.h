#pragma once
// The program's two web pages. The product has no site of its own yet: these
// are placeholders under a reserved example domain, and a packager sets the
// real addresses here, in this one place.

namespace WebPages {

inline constexpr char UsageHelp[] = "https://tillervane.example.com/help";
inline constexpr char Updates[] = "https://tillervane.example.com/releases";

}  // namespace WebPages
