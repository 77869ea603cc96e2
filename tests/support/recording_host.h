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

#include "platform/host.h"
#include "platform/types.h"

namespace datewell::testing {

inline std::string_view EventName(EventId id) {
  switch (id) {
    case EventId::Change:
      return "Change";
    case EventId::Click:
      return "Click";
    case EventId::DblClick:
      return "DblClick";
    case EventId::Hide:
      return "Hide";
    case EventId::KeyDown:
      return "KeyDown";
    case EventId::KeyPress:
      return "KeyPress";
    case EventId::KeyUp:
      return "KeyUp";
    case EventId::Resize:
      return "Resize";
    case EventId::Show:
      return "Show";
  }
  return "?";
}

// One thing the host saw.
struct HostEntry {
  enum class Kind { Event, PropertyChanged };
  Kind kind = Kind::Event;
  EventId id = EventId::Change;      // Event
  std::vector<std::int16_t> params;  // Event: the values as they arrived
  std::string property;              // PropertyChanged

  // "Change", "KeyDown(65,0)", "KeyPress(97)", "PropertyChanged(DateValue)".
  std::string Text() const {
    if (kind == Kind::PropertyChanged) {
      return "PropertyChanged(" + property + ")";
    }
    std::string text(EventName(id));
    if (!params.empty()) {
      text += "(";
      for (std::size_t i = 0; i < params.size(); ++i) {
        text += (i ? "," : "") + std::to_string(params[i]);
      }
      text += ")";
    }
    return text;
  }
};

class RecordingHost : public ComponentHost {
 public:
  // The host's own event handler: runs after the event is recorded and may write into the
  // parameters, as a host's handler can.
  using EventHandler = std::function<void(EventId, std::span<std::int16_t* const>)>;

  void RaiseEvent(EventId id, std::span<std::int16_t* const> params) override {
    HostEntry entry;
    entry.kind = HostEntry::Kind::Event;
    entry.id = id;
    for (std::int16_t* p : params) {
      entry.params.push_back(*p);
    }
    entries_.push_back(std::move(entry));
    if (on_event) {
      on_event(id, params);
    }
  }

  void PropertyChanged(std::string_view name) override {
    HostEntry entry;
    entry.kind = HostEntry::Kind::PropertyChanged;
    entry.property = std::string(name);
    entries_.push_back(std::move(entry));
  }

  FontRef AmbientFont() override { return ambient_font; }

  // Everything seen, in order.
  const std::vector<HostEntry>& Entries() const { return entries_; }
  std::vector<std::string> Log() const {
    std::vector<std::string> out;
    for (const auto& e : entries_) {
      out.push_back(e.Text());
    }
    return out;
  }
  // Only the events, as text.
  std::vector<std::string> Events() const {
    std::vector<std::string> out;
    for (const auto& e : entries_) {
      if (e.kind == HostEntry::Kind::Event) {
        out.push_back(e.Text());
      }
    }
    return out;
  }
  // Only the property-change reports, by name.
  std::vector<std::string> Reports() const {
    std::vector<std::string> out;
    for (const auto& e : entries_) {
      if (e.kind == HostEntry::Kind::PropertyChanged) {
        out.push_back(e.property);
      }
    }
    return out;
  }
  int Count(EventId id) const {
    int n = 0;
    for (const auto& e : entries_) {
      n += e.kind == HostEntry::Kind::Event && e.id == id;
    }
    return n;
  }
  void Clear() { entries_.clear(); }

  // A handler that sets KeyAscii to 0 in every KeyPress: the host swallows each character.
  void SwallowKeyPresses() {
    on_event = [](EventId id, std::span<std::int16_t* const> params) {
      if (id == EventId::KeyPress && !params.empty()) {
        *params[0] = 0;
      }
    };
  }

  EventHandler on_event;
  FontRef ambient_font = std::make_shared<Font>(Font{"Tahoma", 11.0f, true, false, false, false});

 private:
  std::vector<HostEntry> entries_;
};

}  // namespace datewell::testing
