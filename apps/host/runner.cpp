#include "runner.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <exception>
#include <utility>

#include "control/property_file.h"
#include "control/setting_error.h"
#include "member_calls.h"
#include "property_stores.h"

namespace datewell::host {
namespace {

constexpr std::array<std::string_view, 10> kEventNames{
    "", "Change", "Click", "DblClick", "Hide", "KeyDown", "KeyPress", "KeyUp", "Resize", "Show"};

// The error an exception stands for: the host's own errors keep their number; anything else
// that escapes the control is reported as an internal error rather than ending the host.
std::string ErrorLine(const std::exception& e) {
  if (const auto* host_error = dynamic_cast<const HostError*>(&e)) {
    return "error " + std::to_string(host_error->number()) + " " + host_error->description();
  }
  return std::string("error 51 Internal error: ") + e.what();
}

std::string Bit(bool on) {
  return on ? "1" : "0";
}

}  // namespace

// ---- The host ---------------------------------------------------------------------------------

void ScriptHost::RaiseEvent(EventId id, std::span<std::int16_t* const> params) {
  auto index = static_cast<std::size_t>(id);
  std::string_view name = index < kEventNames.size() ? kEventNames[index] : "";
  std::string line = "event " + std::string(name.empty() ? std::to_string(index) : name);
  std::vector<std::string_view> names = EventParams(name);
  for (std::size_t i = 0; i < params.size(); ++i) {
    std::string param = i < names.size() ? std::string(names[i]) : "P" + std::to_string(i + 1);
    line += " " + param + "=" + (params[i] ? std::to_string(*params[i]) : "?");
  }
  out_ << line << '\n';
  // The host's handler runs after the event is seen: it writes the by-reference parameters the
  // script asked it to rewrite.
  auto it = rewrites_.find(name);
  if (it == rewrites_.end()) {
    return;
  }
  for (const Rewrite& r : it->second) {
    for (std::size_t i = 0; i < params.size() && i < names.size(); ++i) {
      if (names[i] == r.param && params[i]) {
        *params[i] = r.value;
      }
    }
  }
}

void ScriptHost::PropertyChanged(std::string_view name) {
  out_ << "changed " << name << '\n';
}

FontRef ScriptHost::AmbientFont() {
  // A copy each time: the control may adopt the object as its own font and change it, which
  // must not change the container's font.
  return std::make_shared<Font>(ambient_);
}

void ScriptHost::On(const std::string& event, const Rewrite& rewrite) {
  std::vector<Rewrite>& list = rewrites_[event];
  auto same = std::find_if(list.begin(), list.end(),
                           [&](const Rewrite& r) { return r.param == rewrite.param; });
  if (same != list.end()) {
    same->value = rewrite.value;
  } else {
    list.push_back(rewrite);
  }
}

void ScriptHost::Off(const std::string& event) {
  rewrites_.erase(event);
}

// ---- The runner -------------------------------------------------------------------------------

Runner::Runner(std::unique_ptr<Desktop> desktop, std::ostream& out)
    : out_(out), host_(out), desktop_(std::move(desktop)) {
  desktop_->SetModal([this] { return std::exchange(next_modal_, ModalEnd::Close); },
                     [this](std::string_view form, bool shown) {
                       Line("modal " + std::string(form) + (shown ? " shown" : " closed"));
                     });
}

Runner::~Runner() {
  DestroyControl();
}

void Runner::Line(const std::string& text) {
  out_ << text << '\n';
}

void Runner::Guarded(const std::function<void()>& call) {
  try {
    call();
  } catch (const SyntaxError&) {
    throw;
  } catch (const std::exception& e) {
    Line(ErrorLine(e));
  }
}

void Runner::DestroyControl() {
  control_.reset();
}

void Runner::CreateControl() {
  // The old control goes first: it uses the platform that the new one replaces.
  DestroyControl();
  Platform platform = desktop_->MakePlatform(locale_);
  locale_services_ = &platform.locale;
  control_ =
      std::make_unique<Datewell>(platform, host_, desktop_->CreateSurface(place_x_, place_y_));
}

void Runner::Load(PropertyBag& saved, std::string_view file) {
  try {
    // Every entry is checked before the old control goes, so a load that fails leaves the host
    // and its control as they were.
    Datewell::CheckProperties(
        saved, control_ ? *locale_services_ : desktop_->MakePlatform(locale_).locale);
    CreateControl();
    control_->ReadProperties(saved);
  } catch (const SettingError& e) {
    throw WithSource(e, file, kControlName);
  }
}

Datewell& Runner::RequireControl() {
  if (!control_) {
    throw CommandError("no control yet: use new or load first");
  }
  return *control_;
}

int Runner::Run(std::string_view script) {
  LineReader lines(script);
  while (auto line = lines.Next()) {
    try {
      if (std::optional<Command> cmd = ParseCommand(*line, lines.LineNumber())) {
        Execute(*cmd);
      }
    } catch (const SyntaxError& e) {
      Line("script error " + std::to_string(lines.LineNumber()) + ": " + e.what());
      out_.flush();
      return 1;
    } catch (const std::exception& e) {
      // Whatever else escapes a command (the control being created, the window system
      // delivering pending messages) is reported like a member's error; the host goes on.
      Line(ErrorLine(e));
    }
  }
  out_.flush();
  return 0;
}

void Runner::Execute(const Command& cmd) {
  switch (cmd.op) {
    case Op::Today:
      desktop_->SetToday(cmd.date);
      break;
    case Op::Locale:
      if (control_) {
        throw CommandError("locale must come before the control is created");
      }
      locale_ = cmd.name;
      break;
    case Op::Tpp:
      desktop_->SetTwipsPerPixel(static_cast<float>(cmd.x), static_cast<float>(cmd.y));
      break;
    case Op::WorkArea:
      desktop_->SetWorkArea(static_cast<std::int32_t>(cmd.x), static_cast<std::int32_t>(cmd.y));
      break;
    case Op::Metrics:
      desktop_->SetMetrics(static_cast<std::int32_t>(cmd.x), static_cast<std::int32_t>(cmd.y));
      break;
    case Op::AmbientFont:
      host_.SetAmbientFont(*cmd.values.at(0).font());
      break;
    case Op::New:
    case Op::Bag:
    case Op::Load:
    case Op::Save:
    case Op::Place:
    case Op::Size:
    case Op::Show:
    case Op::Hide:
      Lifecycle(cmd);
      break;
    case Op::Set:
    case Op::Get:
    case Op::Call:
    case Op::Invoke:
      Members(cmd);
      break;
    case Op::Focus:
    case Op::Blur:
    case Op::Type:
    case Op::Key:
    case Op::Mouse:
    case Op::Click:
    case Op::DblClick:
      Input(cmd);
      break;
    case Op::On:
      host_.On(cmd.name, cmd.rewrite);
      break;
    case Op::Off:
      host_.Off(cmd.name);
      break;
    case Op::Modal:
      next_modal_ = cmd.name == "ok" ? ModalEnd::Ok : ModalEnd::Close;
      break;
    case Op::Dump:
      Dump(cmd);
      break;
  }
  // Between two commands the window system delivers what is pending, as a host's message loop
  // does between two user actions.
  desktop_->Pump();
}

void Runner::Lifecycle(const Command& cmd) {
  switch (cmd.op) {
    case Op::New:
      CreateControl();
      Guarded([&] { control_->InitProperties(); });
      break;
    case Op::Bag:
      bag_.emplace_back(cmd.name, cmd.values.at(0));
      break;
    case Op::Load:
      if (cmd.name == "-") {
        MemoryBag bag(std::exchange(bag_, {}));
        Guarded([&] { Load(bag, ""); });
      } else {
        Guarded([&] {
          PropertyFile file = PropertyFile::Open(cmd.name);
          Load(file.Read(kControlName), cmd.name);
        });
      }
      break;
    case Op::Save: {
      Datewell& control = RequireControl();
      if (cmd.name == "-") {
        TranscriptBag bag(out_, nullptr);
        Guarded([&] { control.WriteProperties(bag); });
      } else {
        Guarded([&] {
          // Other controls kept in the same file stay as they are.
          PropertyFile file = PropertyFile::OpenOrCreate(cmd.name);
          TranscriptBag bag(out_, &file.Write(kControlName));
          control.WriteProperties(bag);
          file.Save();
        });
      }
      break;
    }
    case Op::Place:
      place_x_ = static_cast<std::int32_t>(cmd.x);
      place_y_ = static_cast<std::int32_t>(cmd.y);
      if (control_) {
        desktop_->MoveContainer(place_x_, place_y_);
      }
      break;
    case Op::Size: {
      UserControlSurface* surface = RequireControl().Inspect().surface;
      Guarded([&] { surface->Size(static_cast<float>(cmd.x), static_cast<float>(cmd.y)); });
      break;
    }
    case Op::Show:
    case Op::Hide: {
      UserControlSurface* surface = RequireControl().Inspect().surface;
      Guarded([&] { surface->SetVisible(cmd.op == Op::Show); });
      break;
    }
    default:
      break;
  }
}

void Runner::Members(const Command& cmd) {
  Datewell& control = RequireControl();
  LocaleServices& locale = *locale_services_;
  Guarded([&] {
    std::optional<MemberResult> result;
    switch (cmd.op) {
      case Op::Set:
        SetByName(control, locale, cmd.name, cmd.values.at(0));
        break;
      case Op::Get:
        result = GetByName(control, locale, cmd.name);
        break;
      case Op::Call:
        result = CallByName(control, locale, cmd.name, cmd.values);
        break;
      default:
        result = InvokeById(control, locale, cmd.dispid, cmd.invoke, cmd.values, cmd.name);
        break;
    }
    if (result) {
      Line(result->name + " = " + result->text);
    }
  });
}

void Runner::Input(const Command& cmd) {
  switch (cmd.op) {
    case Op::Focus: {
      TextBox* field = RequireControl().Inspect().txtDate;
      Guarded([&] { field->SetFocus(); });
      break;
    }
    case Op::Blur:
      Guarded([&] { desktop_->Blur(); });
      break;
    case Op::Type:
      Guarded([&] { desktop_->Type(cmd.text); });
      break;
    case Op::Key:
      Guarded([&] {
        // Modifiers go down first and come up last, each a key of its own, as a keyboard
        // sends them.
        for (std::int16_t m : cmd.modifiers) {
          desktop_->KeyDown(m);
        }
        desktop_->PressKey(cmd.key_code);
        for (auto m = cmd.modifiers.rbegin(); m != cmd.modifiers.rend(); ++m) {
          desktop_->KeyUp(*m);
        }
      });
      break;
    case Op::Mouse: {
      auto x = static_cast<std::int32_t>(cmd.x);
      auto y = static_cast<std::int32_t>(cmd.y);
      Guarded([&] {
        if (cmd.mouse == MouseAction::Down) {
          desktop_->MouseDown(x, y, cmd.button);
        } else if (cmd.mouse == MouseAction::Up) {
          desktop_->MouseUp(x, y, cmd.button);
        } else {
          desktop_->MouseMove(x, y, cmd.button);
        }
      });
      break;
    }
    case Op::Click: {
      auto x = static_cast<std::int32_t>(cmd.x);
      auto y = static_cast<std::int32_t>(cmd.y);
      Guarded([&] {
        desktop_->MouseDown(x, y, cmd.button);
        desktop_->MouseUp(x, y, cmd.button);
      });
      break;
    }
    case Op::DblClick: {
      auto x = static_cast<std::int32_t>(cmd.x);
      auto y = static_cast<std::int32_t>(cmd.y);
      Guarded([&] { desktop_->DoubleClick(x, y); });
      break;
    }
    default:
      break;
  }
}

void Runner::Dump(const Command& cmd) {
  if (cmd.dump == DumpWhat::Capture) {
    std::string name = desktop_->CaptureName();
    Line("capture " + (name.empty()                                        ? std::string("none")
                       : name == "picCalendar" || name == "lstSelectMonth" ? name
                                                                           : std::string("other")));
    return;
  }
  if (cmd.dump == DumpWhat::Focus) {
    std::string name = desktop_->FocusName();
    Line("focus " + (name.empty()        ? std::string("none")
                     : name == "txtDate" ? name
                                         : std::string("other")));
    return;
  }
  Datewell::Constituents c = RequireControl().Inspect();
  auto cell_line = [&](int index) {
    const Label& cell = *c.lblDate.at(static_cast<std::size_t>(index));
    Line("cell " + std::to_string(index) + " tag=" + Quote(cell.Tag()) +
         " caption=" + Quote(cell.Caption()) + " bold=" + Bit(cell.FontBold()) +
         " fore=" + FormatColor(cell.ForeColor()) + " back=" + FormatColor(cell.BackColor()) +
         " border=" + std::to_string(cell.BorderStyle()) +
         " backstyle=" + std::to_string(cell.BackStyle()));
  };
  switch (cmd.dump) {
    case DumpWhat::Text:
      Line("text " + Quote(c.txtDate->Text()) +
           " selstart=" + std::to_string(c.txtDate->SelStart()) +
           " sellength=" + std::to_string(c.txtDate->SelLength()));
      break;
    case DumpWhat::Caption:
      Line("caption " + Quote(c.lblMonthYear->Caption()));
      break;
    case DumpWhat::Cell:
      cell_line(cmd.cell);
      break;
    case DumpWhat::Grid:
      for (int i = kDayCellFirst; i <= kDayCellLast; ++i) {
        cell_line(i);
      }
      break;
    case DumpWhat::Panel: {
      WindowView w = desktop_->Window(c.picCalendar->hWnd());
      Line("panel visible=" + Bit(w.visible) + " x=" + std::to_string(w.x) +
           " y=" + std::to_string(w.y) + " topmost=" + Bit(w.topmost) +
           " parent=" + (w.on_desktop ? "desktop" : "control"));
      break;
    }
    case DumpWhat::List: {
      WindowView w = desktop_->Window(c.lstSelectMonth->hWnd());
      Line("list visible=" + Bit(w.visible) + " x=" + std::to_string(w.x) +
           " y=" + std::to_string(w.y) + " index=" + std::to_string(c.lstSelectMonth->ListIndex()));
      for (int k = 0; k < c.lstSelectMonth->ListCount(); ++k) {
        Line("item " + std::to_string(k) + " " + Quote(c.lstSelectMonth->List(k)));
      }
      break;
    }
    case DumpWhat::Face: {
      Rect b = control_->ButtonRectTwips();
      Line("face width=" + FormatNumber(c.surface->Width()) +
           " height=" + FormatNumber(c.surface->Height()) + " button=" + std::to_string(b.left) +
           "," + std::to_string(b.top) + "," + std::to_string(b.right) + "," +
           std::to_string(b.bottom) + " pressed=" + Bit(control_->IsButtonPressed()));
      break;
    }
    case DumpWhat::PaintPanel:
    case DumpWhat::PaintFace:
      for (const std::string& call : desktop_->LastPaint(
               cmd.dump == DumpWhat::PaintPanel ? c.picCalendar->hWnd() : c.surface->hWnd())) {
        Line(call);
      }
      break;
    default:
      break;
  }
}

}  // namespace datewell::host
