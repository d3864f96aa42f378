#pragma once

// The project version, printed by --version, in the JSON outputs and in reports.
inline constexpr const char* kQuadrelVersion = QUADREL_VERSION;

// The program's name as users see it (window, About box, log entries); a macro so that texts can be
// joined to it where they are written.
#define QUADREL_PROGRAM_NAME "Quadrel Unit"
inline constexpr const char* kProgramName = QUADREL_PROGRAM_NAME;

// Every entry the program writes to its log about a file it could not make starts so.
inline constexpr const char* kLogPrefix = QUADREL_PROGRAM_NAME " log - ";
