#include "gui/file_dialogs_win32.h"

#include <cderr.h>
#include <commdlg.h>

#include "gui/file_dialog_rules.h"
#include "os/message_box.h"
#include "os/os_error.h"
#include "os/text_win32.h"

namespace corvane::gui {
namespace {

struct DialogText {
  std::wstring filter, defaultExt, title, folder;
  std::vector<wchar_t> answer;
};

OPENFILENAMEW Prepare(const FileDialogArgs& args, DialogText& text, DWORD flags, size_t answerChars) {
  text = {};
  for (const FileFilter& filter : ParseFileFilter(args.filter))
    text.filter += Widen(filter.name) + L'\0' + Widen(filter.pattern) + L'\0';
  text.defaultExt = Widen(args.defaultExt);
  text.title = Widen(args.title);
  text.folder = Widen(args.initialFolder);
  text.answer.assign(answerChars, L'\0');
  std::wstring name = Widen(args.fileName);
  std::copy_n(name.begin(), std::min(name.size(), answerChars - 2), text.answer.begin());

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = args.owner ? args.owner->Handle() : nullptr;
  dialog.lpstrFilter = text.filter.empty() ? nullptr : text.filter.c_str();
  dialog.nFilterIndex = DWORD(args.filterIndex);
  dialog.lpstrFile = text.answer.data();
  dialog.nMaxFile = DWORD(text.answer.size());
  dialog.lpstrInitialDir = text.folder.empty() ? nullptr : text.folder.c_str();
  dialog.lpstrTitle = text.title.empty() ? nullptr : text.title.c_str();
  dialog.lpstrDefExt = text.defaultExt.empty() ? nullptr : text.defaultExt.c_str();
  dialog.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR | (args.hideReadOnly ? OFN_HIDEREADONLY : 0);
  return dialog;
}

[[noreturn]] void RaiseDialogFailure(DWORD code) {
  throw EGuiError("The file dialog failed with code " + std::to_string(code) + ".");
}

// A cancel and a failure both answer false; only a failure leaves a code.
void CheckCancelled() {
  if (DWORD code = CommDlgExtendedError()) RaiseDialogFailure(code);
}

}  // namespace

std::optional<std::vector<std::string>> RunOpenDialog(const FileDialogArgs& args) {
  const DWORD flags = (args.multiSelect ? OFN_ALLOWMULTISELECT : 0) |
                      (args.fileMustExist ? OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST : 0);
  DialogText text;
  OPENFILENAMEW dialog{};
  DialogShowing showing = ShowUntilAnswerFits([&](size_t answerChars) -> DialogShowing {
    dialog = Prepare(args, text, flags, answerChars);
    if (GetOpenFileNameW(&dialog)) return {DialogShowing::Outcome::Chosen};
    DWORD code = CommDlgExtendedError();
    if (code == 0) return {DialogShowing::Outcome::Cancelled};
    // The room needed is then the answer's first character.
    if (code == FNERR_BUFFERTOOSMALL) return {DialogShowing::Outcome::TooSmall, size_t(WORD(text.answer[0]))};
    RaiseDialogFailure(code);
  });
  if (showing.outcome == DialogShowing::Outcome::TooSmall)
    ShowMessageBox({.text = kTooManyFilesText, .caption = args.title.empty() ? "Open" : args.title});
  if (showing.outcome != DialogShowing::Outcome::Chosen) return std::nullopt;
  if (args.chosenFilter) *args.chosenFilter = int(dialog.nFilterIndex);
  // The answer ends with two NULs; keep them for the splitter.
  size_t length = 0;
  while (length + 1 < text.answer.size() && (text.answer[length] || text.answer[length + 1])) ++length;
  return SplitSelectedFiles(Narrow(std::wstring_view(text.answer.data(), length + 1)));
}

std::optional<std::string> RunSaveDialog(const FileDialogArgs& args) {
  DialogText text;
  OPENFILENAMEW dialog = Prepare(args, text, args.overwritePrompt ? OFN_OVERWRITEPROMPT : 0, kFirstAnswerChars);
  if (!GetSaveFileNameW(&dialog)) {
    CheckCancelled();
    return std::nullopt;
  }
  return Narrow(text.answer.data());
}

}  // namespace corvane::gui
