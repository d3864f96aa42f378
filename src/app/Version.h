#pragma once

// The project version, printed by --version, in the JSON outputs and in reports.
inline constexpr const char* kQuadrelVersion = QUADREL_VERSION;
