#pragma once
#include "skin/ByteBlock.h"

// True when FindFirstFileA finds an entry of that name; a directory counts.
bool EntryExists(const char* path);

// Writes all the block's bytes to a new file at path. The bytes go to a temporary file
// beside it first (path.<process id>.part), which is moved into place only when complete: a failed write
// leaves nothing behind, and an entry already at path is never touched.
bool WriteWholeFile(const char* path, ByteBlockView block);

// Replaces all the file's attributes.
bool SetAttributes(const char* path, unsigned long attributes);
