// The element registry: handles in creation order, never reused, not found once the element
// is destroyed, and safe to use from several threads at once.
#include "bkwin/BkElementRegistry.h"
#include "bkwin/BkDialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <thread>
#include <vector>

TEST(BkElementRegistryTest, HandlesCountUpAndDestroyedElementsAreNotFound) {
    ElementRegistry& registry = ElementRegistry::Instance();
    auto first = std::make_unique<CBkDialog>();
    auto second = std::make_unique<CBkDialog>();
    EXPECT_NE(first->handle, 0u);
    EXPECT_EQ(second->handle, first->handle + 1);
    EXPECT_EQ(registry.Lookup(first->handle), first.get());
    EXPECT_EQ(registry.Lookup(second->handle), second.get());

    const std::uint32_t gone = first->handle;
    first.reset();
    EXPECT_EQ(registry.Lookup(gone), nullptr);
    EXPECT_EQ(registry.Lookup(second->handle), second.get());

    // A new element never takes the freed handle.
    auto third = std::make_unique<CBkDialog>();
    EXPECT_GT(third->handle, second->handle);
    EXPECT_EQ(registry.Lookup(0), nullptr);
}

TEST(BkElementRegistryTest, DestroyedParentIsNotFoundThroughTheChild) {
    auto parent = std::make_unique<CBkDialog>();
    CBkWindow* child = parent->AppendChild(std::make_unique<CBkDialog>());
    EXPECT_EQ(child->Parent(), parent.get());
    // The child outlives its parent only when taken out of the tree; its parent link then
    // resolves to nothing instead of a dangling pointer.
    CBkDialog orphan;
    orphan.parentHandle = parent->handle;
    parent.reset();
    EXPECT_EQ(orphan.Parent(), nullptr);
    EXPECT_TRUE(orphan.IsVisibleDeep());
}

TEST(BkElementRegistryTest, ConcurrentRegistrationGivesUniqueHandles) {
    constexpr int kThreads = 4;
    constexpr int kPerThread = 300;
    std::vector<std::vector<std::uint32_t>> handles(kThreads);
    std::vector<int> failures(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &handles, &failures] {
            ElementRegistry& registry = ElementRegistry::Instance();
            for (int i = 0; i < kPerThread; ++i) {
                auto element = std::make_unique<CBkDialog>();
                const std::uint32_t handle = element->handle;
                failures[t] += registry.Lookup(handle) != element.get();
                element.reset();
                failures[t] += registry.Lookup(handle) != nullptr;
                handles[t].push_back(handle);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    std::vector<std::uint32_t> all;
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_EQ(failures[t], 0);
        all.insert(all.end(), handles[t].begin(), handles[t].end());
    }
    std::sort(all.begin(), all.end());
    EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end());
    EXPECT_EQ(all.size(), std::size_t(kThreads * kPerThread));
}
