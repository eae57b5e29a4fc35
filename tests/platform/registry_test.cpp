#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/platform_error.h"
#include "platform/win_registry.h"
#include "support/scratch_registry_key.h"

namespace corvane {
namespace {

using test::RegistryView;
using test::ScratchRegistryKey;

// The installers are 32-bit, so the games' keys are in the 32-bit view; a
// value that does not fit its buffer is refused rather than cut short.
TEST(RegistryTest, ReadsTheThirtyTwoBitViewAndRefusesValuesThatDoNotFit) {
    ScratchRegistryKey key(RegistryView::k32Bit);
    key.SetText("Path255", std::string(255, 'p'));
    key.SetText("Path256", std::string(256, 'p'));
    key.SetDword("Version", 0x00010008);
    key.SetText("Short", "abc");
    key.SetText("Long", "1.08");
    const auto opened = WinRegistry().OpenKey(key.SubKey());

    EXPECT_EQ(opened->QueryValue("Path255", 256), std::string(255, 'p') + '\0');
    EXPECT_EQ(opened->QueryValue("Version", 4), std::string("\x08\x00\x01\x00", 4));
    EXPECT_EQ(opened->QueryValue("Short", 4), std::string("abc", 4));
    for (const auto& [szName, lBufferSize] :
         {std::pair<const char*, uint32_t>{"Path256", 256}, {"Long", 4}, {"Missing", 256}, {"Short", 0}}) {
        try {
            opened->QueryValue(szName, lBufferSize);
            ADD_FAILURE() << szName << " was read";
        } catch (const PlatformError& error) {
            EXPECT_EQ(error.Operation(), "RegQueryValueExA");
            EXPECT_EQ(error.Path(), key.SubKey() + "\\" + szName);
        }
    }

    ScratchRegistryKey only64(RegistryView::k64Bit);
    EXPECT_THROW(WinRegistry().OpenKey(only64.SubKey()), PlatformError);
}

}  // namespace
}  // namespace corvane
