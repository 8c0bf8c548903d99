// What gw-view was asked to look at: the file's name, its kind and the group it is read through.
#pragma once

#include "resources/ResourceGroup.h"

#include <string>

enum class ViewKind { Model3DS, Unit, Mesh, Tga, Jpeg };

// The kind by the name's extension: ".3ds", ".unt", ".obj"; otherwise a picture by the game's
// own rule (a last character 'a' or 'A' is a TGA, anything else a JPEG).
ViewKind KindOf(const std::string& name);

// Prints the facts about the file, one a line, to stdout. False (with a reason on stderr) when
// the game's readers refuse it.
bool PrintInfo(ResourceGroup& group, const std::string& name);

struct ShotOptions {
    float yaw = 30.0f;
    float pitch = 20.0f;
    int width = 512;
    int height = 512;
    std::string text;         // with a font picture: the line of text to draw
    bool interactive = false;  // show a window and turn the model until it is closed
};

// Renders the file into an off-screen frame and writes it as a PNG (or, interactive, shows it).
// Returns the process exit code.
int RenderFile(ResourceGroup& group, const std::string& name, const std::string& outPng, const ShotOptions& options);
