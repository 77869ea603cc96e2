#include "widget/qtdatewell_p.h"

#include <QCoreApplication>
#include <QResizeEvent>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "control/datewell.h"
#include "control/property_file.h"
#include "control/setting_error.h"
#include "control/variant_convert.h"
#include "platform/icu/icu_locale.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_variant.h"
#include "platform/system_clock.h"

namespace datewell {

namespace {

constexpr const char* kPlatformObjectName = "datewell-platform";
// Where saveSettings' map keeps the widget's own settings, and their keys.
constexpr const char* kWidgetSettingsKey = "widget";
constexpr const char* kLocalizedCaptionsKey = "localizedCaptions";

std::string Std(const QString& text) {
  return text.toUtf8().toStdString();
}
QString Q(const std::string& text) {
  return QString::fromUtf8(text.data(), text.size());
}

struct NamedControl {
  QtDatewell* control;
  std::string name;
};

// The controls of a form with the names their settings are kept under; two under one name are
// refused before the file is touched.
std::vector<NamedControl> FormControls(QWidget& form, const QString& path) {
  std::vector<NamedControl> controls;
  for (QtDatewell* c : form.findChildren<QtDatewell*>()) {
    std::string name = Std(c->controlName());
    for (const NamedControl& other : controls) {
      if (other.name == name) {
        throw HostError(kErrInvalidPropertyValue,
                        std::string(HostErrorDescription(kErrInvalidPropertyValue)) + ": file \"" +
                            Std(path) + "\", control \"" + name +
                            "\": two controls of the form keep their settings under this name; "
                            "give each its own objectName");
      }
    }
    controls.push_back({c, std::move(name)});
  }
  return controls;
}

}  // namespace

// ---- QtPlatform ------------------------------------------------------------------------------

QtPlatform::QtPlatform(const std::string& locale_name, QObject* parent)
    : QObject(parent),
      clock_(std::make_unique<SystemClock>()),
      desktop_(std::make_unique<QtDesktop>()),
      locale_(std::make_unique<IcuLocale>(*clock_, locale_name)) {
  desktop_->SetDateTexts([this](std::string_view text) { return locale_->RecogniseDate(text); },
                         [this](Date d) { return locale_->FormatDate(d, kLongDate); });
}

QtPlatform::~QtPlatform() = default;

QtPlatform& QtPlatform::ForApplication() {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) {
    throw std::logic_error("Datewell's Qt widget needs a QApplication");
  }
  if (auto* existing =
          app->findChild<QtPlatform*>(kPlatformObjectName, Qt::FindDirectChildrenOnly)) {
    return *existing;
  }
  auto* made = new QtPlatform("", app);  // owned by the application
  made->setObjectName(kPlatformObjectName);
  return *made;
}

Platform QtPlatform::platform() {
  return Platform{*desktop_, *desktop_, *locale_};
}

// ---- The component host ----------------------------------------------------------------------

class QtDatewellPrivate::Host final : public ComponentHost {
 public:
  explicit Host(QtDatewell& widget) : widget_(widget) {}

  void RaiseEvent(EventId id, std::span<std::int16_t* const> params) override {
    switch (id) {
      case EventId::Change:
        emit widget_.Change();
        widget_.d_->TextChanged();
        break;
      case EventId::Click:
        emit widget_.Click();
        break;
      case EventId::DblClick:
        emit widget_.DblClick();
        break;
      case EventId::Hide:
        emit widget_.Hide();
        break;
      case EventId::KeyDown:
        if (params.size() >= 2) {
          emit widget_.KeyDown(*params[0], *params[1]);
        }
        break;
      case EventId::KeyPress:
        if (!params.empty()) {
          emit widget_.KeyPress(*params[0]);
        }
        break;
      case EventId::KeyUp:
        if (params.size() >= 2) {
          emit widget_.KeyUp(*params[0], *params[1]);
        }
        break;
      case EventId::Resize:
        emit widget_.Resize();
        widget_.d_->AdoptHeight();  // the control may have changed its own height (a new font)
        break;
      case EventId::Show:
        emit widget_.Show();
        break;
    }
  }
  void PropertyChanged(std::string_view name) override {
    emit widget_.PropertyChanged(QString::fromUtf8(name.data(), name.size()));
    // The value setters rewrite the field: what they set is committed.
    if (name == "DateValue" || name == "StringValue" || name == "DateFormat") {
      widget_.d_->SyncDate();
    }
    widget_.d_->NotifyChanges();
  }
  FontRef AmbientFont() override {
    const QWidget* container = widget_.parentWidget() ? widget_.parentWidget() : &widget_;
    return std::make_shared<datewell::Font>(FromQFont(container->font()));
  }

 private:
  QtDatewell& widget_;
};

// ---- QtDatewell ------------------------------------------------------------------------------

QtDatewell::QtDatewell(QWidget* parent, const QString& name)
    : QtDatewell(QtPlatform::ForApplication(), parent, name) {}

QtDatewell::QtDatewell(QtPlatform& platform, QWidget* parent, const QString& name)
    : QWidget(parent), d_(std::make_unique<QtDatewellPrivate>(*this, platform, name)) {
  setObjectName(name);
  // Tab reaches it (and Qt Designer's tab order lists it), and the focus goes to its field; a
  // press on the face takes no focus.
  setFocusPolicy(Qt::TabFocus);
  resize(sizeHint());
  d_->Create(nullptr);
}

QtDatewell::~QtDatewell() {
  // The control goes first, while its widgets and the container still exist.
  d_->ReleaseField();
  d_->control.reset();
}

QtDatewell* QtDatewellPrivate::Create(QtPlatform& platform, QWidget* parent, const QString& name) {
  return new QtDatewell(platform, parent, name);
}

QtDatewellPrivate::QtDatewellPrivate(QtDatewell& widget, QtPlatform& platform, const QString& name)
    : q(widget), platform(platform), name(name), host(std::make_unique<Host>(widget)) {}

QtDatewellPrivate::~QtDatewellPrivate() = default;

void QtDatewellPrivate::Create(PropertyBag* bag) {
  if (bag && control) {
    // A load that fails leaves the control as it was: every entry is checked before it goes.
    Datewell::CheckProperties(*bag, platform.platform().locale);
  }
  // No notifications while the control is being built: they follow once it is complete.
  struct Building {
    bool& flag;
    explicit Building(bool& f) : flag(f) { flag = true; }
    ~Building() { flag = false; }
  };
  std::optional<Building> building(std::in_place, creating);
  ReleaseField();
  control.reset();
  QtDesktop& desk = platform.desktop();
  const Hwnd container = desk.RegisterContainer(&q, Std(name));
  auto surface = desk.CreateUserControl(container, "UserControl");
  control = std::make_unique<Datewell>(platform.platform(), *host, std::move(surface));
  if (bag) {
    control->ReadProperties(*bag);
  } else {
    control->InitProperties();
  }
  control->SetLocalizedCaptions(own.localized_captions);
  FitToSurface();
  // Shown with this widget: its shown handler runs when the widget itself appears.
  control->Inspect().surface->SetVisible(true);

  // Focus given to the widget goes to the field; the field's commits and selection are watched.
  field = qobject_cast<QLineEdit*>(desk.WidgetOf(control->Inspect().txtDate->hWnd()));
  if (field) {
    q.setFocusProxy(field);
    field->installEventFilter(&q);
    QObject::connect(field, &QLineEdit::selectionChanged, &q, [this] { NotifyChanges(); });
    QObject::connect(field, &QLineEdit::cursorPositionChanged, &q, [this] { NotifyChanges(); });
  }
  q.setEnabled(control->Enabled());
  building.reset();
  SyncDate();
  NotifyChanges();
}

void QtDatewellPrivate::WriteWidgetSettings(PropertyBag& bag) const {
  bag.WriteProperty(kLocalizedCaptionsKey, Variant(own.localized_captions), Variant(false));
}

QtDatewellPrivate::WidgetSettings QtDatewellPrivate::ReadWidgetSettings(PropertyBag& bag) {
  WidgetSettings settings;
  try {
    settings.localized_captions = ToBool(bag.ReadProperty(kLocalizedCaptionsKey, Variant(false)));
  } catch (const HostError& e) {
    throw SettingError(e.number(), kLocalizedCaptionsKey);
  }
  return settings;
}

void QtDatewellPrivate::ApplyWidgetSettings(const WidgetSettings& settings) {
  own = settings;
  control->SetLocalizedCaptions(own.localized_captions);
  NotifyChanges();
}

void QtDatewellPrivate::ReleaseField() {
  // The field goes with the control: nothing of the widget may watch it while it is destroyed.
  if (field) {
    field->removeEventFilter(&q);
    QObject::disconnect(field, nullptr, &q, nullptr);
  }
  q.setFocusProxy(nullptr);
  field = nullptr;
}

void QtDatewellPrivate::FitToSurface() {
  if (!control || fitting) {
    return;
  }
  UserControlSurface* surface = control->Inspect().surface;
  QtDesktop& desk = platform.desktop();
  fitting = true;
  surface->Size(static_cast<float>(q.width()) * desk.TwipsPerPixelX(),
                static_cast<float>(q.height()) * desk.TwipsPerPixelY());
  // The control keeps its own height: the widget takes it over.
  const int h = static_cast<int>(std::nearbyint(surface->Height() / desk.TwipsPerPixelY()));
  if (h > 0 && h != q.height()) {
    q.setFixedHeight(h);
  }
  fitting = false;
}

void QtDatewellPrivate::AdoptHeight() {
  if (!control || fitting) {
    return;
  }
  const UserControlSurface* surface = control->Inspect().surface;
  const int h =
      static_cast<int>(std::nearbyint(surface->Height() / platform.desktop().TwipsPerPixelY()));
  if (h > 0 && h != q.height()) {
    fitting = true;
    q.setFixedHeight(h);
    fitting = false;
  }
}

void QtDatewell::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  d_->FitToSurface();
}

QSize QtDatewell::sizeHint() const {
  if (d_ && d_->control) {
    const UserControlSurface* s = d_->control->Inspect().surface;
    auto& desk = d_->platform.desktop();
    return QSize(static_cast<int>(std::nearbyint(s->Width() / desk.TwipsPerPixelX())),
                 static_cast<int>(std::nearbyint(s->Height() / desk.TwipsPerPixelY())));
  }
  return QSize(121, 21);  // the design width, and the height of a field at 8 points
}

bool QtDatewell::localizedCaptions() const {
  return d_->own.localized_captions;
}
void QtDatewell::setLocalizedCaptions(bool on) {
  QtDatewellPrivate::WidgetSettings settings = d_->own;
  settings.localized_captions = on;
  d_->ApplyWidgetSettings(settings);
}

QString QtDatewell::version() const {
  return Q(d_->control->Version());
}
QVariant QtDatewell::dateValue() {
  return ToQVariant(d_->control->DateValue());
}
void QtDatewell::setDateValue(const QVariant& value) {
  d_->control->SetDateValue(FromQVariant(value));
}
QString QtDatewell::stringValue() const {
  return Q(d_->control->StringValue());
}
void QtDatewell::setStringValue(const QString& text) {
  d_->control->SetStringValue(Std(text));
}
int QtDatewell::dateFormat() const {
  return d_->control->DateFormat();
}
void QtDatewell::setDateFormat(int format) {
  d_->control->SetDateFormat(format);
}
bool QtDatewell::allowEmptyDate() const {
  return d_->control->AllowEmptyDate();
}
void QtDatewell::setAllowEmptyDate(bool allow) {
  d_->control->SetAllowEmptyDate(allow);
  d_->NotifyChanges();  // the control reports no change of this one
}
QFont QtDatewell::controlFont() const {
  const FontRef f = d_->control->Font();
  return f ? ToQFont(*f) : QFont();
}
void QtDatewell::setControlFont(const QFont& font) {
  d_->control->SetFont(std::make_shared<datewell::Font>(FromQFont(font)));
}
uint QtDatewell::foreColor() const {
  return d_->control->ForeColor();
}
void QtDatewell::setForeColor(uint color) {
  d_->control->SetForeColor(color);
}
uint QtDatewell::backColor() const {
  return d_->control->BackColor();
}
void QtDatewell::setBackColor(uint color) {
  d_->control->SetBackColor(color);
}
bool QtDatewell::fontUnderline() const {
  return d_->control->FontUnderline();
}
void QtDatewell::setFontUnderline(bool on) {
  d_->control->SetFontUnderline(on);
}
bool QtDatewell::fontTransparent() const {
  return d_->control->FontTransparent();
}
void QtDatewell::setFontTransparent(bool on) {
  d_->control->SetFontTransparent(on);
}
bool QtDatewell::fontStrikethru() const {
  return d_->control->FontStrikethru();
}
void QtDatewell::setFontStrikethru(bool on) {
  d_->control->SetFontStrikethru(on);
}
float QtDatewell::fontSize() const {
  return d_->control->FontSize();
}
void QtDatewell::setFontSize(float points) {
  d_->control->SetFontSize(points);
}
QString QtDatewell::fontName() const {
  return Q(d_->control->FontName());
}
void QtDatewell::setFontName(const QString& name) {
  d_->control->SetFontName(Std(name));
}
bool QtDatewell::fontItalic() const {
  return d_->control->FontItalic();
}
void QtDatewell::setFontItalic(bool on) {
  d_->control->SetFontItalic(on);
}
bool QtDatewell::fontBold() const {
  return d_->control->FontBold();
}
void QtDatewell::setFontBold(bool on) {
  d_->control->SetFontBold(on);
}
bool QtDatewell::selected() const {
  return d_->control->Selected();
}
void QtDatewell::setSelected(bool on) {
  d_->control->SetSelected(on);
}
int QtDatewell::selLength() const {
  return d_->control->SelLength();
}
void QtDatewell::setSelLength(int length) {
  d_->control->SetSelLength(length);
}
int QtDatewell::selStart() const {
  return d_->control->SelStart();
}
void QtDatewell::setSelStart(int start) {
  d_->control->SetSelStart(start);
}
QString QtDatewell::selText() const {
  return Q(d_->control->SelText());
}
void QtDatewell::setSelText(const QString& text) {
  d_->control->SetSelText(Std(text));
}
QString QtDatewell::toolTipText() const {
  return Q(d_->control->ToolTipText());
}
void QtDatewell::setToolTipText(const QString& text) {
  d_->control->SetToolTipText(Std(text));
}
int QtDatewell::whatsThisHelpID() const {
  return d_->control->WhatsThisHelpID();
}
void QtDatewell::setWhatsThisHelpID(int id) {
  d_->control->SetWhatsThisHelpID(id);
}
bool QtDatewell::dropped() const {
  return d_->control->Dropped();
}
void QtDatewell::setDropped(bool on) {
  d_->control->SetDropped(on);
}
bool QtDatewell::controlEnabled() const {
  return d_->control->Enabled();
}
void QtDatewell::setControlEnabled(bool on) {
  d_->control->SetEnabled(on);
  setEnabled(on);
}

void QtDatewell::Refresh() {
  d_->control->Refresh();
}

void QtDatewell::Size(double width, double height) {
  float w = static_cast<float>(width);
  float h = static_cast<float>(height);
  d_->control->Size(w, h);
  const UserControlSurface* s = d_->control->Inspect().surface;
  QtDesktop& desk = d_->platform.desktop();
  d_->fitting = true;
  const int px_w = static_cast<int>(std::nearbyint(s->Width() / desk.TwipsPerPixelX()));
  const int px_h = static_cast<int>(std::nearbyint(s->Height() / desk.TwipsPerPixelY()));
  setFixedHeight(px_h);
  resize(px_w, px_h);
  d_->fitting = false;
}

void QtDatewell::DropDown() {
  d_->control->DropDown();
}
void QtDatewell::CloseUp() {
  d_->control->CloseUp();
}
void QtDatewell::ShowAboutBox() {
  d_->control->ShowAboutBox();
}

QVariantMap QtDatewell::saveSettings() {
  ControlProperties props;
  d_->control->WriteProperties(props);
  QVariantMap map;
  for (const auto& [key, value] : props.Entries()) {
    map.insert(Q(key), ToQVariant(value));
  }
  ControlProperties own;
  d_->WriteWidgetSettings(own);
  if (!own.Entries().empty()) {
    QVariantMap widget;
    for (const auto& [key, value] : own.Entries()) {
      widget.insert(Q(key), ToQVariant(value));
    }
    map.insert(QLatin1String(kWidgetSettingsKey), widget);
  }
  return map;
}

void QtDatewell::loadSettings(const QVariantMap& settings) {
  // Every entry is converted before the control is touched, so a bad one changes nothing.
  ControlProperties props;
  ControlProperties own;
  for (auto it = settings.begin(); it != settings.end(); ++it) {
    if (it.key() == QLatin1String(kWidgetSettingsKey) &&
        it.value().metaType().id() == QMetaType::QVariantMap) {
      const QVariantMap widget = it.value().toMap();
      for (auto w = widget.begin(); w != widget.end(); ++w) {
        own.WriteProperty(Std(w.key()), FromQVariant(w.value()), Variant());
      }
    } else {
      props.WriteProperty(Std(it.key()), FromQVariant(it.value()), Variant());
    }
  }
  QtDatewellPrivate::WidgetSettings widget_settings;
  try {
    widget_settings = QtDatewellPrivate::ReadWidgetSettings(own);
    d_->Create(&props);
  } catch (const SettingError& e) {
    throw WithSource(e, "", Std(controlName()));
  }
  d_->ApplyWidgetSettings(widget_settings);
}

QString QtDatewell::controlName() const {
  return objectName().isEmpty() ? d_->name : objectName();
}

void QtDatewell::saveToFile(const QString& path) {
  PropertyFile file = PropertyFile::OpenOrCreate(Std(path));
  d_->control->WriteProperties(file.Write(Std(controlName())));
  d_->WriteWidgetSettings(file.WriteWidget(Std(controlName())));
  file.Save();
}

void QtDatewell::loadFromFile(const QString& path) {
  PropertyFile file = PropertyFile::Open(Std(path));
  ControlProperties& props = file.Read(Std(controlName()));  // checked in full before use
  QtDatewellPrivate::WidgetSettings widget_settings;
  try {
    widget_settings = QtDatewellPrivate::ReadWidgetSettings(file.ReadWidget(Std(controlName())));
    d_->Create(&props);
  } catch (const SettingError& e) {
    throw WithSource(e, Std(path), Std(controlName()));
  }
  d_->ApplyWidgetSettings(widget_settings);
}

void QtDatewell::saveForm(QWidget& form, const QString& path) {
  const std::vector<NamedControl> controls = FormControls(form, path);
  PropertyFile file = PropertyFile::OpenOrCreate(Std(path));
  for (const NamedControl& c : controls) {
    c.control->d_->control->WriteProperties(file.Write(c.name));
    c.control->d_->WriteWidgetSettings(file.WriteWidget(c.name));
  }
  file.Save();
}

void QtDatewell::loadForm(QWidget& form, const QString& path) {
  const std::vector<NamedControl> controls = FormControls(form, path);
  PropertyFile file = PropertyFile::Open(Std(path));
  std::vector<ControlProperties*> saved;
  for (const NamedControl& c : controls) {
    saved.push_back(&file.Read(c.name));
  }
  // Every control's settings are checked before any control changes.
  std::vector<QtDatewellPrivate::WidgetSettings> own(controls.size());
  std::size_t i = 0;
  try {
    for (i = 0; i < controls.size(); ++i) {
      QtDatewellPrivate& control = *controls[i].control->d_;
      Datewell::CheckProperties(*saved[i], control.platform.platform().locale);
      own[i] = QtDatewellPrivate::ReadWidgetSettings(file.ReadWidget(controls[i].name));
    }
    for (i = 0; i < controls.size(); ++i) {
      QtDatewellPrivate& control = *controls[i].control->d_;
      control.Create(saved[i]);
      control.ApplyWidgetSettings(own[i]);
    }
  } catch (const SettingError& e) {
    throw WithSource(e, Std(path), controls[i].name);
  }
}

}  // namespace datewell
