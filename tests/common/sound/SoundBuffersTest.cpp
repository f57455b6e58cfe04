#include "common/sound/SoundBuffers.h"

#include <gtest/gtest.h>

namespace
{

std::vector<std::string> g_Released;

struct NamedBuffer : SoundBuffer
{
    explicit NamedBuffer(std::string name) : m_strName(std::move(name)) {}
    ~NamedBuffer() override { g_Released.push_back(m_strName); }
    std::string m_strName;
};

struct NamedDevice : SoundDevice
{
    ~NamedDevice() override { g_Released.push_back("device"); }
};

// A table of the game's shape: groups of a loaded buffer and its duplicates.
class SoundBuffersTest : public testing::Test
{
protected:
    void SetUp() override
    {
        g_Released.clear();
        m_Groups[0].m_Buffers.push_back(std::make_unique<NamedBuffer>("a0"));
        m_Groups[0].m_nCount = 1;
        // Buffer 0 could not be made; its duplicates exist.
        m_Groups[1].m_Buffers.push_back(nullptr);
        m_Groups[1].m_Buffers.push_back(std::make_unique<NamedBuffer>("b1"));
        m_Groups[1].m_Buffers.push_back(std::make_unique<NamedBuffer>("b2"));
        m_Groups[1].m_nCount = 3;
        // m_Groups[2] was never created.
        m_Groups[3].m_Buffers.push_back(std::make_unique<NamedBuffer>("d0"));
        m_Groups[3].m_Buffers.push_back(std::make_unique<NamedBuffer>("d1"));
        m_Groups[3].m_nCount = 2;
        SoundEffects.m_pGroups = m_Groups;
        SoundEffects.m_nCount = 4;
    }
    void TearDown() override { SoundEffects = SoundState(); }

    SoundBufferGroup m_Groups[4];
};

TEST_F(SoundBuffersTest, WithoutASoundDeviceNothingIsReleased)
{
    DS_Release();
    DSReleaseBufferGroup(m_Groups[0]);
    EXPECT_TRUE(g_Released.empty());
    EXPECT_EQ(m_Groups[0].m_Buffers.size(), 1u);
    EXPECT_EQ(m_Groups[1].m_Buffers.size(), 3u);
}

TEST_F(SoundBuffersTest, ReleaseTakesDuplicatesBeforeTheLoadedBufferThenThePrimaryAndTheDevice)
{
    SoundEffects.m_pDevice = std::make_unique<NamedDevice>();
    SoundEffects.m_pPrimary = std::make_unique<NamedBuffer>("primary");
    DS_Release();
    EXPECT_EQ(g_Released, (std::vector<std::string>{"a0", "b1", "b2", "d1", "d0", "primary", "device"}));
    for (const SoundBufferGroup& group : m_Groups)
    {
        EXPECT_TRUE(group.m_Buffers.empty());
    }
    EXPECT_EQ(m_Groups[1].m_nCount, 3); // only the array goes
    EXPECT_EQ(SoundEffects.m_pDevice, nullptr);

    // A second release finds no device.
    m_Groups[0].m_Buffers.push_back(std::make_unique<NamedBuffer>("late"));
    g_Released.clear();
    DS_Release();
    EXPECT_TRUE(g_Released.empty());
    EXPECT_EQ(m_Groups[0].m_Buffers.size(), 1u);
}

} // namespace
