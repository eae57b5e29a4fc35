#include <gtest/gtest.h>

#include <string>

#include "platform/platform_error.h"
#include "platform/win_registry.h"
#include "support/scratch_registry_key.h"

namespace corvane {
namespace {

using test::RegistryView;
using test::ScratchRegistryKey;

// The same key name written in both views with different values, as a
// 32-bit installer and some 64-bit program might leave them.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        key32.SetText("Which", "32-bit view");
        key64.SetText("Which", "64-bit view");
    }

    std::string WhichSeenFrom(HKEY hRoot, const std::string& szSubKey) {
        return WinRegistry(hRoot).OpenKey(szSubKey)->QueryValue("Which", 256);
    }

    ScratchRegistryKey key32{RegistryView::k32Bit};
    ScratchRegistryKey key64{key32, RegistryView::k64Bit};
};

TEST_F(RegistryTest, KeysAreReadFromTheInstallersThirtyTwoBitView) {
    EXPECT_EQ(WhichSeenFrom(HKEY_LOCAL_MACHINE, key32.SubKey()), std::string("32-bit view", 12));

    ScratchRegistryKey only64(RegistryView::k64Bit);
    try {
        WinRegistry().OpenKey(only64.SubKey());
        FAIL() << "a key of the 64-bit view was opened";
    } catch (const PlatformError& error) {
        EXPECT_EQ(error.Operation(), "RegOpenKeyExA");
        EXPECT_EQ(error.Path(), only64.SubKey());
        EXPECT_EQ(error.Code(), static_cast<uint32_t>(ERROR_FILE_NOT_FOUND));
    }
}

TEST_F(RegistryTest, ARootHandleKeepsTheViewItWasOpenedIn) {
    struct Case {
        REGSAM lRootView;
        const char* szSeen;
    };
    const Case cases[] = {{KEY_WOW64_32KEY, "32-bit view"}, {KEY_WOW64_64KEY, "64-bit view"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.szSeen);
        HKEY hSoftware = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ | c.lRootView, &hSoftware),
                  ERROR_SUCCESS);
        std::string szWhich;
        EXPECT_NO_THROW(szWhich = WhichSeenFrom(hSoftware, key32.Name()));
        RegCloseKey(hSoftware);
        EXPECT_EQ(szWhich, std::string(c.szSeen, 12));
    }
}

TEST_F(RegistryTest, QueryValueReturnsTheStoredBytesOrThrowsWhenTheyDoNotFit) {
    key32.SetText("Path255", std::string(255, 'p'));
    key32.SetText("Path256", std::string(256, 'p'));
    key32.SetDword("Version", 0x00010008);
    key32.SetText("Short", "abc");
    key32.SetText("Long", "1.08");
    const auto key = WinRegistry().OpenKey(key32.SubKey());

    EXPECT_EQ(key->QueryValue("Path255", 256), std::string(255, 'p') + '\0');
    EXPECT_EQ(key->QueryValue("Version", 4), std::string("\x08\x00\x01\x00", 4));
    EXPECT_EQ(key->QueryValue("Short", 4), std::string("abc", 4));
    struct Refused {
        const char* szName;
        uint32_t lBufferSize;
    };
    for (const Refused& c : {Refused{"Path256", 256}, Refused{"Long", 4}, Refused{"Missing", 256},
                             Refused{"Short", 0}}) {
        SCOPED_TRACE(c.szName);
        try {
            key->QueryValue(c.szName, c.lBufferSize);
            ADD_FAILURE() << "read";
        } catch (const PlatformError& error) {
            EXPECT_EQ(error.Operation(), "RegQueryValueExA");
            EXPECT_EQ(error.Path(), key32.SubKey() + "\\" + c.szName);
        }
    }
}

}  // namespace
}  // namespace corvane
