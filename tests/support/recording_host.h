#pragma once
// A component host for tests: it records every event the control raises (with its parameters as
// they arrived) and every property-change report, in one sequence, answers an ambient font, and
// can act like a host's event handler by rewriting by-reference parameters (KeyAscii = 0).

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "control/typelib.h"
#include "platform/host.h"
#include "platform/types.h"

namespace datewell::testing {

// The event's name as the type library publishes it under its dispatch id.
inline std::string EventName(EventId id) {
  for (const typelib::Member& e : typelib::EventInterface().members) {
    if (e.dispid == static_cast<std::int32_t>(id)) {
      return std::string(e.name);
    }
  }
  return "?";
}

class RecordingHost : public ComponentHost {
 public:
  // The host's own event handler: runs after the event is recorded and may write into the
  // parameters, as a host's handler can.
  using EventHandler = std::function<void(EventId, std::span<std::int16_t* const>)>;

  // Recorded as "Change", "KeyDown(65,0)", "KeyPress(97)": the values as they arrived.
  void RaiseEvent(EventId id, std::span<std::int16_t* const> params) override {
    std::string text = EventName(id);
    for (std::size_t i = 0; i < params.size(); ++i) {
      text += (i ? "," : "(") + std::to_string(*params[i]);
    }
    entries_.push_back({true, params.empty() ? text : text + ")"});
    if (on_event) {
      on_event(id, params);
    }
  }
  void PropertyChanged(std::string_view name) override {
    entries_.push_back({false, std::string(name)});
  }
  FontRef AmbientFont() override { return ambient_font; }

  // Everything seen, in order; reports as "PropertyChanged(DateValue)".
  std::vector<std::string> Log() const {
    std::vector<std::string> out;
    for (const Entry& e : entries_) {
      out.push_back(e.event ? e.text : "PropertyChanged(" + e.text + ")");
    }
    return out;
  }
  // Only the events, as text, or only the reports, by name.
  std::vector<std::string> Events() const { return Only(true); }
  std::vector<std::string> Reports() const { return Only(false); }
  int Count(EventId id) const {
    const std::string name = EventName(id);
    int n = 0;
    for (const Entry& e : entries_) {
      n += e.event && (e.text == name || e.text.starts_with(name + "("));
    }
    return n;
  }
  void Clear() { entries_.clear(); }

  EventHandler on_event;
  FontRef ambient_font = std::make_shared<Font>(Font{"Tahoma", 11.0f, true, false, false, false});

 private:
  struct Entry {
    bool event;  // else a property-change report
    std::string text;
  };
  std::vector<std::string> Only(bool events) const {
    std::vector<std::string> out;
    for (const Entry& e : entries_) {
      if (e.event == events) {
        out.push_back(e.text);
      }
    }
    return out;
  }
  std::vector<Entry> entries_;
};

}  // namespace datewell::testing
