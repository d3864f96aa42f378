#pragma once
#include "app/ConfigStore.h"

class CQuadrelDoc;

// Writes each setting through the document, in order, so that whoever watches the document's
// configuration writes (the undo history) sees every one.
void ApplyConfigWrites(CQuadrelDoc& doc, const ConfigWrites& writes);
