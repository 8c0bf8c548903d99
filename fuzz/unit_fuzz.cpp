// Fuzzes a unit file with its meshes: the ".unt" description and the Wavefront meshes it names
// are written into a scratch folder and loaded through a resource group as the game's model
// table loads its units, then the unit is copied as the level places its enemies, its rotor is
// looked up, and the copies are turned and tested against each other as collisions do.
//
// Input: the files split at "--- dat/..." marker lines (fuzz/FuzzFiles.h); the first file is
// "dat/fuzz.unt". Runs without a GL context: the display lists are then not made.
#include "FuzzFiles.h"

#include "render/FacesDepot.h"
#include "render/Unit.h"
#include "resources/ResourceGroup.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {
std::unique_ptr<gwfuzz::ScratchFolder> g_scratch;
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    g_scratch = std::make_unique<gwfuzz::ScratchFolder>("unit");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 256 * 1024)
        return 0;
    g_scratch->Reset();
    const auto files = gwfuzz::SplitFiles(data, size, "dat/fuzz.unt");
    for (const auto& f : files)
        g_scratch->Write(f.name, f.bytes);

    ResourceGroup group("unit_fuzz");
    CUnit unit;
    unit.Load(&group, "dat/fuzz.unt");
    // The immediate drawing walks every face (GL calls are no-ops without a context), so a face
    // index the file left out of range is caught by the sanitizer if it is not skipped.
    unit.DrawImmediate();
    for (size_t i = 0; i < unit.ChildCount(); ++i)
        unit.Child(i)->DrawImmediate();
    CUnit copy(unit);
    CUnit other;
    other = unit;
    if (CUnit* rotor = copy.FindChild("rotor"))
        rotor->SetAngles(0.0f, 0.0f, 45.0f);
    copy.SetPosition(0.2f, 0.1f, 0.0f);
    copy.SetAngles(10.0f, 20.0f, 30.0f);
    other.SetScale(2.0f);
    (void)copy.Overlaps(other);
    (void)other.Overlaps(copy);
    for (size_t i = 0; i < copy.ChildCount(); ++i)
        (void)copy.Child(i)->Overlaps(other);
    return 0;
}
