#pragma once
#include "app/ConfigStore.h"

class CQuadrelDoc;

// Stores each write in its order into the document's configuration store.
void ApplyConfigWrites(CQuadrelDoc& doc, const ConfigWrites& writes);
