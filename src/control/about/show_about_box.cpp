#include "control/about/frm_about.h"
#include "control/datewell.h"

namespace datewell {

// The About box: shown modally, then released; the control's state is not touched.
void Datewell::ShowAboutBox() {
  datewell::ShowAboutBox(toolkit_);
}

}  // namespace datewell
