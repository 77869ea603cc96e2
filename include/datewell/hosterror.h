#pragma once
// The error a Datewell member raises to its caller: the host's error number and its standard
// description (94, "Invalid use of Null").

#include <stdexcept>
#include <string>

#include "datewell/export.h"

namespace datewell {

class DATEWELL_EXPORT HostError : public std::runtime_error {
 public:
  explicit HostError(int number);
  HostError(int number, const std::string& description);
  int number() const { return number_; }
  std::string description() const { return what(); }

 private:
  int number_;
};

inline constexpr int kErrInvalidProcedureCall = 5;  // "Invalid procedure call or argument"
inline constexpr int kErrOverflow = 6;              // "Overflow"
inline constexpr int kErrTypeMismatch = 13;         // "Type mismatch"
inline constexpr int kErrInvalidUseOfNull = 94;     // "Invalid use of Null"
inline constexpr int kErrInvalidPropertyValue = 380;
inline constexpr int kErrObjectRequired = 424;
inline constexpr int kErrMemberNotFound = 438;  // "Object doesn't support this property or method"

}  // namespace datewell
