#pragma once
// The rules of the transfer window, free of the window system so that they
// are tested natively: what a typed key does to a value cell, what a cell
// becomes when its edit ends, how the 69 cells are classified and what the
// status line says about them.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "presets/preset_text.h"

namespace corvane {

// What the transfer window reads when it is shown and what "OK" sends, by
// parameter number. The preset editor implements it: its values, and for
// "OK" the editor and the picture.
class TransferTarget {
 public:
  virtual ~TransferTarget() = default;
  virtual double GetParam(int number) = 0;
  virtual void SetParam(int number, double value) = 0;
};

inline constexpr char kTransferStatusPrefix[] = "Status : ";
inline constexpr char kTransferStatusUnknown[] = "Status : UNKNOWN";
// Where "WWW" leads: the page where presets are exchanged as text.
inline constexpr char kPresetExchangeAddress[] = "corvane.example.org/presets";

enum class TransferCellKind { Good, Empty, Error, Absent };

// A non-empty number text is good; "" and "EMPTY" are empty; "ABSENT" is
// absent; anything else is an error.
TransferCellKind ClassifyTransferCell(std::string_view cell);
bool AllTransferCellsGood(const TransferCells& cells);
// "Status : OK", or the kinds present in the order EMPTY, ERROR, ABSENT:
// "Status : EMPTY, ABSENT values is detected".
std::string TransferStatusText(const TransferCells& cells);

// One typed character in a value cell's editor that holds `text`.
struct TransferKeyResult {
  std::optional<std::string> newText;  // replaces the editor's text first
  wchar_t character = 0;               // then reaches the editor; 0 drops it
};
// Only Backspace, "+", "-", "." and digits pass. Text that is no number and
// no beginning of one (a marker) is emptied first. "+" removes the "-", "-"
// puts one in front; both are consumed. A second "." is dropped. When the
// whole text is selected, the other keys replace it: they act on no text.
TransferKeyResult TransferKeyPress(std::string_view text, wchar_t character, bool textSelected = false);

// The editor's text shown when an edit starts on a cell.
std::string TransferEditStartText(std::string_view value);
// The value an edit leaves behind: "EMPTY" for empty text, "ERROR" for text
// that is no number.
std::string TransferEditEndValue(std::string_view text);

// The cells shown for the target's values; a value that cannot be written
// as number text shows "ERROR" rather than ending the window.
TransferCells TransferCellsOf(const std::function<double(int number)>& getParam);
// What "OK" sends for a cell: its number, 0.0 when it is none.
double TransferCellValue(std::string_view cell);

}  // namespace corvane
