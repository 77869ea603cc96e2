#include "desktop.h"

namespace datewell::host {

#ifdef DATEWELL_HOST_WITH_QT
std::unique_ptr<Desktop> MakeQtDesktop();
#endif

std::unique_ptr<Desktop> MakeDesktop(std::string_view platform) {
  if (platform == "headless") {
    return MakeHeadlessDesktop();
  }
#ifdef DATEWELL_HOST_WITH_QT
  if (platform == "qt") {
    return MakeQtDesktop();
  }
#endif
  return nullptr;
}

std::string_view KnownPlatforms() {
#ifdef DATEWELL_HOST_WITH_QT
  return "headless, qt";
#else
  return "headless";
#endif
}

}  // namespace datewell::host
