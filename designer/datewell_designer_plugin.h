#pragma once
// The Datewell control in Qt Designer's widget box: Designer and QUiLoader build a real
// datewell::QtDatewell from a form through this plugin, and uic compiles the same form against
// <datewell/qtdatewell.h>.

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

namespace datewell {

class DesignerPlugin : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
  Q_INTERFACES(QDesignerCustomWidgetInterface)

 public:
  explicit DesignerPlugin(QObject* parent = nullptr) : QObject(parent) {}

  QString name() const override;
  QString group() const override;
  QString toolTip() const override;
  QString whatsThis() const override;
  QString includeFile() const override;
  // The toolbox picture: 16 by 15, a drop-down field above a calendar page with one day in red,
  // framed in olive.
  QIcon icon() const override;
  bool isContainer() const override { return false; }
  QWidget* createWidget(QWidget* parent) override;
  QString domXml() const override;
  bool isInitialized() const override { return initialized_; }
  void initialize(QDesignerFormEditorInterface*) override { initialized_ = true; }

 private:
  bool initialized_ = false;
};

}  // namespace datewell
