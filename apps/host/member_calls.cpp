#include "member_calls.h"

#include <span>

#include "control/dispatch.h"
#include "control/typelib.h"
#include "values.h"

namespace datewell::host {
namespace {

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) {
      return false;
    }
  }
  return true;
}

const typelib::Member& Find(std::string_view name) {
  for (const typelib::Member& m : typelib::DefaultInterface().members) {
    if (SameName(m.name, name)) {
      return m;
    }
  }
  throw HostError(kErrMemberNotFound);
}

datewell::InvokeKind ToDispatch(InvokeKind kind) {
  switch (kind) {
    case InvokeKind::Get:
      return datewell::InvokeKind::Get;
    case InvokeKind::Put:
      return datewell::InvokeKind::Put;
    case InvokeKind::PutRef:
      return datewell::InvokeKind::PutRef;
    case InvokeKind::Method:
      return datewell::InvokeKind::Method;
  }
  return datewell::InvokeKind::Method;
}

}  // namespace

std::string FormatMemberValue(std::int32_t dispid, const Variant& value) {
  const typelib::Member* m = typelib::FindMember(dispid);
  if (m && m->type == typelib::Type::OleColor) {
    return FormatColorValue(value);
  }
  return FormatValue(value);
}

void SetByName(Datewell& control, LocaleServices& locale, std::string_view name,
               const Variant& value) {
  const typelib::Member& m = Find(name);
  // An object (a font, or nothing) is assigned by reference where the member takes one;
  // everything else is a let.
  bool object = value.is(VarKind::Font) || value.is(VarKind::Nothing);
  bool by_ref = object && (m.access & typelib::kSetRef) != 0;
  Variant arg = value;
  Invoke(control, locale, m.dispid,
         by_ref ? datewell::InvokeKind::PutRef : datewell::InvokeKind::Put,
         std::span<Variant>(&arg, 1));
}

MemberResult GetByName(Datewell& control, LocaleServices& locale, std::string_view name) {
  const typelib::Member& m = Find(name);
  Variant result = Invoke(control, locale, m.dispid, datewell::InvokeKind::Get, {});
  return {std::string(m.name), FormatMemberValue(m.dispid, result)};
}

std::optional<MemberResult> CallByName(Datewell& control, LocaleServices& locale,
                                       std::string_view name, std::vector<Variant> args) {
  const typelib::Member& m = Find(name);
  Variant result = Invoke(control, locale, m.dispid, datewell::InvokeKind::Method, args);
  if (result.is(VarKind::Empty)) {
    return std::nullopt;
  }
  return MemberResult{std::string(m.name), FormatMemberValue(m.dispid, result)};
}

std::optional<MemberResult> InvokeById(Datewell& control, LocaleServices& locale,
                                       std::int32_t dispid, InvokeKind kind,
                                       std::vector<Variant> args, std::string_view written_id) {
  Variant result = Invoke(control, locale, dispid, ToDispatch(kind), args);
  if (kind != InvokeKind::Get && result.is(VarKind::Empty)) {
    return std::nullopt;
  }
  const typelib::Member* m = typelib::FindMember(dispid);
  return MemberResult{m ? std::string(m->name) : std::string(written_id),
                      FormatMemberValue(dispid, result)};
}

}  // namespace datewell::host
