// A temporary game folder for the level tests: the working directory moves into it for the
// test's life, so the level pack group reads "levels/levelNN/..." from its disk.
#pragma once

#include "resources/ResourceGroup.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

class GameFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_old = std::filesystem::current_path();
        m_dir = std::filesystem::temp_directory_path() /
                ("gw_world_" + std::to_string(getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir / "data");
        std::filesystem::create_directories(m_dir / "levels/level01");
        std::filesystem::current_path(m_dir);
        ResourceGroup::DeleteAllGroups();
        ResourceGroup::CreateGroup(kMainGroup);
        ResourceGroup::CreateGroup(kLevelsGroup)->SetKey(kLevelsPackKey);
    }
    void TearDown() override
    {
        ResourceGroup::DeleteAllGroups();
        std::filesystem::current_path(m_old);
        std::filesystem::remove_all(m_dir);
    }

    void Write(const std::string& name, const std::string& text) const
    {
        std::filesystem::create_directories(std::filesystem::path(name).parent_path().empty()
                                                ? std::filesystem::path(".")
                                                : std::filesystem::path(name).parent_path());
        std::ofstream(name, std::ios::binary) << text;
    }
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) const
    {
        std::filesystem::create_directories(std::filesystem::path(name).parent_path());
        std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }

    // A height image of side n whose sample (c, r) is f(c, r).
    template <class F>
    static std::vector<uint8_t> Heights(int n, F f)
    {
        std::vector<uint8_t> h(static_cast<size_t>(n) * n);
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < n; ++c)
                h[static_cast<size_t>(c) + static_cast<size_t>(r) * n] = static_cast<uint8_t>(f(c, r));
        return h;
    }

    // "terra.ter" of a 256 × 256, 4-line level with spacing hd; extra lines are appended.
    static std::string TerraText(float hd = 0.5f, const std::string& extra = "")
    {
        return "k_scale 1\nraw_name levels/level01/height.raw\nlines 4\nh_dist " + std::to_string(hd) +
               "\nh_max 10\nk_detail_tex 8\nmain_tex levels/level01/main.jpg\ndetail_tex levels/level01/detail.jpg\n"
               "plane_pos_z 3\nh_water 2\nwater_size 40\nk_water_tex 4\nwater_transparency 0.7\n"
               "water_speed_y -0.01\nwater_tex levels/level01/water.jpg\n" +
               extra;
    }

    std::filesystem::path m_dir;
    std::filesystem::path m_old;
};
