#pragma once
#include <string>

// What kind of thing went wrong; callers decide on it (an exit status, whether to go on), never on
// the wording of the reason.
enum class FailureKind {
    Unreadable,  // the input could not be read at all: missing, not a regular file, an I/O error
    Refused,     // read, but its content is not what it must be
    WriteFailed, // an output could not be written, or was left unwritten
};

// Why something failed and where: the file, and the line in it where the reader knows one. Readers,
// writers, the package layer and the commands all hand this on as it is, so the place found at the
// bottom reaches the person at the top.
struct Failure {
    FailureKind kind = FailureKind::Refused;
    std::string path;
    int line = 0; // 1-based; 0 when the fault is not at one line (or there is no file)
    std::string reason;

    // "path:line: reason", the line only where there is one and the path only where there is one
    // ("line 3: reason" without a path).
    // The path is made printable (a control character in a file name cannot split the message).
    std::string Describe() const;
};
