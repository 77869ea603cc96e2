#include "platform/qt/qt_datewell.h"

#include <QCoreApplication>
#include <QResizeEvent>
#include <cmath>
#include <stdexcept>

#include "control/datewell.h"
#include "control/property_file.h"
#include "platform/icu/icu_locale.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_variant.h"
#include "platform/system_clock.h"

namespace datewell {

namespace {

constexpr const char* kPlatformObjectName = "datewell-platform";

std::string Std(const QString& text) {
  return text.toUtf8().toStdString();
}
QString Q(const std::string& text) {
  return QString::fromUtf8(text.data(), text.size());
}

}  // namespace

// ---- QtPlatform ------------------------------------------------------------------------------

QtPlatform::QtPlatform(const std::string& locale_name, QObject* parent)
    : QObject(parent),
      clock_(std::make_unique<SystemClock>()),
      desktop_(std::make_unique<QtDesktop>()),
      locale_(std::make_unique<IcuLocale>(*clock_, locale_name)) {}

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

class QtDatewell::Host final : public ComponentHost {
 public:
  explicit Host(QtDatewell& widget) : widget_(widget) {}

  void RaiseEvent(EventId id, std::span<std::int16_t* const> params) override {
    switch (id) {
      case EventId::Change:
        emit widget_.Change();
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
        widget_.AdoptHeight();  // the control may have changed its own height (a new font)
        break;
      case EventId::Show:
        emit widget_.Show();
        break;
    }
  }
  void PropertyChanged(std::string_view name) override {
    emit widget_.PropertyChanged(QString::fromUtf8(name.data(), name.size()));
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
    : QWidget(parent), platform_(platform), name_(name), host_(std::make_unique<Host>(*this)) {
  setObjectName(name);
  setFocusPolicy(Qt::NoFocus);
  resize(sizeHint());
  Create(nullptr);
}

QtDatewell::~QtDatewell() {
  // The control goes first, while its widgets and the container still exist.
  control_.reset();
}

QtDesktop& QtDatewell::desktop() {
  return platform_.desktop();
}

void QtDatewell::Create(PropertyBag* bag) {
  control_.reset();
  QtDesktop& desk = platform_.desktop();
  const Hwnd container = desk.RegisterContainer(this, Std(name_));
  auto surface = desk.CreateUserControl(container, "UserControl");
  control_ = std::make_unique<Datewell>(platform_.platform(), *host_, std::move(surface));
  if (bag) {
    control_->ReadProperties(*bag);
  } else {
    control_->InitProperties();
  }
  FitToSurface();
  // Shown with this widget: its shown handler runs when the widget itself appears.
  control_->Inspect().surface->SetVisible(true);
}

void QtDatewell::FitToSurface() {
  if (!control_ || fitting_) {
    return;
  }
  UserControlSurface* surface = control_->Inspect().surface;
  QtDesktop& desk = platform_.desktop();
  const double dpr = devicePixelRatioF() > 0 ? devicePixelRatioF() : 1.0;
  fitting_ = true;
  surface->Size(static_cast<float>(width() * dpr) * desk.TwipsPerPixelX(),
                static_cast<float>(height() * dpr) * desk.TwipsPerPixelY());
  // The control keeps its own height: the widget takes it over.
  const int h = static_cast<int>(
      std::lround(std::nearbyint(surface->Height() / desk.TwipsPerPixelY()) / dpr));
  if (h > 0 && h != height()) {
    setFixedHeight(h);
  }
  fitting_ = false;
}

void QtDatewell::AdoptHeight() {
  if (!control_ || fitting_) {
    return;
  }
  const UserControlSurface* surface = control_->Inspect().surface;
  const double dpr = devicePixelRatioF() > 0 ? devicePixelRatioF() : 1.0;
  const int h = static_cast<int>(
      std::lround(std::nearbyint(surface->Height() / platform_.desktop().TwipsPerPixelY()) / dpr));
  if (h > 0 && h != height()) {
    fitting_ = true;
    setFixedHeight(h);
    fitting_ = false;
  }
}

void QtDatewell::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FitToSurface();
}

QSize QtDatewell::sizeHint() const {
  if (control_) {
    const UserControlSurface* s = control_->Inspect().surface;
    auto& desk = const_cast<QtPlatform&>(platform_).desktop();
    return QSize(static_cast<int>(std::nearbyint(s->Width() / desk.TwipsPerPixelX())),
                 static_cast<int>(std::nearbyint(s->Height() / desk.TwipsPerPixelY())));
  }
  return QSize(121, 21);  // the design width, and the height of a field at 8 points
}

QString QtDatewell::version() const {
  return Q(control_->Version());
}
QVariant QtDatewell::dateValue() {
  return ToQVariant(control_->DateValue());
}
void QtDatewell::setDateValue(const QVariant& value) {
  control_->SetDateValue(FromQVariant(value));
}
QString QtDatewell::stringValue() const {
  return Q(control_->StringValue());
}
void QtDatewell::setStringValue(const QString& text) {
  control_->SetStringValue(Std(text));
}
int QtDatewell::dateFormat() const {
  return control_->DateFormat();
}
void QtDatewell::setDateFormat(int format) {
  control_->SetDateFormat(format);
}
bool QtDatewell::allowEmptyDate() const {
  return control_->AllowEmptyDate();
}
void QtDatewell::setAllowEmptyDate(bool allow) {
  control_->SetAllowEmptyDate(allow);
}
QFont QtDatewell::controlFont() const {
  const FontRef f = control_->Font();
  return f ? ToQFont(*f) : QFont();
}
void QtDatewell::setControlFont(const QFont& font) {
  control_->SetFont(std::make_shared<datewell::Font>(FromQFont(font)));
}
uint QtDatewell::foreColor() const {
  return control_->ForeColor();
}
void QtDatewell::setForeColor(uint color) {
  control_->SetForeColor(color);
}
uint QtDatewell::backColor() const {
  return control_->BackColor();
}
void QtDatewell::setBackColor(uint color) {
  control_->SetBackColor(color);
}
bool QtDatewell::fontUnderline() const {
  return control_->FontUnderline();
}
void QtDatewell::setFontUnderline(bool on) {
  control_->SetFontUnderline(on);
}
bool QtDatewell::fontTransparent() const {
  return control_->FontTransparent();
}
void QtDatewell::setFontTransparent(bool on) {
  control_->SetFontTransparent(on);
}
bool QtDatewell::fontStrikethru() const {
  return control_->FontStrikethru();
}
void QtDatewell::setFontStrikethru(bool on) {
  control_->SetFontStrikethru(on);
}
float QtDatewell::fontSize() const {
  return control_->FontSize();
}
void QtDatewell::setFontSize(float points) {
  control_->SetFontSize(points);
}
QString QtDatewell::fontName() const {
  return Q(control_->FontName());
}
void QtDatewell::setFontName(const QString& name) {
  control_->SetFontName(Std(name));
}
bool QtDatewell::fontItalic() const {
  return control_->FontItalic();
}
void QtDatewell::setFontItalic(bool on) {
  control_->SetFontItalic(on);
}
bool QtDatewell::fontBold() const {
  return control_->FontBold();
}
void QtDatewell::setFontBold(bool on) {
  control_->SetFontBold(on);
}
bool QtDatewell::selected() const {
  return control_->Selected();
}
void QtDatewell::setSelected(bool on) {
  control_->SetSelected(on);
}
int QtDatewell::selLength() const {
  return control_->SelLength();
}
void QtDatewell::setSelLength(int length) {
  control_->SetSelLength(length);
}
int QtDatewell::selStart() const {
  return control_->SelStart();
}
void QtDatewell::setSelStart(int start) {
  control_->SetSelStart(start);
}
QString QtDatewell::selText() const {
  return Q(control_->SelText());
}
void QtDatewell::setSelText(const QString& text) {
  control_->SetSelText(Std(text));
}
QString QtDatewell::toolTipText() const {
  return Q(control_->ToolTipText());
}
void QtDatewell::setToolTipText(const QString& text) {
  control_->SetToolTipText(Std(text));
}
int QtDatewell::whatsThisHelpID() const {
  return control_->WhatsThisHelpID();
}
void QtDatewell::setWhatsThisHelpID(int id) {
  control_->SetWhatsThisHelpID(id);
}
bool QtDatewell::dropped() const {
  return control_->Dropped();
}
void QtDatewell::setDropped(bool on) {
  control_->SetDropped(on);
}
bool QtDatewell::controlEnabled() const {
  return control_->Enabled();
}
void QtDatewell::setControlEnabled(bool on) {
  control_->SetEnabled(on);
}

void QtDatewell::Refresh() {
  control_->Refresh();
}

void QtDatewell::Size(double width, double height) {
  float w = static_cast<float>(width);
  float h = static_cast<float>(height);
  control_->Size(w, h);
  const UserControlSurface* s = control_->Inspect().surface;
  QtDesktop& desk = platform_.desktop();
  const double dpr = devicePixelRatioF() > 0 ? devicePixelRatioF() : 1.0;
  fitting_ = true;
  const int px_w =
      static_cast<int>(std::lround(std::nearbyint(s->Width() / desk.TwipsPerPixelX()) / dpr));
  const int px_h =
      static_cast<int>(std::lround(std::nearbyint(s->Height() / desk.TwipsPerPixelY()) / dpr));
  setFixedHeight(px_h);
  resize(px_w, px_h);
  fitting_ = false;
}

void QtDatewell::DropDown() {
  control_->DropDown();
}
void QtDatewell::CloseUp() {
  control_->CloseUp();
}
void QtDatewell::ShowAboutBox() {
  control_->ShowAboutBox();
}

QVariantMap QtDatewell::saveSettings() {
  ControlProperties props;
  control_->WriteProperties(props);
  QVariantMap map;
  for (const auto& [key, value] : props.Entries()) {
    map.insert(Q(key), ToQVariant(value));
  }
  return map;
}

void QtDatewell::loadSettings(const QVariantMap& settings) {
  // Every entry is converted before the control is touched, so a bad one changes nothing.
  ControlProperties props;
  for (auto it = settings.begin(); it != settings.end(); ++it) {
    props.WriteProperty(Std(it.key()), FromQVariant(it.value()), Variant());
  }
  Create(&props);
}

void QtDatewell::saveToFile(const QString& path) {
  PropertyFile file = PropertyFile::OpenOrCreate(Std(path));
  control_->WriteProperties(file.Write(Std(name_)));
  file.Save();
}

void QtDatewell::loadFromFile(const QString& path) {
  PropertyFile file = PropertyFile::Open(Std(path));
  ControlProperties& props = file.Read(Std(name_));  // checked in full before use
  Create(&props);
}

}  // namespace datewell
