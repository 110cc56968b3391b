#pragma once
// A doubly linked list of fixed-size records with a position cursor. Not
// locked: the command queue and the return-data list lock around it.

#include <cstddef>
#include <cstdint>

#include "workers/aligned_memory.h"

namespace corvane {

class TListArr : public TAlignObject {
 public:
  explicit TListArr(uint32_t payloadSize);
  ~TListArr() override;
  TListArr(const TListArr&) = delete;
  TListArr& operator=(const TListArr&) = delete;

  // Moves the cursor to node `index` (1-based), walking from the cursor,
  // the first or the last node, whichever is nearest. An empty list or an
  // index outside 1..Count leaves the cursor where it is.
  void GoToIndex(uint32_t index);
  // Adds a node (payload not cleared) after the last one and puts the
  // cursor on it.
  void AppendNode();
  // Removes the cursor's node; the cursor moves to the following node, or
  // to the new last one when the last was removed.
  void DeleteCurrent();

  uint32_t Count() const noexcept { return count_; }
  // 1-based position of the cursor; 0 when the list is empty.
  uint32_t CurrentIndex() const noexcept { return currentIndex_; }
  // Payload of the cursor's node; null when the list is empty.
  void* Current() const noexcept;
  // Payload size plus the two links.
  uint32_t NodeSize() const noexcept { return nodeSize_; }

 private:
  struct Node {
    Node* prev;
    Node* next;
  };

  Node* first_ = nullptr;
  Node* last_ = nullptr;
  Node* current_ = nullptr;
  uint32_t currentIndex_ = 0;
  uint32_t count_ = 0;
  uint32_t nodeSize_;
};

}  // namespace corvane
