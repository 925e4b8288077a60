#include "geometry/body_store.h"

#include <cstdint>
#include <new>

BodyStore::~BodyStore() {
    while (blocks_) {
        Block* next = blocks_->next;
        ::operator delete(blocks_);
        blocks_ = next;
    }
}

void* BodyStore::allocateBytes(std::size_t bytes, std::size_t alignment) {
    auto aligned = [alignment](unsigned char* p) {
        const auto address = reinterpret_cast<std::uintptr_t>(p);
        return p + (alignment - address % alignment) % alignment;
    };
    if (cursor_) {
        unsigned char* start = aligned(cursor_);
        if (start <= end_ && static_cast<std::size_t>(end_ - start) >= bytes) {
            cursor_ = start + bytes;
            return start;
        }
    }
    // A new block; a request larger than a block gets one of its own and the current block stays
    // open for the small requests that follow.
    const std::size_t header = sizeof(std::max_align_t);
    const bool large = bytes > BLOCK_BYTES / 2;
    const std::size_t size = header + (large ? bytes + alignment : BLOCK_BYTES);
    auto* block = static_cast<Block*>(::operator new(size));
    block->next = blocks_;
    blocks_ = block;
    unsigned char* start = aligned(reinterpret_cast<unsigned char*>(block) + header);
    if (!large) {
        cursor_ = start + bytes;
        end_ = reinterpret_cast<unsigned char*>(block) + size;
    }
    return start;
}

CornerSave* BodyStore::takeCornerSave() {
    if (freeCornerSaves_) {
        CornerSave* cell = freeCornerSaves_;
        freeCornerSaves_ = cell->below;
        --cornerSavesFree_;
        return cell;
    }
    ++cornerSavesMade_;
    return allocate<CornerSave>();
}

void BodyStore::returnCornerSave(CornerSave* cell) {
    cell->vertex = nullptr;
    cell->below = freeCornerSaves_;
    freeCornerSaves_ = cell;
    ++cornerSavesFree_;
}
