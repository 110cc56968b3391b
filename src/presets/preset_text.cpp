#include "presets/preset_text.h"

#include <charconv>
#include <cmath>
#include <string>

#include "os/file_io.h"
#include "os/text.h"

namespace corvane {
namespace {

constexpr char kExponentMessage[] = "Exponent character present in the resulting string";
constexpr char kLineEnd[] = "\r\n";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Decimal exponent of the first non-zero mantissa digit, saturated; used
// only to tell an underflow from an overflow.
long long MagnitudeEstimate(std::string_view mantissa, std::string_view exponent) {
  long long exp = 0;
  bool negative = !exponent.empty() && exponent[0] == '-';
  for (char c : exponent)
    if (IsDigit(c) && exp < 1000000000) exp = exp * 10 + (c - '0');
  if (negative) exp = -exp;
  size_t point = mantissa.find('.');
  if (point == std::string_view::npos) point = mantissa.size();
  size_t first = mantissa.find_first_not_of("0.");
  if (first == std::string_view::npos) return 0;
  long long position = first < point ? static_cast<long long>(point - first) - 1
                                     : -static_cast<long long>(first - point);
  return exp + position;
}

}  // namespace

std::optional<std::string> TryFloatToPresetText(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  char buffer[64];
  std::string text;
  if (std::fabs(value) >= 1.0) {
    // 15 significant digits are the coarser limit: round there, then place
    // the point by the exponent.
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    std::string_view sci(buffer, static_cast<size_t>(result.ptr - buffer));
    size_t e = sci.find('e');
    int exponent = 0;
    std::from_chars(sci.data() + e + (sci[e + 1] == '+' ? 2 : 1), sci.data() + sci.size(), exponent);
    if (exponent >= 15) return std::nullopt;
    std::string digits;
    for (char c : sci.substr(0, e))
      if (IsDigit(c)) digits += c;
    if (value < 0) text += '-';
    text.append(digits, 0, static_cast<size_t>(exponent) + 1);
    text += '.';
    text.append(digits, static_cast<size_t>(exponent) + 1);
  } else {
    // Below 1, fifteen decimals are the coarser limit.
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 15);
    text.assign(buffer, result.ptr);
  }
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  if (text == "-0") text = "0";
  return text;
}

namespace {

bool TryPresetTextToFloat(std::string_view text, double& value) {
  value = 0.0;
  if (text.empty()) return true;
  size_t i = 0;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  size_t mantissaStart = i, digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  std::string_view mantissa = text.substr(mantissaStart, i - mantissaStart);
  std::string_view exponent;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t expStart = ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t expDigits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++expDigits;
    if (expDigits == 0) return false;
    exponent = text.substr(expStart, i - expStart);
  }
  if (i != text.size()) return false;

  // from_chars takes no "+" and no "e+"; the sign is applied afterwards.
  std::string plain(mantissa);
  if (!exponent.empty()) {
    plain += 'e';
    plain.append(exponent[0] == '+' ? exponent.substr(1) : exponent);
  }
  double magnitude = 0.0;
  auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), magnitude);
  if (ec == std::errc::result_out_of_range) {
    if (MagnitudeEstimate(mantissa, exponent) >= 0) return false;
    magnitude = 0.0;  // too small for a double: it is zero
  } else if (ec != std::errc() || end != plain.data() + plain.size()) {
    return false;
  }
  value = negative ? -magnitude : magnitude;
  // Only what can be written back is a number: the writer decides, so the
  // two can never disagree about where the format ends.
  return TryFloatToPresetText(value).has_value();
}

[[noreturn]] void RaiseNotANumber(std::string_view text) {
  constexpr size_t kShown = 64;  // a pasted megabyte is not repeated in a message
  std::string shown(text.substr(0, kShown));
  if (text.size() > kShown) shown += "...";
  throw EConvertError("'" + shown + "' is not a valid floating point value");
}

std::string FileMessage(const char* what, const std::string& path, const FileResult& result) {
  std::string message = std::string(what) + " \"" + path + "\".";
  if (!result.reason.empty()) message += " " + result.reason;
  return message;
}

}  // namespace

std::string FloatToPresetText(double value) {
  std::optional<std::string> text = TryFloatToPresetText(value);
  if (!text) throw EConvertError(kExponentMessage);
  return *std::move(text);
}

double PresetTextToFloat(std::string_view text) {
  double value;
  if (!TryPresetTextToFloat(text, value)) RaiseNotANumber(text);
  return value;
}

bool IsPresetNumber(std::string_view text) {
  double value;
  return TryPresetTextToFloat(text, value);
}

std::string PresetNameFromFile(std::string_view path) {
  size_t slash = path.find_last_of("\\/:");
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  size_t dot = name.rfind('.');
  return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

std::string PresetFileText(const TPresetParams& preset) {
  std::string text;
  for (int n = 1; n <= kParamCount; ++n)
    text += ParamName(n) + "=" + FloatToPresetText(preset.GetValue(n)) + kLineEnd;
  return text;
}

void WritePresetFile(const std::string& path, const TPresetParams& preset) {
  const std::string text = PresetFileText(preset);
  FileResult result = ReplaceFileContents(path, text);
  if (result.failure == FileFailure::Create) throw EFileError(FileMessage("Cannot create file", path, result));
  if (!result.Ok()) throw EFileError(FileMessage("Cannot write file", path, result));
}

TPresetParams ParsePresetFileText(std::string_view text) {
  if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) text.remove_prefix(kUtf8Bom.size());
  TPresetParams preset;
  std::array<bool, kParamCount> seen{};
  for (std::string_view line : SplitLines(text)) {
    size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    int number = ParamNumberIgnoringCase(line.substr(0, equals));
    if (number == 0 || seen[static_cast<size_t>(number - 1)]) continue;
    seen[static_cast<size_t>(number - 1)] = true;
    double value;
    preset.SetValue(number, TryPresetTextToFloat(line.substr(equals + 1), value) ? value : 0.0);
  }
  return preset;
}

TPresetParams ReadPresetFile(const std::string& path) {
  std::string text;
  FileResult result = ReadFileUpTo(path, kMaxPresetFileBytes, text);
  switch (result.failure) {
    case FileFailure::None: return ParsePresetFileText(text);
    case FileFailure::TooLarge:
      throw EFileError("Cannot read file \"" + path + "\". A preset file holds at most " +
                       std::to_string(kMaxPresetFileBytes / 1024) + " KB.");
    case FileFailure::Open: throw EFileError(FileMessage("Cannot open file", path, result));
    default: throw EFileError(FileMessage("Cannot read file", path, result));
  }
}

TransferCells ParseTransferText(std::string_view text) {
  std::string kept;
  for (char c : text)
    if (IsDigit(c) || c == '-' || c == '.' || c == ';') kept += c;
  TransferCells cells;
  size_t pos = 0;
  for (std::string& cell : cells) {
    size_t semicolon = kept.find(';', pos);
    if (semicolon == std::string::npos) {
      cell = kCellAbsent;
    } else if (semicolon == pos) {
      cell = kCellEmpty;
      ++pos;
    } else {
      std::string field = kept.substr(pos, semicolon - pos);
      pos = semicolon + 1;
      cell = IsPresetNumber(field) ? field : kCellError;
    }
  }
  return cells;
}

std::string BuildTransferText(const TransferCells& cells) {
  std::string text;
  for (const std::string& cell : cells) text += cell + ";";
  return text;
}

TransferCells PresetTransferCells(const TPresetParams& preset) {
  TransferCells cells;
  for (int n = 1; n <= kParamCount; ++n) cells[static_cast<size_t>(n - 1)] = FloatToPresetText(preset.GetValue(n));
  return cells;
}

std::optional<TPresetParams> PresetFromTransferCells(const TransferCells& cells) {
  TPresetParams preset;
  for (int n = 1; n <= kParamCount; ++n) {
    const std::string& cell = cells[static_cast<size_t>(n - 1)];
    double value;
    if (cell == kCellEmpty || cell == kCellError || cell == kCellAbsent || !TryPresetTextToFloat(cell, value))
      return std::nullopt;
    preset.SetValue(n, value);
  }
  return preset;
}

}  // namespace corvane
