#include "workers/list_arr.h"

#include <cstdlib>
#include <new>

namespace corvane {

TListArr::TListArr(uint32_t payloadSize) : nodeSize_(uint32_t(payloadSize + sizeof(Node))) {}

TListArr::~TListArr() {
  for (Node* node = first_; node;) {
    Node* next = node->next;
    std::free(node);
    node = next;
  }
}

void* TListArr::Current() const noexcept { return current_ ? current_ + 1 : nullptr; }

void TListArr::GoToIndex(uint32_t index) {
  if (count_ == 0 || index == 0 || index > count_) return;
  if (!current_) {
    current_ = first_;
    currentIndex_ = 1;
  }
  if (currentIndex_ == index) return;
  uint32_t distance = currentIndex_ > index ? currentIndex_ - index : index - currentIndex_;
  if (distance < index - 1 && distance < count_ - index) {
    if (currentIndex_ > index) {
      for (; distance; --distance) current_ = current_->prev;
    } else {
      for (; distance; --distance) current_ = current_->next;
    }
  } else if (2 * uint64_t(index) <= uint64_t(count_) + 1) {
    current_ = first_;
    for (uint32_t step = 1; step < index; ++step) current_ = current_->next;
  } else {
    current_ = last_;
    for (uint32_t step = count_; step > index; --step) current_ = current_->prev;
  }
  currentIndex_ = index;
}

void TListArr::AppendNode() {
  auto* node = static_cast<Node*>(std::malloc(nodeSize_));
  if (!node) throw std::bad_alloc();
  node->prev = last_;
  node->next = nullptr;
  if (last_)
    last_->next = node;
  else
    first_ = node;
  last_ = node;
  ++count_;
  current_ = node;
  currentIndex_ = count_;
}

void TListArr::DeleteCurrent() {
  Node* node = current_;
  if (!node) return;
  if (node->prev)
    node->prev->next = node->next;
  else
    first_ = node->next;
  if (node->next)
    node->next->prev = node->prev;
  else
    last_ = node->prev;
  --count_;
  if (count_ == 0) {
    current_ = nullptr;
    currentIndex_ = 0;
  } else if (node->next) {
    current_ = node->next;  // the index now names the following node
  } else {
    current_ = last_;
    currentIndex_ = count_;
  }
  std::free(node);
}

}  // namespace corvane
