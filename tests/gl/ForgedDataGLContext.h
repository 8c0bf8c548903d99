// An 800 x 600 GL test context running in the build's game folder, with group "main" mounted on
// the forged pack and bank "main" over it; skipped when the forge has not made the data.
#pragma once

#include "GLTestContext.h"
#include "render/ResourceBank.h"
#include "resources/ResourceGroup.h"

#include <filesystem>

class ForgedDataGLContext : public GLTestContext {
protected:
    void SetUp() override
    {
        width = 800;
        height = 600;
        GLTestContext::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_old_dir = std::filesystem::current_path();
        std::filesystem::current_path(GW_GAME_DIR);
        if (!std::filesystem::exists("data/data.pk"))
            GTEST_SKIP() << "no forged data";
        m_group = ResourceGroup::CreateGroup(kMainGroup);
        m_group->SetKey(kMainPackKey);
        ASSERT_TRUE(m_group->MountPack(kMainPackFile));
        m_bank = CResourceBank::CreateBank("main", m_group);
    }
    // Derived fixtures release what they built over the bank first, then call this.
    void TearDown() override
    {
        CResourceBank::DeleteBank("main");
        ResourceGroup::DeleteGroup(kMainGroup);
        if (!m_old_dir.empty())
            std::filesystem::current_path(m_old_dir);
        GLTestContext::TearDown();
    }

    std::filesystem::path m_old_dir;
    ResourceGroup* m_group = nullptr;
    CResourceBank* m_bank = nullptr;
};
