#include "forms/information/about_form_win32.h"

#include <mapi.h>

#include <vector>

#include "desktop/open_url.h"
#include "forms/information/info_texts.h"
#include "os/process.h"
#include "os/system_library_win32.h"
#include "os/text_win32.h"

namespace corvane {

namespace {

constexpr int kWidth = 377;

}  // namespace

std::optional<std::string> ProductVersionOf(const std::string& path) {
  wchar_t* value = nullptr;
  UINT length = 0;
  if (!QueryVersionValue(FileVersionBlock(path), L"\\StringFileInfo\\040904E4\\ProductVersion",
                         reinterpret_cast<void**>(&value), &length))
    return std::nullopt;
  // The length counts the terminating zero when there is one.
  while (length > 0 && value[length - 1] == L'\0') --length;
  return Narrow(std::wstring(value, length));
}

bool ComposeMailTo(const std::string& address) {
  HMODULE mapi = LoadSystemLibrary(L"MAPI32.DLL");
  if (!mapi) return false;
  bool sent = false;
  if (auto send = reinterpret_cast<LPMAPISENDMAIL>(reinterpret_cast<void*>(GetProcAddress(mapi, "MAPISendMail")))) {
    std::string name = address, smtp = "SMTP:" + address;
    MapiRecipDesc recipient{};
    recipient.ulRecipClass = MAPI_TO;
    recipient.lpszName = name.data();
    recipient.lpszAddress = smtp.data();
    MapiMessage message{};
    message.nRecipCount = 1;
    message.lpRecips = &recipient;
    sent = send(0, 0, &message, MAPI_LOGON_UI | MAPI_NEW_SESSION | MAPI_DIALOG, 0) == SUCCESS_SUCCESS;
  }
  FreeLibrary(mapi);
  return sent;
}

TAboutForm::TAboutForm(TMainForm& mainForm)
    : Form({.caption = "About",
            .client = {kWidth, 244},
            .border = gui::BorderStyle::Dialog,
            .borderWidth = 2,
            .centred = true,
            .stayOnTop = true}),
      mainForm_(mainForm),
      productName_({.parent = this,
                    .bounds = {0, 8, kWidth, 41},
                    .font = {.height = 33, .bold = true},
                    .text = kProductName,
                    .alignment = gui::TextAlign::Centre,
                    .bevelled = true}),
      version_({.parent = this, .bounds = {0, 64, kWidth, 20}, .font = {.height = 13},
                .alignment = gui::TextAlign::Centre}),
      fileVersion_({.parent = this, .bounds = {0, 88, kWidth, 20}, .font = {.height = 13},
                    .alignment = gui::TextAlign::Centre}),
      owner_({.parent = this, .bounds = {0, 120, kWidth, 20}, .font = {.height = 13, .bold = true},
              .alignment = gui::TextAlign::Centre}),
      contact_({.parent = this, .bounds = {0, 144, kWidth, 17}, .font = {.height = 13, .underline = true},
                .alignment = gui::TextAlign::Centre, .link = true}),
      web_({.parent = this, .bounds = {0, 168, kWidth, 17}, .font = {.height = 13, .underline = true},
            .alignment = gui::TextAlign::Centre, .link = true}),
      separator_({.parent = this, .bounds = {0, 200, kWidth, 2}, .bevelled = true}),
      ok_({.parent = this, .bounds = {152, 212, 73, 25}, .text = "OK", .isDefault = true,
           .modalResult = gui::ModalResult::Ok}) {
  onShow = [this] { FormShow(); };
  contact_.onClick = [this] { ContactClick(); };
  web_.onClick = [this] { WebClick(); };
}

void TAboutForm::FormShow() {
  const std::string program = ModuleFileName();
  // Without version information the two lines keep what they had.
  if (std::optional<std::string> product = ProductVersionOf(program)) version_.SetText(kVersionPrefix + *product);
  if (const std::string file = FileVersionText(program); !file.empty()) fileVersion_.SetText(kFileVersionPrefix + file);
  owner_.SetText(kOwnerLine);
  contact_.SetText(kContactAddress);
  web_.SetText(kWebAddress);
}

void TAboutForm::ContactClick() {
  mainForm_.SuspendDrawing();
  ComposeMailTo(kContactAddress);
  mainForm_.ResumeDrawing();
  Close();
}

void TAboutForm::WebClick() {
  Close();
  mainForm_.SuspendDrawing();
  mainForm_.SetBusyCursor(true);
  TMainForm& mainForm = mainForm_;
  browse_.OpenURL(kWebAddress, [&mainForm] {
    mainForm.SetBusyCursor(false);
    // The picture resumes when the application is active again; when the
    // browser never took the focus, that is now.
    if (gui::Application::Instance().Active()) mainForm.ResumeDrawing();
  });
}

}  // namespace corvane
