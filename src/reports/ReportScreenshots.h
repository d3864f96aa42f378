#pragma once
#include <string>

struct ReportJob;

// The pictures of the reports, rendered off screen with the job's plot state at the fixed size of
// its capture mode; files are named as the pattern file with its extension replaced by ".bmp".

// report/RelBmps: one picture per pattern in pattern-set order, with its related patterns as the
// partner toggles choose; a related pattern shown in a picture gets none of its own. Related
// patterns that are not loaded are logged. The pictures written are listed in the job's
// `pictures`, those that could not be in its `failedPictures`. Returns the number written.
int TakePatternScreenshots(ReportJob& job);

// report/SetBmps: one picture per port, tilt and plane with all its patterns,
// "<port>_<tilt>_<plane>.bmp". Failures are listed in the job's `failedPictures`. Returns the number
// of pictures written.
int TakeSetScreenshots(ReportJob& job);
