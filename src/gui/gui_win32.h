#pragma once
// The widget layer: everything a form needs, in one include.
//
// How a form is built:
//
//   class TAboutForm final : public gui::Form {
//    public:
//     TAboutForm()
//         : Form({.caption = "About", .client = {377, 244}, .border = gui::BorderStyle::Dialog,
//                 .borderWidth = 2, .stayOnTop = true}) {
//       // This body is the creation event: the handle and the controls
//       // declared above it exist. Wire the events here.
//       ok_.onClick = [this] { Close(); };
//     }
//     const char* ClassName() const noexcept override { return "TAboutForm"; }
//    private:
//     gui::Label name_{{.parent = this, .bounds = {0, 8, 377, 41}, .font = {.height = 33, .bold = true},
//                       .text = "Corvane", .alignment = gui::TextAlign::Centre, .bevelled = true}};
//     gui::Button ok_{{.parent = this, .bounds = {152, 212, 73, 25}, .text = "OK", .isDefault = true,
//                      .modalResult = gui::ModalResult::Ok}};
//   };
//
// - One gui::Application exists before any form (RunApplication makes it,
//   installs SetExceptionHandler, creates the forms, calls Run). The first
//   form made is the main form: closing it ends Run.
// - Every position, size and font height is written in pixels at 96 dpi;
//   the layer scales them to the window's dpi and again on WM_DPICHANGED.
//   Controls with an Align other than None dock inside their parent.
// - Events are std::function members (onClick, onChange, onShow, ...). An
//   exception raised in one never crosses a window procedure: it goes to the
//   application's handler with the form's and the sender's ClassName().
//   A handler put into a longer-lived object (the application's events,
//   another window's seams) is held by a ScopedSlot that empties it when
//   the capturing object goes.
// - A form that needs raw messages first overrides OnMessage and falls back
//   on Form::OnMessage; DefaultHandling(...) runs the usual handling first.
//   RecreateHandle() calls OnHandleDestroying and OnHandleCreated around a
//   new window; controls, menu, timers and owned forms carry over.
// - Text is UTF-8 everywhere; the layer widens it at the system boundary.

#include "gui/application_win32.h"
#include "gui/clipboard_win32.h"
#include "gui/containers_win32.h"
#include "gui/controls_win32.h"
#include "gui/file_dialogs_win32.h"
#include "gui/form_win32.h"
#include "gui/geometry.h"
#include "gui/input_controls_win32.h"
#include "gui/keys.h"
#include "gui/menu_win32.h"
#include "gui/scoped_slot.h"
#include "gui/value_grid_win32.h"
#include "gui/window_win32.h"
