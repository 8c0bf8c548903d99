// Loading, texturing and array drawing of 3DS entities.
#include "render/Entity3DS.h"

#include "platform/GL.h"
#include "render/L3DS.h"
#include "render/Texture.h"
#include "resources/ResourceGroup.h"

CEntity3DS::CEntity3DS() = default;

CEntity3DS::~CEntity3DS()
{
    Release();
}

CEntity3DS& CEntity3DS::operator=(const CEntity3DS& other)
{
    if (this == &other)
        return *this;
    Release();
    CopyEntity(other);
    m_loaded = false;
    m_model = other.m_model;
    m_directory = other.m_directory;
    m_mesh_entities = other.m_mesh_entities;
    return *this;
}

std::string CEntity3DS::DirectoryOf(const std::string& fileName)
{
    std::string dir = fileName;
    for (char& c : dir)
        if (c == '\\')
            c = '/';
    const size_t slash = dir.rfind('/');
    if (slash == std::string::npos || slash == 0)
        return std::string();
    return dir.substr(0, slash + 1);
}

bool CEntity3DS::Load(ResourceGroup* group, const std::string& fileName)
{
    Release();
    if (!group)
        return false;
    auto model = std::make_unique<NObjects::L3DS>();
    const FileBuffer file = group->ReadFile(fileName);
    if (file.Empty() || !model->LoadFromMemory(file.Data(), file.Size())) {
        Release();
        return false;
    }
    m_own_model = std::move(model);
    m_model = m_own_model.get();
    m_loaded = true;
    float w, h, d;
    m_model->NormalizeModel(w, h, d);
    SetSize(w, h, d);
    m_directory = DirectoryOf(fileName);
    m_textures.clear();
    m_textures.resize(m_model->GetMaterialCount());
    m_texture_of.assign(m_model->GetMaterialCount(), -1);
    for (size_t i = 0; i < m_model->GetMaterialCount(); ++i) {
        NObjects::LMaterial& mat = m_own_model->GetMaterial(i);
        if (mat.m_texture_map1.fileName[0] == 0)
            continue;
        // Materials that name the same picture share one texture: it is read and decoded once.
        const std::string name = m_directory + mat.m_texture_map1.fileName;
        for (size_t k = 0; k < i && m_texture_of[i] < 0; ++k)
            if (m_textures[k] && m_directory + m_own_model->GetMaterial(k).m_texture_map1.fileName == name)
                m_texture_of[i] = static_cast<int>(k);
        if (m_texture_of[i] < 0) {
            m_texture_of[i] = static_cast<int>(i);
            m_textures[i] = std::make_unique<CTexture>();
            m_textures[i]->LoadFromGroup(group, name, true, true);
        }
    }
    SetMaterialTextureNames();
    for (size_t i = 0; i < m_model->GetMeshCount(); ++i) {
        const NObjects::LMesh& mesh = m_model->GetMesh(i);
        CEntity e;
        e.SetPosition(mesh.m_center.x, mesh.m_center.y, mesh.m_center.z);
        e.SetSize(mesh.m_size.x, mesh.m_size.y, mesh.m_size.z);
        m_mesh_entities.push_back(e);
    }
    return true;
}

void CEntity3DS::Release()
{
    if (m_loaded) {
        m_textures.clear();  // each texture deletes its GL object
        m_texture_of.clear();
        m_own_model.reset();
        m_loaded = false;
    }
    m_model = nullptr;
    m_mesh_entities.clear();
}

void CEntity3DS::ReleaseTextures()
{
    if (!m_loaded)
        return;
    for (const auto& texture : m_textures)
        if (texture)
            texture->Release();
    SetMaterialTextureNames();
}

void CEntity3DS::SetMaterialTextureNames()
{
    for (size_t i = 0; i < m_texture_of.size() && i < m_own_model->GetMaterialCount(); ++i) {
        const int owner = m_texture_of[i];
        if (owner >= 0 && m_textures[static_cast<size_t>(owner)])
            m_own_model->GetMaterial(i).m_texture_map1.glName = m_textures[static_cast<size_t>(owner)]->GLName();
    }
}

void CEntity3DS::ReloadTextures(ResourceGroup* group)
{
    if (!m_loaded)
        return;
    for (size_t i = 0; i < m_textures.size() && i < m_own_model->GetMaterialCount(); ++i)
        if (m_textures[i])
            m_textures[i]->LoadFromGroup(group, m_directory + m_own_model->GetMaterial(i).m_texture_map1.fileName, true, true);
    SetMaterialTextureNames();
}

CEntity* CEntity3DS::FindMeshEntity(const std::string& meshName)
{
    if (!m_model)
        return nullptr;
    for (size_t i = 0; i < m_model->GetMeshCount() && i < m_mesh_entities.size(); ++i)
        if (m_model->GetMesh(i).GetName() == meshName)
            return &m_mesh_entities[i];
    return nullptr;
}

void CEntity3DS::Draw()
{
    m_bound_texture = 0;
    if (!m_model)
        return;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glScalef(m_scale, m_scale, m_scale);
    glBindTexture(GL_TEXTURE_2D, 0);
    for (size_t i = 0; i < m_model->GetMeshCount(); ++i) {
        const NObjects::LMesh& mesh = m_model->GetMesh(i);
        if (mesh.m_triangles.empty())
            continue;
        const NObjects::LMaterial* mat = nullptr;
        if (!mesh.m_material_ids.empty() && mesh.m_material_ids[0] < m_model->GetMaterialCount())
            mat = &m_model->GetMaterial(mesh.m_material_ids[0]);
        const uint32_t tex = mat ? mat->m_texture_map1.glName : 0;
        if (tex) {
            if (tex != m_bound_texture) {
                glBindTexture(GL_TEXTURE_2D, tex);
                m_bound_texture = tex;
            }
        } else {
            // An untextured mesh shows its diffuse colour (white without a material), never the
            // texture of the mesh before it.
            if (m_bound_texture) {
                glBindTexture(GL_TEXTURE_2D, 0);
                m_bound_texture = 0;
            }
            if (mat)
                glColor3f(mat->m_diffuse.r, mat->m_diffuse.g, mat->m_diffuse.b);
            else
                glColor3f(1.0f, 1.0f, 1.0f);
        }
        // Loading centred every mesh on itself; its mesh entity puts it back in its place and
        // turns it about its own centre (rotors).
        glPushMatrix();
        if (i < m_mesh_entities.size()) {
            const CEntity& part = m_mesh_entities[i];
            glTranslatef(part.m_position.x, part.m_position.y, part.m_position.z);
            for (char axis : part.m_rotation_order) {
                if (axis == 'x' && part.m_angle_x != 0.0f)
                    glRotatef(part.m_angle_x, 1, 0, 0);
                else if (axis == 'y' && part.m_angle_y != 0.0f)
                    glRotatef(part.m_angle_y, 0, 1, 0);
                else if (axis == 'z' && part.m_angle_z != 0.0f)
                    glRotatef(part.m_angle_z, 0, 0, 1);
            }
        }
        glVertexPointer(4, GL_FLOAT, 0, mesh.m_vertices.data());
        glNormalPointer(GL_FLOAT, 0, mesh.m_normals.data());
        glTexCoordPointer(2, GL_FLOAT, 0, mesh.m_uv.data());
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(3 * mesh.m_triangles.size()), GL_UNSIGNED_SHORT,
                       mesh.m_triangles.data());
        glPopMatrix();
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

// The arrays handed to GL are the reader's vectors as they stand.
static_assert(sizeof(NObjects::LVector4) == 16 && sizeof(NObjects::LVector3) == 12 &&
              sizeof(NObjects::LVector2) == 8 && sizeof(NObjects::LTriangle) == 6);
