#pragma once
// The demo form: three Datewell controls (a long date, a short date that may be empty, and one
// placed near the screen's bottom-right corner so that its panel opens above and pulled left),
// an event log, a property sheet for the chosen control, Save, Load and About, and switches for
// a dark palette and for captions in the user's language. The first field has the focus first.

#include <QCheckBox>
#include <QPalette>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTableWidget>
#include <QWidget>
#include <vector>

#include "datewell/qtdatewell.h"

namespace datewell::demo {

class DemoForm : public QWidget {
 public:
  explicit DemoForm(QString settings_path, QWidget* parent = nullptr);
  // The controls report their Hide while the form's window goes; the log is gone by then.
  ~DemoForm() override;

  const std::vector<QtDatewell*>& controls() const { return controls_; }
  QtDatewell* corner() const { return controls_.back(); }
  // Every line the log shows, in order.
  const QStringList& LogLines() const { return log_lines_; }
  void Log(const QString& line);

  void Save();
  void Load();
  void ShowSheetFor(int index);

  // The switches: the Fusion style with a dark palette (off: the style and palette the program
  // started with), and every control's captions in the user's language.
  QCheckBox* darkPaletteBox() const { return dark_; }
  QCheckBox* localizedCaptionsBox() const { return localized_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Connect(QtDatewell* control);
  void RefreshSheet();
  void SheetEdited(int row, int column);
  void SetDarkPalette(bool on);
  void SetLocalizedCaptions(bool on);

  QString settings_path_;
  std::vector<QtDatewell*> controls_;
  QPlainTextEdit* log_ = nullptr;
  QTableWidget* sheet_ = nullptr;
  QCheckBox* dark_ = nullptr;
  QCheckBox* localized_ = nullptr;
  QString light_style_;
  QPalette light_palette_;
  int sheet_index_ = 0;
  bool refreshing_ = false;
  QStringList log_lines_;
};

}  // namespace datewell::demo
