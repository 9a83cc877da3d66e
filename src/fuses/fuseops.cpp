#include "fuses/fuseops.h"

#include "core/opcontext.h"

// Bodies follow with the fuse editor.
void ReadFuses(OpContext&) {}
void WriteFuses(OpContext&) {}
void RecoverFuses(OpContext&) {}
QString ReadFuseBytes(OpContext&) { return QString(); }
void WriteLock(OpContext&) {}
