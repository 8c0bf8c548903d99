// ModelLibrary: every model the forge builds, by name, for the content modules, the tests and
// authors' tools. Builders are pure: the same call gives the same model.
#pragma once

#include "content/ModelKit.h"
#include "geometry/ForgeModel.h"

#include <string>

// Player aircraft (3DS) and their paint.
ForgeModel BuildF22();
ForgeModel BuildF18();
ForgeModel BuildAh64();
PaintScheme F22Scheme();
PaintScheme F18Scheme();
PaintScheme Ah64Scheme();

class ForgeFiles;
// With pictures wanted, adds "NAME.tga": the model from three sides, for authors to look at.
void AddModelPicture(ForgeFiles& files, const std::string& name, const ForgeModel& model, const Image& atlas);

// A 3/4 view of the model on a framed panel, for the begin-level screen (RGBA, 256 × 256).
Image PreviewPicture(const ForgeModel& model, const Image& atlas);

// Weapons (3DS).
ForgeModel BuildMissile();
ForgeModel BuildTorpedo();
ForgeModel BuildFlakShell();

// Units (Wavefront + ".unt"): path without extension, description, model, paint, unit scale and
// the shadow picture's path ("" for units without a shadow).
struct UnitModel {
    std::string path;
    std::string name;
    ForgeModel model;
    PaintScheme paint;
    float scale;
    std::string shadowPath;
};
#include <vector>
std::vector<UnitModel> AllUnitModels();

// Height above the ground of the turret point of an anti-aircraft site of kind 0 or 1, as the
// game places one: the unit scaled to a largest extent of its "scale", standing on the ground
// with its box, the turret (its first child part) at the centre of that part's box.
float SiteTurretHeight(int kind);
