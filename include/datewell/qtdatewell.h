#pragma once
// The Datewell control as a QWidget for Qt applications: add it to a form like any widget. Every
// property of the type library is a Q_PROPERTY under its own name, the methods are invokable
// slots, and the nine events are signals whose key parameters are references, so that a slot
// connected directly can change or cancel a key. Settings are saved to and loaded from a
// property file, one control or a whole form at a time, or a QVariantMap.
//
// Members that fail throw datewell::HostError (error number and standard description), from
// the C++ accessors and from QObject::setProperty alike.
//
// All controls of an application share one set of services (the Qt desktop, the system clock and
// the locale), made on first use and owned by the QApplication. This header needs C++17 and Qt
// alone; the control itself stays behind it.

#include <QDate>
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
  // The members of the type library, under their own names. The value members change with the
  // field's text, which Change reports; DateValue, a variant, has no signal of its own (date is
  // its Qt form). Members a property browser does not list are not designable, nor are Font and
  // Enabled: they are the widget's own font and enabled, which Qt Designer shows already.
  Q_PROPERTY(QString Version READ version CONSTANT)
  Q_PROPERTY(QVariant DateValue READ dateValue WRITE setDateValue)
  Q_PROPERTY(QString StringValue READ stringValue WRITE setStringValue NOTIFY Change)
  Q_PROPERTY(int DateFormat READ dateFormat WRITE setDateFormat NOTIFY dateFormatChanged)
  Q_PROPERTY(
      bool AllowEmptyDate READ allowEmptyDate WRITE setAllowEmptyDate NOTIFY allowEmptyDateChanged)
  Q_PROPERTY(QFont Font READ controlFont WRITE setControlFont NOTIFY fontChanged DESIGNABLE false)
  Q_PROPERTY(uint ForeColor READ foreColor WRITE setForeColor NOTIFY foreColorChanged)
  Q_PROPERTY(uint BackColor READ backColor WRITE setBackColor NOTIFY backColorChanged)
  Q_PROPERTY(bool FontUnderline READ fontUnderline WRITE setFontUnderline NOTIFY fontChanged
                 DESIGNABLE false)
  Q_PROPERTY(bool FontTransparent READ fontTransparent WRITE setFontTransparent NOTIFY fontChanged
                 DESIGNABLE false)
  Q_PROPERTY(bool FontStrikethru READ fontStrikethru WRITE setFontStrikethru NOTIFY fontChanged
                 DESIGNABLE false)
  Q_PROPERTY(float FontSize READ fontSize WRITE setFontSize NOTIFY fontChanged DESIGNABLE false)
  Q_PROPERTY(QString FontName READ fontName WRITE setFontName NOTIFY fontChanged DESIGNABLE false)
  Q_PROPERTY(
      bool FontItalic READ fontItalic WRITE setFontItalic NOTIFY fontChanged DESIGNABLE false)
  Q_PROPERTY(bool FontBold READ fontBold WRITE setFontBold NOTIFY fontChanged DESIGNABLE false)
  Q_PROPERTY(bool Selected READ selected WRITE setSelected NOTIFY selectedChanged DESIGNABLE false)
  Q_PROPERTY(
      int SelLength READ selLength WRITE setSelLength NOTIFY selectionChanged DESIGNABLE false)
  Q_PROPERTY(int SelStart READ selStart WRITE setSelStart NOTIFY selectionChanged DESIGNABLE false)
  Q_PROPERTY(QString SelText READ selText WRITE setSelText NOTIFY selectionChanged DESIGNABLE false)
  Q_PROPERTY(QString ToolTipText READ toolTipText WRITE setToolTipText NOTIFY toolTipTextChanged)
  Q_PROPERTY(int WhatsThisHelpID READ whatsThisHelpID WRITE setWhatsThisHelpID NOTIFY
                 whatsThisHelpIDChanged)
  Q_PROPERTY(bool Dropped READ dropped WRITE setDropped NOTIFY droppedChanged DESIGNABLE false)
  Q_PROPERTY(bool Enabled READ controlEnabled WRITE setControlEnabled NOTIFY enabledChanged
                 DESIGNABLE false)
  // The date as Qt programs take it: a null QDate when the control is empty. The property a
  // QDataWidgetMapper or an item delegate reads and writes.
  Q_PROPERTY(QDate date READ date WRITE setDate NOTIFY dateChanged USER true)
  // The calendar panel's captions in the user's language (see localizedCaptions()).
  Q_PROPERTY(bool localizedCaptions READ localizedCaptions WRITE setLocalizedCaptions NOTIFY
                 localizedCaptionsChanged)

 public:
  // A new control with its default settings. Its focus proxy is the text field; the widget's
  // enabled state is the control's Enabled, and a font set on the widget is the control's Font.
  explicit QtDatewell(QWidget* parent = nullptr, const QString& name = QStringLiteral("Datewell1"));
  ~QtDatewell() override;

  // The date the control holds, as the field last committed it: set by code, picked in the
  // calendar, or typed and then confirmed with Enter or by leaving the field. A null QDate when
  // the control is empty.
  QDate date() const;
  // A null date empties the control when AllowEmptyDate is true and is ignored otherwise; a date
  // outside the years 100 to 9999 throws HostError 5.
  void setDate(const QDate& date);

  // Whether the calendar panel speaks the user's language: the weekday headers are the
  // locale's narrow weekday names, the Today button its word for today, and the day numbers
  // are written in the digits the field's dates use. Off by default, showing the design
  // captions. The widget's own setting: saved and loaded with the control's settings but apart
  // from the control's entries (see saveSettings()).
  bool localizedCaptions() const;
  void setLocalizedCaptions(bool on);

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
  // The control's settings as written by the control itself and, under the key "widget" as a
  // map of their own, the widget's own settings (localizedCaptions) that differ from their
  // defaults; the key is left out when none does.
  QVariantMap saveSettings();
  // A fresh control read from saved settings, in place of this one's; the widget's own settings
  // take their defaults unless the map's "widget" gives them.
  void loadSettings(const QVariantMap& settings);
  // Saves into the property file at path under controlName() (other controls in the file are
  // kept); loads from it. The widget's own settings go to the file's "widgets" object under the
  // same name. A file that cannot be read or written, or a value the control cannot take,
  // throws HostError naming the file, the control and the key, and changes nothing.
  void saveToFile(const QString& path);
  void loadFromFile(const QString& path);
  // The name the settings are kept under: the objectName, which uic and Qt Designer set, or the
  // name given to the constructor when the objectName is empty.
  QString controlName() const;

  // Every control on the form (the form's descendants) saved into the property file at path in
  // one write, each under its controlName(); other controls in the file are kept. Two controls
  // under one name would overwrite each other's settings: then saving fails with error 380,
  // naming that name, and nothing is written.
  static void saveForm(QWidget& form, const QString& path);
  // Every control on the form loaded from the file; every control's entries are read and checked
  // before any control changes. Two controls under one name fail as saving does.
  static void loadForm(QWidget& form, const QString& path);

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

  // ---- Qt's signals ----
  // The committed date changed (see date()); a null date when the control became empty.
  void dateChanged(const QDate& date);
  // The field lost the focus, or Enter was pressed in it: what was typed is committed.
  void editingFinished();
  // Typed text named no date, and today's date was put in its place when it was committed; an
  // application can tell its user. Comes before editingFinished.
  void dateTextRejected(const QString& text, const QDate& replacement);
  void dateFormatChanged(int format);
  void allowEmptyDateChanged(bool allow);
  // Font or one of its attributes.
  void fontChanged();
  void foreColorChanged(uint color);
  void backColorChanged(uint color);
  void selectedChanged(bool on);
  // SelStart, SelLength or SelText, by code or by the user.
  void selectionChanged();
  void toolTipTextChanged(const QString& text);
  void whatsThisHelpIDChanged(int id);
  void droppedChanged(bool on);
  void enabledChanged(bool on);
  void localizedCaptionsChanged(bool on);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class QtDatewellPrivate;
  // A control on a platform of its own (see QtDatewellPrivate::Create).
  QtDatewell(QtPlatform& platform, QWidget* parent, const QString& name);

  std::unique_ptr<QtDatewellPrivate> d_;
};

}  // namespace datewell
