#pragma once
#include <string>

class CQuadrelDoc;

// What constructing the document does at start-up: attach the configuration store of `configDir`
// (seeded from the shipped defaults), read the analysis settings, and read the envelope curves of the
// shipped configuration folder, of `configDir` and of the folder chosen in the envelope dialog.
void InitialiseDocument(CQuadrelDoc& doc, const std::string& configDir);
