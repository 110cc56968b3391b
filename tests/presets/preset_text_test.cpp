#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "presets/preset_text.h"
#include "presets/number_round_trip.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using test::Raised;

TEST(PresetNumberText, WritesFifteenDigitsWithoutExponent) {
  // Fifteen decimals: below half of their last place everything is zero.
  const std::pair<double, const char*> cases[] = {
      {33, "33"}, {-2.0 / 3.0, "-0.666666666666667"}, {1800, "1800"}, {-0.0, "0"}, {1.0 / 3.0, "0.333333333333333"},
      {123456.78901234567, "123456.789012346"}, {0.00012345678901234567, "0.000123456789012"},
      {999999999999999.0, "999999999999999"}, {9.9999999999999999, "10"}, {4.9e-16, "0"},
      {5.1e-16, "0.000000000000001"}, {-1e-15, "-0.000000000000001"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(FloatToPresetText(value), text) << value;
  for (double value : {1e15, -1e15, 9.9999999999999999e14, 1e300, HUGE_VAL, -HUGE_VAL, std::nan("")})
    EXPECT_EQ(Raised<EConvertError>([&] { FloatToPresetText(value); }),
              "Exponent character present in the resulting string") << value;
}

TEST(PresetNumberText, ReadsDecimalNumbersOnly) {
  // Underflow is zero.
  const std::pair<std::string, double> cases[] = {{"", 0},       {"1e3", 1000}, {"-2.5E-1", -0.25}, {"+7", 7},
                                                  {".5", 0.5},   {"5.", 5},     {"1e-400", 0},      {"-0", 0},
                                                  {"0." + std::string(400, '0') + "1", 0}};
  for (const auto& [text, value] : cases) EXPECT_EQ(PresetTextToFloat(text), value) << text;
  // The last ones are numbers that could not be written back.
  for (const char* bad : {"1,5", "-", ".", "e3", "1e+", " 1", "1 ", "0x10", "inf", "nan", "1..2", "--1", "1e400",
                          "1e99999999999999999999", "1000000000000000", "-1e15", "999999999999999.5",
                          "123456789012345678"}) {
    EXPECT_FALSE(IsPresetNumber(bad)) << bad;
    EXPECT_THROW(PresetTextToFloat(bad), EConvertError) << bad;
  }
  EXPECT_FALSE(IsPresetNumber(std::string(400, '9')));
  EXPECT_FALSE(IsPresetNumber(std::string("1\0", 2)));
  // A pasted megabyte is not repeated in the message.
  const std::string message = Raised<EConvertError>([] { PresetTextToFloat(std::string(1 << 20, 'x')); });
  EXPECT_FALSE(message.empty());
  EXPECT_LT(message.size(), 200u);
}

// Number text as it comes from anywhere: any sign, up to twenty digits
// before and after a point (runs of 9 meet the rounding edge), an exponent.
std::string RandomNumberText(std::mt19937_64& generator) {
  const char* const signs[] = {"", "-", "+"};
  auto pick = [&](int count) { return int(generator() % unsigned(count)); };
  auto digits = [&](int count) {
    std::string text;
    const bool nines = pick(3) == 0;
    for (int i = 0; i < count; ++i) text += char('0' + (nines ? 9 : pick(10)));
    return text;
  };
  std::string text = signs[pick(3)] + digits(pick(21));
  if (pick(2)) text += "." + digits(pick(21));
  if (pick(3) == 0) text += "e" + std::string(signs[pick(3)]) + std::to_string(pick(420));
  return text;
}

TEST(PresetNumberText, EveryAcceptedNumberWritesBackByEveryReader) {
  std::vector<std::string> texts = {"999999999999999", "999999999999999.5", "999999999999999.4", "1e15", "-1e15",
                                    "1e-400", "123456789012345678", "-999999999999999999", "0.9999999999999999",
                                    "99999999999999.95", "1e14", "5e-16", "-4.9999e-16", "0.0000000000000005"};
  std::mt19937_64 generator(21);
  while (texts.size() < 100000) texts.push_back(RandomNumberText(generator));
  int accepted = 0;
  for (const std::string& text : texts) {
    ASSERT_EQ(test::NumberRoundTripFault(text), "") << text;
    const bool number = IsPresetNumber(text);
    accepted += number;
    // A file line and a transfer cell take the same numbers; anything else
    // is 0 in a file and ERROR in a cell.
    ASSERT_EQ(ParsePresetFileText("Points=" + text).GetValue(1), number ? PresetTextToFloat(text) : 0.0) << text;
    if (!text.empty() && text.find_first_of("+e") == std::string::npos) {
      ASSERT_EQ(ParseTransferText(text + ";")[0], number ? text : kCellError) << text;
    }
  }
  EXPECT_GT(accepted, 25000);  // the generator reaches both sides
  EXPECT_LT(accepted, 75000);
}

TEST(PresetNameFromFile, StripsDirectoryAndLastExtension) {
  for (const char* path : {"C:\\Presets\\Galaxy.cvp", "/home/me/presets/Galaxy.cvp", "C:Galaxy.cvp"})
    EXPECT_EQ(PresetNameFromFile(path), "Galaxy") << path;
  EXPECT_EQ(PresetNameFromFile("a.b.cvp"), "a.b");
  EXPECT_EQ(PresetNameFromFile("C:\\my.dir\\Plain"), "Plain");
}

TPresetParams RandomPreset(std::mt19937_64& generator) {
  std::uniform_real_distribution<double> value(-5000.0, 5000.0);
  std::uniform_int_distribution<int> scale(-18, 10);
  TPresetParams preset;
  for (int n = 1; n <= kParamCount; ++n) preset.SetValue(n, value(generator) * std::pow(10.0, scale(generator)));
  return preset;
}

TEST(PresetFile, DefaultsAsLines) {
  const std::string text = PresetFileText(TPresetParams::Defaults());
  EXPECT_EQ(text.rfind("Points=33\r\nLines=333\r\nTicks=14\r\nStochastity=0\r\nIntensity=1.1\r\n", 0), 0u);
  const std::string tail = "BGColorA=0\r\nMotionBlur=0\r\n";
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 69);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 69);
}

TEST(PresetFile, WriteReadWriteGivesTheSameBytes) {
  test::TempDir dir;
  std::mt19937_64 generator(11);
  for (int round = 0; round < 50; ++round) {
    TPresetParams preset = round == 0 ? TPresetParams::Defaults() : RandomPreset(generator);
    WritePresetFile(dir.File("a.cvp"), preset);
    WritePresetFile(dir.File("b.cvp"), ReadPresetFile(dir.File("a.cvp")));
    ASSERT_EQ(test::ReadWholeFile(dir.File("a.cvp")), test::ReadWholeFile(dir.File("b.cvp")));
  }
}

TEST(PresetFile, ReadsNamesWithoutCaseFirstLineWins) {
  TPresetParams preset = ParsePresetFileText(
      "points=5\r\n LINES=7\r\nTicks=1e3\r\nDensity=1,5\r\nMidDT=0.5\r\nmiddt=9\r\nUnknown=3\r\nNoEquals\r\n"
      "EyeX==4\r\nMotionBlur=-2.25");
  // A blank before the name is part of it (Lines), only 1,5 is lost (Density), "=4" is not a number (EyeX),
  // a missing line is 0, not the default (Intensity).
  const std::pair<int, double> expected[] = {{1, 5}, {2, 0}, {3, 1000}, {6, 0}, {7, 0.5}, {55, 0}, {69, -2.25}, {5, 0}};
  for (const auto& [n, value] : expected) EXPECT_EQ(preset.GetValue(n), value) << n;
}

TEST(PresetFile, EveryLineEndReadsAlike) {
  std::string crlf = PresetFileText(TPresetParams::Defaults());
  std::string lf, cr;
  for (char c : crlf) {
    if (c != '\r') lf += c;
    if (c != '\n') cr += c;
  }
  const TPresetParams expected = ParsePresetFileText(crlf);
  EXPECT_EQ(PresetFileText(expected), crlf);
  for (const std::string& text : {lf, cr, "\xEF\xBB\xBF" + crlf}) EXPECT_EQ(ParsePresetFileText(text), expected);
  EXPECT_EQ(ParsePresetFileText("Points=1\r\r\nLines=2\n\rTicks=3").GetValue(3), 3.0);
}

TEST(PresetFile, GarbageNeverGivesAnUnclampableValue) {
  std::string text = "Points=" + std::string(1 << 20, '7') + "\r\n";  // a 1 MB line
  text += std::string("Lines=1\0\r\n", 10);
  text += std::string("Ticks\0=3\r\n", 10);
  text += "Intensity=" + std::string(1 << 20, '\0') + "\n";
  text += "Density=1e309\nMidDT=-1e309\nShiftDT=1e-999\n";
  std::mt19937 generator(3);
  for (int i = 0; i < 100000; ++i) text += static_cast<char>(generator());
  TPresetParams preset = ParsePresetFileText(text);
  for (int n = 1; n <= kParamCount; ++n) EXPECT_TRUE(std::isfinite(preset.GetValue(n))) << n;
  for (int n : {1, 2, 6}) EXPECT_EQ(preset.GetValue(n), 0.0) << n;
}

TEST(PresetFile, UnreadableOrUnwritableChangesNothing) {
  test::TempDir dir;
  const std::string message = Raised<EFileError>([&] { ReadPresetFile(dir.File("missing.cvp")); });
  EXPECT_NE(message.find("missing.cvp"), std::string::npos);
  EXPECT_NE(message.find(std::generic_category().message(ENOENT)), std::string::npos) << message;
  EXPECT_THROW(ReadPresetFile(dir.Path()), EFileError);
  EXPECT_THROW(WritePresetFile(dir.File("no/such/dir.cvp"), TPresetParams()), EFileError);

  WritePresetFile(dir.File("kept.cvp"), TPresetParams::Defaults());
  const std::string before = test::ReadWholeFile(dir.File("kept.cvp"));
  TPresetParams huge = TPresetParams::Defaults();
  huge.SetValue(40, 1e15);
  EXPECT_THROW(WritePresetFile(dir.File("kept.cvp"), huge), EConvertError);
  EXPECT_EQ(test::ReadWholeFile(dir.File("kept.cvp")), before);
#if !defined(_WIN32)
  {
    test::ScopedFileSizeLimit full(before.size() / 2);  // the disk fills part-way through the file
    EXPECT_THROW(WritePresetFile(dir.File("kept.cvp"), TPresetParams()), EFileError);
  }
  EXPECT_EQ(test::ReadWholeFile(dir.File("kept.cvp")), before);
#endif
  EXPECT_EQ(test::FileNamesIn(dir.Path()), std::vector<std::string>{"kept.cvp"});

  // A file larger than any preset file is refused whole.
  test::WriteWholeFile(dir.File("big.cvp"), before + std::string(kMaxPresetFileBytes, '\n'));
  EXPECT_NE(Raised<EFileError>([&] { ReadPresetFile(dir.File("big.cvp")); }).find("holds at most 64 KB"),
            std::string::npos);
}

TEST(TransferText, DefaultsGiveTheKnownLine) {
  const std::string text = BuildTransferText(PresetTransferCells(TPresetParams::Defaults()));
  EXPECT_EQ(text,
            "33;333;14;0;1.1;1.1;0.251;0;0;400;0;0;400;0;0;400;0;0;1;0;0;1;0;0;1;0;0;-0.666666666666667;0;0;0;0;0;"
            "0.666666666666667;0;0;0;0;0;0;0;0;0;0;0;0;1.1;0;0;0;0;1.1;0;0;1800;1800;1800;0;0;0;-4082;8165;-4082;"
            "1;0;0;0;0;0;");
  EXPECT_EQ(ParseTransferText(text), PresetTransferCells(TPresetParams::Defaults()));
  auto preset = PresetFromTransferCells(ParseTransferText(text));
  ASSERT_TRUE(preset);
  EXPECT_EQ(PresetFileText(*preset), PresetFileText(TPresetParams::Defaults()));
}

std::string Fields(int count, const std::string& field = "1") {
  std::string text;
  for (int i = 0; i < count; ++i) text += field + ";";
  return text;
}

TEST(TransferText, ParsesFieldsIntoCells) {
  TransferCells cells = ParseTransferText(";;1e3;1,5;-;-0; 4 2\r\n;x7;" + Fields(60) + "9;");
  // The exponent letter is stripped first.
  EXPECT_EQ(std::vector<std::string>(cells.begin(), cells.begin() + 8),
            (std::vector<std::string>{kCellEmpty, kCellEmpty, "13", "15", kCellError, "-0", "42", "7"}));
  EXPECT_EQ(cells[68], "9");
  EXPECT_FALSE(PresetFromTransferCells(cells));

  TransferCells short68 = ParseTransferText(Fields(68) + "5");
  EXPECT_EQ(short68[67], "1");
  EXPECT_EQ(short68[68], kCellAbsent);
  TransferCells long70 = ParseTransferText(Fields(69) + "garbage;8;");
  EXPECT_EQ(long70, ParseTransferText(Fields(69)));
  auto preset = PresetFromTransferCells(long70);
  ASSERT_TRUE(preset);
  EXPECT_EQ(preset->GetValue(69), 1.0);

  TransferCells cleared = ParseTransferText(std::string(69, ';'));
  for (const std::string& cell : cleared) EXPECT_EQ(cell, kCellEmpty);
  EXPECT_EQ(ParseTransferText("")[0], kCellAbsent);
  EXPECT_EQ(ParseTransferText(Fields(69, "1.2.3"))[0], kCellError);
  EXPECT_EQ(ParseTransferText(Fields(69, std::string(400, '9')))[0], kCellError);
}

}  // namespace
}  // namespace corvane
