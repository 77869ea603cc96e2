#pragma once
// The component host: the container that creates the control, receives its events and
// property-change reports, answers its ambient font, and keeps its saved settings.

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/types.h"

namespace datewell {

// The host's property store, as the control reads and writes it.
class PropertyBag {
 public:
  virtual ~PropertyBag() = default;
  // The stored value, or default_value when the key is absent.
  virtual Variant ReadProperty(std::string_view key, const Variant& default_value) = 0;
  // Stores value unless it equals default_value.
  virtual void WriteProperty(std::string_view key, const Variant& value,
                             const Variant& default_value) = 0;
};

// The control's events; the number is the dispatch id and the index the control raises it by.
enum class EventId : int {
  Change = 1,
  Click = 2,
  DblClick = 3,
  Hide = 4,
  KeyDown = 5,   // KeyCode, Shift
  KeyPress = 6,  // KeyAscii
  KeyUp = 7,     // KeyCode, Shift
  Resize = 8,
  Show = 9,
};

class ComponentHost {
 public:
  virtual ~ComponentHost() = default;
  // Calls the host's handler of the event. The parameters are by reference: what the handler
  // writes into them is what the control goes on with.
  virtual void RaiseEvent(EventId id, std::span<std::int16_t* const> params) = 0;
  // Marks the saved settings as modified; never calls back into the control.
  virtual void PropertyChanged(std::string_view name) = 0;
  // The container's font.
  virtual FontRef AmbientFont() = 0;
};

}  // namespace datewell
