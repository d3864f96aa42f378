#pragma once
#include <string>
#include <vector>

struct Session;

// The files a picture of the view shows: each added to the selection in the order given (with the
// partners the selection toggles add), then every selected file analysed and the markers rebuilt
// from the first, as the view needs them before it draws.
void SelectForPlotCommand(Session& session, const std::vector<std::string>& keys);
