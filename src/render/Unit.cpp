// Unit files, child units from mesh groups, sharing copies, display lists and immediate drawing.
#include "render/Unit.h"

#include "platform/GL.h"
#include "render/FacesDepot.h"
#include "render/Texture.h"
#include "resources/ParamFile.h"
#include "resources/ResourceGroup.h"

CUnit::CUnit()
{
    m_use_normals = true;
    m_scale = 1.0f;
}

CUnit::CUnit(const CUnit& prototype) : CEntity()
{
    m_use_normals = true;
    ShareFrom(prototype);
}

CUnit& CUnit::operator=(const CUnit& prototype)
{
    if (this != &prototype) {
        FreeOwned();
        ShareFrom(prototype);
    }
    return *this;
}

CUnit::~CUnit()
{
    FreeOwned();
}

void CUnit::ShareFrom(const CUnit& p)
{
    CopyEntity(p);
    m_blend = p.m_blend;
    m_mesh = p.m_mesh;
    m_texture = p.m_texture;
    m_texture2 = p.m_texture2;
    m_owns_mesh = m_owns_textures = false;
    m_list_source = p.m_list_source ? p.m_list_source : &p;
    m_has_display_list = false;
    m_display_list = 0;
    m_tex_file_name.clear();
    for (const auto& child : p.m_children)
        m_children.push_back(std::make_unique<CUnit>(*child));
}

void CUnit::FreeOwned()
{
    Release();
    m_own_texture.reset();
    m_own_texture2.reset();
    m_own_mesh.reset();
    m_mesh = nullptr;
    m_texture = m_texture2 = nullptr;
    m_owns_mesh = m_owns_textures = false;
    m_list_source = nullptr;
}

bool CUnit::HasDisplayList() const
{
    const CUnit* src = m_list_source ? m_list_source : this;
    return src->m_has_display_list;
}

void CUnit::Update(float) {}

void CUnit::SetSecondTexture(std::unique_ptr<CTexture> texture)
{
    m_own_texture2 = std::move(texture);
    m_texture2 = m_own_texture2.get();
    DeleteDisplayLists();  // a unit with a second texture draws immediately
}

bool CUnit::Load(ResourceGroup* group, const std::string& fileName)
{
    if (!group)
        return false;
    // A copy that loads a model of its own stops sharing.
    if (m_list_source) {
        FreeOwned();
        m_list_source = nullptr;
    }
    ParamFile unit;
    const bool read = unit.Read(*group, fileName, true);

    const std::string facesFile = unit.GetString("faces_file_name", "0");
    if (facesFile.empty())
        return read;
    if (!m_own_mesh) {
        m_own_mesh = std::make_unique<CFacesDepot>();
        m_mesh = m_own_mesh.get();
    }
    const FileBuffer text = group->ReadFile(facesFile);
    m_own_mesh->ParseAllGroups(reinterpret_cast<const char*>(text.Data()), text.Size());
    m_own_mesh->Normalize();

    const std::string texFile = unit.GetString("tex_file_name", "n");
    if (texFile.size() > 1) {
        m_tex_wrap = unit.GetInt("tex_wrap", "0") == 1;
        m_tex_mipmaps = unit.GetInt("tex_dynamic", "0") == 1;
        const float scale = unit.GetFloat("scale", "0");
        m_scale = scale == 0.0f ? 1.0f : scale;
        m_use_normals = unit.GetInt("show_normales", "0") != 0;
        if (!m_own_texture)
            m_own_texture = std::make_unique<CTexture>();
        m_texture = m_own_texture.get();
        m_tex_file_name = texFile;
        m_own_texture->LoadFromGroup(group, texFile, m_tex_wrap, m_tex_mipmaps);
    }

    SetSize(m_own_mesh->Width(), m_own_mesh->Height(), m_own_mesh->Depth());

    m_children.clear();
    if (m_own_mesh->m_groups.size() > 1) {
        std::unique_ptr<CFacesDepot> whole = std::move(m_own_mesh);
        m_own_mesh = whole->ExtractGroup(0);
        m_mesh = m_own_mesh.get();
        for (size_t i = 1; i < whole->m_groups.size(); ++i) {
            auto child = std::make_unique<CUnit>();
            child->m_own_mesh = whole->ExtractGroup(i);
            child->m_own_mesh->Center();
            child->m_mesh = child->m_own_mesh.get();
            child->m_owns_mesh = true;
            child->m_texture = m_texture;
            child->m_texture2 = m_texture2;
            child->m_use_normals = m_use_normals;
            child->m_blend = m_blend;
            float x, y, z;
            whole->GroupCenter(i, x, y, z);
            child->SetPosition(x, y, z);
            child->SetSize(child->m_mesh->Width(), child->m_mesh->Height(), child->m_mesh->Depth());
            m_children.push_back(std::move(child));
        }
    }
    m_owns_textures = true;
    m_owns_mesh = true;
    CompileDisplayLists();
    return read;
}

void CUnit::CompileDisplayLists()
{
    DeleteDisplayLists();
    if (!m_texture2 && m_mesh) {
        const GLuint list = glGenLists(1);
        if (list != 0) {
            glNewList(list, GL_COMPILE);
            DrawImmediate();
            glEndList();
            m_display_list = list;
            m_has_display_list = true;
        }
    }
    for (auto& child : m_children)
        child->CompileDisplayLists();
}

void CUnit::DeleteDisplayLists()
{
    if (m_has_display_list && m_display_list)
        glDeleteLists(m_display_list, 1);
    m_has_display_list = false;
    m_display_list = 0;
}

void CUnit::ReleaseGLObjects()
{
    if (m_owns_textures) {
        if (m_own_texture)
            m_own_texture->Release();
        if (m_own_texture2)
            m_own_texture2->Release();
    }
    DeleteDisplayLists();
    for (auto& child : m_children)
        child->ReleaseGLObjects();
}

void CUnit::ReloadGLObjects(ResourceGroup* group)
{
    if (m_owns_textures && m_own_texture && !m_tex_file_name.empty())
        m_own_texture->LoadFromGroup(group, m_tex_file_name, m_tex_wrap, m_tex_mipmaps);
    if (m_owns_mesh)
        CompileDisplayLists();
}

void CUnit::Release()
{
    if (m_owns_textures) {
        if (m_own_texture)
            m_own_texture->Release();
        if (m_own_texture2)
            m_own_texture2->Release();
    }
    DeleteDisplayLists();
    m_children.clear();
}

CUnit* CUnit::FindChild(const std::string& groupName)
{
    for (auto& child : m_children)
        if (child->m_mesh && child->m_mesh->Name() == groupName)
            return child.get();
    return nullptr;
}

void CUnit::Draw()
{
    if (m_blend) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_BLEND);
    }
    if (m_texture) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, m_texture->GLName());
    }
    glScalef(m_scale, m_scale, m_scale);
    const CUnit* src = m_list_source ? m_list_source : this;
    if (src->m_has_display_list)
        glCallList(src->m_display_list);
    else
        DrawImmediate();
    if (m_texture)
        glDisable(GL_TEXTURE_2D);
    if (m_blend)
        glDisable(GL_BLEND);
}

Vec3 CUnit::ChildOffset(size_t i) const
{
    const CUnit* child = Child(i);
    return child ? child->GetPosition() * m_scale : Vec3(0, 0, 0);
}

void CUnit::DrawWithChildren(const CUnit* spun, float spinDegrees)
{
    // Draw leaves the scale on the matrix; the offsets are scaled here instead, so that the
    // scale reaches each child exactly once.
    glPushMatrix();
    CUnit::Draw();
    glPopMatrix();
    for (size_t i = 0; i < m_children.size(); ++i) {
        CUnit& child = *m_children[i];
        const Vec3 o = ChildOffset(i);
        glPushMatrix();
        glTranslatef(o.x, o.y, o.z);
        if (&child == spun)
            glRotatef(spinDegrees, 0, 0, 1);
        glScalef(m_scale, m_scale, m_scale);
        child.CUnit::Draw();
        glPopMatrix();
    }
}

void CUnit::DrawImmediate() const
{
    if (!m_mesh)
        return;
    const CFacesDepot& mesh = *m_mesh;
    const size_t nv = mesh.VertexCount();
    const size_t nt = mesh.m_tex_coords.size() / 2;
    const size_t nn = mesh.m_normals.size() / 3;
    const bool normals = m_use_normals && mesh.m_has_normals;
    glBegin(GL_TRIANGLES);
    for (const auto& f : mesh.m_faces) {
        for (int k = 0; k < 3; ++k) {
            if (f.v[k] < 0 || static_cast<size_t>(f.v[k]) >= nv)
                continue;
            if (m_texture) {
                if (normals && f.n[k] >= 0 && static_cast<size_t>(f.n[k]) < nn)
                    glNormal3fv(&mesh.m_normals[f.n[k] * 3]);
                if (f.t[k] >= 0 && static_cast<size_t>(f.t[k]) < nt)
                    glTexCoord2fv(&mesh.m_tex_coords[f.t[k] * 2]);
            }
            glVertex3fv(&mesh.m_vertices[f.v[k] * 3]);
        }
    }
    glEnd();
}
