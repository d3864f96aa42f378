#pragma once
#include "app/ConfigStore.h"

class CQuadrelDoc;

// Stores each write in order through the document, so the undo history's configuration watcher
// sees every overwritten setting as if the command had written it itself.
void ApplyConfigWrites(CQuadrelDoc& doc, const ConfigWrites& writes);
