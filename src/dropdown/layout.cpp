#include <string>

#include "control/datewell.h"
#include "dropdown/layout_geometry.h"

namespace datewell {

namespace {

void Place(Widget& w, const DesignRect& r) {
  w.SetLeft(r.left);
  w.SetTop(r.top);
  w.SetWidth(r.width);
  w.SetHeight(r.height);
}

}  // namespace

// The widget tree with its design values, in creation order, then the handlers. Handlers are
// registered last so that the design values written here raise nothing to the host.
void Datewell::CreateConstituents() {
  UserControl->SetWidth(kDesignWidth);
  UserControl->SetHeight(kDesignHeight);

  cmdDefault = toolkit_.CreateCommandButton(*UserControl, "cmdDefault");
  Place(*cmdDefault, kCmdDefaultDesign);
  cmdDefault->SetCaption("OK");
  cmdDefault->SetDefault(true);
  cmdDefault->SetTabIndex(kTabCmdDefault);

  txtDate = toolkit_.CreateTextBox(*UserControl, "txtDate");
  Place(*txtDate, kTxtDateDesign);
  txtDate->SetBorderStyle(kBorderNone);  // the face's sunken edge frames it
  txtDate->SetForeColor(kColorWindowText);
  txtDate->SetBackColor(kColorWindowBackground);
  txtDate->SetText("Text1");
  txtDate->SetTabIndex(kTabTxtDate);

  lstSelectMonth = toolkit_.CreateListBox(*UserControl, "lstSelectMonth");
  lstSelectMonth->SetVisible(false);
  Place(*lstSelectMonth, kLstSelectMonthDesign);
  for (const std::string_view item : kDesignMonthList) {
    lstSelectMonth->AddItem(item);
  }
  lstSelectMonth->SetTabIndex(kTabLstSelectMonth);

  picCalendar = toolkit_.CreatePictureBox(*UserControl, "picCalendar");
  picCalendar->SetVisible(false);
  picCalendar->SetBorderStyle(kBorderNone);  // its client area is its whole size
  Place(*picCalendar, kPicCalendarDesign);
  picCalendar->SetBackColor(kColorWindowBackground);
  picCalendar->SetForeColor(kColorWindowText);
  picCalendar->SetTabIndex(kTabPicCalendar);

  cmdGotoToday = toolkit_.CreateCommandButton(*picCalendar, "cmdGotoToday");
  Place(*cmdGotoToday, kCmdGotoTodayDesign);
  cmdGotoToday->SetCaption(kTodayCaption);
  cmdGotoToday->SetTabIndex(kTabCmdGotoToday);

  lblMonthYear = toolkit_.CreateLabel(*picCalendar, "lblMonthYear");
  Place(*lblMonthYear, kLblMonthYearDesign);
  lblMonthYear->SetCaption(kDesignMonthCaption);
  lblMonthYear->SetAlignment(kAlignCenter);
  lblMonthYear->SetBackColor(kColorWindowBackground);
  lblMonthYear->SetForeColor(kColorWindowText);
  lblMonthYear->SetTabIndex(kTabLblMonthYear);

  Line2 = toolkit_.CreateLine(*picCalendar, "Line2");
  Line2->SetCoordinates(kLine2Design.x1, kLine2Design.y1, kLine2Design.x2, kLine2Design.y2);
  Line2->SetBorderColor(kGrey);

  Line1 = toolkit_.CreateLine(*picCalendar, "Line1");
  Line1->SetCoordinates(kLine1Design.x1, kLine1Design.y1, kLine1Design.x2, kLine1Design.y2);
  Line1->SetBorderColor(kGrey);

  // The label array is created from its last index down to 0.
  for (int i = kLabelCount - 1; i >= 0; --i) {
    auto label = toolkit_.CreateLabel(*picCalendar, "lblDate(" + std::to_string(i) + ")");
    Place(*label, DayLabelDesign(i));
    label->SetAlignment(kAlignRight);
    label->SetBackColor(kColorWindowBackground);
    if (i < kHeaderCount) {
      label->SetCaption(kWeekdayHeaders[static_cast<std::size_t>(i)]);
      label->SetForeColor(kColorWindowText);
    } else {
      const DesignDay sample = DesignSampleDay(i);
      label->SetCaption(std::to_string(sample.day));
      label->SetForeColor(sample.adjacent ? kGrey : kColorWindowText);
    }
    label->SetTabIndex(DayLabelTabIndex(i));
    lblDate[static_cast<std::size_t>(i)] = std::move(label);
  }

  UserControl->SetHandlers({
      .Resize = [this] { UserControl_Resize(); },
      .Paint = [this] { UserControl_Paint(); },
      .Show = [this] { UserControl_Show(); },
      .Hide = [this] { UserControl_Hide(); },
      .KeyDown = [this](KeyArgs& a) { UserControl_KeyDown(a); },
      .MouseDown = [this](MouseArgs& a) { UserControl_MouseDown(a); },
      .MouseUp = [this](MouseArgs& a) { UserControl_MouseUp(a); },
  });
  UserControl->SetKeyPreview(true);

  cmdDefault->SetHandlers({.Click = [this] { cmdDefault_Click(); }});

  txtDate->SetHandlers({
      .Change = [this] { txtDate_Change(); },
      .Click = [this] { txtDate_Click(); },
      .DblClick = [this] { txtDate_DblClick(); },
      .GotFocus = [this] { txtDate_GotFocus(); },
      .LostFocus = [this] { txtDate_LostFocus(); },
      .KeyDown = [this](KeyArgs& a) { txtDate_KeyDown(a); },
      .KeyUp = [this](KeyArgs& a) { txtDate_KeyUp(a); },
      .KeyPress = [this](KeyPressArgs& a) { txtDate_KeyPress(a); },
      .MouseDown = [this](MouseArgs& a) { txtDate_MouseDown(a); },
  });

  lstSelectMonth->SetHandlers({.MouseMove = [this](MouseArgs& a) { lstSelectMonth_MouseMove(a); }});

  picCalendar->SetHandlers({
      .GotFocus = [this] { picCalendar_GotFocus(); },
      .Paint = [this] { picCalendar_Paint(); },
      .MouseDown = [this](MouseArgs& a) { picCalendar_MouseDown(a); },
      .MouseMove = [this](MouseArgs& a) { picCalendar_MouseMove(a); },
      .MouseUp = [this](MouseArgs& a) { picCalendar_MouseUp(a); },
  });

  cmdGotoToday->SetHandlers({.Click = [this] { cmdGotoToday_Click(); }});

  lblMonthYear->SetHandlers({
      .Click = {},
      .MouseDown = [this](MouseArgs& a) { lblMonthYear_MouseDown(a); },
      .MouseMove = [this](MouseArgs& a) { lblMonthYear_MouseMove(a); },
      .MouseUp = [this](MouseArgs& a) { lblMonthYear_MouseUp(a); },
  });

  for (std::size_t i = 0; i < lblDate.size(); ++i) {
    LabelHandlers handlers;
    handlers.Click = [this, index = static_cast<std::int16_t>(i)] { lblDate_Click(index); };
    lblDate[i]->SetHandlers(std::move(handlers));
  }
}

}  // namespace datewell
