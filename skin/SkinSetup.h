#pragma once

// Writes the skin engine library beside the program, hidden, when no entry of its name
// is there; an entry that is there is used as it is.
void EnsureSkinEngineFile();

// Makes sure of the engine, then hands it a private copy of skin n (1..33), which
// dresses every window of the process from then on.
void ApplyEmbeddedSkin(int n);
