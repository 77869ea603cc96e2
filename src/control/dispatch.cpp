#include "control/dispatch.h"

#include <string>
#include <vector>

#include "control/typelib.h"
#include "control/variant_convert.h"

namespace datewell {
namespace {

using typelib::Member;
using typelib::Type;

// The argument converted to the declared type, as the variant kind that type travels in.
Variant Convert(const Variant& arg, Type type, LocaleServices& locale) {
  switch (type) {
    case Type::Boolean:
      return Variant(ToBool(arg));
    case Type::Int16:
      return Variant(ToInt16(arg));
    case Type::Int32:
    case Type::DateFormat:
      return Variant(ToInt32(arg));
    case Type::Single:
      return Variant(ToFloat(arg));
    case Type::String:
      return Variant(ToString(arg, locale));
    case Type::OleColor:
      return ColorVariant(ToColor(arg));
    case Type::Font:
      if (arg.is(VarKind::Nothing) || (arg.is(VarKind::Font) && !arg.font())) {
        throw HostError(kErrObjectRequired);
      }
      if (!arg.is(VarKind::Font)) {
        throw HostError(kErrTypeMismatch);
      }
      return arg;
    case Type::Variant:
    case Type::Void:
      return arg;
  }
  return arg;
}

std::uint8_t AccessOf(InvokeKind kind) {
  switch (kind) {
    case InvokeKind::Get:
      return typelib::kGet;
    case InvokeKind::Put:
      return typelib::kLet;
    case InvokeKind::PutRef:
      return typelib::kSetRef;
    case InvokeKind::Method:
      return typelib::kMethod;
  }
  return 0;
}

Variant Get(Datewell& c, const Member& m) {
  const std::string_view n = m.name;
  if (n == "Version")
    return Variant(c.Version());
  if (n == "DateValue")
    return c.DateValue();
  if (n == "StringValue")
    return Variant(c.StringValue());
  if (n == "DateFormat")
    return Variant(c.DateFormat());
  if (n == "Font")
    return Variant(c.Font());
  if (n == "ForeColor")
    return ColorVariant(c.ForeColor());
  if (n == "BackColor")
    return ColorVariant(c.BackColor());
  if (n == "FontUnderline")
    return Variant(c.FontUnderline());
  if (n == "FontTransparent")
    return Variant(c.FontTransparent());
  if (n == "FontStrikethru")
    return Variant(c.FontStrikethru());
  if (n == "FontSize")
    return Variant(c.FontSize());
  if (n == "FontName")
    return Variant(c.FontName());
  if (n == "FontItalic")
    return Variant(c.FontItalic());
  if (n == "FontBold")
    return Variant(c.FontBold());
  if (n == "Selected")
    return Variant(c.Selected());
  if (n == "SelLength")
    return Variant(c.SelLength());
  if (n == "SelStart")
    return Variant(c.SelStart());
  if (n == "SelText")
    return Variant(c.SelText());
  if (n == "ToolTipText")
    return Variant(c.ToolTipText());
  if (n == "WhatsThisHelpID")
    return Variant(c.WhatsThisHelpID());
  if (n == "Dropped")
    return Variant(c.Dropped());
  if (n == "Enabled")
    return Variant(c.Enabled());
  if (n == "AllowEmptyDate")
    return Variant(c.AllowEmptyDate());
  throw HostError(kErrMemberNotFound);
}

// v is already converted to the member's type.
void Put(Datewell& c, const Member& m, const Variant& v) {
  const std::string_view n = m.name;
  if (n == "DateValue")
    return c.SetDateValue(v);
  if (n == "StringValue")
    return c.SetStringValue(v.string());
  if (n == "DateFormat")
    return c.SetDateFormat(v.long_());
  if (n == "Font")
    return c.SetFont(v.font());
  if (n == "ForeColor")
    return c.SetForeColor(static_cast<OleColor>(v.long_()));
  if (n == "BackColor")
    return c.SetBackColor(static_cast<OleColor>(v.long_()));
  if (n == "FontUnderline")
    return c.SetFontUnderline(v.boolean());
  if (n == "FontTransparent")
    return c.SetFontTransparent(v.boolean());
  if (n == "FontStrikethru")
    return c.SetFontStrikethru(v.boolean());
  if (n == "FontSize")
    return c.SetFontSize(v.single());
  if (n == "FontName")
    return c.SetFontName(v.string());
  if (n == "FontItalic")
    return c.SetFontItalic(v.boolean());
  if (n == "FontBold")
    return c.SetFontBold(v.boolean());
  if (n == "Selected")
    return c.SetSelected(v.boolean());
  if (n == "SelLength")
    return c.SetSelLength(v.long_());
  if (n == "SelStart")
    return c.SetSelStart(v.long_());
  if (n == "SelText")
    return c.SetSelText(v.string());
  if (n == "ToolTipText")
    return c.SetToolTipText(v.string());
  if (n == "WhatsThisHelpID")
    return c.SetWhatsThisHelpID(v.long_());
  if (n == "Dropped")
    return c.SetDropped(v.boolean());
  if (n == "Enabled")
    return c.SetEnabled(v.boolean());
  if (n == "AllowEmptyDate")
    return c.SetAllowEmptyDate(v.boolean());
  throw HostError(kErrMemberNotFound);
}

void Call(Datewell& c, const Member& m, std::span<Variant> args) {
  const std::string_view n = m.name;
  if (n == "DropDown")
    return c.DropDown();
  if (n == "CloseUp")
    return c.CloseUp();
  if (n == "ShowAboutBox")
    return c.ShowAboutBox();
  if (n == "Refresh")
    return c.Refresh();
  if (n == "Size") {
    float width = args[0].single();
    float height = args[1].single();
    c.Size(width, height);
    args[0] = Variant(width);
    args[1] = Variant(height);
    return;
  }
  throw HostError(kErrMemberNotFound);
}

void CheckCount(std::size_t given, std::size_t wanted) {
  if (given != wanted) {
    throw HostError(kErrWrongArgumentCount,
                    "Wrong number of arguments or invalid property assignment");
  }
}

}  // namespace

Variant Invoke(Datewell& control, LocaleServices& locale, std::int32_t dispid, InvokeKind kind,
               std::span<Variant> args) {
  const Member* member = typelib::FindMember(dispid);
  if (member == nullptr || (member->access & AccessOf(kind)) == 0) {
    throw HostError(kErrMemberNotFound);
  }
  switch (kind) {
    case InvokeKind::Get:
      CheckCount(args.size(), 0);
      return Get(control, *member);
    case InvokeKind::Put:
    case InvokeKind::PutRef: {
      CheckCount(args.size(), 1);
      Variant value = Convert(args[0], member->type, locale);
      if (member->let_by_ref) {
        args[0] = value;
      }
      Put(control, *member, value);
      return Variant();
    }
    case InvokeKind::Method: {
      CheckCount(args.size(), member->params.size());
      // Convert every argument before the call, so that a bad one changes nothing.
      std::vector<Variant> converted;
      for (std::size_t i = 0; i < args.size(); ++i) {
        converted.push_back(Convert(args[i], member->params[i].type, locale));
      }
      Call(control, *member, converted);
      for (std::size_t i = 0; i < args.size(); ++i) {
        if (member->params[i].by_ref) {
          args[i] = converted[i];
        }
      }
      return Variant();
    }
  }
  throw HostError(kErrMemberNotFound);
}

}  // namespace datewell
