// CEntity3DS: a world object drawn from a 3DS model (the player's aircraft, missiles, torpedoes).
//
// The resource bank and the game's model table own loaded prototypes; copies made by assignment
// borrow the prototype's importer and textures and own only their mesh entities, so the prototype
// must outlive them. Loading reads the file through a resource group, normalises the model to a
// largest extent of 1, loads one texture per material with a texture map (from the model's own
// folder) and makes one plain entity per mesh (its centre and extents, for rotors and hit boxes).
// A file that cannot be read leaves the entity released and not loaded. Drawing puts every mesh
// at its mesh entity's position (its centre in the model) turned by that entity's angles, so the
// game spins a rotor by turning its mesh entity.
#pragma once

#include "render/Entity.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace NObjects {
class L3DS;
}
class CTexture;
class ResourceGroup;

class CEntity3DS : public CEntity {
public:
    CEntity3DS();
    ~CEntity3DS() override;
    CEntity3DS(const CEntity3DS&) = delete;
    // Releases itself, then borrows the other's model and copies its placement and mesh entities.
    CEntity3DS& operator=(const CEntity3DS& other);

    bool Load(ResourceGroup* group, const std::string& fileName) override;
    void Release() override;
    void Draw() override;

    // Deletes the GL textures of the model (the texture objects stay).
    void ReleaseTextures();
    // Loads the textures of the model again through the group (after a new GL context).
    void ReloadTextures(ResourceGroup* group);

    bool IsLoaded() const { return m_loaded; }
    const NObjects::L3DS* Model() const { return m_model; }
    const std::string& Directory() const { return m_directory; }
    // The mesh entity of the first mesh of that name, or null.
    CEntity* FindMeshEntity(const std::string& meshName);
    size_t MeshEntityCount() const { return m_mesh_entities.size(); }
    CEntity* MeshEntity(size_t i) { return i < m_mesh_entities.size() ? &m_mesh_entities[i] : nullptr; }

    // The folder part of a file name: backslashes become slashes, everything after the last
    // slash goes ("" without a slash or with only a slash at position 0).
    static std::string DirectoryOf(const std::string& fileName);

private:
    // Every material's GL texture name from the texture it shares (0 while released).
    void SetMaterialTextureNames();

    bool m_loaded = false;
    NObjects::L3DS* m_model = nullptr;          // own or borrowed
    std::unique_ptr<NObjects::L3DS> m_own_model;
    uint32_t m_bound_texture = 0;
    std::vector<std::unique_ptr<CTexture>> m_textures;  // per material; null without a texture map
                                                        // or when an earlier material has its picture
    std::vector<int> m_texture_of;  // per material: the material whose texture it draws with, -1 none
    std::string m_directory;
    std::vector<CEntity> m_mesh_entities;
};
