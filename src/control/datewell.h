#pragma once
// The Datewell control: a one-line date field with a drop button and a floating calendar panel.
//
// One object holds the handlers and procedures; their definitions live in the folder of the
// subsystem they belong to (control/, entry/, calendar/, dropdown/). Handlers are named after the
// widget and the event, procedures are capitalised words, fields carry m_. Widget state lives in
// the constituent widgets; the grid is the panel's only record of the month it shows.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/host.h"
#include "platform/locale.h"
#include "platform/toolkit.h"
#include "platform/types.h"
#include "platform/windowing.h"

namespace datewell {

// The display formats of the eDateFormat enumeration.
enum eDateFormat : std::int32_t { LongDate = 0, ShortDate = 1 };

inline constexpr int kDayCellFirst = 7;
inline constexpr int kDayCellLast = 48;
inline constexpr int kMidMonthCell = 23;  // always holds the 10th to the 16th of the shown month

class Datewell {
 public:
  // Creates the constituent widgets on the surface the host made for the control, then runs the
  // creation handler. The host then calls exactly one of InitProperties and ReadProperties.
  Datewell(const Platform& platform, ComponentHost& host,
           std::unique_ptr<UserControlSurface> surface);
  // Releases the mouse capture and closes the panel if it is open.
  ~Datewell();
  Datewell(const Datewell&) = delete;
  Datewell& operator=(const Datewell&) = delete;

  // ---- Lifecycle (persistence/) -------------------------------------------------------------
  void InitProperties();
  void ReadProperties(PropertyBag& bag);
  // Reads saved settings as ReadProperties does, touching no control, so that a host can refuse
  // a load before it replaces its control: a value no control can take raises ReadProperties'
  // error (a SettingError naming the key). A display format the control cannot show is left to
  // ReadProperties, which stops at that entry.
  static void CheckProperties(PropertyBag& bag, LocaleServices& locale);
  void WriteProperties(PropertyBag& bag);

  // ---- Public members ---------------------------------------------------------------------
  // Failures are raised as HostError.
  std::string Version() const;
  Variant DateValue();
  void SetDateValue(const Variant& value);
  std::string StringValue() const;
  void SetStringValue(std::string_view text);
  std::int32_t DateFormat() const;
  void SetDateFormat(std::int32_t format);
  bool AllowEmptyDate() const;
  void SetAllowEmptyDate(bool allow);
  FontRef Font() const;
  void SetFont(FontRef font);
  OleColor ForeColor() const;
  void SetForeColor(OleColor color);
  OleColor BackColor() const;
  void SetBackColor(OleColor color);
  bool FontUnderline() const;
  void SetFontUnderline(bool on);
  bool FontTransparent() const;
  void SetFontTransparent(bool on);
  bool FontStrikethru() const;
  void SetFontStrikethru(bool on);
  float FontSize() const;
  void SetFontSize(float points);
  std::string FontName() const;
  void SetFontName(std::string_view name);
  bool FontItalic() const;
  void SetFontItalic(bool on);
  bool FontBold() const;
  void SetFontBold(bool on);
  void Refresh();
  bool Selected() const;
  void SetSelected(bool on);
  std::int32_t SelLength() const;
  void SetSelLength(std::int32_t length);
  std::int32_t SelStart() const;
  void SetSelStart(std::int32_t start);
  std::string SelText() const;
  void SetSelText(std::string_view text);
  void Size(float& width, float& height);
  std::string ToolTipText() const;
  void SetToolTipText(std::string_view text);
  std::int32_t WhatsThisHelpID() const;
  void SetWhatsThisHelpID(std::int32_t id);
  bool Dropped() const;
  void SetDropped(bool on);
  bool Enabled() const;
  void SetEnabled(bool on);
  void DropDown();
  void CloseUp();
  void ShowAboutBox();

  // ---- Beside the type library's members --------------------------------------------------
  // Whether the panel's captions are in the user's language: the weekday headers the locale's
  // narrow weekday names, the Today button the locale's word for today, and the day cells in
  // the digits the locale writes its dates with. Off by default (the design captions). The
  // control does not save it with its settings: a host that offers it keeps it with its own.
  // The cells' Tags are the same either way.
  bool LocalizedCaptions() const { return m_LocalizedCaptions; }
  void SetLocalizedCaptions(bool on);

  // ---- Read access to the constituents, for hosts and tests that inspect the control ---------
  struct Constituents {
    UserControlSurface* surface;
    CommandButton* cmdDefault;
    TextBox* txtDate;
    ListBox* lstSelectMonth;
    PictureBox* picCalendar;
    CommandButton* cmdGotoToday;
    Label* lblMonthYear;
    LineShape* Line2;
    LineShape* Line1;
    std::array<Label*, 49> lblDate;
  };
  Constituents Inspect() const;
  const Variant& StoredValue() const { return m_Value; }
  Rect ButtonRectTwips() const { return ButtonRect; }
  bool IsButtonPressed() const { return ButtonPressed; }
  Point PanelPosition() const { return {PanelX, PanelY}; }
  Point ListPosition() const { return {ListX, ListY}; }

  // ---- Handlers and procedures ------------------------------------------------------------
  // Public so that backends' conformance tests and the automation host can drive one directly;
  // hosts use the members above.

  // entry/
  Date ParseDateText(std::string_view text);
  void txtDate_Change();
  void txtDate_Click();
  void txtDate_DblClick();
  void txtDate_KeyDown(KeyArgs& args);
  void txtDate_KeyPress(KeyPressArgs& args);
  void txtDate_KeyUp(KeyArgs& args);
  void txtDate_GotFocus();
  void txtDate_MouseDown(MouseArgs& args);
  void txtDate_LostFocus();
  void cmdDefault_Click();

  // calendar/
  void FillMonthGrid(Date d);
  void HighlightDay(std::int16_t index);
  void lblDate_Click(std::int16_t index);
  void DayCellFromPoint(float x, float y);
  void cmdGotoToday_Click();
  void picCalendar_GotFocus();
  void picCalendar_Paint();
  void picCalendar_MouseDown(MouseArgs& args);
  void picCalendar_MouseMove(MouseArgs& args);
  void picCalendar_MouseUp(MouseArgs& args);
  void StepMonth(int months);
  void lblMonthYear_MouseDown(MouseArgs& args);
  void lblMonthYear_MouseMove(MouseArgs& args);
  void lblMonthYear_MouseUp(MouseArgs& args);
  void lstSelectMonth_MouseMove(MouseArgs& args);

  // dropdown/
  void UserControl_Initialize();
  void UserControl_Show();
  void UserControl_Hide();
  void UserControl_KeyDown(KeyArgs& args);
  void UserControl_Resize();
  void UserControl_Paint();
  void UserControl_MouseDown(MouseArgs& args);
  void UserControl_MouseUp(MouseArgs& args);
  void SetExtendedStyle(Hwnd hwnd, bool set, std::int32_t style);
  void PositionCalendar();
  void OpenCalendar();
  void ShowCalendar(Hwnd hwnd, bool visible);

 private:
  // dropdown/layout.cpp: the widget tree with its design values and handlers.
  void CreateConstituents();
  // control/events.cpp: raise an event to the host as the first action of a handler.
  void RaiseEvent(EventId id);
  void RaiseEvent(EventId id, std::int16_t& a);
  void RaiseEvent(EventId id, std::int16_t& a, std::int16_t& b);
  // The text of a date in the current display format.
  std::string FormatForField(Date d);
  // A day cell's caption for a day of the month: plain digits, or the locale's when the captions
  // are localised.
  std::string DayCaption(int day_of_month);

  Platform platform_;
  ComponentHost& host_;
  Toolkit& toolkit_ = platform_.toolkit;
  Windowing& windowing_ = platform_.windowing;
  LocaleServices& locale_ = platform_.locale;

  // Constituents, in creation order; members are destroyed in reverse, children first.
  std::unique_ptr<UserControlSurface> UserControl;
  std::unique_ptr<CommandButton> cmdDefault;
  std::unique_ptr<TextBox> txtDate;
  std::unique_ptr<ListBox> lstSelectMonth;
  std::unique_ptr<PictureBox> picCalendar;
  std::unique_ptr<CommandButton> cmdGotoToday;
  std::unique_ptr<Label> lblMonthYear;
  std::unique_ptr<LineShape> Line2;
  std::unique_ptr<LineShape> Line1;
  std::array<std::unique_ptr<Label>, 49> lblDate;

  // Value model.
  Variant m_Value;  // empty kind until InitProperties or ReadProperties
  std::int32_t m_DateFormat = LongDate;
  std::string m_FormatName;
  bool m_AllowEmptyDate = false;
  bool m_LocalizedCaptions = false;

  // Stored flags.
  bool m_Selected = false;
  bool m_Dropped = false;
  bool m_FontBold = false;
  bool m_FontTransparent = false;

  // Day selection.
  std::int16_t m_SelectedDay = 0;
  OleColor m_SavedForeColor = 0;
  OleColor m_SavedBackColor = 0;
  std::int16_t m_SavedBorderStyle = 0;

  // Panel placement, in screen pixels.
  std::int32_t PanelX = 0;
  std::int32_t PanelY = 0;
  std::int32_t ListX = 0;
  std::int32_t ListY = 0;

  // Control face.
  Rect ButtonRect;  // twips of the control's client area
  bool ButtonPressed = false;

  // The panel's paint handler does not run inside itself.
  bool m_Painting = false;
};

}  // namespace datewell
