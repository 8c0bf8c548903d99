// The bank table and the bank's entries, with the release and rebuild of their GL objects.
#include "render/ResourceBank.h"

#include "render/Entity3DS.h"
#include "render/Texture.h"
#include "render/Unit.h"

#include <algorithm>
#include <map>

namespace {

std::map<std::string, std::unique_ptr<CResourceBank>>& Banks()
{
    static std::map<std::string, std::unique_ptr<CResourceBank>> banks;
    return banks;
}

template <class Entries, class Pred>
void RemoveIf(Entries& entries, Pred pred)
{
    entries.erase(std::remove_if(entries.begin(), entries.end(), pred), entries.end());
}

}  // namespace

CResourceBank::CResourceBank(ResourceGroup* group) : m_group(group) {}

// Units and models go before the textures, in reverse order of their kinds' creation.
CResourceBank::~CResourceBank()
{
    m_models.clear();
    m_units.clear();
    m_textures.clear();
}

CResourceBank* CResourceBank::CreateBank(const std::string& name, ResourceGroup* group)
{
    auto& slot = Banks()[name];
    slot.reset();
    slot = std::make_unique<CResourceBank>(group);
    return slot.get();
}

CResourceBank* CResourceBank::FindBank(const std::string& name)
{
    auto it = Banks().find(name);
    return it == Banks().end() ? nullptr : it->second.get();
}

void CResourceBank::DeleteBank(const std::string& name)
{
    Banks().erase(name);
}

bool CResourceBank::RenameBank(const std::string& from, const std::string& to)
{
    auto it = Banks().find(from);
    if (it == Banks().end() || from == to)
        return false;
    std::unique_ptr<CResourceBank> bank = std::move(it->second);
    Banks().erase(it);
    Banks()[to] = std::move(bank);
    return true;
}

void CResourceBank::DeleteAllBanks()
{
    Banks().clear();
}

void CResourceBank::ReleaseAllGLObjects()
{
    for (auto& [name, bank] : Banks())
        bank->ReleaseGLObjects();
}

void CResourceBank::CreateAllGLObjects()
{
    for (auto& [name, bank] : Banks())
        bank->CreateGLObjects();
}

void CResourceBank::LoadTexture(const Descriptor& d, CTexture& texture)
{
    if (!d.alphaFileName.empty())
        texture.LoadWithAlpha(m_group, d.fileName, d.alphaFileName, d.wrap, d.mipmaps);
    else
        texture.LoadFromGroup(m_group, d.fileName, d.wrap, d.mipmaps);
}

CTexture* CResourceBank::AddTexture(const std::string& fileName, const std::string& key, bool wrap, bool mipmaps)
{
    return AddTextureWithAlpha(fileName, "", key, wrap, mipmaps);
}

CTexture* CResourceBank::AddTextureWithAlpha(const std::string& fileName, const std::string& alphaFileName,
                                             const std::string& key, bool wrap, bool mipmaps)
{
    Descriptor d{key, fileName, alphaFileName, wrap, mipmaps};
    auto texture = std::make_unique<CTexture>();
    LoadTexture(d, *texture);
    m_textures.emplace_back(std::move(d), std::move(texture));
    return m_textures.back().second.get();
}

CTexture* CResourceBank::AddLazyTexture(const std::string& fileName, const std::string& alphaFileName,
                                        const std::string& key, bool wrap, bool mipmaps)
{
    Descriptor d{key, fileName, alphaFileName, wrap, mipmaps};
    auto texture = std::make_unique<CTexture>();
    // The bank outlives its textures, and the descriptor is the texture's own copy.
    texture->SetLoader([this, d](CTexture& t) { LoadTexture(d, t); });
    m_textures.emplace_back(std::move(d), std::move(texture));
    return m_textures.back().second.get();
}

void CResourceBank::ReleaseAllLazyTextures()
{
    for (auto& [name, bank] : Banks())
        bank->ReleaseLazyTextures();
}

void CResourceBank::ReleaseLazyTextures()
{
    for (auto& [d, t] : m_textures)
        if (t->IsLazy())
            t->Release();
}

CTexture* CResourceBank::GetTexture(const std::string& key) const
{
    for (const auto& [d, t] : m_textures)
        if (d.key == key)
            return t.get();
    return nullptr;
}

CUnit* CResourceBank::AddUnit(const std::string& fileName, const std::string& key)
{
    auto unit = std::make_unique<CUnit>();
    unit->Load(m_group, fileName);
    m_units.emplace_back(Descriptor{key, fileName, "", false, false}, std::move(unit));
    return m_units.back().second.get();
}

CUnit* CResourceBank::GetUnit(const std::string& key) const
{
    for (const auto& [d, u] : m_units)
        if (d.key == key)
            return u.get();
    return nullptr;
}

void CResourceBank::RemoveUnit(const std::string& key)
{
    RemoveIf(m_units, [&](const auto& e) { return e.first.key == key; });
}

void CResourceBank::RemoveUnit(const CUnit* unit)
{
    RemoveIf(m_units, [&](const auto& e) { return e.second.get() == unit; });
}

CEntity3DS* CResourceBank::Add3DS(const std::string& fileName, const std::string& key)
{
    auto model = std::make_unique<CEntity3DS>();
    model->Load(m_group, fileName);
    m_models.emplace_back(Descriptor{key, fileName, "", false, false}, std::move(model));
    return m_models.back().second.get();
}

CEntity3DS* CResourceBank::Get3DS(const std::string& key) const
{
    for (const auto& [d, m] : m_models)
        if (d.key == key)
            return m.get();
    return nullptr;
}

void CResourceBank::Remove3DS(const std::string& key)
{
    RemoveIf(m_models, [&](const auto& e) { return e.first.key == key; });
}

void CResourceBank::Remove3DS(const CEntity3DS* model)
{
    RemoveIf(m_models, [&](const auto& e) { return e.second.get() == model; });
}

void CResourceBank::ReleaseGLObjects()
{
    for (auto& [d, t] : m_textures)
        t->Release();
    for (auto& [d, u] : m_units)
        u->ReleaseGLObjects();
    for (auto& [d, m] : m_models)
        m->ReleaseTextures();
}

void CResourceBank::CreateGLObjects()
{
    for (auto& [d, t] : m_textures)
        if (!t->IsLazy())  // a lazy one loads when it is next drawn
            LoadTexture(d, *t);
    for (auto& [d, u] : m_units)
        u->ReloadGLObjects(m_group);
    for (auto& [d, m] : m_models)
        m->ReloadTextures(m_group);
}
