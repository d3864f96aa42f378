#include "commands/ConfigWrites.h"

#include "document/QuadrelDoc.h"

void ApplyConfigWrites(CQuadrelDoc& doc, const ConfigWrites& writes) {
    for (const ConfigWrite& write : writes) doc.WriteConfig(write.section, write.key, write.value);
}
