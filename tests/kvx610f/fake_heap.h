// A zero-filling heap that counts live blocks and can refuse the n-th allocation.
#pragma once

#include <cstdlib>
#include <set>

#include "kvx610f/caps_tables.h"

namespace kvx610f::testing {

class FakeHeap final : public TableHeap {
public:
    void* Allocate(size_t bytes) override {
        ++allocations;
        if (failAt != 0 && allocations == failAt) return nullptr;
        void* block = std::calloc(1, bytes == 0 ? 1 : bytes);
        live.insert(block);
        return block;
    }
    void Release(void* block) override {
        if (block == nullptr) return;
        live.erase(block);
        std::free(block);
    }

    int allocations = 0;
    int failAt = 0;  // 1-based; 0 never fails
    std::set<void*> live;
};

}  // namespace kvx610f::testing
