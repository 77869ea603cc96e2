#pragma once
// The dispatch entry point: any member of the default interface _Datewell invoked by dispatch
// id and kind, with its arguments converted the way an automation host converts them (a 16-bit
// integer where a Boolean is wanted, a text where a number is, ...). Argument types come from
// the type library (typelib.h).
//
// Errors, raised as HostError:
//   438 "Object doesn't support this property or method"  unknown dispatch id, or a kind the
//        member does not have (a put on Version, a get on DropDown, a let on Font)
//   450 "Wrong number of arguments or invalid property assignment"  wrong argument count
//    13 "Type mismatch"  an argument that has no conversion to the member's type (a text that
//        is no number, an object where a number is wanted, no font object for Font)
//   424 "Object required"  putref of Font with nothing
//   and the conversion errors of variant_convert.h (94, 6, 5) and whatever the member raises.

#include <cstdint>
#include <span>

#include "control/datewell.h"
#include "platform/locale.h"
#include "platform/types.h"

namespace datewell {

enum class InvokeKind { Get, Put, PutRef, Method };

inline constexpr int kErrWrongArgumentCount = 450;

// Invokes the member with that dispatch id. args are the arguments in declaration order; a put
// or putref takes exactly one, the new value. By-reference arguments (Size's Width and Height,
// DateFormat's value) are written back converted to their declared type. Returns the result of
// a get (Booleans as Boolean, colours as 32-bit integers, DateFormat as a 32-bit integer, Font
// as the very font object), and the empty variant for puts and methods. locale converts dates
// to text where a text is wanted.
Variant Invoke(Datewell& control, LocaleServices& locale, std::int32_t dispid, InvokeKind kind,
               std::span<Variant> args);

}  // namespace datewell
