/*
 * media_volume_test.cpp - the volume keywords through Corvalin's dispatcher where there is
 * no audio device. No auxiliary device exists under Wine, so AUXVOLUP and AUXVOLDN are
 * tried once as they are ("no device": nothing happens) and then with Corvalin's own
 * imports of auxGetVolume and auxSetVolume pointed at a device of this test; the engine's
 * code path stays the same. The mixer keywords with a mixer: media_mixer_test.
 */
#include <gtest/gtest.h>
#include <string.h>
#include "media_devices.h"

/* ---- The auxiliary device of this test ---- */

static DWORD dwAuxVolume;
static UINT uiAuxGetDevice, uiAuxSetDevice;
static int cAuxSets;
static MMRESULT mmrAuxGet;

static MMRESULT WINAPI TestAuxGetVolume(UINT uDeviceID, LPDWORD pdwVolume)
{
    uiAuxGetDevice = uDeviceID;
    if (mmrAuxGet == MMSYSERR_NOERROR)
        *pdwVolume = dwAuxVolume;
    return mmrAuxGet;
}

static MMRESULT WINAPI TestAuxSetVolume(UINT uDeviceID, DWORD dwVolume)
{
    uiAuxSetDevice = uDeviceID;
    dwAuxVolume = dwVolume;
    cAuxSets++;
    return MMSYSERR_NOERROR;
}

/* Points one import of a module at another function; returns the previous one (null when
   the module does not import it). */
static FARPROC ReplaceImport(HMODULE hModule, const char *pszDll, const char *pszFunction,
                             FARPROC pfnNew)
{
    BYTE *pbBase = (BYTE *)hModule;
    IMAGE_NT_HEADERS *pnt = (IMAGE_NT_HEADERS *)(pbBase + ((IMAGE_DOS_HEADER *)pbBase)->e_lfanew);
    IMAGE_DATA_DIRECTORY dir = pnt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (IMAGE_IMPORT_DESCRIPTOR *pid = (IMAGE_IMPORT_DESCRIPTOR *)(pbBase + dir.VirtualAddress);
         dir.VirtualAddress != 0 && pid->Name != 0; pid++) {
        if (lstrcmpiA((const char *)(pbBase + pid->Name), pszDll) != 0)
            continue;
        IMAGE_THUNK_DATA *pName = (IMAGE_THUNK_DATA *)(pbBase + pid->OriginalFirstThunk);
        IMAGE_THUNK_DATA *pSlot = (IMAGE_THUNK_DATA *)(pbBase + pid->FirstThunk);
        for (; pName->u1.AddressOfData != 0; pName++, pSlot++) {
            if (IMAGE_SNAP_BY_ORDINAL(pName->u1.Ordinal))
                continue;
            IMAGE_IMPORT_BY_NAME *pibn = (IMAGE_IMPORT_BY_NAME *)(pbBase + pName->u1.AddressOfData);
            if (strcmp((const char *)pibn->Name, pszFunction) != 0)
                continue;
            DWORD dwProtect;
            VirtualProtect(&pSlot->u1.Function, sizeof(pSlot->u1.Function), PAGE_READWRITE, &dwProtect);
            FARPROC pfnOld = (FARPROC)pSlot->u1.Function;
            pSlot->u1.Function = (ULONG_PTR)pfnNew;
            VirtualProtect(&pSlot->u1.Function, sizeof(pSlot->u1.Function), dwProtect, &dwProtect);
            return pfnOld;
        }
    }
    return nullptr;
}

TEST(MediaAuxVolume, WithoutADeviceNothingHappens)
{
    if (auxGetNumDevs() != 0)
        GTEST_SKIP() << "this system has an auxiliary device";
    DWORD dwVolume = 0x12345678;
    ASSERT_NE(auxGetVolume(0, &dwVolume), (MMRESULT)MMSYSERR_NOERROR);
    EXPECT_TRUE(RunCommand("AUXVOLUP,AUXVOLDN,AUXVOLUP").empty());
}

TEST(MediaMixerVolume, WithoutAMixerNothingHappens)
{
    if (mixerGetNumDevs() != 0)
        GTEST_SKIP() << "this system has a mixer";
    EXPECT_TRUE(RunCommand("MIXERVOLUP,MIXERVOLDN,MIXERMUTE").empty());
}

class MediaAuxDeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        hCorvalin = GetModuleHandleA("Corvalin.dll");
        ASSERT_NE(hCorvalin, nullptr);
        pfnGet = ReplaceImport(hCorvalin, "winmm.dll", "auxGetVolume", (FARPROC)(void *)TestAuxGetVolume);
        pfnSet = ReplaceImport(hCorvalin, "winmm.dll", "auxSetVolume", (FARPROC)(void *)TestAuxSetVolume);
        ASSERT_NE(pfnGet, nullptr);
        ASSERT_NE(pfnSet, nullptr);
        mmrAuxGet = MMSYSERR_NOERROR;
        uiAuxGetDevice = uiAuxSetDevice = 99;
        cAuxSets = 0;
    }
    void TearDown() override
    {
        if (pfnGet != nullptr)
            ReplaceImport(hCorvalin, "winmm.dll", "auxGetVolume", pfnGet);
        if (pfnSet != nullptr)
            ReplaceImport(hCorvalin, "winmm.dll", "auxSetVolume", pfnSet);
    }

    /* The volume after one command from a starting volume. */
    DWORD After(const char *pszCommand, DWORD dwStart)
    {
        dwAuxVolume = dwStart;
        EXPECT_TRUE(RunCommand(pszCommand).empty());
        return dwAuxVolume;
    }

    HMODULE hCorvalin = nullptr;
    FARPROC pfnGet = nullptr, pfnSet = nullptr;
};

TEST_F(MediaAuxDeviceTest, StepsEachChannelOfDeviceZero)
{
    /* Left channel in the low word, right in the high word. */
    EXPECT_EQ(After("AUXVOLUP", 0x0800F800), 0x1800FFFFu);
    EXPECT_EQ(uiAuxGetDevice, 0u);
    EXPECT_EQ(uiAuxSetDevice, 0u);
    EXPECT_EQ(After("AUXVOLUP", 0xF8000800), 0xFFFF1800u);
    EXPECT_EQ(After("AUXVOLUP", 0xFFFFFFFF), 0xFFFFFFFFu);
    EXPECT_EQ(After("AUXVOLDN", 0x12340FFF), 0x02340000u);
    EXPECT_EQ(After("AUXVOLDN", 0x00001000), 0x00000000u);
    EXPECT_EQ(After("AUXVOLDN,AUXVOLDN", 0x30002000), 0x10000000u);
    EXPECT_EQ(cAuxSets, 7);
}

TEST_F(MediaAuxDeviceTest, UnreadableVolumeIsLeftAlone)
{
    mmrAuxGet = MMSYSERR_BADDEVICEID;
    EXPECT_EQ(After("AUXVOLUP,AUXVOLDN", 0x4000), 0x4000u);
    EXPECT_EQ(cAuxSets, 0);
}
