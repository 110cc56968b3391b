#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/test_support.h"
#include "workers/ret_data.h"

namespace corvane {
namespace {

TEST(ListRetData, AutoIdIsTheSmallestFreeOneAcrossAllCommands) {
  std::unique_ptr<TListRetData> list(new TListRetData(0));
  for (int32_t id : {4, 2, 1}) list->ReserveRetData(uint32_t(10 + id), id);
  EXPECT_EQ(list->ReserveRetData(3, AutoRetDataID), 3);
  EXPECT_EQ(list->ReserveRetData(3, AutoRetDataID), 5);
  list->SaveRetData(12, 2, nullptr);
  list->ExtractRetData(12, 2, nullptr);
  EXPECT_EQ(list->ReserveRetData(8, AutoRetDataID), 2);  // collected ids come back
}

TEST(ListRetData, ResultsTravelByTheirPairAndMisuseIsRefused) {
  std::unique_ptr<TListRetData> list(new TListRetData(sizeof(double)));
  double value = 2.25, out = 0;
  // What each raises, "" when it is done.
  auto save = [&](uint32_t command, int32_t id) {
    return test::Raised<EListRetDataError>([&] { list->SaveRetData(command, id, &value); });
  };
  auto extract = [&](uint32_t command, int32_t id) {
    return test::Raised<EListRetDataError>([&] { list->ExtractRetData(command, id, &out); });
  };
  EXPECT_EQ(save(1, 1), "Cannot save data. List is empty.");
  EXPECT_EQ(extract(1, 1), "Cannot extract data. List is empty.");
  int32_t a = list->ReserveRetData(3, AutoRetDataID), b = list->ReserveRetData(5, AutoRetDataID);
  EXPECT_EQ(extract(3, a), "Cannot extract data. Data not saved.");
  EXPECT_EQ(save(3, b), "Cannot save data. Wrong CommandID or RetDataID.");
  EXPECT_EQ(save(3, a), "");
  value = 9;
  EXPECT_EQ(save(3, a), "Cannot save data. Data already saved.");
  EXPECT_EQ(save(5, b), "");
  EXPECT_EQ(extract(3, a), "");
  EXPECT_EQ(out, 2.25);  // the first save, not the refused one
  EXPECT_EQ(extract(3, a), "Cannot extract data. Wrong CommandID or RetDataID.");
  EXPECT_EQ(extract(5, b), "");
  EXPECT_EQ(out, 9);
  EXPECT_EQ(extract(5, b), "Cannot extract data. List is empty.");
}

}  // namespace
}  // namespace corvane
