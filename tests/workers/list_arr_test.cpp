#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "workers/list_arr.h"

namespace corvane {
namespace {

int CurrentTag(TListArr& list) {
  int tag;
  std::memcpy(&tag, list.Current(), sizeof tag);
  return tag;
}

void Append(TListArr& list, int tag) {
  list.AppendNode();
  std::memcpy(list.Current(), &tag, sizeof tag);
}

// Random seeks (out-of-range ones included), appends and deletions against
// a plain vector; cursor index, cursor node and count after every step. A
// deletion keeps the cursor's index, so the next node moves under it.
TEST(ListArr, BehavesLikeAReferenceListUnderRandomOperations) {
  std::mt19937 random(20261206);
  std::unique_ptr<TListArr> list(new TListArr(sizeof(int)));
  std::vector<int> reference;
  uint32_t cursor = 0;
  for (int step = 0; step < 20000; ++step) {
    uint32_t count = uint32_t(reference.size());
    int action = std::uniform_int_distribution<int>(0, 9)(random);
    if (action < (count < 60 ? 4 : 2)) {
      Append(*list, step);
      reference.push_back(step);
      cursor = count + 1;
    } else if (action < 7) {
      uint32_t index = std::uniform_int_distribution<uint32_t>(0, count + 1)(random);
      list->GoToIndex(index);
      if (index >= 1 && index <= count) cursor = index;
    } else if (count > 0) {
      list->DeleteCurrent();
      reference.erase(reference.begin() + (cursor - 1));
      cursor = std::min<uint32_t>(cursor, uint32_t(reference.size()));
    }
    ASSERT_EQ(list->Count(), reference.size()) << "step " << step;
    ASSERT_EQ(list->CurrentIndex(), cursor) << "step " << step;
    ASSERT_EQ(list->Current() != nullptr, cursor != 0) << "step " << step;
    if (cursor) {
      ASSERT_EQ(CurrentTag(*list), reference[cursor - 1]) << "step " << step;
    }
  }
}

}  // namespace
}  // namespace corvane
