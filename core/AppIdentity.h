// The name the editor and mv100ctl run under. It names the data folder they share (backups, and
// the demo builds' simulated chip), so both take it from here.
#pragma once

namespace AppIdentity {
constexpr const char *APPLICATION_NAME = "Morvantide100 Editor";
} // namespace AppIdentity
