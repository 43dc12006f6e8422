#pragma once
#include "skin/ByteBlock.h"

// The skin engine library's file image, as a byte block in read-only data.
extern "C" const unsigned char SkinEngineImage[];

// The skins, numbered 1 to SkinCount, each a byte block in the engine's format.
inline constexpr int SkinCount = 33;
ByteBlockView SkinSetBlock(int number); // absent outside 1..SkinCount
