#pragma once

#include <QLatin1String>

// Who makes Orbalin and where to reach them: the credits window, the Help menu and the help page
// all read these, so an address changes in one place.
namespace projectinfo {
inline constexpr QLatin1String kAuthor("The Orbalin developers");
inline constexpr QLatin1String kCopyrightYears("2026");
inline constexpr QLatin1String kMail("orbalin@orbalin.org");
inline constexpr QLatin1String kHomePage("https://orbalin.org/");
// The translations are our own team's work.
inline constexpr QLatin1String kTranslators("The Orbalin team");
} // namespace projectinfo
