#pragma once
// The one number format of preset files, transfer text and number fields,
// and the two textual forms a preset leaves the program in: the preset file
// (69 lines Name=Value) and the one-line transfer text (69 values, each
// followed by ";").

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "figure/preset_params.h"
#include "os/exception.h"

namespace corvane {

// A number that cannot be written or read as number text.
CORVANE_DECLARE_EXCEPTION(EConvertError);
// A preset file that cannot be opened, read or written.
CORVANE_DECLARE_EXCEPTION(EFileError);

// Fixed notation, "." separator, at most 15 significant digits and 15
// decimals, trailing zeros and point removed. Nothing for magnitudes that
// round to 10^15 or more, infinities and NaN.
std::optional<std::string> TryFloatToPresetText(double value);
// The same; raises EConvertError "Exponent character present in the
// resulting string" where TryFloatToPresetText gives nothing.
std::string FloatToPresetText(double value);
// Empty text is 0; otherwise [sign] digits [. digits] [e [sign] digits] with
// at least one mantissa digit, nothing around it, and a value that
// TryFloatToPresetText can write: every number read can be written back.
// Raises EConvertError.
double PresetTextToFloat(std::string_view text);
bool IsPresetNumber(std::string_view text);

// The file name without directory and without its last extension.
std::string PresetNameFromFile(std::string_view path);

// The 69 lines Name=Value, each ending in CR LF. Every value is converted
// before anything is returned, so an unwritable value raises EConvertError.
std::string PresetFileText(const TPresetParams& preset);
// Replaces the file once the new text is completely written; the old file
// stays as it was when a value cannot be written or the write fails.
// Raises EConvertError or EFileError.
void WritePresetFile(const std::string& path, const TPresetParams& preset);
// Parameter n takes the value after the first "=" of the first line whose
// name equals ParamName(n) without regard to case; a missing line or a value
// that is not number text gives 0.0 for that parameter only.
TPresetParams ParsePresetFileText(std::string_view text);
// A preset file is 69 lines of a name, "=" and a number of at most some 20
// characters: under 4 KB. Larger files are refused, so that a huge file
// from anywhere is never read; the limit leaves room for hand-edited ones.
inline constexpr size_t kMaxPresetFileBytes = 64 * 1024;
// The file read as a whole, then parsed; raises EFileError with the system's
// message when it cannot be opened or read, or when it is larger than
// kMaxPresetFileBytes (nothing is returned then).
TPresetParams ReadPresetFile(const std::string& path);

// Cells of a transfer text: a number text or one of the three markers.
inline constexpr char kCellEmpty[] = "EMPTY";
inline constexpr char kCellError[] = "ERROR";
inline constexpr char kCellAbsent[] = "ABSENT";
// Index n-1 holds the cell of parameter n.
using TransferCells = std::array<std::string, kParamCount>;

TransferCells ParseTransferText(std::string_view text);
std::string BuildTransferText(const TransferCells& cells);
// The cells of a preset's values (raises EConvertError like the file).
TransferCells PresetTransferCells(const TPresetParams& preset);
// The preset when every cell is a number; nothing when any is a marker.
std::optional<TPresetParams> PresetFromTransferCells(const TransferCells& cells);

}  // namespace corvane
