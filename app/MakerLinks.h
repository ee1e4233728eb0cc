// The maker's web addresses. The real ones are not known to us: these are placeholders under the
// reserved .example domain, kept in this one place.
#pragma once

namespace MakerLinks {
constexpr const char *FORUM = "https://forum.morvantide.example/mv100";
constexpr const char *HOMEPAGE = "https://www.morvantide.example/";
constexpr const char *SUPPORT_MAIL = "support@morvantide.example";
} // namespace MakerLinks
