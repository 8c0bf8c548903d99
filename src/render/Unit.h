// CUnit: a world object built from a ".unt" unit file — a Wavefront mesh, a texture, and one
// child unit for every further group of the mesh (propellers, rotors, turrets).
//
// The resource banks and the game's model table own loaded prototypes; the level places sharing
// copies of them (copy construction or assignment), which borrow the prototype's mesh, textures
// and display list and own only their children (themselves sharing copies). The prototype must
// outlive its copies. Copies draw through the prototype's display list and texture objects, so
// when the bank rebuilds GL objects for a new context (ReleaseGLObjects / ReloadGLObjects, which
// keep meshes, texture objects and children in place) the copies follow without being touched.
// A missing mesh file or texture leaves the unit without that part; nothing is reported.
#pragma once

#include "render/Entity.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CFacesDepot;
class CTexture;
class ResourceGroup;

class CUnit : public CEntity {
public:
    CUnit();
    CUnit(const CUnit& prototype);
    CUnit& operator=(const CUnit& prototype);
    ~CUnit() override;

    // Reads the ".unt" file through the group, builds the mesh, texture and children, and
    // compiles display lists (a GL context must be current for those). False when the unit file
    // could not be read.
    bool Load(ResourceGroup* group, const std::string& fileName) override;
    // Deletes the GL textures it owns, its display lists and those of its children, and its children.
    void Release() override;
    void Draw() override;
    // One time step of the kinds that move; a plain unit has nothing to do.
    virtual void Update(float dt);

    // Drops the GL objects (textures it owns, display lists) and keeps everything else.
    void ReleaseGLObjects();
    // Reloads the owned textures through the group and compiles the display lists again.
    void ReloadGLObjects(ResourceGroup* group);

    // The first child whose mesh has that group name, or null.
    CUnit* FindChild(const std::string& groupName);
    size_t ChildCount() const { return m_children.size(); }
    CUnit* Child(size_t i) { return i < m_children.size() ? m_children[i].get() : nullptr; }
    const CUnit* Child(size_t i) const { return i < m_children.size() ? m_children[i].get() : nullptr; }
    // Where child i sits in the unit's own frame (before any turn the caller adds): its offset
    // in the model times the unit's scale; (0, 0, 0) when there is no child i.
    Vec3 ChildOffset(size_t i) const;
    // Draws the unit and every child in the current model-view matrix, which it leaves as it
    // found it: each child is translated by ChildOffset and drawn at the unit's scale (times its
    // own, 1 for the children a unit file makes), so the parts stand where they stood in the
    // mesh file. The child `spun`, if given, is also turned by spinDegrees about z at its offset
    // (a rotor). The game's enemies and gw-view draw models with children through this alone.
    void DrawWithChildren(const CUnit* spun = nullptr, float spinDegrees = 0.0f);

    const CFacesDepot* Mesh() const { return m_mesh; }
    CTexture* Texture() const { return m_texture; }
    CTexture* SecondTexture() const { return m_texture2; }
    // Gives the unit an owned second texture (a unit with one draws immediately, without a list).
    void SetSecondTexture(std::unique_ptr<CTexture> texture);
    bool OwnsMesh() const { return m_owns_mesh; }
    bool OwnsTextures() const { return m_owns_textures; }
    bool HasDisplayList() const;
    // The texture file named by the unit file ("" without one, and for copies).
    const std::string& TextureFileName() const { return m_tex_file_name; }

    // Issues the mesh's triangles (what the display list holds).
    void DrawImmediate() const;

    bool m_blend = false;

private:
    void FreeOwned();
    void ShareFrom(const CUnit& prototype);
    void CompileDisplayLists();
    void DeleteDisplayLists();

    CFacesDepot* m_mesh = nullptr;
    std::unique_ptr<CFacesDepot> m_own_mesh;
    std::vector<std::unique_ptr<CUnit>> m_children;
    CTexture* m_texture = nullptr;
    CTexture* m_texture2 = nullptr;
    std::unique_ptr<CTexture> m_own_texture;
    std::unique_ptr<CTexture> m_own_texture2;
    bool m_owns_textures = false;
    bool m_owns_mesh = false;
    bool m_has_display_list = false;
    uint32_t m_display_list = 0;
    const CUnit* m_list_source = nullptr;  // a copy draws through its prototype's list

    // What the texture was loaded from, for ReloadGLObjects.
    std::string m_tex_file_name;
    bool m_tex_wrap = false;
    bool m_tex_mipmaps = false;
};
