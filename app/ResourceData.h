#pragma once

// Files linked into the program as byte blocks in read-only data.
extern "C" const unsigned char ProgramIconFile[]; // resources/QuorvelTimer.ico
