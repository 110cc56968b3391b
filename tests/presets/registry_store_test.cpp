#include <gtest/gtest.h>

#include <bit>
#include <cmath>

#ifdef _WIN32
#include <windows.h>
#endif

#include "figure/preset_params.h"
#include "os/little_endian.h"
#include "os/os_error.h"
#include "presets/memory_registry.h"
#include "test_registry.h"

namespace corvane {
namespace {

// Every case runs on the in-memory backend and, on Windows, on the real
// registry below a key of the test's own.
class RegistryStoreTest : public ::testing::TestWithParam<bool> {
 protected:
  RegistryBackend& Backend() { return GetParam() ? SystemRegistry() : memory_; }

  MemoryRegistry memory_;
  test::ScopedTestRegistry registry_{Backend()};
};

std::string DoubleBytes(double value) { return LittleEndianBytes(std::bit_cast<uint64_t>(value), 8); }

// The success flag of a reader and the value it leaves in place of `stale`.
template <class T>
std::pair<bool, T> Read(bool (*read)(T&), T stale) {
  const bool ok = read(stale);
  return {ok, stale};
}
std::pair<bool, double> ListParam(const std::string& name, int n) {
  double value = -1;
  const bool ok = ReadListParam(name, n, value);
  return {ok, value};
}
const std::string kStale = "stale";

TEST_P(RegistryStoreTest, ParametersRoundTripAndMissingOnesAreDefaults) {
  ASSERT_FALSE(RegistryEntriesExist());
  ASSERT_TRUE(WriteListParam("Galaxy", 1, 77.5));
  ASSERT_TRUE(WriteListParam("Galaxy", 69, -3.25));
  ASSERT_TRUE(WriteWorkParam(28, 0.125));
  EXPECT_TRUE(RegistryEntriesExist());
  for (int n = 1; n <= kParamCount; ++n) {
    // Key names ignore case.
    EXPECT_EQ(ListParam("GALAXY", n), std::pair(n == 1 || n == 69, n == 1 ? 77.5 : n == 69 ? -3.25 : ParamDefault(n)));
    double value = -1;
    EXPECT_EQ(ReadWorkParam(n, value), n == 28) << n;
    EXPECT_EQ(value, n == 28 ? 0.125 : ParamDefault(n)) << n;
  }
  double value = -1;
  EXPECT_FALSE(WriteWorkParam(0, 1.0));
  EXPECT_FALSE(WriteListParam("Galaxy", 70, 1.0));
  EXPECT_FALSE(ReadWorkParam(70, value));
  EXPECT_EQ(value, 0.0);
  EXPECT_EQ(ListParam("Galaxy", 0), std::pair(false, 0.0));
}

TEST_P(RegistryStoreTest, ValuesOfAnotherTypeOrLengthAreUnreadable) {
  registry_.WriteRaw("ListPresets\\Odd", "Points", RegistryType::Dword, std::string("\x05\0\0\0", 4));
  registry_.WriteRaw("ListPresets\\Odd", "Lines", RegistryType::Binary, std::string("\0\0\x80\x3f", 4));
  registry_.WriteRaw("ListPresets\\Odd", "Ticks", RegistryType::String, "14");
  registry_.WriteRaw("ListPresets\\Odd", "Intensity", RegistryType::Binary, DoubleBytes(2.5) + "x");
  registry_.WriteRaw("ListPresets\\Odd", "Density", RegistryType::Binary, DoubleBytes(2.5));
  // Doubles that number text cannot hold would end the window showing them.
  registry_.WriteRaw("ListPresets\\Odd", "MidDT", RegistryType::Binary, DoubleBytes(1e15));
  registry_.WriteRaw("ListPresets\\Odd", "ShiftDT", RegistryType::Binary, DoubleBytes(999999999999999.9));
  registry_.WriteRaw("ListPresets\\Odd", "ScaleDDT", RegistryType::Binary, DoubleBytes(std::nan("")));
  for (int n : {1, 2, 3, 5, 7, 8, 9}) EXPECT_EQ(ListParam("Odd", n), std::pair(false, ParamDefault(n))) << n;
  EXPECT_EQ(ListParam("Odd", 6), std::pair(true, 2.5));  // an 8-byte binary is the raw double

  registry_.WriteRaw("ListPresets", "Random", RegistryType::Dword, std::string("\x07\0\0\0", 4));
  registry_.WriteRaw("ListPresets", "Shuffle", RegistryType::String, "1");
  registry_.WriteRaw("", "FileVersion", RegistryType::Dword, std::string("\x01\0\0\0", 4));
  EXPECT_EQ(Read(ReadRandomMode, false), std::pair(true, true));  // any non-zero DWORD
  EXPECT_EQ(Read(ReadShuffleMode, true), std::pair(false, false));
  EXPECT_EQ(Read(ReadFileVersion, kStale), std::pair(false, std::string()));
}

TEST_P(RegistryStoreTest, FlagsAndTextsWithTheirSubstitutes) {
  EXPECT_EQ(Read(ReadRandomMode, true), std::pair(false, false));
  EXPECT_EQ(Read(ReadCurrentPresetName, kStale), std::pair(false, std::string()));

  EXPECT_EQ(Read(ReadFrameRateShown, true), std::pair(false, false));

  EXPECT_TRUE(WriteShowSetup(true) && WriteRandomMode(true) && WriteShuffleMode(false) &&
              WriteWallpapersState(true) && WriteFrameRateShown(true) && WriteFileVersion("1.0.0.1"));
  const std::string name = "Galaxy \xC3\xA9t\xC3\xA9 \xE2\x98\x85";  // non-ASCII survives the wide calls
  EXPECT_TRUE(WriteCurrentPresetName(name));
  using Flag = std::pair<bool (*)(bool&), bool>;
  for (auto [read, on] : {Flag{ReadShowSetup, true}, {ReadRandomMode, true}, {ReadShuffleMode, false},
                          {ReadWallpapersState, true}, {ReadFrameRateShown, true}})
    EXPECT_EQ(Read(read, !on), std::pair(true, on));
  EXPECT_EQ(Read(ReadFileVersion, kStale), std::pair(true, std::string("1.0.0.1")));
  EXPECT_EQ(Read(ReadCurrentPresetName, kStale), std::pair(true, name));
  // The key exists but holds no Name: a missing text is empty, not a failure.
  EXPECT_TRUE(WriteCurrentPresetName(""));
  EXPECT_EQ(Read(ReadCurrentPresetName, kStale), std::pair(true, std::string()));
}

TEST_P(RegistryStoreTest, MonitorsModeRoundTripsAndReadsAsSpanWhenMissingOrUnknown) {
  EXPECT_EQ(Read(ReadMonitorsMode, MonitorsMode::PrimaryOnly), std::pair(false, MonitorsMode::Span));
  for (MonitorsMode mode : {MonitorsMode::EachMonitor, MonitorsMode::PrimaryOnly, MonitorsMode::Span}) {
    EXPECT_TRUE(WriteMonitorsMode(mode));
    EXPECT_EQ(Read(ReadMonitorsMode, MonitorsMode(-1)), std::pair(true, mode));
  }
  // A value a later version might write.
  registry_.WriteRaw("ListPresets", "Monitors", RegistryType::Dword, std::string("\x03\0\0\0", 4));
  EXPECT_EQ(Read(ReadMonitorsMode, MonitorsMode::EachMonitor), std::pair(false, MonitorsMode::Span));
}

// The last 20 children, newest first, apart from the list; a child written
// in part (no order yet) is not listed.
TEST_P(RegistryStoreTest, RememberedChildrenKeepTheNewestTwentyApartFromTheList) {
  for (uint32_t i = 0; i < kRememberedChildren + 3; ++i) {
    RememberedChild child{"Jade Ribbon", "Tiger Eye " + std::to_string(i), 18446744073709551615ull - i,
                          TPresetParams::Defaults()};
    child.params.SetValue(2, 100 + i);
    ASSERT_TRUE(RememberChild(child));
  }
  std::vector<RememberedChild> children;
  ASSERT_TRUE(ListRememberedChildren(children));
  ASSERT_EQ(children.size(), size_t{kRememberedChildren});
  EXPECT_EQ(children.front().parentB, "Tiger Eye 22");
  EXPECT_EQ(children.front().seed, 18446744073709551615ull - 22);
  EXPECT_EQ(children.front().params.GetValue(2), 122);
  EXPECT_EQ(children.front().params.GetValue(1), ParamDefault(1));
  EXPECT_EQ(children.back().parentB, "Tiger Eye 3");
  std::vector<std::string> names;
  ListPresetNames(names);
  EXPECT_TRUE(names.empty()) << "children are not in the user's list";

  registry_.WriteRaw("EvolvedPresets\\7", "Seed", RegistryType::String, "12x");
  ASSERT_TRUE(ListRememberedChildren(children));
  EXPECT_EQ(children.size(), size_t{kRememberedChildren - 1}) << "an unreadable seed";
}

TEST_P(RegistryStoreTest, PresetListEnumeratesDrawsAndDeletes) {
  std::vector<std::string> names{"stale"};
  EXPECT_FALSE(ListPresetNames(names));
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(RandomPresetName(), "");

  // The empty name is the list key itself: its values are no preset.
  WriteRandomMode(true);
  EXPECT_FALSE(ListParam("", 4).first);
  EXPECT_TRUE(WriteListParam("", 4, 0.75));
  EXPECT_EQ(ListParam("", 4), std::pair(true, 0.75));
  names = {"stale"};
  EXPECT_TRUE(ListPresetNames(names));
  EXPECT_TRUE(names.empty());
  EXPECT_FALSE(DeletePreset(""));
  EXPECT_EQ(Read(ReadRandomMode, false), std::pair(true, true));

  WriteListParam("Nebula", 1, 1);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(RandomPresetName(), "Nebula");

  WriteListParam("galaxy", 1, 2);
  WriteListParam("Comet", 1, 3);
  WriteListParam("Comet", 2, 4);
  EXPECT_TRUE(ListPresetNames(names));
  EXPECT_EQ(names, (std::vector<std::string>{"Comet", "galaxy", "Nebula"}));
  EXPECT_TRUE(DeletePreset("comet"));
  EXPECT_FALSE(DeletePreset("Comet"));
  EXPECT_FALSE(DeletePreset("galaxy\\.."));
  EXPECT_FALSE(WriteListParam("a\\b", 1, 1));
  EXPECT_TRUE(ListPresetNames(names));
  EXPECT_EQ(names, (std::vector<std::string>{"galaxy", "Nebula"}));
  EXPECT_EQ(ListParam("Comet", 2), std::pair(false, ParamDefault(2)));
}

TEST_P(RegistryStoreTest, WallpapersListReplacesEntriesAndDropsState) {
  std::vector<WallpaperListItem> list{{"WP00000000", {2, "C:\\Pictures\\sea.jpg"}},
                                      {"WP00000001", {0, "C:\\Pictures\\\xC3\xA9t\xC3\xA9.png"}},
                                      {"WP00000002", {7, ""}}};
  std::vector<WallpaperListItem> loaded{{"untouched", {1, "x"}}};
  EXPECT_FALSE(LoadWallpapersList(loaded));
  EXPECT_EQ(loaded.size(), 1u);

  WriteWallpapersState(true);
  registry_.WriteRaw("ListWallpapers\\WP00000005", "Style", RegistryType::Dword, std::string("\x01\0\0\0", 4));
  EXPECT_TRUE(SaveWallpapersList(list));
  EXPECT_EQ(Read(ReadWallpapersState, true), std::pair(false, false));
  EXPECT_TRUE(LoadWallpapersList(loaded));
  EXPECT_EQ(loaded, list);  // the old fifth entry is gone

  registry_.WriteRaw("ListWallpapers\\WP00000003", "Style", RegistryType::String, "2");
  EXPECT_TRUE(LoadWallpapersList(loaded));
  ASSERT_EQ(loaded.size(), 4u);
  EXPECT_EQ(loaded[3], (WallpaperListItem{"WP00000003", {0, ""}}));

  const std::vector<WallpaperListItem> before = loaded;
  EXPECT_FALSE(SaveWallpapersList({{"WP00000000", {1, "b"}}, {"", {1, "a"}}}));
  EXPECT_TRUE(LoadWallpapersList(loaded));
  EXPECT_EQ(loaded, before);
}

TEST_P(RegistryStoreTest, AWallpapersListThatFailsPartWayLeavesTheOldOne) {
  const std::vector<WallpaperListItem> old{{"WP00000000", {1, "C:\\old.bmp"}}, {"WP00000001", {2, "C:\\older.bmp"}}};
  const std::vector<WallpaperListItem> next{
      {"WP00000000", {0, "C:\\a.bmp"}}, {"WP00000001", {1, "C:\\b.bmp"}}, {"WP00000002", {2, "C:\\c.bmp"}}};
  ASSERT_TRUE(SaveWallpapersList(old));
  ASSERT_TRUE(WriteWallpapersState(true));
  std::vector<WallpaperListItem> loaded;
  for (int allowed = 0; allowed < 6; ++allowed) {  // two values an entry
    {
      test::ScopedFailingWrites failing(allowed);
      EXPECT_FALSE(SaveWallpapersList(next)) << allowed;
    }
    EXPECT_TRUE(LoadWallpapersList(loaded));
    EXPECT_EQ(loaded, old) << allowed;
    EXPECT_EQ(Read(ReadWallpapersState, false), std::pair(true, true)) << allowed;
  }
  {
    test::ScopedFailingWrites failing(6);
    EXPECT_TRUE(SaveWallpapersList(next));
  }
  EXPECT_TRUE(LoadWallpapersList(loaded));
  EXPECT_EQ(loaded, next);
  std::vector<std::string> keys;
  ASSERT_TRUE(Backend().OpenKey(registry_.Root(), false)->SubkeyNames(keys));
  EXPECT_EQ(keys, std::vector<std::string>{"ListWallpapers"}) << "nothing is left beside the list";
}

TEST_P(RegistryStoreTest, DeletingEntriesKeepsAParentThatHasOtherKeys) {
  RegistryBackend& backend = Backend();
  WriteListParam("Galaxy", 1, 1);
  ASSERT_TRUE(backend.OpenKey(registry_.Parent() + "\\Other", true));
  EXPECT_TRUE(DeleteRegistryEntries());
  EXPECT_FALSE(RegistryEntriesExist());
  EXPECT_TRUE(backend.OpenKey(registry_.Parent(), false));

  backend.DeleteKeyTree(registry_.Parent() + "\\Other");
  WriteShowSetup(true);
  EXPECT_TRUE(DeleteRegistryEntries());
  EXPECT_FALSE(backend.OpenKey(registry_.Parent(), false));
  EXPECT_FALSE(DeleteRegistryEntries());  // nothing left to delete
}

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(Backends, RegistryStoreTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Win32" : "Memory"; });
#else
INSTANTIATE_TEST_SUITE_P(Backends, RegistryStoreTest, ::testing::Values(false),
                         [](const auto& info) { return "Memory"; });
#endif

#ifdef _WIN32
// The desktop layer reports registry failures with the system's own code.
TEST(SystemRegistry, AFailureLeavesItsReasonAsTheLastError) {
  test::ScopedTestRegistry registry(SystemRegistry());
  SetLastError(ERROR_SUCCESS);
  EXPECT_FALSE(SystemRegistry().OpenKey(registry.Root() + "\\Missing", false));
  EXPECT_EQ(LastOSErrorCode(), static_cast<uint32_t>(ERROR_FILE_NOT_FOUND));
  ASSERT_TRUE(SystemRegistry().OpenKey(registry.Root(), true));
  auto readOnly = SystemRegistry().OpenKey(registry.Root(), false);
  ASSERT_TRUE(readOnly);
  EXPECT_FALSE(readOnly->WriteValue("X", RegistryType::String, "1"));
  EXPECT_EQ(LastOSErrorCode(), static_cast<uint32_t>(ERROR_ACCESS_DENIED));
}
#endif

TEST(MemoryRegistry, HandlesOfDeletedOrReadOnlyKeysFailSafely) {
  MemoryRegistry registry;
  EXPECT_FALSE(registry.OpenKey("A\\B", false));
  auto writable = registry.OpenKey("A\\B", true);
  ASSERT_TRUE(writable);
  auto readOnly = registry.OpenKey("a\\b", false);
  ASSERT_TRUE(readOnly);
  EXPECT_FALSE(readOnly->WriteValue("X", RegistryType::String, "1"));
  EXPECT_TRUE(writable->WriteValue("X", RegistryType::String, "1"));
  EXPECT_FALSE(registry.DeleteKeyTree(""));
  EXPECT_TRUE(registry.DeleteKeyTree("A"));
  RegistryType type;
  std::string data;
  uint32_t count;
  EXPECT_FALSE(writable->WriteValue("X", RegistryType::String, "2"));
  EXPECT_FALSE(readOnly->ReadValue("X", type, data));
  EXPECT_FALSE(readOnly->SubkeyCount(count));
}

}  // namespace
}  // namespace corvane
