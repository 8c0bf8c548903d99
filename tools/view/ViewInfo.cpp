// gw-view info: the game's readers run over a file and report what they made of it.
#include "ViewFile.h"

#include "render/BitmapText.h"
#include "render/FacesDepot.h"
#include "render/ImageDecode.h"
#include "render/L3DS.h"
#include "render/Unit.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

bool EndsWith(std::string s, const char* tail)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    const std::string t(tail);
    return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

bool Model3DSInfo(const FileBuffer& file)
{
    NObjects::L3DS model;
    std::string error;
    model.SetErrorHook([&error](const std::string& m) {
        if (error.empty())
            error = m;
    });
    if (!model.LoadFromMemory(file.Data(), file.Size())) {
        std::fprintf(stderr, "gw-view: not a 3DS model%s%s\n", error.empty() ? "" : ": ", error.c_str());
        return false;
    }
    for (size_t i = 0; i < model.GetMeshCount(); ++i) {
        const auto& m = model.GetMesh(i);
        std::printf("mesh %s vertices %zu triangles %zu\n", m.GetName().c_str(), m.m_vertices.size(),
                    m.m_triangles.size());
    }
    for (size_t i = 0; i < model.GetMaterialCount(); ++i) {
        const auto& m = model.GetMaterial(i);
        const char* tex = m.m_texture_map1.fileName[0] ? m.m_texture_map1.fileName : "-";
        std::printf("material %s texture %s\n", m.GetName().c_str(), tex);
        std::printf("diffuse %s %g %g %g\n", m.GetName().c_str(), m.m_diffuse.r, m.m_diffuse.g, m.m_diffuse.b);
    }
    float w, h, d;
    model.NormalizeModel(w, h, d);
    std::printf("extents %g %g %g\n", w, h, d);
    return true;
}

bool UnitInfo(ResourceGroup& group, const std::string& name)
{
    if (group.ReadFile(name).Empty()) {
        std::fprintf(stderr, "gw-view: cannot read %s\n", name.c_str());
        return false;
    }
    CUnit unit;
    unit.Load(&group, name);
    std::printf("texture %s\n", unit.TextureFileName().empty() ? "-" : unit.TextureFileName().c_str());
    std::printf("scale %g\n", unit.GetScale());
    std::printf("extents %g %g %g\n", unit.m_width, unit.m_height, unit.m_depth);
    if (const CFacesDepot* mesh = unit.Mesh())
        std::printf("mesh %s vertices %zu triangles %zu\n", mesh->Name().empty() ? "-" : mesh->Name().c_str(),
                    mesh->VertexCount(), mesh->FaceCount());
    for (size_t i = 0; i < unit.ChildCount(); ++i) {
        CUnit* c = unit.Child(i);
        const Vec3& p = c->GetPosition();
        std::printf("child %s faces %zu vertices %zu offset %g %g %g\n", c->Mesh()->Name().c_str(),
                    c->Mesh()->FaceCount(), c->Mesh()->VertexCount(), p.x, p.y, p.z);
    }
    return true;
}

bool MeshInfo(const FileBuffer& file)
{
    CFacesDepot mesh;
    if (!mesh.ParseAllGroups(reinterpret_cast<const char*>(file.Data()), file.Size())) {
        std::fprintf(stderr, "gw-view: no mesh in the file\n");
        return false;
    }
    for (size_t i = 0; i < mesh.m_groups.size(); ++i) {
        auto g = mesh.ExtractGroup(i);
        std::printf("group %s faces %zu vertices %zu\n", g->Name().c_str(), g->FaceCount(), g->VertexCount());
    }
    mesh.Normalize();
    std::printf("extents %g %g %g\n", mesh.Width(), mesh.Height(), mesh.Depth());
    return true;
}

bool PictureInfo(const FileBuffer& file, bool tga)
{
    DecodedImage img;
    if (!(tga ? DecodeTga(file.Data(), file.Size(), img) : DecodeJpeg(file.Data(), file.Size(), img))) {
        std::fprintf(stderr, "gw-view: the %s decoder refuses the picture\n", tga ? "TGA" : "JPEG");
        return false;
    }
    std::printf("picture %u %u %u\n", img.width, img.height, img.bytesPerPixel);
    if (tga && img.bytesPerPixel == 4) {
        CBitmapText::Glyph glyphs[CBitmapText::kGlyphCount];
        float lineHeight;
        uint32_t w, h;
        std::printf("glyphs %d\n", CBitmapText::ScanGlyphs(file.Data(), file.Size(), glyphs, lineHeight, w, h));
    }
    return true;
}

}  // namespace

ViewKind KindOf(const std::string& name)
{
    if (EndsWith(name, ".3ds"))
        return ViewKind::Model3DS;
    if (EndsWith(name, ".unt"))
        return ViewKind::Unit;
    if (EndsWith(name, ".obj"))
        return ViewKind::Mesh;
    return IsTgaName(name) ? ViewKind::Tga : ViewKind::Jpeg;
}

bool PrintInfo(ResourceGroup& group, const std::string& name)
{
    const ViewKind kind = KindOf(name);
    if (kind == ViewKind::Unit)
        return UnitInfo(group, name);
    const FileBuffer file = group.ReadFile(name);
    if (file.Empty()) {
        std::fprintf(stderr, "gw-view: cannot read %s\n", name.c_str());
        return false;
    }
    switch (kind) {
    case ViewKind::Model3DS: return Model3DSInfo(file);
    case ViewKind::Mesh: return MeshInfo(file);
    case ViewKind::Tga: return PictureInfo(file, true);
    default: return PictureInfo(file, false);
    }
}
