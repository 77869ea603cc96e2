#pragma once
// The Datewell control as a QWidget for Qt applications: add it to a form like any widget. Every
// property of the type library is a Q_PROPERTY under its own name, the methods are invokable
// slots, and the nine events are signals whose key parameters are references, so that a slot
// connected directly can change or cancel a key. Settings are saved to and loaded from a
// property file or a QVariantMap.
//
// Members that fail throw datewell::HostError (error number and standard description), from
// the C++ accessors and from QObject::setProperty alike.
//
// All controls of an application share one set of services (the Qt desktop, the system clock and
// the locale), made on first use and owned by the QApplication. This header needs C++17 and Qt
// alone; the control itself stays behind it.

#include <QFont>
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <QWidget>
#include <memory>

#include "datewell/export.h"
#include "datewell/hosterror.h"

namespace datewell {

class QtPlatform;
class QtDatewellPrivate;

class DATEWELL_EXPORT QtDatewell : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString Version READ version)
  Q_PROPERTY(QVariant DateValue READ dateValue WRITE setDateValue)
  Q_PROPERTY(QString StringValue READ stringValue WRITE setStringValue)
  Q_PROPERTY(int DateFormat READ dateFormat WRITE setDateFormat)
  Q_PROPERTY(bool AllowEmptyDate READ allowEmptyDate WRITE setAllowEmptyDate)
  Q_PROPERTY(QFont Font READ controlFont WRITE setControlFont)
  Q_PROPERTY(uint ForeColor READ foreColor WRITE setForeColor)
  Q_PROPERTY(uint BackColor READ backColor WRITE setBackColor)
  Q_PROPERTY(bool FontUnderline READ fontUnderline WRITE setFontUnderline)
  Q_PROPERTY(bool FontTransparent READ fontTransparent WRITE setFontTransparent)
  Q_PROPERTY(bool FontStrikethru READ fontStrikethru WRITE setFontStrikethru)
  Q_PROPERTY(float FontSize READ fontSize WRITE setFontSize)
  Q_PROPERTY(QString FontName READ fontName WRITE setFontName)
  Q_PROPERTY(bool FontItalic READ fontItalic WRITE setFontItalic)
  Q_PROPERTY(bool FontBold READ fontBold WRITE setFontBold)
  Q_PROPERTY(bool Selected READ selected WRITE setSelected)
  Q_PROPERTY(int SelLength READ selLength WRITE setSelLength)
  Q_PROPERTY(int SelStart READ selStart WRITE setSelStart)
  Q_PROPERTY(QString SelText READ selText WRITE setSelText)
  Q_PROPERTY(QString ToolTipText READ toolTipText WRITE setToolTipText)
  Q_PROPERTY(int WhatsThisHelpID READ whatsThisHelpID WRITE setWhatsThisHelpID)
  Q_PROPERTY(bool Dropped READ dropped WRITE setDropped)
  Q_PROPERTY(bool Enabled READ controlEnabled WRITE setControlEnabled)

 public:
  // A new control with its default settings.
  explicit QtDatewell(QWidget* parent = nullptr, const QString& name = QStringLiteral("Datewell1"));
  ~QtDatewell() override;

  QString version() const;
  QVariant dateValue();
  void setDateValue(const QVariant& value);
  QString stringValue() const;
  void setStringValue(const QString& text);
  int dateFormat() const;
  void setDateFormat(int format);
  bool allowEmptyDate() const;
  void setAllowEmptyDate(bool allow);
  QFont controlFont() const;
  void setControlFont(const QFont& font);
  uint foreColor() const;
  void setForeColor(uint color);
  uint backColor() const;
  void setBackColor(uint color);
  bool fontUnderline() const;
  void setFontUnderline(bool on);
  bool fontTransparent() const;
  void setFontTransparent(bool on);
  bool fontStrikethru() const;
  void setFontStrikethru(bool on);
  float fontSize() const;
  void setFontSize(float points);
  QString fontName() const;
  void setFontName(const QString& name);
  bool fontItalic() const;
  void setFontItalic(bool on);
  bool fontBold() const;
  void setFontBold(bool on);
  bool selected() const;
  void setSelected(bool on);
  int selLength() const;
  void setSelLength(int length);
  int selStart() const;
  void setSelStart(int start);
  QString selText() const;
  void setSelText(const QString& text);
  QString toolTipText() const;
  void setToolTipText(const QString& text);
  int whatsThisHelpID() const;
  void setWhatsThisHelpID(int id);
  bool dropped() const;
  void setDropped(bool on);
  bool controlEnabled() const;
  void setControlEnabled(bool on);

  // ---- Saved settings ----
  // The control's settings as written by the control itself.
  QVariantMap saveSettings();
  // A fresh control read from saved settings, in place of this one's.
  void loadSettings(const QVariantMap& settings);
  // Saves into the property file at path under the control's name (other controls in the file
  // are kept); loads from it. Errors are HostError (see control/property_file.h).
  void saveToFile(const QString& path);
  void loadFromFile(const QString& path);
  QString controlName() const;

  QSize sizeHint() const override;

 public slots:
  void Refresh();
  // Sets the width and height in twips; the control keeps its own height.
  void Size(double width, double height);
  void DropDown();
  void CloseUp();
  void ShowAboutBox();

 signals:
  void Change();
  void Click();
  void DblClick();
  void Hide();
  void KeyDown(short& KeyCode, short& Shift);
  void KeyPress(short& KeyAscii);
  void KeyUp(short& KeyCode, short& Shift);
  void Resize();
  void Show();
  // A member reported a change of the saved settings.
  void PropertyChanged(const QString& name);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  friend class QtDatewellPrivate;
  // A control on a platform of its own (see QtDatewellPrivate::Create).
  QtDatewell(QtPlatform& platform, QWidget* parent, const QString& name);

  std::unique_ptr<QtDatewellPrivate> d_;
};

}  // namespace datewell
