#pragma once
// The runner: one control in a host on a desktop, driven by a script, writing the transcript.
// The host keeps the control's property-change reports, routes its events to the script's
// handlers (with the `on` rewrites of by-reference parameters), answers the ambient font and
// stores the control's settings.

#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "control/datewell.h"
#include "desktop.h"
#include "platform/host.h"
#include "script.h"

namespace datewell::host {

// The container side of the control: events and reports go to the transcript.
class ScriptHost : public ComponentHost {
 public:
  explicit ScriptHost(std::ostream& out) : out_(out) {}

  void RaiseEvent(EventId id, std::span<std::int16_t* const> params) override;
  void PropertyChanged(std::string_view name) override;
  FontRef AmbientFont() override;

  void SetAmbientFont(const Font& font) { ambient_ = font; }
  // From now on the handler of the event sets the parameter to the value.
  void On(const std::string& event, const Rewrite& rewrite);
  void Off(const std::string& event);

 private:
  std::ostream& out_;
  Font ambient_{"Sans", 9.0f};
  std::map<std::string, std::vector<Rewrite>, std::less<>> rewrites_;
};

// A malformed command found while running it (a member call before any control exists, a
// locale change under a live control).
class CommandError : public SyntaxError {
 public:
  using SyntaxError::SyntaxError;
};

class Runner {
 public:
  Runner(std::unique_ptr<Desktop> desktop, std::ostream& out);
  ~Runner();
  Runner(const Runner&) = delete;
  Runner& operator=(const Runner&) = delete;

  // Runs a script to its end or to its first malformed command; returns the exit status (0, or
  // 1 after writing `script error LINE: MESSAGE`).
  int Run(std::string_view script);
  // Runs one command; throws SyntaxError when it cannot run.
  void Execute(const Command& cmd);

  Datewell* Control() { return control_.get(); }

 private:
  void DestroyControl();
  void CreateControl();
  Datewell& RequireControl();
  // A new control with the saved settings, or, when they cannot be taken, the control as it was
  // and the error with the file and the control named.
  void Load(PropertyBag& saved, std::string_view file);
  void Lifecycle(const Command& cmd);
  void Members(const Command& cmd);
  void Input(const Command& cmd);
  void Dump(const Command& cmd);
  // Runs a call into the control; a host error becomes `error N DESCRIPTION`.
  void Guarded(const std::function<void()>& call);
  void Line(const std::string& text);

  std::ostream& out_;
  ScriptHost host_;
  std::unique_ptr<Desktop> desktop_;
  std::string locale_ = "en_US";
  std::int32_t place_x_ = 100;
  std::int32_t place_y_ = 100;
  std::vector<std::pair<std::string, Variant>> bag_;
  ModalEnd next_modal_ = ModalEnd::Close;
  LocaleServices* locale_services_ = nullptr;  // the current control's
  std::unique_ptr<Datewell> control_;
};

}  // namespace datewell::host
