#pragma once
// The demo form: three Datewell controls (a long date, a short date that may be empty, and one
// placed near the screen's bottom-right corner so that its panel opens above and pulled left),
// an event log, a property sheet for the chosen control, Save, Load and About.

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

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Connect(QtDatewell* control);
  void RefreshSheet();
  void SheetEdited(int row, int column);

  QString settings_path_;
  std::vector<QtDatewell*> controls_;
  QPlainTextEdit* log_ = nullptr;
  QTableWidget* sheet_ = nullptr;
  int sheet_index_ = 0;
  bool refreshing_ = false;
  QStringList log_lines_;
};

}  // namespace datewell::demo
