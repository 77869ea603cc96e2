#include "demo_form.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMetaProperty>
#include <QPushButton>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleFactory>
#include <QVBoxLayout>
#include <algorithm>

#include "control/datewell.h"
#include "platform/types.h"

namespace datewell::demo {

namespace {

QString ValueText(const QVariant& v) {
  if (!v.isValid()) {
    return QStringLiteral("(empty)");
  }
  if (v.metaType().id() == QMetaType::Nullptr) {
    return QStringLiteral("(null)");
  }
  if (v.metaType().id() == QMetaType::QFont) {
    const QFont f = v.value<QFont>();
    return QStringLiteral("%1, %2 pt").arg(f.family()).arg(f.pointSizeF());
  }
  if (v.metaType().id() == QMetaType::UInt) {
    return QStringLiteral("&H%1").arg(v.toUInt(), 8, 16, QLatin1Char('0')).toUpper();
  }
  return v.toString();
}

// A dark palette for the Fusion style: light text on dark greys. Button and window colours give
// the shades (light, midlight, mid, dark, shadow) that edges are drawn with.
QPalette DarkPalette() {
  const QColor window(0x2d, 0x2d, 0x2d);
  const QColor base(0x1e, 0x1e, 0x1e);
  const QColor text(0xe8, 0xe8, 0xe8);
  const QColor disabled(0x80, 0x80, 0x80);
  QPalette p(QColor(0x3c, 0x3c, 0x3c), window);
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::Base, base);
  p.setColor(QPalette::AlternateBase, window);
  p.setColor(QPalette::Text, text);
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::BrightText, QColor(0xff, 0x60, 0x60));
  p.setColor(QPalette::ToolTipBase, window);
  p.setColor(QPalette::ToolTipText, text);
  p.setColor(QPalette::PlaceholderText, disabled);
  p.setColor(QPalette::Highlight, QColor(0x3a, 0x7b, 0xd5));
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::Link, QColor(0x6a, 0xb0, 0xf3));
  for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    p.setColor(QPalette::Disabled, role, disabled);
  }
  return p;
}

}  // namespace

DemoForm::DemoForm(QString settings_path, QWidget* parent)
    : QWidget(parent), settings_path_(std::move(settings_path)) {
  setWindowTitle(QStringLiteral("Datewell demo"));
  setObjectName(QStringLiteral("frmDemo"));

  auto* fields = new QGroupBox(QStringLiteral("Dates"));
  auto* form = new QFormLayout(fields);
  auto* first = new QtDatewell(this, QStringLiteral("Datewell1"));
  auto* second = new QtDatewell(this, QStringLiteral("Datewell2"));
  second->setDateFormat(ShortDate);
  second->setAllowEmptyDate(true);
  second->setStringValue(QString());
  first->setMinimumWidth(220);
  second->setMinimumWidth(220);
  form->addRow(QStringLiteral("Long date:"), first);
  form->addRow(QStringLiteral("Short date, may be empty:"), second);
  controls_ = {first, second};

  // The corner control sits outside the layout, near the form's bottom-right corner.
  auto* corner = new QtDatewell(this, QStringLiteral("Datewell3"));
  corner->setToolTipText(QStringLiteral("Its panel opens above and is pulled left"));
  corner->resize(160, corner->height());
  controls_.push_back(corner);

  log_ = new QPlainTextEdit;
  log_->setReadOnly(true);
  log_->setMaximumBlockCount(2000);

  auto* chooser = new QComboBox;
  for (QtDatewell* c : controls_) {
    chooser->addItem(c->controlName());
  }
  sheet_ = new QTableWidget(0, 2);
  sheet_->setHorizontalHeaderLabels({QStringLiteral("Property"), QStringLiteral("Value")});
  sheet_->horizontalHeader()->setStretchLastSection(true);
  sheet_->verticalHeader()->hide();
  QObject::connect(chooser, &QComboBox::currentIndexChanged, this,
                   [this](int i) { ShowSheetFor(i); });
  QObject::connect(sheet_, &QTableWidget::cellChanged, this,
                   [this](int r, int c) { SheetEdited(r, c); });

  auto* save = new QPushButton(QStringLiteral("&Save"));
  auto* load = new QPushButton(QStringLiteral("&Load"));
  auto* about = new QPushButton(QStringLiteral("&About..."));
  QObject::connect(save, &QPushButton::clicked, this, [this] { Save(); });
  QObject::connect(load, &QPushButton::clicked, this, [this] { Load(); });
  QObject::connect(about, &QPushButton::clicked, this,
                   [this] { controls_[sheet_index_]->ShowAboutBox(); });
  light_style_ = QApplication::style()->name();
  light_palette_ = QApplication::palette();
  dark_ = new QCheckBox(QStringLiteral("&Dark palette"));
  localized_ = new QCheckBox(QStringLiteral("Captions in the user's &language"));
  QObject::connect(dark_, &QCheckBox::toggled, this, [this](bool on) { SetDarkPalette(on); });
  QObject::connect(localized_, &QCheckBox::toggled, this,
                   [this](bool on) { SetLocalizedCaptions(on); });
  auto* view = new QGroupBox(QStringLiteral("View"));
  auto* view_layout = new QHBoxLayout(view);
  view_layout->addWidget(localized_);
  view_layout->addWidget(dark_);
  view_layout->addStretch();

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(save);
  buttons->addWidget(load);
  buttons->addWidget(about);
  buttons->addStretch();

  auto* left = new QVBoxLayout;
  left->addWidget(fields);
  left->addWidget(view);
  auto* sheet_box = new QGroupBox(QStringLiteral("Properties"));
  auto* sheet_layout = new QVBoxLayout(sheet_box);
  sheet_layout->addWidget(chooser);
  sheet_layout->addWidget(sheet_);
  left->addWidget(sheet_box, 1);
  left->addLayout(buttons);

  auto* log_box = new QGroupBox(QStringLiteral("Events"));
  auto* log_layout = new QVBoxLayout(log_box);
  log_layout->addWidget(log_);

  auto* main = new QHBoxLayout(this);
  main->addLayout(left, 1);
  main->addWidget(log_box, 1);
  // A strip along the bottom stays free for the corner control, which lies above the rest.
  QMargins margins = main->contentsMargins();
  margins.setBottom(margins.bottom() + corner->height() + 8);
  main->setContentsMargins(margins);
  corner->raise();

  for (QtDatewell* c : controls_) {
    Connect(c);
  }
  ShowSheetFor(0);

  // Tab goes down the form, the corner control last; the first field has the focus first.
  const std::vector<QWidget*> order = {first,  second, localized_, dark_, chooser,
                                       sheet_, save,   load,       about, corner};
  for (std::size_t i = 1; i < order.size(); ++i) {
    QWidget::setTabOrder(order[i - 1], order[i]);
  }
  first->setFocus();
}

DemoForm::~DemoForm() {
  for (QtDatewell* c : controls_) {
    QObject::disconnect(c, nullptr, this, nullptr);
  }
}

void DemoForm::Log(const QString& line) {
  log_lines_.append(line);
  log_->appendPlainText(line);
}

void DemoForm::Connect(QtDatewell* c) {
  const QString n = c->controlName();
  auto simple = [this, n, c](const char* what) {
    return [this, n, c, what] {
      Log(QStringLiteral("%1 %2 (text \"%3\")").arg(n, what, c->stringValue()));
      if (controls_[sheet_index_] == c) {
        RefreshSheet();
      }
    };
  };
  QObject::connect(c, &QtDatewell::Change, this, simple("Change"));
  QObject::connect(c, &QtDatewell::Click, this, simple("Click"));
  QObject::connect(c, &QtDatewell::DblClick, this, simple("DblClick"));
  QObject::connect(c, &QtDatewell::Show, this, [this, n] { Log(n + QStringLiteral(" Show")); });
  QObject::connect(c, &QtDatewell::Hide, this, [this, n] { Log(n + QStringLiteral(" Hide")); });
  QObject::connect(c, &QtDatewell::Resize, this, [this, n] { Log(n + QStringLiteral(" Resize")); });
  QObject::connect(c, &QtDatewell::KeyDown, this, [this, n](short& code, short& shift) {
    Log(QStringLiteral("%1 KeyDown KeyCode=%2 Shift=%3").arg(n).arg(code).arg(shift));
  });
  QObject::connect(c, &QtDatewell::KeyPress, this, [this, n](short& ascii) {
    Log(QStringLiteral("%1 KeyPress KeyAscii=%2").arg(n).arg(ascii));
  });
  QObject::connect(c, &QtDatewell::KeyUp, this, [this, n](short& code, short& shift) {
    Log(QStringLiteral("%1 KeyUp KeyCode=%2 Shift=%3").arg(n).arg(code).arg(shift));
  });
  QObject::connect(c, &QtDatewell::localizedCaptionsChanged, this, [this, n](bool on) {
    Log(QStringLiteral("%1 localizedCaptions %2")
            .arg(n, on ? QStringLiteral("on") : QStringLiteral("off")));
    // The switch shows whether every control speaks the user's language (a load or the sheet
    // may change one alone).
    const bool all = std::all_of(controls_.begin(), controls_.end(),
                                 [](const QtDatewell* w) { return w->localizedCaptions(); });
    const QSignalBlocker quiet(localized_);
    localized_->setChecked(all);
  });
  QObject::connect(c, &QtDatewell::PropertyChanged, this, [this, n, c](const QString& name) {
    Log(QStringLiteral("%1 property changed: %2").arg(n, name));
    if (controls_[sheet_index_] == c) {
      RefreshSheet();
    }
  });
}

void DemoForm::ShowSheetFor(int index) {
  if (index < 0 || index >= static_cast<int>(controls_.size())) {
    return;
  }
  sheet_index_ = index;
  RefreshSheet();
}

void DemoForm::RefreshSheet() {
  refreshing_ = true;
  QtDatewell* c = controls_[sheet_index_];
  const QMetaObject* mo = c->metaObject();
  const int first = QtDatewell::staticMetaObject.propertyOffset();
  sheet_->setRowCount(mo->propertyCount() - first);
  for (int i = first; i < mo->propertyCount(); ++i) {
    const QMetaProperty p = mo->property(i);
    auto* name = new QTableWidgetItem(QString::fromLatin1(p.name()));
    name->setFlags(Qt::ItemIsEnabled);
    QString text;
    try {
      text = ValueText(p.read(c));
    } catch (const HostError& e) {
      text = QStringLiteral("error %1").arg(e.number());
    }
    auto* value = new QTableWidgetItem(text);
    if (!p.isWritable() || p.metaType().id() == QMetaType::QFont) {
      value->setFlags(Qt::ItemIsEnabled);
    }
    sheet_->setItem(i - first, 0, name);
    sheet_->setItem(i - first, 1, value);
  }
  refreshing_ = false;
}

void DemoForm::SheetEdited(int row, int column) {
  if (refreshing_ || column != 1) {
    return;
  }
  QtDatewell* c = controls_[sheet_index_];
  const QMetaObject* mo = c->metaObject();
  const QMetaProperty p = mo->property(QtDatewell::staticMetaObject.propertyOffset() + row);
  QString text = sheet_->item(row, 1)->text().trimmed();
  QVariant value(text);
  if (p.metaType().id() == QMetaType::UInt && text.startsWith(QStringLiteral("&H"))) {
    value = QVariant(text.mid(2).toUInt(nullptr, 16));
  } else if (p.metaType().id() == QMetaType::Bool) {
    value = QVariant(text.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0 ||
                     text == QStringLiteral("1"));
  } else if (p.metaType().id() != QMetaType::QVariant) {
    value.convert(p.metaType());
  }
  try {
    p.write(c, value);
  } catch (const HostError& e) {
    Log(QStringLiteral("%1.%2: error %3, %4")
            .arg(c->controlName(), QString::fromLatin1(p.name()))
            .arg(e.number())
            .arg(QString::fromStdString(e.description())));
  }
  RefreshSheet();
}

void DemoForm::SetDarkPalette(bool on) {
  if (on) {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(DarkPalette());
  } else {
    QApplication::setStyle(QStyleFactory::create(light_style_));
    QApplication::setPalette(light_palette_);
  }
  Log(on ? QStringLiteral("dark palette (Fusion)")
         : QStringLiteral("palette of the style %1").arg(light_style_));
}

void DemoForm::SetLocalizedCaptions(bool on) {
  for (QtDatewell* c : controls_) {
    c->setLocalizedCaptions(on);
  }
  RefreshSheet();
}

void DemoForm::Save() {
  try {
    QtDatewell::saveForm(*this, settings_path_);
    Log(QStringLiteral("saved to %1").arg(settings_path_));
  } catch (const HostError& e) {
    Log(QStringLiteral("save failed: error %1, %2")
            .arg(e.number())
            .arg(QString::fromStdString(e.description())));
  }
}

void DemoForm::Load() {
  try {
    QtDatewell::loadForm(*this, settings_path_);
    Log(QStringLiteral("loaded from %1").arg(settings_path_));
  } catch (const HostError& e) {
    Log(QStringLiteral("load failed: error %1, %2")
            .arg(e.number())
            .arg(QString::fromStdString(e.description())));
  }
  RefreshSheet();
}

void DemoForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  QtDatewell* c = corner();
  c->move(width() - c->width() - 6, height() - c->height() - 6);
}

}  // namespace datewell::demo
