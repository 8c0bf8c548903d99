// CResourceBank: named banks of loaded textures, units and 3DS models over a resource group.
//
// Banks live in one process-wide table from bank name to bank: "main" (created at start-up over
// the group "main", deleted at exit) and "CLevel" (one per loaded level). A bank owns what it
// holds and deletes it when it is deleted or the entry removed; pointers it hands out stay valid
// until then. The application calls ReleaseAllGLObjects before the GL context goes away and
// CreateAllGLObjects once a new one is current: every texture is reloaded from its descriptor,
// every unit and model gets its GL objects back, and the objects themselves stay where they are,
// so pointers held elsewhere (and sharing copies of units) keep working. A file that fails to
// load still gives an entry (drawn untextured or empty); nothing is reported.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

class CEntity3DS;
class CTexture;
class CUnit;
class ResourceGroup;

class CResourceBank {
public:
    struct Descriptor {
        std::string key;
        std::string fileName;
        std::string alphaFileName;  // empty when none
        bool wrap = false;
        bool mipmaps = false;
    };

    explicit CResourceBank(ResourceGroup* group);
    ~CResourceBank();
    CResourceBank(const CResourceBank&) = delete;
    CResourceBank& operator=(const CResourceBank&) = delete;

    // The bank table. CreateBank replaces (and deletes) any bank of that name.
    static CResourceBank* CreateBank(const std::string& name, ResourceGroup* group);
    static CResourceBank* FindBank(const std::string& name);
    static void DeleteBank(const std::string& name);
    // The bank keeps everything it holds under a new name (a bank of that name is deleted), so
    // that a second level can be loaded beside it; false when there is no bank called from.
    static bool RenameBank(const std::string& from, const std::string& to);
    static void DeleteAllBanks();
    // Every bank: drop all GL objects (textures, display lists) before the context goes away.
    static void ReleaseAllGLObjects();
    // Every bank: rebuild all GL objects in the context that is now current.
    static void CreateAllGLObjects();

    ResourceGroup* Group() const { return m_group; }

    CTexture* AddTexture(const std::string& fileName, const std::string& key, bool wrap, bool mipmaps);
    CTexture* AddTextureWithAlpha(const std::string& fileName, const std::string& alphaFileName,
                                  const std::string& key, bool wrap, bool mipmaps);
    // The same, but lazy (CTexture::SetLoader): the picture is read when the texture is first
    // used, and ReleaseLazyTextures gives it back until its next use. For pictures that are
    // shown only now and then (the interface's backgrounds and buttons).
    CTexture* AddLazyTexture(const std::string& fileName, const std::string& alphaFileName, const std::string& key,
                             bool wrap, bool mipmaps);
    CTexture* GetTexture(const std::string& key) const;  // null for a key the bank does not hold
    // Every bank: the lazy textures drop their GL textures (they load again when next used).
    // The game calls it when a level starts and when the flight begins, so that the menus'
    // pictures do not stay in memory during play.
    static void ReleaseAllLazyTextures();
    void ReleaseLazyTextures();

    CUnit* AddUnit(const std::string& fileName, const std::string& key);
    CUnit* GetUnit(const std::string& key) const;
    void RemoveUnit(const std::string& key);
    void RemoveUnit(const CUnit* unit);

    CEntity3DS* Add3DS(const std::string& fileName, const std::string& key);
    CEntity3DS* Get3DS(const std::string& key) const;
    void Remove3DS(const std::string& key);
    void Remove3DS(const CEntity3DS* model);

    size_t TextureCount() const { return m_textures.size(); }
    size_t UnitCount() const { return m_units.size(); }
    size_t ModelCount() const { return m_models.size(); }

    void ReleaseGLObjects();
    void CreateGLObjects();

private:
    template <class T>
    using Entries = std::vector<std::pair<Descriptor, std::unique_ptr<T>>>;

    void LoadTexture(const Descriptor& d, CTexture& texture);

    ResourceGroup* m_group;
    Entries<CTexture> m_textures;
    Entries<CUnit> m_units;
    Entries<CEntity3DS> m_models;
};
