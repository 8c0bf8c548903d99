// ModelLibrary: every model the forge builds, by name, for the content modules, the tests and
// authors' tools. Builders are pure: the same call gives the same model.
#pragma once

#include "content/ModelKit.h"
#include "geometry/ForgeModel.h"

// Player aircraft (3DS) and their paint.
ForgeModel BuildF22();
ForgeModel BuildF18();
ForgeModel BuildAh64();
PaintScheme F22Scheme();
PaintScheme F18Scheme();
PaintScheme Ah64Scheme();

// A 3/4 view of the model on a framed panel, for the begin-level screen (RGBA, 256 × 256).
Image PreviewPicture(const ForgeModel& model, const Image& atlas);
