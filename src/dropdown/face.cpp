#include "calendar/twips.h"
#include "control/datewell.h"
#include "dropdown/face_geometry.h"

namespace datewell {

namespace {

constexpr std::uint32_t kButtonUp = DFCS_SCROLLDOWN;
constexpr std::uint32_t kButtonDown = DFCS_SCROLLDOWN | DFCS_PUSHED;

}  // namespace

// The control face: fixed height, sunken frame and drop button.
void Datewell::UserControl_Resize() {
  RaiseEvent(EventId::Resize);
  const float tx = toolkit_.TwipsPerPixelX();
  const float ty = toolkit_.TwipsPerPixelY();
  const FaceLayout layout = ComputeFaceLayout(UserControl->Width(), tx, ty);
  txtDate->SetWidth(layout.txt_width);
  txtDate->SetHeight(layout.txt_height);
  // The button's hit rectangle follows the text field as laid out for this width: taken from
  // the width before the update, a control made narrower would get a rectangle whose left lies
  // right of its right, and a drop button no press opens.
  ButtonRect = DropButtonHitRect(txtDate->Left(), txtDate->Width(), UserControl->Width(),
                                 UserControl->Height(), tx, ty);
  // A height other than the current one runs this handler again, which lays the face out for
  // the forced height.
  UserControl->SetHeight(layout.control_height);
  UserControl_Paint();
}

void Datewell::UserControl_Paint() {
  const float tx = toolkit_.TwipsPerPixelX();
  const float ty = toolkit_.TwipsPerPixelY();
  const auto scroll_arrow = static_cast<std::int16_t>(windowing_.GetSystemMetrics(SM_CYHSCROLL));
  const auto border = static_cast<std::int16_t>(windowing_.GetSystemMetrics(SM_CXBORDER));
  FacePaintRects rects = ComputeFacePaintRects(UserControl->Width(), UserControl->Height(), tx, ty,
                                               scroll_arrow, border);
  const Hdc hdc = UserControl->hDC();
  windowing_.DrawFrameControl(hdc, rects.button, DFC_SCROLL,
                              ButtonPressed ? kButtonDown : kButtonUp);
  windowing_.DrawEdge(hdc, rects.edge, EDGE_SUNKEN, BF_RECT);
}

void Datewell::UserControl_MouseDown(MouseArgs& args) {
  // Any mouse button acts.
  const Point at{RoundHalfEven(args.x), RoundHalfEven(args.y)};
  if (!PtInRect(ButtonRect, at)) {
    return;
  }
  ButtonPressed = true;
  UserControl_Paint();
  OpenCalendar();
}

void Datewell::UserControl_MouseUp(MouseArgs&) {
  ButtonPressed = false;
  UserControl_Paint();
}

}  // namespace datewell
