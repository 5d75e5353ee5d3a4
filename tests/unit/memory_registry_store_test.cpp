#include "registry/memory_registry_store.h"

#include <gtest/gtest.h>

namespace netquill {
namespace {

TEST(MemoryRegistryStore, KeyPathsSplitOnlyAtWholeBackslashCharacters) {
    MemoryRegistryStore store;
    // "運" is DF 5C: its trail byte must not open a subkey.
    ASSERT_TRUE(store.SetValue("SOFTWARE\\運行", "v", {kRegSz, std::string("x\0", 2)},
                               KeyCreation::kCreateMissing));
    const MemoryKey& software = store.Root().subkeys.at("SOFTWARE");
    ASSERT_EQ(software.subkeys.size(), 1u);
    EXPECT_EQ(software.subkeys.begin()->first, "運行");
    EXPECT_TRUE(store.KeyExists("software\\運行"));
    store.DeleteKey("SOFTWARE\\運行");
    EXPECT_TRUE(software.subkeys.empty());
}

TEST(MemoryRegistryStore, MalformedPathsOpenNothing) {
    MemoryRegistryStore store;
    for (const char* path : {"A\\\\B", "\\A", "A\\"}) {
        EXPECT_FALSE(store.SetValue(path, "v", {kRegDword, "1234"}, KeyCreation::kCreateMissing))
            << path;
        EXPECT_FALSE(store.CreateKey(path)) << path;
    }
    EXPECT_TRUE(store.Root().subkeys.empty());
}

}  // namespace
}  // namespace netquill
