// The program's name and version as the about box shows them.
#pragma once

namespace version {
inline constexpr const char* kTitle = "Ledgora";
inline constexpr const char* kText = "Version 3 - 32 bits";
inline constexpr const char* kDate = "28/01/02";
inline constexpr const char* kDescription = "Gestion de comptes pour Windows 95/98/ME/2000";
inline constexpr const char* kWebSite = "https://www.orvand.example/ledgora/";
} // namespace version
