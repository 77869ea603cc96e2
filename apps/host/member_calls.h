#pragma once
// Calls into the control the way a late-binding host makes them: a member's name is looked up in
// the type library (ignoring case, as automation names are), then invoked through the dispatch
// interface with the script's values as arguments.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "control/datewell.h"
#include "platform/locale.h"
#include "script.h"

namespace datewell::host {

// `NAME = VALUE` of a call that gave a result.
struct MemberResult {
  std::string name;
  std::string text;
};

// Each raises HostError as the control or the dispatch interface raises it (438 for a name the
// control does not have).
void SetByName(Datewell& control, LocaleServices& locale, std::string_view name,
               const Variant& value);
MemberResult GetByName(Datewell& control, LocaleServices& locale, std::string_view name);
std::optional<MemberResult> CallByName(Datewell& control, LocaleServices& locale,
                                       std::string_view name, std::vector<Variant> args);
// written_id names the result when the dispatch id is no member.
std::optional<MemberResult> InvokeById(Datewell& control, LocaleServices& locale,
                                       std::int32_t dispid, InvokeKind kind,
                                       std::vector<Variant> args, std::string_view written_id);

// A value as the transcript shows it: colour-typed members' values in &H form.
std::string FormatMemberValue(std::int32_t dispid, const Variant& value);

}  // namespace datewell::host
