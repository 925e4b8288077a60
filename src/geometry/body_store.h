#pragma once
// The storage of one body. Mesh arrays, tree nodes, triangle-list cells and representative vertices
// are carved from large blocks that live as long as the body and are released together. CornerSave
// cells popped by an expansion wait on a free list for the next collapse, so once a body's tree has
// been as far collapsed as it will go, level-of-detail changes no longer touch the heap.
#include <cstddef>
#include <cstring>
#include <type_traits>

#include "geometry/celestial_body.h"

class BodyStore {
public:
    BodyStore() = default;
    ~BodyStore();
    BodyStore(const BodyStore&) = delete;
    BodyStore& operator=(const BodyStore&) = delete;

    // `count` zero-filled records (null pointers, zero numbers).
    template <class T>
    T* allocate(std::size_t count = 1) {
        static_assert(std::is_trivial<T>::value, "body storage holds plain records only");
        void* memory = allocateBytes(sizeof(T) * count, alignof(T));
        std::memset(memory, 0, sizeof(T) * count);
        return static_cast<T*>(memory);
    }

    CornerSave* takeCornerSave();
    void returnCornerSave(CornerSave* cell);
    // Cells handed out and not returned: the total depth of all corner stacks.
    std::size_t cornerSavesInUse() const { return cornerSavesMade_ - cornerSavesFree_; }

private:
    struct Block {
        Block* next;
    };
    static constexpr std::size_t BLOCK_BYTES = 64 * 1024;

    void* allocateBytes(std::size_t bytes, std::size_t alignment);

    Block* blocks_ = nullptr;
    unsigned char* cursor_ = nullptr;
    unsigned char* end_ = nullptr;
    CornerSave* freeCornerSaves_ = nullptr;
    std::size_t cornerSavesMade_ = 0;
    std::size_t cornerSavesFree_ = 0;
};
